// The fund rankings: the key is the view code, names the page and picks the title.
#include "MarketPagesFixture.h"

#include "market/Funds.h"

class FundsTest : public MarketPagesTest
{
};

TEST_F(FundsTest, RowsFromTheFirstDateWithLinksAndSignColours)
{
    for (const bool zoom : {false, true}) {
        SCOPED_TRACE(zoom ? "zoom" : "main");
        writePage("F_Growth.Sh", page("funds", "F_Growth.Sh"));
        ZoomMode() = zoom;
        FlexGrid& g = show("F_", "F_Growth");
        EXPECT_EQ(&g == &grid(), !zoom);
        EXPECT_FALSE(ZoomMode());
        EXPECT_EQ(CurrentView(), "F_Growth");
        ASSERT_EQ(g.Rows(), 5);
        EXPECT_EQ(row(g, 0), QStringList({"Symbol", "Company Name", "Last", "Change", "Date"}));
        EXPECT_EQ(g.TextMatrix(1, 1), "Largest Growth Funds");
        EXPECT_TRUE(g.cellFormat(1, 1).bold);
        EXPECT_EQ(g.RowHeight(1), 2 * kStd);
        EXPECT_EQ(row(g, 2), QStringList({"AGROX", "GrowthFund & Co", "55.10", "+0.12", "12/09"}));
        EXPECT_EQ(row(g, 3), QStringList({"FCNTX", "Contra Fund", "-12.00", "-0.05", "12/09"}));
        for (int r = 2; r < 5; ++r)
            EXPECT_TRUE(isLink(g, r, 0)) << r;
        EXPECT_FALSE(isLink(g, 1, 0));
        EXPECT_EQ(g.cellFormat(2, 3).foreColor, kBlue);
        EXPECT_EQ(g.cellFormat(3, 3).foreColor, kRed);
        EXPECT_EQ(g.cellFormat(4, 3).foreColor, 0);  // unch
        EXPECT_EQ(g.cellFormat(3, 2).foreColor, 0);  // -12.00 is a price
        EXPECT_EQ(widths(g), QList<int>({12, 48, 12, 12, 12}));
        EXPECT_EQ(g.ColAlignment(4), 4);
        EXPECT_EQ(g.TopRow(), 1);
    }
}

TEST_F(FundsTest, MoneyMarketTableStartsAtLast)
{
    // The money-market page has no "Date": only its key finds the table.
    writePage("F_LMM.Sh", page("funds", "F_LMM.Sh"));
    writePage("F_Growth.Sh", page("funds", "F_LMM.Sh"));
    FlexGrid& g = show("F_", "F_LMM");
    ASSERT_EQ(g.Rows(), 3);
    EXPECT_EQ(g.TextMatrix(1, 1), "Largest Money Market Funds");
    EXPECT_EQ(g.TextMatrix(2, 0), "SPAXX");
    show("F_", "F_Growth");
    expectMessage("Tradewright do not have Largest Growth Funds informain.");
}

TEST_F(FundsTest, EveryKeyWithoutItsPageShowsItsTitleInTheMessage)
{
    const QStringList keys = findView("F_")->treeKeys;
    ASSERT_EQ(keys.size(), 22);
    QStringList titles;
    for (const QString& key : keys) {
        SCOPED_TRACE(key.toStdString());
        showPrevious();
        show("F_", key);
        EXPECT_EQ(CurrentView(), key);
        ASSERT_FALSE(FundTitle(key).isEmpty());
        expectMessage("Tradewright do not have " + FundTitle(key) + " informain.");
        titles << FundTitle(key);
    }
    EXPECT_EQ(titles.removeDuplicates(), 0);
    EXPECT_EQ(FundTitle("F_T"), "T. Rowe Price Mutual and Money Market Funds");
    EXPECT_EQ(FundTitle("F_t"), "");
}

TEST_F(FundsTest, EmptyOrAnchorlessPageShowsTheMessageAndNoRowsGiveHeadings)
{
    const QString message = "Tradewright do not have Largest Equity Funds informain.";
    for (const char* bytes : {"", "<table><tr><td>x</td></tr></table>", "Date <tr><td>x</td></tr>"}) {
        SCOPED_TRACE(bytes);
        showPrevious();
        writePage("F_Equity.Sh", bytes);
        show("F_", "F_Equity");
        expectMessage(message);
    }
    writePage("F_Equity.Sh", "Date</table>");
    FlexGrid& g = show("F_", "F_Equity");
    ASSERT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.TextMatrix(0, 1), "Company Name");
    EXPECT_EQ(g.TextMatrix(1, 1), "Largest Equity Funds");
}

TEST_F(FundsTest, MessageWhileZoomedGoesToTheMainGrid)
{
    ZoomMode() = true;
    show("F_", "F_Vanguard");
    EXPECT_TRUE(host.shown.empty());
    EXPECT_FALSE(ZoomMode());
    expectMessage("Tradewright do not have Vanguard Mutual and Money Market Funds informain.");
}
