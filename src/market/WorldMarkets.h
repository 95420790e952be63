#pragma once

#include "views/ViewContract.h"

// "WM": the world indices of "Market.Sh" by region (Americas, Asia/Pacific,
// Europe, Africa/Middle East). Every comma of the page is a cell boundary; each
// region's title is written into the previous region's last row.
void FG_WMarket(const ViewContext& ctx, FlexGrid& grid);
