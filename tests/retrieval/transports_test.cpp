// The two transports and the cache rules, against a server on 127.0.0.1.
#include "RetrievalFixture.h"

#include "platform/AppPath.h"
#include "platform/Codec.h"
#include "platform/Dialogs.h"
#include "platform/HttpReply.h"
#include "retrieval/CacheFiles.h"
#include "stockdata/EntryRules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QTimer>

#include <cerrno>

namespace {

const QString kOptions = QStringLiteral("/QuoteTable.dat");

} // namespace

TEST_F(RetrievalTest, SocketRequestIsTheBareHttp10GetAndTheFileHoldsTheReplyPlusCrLf)
{
    const QByteArray reply = rawReply(1500);
    server->setRawReply(kOptions, reply);
    setStocks({QStringLiteral("ibm")});

    downloaders->UpdateOptions();

    ASSERT_EQ(server->requests().size(), 1);
    const QByteArray expected = "GET http://127.0.0.1:" + QByteArray::number(server->port()) +
                                "/QuoteTable.dat?TICKER=IBM HTTP/1.0\r\n"
                                "Accept: */*\r\n"
                                "Accept: text/html\r\n"
                                "\r\n";
    EXPECT_EQ(server->requests().first(), expected);
    EXPECT_EQ(readCache(QStringLiteral("ibm_op.Sh")), reply + "\r\n");
    EXPECT_FALSE(port.state.SockBusy);
    EXPECT_EQ(transports->Winsock1.State(), Socket::sckClosed);
    EXPECT_EQ(port.title, QStringLiteral("Tradewright 5.0    Getting ibm Call/Put Options"));
}

TEST_F(RetrievalTest, ThresholdsOnBothPaths)
{
    // The socket path counts the CR LF it appends; the fetch path writes the body only.
    struct Case
    {
        const char* what;
        bool socket;
        int bytes;      // raw reply (socket) or body (fetch)
        bool kept;
    };
    const Case cases[] = {
        {"socket file 999", true, 997, false},
        {"socket file 1000", true, 998, true},
        {"fetch body 999", false, 999, false},
        {"fetch body 1000", false, 1000, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setStocks({QStringLiteral("IBM")});
        QString file;
        if (c.socket) {
            server->setRawReply(kOptions, rawReply(c.bytes));
            downloaders->UpdateOptions();
            file = QStringLiteral("IBM_op.Sh");
        } else {
            server->setReply(QStringLiteral("/t/i/IBM.html"), page(c.bytes));
            downloaders->UpdateIT();
            file = QStringLiteral("IBM_it.Sh");
        }
        EXPECT_EQ(FileExists(cachePath(file)), c.kept);
        if (c.kept) {
            EXPECT_EQ(readCache(file).size(), 1000);
        }
        RemoveFile(cachePath(file));
    }
}

// A disk that refuses a page (full, read-only) leaves the page before it in place on
// both paths, and the pass ends with one status text that says how many pages were
// not saved.
TEST_F(RetrievalTest, PagesTheDiskRefusesKeepTheOldOnesAndTheRunSaysSo)
{
    setStocks({QStringLiteral("IBM")});
    server->setRawReply(kOptions, rawReply(3000));
    server->setReply(QStringLiteral("/t/i/IBM.html"), page(3000));
    writeCache(QStringLiteral("IBM_op.Sh"), page(1500));
    writeCache(QStringLiteral("IBM_it.Sh"), page(1500));
    SetWriteFailure(cachePath(QString()), ENOSPC);
    {
        Transports::PassScope run(*transports);
        downloaders->UpdateOptions();
        downloaders->UpdateIT();
        EXPECT_TRUE(port.statusTexts.isEmpty());  // not before the pass ends
    }
    SetWriteFailure(cachePath(QString()), 0);
    EXPECT_EQ(transports->lastSocketOutcome(), Transports::SocketOutcome::WriteFailed);
    EXPECT_EQ(readCache(QStringLiteral("IBM_op.Sh")), page(1500));
    EXPECT_EQ(readCache(QStringLiteral("IBM_it.Sh")), page(1500));
    ASSERT_EQ(port.statusTexts.size(), 1);
    EXPECT_TRUE(port.statusTexts.first().startsWith(QStringLiteral("Pages not saved: 2 (")))
        << qPrintable(port.statusTexts.first());

    // The next pass writes again and says nothing of the last one.
    downloaders->UpdateIT();
    EXPECT_EQ(readCache(QStringLiteral("IBM_it.Sh")), page(3000));
    EXPECT_EQ(port.statusTexts.size(), 1);
}

TEST_F(RetrievalTest, NameTestComparesTheStoredNameLetterForLetter)
{
    // A small reply under a name that differs only in letter case stays; under the
    // exact name it is deleted. A large one stays either way.
    struct Case
    {
        const char* what;
        const char* existing;  // file on disk before the fetch ("" none)
        int fileBytes;         // size of the written file
        bool kept;
    };
    const Case cases[] = {
        {"exact name, 2400", "", 2400, false},
        {"other case, 2400", "ibm_SP.sh", 2400, true},
        {"exact name, 2500", "", 2500, true},
        {"exact name, 2499", "", 2499, false},
    };
    setStocks({QStringLiteral("IBM")});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (*c.existing)
            writeCache(QLatin1String(c.existing), "old");
        server->setRawReply(QStringLiteral("/splits/splits-single-company.asp"), rawReply(c.fileBytes - 2));
        downloaders->UpdateSplits();
        EXPECT_EQ(FileExists(cachePath(QStringLiteral("IBM_sp.Sh"))), c.kept);
        if (*c.existing && c.kept) {
            EXPECT_EQ(DirEntry(cachePath(QStringLiteral("IBM_sp.Sh"))), QLatin1String(c.existing));
        }
        RemoveFile(cachePath(QStringLiteral("IBM_sp.Sh")));
    }
}

