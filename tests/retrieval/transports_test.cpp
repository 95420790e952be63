// The two transports and the cache rules, against a server on 127.0.0.1.
#include "RetrievalFixture.h"

#include "platform/AppPath.h"
#include "retrieval/CacheFiles.h"
#include "stockdata/EntryRules.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

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

TEST_F(RetrievalTest, SocketErrorShowsItsMessageAndTheWaitEnds)
{
    Sites::Override(Site::OptionQuotes, test::LoopbackHttpServer::host(), test::LoopbackHttpServer::unusedPort());
    setStocks({QStringLiteral("IBM"), QStringLiteral("MSFT")});

    downloaders->UpdateOptions();

    ASSERT_EQ(test::dialogs().shown.size(), 2);  // one per stock: the loop goes on
    EXPECT_EQ(test::dialogs().shown[0].prompt, QStringLiteral("Error Connection is refused by the remote host"));
    EXPECT_EQ(test::dialogs().shown[0].buttons, Dialogs::vbOKOnly);
    EXPECT_EQ(test::dialogs().shown[0].title, Dialogs::appTitle());  // no title of its own
    EXPECT_EQ(transports->Winsock1.State(), Socket::sckClosed);
    EXPECT_FALSE(FileExists(cachePath(QStringLiteral("IBM_op.Sh"))));
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
