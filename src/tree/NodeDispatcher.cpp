#include "tree/NodeDispatcher.h"

#include "pages/PageCatalogue.h"
#include "platform/Dialogs.h"
#include "platform/TreeModel.h"
#include "sheets/MainGridEvents.h"
#include "stockdata/ProgramState.h"
#include "tree/TreeTables.h"
#include "weblinks/WebLinks.h"

#include <QLoggingCategory>

#include <deque>
#include <exception>
#include <vector>

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

using A = NodeAction;

// ---- test 4: the nodes every stock carries, by text --------------------------------

// The nodes of the stock's sheets come from the catalogue (see arms()); these are
// the windows and web pages, which leave the current stock as it is, also for the
// two nodes right under the stock node ("Technical Graphs", "Interactive Chart").
constexpr TextArm kActionTextArms[] = {
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

// The nodes of the market's and the portfolio's views come from the catalogue (see
// arms()); these are the portfolio's question and the web pages.
constexpr KeyArm kFixedKeyArms[] = {
    {"PortClear", askClearPortfolio()},

    {"ipo_MB", act(A::MessageBoardURL, 2)},

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

// ---- the arms of the page views: the catalogue's tree leaves ------------------------

// Every arm, the page views' first; the texts the arms point to are kept here.
struct Arms
{
    std::deque<QByteArray> texts;
    std::vector<TextArm> byText;
    std::vector<KeyArm> byKey;

    const char* keep(const QString& text)
    {
        if (text.isEmpty())
            return "";
        texts.push_back(text.toLatin1());
        return texts.back().constData();
    }
};

const Arms& arms()
{
    static const Arms made = [] {
        Arms a;
        for (const pages::PageKind& kind : pages::Catalogue())
            for (const pages::TreeLeaf& leaf : kind.leaves) {
                NodeTarget t = view(a.keep(leaf.view), a.keep(leaf.argument));
                if (kind.scope == pages::Scope::PerStock) {
                    // A stock's sheet, by the node's text: the stock is the parent node's text.
                    t.kind = NodeTarget::StockView;
                    a.byText.push_back({a.keep(leaf.text), a.keep(leaf.key), t});
                } else if (kind.scope == pages::Scope::Market) {
                    // A market page, by the node's key: a market list gets its check
                    // mark, an index group is brought to the top row.
                    t.marketList = leaf.marketList;
                    if (leaf.groupTop)
                        t.topRow = a.keep(leaf.text);
                    a.byKey.push_back({a.keep(leaf.key), t});
                } else if (kind.scope == pages::Scope::Portfolio && !leaf.text.isEmpty()) {
                    a.byKey.push_back({a.keep(leaf.key), t});
                }
                // The set's root and the portfolio's symbols have tests of their own.
            }
        a.byText.insert(a.byText.end(), std::begin(kActionTextArms), std::end(kActionTextArms));
        a.byKey.insert(a.byKey.end(), std::begin(kFixedKeyArms), std::end(kFixedKeyArms));
        return a;
    }();
    return made;
}

const QString kProfileView = QStringLiteral("Profile");
const QString kQuotesView = QStringLiteral("Current");

} // namespace

std::span<const TextArm> nodeTextArms() { return arms().byText; }
std::span<const KeyArm> nodeKeyArms() { return arms().byKey; }
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
    const pages::TreeLeaf& leaf = TreeTables::PortSymbolLeaf();
    if (!node.Key().startsWith(leaf.key))
        return false;
    showView(leaf.view, node.Text());
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
    for (const TextArm& arm : arms().byText) {
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
    for (const KeyArm& arm : arms().byKey) {
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
