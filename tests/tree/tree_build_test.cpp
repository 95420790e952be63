// The navigation tree as initTree builds it: every fixed node with its key,
// parent, text and picture, in order; the stock and portfolio branches from the
// tables in memory; counts and node indices; the build's one redraw.
#include "TreeTestSupport.h"

#include "platform/TreeModel.h"
#include "platform/TreeView.h"
#include "tree/NavigationTree.h"
#include "tree/TreeBuild.h"
#include "tree/TreeTables.h"

#include <QSignalSpy>

using treetest::Row;
using treetest::TreeTest;

namespace {

// Written out from the screens the user knows, independently of the tables in
// src/tree: a change in either shows here.
const QVector<Row> kMarketBranch = {
    {"Cons", "Market", "Financial", 17},
    {"ConQ", "Cons", "NASDAQ", 17},
    {"pg", "ConQ", "Largest % Gain In Price", 3},
    {"pl", "ConQ", "Largest % Loss In Price", 3},
    {"vg", "ConQ", "Largest % Gain In Volume", 3},
    {"vl", "ConQ", "Largest % Loss In Volume", 3},
    {"52h", "ConQ", "52 Weeks Price High", 3},
    {"52l", "ConQ", "52 Weeks Price Low", 3},
    {"mas", "ConQ", "Most Active Stocks", 3},
    {"lmm", "ConQ", "Largest Money Movers", 3},
    {"brdt", "ConQ", "Most Active by Dollars Traded", 3},
    {"brpu_Q", "ConQ", "Most Active by Price Up", 3},
    {"brpd_Q", "ConQ", "Most Active by Price Down", 3},
    {"ConsA", "Cons", "AMEX", 17},
    {"pg_A", "ConsA", "Largest % Gain In Price", 3},
    {"pl_A", "ConsA", "Largest % Loss In Price", 3},
    {"vg_A", "ConsA", "Largest % Gain In Volume", 3},
    {"vl_A", "ConsA", "Largest % Loss In Volume", 3},
    {"52h_A", "ConsA", "52 Weeks Price High", 3},
    {"52l_A", "ConsA", "52 Weeks Price Low", 3},
    {"mas_A", "ConsA", "Most Active Stocks", 3},
    {"lmm_A", "ConsA", "Largest Money Movers ", 3},
    {"brdt_A", "ConsA", "Most Active by Dollars Traded", 3},
    {"brpu_A", "ConsA", "Most Active by Price Up", 3},
    {"brpd_A", "ConsA", "Most Active by Price Down", 3},
    {"ConsN", "Cons", "NYSE", 17},
    {"pg_N", "ConsN", "Largest % Gain In Price", 3},
    {"pl_N", "ConsN", "Largest % Loss In Price", 3},
    {"vg_N", "ConsN", "Largest % Gain In Volume", 3},
    {"vl_N", "ConsN", "Largest % Loss In Volume", 3},
    {"52h_N", "ConsN", "52 Weeks Price High", 3},
    {"52l_N", "ConsN", "52 Weeks Price Low", 3},
    {"mas_N", "ConsN", "Most Active Stocks", 3},
    {"lmm_N", "ConsN", "Largest Money Movers", 3},
    {"brdt_N", "ConsN", "Most Active by Dollars Traded", 3},
    {"brpu_N", "ConsN", "Most Active by Price Up", 3},
    {"brpd_N", "ConsN", "Most Active by Price Down", 3},
    {"sup", "Cons", "25 Earnings Surprises", 3},
    {"win", "Cons", "Percentage Winners", 3},
    {"los", "Cons", "Percentage Losers", 3},
    {"up", "Cons", "Upgrades", 3},
    {"down", "Cons", "Downgrades", 3},
    {"ci", "Cons", "Coverage Initiated", 3},
    {"OptSum", "Market", "Options Market Summary", 7},
    {"OptSum_D", "OptSum", "Top Volume Leaders", 3},
    {"OptSum_G", "OptSum", "Top Percentage Gainers", 3},
    {"OptSum_L", "OptSum", "Top Percentage Losers", 3},
    {"Index", "Market", "Indexes", 7},
    {"US", "Index", "US Market", 7},
    {"US_DJ", "US", "Dow Jones Averages", 3},
    {"US_NY", "US", "New York Stock Exchange", 3},
    {"US_NQ", "US", "Nasdaq", 3},
    {"US_SP", "US", "Standard and Poor's", 3},
    {"US_OTHER", "US", "Other U.S. Indices", 3},
    {"US_TS", "US", "Treasury Securities (yield x10)", 3},
    {"US_COMM", "US", "Commodities", 3},
    {"W_Market", "Index", "World Markets", 7},
    {"mkt_A", "W_Market", "Americas", 3},
    {"mkt_AP", "W_Market", "Asia/Pacific", 3},
    {"mkt_E", "W_Market", "Europe", 3},
    {"mkt_ME", "W_Market", "Africa/Middle East", 3},
    {"ipo", "Market", "IPO", 7},
    {"ipo_last", "ipo", "Latest Data", 3},
    {"ipo_news", "ipo", "News", 3},
    {"ipo_price", "ipo", "Pricing", 3},
    {"ipo_gain", "ipo", "Gainers", 3},
    {"ipo_Loss", "ipo", "Losers", 3},
    {"ipo_reg", "ipo", "Registrations", 3},
    {"ipo_with", "ipo", "Withdrawals", 3},
    {"ipo_MB", "ipo", "IPO Message Boards", 24},
    {"SP", "Market", "Splits", 7},
    {"SP_T", "SP", "Today's Splits", 3},
    {"SP_W", "SP", "This Week", 3},
    {"SP_N", "SP", "Next Week's", 3},
    {"SP_R", "SP", "Recently Announced", 3},
    {"SP_C", "SP", "Top Tech", 3},
    {"M_BRP", "Market", "Broker Reports", 7},
    {"M_BRP_t", "M_BRP", "Today's Broker Reports", 3},
    {"AR", "Market", "Analysts Recommendations", 7},
    {"AR_B", "AR", "Bloomberg Analysts Recommendations", 3},
    {"Funds", "Market", "Funds", 7},
    {"F_Market", "Funds", "Largest Mutual and Money Market Funds", 7},
    {"F_Conv", "F_Market", "Largest Convertible Bond Funds", 3},
    {"F_Growth", "F_Market", "Largest Growth Funds", 3},
    {"F_Equity", "F_Market", "Largest Equity Funds", 3},
    {"F_Yield", "F_Market", "Largest High-Yield Bond Funds", 3},
    {"F_LMM", "F_Market", "Largest Money Market Funds", 3},
    {"F_Inter", "F_Market", "Largest International Funds", 3},
    {"F_Precious", "F_Market", "Largest Precious Metals Funds", 3},
    {"F_Fam", "Funds", "Largest Fund Families", 7},
    {"F_Smith", "F_Fam", "Smith Barney Mutual and Money Market Funds", 3},
    {"F_AIM", "F_Fam", "AIM Mutual and Money Market Funds", 3},
    {"F_Benham", "F_Fam", "Benham Mutual and Money Market Funds", 3},
    {"F_Dean", "F_Fam", "Dean Witter Mutual and Money Market Funds", 3},
    {"F_Franklin", "F_Fam", "Franklin/Templeton Mutual and Money Market Funds", 3},
    {"F_Fidelity", "F_Fam", "Fidelity Mutual and Money Market Funds", 3},
    {"F_Merrill", "F_Fam", "Merrill Lynch Mutual and Money Market Funds", 3},
    {"F_Janus", "F_Fam", "Janus Mutual and Money Funds", 3},
    {"F_Putnam", "F_Fam", "Putnam Mutual and Money Market Funds", 3},
    {"F_Scudder", "F_Fam", "Scudder Mutual and Money Market Funds", 3},
    {"F_Stagecoach", "F_Fam", "Stagecoach Mutual and Money Market Funds", 3},
    {"F_Strong", "F_Fam", "Strong Mutual and Money Market Funds", 3},
    {"F_T", "F_Fam", "T. Rowe Price Mutual and Money Market Funds", 3},
    {"F_Twentieth", "F_Fam", "Twentieth Century Mutual and Money Market Funds", 3},
    {"F_Vanguard", "F_Fam", "Vanguard Mutual and Money Market Funds", 3},
};

const QVector<Row> kRadioBranch = {
    {"RadioB", "Radio", "Bloomberg Radio", 28},
    {"RB_F", "RadioB", "Financial", 28},
    {"RB_B", "RadioB", "Business", 28},
    {"RB_L", "RadioB", "Launch Live", 28},
    {"RB_W", "RadioB", "World and National", 28},
    {"RB_M", "RadioB", "Morning Show", 28},
    {"RadioA", "Radio", "ABS Stock Market Broadcasts", 28},
    {"RI_Reg", "RadioA", "Regular market updates from 8:00 AM - 4:00 PM", 28},
    {"RI_Pa", "RadioA", "Dana Whitfield", 28},
    {"RI_Pb", "RadioA", "The Whitfield Market Minute", 28},
    {"RI_Pc", "RadioA", "Leo Marchetti", 28},
    {"RI_Pd", "RadioA", "Marchetti Macro Report", 28},
    {"RI_LR", "RadioA", "Liberty Research", 28},
    {"RI_SR", "RadioA", "The S Report", 28},
    {"RadioI", "Radio", "InternetNews Radio", 28},
    {"RadioLT", "Radio", "Let's Talk Business Radio", 28},
    {"RadioDR", "Radio", "Daily Rocket", 28},
    {"RadioAV", "Radio", "AV Daily News", 28},
    {"RadioBBC", "Radio", "BBC News", 28},
};

const QVector<Row> kTVBranch = {
    {"TVB", "TV", "Bloomberg Television", 27},
    {"TVB_F", "TVB", "Financial", 27},
    {"TVB_B", "TVB", "Business", 27},
    {"TVB_L", "TVB", "Launch Live", 27},
    {"TVB_S", "TVB", "Stock Picks", 27},
    {"TVB_T", "TVB", "Tech", 27},
    {"TVF", "TV", "Financial Times", 27},
    {"TVF_U", "TVF", "News update", 27},
    {"TVF_O", "TVF", "Opening business", 27},
    {"TVF_B", "TVF", "Bonds roundup", 27},
    {"TVF_P", "TVF", "Preview", 27},
    {"TVIO", "TV", "Investor OnLine", 27},
    {"TVBBC", "TV", "BBC", 27},
};

// A stock's subtree: code, parent code ("ID" = the stock node), text, picture.
struct StockRow
{
    const char* code;
    const char* parent;
    const char* text;
    int image;
};
const StockRow kStockSubtree[] = {
    {"AR", "ID", "Profile", 9},
    {"News", "ID", "News", 4},
    {"RM", "News", "Reuters - MoneyNet", 4},
    {"BL", "News", "Bloomberg", 4},
    {"NA", "News", "News Alert", 4},
    {"Y", "News", "Yahoo News", 4},
    {"M", "News", "Microsoft Investor", 4},
    {"E", "News", "EDGAR Online", 4},
    {"S", "News", "Smart Money Online", 4},
    {"Z", "News", "ZD Net", 4},
    {"Q", "News", TreeTables::QuoteSiteNewsText, 4},
    {"Mn", "News", "Money Central", 4},
    {"Cbs", "News", "CBS MarketWatch", 4},
    {"Qu", "News", TreeTables::FinanceSiteNewsText, 4},
    {"Mr", "News", "MorningStar", 4},
    {"SP", "News", "StockPoint", 4},
    {"MF", "News", "The Montlay Full", 4},
    {"C", "ID", "Charts", 5},
    {"d", "C", "1 Day", 5},
    {"3m", "C", "3 Months", 5},
    {"1y", "C", "1 Year", 5},
    {"2y", "C", "2 Years", 5},
    {"5y", "C", "5 Years", 5},
    {"ma", "C", "Moving Avg.", 5},
    {"sp", "C", "vs SP 500", 5},
    {"G", "ID", "Ratios Graphs", 6},
    {"bookV", "G", "Book Value", 6},
    {"ce", "G", "Common Equity", 6},
    {"Casset", "G", "Current Assets", 6},
    {"Clib", "G", "Current Liabilities", 6},
    {"debt", "G", "Debt/Equity Ratio", 6},
    {"dep", "G", "Depreciation", 6},
    {"div", "G", "Dividends", 6},
    {"divP", "G", "Dividends Payout", 6},
    {"ebit", "G", "EBIT", 6},
    {"eps", "G", "EPS", 6},
    {"longDebt", "G", "Long Term Debt", 6},
    {"IC", "G", "Interest Coverage Ratio", 6},
    {"Nincome", "G", "Net Income", 6},
    {"pe", "G", "P/E Ratio", 6},
    {"PB", "G", "Price/Book Ratio", 6},
    {"PS", "G", "Price/Sales Ratio", 6},
    {"pm", "G", "Profit Margin", 6},
    {"returnEq", "G", "Return on Equity", 6},
    {"returnAs", "G", "Return on Asset", 6},
    {"Revenues", "G", "Revenues", 6},
    {"SO", "G", "Shares Out", 6},
    {"TG", "ID", "Technical Graphs", 26},
    {"ICT", "ID", "Interactive Chart", 29},
    {"ABS", "ID", "Annual Balance Sheet", 3},
    {"AIS", "ID", "Annual Income Statement", 3},
    {"EG", "ID", "Earning Growth", 3},
    {"EH", "ID", "Earning History", 3},
    {"ER", "ID", "Earning Estimates", 3},
    {"EC", "ID", "Consensus EPS Trend", 3},
    {"IT", "ID", "Insider Trade", 3},
    {"QR", "ID", "Quarterly Reports", 3},
    {"SPL", "ID", "Splits History", 3},
    {"UP", "ID", "Upgrades History", 3},
    {"DN", "ID", "Downgrades History", 3},
    {"BR", "ID", "Broker Reports", 3},
    {"NMR", "ID", "Momentum Rating", 3},
    {"Calls", "ID", "Calls", 3},
    {"Puts", "ID", "Puts", 3},
    {"Options", "ID", "Options", 3},
    {"SI", "ID", "Short Interest ", 3},
    {"MB", "ID", "Message Board", 24},
    {"MB_S", "MB", "StockTalk", 24},
    {"MB_Y", "MB", "Yahoo! Message Board", 24},
    {"IG", "ID", "Industry Group", 17},
    {"IG_G", "IG", "Graph", 5},
    {"IG_L", "IG", "List Of Stocks", 16},
    {"IG_S", "IG", "Short Term Technical Breakouts", 16},
    {"IG_I", "IG", "Intermediate Term Technical Breakouts", 16},
    {"IG_LG", "IG", "Long Term Technical Breakouts", 16},
    {"IG_O", "IG", "Over/Under Valuation", 16},
    {"IG_IT", "IG", "Insider Trading", 16},
    {"IG_C", "IG", "Composite Ranks", 16},
};

QVector<Row> expectedStockSubtree(int row)
{
    const QString n = QString::number(row);
    QVector<Row> out;
    for (const StockRow& r : kStockSubtree)
        out << Row{r.code + n, r.parent + n, r.text, r.image};
    return out;
}

QStringList childKeys(const TreeModel& t, const QString& key)
{
    QStringList out;
    if (const TreeNode* n = t.find(key))
        for (const TreeNode* c : n->childNodes())
            out << c->Key();
    return out;
}

QStringList childTexts(const TreeModel& t, const QString& key)
{
    QStringList out;
    if (const TreeNode* n = t.find(key))
        for (const TreeNode* c : n->childNodes())
            out << c->Text();
    return out;
}

class TreeBuild : public TreeTest
{
protected:
    TreeModel tree;
    void build(const QString& setName = QStringLiteral("Group 1")) { BuildNavigationTree(tree, setName); }
};

} // namespace

