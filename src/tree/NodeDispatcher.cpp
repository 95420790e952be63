#include "tree/NodeDispatcher.h"

#include "platform/Dialogs.h"
#include "platform/TreeModel.h"
#include "sheets/MainGridEvents.h"
#include "stockdata/ProgramState.h"
#include "tree/TreeTables.h"
#include "weblinks/WebLinks.h"

#include <QLoggingCategory>

#include <exception>

Q_LOGGING_CATEGORY(lcNodeClick, "tradewright.tree.nodeclick")

namespace {

// ---- building the rows ----------------------------------------------------------

constexpr NodeTarget view(const char* code, const char* key = "")
{
    NodeTarget t;
    t.code = code;
    t.key = key;
    return t;
}

constexpr NodeTarget stockView(const char* code)
{
    NodeTarget t = view(code);
    t.kind = NodeTarget::StockView;
    return t;
}

// A market list: its menu item gets the check mark, then the list shows.
constexpr NodeTarget marketList(int index, const char* code, const char* key = "")
{
    NodeTarget t = view(code, key);
    t.marketList = index;
    return t;
}

// An index group: the whole view, scrolled to the group's title.
constexpr NodeTarget group(const char* code, const char* title)
{
    NodeTarget t = view(code);
    t.topRow = title;
    return t;
}

constexpr NodeTarget act(NodeAction action, int n = 0)
{
    NodeTarget t;
    t.kind = NodeTarget::Action;
    t.action = action;
    t.n = n;
    return t;
}

constexpr NodeTarget askClearPortfolio()
{
    NodeTarget t;
    t.kind = NodeTarget::ClearPortfolio;
    return t;
}

// A fund: the fund view with the node's key.
constexpr KeyArm fund(const char* key)
{
    return {key, view("F_", key)};
}

using A = NodeAction;

// ---- test 4: the nodes every stock carries, by text --------------------------------

constexpr TextArm kTextArms[] = {
    // The stock's sheets: the stock is the parent node's text.
    {"Annual Balance Sheet", "ABS", stockView("ABS")},
    {"Annual Income Statement", "AIS", stockView("AIS")},
    {"Earning Growth", "EG", stockView("EG")},
    {"Earning History", "EH", stockView("EH")},
    {"Earning Estimates", "ER", stockView("ER")},
    {"Consensus EPS Trend", "EC", stockView("EC")},
    {"Insider Trade", "IT", stockView("IT")},
    {"Quarterly Reports", "QR", stockView("QR")},
    {"Calls", "Calls", stockView("Call")},
    {"Puts", "Puts", stockView("Put")},
    {"Splits History", "SPL", stockView("Split")},
    {"Upgrades History", "UP", stockView("UPH")},
    {"Downgrades History", "DN", stockView("DNH")},
    {"Momentum Rating", "NMR", stockView("NMR")},
    {"Broker Reports", "BR", stockView("BRP")},
    {"Profile", "AR", stockView("Profile")},
    {"Options", "Options", stockView("Options")},
    {"Short Interest ", "SI", stockView("SI")},

    // From here on the current stock stays what it is, also for the two nodes right
    // under the stock node ("Technical Graphs", "Interactive Chart").
    {"Charts", "C", act(A::BigChart)},
    {"Technical Graphs", "TG", act(A::TechGraph)},

    {"1 Day", "d", act(A::OpenStockChart, 0)},
    {"3 Months", "3m", act(A::OpenStockChart, 1)},
    {"1 Year", "1y", act(A::OpenStockChart, 2)},
    {"2 Years", "2y", act(A::OpenStockChart, 3)},
    {"5 Years", "5y", act(A::OpenStockChart, 4)},
    {"Moving Avg.", "ma", act(A::OpenStockChart, 6)},
    {"vs SP 500", "sp", act(A::OpenStockChart, 7)},
    {"Interactive Chart", "ICT", act(A::OpenStockChart, 8)},

    {"Yahoo News", "Y", act(A::OpenStockNews, 0)},
    {"Microsoft Investor", "M", act(A::OpenStockNews, 1)},
    {"EDGAR Online", "E", act(A::OpenStockNews, 2)},
    {"Smart Money Online", "S", act(A::OpenStockNews, 3)},
    {"ZD Net", "Z", act(A::OpenStockNews, 4)},
    {TreeTables::QuoteSiteNewsText, "Q", act(A::OpenStockNews, 5)},
    {"Money Central", "Mn", act(A::OpenStockNews, 6)},
    {"CBS MarketWatch", "Cbs", act(A::OpenStockNews, 7)},
    {TreeTables::FinanceSiteNewsText, "Qu", act(A::OpenStockNews, 8)},
    {"MorningStar", "Mr", act(A::OpenStockNews, 9)},
    {"StockPoint", "SP", act(A::OpenStockNews, 10)},
    {"The Montlay Full", "MF", act(A::OpenStockNews, 11)},
    {"News Alert", "NA", act(A::OpenStockNews, 12)},
    {"Bloomberg", "BL", act(A::OpenStockNews, 13)},
    {"Reuters - MoneyNet", "RM", act(A::OpenStockNews, 14)},

    {"Book Value", "bookV", act(A::OpenFundamentalChart, 0)},
    {"Common Equity", "ce", act(A::OpenFundamentalChart, 1)},
    {"Current Assets", "Casset", act(A::OpenFundamentalChart, 2)},
    {"Current Liabilities", "Clib", act(A::OpenFundamentalChart, 3)},
    {"Debt/Equity Ratio", "debt", act(A::OpenFundamentalChart, 4)},
    {"Depreciation", "dep", act(A::OpenFundamentalChart, 5)},
    {"Dividends", "div", act(A::OpenFundamentalChart, 6)},
    {"Dividends Payout", "divP", act(A::OpenFundamentalChart, 7)},
    {"EBIT", "ebit", act(A::OpenFundamentalChart, 8)},
    {"EPS", "eps", act(A::OpenFundamentalChart, 9)},
    {"Long Term Debt", "longDebt", act(A::OpenFundamentalChart, 10)},
    {"Interest Coverage Ratio", "IC", act(A::OpenFundamentalChart, 11)},
    {"Net Income", "Nincome", act(A::OpenFundamentalChart, 12)},
    {"P/E Ratio", "pe", act(A::OpenFundamentalChart, 13)},
    {"Price/Book Ratio", "PB", act(A::OpenFundamentalChart, 14)},
    {"Price/Sales Ratio", "PS", act(A::OpenFundamentalChart, 15)},
    {"Profit Margin", "pm", act(A::OpenFundamentalChart, 16)},
    {"Return on Equity", "returnEq", act(A::OpenFundamentalChart, 17)},
    {"Return on Asset", "returnAs", act(A::OpenFundamentalChart, 18)},
    {"Revenues", "Revenues", act(A::OpenFundamentalChart, 19)},
    {"Shares Out", "SO", act(A::OpenFundamentalChart, 20)},

    {"StockTalk", "MB_S", act(A::MessageBoardURL, 0)},
    {"Yahoo! Message Board", "MB_Y", act(A::MessageBoardURL, 1)},

    {"Graph", "IG_G", act(A::IndustryGroupURL, 0)},
    {"List Of Stocks", "IG_L", act(A::IndustryGroupURL, 1)},
    {"Short Term Technical Breakouts", "IG_S", act(A::IndustryGroupURL, 2)},
    {"Intermediate Term Technical Breakouts", "IG_I", act(A::IndustryGroupURL, 3)},
    {"Long Term Technical Breakouts", "IG_LG", act(A::IndustryGroupURL, 4)},
    {"Over/Under Valuation", "IG_O", act(A::IndustryGroupURL, 5)},
    {"Insider Trading", "IG_IT", act(A::IndustryGroupURL, 6)},
    {"Composite Ranks", "IG_C", act(A::IndustryGroupURL, 7)},
};

// ---- test 5: the fixed nodes, by whole key ------------------------------------------

constexpr KeyArm kKeyArms[] = {
    // The market lists, by list index; the movers lists by their cache file.
    {"sup", marketList(1, "SUP")},
    {"win", marketList(2, "WINLOS", "mwwinners.Sh")},
    {"los", marketList(3, "WINLOS", "mwlosers.Sh")},
    {"pg", marketList(4, "BR", "brPG_Q.Sh")},
    {"pl", marketList(5, "BR", "brPL_Q.Sh")},
    {"vg", marketList(6, "BR", "brVG_Q.Sh")},
    {"vl", marketList(7, "BR", "brVL_Q.Sh")},
    {"52h", marketList(8, "BR", "br52-WPH_Q.Sh")},
    {"52l", marketList(9, "BR", "br52-WPL_Q.Sh")},
    {"mas", marketList(10, "BR", "brMAS_Q.Sh")},
    {"up", marketList(11, "Upgrade")},
    {"down", marketList(12, "Downgrade")},
    {"ci", marketList(13, "Coverage")},
    {"lmm", marketList(28, "BR", "BrLMM_Q.Sh")},
    {"lmm_N", marketList(29, "BR", "BrLMM_N.Sh")},
    {"lmm_A", marketList(30, "BR", "BrLMM_A.Sh")},
    {"pg_N", marketList(14, "BR", "brPG_N.Sh")},
    {"pl_N", marketList(15, "BR", "brPL_N.Sh")},
    {"vg_N", marketList(16, "BR", "brVG_N.Sh")},
    {"vl_N", marketList(17, "BR", "brVL_N.Sh")},
    {"52h_N", marketList(18, "BR", "br52-WPH_N.Sh")},
    {"52l_N", marketList(19, "BR", "br52-WPL_N.Sh")},
    {"mas_N", marketList(20, "BR", "brMAS_N.Sh")},
    {"pg_A", marketList(21, "BR", "brPG_A.Sh")},
    {"pl_A", marketList(22, "BR", "brPL_A.Sh")},
    {"vg_A", marketList(23, "BR", "brVG_A.Sh")},
    {"vl_A", marketList(24, "BR", "brVL_A.Sh")},
    {"52h_A", marketList(25, "BR", "br52-WPH_A.Sh")},
    {"52l_A", marketList(26, "BR", "br52-WPL_A.Sh")},
    {"mas_A", marketList(27, "BR", "brMAS_A.Sh")},

    // The most-active lists of the screener pages, shown with the tree's own titles
    // (no market-list index, no check mark).
    {"brdt", view("BR", "BrDT_Q.Sh")},
    {"brdt_N", view("BR", "BrDT_N.Sh")},
    {"brdt_A", view("BR", "BrDT_A.Sh")},
    {"brpu_Q", view("BR", "BrPU_Q.Sh")},
    {"brpu_N", view("BR", "BrPU_N.Sh")},
    {"brpu_A", view("BR", "BrPU_A.Sh")},
    {"brpd_Q", view("BR", "BrPD_Q.Sh")},
    {"brpd_N", view("BR", "BrPD_N.Sh")},
    {"brpd_A", view("BR", "BrPD_A.Sh")},

    {"PortLog", view("PortLog")},
    {"PortDetail", view("Port")},
    {"PortClear", askClearPortfolio()},

    {"OptSum_D", view("OptSum", "0")},
    {"OptSum_G", view("OptSum", "1")},
    {"OptSum_L", view("OptSum", "2")},

    {"ipo_reg", view("IPO_Reg")},
    {"ipo_price", view("IPO_Price")},
    {"ipo_Loss", view("IPO_Loss")},
    {"ipo_gain", view("IPO_Gain")},
    {"ipo_with", view("IPO_With")},
    {"ipo_news", view("IPO_News")},
    {"ipo_last", view("IPO_Last")},
    {"ipo_MB", act(A::MessageBoardURL, 2)},

    {"SP_T", view("FMS", "0")},
    {"SP_W", view("FMS", "1")},
    {"SP_N", view("FMS", "2")},
    {"SP_R", view("FMS", "3")},
    {"SP_C", view("FMS", "4")},

    {"US", view("US")},
    {"US_DJ", group("US", "Dow Jones Averages")},
    {"US_NY", group("US", "New York Stock Exchange")},
    {"US_NQ", group("US", "Nasdaq")},
    {"US_SP", group("US", "Standard and Poor's")},
    {"US_OTHER", group("US", "Other U.S. Indices")},
    {"US_TS", group("US", "Treasury Securities (yield x10)")},
    {"US_COMM", group("US", "Commodities")},

    {"W_Market", view("WM")},
    {"mkt_A", group("WM", "Americas")},
    {"mkt_AP", group("WM", "Asia/Pacific")},
    {"mkt_E", group("WM", "Europe")},
    {"mkt_ME", group("WM", "Africa/Middle East")},

    {"M_BRP_t", view("M_BRP", "0")},
    {"AR_B", view("M_BRP", "1")},

    fund("F_Conv"),
    fund("F_Growth"),
    fund("F_Equity"),
    fund("F_Yield"),
    fund("F_LMM"),
    fund("F_Inter"),
    fund("F_Precious"),
    fund("F_Smith"),
    fund("F_AIM"),
    fund("F_Benham"),
    fund("F_Dean"),
    fund("F_Franklin"),
    fund("F_Fidelity"),
    fund("F_Merrill"),
    fund("F_Janus"),
    fund("F_Putnam"),
    fund("F_Scudder"),
    fund("F_Stagecoach"),
    fund("F_Strong"),
    fund("F_T"),
    fund("F_Twentieth"),
    fund("F_Vanguard"),

    {"TVB_F", act(A::TVStreamURL, 0)},
    {"TVB_B", act(A::TVStreamURL, 1)},
    {"TVB_L", act(A::TVStreamURL, 2)},
    {"TVB_S", act(A::TVStreamURL, 3)},
    {"TVB_T", act(A::TVStreamURL, 4)},
    {"TVF_U", act(A::TVStreamURL, 5)},
    {"TVF_O", act(A::TVStreamURL, 6)},
    {"TVF_B", act(A::TVStreamURL, 7)},
    {"TVF_P", act(A::TVStreamURL, 8)},
    {"TVIO", act(A::TVStreamURL, 9)},
    {"TVBBC", act(A::TVStreamURL, 10)},

    {"RB_F", act(A::RadioStreamURL, 0)},
    {"RB_B", act(A::RadioStreamURL, 1)},
    {"RB_L", act(A::RadioStreamURL, 2)},
    {"RB_W", act(A::RadioStreamURL, 3)},
    {"RB_M", act(A::RadioStreamURL, 4)},
    {"RI_Reg", act(A::RadioStreamURL, 5)},
    {"RI_Pa", act(A::RadioStreamURL, 6)},
    {"RI_Pb", act(A::RadioStreamURL, 7)},
    {"RI_Pc", act(A::RadioStreamURL, 8)},
    {"RI_Pd", act(A::RadioStreamURL, 9)},
    {"RI_LR", act(A::RadioStreamURL, 10)},
    {"RI_SR", act(A::RadioStreamURL, 11)},
    {"RadioI", act(A::RadioStreamURL, 12)},
    {"RadioLT", act(A::RadioStreamURL, 13)},
    {"RadioDR", act(A::RadioStreamURL, 14)},
    {"RadioAV", act(A::RadioStreamURL, 15)},
    {"RadioBBC", act(A::RadioStreamURL, 16)},
};

// ---- the windows and pages ------------------------------------------------------------

constexpr NodeActionRow kActions[] = {
    {A::BigChart, "BigChart", &ShowBigChart},
    {A::TechGraph, "TechGraph", &ShowTechGraph},
    {A::OpenStockChart, "OpenStockChart", &OpenStockChart},
    {A::OpenStockNews, "OpenStockNews", &OpenStockNews},
    {A::OpenFundamentalChart, "OpenFundamentalChart", &OpenFundamentalChart},
    {A::MessageBoardURL, "MessageBoardURL", &MessageBoardURL},
    {A::IndustryGroupURL, "IndustryGroupURL", &IndustryGroupURL},
    {A::TVStreamURL, "TVStreamURL", &TVStreamURL},
    {A::RadioStreamURL, "RadioStreamURL", &RadioStreamURL},
};

const NodeActionRow* actionRow(NodeAction action)
{
    for (const NodeActionRow& row : kActions)
        if (row.action == action)
            return &row;
    return nullptr;
}

const QString kProfileView = QStringLiteral("Profile");
const QString kQuotesView = QStringLiteral("Current");

} // namespace

