// The insider-trades and filings sheets over pages of our own.
#include "PageViewFixture.h"

#include "sheets/FilingSheets.h"
#include "stockdata/ProgramState.h"

namespace {

const QString kNoInfo = QStringLiteral("Tradewright do not have additional information for ");
constexpr int kBlue = 0xFF0000;

QByteArray insiderPage()
{
    return PageViewTest::page("filings/insider.htm");
}

QByteArray filingsPage()
{
    return PageViewTest::page("filings/filings.htm");
}

} // namespace

class FilingSheets : public PageViewTest
{
};

TEST_F(FilingSheets, InsiderTradesSplitLinkedNamesAndKeepOnlyLowerCaseRows)
{
    writePage("ACME", "_it.Sh", insiderPage());
    const FlexGrid& g = show("IT");
    EXPECT_EQ(CurrentView(), "IT");
    // Four page rows (the header row has no <td> cells but still takes row 1); the
    // upper-case row is not found; two spare rows.
    ASSERT_EQ(g.Rows(), 7);
    ASSERT_EQ(g.Cols(), 8);
    EXPECT_EQ(rowTexts(g, 0), QStringList({"Date", "", "Name", "Action", "Shares", "Type", "Price", "Value"}));
    EXPECT_EQ(g.TextMatrix(1, 2), "Acme Widgets\r\nInsider Trades");
    EXPECT_TRUE(g.cellFormat(1, 2).bold);
    EXPECT_EQ(g.cellFormat(1, 2).textStyle, 3);
    EXPECT_EQ(rowTexts(g, 2), QStringList({"Nov 3, 2026", "/ins/doe-john.html", "DOE JOHN", "Sale", "1,000",
                                           "Direct", "$12.50", "$12,500"}));
    // "&amp;" reads "&"; a tab inside a cell is a blank, trimmed away here.
    EXPECT_EQ(rowTexts(g, 3), QStringList({"Oct 20, 2026", "/ins/roe-mary.html", "ROE MARY & CO", "Purchase",
                                           "500", "Indirect", "$11.00", "$5,500"}));
    // An upper-case anchor is not split: the name lands in column 1 and the rest
    // moves one column to the left.
    EXPECT_EQ(rowTexts(g, 4), QStringList({"Oct 1, 2026", "POE ALAN", "Sale", "200", "Direct", "$10.00",
                                           "$2,000", ""}));
    for (int r = 2; r <= 4; ++r) {
        EXPECT_EQ(g.cellFormat(r, 2).foreColor, kBlue) << r;
        EXPECT_TRUE(g.cellFormat(r, 2).underline) << r;
    }
    EXPECT_EQ(g.RowHeight(0), 300);
    EXPECT_EQ(g.RowHeight(1), 900);
    EXPECT_EQ(g.RowHeight(5), 0);
    EXPECT_EQ(g.RowHeight(6), 0);
    EXPECT_EQ(g.ColWidth(1), 0);
    EXPECT_EQ(g.ColWidth(2), 3000);
    EXPECT_EQ(g.ColAlignment(6), 7);
    EXPECT_EQ(g.TopRow(), 1);
}

TEST_F(FilingSheets, InsiderPageWithFewerThanFourTablesShowsOnlyTheHeaders)
{
    writePage("ACME", "_it.Sh", "<html>Insider Trades<table><tr><td>x</td></tr></table></html>");
    const FlexGrid& g = show("IT");
    ASSERT_EQ(g.Rows(), 3);
    EXPECT_EQ(g.TextMatrix(0, 0), "Date");
    EXPECT_EQ(g.RowHeight(1), 0);
    EXPECT_EQ(g.RowHeight(2), 0);
}

TEST_F(FilingSheets, FilingsKeepTheirLinkTargetsWhole)
{
    writePage("ACME", "_qr.Sh", filingsPage());
    const FlexGrid& g = show("QR");
    EXPECT_EQ(CurrentView(), "QR");
    ASSERT_EQ(g.Rows(), 7);
    ASSERT_EQ(g.Cols(), 7);
    EXPECT_EQ(g.TextMatrix(0, 0), "Date");
    EXPECT_EQ(g.TextMatrix(0, 1), "Fillings");
    EXPECT_EQ(g.TextMatrix(1, 2), "Acme Widgets Quarterly Reports");
    EXPECT_TRUE(g.cellFormat(1, 2).bold);
    EXPECT_FALSE(g.cellFormat(1, 2).underline);
    // The anchor's text in column 1 (blue, underlined), its target three columns to
    // the right, "/Archives" and all; "&nbsp;" is dropped.
    EXPECT_EQ(rowTexts(g, 2), QStringList({"2026-11-03", "10-Q", "Quarterly reportfor Q3", "",
                                           "/Archives/acme/q3.htm", "", ""}));
    EXPECT_EQ(g.cellFormat(2, 1).foreColor, kBlue);
    EXPECT_TRUE(g.cellFormat(2, 1).underline);
    // An empty cell is skipped, not counted; the image link leaves only its target.
    EXPECT_EQ(rowTexts(g, 3), QStringList({"2026-10-15", "", "", "", "/Archives/acme/8k.htm", "", ""}));
    // A colon splits the description.
    EXPECT_EQ(rowTexts(g, 4), QStringList({"2026-08-01", "10-Q", "Note", "restated", "/Archives/acme/q2.htm",
                                           "", ""}));
    // A row of empty cells still takes a grid row.
    EXPECT_EQ(rowTexts(g, 5), QStringList({"", "", "", "", "", "", ""}));
    EXPECT_EQ(g.RowHeight(0), 300);
    EXPECT_EQ(g.RowHeight(1), 600);
    EXPECT_EQ(g.RowHeight(2), 300);
    EXPECT_EQ(g.RowHeight(6), 0);
    for (int c = 3; c <= 6; ++c)
        EXPECT_EQ(g.ColWidth(c), 0) << c;
}

