// The current-quotes view drawn from the quote texts of the set.
#include "SheetsFixture.h"
#include "TestViews.h"

#include "platform/Runtime.h"
#include "sheets/ViewEntries.h"
#include "sheets/ViewRunner.h"
#include "stockdata/ProgramState.h"

#include <QSignalSpy>

namespace {

const QStringList kHeaders = {"",        "Companey",  "Last Sale",      "Change",         "% Change",
                              "Volume",  "Today's High", "Today's Low", "Bid",            "Ask",
                              "Last Trade Size", "Open", "Previous Close", "52 Week High", "52 Week Low",
                              "EPS",     "P/E Ratio", "Dividend Per Sharev", "Exchange", "Industry",
                              "Last Update"};

// A stock whose every quote text differs, so a cell shows which field it came from.
StockRec quoted(const QString& name)
{
    StockRec r;
    r.Symbol = name.left(3).toUpper();
    r.CompanyName = name;
    r.LastPrice = "10.50";
    r.PctChange = "+1.5%";
    r.Change = "+0.15";
    r.DayHigh = "10.90";
    r.DayLow = "10.10";
    r.Volume = "12345678";
    r.Ask = "10.55";
    r.Bid = "10.45";
    r.LastTradeSize = "300";
    r.PERatio = "17.2";
    r.DivPerShare = "0.40";
    r.OpenPrice = "10.20";
    r.PrevClose = "10.35";
    r.YearHigh = "12.00";
    r.YearLow = "8.00";
    r.EPS = "0.61";
    r.Exchange = "NYSE";
    r.Industry = "Tools";
    r.LastTradeTime = "4:01pm";
    return r;
}

void setStocks(const std::vector<StockRec>& rows)
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        Stocks()[i] = rows[i];
    StockCount() = static_cast<std::int16_t>(rows.size());
}

} // namespace

class CurrentQuotes : public SheetsTest
{
protected:
    void SetUp() override
    {
        SheetsTest::SetUp();
        StdRowHeight() = 300;
        grid().setWidth(10000);
    }
};

TEST_F(CurrentQuotes, EmptySetGivesHeadersSpacerAndFormats)
{
    FG_Current(test::views());
    FlexGrid& g = grid();

    EXPECT_EQ(CurrentView(), "Current");
    EXPECT_EQ(ZoomGrid(), &g);
    EXPECT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.Cols(), 21);
    EXPECT_EQ(rowTexts(g, 0), kHeaders);
    EXPECT_EQ(g.RowHeight(0), 300);
    EXPECT_EQ(g.RowHeight(1), 0);
    EXPECT_EQ(g.GridLines(), 0);
    EXPECT_EQ(g.BackColor(), FlexGrid::WindowBackground);
    EXPECT_TRUE(g.Redraw());

    const int widths[] = {3, 20, 12, 10, 12, 14, 15, 15, 10, 10, 12, 10, 15, 15, 15, 12, 15, 10, 14, 20, 15};
    const int L = FlexGrid::flexAlignLeftCenter, R = FlexGrid::flexAlignRightCenter,
              C = FlexGrid::flexAlignCenterCenter;
    const int aligns[] = {L, L, R, R, R, R, R, R, R, R, R, R, R, R, R, R, R, C, L, L, C};
    for (int c = 0; c < 21; ++c) {
        EXPECT_EQ(g.ColWidth(c), widths[c] * 100) << c;
        EXPECT_EQ(g.ColAlignment(c), aligns[c]) << c;
        EXPECT_EQ(g.cellFormat(0, c).alignment, C) << "header " << c;
    }
}

TEST_F(CurrentQuotes, SetRowKShowsInGridRowKPlusTwoAndRowsWithoutQuotesAreLeftOut)
{
    StockRec bare;
    bare.Symbol = "NEW";
    bare.CompanyName = "New Co";  // a name but no quote yet: too short for a row
    setStocks({quoted("Acme Widgets"), bare, quoted("Bolt Works")});

    FG_Current(test::views());
    FlexGrid& g = grid();

    ASSERT_EQ(g.Rows(), 4);
    EXPECT_EQ(rowTexts(g, 2),
              QStringList({"", "Acme Widgets", "10.50", "+0.15", "+1.5%", "12345678", "10.90", "10.10", "10.45",
                           "10.55", "300", "10.20", "10.35", "12.00", "8.00", "0.61", "17.2", "0.40", "NYSE",
                           "Tools", "4:01pm"}));
    EXPECT_EQ(g.TextMatrix(3, 1), "Bolt Works");
    EXPECT_EQ(g.RowHeight(1), 0);
}

