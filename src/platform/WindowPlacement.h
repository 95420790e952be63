#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

// Where the program's windows go on the screen. Every placement of a window goes
// through PlaceWindow: the window takes the place its own rule gives, and one that
// would run past an edge of the available screen (the screen less its panels) is
// then moved inside it. A window that grows afterwards calls KeepOnScreen.

// The top-left corner that puts a frame inside `available`: moved left and up as far
// as it runs past the right and bottom edges, then right and down as far as it runs
// past the left and top edges, so a frame larger than the area starts at the area's
// top-left corner. A frame already inside keeps its place.
QPoint InsideArea(const QRect& frame, const QRect& available);

// Moves a top-level window so that its frame's top-left corner is at `topLeft`
// (screen coordinates), then inside the available geometry of the screen at that
// place. A window not shown yet has no frame: its title bar is allowed for.
void PlaceWindow(QWidget& window, const QPoint& topLeft);

// Leaves a window where it is unless it runs past an edge of the available screen.
void KeepOnScreen(QWidget& window);

// Centres a window on the primary screen's available area.
void CentreOnScreen(QWidget& window);

// Centres a window over another (its owner), inside the available screen.
void CentreOver(QWidget& window, const QWidget& owner);
