// The market-list dispatch and its menu's check marks, the movers titles, and the two
// movers fillers over pages of our own.
#include "MarketViewFixture.h"

#include "market/MarketLists.h"
#include "tree/NodeDispatcher.h"

#include <map>

namespace {

// The menu's check marks and the views asked for.
class RecordingPort final : public MarketListPort
{
public:
    std::map<int, bool> checked;
    int clears = 0;
    QStringList shown;

    void setMenuChecked(int item, bool on) override
    {
        if (!on)
            ++clears;
        checked[item] = on;
    }
    bool showView(const QString& code, const QString& key) override
    {
        shown << code + QLatin1Char(' ') + key;
        return true;
    }
    int checkedItem() const
    {
        int item = -1;
        for (const auto& [k, on] : checked)
            if (on)
                item = item == -1 ? k : -2;  // -2: more than one
        return item;
    }
};

TEST(ShowMarketList, EachIndexShowsItsListAndChecksOneItemAfterClearingAllSixteen)
{
    struct Case
    {
        int index;
        const char* shown;
        int item;
    };
    const Case cases[] = {
        {1, "SUP ", 1},
        {2, "WINLOS mwwinners.Sh", 2},
        {3, "WINLOS mwlosers.Sh", 3},
        {4, "BR brPG_Q.Sh", 4},
        {5, "BR brPL_Q.Sh", 5},
        {6, "BR brVG_Q.Sh", 6},
        {7, "BR brVL_Q.Sh", 7},
        {8, "BR br52-WPH_Q.Sh", 8},
        {9, "BR br52-WPL_Q.Sh", 9},
        {10, "BR brMAS_Q.Sh", 10},
        {11, "Upgrade ", 11},
        {12, "Downgrade ", 12},
        {13, "Coverage ", 13},
        {14, "BR brPG_N.Sh", 4},
        {15, "BR brPL_N.Sh", 5},
        {16, "BR brVG_N.Sh", 6},
        {17, "BR brVL_N.Sh", 7},
        {18, "BR br52-WPH_N.Sh", 8},
        {19, "BR br52-WPL_N.Sh", 9},
        {20, "BR brMAS_N.Sh", 10},
        {21, "BR brPG_A.Sh", 4},
        {22, "BR brPL_A.Sh", 5},
        {23, "BR brVG_A.Sh", 6},
        {24, "BR brVL_A.Sh", 7},
        {25, "BR br52-WPH_A.Sh", 8},
        {26, "BR br52-WPL_A.Sh", 9},
        {27, "BR brMAS_A.Sh", 10},
        {28, "BR BrLMM_Q.Sh", -1},
        {29, "BR BrLMM_N.Sh", -1},
        {30, "BR BrLMM_A.Sh", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        RecordingPort port;
        // A mark left on the last item from before must go too.
        port.checked[15] = true;
        ShowMarketList(c.index, port);
        EXPECT_EQ(port.shown, QStringList{QString::fromLatin1(c.shown)});
        EXPECT_EQ(port.clears, 16);
        EXPECT_EQ(port.checkedItem(), c.item);
        EXPECT_FALSE(port.checked[15]);
    }
    for (int index : {0, 31, -1}) {
        RecordingPort port;
        ShowMarketList(index, port);
        EXPECT_TRUE(port.shown.isEmpty());
        EXPECT_EQ(port.checkedItem(), -1);
        EXPECT_EQ(port.clears, 16);
    }
}

TEST(ShowMarketList, TheTreesMarketListNodesShowWhatTheListIndexShows)
{
    int lists = 0;
    for (const KeyArm& arm : nodeKeyArms()) {
        if (arm.target.marketList < 0)
            continue;
        SCOPED_TRACE(arm.key);
        ++lists;
        const auto target = MarketListFor(arm.target.marketList);
        ASSERT_TRUE(target.has_value());
        EXPECT_EQ(target->code, QLatin1String(arm.target.code));
        EXPECT_EQ(target->key, QLatin1String(arm.target.key));
    }
    EXPECT_EQ(lists, 30);
}

TEST(BigMoversTitle, NamesAreComparedExactlyAndTheDollarsTradedPagesGoToTheMostActiveFiller)
{
    struct Case
    {
        const char* file;
        const char* title;
        bool mostActive;
    };
    const Case cases[] = {
        {"brPG_Q.Sh", "Largest % Gain in Price (NASDAQ)", false},
        {"br52-WPL_N.Sh", "New 52-Week Price Lows (NYSE)", false},
        {"br52-WPH_A.Sh", "New 52-Week Price High (AMEX)", false},
        {"brMAS_A.Sh", "Most Active Stocks (AMEX)", false},
        {"BrLMM_Q.Sh", "Largest Money Movers  (NASDAQ)", false},
        {"BrLMM_A.Sh", "Largest Money Movers  (AMEX)", false},
        {"BrDT_Q.Sh", "Most Active by Dollars Traded (NASDAQ)", true},
        {"BrDT_N.Sh", "Most Active by Dollars Traded (NYSE)", true},
        {"BrDT_A.Sh", "Most Active by Dollars Traded (AMEX)", true},
        // The downloader's spelling is not in the table, nor is a screener list.
        {"BrPG_Q.Sh", "", false},
        {"brLMM_Q.Sh", "", false},
        {"BrPU_Q.Sh", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const MoversTitle t = BigMoversTitle(QString::fromLatin1(c.file));
        EXPECT_EQ(t.title, QString::fromLatin1(c.title));
        EXPECT_EQ(t.mostActive, c.mostActive);
    }
    EXPECT_EQ(MostActiveTreeTitle(QStringLiteral("BrPU_N.Sh")), QStringLiteral("Most Active By Price Up"));
    EXPECT_EQ(MostActiveTreeTitle(QStringLiteral("brPG_Q.Sh")), QString());
}

class MoversTest : public MarketViewTest
{
};

TEST_F(MoversTest, ABigMoversPageFillsTheListWithTitleArrowsAndHiddenLastRows)
{
    // The downloader writes "Br"; the list asks for "br".
    writePage(QStringLiteral("BrPG_Q.Sh"), page(QStringLiteral("movers/brPG_Q.Sh")));
    FlexGrid& g = show(QStringLiteral("BR"), QStringLiteral("brPG_Q.Sh"));

    EXPECT_EQ(CurrentView(), QStringLiteral("BR"));
    ASSERT_EQ(g.Rows(), 7);
    ASSERT_EQ(g.Cols(), 8);
    EXPECT_EQ(rowTexts(g, 0), QStringList({"Rank", "Company Name", "Symbol", "% Increase in Price", "Volume",
                                           "Closing Price", "Price Change", "P/E Ratio"}));
    EXPECT_EQ(g.TextMatrix(1, 1), QStringLiteral("Largest % Gain in Price (NASDAQ)"));
    EXPECT_TRUE(g.cellFormat(1, 1).bold);
    EXPECT_EQ(g.cellFormat(1, 1).backColor, 0xFFFFFF);
    // The company cell held a link: the list still shows whole.
    EXPECT_EQ(rowTexts(g, 2), QStringList({"1", "Abc & Sons", "ABC", "12.5%", "1,000", "10.00", "+1.11", "15"}));
    // "&nbsp;" alone is skipped, so the later cells move left; "TH" and "Th" read "td".
    EXPECT_EQ(rowTexts(g, 3), QStringList({"2", "tdermo tdings", "tdT", "9.1%", "20.00", "-0.50", "12", ""}));
    // The spacer row is gone.
    EXPECT_EQ(g.TextMatrix(4, 1), QStringLiteral("Down Co"));
    EXPECT_EQ(g.TextMatrix(5, 1), QStringLiteral("Last Co"));
    EXPECT_EQ(rowTexts(g, 6), QStringList(8, QString()));
    EXPECT_EQ(picture(g, 2), FlexGrid::PictureUp);
    EXPECT_EQ(picture(g, 3), QString());
    EXPECT_EQ(picture(g, 4), FlexGrid::PictureDown);
    EXPECT_EQ(g.cellFormat(2, 0).pictureAlignment, 4);
    const QVector<int> heights = {2 * kBase, 2 * kBase, kBase, FlexGrid::DefaultRowHeight, FlexGrid::DefaultRowHeight,
                                  0, 0};
    for (int r = 0; r < g.Rows(); ++r)
        EXPECT_EQ(g.RowHeight(r), heights[r]) << r;
    EXPECT_EQ(g.ColWidth(1), 2200);
    EXPECT_EQ(g.ColAlignment(3), 7);
    EXPECT_EQ(g.TopRow(), 1);
    EXPECT_EQ(g.BackColor(), 0xFFFFFF);
}

TEST_F(MoversTest, HeadingsFollowTheFileNamesFirstFourCharacters)
{
    struct Case
    {
        const char* file;
        const char* col3;
        const char* col6;
    };
    const Case cases[] = {
        {"brVL_N.Sh", "% Increase in Volume", "Price Change"},
        {"br52-WPH_A.Sh", "Closing price", "52-Week Low"},
        {"brMAS_Q.Sh", "Volume", "Price Change"},
        {"BrLMM_N.Sh", "Total Dollars Traded", "Price Change"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        writePage(QString::fromLatin1(c.file), page(QStringLiteral("movers/brPG_Q.Sh")));
        FlexGrid& g = show(QStringLiteral("BR"), QString::fromLatin1(c.file));
        EXPECT_EQ(g.TextMatrix(0, 3), QString::fromLatin1(c.col3));
        EXPECT_EQ(g.TextMatrix(0, 6), QString::fromLatin1(c.col6));
        EXPECT_EQ(g.TextMatrix(1, 1), BigMoversTitle(QString::fromLatin1(c.file)).title);
    }
    // A name the table lacks: no title, no headings.
    writePage(QStringLiteral("brXX_Q.Sh"), page(QStringLiteral("movers/brPG_Q.Sh")));
    FlexGrid& g = show(QStringLiteral("BR"), QStringLiteral("brXX_Q.Sh"));
    EXPECT_EQ(g.Rows(), 7);
    EXPECT_EQ(g.TextMatrix(1, 1), QString());
    EXPECT_EQ(g.TextMatrix(0, 1), QString());
}

TEST_F(MoversTest, AMostActivePageOfTheTreeKeepsEmptyFieldsAndTheTreesTitle)
{
    writePage(QStringLiteral("BrDT_Q.Sh"), page(QStringLiteral("movers/BrDT_Q.Sh")));
    FlexGrid& g = show(QStringLiteral("BR"), QStringLiteral("BrDT_Q.Sh"));

    ASSERT_EQ(g.Rows(), 4);
    ASSERT_EQ(g.Cols(), 9);
    EXPECT_EQ(rowTexts(g, 0), QStringList({"", "Symbol", "Company Name", "Price", "", "Change", "% Change", "Volume",
                                           "Dollars Traded"}));
    EXPECT_EQ(g.TextMatrix(1, 1), QStringLiteral("Most Active By Volume Traded"));
    EXPECT_EQ(rowTexts(g, 2), QStringList({"1", "ABC", "Abc Corp", "10.00", "x", "+0.50", "5%", "1,000", "10,000"}));
    // "&nbsp;" alone keeps its column as an empty field.
    EXPECT_EQ(rowTexts(g, 3), QStringList({"", "DEF", "Def Inc", "5.00", "y", "-0.10", "-2%", "500", "2,500"}));
    EXPECT_EQ(picture(g, 2), FlexGrid::PictureUp);
    EXPECT_EQ(picture(g, 3), FlexGrid::PictureDown);
    EXPECT_EQ(g.ColWidth(4), 0);
    EXPECT_EQ(g.RowHeight(3), FlexGrid::DefaultRowHeight);  // nothing hidden
}

TEST_F(MoversTest, ShowBigMoversGivesTheDollarsTradedPagesTheirExchangeTitle)
{
    ViewRow row = *findView(QStringLiteral("BR"));
    row.builder = ShowBigMovers;
    writePage(QStringLiteral("BrDT_N.Sh"), page(QStringLiteral("movers/BrDT_Q.Sh")));
    FlexGrid& g = show(row, QStringLiteral("BrDT_N.Sh"));
    EXPECT_EQ(g.Cols(), 9);
    EXPECT_EQ(g.TextMatrix(1, 1), QStringLiteral("Most Active by Dollars Traded (NYSE)"));
    EXPECT_EQ(g.TextMatrix(3, 1), QStringLiteral("DEF"));
}

TEST_F(MoversTest, EachFailureShowsNoDataForTheTitle)
{
    const QByteArray movers = page(QStringLiteral("movers/brPG_Q.Sh"));
    const QByteArray active = page(QStringLiteral("movers/BrDT_Q.Sh"));
    struct Case
    {
        const char* name;
        const char* file;
        QByteArray page;  // empty: no page
        const char* message;
    };
    const Case cases[] = {
        {"no page", "brPL_A.Sh", {}, "No data for: Largest % Loss in Price (AMEX)"},
        {"no start", "brPL_A.Sh", QByteArray(movers).replace("<BR>Ratio", "Ratio"),
         "No data for: Largest % Loss in Price (AMEX)"},
        {"no end", "brPL_A.Sh", QByteArray(movers).replace("Show", "List"),
         "No data for: Largest % Loss in Price (AMEX)"},
        {"cell not closed", "brPL_A.Sh", QByteArray(movers).replace("<TD>15</TD>", "<TD>15"),
         "No data for: Largest % Loss in Price (AMEX)"},
        {"unknown name", "brZZ_Q.Sh", {}, "No data for: "},
        {"most active, no page", "BrPD_A.Sh", {}, "No data for: Most Active By Price Down"},
        {"most active, no end", "BrPD_A.Sh", QByteArray(active).replace("Here", "There"),
         "No data for: Most Active By Price Down"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        removePage(QString::fromLatin1(c.file));
        if (!c.page.isEmpty())
            writePage(QString::fromLatin1(c.file), c.page);
        show(QStringLiteral("BR"), QString::fromLatin1(c.file));
        expectMessage(QString::fromLatin1(c.message));
        EXPECT_EQ(CurrentView(), QStringLiteral("BR"));
    }
    EXPECT_EQ(BigMoversMessage(), QStringLiteral("No Data were found \r\nPlease update again."));
}

} // namespace
