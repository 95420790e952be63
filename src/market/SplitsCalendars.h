#pragma once

#include "views/ViewContract.h"

// "FMS0".."FMS4": the splits calendars (key "0" today, "1" this week, "2" next
// week, "3" recently announced, "4" the technology stocks with the most splits),
// each from its own page. A page without its table shows "Data is not available,
// connect to Internet, and update again ."; a key outside 0..4 leaves the grid as
// it is. Rows and cells are read at any position in the page.
void BuildSplitsCalendar(const ViewContext& ctx, FlexGrid& grid);
