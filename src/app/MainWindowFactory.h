#pragma once

// The main window as the start-up sees it. The program's entry gives the real one
// (it creates frmMain); tests give a recorder.
class MainWindowFactory
{
public:
    virtual ~MainWindowFactory() = default;
    // Shows the main window modeless, creating and loading it on first use (its
    // load moves the splash progress from 60 to 100 and closes the splash); a
    // later call brings the window to the front.
    virtual void showMainWindow() = 0;
};
