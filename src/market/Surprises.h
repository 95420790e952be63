#pragma once

#include "views/ViewContract.h"

// "SUP": the top daily earnings surprises, the first table of "25_surp.Sh" laid out
// five cells to a grid row, with the title row "Top Daily Earnings" under the page's
// heading row.
void FG_SUP(const ViewContext& ctx, FlexGrid& grid);

QString SurprisesMessage();
