// The mail sender against two peers on 127.0.0.1: a scripted server inside the test
// (exact client bytes, replies in pieces, refusals, silence) and a real mail server
// from Debian's aiosmtpd started as a separate process.
#include "MailServers.h"

#include "services/SmtpSender.h"

#include "platform/Clock.h"
#include "platform/Socket.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QMap>
#include <QPointer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTimer>

#include <gtest/gtest.h>

#include <string_view>

namespace {

const QString TimedOut = QStringLiteral("SMTP service error, timed out while waiting for response");
const QString Closed = QStringLiteral("SMTP service error, the server closed the connection");
const QString TooLong = QStringLiteral("SMTP service error, the server's reply is too long");

// The fixed moment every test mails at: 07:16:42 on Tuesday 8 December 2026, six hours behind UTC.
QDateTime mailTime()
{
    return QDateTime(QDate(2026, 12, 8), QTime(7, 16, 42), QTimeZone(-6 * 3600));
}

const QByteArray Helo = "HELO tradewright.orvane\r\n";
const QByteArray MailFrom = "mail from: ann@example.org\r\n";
const QByteArray RcptTo = "rcpt to: bob@example.org\r\n";
const QByteArray Data = "data\r\n";
const QByteArray Quit = "quit\r\n";
const QByteArray Message = "From: Ann Smith\r\n"
                           "Date: Tue, 08 Dec 2026 07:16:42 -0600\r\n"
                           "X-Mailer: Orvane Tradewright 5.4\r\n"
                           "To: Bob\r\n"
                           "Subject: Hello\r\n"
                           "\r\n"
                           "Line one\r\n"
                           "..\r\n"
                           "..dotted\r\n"
                           ".\r\n";

struct Recorder
{
    QStringList statuses;
    QStringList errors;
    void attach(SmtpSender& sender)
    {
        QObject::connect(&sender, &SmtpSender::statusChanged, [this](const QString& s) { statuses << s; });
        QObject::connect(&sender, &SmtpSender::errorOccurred, [this](const QString& e) { errors << e; });
    }
};

class SmtpTest : public ::testing::Test
{
protected:
    void SetUp() override { Clock::setFixed(mailTime()); }
    void TearDown() override { Clock::setFixed(QDateTime()); }

