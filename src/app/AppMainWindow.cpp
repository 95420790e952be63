#include "app/AppMainWindow.h"

#include "sheets/ViewEntries.h"
#include "shell/frmMain.h"
#include "views/ViewHost.h"

// The runner draws where the host installed at each call says: the zoom windows'
// until the main window installs itself.
AppMainWindow::AppMainWindow() : m_views(installedViewHost())
{
    // A shown holdings or log view follows the portfolio's edits.
    RedrawPortfolioOnChange(m_views);
}

void AppMainWindow::showMainWindow()
{
    // The first Show runs the window's load, which takes the splash progress on
    // from 60 and unloads the splash.
    frmMain::mainForm(m_views).Show();
}
