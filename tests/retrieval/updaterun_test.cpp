// The update run: which downloaders a set of ticked boxes calls and in what order,
// the busy frame and the task panel, Stop, the one-stock rule, the connection check
// and the auto-update countdown; a whole run against the loopback server.
#include "FixtureFiles.h"
#include "OfflineProbe.h"
#include "UpdateRunFixture.h"

#include "USIndexPage.h"

#include "platform/AppPath.h"
#include "platform/Codec.h"
#include "platform/Dialer.h"
#include "platform/Dialogs.h"
#include "retrieval/CacheFiles.h"
#include "stockdata/Portfolio.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Stocks.h"

#include <QCryptographicHash>
#include <QFile>
#include <QNetworkProxy>
#include <QSignalSpy>

namespace {

using test::fixture;

using test::OfflineProbe;

TEST_F(UpdateRunTest, TickedBoxesRunInBoxOrderAndBoxesWithoutPagesAreNotCounted)
{
    tickOnly({98, 3, 44, 22, 85, 59, 61, 1});
    QList<int> calls;
    QStringList captionsDuringCalls;
    run->setItemCaller([&](int item) {
        calls << item;
        captionsDuringCalls << frame.buttonCaption + u'/' + frame.trayCaption + u'/' + frame.picture +
                                   (frame.groupsEnabled || frame.stocksEnabled ? "/enabled" : "/disabled");
    });
    QSignalSpy finished(run.get(), &UpdateRun::runFinished);

    frame.buttonCaption = QStringLiteral("Update");
    run->PressUpdateButton();

    EXPECT_EQ(calls, QList<int>({1, 3, 22, 61, 85, 98}));
    EXPECT_EQ(captionsDuringCalls, QStringList(6, QStringLiteral("Stop/Stop/B4/disabled")));
    // 44 and 59 have no page: not counted, so the panel ends at 0.
    EXPECT_EQ(frame.taskTexts, QStringList({"6/6", "5/6", "4/6", "3/6", "2/6", "1/6", "0/6", ""}));
    EXPECT_EQ(port.state.UpdateTotal, 6);
    EXPECT_EQ(port.state.UpdateRemaining, 0);
    EXPECT_TRUE(port.state.StopFlag);
    EXPECT_FALSE(port.state.OneStockOnly);
    EXPECT_TRUE(frame.isIdle());
    EXPECT_EQ(port.title, port.state.OrigCaption);
    EXPECT_EQ(port.statusTexts.last(), "");
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(run->isActive());
}

TEST_F(UpdateRunTest, TheRunAnnouncesItsStartEachItemAndItsEnd)
{
    tickOnly({3, 22});
    QStringList heard;
    run->setItemCaller([&](int item) { heard << QStringLiteral("fetch %1").arg(item); });
    QObject::connect(run.get(), &UpdateRun::runStarted, run.get(), [&] { heard << "started"; });
    QObject::connect(run.get(), &UpdateRun::pagesWritten, run.get(),
                     [&](int item) { heard << QStringLiteral("written %1").arg(item); });
    QObject::connect(run.get(), &UpdateRun::runFinished, run.get(), [&] {
        heard << "finished";
        EXPECT_TRUE(frame.isIdle());  // the end steps are done when the end is announced
    });
    run->StartUpdate();
    EXPECT_EQ(heard, QStringList({"started", "fetch 3", "written 3", "fetch 22", "written 22", "finished"}));

    // The fast price update is announced the same way.
    heard.clear();
    setStocks({"IBM"});
    server->setReply(QStringLiteral("/d/quotes.csv"), QByteArray(200, 'x'));
    run->UpdateFastPrices();
    EXPECT_EQ(heard, QStringList({"started", "finished"}));
}

TEST_F(UpdateRunTest, NoBoxTickedFetchesNothingAndReturnsToIdle)
{
    tickOnly({});
    port.state.OneStockOnly = true;
    CurrentSymbol() = QStringLiteral("IBM");
    setStocks({"IBM"});
    run->StartUpdate();

    EXPECT_EQ(frame.taskTexts, QStringList({"0/0", ""}));
    EXPECT_TRUE(server->requests().isEmpty());
    EXPECT_EQ(frame.buttonCaptions, QStringList({"Stop", "Update"}));
    EXPECT_TRUE(frame.isIdle());
    EXPECT_TRUE(port.state.StopFlag);
    EXPECT_FALSE(port.state.OneStockOnly);
    EXPECT_EQ(port.title, port.state.OrigCaption);
}

TEST_F(UpdateRunTest, OneStockModeWithoutAStockSaysSoAndFetchesNothing)
{
    tickOnly({0, 8, 16});
    port.state.OneStockOnly = true;
    CurrentSymbol().clear();
    QList<int> calls;
    run->setItemCaller([&](int item) { calls << item; });

    run->StartUpdate();

    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_EQ(test::dialogs().shown[0].prompt, "You have to select one stock.");
    EXPECT_EQ(test::dialogs().shown[0].title, "Select stock and try again");
    EXPECT_EQ(test::dialogs().shown[0].buttons, Dialogs::vbOKOnly + Dialogs::vbInformation);
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(frame.taskTexts, QStringList({""}));
    EXPECT_FALSE(port.state.OneStockOnly);
    EXPECT_TRUE(port.state.StopFlag);
    EXPECT_TRUE(frame.isIdle());
}

TEST_F(UpdateRunTest, WithoutAConnectionTheRunEndsAtOnce)
{
    Settings::SaveSetting(QString::fromLatin1(Settings::Prompt), QStringLiteral("1"));
    Settings::SaveSetting(QString::fromLatin1(Settings::Q_Message), QStringLiteral("queued answers"));
    OfflineProbe offline;
    Dialer::install(&offline);
    tickOnly({16});
    QList<int> calls;
    run->setItemCaller([&](int item) { calls << item; });

    run->StartUpdate();
    Dialer::install(nullptr);

    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_EQ(test::dialogs().shown[0].title, "Not Connected");
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(frame.buttonCaptions, QStringList({"Update"}));  // never busy
    EXPECT_TRUE(frame.isIdle());
    EXPECT_TRUE(port.state.StopFlag);
    EXPECT_EQ(Settings::GetSetting(QString::fromLatin1(Settings::Q_Message)), "queued answers");
}

TEST_F(UpdateRunTest, StopMidRunShowsIdleAtOnceFetchesNothingMoreAndCannotBeRestartedWhileUnwinding)
{
    // Winners hangs; the stop comes while it waits. The adviser tip (19) and the US
    // market page (50) are still ticked after it.
    tickOnly({16, 19, 50});
    test::LoopbackHttpServer::Route hang;
    hang.behaviour = test::LoopbackHttpServer::Behaviour::NeverAnswer;
    server->setRoute(QStringLiteral("/dljd/mwwinners.htm"), hang);

    bool idleAtOnce = false;
    bool activeWhileUnwinding = false;
    QObject::connect(server.get(), &test::LoopbackHttpServer::requestReceived, run.get(), [&] {
        run->PressUpdateButton();  // reads "Stop": stops
        idleAtOnce = frame.isIdle() && port.state.StopFlag && port.title == port.state.OrigCaption;
        activeWhileUnwinding = run->isActive();
        run->PressUpdateButton();  // reads "Update" again, but the stopped run is still going
    });
    QSignalSpy finished(run.get(), &UpdateRun::runFinished);

    run->PressUpdateButton();

    EXPECT_TRUE(idleAtOnce);
    EXPECT_TRUE(activeWhileUnwinding);
    EXPECT_EQ(targets(), QStringList({"/dljd/mwwinners.htm"}));
    EXPECT_FALSE(QFile::exists(cachePath("mwwinners.Sh")));
    EXPECT_FALSE(QFile::exists(AppPath() + "/Tip.Sh"));
    // The panel counts down to the end of the ticked items, then empties.
    EXPECT_EQ(frame.taskTexts, QStringList({"3/3", "2/3", "1/3", "0/3", ""}));
    EXPECT_EQ(frame.buttonCaptions.count("Stop"), 1);  // no second run started
    EXPECT_EQ(finished.count(), 1);
    EXPECT_TRUE(frame.isIdle());
    EXPECT_TRUE(port.state.StopFlag);
    EXPECT_EQ(port.state.UpdateRemaining, 0);
}

TEST_F(UpdateRunTest, UntickingABoxDuringTheRunKeepsItFromBeingFetched)
{
    tickOnly({16, 17, 18});
    QList<int> calls;
    run->setItemCaller([&](int item) {
        calls << item;
        if (item == 16)
            updateChoices().setTicked(17, false);  // the Options window, while the run goes on
    });
    run->StartUpdate();
    EXPECT_EQ(calls, QList<int>({16, 18}));
    EXPECT_EQ(frame.taskTexts, QStringList({"3/3", "2/3", "1/3", ""}));  // not recounted
    EXPECT_EQ(port.state.UpdateRemaining, 0);
}

TEST_F(UpdateRunTest, StopWhileIdleOnlyPutsTheIdleStateBack)
{
    port.state.StopFlag = false;
    port.state.OneStockOnly = true;
    port.title = QStringLiteral("something else");
    run->StopUpdate();
    EXPECT_TRUE(port.state.StopFlag);
    EXPECT_FALSE(port.state.OneStockOnly);
    EXPECT_TRUE(frame.isIdle());
    EXPECT_EQ(port.title, port.state.OrigCaption);
    EXPECT_EQ(port.statusTexts, QStringList({""}));
}

// ---- the auto-update timer ---------------------------------------------------------

TEST_F(UpdateRunTest, CountdownTitlesAndTheAutomaticRun)
{
    tickOnly({});
    run->setAutoUpdateMin(5);
    const QString title = port.state.OrigCaption + "   Update Every: 5 Mintues,  Remain: %1 Mintues.";
    for (int remain : {4, 3, 2, 1}) {
        run->Timer1_Timer();
        EXPECT_EQ(port.title, title.arg(remain));
    }
    EXPECT_TRUE(frame.taskTexts.isEmpty());
    run->Timer1_Timer();  // the fifth tick runs the update, then shows the full interval
    EXPECT_EQ(frame.taskTexts, QStringList({"0/0", ""}));
    EXPECT_EQ(port.titles.at(port.titles.size() - 2), port.state.OrigCaption);
    EXPECT_EQ(port.title, title.arg(5));
    EXPECT_EQ(port.state.AutoUpdateCount, 0);
}

TEST_F(UpdateRunTest, BusyTicksCountBackDownAndAnIntervalOfZeroDoesNothing)
{
    run->setAutoUpdateMin(10);
    port.state.AutoUpdateCount = 3;
    frame.buttonCaption = QStringLiteral("Stop");  // a manual run is going
    port.title = QStringLiteral("run title");
    QList<int> counts;
    for (int i = 0; i < 4; ++i) {
        run->Timer1_Timer();
        counts << port.state.AutoUpdateCount;
    }
    EXPECT_EQ(counts, QList<int>({2, 1, 0, 0}));
    EXPECT_EQ(port.title, "run title");  // the title is the run's

    frame.buttonCaption = QStringLiteral("Update");
    run->setAutoUpdateMin(0);
    run->Timer1_Timer();
    EXPECT_EQ(port.state.AutoUpdateCount, 0);
    EXPECT_EQ(port.title, "run title");

    Settings::SaveSetting(QString::fromLatin1(Settings::AutoUpdate), QStringLiteral("90"));
    run->loadAutoUpdateMin();
    EXPECT_EQ(run->AutoUpdateMin(), 90);
    // What is no number of minutes counts as 0 and, with a tag, is logged.
    Settings::SaveSetting(QString::fromLatin1(Settings::AutoUpdate), QStringLiteral("40000"));
    run->loadAutoUpdateMin(QStringLiteral("frmMain_LoadData"));
    EXPECT_EQ(run->AutoUpdateMin(), 0);
    QFile log(AppPath() + QStringLiteral("/ErrorLog.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("frmMain_LoadData"));
}

TEST_F(UpdateRunTest, ATimerDueWhileOfflineDoesNotRefreshTheTitle)
{
    Settings::SaveSetting(QString::fromLatin1(Settings::Prompt), QStringLiteral("1"));
    OfflineProbe offline;
    Dialer::install(&offline);
    run->setAutoUpdateMin(1);
    port.title = QStringLiteral("before");
    run->Timer1_Timer();
    Dialer::install(nullptr);
    EXPECT_EQ(port.title, "before");
    EXPECT_EQ(port.state.AutoUpdateCount, 0);
    EXPECT_TRUE(frame.buttonCaptions.isEmpty());
}

// ---- the fetch control's state texts ---------------------------------------------

TEST_F(UpdateRunTest, FetchStateTextsAndTheStopAfterAFetchOutsideARun)
{
    const struct
    {
        int state;
        const char* text;
    } cases[] = {
        {3, "Connecting..."},
        {4, "connected"},
        {5, "request Data"},
        {7, "Downloading Data..."},
        {9, "Disconnecting..."},
        {10, "Disconnected from the host."},
        {11, "An error occurred in communicating."},
        {12, "The request has completed and all data has been received."},
        {8, ""},
    };
    port.state.UpdateRemaining = 1;  // an item of a run is being fetched: no stop
    for (const auto& c : cases) {
        port.title = QStringLiteral("status title");
        run->Inet1_StateChanged(c.state);
        EXPECT_EQ(port.statusTexts.last(), QString::fromLatin1(c.text)) << c.state;
        EXPECT_EQ(port.title, c.state == 11 ? port.state.OrigCaption : QStringLiteral("status title")) << c.state;
    }
    EXPECT_TRUE(frame.buttonCaptions.isEmpty());

    port.state.UpdateRemaining = 0;
    port.state.StopFlag = false;
    frame.busyPointer = true;
    run->Inet1_StateChanged(12);
    EXPECT_TRUE(port.state.StopFlag);
    EXPECT_TRUE(frame.isIdle());
    EXPECT_FALSE(frame.busyPointer);
    EXPECT_EQ(port.statusTexts.last(), "");
}

// ---- a whole run against the loopback server -------------------------------------

TEST_F(UpdateRunTest, FullRunFillsTheCacheTheStockTableAndTheNewsList)
{
    useProgramServices();
    setStocks({"IBM", "MSFT"});
    Stocks()[1].CompanyName = QStringLiteral("Old Name");
    tickOnly({1, 2, 8, 16, 85});
    // A quote page left from an earlier day under another spelling of its name: it must
    // not be taken for the page of a stock whose fetch fails.
    writeCache("YAHOOQUOTE.SH", fixture("sheets/quote_page.htm"));

    const QByteArray options = rawReply(1500);
    const QByteArray winners = page(3000);
    const QByteArray splits = rawReply(4000);
    server->setReply(QStringLiteral("/q?s=ibm&d=t"), fixture("sheets/quote_page.htm"));
    server->setBehaviour(QStringLiteral("/q?s=msft&d=t"), test::LoopbackHttpServer::Behaviour::CloseWithoutReply);
    server->setReply(QStringLiteral("/q?s=IBM"), fixture("sheets/news_page.htm"));
    server->setReply(QStringLiteral("/q?s=MSFT"), "<html>no news today</html>");
    server->setRawReply(QStringLiteral("/QuoteTable.dat"), options);
    server->setReply(QStringLiteral("/dljd/mwwinners.htm"), winners);
    server->setRawReply(QStringLiteral("/splits/splits-nextweek.asp"), splits);

    run->PressUpdateButton();

    // (The HTTP layer asks once more when a server closes without a word.)
    QStringList asked = targets();
    asked.removeDuplicates();
    EXPECT_EQ(asked, QStringList({"/q?s=ibm&d=t", "/q?s=msft&d=t", "/q?s=IBM", "/q?s=MSFT",
                                      "/QuoteTable.dat?TICKER=IBM", "/QuoteTable.dat?TICKER=MSFT",
                                      "/dljd/mwwinners.htm", "/splits/splits-nextweek.asp"}))
        << asked.join(" | ").toStdString();
    // The stock table: IBM priced from its page; MSFT's fetch failed and its row kept
    // its values (IBM's page was not taken for it).
    EXPECT_EQ(Stocks()[0].CompanyName, "International Business Machines Corp & Co");
    EXPECT_EQ(Stocks()[0].LastPrice, "84.50");
    EXPECT_EQ(Stocks()[1].CompanyName, "Old Name");
    EXPECT_TRUE(QFile::exists(AppPath() + "/Set0.dat"));
    EXPECT_EQ(frame.selectedNodes, QStringList({"IBM", "MSFT"}));
    // The news list of IBM from its page; the cache files of the other items.
    QFile news(NewsFolder() + "IBM.txt");
    ASSERT_TRUE(news.open(QIODevice::ReadOnly));
    EXPECT_TRUE(news.readAll().startsWith("\"  Mar 8 IBM wins the deal Reuters"));
    EXPECT_EQ(readCache("IBM_op.Sh"), options + "\r\n");
    EXPECT_EQ(readCache("MSFT_op.Sh"), options + "\r\n");
    EXPECT_EQ(readCache("mwwinners.Sh"), winners);
    EXPECT_EQ(readCache("FMS_Next.Sh"), splits + "\r\n");
    // The task panel and the frame.
    EXPECT_EQ(frame.taskTexts, QStringList({"5/5", "4/5", "3/5", "2/5", "1/5", "0/5", ""}));
    EXPECT_TRUE(frame.isIdle());
    EXPECT_TRUE(port.state.StopFlag);
    EXPECT_EQ(port.state.UpdateRemaining, 0);
    EXPECT_EQ(port.title, port.state.OrigCaption);
    EXPECT_EQ(port.statusTexts.last(), "");
}

// The set and portfolio files a whole run leaves, as SHA-256 of their bytes: the
// stock table priced from the quote pages and rated from the recommendations, and
// the portfolio priced from the table.
TEST_F(UpdateRunTest, AFullRunLeavesTheSetAndPortfolioFilesAsTheyAlwaysWere)
{
    useProgramServices();
    setStocks({"IBM", "MSFT", "F", "AOL"});
    const char* lots[][2] = {{"IBM", "10"}, {"MSFT", "5"}, {"IBM", "7"}, {"AOL", "3"}};
    for (int t = 0; t < 4; ++t) {
        Transactions()[std::size_t(t * 2)].Symbol = QString::fromLatin1(lots[t][0]);
        Transactions()[std::size_t(t * 2)].Shares = std::int16_t(QByteArray(lots[t][1]).toInt());
        Transactions()[std::size_t(t * 2)].Action = QStringLiteral("Buy");
    }
    tickOnly({0, 1});
    server->setReply(QStringLiteral("/q"), fixture("sheets/quote_page.htm"));
    server->setReply(QStringLiteral("/cgi-bin/ShowFreeCompRep"),
                     "<html>Current Average Recommendation <font color=#0000ee>2.25</font></html>");

    run->PressUpdateButton();

    const auto sha = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly)
                   ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex().toStdString()
                   : std::string("missing");
    };
    EXPECT_EQ(Stocks()[1].LastPrice, "84.50");
    EXPECT_EQ(Stocks()[3].AvgRecommendation, 2.25f);
    EXPECT_EQ(Transactions()[2].PriceText, "84.50");
    EXPECT_EQ(sha(AppPath() + "/Set0.dat"), "3638f25dd2d2d2725af13b950aacf95482d058de54931cb41f0c896659f24166");
    EXPECT_EQ(sha(AppPath() + "/Portfolio.dat"), "4faa1579cfedf8ad2d8442cd112ae94dd82585b3c1d3b0668b7a330ee8ff4d48");
}

// A run stopped in the middle of the prices keeps in the set file what it fetched.
TEST_F(UpdateRunTest, ARunStoppedMidPassSavesWhatItFetched)
{
    setStocks({"IBM", "MSFT", "AOL"});
    Transactions()[0].Symbol = QStringLiteral("MSFT");
    tickOnly({1});
    server->setReply(QStringLiteral("/q"), page(400));
    quotes.parseQuote = [this](int row) {
        Stocks()[std::size_t(row)].LastPrice = QStringLiteral("1%1.00").arg(row);
        if (row == 1)
            run->StopUpdate();
        return QString();
    };

    run->PressUpdateButton();

    ResetProgramState();
    ASSERT_TRUE(ReadStocks());
    EXPECT_EQ(Stocks()[0].LastPrice, "10.00");
    EXPECT_EQ(Stocks()[1].LastPrice, "11.00");
    EXPECT_EQ(Stocks()[2].LastPrice, "");
    ASSERT_TRUE(LoadPortfolio());
    EXPECT_EQ(Transactions()[0].PriceText, "11.00");
}

} // namespace

