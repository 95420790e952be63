#pragma once

#include "views/ViewContract.h"

// "M_BRP0" (key "0": today's broker reports) and "M_BRP1" (key "1": the news
// service's analysts' recommendations), both from M_BRP.Sh. A page without the
// list shows "Data is not available, connect to Internet, and update again ."; a
// key outside 0..1 leaves the grid as it is.
void BuildMarketBrokerReports(const ViewContext& ctx, FlexGrid& grid);
