#include "sheets/ViewRegistry.h"

#include "market/BrokerReports.h"
#include "market/Funds.h"
#include "market/IpoPages.h"
#include "market/OptionsSummary.h"
#include "market/SplitsCalendars.h"
#include "sheets/CurrentQuotes.h"
#include "sheets/EarningsSheets.h"
#include "sheets/StatementSheets.h"
#include "sheets/HistorySheets.h"
#include "sheets/FilingSheets.h"
#include "sheets/ProfileSheets.h"
#include "sheets/OptionsSheets.h"
#include "market/AnalystActions.h"
#include "market/MarketLists.h"
#include "market/Surprises.h"
#include "market/USIndices.h"
#include "market/WinnersLosers.h"
#include "market/WorldMarkets.h"
#include "stockdata/EntryRules.h"
#include "stockdata/PortfolioViews.h"

#include <algorithm>

namespace {

// ---- the portfolio views' builders over the portfolio table --------------------

const std::array<PortRec, kTransRows>& transactionsOf(const ViewContext& ctx)
{
    static const std::array<PortRec, kTransRows> none{};
    return ctx.transactions ? *ctx.transactions : none;
}

void buildHoldings(const ViewContext& ctx, FlexGrid& grid)
{
    FillHoldings(grid, transactionsOf(ctx), ctx.stdRowHeight);
}

// The key is the symbol (the text of the tree's portfolio node).
void buildSymbolHoldings(const ViewContext& ctx, FlexGrid& grid)
{
    std::array<QString, kPortSymbols> unused;
    FillSymbolHoldings(grid, transactionsOf(ctx), ctx.key, ctx.stdRowHeight,
                       ctx.portSymbols ? *ctx.portSymbols : unused);
}

void buildTransactionLog(const ViewContext& ctx, FlexGrid& grid)
{
    FillTransactionLog(grid, transactionsOf(ctx), ctx.stdRowHeight);
}

// The builders of the views, by view code, in the registry's order: each view of
// the catalogue (pages/PageCatalogue.h) is drawn by the functions of its code.
struct Drawing
{
    const char* code;
    ViewBuilder builder;
    ViewBuilder loading = nullptr;        // the options views paint a loading text first
    ViewRowUpdater rowUpdater = nullptr;  // the quotes redraw one stock's row
};

const Drawing kDrawings[] = {
    {"Current", BuildCurrentQuotes, nullptr, RedrawCurrentQuoteRow},
    {"ABS", BuildAnnualBalanceSheet},
    {"AIS", BuildAnnualIncomeStatement},
    {"EG", BuildEarningsSheet},
    {"EH", BuildEarningsSheet},
    {"ER", BuildEarningsSheet},
    {"EC", BuildEarningsSheet},
    {"IT", BuildInsiderTrades},
    {"QR", BuildQuarterlyReports},
    {"Profile", BuildProfile},
    {"SI", BuildShortInterest},
    {"Call", BuildOptionsSheet, PaintOptionsLoading},
    {"Put", BuildOptionsSheet, PaintOptionsLoading},
    {"Options", BuildOptionsSheet, PaintOptionsLoading},
    {"Split", BuildSplits},
    {"NMR", BuildMomentum},
    {"UPH", BuildUpgrades},
    {"DNH", BuildDowngrades},
    {"BRP", BuildBrokerReports},
    {"BR", BuildMarketList},
    {"WINLOS", FG_WinLos},
    {"Coverage", FG_AnalystActions},
    {"Upgrade", FG_AnalystActions},
    {"Downgrade", FG_AnalystActions},
    {"SUP", FG_SUP},
    {"US", FG_US},
    {"WM", FG_WMarket},
    {"OptSum", BuildOptionsSummary},
    {"F_", BuildFunds},
    {"M_BRP", BuildMarketBrokerReports},
    {"IPO_Price", BuildIpoPage},
    {"IPO_Gain", BuildIpoPage},
    {"IPO_Loss", BuildIpoPage},
    {"IPO_Reg", BuildIpoPage},
    {"IPO_Last", BuildIpoPage},
    {"IPO_News", BuildIpoPage},
    {"IPO_With", BuildIpoPage},
    {"FMS", BuildSplitsCalendar},
    {"Port", buildHoldings},
    {"PortLog", buildTransactionLog},
    {"PortSelected", buildSymbolHoldings},
};

// The registry's row of a catalogue view: its facts, the tree nodes of every kind
// that show it (a per-stock node by its key prefix) and the functions that draw it.
ViewRow rowOf(const pages::View& v, const Drawing* drawing)
{
    ViewRow row;
    row.code = v.code;
    row.scope = v.scope;
    row.treeKeyMatch = v.treeKeyMatch;
    row.cachePages = v.cachePages;
    row.viewCode = v.viewCode;
    row.zoomAware = v.zoomAware;
    row.hourglass = v.hourglass;
    row.leavesPointer = v.leavesPointer;
    row.usesLayout = v.usesLayout;
    row.quoteSettings = v.quoteSettings;
    row.otherErrors = v.otherErrors;
    row.sortsOnDblClick = v.sortsOnDblClick;
    row.pointerColumns = v.pointerColumns;
    row.zoomPointerColumns = v.zoomPointerColumns;
    row.linkKeys = v.linkKeys;
    row.link = v.link;
    row.linkColumns = v.linkColumns;
    row.linkTextColumn = v.linkTextColumn;
    row.popup = v.popup;
    row.popupInZoom = v.popupInZoom;
    row.zoomable = v.zoomable;
    row.zoomWidths = v.zoomWidths;
    row.reportItemsMain = v.reportItemsMain;
    row.reportItemsZoom = v.reportItemsZoom;
    row.htmlReport = v.htmlReport;
    row.htmlReportInZoom = v.htmlReportInZoom;

    bool arguments = false;
    for (const pages::PageKind& kind : pages::Catalogue())
        for (const pages::TreeLeaf& leaf : kind.leaves)
            if (leaf.view == v.code) {
                row.treeKeys << leaf.key;
                row.treeKeyArguments << leaf.argument;
                arguments = arguments || !leaf.argument.isEmpty();
            }
    if (!arguments)
        row.treeKeyArguments.clear();

    if (drawing) {
        row.builder = drawing->builder;
        row.loading = drawing->loading;
        row.rowUpdater = drawing->rowUpdater;
    }
    return row;
}

QVector<ViewRow> makeRows()
{
    QVector<ViewRow> rows;
    for (const Drawing& d : kDrawings)
        if (const pages::View* v = pages::FindView(QLatin1String(d.code)))
            rows << rowOf(*v, &d);
    // A view of the catalogue that nothing draws yet: asking for it does nothing.
    for (const pages::PageKind& kind : pages::Catalogue())
        for (const pages::View& v : kind.views)
            if (std::none_of(rows.cbegin(), rows.cend(), [&](const ViewRow& r) { return r.code == v.code; }))
                rows << rowOf(v, nullptr);
    return rows;
}

bool isNumber(const QString& text)
{
    bool ok = false;
    text.toInt(&ok);
    return ok && !text.isEmpty();
}

} // namespace

