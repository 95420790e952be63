// The per-stock outside pages: each builder against its table, the symbol forms
// (as stored, upper case, first letter), the encoding of characters that would
// change an address, and the openers' guards and messages.
#include "TestDoubles.h"

#include "stockdata/ProgramState.h"
#include "weblinks/WebAddresses.h"
#include "weblinks/WebLinkWindows.h"
#include "weblinks/WebLinks.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <functional>
#include <stdexcept>

namespace {

using namespace WebLinks;

struct Case
{
    int index;
    const char* symbol;
    const char* address;
};

void check(const std::function<QString(int, const QString&)>& build, std::initializer_list<Case> cases)
{
    for (const Case& c : cases)
        EXPECT_EQ(build(c.index, QLatin1String(c.symbol)), QLatin1String(c.address))
            << c.index << ' ' << c.symbol;
}

TEST(WebAddresses, PriceCharts)
{
    check(StockChartAddress, {
        {0, "Abcd", "http://intraday-chart.example/b?s=Abcd"},
        {1, "Abcd", "http://chart-images.example/c/3m/a/Abcd.gif"},
        {2, "ibm", "http://chart-images.example/c/1y/i/ibm.gif"},
        {3, "IBM", "http://chart-images.example/c/2y/i/IBM.gif"},
        {4, "IBM", "http://chart-images.example/c/5y/i/IBM.gif"},
        {5, "IBM", "http://chart-images.example/c/my/i/IBM.gif"},
        {6, "IBM", "http://chart-images.example/c/mym/i/IBM.gif"},
        {7, "F", "http://chart-images.example/c/mys/f/F.gif"},
        {8, "IBM", "http://interactive-chart.example/quote.asp?Mode=JAVACHART&Symbol=IBM"},
        {9, "IBM", ""},
        {-1, "IBM", ""},
    });
}

TEST(WebAddresses, NewsPages)
{
    check(StockNewsAddress, {
        {0, "Msft", "http://stock-news.example/n/m/Msft.html"},
        {1, "msft", "http://press-releases.example/news/pressrel.asp?Symbol=msft"},
        {2, "msft", "http://filings-alerts.example/bin/headlines?SearchOption=ticker&Query=msft"},
        {3, "msft", "http://money-magazine.example/search/news?Action=FILTERSEARCH&Filter=EquitySnapshotFilter.hts"
                    "&ResultTemplate=EquitySnapshotResults3.hts&SortField=Date&SortOrder=Desc&ResultCount=10"
                    "&type=ticker&TickerSymbols=msft"},
        {4, "msft", "http://tech-news.example/industry_list_new.asp?mode=news&ticker=msft"},
        {5, "msft", "http://quote-headlines.example/fq/quotecom/headlines?mode?symbols=msft&mode=NewsHeadlines"},
        {6, "msft", "http://press-releases.example/news/pressrel.asp?Symbol=msft"},
        {7, "msft", "http://market-news-alerts.example/bin/headlines?Query=msft&SearchOption=ticker"},
        {8, "msft", "http://personal-finance.example/investments/news/?symbol=MSFT"},
        {9, "msft", "http://fund-research.example/StockQT/NV_News/_MSFT.msshtml"},
        {10, "msft", "http://interactive-chart.example/quote.asp?Symbol=msft&Mode=NEWS"},
        {11, "msft", "http://investor-community.example/news/news.asp?symbols=MSFT"},
        {12, "msft", "http://news-digest.example/free/digest?Symbol=msft#news"},
        {13, "msft", "http://broadcaster-quotes.example/analytics/bquote.cgi?view=news&ticker=msft"},
        {14, "msft", ""},
        {15, "msft", ""},
    });
}

TEST(WebAddresses, FundamentalCharts)
{
    const QString base = QStringLiteral("http://fundamental-charts.example/home/wchart/chart.html?id=00019590&symbol=IBM&field=");
    const char* fields[] = {"bookvalue", "commonequity", "currassets", "currliabilities", "deratio", "depreciation",
                            "dividends", "payout", "ebit", "eps", "longtermdebt", "icoverage", "netincome",
                            "peratio", "pricebook", "pricesales", "profitmargin", "roe", "roa",
                            "Revenues Selected", "sharesout"};
    for (int i = 0; i < 21; ++i)
        EXPECT_EQ(FundamentalChartAddress(i, QStringLiteral("IBM")), base + QLatin1String(fields[i])) << i;
    // One past the table: the field stays empty.
    EXPECT_EQ(FundamentalChartAddress(21, QStringLiteral("IBM")), base);
    EXPECT_EQ(FundamentalChartAddress(-1, QStringLiteral("IBM")), base);
}

TEST(WebAddresses, BoardsAndIndustryGroups)
{
    check(MessageBoardAddress, {
        {0, "dell", "http://tech-forum.example/~wsapi/investor/search?s=DELL&domain=Titles"},
        {1, "dell", "http://message-boards.example/?action=q&board=DELL"},
        {2, "dell", "http://message-boards.example/bbs?action=topics&board=4686874&type=r"},
        {3, "dell", ""},
    });
    check(IndustryGroupAddress, {
        {0, "dell", "http://industry-groups.example/wsc/Industry_Group_Analysis.html?Symbol=DELL&Button=GRAPH"},
        {1, "", "http://industry-groups.example/wsc/Industry_Group_Analysis.html?Symbol=&Button=STOCKS"},
        {2, "X", "http://industry-groups.example/wsc/Industry_Group_Analysis.html?Symbol=X&Button=STBRK"},
        {3, "X", "http://industry-groups.example/wsc/Industry_Group_Analysis.html?Symbol=X&Button=ITBRK"},
        {4, "X", "http://industry-groups.example/wsc/Industry_Group_Analysis.html?Symbol=X&Button=LTBRK"},
        {5, "X", "http://industry-groups.example/wsc/Industry_Group_Analysis.html?Symbol=X&Button=FUND"},
        {6, "X", "http://industry-groups.example/wsc/Industry_Group_Analysis.html?Symbol=X&Button=INSIDERS"},
        {7, "X", "http://industry-groups.example/wsc/Industry_Group_Analysis.html?Symbol=X&Button=RANKINGS"},
        {8, "X", ""},
    });
}

TEST(WebAddresses, Streams)
{
    const auto tv = [](int i, const QString&) { return TVStreamAddress(i); };
    check(tv, {
        {0, "", "http://broadcaster.example/streams/video/financial56.ram"},
        {2, "", "http://broadcaster.example/videos/top/LiveBTV56.ram"},
        {5, "", "http://newspaper-tv.example/rmrams/v_regs/news.ram"},
        {8, "", "http://newspaper-tv.example/rmrams/v_regs/preview.ram"},
        {9, "", "http://investor-tv.example/denvideo.ram"},
        {10, "", "http://public-broadcaster.example/olmedia/video/news169.ram"},
        {11, "", ""},
    });
    const auto radio = [](int i, const QString&) { return RadioStreamAddress(i); };
    check(radio, {
        {0, "", "http://broadcaster.example/wbbr/blp_finmkt.ram"},
        {4, "", "http://broadcaster.example/wbbr/live/live1.ram"},
        {5, "", "http://market-radio.example/abslive.ram"},
        {6, "", "http://market-radio.example/afund.ram"},
        {9, "", "http://market-radio.example/macro.ram"},
        {11, "", "http://market-radio.example/libertyw.ram"},
        {12, "", "http://market-radio.example/axd.ram"},
        {13, "", "http://talk-radio.example/radio/ram/talkamerica.ram?adurl=0000000c0000000300000000"},
        {14, "", "http://business-radio.example/radio/summary.ram"},
        {15, "", "http://audio-video-news.example/subcategories/video.cfm?todayRM=19990423&scope=bus.rm"},
        {16, "", "http://public-broadcaster.example/olmedia/audio/world_summary.ram"},
        {17, "", ""},
        {-1, "", ""},
    });
    for (int i = 0; i <= 16; ++i)
        EXPECT_FALSE(RadioStreamAddress(i).isEmpty()) << i;
}

// Ordinary symbols go in as they stand; characters that would end a value, start
// a fragment or a new path step are written %XX.
TEST(WebAddresses, SymbolsThatWouldChangeTheAddressAreEncoded)
{
    EXPECT_EQ(QueryValue(QStringLiteral("^DJI")), QStringLiteral("^DJI"));
    EXPECT_EQ(QueryValue(QStringLiteral("BRK.B-X=Y")), QStringLiteral("BRK.B-X=Y"));
    EXPECT_EQ(QueryValue(QStringLiteral("A&B#C+D%E?F G\tH")), QStringLiteral("A%26B%23C%2BD%25E%3FF%20G%09H"));
    EXPECT_EQ(PathValue(QStringLiteral("a/b")), QStringLiteral("a%2Fb"));
    EXPECT_EQ(QueryValue(QStringLiteral("a/b")), QStringLiteral("a/b"));
    EXPECT_EQ(StockChartAddress(1, QStringLiteral("../x")), QStringLiteral("http://chart-images.example/c/3m/./..%2Fx.gif"));
    EXPECT_EQ(StockNewsAddress(12, QStringLiteral("A#B")),
              QStringLiteral("http://news-digest.example/free/digest?Symbol=A%23B#news"));
    EXPECT_EQ(StockChartAddress(0, QStringLiteral("A&s=B")), QStringLiteral("http://intraday-chart.example/b?s=A%26s=B"));
}

class RecordingWindows final : public WebLinkWindows
{
public:
    QStringList shown;
    void showChartExplorer() override { shown << QStringLiteral("BigChart"); }
    void showTechnicalGraphs() override { shown << QStringLiteral("TechGraph"); }
    void showHeadlineQuery(const QString& symbol) override { shown << "Reuters " + symbol; }
    void showScreener() override { shown << QStringLiteral("Scr"); }
};

class WebLinksOpeners : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetProgramState();
        test::shell().reset();
        test::dialogs().reset();
        installWebLinkWindows(&windows);
    }
    void TearDown() override
    {
        installWebLinkWindows(nullptr);
        ResetProgramState();
        test::shell().reset();
        test::dialogs().reset();
    }
    QStringList messages() const
    {
        QStringList out;
        for (const auto& s : test::dialogs().shown)
            out << s.prompt + " | " + s.title;
        return out;
    }
    RecordingWindows windows;
};

