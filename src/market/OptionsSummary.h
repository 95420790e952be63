#pragma once

#include "views/ViewContract.h"

// "OptSum": one of the options market's top-10 tables (key "0" volume leaders,
// "1" percentage gainers, "2" percentage losers) from OptSum.Sh. A missing or
// empty page, or one without the table's anchor or its "</table>", shows
// "Tradewright do not have Options market informain."; a key outside 0..2 leaves
// the grid as it is.
void BuildOptionsSummary(const ViewContext& ctx, FlexGrid& grid);
