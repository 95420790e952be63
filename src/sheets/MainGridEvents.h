#pragma once

#include "sheets/GridEvents.h"
#include "stockdata/PopupActions.h"

#include <QString>

#include <cstdint>
#include <optional>

class FlexGrid;

// The mouse and key rules of the grids that show the views: the double-click sort
// toggle, Ctrl+C / Ctrl+A, the header highlight, the link pointer over link
// columns and the start of a column drag. MainGridEvents applies them to the main
// grid; the window binds its grid control's events to it and shows the popup menu
// it asks for. Every handler passes over a step that fails and reports nothing.

// The order of the last double-click sort, SortAsc, is shared by every grid of the
// program: 1 ascending, 2 descending, 0 before the first sort (then ascending).

// Flips SortAsc and sorts grid's rows below the fixed rows by its current column in
// that order; a hidden empty row right under the fixed rows stays where it is.
void ToggleSort(FlexGrid& grid);

// A left click on a cell of a grid showing view `view`: opens the row's web page
// through the Shell seam (without the connection check), or in the statements
// turns the clicked cell red. The hourglass shows meanwhile; pending events run
// before the pointer comes back.
void ClickGridCell(FlexGrid& grid, const QString& view, GridWindow window);

// Leaves the header of the column under the pointer blue and every other header
// black; the current row stays and the current column becomes the one under the
// pointer.
void HighlightHeader(FlexGrid& grid);

// Selects CurrentSymbol's row in the current-quotes view: the first row from 2 on
// whose company cell (column 1) is GetSelectedName(). A row within the seven rows
// from the top row stays where it is; any other becomes the top row. Cells 0 and 1
// of the row are selected. False when no row matches (the grid is left as it was).
bool SelectStockRow(FlexGrid& grid);

// The main grid's event handlers (FG_DblClick, FG_KeyDown, FG_MouseDown,
// FG_MouseMove, FG_MouseUp). The drop itself is FG_DragOver / FG_DragDrop; the
// column being dragged is DragCol.
class MainGridEvents
{
public:
    // popups: the actions a double click in the holdings view starts.
    MainGridEvents(FlexGrid& grid, PopupActions& popups) : m_grid(grid), m_popups(popups) {}

    // The sort toggle in the views that sort; in the holdings view "Port" the
    // purchase of the current row opens for editing.
    void FG_DblClick();
    // Ctrl (Shift bit 2) + C copies, Ctrl + A selects all; every other key nothing.
    void FG_KeyDown(int KeyCode, int Shift);
    // The right button (2) answers the grid popup to show for the current view and
    // row (nullopt: none) and does nothing else. Any other button highlights the
    // header and, on a movable header cell, arms a column drag (the drop marker is
    // placed, still hidden).
    std::optional<GridPopupState> FG_MouseDown(int Button, int Shift, double X, double Y);
    // A left click: the row's web link (ClickGridCell over CurrentView).
    void FG_Click();
    // The link pointer; starts the armed column drag once the left button alone has
    // moved 50 twips (both axes together) and the pointer is on the header row.
    void FG_MouseMove(int Button, int Shift, double X, double Y);
    // Disarms the drag and hides the drop marker.
    void FG_MouseUp(int Button, int Shift, double X, double Y);

    bool DragArmed = false;
    std::int32_t DragStartX = 0;
    std::int32_t DragStartY = 0;

private:
    FlexGrid& m_grid;
    PopupActions& m_popups;
};
