// The grids' rules over the view registry: row links, popups, the column drag.
#include "RecordingEditingHost.h"
#include "SheetsFixture.h"
#include "TestDoubles.h"

#include "platform/Sites.h"
#include "sheets/GridEvents.h"
#include "sheets/MainGridEvents.h"
#include "stockdata/StockSets.h"

namespace {

// A row of ten cells with the given texts at the given columns.
QStringList rowWith(std::initializer_list<std::pair<int, const char*>> cells)
{
    QStringList texts(10);
    for (const auto& [col, text] : cells)
        texts[col] = QString::fromUtf8(text);
    return texts;
}

struct LinkCase
{
    const char* view;
    int col;
    int row;
    QStringList texts;
    const char* address;  // "" : nothing opens
};

} // namespace

TEST(GridLinkAddress, EveryRowOfTheLinkTable)
{
    const QStringList sym = rowWith({{0, "XYZ"}, {1, "XYZ"}, {2, "XYZ"}});
    const LinkCase cases[] = {
        // The filings link is the view's stored text after "/auth/doctrans".
        {"QR", 1, 2, rowWith({{4, "?doc=17&type=10-Q"}}), "http://filings.example/auth/doctrans?doc=17&type=10-Q"},
        {"QR", 2, 2, rowWith({{4, "?doc=17"}}), ""},
        {"Coverage", 1, 2, sym, "http://quotes.example/q?s=XYZ&d=t"},
        {"Coverage", 4, 2, sym, "http://business-news.example/c/x/XYZ.html"},
        {"Coverage", 2, 2, sym, ""},
        {"Upgrade", 1, 3, sym, "http://quotes.example/q?s=XYZ&d=t"},
        {"Downgrade", 5, 3, sym, "http://business-news.example/c/x/XYZ.html"},
        {"Upgrade", 4, 3, sym, ""},
        {"WINLOS", 1, 2, sym,
         "http://company-digest.example/cgi/inet/qndigest.trn?selection=company_digest&symbol=XYZ"},
        {"SUP", 0, 2, sym, "http://broker-research.example/ows-bin/owa/zbrc?tick=XYZ&comp_id=main&search=1"},
        {"IT", 2, 2, rowWith({{1, "t/u/xyz.html"}}), "http://business-news.example/t/u/xyz.html"},
        {"IT", 1, 2, rowWith({{1, "t/u/xyz.html"}}), ""},
        {"Call", 0, 2, rowWith({{0, "Jan 50 (QAB AJ)"}}), "http://options.example/cgi-bin/cboeget.exe?TICKER=QAB%20AJ"},
        {"Put", 0, 2, rowWith({{0, "Jan 50 ( QAB AJ )"}}), "http://options.example/cgi-bin/cboeget.exe?TICKER=QAB%20AJ"},
        {"Call", 5, 2, rowWith({{0, "Jan 50 (QAB AJ)"}, {5, "Jan 50 (QAB AJ)"}}), ""},  // pointer, no link
        {"Options", 8, 2, rowWith({{8, "Jan 50 (QAB AJ)"}}), "http://options.example/cgi-bin/cboeget.exe?TICKER=QABAJ"},
        {"Options", 1, 2, rowWith({{1, "Feb 55 (QAB BK)"}}), "http://options.example/cgi-bin/cboeget.exe?TICKER=QABBK"},
        {"Call", 0, 2, rowWith({{0, "Jan 50 QAB AJ"}}), ""},   // no "("
        {"Call", 0, 2, rowWith({{0, "Jan 50 (QAB AJ"}}), ""},  // "(" but no ")"
        {"BR", 1, 2, rowWith({{9, "http://market.example/q?s=XYZ"}}), "http://market.example/q?s=XYZ"},
        {"BR", 1, 2, rowWith({{9, "https://market.example/a b"}}), "https://market.example/a%20b"},
        {"US", 2, 2, rowWith({{8, "http://indices.example/dj"}}), "http://indices.example/dj"},
        {"BR", 1, 2, rowWith({{9, ""}}), ""},
        {"BR", 1, 2, rowWith({{9, "x"}}), ""},
        {"BR", 1, 2, rowWith({{9, "javascript:alert(1)"}}), ""},
        {"BR", 1, 2, rowWith({{9, "file:///etc/passwd"}}), ""},
        {"US", 2, 2, rowWith({{8, "www.example.com/dj"}}), ""},
        {"US", 2, 2, rowWith({{8, "mailto:a@b.example"}}), ""},
        {"US", 2, 2, rowWith({{8, "http://user@evil.example/"}}), ""},
        {"IPO_News", 1, 2, rowWith({{4, "n/ipo/1.html"}}), "http://business-news.example/n/ipo/1.html"},
        {"IPO_Reg", 7, 2, sym, "http://business-news.example/p/XYZ.html"},
        {"IPO_With", 6, 2, sym, "http://business-news.example/p/XYZ.html"},
        {"IPO_With", 7, 2, sym, ""},
        // The link words; the symbol is the first four characters, trimmed.
        {"IPO_Price", 5, 2, rowWith({{2, "XYZW Holdings"}, {5, "News"}}), "http://business-news.example/n/i/XYZW.html"},
        {"IPO_Last", 1, 2, rowWith({{2, "XYZW Holdings"}, {1, "Chart"}}), "http://quotes.example/q?s=XYZW&d=3m"},
        {"IPO_Price", 9, 2, rowWith({{2, "AB C"}, {9, "Profile"}}), "http://business-news.example/p/e/AB%20C.html"},
        {"IPO_Price", 4, 2, rowWith({{2, "XYZ"}, {4, "News"}}), ""},
        {"IPO_Gain", 6, 2, rowWith({{1, "XYZ "}, {6, "SEC"}}), "http://filing-pages.example/e/l/u/XYZ.html"},
        {"IPO_Loss", 7, 2, rowWith({{1, "XYZ"}, {7, "Insider"}}), "http://business-news.example/t/u/XYZ.html"},
        {"IPO_Loss", 8, 2, rowWith({{1, "XYZ"}, {8, "Research"}}), "http://quotes.example/q?s=XYZ&d=r"},
        {"IPO_Loss", 1, 2, rowWith({{1, "XYZ"}}), "http://quotes.example/q?s=XYZ&d=t"},
        {"IPO_Gain", 5, 2, rowWith({{1, "XYZ"}, {5, "News"}}), ""},
        // The world indices put a caret before the symbol; column 6 opens too.
        {"WM", 6, 2, rowWith({{2, "N225"}, {6, "Msgs"}}), "http://message-boards.example/?action=q&board=^N225"},
        {"WM", 3, 2, rowWith({{2, "N225"}, {3, "News"}}), "http://business-news.example/n/i/^N225.html"},
        {"WM", 9, 2, rowWith({{2, "N225"}, {9, "Chart"}}), "http://quotes.example/q?s=^N225&d=3m"},
        {"WM", 5, 2, rowWith({{2, "N225"}, {5, "Chart"}}), ""},
        {"FMS1", 0, 2, sym, "http://momentum.example/quote.asp?symbol=XYZ&Whattoget=detailquote"},
        {"FMS2", 0, 2, sym, "http://momentum.example/quote.asp?symbol=XYZ&Whattoget=detailquote"},
        {"FMS0", 0, 2, sym, ""},
        {"F_Growth", 0, 2, sym, ""},
        {"Current", 1, 2, sym, ""},
        {"coverage", 1, 2, sym, ""},
        // A symbol is percent-encoded, so a cell cannot add to the path or query.
        {"SUP", 0, 2, rowWith({{0, "X/Y?Z#W"}}),
         "http://broker-research.example/ows-bin/owa/zbrc?tick=X%2FY%3FZ%23W&comp_id=main&search=1"},
        {"Coverage", 1, 2, rowWith({{1, "A&B=C"}}), "http://quotes.example/q?s=A%26B=C&d=t"},
        {"Coverage", 4, 2, rowWith({{1, "/x"}}), "http://business-news.example/c/%2F/%2Fx.html"},
        // A stored link keeps its own / ? # and stays on its site.
        {"IT", 2, 2, rowWith({{1, "/other.example/x?y#z"}}), "http://business-news.example//other.example/x?y#z"},
        {"QR", 1, 2, rowWith({{4, "@evil.example/"}}), "http://filings.example/auth/doctrans@evil.example/"},
        {"IPO_News", 1, 2, rowWith({{4, "a b.html"}}), "http://business-news.example/a%20b.html"},
        // Index symbols keep their caret; a stray "%" is sent as "%25", a whole one stays.
        {"US", 2, 2, rowWith({{8, "http://quotes.example/q?s=^DJI&d=t"}}), "http://quotes.example/q?s=^DJI&d=t"},
        {"IT", 2, 2, rowWith({{1, "q?s=^DJI%20x&p=5%"}}), "http://business-news.example/q?s=^DJI%20x&p=5%25"},
    };
    for (const LinkCase& c : cases) {
        const GridLinkAction action = GridLinkAddress(QLatin1String(c.view), c.col, c.row, c.texts);
        EXPECT_EQ(action.address, QLatin1String(c.address)) << c.view << " col " << c.col << " " << c.texts.join('|').toStdString();
        EXPECT_FALSE(action.markRed) << c.view;
    }
}

