#include "sheets/MainGridEvents.h"

#include "platform/BusyPointer.h"
#include "platform/FlexGrid.h"
#include "platform/Shell.h"
#include "platform/SkipFailedSteps.h"
#include "sheets/GridLayout.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Stocks.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QStringList>

#include <exception>


namespace {

constexpr int kBlue = 0xFF0000;
constexpr int kHeaderMarkerOffset = 100;  // twips right of the column's left edge
constexpr int kCtrlMask = 2;
constexpr int kKeyA = 65;
constexpr int kKeyC = 67;

Q_LOGGING_CATEGORY(lcMainGrid, "tradewright.sheets.maingrid")

// Runs one step; a step that fails is passed over.
const SkipFailedSteps step(lcMainGrid, "main grid");

} // namespace

void ToggleSort(FlexGrid& grid)
{
    SortAsc() = SortAsc() == FlexGrid::flexSortGenericAscending ? FlexGrid::flexSortGenericDescending
                                                            : FlexGrid::flexSortGenericAscending;
    // The views keep a hidden empty row right under the header and their data from
    // the row after it, where every row search starts. That spacer keeps its place:
    // sorted along, it would end up below the data and push a stock into row 1,
    // where no search finds it.
    const int fixed = grid.FixedRows();
    bool spacer = false;
    step([&] {
        spacer = fixed + 2 < grid.Rows() && grid.RowHeight(fixed) == 0;
        for (int c = 0; spacer && c < grid.Cols(); ++c)
            spacer = grid.TextMatrix(fixed, c).isEmpty();
    });
    if (!spacer) {
        step([&] { grid.setSort(SortAsc()); });
        return;
    }
    const int row = grid.Row();
    const int col = grid.Col();
    const int top = grid.TopRow();
    step([&] { grid.setRedraw(false); });
    step([&] {
        grid.setFixedRows(fixed + 1);
        grid.setCol(col);
        grid.setSort(SortAsc());
    });
    step([&] { grid.setFixedRows(fixed); });
    step([&] { grid.setTopRow(top); });
    step([&] { grid.setRow(row); });
    step([&] { grid.setCol(col); });
    step([&] { grid.setRedraw(true); });
}

void ClickGridCell(FlexGrid& grid, const QString& view, GridWindow window)
{
    Q_UNUSED(window);  // both windows open the same pages
    BusyPointer busy;
    GridLinkAction action;
    step([&] {
        const int row = grid.RowSel();
        QStringList texts;
        for (int c = 0; c < grid.Cols(); ++c)
            texts << (row >= 0 && row < grid.Rows() ? grid.TextMatrix(row, c) : QString());
        action = GridLinkAddress(view, grid.Col(), row, texts);
    });
    if (action.markRed)
        step([&] { grid.setCellForeColor(kMarkedCellColor); });
    else if (!action.address.isEmpty())
        step([&] { Shell::Open(action.address); });
    step([] { QCoreApplication::processEvents(); });
}

void HighlightHeader(FlexGrid& grid)
{
    const int row = grid.Row();
    const int mouseCol = grid.MouseCol();
    step([&] { grid.setRedraw(false); });
    for (int c = 0; c < grid.Cols(); ++c) {
        step([&] {
            grid.setRow(0);
            grid.setCol(c);
            grid.setCellForeColor(0);
        });
    }
    step([&] {
        grid.setRow(0);
        grid.setCol(mouseCol);
        grid.setCellForeColor(kBlue);
    });
    step([&] { grid.setRow(row); });
    step([&] { grid.setRedraw(true); });
}

bool SelectStockRow(FlexGrid& grid)
{
    const QString name = GetSelectedName();
    int found = -1;
    for (int r = 2; r < grid.Rows(); ++r) {
        QString text;
        step([&] { text = grid.TextMatrix(r, 1); });
        if (text == name) {
            found = r;
            break;
        }
    }
    if (found < 0)
        return false;
    step([&] { grid.setRedraw(false); });
    step([&] {
        if (found > grid.TopRow() + 6)
            grid.setTopRow(found);
    });
    step([&] {
        if (found < grid.TopRow())
            grid.setTopRow(found);
    });
    step([&] { grid.setCol(0); });
    step([&] { grid.setRow(found); });
    step([&] { grid.setRowSel(found); });
    step([&] { grid.setColSel(1); });
    step([&] { grid.setRedraw(true); });
    return true;
}

void MainGridEvents::FG_DblClick()
{
    if (SortsOnDblClick(CurrentView()))
        ToggleSort(m_grid);
    else if (CurrentView() == QLatin1String("Port"))
        m_popups.mnuEdit_Click(8);
}

void MainGridEvents::FG_KeyDown(int KeyCode, int Shift)
{
    if (!(Shift & kCtrlMask))
        return;
    if (KeyCode == kKeyC)
        step([] { CopyGridToClipboard(); });
    else if (KeyCode == kKeyA)
        step([] { SelectAllGrid(); });
}

std::optional<GridPopupState> MainGridEvents::FG_MouseDown(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Shift);
    if (Button == 2) {
        // The popup acts on the row the last left click made current.
        QString holdingKey;
        step([&] { holdingKey = m_grid.TextMatrix(m_grid.Row(), 10); });
        return MainGridPopup(CurrentView(), holdingKey);
    }

    HighlightHeader(m_grid);

    const int mouseCol = m_grid.MouseCol();
    if (!MovableHeaderCell(m_grid.MouseRow(), mouseCol, m_grid.FixedCols()))
        return std::nullopt;
    step([&] { splitBar().setLeft(m_grid.ColPos(mouseCol) + kHeaderMarkerOffset); });
    ColumnDrag drag;
    ArmColumnDrag(drag, X, Y);
    DragStartX = drag.startX;
    DragStartY = drag.startY;
    DragCol() = drag.col;
    DragArmed = drag.armed;
    return std::nullopt;
}

void MainGridEvents::FG_Click()
{
    ClickGridCell(m_grid, CurrentView(), GridWindow::Main);
}

void MainGridEvents::FG_MouseMove(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Shift);
    step([&] { m_grid.setMousePointer(LinkPointer(CurrentView(), m_grid.MouseCol(), GridWindow::Main)); });

    const ColumnDrag drag{DragArmed, DragCol(), DragStartX, DragStartY};
    if (!StartsColumnDrag(drag, CurrentView(), Button, X, Y, m_grid.MouseRow()))
        return;
    DragCol() = m_grid.MouseCol();
    step([&] { m_grid.Drag(1); });
}

void MainGridEvents::FG_MouseUp(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Button);
    Q_UNUSED(Shift);
    Q_UNUSED(X);
    Q_UNUSED(Y);
    DragArmed = false;
    step([] { splitBar().setVisible(false); });
}