TEST_F(CurrentQuotes, EmptyRecordAddsNoRowWithFractionsOnOrOff)
{
    for (const char* fractions : {"0", "1"}) {
        Settings::SaveSetting(Settings::Fractions, fractions);
        StockRec empty;
        empty.Symbol = "E";
        setStocks({empty});
        FG_Current(test::views());
        EXPECT_EQ(grid().Rows(), 2) << fractions;
    }
}

TEST_F(CurrentQuotes, PriceAndVolumeSettings)
{
    struct Case { const char* fractions; const char* volume; QString last, change, vol, open; };
    const Case cases[] = {
        {"1", "1", "27.50", "0.13", "12,345,678", "-1.50"},
        {"0", "0", "27 1/2", "1/8", "12345678", "-1 1/2"},
        {"", "", "27 1/2", "1/8", "12345678", "-1 1/2"},
        {"2", "2", "27 1/2", "1/8", "12345678", "-1 1/2"},
    };
    for (const Case& c : cases) {
        Settings::SaveSetting(Settings::Fractions, c.fractions);
        Settings::SaveSetting(Settings::Volume, c.volume);
        StockRec r = quoted("Acme Widgets");
        r.LastPrice = "27 1/2";
        r.Change = "1/8";
        r.OpenPrice = "- 1 1/2";
        setStocks({r});
        FG_Current(test::views());
        FlexGrid& g = grid();
        EXPECT_EQ(g.TextMatrix(2, columnOf(g, "Last Sale")), c.last) << c.fractions;
        EXPECT_EQ(g.TextMatrix(2, columnOf(g, "Change")), c.change) << c.fractions;
        EXPECT_EQ(g.TextMatrix(2, columnOf(g, "Volume")), c.vol) << c.volume;
        EXPECT_EQ(g.TextMatrix(2, columnOf(g, "Open")), c.open) << c.fractions;
        // FormatP runs on the stored price whatever the setting, and takes the
        // blank out of a sign followed by a blank.
        EXPECT_EQ(Stocks()[0].OpenPrice, "-1 1/2") << c.fractions;
    }
}

TEST_F(CurrentQuotes, TrendAndAlertPictures)
{
    struct Case { const char* name; QString pct; QString price; float low, high; QString picture; int align; };
    const int centred = FlexGrid::flexAlignCenterCenter;
    const Case cases[] = {
        {"falling", "-0.5%", "10", 0, 0, "DN", centred},
        {"rising", "+1.50%", "10", 0, 0, "UP", centred},
        {"rising without sign", "2", "10", 0, 0, "UP", centred},
        {"zero", "0.00%", "10", 0, 0, "", 0},
        {"empty", "", "10", 0, 0, "", 0},
        {"not a number", "N/A", "10", 0, 0, "", 0},
        {"below the low alert", "+1%", "10", 11, 0, "LOW", centred},
        {"at the low alert", "", "11", 11, 0, "", 0},
        {"above the high alert while falling", "-1%", "10", 0, 9.5f, "HIGH", centred},
        {"fraction price above the high alert", "", "9 3/4", 0, 9.5f, "HIGH", 0},
        {"both alerts unset", "", "10", 0, 0, "", 0},
        // A stock without a price has nothing to compare with its alerts.
        {"no price", "", "", 11, 0, "", 0},
        {"price not a number", "", "N/A", 11, 0, "", 0},
    };
    for (const Case& c : cases) {
        StockRec r = quoted("Acme Widgets");
        r.PctChange = c.pct;
        r.LastPrice = c.price;
        r.TargetLow = c.low;
        r.TargetHigh = c.high;
        setStocks({r});
        FG_Current(test::views());
        const FlexGrid::CellFormat f = grid().cellFormat(2, 0);
        EXPECT_EQ(f.picture, c.picture) << c.name;
        EXPECT_EQ(f.pictureAlignment, c.align) << c.name;
    }
}