TEST_F(RetrievalTest, StopDuringASocketDownloadClosesWritesNothingAndEndsTheLoop)
{
    writeCache(QStringLiteral("IBM_op.Sh"), page(3000));
    server->setSlow(kOptions, rawReply(4000), 100, 20);
    setStocks({QStringLiteral("IBM"), QStringLiteral("MSFT")});
    QTimer::singleShot(150, [&] {
        // What the Stop button does.
        port.state.StopFlag = true;
        transports->CancelTransports();
    });

    QElapsedTimer clock;
    clock.start();
    downloaders->UpdateOptions();

    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(server->requests().size(), 1);  // MSFT is never asked for
    EXPECT_EQ(readCache(QStringLiteral("IBM_op.Sh")), page(3000));
    EXPECT_FALSE(FileExists(cachePath(QStringLiteral("MSFT_op.Sh"))));
    EXPECT_FALSE(port.state.SockBusy);
    EXPECT_EQ(transports->Winsock1.State(), Socket::sckClosed);
    EXPECT_EQ(transports->lastSocketOutcome(), Transports::SocketOutcome::Stopped);
}

TEST_F(RetrievalTest, FailedSocketRequestsWriteNothingAndKeepTheOldPage)
{
    struct Case
    {
        const char* what;
        test::LoopbackHttpServer::Behaviour behaviour;
        QByteArray reply;
        Transports::SocketOutcome outcome;
    };
    const Case cases[] = {
        {"closes without a reply", test::LoopbackHttpServer::Behaviour::CloseWithoutReply, {},
         Transports::SocketOutcome::Empty},
        {"never answers", test::LoopbackHttpServer::Behaviour::NeverAnswer, {}, Transports::SocketOutcome::TimedOut},
        {"body shorter than announced", test::LoopbackHttpServer::Behaviour::Reply,
         "HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\n" + page(3000), Transports::SocketOutcome::Truncated},
    };
    transports->setWaitLimitMs(300);
    setStocks({QStringLiteral("IBM")});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeCache(QStringLiteral("IBM_op.Sh"), page(3000));
        test::LoopbackHttpServer::Route route;
        route.behaviour = c.behaviour;
        route.reply = c.reply;
        server->setRoute(kOptions, route);
        QElapsedTimer clock;
        clock.start();
        downloaders->UpdateOptions();
        EXPECT_LT(clock.elapsed(), 3000);
        EXPECT_EQ(transports->lastSocketOutcome(), c.outcome);
        EXPECT_EQ(readCache(QStringLiteral("IBM_op.Sh")), page(3000));
        EXPECT_EQ(transports->Winsock1.State(), Socket::sckClosed);
        EXPECT_FALSE(port.state.SockBusy);
    }
}

