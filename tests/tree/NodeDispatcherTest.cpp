// The tree's node click: every node of a built tree against what it should open,
// the stock node's selection rules, the per-stock nodes' choice of stock, the
// "Clear All" question, and the faults of the old dispatch (a symbol named like a
// node text, the market's "Broker Reports" folder).
#include "TreeTestSupport.h"
#include "QtPrint.h"
#include "TestDoubles.h"

#include "platform/AppPath.h"
#include "platform/FlexGrid.h"
#include "platform/RuntimeError.h"
#include "platform/TreeModel.h"
#include "sheets/ViewRegistry.h"
#include "tree/NodeDispatcher.h"
#include "tree/TreeBuild.h"
#include "tree/TreeTables.h"
#include "stockdata/ProgramState.h"
#include "weblinks/WebLinkWindows.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <map>

namespace {

using treetest::TreeTest;

// Stands in for the view runner, the main window and the openers at once and
// writes down each call: "view CODE[ KEY]", "header SYMBOL", "mark N",
// "row TITLE", "clear", and "ACTION N" for a window or page.
class Recorder final : public ViewShower, public NodeClickWindow, public NodeActions
{
public:
    QStringList calls;
    QStringList actionSymbols;  // CurrentSymbol when each action ran
    FlexGrid grid;
    int lastNode = 0;
    bool headerThrows = false;
    // The views the runner knows; empty: every view.
    QSet<QString> builtViews;

    bool show(const QString& code, const QString& key) override
    {
        calls << (key.isEmpty() ? "view " + code : "view " + code + ' ' + key);
        return builtViews.isEmpty() || builtViews.contains(code);
    }
    void ShowStockHeader(const QString& symbol) override
    {
        // As the main window's stock selection does: the symbol becomes current.
        CurrentSymbol() = symbol;
        calls << "header " + symbol;
        if (headerThrows)
            throw RuntimeError::make(5);
        CurrentSymbol() = symbol;
    }
    FlexGrid& mainGrid() override { return grid; }
    void FindGridRow(const QString& title) override { calls << "row " + title; }
    void ClearPortfolio() override { calls << QStringLiteral("clear"); }
    void setLastNodeIndex(int index) override { lastNode = index; }
    void markMarketList(int index) override { calls << QStringLiteral("mark %1").arg(index); }
    bool run(NodeAction action, int n) override
    {
        calls << QStringLiteral("%1 %2").arg(QLatin1String(nodeActionName(action))).arg(n);
        actionSymbols << CurrentSymbol();
        return true;
    }
};

class NodeDispatcherTest : public TreeTest
{
protected:
    void SetUp() override
    {
        TreeTest::SetUp();
        test::dialogs().reset();
    }
    void TearDown() override
    {
        test::dialogs().reset();
        TreeTest::TearDown();
    }

    void build() { BuildNavigationTree(model, QStringLiteral("Tech")); }
    QStringList click(const QString& key)
    {
        rec.calls.clear();
        dispatcher.TreeView1_NodeClick(key);
        return rec.calls;
    }

