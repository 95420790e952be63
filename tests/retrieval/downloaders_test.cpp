// Every downloader's request and cache file, row ranges, the recommendation value
// and gauge, the movers date, and the special members.
#include "RetrievalFixture.h"

#include "core/Settings.h"
#include "core/mdlRegistry.h"
#include "platform/AppPath.h"
#include "platform/Clock.h"
#include "platform/RuntimeError.h"
#include "retrieval/CacheFiles.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Stocks.h"

#include <QDir>
#include <QFile>

namespace {

QByteArray retrievalFixture(const char* name)
{
    QFile f(QStringLiteral(TW_FIXTURES "/retrieval/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void setZa1Us(const QString& value)
{
    mdlRegistry::CreateNewKey(mdlRegistry::HKEY_CURRENT_USER, QLatin1String(Settings::ZA1Key));
    mdlRegistry::SetKeyValue(mdlRegistry::HKEY_CURRENT_USER, QLatin1String(Settings::ZA1Key),
                             QLatin1String(Settings::US), value);
}

} // namespace

TEST_F(RetrievalTest, EveryUpdateItemFetchesItsAddressIntoItsFile)
{
    struct Row
    {
        int item;
        const char* target;  // path and query as the server sees it
        const char* file;    // below the program folder
        bool socket;
        const char* title;   // after OrigCaption
    };
    // clang-format off
    const Row rows[] = {
        {0, "/cgi-bin/ShowFreeCompRep?Msft", "Cache/DataSheet/Rec.Sh", false, "    Getting Msft Recommendations. "},
        {2, "/q?s=Msft", "Cache/News/Temp.htm", false, ""},
        {3, "/cgi-bin/JMFR/FreeReport?ref=DEF&ticker=Msft&hist=2", "Cache/DataSheet/Msft_ABS.Sh", false, ""},
        {4, "/cgi-bin/JMFR/FreeReport?ref=DEF&ticker=Msft&hist=1", "Cache/DataSheet/Msft_AIS.Sh", false, ""},
        {5, "/z/a/m/Msft.html", "Cache/DataSheet/Msft_ee.Sh", false, "     Getting Msft Earnings Estimates & Recommendations"},
        {6, "/brand/yahoo/search/?sym=Msft", "Cache/DataSheet/Msft_qr.Sh", false, "    Getting Msft Quarterly Report. "},
        {7, "/t/m/Msft.html", "Cache/DataSheet/Msft_it.Sh", false, "    Getting Msft Insider Trades"},
        {8, "/QuoteTable.dat?TICKER=MSFT", "Cache/DataSheet/Msft_op.Sh", true, "    Getting Msft Call/Put Options"},
        {9, "/splits/splits-single-company.asp?symbol=msft", "Cache/DataSheet/Msft_sp.Sh", true, "    Updating Msft Splits History"},
        {10, "/upgrades-single-company.asp?symbol=msft", "Cache/DataSheet/Msft_uph.Sh", true, "    Updating Msft Upgrades History"},
        {11, "/downgrades-single-company.asp?symbol=msft", "Cache/DataSheet/Msft_dnh.Sh", true, "    Updating Msft Downgrades History"},
        {12, "/momentum-rating-single-company.asp?symbol=msft", "Cache/DataSheet/Msft_mr.Sh", true, "    Updating Msft Momentum Rating"},
        {13, "/reports-single-company.asp?symbol=msft", "Cache/DataSheet/Msft_brp.Sh", true, "    Updating Msft Broker Reports"},
        {14, "/cgi-bin/brand_newsalert_mlist.cgi?symbol=MSFT", "Cache/DataSheet/Msft_P.Sh", false, "    Updating Msft Profile"},
        {15, "/cgi-bin/25_surp", "Cache/DataSheet/25_surp.Sh", false, "    Updating Top 25 Daily Earnings Surprises"},
        {16, "/dljd/mwwinners.htm", "Cache/DataSheet/mwwinners.Sh", false, "    Updating Top Winners"},
        {17, "/dljd/mwlosers.htm", "Cache/DataSheet/mwlosers.Sh", false, "   Updating Lossers"},
        {18, "/c/u.html", "Cache/DataSheet/UpDown.Sh", false, "    Getting Upgrades/Downgrades"},
        {19, "/orvane/tip.txt", "Tip.Sh", true, "    Updating Tradewright Advice"},
        {20, "/reports/bigmovers.asp?date=20240229&data=2&start=0&report=1&report_country_code=us", "Cache/DataSheet/BrPG_Q.Sh", false, "    Updating Price-Gain (NASDAQ)"},
        {21, "/reports/bigmovers.asp?date=20240229&data=1&start=0&report=1&report_country_code=us", "Cache/DataSheet/BrPG_N.Sh", false, "    Updating Price-Gain (NYSE)"},
        {22, "/reports/bigmovers.asp?date=20240229&data=3&start=0&report=1&report_country_code=us", "Cache/DataSheet/BrPG_A.Sh", false, "    Updating Price-Gain (AMEX)"},
        {23, "/reports/bigmovers.asp?date=20240229&data=2&start=0&report=2&report_country_code=us", "Cache/DataSheet/BrPL_Q.Sh", false, "    Updating Price-Loss (NASDAQ)"},
        {24, "/reports/bigmovers.asp?date=20240229&data=1&start=0&report=2&report_country_code=us", "Cache/DataSheet/BrPL_N.Sh", false, "    Updating Price-Loss (NYSE)"},
        {25, "/reports/bigmovers.asp?date=20240229&data=3&start=0&report=2&report_country_code=us", "Cache/DataSheet/BrPL_A.Sh", false, "    Updating Price-Loss (AMEX)"},
        {26, "/reports/bigmovers.asp?date=20240229&data=2&start=0&report=3&report_country_code=us", "Cache/DataSheet/BrVG_Q.Sh", false, "    Updating Volume-Gain (NASDAQ)"},
        {27, "/reports/bigmovers.asp?date=20240229&data=1&start=0&report=3&report_country_code=us", "Cache/DataSheet/BrVG_N.Sh", false, "    Updating Volume-Gain (NYSE)"},
        {28, "/reports/bigmovers.asp?date=20240229&data=3&start=0&report=3&report_country_code=us", "Cache/DataSheet/BrVG_A.Sh", false, "    Updating Volume-Gain (AMEX)"},
        {29, "/reports/bigmovers.asp?date=20240229&data=2&start=0&report=4&report_country_code=us", "Cache/DataSheet/BrVL_Q.Sh", false, "    Updating Volume-Loss (NASDAQ)"},
        {30, "/reports/bigmovers.asp?date=20240229&data=1&start=0&report=4&report_country_code=us", "Cache/DataSheet/BrVL_N.Sh", false, "    Updating Volume-Loss (NYSE)"},
        {31, "/reports/bigmovers.asp?date=20240229&data=3&start=0&report=4&report_country_code=us", "Cache/DataSheet/BrVL_A.Sh", false, "    Updating Volume-Loss (AMEX)"},
        {32, "/reports/bigmovers.asp?date=20240229&data=2&start=0&report=5&report_country_code=us", "Cache/DataSheet/Br52-WPH_Q.Sh", false, "    Updating 52-Week Price Highs (NASDAQ)"},
        {33, "/reports/bigmovers.asp?date=20240229&data=1&start=0&report=5&report_country_code=us", "Cache/DataSheet/Br52-WPH_N.Sh", false, "    Updating 52-Week Price Highs (NYSE)"},
        {34, "/reports/bigmovers.asp?date=20240229&data=3&start=0&report=5&report_country_code=us", "Cache/DataSheet/Br52-WPH_A.Sh", false, "    Updating 52-Week Price Highs (AMEX)"},
        {35, "/reports/bigmovers.asp?date=20240229&data=2&start=0&report=6&report_country_code=us", "Cache/DataSheet/Br52-WPL_Q.Sh", false, "    Updating 52-Week Price Lows (NASDAQ)"},
        {36, "/reports/bigmovers.asp?date=20240229&data=1&start=0&report=6&report_country_code=us", "Cache/DataSheet/Br52-WPL_N.Sh", false, "    Updating 52-Week Price Lows (NYSE)"},
        {37, "/reports/bigmovers.asp?date=20240229&data=3&start=0&report=6&report_country_code=us", "Cache/DataSheet/Br52-WPL_A.Sh", false, "    Updating 52-Week Price Lows (AMEX)"},
        {38, "/reports/bigmovers.asp?date=20240229&data=2&start=0&report=7&report_country_code=us", "Cache/DataSheet/BrMAS_Q.Sh", false, "    Updating Most-Active Stocks (NASDAQ)"},
        {39, "/reports/bigmovers.asp?date=20240229&data=1&start=0&report=7&report_country_code=us", "Cache/DataSheet/BrMAS_N.Sh", false, "    Updating Most-Active Stocks (NYSE)"},
        {40, "/reports/bigmovers.asp?date=20240229&data=3&start=0&report=7&report_country_code=us", "Cache/DataSheet/BrMAS_A.Sh", false, "    Updating Most-Active Stocks (AMEX)"},
        {41, "/reports/bigmovers.asp?date=20240229&data=2&start=0&report=8&report_country_code=us", "Cache/DataSheet/BrLMM_Q.Sh", false, "    Updating Largest Money Movers (NASDAQ)"},
        {42, "/reports/bigmovers.asp?date=20240229&data=1&start=0&report=8&report_country_code=us", "Cache/DataSheet/BrLMM_N.Sh", false, "    Updating Largest Money Movers (NYSE)"},
        {43, "/reports/bigmovers.asp?date=20240229&data=3&start=0&report=8&report_country_code=us", "Cache/DataSheet/BrLMM_A.Sh", false, "    Updating Largest Money Movers (AMEX)"},
        {50, "/m1?u", "Cache/DataSheet/US.Sh", false, "    Updating U.S. Market Data"},
        {51, "/m2?u", "Cache/DataSheet/Market.Sh", false, "    Updating International Market Data"},
        {52, "/ipo/index.html", "Cache/DataSheet/IPO_lts.sh", false, "    Updating Latest IPO Events"},
        {53, "/reports/ipo.html", "Cache/DataSheet/IPO_News.sh", false, "    Updating IPO News"},
        {54, "/ipo/perf_g3.html", "Cache/DataSheet/IPO_G3.sh", false, "    Updating IPO Gainers"},
        {55, "/ipo/perf_l3.html", "Cache/DataSheet/IPO_L3.sh", false, "    Updating IPO Lossers"},
        {56, "/ipo/reg_cal.html", "Cache/DataSheet/IPO_Reg.sh", false, "    Updating IPO Registrations"},
        {57, "/ipo/prc_cal.html", "Cache/DataSheet/IPO_Prc.sh", false, "    Updating IPO Pricings"},
        {58, "/ipo/wp.html", "Cache/DataSheet/IPO_wp.sh", false, "    Updating IPO Withdrawals"},
        {60, "/cgi-bin/htx.exe/dbcfiles/optiont.html?SOURCE=blq/ASK", "Cache/DataSheet/OptSum.Sh", false, "    Updating Options Market Summary"},
        {61, "/cgi-bin/htx.exe/dbcfiles/convbndt.html?SOURCE=blq/ASK", "Cache/DataSheet/F_Conv.Sh", false, "    Updating Largest Convertible Bond Funds"},
        {62, "/cgi-bin/htx.exe/dbcfiles/agggrot.html?SOURCE=blq/ASK", "Cache/DataSheet/F_Growth.Sh", false, "    Updating Largest Growth Funds"},
        {63, "/cgi-bin/htx.exe/dbcfiles/mut10t.html?SOURCE=blq/ASK", "Cache/DataSheet/F_Equity.Sh", false, "    Updating Largest Equity Funds"},
        {64, "/cgi-bin/htx.exe/dbcfiles/hiyldt.html?SOURCE=blq/ASK", "Cache/DataSheet/F_Yield.Sh", false, "    Updating Largest High-Yield Bond Funds"},
        {65, "/cgi-bin/htx.exe/dbcfiles/mon11t.html?SOURCE=blq/ASK", "Cache/DataSheet/F_LMM.Sh", false, "    Updating Largest Money Market Funds"},
        {66, "/cgi-bin/htx.exe/dbcfiles/intert.html?SOURCE=blq/ASK", "Cache/DataSheet/F_Inter.Sh", false, "    Updating Largest International Funds"},
        {67, "/cgi-bin/htx.exe/dbcfiles/premetlt.html?SOURCE=blq/ASK", "Cache/DataSheet/F_Precious.Sh", false, "    Updating Largest Precious Metals Funds"},
        {68, "/cgi-bin/htx.exe/dbcfiles/sbmmt.html?SOURCE=blq/ASK", "Cache/DataSheet/F_Smith.Sh", false, "    Updating Smith Barney Mutual and Money Market Funds"},
        {69, "/cgi-bin/htx.exe/dbcfiles/aimmmt.html?SOURCE=blq/ASK", "Cache/DataSheet/F_AIM.Sh", false, "    Updating AIM Mutual and Money Market Funds"},
        {70, "/cgi-bin/htx.exe/dbcfiles/benmmt.html?SOURCE=blq/ASK", "Cache/DataSheet/F_Benham.Sh", false, "    Updating Benham Mutual and Money Market Funds"},
        {71, "/cgi-bin/htx.exe/dbcfiles/dwmmt.html?SOURCE=blq/ASK", "Cache/DataSheet/F_Dean.Sh", false, "    Updating Dean Witter Mutual and Money Market Funds"},
        {72, "/cgi-bin/htx.exe/dbcfiles/frtmmt.html?SOURCE=blq/ASK", "Cache/DataSheet/F_Franklin.Sh", false, "    Updating Franklin/Templeton Mutual and Money Market Funds"},
        {73, "/cgi-bin/htx.exe/dbcfiles/fidmmt.html?SOURCE=blq/ASK", "Cache/DataSheet/F_Fidelity.Sh", false, "    Updating Fidelity Mutual and Money Market Funds"},
        {74, "/cgi-bin/htx.exe/dbcfiles/mlmmt.html?SOURCE=blq/ASK", "Cache/DataSheet/F_Merrill.Sh", false, "    Updating Merrill Lynch Mutual and Money Market Funds"},
        {75, "/cgi-bin/htx.exe/dbcfiles/janmmt.html?SOURCE=blq/ASK", "Cache/DataSheet/F_Janus.Sh", false, "    Updating Janus Mutual and Money Funds"},
        {76, "/cgi-bin/htx.exe/dbcfiles/putmmt.html?SOURCE=blq/ASK", "Cache/DataSheet/F_Putnam.Sh", false, "    Updating Putnam Mutual and Money Market Funds"},
        {77, "/cgi-bin/htx.exe/dbcfiles/scdmmt.html?SOURCE=blq/ASK", "Cache/DataSheet/F_Scudder.Sh", false, "    Updating Scudder Mutual and Money Market Funds"},
        {78, "/cgi-bin/htx.exe/dbcfiles/Ssgcmmt.htmls?SOURCE=blq/ASK", "Cache/DataSheet/F_Stagecoach.Sh", false, "    Updating Stagecoach Mutual and Money Market Funds"},
        {79, "/cgi-bin/htx.exe/dbcfiles/strmmt.html?SOURCE=blq/ASK", "Cache/DataSheet/F_Strong.Sh", false, "    Updating Strong Mutual and Money Market Funds"},
        {80, "/cgi-bin/htx.exe/dbcfiles/trpmmt.html?SOURCE=blq/ASK", "Cache/DataSheet/F_T.Sh", false, "    Updating T. Rowe Price Mutual and Money Market Funds"},
        {81, "/cgi-bin/htx.exe/dbcfiles/twcmmt.html?SOURCE=blq/ASK", "Cache/DataSheet/F_Twentieth.Sh", false, "    Updating Twentieth Century Mutual and Money Market Funds"},
        {82, "/cgi-bin/htx.exe/dbcfiles/vanmmt.html?SOURCE=blq/ASK", "Cache/DataSheet/F_Vanguard.Sh", false, "    Updating Vanguard Mutual and Money Market Funds"},
        {83, "/splits/splits-today.asp", "Cache/DataSheet/FMS_Today.Sh", true, "    Updating Today's Splits"},
        {84, "/splits/splits-thisweek.asp", "Cache/DataSheet/FMS_Week.Sh", true, "    Updating This Week Splits"},
        {85, "/splits/splits-nextweek.asp", "Cache/DataSheet/FMS_Next.Sh", true, "    Updating Next Week's Splits"},
        {86, "/splits/splits-recent.asp", "Cache/DataSheet/FMS_Rec.Sh", true, "    Updating Recently Announced Splits"},
        {87, "/mostsplits.asp", "Cache/DataSheet/FMS_Tech.Sh", true, "    Updating Top Tech Splits"},
        {88, "/asp/quotes_full.asp?kind=shortint&symbol=MSFT%60&selected=MSFT%60", "Cache/DataSheet/Msft_SI.Sh", true, "    Updating Msft Short Interest "},
        {89, "/markets/screener.asp?exchange=15&screen=8", "Cache/DataSheet/BrDT_Q.Sh", false, "    Updating Most Active by Dollars Traded (NASDAQ)"},
        {90, "/markets/screener.asp?exchange=13&screen=8", "Cache/DataSheet/BrDT_N.Sh", false, "    Updating Most Active by Dollars Traded (NYSE)"},
        {91, "/markets/screener.asp?exchange=14&screen=8", "Cache/DataSheet/BrDT_A.Sh", false, "    Updating Most Active by Dollars Traded (AMEX)"},
        {92, "/markets/screener.asp?exchange=15&screen=9", "Cache/DataSheet/BrPU_Q.Sh", false, "    Updating Most Active by Price Up (NASDAQ)"},
        {93, "/markets/screener.asp?exchange=13&screen=9", "Cache/DataSheet/BrPU_N.Sh", false, "    Updating Most Active by Price Up (NYSE)"},
        {94, "/markets/screener.asp?exchange=14&screen=9", "Cache/DataSheet/BrPU_A.Sh", false, "    Updating Most Active by Price Up (AMEX)"},
        {95, "/markets/screener.asp?exchange=15&screen=10", "Cache/DataSheet/BrPD_Q.Sh", false, "    Updating Most Active by Price Down (NASDAQ)"},
        {96, "/markets/screener.asp?exchange=13&screen=10", "Cache/DataSheet/BrPD_N.Sh", false, "    Updating Most Active by Price Down (NYSE)"},
        {97, "/markets/screener.asp?exchange=14&screen=10", "Cache/DataSheet/BrPD_A.Sh", false, "    Updating Most Active by Price Down (AMEX)"},
        {98, "/reports/reports-today.asp", "Cache/DataSheet/M_BRP.Sh", true, "    Updating Today's Broker Reports / Bloomberg Analysts Recommendations"},
    };
    // clang-format on
    Clock::setFixed(QDateTime(QDate(2024, 3, 1), QTime(9, 30)));
    test::LoopbackHttpServer::Route big;
    big.reply = test::LoopbackHttpServer::httpReply(page(3000));
    server->setDefaultRoute(big);
    setStocks({QStringLiteral("Msft")});
    port.state.OneStockOnly = true;  // keeps the scratch page of the recommendations
    CurrentSymbol() = QStringLiteral("Msft");
    CurrentIndex() = 0;

    int covered = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.item);
        server->clearRecords();
        ASSERT_TRUE(downloaders->RunUpdateItem(r.item));
        ASSERT_EQ(server->requests().size(), 1);
        EXPECT_EQ(requestTarget(0), QLatin1String(r.target));
        // The socket path puts the absolute address in the request line.
        EXPECT_EQ(server->requests().first().startsWith("GET http://127.0.0.1:"), r.socket);
        EXPECT_TRUE(QFile::exists(AppPath() + u'/' + QLatin1String(r.file)));
        EXPECT_EQ(port.title, port.state.OrigCaption + QLatin1String(r.title));
        ++covered;
    }
    int withDownloader = 0;
    for (int item = 0; item <= 98; ++item)
        withDownloader += Downloaders::HasDownloader(item) ? 1 : 0;
    EXPECT_EQ(covered, withDownloader);
    for (int item : {-1, 1, 44, 45, 46, 47, 48, 49, 59, 99})
        EXPECT_FALSE(downloaders->RunUpdateItem(item)) << item;
}

TEST_F(RetrievalTest, RowRangesSkipOneLetterSymbolsOnlyForRecommendationsAndProfile)
{
    struct Case
    {
        const char* procedure;
        void (Downloaders::*member)();
        QStringList targets;
    };
    const Case cases[] = {
        {"UpdateRec", &Downloaders::UpdateRec,
         {"/cgi-bin/ShowFreeCompRep?IBM", "/cgi-bin/ShowFreeCompRep?MSFT"}},
        {"UpdateProfile", &Downloaders::UpdateProfile,
         {"/cgi-bin/brand_newsalert_mlist.cgi?symbol=IBM", "/cgi-bin/brand_newsalert_mlist.cgi?symbol=MSFT"}},
        {"UpdateIT", &Downloaders::UpdateIT, {"/t/i/IBM.html", "/t/f/F.html", "/t/m/MSFT.html"}},
        {"UpdateNews", &Downloaders::UpdateNews, {"/q?s=IBM", "/q?s=F", "/q?s=MSFT"}},
        {"UpdateOptions", &Downloaders::UpdateOptions,
         {"/QuoteTable.dat?TICKER=IBM", "/QuoteTable.dat?TICKER=F", "/QuoteTable.dat?TICKER=MSFT"}},
    };
    setStocks({QStringLiteral("IBM"), QStringLiteral("F"), QStringLiteral("MSFT")});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.procedure);
        server->clearRecords();
        (downloaders.get()->*c.member)();
        QStringList targets;
        for (int i = 0; i < server->requests().size(); ++i)
            targets << requestTarget(i);
        EXPECT_EQ(targets, c.targets);
    }
    // The recommendations' scratch page is gone after a whole-set walk.
    EXPECT_FALSE(FileExists(cachePath(QStringLiteral("Rec.Sh"))));
}