TEST_F(RetrievalTest, RepliesThatAreNotWholePagesKeepTheOldPageOnBothPaths)
{
    using Server = test::LoopbackHttpServer;
    const QByteArray old = page(3000);
    const QByteArray body = page(4000);
    const QByteArray cutShort = "HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\n" + body;
    const QByteArray brokenChunks =
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\nzz\r\n" + body + "\r\n0\r\n\r\n";
    struct Case
    {
        const char* what;
        QByteArray socketReply;
        QByteArray fetchReply;
        Transports::SocketOutcome socket;
        UrlFetch::Outcome fetch;
    };
    const Case cases[] = {
        {"body shorter than its Content-Length", cutShort, cutShort, Transports::SocketOutcome::Truncated,
         UrlFetch::Outcome::Truncated},
        {"redirect to itself", Server::redirectReply("/QuoteTable.dat?TICKER=IBM"), Server::redirectReply("/t/i/IBM.html"),
         Transports::SocketOutcome::ErrorStatus, UrlFetch::Outcome::ErrorStatus},
        {"chunked body not in chunk form", brokenChunks, brokenChunks, Transports::SocketOutcome::BrokenChunks,
         UrlFetch::Outcome::BrokenChunks},
        {"chunked body cut short", Server::chunkedReply({body}, false), {}, Transports::SocketOutcome::BrokenChunks,
         UrlFetch::Outcome::None},
        {"not found", Server::httpReply(body, 404), Server::httpReply(body, 404), Transports::SocketOutcome::ErrorStatus,
         UrlFetch::Outcome::ErrorStatus},
        {"server error", Server::httpReply(body, 500), Server::httpReply(body, 500),
         Transports::SocketOutcome::ErrorStatus, UrlFetch::Outcome::ErrorStatus},
    };
    setStocks({QStringLiteral("IBM")});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeCache(QStringLiteral("IBM_op.Sh"), old);
        writeCache(QStringLiteral("IBM_it.Sh"), old);
        server->setRawReply(kOptions, c.socketReply);
        downloaders->UpdateOptions();
        EXPECT_EQ(transports->lastSocketOutcome(), c.socket);
        EXPECT_EQ(readCache(QStringLiteral("IBM_op.Sh")), old);
        if (c.fetch == UrlFetch::Outcome::None)
            continue;  // a socket case only
        server->setRawReply(QStringLiteral("/t/i/IBM.html"), c.fetchReply);
        downloaders->UpdateIT();
        EXPECT_EQ(transports->Inet1.lastOutcome(), c.fetch);
        EXPECT_FALSE(transports->lastDownloadWritten());
        EXPECT_EQ(readCache(QStringLiteral("IBM_it.Sh")), old);
    }
    // The server answered every time: no host failed, no box.
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
    // A whole page on each path still replaces the old one.
    server->setRawReply(kOptions, Server::chunkedReply({body}));
    server->setRawReply(QStringLiteral("/t/i/IBM.html"), Server::chunkedReply({body}));
    downloaders->UpdateOptions();
    downloaders->UpdateIT();
    EXPECT_EQ(readCache(QStringLiteral("IBM_op.Sh")), Server::chunkedReply({body}) + "\r\n");
    EXPECT_EQ(readCache(QStringLiteral("IBM_it.Sh")), body);
}

