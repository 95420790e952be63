#include "sheets/GridMessage.h"

#include "platform/FlexGrid.h"
#include "platform/SkipFailedSteps.h"
#include "stockdata/Globals.h"
#include "stockdata/ViewHost.h"

#include <QLoggingCategory>

namespace {

// Every step runs even when one before it failed: a message must get through
// whatever state the last view left the grid in.
Q_LOGGING_CATEGORY(lcGridMessage, "tradewright.sheets.gridmessage")

const SkipFailedSteps step(lcGridMessage, "ShowGridMessage");

} // namespace

void ShowGridMessage(const QString& text)
{
    FlexGrid* grid = nullptr;
    try {
        grid = viewHost().mainGrid();
    } catch (...) {
        // No grid to write the message into: nothing to show.
    }
    if (!grid)
        return;
    FlexGrid& fg = *grid;
    step([&] { fg.setRedraw(false); });
    step([&] { fg.Clear(); });
    step([&] { fg.setRows(1); });
    step([&] { fg.setTextMatrix(0, 0, text); });
    step([&] { fg.setRowHeight(0, 3 * StdRowHeight); });
    step([&] { fg.setColWidth(0, fg.Width()); });
    // The message cell is (0, 0) whichever column was current before: centre
    // that cell, not whatever cell of row 0 the cursor was left on.
    step([&] { fg.setRow(0); });
    step([&] { fg.setCol(0); });
    step([&] { fg.setCellAlignment(FlexGrid::flexAlignCenterCenter); });
    step([&] { fg.setBackColor(FlexGrid::WindowBackground); });
    step([&] { fg.setGridLines(0); });
    step([&] { fg.setRedraw(true); });
}