QString ViewRow::viewCodeFor(const QString& key) const
{
    switch (viewCode) {
    case ViewCodeRule::Code: return code;
    case ViewCodeRule::CodeAndKey: return code + key;
    case ViewCodeRule::Key: return key;
    }
    return code;
}

QString ViewRow::pageFor(const QString& key, const QString& symbol) const
{
    if (cachePages.isEmpty())
        return QString();
    if (scope == ViewScope::PerStock)
        return IsFileSafeSymbol(symbol) ? symbol + cachePages.first() : QString();
    for (const QString& page : cachePages) {
        if (page.contains(QLatin1String("%1")))
            return IsFileSafeSymbol(key) ? QString(page).replace(QLatin1String("%1"), key) : QString();
    }
    if (cachePages.size() == 1)
        return cachePages.first();
    if (cachePages.contains(key))
        return key;
    if (isNumber(key)) {
        const int index = key.toInt();
        return index >= 0 && index < cachePages.size() ? cachePages.at(index) : QString();
    }
    return QString();
}

const QVector<ViewRow>& viewRegistry()
{
    static const QVector<ViewRow> rows = makeRows();
    return rows;
}

const ViewRow* findView(const QString& code)
{
    for (const ViewRow& row : viewRegistry())
        if (row.code == code)
            return &row;
    return nullptr;
}

const ViewRow* findViewFor(const QString& viewCode, QString* key)
{
    if (const ViewRow* row = findView(viewCode); row && row->viewCode == ViewCodeRule::Code) {
        if (key)
            key->clear();
        return row;
    }
    for (const ViewRow& row : viewRegistry()) {
        if (row.viewCode == ViewCodeRule::Code || !viewCode.startsWith(row.code) || viewCode.size() == row.code.size())
            continue;
        const QString rest = viewCode.mid(row.code.size());
        if (row.viewCode == ViewCodeRule::CodeAndKey && !isNumber(rest))
            continue;
        if (key)
            *key = row.viewCode == ViewCodeRule::Key ? viewCode : rest;
        return &row;
    }
    return nullptr;
}
