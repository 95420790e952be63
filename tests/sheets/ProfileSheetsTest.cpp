// The profile and short-interest sheets over pages of our own.
#include "PageViewFixture.h"

#include "sheets/ProfileSheets.h"
#include "stockdata/ProgramState.h"

namespace {

const QString kNoInfo = QStringLiteral("Tradewright do not have additional information for ");

QByteArray profilePage()
{
    return PageViewTest::page("profile/profile.htm");
}

QByteArray shortInterestPage()
{
    return PageViewTest::page("profile/shortinterest.htm");
}

} // namespace

class ProfileSheets : public PageViewTest
{
};

TEST(ProfileCut, FromTheFirstRuleToTheNextOne)
{
    struct Case
    {
        const char* name;
        QString page;
        QString cut;
        bool found;
    };
    const Case cases[] = {
        {"two rules", "a<hr>text<hr>b", "<hr>text", true},
        {"a link before the first rule", "<a href=x>y</a><hr size=1>text<hr>", "<hr size=1>text", true},
        {"adjacent rules", "<hr><hr>", "<hr>", true},
        {"one rule", "x<hr>text", "", false},
        {"no rule", "<a href=x>text</a>", "", false},
        {"empty page", "", "", false},
    };
    for (const Case& c : cases) {
        bool found = !c.found;
        EXPECT_EQ(CutProfile(c.page, &found), c.cut) << c.name;
        EXPECT_EQ(found, c.found) << c.name;
    }
}

TEST_F(ProfileSheets, ProfileShowsOneSentenceALineInOneTallCell)
{
    writePage("ACME", "_P.Sh", profilePage());
    const FlexGrid& g = show("Profile");
    EXPECT_EQ(CurrentView(), "Profile");
    ASSERT_EQ(g.Rows(), 2);
    ASSERT_EQ(g.Cols(), 3);
    EXPECT_EQ(g.TextMatrix(0, 1), "ACME (Acme Widgets) Profile");
    EXPECT_EQ(g.TextMatrix(0, 0), "");
    // The link before the first rule is not part of it; the tab goes; "&amp;" is "&".
    // Each ". " becomes a line break (the full stop with it).
    EXPECT_EQ(g.TextMatrix(1, 1), "Acme Widgets makes widgets andgadgets\r\n It sells them in 40 countries\r\n"
                                  "Its offices are in Springfield & Shelbyville.");
    EXPECT_EQ(g.cellFormat(1, 1).foreColor, 0x404040);
    EXPECT_EQ(g.cellFormat(1, 1).alignment, 1);
    EXPECT_TRUE(g.cellFormat(0, 1).bold);
    EXPECT_EQ(g.RowHeight(0), 300);
    EXPECT_EQ(g.RowHeight(1), 2100);
    EXPECT_EQ(g.ColWidth(1), 9700);
    EXPECT_EQ(g.GridLines(), 0);
}

TEST_F(ProfileSheets, ShortInterestRowsKeepNoBlank)
{
    writePage("ACME", "_SI.Sh", shortInterestPage());
    const FlexGrid& g = show("SI");
    EXPECT_EQ(CurrentView(), "SI");
    ASSERT_EQ(g.Rows(), 5);
    ASSERT_EQ(g.Cols(), 4);
    EXPECT_EQ(rowTexts(g, 0), QStringList({"Settlement Date ", "Short Interest", "Avg Daily Share Volume",
                                           "Days to Cover"}));
    EXPECT_EQ(g.TextMatrix(1, 0), "ACME\r\nShort Interest");
    EXPECT_TRUE(g.cellFormat(1, 0).bold);
    EXPECT_EQ(rowTexts(g, 2), QStringList({"Nov14,2026", "1,234,567", "456,789", "2.7"}));
    EXPECT_EQ(rowTexts(g, 3), QStringList({"Oct31,2026", "1,100,000", "400,000", "2.75"}));
    EXPECT_EQ(rowTexts(g, 4), QStringList({"Oct15,2026", "990,000", "&330,000", "3"}));
    EXPECT_EQ(g.RowHeight(1), 600);
    EXPECT_EQ(g.ColAlignment(1), 7);

    // A surplus cell of a joined row is dropped, not a failure.
    writePage("ACME", "_SI.Sh", "Cover<table><tr><td>1</td><td>2</td><td>3</td><td>4</td><td>5</td></tr></table>");
    const FlexGrid& surplus = show("SI");
    ASSERT_EQ(surplus.Rows(), 3);
    EXPECT_EQ(rowTexts(surplus, 2), QStringList({"1", "2", "3", "4"}));
    EXPECT_EQ(g.cellFormat(0, 2).alignment, 3);
}

TEST_F(ProfileSheets, FailuresShowTheirMessageOnTheMainGridAlsoWhileZooming)
{
    const std::vector<Failure> cases = {
        {"profile: no page", "Profile", "_P.Sh", "", true},
        {"profile: no first rule", "Profile", "_P.Sh", "<html><a href=x>Home</a> text</html>", true},
        {"profile: no second rule", "Profile", "_P.Sh", QByteArray(profilePage()).replace("<hr>", "<p>"), true},
        {"short interest: no page", "SI", "_SI.Sh", "", true},
        {"short interest: no start marker", "SI", "_SI.Sh", QByteArray(shortInterestPage()).replace("Cover", "x"),
         true},
        {"short interest: no end marker", "SI", "_SI.Sh",
         QByteArray(shortInterestPage()).replace("</TABLE>", "").replace("</table>", ""), true},
    };
    expectFailures(cases, "SI", "_SI.Sh", shortInterestPage());
}

TEST_F(ProfileSheets, ZoomDrawsIntoANewWindow)
{
    writePage("ACME", "_P.Sh", profilePage());
    ZoomMode() = true;
    const FlexGrid& g = show("Profile");
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(&g, host.shown.front());
    EXPECT_EQ(g.TextMatrix(0, 1), "ACME (Acme Widgets) Profile");
    EXPECT_FALSE(ZoomMode());
}

TEST_F(ProfileSheets, TheMessageNamesTheStockAsTheSetKnowsIt)
{
    CurrentSymbol() = "ZZZ";
    show("Profile");
    expectMessage(kNoInfo);
    CurrentSymbol() = "Q";
    show("SI");
    expectMessage(kNoInfo + "Q");
}

TEST_F(ProfileSheets, PagesBehindALongHeadFillIdentically)
{
    expectSameBehindHead("Profile", "_P.Sh", profilePage());
    expectSameBehindHead("SI", "_SI.Sh", shortInterestPage());
}