TEST_F(RetrievalTest, OneStockOnlyFetchesTheSelectedStockAlone)
{
    setStocks({QStringLiteral("IBM"), QStringLiteral("F"), QStringLiteral("MSFT")});
    port.state.OneStockOnly = true;
    CurrentSymbol() = QStringLiteral("MSFT");
    CurrentIndex() = 2;
    downloaders->UpdateIT();
    downloaders->UpdateSplits();
    EXPECT_EQ(server->requestPaths().size(), 2);
    EXPECT_EQ(requestTarget(0), QStringLiteral("/t/m/MSFT.html"));
    EXPECT_EQ(requestTarget(1), QStringLiteral("/splits/splits-single-company.asp?symbol=msft"));
}

TEST_F(RetrievalTest, AnEmptySetFetchesNothingAndResetsTheTitleWhereTheItemDoes)
{
    port.setCaption(QStringLiteral("something else"));
    downloaders->UpdateNews();
    EXPECT_EQ(port.title, port.state.OrigCaption);
    port.setCaption(QStringLiteral("something else"));
    downloaders->UpdateAnnualReport(QStringLiteral("ABS"), QStringLiteral("   Updating Annual Balance Sheet..."));
    EXPECT_EQ(port.title, port.state.OrigCaption);
    for (int item : {0, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 88})
        downloaders->RunUpdateItem(item);
    EXPECT_EQ(server->requests().size(), 0);
}