TEST_F(TreeBuild, RootsInOrderWithTheirTextsAndPictures)
{
    build(QStringLiteral("Tech shares"));
    QVector<Row> roots;
    for (TreeNode* r : tree.roots())
        roots << treetest::rowOf(r);
    const QVector<Row> expected = {
        {"All", "", "Stocks-Tech shares", 14},
        {"Market", "", "Market", 8},
        {"Trans", "", "Transections", 13},
        {"Radio", "", "Radio", 28},
        {"TV", "", "Television", 27},
    };
    EXPECT_EQ(roots, expected);
    // The empty set: "All" stands alone and the fixed part is complete.
    EXPECT_EQ(tree.find("All")->Children(), 0);
    EXPECT_EQ(tree.Count(), TreeTables::FixedNodes());
    EXPECT_EQ(tree.Count(), 146);
}

TEST_F(TreeBuild, MarketRadioAndTelevisionBranchesExactlyInOrder)
{
    build();
    EXPECT_EQ(treetest::subtreeRows(tree, "Market"), kMarketBranch);
    EXPECT_EQ(treetest::subtreeRows(tree, "Radio"), kRadioBranch);
    EXPECT_EQ(treetest::subtreeRows(tree, "TV"), kTVBranch);
    EXPECT_EQ(kMarketBranch.size(), 105);

    // Children per folder, as the user counts them.
    const std::pair<const char*, int> folders[] = {
        {"Market", 8}, {"Cons", 9}, {"ConQ", 11}, {"ConsA", 11}, {"ConsN", 11}, {"OptSum", 3}, {"Index", 2},
        {"US", 7},     {"W_Market", 4}, {"ipo", 8}, {"SP", 5}, {"M_BRP", 1}, {"AR", 1}, {"Funds", 2},
        {"F_Market", 7}, {"F_Fam", 15}, {"Radio", 7}, {"RadioB", 5}, {"RadioA", 7}, {"TV", 4}, {"TVB", 5},
        {"TVF", 4},
    };
    for (const auto& [key, n] : folders)
        EXPECT_EQ(tree.Node(key)->Children(), n) << key;

    // The branches follow one another without a gap: Market is node 2 and its
    // 105 nodes are 3 to 107; Trans follows.
    EXPECT_EQ(tree.Node("Market")->Index(), 2);
    EXPECT_EQ(tree.Node("Cons")->Index(), 3);
    EXPECT_EQ(tree.Node("F_Vanguard")->Index(), 107);
    EXPECT_EQ(tree.Node("Trans")->Index(), 108);
}