    SmtpResult send(SmtpSender& sender, const QString& server, const QString& body = QStringLiteral("Line one\n.\n.dotted"))
    {
        return sender.SendEmail(server, QStringLiteral("Ann Smith"), QStringLiteral("ann@example.org"),
                                QStringLiteral("Bob"), QStringLiteral("bob@example.org"), QStringLiteral("Hello"),
                                body);
    }
};

// ---- against the scripted server -------------------------------------------------

struct DialogueCase
{
    const char* name;
    QMap<QString, QList<QByteArray>> replies;  // replaces the script's answers
    ScriptedSmtpServer::OnConnect onConnect;
    bool ok;
    QString error;
    QString reply;
    QByteArray stream;  // every byte the client sent
};

// A multi-line reply of lines "250-" + 96 letters, closed by "250 HELP".
QByteArray longReply(int lines)
{
    QByteArray reply;
    for (int i = 0; i < lines; ++i)
        reply += "250-" + QByteArray(96, 'x') + "\r\n";
    return reply + "250 HELP\r\n";
}

TEST_F(SmtpTest, DialogueFollowsTheServersReplies)
{
    const QByteArray wholeDialogue = Helo + MailFrom + RcptTo + Data + Message + Quit;
    const QString improper = QStringLiteral("SMTP service error, impromper response code. Code should have been: ");
    const QList<DialogueCase> cases = {
        {"every reply as expected", {}, ScriptedSmtpServer::OnConnect::Greet, true, "", "250 queued as 42",
         wholeDialogue},
        {"replies in pieces and over several lines",
         {{"greeting", {"22", "0 scripted.test ready\r\n"}},
          {"helo", {"250-scripted.test\r\n", "250-SIZE 1000000\r", "\n250 HELP\r\n"}},
          {"mail", {"250 sen", "der ok\r\n"}},
          {"end", {"250-queued\r\n250 as 42\r\n"}}},
         ScriptedSmtpServer::OnConnect::Greet, true, "", "250-queued\r\n250 as 42", wholeDialogue},
        {"a reply of 600 lines, under 64 KiB", {{"helo", {longReply(600)}}}, ScriptedSmtpServer::OnConnect::Greet,
         true, "", "250 queued as 42", wholeDialogue},
        {"a reply of 700 lines, over 64 KiB", {{"helo", {longReply(700)}}}, ScriptedSmtpServer::OnConnect::Greet,
         false, TooLong, "", Helo},
        {"recipient refused",
         {{"rcpt", {"550 no such user\r\n"}}},
         ScriptedSmtpServer::OnConnect::Greet, false, improper + "250 Code recieved: 550 no such user",
         "550 no such user", Helo + MailFrom + RcptTo + Quit},
        {"unwelcome greeting",
         {{"greeting", {"554 go away\r\n"}}},
         ScriptedSmtpServer::OnConnect::Greet, false, improper + "220 Code recieved: 554 go away", "554 go away",
         Quit},
        {"message refused after the end mark",
         {{"end", {"552 too big\r\n"}}},
         ScriptedSmtpServer::OnConnect::Greet, false, improper + "250 Code recieved: 552 too big", "552 too big",
         wholeDialogue},
        {"no answer to the greeting", {}, ScriptedSmtpServer::OnConnect::StaySilent, false, TimedOut, "", ""},
        {"no answer after the message",
         {{"end", {}}},
         ScriptedSmtpServer::OnConnect::Greet, false, TimedOut, "", Helo + MailFrom + RcptTo + Data + Message},
        {"server hangs up at once", {}, ScriptedSmtpServer::OnConnect::CloseAtOnce, false, Closed, "", ""},
        {"server hangs up after the sender",
         {{"mail", {"<close>"}}},
         ScriptedSmtpServer::OnConnect::Greet, false, Closed, "", Helo + MailFrom},
    };

    for (const DialogueCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedSmtpServer server;
        server.onConnect = c.onConnect;
        for (auto it = c.replies.begin(); it != c.replies.end(); ++it)
            server.replies[it.key()] = it.value();
        SmtpSender sender;
        sender.setTimeoutMs(400);
        Recorder rec;
        rec.attach(sender);

        const SmtpResult result = send(sender, server.address());

        EXPECT_EQ(result.ok, c.ok);
        EXPECT_EQ(result.error.toStdString(), c.error.toStdString());
        EXPECT_EQ(result.reply.toStdString(), c.reply.toStdString());
        // After a silence or an endless reply the client gives up and may or may not
        // get its "quit" out.
        QByteArray stream = server.received;
        if ((c.error == TimedOut || c.error == TooLong) && stream.endsWith(Quit) && !c.stream.endsWith(Quit))
            stream.chop(Quit.size());
        EXPECT_EQ(stream, c.stream);
        EXPECT_FALSE(server.spokeDuringReply);
        EXPECT_EQ(rec.errors, c.ok ? QStringList() : QStringList{c.error});
        EXPECT_EQ(sender.Winsock1().State(), Socket::sckClosed);
        if (c.ok) {
            EXPECT_EQ(rec.statuses,
                      (QStringList{"Connecting....", "Connected", "Sending Message", "Disconnecting"}));
        }
    }
}

TEST_F(SmtpTest, LineBreaksNeverReachTheHeaderOrTheCommands)
{
    ScriptedSmtpServer server;
    SmtpSender sender;
    sender.setTimeoutMs(2000);
    const SmtpResult result =
        sender.SendEmail(server.address(), QStringLiteral("Ann\r\nBcc: eve@example.org"),
                         QStringLiteral("ann@example.org"), QStringLiteral("\nBob\r"), QStringLiteral("bob@example.org"),
                         QStringLiteral("Hi\r\n\r\nInjected body"), QStringLiteral("Body"));
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_TRUE(server.received.contains("From: Ann Bcc: eve@example.org\r\n"
                                         "Date: Tue, 08 Dec 2026 07:16:42 -0600\r\n"
                                         "X-Mailer: Orvane Tradewright 5.4\r\n"
                                         "To: Bob\r\n"
                                         "Subject: Hi Injected body\r\n"
                                         "\r\n"
                                         "Body\r\n"
                                         ".\r\n"))
        << server.received.toStdString();

    // An address with a line break is refused before anything is sent.
    const QString refused = QStringLiteral("SMTP service error, an e-mail address cannot hold a line break");
    const QString nul = QStringLiteral("bob@example.org") + QChar(0) + QStringLiteral("data");
    for (const auto& [from, to] :
         {std::pair<QString, QString>{"ann@example.org\r\nrcpt to: eve@example.org", "bob@example.org"},
          std::pair<QString, QString>{"ann@example.org", "bob@example.org\ndata"},
          std::pair<QString, QString>{"ann@example.org", nul}}) {
        ScriptedSmtpServer untouched;
        Recorder rec;
        SmtpSender other;
        rec.attach(other);
        const SmtpResult r = other.SendEmail(untouched.address(), "Ann", from, "Bob", to, "Hi", "Body");
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, refused);
        EXPECT_EQ(rec.errors, QStringList{refused});
        EXPECT_EQ(untouched.connections, 0);
    }
}