TEST_F(WebLinksOpeners, NoSymbolGivesEachOpenersMessageAndOpensNothing)
{
    struct Row
    {
        void (*open)(int);
        const char* message;  // "" none
    };
    const Row rows[] = {
        {OpenStockChart, "Select any stock graph. | No stock symbol selected"},
        {OpenStockNews, "Select any stock. | No stock symbol selected"},
        {OpenFundamentalChart, "Select Some Stock Symbol. | No stock symbol selected"},
        {MessageBoardURL, ""},
    };
    for (const Row& row : rows) {
        test::dialogs().reset();
        row.open(1);
        EXPECT_EQ(messages(), row.message[0] ? QStringList{QLatin1String(row.message)} : QStringList()) << row.message;
        EXPECT_EQ(test::dialogs().shown.value(0).buttons, row.message[0] ? int(Dialogs::vbInformation) : 0);
    }
    OpenStockNews(14);
    EXPECT_TRUE(test::shell().opened.isEmpty());
    EXPECT_TRUE(windows.shown.isEmpty());
    // Without a symbol the industry group still opens, with an empty symbol.
    IndustryGroupURL(0);
    EXPECT_EQ(test::shell().opened,
              QStringList{"http://industry-groups.example/wsc/Industry_Group_Analysis.html?Symbol=&Button=GRAPH"});
}