TEST_F(TreeBuild, PortfolioBranchOneNodePerDistinctSymbol)
{
    // Rows 0 and 2 share a symbol; a one-letter symbol gets no node; two
    // symbols that differ only in case are two symbols; row 100 is never used.
    setTransactions({{0, "IBM"}, {1, "MSFT"}, {2, "IBM"}, {3, "F"}, {4, "msft"}, {6, "INTC"}, {100, "ORCL"}});
    build();
    const QVector<Row> expected = {
        {"PortLog", "Trans", "Transection Log", 16},
        {"PortDetail", "Trans", "Portfolio Detail", 15},
        {"TID0", "PortDetail", "IBM", 22},
        {"TID1", "PortDetail", "MSFT", 22},
        {"TID4", "PortDetail", "msft", 22},
        {"TID6", "PortDetail", "INTC", 22},
        {"PortOp", "Trans", "Portfolio options", 11},
        {"PortClear", "PortOp", "Clear All", 11},
    };
    EXPECT_EQ(treetest::subtreeRows(tree, "Trans"), expected);
    EXPECT_EQ(tree.Count(), 146 + 4);
    // The list the portfolio view shares is filled in the same order.
    EXPECT_EQ(PortSymbols()[0], "IBM");
    EXPECT_EQ(PortSymbols()[3], "INTC");
    EXPECT_EQ(PortSymbols()[4], "");
}

