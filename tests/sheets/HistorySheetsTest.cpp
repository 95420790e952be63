// The splits, momentum, upgrades, downgrades and broker-report sheets, each run
// through a runner from a cached page of our own (a raw reply: status line,
// headers, body).
#include "SheetsFixture.h"

#include "sheets/HistorySheets.h"
#include "sheets/ViewRunner.h"
#include "stockdata/ProgramState.h"

#include <QStringList>

namespace {

const char* suffixOf(const QString& code)
{
    if (code == "Split") return "_sp.Sh";
    if (code == "NMR") return "_mr.Sh";
    if (code == "UPH") return "_uph.Sh";
    if (code == "DNH") return "_dnh.Sh";
    return "_brp.Sh";
}

QByteArray reply(const QByteArray& body)
{
    return "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n" + body;
}

// Text enough to put what follows past character 32,767.
QByteArray farAway()
{
    return "<p>" + QByteArray(40000, 'x') + "</p>\r\n";
}

} // namespace

class HistorySheetsTest : public SheetsTest
{
protected:
    void SetUp() override
    {
        SheetsTest::SetUp();
        selectAcme(9000, true);
        // What the previous view left on screen.
        grid().setRows(3);
        grid().setCols(2);
        grid().setTextMatrix(0, 0, "Before");
    }

    // Puts page as the current symbol's cache page of code (none: no file) and shows code.
    void show(const QString& code, const QByteArray* page)
    {
        if (page)
            writeFile("Cache/DataSheet/" + CurrentSymbol() + suffixOf(code), *page);
        ViewRunner runner(host);
        ASSERT_TRUE(runner.show(code));
        EXPECT_EQ(CurrentView(), code);
    }
    void show(const QString& code, const QByteArray& page) { show(code, &page); }

    static QVector<int> heights(const FlexGrid& g)
    {
        QVector<int> h;
        for (int r = 0; r < g.Rows(); ++r)
            h << g.RowHeight(r);
        return h;
    }
};

// ---- splits ---------------------------------------------------------------------------

TEST_F(HistorySheetsTest, SplitsSkipTheMarkersRowAndEmptyRowsAndDropSurplusCells)
{
    show("Split", fixture("history/splits.Sh"));
    const FlexGrid& g = grid();
    ASSERT_EQ(g.Rows(), 5);
    ASSERT_EQ(g.Cols(), 6);
    EXPECT_EQ(rowTexts(g, 0), QStringList({"Type", "Amount", "Ex-Date", "Pay-Date", "Rec-Date", "An-Date"}));
    EXPECT_EQ(g.TextMatrix(1, 0), "ACME\r\nSplits History");
    EXPECT_EQ(rowTexts(g, 2),
              QStringList({"Split", "2-for-1", "06/01/2001", "06/15/2001", "05/20/2001", "04/30/2001"}));
    EXPECT_EQ(rowTexts(g, 3),
              QStringList({"Stock & cash", "3:2", "01/02/1999", "01/16/1999", "12/20/1998", "11/30/1998"}));
    EXPECT_EQ(rowTexts(g, 4), QStringList({"Split", "3-for-2", "", "", "", ""}));

    EXPECT_EQ(g.cellFormat(1, 0).bold, true);
    EXPECT_EQ(g.cellFormat(1, 0).backColor, 0xFFFFFF);
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(g.cellFormat(0, c).alignment, 3) << c;
        EXPECT_EQ(g.ColAlignment(c), 4) << c;
    }
    EXPECT_EQ(heights(g).mid(0, 2), QVector<int>({300, 600}));
    EXPECT_EQ(g.ColWidth(0), 1530);
    EXPECT_EQ(g.ColWidth(5), 1440);
    EXPECT_EQ(g.BackColor(), 0xFFFFFF);
    EXPECT_EQ(g.GridLines(), 1);
    EXPECT_FALSE(g.isUpdatesLocked());
    EXPECT_TRUE(g.Redraw());
}

TEST_F(HistorySheetsTest, SplitsWithOnlyEmptyRowsShowHeadingsAndTitle)
{
    show("Split", reply("begin splits<table><tr><td>head</td></tr><tr></tr><tr> </tr></table>end splits"));
    EXPECT_EQ(grid().Rows(), 2);
    EXPECT_EQ(grid().TextMatrix(1, 0), "ACME\r\nSplits History");
}