// ---- sites not set and hosts that fail --------------------------------------------

TEST_F(UpdateRunTest, SitesNotSetAreNeverAskedAndTheStatusPanelNamesThemOnce)
{
    // Every site back on its built-in placeholder host.
    for (Site site : Sites::All())
        Sites::Override(site, QString(), 0);
    // Should the program still reach out, both transports would hand the placeholder
    // name to this proxy (no name lookup on this machine), which counts the attempt
    // and answers with a 404 page.
    test::LoopbackHttpServer counter;
    const QNetworkProxy oldProxy = QNetworkProxy::applicationProxy();
    QNetworkProxy::setApplicationProxy(
        QNetworkProxy(QNetworkProxy::HttpProxy, test::LoopbackHttpServer::host(), counter.port()));
    QList<int> states;
    QObject::connect(&transports->Inet1, &UrlFetch::StateChanged, [&](int s) { states << s; });
    setStocks({"IBM", "MSFT", "ORCL", "GE", "F"});
    writeCache("IBM_op.Sh", page(3000));
    writeCache("quotes_csv.txt", QByteArray(500, 'x'));
    UpdateChoices& choices = updateChoices();
    choices.load();
    for (int n = 0; n < UpdateChoices::Count; ++n)
        choices.setTicked(n, true);

    run->StartUpdate();
    const QStringList afterRun = port.statusTexts;
    run->UpdateFastPrices();
    downloaders->UpdateAdvise();
    QNetworkProxy::setApplicationProxy(oldProxy);

    EXPECT_EQ(counter.connectionCount(), 0);
    EXPECT_TRUE(states.isEmpty());
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
    EXPECT_TRUE(frame.isIdle());
    // Nothing skipped touched the cache.
    EXPECT_EQ(readCache("IBM_op.Sh"), page(3000));
    EXPECT_EQ(readCache("quotes_csv.txt"), QByteArray(500, 'x'));
    const QString where = QStringLiteral(" - set their hosts under [Software\\Orvane\\Tradewright5\\Sites] in ") +
                          RegistryStore::filePath();
    const QString runText = QStringLiteral("Sites not set: Price, Quotes, Recommendations, ResearchReport, BusinessNews, "
                                           "Filings, OptionQuotes, AnalystsActions, CompanyProfile, ShortInterest, "
                                           "Tip, MarketReports, Brokerage, MarketData, SplitsRanking") + where;
    EXPECT_EQ(afterRun.count(runText), 1);
    EXPECT_EQ(afterRun.last(), runText);
    EXPECT_EQ(port.statusTexts.count(QStringLiteral("Sites not set: Price") + where), 1);
    EXPECT_EQ(port.statusTexts.last(), QStringLiteral("Sites not set: Tip") + where);
}

