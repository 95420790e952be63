#pragma once

#include <QString>

class frmMain;

// Connects the main window's controls to the windows and actions built so far:
// the Options window ("Setting", Alt+N, the settings menu), the set editor
// ("Stocks", a double click on "Groups"), the actions of the grid popup and the
// tree popup, and the tree's node clicks (the tree's NodeDispatcher, given the
// window's tree, grid and strip). The window's load calls it once.
void WireWindows(frmMain& main);
// Takes the hooks away again (the window that they point at goes).
void UnwireWindows();

// The Options window, modal and owned by the main window, centred on it with its top
// 700 twips below the news ticker. page >= 0 (the settings menu) is stored as FrmNav
// first; -1 (the "Setting" button, Alt+N) opens the page shown last.
void ShowOptionsWindow(frmMain& main, int page);
