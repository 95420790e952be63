#pragma once

#include "views/ViewContract.h"

// The annual statements of a stock: six columns of one table of the cached report
// page, up to six cells of each page row per grid row, some grid rows formatted
// by their number.
//
// A page row shorter than six cells carries on into the next page row (the cell
// counter is kept; only the slot counter starts again), and cells past the sixth
// slot of a page row are dropped without taking a column. A page that makes a
// cell land outside the six columns fails the view with a grid error.

// The balance sheet (view "ABS", page symbol + "_Abs.Sh"): the table after the
// second "Annual Balance Sheet" when there are two, else after the first. Fails
// with 5 when a marker is missing.
void BuildAnnualBalanceSheet(const ViewContext& ctx, FlexGrid& grid);

// The income statement (view "AIS", page symbol + "_Ais.Sh"). Every failure but a
// file-not-found (53) shows its own "data is bad" message, a missing or empty
// page included.
void BuildAnnualIncomeStatement(const ViewContext& ctx, FlexGrid& grid);

// "The <company>\" annual income statement data is bad, connect to the Internet,
// and update again ." (one double quote, after the name).
QString IncomeStatementBadDataMessage(const QString& companyName);
