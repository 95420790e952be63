#include "services/MailWindow.h"
#include "platform/Runtime.h"

#include "core/Misc.h"
#include "core/Settings.h"
#include "core/frmSplashInfo.h"
#include "platform/AppPath.h"
#include "platform/Dialogs.h"
#include "platform/DoEvents.h"
#include "platform/Sites.h"
#include "retrieval/MainWindowPort.h"

namespace {

const QString kEmptyTitle = QStringLiteral("Please fill empty fileds");

QString setting(const char* name)
{
    return Settings::GetSetting(QString::fromLatin1(name));
}

// A character that has no business in a header line: CR, LF, the other C0 and C1
// controls, DEL, and the line and paragraph separators.
bool isControl(QChar c)
{
    const QChar::Category category = c.category();
    return category == QChar::Other_Control || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
}

bool holdsControl(const QString& text)
{
    for (QChar c : text)
        if (isControl(c))
            return true;
    return false;
}

} // namespace


QString HeaderFieldProblem(const OutgoingMail& mail)
{
    const std::pair<const QString*, const char*> fields[] = {
        {&mail.Server, "mail server"},         {&mail.From, "sender's name"},
        {&mail.FromEmail, "sender's address"}, {&mail.ToName, "recipient's name"},
        {&mail.ToEmail, "recipient's address"}, {&mail.Subject, "subject"},
    };
    for (const auto& [text, name] : fields)
        if (holdsControl(*text))
            return QStringLiteral("The %1 holds a line break or another control character.").arg(QLatin1String(name))
                   + rt::CrLf + QStringLiteral("Please correct it; the mail was not sent.");
    return QString();
}

SmtpResult DeliverMail(SmtpSender& sender, const OutgoingMail& mail)
{
    const QString problem = HeaderFieldProblem(mail);
    if (!problem.isEmpty()) {
        Dialogs::MsgBox(problem, Dialogs::vbOKOnly + Dialogs::vbExclamation, QStringLiteral("Mail Not Sent"));
        return SmtpResult{false, problem, QString()};
    }
    const SmtpResult result = sender.SendEmail(mail.Server, mail.From, mail.FromEmail, mail.ToName, mail.ToEmail,
                                               mail.Subject, mail.Body);
    if (!result.ok)
        Dialogs::MsgBox(result.error, Dialogs::vbOKOnly + Dialogs::vbInformation);
    return result;
}

MailWindow::MailWindow(QObject* parent)
    : QObject(parent)
{
    connect(&m_sender, &SmtpSender::statusChanged, this, &MailWindow::setStatus);
}

void MailWindow::Form_Load()
{
    txtServer = setting(Settings::EmailServer);
    txtFromName = QStringLiteral("Name");
    txtFromEmail = setting(Settings::Email);
    txtToName.clear();
    txtToEmail = QStringLiteral("Recipient Email");
    txtSubject.clear();
    txtBody.clear();
    chkError = false;
    chkErrorVisible = false;
}

QString MailWindow::RecommendationBody()
{
    const QStringList lines{
        QStringLiteral("Hi,"),
        QStringLiteral("I find this private adviser amazing!"),
        QStringLiteral("You must try it, download it from: \"") + MailTexts::DownloadAddress() +
            QStringLiteral("\" or, go to \"") + MailTexts::HomePageAddress() + QStringLiteral("\"."),
        QString(),
        QStringLiteral("Regards"),
    };
    return lines.join(rt::CrLf);
}

QString MailWindow::BugReportBody()
{
    return QStringLiteral("Hello, I'm using ") + SplashInfo::LegalTrademarks() + QStringLiteral(". ") + rt::CrLf;
}

void MailWindow::TellAFriend()
{
    txtSubject = QStringLiteral("You have to try it!");
    txtBody = RecommendationBody();
}

void MailWindow::BugReport()
{
    txtSubject = QStringLiteral("I would like to report on bug!");
    txtToEmail = MailTexts::SupportAddress();
    txtBody = BugReportBody();
    chkError = true;
    chkErrorVisible = true;
}

MailWindow::SendOutcome MailWindow::cmdSend_Click()
{
    if (!AskConnect())
        return SendOutcome::NotConnected;
    if (txtServer.isEmpty()) {
        Dialogs::MsgBox(QStringLiteral("You must enter your Email server (Ex.: \"") + MailTexts::ExampleServer() +
                            QStringLiteral("\")"),
                        Dialogs::vbOKOnly + Dialogs::vbCritical, kEmptyTitle);
        return SendOutcome::MissingServer;
    }
    if (txtToEmail.isEmpty()) {
        Dialogs::MsgBox(QStringLiteral("You must enter Recipient's E-mail address (Ex.: \"") +
                            MailTexts::ExampleAddress() + QStringLiteral("\")"),
                        Dialogs::vbOKOnly + Dialogs::vbCritical, kEmptyTitle);
        return SendOutcome::MissingRecipient;
    }
    if (!AskConnect())
        return SendOutcome::NotConnected;

    const QString log = chkError ? ReadFile(AppPath() + QStringLiteral("/ErrorLog.txt")) : QString();
    const OutgoingMail mail{txtServer, txtFromName, txtFromEmail, txtToName, txtToEmail, txtSubject,
                            txtBody + rt::CrLf + log};
    if (!DeliverMail(m_sender, mail).ok) {
        setStatus(QStringLiteral("Mail Not Sent"));
        return SendOutcome::Failed;
    }
    setStatus(QStringLiteral("Mail Sent"));
    return SendOutcome::Sent;
}

void MailWindow::setStatus(const QString& text)
{
    m_status = text;
    emit statusChanged(text);
}

bool SendErrorLog(MainWindowPort& main)
{
    if (!AskConnect())
        return false;
    main.setStatusText(QStringLiteral("Sending Error Log.."));
    const QString log = ReadFile(AppPath() + QStringLiteral("/ErrorLog.txt"));
    if (log.isEmpty()) {
        Dialogs::MsgBox(QStringLiteral("Your Error Log is empty.") + rt::CrLf +
                            QStringLiteral("Click on 'Start' menu, select 'Email' -> 'Bug Report', and report on bug."),
                        Dialogs::vbOKOnly + Dialogs::vbExclamation, QStringLiteral("Empty Error Log"));
        return false;
    }
    QString server = setting(Settings::EmailServer);
    if (server.size() < 2) {
        Dialogs::MsgBox(QStringLiteral("Missing mail server"), Dialogs::vbOKOnly + Dialogs::vbCritical,
                        QStringLiteral("Enter mail server in options"));
        main.setStatusText(QStringLiteral("No Email Server"));
        // The answer serves this mail only; it is not stored.
        server = Dialogs::InputBox(MailTexts::MailServerPrompt(), MailTexts::MailServerTitle(),
                                   MailTexts::MailServerDefault());
        if (server.size() < 2)
            return false;
    }
    QString email = setting(Settings::Email);
    if (email.size() < 2)
        email = QStringLiteral("-");

    // The never-shown mail window of this one mail.
    SmtpSender sender;
    const OutgoingMail mail{server, email, email, QStringLiteral("Orvane"), MailTexts::SupportAddress(),
                            QStringLiteral("Tradewright User Error Log"), log};
    const bool sent = DeliverMail(sender, mail).ok;
    DoEvents();
    main.setStatusText(sent ? QStringLiteral("Error Log Sent") : QStringLiteral("Error Log Not Sent"));
    DoEvents();
    return sent;
}
