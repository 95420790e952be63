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

#include <optional>

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
        row.rowUpdater = RedrawCurrentQuoteRow;
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
         << withBuilder(leavingPointer(withArguments(
                            market("OptSum", {"OptSum_D", "OptSum_G", "OptSum_L"}, {"OptSum.Sh"}, noZoom, blank),
                            {"0", "1", "2"})),
                        BuildOptionsSummary);

    // The fund tables: the key is the tree key itself and names the view.
    {
        const QStringList funds = {"F_Conv",     "F_Growth",  "F_Equity",  "F_Yield",   "F_LMM",     "F_Inter",
                                   "F_Precious", "F_Smith",   "F_AIM",     "F_Benham",  "F_Dean",    "F_Franklin",
                                   "F_Fidelity", "F_Merrill", "F_Janus",   "F_Putnam",  "F_Scudder", "F_Stagecoach",
                                   "F_Strong",   "F_T",       "F_Twentieth", "F_Vanguard"};
        rows << withBuilder(withCode(leavingPointer(withArguments(market("F_", funds, {"%1.Sh"}, zoom, blank), funds)),
                                     ViewCodeRule::Key),
                            BuildFunds);
    }

    rows << withBuilder(withCode(withArguments(market("M_BRP", {"M_BRP_t", "AR_B"}, {"M_BRP.Sh"}, noZoom, blank),
                                               {"0", "1"}),
                                 ViewCodeRule::CodeAndKey),
                        BuildMarketBrokerReports)
         << withBuilder(leavingPointer(market("IPO_Price", {"ipo_price"}, {"IPO_Prc.sh"}, zoom, blank)), BuildIpoPage)
         << withBuilder(leavingPointer(market("IPO_Gain", {"ipo_gain"}, {"IPO_G3.sh"}, zoom, blank)), BuildIpoPage)
         << withBuilder(leavingPointer(market("IPO_Loss", {"ipo_Loss"}, {"IPO_L3.sh"}, zoom, blank)), BuildIpoPage)
         << withBuilder(leavingPointer(market("IPO_Reg", {"ipo_reg"}, {"IPO_Reg.sh"}, zoom, blank)), BuildIpoPage)
         << withBuilder(leavingPointer(market("IPO_Last", {"ipo_last"}, {"IPO_lts.sh"}, zoom, blank)), BuildIpoPage)
         << withBuilder(leavingPointer(market("IPO_News", {"ipo_news"}, {"IPO_News.sh"}, zoom, blank)), BuildIpoPage)
         << withBuilder(leavingPointer(market("IPO_With", {"ipo_with"}, {"IPO_wp.sh"}, zoom, blank)), BuildIpoPage)
         << withBuilder(withCode(withArguments(market("FMS", {"SP_T", "SP_W", "SP_N", "SP_R", "SP_C"},
                                                      {"FMS_Today.Sh", "FMS_Week.Sh", "FMS_Next.Sh", "FMS_Rec.Sh",
                                                       "FMS_Tech.Sh"},
                                                      noZoom, blank),
                                               {"0", "1", "2", "3", "4"}),
                                 ViewCodeRule::CodeAndKey),
                        BuildSplitsCalendar);

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

// ---- the facts of the grid events, links, zoom window and menus -----------------

ViewRow* rowOf(QVector<ViewRow>& rows, const char* code)
{
    for (ViewRow& row : rows)
        if (row.code == QLatin1String(code))
            return &row;
    return nullptr;
}

// Applies set to the rows of codes (a code without a row is passed over).
template <typename Set>
void forCodes(QVector<ViewRow>& rows, std::initializer_list<const char*> codes, Set set)
{
    for (const char* code : codes)
        if (ViewRow* row = rowOf(rows, code))
            set(*row);
}

ColumnSet cols(QVector<int> columns, int from = -1)
{
    return ColumnSet{std::move(columns), from};
}

void setPointer(ViewRow& row, ColumnSet main, std::optional<ColumnSet> zoom = std::nullopt)
{
    row.pointerColumns = main;
    row.zoomPointerColumns = zoom ? *zoom : main;
}

void setLink(ViewRow& row, GridLink link, ColumnSet columns, int textColumn)
{
    row.link = link;
    row.linkColumns = std::move(columns);
    row.linkTextColumn = textColumn;
}

