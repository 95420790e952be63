#pragma once

#include "app/MainWindowFactory.h"
#include "sheets/ViewRunner.h"

// The program's main window behind the start-up: the one frmMain, created and
// loaded the first time it is asked for, and the program's one view runner, made
// with this object at start and handed to the window.
class AppMainWindow : public MainWindowFactory
{
public:
    AppMainWindow();
    void showMainWindow() override;

private:
    ViewRunner m_views;
};
