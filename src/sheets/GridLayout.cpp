#include "sheets/GridLayout.h"

#include "stockdata/ProgramState.h"

#include "platform/AppPath.h"
#include "platform/FlexGrid.h"
#include "platform/SkipFailedSteps.h"
#include "stockdata/DataFile.h"
#include "views/ViewHost.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <algorithm>
#include <exception>


namespace {

RecordedSplitBar g_standInBar;
SplitBar* g_bar = nullptr;

// The highest column position the layout knows about.
constexpr int kLastLayoutCol = kLayoutRows - 1;

FlexGrid* mainGrid()
{
    try {
        return viewHost().mainGrid();
    } catch (...) {
        return nullptr;
    }
}

Q_LOGGING_CATEGORY(lcGridLayout, "tradewright.sheets.gridlayout")

const SkipFailedSteps layoutStep(lcGridLayout, "column layout");

} // namespace

SplitBar& splitBar()
{
    return g_bar ? *g_bar : g_standInBar;
}

void installSplitBar(SplitBar* bar)
{
    g_bar = bar;
}

QString LayoutFilePath()
{
    return AppPath() + QStringLiteral("/LayOut.dat");
}

void writeRecord(BinaryWriter& out, const LayoutRec& rec)
{
    out.writeText(rec.Caption);
    out.writeInt16(rec.Flag);
    out.writeInt32(rec.Pos1);
    out.writeInt32(rec.Pos2);
}

bool readRecord(BinaryReader& in, LayoutRec& rec)
{
    return in.readText(rec.Caption) && in.readInt16(rec.Flag) && in.readInt32(rec.Pos1) && in.readInt32(rec.Pos2);
}

bool SaveLayout()
{
    // The layout stays in memory as it is; a failed write is told once (until a write
    // of the file succeeds) and the next drop writes it again.
    QString why;
    bool written = false;
    try {
        written = writeTableFile(LayoutFilePath(), LayOut(), &why);
    } catch (const std::exception& e) {
        why = QString::fromLocal8Bit(e.what());
    }
    ReportSave(LayoutFilePath(), written, why);
    return written;
}

bool LoadLayout()
{
    LayOut().fill(LayoutRec());
    try {
        return readTableFile(LayoutFilePath(), LayOut()) != DataFileStatus::Failed;
    } catch (...) {
        LayOut().fill(LayoutRec());
        return false;
    }
}

void FixLayOut()
{
    if (FlexGrid* grid = mainGrid())
        FixLayOut(*grid);
}

void FixLayOut(FlexGrid& fg)
{
    const int lastCol = std::min(fg.Cols() - 1, kLastLayoutCol);
    for (int c = 1; c <= lastCol; ++c) {
        layoutStep([&] {
            const QString header = fg.TextMatrix(0, c);
            // Entry 20 is never searched: once the others stand, the last one is
            // in place too.
            for (int j = 0; j < kLastLayoutCol; ++j) {
                const LayoutRec& rec = LayOut()[j];
                // An empty entry records nothing, and a position the grid does not
                // have (or the fixed column) can only come from a damaged file.
                if (rec.Caption.isEmpty() || rec.Caption != header)
                    continue;
                if (rec.Pos1 >= 1 && rec.Pos1 < fg.Cols()) {
                    fg.setRedraw(false);
                    layoutStep([&] { fg.setColPosition(c, rec.Pos1); });
                    fg.setRedraw(true);
                }
                break;
            }
        });
    }
}

void FG_DragDrop(QWidget* Source, double X, double Y)
{
    Q_UNUSED(Source);
    Q_UNUSED(X);
    Q_UNUSED(Y);
    layoutStep([] { splitBar().setVisible(false); });
    FlexGrid* grid = mainGrid();
    if (!grid || DragCol() == -1)
        return;
    FlexGrid& fg = *grid;
    const int target = fg.MouseCol();
    if (fg.MouseRow() != 0 || target < 0)
        return;
    if (target == 0 && fg.FixedCols() == 1)
        return;
    try {
        fg.setRedraw(false);
        fg.setColPosition(DragCol(), target);
    } catch (...) {
        // A drag from a column the grid no longer has moves nothing and records
        // nothing.
        layoutStep([&] { fg.setRedraw(true); });
        return;
    }
    layoutStep([&] { fg.setRedraw(true); });

    // The layout is the quotes view's column order: a drop in another view moves
    // the column and leaves the record and the file alone.
    if (CurrentView() != QLatin1String("Current"))
        return;
    const int lastCol = std::min(fg.Cols() - 1, kLastLayoutCol);
    for (int c = 1; c <= lastCol; ++c) {
        layoutStep([&] {
            LayOut()[c].Caption = fg.TextMatrix(0, c);
            LayOut()[c].Pos1 = c;
            LayOut()[c].Pos2 = c;
        });
    }
    SaveLayout();
}

void FG_DragOver(QWidget* Source, double X, double Y, int State)
{
    Q_UNUSED(Source);
    Q_UNUSED(X);
    Q_UNUSED(Y);
    Q_UNUSED(State);
    FlexGrid* grid = mainGrid();
    layoutStep([] { splitBar().setVisible(true); });
    if (grid)
        layoutStep([&] { splitBar().setLeft(grid->ColPos(grid->MouseCol()) + 100); });
}

void FindGridRow(const QString& text)
{
    FlexGrid* grid = mainGrid();
    if (!grid)
        return;
    layoutStep([&] {
        for (int r = 0; r < grid->Rows(); ++r) {
            if (grid->TextMatrix(r, 1) == text) {
                grid->setTopRow(r);
                return;
            }
        }
    });
}

void SelectAllGrid(FlexGrid& grid)
{
    layoutStep([&] { grid.setCol(0); });
    layoutStep([&] { grid.setRow(0); });
    layoutStep([&] { grid.setRowSel(grid.Rows() - 1); });
    layoutStep([&] { grid.setColSel(grid.Cols() - 1); });
}

void CopyGridToClipboard(FlexGrid& grid)
{
    layoutStep([&] {
        const QString text = grid.Clip();
        if (QClipboard* clipboard = QGuiApplication::clipboard())
            clipboard->setText(text);
    });
}

void SelectAllGrid()
{
    if (FlexGrid* grid = mainGrid())
        SelectAllGrid(*grid);
}

void CopyGridToClipboard()
{
    if (FlexGrid* grid = mainGrid())
        CopyGridToClipboard(*grid);
}