TEST_F(RetrievalTest, ChunkedRepliesOutOfFormAndOversizedHeadsKeepTheOldPageByteForByteOnBothPaths)
{
    // Each reply goes to both transports; none may touch the old page. A good first
    // chunk comes before each fault, so a reader that trusts the framing would write
    // a fragment.
    const QByteArray old = page(3000);
    const QByteArray head = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n";
    const QByteArray first = "10\r\n0123456789abcdef\r\n";
    const struct
    {
        const char* what;
        QByteArray reply;
        Transports::SocketOutcome socket;
        UrlFetch::Outcome fetch;
    } cases[] = {
        {"size line not hexadecimal", head + first + "zz\r\n" + page(500) + "\r\n0\r\n\r\n",
         Transports::SocketOutcome::BrokenChunks, UrlFetch::Outcome::BrokenChunks},
        {"size line empty", head + first + "\r\n0\r\n\r\n", Transports::SocketOutcome::BrokenChunks,
         UrlFetch::Outcome::BrokenChunks},
        {"size past fifteen digits", head + first + "10000000000000000\r\n" + page(500) + "\r\n0\r\n\r\n",
         Transports::SocketOutcome::BrokenChunks, UrlFetch::Outcome::BrokenChunks},
        {"size line without end", head + first + QByteArray(8 * 1024, '1'), Transports::SocketOutcome::BrokenChunks,
         UrlFetch::Outcome::BrokenChunks},
        {"cut inside a chunk", head + first + "400\r\n" + page(500), Transports::SocketOutcome::BrokenChunks,
         UrlFetch::Outcome::BrokenChunks},
        {"cut before the last chunk", head + first, Transports::SocketOutcome::BrokenChunks,
         UrlFetch::Outcome::BrokenChunks},
        {"cut in the trailers", head + first + "0\r\n", Transports::SocketOutcome::BrokenChunks,
         UrlFetch::Outcome::BrokenChunks},
        {"chunk longer than its size", head + first + "8\r\n" + page(500) + "\r\n0\r\n\r\n",
         Transports::SocketOutcome::BrokenChunks, UrlFetch::Outcome::BrokenChunks},
        {"bytes after the last chunk", head + first + "0\r\n\r\n" + page(500), Transports::SocketOutcome::BrokenChunks,
         UrlFetch::Outcome::BrokenChunks},
        {"head over the cap", "HTTP/1.1 200 OK\r\nX-Filler: " + QByteArray(HttpReply::Reader::MaxHeadBytes, 'f') +
                                  "\r\nContent-Length: 500\r\n\r\n" + page(500),
         Transports::SocketOutcome::TooLarge, UrlFetch::Outcome::TooLarge},
        {"head of many lines over the cap", "HTTP/1.1 200 OK\r\n" + QByteArray("X-Filler: f\r\n").repeated(6000) +
                                                "\r\n" + page(500),
         Transports::SocketOutcome::TooLarge, UrlFetch::Outcome::TooLarge},
    };
    setStocks({QStringLiteral("IBM")});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeCache(QStringLiteral("IBM_op.Sh"), old);
        writeCache(QStringLiteral("IBM_it.Sh"), old);
        server->setRawReply(kOptions, c.reply);
        server->setRawReply(QStringLiteral("/t/i/IBM.html"), c.reply);
        downloaders->UpdateOptions();
        EXPECT_EQ(transports->lastSocketOutcome(), c.socket);
        EXPECT_EQ(readCache(QStringLiteral("IBM_op.Sh")), old);
        downloaders->UpdateIT();
        EXPECT_EQ(transports->Inet1.lastOutcome(), c.fetch);
        EXPECT_FALSE(transports->lastDownloadWritten());
        EXPECT_EQ(readCache(QStringLiteral("IBM_it.Sh")), old);
    }
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
    // Trailers after the last chunk are allowed, and a head just under the cap (the
    // pages big enough for the downloaders' size rule).
    const QByteArray trailed = head + "fa0\r\n" + page(4000) + "\r\n0\r\nX-Trailer: 1\r\n\r\n";
    const QByteArray bigHead = "HTTP/1.1 200 OK\r\nX-Filler: " +
                               QByteArray(HttpReply::Reader::MaxHeadBytes - 200, 'f') + "\r\n\r\n" + page(4000);
    for (const QByteArray& reply : {trailed, bigHead}) {
        server->setRawReply(kOptions, reply);
        server->setRawReply(QStringLiteral("/t/i/IBM.html"), reply);
        downloaders->UpdateOptions();
        downloaders->UpdateIT();
        EXPECT_EQ(readCache(QStringLiteral("IBM_op.Sh")), reply + "\r\n");
        EXPECT_EQ(readCache(QStringLiteral("IBM_it.Sh")), page(4000));
    }
}

