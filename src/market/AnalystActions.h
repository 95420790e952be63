#pragma once

#include "views/ViewContract.h"

// The day's analyst actions from the one page "UpDown.Sh": "Coverage", "Downgrade"
// and "Upgrade" (the view code in the context picks the member). Each cuts the table
// after its section heading (the page's first table when the heading is absent);
// the table's first row is the grid's heading row, the title stands over (1, 0).
void FG_AnalystActions(const ViewContext& ctx, FlexGrid& grid);

// The text a member shows when its page is missing, empty or lacks its table.
QString AnalystActionsMessage(const QString& code);
