#pragma once

#include "views/ViewContract.h"

#include <QString>

#include <optional>

// The market lists of the tree's market branch: the list index dispatch, the titles
// of the movers pages and the two movers fillers (view code "BR", the key being the
// page's file name). The lists, their menu items and titles are facts of the page
// catalogue (pages/PageCatalogue.h): its tree leaves and the movers' members.

// What list `index` (1 to 30) shows: the view code and argument of the tree leaf
// of that list. nullopt for any other index.
struct MarketListTarget
{
    QString code;
    QString key;
};
std::optional<MarketListTarget> MarketListFor(int index);

// The item of the 16-item market-list menu that carries the check mark for list
// index: the item naming that kind of list, the NYSE and AMEX lists sharing the
// NASDAQ list's item; -1 when no item names it (the money movers).
inline constexpr int kMarketListMenuItems = 16;
int MarketListMenuItem(int index);

// The market-list menu and the views as ShowMarketList sees them.
class MarketListPort
{
public:
    virtual ~MarketListPort() = default;
    virtual void setMenuChecked(int item, bool checked) = 0;
    virtual bool showView(const QString& code, const QString& key) = 0;
};

// Clears the check marks of all 16 items, then checks the list's item.
void MarkMarketListMenu(int index, MarketListPort& port);
// The check marks as above, then the list shown. Any index outside 1 to 30 only
// clears the marks.
void ShowMarketList(int index, MarketListPort& port);

// The title of a movers page by its file name as the views ask for it, compared
// exactly ("" when its member has none), and whether the most-active filler reads
// it (the screener's pages: the dollars-traded ones have a title).
struct MoversTitle
{
    QString title;
    bool mostActive = false;
};
MoversTitle BigMoversTitle(const QString& fileName);

// The title the tree gives a most-active page ("BrDT_Q.Sh", "BrPU_N.Sh", ...); ""
// for any other name.
QString MostActiveTreeTitle(const QString& fileName);

// The text ShowBigMovers shows when it fails itself.
QString BigMoversMessage();

// "BR": a most-active page of the tree under the tree's title, any other page as
// ShowBigMovers shows it.
void BuildMarketList(const ViewContext& ctx, FlexGrid& grid);
// ShowBigMovers: the page's title from the table, then the filler the table names.
void ShowBigMovers(const ViewContext& ctx, FlexGrid& grid);
// The two fillers: the movers lists of a big-movers page, the most-active lists of
// a screener page. The page is ctx.pagePath; the title is written over row 1.
void Pares_BR(const ViewContext& ctx, FlexGrid& grid, const QString& caption);
void Pares_BR2(const ViewContext& ctx, FlexGrid& grid, const QString& caption);