TEST_F(WebLinksOpeners, OneLetterSymbolOpensChartsAndNewsButNoFundamentalChart)
{
    CurrentSymbol() = QStringLiteral("f");
    OpenStockChart(1);
    OpenStockNews(8);
    MessageBoardURL(1);
    EXPECT_EQ(test::shell().opened, QStringList({"http://chart-images.example/c/3m/f/f.gif",
                                                 "http://personal-finance.example/investments/news/?symbol=F",
                                                 "http://message-boards.example/?action=q&board=F"}));
    EXPECT_TRUE(messages().isEmpty());
    OpenFundamentalChart(3);
    EXPECT_EQ(messages(), QStringList{"Select Some Stock Symbol. | No stock symbol selected"});
    EXPECT_EQ(test::shell().opened.size(), 3);
    // The pointer is back after every opener.
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(WebLinksOpeners, EachOpenerHandsExactlyOneAddressOrNone)
{
    CurrentSymbol() = QStringLiteral("ibm");
    struct Row
    {
        void (*open)(int);
        int index;
        int opened;
    };
    const Row rows[] = {
        {OpenStockChart, 8, 1},       {OpenStockChart, 9, 0},    {OpenStockNews, 13, 1},
        {OpenStockNews, 15, 0},       {OpenFundamentalChart, 19, 1}, {OpenFundamentalChart, 21, 1},
        {MessageBoardURL, 2, 1},      {MessageBoardURL, 3, 0},   {IndustryGroupURL, 7, 1},
        {IndustryGroupURL, 8, 0},     {TVStreamURL, 10, 1},      {TVStreamURL, 11, 0},
        {RadioStreamURL, 16, 1},      {RadioStreamURL, 17, 0},
    };
    for (const Row& row : rows) {
        test::shell().reset();
        row.open(row.index);
        EXPECT_EQ(test::shell().opened.size(), row.opened) << row.index;
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << row.index;
    }
    EXPECT_TRUE(messages().isEmpty());
    test::shell().reset();
    OpenFundamentalChart(19);
    EXPECT_TRUE(test::shell().opened.value(0).endsWith("&field=Revenues Selected"));
}

TEST_F(WebLinksOpeners, HeadlineNodeShowsTheQueryWindowWithTheSymbolInUpperCase)
{
    CurrentSymbol() = QStringLiteral("dell");
    OpenStockNews(14);
    ShowBigChart(0);
    ShowTechGraph(0);
    EXPECT_EQ(windows.shown, QStringList({"Reuters DELL", "BigChart", "TechGraph"}));
    EXPECT_TRUE(test::shell().opened.isEmpty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// The news opener gives the busy pointer back also when it ends at a failure.
TEST_F(WebLinksOpeners, NewsOpenerResetsThePointerWhenTheWindowFails)
{
    struct Throwing final : WebLinkWindows
    {
        bool busyMeanwhile = false;
        void showChartExplorer() override {}
        void showTechnicalGraphs() override {}
        void showHeadlineQuery(const QString&) override
        {
            busyMeanwhile = QGuiApplication::overrideCursor() != nullptr;
            throw std::runtime_error("no window");
        }
        void showScreener() override {}
    } throwing;
    installWebLinkWindows(&throwing);
    CurrentSymbol() = QStringLiteral("dell");
    OpenStockNews(14);
    EXPECT_TRUE(throwing.busyMeanwhile);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
