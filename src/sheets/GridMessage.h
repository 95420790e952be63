#pragma once

#include <QString>

// Replaces whatever the main grid shows by one message: a single centred cell,
// three base rows tall and as wide as the grid, on the window-background colour,
// without grid lines. The failure path of every view; an empty text leaves a
// blank grid. Always the main grid, also while a zoom redraw is under way.
void ShowGridMessage(const QString& text);
