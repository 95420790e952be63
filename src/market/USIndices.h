#pragma once

#include "stockdata/Records.h"
#include "views/ViewContract.h"

#include <QString>

#include <array>

// The US market figures: Parse_US scrapes the cached page "US.Sh" into the US
// index table and saves it to US.dat; FG_US ("US") draws US.dat in seven groups.

struct USIndexRow
{
    const char* label;   // searched for in the page, and the name shown
    const char* symbol;
    const char* group;   // the title row of the group
};
// The 37 figures in table (and page) order.
const std::array<USIndexRow, kUSRows>& USIndexList();

// Fills table from the page text (line ends already dropped): each label is searched
// forward from where the row before ended, then the cell after the label's own and
// the five value cells ("<TD".."</TD>", upper-case only) go to TradeTime, LastTrade,
// Change, PctChange and Extra. A label missing from the page clears its row and
// leaves the search where it was.
void ParseUSPage(const QString& page, std::array<USRec, kUSRows>& table);

// Reads AppPath/Cache/DataSheet/US.Sh (line ends dropped), lets pending events run
// once, fills USIndexes and saves it to US.dat.
void Parse_US();

// The quote-page address column 8 holds for symbol.
QString USQuoteAddress(const QString& symbol);

// The view of US.dat (a missing file is created empty: names, symbols and links
// with empty values).
void FG_US(const ViewContext& ctx, FlexGrid& grid);
