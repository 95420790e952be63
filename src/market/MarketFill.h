#pragma once

#include "platform/RuntimeError.h"
#include "retrieval/ViewContract.h"

#include <QString>

class FlexGrid;

// What the market views of the options summary, funds, broker reports, IPO pages
// and splits calendars share: the page read, the cell clean-up, the grid set-up,
// the sign colours and the turning of errors 5 and 53 into a view's own message.
namespace market {

inline constexpr int kWhite = 0xFFFFFF;
inline constexpr int kBlue = 0xFF0000;
inline constexpr int kRed = 0x0000FF;

// The page read whole; events then run once.
QString ReadPage(const ViewContext& ctx);
// A cell as the views show it: tags stripped, "&amp;" as "&", trimmed of spaces.
QString CleanedCell(QString cell, bool breaks = false);
// Redraw off, cleared, rows by cols, white, flat grid lines.
void PrepareGrid(FlexGrid& grid, int rows, int cols);
// A text beginning with "-" red, one beginning with "+" blue; anything else keeps
// the colour it has.
void ColourBySign(FlexGrid& grid, int row, int col);
// The cell's alignment for one cell of row 0 in columns first..last.
void AlignHeadingCells(FlexGrid& grid, int first, int last, int alignment);
// A format of one cell (the current cell moves there).
void BoldCell(FlexGrid& grid, int row, int col, bool white);
void WhiteCell(FlexGrid& grid, int row, int col);

// The row's cells joined, each followed by a tab; with skipEmpty an empty cell
// takes no column.
QString JoinedLine(const QString& row, bool skipEmpty);
// Every "&nbsp;", ",", "News", "BrokerReports", "Chart", "Compare" and tab
// removed, in that order (the broker-report and splits pages).
void RemoveLinkWords(QString& text);

// The table number a key names, -1 when the key is no number in 0..count-1.
int TableNumber(const QString& key, int count);

// Runs fill; errors 5 (a marker missing, an empty page) and 53 (file not found)
// end the view with message instead. Other failures pass through.
template <typename Fill>
void FillOrMessage(const QString& message, Fill fill)
{
    auto isOwn = [](int number) { return number == 5 || number == 53; };
    try {
        fill();
    } catch (const ViewError& e) {
        if (e.kind() == ViewError::Number && isOwn(e.errorNumber()))
            throw ViewError::message(message);
        throw;
    } catch (const RuntimeError& e) {
        if (isOwn(e.number()))
            throw ViewError::message(message);
        throw;
    }
}

} // namespace market