TEST_F(RetrievalTest, WithTheStopFlagSetOnlyTheAdviserFetches)
{
    // The adviser window asks for the tip outside a run, while the flag stays set.
    setStocks({QStringLiteral("IBM")});
    port.state.StopFlag = true;
    transports->Winsock1.Connect(test::LoopbackHttpServer::host(), server->port());
    downloaders->UpdateSplitsCalendar(0);
    EXPECT_EQ(transports->Winsock1.State(), Socket::sckClosed);  // closed even when stopped
    for (int item = 0; item <= 98; ++item)
        downloaders->RunUpdateItem(item);
    EXPECT_EQ(server->requestPaths().size(), 1);
    EXPECT_EQ(requestTarget(0), QStringLiteral("/orvane/tip.txt"));
}

TEST_F(RetrievalTest, UnsafeSymbolsNeverReachAFileOrARequest)
{
    test::LoopbackHttpServer::Route big;
    big.reply = test::LoopbackHttpServer::httpReply(page(3000));
    server->setDefaultRoute(big);
    setStocks({QStringLiteral("../x"), QStringLiteral("a/b"), QString(), QStringLiteral("A B"), QStringLiteral("^DJI")});
    downloaders->UpdateIT();
    downloaders->UpdateOptions();
    QStringList targets;
    for (int i = 0; i < server->requests().size(); ++i)
        targets << requestTarget(i);
    EXPECT_EQ(targets, (QStringList{"/t/a/A%20B.html", "/t/%5E/%5EDJI.html", "/QuoteTable.dat?TICKER=A%20B",
                                    "/QuoteTable.dat?TICKER=^DJI"}));
    EXPECT_TRUE(FileExists(cachePath(QStringLiteral("A B_it.Sh"))));
    EXPECT_TRUE(FileExists(cachePath(QStringLiteral("^DJI_op.Sh"))));
    EXPECT_FALSE(QFile::exists(AppPath() + QStringLiteral("/Cache/x_it.Sh")));
    EXPECT_EQ(QDir(CacheFolder()).entryList(QDir::Files).size(), 4);
}