std::span<const TextArm> nodeTextArms() { return kTextArms; }
std::span<const KeyArm> nodeKeyArms() { return kKeyArms; }
std::span<const NodeActionRow> nodeActionTable() { return kActions; }

const char* nodeActionName(NodeAction action)
{
    const NodeActionRow* row = actionRow(action);
    return row ? row->name : "";
}

bool TableNodeActions::run(NodeAction action, int n)
{
    const NodeActionRow* row = actionRow(action);
    if (!row || !row->open)
        return false;
    row->open(n);
    return true;
}

bool isNumberedKey(const QString& key, const char* prefix)
{
    const QLatin1String p(prefix);
    if (key.size() <= p.size() || !key.startsWith(p))
        return false;
    for (qsizetype i = p.size(); i < key.size(); ++i)
        if (key[i] < QLatin1Char('0') || key[i] > QLatin1Char('9'))
            return false;
    return true;
}

NodeDispatcher::NodeDispatcher(TreeModel& tree, ViewShower& views, NodeClickWindow& window, NodeActions& actions)
    : m_tree(tree), m_views(views), m_window(window), m_actions(actions)
{
}

void NodeDispatcher::TreeView1_NodeClick(const QString& key)
{
    const TreeNode* node = m_tree.find(key);
    if (!node)
        return;
    try {
        m_window.setLastNodeIndex(node->Index());
        if (portfolioSymbol(*node) || stockOfSet(*node) || setRoot(*node))
            return;
        // The text arms and the key arms never both match: a text arm needs a key
        // with the stock's row, and no fixed key ends in digits.
        textArm(*node);
        keyArm(*node);
    } catch (const std::exception& e) {
        qCInfo(lcNodeClick).noquote() << "click on" << key << "ended:" << e.what();
    } catch (...) {
        qCInfo(lcNodeClick).noquote() << "click on" << key << "ended by an unknown failure";
    }
}