TEST_F(TreeBuild, PortfolioSymbolsFromAnEarlierBuildAreForgotten)
{
    PortSymbols()[0] = QStringLiteral("IBM");   // left over from a portfolio view
    setTransactions({{0, "IBM"}});
    build();
    EXPECT_EQ(childKeys(tree, "PortDetail"), QStringList({"TID0"}));
    setTransactions({{0, ""}, {5, "AAPL"}});
    build();
    EXPECT_EQ(childKeys(tree, "PortDetail"), QStringList({"TID5"}));
    EXPECT_EQ(PortSymbols()[0], "AAPL");
}

TEST_F(TreeBuild, StockSubtreeKeysTextsAndPictures)
{
    setStocks({{12, "IBM"}}, 12);
    build();
    const TreeNode* stock = tree.Node("ID12");
    EXPECT_EQ(treetest::rowOf(stock), (Row{"ID12", "All", "IBM", 1}));
    EXPECT_EQ(treetest::subtreeRows(tree, "ID12"), expectedStockSubtree(12));
    EXPECT_EQ(tree.Count(), 146 + 79);

    // A few keys others look up by hand.
    EXPECT_EQ(tree.Node("AR12")->Text(), "Profile");
    EXPECT_EQ(tree.Node("Calls12")->Text(), "Calls");
    EXPECT_EQ(tree.Node("Puts12")->Text(), "Puts");
    EXPECT_EQ(tree.Node("SI12")->Text(), "Short Interest ");
    EXPECT_EQ(tree.Node("SP12")->Text(), "StockPoint");
    EXPECT_EQ(tree.Node("sp12")->Text(), "vs SP 500");
    // The Splits folder of the market and the stock's news source stay apart.
    EXPECT_EQ(tree.Node("SP")->Text(), "Splits");

    // The stock nodes are exactly the nodes with picture 1, and only their keys
    // begin with "ID".
    for (TreeNode* n : tree.allNodes()) {
        EXPECT_EQ(n->Image() == 1, n->Key() == "ID12") << n->Key().toStdString();
        EXPECT_EQ(n->Key().startsWith("ID"), n->Key() == "ID12") << n->Key().toStdString();
        EXPECT_GE(n->Image(), 1) << n->Key().toStdString();
        EXPECT_LE(n->Image(), 29) << n->Key().toStdString();
    }
}

