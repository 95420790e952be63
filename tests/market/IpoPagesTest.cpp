// The IPO pages: four calendars of one fill, the latest events, the withdrawals
// and the news headlines.
#include "MarketPagesFixture.h"

#include "market/IpoPages.h"

class IpoPagesTest : public MarketPagesTest
{
protected:
    FlexGrid& showPage(const char* code, const char* file, bool zoom = false)
    {
        writePage(file, page("ipo", file));
        ZoomMode() = zoom;
        FlexGrid& g = show(code);
        EXPECT_FALSE(ZoomMode());
        EXPECT_EQ(&g == &grid(), !zoom);
        EXPECT_EQ(CurrentView(), code);
        return g;
    }
};

TEST_F(IpoPagesTest, PricingsCommasSplitCellsAndTheLastRowsHide)
{
    for (const bool zoom : {false, true}) {
        SCOPED_TRACE(zoom ? "zoom" : "main");
        FlexGrid& g = showPage("IPO_Price", "IPO_Prc.sh", zoom);
        ASSERT_EQ(g.Cols(), 14);
        ASSERT_EQ(g.Rows(), 6);
        EXPECT_EQ(row(g, 0, 7), QStringList({"Offer Date", "Company", "Symbol", "Proposed Price", "Initial Price",
                                             "More Info", ""}));
        EXPECT_EQ(g.TextMatrix(1, 1), "IPO Pricings");
        EXPECT_TRUE(g.cellFormat(1, 1).bold);
        EXPECT_EQ(row(g, 2, 9), QStringList({"12/01", "Acme & Sons", "ACMS", "$10-12", "$11", "News", "Chart",
                                             "Profile", ""}));
        // "Beta, Inc." splits: every later cell moves one column right.
        EXPECT_EQ(row(g, 3, 8), QStringList({"12/02", "Beta", "Inc.", "BETA", "$5", "$6", "News", "Chart"}));
        EXPECT_EQ(g.TextMatrix(4, 1), "GammaGroup");
        // The last data row and the trailing row are hidden; rows 0 and 1 doubled.
        EXPECT_EQ(g.RowHeight(5), 0);
        EXPECT_EQ(g.RowHeight(4), 0);
        EXPECT_EQ(g.RowHeight(3), 2 * kStd);
        EXPECT_EQ(g.RowHeight(0), 2 * kStd);
        EXPECT_EQ(g.RowHeight(1), 2 * kStd);
        EXPECT_TRUE(isLink(g, 2, 1));
        EXPECT_FALSE(isLink(g, 2, 2));
        EXPECT_FALSE(isLink(g, 2, 4));
        EXPECT_TRUE(isLink(g, 2, 5));
        EXPECT_TRUE(isLink(g, 2, 7));
        EXPECT_EQ(widths(g), QList<int>({12, 25, 10, 16, 10, 9, 9, 9, 9, 9, 9, 9, 9, 9}));
        EXPECT_EQ(g.ColAlignment(0), 4);
        EXPECT_EQ(g.ColAlignment(3), 7);
        EXPECT_EQ(g.ColAlignment(12), 4);
        EXPECT_EQ(g.cellFormat(0, 5).alignment, 4);
        EXPECT_EQ(g.TopRow(), 1);
    }
}

