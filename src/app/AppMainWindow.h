#pragma once

#include "app/MainWindowFactory.h"

// The program's main window behind the start-up: the one frmMain, created and
// loaded the first time it is asked for.
class AppMainWindow : public MainWindowFactory
{
public:
    void showMainWindow() override;
};