// The symbol rule of the set editor: "." and its kin are never fetched (the estimates
// page of "." was "/z/a/./..html", cached as a hidden file).
TEST_F(RetrievalTest, SymbolsTheSetEditorRefusesAreNeverFetched)
{
    test::LoopbackHttpServer::Route big;
    big.reply = test::LoopbackHttpServer::httpReply(page(3000));
    server->setDefaultRoute(big);
    setStocks({QStringLiteral("."), QStringLiteral(".."), QStringLiteral(".X"), QStringLiteral("A\tB"),
               QStringLiteral("A\\B"), QStringLiteral("IBM")});
    downloaders->UpdateEstimates();
    downloaders->UpdateRec();
    downloaders->UpdateProfile();
    downloaders->UpdateNews();
    downloaders->UpdateIT();
    QStringList targets;
    for (int i = 0; i < server->requests().size(); ++i)
        targets << requestTarget(i);
    EXPECT_EQ(targets, (QStringList{"/z/a/i/IBM.html", "/cgi-bin/ShowFreeCompRep?IBM",
                                    "/cgi-bin/brand_newsalert_mlist.cgi?symbol=IBM", "/q?s=IBM", "/t/i/IBM.html"}));
    for (const QString& folder : {CacheFolder(), NewsFolder()}) {
        const QStringList hidden = QDir(folder).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
        EXPECT_TRUE(hidden.isEmpty()) << qPrintable(hidden.join(u' '));
    }
}