TEST(FilingAnchors, OnlyTheAnchorTagsBecomeEmptyTags)
{
    struct Case
    {
        QString page, rewritten;
    };
    const Case cases[] = {
        {R"(<A HREF="/Archives/x.htm">10-K</A>)", R"(<>"/Archives/x.htm">10-K<>)"},
        {R"(<A HREF="/a/b.htm">x</a>)", R"(<>"/a/b.htm">x<>)"},
        {R"(<IMG SRC="f.gif" ALT="Full Filing">)", R"(<IMG SRC="f.gif" <>)"},
        {"ASIA/Africa /A", "ASIA/Africa /A"},
        {R"(<a href="/Archives">y</a>)", R"(<a href="/Archives">y<>)"},
    };
    for (const Case& c : cases) {
        QString text = c.page;
        RewriteFilingAnchors(text);
        EXPECT_EQ(text, c.rewritten) << c.page.toStdString();
    }
}

TEST_F(FilingSheets, FailuresShowTheirMessageOnTheMainGridAlsoWhileZooming)
{
    const QByteArray nineCells = "<html>Insider Trades<table></table><table></table><table></table><table>"
                                 "<tr><td>1</td><td>2</td><td>3</td><td>4</td><td>5</td><td>6</td><td>7</td>"
                                 "<td>8</td><td>9</td></tr></table></html>";
    const QByteArray filingsHead = "<html>Sort By<table></table><table><tr><td>h</td></tr>";
    const std::vector<Failure> cases = {
        {"insider: no page", "IT", "_it.Sh", "", true},
        {"insider: no start marker", "IT", "_it.Sh", QByteArray(insiderPage()).replace("Insider Trades", "Trades"), true},
        {"insider: no end marker", "IT", "_it.Sh", QByteArray(insiderPage()).replace("</html", "</body"), true},
        {"insider: a ninth cell", "IT", "_it.Sh", nineCells, false},
        {"filings: no page", "QR", "_qr.Sh", "", true},
        {"filings: no start marker", "QR", "_qr.Sh", QByteArray(filingsPage()).replace("Sort By", "Order"), true},
        {"filings: no end marker", "QR", "_qr.Sh", QByteArray(filingsPage()).replace("</html", "</body"), true},
        {"filings: no second table", "QR", "_qr.Sh", "<html>Sort By<table></table></html>", true},
        {"filings: one double quote", "QR", "_qr.Sh", filingsHead + "<tr><td>a \" b</td></tr></table></html>", true},
        {"filings: a target past the last column", "QR", "_qr.Sh",
         filingsHead + "<tr><td>1</td><td>2</td><td>3</td><td>4</td><td>\"t\"5</td></tr></table></html>", false},
        {"filings: a surplus cell", "QR", "_qr.Sh",
         filingsHead + "<tr><td>1</td><td>2</td><td>3</td><td>4</td><td>5</td><td>6</td><td>7</td><td>8</td>"
                       "</tr></table></html>",
         false},
    };
    expectFailures(cases, "IT", "_it.Sh", insiderPage());
}

TEST_F(FilingSheets, TheMessageNamesTheStockAsTheSetKnowsIt)
{
    CurrentSymbol() = "ZZZ";  // not in the set
    show("QR");
    expectMessage(kNoInfo);
    CurrentSymbol() = "Q";  // a one-character company name
    show("IT");
    expectMessage(kNoInfo + "Q");
    // A symbol that would leave the cache folder reads as a missing page.
    writePage("ACME", "_it.Sh", insiderPage());
    CurrentSymbol() = "../DataSheet/ACME";
    show("IT");
    expectMessage(kNoInfo);
}

TEST_F(FilingSheets, PagesBehindALongHeadFillIdentically)
{
    expectSameBehindHead("IT", "_it.Sh", insiderPage());
    expectSameBehindHead("QR", "_qr.Sh", filingsPage());
}
