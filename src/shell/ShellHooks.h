#pragma once

#include <QString>

#include <functional>

// The main window's commands whose windows and views are built elsewhere. Each
// control stays in place and does nothing until its hook is installed; the program
// installs them once at start (the window that a hook opens is owned by the main
// window, which the hook receives from frmMain::mainForm()). A popup menu whose
// items have no hook is not opened.
struct ShellHooks
{
    // Picture1(2) "Deruvu": the news reader window.
    std::function<void()> showNews;
    // Picture1(3) "Zoom" and Alt+Z: the current view in a new zoom window (Zoom_FG).
    std::function<void()> zoom;
    // Picture1(4) "Stocks" and a double click on "Groups": the stock-set editor StkSet.
    std::function<void()> showSetEditor;
    // Picture1(5) "Screen" and Alt+C: the screener.
    std::function<void()> showScreener;
    // Picture1(6) "Setting", Alt+N, mnu_Preference (page -1: the page stored last)
    // and mnuSetting(Index) (page Index, stored first as FrmNav): the Options window.
    std::function<void(int page)> showOptions;
    // Panel1(3) "Adviser" and Alt+A: the weekly tip window.
    std::function<void()> showAdviser;
    // Panel1(4) "Summary" and Alt+M with a stock selected: the summary chooser.
    std::function<void()> showSummary;
    // The ticker menu mnuTicker (opened by Picture1(1) and Alt+T) feeds the ticker and
    // the speech: called with the item's index after the check marks are set (items 0
    // and 1 after CurrentIndex is made the selected stock's row).
    std::function<void(int index)> tickerMenu;
    // The mail menu mnuEmail (the Start menu's "&Email", the tray's mail items).
    std::function<void(int index)> emailMenu;
    // The report menu mnuReports (Panel1(5) "Reports" and Alt+R): mnuReports_Click
    // as it opens, then mnuReport_Click(index).
    std::function<void()> reportsMenuOpening;
    std::function<void(int index)> reportMenu;
    // The tree popup mnuTrees (right button on the tree or a strip picture; its
    // items' states come from TreePopupStates): mnuTree_Click(index).
    std::function<void(int index)> treeMenu;
    // The grid popup mnuEdits (right button on the main grid; its items' states come
    // from GridPopupStates): mnuEdit_Click(index).
    std::function<void(int index)> editMenu;
    // A click on a node of the tree: the node-click dispatcher (with the node's key).
    std::function<void(const QString& key)> nodeClick;
};

// The one set of hooks of the program.
ShellHooks& shellHooks();