TEST_F(RetrievalTest, RecommendationValueIsStoredAndTheGaugesOfItsSlotsAreDrawn)
{
    // IBM's page writes the colour without quote marks, MSFT's with them: only IBM
    // gets a value. The strip shows IBM in slots 0 and 2.
    server->setReply(QStringLiteral("/cgi-bin/ShowFreeCompRep?IBM"), retrievalFixture("rec_plain.html"));
    server->setReply(QStringLiteral("/cgi-bin/ShowFreeCompRep?MSFT"), retrievalFixture("rec_quoted.html"));
    // The value far into a long page is found all the same.
    QByteArray longPage = QByteArray(40000, ' ') + "Current Average Recommendation <font color=#0000ee>7</font>";
    server->setReply(QStringLiteral("/cgi-bin/ShowFreeCompRep?LONG"), longPage);
    setStocks({QStringLiteral("IBM"), QStringLiteral("MSFT"), QStringLiteral("LONG")});
    Stocks()[1].AvgRecommendation = 3.25f;
    port.strip = {QStringLiteral("IBM"), QStringLiteral("MSFT"), QStringLiteral("IBM"), QStringLiteral("LONG")};
    port.scaleWidth = 100;

    downloaders->UpdateRec();

    EXPECT_FLOAT_EQ(Stocks()[0].AvgRecommendation, 2.5f);
    EXPECT_FLOAT_EQ(Stocks()[1].AvgRecommendation, 3.25f);  // abandoned row
    EXPECT_FLOAT_EQ(Stocks()[2].AvgRecommendation, 7.0f);   // stored as read
    ASSERT_EQ(port.gauges.size(), 3);
    EXPECT_EQ(port.gauges[0].slot, 0);
    EXPECT_EQ(port.gauges[0].x, 60);
    EXPECT_EQ(port.gauges[1].slot, 2);
    EXPECT_EQ(port.gauges[1].x, 60);
    EXPECT_EQ(port.gauges[2].slot, 3);
    EXPECT_EQ(port.gauges[2].x, 3);  // placed as 5, the end of the scale
    EXPECT_TRUE(FileExists(SetFilePath(CurrentSet())));
    EXPECT_FALSE(FileExists(cachePath(QStringLiteral("Rec.Sh"))));
}

