#pragma once

#include "views/ViewContract.h"

// The four tables of a stock's cached earnings page (symbol + "_ee.Sh"): growth
// ("EG"), history ("EH"), estimates ("ER") and the consensus EPS trend ("EC").
// They always draw into the main grid (no zoom). A data cell of the page may hold
// several values split by "<br>"; the values fill the grid column by column, a
// fixed number per column. Missing markers fail with 5; more values than the
// columns hold fail with a grid error (a blank grid).
void BuildEarningsSheet(const ViewContext& ctx, FlexGrid& grid);
