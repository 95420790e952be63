// The five splits calendars.
#include "MarketPagesFixture.h"

namespace {
const QString kNotAvailable = QStringLiteral("Data is not available, connect to Internet, and update again .");
}

class SplitsCalendarsTest : public MarketPagesTest
{
};

TEST_F(SplitsCalendarsTest, TodaysSplitsJoinNonEmptyCellsWithoutCommasOrLinkWords)
{
    writePage("FMS_Today.Sh", page("splits", "FMS_Today.Sh"));
    FlexGrid& g = show("FMS", "0");
    EXPECT_EQ(CurrentView(), "FMS0");
    ASSERT_EQ(g.Cols(), 7);
    ASSERT_EQ(g.Rows(), 5);
    EXPECT_EQ(row(g, 0, 5), QStringList({"Ticker", "Company", "Amount", "Ex-Date", "Pay Date"}));
    EXPECT_EQ(g.TextMatrix(1, 1), "Today's Splits");
    EXPECT_TRUE(g.cellFormat(1, 1).bold);
    EXPECT_EQ(g.cellFormat(1, 1).backColor, kWhite);
    EXPECT_EQ(g.cellFormat(1, 0).backColor, kWhite);
    EXPECT_EQ(row(g, 2), QStringList({"ACME", "Acme  Works Inc.", "2-for-1", "Dec 10 2026", "Dec 9 2026", "", ""}));
    // An empty cell takes no column.
    EXPECT_EQ(row(g, 3), QStringList({"BB", "3-for-2", "1000000", "x", "", "", ""}));
    // A row of empty cells is an empty grid row.
    EXPECT_EQ(row(g, 4), QStringList({"", "", "", "", "", "", ""}));
    for (int r = 2; r < 5; ++r)
        EXPECT_TRUE(isLink(g, r, 0)) << r;
    EXPECT_EQ(widths(g), QList<int>({15, 36, 15, 15, 15, 0, 0}));
    EXPECT_EQ(g.RowHeight(0), kStd);
    EXPECT_EQ(g.RowHeight(1), 2 * kStd);
    EXPECT_EQ(g.cellFormat(0, 6).alignment, 3);
    EXPECT_FALSE(g.isUpdatesLocked());
}

TEST_F(SplitsCalendarsTest, LayoutsAndTitlesByCalendar)
{
    struct Case
    {
        const char* key;
        const char* file;
        const char* fixture;
        const char* title;
        int titleCol;
        QStringList headings;
        QList<int> widths;
        QStringList firstRow;
        bool links;
    };
    const Case cases[] = {
        {"1", "FMS_Week.Sh", "FMS_Rec.Sh", "This Week Splits", 1,
         {"Ticker", "Company", "Amount", "Ex-Date", "Pay Date", "", ""},
         {15, 36, 15, 15, 15, 0, 0}, {"RCN", "Recent Co", "3-for-1"}, true},
        {"2", "FMS_Next.Sh", "FMS_Rec.Sh", "Next Week's Splits", 1,
         {"Ticker", "Company", "Amount", "Ex-Date", "Pay Date", "", ""},
         {15, 36, 15, 15, 15, 0, 0}, {"RCN", "Recent Co", "3-for-1"}, true},
        {"3", "FMS_Rec.Sh", "FMS_Rec.Sh", "Recently Announced Splits", 0,
         {"Symbol", "Company Name", "Amount", "Announce Date", "Ex Date", "Pay Date", ""},
         {15, 36, 15, 15, 15, 0, 0}, {"RCN", "Recent Co", "3-for-1"}, false},
        // The marker's "The" is evened out like the page's.
        {"4", "FMS_Tech.Sh", "FMS_Tech.Sh", "Top Tech Splits", 1, {"Ticker", "Company", "Amount", "", "", "", ""},
         {38, 29, 29, 0, 0, 0, 0}, {"TCH", "Tech Co", "7"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        writePage(c.file, page("splits", c.fixture));
        FlexGrid& g = show("FMS", c.key);
        EXPECT_EQ(CurrentView(), QStringLiteral("FMS") + c.key);
        ASSERT_GE(g.Rows(), 3);
        EXPECT_EQ(row(g, 0), c.headings);
        EXPECT_EQ(g.TextMatrix(1, c.titleCol), c.title);
        EXPECT_EQ(g.TextMatrix(1, 1 - c.titleCol), "");
        EXPECT_TRUE(g.cellFormat(1, c.titleCol).bold);
        EXPECT_FALSE(g.cellFormat(1, 1 - c.titleCol).bold);
        EXPECT_EQ(row(g, 2, 3), c.firstRow);
        EXPECT_EQ(widths(g), c.widths);
        EXPECT_EQ(isLink(g, 2, 0), c.links);
    }
}

TEST_F(SplitsCalendarsTest, RowsPastCharacter32767ReadLikeAnyOther)
{
    QByteArray bytes = page("splits", "FMS_Today.Sh");
    QByteArray rows;
    for (int i = 0; i < 900; ++i)
        rows += "<TR><TD>T" + QByteArray::number(i) + "</TD><TD>Company</TD><TD>2-for-1</TD></TR>\n";
    bytes.replace("</TABLE>", rows + "</TABLE>");
    ASSERT_GT(bytes.size(), 40000);
    writePage("FMS_Today.Sh", behindLongHead(bytes));
    FlexGrid& g = show("FMS", "0");
    ASSERT_EQ(g.Rows(), 5 + 900);
    EXPECT_EQ(g.TextMatrix(g.Rows() - 1, 0), "T899");
}

TEST_F(SplitsCalendarsTest, FailuresShowTheUpdateAgainText)
{
    const std::pair<const char*, QByteArray> cases[] = {
        {"missing", QByteArray()},
        {"no marker", QByteArray("<table><tr><td>x</td></tr></table>")},
        {"no table end", QByteArray("Amount <tr><td>x</td></tr>")},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        showPrevious();
        removePage("FMS_Today.Sh");
        if (!bytes.isEmpty())
            writePage("FMS_Today.Sh", bytes);
        show("FMS", "0");
        EXPECT_EQ(CurrentView(), "FMS0");
        expectMessage(kNotAvailable);
        EXPECT_FALSE(grid().isUpdatesLocked());
    }
}

TEST_F(SplitsCalendarsTest, CalendarNumberOutsideTheRangeDoesNothing)
{
    for (const char* key : {"5", "-1", "x"}) {
        SCOPED_TRACE(key);
        show("FMS", key);
        expectPreviousGrid();
    }
}
