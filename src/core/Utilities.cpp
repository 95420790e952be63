#include "core/Utilities.h"

#include "platform/FlexGrid.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "platform/SkipFailedSteps.h"

#include <QLoggingCategory>

#include <cmath>
#include <limits>

namespace {

Q_LOGGING_CATEGORY(lcGridCells, "tradewright.core.gridcells")

// Runs one step; a failure skips it, as the routines' callers expect.
const SkipFailedSteps utilStep(lcGridCells, "grid cell routine");

// An element that is not there (the hole at index 0 of a list built from 1).
void requirePresent(const QVariant& v)
{
    if (!v.isValid())
        throw RuntimeError::make(9);
}

// Nearest whole number, a half going to the even neighbour; 6 (overflow) when
// the result does not fit a 32-bit integer.
int roundHalfEven(double x)
{
    if (!std::isfinite(x))
        throw RuntimeError::make(6);
    double r = std::round(x);
    if (std::fabs(x - std::trunc(x)) == 0.5)
        r = 2.0 * std::round(x / 2.0);
    if (r < std::numeric_limits<int>::min() || r > std::numeric_limits<int>::max())
        throw RuntimeError::make(6);
    return int(r);
}

void setColAlignments(FlexGrid& grid, const QVariantList& alignments)
{
    for (int i = 0; i < alignments.size(); ++i)
        utilStep([&] {
            requirePresent(alignments[i]);
            grid.setColAlignment(i, rt::CInt(alignments[i]));
        });
}

} // namespace

void SetCell(FlexGrid& grid, int row, int col, const QString& text, int alignment, bool bold, bool /*unused*/,
             int foreColor, int backColor)
{
    utilStep([&] { grid.setCol(col); });
    utilStep([&] { grid.setRow(row); });
    utilStep([&] { grid.setTextMatrix(row, col, text); });
    utilStep([&] { grid.setCellAlignment(alignment); });
    utilStep([&] { grid.setCellBackColor(backColor); });
    utilStep([&] { grid.setCellFontBold(bold); });
    utilStep([&] { grid.setCellFontUnderline(false); });
    utilStep([&] { grid.setCellForeColor(foreColor); });
}

void MarkRows(FlexGrid& grid, int firstRow, int lastRow, int col)
{
    utilStep([&] { grid.setCol(col); });
    for (int r = firstRow; r <= lastRow; ++r) {
        utilStep([&] { grid.setRow(r); });
        utilStep([&] { grid.setCellFontUnderline(true); });
        utilStep([&] { grid.setCellForeColor(0xFF0000); });   // blue
    }
}

void SetColWidths(FlexGrid& grid, const QVariantList& widths)
{
    for (int i = 0; i < widths.size(); ++i)
        utilStep([&] {
            requirePresent(widths[i]);
            const double percent = rt::CDbl(widths[i]);
            grid.setColWidth(i, roundHalfEven(percent * grid.Width() / 100.0));
        });
}

void SetColAlign(FlexGrid& grid, const QVariantList& alignments)
{
    setColAlignments(grid, alignments);
}

void SetColAlign2(FlexGrid& grid, const QVariantList& alignments)
{
    setColAlignments(grid, alignments);
}

void SetHeaders(FlexGrid& grid, const QVariantList& headers)
{
    for (int i = 0; i < headers.size(); ++i)
        utilStep([&] {
            requirePresent(headers[i]);
            grid.setTextArray(i, headers[i].toString());
        });
}
