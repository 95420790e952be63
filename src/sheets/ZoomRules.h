#pragma once

#include "sheets/GridEvents.h"

#include <QSize>
#include <QString>
#include <QVector>

#include <cstdint>
#include <optional>

class FlexGrid;
class ViewRunner;

// The rules of the zoom window (window Zoom): opening one on the main window's
// view, its keys, the shrink button, the column widths by window size, and the
// events of its grid. The window applies them; nothing here knows widgets.

// The size of the zoom window that loaded last (twips), which the shrink button
// restores. Shared by every zoom window.
std::int32_t& ZoomWidth();
std::int32_t& ZoomHeight();

inline constexpr int kZoomStripWidth = 500;     // twips
inline constexpr int kZoomStripHeight = 1790;   // twips
inline constexpr int kZoomMinInnerHeight = 250;  // twips: below it a resize changes nothing
inline constexpr int kZoomRollSteps = 25;
inline constexpr int kZoomEditMenuRaise = 700;  // twips above the "Edit" label

// The "Zoom" button (Zoom_FG): draws the view CurrentView names once more into a
// new zoom window, through runner. A view the button does not zoom (or not built
// yet) does nothing and gives false; ZoomMode stays clear then.
bool Zoom_FG(ViewRunner& runner);

// The zoom grid's column widths (per cent, column 0 first) for a window of view
// code viewCode: the "F_" list for the fund tables, else the row's own; empty:
// the widths the view set stay.
QVector<int> ZoomWidths(const QString& viewCode);

// The shrink button's new size for a window of width `width` (twips): nothing when
// maximised, the recorded size when the width differs from ZoomWidth, else the
// strip.
std::optional<QSize> RestoreZoomSize(bool maximised, std::int32_t width);

// The window's own keys, first match only; only the Alt bit (4) of shift counts.
enum class ZoomKey { None, Close, EditMenu, ExportMenu };
ZoomKey ZoomKeyCommand(int keyCode, int shift);

// The handlers of a zoom window's grid FG. The view code is the window's ViewCode.
class ZoomGridEvents
{
public:
    ZoomGridEvents(FlexGrid& grid, QString viewCode) : m_grid(grid), m_viewCode(std::move(viewCode)) {}

    const QString& viewCode() const { return m_viewCode; }
    const ColumnDrag& drag() const { return m_drag; }

    // The sort toggle (no "Port" edit in this window).
    void FG_DblClick();
    // Ctrl + C copies the selection, Ctrl + A selects the whole grid.
    void FG_KeyDown(int KeyCode, int Shift);
    // True: show the window's "Edit" menu at the pointer (right button in "Current"
    // and "Port"). Any other button highlights the header and arms a drag.
    bool FG_MouseDown(int Button, int Shift, double X, double Y);
    void FG_MouseMove(int Button, int Shift, double X, double Y);
    void FG_MouseUp(int Button, int Shift, double X, double Y);
    // Moves the dragged column to the header cell under the pointer; no layout.
    void FG_DragDrop();
    // The row's web link (the same pages as the main window's).
    void FG_Click();

private:
    FlexGrid& m_grid;
    QString m_viewCode;
    ColumnDrag m_drag;
};