TEST_F(CurrentQuotes, PercentChangeColouredBySign)
{
    StockRec down = quoted("Down Co");
    down.PctChange = "-2.1%";
    StockRec flat = quoted("Flat Co");
    flat.PctChange = "0.0%";
    setStocks({down, flat});
    FG_Current(test::views());
    const int c = columnOf(grid(), "% Change");
    EXPECT_EQ(grid().cellFormat(2, c).foreColor, QuoteColors::Falling);
    EXPECT_EQ(grid().cellFormat(3, c).foreColor, QuoteColors::Rising);
    EXPECT_EQ(grid().cellFormat(2, c + 1).foreColor, 0);
}

TEST_F(CurrentQuotes, OldStyleBackgroundShadesOddRowsToTheLast)
{
    for (int dataRows : {2, 3}) {
        std::vector<StockRec> rows(dataRows, quoted("Acme Widgets"));
        setStocks(rows);
        OldStyleBackgroundChecked() = true;
        FG_Current(test::views());
        FlexGrid& g = grid();
        ASSERT_EQ(g.Rows(), dataRows + 2);
        for (int r = 0; r < g.Rows(); ++r) {
            EXPECT_EQ(g.cellFormat(r, 0).backColor, 0) << r;
            for (int c = 1; c < 21; ++c)
                EXPECT_EQ(g.cellFormat(r, c).backColor, r % 2 == 1 ? QuoteColors::OldStyleRow : 0)
                    << dataRows << " rows, cell " << r << "," << c;
        }
        OldStyleBackgroundChecked() = false;
        FG_Current(test::views());
        EXPECT_EQ(g.cellFormat(3, 1).backColor, 0);
    }
}

TEST_F(CurrentQuotes, ZoomModeDrawsIntoANewWindowAndClearsTheMode)
{
    setStocks({quoted("Acme Widgets")});
    grid().setTextMatrix(0, 0, "untouched");
    ZoomMode() = true;

    FG_Current(test::views());

    ASSERT_EQ(host.zooms.size(), 1u);
    FlexGrid* zoom = host.zooms.front().get();
    EXPECT_EQ(host.shown, std::vector<FlexGrid*>{zoom});
    EXPECT_EQ(ZoomGrid(), zoom);
    EXPECT_FALSE(ZoomMode());
    EXPECT_EQ(zoom->TextMatrix(2, 1), "Acme Widgets");
    EXPECT_EQ(grid().TextMatrix(0, 0), "untouched");

    // The next draw goes to the main grid again.
    FG_Current(test::views());
    EXPECT_EQ(host.zooms.size(), 1u);
    EXPECT_EQ(grid().TextMatrix(2, 1), "Acme Widgets");
}

TEST_F(CurrentQuotes, DraggedColumnSurvivesRedrawAndRestart)
{
    setStocks({quoted("Acme Widgets"), quoted("Bolt Works")});
    FG_Current(test::views());
    FlexGrid& g = grid();

    // The user drags "Volume" onto the second data column.
    DragCol() = columnOf(g, "Volume");
    g.setMouseRow(0);
    g.setMouseCol(2);
    FG_DragDrop(nullptr, 0, 0);
    ASSERT_EQ(g.TextMatrix(0, 2), "Volume");

    // Another view draws meanwhile, then the quotes again.
    g.setCols(3);
    g.setTextMatrix(0, 2, "Other");
    FG_Current(test::views());
    EXPECT_EQ(g.TextMatrix(0, 2), "Volume");
    EXPECT_EQ(g.TextMatrix(2, 2), "12345678");
    EXPECT_EQ(g.TextMatrix(0, 3), "Last Sale");
    EXPECT_EQ(g.TextMatrix(2, 3), "10.50");
    EXPECT_EQ(g.ColWidth(2), 1400);
    EXPECT_EQ(g.ColAlignment(2), FlexGrid::flexAlignRightCenter);

    // Quitting and starting again: the layout comes back from LayOut.dat.
    LayOut().fill(LayoutRec());
    ASSERT_TRUE(LoadLayout());
    host.main.setCols(2);
    FG_Current(test::views());
    QStringList expected = kHeaders;
    expected.move(5, 2);
    EXPECT_EQ(rowTexts(g, 0), expected);
    EXPECT_EQ(g.TextMatrix(3, 1), "Bolt Works");
}

TEST_F(CurrentQuotes, ZoomedDrawLeavesTheRecordedOrderToTheMainGrid)
{
    setStocks({quoted("Acme Widgets")});
    LayOut()[2] = {"Volume", 0, 2, 2};
    ZoomMode() = true;
    FG_Current(test::views());
    FlexGrid* zoom = host.zooms.front().get();
    EXPECT_EQ(zoom->TextMatrix(0, 2), "Last Sale");
}

