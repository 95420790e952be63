#include "pages/PageCatalogue.h"

#include <stdexcept>

namespace pages {

namespace {

constexpr auto Fetch = Transport::FetchControl;
constexpr auto Sock = Transport::Socket;
constexpr auto Next = OnMissingFile::NextRow;
constexpr auto End = OnMissingFile::EndProcedure;
constexpr bool zoom = true;
constexpr bool noZoom = false;

// ---- row makers --------------------------------------------------------------------

// One page per stock of the set.
Download perStock(const char* procedure, int item, Site site, const char* path, const char* file, Transport transport,
                  Rows rows, SizeRule rule, int threshold, const char* status, OnMissingFile onMissing,
                  const char* caption)
{
    Download d;
    d.procedure = QString::fromLatin1(procedure);
    d.firstItem = d.lastItem = item;
    d.site = site;
    d.pathAndQuery = QString::fromLatin1(path);
    d.fileName = QString::fromLatin1(file);
    d.transport = transport;
    d.rows = rows;
    d.sizeRule = rule;
    d.threshold = threshold;
    d.status = QString::fromLatin1(status);
    d.onMissing = onMissing;
    d.caption = QString::fromLatin1(caption);
    d.updatePage = UpdatePage::StocksData;
    return d;
}

// One market-wide page (or one per member).
Download market(const char* procedure, int first, int last, Site site, const char* path, bool noScheme,
                const char* file, Transport transport, SizeRule rule, int threshold, const char* status,
                const char* caption, UpdatePage page)
{
    Download d;
    d.procedure = QString::fromLatin1(procedure);
    d.firstItem = first;
    d.lastItem = last;
    d.site = site;
    d.pathAndQuery = QString::fromLatin1(path);
    d.noScheme = noScheme;
    d.fileName = QString::fromLatin1(file);
    d.transport = transport;
    d.sizeRule = rule;
    d.threshold = threshold;
    d.status = QString::fromLatin1(status);
    d.caption = QString::fromLatin1(caption);
    d.updatePage = page;
    return d;
}

// A sheet of one stock: its tree nodes carry the prefix and the stock's row; a click
// on the strip shows it again for the new stock.
View sheet(const char* code, bool zoomAware, OtherErrorPolicy others = OtherErrorPolicy::Blank)
{
    View v;
    v.code = QString::fromLatin1(code);
    v.scope = ViewScope::PerStock;
    v.treeKeyMatch = TreeKeyMatch::PrefixAndIndex;
    v.zoomAware = zoomAware;
    v.otherErrors = others;
    v.stripRedraws = true;
    return v;
}

View list(const char* code, bool zoomAware)
{
    View v;
    v.code = QString::fromLatin1(code);
    v.scope = ViewScope::Market;
    v.zoomAware = zoomAware;
    return v;
}

View leaving(View v)
{
    v.leavesPointer = true;
    return v;
}

// A node under each stock: the key prefix, the text, the view (and the picture).
TreeLeaf stockLeaf(const char* key, const char* text, const char* view, int image = 3)
{
    return TreeLeaf{QStringLiteral("ID"), QString::fromLatin1(key), QString::fromLatin1(text), image,
                    QString::fromLatin1(view), QString(), -1, false};
}

TreeLeaf leaf(const char* parent, const char* key, const char* text, const char* view, QString argument = QString(),
              int marketList = -1, int image = 3)
{
    return TreeLeaf{QString::fromLatin1(parent), QString::fromLatin1(key), QString::fromLatin1(text), image,
                    QString::fromLatin1(view), std::move(argument), marketList, false};
}

// A node the market-list menu names too: its item.
TreeLeaf onMenu(TreeLeaf l, int menuItem)
{
    l.menuItem = menuItem;
    return l;
}

TreeLeaf group(const char* parent, const char* key, const char* text, const char* view)
{
    TreeLeaf l = leaf(parent, key, text, view);
    l.groupTop = true;
    return l;
}

ColumnSet cols(QVector<int> columns, int from = -1)
{
    return ColumnSet{std::move(columns), from};
}

void pointer(View& v, ColumnSet main, std::optional<ColumnSet> zoomGrid = std::nullopt)
{
    v.pointerColumns = main;
    v.zoomPointerColumns = zoomGrid ? *zoomGrid : main;
}

void link(View& v, GridLink to, ColumnSet columns, int textColumn)
{
    v.link = to;
    v.linkColumns = std::move(columns);
    v.linkTextColumn = textColumn;
}

// The "HTML" item of the report menus writes the view's page of the current stock.
void symbolReport(View& v, bool inZoom = true)
{
    v.reportItemsMain = {0};
    if (inZoom)
        v.reportItemsZoom = {0};
    v.htmlReport = HtmlReport::OfSymbol;
    v.htmlReportInZoom = inZoom;
}

void report(View& v, const char* folder, const char* name, const char* subtitle)
{
    v.reportFolder = QString::fromLatin1(folder);
    v.reportName = QString::fromLatin1(name);
    v.reportSubtitle = QString::fromLatin1(subtitle);
}

void summary(View& v, const char* name, int order, const char* headline, const char* progress, int box,
             const char* caption)
{
    v.summaryName = QString::fromLatin1(name);
    v.summaryOrder = order;
    v.summaryHeadline = QString::fromLatin1(headline);
    v.summaryProgress = QString::fromLatin1(progress);
    v.summaryBox = box;
    v.summaryCaption = QString::fromLatin1(caption);
}

// ---- the stocks' pages ---------------------------------------------------------------

void addStockPages(std::vector<PageKind>& rows)
{
    rows.push_back({PageId::Recommendation, Scope::PerStock,
                    {[] {
                        Download d = perStock("UpdateRec", 0, Site::Recommendations, "/cgi-bin/ShowFreeCompRep?{SYM}",
                                              "Rec.Sh", Fetch, Rows::ThroughCountTwoChars, SizeRule::None, 0,
                                              "Getting {SYM} Recommendations. ", Next, "Update Recommendation Graph");
                        d.special = Special::Recommendation;
                        return d;
                    }()},
                    {},
                    {}});
    rows.back().summaryBox = 1;
    rows.back().summaryCaption = QStringLiteral("Analyst's Recommandation ");
    rows.push_back({PageId::News, Scope::PerStock,
                    {[] {
                        Download d = perStock("UpdateNews", 2, Site::Quotes, "/q?s={SYM}", "Temp.htm", Fetch,
                                              Rows::Set, SizeRule::None, 0, "Getting {SYM} Latest News...", Next,
                                              "Update News");
                        d.special = Special::News;
                        return d;
                    }()},
                    {},
                    {}});

    // The annual statements: one downloader, two pages.
    const auto statement = [](const char* code, int item, const char* hist, const char* file, const char* title,
                              const char* caption) {
        Download d = perStock("UpdateAnnualReport", item, Site::ResearchReport, hist, file, Fetch, Rows::Set,
                              SizeRule::Below, 1000, "Getting {SYM}{TITLE}", Next, caption);
        d.special = Special::AnnualReport;
        d.code = QString::fromLatin1(code);
        d.title = QString::fromLatin1(title);
        return d;
    };
    {
        View v = sheet("ABS", zoom);
        v.askedCase = View::AskedCase::TitleCase;
        link(v, GridLink::MarkRed, cols({}, 0), -1);  // a click marks the cell, in every row and column
        v.zoomable = true;
        v.zoomWidths = {31, 13, 13, 13, 13, 13};
        symbolReport(v);
        report(v, "Annual Balance Sheet", ".htm", "Annual Balance Sheet");
        summary(v, "S_ABS", 0, "Annual Balance Sheet", "Processing Annual Balance Sheet report, please wait..", 3,
                "Annual Balance Sheet ");
        rows.push_back({PageId::BalanceSheet, Scope::PerStock,
                        {statement("ABS", 3, "/cgi-bin/JMFR/FreeReport?ref=DEF&ticker={SYM}&hist=2", "{SYM}_ABS.Sh",
                                   "   Updating Annual Balance Sheet...", "Update Annual Balance Sheet")},
                        {v},
                        {stockLeaf("ABS", "Annual Balance Sheet", "ABS")}});
    }
    {
        // Its builder turns every failure but a file-not-found (53) into its own
        // message, a missing or empty page included.
        View v = sheet("AIS", zoom, OtherErrorPolicy::StandardMessage);
        v.askedCase = View::AskedCase::TitleCase;
        link(v, GridLink::MarkRed, cols({}, 0), -1);
        v.zoomable = true;
        v.zoomWidths = {31, 13, 13, 13, 13, 13};
        symbolReport(v);
        report(v, "Annual Income statement", ".htm", "Annual Income Statement ");
        summary(v, "S_AIS", 1, "Annual Income Statement", "Processing Annual Income Statement report, please wait..",
                4, "Annual Income Statement ");
        rows.push_back({PageId::IncomeStatement, Scope::PerStock,
                        {statement("AIS", 4, "/cgi-bin/JMFR/FreeReport?ref=DEF&ticker={SYM}&hist=1", "{SYM}_AIS.Sh",
                                   "   Updating Annual Income Statement...", "Update Annual Incomes Statement")},
                        {v},
                        {stockLeaf("AIS", "Annual Income Statement", "AIS")}});
    }
    {
        // Four views of the estimates page; the strip leaves the consensus trend alone.
        const auto estimate = [](const char* code, const char* reportName, const char* subtitle) {
            View v = sheet(code, noZoom);
            symbolReport(v);
            report(v, "Earnings", reportName, subtitle);
            return v;
        };
        View eg = estimate("EG", " Earnings Growth.Htm", "Earnings Growth");
        summary(eg, "S_EG", 2, "Earning Growth", "Processing Earnings Growth report, please wait..", 5,
                "Earning Growth ");
        View eh = estimate("EH", " Earnings History.Htm", "Earnings History");
        summary(eh, "S_EH", 3, "Earning History", "Processing Earnings History report, please wait..", 6,
                "Earning History ");
        View er = estimate("ER", "Earnings Estimates.htm", "Earnings Estimates");
        summary(er, "S_EE", 4, "Earning Estimates", "Processing Earnings Estimates report, please wait..", 7,
                "Earning Estimates ");
        View ec = estimate("EC", " Consensus EPS Trend.Htm", "Consensus EPS Trend");
        ec.stripRedraws = false;
        summary(ec, "S_EC", 5, "Consensus EPS Trade", "Processing Consensus EPS Trend report, please wait..", 8,
                "Consensus EPS Trade ");
        Download d = perStock("UpdateEstimates", 5, Site::BusinessNews, "/z/a/{FIRST}/{SYM}.html", "{SYM}_ee.Sh",
                              Fetch, Rows::Set, SizeRule::Below, 1000,
                              "Getting {SYM} Earnings Estimates & Recommendations", End,
                              "Earnings Estimates and Recommendations");
        d.statusGap = 5;
        rows.push_back({PageId::Estimates, Scope::PerStock, {d}, {eg, eh, er, ec},
                        {stockLeaf("EG", "Earning Growth", "EG"), stockLeaf("EH", "Earning History", "EH"),
                         stockLeaf("ER", "Earning Estimates", "ER"), stockLeaf("EC", "Consensus EPS Trend", "EC")}});
    }
    {
        View v = sheet("IT", zoom);
        v.sortsOnDblClick = true;
        pointer(v, cols({2}));
        link(v, GridLink::NewsRelative, cols({2}), 1);
        v.zoomable = true;
        v.zoomWidths = {13, 0, 30, 12, 10, 10, 10, 12};
        symbolReport(v);
        report(v, "Insiders Traders", ".htm", "Insiders Traders");
        summary(v, "S_IT", 11, "Insider Trader", "Processing Insider Trades report, please wait..", 9,
                "Insider Trader *");
        rows.push_back({PageId::InsiderTrades, Scope::PerStock,
                        {perStock("UpdateIT", 7, Site::BusinessNews, "/t/{FIRST}/{SYM}.html", "{SYM}_it.Sh", Fetch,
                                  Rows::Set, SizeRule::Below, 1000, "Getting {SYM} Insider Trades", End,
                                  "Insider Trades ")},
                        {v},
                        {stockLeaf("IT", "Insider Trade", "IT")}});
    }
    {
        View v = sheet("QR", zoom);
        v.sortsOnDblClick = true;
        pointer(v, cols({1}));
        link(v, GridLink::FilingText, cols({1}), 4);
        v.zoomable = true;
        v.zoomWidths = {15, 15, 66, 0, 0, 0, 0};
        symbolReport(v, false);
        report(v, "Quarterly Reports", " Quarterly Reports.htm", "Quarterly Reports ");
        summary(v, "S_QR", 12, "Quarterly Reports", "Processing Quarterly report, please wait..", 17,
                "Quarterly Reports *");
        rows.push_back({PageId::QuarterlyReports, Scope::PerStock,
                        {perStock("UpdateQR", 6, Site::Filings, "/brand/yahoo/search/?sym={SYM}", "{SYM}_qr.Sh",
                                  Fetch, Rows::Set, SizeRule::Below, 1000, "Getting {SYM} Quarterly Report. ", End,
                                  "Update Quarterly Reports ")},
                        {v},
                        {stockLeaf("QR", "Quarterly Reports", "QR")}});
    }
    {
        // The options views paint a loading text first and count a missing page as
        // filled; their other failures leave the grid as it is.
        View call = sheet("Call", zoom);
        call.sortsOnDblClick = true;
        pointer(call, cols({0, 5}), cols({0}));
        link(call, GridLink::OptionTicker, cols({0}), 0);
        call.zoomable = true;
        symbolReport(call);
        report(call, "Options", " Calls.htm", "Calls");
        summary(call, "S_Calls", 13, "Calls", "Processing Calls report, please wait..", 14, "Calls *");
        View put = sheet("Put", zoom);
        put.sortsOnDblClick = true;
        pointer(put, cols({0, 5}), cols({0}));
        link(put, GridLink::OptionTicker, cols({0}), 0);
        put.zoomable = true;
        symbolReport(put);
        report(put, "Options", " Puts.htm", "Puts");
        summary(put, "S_Puts", 14, "Puts", "Processing Puts report, please wait..", 15, "Puts *");
        View both = sheet("Options", zoom);
        pointer(both, cols({1, 8}));
        link(both, GridLink::OptionTickerJoined, cols({1, 8}), -1);
        both.zoomable = true;
        both.zoomWidths = {2, 12, 8, 8, 8, 8, 8, 8, 12, 8, 8, 8, 8, 8, 8};
        rows.push_back({PageId::Options, Scope::PerStock,
                        {perStock("UpdateOptions", 8, Site::OptionQuotes, "/QuoteTable.dat?TICKER={UCASE}",
                                  "{SYM}_op.Sh", Sock, Rows::Set, SizeRule::Below, 1000,
                                  "Getting {SYM} Call/Put Options", Next, "Update Call/Put Options")},
                        {call, put, both},
                        {stockLeaf("Calls", "Calls", "Call"), stockLeaf("Puts", "Puts", "Put"),
                         stockLeaf("Options", "Options", "Options")}});
    }

    // The analysts' pages of one stock: socket, the name test, 2,500 bytes.
    const auto analysts = [](const char* procedure, int item, const char* path, const char* file, const char* status,
                             const char* caption) {
        return perStock(procedure, item, Site::AnalystsActions, path, file, Sock, Rows::Set, SizeRule::NameTestBelow,
                        2500, status, Next, caption);
    };
    {
        View v = sheet("Split", zoom);
        v.zoomable = true;
        v.zoomWidths = {17, 17, 16, 16, 16, 16};
        summary(v, "S_Split", 6, "Split History", "Processing stock split history report, please wait..", 16,
                "Split History");
        rows.push_back({PageId::SplitsHistory, Scope::PerStock,
                        {analysts("UpdateSplits", 9, "/splits/splits-single-company.asp?symbol={LCASE}",
                                  "{SYM}_sp.Sh", "Updating {SYM} Splits History", "Update Splits History")},
                        {v},
                        {stockLeaf("SPL", "Splits History", "Split")}});
    }
    {
        View v = sheet("UPH", zoom);
        v.zoomable = true;
        v.zoomWidths = {12, 20, 66};
        summary(v, "S_UPH", 7, "Upgrades History", "Processing stock Upgrades history report, please wait..", 10,
                "Upgrades History  ");
        rows.push_back({PageId::UpgradesHistory, Scope::PerStock,
                        {analysts("UpdateUpgradesHistory", 10, "/upgrades-single-company.asp?symbol={LCASE}",
                                  "{SYM}_uph.Sh", "Updating {SYM} Upgrades History", "Update Upgrades History")},
                        {v},
                        {stockLeaf("UP", "Upgrades History", "UPH")}});
    }
    {
        View v = sheet("DNH", noZoom);
        summary(v, "S_DNH", 8, "Downgrades History", "Processing stock downgrades report, please wait..", 11,
                "Downgrades History ");
        rows.push_back({PageId::DowngradesHistory, Scope::PerStock,
                        {analysts("UpdateDowngradesHistory", 11, "/downgrades-single-company.asp?symbol={LCASE}",
                                  "{SYM}_dnh.Sh", "Updating {SYM} Downgrades History", "Update Downgrades History")},
                        {v},
                        {stockLeaf("DN", "Downgrades History", "DNH")}});
    }
    {
        View v = leaving(sheet("NMR", zoom));
        v.zoomable = true;
        v.zoomWidths = {97};
        summary(v, "S_MR", 9, "Momentum Rating", "Processing Momentum report, please wait..", 12, "Momentum Rating ");
        // The box names the rating's provider, then " Momentum Rating".
        rows.push_back({PageId::MomentumRating, Scope::PerStock,
                        {analysts("UpdateMomentumRating", 12, "/momentum-rating-single-company.asp?symbol={LCASE}",
                                  "{SYM}_mr.Sh", "Updating {SYM} Momentum Rating", "Analyst Desk Momentum Rating")},
                        {v},
                        {stockLeaf("NMR", "Momentum Rating", "NMR")}});
    }
    {
        View v = sheet("BRP", zoom);
        v.zoomable = true;
        v.zoomWidths = {12, 20, 65};
        summary(v, "S_BRP", 10, "Broker Reports", "Processing Broker Reports report, please wait..", 13,
                "Broker Reports ");
        rows.push_back({PageId::BrokerReports, Scope::PerStock,
                        {analysts("UpdateBrokerReports", 13, "/reports-single-company.asp?symbol={LCASE}",
                                  "{SYM}_brp.Sh", "Updating {SYM} Broker Reports", "Broker Reports")},
                        {v},
                        {stockLeaf("BR", "Broker Reports", "BRP")}});
    }
    {
        View v = sheet("Profile", zoom);
        v.zoomable = true;
        v.zoomWidths = {1, 97, 1};
        v.summaryBox = 0;
        v.summaryCaption = QStringLiteral("Profile");
        rows.push_back({PageId::Profile, Scope::PerStock,
                        {perStock("UpdateProfile", 14, Site::CompanyProfile,
                                  "/cgi-bin/brand_newsalert_mlist.cgi?symbol={UCASE}", "{SYM}_P.Sh", Fetch,
                                  Rows::SetTwoChars, SizeRule::Below, 2500, "Updating {SYM} Profile", End, "Profile")},
                        {v},
                        {stockLeaf("AR", "Profile", "Profile", 9)}});
    }
    {
        View v = sheet("SI", zoom);
        v.zoomable = true;
        v.zoomWidths = {20, 25, 25, 25};
        symbolReport(v, false);
        report(v, "Misc", " Short Interest.Htm", "Short Interest");
        summary(v, "S_SI", 15, "Short Interest", "Processing Short Interest report, please wait..", 18,
                "Short Interest");
        rows.push_back({PageId::ShortInterest, Scope::PerStock,
                        {perStock("UpdateShortInterest", 88, Site::ShortInterest,
                                  "/asp/quotes_full.asp?kind=shortint&symbol={UCASE}%60&selected={UCASE}%60",
                                  "{SYM}_SI.Sh", Sock, Rows::Set, SizeRule::NameTestBelow, 2500,
                                  "Updating {SYM} Short Interest ", Next, "Short Interest ")},
                        {v},
                        {stockLeaf("SI", "Short Interest ", "SI")}});
    }
    {
        // One stock's quote page, fetched by the run itself (UpdateCurrentPrices) into
        // one file that each stock's page overwrites; its parser asks for it as
        // "YahooQuote.Sh". No view reads it: the quotes view shows the set.
        Download d = perStock("UpdateCurrentPrices", 1, Site::Price, "/q?s={LCASE}&d=t", "Yahooquote.Sh", Fetch,
                              Rows::ThroughCountTwoChars, SizeRule::None, 0,
                              "Updating Current Price - {SYM} Current Prices", Next, "Update Current Stock Prices");
        d.askedFileName = QStringLiteral("YahooQuote.Sh");
        rows.push_back({PageId::QuotePage, Scope::PerStock, {d}, {}, {}});
    }
}

// ---- the set's quotes and the market's pages ------------------------------------------

// The movers lists (reports 1 to 8) and the screens (8 to 10), each on three
// exchanges: the boxes run NASDAQ, NYSE, AMEX; the tree's folders NASDAQ ("ConQ",
// bare keys but for the screens), AMEX ("ConsA", keys ending "_A"), NYSE ("ConsN", "_N").
struct ListDesc
{
    const char* code;       // "PG"
    const char* title;      // "Price-Gain"
    const char* rowCaption; // the exchange grid's row
    const char* treeKey;    // NASDAQ's key
    const char* treeText;
    int marketList[3];      // NASDAQ, NYSE, AMEX; -1 none
    bool askedLowerFirst;
    int menuItem = -1;          // the market-list menu's item, every exchange
    const char* listTitle = ""; // before " (NASDAQ)"
    const char* treeTitle = "";
};

struct ExchangeDesc
{
    const char* name;
    std::int16_t number;
    const char* suffix;      // of the code: "_Q"
    const char* treeParent;
    const char* keySuffix;   // of the tree key ("" for NASDAQ's movers)
    ExchangeColumn column;
};

std::vector<Member> listMembers(int firstItem, std::int16_t firstReport, int firstGridRow,
                                std::initializer_list<ListDesc> lists, const ExchangeDesc (&exchanges)[3],
                                bool screens)
{
    std::vector<Member> members;
    int n = 0;
    for (const ListDesc& l : lists) {
        for (int x = 0; x < 3; ++x) {
            const ExchangeDesc& e = exchanges[x];
            Member m;
            m.item = firstItem + 3 * n + x;
            m.code = QString::fromLatin1(l.code) + QLatin1String(e.suffix);
            m.title = QString::fromLatin1(l.title) + QStringLiteral(" (") + QLatin1String(e.name) + u')';
            m.report = std::int16_t(firstReport + n);
            m.exchange = e.number;
            m.exchangeName = QString::fromLatin1(e.name);
            m.screen = QString::fromLatin1(l.code);
            m.gridRow = firstGridRow + n;
            m.column = e.column;
            m.rowCaption = QString::fromLatin1(l.rowCaption);
            m.caption = e.column == ExchangeColumn::AMEX ? m.rowCaption : QString();
            m.treeParent = QString::fromLatin1(e.treeParent);
            // The screens' keys: "brdt" on NASDAQ, "brpu_Q" for the others; the movers': bare on NASDAQ.
            QString key = QString::fromLatin1(l.treeKey);
            if (screens)
                key = key.left(key.indexOf(u'_') < 0 ? key.size() : key.indexOf(u'_'));
            if (x == 0)
                m.treeKey = QString::fromLatin1(l.treeKey);
            else
                m.treeKey = key + QLatin1String(e.keySuffix);
            m.treeText = QString::fromLatin1(l.treeText);
            m.marketList = l.marketList[x];
            m.askedLowerFirst = l.askedLowerFirst;
            m.menuItem = l.menuItem;
            if (*l.listTitle)
                m.listTitle = QString::fromLatin1(l.listTitle) + QStringLiteral(" (") + QLatin1String(e.name) + u')';
            m.treeTitle = QString::fromLatin1(l.treeTitle);
            members.push_back(m);
        }
        ++n;
    }
    return members;
}

void addMarketPages(std::vector<PageKind>& rows)
{
    {
        View v;
        v.code = QStringLiteral("Current");
        v.scope = ViewScope::StockSet;
        v.zoomAware = true;
        v.usesLayout = true;
        v.quoteSettings = true;
        v.readsPage = false;
        v.sortsOnDblClick = true;
        v.popup = GridPopup::Quotes;
        v.popupInZoom = true;
        v.zoomable = true;
        v.reportItemsMain = {0, 1, 2, 3, 4, 5, 6, 7, 8, 15, 16};
        v.reportItemsZoom = {0, 1, 2, 3, 4, 5, 6, 7, 8, 15};
        v.htmlReport = HtmlReport::OfSet;
        v.htmlReportInZoom = true;
        v.summaryBox = 2;
        v.summaryCaption = QStringLiteral("Latest Prices");
        // The set's root ("Stocks-" and the set's name); the stock nodes reach it
        // through the row search of the dispatcher.
        rows.push_back({PageId::CurrentQuotes, Scope::StockSet, {}, {v},
                        {leaf("", "All", "", "Current", QString(), -1, 14)}});
    }

    const ExchangeDesc movers[3] = {{"NASDAQ", 2, "_Q", "ConQ", "", ExchangeColumn::NASDAQ},
                                    {"NYSE", 1, "_N", "ConsN", "_N", ExchangeColumn::NYSE},
                                    {"AMEX", 3, "_A", "ConsA", "_A", ExchangeColumn::AMEX}};
    View br = list("BR", noZoom);
    br.sortsOnDblClick = true;
    pointer(br, cols({1}));
    link(br, GridLink::WholeAddress, cols({1}), 9);
    {
        Download d = market("UpdateBigMovers", 20, 43, Site::MarketReports,
                            "/reports/bigmovers.asp?date={D}&data={DATA}&start=0&report={REPORT}"
                            "&report_country_code=us",
                            false, "Br{CODE}.Sh", Fetch, SizeRule::None, 0, "Updating {TITLE}", "",
                            UpdatePage::DailyConsultation);
        d.members = listMembers(20, 1, 0,
                                {{"PG", "Price-Gain", "Largest % Gain In Price", "pg", "Largest % Gain In Price",
                                  {4, 14, 21}, true, 4, "Largest % Gain in Price"},
                                 {"PL", "Price-Loss", "Largest % Loss In Price", "pl", "Largest % Loss In Price",
                                  {5, 15, 22}, true, 5, "Largest % Loss in Price"},
                                 {"VG", "Volume-Gain", "Largest % Gain In Volume", "vg", "Largest % Gain In Volume",
                                  {6, 16, 23}, true, 6, "Largest % Gain in Volume"},
                                 {"VL", "Volume-Loss", "Largest % Loss In Volume", "vl", "Largest % Loss In Volume",
                                  {7, 17, 24}, true, 7, "Largest % Loss in Volume"},
                                 {"52-WPH", "52-Week Price Highs", "52-Week Price Highs", "52h", "52 Weeks Price High",
                                  {8, 18, 25}, true, 8, "New 52-Week Price High"},
                                 {"52-WPL", "52-Week Price Lows", "52-Week Price Lows", "52l", "52 Weeks Price Low",
                                  {9, 19, 26}, true, 9, "New 52-Week Price Lows"},
                                 {"MAS", "Most-Active Stocks", "Most Active Stocks", "mas", "Most Active Stocks",
                                  {10, 20, 27}, true, 10, "Most Active Stocks"},
                                 {"LMM", "Largest Money Movers", "Largest Money Movers", "lmm", "Largest Money Movers",
                                  {28, 29, 30}, false, -1, "Largest Money Movers "}},
                                movers, false);
        d.memberView = br.code;
        // AMEX's money movers carry a blank after their text.
        for (Member& m : d.members)
            if (m.treeKey == QLatin1String("lmm_A"))
                m.treeText += u' ';
        rows.push_back({PageId::BigMovers, Scope::Market, {d}, {br}, {}});
    }
    {
        const ExchangeDesc screens[3] = {{"NASDAQ", 15, "_Q", "ConQ", "_Q", ExchangeColumn::NASDAQ},
                                         {"NYSE", 13, "_N", "ConsN", "_N", ExchangeColumn::NYSE},
                                         {"AMEX", 14, "_A", "ConsA", "_A", ExchangeColumn::AMEX}};
        Download d = market("UpdateScreenLists", 89, 97, Site::MarketReports,
                            "/markets/screener.asp?exchange={EXCHANGE}&screen={SCREEN}", false, "Br{CODE}.Sh", Fetch,
                            SizeRule::None, 0, "Updating {TITLE}", "", UpdatePage::DailyConsultation);
        d.members = listMembers(89, 8, 10,
                                {{"DT", "Most Active by Dollars Traded", "Most Active by Dollars Traded", "brdt",
                                  "Most Active by Dollars Traded", {-1, -1, -1}, false, -1, "Most Active by Dollars Traded",
                                  "Most Active By Volume Traded"},
                                 {"PU", "Most Active by Price Up", "Most Active by Price Up", "brpu_Q",
                                  "Most Active by Price Up", {-1, -1, -1}, false, -1, "", "Most Active By Price Up"},
                                 {"PD", "Most Active by Price Down", "Most Active by Price Down", "brpd_Q",
                                  "Most Active by Price Down", {-1, -1, -1}, false, -1, "",
                                  "Most Active By Price Down"}},
                                screens, true);
        // The movers' view shows the screens too.
        d.memberView = QStringLiteral("BR");
        rows.push_back({PageId::ScreenLists, Scope::Market, {d}, {}, {}});
    }
    {
        View v = list("SUP", zoom);
        v.sortsOnDblClick = true;
        pointer(v, cols({0}));
        link(v, GridLink::BrokerResearch, cols({0}), 0);
        v.zoomable = true;
        v.zoomWidths = {10, 32, 18, 18, 18};
        rows.push_back({PageId::Surprises, Scope::Market,
                        {market("UpdateSurp", 15, 15, Site::ResearchReport, "/cgi-bin/25_surp", false, "25_surp.Sh",
                                Fetch, SizeRule::None, 0, "Updating Top 25 Daily Earnings Surprises",
                                "Top 25  Earnings Surprises", UpdatePage::DailyConsultation)},
                        {v},
                        {onMenu(leaf("Cons", "sup", "25 Earnings Surprises", "SUP", QString(), 1), 1)}});
    }
    {
        Download winners = market("UpdateWinners", 16, 16, Site::Brokerage, "/dljd/mwwinners.htm", true,
                                  "mwwinners.Sh", Fetch, SizeRule::None, 0, "Updating Top Winners",
                                  "Percentage Winners", UpdatePage::DailyConsultation);
        Download losers = market("UpdateLosers", 17, 17, Site::Brokerage, "/dljd/mwlosers.htm", true, "mwlosers.Sh",
                                 Fetch, SizeRule::Below, 2500, "   Updating Lossers", "Percentage Losers ",
                                 UpdatePage::DailyConsultation);
        losers.wholeTitle = true;
        View v = list("WINLOS", noZoom);
        pointer(v, cols({1}));
        link(v, GridLink::CompanyDigest, cols({1}), 1);
        v.zoomWidths = {2, 10, 48, 12, 12, 12};
        rows.push_back({PageId::WinnersLosers, Scope::Market, {winners, losers}, {v},
                        {onMenu(leaf("Cons", "win", "Percentage Winners", "WINLOS", winners.fileName, 2), 2),
                         onMenu(leaf("Cons", "los", "Percentage Losers", "WINLOS", losers.fileName, 3), 3)}});
    }
    {
        View coverage = list("Coverage", zoom);
        coverage.sortsOnDblClick = true;
        pointer(coverage, cols({1, 4}));
        link(coverage, GridLink::QuoteThenNews, cols({1, 4}), 1);
        coverage.zoomable = true;
        coverage.zoomWidths = {25, 12, 27, 20, 12};
        // Column 5 opens the news page, though the pointer shows over column 1 only.
        const auto rating = [](const char* code) {
            View v = list(code, zoom);
            v.sortsOnDblClick = true;
            pointer(v, cols({1}));
            link(v, GridLink::QuoteThenNews, cols({1, 5}), 1);
            v.zoomable = true;
            v.zoomWidths = {25, 12, 25, 12, 12, 10};
            return v;
        };
        rows.push_back({PageId::UpDown, Scope::Market,
                        {market("UpdateUpDown", 18, 18, Site::BusinessNews, "/c/u.html", true, "UpDown.Sh", Fetch,
                                SizeRule::Below, 2500, "Getting Upgrades/Downgrades", "Upgrades / Downgrades",
                                UpdatePage::DailyConsultation)},
                        {coverage, rating("Upgrade"), rating("Downgrade")},
                        {onMenu(leaf("Cons", "up", "Upgrades", "Upgrade", QString(), 11), 11),
                         onMenu(leaf("Cons", "down", "Downgrades", "Downgrade", QString(), 12), 12),
                         onMenu(leaf("Cons", "ci", "Coverage Initiated", "Coverage", QString(), 13), 13)}});
    }
    {
        // The view reads US.dat of the program folder, which the run makes of the
        // page; the group keys show the same view scrolled to their group.
        View v = leaving(list("US", zoom));
        v.readsPage = false;
        pointer(v, cols({2}));
        link(v, GridLink::WholeAddress, cols({2}), 8);
        v.zoomable = true;
        v.zoomWidths = {4, 30, 9, 10, 12, 10, 12, 20, 0};
        rows.push_back({PageId::USMarket, Scope::Market,
                        {market("UpdateUSMarket", 50, 50, Site::Quotes, "/m1?u", false, "US.Sh", Fetch,
                                SizeRule::Below, 1000, "Updating U.S. Market Data", "U.S. Market Data",
                                UpdatePage::MarketData)},
                        {v},
                        {leaf("Index", "US", "US Market", "US", QString(), -1, 7),
                         group("US", "US_DJ", "Dow Jones Averages", "US"),
                         group("US", "US_NY", "New York Stock Exchange", "US"),
                         group("US", "US_NQ", "Nasdaq", "US"),
                         group("US", "US_SP", "Standard and Poor's", "US"),
                         group("US", "US_OTHER", "Other U.S. Indices", "US"),
                         group("US", "US_TS", "Treasury Securities (yield x10)", "US"),
                         group("US", "US_COMM", "Commodities", "US")}});
    }
    {
        View v = list("WM", zoom);
        v.hourglass = false;  // no hourglass, the default pointer at the end
        pointer(v, cols({3}, 7));
        // Column 6 opens a page too, though the pointer shows from column 7.
        link(v, GridLink::LinkWordCaret, cols({3}, 6), 2);
        v.zoomable = true;
        v.zoomWidths = {4, 20, 10, 10, 9, 12, 12, 12, 10};
        rows.push_back({PageId::WorldMarket, Scope::Market,
                        {market("UpdateWorldMarket", 51, 51, Site::Quotes, "/m2?u", false, "Market.Sh", Fetch,
                                SizeRule::Below, 1000, "Updating International Market Data",
                                "International Market Data", UpdatePage::MarketData)},
                        {v},
                        {leaf("Index", "W_Market", "World Markets", "WM", QString(), -1, 7),
                         group("W_Market", "mkt_A", "Americas", "WM"), group("W_Market", "mkt_AP", "Asia/Pacific", "WM"),
                         group("W_Market", "mkt_E", "Europe", "WM"),
                         group("W_Market", "mkt_ME", "Africa/Middle East", "WM")}});
    }

    // The IPO pages, in the tree's order.
    const auto ipo = [&rows](PageId id, const char* procedure, int item, const char* path, const char* file,
                             const char* status, const char* caption, const char* code, const char* key,
                             const char* text, QVector<int> widths) {
        View v = leaving(list(code, zoom));
        v.zoomable = true;
        v.zoomWidths = std::move(widths);
        PageKind kind{id, Scope::Market,
                      {market(procedure, item, item, Site::BusinessNews, path, false, file, Fetch, SizeRule::Below,
                              2500, status, caption, UpdatePage::MarketData)},
                      {v},
                      {leaf("ipo", key, text, code)}};
        rows.push_back(std::move(kind));
        return &rows.back().views.back();
    };
    {
        View* v = ipo(PageId::IpoLatest, "Update_IPO_Last", 52, "/ipo/index.html", "IPO_lts.sh",
                      "Updating Latest IPO Events", "Latest IPO", "IPO_Last", "ipo_last", "Latest Data",
                      {9, 9, 20, 18, 12, 9, 9, 9, 9, 9, 9, 9, 9, 9});
        pointer(*v, cols({1}, 5));
        link(*v, GridLink::LinkWord, cols({1}, 5), 2);
    }
    {
        View* v = ipo(PageId::IpoNews, "Update_IPO_News", 53, "/reports/ipo.html", "IPO_News.sh", "Updating IPO News",
                      "IPO News", "IPO_News", "ipo_news", "News", {2, 70, 12, 12, 0});
        pointer(*v, cols({1}));
        link(*v, GridLink::NewsRelative, cols({1}), 4);
    }
    {
        View* v = ipo(PageId::IpoPricings, "Update_IPO_Price", 57, "/ipo/prc_cal.html", "IPO_Prc.sh",
                      "Updating IPO Pricings", "IPO Pricings", "IPO_Price", "ipo_price", "Pricing",
                      {12, 25, 10, 16, 10, 9, 9, 9, 9, 9, 9, 9, 9, 9});
        pointer(*v, cols({1}, 5));
        link(*v, GridLink::LinkWord, cols({1}, 5), 2);
    }
    {
        View* v = ipo(PageId::IpoGainers, "Update_IPO_Gain", 54, "/ipo/perf_g3.html", "IPO_G3.sh",
                      "Updating IPO Gainers", "IPO Gainers", "IPO_Gain", "ipo_gain", "Gainers",
                      {25, 10, 12, 10, 10, 11, 9, 9, 9, 9, 9, 9, 9, 9});
        pointer(*v, cols({1}, 6));
        link(*v, GridLink::LinkWord, cols({1}, 6), 1);
    }
    {
        View* v = ipo(PageId::IpoLosers, "Update_IPO_Loss", 55, "/ipo/perf_l3.html", "IPO_L3.sh",
                      "Updating IPO Lossers", "IPO Losers", "IPO_Loss", "ipo_Loss", "Losers",
                      {25, 10, 12, 10, 10, 11, 9, 9, 9, 9, 9, 9, 9, 9});
        pointer(*v, cols({1}, 6));
        link(*v, GridLink::LinkWord, cols({1}, 6), 1);
    }
    {
        View* v = ipo(PageId::IpoRegistrations, "Update_IPO_Reg", 56, "/ipo/reg_cal.html", "IPO_Reg.sh",
                      "Updating IPO Registrations", "IPO Registrations", "IPO_Reg", "ipo_reg", "Registrations",
                      {12, 25, 10, 9, 12, 15, 12, 9});
        pointer(*v, cols({7}));
        link(*v, GridLink::IpoProfile, cols({7}), 2);
    }
    {
        View* v = ipo(PageId::IpoWithdrawals, "Update_IPO_With", 58, "/ipo/wp.html", "IPO_wp.sh",
                      "Updating IPO Withdrawals", "IPO Withdrawals", "IPO_With", "ipo_with", "Withdrawals",
                      {12, 25, 10, 10, 18, 12, 10});
        pointer(*v, cols({6}));
        link(*v, GridLink::IpoProfile, cols({6}), 2);
    }
    {
        View v = leaving(list("OptSum", noZoom));
        rows.push_back({PageId::OptionsSummary, Scope::Market,
                        {market("Update_OptSum", 60, 60, Site::MarketData,
                                "/cgi-bin/htx.exe/dbcfiles/optiont.html?SOURCE=blq/ASK", false, "OptSum.Sh", Fetch,
                                SizeRule::None, 0, "Updating Options Market Summary", "Options Market Summary",
                                UpdatePage::MarketData)},
                        {v},
                        {leaf("OptSum", "OptSum_D", "Top Volume Leaders", "OptSum", QStringLiteral("0")),
                         leaf("OptSum", "OptSum_G", "Top Percentage Gainers", "OptSum", QStringLiteral("1")),
                         leaf("OptSum", "OptSum_L", "Top Percentage Losers", "OptSum", QStringLiteral("2"))}});
    }
    {
        // The fund tables: the key is the tree key itself and names the view.
        struct FundDesc
        {
            const char* key;
            const char* page;
            const char* title;
            const char* caption;
            const char* folder;
        };
        const FundDesc funds[] = {
            {"F_Conv", "convbndt.html", "Largest Convertible Bond Funds", "Largest Convertible Bond", "F_Market"},
            {"F_Growth", "agggrot.html", "Largest Growth Funds", "Largest Growth Funds", "F_Market"},
            {"F_Equity", "mut10t.html", "Largest Equity Funds", "Largest Equity Funds", "F_Market"},
            {"F_Yield", "hiyldt.html", "Largest High-Yield Bond Funds", "Largest High-Yield Bond Funds", "F_Market"},
            {"F_LMM", "mon11t.html", "Largest Money Market Funds", "Largest Money Market Funds", "F_Market"},
            {"F_Inter", "intert.html", "Largest International Funds", "Largest International Funds", "F_Market"},
            {"F_Precious", "premetlt.html", "Largest Precious Metals Funds", "Largest Precious Metals Funds",
             "F_Market"},
            {"F_Smith", "sbmmt.html", "Smith Barney Mutual and Money Market Funds",
             "Smith Barney Mutual && Money Market Funds", "F_Fam"},
            {"F_AIM", "aimmmt.html", "AIM Mutual and Money Market Funds", "AIM Mutual && Money Market Funds", "F_Fam"},
            {"F_Benham", "benmmt.html", "Benham Mutual and Money Market Funds", "Benham Mutual && Money Market Funds",
             "F_Fam"},
            {"F_Dean", "dwmmt.html", "Dean Witter Mutual and Money Market Funds",
             "Dean Witter Mutual && Money Market Funds", "F_Fam"},
            {"F_Franklin", "frtmmt.html", "Franklin/Templeton Mutual and Money Market Funds",
             "Franklin/Templeton Mutual && Money Market Funds", "F_Fam"},
            {"F_Fidelity", "fidmmt.html", "Fidelity Mutual and Money Market Funds",
             "Fidelity Mutual && Money Market Funds", "F_Fam"},
            {"F_Merrill", "mlmmt.html", "Merrill Lynch Mutual and Money Market Funds",
             "Merrill Lynch Mutual && Money Market Funds", "F_Fam"},
            {"F_Janus", "janmmt.html", "Janus Mutual and Money Funds", "Janus Mutual && Money Funds", "F_Fam"},
            {"F_Putnam", "putmmt.html", "Putnam Mutual and Money Market Funds", "Putnam Mutual && Money Market Funds",
             "F_Fam"},
            {"F_Scudder", "scdmmt.html", "Scudder Mutual and Money Market Funds",
             "Scudder Mutual && Money Market Funds", "F_Fam"},
            {"F_Stagecoach", "Ssgcmmt.htmls", "Stagecoach Mutual and Money Market Funds",
             "Stagecoach Mutual && Money Market", "F_Fam"},
            {"F_Strong", "strmmt.html", "Strong Mutual and Money Market Funds", "Strong Mutual && Money Market Funds",
             "F_Fam"},
            {"F_T", "trpmmt.html", "T. Rowe Price Mutual and Money Market Funds", "T. Rowe Price Mutual && Money Market",
             "F_Fam"},
            {"F_Twentieth", "twcmmt.html", "Twentieth Century Mutual and Money Market Funds",
             "Twentieth Century Mutual && Money Market", "F_Fam"},
            {"F_Vanguard", "vanmmt.html", "Vanguard Mutual and Money Market Funds",
             "Vanguard Mutual && Money Market Funds", "F_Fam"},
        };
        Download d = market("UpdateFunds", 61, 82, Site::MarketData,
                            "/cgi-bin/htx.exe/dbcfiles/{PAGE}?SOURCE=blq/ASK", false, "{KEY}.Sh", Fetch,
                            SizeRule::None, 0, "Updating {TITLE}", "", UpdatePage::Funds);
        int item = 61;
        for (const FundDesc& f : funds) {
            Member m;
            m.item = item++;
            m.code = QString::fromLatin1(f.key);
            m.page = QString::fromLatin1(f.page);
            m.title = QString::fromLatin1(f.title);
            m.caption = QString::fromLatin1(f.caption);
            m.treeParent = QString::fromLatin1(f.folder);
            m.treeKey = m.code;
            m.treeText = m.title;
            d.members.push_back(m);
        }
        View v = leaving(list("F_", zoom));
        d.memberView = v.code;
        v.viewCode = ViewCodeRule::Key;
        pointer(v, cols({0}));
        v.zoomable = true;
        v.zoomWidths = {12, 48, 12, 12, 12};
        rows.push_back({PageId::Funds, Scope::Market, {d}, {v}, {}});
    }
    {
        // The splits calendars, N = 0 to 4 (boxes 83 to 87).
        const auto calendar = [](int n, Site site, const char* path, const char* file, const char* status,
                                 const char* caption) {
            return market("UpdateSplitsCalendar", 83 + n, 83 + n, site, path, false, file, Sock,
                          SizeRule::NameTestBelow, 2500, status, caption, UpdatePage::MarketData);
        };
        View v = list("FMS", noZoom);
        v.viewCode = ViewCodeRule::CodeAndKey;
        pointer(v, cols({0}), ColumnSet{});
        v.linkKeys = {QStringLiteral("1"), QStringLiteral("2")};
        link(v, GridLink::Momentum, cols({0}), 0);
        rows.push_back(
            {PageId::SplitsCalendar, Scope::Market,
             {calendar(0, Site::AnalystsActions, "/splits/splits-today.asp", "FMS_Today.Sh", "Updating Today's Splits",
                       "Today's Splits"),
              calendar(1, Site::AnalystsActions, "/splits/splits-thisweek.asp", "FMS_Week.Sh",
                       "Updating This Week Splits", "This Week Splits"),
              calendar(2, Site::AnalystsActions, "/splits/splits-nextweek.asp", "FMS_Next.Sh",
                       "Updating Next Week's Splits", "Next Week's Splits"),
              calendar(3, Site::AnalystsActions, "/splits/splits-recent.asp", "FMS_Rec.Sh",
                       "Updating Recently Announced Splits", "Recently Announced"),
              calendar(4, Site::SplitsRanking, "/mostsplits.asp", "FMS_Tech.Sh", "Updating Top Tech Splits",
                       "Top Tech Splits")},
             {v},
             {leaf("SP", "SP_T", "Today's Splits", "FMS", QStringLiteral("0")),
              leaf("SP", "SP_W", "This Week", "FMS", QStringLiteral("1")),
              leaf("SP", "SP_N", "Next Week's", "FMS", QStringLiteral("2")),
              leaf("SP", "SP_R", "Recently Announced", "FMS", QStringLiteral("3")),
              leaf("SP", "SP_C", "Top Tech", "FMS", QStringLiteral("4"))}});
    }
    {
        View v = list("M_BRP", noZoom);
        v.viewCode = ViewCodeRule::CodeAndKey;
        rows.push_back({PageId::TodayBrokerReports, Scope::Market,
                        {market("UpdateTodayBrokerReports", 98, 98, Site::AnalystsActions, "/reports/reports-today.asp",
                                false, "M_BRP.Sh", Sock, SizeRule::Below, 1000,
                                "Updating Today's Broker Reports / Bloomberg Analysts Recommendations",
                                "Today's Broker Reports / Bloomberg Analysts Recommendations ",
                                UpdatePage::MarketData)},
                        {v},
                        {leaf("M_BRP", "M_BRP_t", "Today's Broker Reports", "M_BRP", QStringLiteral("0")),
                         leaf("AR", "AR_B", "Bloomberg Analysts Recommendations", "M_BRP", QStringLiteral("1"))}});
    }
    {
        // The weekly tip: the file lies in the program folder itself, not in the cache.
        Download d = market("UpdateAdvise", 19, 19, Site::Tip, "/orvane/tip.txt", false, "Tip.Sh", Sock,
                            SizeRule::NameTestBelow, 2500, "Updating Tradewright Advice", "Weekly adviser service",
                            UpdatePage::DailyConsultation);
        rows.push_back({PageId::Advice, Scope::Market, {d}, {}, {}});
    }
}

void addPortfolio(std::vector<PageKind>& rows)
{
    // The portfolio views read Portfolio.dat afresh.
    const auto view = [](const char* code) {
        View v;
        v.code = QString::fromLatin1(code);
        v.scope = ViewScope::Portfolio;
        v.zoomAware = true;
        v.readsPage = false;
        return v;
    };
    View holdings = view("Port");
    holdings.popup = GridPopup::Holdings;
    holdings.popupInZoom = true;
    holdings.zoomable = true;
    holdings.zoomWidths = {9, 10, 8, 8, 6, 13, 13, 10, 10, 12, 0};
    View log = view("PortLog");
    log.popup = GridPopup::Log;
    log.zoomable = true;
    log.zoomWidths = {12, 10, 15, 12, 12, 12, 15};
    // The tree's portfolio symbols; the key is the node's text, the symbol.
    View selected = view("PortSelected");
    selected.treeKeyMatch = TreeKeyMatch::PrefixAndIndex;
    // "TID" and the row of the symbol's first transaction; the node's text is the symbol.
    rows.push_back({PageId::Portfolio, Scope::Portfolio, {}, {holdings, log, selected},
                    {leaf("Trans", "PortLog", "Transection Log", "PortLog", QString(), -1, 16),
                     leaf("Trans", "PortDetail", "Portfolio Detail", "Port", QString(), -1, 15),
                     leaf("PortDetail", "TID", "", "PortSelected", QString(), -1, 22)}});
}

// The asked spelling of a per-stock page: "_ABS.Sh" asked for as "_Abs.Sh".
QString askedSuffix(const QString& written, View::AskedCase asked)
{
    if (asked == View::AskedCase::AsWritten)
        return written;
    const int dot = written.lastIndexOf(u'.');
    const int stem = written.startsWith(u'_') ? 1 : 0;
    QString out = written;
    for (int i = stem + 1; i < dot; ++i)
        out[i] = out.at(i).toLower();
    return out;
}

// The argument a member's tree node passes: its file when the file is made of
// {CODE} (as the node asks for it), else its code.
QString memberArgument(const Download& d, const Member& m)
{
    QString argument = m.code;
    if (d.fileName.contains(QLatin1String("{CODE}"))) {
        argument = QString(d.fileName).replace(QLatin1String("{CODE}"), m.code);
        if (m.askedLowerFirst)
            argument[0] = argument.at(0).toLower();
    }
    return argument;
}

// The tree nodes of a listed kind's members.
void fillMemberLeaves(std::vector<PageKind>& rows)
{
    for (PageKind& kind : rows)
        for (const Download& d : kind.downloads)
            for (const Member& m : d.members) {
                if (m.treeKey.isEmpty())
                    continue;
                kind.leaves.push_back(TreeLeaf{m.treeParent, m.treeKey, m.treeText, 3, d.memberView,
                                               memberArgument(d, m), m.marketList, false, m.menuItem});
            }
}

// Fills each view's cache pages from its kind's downloads.
void fillCachePages(std::vector<PageKind>& rows)
{
    for (PageKind& kind : rows)
        for (View& v : kind.views) {
            if (!v.readsPage || kind.downloads.empty())
                continue;
            const QString first = kind.downloads.front().fileName;
            if (kind.scope == Scope::PerStock)
                v.cachePages = {askedSuffix(StockPageSuffix(kind), v.askedCase)};
            else if (first.contains(QLatin1String("{KEY}")))
                v.cachePages = {QString(first).replace(QLatin1String("{KEY}"), QLatin1String("%1"))};
            else if (first.contains(QLatin1String("{CODE}")))
                v.cachePages = {QStringLiteral("%1")};
            else
                for (const Download& d : kind.downloads)
                    v.cachePages << d.fileName;
        }
}

} // namespace

const std::vector<PageKind>& Catalogue()
{
    static const std::vector<PageKind> rows = [] {
        std::vector<PageKind> made;
        addStockPages(made);
        addMarketPages(made);
        addPortfolio(made);
        fillMemberLeaves(made);
        fillCachePages(made);
        return made;
    }();
    return rows;
}

const PageKind& Kind(PageId id)
{
    for (const PageKind& kind : Catalogue())
        if (kind.id == id)
            return kind;
    throw std::out_of_range("no such page kind");
}

const View* FindView(const QString& viewCode)
{
    for (const PageKind& kind : Catalogue())
        for (const View& v : kind.views)
            if (v.code == viewCode)
                return &v;
    return nullptr;
}

const Download* DownloadOfItem(int item, const Member** member)
{
    if (member)
        *member = nullptr;
    for (const PageKind& kind : Catalogue())
        for (const Download& d : kind.downloads) {
            if (item < d.firstItem || item > d.lastItem)
                continue;
            if (member)
                for (const Member& m : d.members)
                    if (m.item == item)
                        *member = &m;
            return &d;
        }
    return nullptr;
}

const Download* DownloadOf(const QString& procedure, const QString& code)
{
    for (const PageKind& kind : Catalogue())
        for (const Download& d : kind.downloads)
            if (d.procedure == procedure && (code.isEmpty() || d.code == code))
                return &d;
    return nullptr;
}

QString StockPageSuffix(const PageKind& kind)
{
    if (kind.scope != Scope::PerStock || kind.downloads.empty())
        return QString();
    const QString& file = kind.downloads.front().fileName;
    const qsizetype symbol = file.indexOf(QLatin1String("{SYM}"));
    return symbol < 0 ? QString() : file.mid(symbol + 5);
}

const TreeLeaf* LeafOfMarketList(int index)
{
    for (const PageKind& kind : Catalogue())
        for (const TreeLeaf& l : kind.leaves)
            if (index >= 0 && l.marketList == index)
                return &l;
    return nullptr;
}

const Member* FindMember(const QString& argument, const PageKind** kindOf)
{
    for (const PageKind& kind : Catalogue())
        for (const Download& d : kind.downloads)
            for (const Member& m : d.members)
                if (memberArgument(d, m) == argument) {
                    if (kindOf)
                        *kindOf = &kind;
                    return &m;
                }
    if (kindOf)
        *kindOf = nullptr;
    return nullptr;
}

} // namespace pages
