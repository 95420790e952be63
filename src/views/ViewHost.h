#pragma once

#include <QString>

class FlexGrid;

// Where the views draw. The main window installs a host that hands out its grid FG
// and creates zoom windows; until one is installed the default host the program
// set at start serves (sheets/Zoom: a main grid of its own, not shown, and for
// zoom mode a new Zoom window). With neither, every call is logged as a fault and
// the views draw into grids nobody sees.
class ViewHost
{
public:
    virtual ~ViewHost() = default;
    // The main window's grid.
    virtual FlexGrid* mainGrid() = 0;
    // Creates a new zoom window, not yet shown, and returns its grid.
    virtual FlexGrid* newZoomGrid() = 0;
    // Shows the zoom window that holds grid, modeless, owned by the main window.
    virtual void showZoom(FlexGrid* grid) = 0;
    // Gets rid of a zoom window from newZoomGrid that is not going to be shown (its
    // view failed). By default the grid's window is deleted when it is a window
    // nobody has shown; a grid without such a window is left to its owner.
    virtual void discardZoom(FlexGrid* grid);
};

ViewHost& viewHost();
// The caller keeps ownership; nullptr restores the default host.
void installViewHost(ViewHost* host);
// The host used while none is installed; the program sets it once at start.
void setDefaultViewHost(ViewHost* host);

// A host that passes each call on to the host installed at the moment of the call
// (viewHost()): the program's view runner is made over it before the main window
// installs itself, and keeps following whichever host is installed.
ViewHost& installedViewHost();

// ShowGridMessage (views/ViewContract.h) on the main grid of the installed
// host, with StdRowHeight: the failure path of every view goes to the main grid,
// also while a zoom redraw is under way.
void ShowGridMessage(const QString& text);
