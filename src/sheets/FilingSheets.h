#pragma once

#include "views/ViewContract.h"

#include <QString>

// A stock's insider trades ("IT", the symbol's "_it.Sh" page) and its filed reports
// ("QR", the "_qr.Sh" page). Both keep row 1 for the title and hold each row's
// link target in a hidden column.

// The filings page's anchors as the cells keep them: "<A HREF=" and the
// "Full Filing" image's ALT text become empty tags, and so does the closing anchor
// ("</A>", "</a>"), so a cleaned cell reads "quoted target" and then the anchor's
// text. A "/A" inside a link target stays as it is. The filings report and the
// summary's filings section read the page through this too.
void RewriteFilingAnchors(QString& text);

// Insider trades: the fourth table after "Insider Trades", one grid row per page
// row from row 1 on, the linked page's name in hidden column 1 and the name
// (blue, underlined) in column 2. The table keeps its tags as the page wrote
// them, so only lower-case rows and cells are found.
void BuildInsiderTrades(const ViewContext& ctx, FlexGrid& grid);

// Quarterly reports: the table after the one holding "Sort By", without its first
// row; non-empty cells from row 2 on, a cell's quoted link target three columns to
// its right (hidden), column 1 blue and underlined. A colon splits a cell.
void BuildQuarterlyReports(const ViewContext& ctx, FlexGrid& grid);