// ---- momentum -------------------------------------------------------------------------

TEST_F(HistorySheetsTest, MomentumShowsTheFiveFiguresWithoutThousandsCommasAndTheNote)
{
    show("NMR", fixture("history/momentum.Sh"));
    const FlexGrid& g = grid();
    ASSERT_EQ(g.Rows(), 7);
    ASSERT_EQ(g.Cols(), 1);
    EXPECT_EQ(g.TextMatrix(0, 0), "Acme Widgets Momentum Rating");
    EXPECT_EQ(g.TextMatrix(1, 0), "Rank: 1234");
    EXPECT_EQ(g.TextMatrix(2, 0), "Momentum Rating: 25");
    EXPECT_EQ(g.TextMatrix(3, 0), "Buys: 12");
    EXPECT_EQ(g.TextMatrix(4, 0), "Holds: 3");
    EXPECT_EQ(g.TextMatrix(5, 0), "Sell: 0");
    EXPECT_TRUE(g.TextMatrix(6, 0).startsWith("\r\nThe premise behind the Momentum Ratings is simple:"));
    // Paragraphs: blank line, line break, blank line, blank line.
    EXPECT_EQ(g.TextMatrix(6, 0).split("\r\n").size(), 9);
    EXPECT_EQ(heights(g), QVector<int>({300, 300, 300, 300, 300, 300, 9000}));
    EXPECT_TRUE(g.cellFormat(0, 0).bold);
    EXPECT_EQ(g.cellFormat(0, 0).textStyle, 3);
    EXPECT_EQ(g.cellFormat(0, 0).alignment, 4);
    for (int r = 1; r <= 6; ++r) {
        EXPECT_EQ(g.cellFormat(r, 0).alignment, 0) << r;
        EXPECT_EQ(g.cellFormat(r, 0).backColor, 0xFFFFFF) << r;
    }
    EXPECT_EQ(g.cellFormat(6, 0).foreColor, 0x808080);
    EXPECT_EQ(g.ColWidth(0), 8730);
}

TEST_F(HistorySheetsTest, MomentumWithoutASymbolLeavesTheGridAndClearsZoomMode)
{
    CurrentSymbol() = "";
    ZoomMode() = true;
    show("NMR", nullptr);
    EXPECT_EQ(grid().Rows(), 3);
    EXPECT_EQ(grid().TextMatrix(0, 0), "Before");
    EXPECT_FALSE(ZoomMode());
    EXPECT_TRUE(host.shown.empty());
}

// ---- upgrades, downgrades, broker reports -------------------------------------------

struct HistoryCase
{
    const char* code;
    const char* page;
    const char* title;
    QVector<int> widths;   // twips of a 9000-twip grid
    QVector<int> heights;  // rows 0..4
};

TEST_F(HistorySheetsTest, HistoriesKeepEveryRowBlockAndRemoveTheWordsAndCommas)
{
    const HistoryCase cases[] = {
        {"UPH", "history/upgrades.Sh", "ACME\r\nUpgrades", {1260, 1620, 5850}, {300, 600, 600, 600, 600}},
        {"DNH", "history/downgrades.Sh", "ACME\r\nDowngrades", {1350, 1350, 5850}, {300, 600, 600, 600, 600}},
        {"BRP", "history/brokers.Sh", "ACME\r\nBroker Reports", {1080, 1800, 5850}, {300, 300, -1, -1, 0}},
    };
    for (const HistoryCase& c : cases) {
        SCOPED_TRACE(c.code);
        show(c.code, fixture(c.page));
        const FlexGrid& g = grid();
        ASSERT_EQ(g.Rows(), 5);
        ASSERT_EQ(g.Cols(), 3);
        EXPECT_EQ(rowTexts(g, 0), QStringList({"Date", "Broker", "Comments on Acme Widgets"}));
        EXPECT_EQ(g.TextMatrix(1, 0), c.title);
        EXPECT_TRUE(g.cellFormat(1, 0).bold);
        EXPECT_EQ(QVector<int>({g.ColWidth(0), g.ColWidth(1), g.ColWidth(2)}), c.widths);
        EXPECT_EQ(QVector<int>({g.ColAlignment(0), g.ColAlignment(1), g.ColAlignment(2)}), QVector<int>({4, 1, 1}));
        QVector<int> h = heights(g);
        for (int& v : h)
            if (v != 0 && v != 300 && v != 600)
                v = -1;  // the grid's own height
        EXPECT_EQ(h, c.heights);
        EXPECT_FALSE(g.isUpdatesLocked());
    }
    // The comments lose "News", "Chart", "Compare", "BrokerReports" and every comma.
    show("UPH", fixture("history/upgrades.Sh"));
    EXPECT_EQ(rowTexts(grid(), 2), QStringList({"01-Mar-05", "First Broker Inc.", "Upgraded to Buy & see"}));
    EXPECT_EQ(rowTexts(grid(), 3), QStringList({"", "", ""}));
    EXPECT_EQ(rowTexts(grid(), 4), QStringList({"02-Feb-05", "SecondStreet", "ok 1000"}));
    show("BRP", fixture("history/brokers.Sh"));
    EXPECT_EQ(rowTexts(grid(), 2), QStringList({"03/01/2005", "First Broker", "Initiated"}));
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(grid().cellFormat(0, c).alignment, 3) << c;
}