// The rating and news pages are written over stock after stock: a stock whose fetch
// fails never reads the last stock's page.
TEST_F(RetrievalTest, AStockWhoseFetchFailsNeverReadsTheLastStocksPage)
{
    server->setReply(QStringLiteral("/cgi-bin/ShowFreeCompRep?IBM"), retrievalFixture("rec_plain.html"));
    server->setReply(QStringLiteral("/cgi-bin/ShowFreeCompRep?MSFT"), "gone", 404);
    server->setReply(QStringLiteral("/q?s=IBM"), "<html>IBM news</html>");
    server->setReply(QStringLiteral("/q?s=MSFT"), "gone", 404);
    setStocks({QStringLiteral("IBM"), QStringLiteral("MSFT")});
    Stocks()[1].AvgRecommendation = 3.25f;

    downloaders->UpdateRec();
    EXPECT_FLOAT_EQ(Stocks()[0].AvgRecommendation, 2.5f);
    EXPECT_FLOAT_EQ(Stocks()[1].AvgRecommendation, 3.25f);

    QStringList pages;
    downloaders->setNewsParser([&](const QString& symbol, const QString& pageFile, const QString&) {
        pages << symbol + u'=' + QString::fromLatin1(ReadBytes(pageFile));
    });
    downloaders->UpdateNews();
    EXPECT_EQ(pages, (QStringList{"IBM=<html>IBM news</html>", "MSFT="}));
}

