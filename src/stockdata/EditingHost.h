#pragma once

#include <QStringList>

class FlexGrid;
class QWidget;

// What the popup actions and the editing windows of this layer ask of the main
// window, which lives in a higher layer. The main window implements it; tests
// implement it with a recorder. Whoever needs it takes it at construction.
class EditingHost
{
public:
    virtual ~EditingHost() = default;

    // The main window: owner of the editing dialogs, which are placed on it.
    virtual QWidget* mainWindowWidget() = 0;
    // Top of the main window's news ticker within its client area, in twips.
    virtual int newsTickerTop() = 0;
    // Captions of the stock strip's seven symbol labels lblSbl(0..6).
    virtual QStringList stripSymbols() = 0;

    // The main grid (the views' host's): the grid actions read its current row.
    virtual FlexGrid* mainGrid() = 0;
    // The main grid: its selection to the clipboard; select the whole grid.
    virtual void copyGrid() = 0;
    virtual void selectAllGrid() = 0;
    // Flips the grid popup's "Old Style Background" mark (the flag the quotes view reads).
    virtual void toggleOldStyleBackground() = 0;
    // Draws the current-quotes view into the main grid.
    virtual void redrawQuotes() = 0;
    // Closes every node of the navigation tree.
    virtual void collapseAllNodes() = 0;
    // The run flag OneStockOnly, and the Update button (Picture1(0)) pressed.
    virtual void setOneStockOnly(bool on) = 0;
    virtual void pressUpdateButton() = 0;
};