TEST_F(HistorySheetsTest, DowngradesWithoutTheirMarkerStartAtThePagesFirstRowEnd)
{
    show("DNH", reply("<table><tr><td>skipped</td></tr><tr><td>1-Jan</td><td>B</td><td>Cut</td></tr></table>"));
    ASSERT_EQ(grid().Rows(), 3);
    EXPECT_EQ(rowTexts(grid(), 2), QStringList({"1-Jan", "B", "Cut"}));
}

TEST_F(HistorySheetsTest, BrokerReportsWithoutRowsKeepTheTitleRowVisible)
{
    show("BRP", reply("begin reports<table><tr><td>head</td></tr></table>"));
    ASSERT_EQ(grid().Rows(), 2);
    EXPECT_EQ(grid().RowHeight(1), 300);
    EXPECT_EQ(grid().TextMatrix(1, 0), "ACME\r\nBroker Reports");
}

TEST_F(HistorySheetsTest, TheCommentsHeadingNamesTheCompanyTheShortNamesSymbolOrNothing)
{
    const QByteArray page = reply("begin splits<table><tr></tr><tr><td>d</td></tr></table>");
    const struct { const char* symbol; const char* heading; } cases[] = {
        {"ACME", "Comments on Acme Widgets"}, {"Q", "Comments on Q"}, {"ZZZ", "Comments on "}};
    for (const auto& c : cases) {
        CurrentSymbol() = c.symbol;
        show("UPH", page);
        EXPECT_EQ(grid().TextMatrix(0, 2), c.heading) << c.symbol;
    }
}

// ---- what no 16-bit position limit allows ----------------------------------------------

TEST_F(HistorySheetsTest, TablesPastCharacter32767ReadLikeAnyOther)
{
    const QByteArray far = farAway();
    const QByteArray row = "<tr><td>1</td><td>2</td><td>3</td></tr>\r\n";
    const struct { const char* code; QByteArray page; QString cell; } cases[] = {
        {"Split", reply(far + "begin splits<table><tr></tr>" + far + row + "</table>end splits"), "1"},
        {"NMR", reply(far + "<table><tr><td>Sells</td>" + far + "<td>7</td><td>6</td><td>5</td><td>4</td><td>3</td>"
                      "</tr></table>"), "Rank: 7"},
        {"UPH", reply(far + "begin splits<table><tr></tr>" + far + row + "</table>"), "1"},
        {"DNH", reply(far + "begin splits<table><tr></tr>" + far + row + "</table>"), "1"},
        {"BRP", reply(far + "begin reports<table><tr></tr>" + far + row + row + "</table>"), "1"},
    };
    for (const auto& c : cases) {
        show(c.code, c.page);
        const int r = QString(c.code) == "NMR" ? 1 : 2;
        EXPECT_EQ(grid().TextMatrix(r, 0), c.cell) << c.code;
    }
}

// ---- failures -----------------------------------------------------------------------

