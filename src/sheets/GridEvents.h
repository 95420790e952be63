#pragma once

#include "sheets/ViewRegistry.h"
#include "stockdata/PopupActions.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// The rules of the grids that show views, the main window's and every zoom
// window's, read from the view registry: which views sort on a double click, the
// link pointer per view and column, the right-button menus, the column drag, and
// the web address a click on a row opens. Pure functions; the windows apply them.
// A view code no row names gets the default of each: no sort, default pointer, no
// menu, no link.

enum class GridWindow { Main, Zoom };

inline constexpr int kLinkPointer = 99;     // the grid's own icon
inline constexpr int kDragDistance = 50;    // twips, both axes together
inline constexpr int kMarkedCellColor = 255;  // red, &HBBGGRR

// The registry row a view code names, as far as the grid events go: the row of
// CurrentView (or of a zoom window's ViewCode), nullptr when none.
const ViewRow* GridViewRow(const QString& view);

// Whether a double click sorts the grid in view `view`.
bool SortsOnDblClick(const QString& view);

// The grid's MousePointer over column col (any row, header included): 99 over the
// view's link-pointer columns of that window, else 0.
int LinkPointer(const QString& view, int col, GridWindow window = GridWindow::Main);

// The main grid's right-button menu for view `view`; holdingKey is column 10 of the
// current row. nullopt: no menu. Every item starts visible and enabled, so a menu
// never inherits what the previous one hid.
std::optional<GridPopupState> MainGridPopup(const QString& view, const QString& holdingKey);
// Whether the zoom grid's right button shows the zoom window's "Edit" menu.
bool ZoomGridPopup(const QString& view);

// ---- the column drag -----------------------------------------------------------

// One window's drag state. col is the main window's DragCol in the main window.
struct ColumnDrag
{
    bool armed = false;
    int col = -1;            // the column being dragged; -1 while none
    std::int32_t startX = 0;  // twips, where the press was
    std::int32_t startY = 0;
};

// A header cell that may be dragged or dropped on: row 0, and not column 0 of a
// grid with one fixed column.
bool MovableHeaderCell(int mouseRow, int mouseCol, int fixedCols);
// The press that arms a drag (a non-right button on a movable header cell).
void ArmColumnDrag(ColumnDrag& drag, double x, double y);
// Whether this move starts the drag: armed, the left button alone, no drag yet,
// at least 50 twips from the press, on the header row, and not a fund view.
bool StartsColumnDrag(const ColumnDrag& drag, const QString& view, int button, double x, double y,
                      int mouseRow);

// ---- the row links ---------------------------------------------------------------

struct GridLinkAction
{
    QString address;       // "" : nothing opens
    bool markRed = false;  // the clicked cell's text turns red instead
};

// What a left click on column col of row `row` opens in view `view`; rowTexts are
// the texts of that row, column 0 first. Rows 0 and 1 never open anything. The
// address is an absolute http(s) address on the view's site; a symbol taken from a
// cell is percent-encoded (letters, digits and . - ^ = kept); a link taken from a
// cell must stay on its site's host and scheme; a whole address from a cell must
// be an absolute http or https address. Anything else opens nothing.
GridLinkAction GridLinkAddress(const QString& view, int col, int row, const QStringList& rowTexts);

// The option ticker of an option cell: the text after the first "(" up to the
// first ")" after it, trimmed. nullopt without "(" or without a ")" after it.
std::optional<QString> OptionTicker(const QString& text);
