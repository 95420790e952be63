// The stock strip: filling, gauges, scrolling and selection on the current set.
#include "ShellFixture.h"

#include "platform/FlexGrid.h"
#include "shell/StockSelection.h"
#include "shell/StockStrip.h"

#include <vector>

namespace {

QStringList captions(const StockStrip& strip)
{
    QStringList list;
    for (const StripSlot& s : strip.items)
        list << s.caption;
    return list;
}

class StockStripTest : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        SkinName() = QStringLiteral("NeonBlue");
        strip.fits = [this](int slot) { return slot < fitting; };
    }

    // The strip showing rows first .. first + 6 (empty past the set).
    void showRows(int first)
    {
        for (int k = 0; k < kSlotCount; ++k)
            strip.items[k].caption = first + k <= kLastStockRow ? Stocks()[first + k].Symbol : QString();
    }

    QStringList rows(std::initializer_list<int> list) const
    {
        QStringList out;
        for (int r : list)
            out << (r < 0 ? QString() : Stocks()[r].Symbol);
        return out;
    }

    StockStrip strip;
    int fitting = kSlotCount;
};

// The window's part of a selection, recorded: the ticker menu's clicks, the
// stocks shown in the tree and the views shown again.
class SelectionRecorder : public StockSelectionWindow
{
public:
    bool pricesChecked = false;
    std::vector<int> tickerCalls;
    QStringList treeStocks;

    bool tickerPricesChecked() const override { return pricesChecked; }
    void tickerMenuClick(int index) override { tickerCalls.push_back(index); }
    void showStockInTree(const QString& symbol) override { treeStocks << symbol; }
    void redrawStockView(const QString& code) override { redrawnViews << code; }
    QStringList redrawnViews;
};

class StockSelectionTest : public StockStripTest
{
protected:
    SelectionRecorder window;
    FlexGrid grid;
    StockSelection selection{strip, grid, window};
    bool& pricesChecked = window.pricesChecked;
    std::vector<int>& tickerCalls = window.tickerCalls;
};

TEST_F(StockStripTest, RatingIsReadAsItsDecimalText)
{
    fillSet({QStringLiteral("IBM"), QStringLiteral("MSFT")}, {2.3f, 0});
    EXPECT_EQ(StripRating(QStringLiteral("IBM")), 2.3);
    EXPECT_EQ(StripRating(QStringLiteral("MSFT")), 0.0);
    EXPECT_EQ(StripRating(QStringLiteral("NONE")), 0.0);
}

TEST_F(StockStripTest, LoadPricesSkipsShortSymbolsAndKeepsLaterSlots)
{
    // A set of three stocks: slots 3 to 6 keep their design blank.
    fillSet({QStringLiteral("AA"), QStringLiteral("B"), QStringLiteral("CC"), QStringLiteral("DD")});
    strip.LoadPrices();
    EXPECT_EQ(captions(strip), (QStringList{QStringLiteral("AA"), QStringLiteral("CC"), QStringLiteral("DD"),
                                            QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" "),
                                            QStringLiteral(" ")}));

    // After ClearStockBar the later slots are empty and every gauge is hidden.
    strip.ClearStockBar();
    strip.LoadPrices();
    EXPECT_EQ(captions(strip), (QStringList{QStringLiteral("AA"), QStringLiteral("CC"), QStringLiteral("DD"),
                                            QString(), QString(), QString(), QString()}));
    for (const StripSlot& s : strip.items)
        EXPECT_FALSE(s.gaugeVisible);

    // Only rows 0 to 6 feed the strip.
    fillSet(symbols(10));
    strip.ClearStockBar();
    strip.LoadPrices();
    EXPECT_EQ(captions(strip), rows({0, 1, 2, 3, 4, 5, 6}));
}

