#include "sheets/ViewRegistry.h"

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

// ---- row makers ------------------------------------------------------------------

using Policy = OtherErrorPolicy;

// A sheet of one stock: the tree key prefix is followed by the stock's index.
ViewRow perStock(const char* code, const char* treePrefix, const char* pageSuffix, bool zoom, Policy others)
{
    ViewRow row;
    row.code = QString::fromLatin1(code);
    row.scope = ViewScope::PerStock;
    row.treeKeys = {QString::fromLatin1(treePrefix)};
    row.treeKeyMatch = TreeKeyMatch::PrefixAndIndex;
    row.cachePages = {QString::fromLatin1(pageSuffix)};
    row.zoomAware = zoom;
    row.otherErrors = others;
    return row;
}

ViewRow market(const char* code, QStringList treeKeys, QStringList pages, bool zoom, Policy others)
{
    ViewRow row;
    row.code = QString::fromLatin1(code);
    row.scope = ViewScope::Market;
    row.treeKeys = std::move(treeKeys);
    row.cachePages = std::move(pages);
    row.zoomAware = zoom;
    row.otherErrors = others;
    return row;
}

ViewRow withArguments(ViewRow row, QStringList arguments)
{
    row.treeKeyArguments = std::move(arguments);
    return row;
}

ViewRow leavingPointer(ViewRow row)
{
    row.leavesPointer = true;
    return row;
}

ViewRow withBuilder(ViewRow row, ViewBuilder builder)
{
    row.builder = builder;
    return row;
}

// An options view: paints its loading text first.
ViewRow optionsView(ViewRow row)
{
    row.builder = BuildOptionsSheet;
    row.loading = PaintOptionsLoading;
    return row;
}

ViewRow withCode(ViewRow row, ViewCodeRule rule)
{
    row.viewCode = rule;
    return row;
}

