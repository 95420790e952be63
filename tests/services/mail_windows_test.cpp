// The mail window, the error-log mail and the support request: what they check,
// what they compose, and what reaches a real mail server or a scripted one that
// refuses.
#include "IsolatedStore.h"
#include "MailServers.h"
#include "OfflineProbe.h"

#include "core/Settings.h"
#include "core/frmSplashInfo.h"
#include "platform/AppPath.h"
#include "platform/Dialer.h"
#include "platform/RegistryStore.h"
#include "retrieval/MainWindowPort.h"
#include "services/MailWindow.h"
#include "services/SupportRequest.h"
#include "services/frmEmail.h"
#include "services/frmSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

using test::save;
using test::setting;

const QString kLog = QStringLiteral("--------------\r\nTime: 10:00:00\r\nDescription:   Overflow\r\n"
                                    "Number:        6\r\nSource:         Tradewright\r\nWhere: Misc_FormatP\r\n");
const QString kSupport = QStringLiteral("support@maker.example");
const QString kCrLf = QStringLiteral("\r\n");

// The main window's status label as the error-log mail sets it.
class StatusRecorder : public MainWindowPort
{
public:
    QStringList texts;
    RunState state;
    RunState& runState() override { return state; }
    QString caption() const override { return QString(); }
    void setCaption(const QString&) override {}
    void setStatusText(const QString& text) override { texts << text; }
    QString stripSymbol(int) const override { return QString(); }
    int gaugeScaleWidth() const override { return 0; }
    void drawGaugeMarker(int, int) override {}
    void hideGauge(int) override {}
};

class MailTest : public IsolatedStore
{
protected:
    void SetUp() override
    {
        IsolatedStore::SetUp();
        RegistryStore::createKey(QString::fromLatin1(Settings::ProductKey));
        QDir().mkpath(AppPath());
        SplashInfo::SetProgramVersion(QStringLiteral("5.4.0"));
        Clock::setFixed(QDateTime(QDate(2026, 12, 8), QTime(7, 16, 42)));
    }
    void TearDown() override
    {
        Dialer::install(nullptr);
        for (QWidget* w : QApplication::topLevelWidgets())
            delete w;
        test::settle();
        IsolatedStore::TearDown();
    }

