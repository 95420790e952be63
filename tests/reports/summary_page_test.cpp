// The summary page: its frame and section order, the analysts' bar, the Latest
// Prices box, the profile with its chart cell, the page of a stock without cached
// pages, escaping of the company name, and symbols that cannot name a file.

#include "IsolatedStore.h"
#include "OfflineProbe.h"

#include "platform/AppPath.h"
#include "platform/Codec.h"
#include "platform/Dialer.h"
#include "platform/Dialogs.h"
#include "platform/Sites.h"
#include "reports/Summery.h"
#include "stockdata/ProgramState.h"

#include <QDir>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <limits>

using namespace summary;

namespace {

class OnlineProbe : public test::OfflineProbe
{
public:
    int activeConnections() override { return 1; }
};

Flags only(std::initializer_list<Flag> chosen)
{
    Flags f{};
    for (Flag k : chosen)
        f[k] = 1;
    return f;
}

Flags all()
{
    Flags f;
    f.fill(1);
    return f;
}

class SummaryPageTest : public IsolatedStore
{
protected:
    void SetUp() override
    {
        IsolatedStore::SetUp();
        ResetProgramState();
        Dialer::install(&offline);
        Clock::setFixed(QDateTime(QDate(2026, 12, 10), QTime(14, 5, 9)));
        StockRec& r = Stocks()[1];
        r.Symbol = QStringLiteral("IBM");
        r.CompanyName = QStringLiteral("Intl Machines");
        StockCount() = 2;
        Stocks()[0].Symbol = QStringLiteral("AAA");
        CurrentSymbol() = QStringLiteral("IBM");
        CurrentIndex() = 1;
        QDir().mkpath(AppPath() + QStringLiteral("/Cache/DataSheet"));
    }
    void TearDown() override
    {
        Dialer::install(nullptr);
        ResetProgramState();
        IsolatedStore::TearDown();
    }
    void cached(const QString& suffix, const QString& text)
    {
        ASSERT_TRUE(WriteFileAtomic(AppPath() + QStringLiteral("/Cache/DataSheet/IBM") + suffix, toCp1252(text)));
    }
    QString written(const QString& symbol = QStringLiteral("IBM")) const
    {
        return fromCp1252(ReadBytes(AppPath() + QStringLiteral("/Cache/Reports/Summary/") + symbol + QStringLiteral(".htm")));
    }

