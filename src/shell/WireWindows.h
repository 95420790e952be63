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

// The Options window, modal and owned by the main window, placed on the screen by
// half the main window's width (its inner width for the hidden "Setting" item) and
// 700 twips below the news ticker's top. page >= 0 (the settings menu) opens that
// page; -1 (the "Setting" button, Alt+N, the hidden item) the page shown last.
enum class OptionsPlacement { Width, InnerWidth };
void ShowOptionsWindow(frmMain& main, int page, OptionsPlacement placement = OptionsPlacement::Width);
