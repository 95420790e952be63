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
const SkipFailedSteps gridStep(lcMainGrid, "main grid");

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
    gridStep([&] {
        spacer = fixed + 2 < grid.Rows() && grid.RowHeight(fixed) == 0;
        for (int c = 0; spacer && c < grid.Cols(); ++c)
            spacer = grid.TextMatrix(fixed, c).isEmpty();
    });
    if (!spacer) {
        gridStep([&] { grid.setSort(SortAsc()); });
        return;
    }
    const int row = grid.Row();
    const int col = grid.Col();
    const int top = grid.TopRow();
    gridStep([&] { grid.setRedraw(false); });
    gridStep([&] {
        grid.setFixedRows(fixed + 1);
        grid.setCol(col);
        grid.setSort(SortAsc());
    });
    gridStep([&] { grid.setFixedRows(fixed); });
    gridStep([&] { grid.setTopRow(top); });
    gridStep([&] { grid.setRow(row); });
    gridStep([&] { grid.setCol(col); });
    gridStep([&] { grid.setRedraw(true); });
}

void ClickGridCell(FlexGrid& grid, const QString& view, GridWindow window)
{
    Q_UNUSED(window);  // both windows open the same pages
    BusyPointer busy;
    GridLinkAction action;
    gridStep([&] {
        const int row = grid.RowSel();
        QStringList texts;
        for (int c = 0; c < grid.Cols(); ++c)
            texts << (row >= 0 && row < grid.Rows() ? grid.TextMatrix(row, c) : QString());
        action = GridLinkAddress(view, grid.Col(), row, texts);
    });
    if (action.markRed)
        gridStep([&] { grid.setCellForeColor(kMarkedCellColor); });
    else if (!action.address.isEmpty())
        gridStep([&] { Shell::Open(action.address); });
    gridStep([] { QCoreApplication::processEvents(); });
}

void HighlightHeader(FlexGrid& grid)
{
    const int row = grid.Row();
    const int mouseCol = grid.MouseCol();
    gridStep([&] { grid.setRedraw(false); });
    for (int c = 0; c < grid.Cols(); ++c) {
        gridStep([&] {
            grid.setRow(0);
            grid.setCol(c);
            grid.setCellForeColor(0);
        });
    }
    gridStep([&] {
        grid.setRow(0);
        grid.setCol(mouseCol);
        grid.setCellForeColor(kBlue);
    });
    gridStep([&] { grid.setRow(row); });
    gridStep([&] { grid.setRedraw(true); });
}

bool SelectStockRow(FlexGrid& grid)
{
    const QString name = GetSelectedName();
    int found = -1;
    for (int r = 2; r < grid.Rows(); ++r) {
        QString text;
        gridStep([&] { text = grid.TextMatrix(r, 1); });
        if (text == name) {
            found = r;
            break;
        }
    }
    if (found < 0)
        return false;
    gridStep([&] { grid.setRedraw(false); });
    gridStep([&] {
        if (found > grid.TopRow() + 6)
            grid.setTopRow(found);
    });
    gridStep([&] {
        if (found < grid.TopRow())
            grid.setTopRow(found);
    });
    gridStep([&] { grid.setCol(0); });
    gridStep([&] { grid.setRow(found); });
    gridStep([&] { grid.setRowSel(found); });
    gridStep([&] { grid.setColSel(1); });
    gridStep([&] { grid.setRedraw(true); });
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
        gridStep([] { CopyGridToClipboard(); });
    else if (KeyCode == kKeyA)
        gridStep([] { SelectAllGrid(); });
}

std::optional<GridPopupState> MainGridEvents::FG_MouseDown(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Shift);
    if (Button == 2) {
        // The popup acts on the row the last left click made current.
        QString holdingKey;
        gridStep([&] { holdingKey = m_grid.TextMatrix(m_grid.Row(), 10); });
        return MainGridPopup(CurrentView(), holdingKey);
    }

    HighlightHeader(m_grid);

    const int mouseCol = m_grid.MouseCol();
    if (!MovableHeaderCell(m_grid.MouseRow(), mouseCol, m_grid.FixedCols()))
        return std::nullopt;
    gridStep([&] { splitBar().setLeft(m_grid.ColPos(mouseCol) + kHeaderMarkerOffset); });
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
    gridStep([&] { m_grid.setMousePointer(LinkPointer(CurrentView(), m_grid.MouseCol(), GridWindow::Main)); });

    const ColumnDrag drag{DragArmed, DragCol(), DragStartX, DragStartY};
    if (!StartsColumnDrag(drag, CurrentView(), Button, X, Y, m_grid.MouseRow()))
        return;
    DragCol() = m_grid.MouseCol();
    gridStep([&] { m_grid.Drag(1); });
}

void MainGridEvents::FG_MouseUp(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Button);
    Q_UNUSED(Shift);
    Q_UNUSED(X);
    Q_UNUSED(Y);
    DragArmed = false;
    gridStep([] { splitBar().setVisible(false); });
}