TEST_F(StockStripTest, ShowRecDrawsMarkersHidesUnratedAndStopsAtTheFirstEmptySlot)
{
    fillSet({QStringLiteral("AA"), QStringLiteral("BB"), QStringLiteral("CC")}, {1, 0, 5});
    strip.ClearStockBar();
    strip.items[4].gaugeVisible = true;  // past the first empty slot nothing changes
    strip.LoadPrices();
    strip.ShowRec();
    EXPECT_TRUE(strip.items[0].gaugeVisible);
    EXPECT_EQ(strip.items[0].markerX, 287);
    EXPECT_EQ(strip.items[0].picture, QStringLiteral("NeonBlue"));  // a gauge without a picture gets the skin
    EXPECT_FALSE(strip.items[1].gaugeVisible);                       // rating 0
    EXPECT_TRUE(strip.items[2].gaugeVisible);
    EXPECT_EQ(strip.items[2].markerX, 10);
    EXPECT_FALSE(strip.items[3].gaugeVisible);  // the first empty caption
    EXPECT_TRUE(strip.items[4].gaugeVisible);

    // A symbol that is not in the set rates 0: its gauge is hidden.
    strip.items[0].caption = QStringLiteral("ZZ");
    strip.ShowRec();
    EXPECT_FALSE(strip.items[0].gaugeVisible);
}

TEST_F(StockStripTest, ScrollingATenStockSet)
{
    fillSet(symbols(10));
    CurrentSymbol() = Stocks()[5].Symbol;
    showRows(3);

    // Each down step moves the stocks up one slot; the freed slots stay empty.
    const std::vector<QStringList> down{
        rows({4, 5, 6, 7, 8, 9, -1}),
        rows({5, 6, 7, 8, 9, -1, -1}),
        rows({6, 7, 8, 9, -1, -1, -1}),
        rows({7, 8, 9, -1, -1, -1, -1}),
        rows({8, 9, -1, -1, -1, -1, -1}),
        rows({9, -1, -1, -1, -1, -1, -1}),
        rows({-1, -1, -1, -1, -1, -1, -1}),
        rows({-1, -1, -1, -1, -1, -1, -1}),  // nothing left to move
    };
    for (size_t step = 0; step < down.size(); ++step) {
        strip.ScrollStockBar(false);
        EXPECT_EQ(captions(strip), down[step]) << "down step " << step + 1;
    }
    // The empty row after the set brings the last stock back.
    strip.ScrollStockBar(true);
    EXPECT_EQ(captions(strip), rows({9, -1, -1, -1, -1, -1, -1}));
    strip.ScrollStockBar(true);
    EXPECT_EQ(captions(strip), rows({8, 9, -1, -1, -1, -1, -1}));

    // Up from the top changes nothing.
    showRows(0);
    strip.ScrollStockBar(true);
    EXPECT_EQ(captions(strip), rows({0, 1, 2, 3, 4, 5, 6}));

    // Up from rows 2..8 shows rows 1..7 with the current stock highlighted.
    showRows(2);
    strip.ScrollStockBar(true);
    EXPECT_EQ(captions(strip), rows({1, 2, 3, 4, 5, 6, 7}));
    for (int k = 0; k < kSlotCount; ++k) {
        const bool current = k == 4;  // row 5
        EXPECT_EQ(strip.items[k].bold, current) << k;
        EXPECT_EQ(strip.items[k].foreColor, current ? 0xFF0000 : 0) << k;
    }
}

TEST_F(StockStripTest, DownStepShowsOnlyTheSlotsThatFit)
{
    fillSet(symbols(10));
    showRows(0);
    fitting = 3;
    strip.ScrollStockBar(false);
    EXPECT_EQ(captions(strip), rows({1, 2, 3, 4, 5, 6, 7}));
    for (int k = 0; k < kSlotCount; ++k)
        EXPECT_EQ(strip.items[k].labelVisible, k < 3) << k;
    // The up step leaves the visibility alone.
    fitting = kSlotCount;
    strip.ScrollStockBar(true);
    EXPECT_FALSE(strip.items[5].labelVisible);
}