    TreeModel model;
    Recorder rec;
    NodeDispatcher dispatcher{model, rec, rec, rec};
};

// What each node opens. "$" stands for the symbol of the stock the node hangs under.
// A node of the tree missing from both tables must be a root or a folder, and
// opens nothing.
const std::map<QString, QStringList> kPerStock = {
    {"ID", {"header $", "view Current"}},
    {"AR", {"header $", "view Profile"}},
    {"RM", {"OpenStockNews 14"}},
    {"BL", {"OpenStockNews 13"}},
    {"NA", {"OpenStockNews 12"}},
    {"Y", {"OpenStockNews 0"}},
    {"M", {"OpenStockNews 1"}},
    {"E", {"OpenStockNews 2"}},
    {"S", {"OpenStockNews 3"}},
    {"Z", {"OpenStockNews 4"}},
    {"Q", {"OpenStockNews 5"}},
    {"Mn", {"OpenStockNews 6"}},
    {"Cbs", {"OpenStockNews 7"}},
    {"Qu", {"OpenStockNews 8"}},
    {"Mr", {"OpenStockNews 9"}},
    {"SP", {"OpenStockNews 10"}},
    {"MF", {"OpenStockNews 11"}},
    {"C", {"BigChart 0"}},
    {"d", {"OpenStockChart 0"}},
    {"3m", {"OpenStockChart 1"}},
    {"1y", {"OpenStockChart 2"}},
    {"2y", {"OpenStockChart 3"}},
    {"5y", {"OpenStockChart 4"}},
    {"ma", {"OpenStockChart 6"}},
    {"sp", {"OpenStockChart 7"}},
    {"bookV", {"OpenFundamentalChart 0"}},
    {"ce", {"OpenFundamentalChart 1"}},
    {"Casset", {"OpenFundamentalChart 2"}},
    {"Clib", {"OpenFundamentalChart 3"}},
    {"debt", {"OpenFundamentalChart 4"}},
    {"dep", {"OpenFundamentalChart 5"}},
    {"div", {"OpenFundamentalChart 6"}},
    {"divP", {"OpenFundamentalChart 7"}},
    {"ebit", {"OpenFundamentalChart 8"}},
    {"eps", {"OpenFundamentalChart 9"}},
    {"longDebt", {"OpenFundamentalChart 10"}},
    {"IC", {"OpenFundamentalChart 11"}},
    {"Nincome", {"OpenFundamentalChart 12"}},
    {"pe", {"OpenFundamentalChart 13"}},
    {"PB", {"OpenFundamentalChart 14"}},
    {"PS", {"OpenFundamentalChart 15"}},
    {"pm", {"OpenFundamentalChart 16"}},
    {"returnEq", {"OpenFundamentalChart 17"}},
    {"returnAs", {"OpenFundamentalChart 18"}},
    {"Revenues", {"OpenFundamentalChart 19"}},
    {"SO", {"OpenFundamentalChart 20"}},
    {"TG", {"TechGraph 0"}},
    {"ICT", {"OpenStockChart 8"}},
    {"ABS", {"header $", "view ABS"}},
    {"AIS", {"header $", "view AIS"}},
    {"EG", {"header $", "view EG"}},
    {"EH", {"header $", "view EH"}},
    {"ER", {"header $", "view ER"}},
    {"EC", {"header $", "view EC"}},
    {"IT", {"header $", "view IT"}},
    {"QR", {"header $", "view QR"}},
    {"SPL", {"header $", "view Split"}},
    {"UP", {"header $", "view UPH"}},
    {"DN", {"header $", "view DNH"}},
    {"BR", {"header $", "view BRP"}},
    {"NMR", {"header $", "view NMR"}},
    {"Calls", {"header $", "view Call"}},
    {"Puts", {"header $", "view Put"}},
    {"Options", {"header $", "view Options"}},
    {"SI", {"header $", "view SI"}},
    {"MB_S", {"MessageBoardURL 0"}},
    {"MB_Y", {"MessageBoardURL 1"}},
    {"IG_G", {"IndustryGroupURL 0"}},
    {"IG_L", {"IndustryGroupURL 1"}},
    {"IG_S", {"IndustryGroupURL 2"}},
    {"IG_I", {"IndustryGroupURL 3"}},
    {"IG_LG", {"IndustryGroupURL 4"}},
    {"IG_O", {"IndustryGroupURL 5"}},
    {"IG_IT", {"IndustryGroupURL 6"}},
    {"IG_C", {"IndustryGroupURL 7"}},
};

const std::map<QString, QStringList> kFixed = {
    {"All", {"view Current"}},

    {"pg", {"view BR brPG_Q.Sh", "mark 4"}},
    {"pl", {"view BR brPL_Q.Sh", "mark 5"}},
    {"vg", {"view BR brVG_Q.Sh", "mark 6"}},
    {"vl", {"view BR brVL_Q.Sh", "mark 7"}},
    {"52h", {"view BR br52-WPH_Q.Sh", "mark 8"}},
    {"52l", {"view BR br52-WPL_Q.Sh", "mark 9"}},
    {"mas", {"view BR brMAS_Q.Sh", "mark 10"}},
    {"lmm", {"view BR BrLMM_Q.Sh", "mark 28"}},
    {"brdt", {"view BR BrDT_Q.Sh"}},
    {"brpu_Q", {"view BR BrPU_Q.Sh"}},
    {"brpd_Q", {"view BR BrPD_Q.Sh"}},
    {"pg_A", {"view BR brPG_A.Sh", "mark 21"}},
    {"pl_A", {"view BR brPL_A.Sh", "mark 22"}},
    {"vg_A", {"view BR brVG_A.Sh", "mark 23"}},
    {"vl_A", {"view BR brVL_A.Sh", "mark 24"}},
    {"52h_A", {"view BR br52-WPH_A.Sh", "mark 25"}},
    {"52l_A", {"view BR br52-WPL_A.Sh", "mark 26"}},
    {"mas_A", {"view BR brMAS_A.Sh", "mark 27"}},
    {"lmm_A", {"view BR BrLMM_A.Sh", "mark 30"}},
    {"brdt_A", {"view BR BrDT_A.Sh"}},
    {"brpu_A", {"view BR BrPU_A.Sh"}},
    {"brpd_A", {"view BR BrPD_A.Sh"}},
    {"pg_N", {"view BR brPG_N.Sh", "mark 14"}},
    {"pl_N", {"view BR brPL_N.Sh", "mark 15"}},
    {"vg_N", {"view BR brVG_N.Sh", "mark 16"}},
    {"vl_N", {"view BR brVL_N.Sh", "mark 17"}},
    {"52h_N", {"view BR br52-WPH_N.Sh", "mark 18"}},
    {"52l_N", {"view BR br52-WPL_N.Sh", "mark 19"}},
    {"mas_N", {"view BR brMAS_N.Sh", "mark 20"}},
    {"lmm_N", {"view BR BrLMM_N.Sh", "mark 29"}},
    {"brdt_N", {"view BR BrDT_N.Sh"}},
    {"brpu_N", {"view BR BrPU_N.Sh"}},
    {"brpd_N", {"view BR BrPD_N.Sh"}},
    {"sup", {"view SUP", "mark 1"}},
    {"win", {"view WINLOS mwwinners.Sh", "mark 2"}},
    {"los", {"view WINLOS mwlosers.Sh", "mark 3"}},
    {"up", {"view Upgrade", "mark 11"}},
    {"down", {"view Downgrade", "mark 12"}},
    {"ci", {"view Coverage", "mark 13"}},

    {"OptSum_D", {"view OptSum 0"}},
    {"OptSum_G", {"view OptSum 1"}},
    {"OptSum_L", {"view OptSum 2"}},

    {"US", {"view US"}},
    {"US_DJ", {"view US", "row Dow Jones Averages"}},
    {"US_NY", {"view US", "row New York Stock Exchange"}},
    {"US_NQ", {"view US", "row Nasdaq"}},
    {"US_SP", {"view US", "row Standard and Poor's"}},
    {"US_OTHER", {"view US", "row Other U.S. Indices"}},
    {"US_TS", {"view US", "row Treasury Securities (yield x10)"}},
    {"US_COMM", {"view US", "row Commodities"}},
    {"W_Market", {"view WM"}},
    {"mkt_A", {"view WM", "row Americas"}},
    {"mkt_AP", {"view WM", "row Asia/Pacific"}},
    {"mkt_E", {"view WM", "row Europe"}},
    {"mkt_ME", {"view WM", "row Africa/Middle East"}},

    {"ipo_last", {"view IPO_Last"}},
    {"ipo_news", {"view IPO_News"}},
    {"ipo_price", {"view IPO_Price"}},
    {"ipo_gain", {"view IPO_Gain"}},
    {"ipo_Loss", {"view IPO_Loss"}},
    {"ipo_reg", {"view IPO_Reg"}},
    {"ipo_with", {"view IPO_With"}},
    {"ipo_MB", {"MessageBoardURL 2"}},

    {"SP_T", {"view FMS 0"}},
    {"SP_W", {"view FMS 1"}},
    {"SP_N", {"view FMS 2"}},
    {"SP_R", {"view FMS 3"}},
    {"SP_C", {"view FMS 4"}},

    {"M_BRP_t", {"view M_BRP 0"}},
    {"AR_B", {"view M_BRP 1"}},

    {"F_Conv", {"view F_ F_Conv"}},
    {"F_Growth", {"view F_ F_Growth"}},
    {"F_Equity", {"view F_ F_Equity"}},
    {"F_Yield", {"view F_ F_Yield"}},
    {"F_LMM", {"view F_ F_LMM"}},
    {"F_Inter", {"view F_ F_Inter"}},
    {"F_Precious", {"view F_ F_Precious"}},
    {"F_Smith", {"view F_ F_Smith"}},
    {"F_AIM", {"view F_ F_AIM"}},
    {"F_Benham", {"view F_ F_Benham"}},
    {"F_Dean", {"view F_ F_Dean"}},
    {"F_Franklin", {"view F_ F_Franklin"}},
    {"F_Fidelity", {"view F_ F_Fidelity"}},
    {"F_Merrill", {"view F_ F_Merrill"}},
    {"F_Janus", {"view F_ F_Janus"}},
    {"F_Putnam", {"view F_ F_Putnam"}},
    {"F_Scudder", {"view F_ F_Scudder"}},
    {"F_Stagecoach", {"view F_ F_Stagecoach"}},
    {"F_Strong", {"view F_ F_Strong"}},
    {"F_T", {"view F_ F_T"}},
    {"F_Twentieth", {"view F_ F_Twentieth"}},
    {"F_Vanguard", {"view F_ F_Vanguard"}},

    {"PortLog", {"view PortLog"}},
    {"PortDetail", {"view Port"}},
    {"PortClear", {"clear"}},  // answered Yes

    {"RB_F", {"RadioStreamURL 0"}},
    {"RB_B", {"RadioStreamURL 1"}},
    {"RB_L", {"RadioStreamURL 2"}},
    {"RB_W", {"RadioStreamURL 3"}},
    {"RB_M", {"RadioStreamURL 4"}},
    {"RI_Reg", {"RadioStreamURL 5"}},
    {"RI_Pa", {"RadioStreamURL 6"}},
    {"RI_Pb", {"RadioStreamURL 7"}},
    {"RI_Pc", {"RadioStreamURL 8"}},
    {"RI_Pd", {"RadioStreamURL 9"}},
    {"RI_LR", {"RadioStreamURL 10"}},
    {"RI_SR", {"RadioStreamURL 11"}},
    {"RadioI", {"RadioStreamURL 12"}},
    {"RadioLT", {"RadioStreamURL 13"}},
    {"RadioDR", {"RadioStreamURL 14"}},
    {"RadioAV", {"RadioStreamURL 15"}},
    {"RadioBBC", {"RadioStreamURL 16"}},

    {"TVB_F", {"TVStreamURL 0"}},
    {"TVB_B", {"TVStreamURL 1"}},
    {"TVB_L", {"TVStreamURL 2"}},
    {"TVB_S", {"TVStreamURL 3"}},
    {"TVB_T", {"TVStreamURL 4"}},
    {"TVF_U", {"TVStreamURL 5"}},
    {"TVF_O", {"TVStreamURL 6"}},
    {"TVF_B", {"TVStreamURL 7"}},
    {"TVF_P", {"TVStreamURL 8"}},
    {"TVIO", {"TVStreamURL 9"}},
    {"TVBBC", {"TVStreamURL 10"}},
};

// The stock node a node hangs under (or is), nullptr for the fixed branches.
const TreeNode* stockOf(const TreeNode* n)
{
    for (; n; n = n->Parent())
        if (n->Image() == TreeTables::StockImage && n->Key().startsWith(QLatin1String("ID")))
            return n;
    return nullptr;
}

// The calls a record shows that are a view, a window or a page (the header, the
// check mark and the scrolling only go with them).
int targets(const QStringList& calls)
{
    int n = 0;
    for (const QString& c : calls)
        if (!c.startsWith(QLatin1String("header ")) && !c.startsWith(QLatin1String("mark ")) &&
            !c.startsWith(QLatin1String("row ")))
            ++n;
    return n;
}

TEST_F(NodeDispatcherTest, EveryNodeOfTheTreeOpensWhatItsTableSays)
{
    setStocks({{0, "S00"}, {1, "S01"}}, 2);
    Stocks()[0].CompanyName = QStringLiteral("S00 Corp");
    setTransactions({{3, "P3"}});
    build();
    ASSERT_EQ(model.Count(), TreeTables::FixedNodes() + 1 + 2 * TreeTables::NodesPerStock());
    test::dialogs().msgAnswers << Dialogs::vbYes;

    QSet<QString> perStockSeen;
    QSet<QString> fixedSeen;
    for (const TreeNode* n : model.allNodes()) {
        const QString key = n->Key();
        CurrentView() = QStringLiteral("PortLog");
        CurrentSymbol() = QStringLiteral("S00");
        const QStringList got = click(key);
        EXPECT_EQ(rec.lastNode, n->Index()) << key.toStdString();

        QStringList want;
        bool listed = true;
        if (const TreeNode* stock = stockOf(n)) {
            const QString row = stock->Key().mid(2);
            ASSERT_TRUE(key.endsWith(row)) << key.toStdString();
            const QString code = key.chopped(row.size());
            const auto it = kPerStock.find(code);
            listed = it != kPerStock.end();
            if (listed) {
                perStockSeen << code;
                want = it->second;
                want.replaceInStrings(QStringLiteral("$"), stock->Text());
            }
        } else if (key.startsWith(QLatin1String("TID"))) {
            want = QStringList{"view PortSelected " + n->Text()};
        } else {
            const auto it = kFixed.find(key);
            listed = it != kFixed.end();
            if (listed) {
                fixedSeen << key;
                want = it->second;
            }
        }
        if (listed) {
            EXPECT_EQ(targets(got), 1) << key.toStdString();
        } else {
            // Roots and folders without an arm.
            EXPECT_TRUE(!n->Parent() || n->Children() > 0) << "leaf without an arm: " << key.toStdString();
        }
        EXPECT_EQ(got, want) << key.toStdString() << " \"" << n->Text().toStdString() << '"';
    }
    EXPECT_EQ(perStockSeen.size(), int(kPerStock.size()));
    EXPECT_EQ(fixedSeen.size(), int(kFixed.size()));
    // "Clear All" was the only node that asked.
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_EQ(test::dialogs().shown[0].title, QStringLiteral("Delete Portfolio Information?"));
}

// Every window and page has its opener: the program's actions run each one, and
// each hands one address to the shell or shows its window.
TEST_F(NodeDispatcherTest, EveryWindowAndPageHasItsOpener)
{
    QSet<int> actions;
    for (const NodeActionRow& row : nodeActionTable()) {
        EXPECT_FALSE(actions.contains(int(row.action))) << row.name;
        actions << int(row.action);
        EXPECT_STREQ(nodeActionName(row.action), row.name);
        EXPECT_NE(row.open, nullptr) << row.name;
    }
    EXPECT_EQ(actions.size(), int(NodeAction::RadioStreamURL) + 1);

    struct Windows final : WebLinkWindows
    {
        QStringList shown;
        void showChartExplorer() override { shown << QStringLiteral("BigChart"); }
        void showTechnicalGraphs() override { shown << QStringLiteral("TechGraph"); }
        void showHeadlineQuery(const QString& symbol) override { shown << "Reuters " + symbol; }
        void showScreener() override { shown << QStringLiteral("Scr"); }
    } windows;
    installWebLinkWindows(&windows);
    test::shell().reset();
    CurrentSymbol() = QStringLiteral("msft");
    TableNodeActions program;
    for (const NodeActionRow& row : nodeActionTable())
        EXPECT_TRUE(program.run(row.action, 1)) << row.name;
    EXPECT_TRUE(program.run(NodeAction::OpenStockNews, 14));
    installWebLinkWindows(nullptr);
    // Seven pages (chart, news, fundamental, board, industry group, TV, radio).
    EXPECT_EQ(test::shell().opened.size(), 7) << test::shell().opened.join('\n').toStdString();
    EXPECT_EQ(windows.shown, QStringList({"BigChart", "TechGraph", "Reuters MSFT"}));
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
    test::shell().reset();
}

TEST_F(NodeDispatcherTest, EachTextAndEachKeyHasOneArm)
{
    QSet<QString> texts;
    for (const TextArm& arm : nodeTextArms()) {
        EXPECT_FALSE(texts.contains(QLatin1String(arm.text))) << arm.text;
        texts << QLatin1String(arm.text);
    }
    QSet<QString> keys;
    for (const KeyArm& arm : nodeKeyArms()) {
        EXPECT_FALSE(keys.contains(QLatin1String(arm.key))) << arm.key;
        keys << QLatin1String(arm.key);
        // No fixed key looks like a per-stock key, so a text arm and a key arm never
        // both match one node.
        EXPECT_FALSE(QRegularExpression(QStringLiteral("\\d$")).match(QLatin1String(arm.key)).hasMatch())
            << arm.key;
    }
}

// The stock node: the profile of the stock when the profile is shown, else the
// quotes of the set with the stock's row selected and scrolled into reach.
TEST_F(NodeDispatcherTest, StockNodeShowsItsProfileOrSelectsItsQuotesRow)
{
    // Rows 2.. of the quotes grid hold "Name 0" .. "Name 29": "Name 5" is row 7,
    // "Name 6" row 8, "Name 20" row 22.
    setStocks({{0, "N5"}, {1, "N20"}, {2, "ZZ"}, {3, "N6"}}, 4);
    Stocks()[0].CompanyName = QStringLiteral("Name 5");
    Stocks()[1].CompanyName = QStringLiteral("Name 20");
    Stocks()[2].CompanyName = QStringLiteral("Nowhere");
    Stocks()[3].CompanyName = QStringLiteral("Name 6");
    build();

    struct Case
    {
        const char* what;
        const char* view;
        const char* key;
        int topBefore;
        QStringList calls;
        int top;
        int row;  // -1: no row selected (the selection stays on row 1)
    };
    const Case cases[] = {
        {"profile shown: the clicked stock's profile", "Profile", "ID0", 2, {"header N5", "view Profile"}, 2, -1},
        {"another view: the quotes, row selected", "PortLog", "ID0", 2, {"header N5", "view Current"}, 2, 7},
        {"quotes shown: not filled again", "Current", "ID0", 2, {"header N5"}, 2, 7},
        {"row 6 below the top row stays", "Current", "ID0", 1, {"header N5"}, 1, 7},
        {"row 7 below the top row becomes the top row", "Current", "ID3", 1, {"header N6"}, 8, 8},
        {"row below reach becomes the top row", "Current", "ID1", 2, {"header N20"}, 22, 22},
        {"row above the top row becomes the top row", "Current", "ID0", 20, {"header N5"}, 7, 7},
        {"no row: unscrolled, unselected", "Current", "ID2", 2, {"header ZZ"}, 2, -1},
    };
    for (const Case& c : cases) {
        FlexGrid& g = rec.grid;
        g.setRows(2);
        g.setCols(3);
        g.Clear();
        for (int i = 0; i < 30; ++i)
            g.AddItem(QStringLiteral("\tName %1\tx").arg(i));
        g.setTopRow(c.topBefore);
        g.setRow(1);
        g.setCol(2);
        g.setRowSel(1);
        g.setColSel(2);
        CurrentView() = QLatin1String(c.view);
        CurrentSymbol() = QStringLiteral("N20");

        EXPECT_EQ(click(QLatin1String(c.key)), c.calls) << c.what;
        EXPECT_EQ(CurrentSymbol(), model.Node(QLatin1String(c.key))->Text()) << c.what;
        EXPECT_EQ(g.TopRow(), c.top) << c.what;
        if (c.row < 0) {
            EXPECT_EQ(g.Row(), 1) << c.what;
            EXPECT_EQ(g.ColSel(), 2) << c.what;
        } else {
            EXPECT_EQ(g.Row(), c.row) << c.what;
            EXPECT_EQ(g.RowSel(), c.row) << c.what;
            EXPECT_EQ(g.Col(), 0) << c.what;
            EXPECT_EQ(g.ColSel(), 1) << c.what;
        }
    }
}

// A stock's sheets make the stock they hang under current (and move the strip to
// it) before they show; its charts, news, graphs, boards and group pages work on
// the stock current at the click.
TEST_F(NodeDispatcherTest, SheetsTakeTheirStockWhileWebPagesKeepTheCurrentOne)
{
    setStocks({{0, "A"}, {1, "B"}}, 2);
    build();
    CurrentSymbol() = QStringLiteral("A");
    for (const char* key : {"1y1", "TG1", "ICT1", "C1", "d1", "Y1", "eps1", "MB_S1", "IG_G1"}) {
        const QStringList calls = click(QLatin1String(key));
        EXPECT_EQ(calls.size(), 1) << key;
        EXPECT_FALSE(calls.join(' ').contains(QLatin1String("header"))) << key;
    }
    EXPECT_EQ(rec.actionSymbols, QStringList(9, QStringLiteral("A")));
    EXPECT_EQ(CurrentSymbol(), QStringLiteral("A"));

    EXPECT_EQ(click(QStringLiteral("ABS1")), QStringList({"header B", "view ABS"}));
    EXPECT_EQ(CurrentSymbol(), QStringLiteral("B"));
}

// The old dispatch went on after a portfolio symbol or a stock to the node-text
// arms: a symbol named like a node text also opened that node's view or page.
TEST_F(NodeDispatcherTest, SymbolNamedLikeANodeTextOpensNothingElse)
{
    setStocks({{0, "EPS"}, {1, "Calls"}, {2, "Charts"}}, 3);
    setTransactions({{4, "Calls"}, {5, "Short Interest "}});
    build();
    QString callsHolding;
    QString blankHolding;
    for (const TreeNode* n : model.allNodes()) {
        if (n->Key().startsWith(QLatin1String("TID")) && n->Text() == QLatin1String("Calls"))
            callsHolding = n->Key();
        if (n->Key().startsWith(QLatin1String("TID")) && n->Text() == QLatin1String("Short Interest "))
            blankHolding = n->Key();
    }
    ASSERT_FALSE(callsHolding.isEmpty());
    ASSERT_FALSE(blankHolding.isEmpty());

    CurrentView() = QStringLiteral("Profile");
    EXPECT_EQ(click(QStringLiteral("ID0")), QStringList({"header EPS", "view Profile"}));
    CurrentView() = QStringLiteral("PortLog");  // the empty grid has no row for it
    EXPECT_EQ(click(QStringLiteral("ID1")), QStringList({"header Calls", "view Current"}));
    CurrentView() = QStringLiteral("Current");
    EXPECT_EQ(click(QStringLiteral("ID2")), QStringList({"header Charts"}));
    EXPECT_EQ(click(callsHolding), QStringList({"view PortSelected Calls"}));
    EXPECT_EQ(click(blankHolding), QStringList({"view PortSelected Short Interest "}));
}

// A node text opens its arm only on a node of a stock: the market's "Broker
// Reports" folder does nothing, the stock's "Broker Reports" shows the stock's.
TEST_F(NodeDispatcherTest, NodeTextsActOnlyOnTheNodesOfAStock)
{
    setStocks({{0, "S00"}}, 1);
    build();
    ASSERT_EQ(model.Node(QStringLiteral("M_BRP"))->Text(), QStringLiteral("Broker Reports"));
    EXPECT_EQ(click(QStringLiteral("M_BRP")), QStringList());
    EXPECT_EQ(rec.lastNode, model.Node(QStringLiteral("M_BRP"))->Index());
    EXPECT_EQ(click(QStringLiteral("BR0")), QStringList({"header S00", "view BRP"}));

    // "Short Interest " only with its trailing blank.
    EXPECT_EQ(click(QStringLiteral("SI0")), QStringList({"header S00", "view SI"}));
    model.Node(QStringLiteral("SI0"))->setText(QStringLiteral("Short Interest"));
    EXPECT_EQ(click(QStringLiteral("SI0")), QStringList());

    // The market's IPO "News" node opens by its key, not as a stock's news; the
    // folders open nothing.
    EXPECT_EQ(click(QStringLiteral("ipo_news")), QStringList({"view IPO_News"}));
    for (const char* key : {"OptSum", "Market", "Index", "Funds", "RadioB", "TV", "News0", "G0", "MB0", "IG0"})
        EXPECT_EQ(click(QLatin1String(key)), QStringList()) << key;

    EXPECT_TRUE(isNumberedKey(QStringLiteral("BR12"), "BR"));
    for (const char* key : {"BR", "BRx", "M_BRP", "BR1a", "br1"})
        EXPECT_FALSE(isNumberedKey(QLatin1String(key), "BR")) << key;
}

TEST_F(NodeDispatcherTest, ClearAllAsksAndOnlyYesClears)
{
    build();
    EXPECT_EQ(click(QStringLiteral("PortClear")), QStringList());  // the default answer: No
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    const test::ScriptedDialogs::Shown& box = test::dialogs().shown[0];
    EXPECT_EQ(box.prompt, QStringLiteral("Do you really want to delete all portfolio information?"));
    EXPECT_EQ(box.title, QStringLiteral("Delete Portfolio Information?"));
    EXPECT_EQ(box.buttons, Dialogs::vbYesNo + Dialogs::vbExclamation + Dialogs::vbDefaultButton2);

    test::dialogs().msgAnswers << Dialogs::vbYes;
    EXPECT_EQ(click(QStringLiteral("PortClear")), QStringList({"clear"}));
}

// A view the runner does not know yet does nothing more: no check mark, no scroll.
TEST_F(NodeDispatcherTest, AViewNotBuiltYetIsAllTheArmDoes)
{
    build();
    rec.builtViews = {QStringLiteral("Current")};
    EXPECT_EQ(click(QStringLiteral("pg")), QStringList({"view BR brPG_Q.Sh"}));
    EXPECT_EQ(click(QStringLiteral("US_NQ")), QStringList({"view US"}));
    rec.builtViews = {QStringLiteral("US")};
    EXPECT_EQ(click(QStringLiteral("US_NQ")), QStringList({"view US", "row Nasdaq"}));
}

TEST_F(NodeDispatcherTest, FailureEndsTheClickWithoutAMessageOrALogEntry)
{
    setStocks({{0, "S00"}, {1, "S01"}}, 2);
    build();
    rec.headerThrows = true;
    CurrentSymbol() = QStringLiteral("S00");
    EXPECT_EQ(click(QStringLiteral("ABS1")), QStringList({"header S01"}));
    EXPECT_EQ(rec.lastNode, model.Node(QStringLiteral("ABS1"))->Index());
    CurrentView() = QStringLiteral("PortLog");
    EXPECT_EQ(click(QStringLiteral("ID1")), QStringList({"header S01"}));
    // What was done before the failure stays.
    EXPECT_EQ(CurrentSymbol(), QStringLiteral("S01"));
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
    EXPECT_FALSE(QFile::exists(AppPath() + QStringLiteral("/ErrorLog.txt")));
}

TEST_F(NodeDispatcherTest, UnknownKeyLeavesTheLastNodeAlone)
{
    build();
    click(QStringLiteral("Market"));
    const int market = model.Node(QStringLiteral("Market"))->Index();
    EXPECT_EQ(rec.lastNode, market);
    EXPECT_EQ(click(QStringLiteral("NoSuchKey")), QStringList());
    EXPECT_EQ(rec.lastNode, market);
}

} // namespace

// Every view an arm names is a row of the view registry: a code spelt otherwise in
// the tree's tables than in the registry would make its node do nothing for ever.
TEST(NodeDispatcherRegistry, EveryViewOfTheArmsIsARowOfTheRegistry)
{
    const auto check = [](const NodeTarget& t, const char* where) {
        if (t.kind != NodeTarget::View && t.kind != NodeTarget::StockView)
            return;
        const ViewRow* row = findView(QString::fromLatin1(t.code));
        ASSERT_NE(row, nullptr) << where << ": " << t.code;
        if (t.kind == NodeTarget::StockView) {
            EXPECT_EQ(row->scope, ViewScope::PerStock) << where << ": " << t.code;
        }
    };
    for (const TextArm& arm : nodeTextArms())
        check(arm.target, arm.text);
    for (const KeyArm& arm : nodeKeyArms())
        check(arm.target, arm.key);
}