TEST_F(RetrievalTest, ARatingFetchedForAStockThatLeftItsRowIsNotStored)
{
    // The set editor stays open beside a run: the row gets another stock while IBM's
    // page is on its way, and IBM's rating must not become AOL's.
    server->setReply(QStringLiteral("/cgi-bin/ShowFreeCompRep?IBM"), retrievalFixture("rec_plain.html"));
    setStocks({QStringLiteral("IBM")});
    Stocks()[0].AvgRecommendation = 4.0f;
    port.strip = {QStringLiteral("AOL")};
    QObject::connect(server.get(), &test::LoopbackHttpServer::requestReceived, server.get(),
                     [] { Stocks()[0].Symbol = QStringLiteral("AOL"); });

    downloaders->UpdateRec();

    EXPECT_EQ(server->requests().size(), 1);
    EXPECT_FLOAT_EQ(Stocks()[0].AvgRecommendation, 4.0f);
    EXPECT_TRUE(port.gauges.isEmpty());
}

TEST(Recommendation, ValueTextAndMarkerPosition)
{
    struct TextCase
    {
        const char* page;
        const char* value;  // nullptr: no marker; "!": raises
    };
    const TextCase texts[] = {
        {"Current Average Recommendation</td><td><font color=#0000ee>2.5</font>", "2.5"},
        {"Current Average Recommendation<font color=\"#0000ee\">1.8</font>", ">1.8"},
        {"<font color=#0000ee>2.5</font> no caption here", nullptr},
        {"current average recommendation <font color=#0000ee>2.5</font>", nullptr},
        {"Current Average Recommendation <font color=#0000ee<", "!"},
        {"Current Average Recommendation without a colour", "!"},
        {"Current Average Recommendation #0000ee>4.1 and no tag after", "!"},
    };
    for (const TextCase& t : texts) {
        SCOPED_TRACE(t.page);
        if (t.value && QByteArray(t.value) == "!") {
            EXPECT_THROW(RecommendationText(QLatin1String(t.page)), RuntimeError);
        } else {
            const auto v = RecommendationText(QLatin1String(t.page));
            ASSERT_EQ(v.has_value(), t.value != nullptr);
            if (v) {
                EXPECT_EQ(*v, QLatin1String(t.value));
            }
        }
    }

    struct MarkerCase
    {
        double R;
        int W;
        int x;
    };
    const MarkerCase markers[] = {{1, 100, 94}, {5, 100, 3}, {2.5, 100, 60}, {3, 120, 58},
                                  {0, 100, 94}, {9, 100, 3}, {-2, 100, 94}};
    for (const MarkerCase& m : markers)
        EXPECT_EQ(GaugeMarkerX(m.R, m.W), m.x) << m.R << " on " << m.W;
}