TEST(GridLinkAddress, HeaderRowsNeverOpenAndTheStatementsMarkEveryCell)
{
    const QStringList sym = rowWith({{0, "XYZ"}, {1, "XYZ"}, {2, "XYZ"}, {4, "?d=1"}, {9, "http://a.example/"}});
    for (const char* view : {"QR", "Coverage", "Upgrade", "WINLOS", "SUP", "BR", "IPO_Reg", "FMS1"})
        for (int row : {0, 1})
            for (int col = 0; col < 10; ++col)
                EXPECT_TRUE(GridLinkAddress(QLatin1String(view), col, row, sym).address.isEmpty()) << view << row << col;
    for (const char* view : {"ABS", "AIS"})
        for (int row : {0, 1, 7})
            for (int col : {0, 3, 9}) {
                const GridLinkAction action = GridLinkAddress(QLatin1String(view), col, row, sym);
                EXPECT_TRUE(action.markRed) << view << row << col;
                EXPECT_TRUE(action.address.isEmpty());
            }
}

TEST(GridLinkAddress, TheSitesOwnHostAndPortAreUsedAndKept)
{
    Sites::Override(Site::BusinessNews, QStringLiteral("127.0.0.1"), 8080);
    EXPECT_EQ(GridLinkAddress("IT", 2, 2, rowWith({{1, "t/u/x.html"}})).address,
              QStringLiteral("http://127.0.0.1:8080/t/u/x.html"));
    EXPECT_EQ(GridLinkAddress("IPO_Reg", 7, 2, rowWith({{2, "XYZ"}})).address,
              QStringLiteral("http://127.0.0.1:8080/p/XYZ.html"));
    Sites::Override(Site::BusinessNews, QString());
}

