// Winners and losers, the analyst actions, the earnings surprises and the world
// markets over pages of our own.
#include "MarketViewFixture.h"

#include "market/AnalystActions.h"
#include "market/Surprises.h"

namespace {

class WinnersLosersTest : public MarketViewTest
{
};

TEST_F(WinnersLosersTest, ThreeSectionsUnderBandsWithEmptyCellsKeptAndATrailingHiddenRow)
{
    writePage(QStringLiteral("mwwinners.Sh"), page(QStringLiteral("winlos/mwwinners.Sh")));
    FlexGrid& g = show(QStringLiteral("WINLOS"), QStringLiteral("mwwinners.Sh"));

    EXPECT_EQ(CurrentView(), QStringLiteral("WINLOS"));
    ASSERT_EQ(g.Rows(), 9);
    ASSERT_EQ(g.Cols(), 9);
    EXPECT_EQ(rowTexts(g, 0), QStringList({"", "Symbol", "", "Company", "Last", "Volume", "Change", "% Ch", ""}));
    EXPECT_EQ(g.TextMatrix(1, 3), QStringLiteral("Percentage Winners"));
    EXPECT_EQ(g.RowHeight(1), 2 * kBase);
    EXPECT_TRUE(g.cellFormat(1, 3).bold);
    EXPECT_EQ(g.cellFormat(1, 3).textStyle, 3);
    // The bands: the section's heading in column 3, yellow across columns 1 to 7.
    for (int band : {2, 5, 6})
        EXPECT_EQ(g.cellFormat(band, 4).backColor, 0xFFFF) << band;
    EXPECT_EQ(g.cellFormat(2, 0).backColor, 0);
    EXPECT_EQ(g.TextMatrix(2, 3), QStringLiteral("Nasdaq & Co"));
    // A section without data rows: its band right above the next one.
    EXPECT_EQ(g.TextMatrix(5, 3), QStringLiteral("NYSE"));
    EXPECT_EQ(g.TextMatrix(6, 3), QStringLiteral("AMEX"));
    // "&nbsp;" goes without a space; an empty cell keeps its column.
    EXPECT_EQ(rowTexts(g, 3), QStringList({"1", "ABC", "x", "AbcCorp", "10.00", "1,000", "+1.00", "11%", ""}));
    EXPECT_EQ(rowTexts(g, 4), QStringList({"2", "DEF", "", "Def Inc", "5.00", "500", "+0.50", "10%", ""}));
    EXPECT_EQ(g.TextMatrix(7, 1), QStringLiteral("GHI"));
    EXPECT_EQ(g.cellFormat(7, 1).foreColor, 0xFF0000);
    EXPECT_TRUE(g.cellFormat(7, 1).underline);
    EXPECT_EQ(g.RowHeight(8), 0);
    EXPECT_EQ(g.RowHeight(7), FlexGrid::DefaultRowHeight);
    EXPECT_EQ(g.ColWidth(2), 0);
    EXPECT_EQ(g.ColWidth(8), 0);
}

TEST_F(WinnersLosersTest, AMissingSecondOrThirdTableShowsThatSectionEmpty)
{
    QByteArray one = page(QStringLiteral("winlos/mwwinners.Sh"));
    const int second = one.indexOf("<TABLE>", one.indexOf("</TABLE>"));
    one = one.left(second) + "<p>Copyright 2001 All Rights Reserved</p>";
    // Any name but the winners' is the losers list.
    one.replace("Percentage Winners", "Percentage Losers");
    writePage(QStringLiteral("mwlosers.Sh"), one);
    FlexGrid& g = show(QStringLiteral("WINLOS"), QStringLiteral("mwlosers.Sh"));
    ASSERT_EQ(g.Rows(), 8);
    EXPECT_EQ(g.TextMatrix(1, 3), QStringLiteral("Percentage Losers"));
    EXPECT_EQ(g.TextMatrix(5, 3), QString());
    EXPECT_EQ(g.TextMatrix(6, 3), QString());
    EXPECT_EQ(g.cellFormat(6, 3).backColor, 0xFFFF);
    EXPECT_EQ(g.TextMatrix(6, 1), QString());
}

TEST_F(WinnersLosersTest, FailuresShowNoDataOrABlankGrid)
{
    const QByteArray good = page(QStringLiteral("winlos/mwwinners.Sh"));
    expectFailures(QStringLiteral("mwwinners.Sh"), QStringLiteral("WINLOS"), QStringLiteral("mwwinners.Sh"),
                   {
                       {"no page", {}, "No Data were found"},
                       {"no title", QByteArray(good).replace("Percentage Winners", "Winners"), "No Data were found"},
                       {"no end", QByteArray(good).replace("All Rights Reserved", "Reserved"), "No Data were found"},
                       {"cell not closed", QByteArray(good).replace("<TD>10%</TD></TR>", "<TD>10%</TR>"),
                        "No Data were found"},
                       {"ten cells", QByteArray(good).replace("<TD>11%</TD>", "<TD>11%</TD><TD>a</TD><TD>b</TD>"), ""},
                   });
}

class AnalystActionsTest : public MarketViewTest
{
};

TEST_F(AnalystActionsTest, EachMemberShowsItsTableUnderItsTitle)
{
    writePage(QStringLiteral("UpDown.Sh"), page(QStringLiteral("analyst/UpDown.Sh")));

    FlexGrid& up = show(QStringLiteral("Upgrade"));
    EXPECT_EQ(CurrentView(), QStringLiteral("Upgrade"));
    ASSERT_EQ(up.Rows(), 4);
    ASSERT_EQ(up.Cols(), 6);
    EXPECT_EQ(rowTexts(up, 0), QStringList({"Company", "Symbol", "Brokerage", "From", "To", "Details"}));
    EXPECT_EQ(up.cellFormat(0, 1).foreColor, 0);  // the heading row is no link row
    // The title over (1, 0); "&#187;" gone, "&amp;" turned.
    EXPECT_EQ(rowTexts(up, 1), QStringList({"Upgrades", "ABC", "Big & Small", "Hold", "Buy", "More"}));
    EXPECT_TRUE(up.cellFormat(1, 0).bold);
    // "Th" and "TH" read "td"; an empty cell keeps its column; "&nbsp;" stays.
    EXPECT_EQ(rowTexts(up, 2), QStringList({"tdin Co", "tdN", "", "&nbsp;", "Buy", "More"}));
    for (int c : {1, 5}) {
        EXPECT_EQ(up.cellFormat(2, c).foreColor, 0xFF0000) << c;
        EXPECT_TRUE(up.cellFormat(2, c).underline) << c;
    }
    EXPECT_EQ(up.cellFormat(2, 2).foreColor, 0);
    EXPECT_EQ(up.RowHeight(0), 2 * kBase);
    EXPECT_EQ(up.RowHeight(1), 2 * kBase);
    EXPECT_EQ(up.RowHeight(3), 0);
    EXPECT_EQ(up.ColWidth(0), 2500);

    FlexGrid& down = show(QStringLiteral("Downgrade"));
    ASSERT_EQ(down.Rows(), 3);
    EXPECT_EQ(rowTexts(down, 1), QStringList({"Downgrades", "DEF", "Broker One", "Buy", "Hold", "More"}));

    FlexGrid& cov = show(QStringLiteral("Coverage"));
    ASSERT_EQ(cov.Rows(), 4);
    ASSERT_EQ(cov.Cols(), 5);
    EXPECT_EQ(rowTexts(cov, 1), QStringList({"Coverage Initiated", "GHI", "Broker Two", "Buy", "More"}));
    EXPECT_EQ(cov.cellFormat(2, 4).foreColor, 0xFF0000);
    EXPECT_EQ(cov.ColWidth(2), 2700);
}

TEST_F(AnalystActionsTest, APageWithoutTheHeadingShowsItsFirstTable)
{
    QByteArray p = page(QStringLiteral("analyst/UpDown.Sh"));
    p.replace("<big><b>Downgrades</b></big>", "");
    writePage(QStringLiteral("UpDown.Sh"), p);
    FlexGrid& g = show(QStringLiteral("Downgrade"));
    EXPECT_EQ(rowTexts(g, 1), QStringList({"Downgrades", "ABC", "Big & Small", "Hold", "Buy", "More"}));
}

TEST_F(AnalystActionsTest, AMissingOrEmptyPageShowsEachMembersMessageUpgradesIncluded)
{
    for (const char* code : {"Coverage", "Downgrade", "Upgrade"}) {
        SCOPED_TRACE(code);
        removePage(QStringLiteral("UpDown.Sh"));
        show(QLatin1String(code));
        expectMessage(AnalystActionsMessage(QLatin1String(code)));
        writePage(QStringLiteral("UpDown.Sh"), QByteArray());
        show(QLatin1String(code));
        expectMessage(AnalystActionsMessage(QLatin1String(code)));
    }
    EXPECT_EQ(AnalystActionsMessage(QStringLiteral("Upgrade")),
              QStringLiteral("Tradewright do not have additional information for Upgardes"));
    // A row wider than the member's columns: a blank grid.
    QByteArray wide = page(QStringLiteral("analyst/UpDown.Sh"));
    wide.replace("<TD>Buy</TD><TD>More</TD></TR>\n<TR><TD>Jkl", "<TD>Buy</TD><TD>More</TD><TD>x</TD></TR>\n<TR><TD>Jkl");
    writePage(QStringLiteral("UpDown.Sh"), wide);
    show(QStringLiteral("Coverage"));
    expectMessage(QString());
}

class SurprisesTest : public MarketViewTest
{
};

TEST_F(SurprisesTest, FiveCellsToARowWithTheTitleRowAfterTheHeadings)
{
    writePage(QStringLiteral("25_surp.Sh"), page(QStringLiteral("surprises/25_surp.Sh")));
    FlexGrid& g = show(QStringLiteral("SUP"));

    EXPECT_EQ(CurrentView(), QStringLiteral("SUP"));
    ASSERT_EQ(g.Rows(), 5);
    ASSERT_EQ(g.Cols(), 5);
    // The "<TH" row gives no cells: the first row of cells is the heading row.
    EXPECT_EQ(rowTexts(g, 0), QStringList({"Symbol", "Company", "Actual", "Estimate", "Surprise"}));
    EXPECT_EQ(g.TextMatrix(1, 1), QStringLiteral("Top Daily Earnings"));
    EXPECT_TRUE(g.cellFormat(1, 1).bold);
    EXPECT_EQ(g.cellFormat(1, 1).textStyle, 3);
    EXPECT_EQ(g.RowHeight(1), 2 * kBase);
    // Tabs show as spaces.
    EXPECT_EQ(rowTexts(g, 2), QStringList({"ABC", "Abc Corp", "1.10", "1.00", "10%"}));
    EXPECT_EQ(rowTexts(g, 3), QStringList({"DEF", "Def & Co", "2.00", "1.00", "100%"}));
    EXPECT_EQ(g.cellFormat(3, 0).foreColor, 0xFF0000);
    EXPECT_TRUE(g.cellFormat(3, 0).underline);
    // The note spanning the table stands in the trailing row, which is hidden.
    EXPECT_EQ(g.TextMatrix(4, 0), QStringLiteral("Figures of the day"));
    EXPECT_EQ(g.RowHeight(4), 0);
    EXPECT_EQ(g.RowHeight(0), kBase);
    EXPECT_EQ(g.ColWidth(1), 3200);
}

TEST_F(SurprisesTest, TheColumnCarriesOnAfterAShortRowAndASixthColumnShowsNothing)
{
    // A short row (two cells) then a row of three: the three continue at column 2.
    QByteArray p = page(QStringLiteral("surprises/25_surp.Sh"));
    p.replace("<TR><TD colspan=5>Figures of the day</TD></TR>",
              "<TR><TD>a</TD><TD>b</TD></TR><TR><TD>c</TD><TD>d</TD><TD>e</TD></TR>");
    writePage(QStringLiteral("25_surp.Sh"), p);
    FlexGrid& g = show(QStringLiteral("SUP"));
    ASSERT_EQ(g.Rows(), 5);
    EXPECT_EQ(rowTexts(g, 4), QStringList({"a", "b", "c", "d", "e"}));

    // One more full row would fall into a sixth column: the grid stays as it was.
    p.replace("</TABLE>", "<TR><TD>f</TD><TD>g</TD><TD>h</TD><TD>i</TD><TD>j</TD></TR></TABLE>");
    writePage(QStringLiteral("25_surp.Sh"), p);
    fillMarker();
    show(QStringLiteral("SUP"));
    expectMarker();
}

TEST_F(SurprisesTest, APageWithoutATableShowsTheMessage)
{
    for (const QByteArray& p : {QByteArray(), QByteArray("<html>no table</html>"),
                                QByteArray("<TABLE><TR><TD>a</TD></TR>")}) {
        removePage(QStringLiteral("25_surp.Sh"));
        if (!p.isEmpty())
            writePage(QStringLiteral("25_surp.Sh"), p);
        show(QStringLiteral("SUP"));
        expectMessage(SurprisesMessage());
    }
}

class WorldMarketsTest : public MarketViewTest
{
};

TEST_F(WorldMarketsTest, RegionsWithTitlesInThePreviousRegionsLastRowAndCommasAsCellBoundaries)
{
    writePage(QStringLiteral("Market.Sh"), page(QStringLiteral("world/Market.Sh")));
    FlexGrid& g = show(QStringLiteral("WM"));

    EXPECT_EQ(CurrentView(), QStringLiteral("WM"));
    ASSERT_EQ(g.Rows(), 8);
    ASSERT_EQ(g.Cols(), 12);
    EXPECT_EQ(rowTexts(g, 0).mid(0, 9), QStringList({"", "Name", "", "Symbol", "Date", "Last Trade", "Change",
                                                     "% Change", "More Info"}));
    EXPECT_EQ(g.TextMatrix(1, 1), QStringLiteral("Americas"));
    // The thousands comma splits the value, and the later cells move right.
    EXPECT_EQ(rowTexts(g, 2).mid(1, 9), QStringList({"Brazil", "x", "^BVSP", "12/9", "10", "234.5", "+12.0", "+0.1%",
                                                     "Chart"}));
    EXPECT_EQ(picture(g, 2), QString());
    // The next region's title takes column 1 of the region's last row.
    EXPECT_EQ(g.TextMatrix(3, 1), QStringLiteral("Asia/Pacific"));
    EXPECT_EQ(g.TextMatrix(3, 3), QStringLiteral("^GSPTSE"));
    EXPECT_EQ(picture(g, 3), FlexGrid::PictureDown);
    EXPECT_EQ(g.RowHeight(3), 2 * kBase);
    EXPECT_TRUE(g.cellFormat(3, 1).bold);
    EXPECT_EQ(g.cellFormat(3, 11).backColor, 0xFFFFFF);
    EXPECT_EQ(g.TextMatrix(4, 1), QStringLiteral("Europe"));
    EXPECT_EQ(picture(g, 4), FlexGrid::PictureUp);
    EXPECT_EQ(g.TextMatrix(5, 1), QStringLiteral("Africa/Middle East"));
    // The last region's row and the empty row below it are hidden.
    EXPECT_EQ(g.TextMatrix(6, 1), QStringLiteral("Israel"));
    EXPECT_EQ(g.RowHeight(6), 0);
    EXPECT_EQ(g.RowHeight(7), 0);
    EXPECT_EQ(g.RowHeight(2), kBase);
    for (int c : {3, 8, 9})
        EXPECT_EQ(g.cellFormat(2, c).foreColor, 0xFF0000) << c;
    EXPECT_EQ(g.BackColor(), 0xE8FFFF);
    EXPECT_EQ(g.ColWidth(1), 2000);
}

TEST_F(WorldMarketsTest, FailuresShowNoDataOrABlankGrid)
{
    const QByteArray good = page(QStringLiteral("world/Market.Sh"));
    expectFailures(QStringLiteral("Market.Sh"), QStringLiteral("WM"), QString(),
                   {
                       {"no page", {}, "No Data were found"},
                       {"no Europe", QByteArray(good).replace("Europe", "Euro"), "No Data were found"},
                       {"no table end", QByteArray(good).replace("</TABLE>", ""), "No Data were found"},
                       {"twelve cells",
                        QByteArray(good).replace("<TD>Chart</TD>", "<TD>Chart</TD><TD>a</TD><TD>b</TD><TD>c</TD>"), ""},
                   });
}

} // namespace

