#pragma once

#include "views/ViewContract.h"

// "WINLOS": the day's percentage winners ("mwwinners.Sh") or losers (any other
// key), three market sections one under the other, each under a yellow band with
// its heading; every cell in the column of its place in the page's row.
void FG_WinLos(const ViewContext& ctx, FlexGrid& grid);
