#pragma once

#include "stockdata/EditorWindows.h"

class QWidget;

// The program's editing windows: frmPurchace, LastPar, Properties and StkSet, placed
// below the main window's ticker. The program sets them at start with
// setDefaultEditorWindows(&realEditorWindows()).
EditorWindows& realEditorWindows();

// Places dialog like DialogPosition for the main window of the hooks; false when
// there is none.
bool PlaceBelowTicker(QWidget* dialog);
