// The options market summary: three tables of one page, cut at their anchor word.
#include "MarketPagesFixture.h"

namespace {

const QString kNoOptions = QStringLiteral("Tradewright do not have Options market informain.");

} // namespace

class OptionsSummaryTest : public MarketPagesTest
{
protected:
    void SetUp() override
    {
        MarketPagesTest::SetUp();
        writePage(QStringLiteral("OptSum.Sh"), page("optsum", "OptSum.Sh"));
    }
};

TEST_F(OptionsSummaryTest, EachTableFromItsAnchorWithTitleAndColumnHeader)
{
    struct Case
    {
        const char* key;
        const char* title;
        const char* header;
        QStringList firstRow;
        int rows;
    };
    const Case cases[] = {
        {"0", "Top 10 Option Volume Leaders", "Pct Change", {"XYZ", "12 1/2", "-1 1/4", "+3/8", "+15,200"}, 5},
        {"1", "Top 10 Option Percentage Gainers", "Pct Gain", {"GNR", "4", "+1", "+33%", "1,000"}, 3},
        {"2", "Top 10 Option Percentage Losers", "Pct Loss", {"LSR", "2", "-1", "-33%", "500"}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        FlexGrid& g = show("OptSum", c.key);
        EXPECT_EQ(CurrentView(), "OptSum");
        ASSERT_EQ(g.Rows(), c.rows);
        EXPECT_EQ(row(g, 0), QStringList({"Symbol", "Last", "Change", c.header, "Volume"}));
        EXPECT_EQ(g.TextMatrix(1, 0), c.title);
        EXPECT_TRUE(g.cellFormat(1, 0).bold);
        EXPECT_EQ(row(g, 2), c.firstRow);
        EXPECT_EQ(g.RowHeight(0), kStd);
        EXPECT_EQ(g.RowHeight(1), 2 * kStd);
        EXPECT_EQ(g.TopRow(), 1);
        EXPECT_EQ(widths(g), QList<int>({24, 18, 18, 18, 18}));
        EXPECT_EQ(g.ColAlignment(0), 1);
        EXPECT_EQ(g.ColAlignment(4), 7);
        EXPECT_EQ(g.cellFormat(0, 3).alignment, 4);
    }
}

TEST_F(OptionsSummaryTest, SignColoursOnlyInTheChangeColumns)
{
    FlexGrid& g = show("OptSum", "0");
    ASSERT_EQ(g.Rows(), 5);
    EXPECT_EQ(g.TextMatrix(3, 0), "ABC & Co");
    EXPECT_EQ(g.cellFormat(2, 2).foreColor, kRed);   // -1 1/4
    EXPECT_EQ(g.cellFormat(2, 3).foreColor, kBlue);  // +3/8
    EXPECT_EQ(g.cellFormat(3, 2).foreColor, 0);      // unch
    EXPECT_EQ(g.cellFormat(3, 3).foreColor, kRed);   // -2%
    EXPECT_EQ(g.cellFormat(2, 4).foreColor, 0);      // +15,200: volume
    EXPECT_EQ(g.cellFormat(3, 1).foreColor, 0);      // -5: last price
    EXPECT_EQ(g.cellFormat(3, 4).foreColor, 0);
    // A row block without cells is an empty grid row.
    EXPECT_EQ(row(g, 4), QStringList({"", "", "", "", ""}));
}

TEST_F(OptionsSummaryTest, AnchorIsTheFirstOccurrenceAnywhere)
{
    writePage("OptSum.Sh", "<p>menu: Gainers</p><table><tr><td>Menu row</td></tr><tr><td>MNU</td><td>1</td>"
                           "<td>+1</td><td>+2</td><td>3</td></tr></table>" + page("optsum", "OptSum.Sh"));
    FlexGrid& g = show("OptSum", "1");
    ASSERT_EQ(g.Rows(), 3);
    EXPECT_EQ(g.TextMatrix(1, 0), "Top 10 Option Percentage Gainers");
    EXPECT_EQ(g.TextMatrix(2, 0), "MNU");
}

TEST_F(OptionsSummaryTest, MissingEmptyOrAnchorlessPageShowsTheMessage)
{
    const std::pair<const char*, QByteArray> cases[] = {
        {"missing", QByteArray()},
        {"empty", QByteArray("")},
        {"no anchor", QByteArray("<table><tr><td>x</td></tr></table>")},
        {"no table end", QByteArray("Leaders <tr><td>x</td></tr>")},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        showPrevious();
        removePage("OptSum.Sh");
        if (std::string(name) != "missing")
            writePage("OptSum.Sh", bytes);
        show("OptSum", "0");
        EXPECT_EQ(CurrentView(), "OptSum");
        expectMessage(kNoOptions);
    }
}

TEST_F(OptionsSummaryTest, AnchorAndTableEndWithoutRowsGiveHeadingsAndTitle)
{
    writePage("OptSum.Sh", "<p>Losers</p><table></table>");
    FlexGrid& g = show("OptSum", "2");
    ASSERT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.TextMatrix(0, 3), "Pct Loss");
    EXPECT_EQ(g.TextMatrix(1, 0), "Top 10 Option Percentage Losers");
    EXPECT_EQ(g.GridLines(), 1);
}

TEST_F(OptionsSummaryTest, TableNumberOutsideTheRangeDoesNothing)
{
    for (const char* key : {"3", "-1", "x", ""}) {
        SCOPED_TRACE(key);
        show("OptSum", key);
        expectPreviousGrid();
    }
}

TEST_F(OptionsSummaryTest, NeverZoomedAndLeavesThePointerAlone)
{
    ZoomMode() = true;
    FlexGrid& g = show("OptSum", "0");
    EXPECT_EQ(&g, &grid());
    EXPECT_TRUE(host.shown.empty());
    EXPECT_TRUE(ZoomMode());  // a view the zoom window does not redraw leaves the flag
    ZoomMode() = false;
    EXPECT_TRUE(findView("OptSum")->leavesPointer);
}