TEST_F(StockStripTest, FullSetDownStepPastTheTableEnd)
{
    fillSet(symbols(201));
    showRows(196);  // rows 196 .. 200 and two empty slots
    strip.items[5].caption = QStringLiteral("keep5");
    strip.items[6].caption = QStringLiteral("keep6");
    strip.ScrollStockBar(false);
    // Rows 197..200 move up; the step to row 201 (past the table) changes no caption.
    EXPECT_EQ(captions(strip).mid(0, 4), rows({197, 198, 199, 200}));
    EXPECT_EQ(strip.items[4].caption, Stocks()[200].Symbol);
    EXPECT_EQ(strip.items[5].caption, QStringLiteral("keep5"));
}

TEST_F(StockSelectionTest, ShowStockHeaderRebasesTheStripAndFeedsTheTicker)
{
    fillSet(symbols(10));
    showRows(0);
    for (StripSlot& s : strip.items)
        s.picture = QStringLiteral("NeonBlue");
    selection.ShowStockHeader(Stocks()[8].Symbol);
    EXPECT_EQ(CurrentSymbol(), Stocks()[8].Symbol);
    EXPECT_EQ(CurrentIndex(), 8);
    EXPECT_EQ(captions(strip), rows({8, 9, -1, -1, -1, -1, -1}));
    for (int k = 2; k < kSlotCount; ++k)
        EXPECT_TRUE(strip.items[k].picture.isEmpty()) << k;  // their pictures removed
    EXPECT_TRUE(strip.items[0].bold);
    EXPECT_EQ(strip.items[0].foreColor, 0xFF0000);
    EXPECT_EQ(tickerCalls, std::vector<int>{0});

    // With "Selected Stock Prices" checked the ticker gets the prices.
    pricesChecked = true;
    selection.ShowStockHeader(Stocks()[9].Symbol);
    EXPECT_EQ(tickerCalls, (std::vector<int>{0, 1}));
    EXPECT_EQ(captions(strip), rows({9, -1, -1, -1, -1, -1, -1}));
}

TEST_F(StockSelectionTest, ShowStockHeaderOfAStockOutsideTheSet)
{
    fillSet(symbols(10));
    showRows(2);
    CurrentIndex() = 4;
    selection.ShowStockHeader(QStringLiteral("NOPE"));
    EXPECT_EQ(CurrentSymbol(), QStringLiteral("NOPE"));
    EXPECT_EQ(CurrentIndex(), 4);  // kept
    EXPECT_TRUE(window.treeStocks.isEmpty());
    EXPECT_EQ(captions(strip), rows({2, 3, 4, 5, 6, 7, 8}));
    EXPECT_TRUE(tickerCalls.empty());
    EXPECT_TRUE(strip.items[0].bold);
    EXPECT_EQ(strip.items[0].foreColor, 0xFF0000);
}

TEST_F(StockSelectionTest, AClickOnTheStripSelectsTheStockEverywhereButMovesNoSlot)
{
    fillSet(symbols(10));
    showRows(3);
    // The quotes view: company names from row 2 on.
    grid.setRows(2 + 10);
    grid.setCols(3);
    for (int i = 0; i < 10; ++i)
        grid.setTextMatrix(2 + i, 1, Stocks()[i].CompanyName);
    CurrentView() = QStringLiteral("Current");
    pricesChecked = true;

    selection.img_Click(2);  // row 5
    EXPECT_EQ(CurrentSymbol(), Stocks()[5].Symbol);
    EXPECT_EQ(CurrentIndex(), 5);
    EXPECT_EQ(captions(strip), rows({3, 4, 5, 6, 7, 8, 9}));
    for (int k = 0; k < kSlotCount; ++k)
        EXPECT_EQ(strip.items[k].bold, k == 2) << k;
    EXPECT_EQ(window.treeStocks, QStringList{Stocks()[5].Symbol});
    EXPECT_EQ(tickerCalls, std::vector<int>{1});
    EXPECT_EQ(grid.TextMatrix(grid.Row(), 1), Stocks()[5].CompanyName);
    EXPECT_EQ(grid.ColSel(), 1);

    // Another view keeps its grid as it is; a slot without a stock does nothing.
    CurrentView() = QStringLiteral("PortLog");
    grid.setRow(2);
    selection.img_Click(0);
    EXPECT_EQ(CurrentSymbol(), Stocks()[3].Symbol);
    EXPECT_EQ(grid.Row(), 2);
    strip.items[6].caption.clear();
    selection.img_Click(6);
    selection.img_Click(7);
    EXPECT_EQ(CurrentSymbol(), Stocks()[3].Symbol);
    EXPECT_EQ(tickerCalls.size(), 2u);
}