TEST_F(SmtpTest, OneDialogueAtATime)
{
    // The waits run the event loop, so a second mail can be asked for while the first
    // is still under way; it is turned away with the socket's state and the first goes on.
    ScriptedSmtpServer server;
    SmtpSender sender;
    sender.setTimeoutMs(2000);
    SmtpResult inner{true, {}, {}};
    QObject::connect(&sender, &SmtpSender::statusChanged, [&](const QString& s) {
        if (s == QLatin1String("Connected"))
            inner = sender.SendEmail(server.address(), "X", "x@example.org", "Y", "y@example.org", "S", "B");
    });
    Recorder rec;
    rec.attach(sender);
    const SmtpResult outer = send(sender, server.address());
    EXPECT_TRUE(outer.ok) << outer.error.toStdString();
    EXPECT_FALSE(inner.ok);
    EXPECT_EQ(inner.error, QStringLiteral(" 7"));
    EXPECT_EQ(rec.errors, QStringList{" 7"});
    EXPECT_EQ(server.connections, 1);
    EXPECT_EQ(server.received.count("mail from:"), 1);

    // Once done, the same sender mails again.
    EXPECT_TRUE(send(sender, server.address()).ok);
    EXPECT_EQ(server.connections, 2);
}

TEST_F(SmtpTest, UnreachableServerFailsAtOnce)
{
    quint16 port;
    {
        QTcpServer probe;  // a port that was free a moment ago and is closed now
        probe.listen(QHostAddress::LocalHost, 0);
        port = probe.serverPort();
    }
    SmtpSender sender;
    const SmtpResult r = send(sender, QStringLiteral("127.0.0.1:%1").arg(port));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, QStringLiteral("SMTP service error, Connection is refused by the remote host"));
    EXPECT_EQ(sender.Winsock1().State(), Socket::sckClosed);
}

TEST_F(SmtpTest, AGreetingThatNeverEndsFailsTheDialogueOnceItPasses64KiB)
{
    // The server greets with "220-" lines and never sends the line that ends the
    // reply; it stops at 16 MiB only so that a client without a cap runs into its
    // time limit instead of the machine's memory.
    QTcpServer flood;
    ASSERT_TRUE(flood.listen(QHostAddress::LocalHost, 0));
    QByteArray burst;
    for (int i = 0; i < 100; ++i)
        burst += "220-" + QByteArray(70, 'x') + "\r\n";
    constexpr qint64 kStopAt = 16 * 1024 * 1024;
    qint64 sent = 0;
    QPointer<QTcpSocket> client;
    const auto pump = [&] {
        if (client && client->state() == QAbstractSocket::ConnectedState && client->bytesToWrite() < burst.size() &&
            sent < kStopAt) {
            client->write(burst);
            sent += burst.size();
        }
    };
    QObject::connect(&flood, &QTcpServer::newConnection, [&] {
        client = flood.nextPendingConnection();
        QObject::connect(client, &QTcpSocket::bytesWritten, pump);
        pump();
    });
    SmtpSender sender;
    sender.setTimeoutMs(10000);
    Recorder rec;
    rec.attach(sender);

    const SmtpResult r = send(sender, QStringLiteral("127.0.0.1:%1").arg(flood.serverPort()));

    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, TooLong);
    EXPECT_EQ(rec.errors, QStringList{TooLong});
    EXPECT_EQ(sender.Winsock1().State(), Socket::sckClosed);
    EXPECT_GT(sent, 64 * 1024);
}