TEST(GridLinkAddress, OptionTicker)
{
    EXPECT_EQ(OptionTicker("Jan 50 (QAB AJ)"), QStringLiteral("QAB AJ"));
    EXPECT_EQ(OptionTicker("(X)) tail"), QStringLiteral("X"));
    EXPECT_EQ(OptionTicker("no paren"), std::nullopt);
    EXPECT_EQ(OptionTicker(") before ("), std::nullopt);
}

class GridEventsTest : public SheetsTest
{
protected:
    test::RecordingEditingHost editing;
    StockSets sets;
    PopupActions popups{editing, sets};
    MainGridEvents events{grid(), popups};
};

TEST_F(GridEventsTest, AClickOpensTheRowsPageThroughTheShellOrMarksTheCell)
{
    FlexGrid& g = grid();
    g.setRows(4);
    g.setCols(6);
    g.setTextMatrix(2, 1, QStringLiteral("XYZ"));
    test::shell().reset();

    CurrentView() = QStringLiteral("Coverage");
    g.setRow(2);
    g.setCol(4);
    g.setRowSel(2);
    events.FG_Click();
    EXPECT_EQ(test::shell().opened, QStringList({"http://business-news.example/c/x/XYZ.html"}));

    g.setCol(2);
    events.FG_Click();
    g.setRow(1);
    g.setRowSel(1);
    g.setCol(1);
    events.FG_Click();
    EXPECT_EQ(test::shell().opened.size(), 1);

    CurrentView() = QStringLiteral("ABS");
    g.setRow(3);
    g.setCol(2);
    g.setRowSel(3);
    events.FG_Click();
    EXPECT_EQ(g.CellForeColor(), 255);
    EXPECT_EQ(test::shell().opened.size(), 1);
}