TEST_F(UpdateRunTest, AHostThatFailsShowsOneBoxPerRunAndItsOtherRequestsAreSkippedAndLogged)
{
    // The quote pages (fetch control) and the option quotes (socket) on one closed
    // port; the winners list stays on the live server.
    const quint16 closed = test::LoopbackHttpServer::unusedPort();
    Sites::Override(Site::Quotes, test::LoopbackHttpServer::host(), closed);
    Sites::Override(Site::OptionQuotes, test::LoopbackHttpServer::host(), closed);
    server->setReply(QStringLiteral("/dljd/mwwinners.htm"), page(3000));
    setStocks({"IBM", "MSFT", "ORCL", "GE", "F"});
    tickOnly({2, 8, 16});
    const QString log = AppPath() + QStringLiteral("/ErrorLog.txt");

    run->StartUpdate();

    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_EQ(test::dialogs().shown[0].prompt, "Error Connection is refused by the remote host");
    const QString written = fromCp1252(ReadBytes(log));
    // Ten requests to the closed port: the first failed, the other nine were skipped.
    EXPECT_EQ(written.count("Description:   Skipped http://127.0.0.1:" + QString::number(closed) + '/'), 9);
    EXPECT_EQ(written.count("Where: Transports_DownloadFile"), 4);
    EXPECT_EQ(written.count("Where: Transports_SocketFetch"), 5);
    EXPECT_TRUE(written.contains("Description:   Skipped http://127.0.0.1:" + QString::number(closed) +
                                 "/QuoteTable.dat?TICKER=F: the host failed earlier in this update "
                                 "(Connection is refused by the remote host)"))
        << written.toStdString();
    EXPECT_EQ(targets(), QStringList{"/dljd/mwwinners.htm"});
    EXPECT_EQ(readCache("mwwinners.Sh"), page(3000));
    EXPECT_TRUE(frame.isIdle());

    // The next run asks the host again.
    run->StartUpdate();
    EXPECT_EQ(test::dialogs().shown.size(), 2);
}