bool NodeDispatcher::portfolioSymbol(const TreeNode& node)
{
    if (!node.Key().startsWith(QLatin1String(TreeTables::PortSymbolKeyPrefix)))
        return false;
    showView(QStringLiteral("PortSelected"), node.Text());
    return true;
}

bool NodeDispatcher::stockOfSet(const TreeNode& node)
{
    if (!node.Key().startsWith(QLatin1String(TreeTables::StockKeyPrefix)) || node.Image() != TreeTables::StockImage)
        return false;
    // The window's one stock-selection routine makes it CurrentSymbol and moves the strip.
    m_window.ShowStockHeader(node.Text());
    if (CurrentView() == kProfileView) {
        showView(kProfileView, QString());
        return true;
    }
    // The quotes view already shown is not filled again; only its selection moves.
    if (CurrentView() != kQuotesView)
        showView(kQuotesView, QString());
    SelectStockRow(m_window.mainGrid());
    return true;
}

bool NodeDispatcher::setRoot(const TreeNode& node)
{
    if (node.Image() != TreeTables::AllImage)
        return false;
    showView(kQuotesView, QString());
    return true;
}

bool NodeDispatcher::textArm(const TreeNode& node)
{
    const QString text = node.Text();
    const QString key = node.Key();
    for (const TextArm& arm : kTextArms) {
        if (text == QLatin1String(arm.text) && isNumberedKey(key, arm.keyPrefix)) {
            run(arm.target, node);
            return true;
        }
    }
    return false;
}

