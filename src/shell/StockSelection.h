#pragma once

#include <QString>

class FlexGrid;
class StockStrip;

// What selecting a stock changes on the main window beyond its strip and grid: the
// ticker menu (its check mark and the ticker it feeds) and the navigation tree. The
// main window implements it; tests record.
class StockSelectionWindow
{
public:
    virtual ~StockSelectionWindow() = default;
    // Whether the ticker menu's item 1 "Selected Stock Prices" is checked.
    virtual bool tickerPricesChecked() const = 0;
    // The ticker menu's item 0 (headlines) or 1 (prices) of the selected stock:
    // its check mark and the ticker it feeds.
    virtual void tickerMenuClick(int index) = 0;
    // Closes the stock nodes of the tree and selects the stock's own node.
    virtual void showStockInTree(const QString& symbol) = 0;
    // Shows the per-stock view `code` again, for the new CurrentSymbol, through the
    // view road.
    virtual void redrawStockView(const QString& code) = 0;
};

// Whether a click on the strip shows view `code` again for the new stock: the
// catalogue's views marked so (the stock's own sheets: "Profile", "AIS", ...
// "Options"), compared exactly. The quotes view selects the stock's row instead;
// every other view ("EC", the market lists, the portfolio) keeps what the grid shows.
bool StripRedrawsView(const QString& code);

// Selecting a stock: the one routine behind the tree's stock nodes, the strip's
// click and the nodes under a stock. It sets CurrentSymbol and CurrentIndex (the
// stock's row 0..199 of the set, kept when the stock has none), then the follow-up
// steps: the strip, the ticker menu, and for a click on the strip the tree and the
// quotes view's row. Each follow-up step that fails is skipped (traced in the
// logging category "tradewright.shell.selection") and the next one runs. No widget
// is touched here: the strip and the grid are models, the rest is the window's.
class StockSelection
{
public:
    StockSelection(StockStrip& strip, FlexGrid& grid, StockSelectionWindow& window)
        : m_strip(strip), m_grid(grid), m_window(window)
    {
    }

    // From the tree (a stock node, or a node under one): symbol becomes current and
    // its row moves to the top of the strip, highlighted. The ticker follows when the
    // stock is in the set.
    void ShowStockHeader(const QString& symbol);
    // From the strip: the stock of slot `slot` becomes current; the strip stays where
    // it is with that slot highlighted, the tree shows the stock, the ticker follows,
    // and the grid: a stock's sheet is shown again for the new stock, the quotes view
    // selects its row. A slot without a stock does nothing.
    void img_Click(int slot);

private:
    // CurrentSymbol and CurrentIndex; true when the stock has a row.
    bool makeCurrent(const QString& symbol);
    void feedTicker();

    StockStrip& m_strip;
    FlexGrid& m_grid;
    StockSelectionWindow& m_window;
};
