#include "sheets/MainGridEvents.h"

#include "platform/FlexGrid.h"
#include "platform/Runtime.h"
#include "platform/SkipFailedSteps.h"
#include "sheets/GridLayout.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Stocks.h"

#include <QLoggingCategory>
#include <QStringList>

#include <cmath>
#include <exception>


namespace {

constexpr int kLinkPointer = 99;
constexpr int kBlue = 0xFF0000;
constexpr int kHeaderMarkerOffset = 100;  // twips right of the column's left edge
constexpr int kDragDistance = 50;         // twips, both axes together
constexpr int kCtrlMask = 2;
constexpr int kKeyA = 65;
constexpr int kKeyC = 67;

Q_LOGGING_CATEGORY(lcMainGrid, "tradewright.sheets.maingrid")

// Runs one step; a step that fails is passed over.
const SkipFailedSteps step(lcMainGrid, "main grid");

bool isOneOf(const QString& view, std::initializer_list<const char*> codes)
{
    for (const char* code : codes)
        if (view == QLatin1String(code))
            return true;
    return false;
}

} // namespace

bool SortsOnDblClick(const QString& view)
{
    return isOneOf(view, {"Current", "SUP", "QR", "IT", "BR", "Upgrade", "Downgrade", "Coverage", "Call", "Put"});
}

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

int LinkPointer(const QString& view, int col, bool zoomWindow)
{
    // The first rule whose view matches decides.
    auto any = [col](std::initializer_list<int> cols) {
        for (int c : cols)
            if (c == col)
                return kLinkPointer;
        return 0;
    };
    auto from = [col](int first, std::initializer_list<int> cols) {
        for (int c : cols)
            if (c == col)
                return kLinkPointer;
        return col >= first ? kLinkPointer : 0;
    };
    if (view.startsWith(QLatin1String("F_")) || view == QLatin1String("SUP"))
        return any({0});
    if (isOneOf(view, {"FMS1", "FMS2"}))
        return zoomWindow ? 0 : any({0});
    if (isOneOf(view, {"IT", "US"}))
        return any({2});
    if (isOneOf(view, {"BR", "Upgrade", "Downgrade", "QR", "WINLOS", "IPO_News"}))
        return any({1});
    if (isOneOf(view, {"IPO_Price", "IPO_Last"}))
        return from(5, {1});
    if (view == QLatin1String("Coverage"))
        return any({1, 4});
    if (isOneOf(view, {"Call", "Put"}))
        return zoomWindow ? any({0}) : any({0, 5});
    if (isOneOf(view, {"IPO_Gain", "IPO_Loss"}))
        return from(6, {1});
    if (view == QLatin1String("WM"))
        return from(7, {3});
    if (view == QLatin1String("IPO_Reg"))
        return any({7});
    if (view == QLatin1String("IPO_With"))
        return any({6});
    if (view == QLatin1String("Options"))
        return any({1, 8});
    return 0;
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
        return GridPopupStates(CurrentView(), holdingKey);
    }

    HighlightHeader(m_grid);

    const int mouseCol = m_grid.MouseCol();
    if (m_grid.MouseRow() != 0 || mouseCol < 0 || (mouseCol == 0 && m_grid.FixedCols() == 1))
        return std::nullopt;
    step([&] { splitBar().setLeft(m_grid.ColPos(mouseCol) + kHeaderMarkerOffset); });
    step([&] { DragStartX = rt::CInt(QVariant(X)); });
    step([&] { DragStartY = rt::CInt(QVariant(Y)); });
    DragCol() = -1;
    DragArmed = true;
    return std::nullopt;
}

void MainGridEvents::FG_MouseMove(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Shift);
    step([&] { m_grid.setMousePointer(LinkPointer(CurrentView(), m_grid.MouseCol())); });

    if (CurrentView().startsWith(QLatin1String("F_")))
        return;
    if (!DragArmed || Button != 1 || DragCol() != -1 || m_grid.MouseRow() != 0)
        return;
    if (std::abs(DragStartX - X) + std::abs(DragStartY - Y) < kDragDistance)
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