void addGridFacts(QVector<ViewRow>& rows)
{
    forCodes(rows, {"Current", "SUP", "QR", "IT", "BR", "Upgrade", "Downgrade", "Coverage", "Call", "Put"},
             [](ViewRow& r) { r.sortsOnDblClick = true; });

    // The link pointer, and what a click opens.
    forCodes(rows, {"F_", "SUP"}, [](ViewRow& r) { setPointer(r, cols({0})); });
    forCodes(rows, {"FMS"}, [](ViewRow& r) {
        setPointer(r, cols({0}), ColumnSet{});
        r.linkKeys = {QStringLiteral("1"), QStringLiteral("2")};
        setLink(r, GridLink::Momentum, cols({0}), 0);
    });
    forCodes(rows, {"IT", "US"}, [](ViewRow& r) { setPointer(r, cols({2})); });
    forCodes(rows, {"BR", "Upgrade", "Downgrade", "QR", "WINLOS", "IPO_News"},
             [](ViewRow& r) { setPointer(r, cols({1})); });
    forCodes(rows, {"IPO_Price", "IPO_Last"}, [](ViewRow& r) {
        setPointer(r, cols({1}, 5));
        setLink(r, GridLink::LinkWord, cols({1}, 5), 2);
    });
    forCodes(rows, {"Coverage"}, [](ViewRow& r) {
        setPointer(r, cols({1, 4}));
        setLink(r, GridLink::QuoteThenNews, cols({1, 4}), 1);
    });
    forCodes(rows, {"Call", "Put"}, [](ViewRow& r) {
        setPointer(r, cols({0, 5}), cols({0}));
        setLink(r, GridLink::OptionTicker, cols({0}), 0);
    });
    forCodes(rows, {"IPO_Gain", "IPO_Loss"}, [](ViewRow& r) {
        setPointer(r, cols({1}, 6));
        setLink(r, GridLink::LinkWord, cols({1}, 6), 1);
    });
    forCodes(rows, {"WM"}, [](ViewRow& r) {
        setPointer(r, cols({3}, 7));
        // Column 6 opens a page too, though the pointer shows from column 7.
        setLink(r, GridLink::LinkWordCaret, cols({3}, 6), 2);
    });
    forCodes(rows, {"IPO_Reg"}, [](ViewRow& r) {
        setPointer(r, cols({7}));
        setLink(r, GridLink::IpoProfile, cols({7}), 2);
    });
    forCodes(rows, {"IPO_With"}, [](ViewRow& r) {
        setPointer(r, cols({6}));
        setLink(r, GridLink::IpoProfile, cols({6}), 2);
    });
    forCodes(rows, {"Options"}, [](ViewRow& r) {
        setPointer(r, cols({1, 8}));
        setLink(r, GridLink::OptionTickerJoined, cols({1, 8}), -1);
    });
    forCodes(rows, {"QR"}, [](ViewRow& r) { setLink(r, GridLink::FilingText, cols({1}), 4); });
    // Column 5 opens the news page, though the pointer shows over column 1 only.
    forCodes(rows, {"Upgrade", "Downgrade"},
             [](ViewRow& r) { setLink(r, GridLink::QuoteThenNews, cols({1, 5}), 1); });
    forCodes(rows, {"WINLOS"}, [](ViewRow& r) { setLink(r, GridLink::CompanyDigest, cols({1}), 1); });
    forCodes(rows, {"SUP"}, [](ViewRow& r) { setLink(r, GridLink::BrokerResearch, cols({0}), 0); });
    forCodes(rows, {"IT"}, [](ViewRow& r) { setLink(r, GridLink::NewsRelative, cols({2}), 1); });
    forCodes(rows, {"IPO_News"}, [](ViewRow& r) { setLink(r, GridLink::NewsRelative, cols({1}), 4); });
    forCodes(rows, {"BR"}, [](ViewRow& r) { setLink(r, GridLink::WholeAddress, cols({1}), 9); });
    forCodes(rows, {"US"}, [](ViewRow& r) { setLink(r, GridLink::WholeAddress, cols({2}), 8); });
    // A click in the statements marks the cell, in every row and column.
    forCodes(rows, {"ABS", "AIS"}, [](ViewRow& r) { setLink(r, GridLink::MarkRed, cols({}, 0), -1); });

    // The right-button menus.
    forCodes(rows, {"Current"}, [](ViewRow& r) { r.popup = GridPopup::Quotes; });
    forCodes(rows, {"Port"}, [](ViewRow& r) { r.popup = GridPopup::Holdings; });
    forCodes(rows, {"PortLog"}, [](ViewRow& r) { r.popup = GridPopup::Log; });
    forCodes(rows, {"Current", "Port"}, [](ViewRow& r) { r.popupInZoom = true; });

    // The "Zoom" button, and the zoom grid's column widths by window width.
    forCodes(rows,
             {"Current", "ABS", "AIS", "QR", "IT", "Call", "Put", "Options", "Split", "NMR", "UPH", "BRP", "Profile",
              "SI", "Coverage", "Downgrade", "Upgrade", "SUP", "US", "WM", "IPO_Price", "IPO_Gain", "IPO_Loss",
              "IPO_Reg", "IPO_Last", "IPO_News", "IPO_With", "Port", "PortLog", "F_"},
             [](ViewRow& r) { r.zoomable = true; });
    const struct
    {
        const char* code;
        QVector<int> widths;
    } widths[] = {
        {"F_", {12, 48, 12, 12, 12}},
        {"WINLOS", {2, 10, 48, 12, 12, 12}},
        {"ABS", {31, 13, 13, 13, 13, 13}},
        {"AIS", {31, 13, 13, 13, 13, 13}},
        {"IPO_Price", {12, 25, 10, 16, 10, 9, 9, 9, 9, 9, 9, 9, 9, 9}},
        {"IPO_Gain", {25, 10, 12, 10, 10, 11, 9, 9, 9, 9, 9, 9, 9, 9}},
        {"IPO_Loss", {25, 10, 12, 10, 10, 11, 9, 9, 9, 9, 9, 9, 9, 9}},
        {"IPO_Last", {9, 9, 20, 18, 12, 9, 9, 9, 9, 9, 9, 9, 9, 9}},
        {"IPO_Reg", {12, 25, 10, 9, 12, 15, 12, 9}},
        {"IPO_News", {2, 70, 12, 12, 0}},
        {"IPO_With", {12, 25, 10, 10, 18, 12, 10}},
        {"Coverage", {25, 12, 27, 20, 12}},
        {"Downgrade", {25, 12, 25, 12, 12, 10}},
        {"Upgrade", {25, 12, 25, 12, 12, 10}},
        {"QR", {15, 15, 66, 0, 0, 0, 0}},
        {"US", {4, 30, 9, 10, 12, 10, 12, 20, 0}},
        {"WM", {4, 20, 10, 10, 9, 12, 12, 12, 10}},
        {"SUP", {10, 32, 18, 18, 18}},
        {"IT", {13, 0, 30, 12, 10, 10, 10, 12}},
        {"BRP", {12, 20, 65}},
        {"UPH", {12, 20, 66}},
        {"Split", {17, 17, 16, 16, 16, 16}},
        {"NMR", {97}},
        {"Port", {9, 10, 8, 8, 6, 13, 13, 10, 10, 12, 0}},
        {"PortLog", {12, 10, 15, 12, 12, 12, 15}},
        {"Profile", {1, 97, 1}},
        {"Options", {2, 12, 8, 8, 8, 8, 8, 8, 12, 8, 8, 8, 8, 8, 8}},
        {"SI", {20, 25, 25, 25}},
    };
    for (const auto& w : widths)
        if (ViewRow* row = rowOf(rows, w.code))
            row->zoomWidths = w.widths;

    // The report menus: item 0 "HTML", items 1 and up the exports of the set.
    forCodes(rows, {"Current"}, [](ViewRow& r) {
        r.reportItemsMain = {0, 1, 2, 3, 4, 5, 6, 7, 8, 15, 16};
        r.reportItemsZoom = {0, 1, 2, 3, 4, 5, 6, 7, 8, 15};
        r.htmlReport = HtmlReport::OfSet;
        r.htmlReportInZoom = true;
    });
    forCodes(rows, {"ABS", "AIS", "IT", "EC", "ER", "EH", "EG", "Call", "Put"}, [](ViewRow& r) {
        r.reportItemsMain = {0};
        r.reportItemsZoom = {0};
        r.htmlReport = HtmlReport::OfSymbol;
        r.htmlReportInZoom = true;
    });
    forCodes(rows, {"QR", "SI"}, [](ViewRow& r) {
        r.reportItemsMain = {0};
        r.htmlReport = HtmlReport::OfSymbol;
    });
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
    static const QVector<ViewRow> rows = [] {
        QVector<ViewRow> made = makeRegistry();
        addGridFacts(made);
        return made;
    }();
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
