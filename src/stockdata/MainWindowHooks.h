#pragma once

#include <QStringList>

#include <functional>

class QWidget;

// What the editing windows of this layer need of the main window, the tree and the
// quotes view, which sit in higher layers. The main window fills these in when it
// loads; an empty member does nothing (and answers "nothing": no widget, no strip
// symbols, ticker top 0), so the actions run in tests and before the main window
// exists.
struct MainWindowHooks
{
    // The set menu's handler: makes set Index current for the whole main window
    // (stores LastGroup, reads the set, refills the strip, rebuilds the tree,
    // redraws a shown quotes view).
    std::function<void(int Index)> mnuSet_Click;
    // Refills the set menu captions from the Groups key.
    std::function<void()> LoadSets;
    // Rebuilds the navigation tree from Stocks and Transactions.
    std::function<void()> initTree;
    // Collapses every node of the tree.
    std::function<void()> CollapseAllNodes;
    // Redraws the current-quotes view into the main grid.
    std::function<void()> FG_Current;
    // The main grid's selection to the clipboard / select the whole main grid.
    std::function<void()> CopyGridToClipboard;
    std::function<void()> SelectAllGrid;
    // Flips the check mark of the grid popup's "Old Style Background" item (the flag
    // the quotes view reads).
    std::function<void()> toggleOldStyleBackground;
    // The run flag OneStockOnly and the button bar (index 0 is the Update button).
    std::function<void(bool on)> setOneStockOnly;
    std::function<void(int Index)> Picture1_Click;
    // Captions of the stock strip's seven symbol labels lblSbl(0..6).
    std::function<QStringList()> stripSymbols;
    // The strip's double-click: opens a detail card of CurrentSymbol. When unset the
    // popup calls OpenDetailCard() itself.
    std::function<void(int Index)> img_DblClick;
    // The main window (owner and placement of the dialogs) and the top of its news
    // ticker in twips within the window's client area.
    std::function<QWidget*()> mainWindow;
    std::function<int()> newsTickerTop;
};

// The one instance the main window fills and the windows of this layer read.
MainWindowHooks& mainWindowHooks();

// Convenience wrappers that do nothing when the hook is empty.
namespace hooks {
void call(const std::function<void()>& f);
QWidget* mainWindow();
int newsTickerTop();
QStringList stripSymbols();
} // namespace hooks
