#pragma once

#include "views/ViewContract.h"

#include <QString>

// The IPO pages, picked by the view code:
// - "IPO_Price", "IPO_Gain", "IPO_Loss", "IPO_Reg": the calendars, one placed-cells
//   fill over a member table (commas split cells in the first three);
// - "IPO_Last": the latest pricings, filings and withdrawals in three sections;
// - "IPO_With": the withdrawals, each cell running to the row's next "<td";
// - "IPO_News": the headlines, one row per "<li>" item with its own link.
// A missing page, or one without the view's markers, shows the view's "Tradewright
// do not have ... informain." message. A row with more cells than the grid has
// columns is an error of another kind (a blank grid).
void BuildIpoPage(const ViewContext& ctx, FlexGrid& grid);

// The link address of one headline item: the text after the first "<a href=" up
// to its closing quote when quoted, else up to the tag's end or a blank; one
// leading "/" is dropped (the address is kept relative to the site's root). ""
// when the item has no link.
QString HeadlineLink(const QString& item);