TEST_F(TreeBuild, StockRowsVisitedUpToAndIncludingStockCount)
{
    struct Case
    {
        const char* name;
        std::initializer_list<std::pair<int, const char*>> rows;
        int count;
        QStringList keys;
    };
    const Case cases[] = {
        {"empty set", {}, 0, {}},
        {"a gap at row 3", {{0, "A1"}, {1, "B1"}, {2, "C1"}, {4, "D1"}}, 4, {"ID0", "ID1", "ID2", "ID4"}},
        {"rows 1 to 4 empty", {{0, "A1"}, {5, "F1"}}, 2, {"ID0"}},
        {"one row past the count", {{0, "A1"}, {1, "B1"}}, 1, {"ID0", "ID1"}},
        {"count beyond the table", {{0, "A1"}, {200, "Z1"}}, 32000, {"ID0", "ID200"}},
        {"negative count", {{0, "A1"}}, -1, {}},
    };
    for (const Case& c : cases) {
        ResetProgramState();
        setStocks(c.rows, c.count);
        build();
        EXPECT_EQ(childKeys(tree, "All"), c.keys) << c.name;
        EXPECT_EQ(tree.Count(), 146 + 79 * c.keys.size()) << c.name;
    }
}

TEST_F(TreeBuild, SymbolsShownAsStoredOneLetterAndCaseDifferent)
{
    // Stocks: one letter, two spellings and the same symbol twice each get a node
    // with their own subtree.
    setStocks({{0, "F"}, {1, "ibm"}, {2, "IBM"}, {3, "IBM"}}, 4);
    build();
    EXPECT_EQ(childKeys(tree, "All"), QStringList({"ID0", "ID1", "ID2", "ID3"}));
    EXPECT_EQ(childTexts(tree, "All"), QStringList({"F", "ibm", "IBM", "IBM"}));
    EXPECT_EQ(treetest::subtreeRows(tree, "ID3"), expectedStockSubtree(3));
    EXPECT_EQ(tree.Count(), 146 + 4 * 79);
}

