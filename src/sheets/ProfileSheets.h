#pragma once

#include "views/ViewContract.h"

#include <QString>

// The company profile ("Profile", the symbol's "_P.Sh" page) and the short
// interest ("SI", the "_SI.Sh" page).

// The profile's description: the page from its first "<hr" up to, not including,
// the next "<hr" after it. found (when given) is false when either rule is
// missing, and the result is then "". The tree's tool tip and the summary's
// profile section cut the page with this too.
QString CutProfile(const QString& page, bool* found = nullptr);

// The profile in one tall text cell (row 1, column 1), one sentence a line.
void BuildProfile(const ViewContext& ctx, FlexGrid& grid);

// The short-interest table after "Cover", one row per settlement date from row 2
// on. Every blank of the page goes first, so no cell keeps one.
void BuildShortInterest(const ViewContext& ctx, FlexGrid& grid);
