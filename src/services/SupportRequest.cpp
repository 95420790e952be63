#include "services/SupportRequest.h"
#include "platform/Runtime.h"

#include "core/ErrorLog.h"
#include "core/Misc.h"
#include "core/Settings.h"
#include "core/frmSplashInfo.h"
#include "platform/AppPath.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/DoEvents.h"
#include "services/MailWindow.h"

#include <QLocale>

#include <array>
#include <exception>

namespace {

QString answerOf(const std::array<const char*, 3>& answers, int Index)
{
    return Index >= 0 && Index < int(answers.size()) && answers[std::size_t(Index)]
               ? QString::fromLatin1(answers[std::size_t(Index)])
               : QString();
}

} // namespace

const QStringList& SupportRequest::Systems()
{
    static const QStringList list{"Windows 95", "Windows 98", "Windows NT", "Windows 2000", "Other", "Don't Know"};
    return list;
}

void SupportRequest::setDefaults()
{
    optConnect = 2;
    optProxy = 2;
    optError = 1;
    ConnectAnswer = QStringLiteral("Don't Know");
    ProxyAnswer = QStringLiteral("Don't Know");
    ErrorAnswer = QStringLiteral("No");
    txtEmail = Settings::GetSetting(QString::fromLatin1(Settings::Email));
    cboSystem = 1;  // "Windows 98"
}

void SupportRequest::Form_Load()
{
    setDefaults();
}

void SupportRequest::Reset()
{
    txtName.clear();
    txtError.clear();
    txtDesc.clear();
    setDefaults();
}

void SupportRequest::optConnect_Click(int Index)
{
    // The "Network" button answers "Internet".
    optConnect = Index;
    ConnectAnswer = answerOf({"Internet", "Modem", "Don't Know"}, Index);
}

void SupportRequest::optProxy_Click(int Index)
{
    optProxy = Index;
    ProxyAnswer = answerOf({"Yes", "No", "Don't Know"}, Index);
}

void SupportRequest::optError_Click(int Index)
{
    optError = Index;
    ErrorAnswer = answerOf({"Yes", "No", nullptr}, Index);
}

QString SupportRequest::Compose(const QString& date) const
{
    const QStringList lines{
        QStringLiteral("Date: ") + date,
        QStringLiteral("From: ") + txtName,
        QStringLiteral("Email: ") + txtEmail,
        QStringLiteral("Tradewright version: ") + SplashInfo::LegalTrademarks(),
        QStringLiteral("Operating system: ") + Systems().value(cboSystem),
        QStringLiteral("Internet Connection: ") + ConnectAnswer,
        QStringLiteral("Proxy: ") + ProxyAnswer,
        QStringLiteral("Error Message: ") + ErrorAnswer,
        QStringLiteral("Error Descreption: ") + txtError,
        QString(41, QLatin1Char('*')),
        QStringLiteral("Note: ") + txtDesc,
    };
    QString text = lines.join(rt::CrLf);
    if (chkError)
        text += rt::CrLf + QStringLiteral("*************************ErrorLog***********************") + rt::CrLf +
                ReadFile(AppPath() + QStringLiteral("/ErrorLog.txt"));
    return text;
}

SupportRequest::SubmitOutcome SupportRequest::SendData()
{
    if (txtName.isEmpty() && txtEmail.isEmpty() && txtError.isEmpty() && txtDesc.isEmpty())
        return SubmitOutcome::Ignored;
    try {
        QString server = Settings::GetSetting(QString::fromLatin1(Settings::EmailServer));
        if (server.size() < 2) {
            server = Dialogs::InputBox(MailTexts::MailServerPrompt(), MailTexts::MailServerTitle(),
                                       MailTexts::MailServerDefault());
            if (server.isEmpty())
                return SubmitOutcome::Stopped;
            Settings::SaveSetting(QString::fromLatin1(Settings::EmailServer), server);
        }

        // The request goes out from the address in the box; only an empty box takes
        // the stored one, and with neither the user is asked: no request leaves
        // without a sender.
        if (txtEmail.trimmed().isEmpty())
            txtEmail = Settings::GetSetting(QString::fromLatin1(Settings::Email));
        if (txtEmail.trimmed().isEmpty()) {
            txtEmail = Dialogs::InputBox(QStringLiteral("Please enter your e-mail address, so that we can answer you.") +
                                             rt::CrLf + QStringLiteral("Ex.: \"") + MailTexts::ExampleAddress() +
                                             QLatin1Char('"'),
                                         QStringLiteral("E-Mail"));
            if (txtEmail.trimmed().isEmpty())
                return SubmitOutcome::Stopped;
        }

        const QString date = QLocale::system().toString(Clock::Now().date(), QLocale::ShortFormat);
        const QString request = Compose(date);
        DoEvents();
        if (!AskConnect())
            return SubmitOutcome::Stopped;

        // The never-shown mail window of this one request.
        SmtpSender sender;
        const OutgoingMail mail{server,  QStringLiteral("Tradewright User"), txtEmail, QStringLiteral("Orvane"),
                                MailTexts::SupportAddress(), QStringLiteral("Tradewright Technical Support Request"),
                                request};
        const bool sent = DeliverMail(sender, mail).ok;
        DoEvents();
        return sent ? SubmitOutcome::Sent : SubmitOutcome::Stopped;
    } catch (const std::exception& e) {
        LogFailure(&e, QStringLiteral("frmSupport_SendData"));
        return SubmitOutcome::Stopped;
    }
}