TEST_F(TreeBuild, NodeIndicesFollowTheOrderOfAdding)
{
    setTransactions({{0, "IBM"}, {1, "MSFT"}});
    setStocks({{0, "IBM"}, {1, "MSFT"}}, 2);
    build();
    // All, Market and its branch, Trans with its nodes (two symbols), Radio, TV,
    // then the stocks: the first stock is node 146 + 2 + 1.
    EXPECT_EQ(tree.Node("All")->Index(), 1);
    EXPECT_EQ(tree.Node("TID0")->Index(), 111);
    EXPECT_EQ(tree.Node("PortClear")->Index(), 114);
    EXPECT_EQ(tree.Node("Radio")->Index(), 115);
    EXPECT_EQ(tree.Node("TV")->Index(), 135);
    EXPECT_EQ(tree.Node("TVBBC")->Index(), 148);
    EXPECT_EQ(tree.Node("ID0")->Index(), 149);
    EXPECT_EQ(tree.Node("AR0")->Index(), 150);
    EXPECT_EQ(tree.Node("ID1")->Index(), 149 + 79);
    EXPECT_EQ(tree.Node("IG_C1")->Index(), tree.Count());
}

TEST_F(TreeBuild, FullSetWithAHundredPortfolioSymbols)
{
    fullSet();
    fullPortfolio();
    build();
    EXPECT_EQ(tree.Count(), 16125);
    EXPECT_EQ(tree.Node("All")->Children(), 201);
    EXPECT_EQ(tree.Node("PortDetail")->Children(), 100);
    EXPECT_EQ(tree.Node("ID200")->Text(), "S200");
    EXPECT_EQ(tree.Node("TID99")->Text(), "P99");
    EXPECT_EQ(tree.find("ID201"), nullptr);
}

TEST_F(TreeBuild, TwoBuildsGiveTheSameTree)
{
    setStocks({{0, "IBM"}, {2, "MSFT"}}, 2);
    setTransactions({{0, "IBM"}, {3, "AAPL"}});
    build();
    const QVector<Row> first = treetest::allRows(tree);
    build();
    EXPECT_EQ(treetest::allRows(tree), first);
    EXPECT_EQ(tree.Count(), 146 + 2 * 79 + 2);
}

TEST_F(TreeBuild, ARebuildForgetsStocksExpansionAndSelection)
{
    setStocks({{0, "IBM"}, {1, "MSFT"}}, 2);
    build();
    tree.Node("ID1")->setExpanded(true);
    tree.Node("AR1")->setSelected(true);
    Stocks()[1].Symbol.clear();   // the stock was deleted
    StockCount() = 1;
    build();
    EXPECT_EQ(tree.find("ID1"), nullptr);
    EXPECT_EQ(tree.SelectedItem(), nullptr);
    for (TreeNode* n : tree.allNodes())
        EXPECT_FALSE(n->Expanded()) << n->Key().toStdString();
    EXPECT_EQ(tree.Count(), 146 + 79);
}

