#pragma once

#include "stockdata/Records.h"
#include "views/ViewContract.h"

#include <QString>
#include <QVector>

class ViewRunner;

// The current-quotes view (view code "Current"): one row per stock of the set,
// drawn from the quote texts of Stocks, with the trend and alert pictures in the
// fixed first column. Its columns are found by their header texts, so a column
// order the user set by dragging (LayOut) survives every redraw.

// How a column's cell text is made from its field.
enum class QuoteCellRule { None, AsStored, Price, Volume };

struct QuoteColumn
{
    QString header;               // exact header text of row 0
    QString StockRec::*field;     // the field it shows; nullptr for column 0
    QuoteCellRule rule;
    int alignment;         // the grid's alignment code
    int widthPercent;      // of the grid's width
};

// The 21 columns in their built-in order (column 0 carries only pictures).
const QVector<QuoteColumn>& CurrentQuoteColumns();

// The check mark of the grid popup's "Old Style Background" item: while set, the
// odd grid rows are shaded. The popup's action toggles it and redraws.

// Colours of the view (BGR: red in the low byte).
namespace QuoteColors {
inline constexpr int OldStyleRow = 0xC0FFFF;  // RGB(255, 255, 192)
inline constexpr int Falling = 0x0000FF;      // red
inline constexpr int Rising = 0xFF0000;       // blue
} // namespace QuoteColors

// Fills grid with the quotes of ctx.stocks. Data rows start at row 2; row 1 is a
// hidden spacer. A record whose row would hold fewer than 29 characters (no quote
// data) gets no row. The price columns follow ctx.fractions (shown through
// FormatP, which also takes the blank out of a stored "- 1 1/2" in the record),
// the volume ctx.groupVolume (grouped); ctx.oldStyleBackground shades the odd rows.
void BuildCurrentQuotes(const ViewContext& ctx, FlexGrid& grid);

// Puts the quotes of ctx.stocks[stockRow] into the row the builder gave that stock
// (a stock that gained quote data gets its row, one that lost it loses it), as a
// redraw would show it, keeping the current cell, the selection and the scroll.
// False when only a whole redraw can show it: the grid does not hold this view, or
// a row must come or go while the rows are shaded or sorted by a column.
bool RedrawCurrentQuoteRow(const ViewContext& ctx, FlexGrid& grid, int stockRow);

// Shows the view through views, as the entry points of ViewEntries.h do: into the
// main grid, or, while ZoomMode is set, into a new zoom window's grid.
void FG_Current(ViewRunner& views);