TEST_F(SmtpTest, TheProgramsEndEndsAWaitAtOnce)
{
    // Quitting while a mail waits for its server: once the program is told to end no
    // event loop runs any more, so the wait must give up instead of spinning.
    ScriptedSmtpServer server;
    server.onConnect = ScriptedSmtpServer::OnConnect::StaySilent;
    SmtpSender sender;
    sender.setTimeoutMs(10000);
    SmtpResult result{true, {}, {}};
    QElapsedTimer clock;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(200, [] { QCoreApplication::exit(0); });
        clock.start();
        result = send(sender, server.address());
    });
    QCoreApplication::exec();
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, QStringLiteral("SMTP service error, the program is ending"));
    EXPECT_EQ(sender.Winsock1().State(), Socket::sckClosed);
}

// ---- the pieces of the message ---------------------------------------------------

TEST(SmtpPieces, ServerNameGivesHostAndPort)
{
    const struct
    {
        const char* server;
        const char* host;
        int port;
    } cases[] = {
        {"mail.example.org", "mail.example.org", 25},
        {"127.0.0.1:2525", "127.0.0.1", 2525},
        {" mail.example.org:587 ", "mail.example.org", 587},
        {"[::1]:2526", "::1", 2526},
        {"[::1]", "::1", 25},
        {"::1", "::1", 25},
        {"mail.example.org:smtp", "mail.example.org:smtp", 25},
        {"mail.example.org:0", "mail.example.org:0", 25},
        {"mail.example.org:70000", "mail.example.org:70000", 25},
        {"", "", 25},
    };
    for (const auto& c : cases) {
        QString host;
        int port = -1;
        SmtpSender::SplitServer(QString::fromLatin1(c.server), host, port);
        EXPECT_EQ(host, QString::fromLatin1(c.host)) << c.server;
        EXPECT_EQ(port, c.port) << c.server;
    }
}

TEST(SmtpPieces, DateLineIsEnglishWithTheRealOffset)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const struct
    {
        QDateTime when;
        const char* line;
    } cases[] = {
        {QDateTime(QDate(2026, 12, 8), QTime(7, 16, 42), QTimeZone(-6 * 3600)), "Tue, 08 Dec 2026 07:16:42 -0600"},
        {QDateTime(QDate(2026, 3, 1), QTime(23, 5, 9), QTimeZone(5 * 3600 + 1800)), "Sun, 01 Mar 2026 23:05:09 +0530"},
        {QDateTime(QDate(2027, 5, 31), QTime(0, 0, 0), QTimeZone::utc()), "Mon, 31 May 2027 00:00:00 +0000"},
        {QDateTime(QDate(2026, 7, 4), QTime(18, 30, 0), QTimeZone(-(9 * 3600 + 30 * 60))),
         "Sat, 04 Jul 2026 18:30:00 -0930"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SmtpSender::FormatDateLine(c.when), QString::fromLatin1(c.line));
    QLocale::setDefault(before);
}

