#include "sheets/ZoomRules.h"

#include "platform/FlexGrid.h"
#include "platform/SkipFailedSteps.h"
#include "sheets/GridLayout.h"
#include "sheets/MainGridEvents.h"
#include "sheets/ViewRunner.h"
#include "stockdata/ProgramState.h"

#include <QCoreApplication>
#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcZoom, "tradewright.sheets.zoom")

const SkipFailedSteps zoomRuleStep(lcZoom, "zoom window");

constexpr int kCtrlMask = 2;
constexpr int kAltMask = 4;

std::int32_t g_zoomWidth = 0;
std::int32_t g_zoomHeight = 0;

} // namespace

std::int32_t& ZoomWidth()
{
    return g_zoomWidth;
}

std::int32_t& ZoomHeight()
{
    return g_zoomHeight;
}

bool Zoom_FG(ViewRunner& runner)
{
    QString key;
    const ViewRow* row = findViewFor(CurrentView(), &key);
    if (!row || !row->zoomable || !row->builder || !row->zoomAware)
        return false;
    ZoomMode() = true;
    const bool shown = runner.show(*row, key);
    if (!shown)
        ZoomMode() = false;
    QCoreApplication::processEvents();
    return shown;
}

QVector<int> ZoomWidths(const QString& viewCode)
{
    const ViewRow* row = findViewFor(viewCode);
    return row ? row->zoomWidths : QVector<int>();
}

std::optional<QSize> RestoreZoomSize(bool maximised, std::int32_t width)
{
    if (maximised)
        return std::nullopt;
    if (width != ZoomWidth())
        return QSize(ZoomWidth(), ZoomHeight());
    return QSize(kZoomStripWidth, kZoomStripHeight);
}

ZoomKey ZoomKeyCommand(int keyCode, int shift)
{
    const bool alt = shift & kAltMask;
    if (keyCode == 13)
        return ZoomKey::Close;
    if (alt && keyCode == 69)
        return ZoomKey::EditMenu;
    if (alt && keyCode == 80)
        return ZoomKey::ExportMenu;
    if ((alt && keyCode == 88) || keyCode == 27)
        return ZoomKey::Close;
    return ZoomKey::None;
}

void ZoomGridEvents::FG_DblClick()
{
    if (SortsOnDblClick(m_viewCode))
        ToggleSort(m_grid);
}

void ZoomGridEvents::FG_KeyDown(int KeyCode, int Shift)
{
    if (!(Shift & kCtrlMask))
        return;
    if (KeyCode == 67)
        CopyGridToClipboard(m_grid);
    else if (KeyCode == 65)
        SelectAllGrid(m_grid);
}

bool ZoomGridEvents::FG_MouseDown(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Shift);
    if (Button == 2)
        return ZoomGridPopup(m_viewCode);
    HighlightHeader(m_grid);
    if (MovableHeaderCell(m_grid.MouseRow(), m_grid.MouseCol(), m_grid.FixedCols()))
        ArmColumnDrag(m_drag, X, Y);
    return false;
}

void ZoomGridEvents::FG_MouseMove(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Shift);
    zoomRuleStep([&] { m_grid.setMousePointer(LinkPointer(m_viewCode, m_grid.MouseCol(), GridWindow::Zoom)); });
    if (!StartsColumnDrag(m_drag, m_viewCode, Button, X, Y, m_grid.MouseRow()))
        return;
    m_drag.col = m_grid.MouseCol();
    zoomRuleStep([&] { m_grid.Drag(1); });
}

void ZoomGridEvents::FG_MouseUp(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Button);
    Q_UNUSED(Shift);
    Q_UNUSED(X);
    Q_UNUSED(Y);
    m_drag.armed = false;
}

void ZoomGridEvents::FG_DragDrop()
{
    if (m_drag.col == -1 || !MovableHeaderCell(m_grid.MouseRow(), m_grid.MouseCol(), m_grid.FixedCols()))
        return;
    zoomRuleStep([&] { m_grid.setRedraw(false); });
    zoomRuleStep([&] { m_grid.setColPosition(m_drag.col, m_grid.MouseCol()); });
    zoomRuleStep([&] { m_grid.setRedraw(true); });
}

void ZoomGridEvents::FG_Click()
{
    ClickGridCell(m_grid, m_viewCode, GridWindow::Zoom);
}
