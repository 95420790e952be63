#include "app/AppMainWindow.h"

#include "shell/frmMain.h"

void AppMainWindow::showMainWindow()
{
    // The first Show runs the window's load, which takes the splash progress on
    // from 60 and unloads the splash.
    frmMain::mainForm().Show();
}