bool NodeDispatcher::keyArm(const TreeNode& node)
{
    const QString key = node.Key();
    for (const KeyArm& arm : kKeyArms) {
        if (key == QLatin1String(arm.key)) {
            run(arm.target, node);
            return true;
        }
    }
    return false;
}

void NodeDispatcher::run(const NodeTarget& target, const TreeNode& node)
{
    switch (target.kind) {
    case NodeTarget::StockView:
        if (const TreeNode* stock = node.Parent())
            m_window.ShowStockHeader(stock->Text());
        showView(QLatin1String(target.code), QLatin1String(target.key));
        break;
    case NodeTarget::View:
        // A view not built yet does nothing: no check mark, no scrolling.
        if (!showView(QLatin1String(target.code), QLatin1String(target.key)))
            break;
        if (target.marketList >= 0)
            m_window.markMarketList(target.marketList);
        if (*target.topRow)
            m_window.FindGridRow(QLatin1String(target.topRow));
        break;
    case NodeTarget::Action:
        if (!m_actions.run(target.action, target.n))
            qCDebug(lcNodeClick) << nodeActionName(target.action) << target.n << "is not built yet";
        break;
    case NodeTarget::ClearPortfolio:
        if (Dialogs::MsgBox(QStringLiteral("Do you really want to delete all portfolio information?"),
                            Dialogs::vbYesNo + Dialogs::vbExclamation + Dialogs::vbDefaultButton2,
                            QStringLiteral("Delete Portfolio Information?")) == Dialogs::vbYes)
            m_window.ClearPortfolio();
        break;
    }
}

bool NodeDispatcher::showView(const QString& code, const QString& key)
{
    const bool shown = m_views.show(code, key);
    if (!shown)
        qCDebug(lcNodeClick).noquote() << "view" << (key.isEmpty() ? code : code + QLatin1Char(' ') + key)
                                       << "is not built yet";
    return shown;
}