TEST_F(StockSelectionTest, AClickOnTheStripShowsTheStocksSheetAgainByTheViewShown)
{
    fillSet(symbols(10));
    showRows(0);
    grid.setRows(12);
    grid.setCols(3);
    grid.setRow(4);
    struct Case
    {
        const char* view;
        bool redrawn;
    };
    const Case cases[] = {
        {"Profile", true}, {"AIS", true},   {"ABS", true},    {"ER", true},     {"EG", true},  {"EH", true},
        {"QR", true},      {"IT", true},    {"Call", true},   {"Put", true},    {"BRP", true}, {"DNH", true},
        {"UPH", true},     {"NMR", true},   {"Split", true},  {"SI", true},     {"Options", true},
        // The consensus trend, the market lists, the portfolio and other spellings keep the grid.
        {"EC", false},     {"BR", false},   {"M_BRP0", false}, {"Port", false}, {"PortLog", false},
        {"US", false},     {"abs", false},  {"Calls", false}, {"", false},
    };
    for (const Case& c : cases) {
        window.redrawnViews.clear();
        CurrentView() = QString::fromLatin1(c.view);
        selection.img_Click(3);
        EXPECT_EQ(window.redrawnViews, c.redrawn ? QStringList{QString::fromLatin1(c.view)} : QStringList()) << c.view;
        EXPECT_EQ(StripRedrawsView(QString::fromLatin1(c.view)), c.redrawn) << c.view;
        // Only the quotes view searches its rows.
        EXPECT_EQ(grid.Row(), 4) << c.view;
        EXPECT_EQ(CurrentSymbol(), Stocks()[3].Symbol);
    }
    // Every click feeds the ticker.
    EXPECT_EQ(tickerCalls.size(), std::size(cases));
}

TEST_F(StockStripTest, SplitterPassesHideWhatDoesNotFitAndDrawTheRest)
{
    fillSet({QStringLiteral("AA"), QStringLiteral("BB"), QStringLiteral("CC"), QStringLiteral("DD")}, {1, 0, 3, 5});
    strip.ClearStockBar();
    strip.LoadPrices();
    fitting = 3;
    const int last = strip.SlotFitPass();
    EXPECT_EQ(last, 2);
    strip.GaugePass(last);
    EXPECT_TRUE(strip.items[0].gaugeVisible);
    EXPECT_EQ(strip.items[0].markerX, 287);
    EXPECT_FALSE(strip.items[1].gaugeVisible);  // rating 0
    EXPECT_EQ(strip.items[2].markerX, 148);
    EXPECT_FALSE(strip.items[3].labelVisible);
    EXPECT_FALSE(strip.items[3].gaugeVisible);

    // An empty fitting slot keeps its gauge's state.
    fitting = kSlotCount;
    strip.items[5].gaugeVisible = true;
    strip.GaugePass(strip.SlotFitPass());
    EXPECT_TRUE(strip.items[5].gaugeVisible);

    // No slot fits: nothing is drawn.
    fitting = 0;
    strip.items[0].markerX = -1;
    strip.GaugePass(strip.SlotFitPass());
    EXPECT_EQ(strip.items[0].markerX, -1);
    for (const StripSlot& s : strip.items)
        EXPECT_FALSE(s.labelVisible);
}

} // namespace