// New prices of one stock during an update run go into its row alone; the grid then
// holds what a whole redraw would show, and only where a row must come or go under
// shading or a sort is the view drawn whole.
TEST_F(CurrentQuotes, OneStocksNewPricesRedrawItsRowAsAWholeRedrawWould)
{
    struct Snapshot
    {
        QStringList cells;
        bool operator==(const Snapshot&) const = default;
    };
    const auto snap = [](const FlexGrid& g) {
        Snapshot s;
        for (int r = 0; r < g.Rows(); ++r) {
            QString row = QString::number(g.RowData(r));
            for (int c = 0; c < g.Cols(); ++c) {
                const FlexGrid::CellFormat f = g.cellFormat(r, c);
                row += QStringLiteral("|%1/%2/%3/%4").arg(g.TextMatrix(r, c), f.picture).arg(f.foreColor).arg(f.backColor);
            }
            s.cells << row;
        }
        return s;
    };
    const StockRec bare = [] {
        StockRec r;
        r.Symbol = "NEW";
        return r;
    }();
    struct Case
    {
        const char* what;
        bool shaded;
        bool sorted;
        bool dragged;
        StockRec before;            // stock 1 when the view is drawn
        void (*change)(StockRec&);  // its new quotes
        bool whole;                 // the view must be drawn whole
    };
    const auto newPrice = [](StockRec& r) {
        r.LastPrice = "7.25";
        r.PctChange = "-3.1%";
        r.Change = "-0.22";
    };
    const auto belowAlert = [](StockRec& r) {
        r.LastPrice = "4.00";
        r.TargetLow = 5;
    };
    const auto quotedNow = [](StockRec& r) { r = quoted("Newly Quoted"); };
    const auto emptied = [](StockRec& r) { r = StockRec(); };
    const Case cases[] = {
        {"new price", false, false, false, quoted("Bolt Works"), newPrice, false},
        {"new price, shaded and sorted", true, true, false, quoted("Bolt Works"), newPrice, false},
        {"new price, dragged column", false, false, true, quoted("Bolt Works"), newPrice, false},
        {"alert", false, false, false, quoted("Bolt Works"), belowAlert, false},
        {"first quotes", false, false, false, bare, quotedNow, false},
        {"first quotes, shaded", true, false, false, bare, quotedNow, true},
        {"first quotes, sorted", false, true, false, bare, quotedNow, true},
        {"quotes gone", false, false, false, quoted("Bolt Works"), emptied, false},
        {"quotes gone, shaded", true, false, false, quoted("Bolt Works"), emptied, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LayOut().fill(LayoutRec());
        setStocks({quoted("Acme Widgets"), c.before, quoted("Cog Makers")});
        OldStyleBackgroundChecked() = c.shaded;
        if (c.dragged)
            LayOut()[2] = {"Volume", 0, 2, 2};
        host.main.setCols(2);
        FG_Current(test::views());
        FlexGrid& g = grid();
        if (c.sorted) {
            // As a double click sorts: the hidden spacer row keeps its place.
            g.setFixedRows(2);
            g.setCol(columnOf(g, "Companey"));
            g.setSort(FlexGrid::flexSortStringDescending);
            g.setFixedRows(1);
        }
        g.setRow(2);
        g.setCol(3);
        c.change(Stocks()[1]);

        QSignalSpy drawn(&test::views(), &ViewRunner::viewShown);
        test::views().redrawStockIfShown(QStringLiteral("Current"), 1);
        EXPECT_EQ(drawn.size(), c.whole ? 1 : 0);
        if (!c.whole) {
            EXPECT_EQ(g.Row(), 2);
            EXPECT_EQ(g.Col(), 3);
        }
        const Snapshot rowDrawn = snap(g);
        if (c.sorted && !c.whole)
            continue;  // a whole redraw would undo the sort
        FG_Current(test::views());
        EXPECT_EQ(rowDrawn, snap(g));
    }

    // Another view shown: nothing is drawn.
    CurrentView() = QStringLiteral("Port");
    grid().setTextMatrix(2, 1, "kept");
    test::views().redrawStockIfShown(QStringLiteral("Current"), 0);
    EXPECT_EQ(grid().TextMatrix(2, 1), "kept");
}