    test::OfflineProbe offline;
    QuietProgress progress;
    Summery summery{progress};
};

TEST_F(SummaryPageTest, RecommendationBarWidthsFollowTheRating)
{
    struct Case
    {
        float rating;
        int left;   // W + 10, "" for no section
        int right;  // 100 - W
    };
    const Case cases[] = {
        {0, 0, 0},    {1, 104, 6},  {2, 81, 29}, {3, 59, 51}, {4, 36, 74},
        {5, 13, 97},  {2.5f, 81, 29},  // a half goes to the even neighbour
        {3.5f, 36, 74}, {7, 13, 97},   // above 5: the bar of 5
        {0.4f, 0, 0},
        // Far outside any whole number, or no number at all (a damaged set file).
        {1e30f, 13, 97}, {-1e30f, 104, 6}, {-3, 104, 6},
        {std::numeric_limits<float>::infinity(), 0, 0}, {-std::numeric_limits<float>::infinity(), 0, 0},
        {std::numeric_limits<float>::quiet_NaN(), 0, 0},
    };
    for (const Case& c : cases) {
        Stocks()[1].AvgRecommendation = c.rating;
        const QString bar = summery.S_AR();
        if (c.left == 0) {
            EXPECT_EQ(bar, QString()) << c.rating;
            continue;
        }
        EXPECT_TRUE(bar.startsWith(QStringLiteral("\r\n<P><CENTER><B><FONT SIZE=\"+1\" FACE=\"Times New Roman\" "
                                                  "color=\"#009999\"><U>Analyst's Recommendation</U></FONT></B> ")));
        EXPECT_TRUE(bar.contains(QStringLiteral("<tr><td width=\"%1%\" bgcolor=\"#0000FF\" background=\"../../../bar.jpg\">"
                                                "&nbsp;</td><td width=\"1%\" bgcolor=\"#FF0000\"")
                                     .arg(c.left)))
            << c.rating;
        EXPECT_TRUE(bar.endsWith(QStringLiteral("<td width=\"%1%\" bgcolor=\"#0000FF\" background=\"../../../bar.jpg\">"
                                                "&nbsp;</td></tr></TABLE></CENTER></P><BR>")
                                     .arg(c.right)))
            << c.rating;
        for (const char* label : {">Sell<", ">Underpreform<", ">Hold<", ">Buy<", ">Strong Buy<"})
            EXPECT_TRUE(bar.contains(QLatin1String(label))) << label;
    }
}

TEST_F(SummaryPageTest, LatestPricesAloneGivesHeadDatePricesAndFooter)
{
    StockRec& r = Stocks()[1];
    r.LastPrice = QStringLiteral("101.5");
    r.PctChange = QStringLiteral("+1.2%");
    r.Change = QStringLiteral("+1.20");
    r.EPS = QStringLiteral("4.1");
    r.Exchange = QStringLiteral("NYSE");
    r.Industry = QStringLiteral("Tools <&> Dies");
    r.LastTradeTime = QStringLiteral("Dec 10 4:00pm");
    const QString page = summery.BuildPage(only({LP}));

    ASSERT_TRUE(page.startsWith(QStringLiteral("<HTML><HEAD><TITLE>Intl Machines Summary</TITLE></HEAD><BODY BGCOLOR=\"#ffffff\">\r\n")));
    const qsizetype date = page.indexOf(QStringLiteral("Last Update:</FONT></I></TD><TD WIDTH=\"50%\">&nbsp;"));
    const qsizetype box = page.indexOf(QStringLiteral("</TD></TR></TABLE></P>\r\n<P><CENTER><TABLE WIDTH=100% BORDER=0 "
                                                      "CELLSPACING=2 CELLPADDING=0><TR><TD COLSPAN=\"2\" align=\"CENTER\">"));
    const qsizetype footer = page.indexOf(QStringLiteral("</TABLE></CENTER></TD></TR></TABLE></CENTER></P><BR>\r\n<P><CENTER><HR>"));
    EXPECT_GT(date, 0);
    EXPECT_GT(box, date);
    EXPECT_GT(footer, box);
    EXPECT_TRUE(page.endsWith(QStringLiteral("</BODY></HTML>")));
    EXPECT_TRUE(page.contains(Summery::RowPrice(QStringLiteral("Change:"), QStringLiteral("+1.20"),
                                                QStringLiteral("$ Change :"), QStringLiteral("+1.2%"))));
    EXPECT_TRUE(page.contains(Summery::RowPrice(QStringLiteral("Volume:"), QString(), QStringLiteral("EPS:"),
                                                QStringLiteral("4.1"))));
    EXPECT_TRUE(page.contains(Summery::RowPrice(QStringLiteral("Industry:"), QStringLiteral("Tools &lt;&amp;&gt; Dies"),
                                                QStringLiteral("Exchange:"), QStringLiteral("NYSE"))));
    EXPECT_TRUE(page.contains(Summery::RowPrice(QStringLiteral("Symbol:"), QStringLiteral("IBM"), QString(), QString())));
    EXPECT_EQ(page.count(QStringLiteral("<TR><TD WIDTH=\"25%\" nowrap>")), 11);
    EXPECT_FALSE(page.contains(QStringLiteral("Profile:")));
    EXPECT_FALSE(page.contains(QStringLiteral("Analyst's Recommendation")));
}

TEST_F(SummaryPageTest, ProfileTextIsEscapedThenBrokenIntoLines)
{
    cached(QStringLiteral("_P.Sh"), QStringLiteral("<html>chr <b>Makes tools & dies.</b> Sells <i>them</i>. Ends<hr>tail</html>"));
    const QString profile = summery.S_Profile();
    EXPECT_EQ(profile, QStringLiteral("Makes tools &amp; dies.<BR>Sells them.<BR>Ends"));
    EXPECT_EQ(progress.last, QStringLiteral("Processing stock profile report, please wait.."));

    cached(QStringLiteral("_P.Sh"), QStringLiteral("no rule at all"));
    EXPECT_EQ(summery.S_Profile(), QString());
    QFile::remove(AppPath() + QStringLiteral("/Cache/DataSheet/IBM_P.Sh"));
    EXPECT_EQ(summery.S_Profile(), QStringLiteral("No Data Available."));
}

TEST_F(SummaryPageTest, ChartCellFollowsTheConnectionCount)
{
    EXPECT_EQ(summery.ProfileChart(), QStringLiteral("<FONT Size=-2>Connect to the Internet to view IBM chart</FONT>"));
    OnlineProbe online;
    Dialer::install(&online);
    EXPECT_EQ(summery.ProfileChart(), QStringLiteral("<img border=\"0\" src=\"")
                                          + Sites::Address(Site::ChartImages, QStringLiteral("/c/3m/i/IBM.gif"))
                                          + QStringLiteral("\">"));
    Dialer::install(&offline);
}

// The file holds the page BuildPage gives, in the report files' encoding, with
// letters outside ASCII in the name, the boxes and the prices.
TEST_F(SummaryPageTest, TheWrittenFileIsTheBuiltPageInTheFilesEncoding)
{
    Stocks()[1].CompanyName = QStringLiteral("Caf\u00e9 Cr\u00e8me \u20ac Works");
    Stocks()[1].LastPrice = QStringLiteral("\u00a3101");
    Stocks()[1].AvgRecommendation = 3;
    cached(QStringLiteral("_P.Sh"), QStringLiteral("<html><b>Profile</b>hr Makes caf\u00e9 tools. Sells them.<hr></html>"));
    cached(QStringLiteral("_uph.Sh"), QStringLiteral("<html>begin splits<table><tr><td>Type</td></tr>"
                                                     "<tr><td>Upgrade</td><td>Br\u00f6ker</td><td>Buy</td></tr></table></html>"));
    cached(QStringLiteral("_SI.Sh"), QStringLiteral("<html>Days to Cover<table><tr><td>12/1</td><td>1,000</td></tr></table></html>"));
    const QString page = summery.BuildPage(all());
    ASSERT_TRUE(page.contains(QStringLiteral("Br\u00f6ker")));
    summery.GanarateHTML(all());
    EXPECT_EQ(ReadBytes(AppPath() + QStringLiteral("/Cache/Reports/Summary/IBM.htm")), toCp1252(page) + "\r\n");
}

TEST_F(SummaryPageTest, AllSectionsWithoutCachedPagesAreWrittenAndOpened)
{
    Stocks()[1].AvgRecommendation = 2;
    summery.GanarateHTML(all());
    const QString page = written();
    ASSERT_FALSE(page.isEmpty());
    EXPECT_TRUE(page.endsWith(QStringLiteral("</BODY></HTML>\r\n")));
    EXPECT_EQ(test::shell().opened,
              QStringList{ResolvePath(AppPath() + QStringLiteral("/Cache/Reports/Summary/IBM.htm"))});
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(page.contains(QStringLiteral("&nbsp;No Data Available.</FONT></TD>")));  // the profile

    // The sections in page order, each with its box.
    const char* const order[] = {
        "Profile:", "Analyst's Recommendation", "Latest Prices", "Annual Balance Sheet", "Annual Income Statement",
        "Earning Growth", "Earning History", "Earning Estimates", "Consensus EPS Trade", "Split History",
        "Upgrades History", "Downgrades History", "Momentum Rating", "Broker Reports", "Insider Trader",
        "Quarterly Reports", "Calls", "Puts", "Short Interest",
    };
    qsizetype last = 0;
    for (const char* headline : order) {
        const qsizetype at = page.indexOf(QLatin1String(headline), last);
        EXPECT_GT(at, last) << headline;
        last = at;
    }
    const auto box = [](const char* headline, const QString& text) {
        return Summery::Table1(QLatin1String(headline), text);
    };
    EXPECT_TRUE(page.contains(box("Annual Balance Sheet", kNoData)));
    EXPECT_TRUE(page.contains(box("Split History", QString())));
    EXPECT_TRUE(page.contains(box("Momentum Rating", kSmallNoData)));
    EXPECT_TRUE(page.contains(box("Short Interest", kSmallNoData)));
    EXPECT_TRUE(page.contains(QStringLiteral("\r\n") + box("Puts", kNoData) + QStringLiteral("\r\n")
                              + box("Short Interest", kSmallNoData) + QStringLiteral("\r\n<P><CENTER><HR>")));
    EXPECT_EQ(progress.last, QStringLiteral("Processing Short Interest report, please wait.."));
}

TEST_F(SummaryPageTest, OnlyTheValueOneBuildsASection)
{
    Flags f{};
    f[EC] = 2;
    f[SI] = 1;
    f[IT] = 1;
    f[sp] = 1;
    const QString page = summery.BuildPage(f);
    EXPECT_FALSE(page.contains(QStringLiteral("Consensus EPS Trade")));
    EXPECT_TRUE(page.indexOf(QStringLiteral("Split History")) < page.indexOf(QStringLiteral("Insider Trader")));
    EXPECT_TRUE(page.indexOf(QStringLiteral("Insider Trader")) < page.indexOf(QStringLiteral("Short Interest")));
}

TEST_F(SummaryPageTest, CompanyNameWithMarkupCharactersIsEscaped)
{
    Stocks()[1].CompanyName = QStringLiteral("Smith & Sons <Holdings> &amp; Co");
    const QString page = summery.BuildPage(only({LP}));
    EXPECT_TRUE(page.contains(QStringLiteral("<TITLE>Smith &amp; Sons &lt;Holdings&gt; &amp; Co Summary</TITLE>")));
    EXPECT_TRUE(page.contains(QStringLiteral("Times New Roman\">Smith &amp; Sons &lt;Holdings&gt; &amp; Co</FONT>")));
}

TEST_F(SummaryPageTest, APageThatCannotBeWrittenIsNotOpenedAndTheUserIsToldWhy)
{
    const QString path = AppPath() + QStringLiteral("/Cache/Reports/Summary/IBM.htm");
    QDir().mkpath(path);  // a folder where the page goes
    summery.GanarateHTML(only({LP}));
    EXPECT_TRUE(test::shell().opened.isEmpty());
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_TRUE(test::dialogs().shown[0].prompt.startsWith(QStringLiteral("The file ") + path
                                                           + QStringLiteral(" could not be written.\r\n")));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(SummaryPageTest, AnUnsafeSymbolWritesNothingAndSaysSo)
{
    Stocks()[1].Symbol = QStringLiteral("../IBM");
    CurrentSymbol() = QStringLiteral("../IBM");
    summery.GanarateHTML(all());
    EXPECT_TRUE(test::shell().opened.isEmpty());
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_TRUE(test::dialogs().shown.first().prompt.contains(QStringLiteral("../IBM")));
    EXPECT_FALSE(QFile::exists(AppPath() + QStringLiteral("/Cache/Reports/IBM.htm")));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(SummaryPageTest, CachedSectionsLandInTheirBoxesAndAnOldPageIsReplaced)
{
    cached(QStringLiteral("_SI.Sh"), QStringLiteral("Days to Cover<tr><td>12/15</td><td>1,000</td></tr></table>"));
    cached(QStringLiteral("_mr.Sh"), QStringLiteral("Sells <td>No data</td></table>"));
    ASSERT_TRUE(QDir().mkpath(AppPath() + QStringLiteral("/Cache/Reports/Summary")));
    ASSERT_TRUE(WriteFileAtomic(AppPath() + QStringLiteral("/Cache/Reports/Summary/IBM.htm"), QByteArray(5000, 'x')));
    summery.GanarateHTML(only({SI, MOM}));
    const QString page = written();
    EXPECT_FALSE(page.contains(QLatin1Char('x') + QString(10, QLatin1Char('x'))));
    EXPECT_TRUE(page.contains(QStringLiteral("<TD ALIGN=\"right\"><FONT size=-1 color=#484848>1,000</Font></td>")));
    EXPECT_TRUE(page.contains(Summery::Table1(QStringLiteral("Momentum Rating"), kSmallNoData)));
}

} // namespace