TEST_F(RetrievalTest, AFailingHostShowsOneBoxAndItsLaterRequestsAreSkippedAndLogged)
{
    // One downloader called on its own is one pass; three stocks on a host that fails.
    struct Case
    {
        const char* what;
        Site site;
        void (Downloaders::*member)();
        bool closedPort;  // else the server takes the request and never answers
        const char* prompt;
        const char* target;  // the second stock's request, as logged
        const char* tag;
    };
    const Case cases[] = {
        {"socket, closed port", Site::OptionQuotes, &Downloaders::UpdateOptions, true,
         "Error Connection is refused by the remote host", "/QuoteTable.dat?TICKER=MSFT", "Transports_SocketFetch"},
        {"fetch control, closed port", Site::Quotes, &Downloaders::UpdateNews, true,
         "Error Connection is refused by the remote host", "/q?s=MSFT", "Transports_DownloadFile"},
        {"socket, no answer", Site::OptionQuotes, &Downloaders::UpdateOptions, false, "Error The request timed out",
         "/QuoteTable.dat?TICKER=MSFT", "Transports_SocketFetch"},
        {"fetch control, no answer", Site::Quotes, &Downloaders::UpdateNews, false, "Error The request timed out",
         "/q?s=MSFT", "Transports_DownloadFile"},
    };
    transports->setWaitLimitMs(300);
    transports->Inet1.setRequestTimeout(1);
    setStocks({QStringLiteral("IBM"), QStringLiteral("MSFT"), QStringLiteral("ORCL")});
    const QString log = AppPath() + QStringLiteral("/ErrorLog.txt");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::dialogs().reset();
        server->clearRecords();
        RemoveFile(log);
        const quint16 port = c.closedPort ? test::LoopbackHttpServer::unusedPort() : server->port();
        Sites::Override(c.site, test::LoopbackHttpServer::host(), port);
        server->setDefaultRoute({test::LoopbackHttpServer::Behaviour::NeverAnswer, {}, 16, 50});

        (downloaders.get()->*c.member)();

        ASSERT_EQ(test::dialogs().shown.size(), 1);
        EXPECT_EQ(test::dialogs().shown[0].prompt, QLatin1String(c.prompt));
        EXPECT_EQ(test::dialogs().shown[0].buttons, Dialogs::vbOKOnly);
        EXPECT_EQ(test::dialogs().shown[0].title, Dialogs::appTitle());  // no title of its own
        EXPECT_EQ(server->requests().size(), c.closedPort ? 0 : 1);
        const QString written = fromCp1252(ReadBytes(log));
        EXPECT_EQ(written.count(QStringLiteral("Description:   Skipped ")), 2);
        const QString origin = QStringLiteral("http://127.0.0.1:") + QString::number(port);
        EXPECT_TRUE(written.contains(QStringLiteral("Description:   Skipped ") + origin + QLatin1String(c.target) +
                                     QStringLiteral(": the host failed earlier in this update (") +
                                     QLatin1String(c.prompt).mid(6) + u')'))
            << written.toStdString();
        EXPECT_EQ(written.count(QStringLiteral("Where: ") + QLatin1String(c.tag)), 2);
        EXPECT_EQ(transports->Winsock1.State(), Socket::sckClosed);

        // The next call is a pass of its own: the host is asked again.
        (downloaders.get()->*c.member)();
        EXPECT_EQ(test::dialogs().shown.size(), 2);
        Sites::Override(c.site, test::LoopbackHttpServer::host(), server->port());
    }
}