TEST_F(HistorySheetsTest, FailuresShowTheViewsOwnMessageAlsoFromAZoomAndOpenNoWindow)
{
    const QString none = "No splits were found for the symbol you requested, ACME";
    const QString noMomentum = "No data for the stock you requested, Acme Widgets (ACME)";
    const QString noUp = "No upgrades were found for the symbol you requested, Acme Widgets (ACME)";
    const QString noDown = "No downgrads were found for the symbol you requested, Acme Widgets (ACME)";
    const QString noReports = "No broker reports were found for the symbol you requested, Acme Widgets (ACME)";
    const QByteArray upgrades = fixture("history/upgrades.Sh");
    const QByteArray downgrades = fixture("history/downgrades.Sh");
    const struct { const char* code; std::optional<QByteArray> page; QString message; } cases[] = {
        {"Split", std::nullopt, none},
        {"Split", reply(""), none},
        {"Split", reply("<table><tr><td>a</td></tr></table>end splits"), none},
        {"Split", reply("begin splits<table><tr><td>a</td></tr></table>"), none},
        {"NMR", std::nullopt, noMomentum},
        {"NMR", reply("<table><tr><td>Buys</td><td>1</td></tr></table>"), noMomentum},
        {"NMR", reply("Sells<td>1</td><td>2</td>"), noMomentum},
        {"NMR", fixture("history/momentum_none.Sh"), "Tradewright did not find momentum ratings data for ACME"},
        {"UPH", std::nullopt, noUp},
        {"UPH", reply("<table><tr><td>x</td></tr><tr><td>a</td></tr></table>"), noUp},
        {"UPH", upgrades + "<p>No upgrades were found</p>", noUp},
        {"UPH", reply("begin splits<table><tr><td>a</td></tr>"), noUp},
        {"DNH", std::nullopt, noDown},
        {"DNH", reply("<p>No downgrades were found</p>") + downgrades, noDown},
        {"BRP", std::nullopt, noReports},
        {"BRP", reply("begin reports<table><tr><td>a</td></tr>"), noReports},
    };
    for (const bool zoom : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(QString("%1 %2 zoom %3").arg(c.code).arg(c.page ? QString(c.page->left(90)) : "none").arg(zoom)
                             .toStdString());
            QFile::remove(path("Cache/DataSheet/ACME") + suffixOf(c.code));
            host.zooms.clear();
            host.shown.clear();
            ZoomMode() = zoom;
            show(c.code, c.page ? &*c.page : nullptr);
            EXPECT_EQ(grid().Rows(), 1);
            EXPECT_EQ(grid().TextMatrix(0, 0), c.message);
            EXPECT_TRUE(host.shown.empty());
            // The downgrades are never zoomed: the flag is the zoom dispatcher's then.
            EXPECT_EQ(ZoomMode(), zoom && QString(c.code) == "DNH");
        }
    }
    ZoomMode() = false;
}

TEST_F(HistorySheetsTest, AZoomedSheetFillsOneNewWindowAndLeavesTheMainGrid)
{
    const struct { const char* code; const char* page; } cases[] = {
        {"Split", "history/splits.Sh"}, {"NMR", "history/momentum.Sh"},
        {"UPH", "history/upgrades.Sh"}, {"BRP", "history/brokers.Sh"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        host.zooms.clear();
        host.shown.clear();
        ZoomMode() = true;
        show(c.code, fixture(c.page));
        ASSERT_EQ(host.shown.size(), 1u);
        EXPECT_EQ(host.shown[0], host.zooms.back().get());
        EXPECT_GE(host.shown[0]->Rows(), 5);
        EXPECT_EQ(grid().TextMatrix(0, 0), "Before");
        EXPECT_FALSE(ZoomMode());
    }
    // The downgrades always fill the main grid.
    host.shown.clear();
    ZoomMode() = true;
    show("DNH", fixture("history/downgrades.Sh"));
    EXPECT_TRUE(host.shown.empty());
    EXPECT_EQ(grid().TextMatrix(1, 0), "ACME\r\nDowngrades");
    ZoomMode() = false;
}

TEST_F(HistorySheetsTest, TheSampleSitesPagesFillTheirViews)
{
    const struct { const char* code; const char* page; int rows; } cases[] = {
        {"Split", "splits/_any.htm", 5}, {"NMR", "momentum/_any.htm", 7}, {"UPH", "upgrades/_any.htm", 14},
        {"DNH", "downgrades/_any.htm", 14}, {"BRP", "brokerreports/_any.htm", 15}};
    for (const auto& c : cases) {
        QFile f(QStringLiteral(TW_FIXTURES "/site/") + c.page);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << c.page;
        show(c.code, reply(f.readAll().replace("{SYM}", "ACME")));
        EXPECT_EQ(grid().Rows(), c.rows) << c.code;
    }
}