    void writeLog(const QString& text)
    {
        QFile f(AppPath() + QStringLiteral("/ErrorLog.txt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toLatin1());
    }
    // The connection check asks and the user answers No.
    void goOffline()
    {
        Dialer::install(&m_offline);
        save("Prompt", QStringLiteral("1"));
        test::dialogs().msgAnswers.enqueue(Dialogs::vbNo);
    }
    QStringList titles() const
    {
        QStringList list;
        for (const auto& s : test::dialogs().shown)
            list << s.title;
        return list;
    }
    bool startSink()
    {
        const QString missing = SmtpSink::unavailable();
        if (!missing.isEmpty()) {
            m_skip = missing;
            return false;
        }
        const QString failed = m_sink.start();
        EXPECT_TRUE(failed.isEmpty()) << failed.toStdString();
        return failed.isEmpty();
    }
    static QString today() { return QLocale::system().toString(QDate(2026, 12, 8), QLocale::ShortFormat); }

    test::OfflineProbe m_offline;
    SmtpSink m_sink;
    QString m_skip;
};

#define START_SINK()                                                                                                \
    do {                                                                                                            \
        if (!startSink()) {                                                                                         \
            if (!m_skip.isEmpty())                                                                                  \
                GTEST_SKIP() << m_skip.toStdString();                                                               \
            return;                                                                                                 \
        }                                                                                                           \
    } while (false)

// ---- the mail window ----------------------------------------------------------------

TEST_F(MailTest, MailWindowLoadsTheSettingsAndTheMenusPreparedMessages)
{
    MailWindow empty;
    empty.Form_Load();
    EXPECT_EQ(empty.txtServer, "");
    EXPECT_EQ(empty.txtFromName, "Name");
    EXPECT_EQ(empty.txtFromEmail, "");
    EXPECT_EQ(empty.txtToEmail, "Recipient Email");
    EXPECT_FALSE(empty.chkErrorVisible);

    save("EmailServer", QStringLiteral("mail.isp.example"));
    save("Email", QStringLiteral("ann@example.org"));
    MailWindow friendly;
    friendly.Form_Load();
    friendly.TellAFriend();
    EXPECT_EQ(friendly.txtServer, "mail.isp.example");
    EXPECT_EQ(friendly.txtFromEmail, "ann@example.org");
    EXPECT_EQ(friendly.txtSubject, "You have to try it!");
    EXPECT_EQ(friendly.txtBody, "Hi,\r\nI find this private adviser amazing!\r\n"
                                "You must try it, download it from: \"http://maker.example/download/\" or, go to "
                                "\"http://maker.example/\".\r\n\r\nRegards");
    EXPECT_EQ(friendly.txtToEmail, "Recipient Email");

    MailWindow bug;
    bug.Form_Load();
    bug.BugReport();
    EXPECT_EQ(bug.txtSubject, "I would like to report on bug!");
    EXPECT_EQ(bug.txtToEmail, kSupport);
    EXPECT_EQ(bug.txtBody, "Hello, I'm using Orvane Tradewright 5.4. \r\n");
    EXPECT_TRUE(bug.chkError);
    EXPECT_TRUE(bug.chkErrorVisible);
}

TEST_F(MailTest, SendAsksForAnEmptyServerFirstThenForTheRecipient)
{
    ScriptedSmtpServer server;
    const struct
    {
        const char* name;
        QString server;
        QString to;
        MailWindow::SendOutcome outcome;
        QString prompt;
    } cases[] = {
        {"both empty", "", "", MailWindow::SendOutcome::MissingServer,
         "You must enter your Email server (Ex.: \"mail.example.com\")"},
        {"no recipient", server.address(), "", MailWindow::SendOutcome::MissingRecipient,
         "You must enter Recipient's E-mail address (Ex.: \"friend@example.com\")"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::dialogs().reset();
        MailWindow w;
        w.Form_Load();
        w.txtServer = c.server;
        w.txtToEmail = c.to;
        EXPECT_EQ(w.cmdSend_Click(), c.outcome);
        ASSERT_EQ(test::dialogs().shown.size(), 1);
        EXPECT_EQ(test::dialogs().shown[0].prompt, c.prompt);
        EXPECT_EQ(test::dialogs().shown[0].title, "Please fill empty fileds");
        EXPECT_EQ(test::dialogs().shown[0].buttons, Dialogs::vbOKOnly + Dialogs::vbCritical);
    }
    EXPECT_EQ(server.connections, 0);

    // Only emptiness counts: the design texts "Name" and "Recipient Email" go out.
    test::dialogs().reset();
    MailWindow design;
    design.Form_Load();
    design.txtServer = server.address();
    EXPECT_EQ(design.cmdSend_Click(), MailWindow::SendOutcome::Sent);
    EXPECT_TRUE(server.received.contains("rcpt to: Recipient Email\r\n"));
    EXPECT_TRUE(server.received.contains("\r\nFrom: Name\r\n"));
    EXPECT_EQ(design.statusText(), "Mail Sent");
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
}

TEST_F(MailTest, ADeclinedConnectionCheckSendsNothing)
{
    ScriptedSmtpServer server;
    goOffline();
    MailWindow w;
    w.Form_Load();
    w.txtServer = server.address();
    EXPECT_EQ(w.cmdSend_Click(), MailWindow::SendOutcome::NotConnected);
    EXPECT_EQ(titles(), QStringList{"Not Connected"});
    EXPECT_EQ(server.connections, 0);
}

TEST_F(MailTest, AControlCharacterInAHeaderFieldIsRefusedBeforeAnythingIsSent)
{
    ScriptedSmtpServer server;
    const struct
    {
        const char* name;
        QString MailWindow::*field;
        QString text;
        const char* named;
    } cases[] = {
        {"server", &MailWindow::txtServer, server.address() + "\r\n", "mail server"},
        {"sender name", &MailWindow::txtFromName, "Ann\r\nBcc: eve@example.org", "sender's name"},
        {"sender address", &MailWindow::txtFromEmail, "ann@example.org\n", "sender's address"},
        {"recipient name", &MailWindow::txtToName, "Bob\tSmith", "recipient's name"},
        {"recipient address", &MailWindow::txtToEmail, "bob@example.org\rdata", "recipient's address"},
        {"subject", &MailWindow::txtSubject, QStringLiteral("Hi\u0085there"), "subject"},
        {"subject with DEL", &MailWindow::txtSubject, QStringLiteral("Hi\x7fthere"), "subject"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::dialogs().reset();
        MailWindow w;
        w.Form_Load();
        w.txtServer = server.address();
        w.txtFromEmail = QStringLiteral("ann@example.org");
        w.txtToEmail = QStringLiteral("bob@example.org");
        w.*c.field = c.text;
        EXPECT_EQ(w.cmdSend_Click(), MailWindow::SendOutcome::Failed);
        ASSERT_EQ(test::dialogs().shown.size(), 1);
        EXPECT_TRUE(test::dialogs().shown[0].prompt.startsWith(QStringLiteral("The %1 holds a line break")
                                                                   .arg(QLatin1String(c.named))))
            << test::dialogs().shown[0].prompt.toStdString();
        EXPECT_EQ(test::dialogs().shown[0].title, "Mail Not Sent");
        EXPECT_EQ(w.statusText(), "Mail Not Sent");
    }
    EXPECT_EQ(server.connections, 0);

    // The stored address and server of the error-log mail and the support request.
    StatusRecorder main;
    writeLog(kLog);
    save("EmailServer", server.address());
    save("Email", QStringLiteral("ann@example.org\r\nrcpt to: eve@example.org"));
    test::dialogs().reset();
    EXPECT_FALSE(SendErrorLog(main));
    EXPECT_EQ(titles(), QStringList{"Mail Not Sent"});
    EXPECT_EQ(main.texts.last(), "Error Log Not Sent");

    save("Email", QStringLiteral("ann@example.org"));
    save("EmailServer", server.address() + "\n");
    test::dialogs().reset();
    SupportRequest support;
    support.Form_Load();
    support.txtDesc = QStringLiteral("It stopped.");
    EXPECT_EQ(support.SendData(), SupportRequest::SubmitOutcome::Stopped);
    EXPECT_EQ(titles(), QStringList{"Mail Not Sent"});
    EXPECT_EQ(server.connections, 0);
}

TEST_F(MailTest, ARefusedRecipientShowsTheClientsMessageAndKeepsTheWindowWithItsText)
{
    ScriptedSmtpServer server;
    server.replies["rcpt"] = {"550 no such user\r\n"};
    frmEmail window;
    window.Form_Load();
    window.show();
    window.txtServer->setText(server.address());
    window.txtFromEmail->setText(QStringLiteral("ann@example.org"));
    window.txtToEmail->setText(QStringLiteral("nobody@example.org"));
    window.txtSubject->setText(QStringLiteral("Prices"));
    window.txtBody->setPlainText(QStringLiteral("What I typed\nstays here."));
    window.engine().Winsock1().setTimeoutMs(5000);

    QTest::mouseClick(window.cmdSend, Qt::LeftButton);

    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_EQ(test::dialogs().shown[0].prompt,
              "SMTP service error, impromper response code. Code should have been: 250 Code recieved: 550 no such user");
    EXPECT_EQ(test::dialogs().shown[0].buttons, Dialogs::vbOKOnly + Dialogs::vbInformation);
    EXPECT_EQ(window.StatusPanel->text(), "Mail Not Sent");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_EQ(window.txtToEmail->text(), "nobody@example.org");
    EXPECT_EQ(window.txtBody->toPlainText(), "What I typed\nstays here.");
    EXPECT_TRUE(window.cmdSend->isEnabled());
}

TEST_F(MailTest, TheMailWindowsMailArrivesWithTheErrorLogWhenTicked)
{
    START_SINK();
    const struct
    {
        const char* name;
        bool log;
        QByteArray body;
    } cases[] = {
        {"log appended", true, "Hello\r\n. second line\r\n" + kLog.toLatin1() + "\r\n"},
        {"no log file", false, "Hello\r\n. second line\r\n\r\n"},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(AppPath() + QStringLiteral("/ErrorLog.txt"));
        if (c.log)
            writeLog(kLog);
        frmEmail window;
        window.Form_Load();
        window.engine().BugReport();
        window.showFields();
        window.show();
        QStringList statuses;
        QObject::connect(&window.engine(), &MailWindow::statusChanged, [&](const QString& s) { statuses << s; });
        window.txtServer->setText(m_sink.server());
        window.txtFromName->setText(QStringLiteral("Ann Smith"));
        window.txtFromEmail->setText(QStringLiteral("ann@example.org"));
        window.txtToName->setText(QStringLiteral("Orvane"));
        window.txtBody->setPlainText(QStringLiteral("Hello\n. second line"));
        ASSERT_TRUE(window.chkError->isChecked());
        ASSERT_TRUE(window.chkError->isVisibleTo(&window));

        window.cmdSend_Click();

        ++n;
        EXPECT_EQ(m_sink.file(QStringLiteral("%1.env").arg(n)), "ann@example.org\n" + kSupport.toLatin1() + "\n");
        EXPECT_EQ(m_sink.file(QStringLiteral("%1.eml").arg(n)),
                  "From: Ann Smith\r\nDate: " + SmtpSender::FormatDateLine(Clock::Now()).toLatin1() +
                      "\r\nX-Mailer: Orvane Tradewright 5.4\r\nTo: Orvane\r\n"
                      "Subject: I would like to report on bug!\r\n\r\n" +
                      c.body);
        EXPECT_EQ(statuses.last(), "Mail Sent");
        EXPECT_TRUE(test::dialogs().shown.isEmpty());
        EXPECT_EQ(window.result(), QDialog::Accepted);
        EXPECT_FALSE(window.isVisible());
    }
}

// ---- the error-log mail ---------------------------------------------------------------

TEST_F(MailTest, TheErrorLogMailArrivesFromTheUsersAddress)
{
    START_SINK();
    writeLog(kLog);
    save("Email", QStringLiteral("ann@example.org"));
    StatusRecorder main;

    // No server stored: the one given at the prompt serves this mail and is not kept.
    test::dialogs().inputAnswers.enqueue(m_sink.server());
    EXPECT_TRUE(SendErrorLog(main));

    EXPECT_EQ(main.texts, (QStringList{"Sending Error Log..", "No Email Server", "Error Log Sent"}));
    EXPECT_EQ(titles(), (QStringList{"Enter mail server in options", "Mail Server"}));
    EXPECT_EQ(test::dialogs().shown[1].prompt, "Please enter your mail server address.\r\nEx.: \"mail.example.com\"");
    EXPECT_EQ(setting("EmailServer"), "");
    EXPECT_EQ(m_sink.file("1.env"), "ann@example.org\n" + kSupport.toLatin1() + "\n");
    const QByteArray mail = m_sink.file("1.eml");
    EXPECT_TRUE(mail.startsWith("From: ann@example.org\r\nDate: ")) << mail.toStdString();
    EXPECT_TRUE(mail.contains("\r\nTo: Orvane\r\nSubject: Tradewright User Error Log\r\n\r\n" + kLog.toLatin1()))
        << mail.toStdString();
}

TEST_F(MailTest, TheErrorLogMailStopsOnAnEmptyLogAndOnACancelledPrompt)
{
    ScriptedSmtpServer server;
    StatusRecorder main;
    save("EmailServer", server.address());
    EXPECT_FALSE(SendErrorLog(main));
    EXPECT_EQ(main.texts, QStringList{"Sending Error Log.."});
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_EQ(test::dialogs().shown[0].prompt, "Your Error Log is empty.\r\nClick on 'Start' menu, select 'Email' -> "
                                               "'Bug Report', and report on bug.");
    EXPECT_EQ(test::dialogs().shown[0].title, "Empty Error Log");
    EXPECT_EQ(test::dialogs().shown[0].buttons, Dialogs::vbOKOnly + Dialogs::vbExclamation);

    // An answer shorter than 2 characters ends it too.
    writeLog(kLog);
    save("EmailServer", QStringLiteral("x"));
    for (const QString& answer : {QString(), QStringLiteral("m")}) {
        test::dialogs().reset();
        main.texts.clear();
        test::dialogs().inputAnswers.enqueue(answer);
        EXPECT_FALSE(SendErrorLog(main));
        EXPECT_EQ(main.texts, (QStringList{"Sending Error Log..", "No Email Server"}));
        EXPECT_EQ(test::dialogs().shown[0].prompt, "Missing mail server");
        EXPECT_EQ(test::dialogs().shown[0].buttons, Dialogs::vbOKOnly + Dialogs::vbCritical);
        EXPECT_EQ(titles(), (QStringList{"Enter mail server in options", "Mail Server"}));
    }
    EXPECT_EQ(server.connections, 0);
}

TEST_F(MailTest, AFailedErrorLogMailIsNotReportedAsSent)
{
    ScriptedSmtpServer server;
    server.replies["rcpt"] = {"550 no such user\r\n"};
    writeLog(kLog);
    save("EmailServer", server.address());
    StatusRecorder main;
    EXPECT_FALSE(SendErrorLog(main));
    EXPECT_EQ(main.texts, (QStringList{"Sending Error Log..", "Error Log Not Sent"}));
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_TRUE(test::dialogs().shown[0].prompt.endsWith("Code recieved: 550 no such user"));
    // The user's address falls back to "-" as sender name and address.
    EXPECT_TRUE(server.received.contains("mail from: -\r\n"));
}

// ---- the support request ----------------------------------------------------------------

TEST_F(MailTest, SupportRequestComposesItsElevenLines)
{
    SupportRequest r;
    r.Form_Load();
    EXPECT_EQ(r.cboSystem, 1);
    EXPECT_EQ(r.ConnectAnswer, "Don't Know");
    EXPECT_EQ(r.ProxyAnswer, "Don't Know");
    EXPECT_EQ(r.ErrorAnswer, "No");
    r.txtName = QStringLiteral("Ann Smith");
    r.txtEmail = QStringLiteral("ann@example.org");
    r.cboSystem = 3;
    r.optConnect_Click(0);
    r.optProxy_Click(1);
    r.optError_Click(0);
    r.txtError = QStringLiteral("Overflow");
    r.txtDesc = QStringLiteral("The grid stays empty.");
    const QString lines = "Date: 08/12/2026\r\nFrom: Ann Smith\r\nEmail: ann@example.org\r\n"
                          "Tradewright version: Orvane Tradewright 5.4\r\nOperating system: Windows 2000\r\n"
                          "Internet Connection: Internet\r\nProxy: No\r\nError Message: Yes\r\n"
                          "Error Descreption: Overflow\r\n*****************************************\r\n"
                          "Note: The grid stays empty.";
    EXPECT_EQ(r.Compose(QStringLiteral("08/12/2026")), lines);

    writeLog(kLog);
    r.chkError = true;
    EXPECT_EQ(r.Compose(QStringLiteral("08/12/2026")),
              lines + "\r\n*************************ErrorLog***********************\r\n" + kLog);

    // Reset leaves the error-log box as it is and takes the stored address again.
    save("Email", QStringLiteral("stored@example.org"));
    r.Reset();
    EXPECT_TRUE(r.chkError);
    EXPECT_EQ(r.txtName, "");
    EXPECT_EQ(r.txtError, "");
    EXPECT_EQ(r.txtDesc, "");
    EXPECT_EQ(r.txtEmail, "stored@example.org");
    EXPECT_EQ(r.cboSystem, 1);
    EXPECT_EQ(r.optConnect, 2);
    EXPECT_EQ(r.optProxy, 2);
    EXPECT_EQ(r.optError, 1);
    EXPECT_EQ(r.ConnectAnswer, "Don't Know");
}

TEST_F(MailTest, SupportRequestIgnoresFourEmptyBoxesAndStopsWithoutServerOrSender)
{
    ScriptedSmtpServer server;
    SupportRequest r;
    r.Form_Load();
    EXPECT_EQ(r.SendData(), SupportRequest::SubmitOutcome::Ignored);
    EXPECT_TRUE(test::dialogs().shown.isEmpty());

    // An empty answer to the server prompt stops; nothing is stored.
    r.txtDesc = QStringLiteral("Help");
    EXPECT_EQ(r.SendData(), SupportRequest::SubmitOutcome::Stopped);
    EXPECT_EQ(titles(), QStringList{"Mail Server"});
    EXPECT_EQ(setting("EmailServer"), "");

    // The answer is stored; with no address typed or stored the user is asked, and
    // no answer means no mail.
    test::dialogs().reset();
    test::dialogs().inputAnswers.enqueue(server.address());
    test::dialogs().inputAnswers.enqueue(QString());
    EXPECT_EQ(r.SendData(), SupportRequest::SubmitOutcome::Stopped);
    EXPECT_EQ(titles(), (QStringList{"Mail Server", "E-Mail"}));
    EXPECT_EQ(setting("EmailServer"), server.address());

    // A declined connection check keeps the request too.
    test::dialogs().reset();
    r.txtEmail = QStringLiteral("ann@example.org");
    goOffline();
    EXPECT_EQ(r.SendData(), SupportRequest::SubmitOutcome::Stopped);
    EXPECT_EQ(titles(), QStringList{"Not Connected"});
    EXPECT_EQ(server.connections, 0);
}

TEST_F(MailTest, SupportRequestArrivesFromTheTypedAddress)
{
    START_SINK();
    save("EmailServer", m_sink.server());
    save("Email", QStringLiteral("stored@example.org"));
    const struct
    {
        const char* name;
        QString typed;
        bool log;
        QString sender;
    } cases[] = {
        {"typed, no log", "typed@example.org", false, "typed@example.org"},
        {"typed, with log", "typed@example.org", true, "typed@example.org"},
        {"box emptied: the stored one", "", false, "stored@example.org"},
    };
    writeLog(kLog);
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        frmSupport window;
        window.show();
        EXPECT_EQ(window.txtEmail->text(), "stored@example.org");
        window.txtName->setText(QStringLiteral("Ann"));
        window.txtEmail->setText(c.typed);
        window.optConnect[0]->click();
        window.txtDesc->setPlainText(QStringLiteral("Line one\nLine two"));
        window.chkError->setChecked(c.log);

        QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);

        ++n;
        EXPECT_EQ(m_sink.file(QStringLiteral("%1.env").arg(n)), (c.sender + "\n" + kSupport + "\n").toLatin1());
        const QByteArray mail = m_sink.file(QStringLiteral("%1.eml").arg(n));
        EXPECT_TRUE(mail.startsWith("From: Tradewright User\r\nDate: ")) << mail.toStdString();
        QByteArray body = ("Date: " + today() + "\r\nFrom: Ann\r\nEmail: " + c.sender +
                           "\r\nTradewright version: Orvane Tradewright 5.4\r\nOperating system: Windows 98\r\n"
                           "Internet Connection: Internet\r\nProxy: Don't Know\r\nError Message: No\r\n"
                           "Error Descreption: \r\n*****************************************\r\n"
                           "Note: Line one\r\nLine two")
                              .toLatin1();
        if (c.log)
            body += "\r\n*************************ErrorLog***********************\r\n" + kLog.toLatin1();
        EXPECT_TRUE(mail.contains("\r\nTo: Orvane\r\nSubject: Tradewright Technical Support Request\r\n\r\n" + body +
                                  "\r\n"))
            << mail.toStdString();
        EXPECT_TRUE(mail.endsWith(body + "\r\n")) << mail.toStdString();
        EXPECT_TRUE(test::dialogs().shown.isEmpty());
        EXPECT_EQ(window.result(), QDialog::Accepted);
        EXPECT_FALSE(window.isVisible());
    }
}

TEST_F(MailTest, SupportWindowStaysOpenUntilSentOrExit)
{
    ScriptedSmtpServer server;
    server.replies["rcpt"] = {"550 no such user\r\n"};
    save("EmailServer", server.address());
    frmSupport window;
    window.show();
    window.txtName->setText(QStringLiteral("Ann"));
    window.txtEmail->setText(QStringLiteral("ann@example.org"));
    window.txtDesc->setPlainText(QStringLiteral("It stopped."));
    window.chkError->setChecked(true);

    window.Panel1_Click(1);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_EQ(window.txtDesc->toPlainText(), "It stopped.");
    EXPECT_EQ(server.connections, 1);

    // Alt+R resets all but the error-log box; Esc leaves.
    QTest::keyClick(&window, Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(window.txtName->text(), "");
    EXPECT_EQ(window.txtDesc->toPlainText(), "");
    EXPECT_TRUE(window.chkError->isChecked());
    EXPECT_TRUE(window.optConnect[2]->isChecked());
    EXPECT_TRUE(window.isVisible());
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MailTest, SupportWindowFramesTheLabelButtonUnderThePointer)
{
    frmSupport window;
    window.show();
    QApplication::processEvents();
    ASSERT_FALSE(window.Shape1->isVisible());
    for (int i : {2, 0, 1}) {
        QTest::mouseMove(window.Panel1[i], QPoint(5, 5));
        EXPECT_TRUE(window.Shape1->isVisible()) << i;
        EXPECT_TRUE(window.Shape1->geometry().contains(window.Panel1[i]->geometry())) << i;
    }
    // Over the form itself the frame goes.
    QMouseEvent move(QEvent::MouseMove, QPointF(4, 4), window.mapToGlobal(QPointF(4, 4)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &move);
    EXPECT_FALSE(window.Shape1->isVisible());

    // A click on "Reset" resets; one on "Exit" closes.
    window.txtName->setText(QStringLiteral("Ann"));
    QTest::mouseClick(window.Panel1[2], Qt::LeftButton);
    EXPECT_EQ(window.txtName->text(), "");
    QTest::mouseClick(window.Panel1[0], Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

} // namespace
