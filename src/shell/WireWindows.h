#pragma once

#include <QString>

#include <memory>

class frmMain;

// Where the main window's controls meet the windows of the other subsystems.

// The tree's node clicks: the tree's NodeDispatcher with what it calls of the main
// window (strip, grid, group rows, the portfolio, the last node, the market-list
// mark), the views built so far and the node actions. The window makes one once
// its tree exists; without the tree it throws (a fault of the window's start).
class MainWindowNodeClicks
{
public:
    explicit MainWindowNodeClicks(frmMain& main);
    ~MainWindowNodeClicks();
    void TreeView1_NodeClick(const QString& key);

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

// The market list `index` (1 to 30) of the main window's market-list menu: its check
// mark on the list's item (off on the others), then the list through the program's
// runner.
void ShowMarketList(frmMain& main, int index);

// The Options window, modal and owned by the main window, centred on it with its top
// 700 twips below the news ticker. page >= 0 (the settings menu) is stored as FrmNav
// first; -1 (the "Setting" button, Alt+N) opens the page shown last.
void ShowOptionsWindow(frmMain& main, int page);