// ---- the US market data: the kept page becomes US.dat ----------------------------------

TEST_F(UpdateRunTest, TheUSMarketItemParsesTheKeptPageIntoUSDat)
{
    useProgramServices();
    tickOnly({50});
    server->setReply(QStringLiteral("/m1?u"), test::USIndicesPage());
    run->PressUpdateButton();

    EXPECT_EQ(targets(), QStringList({"/m1?u"}));
    EXPECT_EQ(quotes.usParses, 1);
    EXPECT_EQ(USIndexes()[0].LastTrade, QStringLiteral("l0"));
    EXPECT_EQ(USIndexes()[36].Extra, QStringLiteral("x36"));
    USIndexes().fill(USRec());
    ASSERT_TRUE(LoadUS());
    EXPECT_EQ(USIndexes()[8].LastTrade, QStringLiteral("l8"));
}

TEST_F(UpdateRunTest, AUSPageTooShortToKeepIsNotParsed)
{
    tickOnly({50});
    server->setReply(QStringLiteral("/m1?u"), QByteArray(500, 'x'));
    run->PressUpdateButton();

    EXPECT_EQ(targets(), QStringList({"/m1?u"}));
    EXPECT_EQ(quotes.usParses, 0);
    EXPECT_FALSE(QFile::exists(AppPath() + QStringLiteral("/US.dat")));
}