TEST_F(TreeBuild, TheViewIsDrawnOnceAfterTheBuild)
{
    setStocks({{0, "IBM"}}, 0);
    TreeView view;
    NavigationTree nav(&view);
    nav.setSetNameSource([] { return QStringLiteral("Group 1"); });
    QSignalSpy added(nav.model(), &TreeModel::nodeAdded);
    QSignalSpy resets(nav.model(), &TreeModel::reset);
    nav.initTree();
    EXPECT_EQ(added.count(), 0);   // nothing drawn node by node
    EXPECT_EQ(resets.count(), 1);
    EXPECT_FALSE(nav.model()->isUpdatesLocked());
    ASSERT_EQ(view.topLevelItemCount(), 5);
    EXPECT_EQ(view.topLevelItem(0)->text(0), "Stocks-Group 1");
    EXPECT_EQ(view.topLevelItem(0)->child(0)->text(0), "IBM");
    EXPECT_FALSE(view.topLevelItem(0)->child(0)->icon(0).isNull());
    EXPECT_EQ(view.topLevelItem(4)->text(0), "Television");
}

// The largest tree: the view makes the items of what can be seen (the roots, their
// children, the open nodes' children) and the rest when a node is opened, selected
// or closed; the model stays whole throughout.
TEST_F(TreeBuild, TheViewMakesItemsAsTheyAreNeeded)
{
    fullSet();
    fullPortfolio();
    TreeView view;
    NavigationTree nav(&view);
    nav.setSetNameSource([] { return QStringLiteral("Group 1"); });
    nav.initTree();
    TreeModel& model = *nav.model();
    const QVector<Row> rows = treetest::allRows(model);
    ASSERT_EQ(model.Count(), 16125);
    EXPECT_LT(view.madeItemCount(), 1000);

    // A closed stock: its item, its expand mark, no items below it yet.
    QTreeWidgetItem* stock = view.madeItemOf(model.Node("ID5"));
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(stock->childCount(), 0);
    EXPECT_EQ(stock->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);

    // The deepest node of another stock, selected by key: it and each of its
    // ancestors get their items, hung one below the other.
    TreeNode* deep = nullptr;
    int deepest = 0;
    for (TreeNode* n : model.allNodes()) {
        int depth = 0;
        for (TreeNode* a = n->Parent(); a; a = a->Parent())
            ++depth;
        if (depth > deepest && n->Key().endsWith(QLatin1String("7")) && !n->Key().startsWith(QLatin1String("T"))) {
            deep = n;
            deepest = depth;
        }
    }
    ASSERT_NE(deep, nullptr);
    ASSERT_GE(deepest, 2);
    EXPECT_EQ(view.madeItemOf(deep), nullptr);
    deep->setSelected(true);
    QTreeWidgetItem* item = view.madeItemOf(deep);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(view.currentItem(), item);
    for (TreeNode* n = deep; n->Parent(); n = n->Parent()) {
        ASSERT_NE(view.madeItemOf(n), nullptr) << n->Key().toStdString();
        EXPECT_EQ(view.madeItemOf(n)->parent(), view.madeItemOf(n->Parent())) << n->Key().toStdString();
        EXPECT_EQ(view.madeItemOf(n)->text(0), n->Text());
        EXPECT_EQ(view.madeItemOf(n->Parent())->childCount(), n->Parent()->Children());
    }

    // Opened from the model or in the view: the children's items come with it.
    for (const bool inView : {false, true}) {
        TreeNode* n = model.Node(inView ? "ID9" : "ID8");
        QTreeWidgetItem* it = view.itemOf(n);
        ASSERT_NE(it, nullptr);
        if (inView)
            view.expandItem(it);
        else
            n->setExpanded(true);
        EXPECT_TRUE(n->Expanded());
        EXPECT_TRUE(it->isExpanded());
        ASSERT_EQ(it->childCount(), n->Children()) << inView;
        EXPECT_EQ(view.nodeOf(it->child(0)), n->childNodes().first());
    }

    // A folder several levels down of a stock nobody opened, opened and closed in
    // the model: its item, its ancestors' and its children's come first.
    TreeNode* folder = model.Node(deep->Parent()->Key().chopped(1) + QLatin1Char('6'));
    ASSERT_NE(folder, nullptr);
    ASSERT_NE(folder->Parent()->Parent(), nullptr);
    EXPECT_EQ(view.madeItemOf(folder), nullptr);
    folder->setExpanded(true);
    ASSERT_NE(view.madeItemOf(folder), nullptr);
    EXPECT_TRUE(view.madeItemOf(folder)->isExpanded());
    EXPECT_EQ(view.madeItemOf(folder)->childCount(), folder->Children());
    folder->setExpanded(false);
    EXPECT_FALSE(view.madeItemOf(folder)->isExpanded());

    // Every node can have its item; the model's nodes, order and numbers are as built.
    for (TreeNode* n : model.allNodes())
        ASSERT_NE(view.itemOf(n), nullptr) << n->Key().toStdString();
    EXPECT_EQ(view.madeItemCount(), model.Count());
    EXPECT_EQ(treetest::allRows(model), rows);
    EXPECT_EQ(model.Node("IG_C200")->Index(), model.Count());
}

