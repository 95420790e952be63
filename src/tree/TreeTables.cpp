#include "tree/TreeTables.h"

#include <QSet>
#include <QtGlobal>

namespace TreeTables {

namespace {

using pages::PageId;

constexpr TreeNodeDesc kMarket[] = {
    {nullptr, "Market", "Market", 8},

    {"Market", "Cons", "Financial", 17},
    // The three exchanges list the same eleven pages: the movers lists, then the
    // most-active screens.
    {"Cons", "ConQ", "NASDAQ", 17, true},
    LeavesOf(PageId::BigMovers, "ConQ"),
    LeavesOf(PageId::ScreenLists, "ConQ"),
    {"Cons", "ConsA", "AMEX", 17, true},
    LeavesOf(PageId::BigMovers, "ConsA"),
    LeavesOf(PageId::ScreenLists, "ConsA"),
    {"Cons", "ConsN", "NYSE", 17, true},
    LeavesOf(PageId::BigMovers, "ConsN"),
    LeavesOf(PageId::ScreenLists, "ConsN"),
    LeavesOf(PageId::Surprises, "Cons"),
    LeavesOf(PageId::WinnersLosers, "Cons"),
    LeavesOf(PageId::UpDown, "Cons"),

    {"Market", "OptSum", "Options Market Summary", 7},
    LeavesOf(PageId::OptionsSummary, "OptSum"),

    // "US" and "W_Market" show their whole lists and are the folders of their groups.
    {"Market", "Index", "Indexes", 7},
    LeavesOf(PageId::USMarket, "Index"),
    LeavesOf(PageId::USMarket, "US"),
    LeavesOf(PageId::WorldMarket, "Index"),
    LeavesOf(PageId::WorldMarket, "W_Market"),

    {"Market", "ipo", "IPO", 7},
    LeavesOf(PageId::IpoLatest, "ipo"),
    LeavesOf(PageId::IpoNews, "ipo"),
    LeavesOf(PageId::IpoPricings, "ipo"),
    LeavesOf(PageId::IpoGainers, "ipo"),
    LeavesOf(PageId::IpoLosers, "ipo"),
    LeavesOf(PageId::IpoRegistrations, "ipo"),
    LeavesOf(PageId::IpoWithdrawals, "ipo"),
    {"ipo", "ipo_MB", "IPO Message Boards", 24},

    {"Market", "SP", "Splits", 7},
    LeavesOf(PageId::SplitsCalendar, "SP"),

    {"Market", "M_BRP", "Broker Reports", 7},
    LeavesOf(PageId::TodayBrokerReports, "M_BRP"),
    {"Market", "AR", "Analysts Recommendations", 7},
    LeavesOf(PageId::TodayBrokerReports, "AR"),

    {"Market", "Funds", "Funds", 7},
    {"Funds", "F_Market", "Largest Mutual and Money Market Funds", 7},
    LeavesOf(PageId::Funds, "F_Market"),
    {"Funds", "F_Fam", "Largest Fund Families", 7},
    LeavesOf(PageId::Funds, "F_Fam"),
};

constexpr TreeNodeDesc kPortfolioHead[] = {
    {nullptr, "Trans", "Transections", 13},
    LeavesOf(PageId::Portfolio, "Trans"),
};

constexpr TreeNodeDesc kPortfolioTail[] = {
    {"Trans", "PortOp", "Portfolio options", 11},
    {"PortOp", "PortClear", "Clear All", 11},
};

constexpr TreeNodeDesc kMedia[] = {
    {nullptr, "Radio", "Radio", 28},
    {"Radio", "RadioB", "Bloomberg Radio", 28},
    {"RadioB", "RB_F", "Financial", 28},
    {"RadioB", "RB_B", "Business", 28},
    {"RadioB", "RB_L", "Launch Live", 28},
    {"RadioB", "RB_W", "World and National", 28},
    {"RadioB", "RB_M", "Morning Show", 28},
    {"Radio", "RadioA", "ABS Stock Market Broadcasts", 28},
    {"RadioA", "RI_Reg", "Regular market updates from 8:00 AM - 4:00 PM", 28},
    {"RadioA", "RI_Pa", "Dana Whitfield", 28},
    {"RadioA", "RI_Pb", "The Whitfield Market Minute", 28},
    {"RadioA", "RI_Pc", "Leo Marchetti", 28},
    {"RadioA", "RI_Pd", "Marchetti Macro Report", 28},
    {"RadioA", "RI_LR", "Liberty Research", 28},
    {"RadioA", "RI_SR", "The S Report", 28},
    {"Radio", "RadioI", "InternetNews Radio", 28},
    {"Radio", "RadioLT", "Let's Talk Business Radio", 28},
    {"Radio", "RadioDR", "Daily Rocket", 28},
    {"Radio", "RadioAV", "AV Daily News", 28},
    {"Radio", "RadioBBC", "BBC News", 28},

    {nullptr, "TV", "Television", 27},
    {"TV", "TVB", "Bloomberg Television", 27},
    {"TVB", "TVB_F", "Financial", 27},
    {"TVB", "TVB_B", "Business", 27},
    {"TVB", "TVB_L", "Launch Live", 27},
    {"TVB", "TVB_S", "Stock Picks", 27},
    {"TVB", "TVB_T", "Tech", 27},
    {"TV", "TVF", "Financial Times", 27},
    {"TVF", "TVF_U", "News update", 27},
    {"TVF", "TVF_O", "Opening business", 27},
    {"TVF", "TVF_B", "Bonds roundup", 27},
    {"TVF", "TVF_P", "Preview", 27},
    {"TV", "TVIO", "Investor OnLine", 27},
    {"TV", "TVBBC", "BBC", 27},
};
static_assert(std::size(kMedia) == 2 + 19 + 13);

// Each folder is followed at once by its children. No code is another code
// followed by digits, so the numbered keys of different rows never clash ("SP"
// is a news source, "sp" a chart: keys are compared with case).
constexpr TreeNodeDesc kStock[] = {
    LeavesOf(PageId::Profile, "ID"),
    {"ID", "News", "News", 4, true},
    {"News", "RM", "Reuters - MoneyNet", 4},
    {"News", "BL", "Bloomberg", 4},
    {"News", "NA", "News Alert", 4},
    {"News", "Y", "Yahoo News", 4},
    {"News", "M", "Microsoft Investor", 4},
    {"News", "E", "EDGAR Online", 4},
    {"News", "S", "Smart Money Online", 4},
    {"News", "Z", "ZD Net", 4},
    {"News", "Q", QuoteSiteNewsText, 4},
    {"News", "Mn", "Money Central", 4},
    {"News", "Cbs", "CBS MarketWatch", 4},
    {"News", "Qu", FinanceSiteNewsText, 4},
    {"News", "Mr", "MorningStar", 4},
    {"News", "SP", "StockPoint", 4},
    {"News", "MF", "The Montlay Full", 4},
    {"ID", "C", "Charts", 5, true},
    {"C", "d", "1 Day", 5},
    {"C", "3m", "3 Months", 5},
    {"C", "1y", "1 Year", 5},
    {"C", "2y", "2 Years", 5},
    {"C", "5y", "5 Years", 5},
    {"C", "ma", "Moving Avg.", 5},
    {"C", "sp", "vs SP 500", 5},
    {"ID", "G", "Ratios Graphs", 6, true},
    {"G", "bookV", "Book Value", 6},
    {"G", "ce", "Common Equity", 6},
    {"G", "Casset", "Current Assets", 6},
    {"G", "Clib", "Current Liabilities", 6},
    {"G", "debt", "Debt/Equity Ratio", 6},
    {"G", "dep", "Depreciation", 6},
    {"G", "div", "Dividends", 6},
    {"G", "divP", "Dividends Payout", 6},
    {"G", "ebit", "EBIT", 6},
    {"G", "eps", "EPS", 6},
    {"G", "longDebt", "Long Term Debt", 6},
    {"G", "IC", "Interest Coverage Ratio", 6},
    {"G", "Nincome", "Net Income", 6},
    {"G", "pe", "P/E Ratio", 6},
    {"G", "PB", "Price/Book Ratio", 6},
    {"G", "PS", "Price/Sales Ratio", 6},
    {"G", "pm", "Profit Margin", 6},
    {"G", "returnEq", "Return on Equity", 6},
    {"G", "returnAs", "Return on Asset", 6},
    {"G", "Revenues", "Revenues", 6},
    {"G", "SO", "Shares Out", 6},
    {"ID", "TG", "Technical Graphs", 26},
    {"ID", "ICT", "Interactive Chart", 29},
    LeavesOf(PageId::BalanceSheet, "ID"),
    LeavesOf(PageId::IncomeStatement, "ID"),
    LeavesOf(PageId::Estimates, "ID"),
    LeavesOf(PageId::InsiderTrades, "ID"),
    LeavesOf(PageId::QuarterlyReports, "ID"),
    LeavesOf(PageId::SplitsHistory, "ID"),
    LeavesOf(PageId::UpgradesHistory, "ID"),
    LeavesOf(PageId::DowngradesHistory, "ID"),
    LeavesOf(PageId::BrokerReports, "ID"),
    LeavesOf(PageId::MomentumRating, "ID"),
    LeavesOf(PageId::Options, "ID"),
    LeavesOf(PageId::ShortInterest, "ID"),
    {"ID", "MB", "Message Board", 24, true},
    {"MB", "MB_S", "StockTalk", 24},
    {"MB", "MB_Y", "Yahoo! Message Board", 24},
    {"ID", "IG", "Industry Group", 17, true},
    {"IG", "IG_G", "Graph", 5},
    {"IG", "IG_L", "List Of Stocks", 16},
    {"IG", "IG_S", "Short Term Technical Breakouts", 16},
    {"IG", "IG_I", "Intermediate Term Technical Breakouts", 16},
    {"IG", "IG_LG", "Long Term Technical Breakouts", 16},
    {"IG", "IG_O", "Over/Under Valuation", 16},
    {"IG", "IG_IT", "Insider Trading", 16},
    {"IG", "IG_C", "Composite Ranks", 16},
};

// Whether an entry of some table places the kind's leaves.
bool placedByATable(PageId kind)
{
    const std::span<const TreeNodeDesc> tables[] = {kMarket, kPortfolioHead, kPortfolioTail, kMedia, kStock};
    for (const auto& table : tables)
        for (const TreeNodeDesc& d : table)
            if (d.leaves && d.kind == kind)
                return true;
    return false;
}

// A table as the build adds it, made once: its entries, then the leaves of every
// kind of `scope` that no table places, each as the last child of its folder, in
// the catalogue's order. So a new kind's nodes come in with its catalogue row
// alone; a LeavesOf entry gives them a place of their own. `root` is the folder the
// table hangs under (the stock node "ID"), "" for a table of roots. A leaf whose
// folder is not in the table stops the program: the catalogue is wrong.
std::vector<TreeNodeRow> made(std::span<const TreeNodeDesc> table, pages::Scope scope, const char* root,
                              const char* what)
{
    std::vector<TreeNodeRow> rows = ExpandTreeNodes(table);
    for (const pages::PageKind& kind : pages::Catalogue()) {
        if (kind.scope != scope || placedByATable(kind.id))
            continue;
        if (const pages::TreeLeaf* stray = AppendLeaves(rows, kind, QString::fromLatin1(root)))
            qFatal("The tree's %s has no folder \"%s\" for the node \"%s\"", what, qPrintable(stray->parent),
                   qPrintable(stray->key));
    }
    return rows;
}

QString latin1(const char* s)
{
    return s ? QString::fromLatin1(s) : QString();
}

} // namespace

std::vector<TreeNodeRow> ExpandTreeNodes(std::span<const TreeNodeDesc> table)
{
    std::vector<TreeNodeRow> rows;
    rows.reserve(table.size());
    for (const TreeNodeDesc& d : table) {
        if (!d.leaves) {
            rows.push_back({latin1(d.parent), latin1(d.key), latin1(d.text), d.image, d.imageAfterChildren});
            continue;
        }
        const QString folder = latin1(d.parent);
        for (const pages::TreeLeaf& leaf : pages::Kind(d.kind).leaves)
            if (leaf.parent == folder)
                rows.push_back({folder, leaf.key, leaf.text, leaf.image, false});
    }
    return rows;
}

const pages::TreeLeaf* AppendLeaves(std::vector<TreeNodeRow>& rows, const pages::PageKind& kind, const QString& root)
{
    QSet<QString> folders{root};
    for (const TreeNodeRow& r : rows)
        folders.insert(r.key);
    for (const pages::TreeLeaf& leaf : kind.leaves) {
        if (!folders.contains(leaf.parent))
            return &leaf;
        folders.insert(leaf.key);
    }
    for (const pages::TreeLeaf& leaf : kind.leaves)
        rows.push_back({leaf.parent, leaf.key, leaf.text, leaf.image, false});
    return nullptr;
}

std::span<const TreeNodeRow> MarketBranch()
{
    static const std::vector<TreeNodeRow> rows = made(kMarket, pages::Scope::Market, "", "market branch");
    return rows;
}

std::span<const TreeNodeRow> PortfolioHead()
{
    static const std::vector<TreeNodeRow> rows = made(kPortfolioHead, pages::Scope::Portfolio, "", "portfolio");
    return rows;
}

std::span<const TreeNodeRow> PortfolioTail()
{
    static const std::vector<TreeNodeRow> rows = ExpandTreeNodes(kPortfolioTail);
    return rows;
}

std::span<const TreeNodeRow> MediaBranches()
{
    static const std::vector<TreeNodeRow> rows = ExpandTreeNodes(kMedia);
    return rows;
}

std::span<const TreeNodeRow> StockSubtree()
{
    static const std::vector<TreeNodeRow> rows = made(kStock, pages::Scope::PerStock, StockKeyPrefix, "stock subtree");
    return rows;
}

const pages::TreeLeaf& PortSymbolLeaf()
{
    static const pages::TreeLeaf* found = [] {
        for (const pages::TreeLeaf& leaf : pages::Kind(PageId::Portfolio).leaves)
            if (leaf.text.isEmpty())
                return &leaf;
        qFatal("The catalogue's portfolio has no node for its symbols");
    }();
    return *found;
}

int MarketNodes()
{
    return int(MarketBranch().size()) - 1;
}

int NodesPerStock()
{
    return 1 + int(StockSubtree().size());
}

int FixedNodes()
{
    return 1 + int(MarketBranch().size() + PortfolioHead().size() + PortfolioTail().size() + MediaBranches().size());
}

} // namespace TreeTables