namespace {

class LongPagesTest : public MarketViewTest
{
};

// No position limit: every view reads its page behind 40 KB of head as it reads the page.
TEST_F(LongPagesTest, EachViewFillsTheSameBehindALongHead)
{
    struct Case
    {
        const char* code;
        const char* key;
        const char* file;
        const char* fixture;
    };
    const Case cases[] = {
        {"BR", "brPG_Q.Sh", "brPG_Q.Sh", "movers/brPG_Q.Sh"},
        {"BR", "BrDT_Q.Sh", "BrDT_Q.Sh", "movers/BrDT_Q.Sh"},
        {"WINLOS", "mwwinners.Sh", "mwwinners.Sh", "winlos/mwwinners.Sh"},
        {"Coverage", "", "UpDown.Sh", "analyst/UpDown.Sh"},
        {"Downgrade", "", "UpDown.Sh", "analyst/UpDown.Sh"},
        {"SUP", "", "25_surp.Sh", "surprises/25_surp.Sh"},
        {"WM", "", "Market.Sh", "world/Market.Sh"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const QByteArray plain = page(QLatin1String(c.fixture));
        writePage(QLatin1String(c.file), plain);
        FlexGrid a;
        a.assignFrom(show(QLatin1String(c.code), QLatin1String(c.key)));
        EXPECT_GE(a.Rows(), 3);
        writePage(QLatin1String(c.file), behindLongHead(plain));
        FlexGrid& b = show(QLatin1String(c.code), QLatin1String(c.key));
        ASSERT_EQ(a.Rows(), b.Rows());
        for (int r = 0; r < a.Rows(); ++r)
            EXPECT_EQ(rowTexts(a, r), rowTexts(b, r)) << r;
    }
}

} // namespace
