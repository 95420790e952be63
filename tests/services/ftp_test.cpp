// The upgrade download against a scripted file server on 127.0.0.1 (exact command
// lines, a multi-line greeting, the size announcement, the final reply and the data
// close in either order, refusals, silence) and against Debian's pyftpdlib.
#include "services/FtpDownload.h"

#include "IsolatedStore.h"
#include "LoopbackHttpServer.h"
#include "ScriptedLineServer.h"

#include "platform/Sites.h"
#include "platform/Socket.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QHostAddress>
#include <QPointer>
#include <QProcess>
#include <QTcpSocket>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using test::ScriptedLineServer;
using Pieces = ScriptedLineServer::Pieces;

QByteArray everyByte(int repeat)
{
    QByteArray bytes;
    for (int r = 0; r < repeat; ++r)
        for (int b = 0; b < 256; ++b)
            bytes += char(b);
    return bytes;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class FtpTest : public IsolatedStore
{
protected:
    enum class Order { DataFirst, ReplyFirst };

    void SetUp() override
    {
        IsolatedStore::SetUp();
        QDir().mkpath(m_dir.path() + "/save");
        target = m_dir.path() + "/save/Trw504U.zip";
        Sites::Override(Site::UpgradeFtp, "127.0.0.1", server.port());
        server.greeting = {"220-Welcome to the\r\n", " scripted server\r\n220", " ready\r\n"};
        server.answer = [this](const QString& line) { return answer(line); };
        QObject::connect(&ftp, &FtpDownload::finished, [this](bool ok) { results << ok; });
    }

    Pieces answer(const QString& line)
    {
        if (line.startsWith("USER"))
            return {"331 password please\r\n"};
        if (line.startsWith("PASS"))
            return {"230 logged in\r\n"};
        if (line == "TYPE I")
            return {"200 binary\r\n"};
        if (line.startsWith("PORT ")) {
            const QStringList n = line.mid(5).split(',');
            dataPort = n.value(4).toInt() * 256 + n.value(5).toInt();
            return {"200 PORT ok\r\n"};
        }
        if (line.startsWith("RETR")) {
            if (!retrReply.isEmpty())
                return retrReply;
            QTimer::singleShot(30, [this] { sendData(); });
            if (!opening.isEmpty())
                return {opening};
            return {"150 Opening BINARY mode data connection for Trw504U.zip (" +
                    QByteArray::number(announced < 0 ? payload.size() : announced) + " bytes)\r\n"};
        }
        return {};
    }

    // Connects to the announced port from fromAddress, sends payload and closes.
    void sendData(const QString& fromAddress = "127.0.0.1")
    {
        auto* data = new QTcpSocket(&server);
        data->bind(QHostAddress(fromAddress));
        // The final reply goes only to the connection that asked for this file.
        const int connection = server.connections;
        const auto done = [this, connection] {
            if (server.connections == connection)
                server.push({"226 Transfer complete\r\n"});
        };
        QObject::connect(data, &QTcpSocket::connected, [this, data, done] {
            data->write(payload);
            data->flush();
            if (order == Order::ReplyFirst)
                done();
            QTimer::singleShot(60, data, [this, data, done] {
                data->disconnectFromHost();
                if (order == Order::DataFirst)
                    QTimer::singleShot(60, &server, done);
            });
        });
        data->connectToHost(QHostAddress::LocalHost, quint16(dataPort));
    }

    bool start()
    {
        test::dialogs().saveAnswers.enqueue(target);
        return ftp.StartDownload();
    }

    bool waitForEnd(int ms = 8000)
    {
        return ScriptedLineServer::waitUntil([this] { return !results.isEmpty(); }, ms);
    }

    ScriptedLineServer server;
    FtpDownload ftp;
    QString target;
    QByteArray payload = everyByte(40);
    qint64 announced = -1;
    QByteArray opening;  // a 150 reply of its own instead of the usual one
    Pieces retrReply;
    int dataPort = 0;
    Order order = Order::DataFirst;
    QList<bool> results;
};

TEST_F(FtpTest, TheWholeFileIsSavedWhicheverOfReplyAndDataCloseComesFirst)
{
    for (Order o : {Order::DataFirst, Order::ReplyFirst}) {
        SCOPED_TRACE(int(o));
        order = o;
        results.clear();
        server.lines.clear();
        test::dialogs().reset();
        ftp.Text1.clear();
        ASSERT_TRUE(start());
        ASSERT_TRUE(waitForEnd());
        EXPECT_EQ(results, QList<bool>{true});
        EXPECT_EQ(readAll(target), payload);
        ASSERT_GE(server.lines.size(), 5);
        EXPECT_EQ(server.lines.mid(0, 3), (QStringList{"USER anonymous", "PASS z@nowhere.test", "TYPE I"}));
        EXPECT_TRUE(server.lines[3].startsWith("PORT 127,0,0,1,")) << server.lines[3].toStdString();
        EXPECT_GE(dataPort, 1024);
        EXPECT_EQ(server.lines[4], "RETR /orvane/Trw504U.zip");
        EXPECT_EQ(ftp.Text1, server.lines.mid(0, 5).join("\r\n") + "\r\n");
        EXPECT_EQ(ftp.TotalBytes, payload.size());
        EXPECT_EQ(ftp.Label1, QString::number(payload.size()) + " / " + QString::number(payload.size()));
        ASSERT_FALSE(test::dialogs().shown.isEmpty());
        EXPECT_EQ(test::dialogs().shown.last().prompt, FtpDownload::DoneText);
        EXPECT_EQ(test::dialogs().shown.last().title, "Done");
        EXPECT_FALSE(ftp.Timer1().isActive());
        const auto saves = test::dialogs().saveRequests;
        ASSERT_FALSE(saves.isEmpty());
        EXPECT_EQ(saves.last().title, "Tradewright Upgrade");
        EXPECT_EQ(saves.last().defaultFileName, "Trw504U.zip");
        EXPECT_EQ(saves.last().filters, QStringList{"Zip File (*.zip)"});
    }
}

TEST_F(FtpTest, AShortFileIsAnErrorAndIsRemoved)
{
    announced = payload.size() + 100;
    ASSERT_TRUE(start());
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(results, QList<bool>{false});
    EXPECT_FALSE(QFile::exists(target));
    ASSERT_FALSE(test::dialogs().shown.isEmpty());
    EXPECT_TRUE(test::dialogs().shown.last().prompt.startsWith("Error! The file is incomplete"));
    for (const auto& box : test::dialogs().shown)
        EXPECT_NE(box.title, "Done");
}

TEST_F(FtpTest, ARefusedRetrShowsTheReplyAndRemovesTheFile)
{
    retrReply = {"550 /orvane/Trw504U.zip: No such file\r\n"};
    ASSERT_TRUE(start());
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(results, QList<bool>{false});
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(test::dialogs().shown.last().prompt, "Error! 550 /orvane/Trw504U.zip: No such file");
    EXPECT_EQ(test::dialogs().shown.last().title, "FTPget");
    EXPECT_EQ(ftp.Winsock1().State(), Socket::sckClosed);
}

TEST_F(FtpTest, ASilentServerEndsTheWaitAtTheTimeLimit)
{
    server.greeting = {};
    ftp.setTimeoutMs(300);
    ASSERT_TRUE(start());
    ASSERT_TRUE(waitForEnd(5000));
    EXPECT_EQ(results, QList<bool>{false});
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(FtpTest, ADataConnectionFromAnotherAddressIsNotLetIn)
{
    // Instead of the server, 127.0.0.2 connects first; it is turned away and the
    // server's own connection then delivers the file.
    retrReply = {"150 Opening data connection (10240 bytes)\r\n"};
    ASSERT_TRUE(start());
    ASSERT_TRUE(server.waitForLines(5));
    QTcpSocket intruder;
    bool wasConnected = false, wasDropped = false;
    QObject::connect(&intruder, &QTcpSocket::connected, [&] {
        wasConnected = true;
        intruder.write("not the archive");
    });
    QObject::connect(&intruder, &QTcpSocket::disconnected, [&] { wasDropped = true; });
    intruder.bind(QHostAddress("127.0.0.2"));
    intruder.connectToHost(QHostAddress::LocalHost, quint16(dataPort));
    ASSERT_TRUE(ScriptedLineServer::waitUntil([&] { return wasConnected && wasDropped; }));
    EXPECT_EQ(ftp.BytesReceived, 0);
    sendData();
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(results, QList<bool>{true});
    EXPECT_EQ(readAll(target), payload);
}

TEST_F(FtpTest, CancelInTheSaveDialogLeavesStartDisabledAndConnectsNothing)
{
    EXPECT_FALSE(ftp.StartDownload());  // no answer scripted: Cancel
    EXPECT_FALSE(ftp.StartEnabled);
    ScriptedLineServer::waitUntil([] { return false; }, 100);
    EXPECT_EQ(server.connections, 0);
}

TEST_F(FtpTest, ClosingTheWindowMidTransferAbortsBothConnections)
{
    retrReply = {"150 Opening data connection (999999 bytes)\r\n"};
    ASSERT_TRUE(start());
    ASSERT_TRUE(server.waitForLines(5));
    ftp.Abort();
    EXPECT_FALSE(ftp.busy());
    EXPECT_EQ(ftp.Winsock1().State(), Socket::sckClosed);
    EXPECT_EQ(ftp.Winsock2().State(), Socket::sckClosed);
    EXPECT_FALSE(QFile::exists(target));
}

// The chosen path already holds an older archive: it is replaced only by a download
// that ends well; every other end leaves it as it was, and no temporary file stays.
TEST_F(FtpTest, AnOlderArchiveIsReplacedOnlyByAWholeDownload)
{
    const QByteArray older = "the older archive";
    const QByteArray noSize = "150 Opening BINARY mode data connection for Trw504U.zip\r\n";
    const qint64 size = payload.size();
    const struct
    {
        const char* name;
        qint64 announced;
        QByteArray opening;
        qint64 cap;
        Pieces retr;
        QString error;  // "" when the download ends well
    } cases[] = {
        {"announced", -1, {}, FtpDownload::DefaultMaxUnannouncedBytes, {}, ""},
        {"no size announced", -1, noSize, FtpDownload::DefaultMaxUnannouncedBytes, {}, ""},
        {"no size, past the cap", -1, noSize, size - 1, {},
         "Error! The server announced no size and sent more than " + QString::number(size - 1) + " bytes."},
        {"past the announced size", size - 100, {}, FtpDownload::DefaultMaxUnannouncedBytes, {},
         "Error! The server sent more than the announced " + QString::number(size - 100) + " bytes."},
        {"short", size + 100, {}, FtpDownload::DefaultMaxUnannouncedBytes, {},
         "Error! The file is incomplete: " + QString::number(size) + " of " + QString::number(size + 100) +
             " bytes arrived."},
        {"refused", -1, {}, FtpDownload::DefaultMaxUnannouncedBytes, {"550 No such file\r\n"},
         "Error! 550 No such file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            QFile f(target);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(older);
        }
        announced = c.announced;
        opening = c.opening;
        retrReply = c.retr;
        ftp.setMaxUnannouncedBytes(c.cap);
        results.clear();
        test::dialogs().reset();
        ASSERT_TRUE(start());
        ASSERT_TRUE(waitForEnd());
        EXPECT_EQ(results, QList<bool>{c.error.isEmpty()});
        ASSERT_FALSE(test::dialogs().shown.isEmpty());
        EXPECT_EQ(test::dialogs().shown.last().prompt, c.error.isEmpty() ? FtpDownload::DoneText : c.error);
        EXPECT_EQ(readAll(target), c.error.isEmpty() ? payload : older);
        EXPECT_EQ(QDir(QFileInfo(target).path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Trw504U.zip"});
        if (c.opening == noSize && c.error.isEmpty()) {
            EXPECT_EQ(ftp.Label1, QString::number(size) + " / 150");  // the number at the reply's start
        }
    }

    // Closing the window mid-transfer keeps the older archive too.
    retrReply = {"150 Opening data connection (999999 bytes)\r\n"};
    ASSERT_TRUE(start());
    ASSERT_TRUE(server.waitForLines(5));
    ftp.Abort();
    EXPECT_EQ(readAll(target), older);
    EXPECT_EQ(QDir(QFileInfo(target).path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Trw504U.zip"});
}

TEST(FtpNumbers, TheSizeIsTheNumberAfterTheFirstParenthesis)
{
    const struct { const char* reply; qint64 size; } cases[] = {
        {"150 Opening BINARY mode data connection for Trw504U.zip (1234 bytes)", 1234},
        {"150 Opening data connection", 150},
        {"150 x (  77 bytes)", 77},
        {"150 x (abc)", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FtpDownload::AnnouncedSize(c.reply), c.size) << c.reply;
}

TEST(FtpNumbers, ASizeIsAnnouncedOnlyByADigitAfterTheParenthesis)
{
    const struct { const char* reply; bool announced; } cases[] = {
        {"150 Opening BINARY mode data connection for Trw504U.zip (1234 bytes)", true},
        {"150 x (  77 bytes)", true},
        {"150 x (0 bytes)", true},
        {"150 Opening data connection", false},
        {"150 x (abc)", false},
        {"150 x (", false},
        {"150 x () (12 bytes)", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FtpDownload::SizeAnnounced(c.reply), c.announced) << c.reply;
}

TEST(FtpNumbers, TheRateTextsFollowTheNumberForm)
{
    const struct { qint64 total, received, last; const char* rate; const char* left; } cases[] = {
        {3072, 1536, 1024, ".5 KB/s", "3 Sec left."},
        {10240, 2048, 0, "2 KB/s", "4 Sec left."},
        {100, 0, 0, "0 KB/s", "Dun"},
        {1000, 300, 0, ".29296875 KB/s", "2.33333333333333 Sec left."},
    };
    for (const auto& c : cases) {
        FtpDownload ftp;
        ftp.TotalBytes = c.total;
        ftp.BytesReceived = c.received;
        ftp.BytesAtLastTick = c.last;
        ftp.Timer1_Timer();
        EXPECT_EQ(ftp.Label2, c.rate);
        EXPECT_EQ(ftp.Label3, c.left);
        EXPECT_EQ(ftp.BytesAtLastTick, c.received);
    }
}

// Debian's pyftpdlib serving a file of every byte value on 127.0.0.1 and a free port.
TEST_F(FtpTest, ARealServerDeliversTheFileByteForByte)
{
    QProcess probe;
    probe.start("/usr/bin/python3", {"-c", "import pyftpdlib"});
    if (!probe.waitForFinished(10000) || probe.exitCode() != 0)
        GTEST_SKIP() << "python3-pyftpdlib is not installed (scripts/setup installs it)";
    const QString root = m_dir.path() + "/ftproot";
    QDir().mkpath(root + "/orvane");
    payload = everyByte(300);
    {
        QFile f(root + "/orvane/Trw504U.zip");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(payload);
    }
    const quint16 port = test::LoopbackHttpServer::unusedPort();
    QProcess ftpd;
    ftpd.start("/usr/bin/python3", {"-m", "pyftpdlib", "-i", "127.0.0.1", "-p", QString::number(port), "-d", root});
    ASSERT_TRUE(ftpd.waitForStarted());
    ASSERT_TRUE(ScriptedLineServer::waitUntil([&] {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, port);
        return s.waitForConnected(100);
    }, 10000));
    Sites::Override(Site::UpgradeFtp, "127.0.0.1", port);
    ASSERT_TRUE(start());
    ASSERT_TRUE(waitForEnd(15000));
    ftpd.kill();
    ftpd.waitForFinished();
    EXPECT_EQ(results, QList<bool>{true});
    EXPECT_EQ(readAll(target), payload);
}

} // namespace