TEST_F(RetrievalTest, RepliesOverTheCapAreNotKept)
{
    transports->setMaxReplyBytes(10000);
    setStocks({QStringLiteral("IBM")});
    server->setRawReply(kOptions, rawReply(20000));
    server->setReply(QStringLiteral("/t/i/IBM.html"), page(20000));

    downloaders->UpdateOptions();
    downloaders->UpdateIT();

    EXPECT_EQ(transports->lastSocketOutcome(), Transports::SocketOutcome::TooLarge);
    EXPECT_FALSE(FileExists(cachePath(QStringLiteral("IBM_op.Sh"))));
    EXPECT_FALSE(FileExists(cachePath(QStringLiteral("IBM_it.Sh"))));
    EXPECT_EQ(server->requests().size(), 2);
}

TEST_F(RetrievalTest, DownloadFileWritesTheBodyExactlyAndLeavesFilesAloneOnStopOrFailure)
{
    const QString target = cachePath(QStringLiteral("Yahooquote.Sh"));
    server->setReply(QStringLiteral("/short"), "new page");

    // A shorter page replaces a longer file whole; the name is found in any letter case.
    writeCache(QStringLiteral("Yahooquote.Sh"), page(5000));
    transports->DownloadFile(target, server->url(QStringLiteral("/short")), QStringLiteral("T1"));
    EXPECT_TRUE(transports->lastDownloadWritten());
    EXPECT_EQ(ReadBytes(cachePath(QStringLiteral("YahooQuote.Sh"))), QByteArray("new page"));
    EXPECT_EQ(port.title, QStringLiteral("T1"));

    // With the stop flag set: the title changes, nothing is fetched.
    port.state.StopFlag = true;
    transports->DownloadFile(cachePath(QStringLiteral("other.Sh")), server->url(QStringLiteral("/short")),
                             QStringLiteral("T2"));
    EXPECT_EQ(port.title, QStringLiteral("T2"));
    EXPECT_FALSE(FileExists(cachePath(QStringLiteral("other.Sh"))));
    EXPECT_EQ(server->requests().size(), 1);
    port.state.StopFlag = false;

    // A failed fetch: the old file stays, a missing one stays missing.
    const QString dead = QStringLiteral("http://127.0.0.1:") + QString::number(test::LoopbackHttpServer::unusedPort());
    transports->DownloadFile(target, dead + QStringLiteral("/short"), QStringLiteral("T3"));
    transports->DownloadFile(cachePath(QStringLiteral("none.Sh")), dead + QStringLiteral("/x"), QStringLiteral("T3"));
    EXPECT_FALSE(transports->lastDownloadWritten());
    EXPECT_EQ(ReadBytes(target), QByteArray("new page"));
    EXPECT_FALSE(FileExists(cachePath(QStringLiteral("none.Sh"))));
}