TEST_F(GridEventsTest, PopupsStartWhole)
{
    auto visible = [](const std::optional<GridPopupState>& s, int item) { return s && (*s)[item].visible; };
    auto enabled = [](const std::optional<GridPopupState>& s, int item) { return s && (*s)[item].enabled; };
    // The log menu hides "Old Style Background" and enables "Edit Transection"; the
    // quotes and holdings menus after it show the item again.
    const auto log = MainGridPopup("PortLog", "");
    EXPECT_FALSE(visible(log, 4));
    EXPECT_FALSE(visible(log, 5));
    EXPECT_TRUE(visible(log, 8) && enabled(log, 8));
    const auto quotes = MainGridPopup("Current", "");
    EXPECT_TRUE(visible(quotes, 4) && visible(quotes, 5) && visible(quotes, 7));
    EXPECT_FALSE(visible(quotes, 6));
    const auto holding = MainGridPopup("Port", "");
    EXPECT_TRUE(visible(holding, 4) && visible(holding, 6));
    EXPECT_FALSE(enabled(holding, 6));
    EXPECT_TRUE(enabled(MainGridPopup("Port", "12"), 6));
    for (const char* view : {"ABS", "PortSelected", "port", "", "Call"})
        EXPECT_EQ(MainGridPopup(QLatin1String(view), ""), std::nullopt) << view;

    for (const char* view : {"Current", "Port"})
        EXPECT_TRUE(ZoomGridPopup(QLatin1String(view))) << view;
    for (const char* view : {"PortLog", "ABS", "current", ""})
        EXPECT_FALSE(ZoomGridPopup(QLatin1String(view))) << view;
}

TEST(ColumnDragMachine, FiftyTwipsWithTheLeftButtonAloneOnTheHeader)
{
    EXPECT_TRUE(MovableHeaderCell(0, 0, 0));
    EXPECT_FALSE(MovableHeaderCell(0, 0, 1));
    EXPECT_TRUE(MovableHeaderCell(0, 1, 1));
    EXPECT_FALSE(MovableHeaderCell(1, 1, 1));
    EXPECT_FALSE(MovableHeaderCell(0, -1, 0));

    ColumnDrag drag;
    EXPECT_FALSE(StartsColumnDrag(drag, "Current", 1, 500, 500, 0));  // not armed
    ArmColumnDrag(drag, 100.4, 200.6);
    EXPECT_EQ(drag.startX, 100);
    EXPECT_EQ(drag.startY, 201);
    EXPECT_EQ(drag.col, -1);
    EXPECT_TRUE(drag.armed);

    EXPECT_FALSE(StartsColumnDrag(drag, "Current", 1, 124, 226, 0));  // 24 + 25 = 49
    EXPECT_TRUE(StartsColumnDrag(drag, "Current", 1, 125, 226, 0));   // 50
    EXPECT_TRUE(StartsColumnDrag(drag, "Current", 1, 75, 176, 0));    // backwards too
    EXPECT_FALSE(StartsColumnDrag(drag, "Current", 2, 200, 300, 0));  // right button
    EXPECT_FALSE(StartsColumnDrag(drag, "Current", 3, 200, 300, 0));  // left with right
    EXPECT_FALSE(StartsColumnDrag(drag, "Current", 5, 200, 300, 0));  // left with middle
    EXPECT_FALSE(StartsColumnDrag(drag, "Current", 1, 200, 300, 1));  // off the header
    EXPECT_FALSE(StartsColumnDrag(drag, "F_Growth", 1, 200, 300, 0)); // fund tables never
    EXPECT_TRUE(StartsColumnDrag(drag, "F", 1, 200, 300, 0));

    // Anchors far beyond 16 bits still measure.
    ArmColumnDrag(drag, 70000, 40000);
    EXPECT_EQ(drag.startX, 70000);
    EXPECT_FALSE(StartsColumnDrag(drag, "IT", 1, 70049, 40000, 0));
    EXPECT_TRUE(StartsColumnDrag(drag, "IT", 1, 70050, 40000, 0));
    drag.col = 3;
    EXPECT_FALSE(StartsColumnDrag(drag, "IT", 1, 80000, 40000, 0));  // already dragging
}
