// The day's broker reports and the analysts' recommendations: two lists of one page.
#include "MarketPagesFixture.h"

#include "market/BrokerReports.h"
#include "platform/RuntimeError.h"

namespace {
const QString kNoData = QStringLiteral("Data is not available, connect to Internet, and update again .");
}

class BrokerReportsTest : public MarketPagesTest
{
protected:
    void SetUp() override
    {
        MarketPagesTest::SetUp();
        writePage("M_BRP.Sh", page("broker", "M_BRP.Sh"));
    }
};

TEST_F(BrokerReportsTest, TodaysReportsJoinNonEmptyCells)
{
    FlexGrid& g = show("M_BRP", "0");
    EXPECT_EQ(CurrentView(), "M_BRP0");
    ASSERT_EQ(g.Rows(), 5);
    EXPECT_EQ(row(g, 0), QStringList({"Ticker", "Company", "Broker", "Report"}));
    EXPECT_EQ(row(g, 1), QStringList({"", "Today's Broker Reports", "", ""}));
    // "News" and "Chart" vanish from the text, commas too.
    EXPECT_EQ(row(g, 2), QStringList({"ACME", "Acme  Corp", "Big Broker", "Buy target 1250"}));
    // The empty company takes no column: the broker moves under "Company".
    EXPECT_EQ(row(g, 3), QStringList({"ZZZ", "SmallBroker", "It's fine", ""}));
    EXPECT_EQ(row(g, 4), QStringList({"", "", "", ""}));
    for (int r = 2; r < 5; ++r)
        EXPECT_TRUE(isLink(g, r, 0)) << r;
    EXPECT_FALSE(isLink(g, 1, 0));
    for (int r = 1; r < 5; ++r)
        EXPECT_EQ(g.RowHeight(r), 2 * kStd) << r;
    EXPECT_EQ(g.RowHeight(0), kStd);
    EXPECT_TRUE(g.cellFormat(1, 1).bold);
    EXPECT_EQ(g.cellFormat(1, 1).backColor, kWhite);
    EXPECT_FALSE(g.cellFormat(1, 0).bold);
    EXPECT_EQ(g.cellFormat(1, 0).backColor, kWhite);
    EXPECT_EQ(g.cellFormat(0, 2).alignment, 3);
    EXPECT_EQ(widths(g), QList<int>({12, 20, 20, 43}));
    EXPECT_FALSE(g.isUpdatesLocked());
}

TEST_F(BrokerReportsTest, RecommendationsWithHiddenSource)
{
    FlexGrid& g = show("M_BRP", "1");
    EXPECT_EQ(CurrentView(), "M_BRP1");
    ASSERT_EQ(g.Rows(), 4);
    EXPECT_EQ(row(g, 0), QStringList({"Date", "Symbol", "News", "Source"}));
    EXPECT_EQ(row(g, 1), QStringList({"", "", "Bloomberg Analysts Recommendations", ""}));
    EXPECT_EQ(row(g, 3), QStringList({"12/10", "QQ", "Q & R cut", "BN"}));
    EXPECT_TRUE(g.cellFormat(1, 2).bold);
    EXPECT_TRUE(g.cellFormat(1, 0).bold);
    EXPECT_FALSE(g.cellFormat(1, 1).bold);
    EXPECT_EQ(g.cellFormat(1, 1).backColor, 0);
    EXPECT_EQ(g.RowHeight(1), kStd);
    EXPECT_EQ(widths(g), QList<int>({12, 12, 72, 0}));
    EXPECT_FALSE(isLink(g, 2, 0));
}

TEST_F(BrokerReportsTest, ListZeroWithoutBreadcrumbStartsAfterTheFirstTable)
{
    QByteArray bytes = page("broker", "M_BRP.Sh");
    bytes.replace("/Breadcrumb", "crumbs");
    writePage("M_BRP.Sh", bytes);
    FlexGrid& g = show("M_BRP", "0");
    ASSERT_EQ(g.Rows(), 5);
    EXPECT_EQ(g.TextMatrix(2, 0), "ACME");
}

TEST_F(BrokerReportsTest, FailuresShowTheUpdateAgainText)
{
    const std::pair<const char*, QByteArray> cases[] = {
        {"missing", QByteArray()},
        {"no marker of list 1", QByteArray("<table><tr><td>x</td></tr></table>")},
        {"no table end", QByteArray("START BLOOMBERG NEWS <tr><td>x</td></tr>")},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        showPrevious();
        removePage("M_BRP.Sh");
        if (!bytes.isEmpty())
            writePage("M_BRP.Sh", bytes);
        show("M_BRP", "1");
        expectMessage(kNoData);
        showPrevious();
        show("M_BRP", "0");
        expectMessage(kNoData);
    }
}

TEST_F(BrokerReportsTest, ListNumberOutsideTheRangeDoesNothing)
{
    show("M_BRP", "2");
    expectPreviousGrid();
}

// The update lock goes with the builder's every way out, a failure included.
TEST_F(BrokerReportsTest, UpdateLockReleasedWhenTheFillFails)
{
    ViewContext ctx;
    ctx.key = "0";
    ctx.stdRowHeight = kStd;
    ctx.pagePath = path("Cache/DataSheet/M_BRP.Sh");
    // A row whose cell never closes fails after the lock was taken.
    writePage("M_BRP.Sh", "/Breadcrumb</table></tr><tr><td>open cell</tr></table>");
    FlexGrid g;
    EXPECT_THROW(BuildMarketBrokerReports(ctx, g), ViewError);
    EXPECT_FALSE(g.isUpdatesLocked());
    writePage("M_BRP.Sh", page("broker", "M_BRP.Sh"));
    BuildMarketBrokerReports(ctx, g);
    EXPECT_FALSE(g.isUpdatesLocked());
    EXPECT_TRUE(g.Redraw());
}