TEST(SmtpPieces, BodyLinesAreStuffedAndEndInCrLf)
{
    const struct
    {
        const char* body;
        const char* wire;
    } cases[] = {
        {"", "\r\n"},
        {"one line", "one line\r\n"},
        {".", "..\r\n"},
        {"a\r\n.\r\nb", "a\r\n..\r\nb\r\n"},
        {".hidden\n..two\nplain.", "..hidden\r\n...two\r\nplain.\r\n"},
        {"mac\rlines\r", "mac\r\nlines\r\n\r\n"},
        {"ends with break\r\n", "ends with break\r\n\r\n"},
        {" . not first", " . not first\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SmtpSender::StuffBody(QString::fromLatin1(c.body)), QString::fromLatin1(c.wire)) << c.body;
}

TEST(SmtpPieces, HeaderFieldsLoseTheirLineBreaks)
{
    const struct
    {
        std::string_view field;  // may hold NUL
        const char* clean;
    } cases[] = {
        {"Hello", "Hello"},
        {"Hi\r\nBcc: eve@example.org", "Hi Bcc: eve@example.org"},
        {"\r\nlead and trail\n", "lead and trail"},
        {"a\rb\nc", "a b c"},
        {"\r\n", ""},
        {"", ""},
        {std::string_view("Hi\0Bcc: eve@example.org", 24), "Hi Bcc: eve@example.org"},
        {std::string_view("\0a\r\0\nb\0", 7), "a b"},
    };
    for (const auto& c : cases) {
        const QString field = QString::fromLatin1(c.field.data(), qsizetype(c.field.size()));
        EXPECT_EQ(SmtpSender::CleanHeaderField(field), QString::fromLatin1(c.clean)) << field.toStdString();
    }
}

// ---- against a real mail server --------------------------------------------------

class RealSmtpServer : public SmtpTest
{
protected:
    void SetUp() override
    {
        SmtpTest::SetUp();
        const QString missing = SmtpSink::unavailable();
        if (!missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        const QString failed = m_sink.start();
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
    }
    QString server() const { return m_sink.server(); }
    QByteArray file(const QString& name) const { return m_sink.file(name); }

    SmtpSink m_sink;
};

TEST_F(RealSmtpServer, MessageArrivesWithExactHeadersAndBody)
{
    SmtpSender sender;
    sender.setTimeoutMs(10000);
    const QString body = QStringLiteral("Dear maker,\r\n.\r\n.starts with a dot\nCaf\u00e9 prices: 1,234.50\r\n\r\nRegards");
    const SmtpResult r = sender.SendEmail(server(), QStringLiteral("Ann Smith"), QStringLiteral("ann@example.org"),
                                          QStringLiteral("Orvane"), QStringLiteral("support@example.org"),
                                          QStringLiteral("Tradewright User Feedback"), body);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_TRUE(r.reply.startsWith(QLatin1String("250"))) << r.reply.toStdString();
    EXPECT_EQ(file("1.env"), QByteArray("ann@example.org\nsupport@example.org\n"));
    EXPECT_EQ(file("1.eml"), QByteArray("From: Ann Smith\r\n"
                                        "Date: Tue, 08 Dec 2026 07:16:42 -0600\r\n"
                                        "X-Mailer: Orvane Tradewright 5.4\r\n"
                                        "To: Orvane\r\n"
                                        "Subject: Tradewright User Feedback\r\n"
                                        "\r\n"
                                        "Dear maker,\r\n"
                                        ".\r\n"
                                        ".starts with a dot\r\n"
                                        "Caf\xe9 prices: 1,234.50\r\n"
                                        "\r\n"
                                        "Regards\r\n"));

    // A second mail on the same sender reaches the server as a message of its own.
    ASSERT_TRUE(sender.SendEmail(server(), "-", "ann@example.org", "", "support@example.org", "Second", "Two").ok);
    const QByteArray second = file("2.eml");
    EXPECT_TRUE(second.startsWith("From: -\r\nDate: "));
    EXPECT_TRUE(second.contains("\r\nTo: \r\nSubject: Second\r\n\r\nTwo\r\n"));
}

TEST_F(RealSmtpServer, RefusedRecipientEndsTheDialogue)
{
    // A caller that passes no recipient address gets the server's refusal as the
    // outcome, and the server keeps no half-made message.
    SmtpSender sender;
    sender.setTimeoutMs(10000);
    Recorder rec;
    rec.attach(sender);
    const SmtpResult r = sender.SendEmail(server(), "Ann", "ann@example.org", "Orvane", "", "Feedback", "Text");
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.startsWith(QLatin1String(
        "SMTP service error, impromper response code. Code should have been: 250 Code recieved: 5")))
        << r.error.toStdString();
    EXPECT_FALSE(rec.statuses.contains(QStringLiteral("Disconnecting")));
    EXPECT_EQ(m_sink.messageCount(), 0);
    EXPECT_EQ(sender.Winsock1().State(), Socket::sckClosed);
}

} // namespace