TEST_F(RetrievalTest, BigMoversDateAcrossMonthAndYearBoundaries)
{
    struct Case
    {
        QDate today;
        const char* us;  // nullptr: value missing
        const char* date;
    };
    const Case cases[] = {
        {QDate(2024, 3, 1), nullptr, "20240229"},
        {QDate(2023, 3, 1), nullptr, "20230228"},
        {QDate(2023, 1, 1), nullptr, "20221231"},
        {QDate(2023, 1, 1), "0", "20221231"},
        {QDate(2023, 1, 1), "1", "20230101"},
        {QDate(2023, 7, 15), "1", "20230715"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        Clock::setFixed(QDateTime(c.today, QTime(0, 5)));
        setZa1Us(c.us ? QLatin1String(c.us) : QString());
        EXPECT_EQ(BigMoversDate(), QLatin1String(c.date));
    }
    // The movers list writes under its code and shows the list title first.
    setZa1Us(QString());
    Clock::setFixed(QDateTime(QDate(2023, 1, 1), QTime(8, 0)));
    server->setReply(QStringLiteral("/reports/bigmovers.asp"), page(3000));
    downloaders->UpdateBigMovers(7, QStringLiteral("MAS_N"), 1, QStringLiteral("Most-Active Stocks (NYSE)"));
    EXPECT_EQ(requestTarget(0),
              QStringLiteral("/reports/bigmovers.asp?date=20221231&data=1&start=0&report=7&report_country_code=us"));
    EXPECT_TRUE(FileExists(cachePath(QStringLiteral("BrMAS_N.Sh"))));
    EXPECT_EQ(port.titles.value(port.titles.size() - 2),
              port.state.OrigCaption + QStringLiteral("   Updating Most-Active Stocks (NYSE)"));
}

TEST_F(RetrievalTest, MarketSizeRules)
{
    struct Case
    {
        void (Downloaders::*member)();
        const char* path;
        const char* file;
        int bytes;
        bool kept;
    };
    const Case cases[] = {
        {&Downloaders::UpdateLosers, "/dljd/mwlosers.htm", "mwlosers.Sh", 2499, false},
        {&Downloaders::UpdateLosers, "/dljd/mwlosers.htm", "mwlosers.Sh", 2500, true},
        {&Downloaders::UpdateWinners, "/dljd/mwwinners.htm", "mwwinners.Sh", 10, true},
        {&Downloaders::UpdateWorldMarket, "/m2", "Market.Sh", 999, false},
        {&Downloaders::UpdateWorldMarket, "/m2", "Market.Sh", 1000, true},
        {&Downloaders::UpdateTodayBrokerReports, "/reports/reports-today.asp", "M_BRP.Sh", 997, false},
        {&Downloaders::UpdateTodayBrokerReports, "/reports/reports-today.asp", "M_BRP.Sh", 998, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + std::to_string(c.bytes));
        if (QByteArray(c.file) == "M_BRP.Sh")
            server->setRawReply(QLatin1String(c.path), rawReply(c.bytes));  // + CR LF on disk
        else
            server->setReply(QLatin1String(c.path), page(c.bytes));
        (downloaders.get()->*c.member)();
        EXPECT_EQ(FileExists(cachePath(QLatin1String(c.file))), c.kept);
        RemoveFile(cachePath(QLatin1String(c.file)));
    }
}

TEST_F(RetrievalTest, NewsPagesGoToTheInstalledParser)
{
    const QString newsDir = NewsFolder();
    setStocks({QStringLiteral("IBM")});
    server->setReply(QStringLiteral("/q"), "<html>IBM quote page</html>");
    QFile old(newsDir + QStringLiteral("IBM.txt"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old headline\r\n");
    old.close();

    // Without a parser the page is fetched and kept, and the old headlines stay.
    downloaders->UpdateNews();
    EXPECT_EQ(ReadBytes(newsDir + QStringLiteral("Temp.htm")), QByteArray("<html>IBM quote page</html>"));
    EXPECT_TRUE(FileExists(newsDir + QStringLiteral("IBM.txt")));

    QStringList calls;
    downloaders->setNewsParser([&](const QString& symbol, const QString& pageFile, const QString& newsFile) {
        calls << symbol << pageFile << newsFile;
        EXPECT_FALSE(FileExists(newsFile));  // the parser appends: the old file is gone first
        EXPECT_EQ(ReadBytes(pageFile), QByteArray("<html>IBM quote page</html>"));
    });
    downloaders->UpdateNews();
    EXPECT_EQ(calls, (QStringList{"IBM", newsDir + "Temp.htm", newsDir + "IBM.txt"}));
    EXPECT_EQ(port.title, port.state.OrigCaption);
}

TEST(UpdateItems, CallsWithTheirArguments)
{
    struct Case
    {
        int item;
        const char* call;
    };
    const Case cases[] = {
        {0, "UpdateRec()"},
        {3, "UpdateAnnualReport(ABS,    Updating Annual Balance Sheet...)"},
        {19, "UpdateAdvise()"},
        {39, "UpdateBigMovers(7, MAS_N, 1, Most-Active Stocks (NYSE))"},
        {32, "UpdateBigMovers(5, 52-WPH_Q, 2, 52-Week Price Highs (NASDAQ))"},
        {78, "UpdateFunds(F_Stagecoach)"},
        {87, "UpdateSplitsCalendar(4)"},
        {88, "UpdateShortInterest()"},
        {97, "UpdateScreenLists(10, PD_A, 14, Most Active by Price Down (AMEX))"},
        {98, "UpdateTodayBrokerReports()"},
        {1, ""},
        {59, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Downloaders::UpdateItemCall(c.item), QLatin1String(c.call)) << c.item;
}