QVector<ViewRow> makeRegistry()
{
    constexpr bool zoom = true;
    constexpr bool noZoom = false;
    const Policy blank = Policy::Blank;
    QVector<ViewRow> rows;

    // The quotes of the set: the "All" root (the stock nodes reach it through the
    // row search of the dispatcher).
    {
        ViewRow row;
        row.code = QStringLiteral("Current");
        row.scope = ViewScope::StockSet;
        row.builder = BuildCurrentQuotes;
        row.treeKeys = {QStringLiteral("All")};
        row.zoomAware = true;
        row.usesLayout = true;
        row.quoteSettings = true;
        row.otherErrors = blank;  // the view has no message of its own
        rows << row;
    }

    // The sheets of a stock.
    rows << withBuilder(perStock("ABS", "ABS", "_Abs.Sh", zoom, blank), BuildAnnualBalanceSheet)
         // Its builder turns every failure but a file-not-found (53) into its own
         // message, a missing or empty page included.
         << withBuilder(perStock("AIS", "AIS", "_Ais.Sh", zoom, Policy::StandardMessage), BuildAnnualIncomeStatement)
         << withBuilder(perStock("EG", "EG", "_ee.Sh", noZoom, blank), BuildEarningsSheet)
         << withBuilder(perStock("EH", "EH", "_ee.Sh", noZoom, blank), BuildEarningsSheet)
         << withBuilder(perStock("ER", "ER", "_ee.Sh", noZoom, blank), BuildEarningsSheet)
         << withBuilder(perStock("EC", "EC", "_ee.Sh", noZoom, blank), BuildEarningsSheet)
         << withBuilder(perStock("IT", "IT", "_it.Sh", zoom, blank), BuildInsiderTrades)
         << withBuilder(perStock("QR", "QR", "_qr.Sh", zoom, blank), BuildQuarterlyReports)
         << withBuilder(perStock("Profile", "AR", "_P.Sh", zoom, blank), BuildProfile)
         << withBuilder(perStock("SI", "SI", "_SI.Sh", zoom, blank), BuildShortInterest)
         // The options views paint a loading text first and count a missing page
         // as filled; their other failures leave the grid as it is.
         << optionsView(perStock("Call", "Calls", "_op.Sh", zoom, blank))
         << optionsView(perStock("Put", "Puts", "_op.Sh", zoom, blank))
         << optionsView(perStock("Options", "Options", "_op.Sh", zoom, blank))
         << withBuilder(perStock("Split", "SPL", "_sp.Sh", zoom, blank), BuildSplits)
         << withBuilder(leavingPointer(perStock("NMR", "NMR", "_mr.Sh", zoom, blank)), BuildMomentum)
         << withBuilder(perStock("UPH", "UP", "_uph.Sh", zoom, blank), BuildUpgrades)
         << withBuilder(perStock("DNH", "DN", "_dnh.Sh", noZoom, blank), BuildDowngrades)
         << withBuilder(perStock("BRP", "BR", "_brp.Sh", zoom, blank), BuildBrokerReports);

    // The market lists. "BR" takes the page's file name as its key.
    rows << withBuilder(withArguments(
                market("BR",
                       {"pg",    "pl",    "vg",    "vl",    "52h",    "52l",    "mas",    "lmm",    "lmm_N",
                        "lmm_A", "pg_N",  "pl_N",  "vg_N",  "vl_N",   "52h_N",  "52l_N",  "mas_N",  "pg_A",
                        "pl_A",  "vg_A",  "vl_A",  "52h_A", "52l_A",  "mas_A",  "brdt",   "brdt_N", "brdt_A",
                        "brpu_Q", "brpu_N", "brpu_A", "brpd_Q", "brpd_N", "brpd_A"},
                       {"%1"}, noZoom, blank),
                {"brPG_Q.Sh",     "brPL_Q.Sh",     "brVG_Q.Sh",  "brVL_Q.Sh",  "br52-WPH_Q.Sh", "br52-WPL_Q.Sh",
                 "brMAS_Q.Sh",    "BrLMM_Q.Sh",    "BrLMM_N.Sh", "BrLMM_A.Sh", "brPG_N.Sh",     "brPL_N.Sh",
                 "brVG_N.Sh",     "brVL_N.Sh",     "br52-WPH_N.Sh", "br52-WPL_N.Sh", "brMAS_N.Sh", "brPG_A.Sh",
                 "brPL_A.Sh",     "brVG_A.Sh",     "brVL_A.Sh",  "br52-WPH_A.Sh", "br52-WPL_A.Sh", "brMAS_A.Sh",
                 "BrDT_Q.Sh",     "BrDT_N.Sh",     "BrDT_A.Sh",  "BrPU_Q.Sh",  "BrPU_N.Sh",     "BrPU_A.Sh",
                 "BrPD_Q.Sh",     "BrPD_N.Sh",     "BrPD_A.Sh"}), BuildMarketList)
         << withBuilder(withArguments(market("WINLOS", {"win", "los"}, {"mwwinners.Sh", "mwlosers.Sh"}, noZoom, blank),
                                      {"mwwinners.Sh", "mwlosers.Sh"}), FG_WinLos)
         << withBuilder(market("Coverage", {"ci"}, {"UpDown.Sh"}, zoom, blank), FG_AnalystActions)
         << withBuilder(market("Upgrade", {"up"}, {"UpDown.Sh"}, zoom, blank), FG_AnalystActions)
         << withBuilder(market("Downgrade", {"down"}, {"UpDown.Sh"}, zoom, blank), FG_AnalystActions)
         << withBuilder(market("SUP", {"sup"}, {"25_surp.Sh"}, zoom, blank), FG_SUP)
         // The US view reads US.dat of the program folder, not a cache page; the
         // group keys show the same view scrolled to their group.
         << withBuilder(leavingPointer(market("US",
                                              {"US", "US_DJ", "US_NY", "US_NQ", "US_SP", "US_OTHER", "US_TS",
                                               "US_COMM"},
                                              {}, zoom, blank)),
                        FG_US)
         << [&] {
                ViewRow row = market("WM", {"W_Market", "mkt_A", "mkt_AP", "mkt_E", "mkt_ME"}, {"Market.Sh"},
                                     zoom, blank);
                row.hourglass = false;  // no hourglass, the default pointer at the end
                row.builder = FG_WMarket;
                return row;
            }()
         << leavingPointer(withArguments(
                market("OptSum", {"OptSum_D", "OptSum_G", "OptSum_L"}, {"OptSum.Sh"}, noZoom, blank),
                {"0", "1", "2"}));

    // The fund tables: the key is the tree key itself and names the view.
    {
        const QStringList funds = {"F_Conv",     "F_Growth",  "F_Equity",  "F_Yield",   "F_LMM",     "F_Inter",
                                   "F_Precious", "F_Smith",   "F_AIM",     "F_Benham",  "F_Dean",    "F_Franklin",
                                   "F_Fidelity", "F_Merrill", "F_Janus",   "F_Putnam",  "F_Scudder", "F_Stagecoach",
                                   "F_Strong",   "F_T",       "F_Twentieth", "F_Vanguard"};
        rows << withCode(leavingPointer(withArguments(market("F_", funds, {"%1.Sh"}, zoom, blank), funds)),
                         ViewCodeRule::Key);
    }

    rows << withCode(withArguments(market("M_BRP", {"M_BRP_t", "AR_B"}, {"M_BRP.Sh"}, noZoom, blank), {"0", "1"}),
                     ViewCodeRule::CodeAndKey)
         << leavingPointer(market("IPO_Price", {"ipo_price"}, {"IPO_Prc.sh"}, zoom, blank))
         << leavingPointer(market("IPO_Gain", {"ipo_gain"}, {"IPO_G3.sh"}, zoom, blank))
         << leavingPointer(market("IPO_Loss", {"ipo_Loss"}, {"IPO_L3.sh"}, zoom, blank))
         << leavingPointer(market("IPO_Reg", {"ipo_reg"}, {"IPO_Reg.sh"}, zoom, blank))
         << leavingPointer(market("IPO_Last", {"ipo_last"}, {"IPO_lts.sh"}, zoom, blank))
         << leavingPointer(market("IPO_News", {"ipo_news"}, {"IPO_News.sh"}, zoom, blank))
         << leavingPointer(market("IPO_With", {"ipo_with"}, {"IPO_wp.sh"}, zoom, blank))
         << withCode(withArguments(market("FMS", {"SP_T", "SP_W", "SP_N", "SP_R", "SP_C"},
                                          {"FMS_Today.Sh", "FMS_Week.Sh", "FMS_Next.Sh", "FMS_Rec.Sh", "FMS_Tech.Sh"},
                                          noZoom, blank),
                                   {"0", "1", "2", "3", "4"}),
                     ViewCodeRule::CodeAndKey);

    // The portfolio views read Portfolio.dat afresh (scope Portfolio).
    const auto portfolio = [](const char* code, ViewBuilder builder, QStringList treeKeys) {
        ViewRow row;
        row.code = QString::fromLatin1(code);
        row.scope = ViewScope::Portfolio;
        row.builder = builder;
        row.treeKeys = std::move(treeKeys);
        row.zoomAware = true;
        row.otherErrors = OtherErrorPolicy::Blank;  // the views have no message of their own
        return row;
    };
    rows << portfolio("Port", buildHoldings, {"PortDetail"})
         << portfolio("PortLog", buildTransactionLog, {"PortLog"})
         << [&] {
                // The tree's portfolio symbols; the key is the node's text, the symbol.
                ViewRow row = portfolio("PortSelected", buildSymbolHoldings, {"TID"});
                row.treeKeyMatch = TreeKeyMatch::PrefixAndIndex;
                return row;
            }();
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
    static const QVector<ViewRow> rows = makeRegistry();
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
