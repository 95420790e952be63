// The queued-feedback step of the update run: mailed to a real mail server on
// 127.0.0.1 (Debian's aiosmtpd), kept when a server refuses it or no server is known.
#include "UpdateRunFixture.h"

#include "platform/Dialogs.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

namespace {

const QString kQueued = QStringLiteral("Q1: yes\r\nQ2: daily\r\n.the end");

class FeedbackTest : public UpdateRunTest
{
protected:
    void SetUp() override
    {
        UpdateRunTest::SetUp();
        useProgramServices();
        tickOnly({16});
        server->setReply(QStringLiteral("/dljd/mwwinners.htm"), page(500));
        Settings::SaveSetting(QString::fromLatin1(Settings::Q_Message), kQueued);
        Settings::SaveSetting(QString::fromLatin1(Settings::Email), QStringLiteral("ann@example.org"));
    }

    QString queued() const { return Settings::GetSetting(QString::fromLatin1(Settings::Q_Message)); }
    bool itemsRan() const { return targets() == QStringList({"/dljd/mwwinners.htm"}); }
};

// A mail sink process (tests/fixtures/services/smtp_sink.py) for one test.
class MailSink
{
public:
    bool start()
    {
        m_sink.setProgram(QStringLiteral("/usr/bin/python3"));
        m_sink.setArguments({QStringLiteral(TW_FIXTURES "/services/smtp_sink.py"), m_folder.path()});
        m_sink.start();
        if (!m_sink.waitForStarted(10000))
            return false;
        QByteArray firstLine;
        while (!firstLine.contains('\n') && m_sink.waitForReadyRead(15000))
            firstLine += m_sink.readAllStandardOutput();
        m_port = firstLine.trimmed().toInt();
        return m_port > 0;
    }
    ~MailSink()
    {
        if (m_sink.state() != QProcess::NotRunning) {
            m_sink.closeWriteChannel();
            if (!m_sink.waitForFinished(5000)) {
                m_sink.kill();
                m_sink.waitForFinished(5000);
            }
        }
    }
    QString server() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    QByteArray file(const QString& name) const
    {
        QFile f(QDir(m_folder.path()).filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString errors() { return QString::fromLocal8Bit(m_sink.readAllStandardError()); }

private:
    QTemporaryDir m_folder;
    QProcess m_sink;
    int m_port = 0;
};

// A mail server that turns every client away: "554" as its greeting, "221" to quit.
class RefusingServer
{
public:
    RefusingServer()
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            QTcpSocket* client = m_server.nextPendingConnection();
            client->setParent(&m_server);
            ++connections;
            QObject::connect(client, &QTcpSocket::readyRead, client, [client] {
                if (client->readAll().toLower().contains("quit")) {
                    client->write("221 bye\r\n");
                    client->disconnectFromHost();
                }
            });
            client->write("554 no mail service here\r\n");
        });
        m_server.listen(QHostAddress::LocalHost, 0);
    }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort()); }
    int connections = 0;

private:
    QTcpServer m_server;
};

TEST_F(FeedbackTest, QueuedFeedbackReachesTheMailServerAndLeavesTheQueue)
{
    MailSink sink;
    ASSERT_TRUE(sink.start()) << sink.errors().toStdString();
    Settings::SaveSetting(QString::fromLatin1(Settings::EmailServer), sink.server());

    run->StartUpdate();

    EXPECT_EQ(sink.file("1.env"), QByteArray("ann@example.org\nfeedback@orvane.example\n"));
    const QByteArray mail = sink.file("1.eml");
    EXPECT_TRUE(mail.startsWith("From: ann@example.org\r\nDate: ")) << mail.constData();
    EXPECT_TRUE(mail.contains("\r\nTo: Orvane\r\nSubject: Tradewright User Feedback\r\n\r\n"
                              "Q1: yes\r\nQ2: daily\r\n.the end\r\n"))
        << mail.constData();
    EXPECT_EQ(queued(), "");
    EXPECT_TRUE(port.statusTexts.contains("Sending Email.."));
    EXPECT_TRUE(port.statusTexts.contains("Mail Sent"));
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
    EXPECT_TRUE(itemsRan());
}

TEST_F(FeedbackTest, ARefusedMailStaysQueuedAndTheItemsStillRun)
{
    RefusingServer refusing;
    Settings::SaveSetting(QString::fromLatin1(Settings::EmailServer), refusing.address());

    run->StartUpdate();

    EXPECT_EQ(refusing.connections, 1);
    EXPECT_EQ(queued(), kQueued);
    EXPECT_FALSE(port.statusTexts.contains("Mail Sent"));
    EXPECT_TRUE(port.statusTexts.contains("Mail Not Sent"));
    EXPECT_TRUE(itemsRan());
    EXPECT_TRUE(frame.isIdle());
}

TEST_F(FeedbackTest, WithoutAMailServerTheUserIsAskedAndAShortAnswerKeepsTheText)
{
    test::dialogs().inputAnswers.enqueue(QStringLiteral("x"));

    run->StartUpdate();

    ASSERT_EQ(test::dialogs().shown.size(), 2);
    EXPECT_EQ(test::dialogs().shown[0].kind, "msg");
    EXPECT_EQ(test::dialogs().shown[0].prompt, "Missing mail server");
    EXPECT_EQ(test::dialogs().shown[0].title, "Enter mail server in options");
    EXPECT_EQ(test::dialogs().shown[0].buttons, Dialogs::vbOKOnly + Dialogs::vbCritical);
    EXPECT_EQ(test::dialogs().shown[1].kind, "input");
    EXPECT_EQ(test::dialogs().shown[1].title, "Mail Server");
    EXPECT_EQ(test::dialogs().shown[1].prompt, "Please enter your mail server address.\r\nEx.: \"mail.example.com\"");
    EXPECT_TRUE(port.statusTexts.contains("No Email Server"));
    EXPECT_EQ(queued(), kQueued);
    EXPECT_EQ(Settings::GetSetting(QString::fromLatin1(Settings::EmailServer)), "");
    EXPECT_TRUE(itemsRan());
}

TEST_F(FeedbackTest, TheAnsweredServerServesThisMailOnly)
{
    MailSink sink;
    ASSERT_TRUE(sink.start()) << sink.errors().toStdString();
    Settings::SaveSetting(QString::fromLatin1(Settings::Email), QString());  // no address: "-"
    test::dialogs().inputAnswers.enqueue(sink.server());

    run->StartUpdate();

    EXPECT_TRUE(sink.file("1.eml").startsWith("From: -\r\n"));
    EXPECT_EQ(queued(), "");
    EXPECT_EQ(Settings::GetSetting(QString::fromLatin1(Settings::EmailServer)), "");
}

TEST_F(FeedbackTest, ATextOfTwoCharactersIsNeitherSentNorCleared)
{
    Settings::SaveSetting(QString::fromLatin1(Settings::Q_Message), QStringLiteral("ok"));
    run->StartUpdate();
    EXPECT_EQ(queued(), "ok");
    EXPECT_FALSE(port.statusTexts.contains("Sending Email.."));
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
    EXPECT_TRUE(itemsRan());
}

} // namespace