// The fetch control writes a page into a temporary file as it arrives: while the
// reply comes, that file holds what has come and the page is still the old one; a
// whole reply takes the page's place, a reply cut short leaves nothing behind.
TEST_F(RetrievalTest, TheFetchControlWritesAPageAsItArrivesAndPlacesOnlyAWholeOne)
{
    using Server = test::LoopbackHttpServer;
    const QString folder = QFileInfo(cachePath(QStringLiteral("x"))).absolutePath();
    const auto hiddenFiles = [&] {
        return QDir(folder).entryInfoList(QStringList{QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
    };
    const QByteArray fresh = page(6000);
    const QByteArray cutShort = "HTTP/1.0 200 OK\r\nContent-Length: 9000\r\n\r\n" + fresh;
    for (const bool pageExists : {false, true}) {
        for (const bool whole : {true, false}) {
            SCOPED_TRACE(std::string(pageExists ? "over an old page, " : "a new page, ") + (whole ? "whole" : "cut short"));
            const QString name = QStringLiteral("IBM_it.Sh");
            RemoveFile(cachePath(name));
            for (const QFileInfo& f : hiddenFiles())
                QFile::remove(f.filePath());
            if (pageExists)
                writeCache(name, page(3000));
            Server::Route slow;
            slow.behaviour = Server::Behaviour::Slow;
            slow.reply = whole ? Server::httpReply(fresh) : cutShort;
            slow.chunkBytes = 500;
            slow.intervalMs = 10;
            server->setRoute(QStringLiteral("/slow"), slow);

            int seen = 0;
            QByteArray arrived;
            QByteArray pageMeanwhile;
            const auto watch = QObject::connect(&transports->Inet1, &UrlFetch::StateChanged, [&](int state) {
                if (state != UrlFetch::icReceivingResponse || seen++ > 0)
                    return;
                const QFileInfoList temps = hiddenFiles();
                if (temps.size() == 1)
                    arrived = ReadBytes(temps.first().filePath());
                pageMeanwhile = readCache(name);
            });
            transports->DownloadFile(cachePath(name), server->url(QStringLiteral("/slow")), QStringLiteral("T"));
            QObject::disconnect(watch);

            ASSERT_GT(seen, 0);
            EXPECT_FALSE(arrived.isEmpty());
            EXPECT_LT(arrived.size(), fresh.size());
            EXPECT_TRUE(fresh.startsWith(arrived));
            EXPECT_EQ(pageMeanwhile, pageExists ? page(3000) : QByteArray());
            EXPECT_EQ(transports->lastDownloadWritten(), whole);
            EXPECT_EQ(readCache(name), whole ? fresh : pageExists ? page(3000) : QByteArray());
            EXPECT_EQ(FileExists(cachePath(name)), whole || pageExists);
            // Left behind at most the folder's scratch, which holds the page it replaced.
            for (const QFileInfo& f : hiddenFiles()) {
                EXPECT_TRUE(IsSaveTempName(f.fileName())) << qPrintable(f.fileName());
                EXPECT_TRUE(whole && pageExists) << qPrintable(f.fileName());
            }
        }
    }
}

TEST_F(RetrievalTest, StopDuringAFetchControlDownloadWritesNothing)
{
    writeCache(QStringLiteral("IBM_it.Sh"), page(3000));
    test::LoopbackHttpServer::Route slow;
    slow.behaviour = test::LoopbackHttpServer::Behaviour::Slow;
    slow.reply = test::LoopbackHttpServer::httpReply(page(6000));
    slow.chunkBytes = 200;
    slow.intervalMs = 20;
    server->setRoute(QStringLiteral("/t/i/IBM.html"), slow);
    server->setRoute(QStringLiteral("/t/m/MSFT.html"), slow);
    setStocks({QStringLiteral("IBM"), QStringLiteral("MSFT")});
    QTimer::singleShot(150, [&] {
        port.state.StopFlag = true;
        transports->CancelTransports();
    });

    downloaders->UpdateIT();

    EXPECT_EQ(server->requests().size(), 1);
    EXPECT_EQ(readCache(QStringLiteral("IBM_it.Sh")), page(3000));  // judged by the rule and kept
    EXPECT_EQ(port.statusTexts, QStringList{QStringLiteral("Please Wait..")});
    EXPECT_EQ(transports->Inet1.RequestTimeout(), 1);
}

TEST_F(RetrievalTest, TheWaitEndsAtItsTimeLimitWithoutSpinning)
{
    server->setBehaviour(kOptions, test::LoopbackHttpServer::Behaviour::NeverAnswer);
    transports->setWaitLimitMs(400);
    QElapsedTimer clock;
    clock.start();
    const auto outcome = transports->SocketFetch(cachePath(QStringLiteral("x_op.Sh")), Site::OptionQuotes,
                                                 QStringLiteral("/QuoteTable.dat?TICKER=X"), QStringLiteral("t"));
    const qint64 elapsed = clock.elapsed();
    EXPECT_EQ(outcome, Transports::SocketOutcome::TimedOut);
    EXPECT_GE(elapsed, 380);
    EXPECT_LT(elapsed, 2000);
    EXPECT_EQ(transports->Winsock1.State(), Socket::sckClosed);
    EXPECT_FALSE(FileExists(cachePath(QStringLiteral("x_op.Sh"))));
}

TEST_F(RetrievalTest, TheProgramsEndEndsASocketWaitAtOnce)
{
    // Quitting while a page waits on the socket: once the program is told to end no
    // event loop runs any more, so the wait gives up (writing nothing) instead of
    // spinning for ever.
    server->setBehaviour(kOptions, test::LoopbackHttpServer::Behaviour::NeverAnswer);
    transports->setWaitLimitMs(10000);
    auto outcome = Transports::SocketOutcome::None;
    QElapsedTimer clock;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(200, [] { QCoreApplication::exit(0); });
        clock.start();
        outcome = transports->SocketFetch(cachePath(QStringLiteral("x_op.Sh")), Site::OptionQuotes,
                                          QStringLiteral("/QuoteTable.dat?TICKER=X"), QStringLiteral("t"));
    });
    QCoreApplication::exec();
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(outcome, Transports::SocketOutcome::Stopped);
    EXPECT_EQ(transports->Winsock1.State(), Socket::sckClosed);
    EXPECT_FALSE(port.state.SockBusy);
    EXPECT_FALSE(FileExists(cachePath(QStringLiteral("x_op.Sh"))));
}