TEST_F(TreeBuild, AFailingAddSkipsThatNodeOnly)
{
    // A key already taken and a parent that never came: each such node is left
    // out, with its picture and its children, and everything after it is built.
    static constexpr TreeNodeDesc table[] = {
        {nullptr, "R", "Root", 7},
        {"R", "a", "first", 3},
        {"R", "a", "same key again", 4},
        {"nowhere", "b", "orphan", 3},
        {"b", "b1", "child of the orphan", 3},
        {"R", "F", "folder", 17, true},
        {"F", "f1", "leaf", 3},
        {"R", "c", "last", 5},
    };
    AddTreeNodes(tree, table, QStringLiteral("9"));
    const QVector<Row> expected = {
        {"R9", "", "Root", 7},
        {"a9", "R9", "first", 3},
        {"F9", "R9", "folder", 17},
        {"f19", "F9", "leaf", 3},
        {"c9", "R9", "last", 5},
    };
    EXPECT_EQ(treetest::allRows(tree), expected);
    EXPECT_FALSE(tree.isUpdatesLocked());
}

TEST_F(TreeBuild, ALeavesEntryAddsTheKindsLeavesUnderItsFolderOnly)
{
    // The broker reports' kind has a leaf under "M_BRP" and one under "AR"; the
    // entry under "AR" takes the one there, and its key, text and picture.
    static constexpr TreeNodeDesc table[] = {
        {nullptr, "AR", "Analysts Recommendations", 7},
        LeavesOf(pages::PageId::TodayBrokerReports, "AR"),
        {"AR", "x", "after", 5},
    };
    AddTreeNodes(tree, table, QStringLiteral("2"));
    EXPECT_EQ(treetest::allRows(tree), (QVector<Row>{{"AR2", "", "Analysts Recommendations", 7},
                                                     {"AR_B2", "AR2", "Bloomberg Analysts Recommendations", 3},
                                                     {"x2", "AR2", "after", 5}}));
}

TEST_F(TreeBuild, InitTreeNeverFailsToItsCaller)
{
    setStocks({{0, "IBM"}}, 0);
    TreeModel model;
    NavigationTree nav(&model);
    nav.setSetNameSource([]() -> QString { throw RuntimeError::make(5); });
    EXPECT_NO_THROW(nav.initTree());
    EXPECT_EQ(model.Node("All")->Text(), "Stocks-");
    EXPECT_EQ(model.Count(), 146 + 79);
    EXPECT_FALSE(model.isUpdatesLocked());
}

TEST(TreeTablesTest, AKindNoTablePlacesEndsItsFolders)
{
    // A new kind's leaves come in with its catalogue row alone: each the last child
    // of its folder so far, a leaf under an earlier leaf too; a folder that is not
    // there leaves the rows as they were.
    pages::PageKind kind{pages::PageId::Recommendation, pages::Scope::Market, {}, {}, {}};
    kind.leaves = {{"ConQ", "new", "New List", 3, "X", ""}, {"new", "new_a", "Part A", 3, "X", ""}};
    std::vector<TreeNodeRow> rows(TreeTables::MarketBranch().begin(), TreeTables::MarketBranch().end());
    const std::size_t before = rows.size();
    EXPECT_EQ(TreeTables::AppendLeaves(rows, kind, QString()), nullptr);
    ASSERT_EQ(rows.size(), before + 2);
    EXPECT_EQ(rows[before], (TreeNodeRow{"ConQ", "new", "New List", 3, false}));
    EXPECT_EQ(rows[before + 1], (TreeNodeRow{"new", "new_a", "Part A", 3, false}));

    kind.leaves.push_back({"nowhere", "lost", "Lost", 3, "X", ""});
    const std::vector<TreeNodeRow> kept = rows;
    const pages::TreeLeaf* stray = TreeTables::AppendLeaves(rows, kind, QString());
    ASSERT_NE(stray, nullptr);
    EXPECT_EQ(stray->key, "lost");
    EXPECT_EQ(rows, kept);

    // The stock subtree's folder is the stock node itself.
    pages::PageKind sheet{pages::PageId::Recommendation, pages::Scope::PerStock, {}, {}, {}};
    sheet.leaves = {{"ID", "NEW", "New Sheet", 3, "X", ""}};
    std::vector<TreeNodeRow> stock;
    EXPECT_EQ(TreeTables::AppendLeaves(stock, sheet, QStringLiteral("ID")), nullptr);
    EXPECT_EQ(stock, (std::vector<TreeNodeRow>{{"ID", "NEW", "New Sheet", 3, false}}));
}
