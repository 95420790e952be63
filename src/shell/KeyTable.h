#pragma once

#include <QString>

// The main window's keyboard shortcuts: the window sees every key first (key
// preview), whichever control has the focus, and maps a fixed list of keys to its
// command entry points. Key codes are the classic virtual-key numbers (letters as
// upper-case ASCII, F1 = 112) and Shift the classic mask (1 Shift, 2 Ctrl, 4 Alt).

enum class KeyCommand {
    None,
    ShutDown,     // mnuStart_Click(8)
    StartMenu,    // Panel1_Click(0)
    GroupsMenu,   // Panel1_Click(1)
    FastUpdate,   // Panel1_Click(2)
    Adviser,      // Panel1_Click(3)
    Summary,      // Panel1_Click(4)
    ReportsMenu,  // Panel1_Click(5)
    Update,       // Picture1_Click(0)
    FocusTree,    // TreeView1.SetFocus
    FocusGrid,    // FG.SetFocus
    Relax,        // mnuHelp_Click(7)
    TickerMenu,   // Picture1_Click(1)
    Deruvu,       // Picture1_Click(2)
    Zoom,         // Picture1_Click(3)
    Screen,       // Picture1_Click(5)
    Setting,      // Picture1_Click(6)
    StopUpdate,   // StopUpdate
};

// The first entry of the table that the key matches: an Alt+letter entry needs Alt
// (Shift and Ctrl may be held too), a function key matches whatever is held,
// Shift+Esc opens the Start menu and Esc alone stops the update run.
KeyCommand KeyCommandFor(int KeyCode, int Shift);

// The command's name, for messages and tests ("Panel1_Click(0)").
QString KeyCommandName(KeyCommand command);