TEST_F(IpoPagesTest, GainersLosersAndRegistrations)
{
    struct Case
    {
        const char* code;
        const char* file;
        const char* title;
        int titleCol;
        QStringList firstRow;
        int linkCol;     // a link cell of row 2
        int plainCol;    // a cell of row 2 that is no link
        int cols;
        bool firstRowDoubled;  // rule B doubles the row just filled, rule A the next one
    };
    const Case cases[] = {
        {"IPO_Gain", "IPO_G3.sh", "IPO Gainers", 0, {"Acme", "ACMS", "12/01", "$11", "$15", "+36%", "News", "Chart"},
         6, 5, 14, false},
        {"IPO_Loss", "IPO_L3.sh", "IPO Losers", 0, {"Acme", "ACMS", "12/01", "$11", "$15", "-10%", "News", "Chart"},
         1, 5, 14, false},
        // Registrations: "<HTML>" is read, commas stay, only the "More Info" cell links.
        {"IPO_Reg", "IPO_Reg.sh", "IPO Registrations", 1,
         {"11/01", "Delta, Corp", "DLT", "1,000,000", "$10M", "$10", "Q1", "Profile"}, 7, 1, 8, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        FlexGrid& g = showPage(c.code, c.file);
        ASSERT_EQ(g.Cols(), c.cols);
        ASSERT_EQ(g.Rows(), 5);
        EXPECT_EQ(g.TextMatrix(1, c.titleCol), c.title);
        EXPECT_TRUE(g.cellFormat(1, c.titleCol).bold);
        EXPECT_EQ(g.cellFormat(1, c.titleCol).backColor, kWhite);
        EXPECT_EQ(row(g, 2, c.firstRow.size()), c.firstRow);
        EXPECT_TRUE(isLink(g, 2, c.linkCol));
        EXPECT_FALSE(isLink(g, 2, c.plainCol));
        EXPECT_EQ(g.RowHeight(2) == 2 * kStd, c.firstRowDoubled);
        EXPECT_EQ(g.RowHeight(3), 0);
        EXPECT_EQ(g.RowHeight(4), 0);
    }
}

TEST_F(IpoPagesTest, HiddenRowsByMemberAndNumberOfDataRows)
{
    const QByteArray head = "<html><table><tr><td>More Info</td></tr>";
    const QByteArray one = "<tr><td>12/01</td><td>Solo</td></tr>";
    struct Case
    {
        const char* code;
        const char* file;
        QByteArray rows;
        QList<int> heights;
    };
    const Case cases[] = {
        // No data row: pricings keep the title row, the others hide it.
        {"IPO_Price", "IPO_Prc.sh", "", {600, 600, 0}},
        {"IPO_Gain", "IPO_G3.sh", "", {600, 0, 0}},
        {"IPO_Reg", "IPO_Reg.sh", "", {600, 0, 0}},
        // One data row: it is the last filled row and hides.
        {"IPO_Price", "IPO_Prc.sh", one, {600, 600, 0, 0}},
        {"IPO_Loss", "IPO_L3.sh", one, {600, 600, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " " + std::to_string(c.rows.size()));
        writePage(c.file, head + c.rows + "</table></html>");
        FlexGrid& g = show(c.code);
        QList<int> heights;
        for (int r = 0; r < g.Rows(); ++r)
            heights << g.RowHeight(r);
        EXPECT_EQ(heights, c.heights);
    }
}

TEST_F(IpoPagesTest, MessagesOfEveryPage)
{
    struct Case
    {
        const char* code;
        const char* file;
        const char* message;
    };
    const Case cases[] = {
        {"IPO_Price", "IPO_Prc.sh", "Tradewright do not have IPO Prices informain."},
        {"IPO_Gain", "IPO_G3.sh", "Tradewright do not have IPO Gain informain."},
        {"IPO_Loss", "IPO_L3.sh", "Tradewright do not have IPO Loss informain."},
        {"IPO_Reg", "IPO_Reg.sh", "Tradewright do not have IPO registration informain."},
        {"IPO_Last", "IPO_lts.sh", "Tradewright do not have Latest IPO Events informain."},
        {"IPO_With", "IPO_wp.sh", "Tradewright do not have IPO Withdrawals informain."},
        {"IPO_News", "IPO_News.sh", "Tradewright do not have IPO News informain."},
    };
    const QByteArray pages[] = {QByteArray(), "<body>More Info</table></body>", "<html>no markers</html>",
                                "<html><p>More Info</p>"};
    for (const Case& c : cases) {
        for (const QByteArray& bytes : pages) {
            SCOPED_TRACE(std::string(c.code) + " " + bytes.toStdString());
            showPrevious();
            removePage(c.file);
            if (!bytes.isEmpty())
                writePage(c.file, bytes);
            // A news page with a document but no item is a filled grid.
            const bool filled =
                std::string(c.code) == "IPO_News" && bytes.startsWith("<html>") && bytes.contains("</html>");
            for (const bool zoom : {false, true}) {
                const size_t shown = host.shown.size();
                ZoomMode() = zoom;
                FlexGrid& g = show(c.code);
                EXPECT_EQ(CurrentView(), c.code);
                EXPECT_FALSE(ZoomMode());
                if (filled) {
                    EXPECT_EQ(g.TextMatrix(0, 1), "IPO News");
                    continue;
                }
                EXPECT_EQ(host.shown.size(), shown);
                expectMessage(c.message);
            }
        }
    }
}

TEST_F(IpoPagesTest, UpperCaseHtmlOnlyForRegistrations)
{
    const QByteArray bytes = "<HTML><table><tr><td>More Info</td></tr><tr><td>a</td></tr><tr><td>b</td></tr>"
                             "</table></html>";
    writePage("IPO_Reg.sh", bytes);
    writePage("IPO_Prc.sh", bytes);
    EXPECT_EQ(show("IPO_Reg").TextMatrix(2, 0), "a");
    show("IPO_Price");
    expectMessage("Tradewright do not have IPO Prices informain.");
}

TEST_F(IpoPagesTest, RowWiderThanTheGridLeavesABlankGrid)
{
    QByteArray cells;
    for (int i = 0; i < 15; ++i)
        cells += "1,";
    writePage("IPO_Prc.sh", "<html><table><tr><td>More Info</td></tr><tr><td>" + cells + "</td></tr>"
                            "<tr><td>x</td></tr></table></html>");
    show("IPO_Price");
    expectMessage(QString());
    QByteArray wide = "<html><table><tr><td>More Info</td></tr><tr>";
    for (int i = 0; i < 9; ++i)
        wide += "<td>c";
    wide += "</td></tr></table></html>";
    writePage("IPO_wp.sh", wide);
    showPrevious();
    show("IPO_With");
    expectMessage(QString());
}

TEST_F(IpoPagesTest, LatestEventsSectionsAndHeadings)
{
    FlexGrid& g = showPage("IPO_Last", "IPO_lts.sh");
    ASSERT_EQ(g.Cols(), 14);
    ASSERT_EQ(g.Rows(), 6);
    EXPECT_EQ(row(g, 0, 6), QStringList({"Date", "Symbol", "Company", "Price", "Action", "More Info"}));
    // The title replaces what the first pricings row wrote into column 2.
    EXPECT_EQ(row(g, 1, 7), QStringList({"12/01", "ACMS", "Latest IPO Events", "$11", "Priced", "News", "Chart"}));
    EXPECT_TRUE(g.cellFormat(1, 2).bold);
    EXPECT_EQ(g.cellFormat(1, 0).backColor, kWhite);
    EXPECT_EQ(row(g, 2, 6), QStringList({"12/02", "BETA", "Beta Co", "$6", "Priced", "Profile"}));
    // The filings' first row overwrites its section heading.
    EXPECT_EQ(row(g, 3, 3), QStringList({"12/03", "GAM", "Gamma"}));
    EXPECT_TRUE(g.cellFormat(3, 2).bold);
    // The empty withdrawals section leaves its heading in the row it would fill.
    EXPECT_EQ(row(g, 4, 3), QStringList({"", "", "Latest Withdrawals"}));
    EXPECT_EQ(g.cellFormat(4, 0).backColor, kWhite);
    EXPECT_EQ(g.RowHeight(5), 0);
    EXPECT_EQ(g.RowHeight(4), 2 * kStd);
    EXPECT_EQ(g.RowHeight(3), 2 * kStd);
    EXPECT_TRUE(isLink(g, 2, 1));
    EXPECT_TRUE(isLink(g, 2, 5));
    EXPECT_FALSE(isLink(g, 2, 2));
    EXPECT_EQ(widths(g), QList<int>({9, 9, 20, 18, 12, 9, 9, 9, 9, 9, 9, 9, 9, 9}));
}

TEST_F(IpoPagesTest, LatestEventsRowWithoutItsEndEndsTheSection)
{
    QByteArray bytes = page("ipo", "IPO_lts.sh");
    bytes.replace("<td>Profile</td></tr>\n</table>\n<h2>Withdrawals", "<td>Profile</td>\n</table>\n<h2>Withdrawals");
    writePage("IPO_lts.sh", bytes);
    FlexGrid& g = show("IPO_Last");
    ASSERT_EQ(g.Rows(), 5);
    EXPECT_EQ(g.TextMatrix(3, 2), "Latest Withdrawals");
}

TEST_F(IpoPagesTest, WithdrawalsLoseTheLastCellAndTwoLetterSymbolsGetNoProfile)
{
    FlexGrid& g = showPage("IPO_With", "IPO_wp.sh");
    ASSERT_EQ(g.Cols(), 7);
    ASSERT_EQ(g.Rows(), 7);
    EXPECT_EQ(row(g, 0), QStringList({"Date Withdrawn", "Company", "Symbol", "Shares", "Proposed Price", "File Date",
                                      "More Info"}));
    EXPECT_EQ(g.TextMatrix(1, 1), "IPO Withdrawals");
    // The cell after the row's last "<td" never shows: column 6 keeps "Profile".
    EXPECT_EQ(row(g, 2), QStringList({"10/01", "Zeta Holdings", "ZETA", "1,000", "$10", "09/01", "Profile"}));
    EXPECT_EQ(row(g, 3), QStringList({"10/02", "Eta", "ET", "2,000", "$5", "09/02", ""}));
    EXPECT_TRUE(isLink(g, 3, 6));
    // ", " splits a cell; "1,500" stays whole.
    EXPECT_EQ(row(g, 4), QStringList({"10/04", "Iota", "Kappa", "IK2", "1,500", "$7", "Profile"}));
    EXPECT_EQ(g.TextMatrix(5, 1), "Omega\r\nGroup");
    EXPECT_EQ(g.RowHeight(5), 0);
    EXPECT_EQ(g.RowHeight(6), 0);
    EXPECT_EQ(g.RowHeight(4), 2 * kStd);
    EXPECT_EQ(widths(g), QList<int>({12, 25, 10, 10, 18, 12, 10}));
}

TEST_F(IpoPagesTest, NewsEveryHeadlineWithItsOwnLink)
{
    for (const bool zoom : {false, true}) {
        SCOPED_TRACE(zoom ? "zoom" : "main");
        FlexGrid& g = showPage("IPO_News", "IPO_News.sh", zoom);
        ASSERT_EQ(g.Cols(), 5);
        ASSERT_EQ(g.Rows(), 5);
        EXPECT_EQ(row(g, 0), QStringList({"", "IPO News", "Source", "Time", ""}));
        EXPECT_TRUE(g.cellFormat(0, 1).bold);
        EXPECT_EQ(g.RowHeight(0), kStd);
        EXPECT_EQ(g.RowHeight(1), 0);
        EXPECT_EQ(row(g, 2), QStringList({"", "Acme prices IPO", "Wire One", "10:15", "n/ipo/acme.html"}));
        // No link: an empty one, not the headline's above.
        EXPECT_EQ(row(g, 3), QStringList({"", "Beta files for offering", "Wire Two", "11:00", ""}));
        // The last headline shows too; its tab vanished and its line feed is a blank.
        EXPECT_EQ(row(g, 4), QStringList({"", "Gammawithdraws offering", "Wire One", "12:30", "n/ipo/gamma.html"}));
        for (int r = 2; r < 5; ++r)
            EXPECT_TRUE(isLink(g, r, 1)) << r;
        EXPECT_EQ(widths(g), QList<int>({2, 70, 12, 12, 0}));
    }
}

TEST_F(IpoPagesTest, NewsListIsTheDocumentWhateverPrecedesIt)
{
    const QByteArray body = page("ipo", "IPO_News.sh");
    writePage("IPO_News.sh", body.mid(body.indexOf("<html>")));
    FlexGrid plain;
    plain.assignFrom(show("IPO_News"));
    writePage("IPO_News.sh", behindLongHead(body));
    FlexGrid& g = show("IPO_News");
    ASSERT_EQ(g.Rows(), plain.Rows());
    for (int r = 0; r < g.Rows(); ++r)
        EXPECT_EQ(row(g, r), row(plain, r)) << r;
}

TEST_F(IpoPagesTest, NewsLastHeadlineEndsWithTheList)
{
    writePage("IPO_News.sh", "<html><ul><li>One - A - 1<li>Two - B - 2</html>");
    FlexGrid& g = show("IPO_News");
    ASSERT_EQ(g.Rows(), 4);
    EXPECT_EQ(row(g, 3, 4), QStringList({"", "Two", "B", "2"}));
}

TEST(HeadlineLink, QuotedUnquotedAndMissing)
{
    const std::pair<const char*, const char*> cases[] = {
        {"<li><a href=\"/n/x.html\">X</a>", "n/x.html"},
        {"<li><a href='n/y.html' target=_top>Y</a>", "n/y.html"},
        {"<li><a href=/n/z.html target=_top>Z</a>", "n/z.html"},
        {"<li><a href=n/w.html>W</a>", "n/w.html"},
        {"<li>no link", ""},
        {"<li><a href=\"/n/open.html", ""},
    };
    for (const auto& [item, link] : cases)
        EXPECT_EQ(HeadlineLink(QString::fromLatin1(item)), QString::fromLatin1(link)) << item;
}

// Redrawn for the zoom window, each zoom-aware view fills a new window's grid as it
// fills the main grid, and clears ZoomMode.
TEST_F(IpoPagesTest, ZoomRedrawFillsTheWindowAsTheMainGrid)
{
    const std::pair<const char*, const char*> views[] = {
        {"IPO_Price", "IPO_Prc.sh"}, {"IPO_Gain", "IPO_G3.sh"}, {"IPO_Loss", "IPO_L3.sh"}, {"IPO_Reg", "IPO_Reg.sh"},
        {"IPO_Last", "IPO_lts.sh"},  {"IPO_With", "IPO_wp.sh"}, {"IPO_News", "IPO_News.sh"},
    };
    for (const auto& [code, file] : views) {
        SCOPED_TRACE(code);
        ASSERT_TRUE(findView(code)->zoomAware);
        ASSERT_TRUE(findView(code)->leavesPointer);
        showPrevious();
        FlexGrid main;
        main.assignFrom(showPage(code, file, false));
        FlexGrid& zoomed = showPage(code, file, true);
        ASSERT_EQ(zoomed.Rows(), main.Rows());
        ASSERT_EQ(zoomed.Cols(), main.Cols());
        for (int r = 0; r < main.Rows(); ++r) {
            EXPECT_EQ(row(zoomed, r), row(main, r)) << r;
            EXPECT_EQ(zoomed.RowHeight(r), main.RowHeight(r)) << r;
            for (int c = 0; c < main.Cols(); ++c)
                EXPECT_EQ(zoomed.cellFormat(r, c), main.cellFormat(r, c)) << r << "," << c;
        }
    }
}
