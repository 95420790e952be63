#pragma once

#include "views/ViewContract.h"

#include <QString>

// The fund rankings: the key ("F_Growth", ...) is the view code and names the page
// (key + ".Sh"). A missing or empty page, or one without the anchor or its
// "</table>", shows "Tradewright do not have " + title + " informain.".
void BuildFunds(const ViewContext& ctx, FlexGrid& grid);

// The title of a fund key ("" for a key that is none of the 22).
QString FundTitle(const QString& key);