TEST(CacheFiles, SymbolsReachFileNamesAndAddressesOnlyWhenSafe)
{
    struct Case
    {
        const char* symbol;
        bool fileSafe;
        const char* encoded;
    };
    const Case cases[] = {
        {"IBM", true, "IBM"},
        {"BRK.B", true, "BRK.B"},
        {"^DJI", true, "^DJI"},
        {"EURUSD=X", true, "EURUSD=X"},
        {"BF-B", true, "BF-B"},
        {"A B&C", true, "A%20B%26C"},
        {"x?y#z", true, "x%3Fy%23z"},
        {"../etc", false, "..%2Fetc"},
        {"a/b", false, "a%2Fb"},
        {"a\\b", false, "a%5Cb"},
        {"..", false, ".."},
        {".", false, "."},
        {".IBM", false, ".IBM"},
        {"", false, ""},
        {"a\r\nb", false, "a%0D%0Ab"},
        {"a\tb", false, "a%09b"},
        {"a\x7f", false, "a%7F"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.symbol);
        EXPECT_EQ(IsFileSafeSymbol(QString::fromLatin1(c.symbol)), c.fileSafe);
        EXPECT_EQ(EncodeQueryValue(QString::fromLatin1(c.symbol)), QLatin1String(c.encoded));
    }
}

TEST(CacheFiles, FoldersAreCreatedBelowTheProgramFolder)
{
    QTemporaryDir home;
    const QString old = AppPath();
    SetAppPath(home.path());
    ASSERT_TRUE(CreateCacheFolders());
    for (const char* folder : {"Cache/Chart", "Cache/News", "Cache/DataSheet", "Cache/Reports/Annual Balance Sheet",
                               "Cache/Reports/Annual Income statement", "Cache/Reports/Options",
                               "Cache/Reports/Insiders Traders", "Cache/Reports/Quarterly Reports",
                               "Cache/Reports/Earnings", "Cache/Reports/Consultation", "Cache/Reports/Summary",
                               "Cache/Reports/Misc"})
        EXPECT_TRUE(QFileInfo(home.path() + u'/' + QLatin1String(folder)).isDir()) << folder;
    SetAppPath(old);
}
