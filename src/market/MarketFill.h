#pragma once

#include "market/MarketPages.h"

#include <QString>

class FlexGrid;

// What the market views of the options summary, funds, broker reports, IPO pages
// and splits calendars share beyond MarketPages: the sign colours, cell formats,
// joined rows and link words.
namespace market {

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
QString JoinedLine(QStringView row, bool skipEmpty);
// Every "&nbsp;", ",", "News", "BrokerReports", "Chart", "Compare" and tab
// removed, in that order (the broker-report and splits pages).
void RemoveLinkWords(QString& text);

// The table number a key names, -1 when the key is no number in 0..count-1.
int TableNumber(const QString& key, int count);

} // namespace market
