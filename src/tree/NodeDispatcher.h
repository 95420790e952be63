#pragma once

#include <QString>

#include <cstdint>
#include <span>

class FlexGrid;
class TreeModel;
class TreeNode;

// The node click of the navigation tree: one click becomes exactly one view,
// window or web page. Five tests in a row, each a walk over its own table:
//   1. a portfolio symbol ("TID" & row): its holdings;
//   2. a stock of the set ("ID" & row, picture 1): it becomes current, and the grid
//      shows its profile (when the profile is shown) or the quotes of the set with
//      its row selected;
//   3. the set's root (picture 14): the quotes of the set;
//   4. the node's text, for the nodes every stock carries (the text arms below);
//   5. the node's whole key, for the fixed nodes of the market, portfolio, radio
//      and television branches (the key arms below).
// The arms of the nodes that show a page's view are made of the page catalogue's
// tree leaves: a stock's sheet is a text arm, a market page a key arm (with its
// argument, its market-list index and its group title); the other arms are the
// dispatcher's own.
// A click that the first three tests take ends there. The text arms apply only to
// a node whose key is the arm's key prefix followed by the stock's row, so a
// market folder that happens to carry the same text as a stock's node ("Broker
// Reports") does nothing, like every other folder.

// ---- what the dispatcher calls ------------------------------------------------

// Shows a view by its code with its per-key argument ("" when the code serves one
// page). False when the view is not built yet; it then does nothing.
class ViewShower
{
public:
    virtual ~ViewShower() = default;
    virtual bool show(const QString& code, const QString& key) = 0;
};

// What belongs to the main window.
class NodeClickWindow
{
public:
    virtual ~NodeClickWindow() = default;
    // Selects the stock: makes symbol CurrentSymbol (and its row CurrentIndex) and
    // moves the stock strip to it.
    virtual void ShowStockHeader(const QString& symbol) = 0;
    // The grid the quotes view fills; a stock node selects its row there.
    virtual FlexGrid& mainGrid() = 0;
    // Scrolls the main grid so that the row whose column 1 holds title is the top row.
    virtual void FindGridRow(const QString& title) = 0;
    // Deletes every transaction (the user has said Yes).
    virtual void ClearPortfolio() = 0;
    // Where the tree keeps the node last clicked or expanded (its 1-based index).
    virtual void setLastNodeIndex(int index) = 0;
    // The market-list menu's check mark: on the item of this list index, off on the
    // others (an index past the last item marks none).
    virtual void markMarketList(int index) = 0;
};

// The windows and web pages a node opens.
enum class NodeAction : std::uint8_t {
    BigChart,              // the chart window, modeless
    TechGraph,             // the technical-graphs window, modeless
    OpenStockChart,        // price chart n of the current stock
    OpenStockNews,         // news source n of the current stock
    OpenFundamentalChart,  // ratio graph n of the current stock
    MessageBoardURL,       // message board n
    IndustryGroupURL,      // industry-group page n of the current stock
    TVStreamURL,           // television stream n
    RadioStreamURL,        // radio stream n
};

class NodeActions
{
public:
    virtual ~NodeActions() = default;
    // Opens action with its index n. False when that window or page is not built
    // yet; nothing happens then.
    virtual bool run(NodeAction action, int n) = 0;
};

// One row per action with its opener; open is nullptr while the window or page is
// not built.
struct NodeActionRow
{
    NodeAction action;
    const char* name;
    void (*open)(int n);
};
std::span<const NodeActionRow> nodeActionTable();
const char* nodeActionName(NodeAction action);

// The program's actions: the openers of nodeActionTable().
class TableNodeActions final : public NodeActions
{
public:
    bool run(NodeAction action, int n) override;
};

// ---- the tables ---------------------------------------------------------------

// What an arm runs.
struct NodeTarget
{
    enum Kind : std::uint8_t {
        View,            // the view `code` with argument `key`
        StockView,       // the parent node's text becomes the current stock, then the view
        Action,          // `action` with index n
        ClearPortfolio,  // asks, and on Yes deletes the portfolio
    };
    Kind kind = View;
    const char* code = nullptr;
    const char* key = "";
    // View: after the view, the group title brought to the top row ("" none).
    const char* topRow = "";
    // View: the market list index whose menu item gets the check mark (-1 none).
    int marketList = -1;
    NodeAction action = NodeAction::BigChart;
    int n = 0;
};

// Test 4: a node whose text is `text` exactly and whose key is keyPrefix followed
// by digits.
struct TextArm
{
    const char* text;
    const char* keyPrefix;
    NodeTarget target;
};

// Test 5: a node whose key is `key` exactly.
struct KeyArm
{
    const char* key;
    NodeTarget target;
};

std::span<const TextArm> nodeTextArms();
std::span<const KeyArm> nodeKeyArms();

// True when key is prefix followed by one or more digits.
bool isNumberedKey(const QString& key, const char* prefix);

// ---- the dispatcher -------------------------------------------------------------

class NodeDispatcher
{
public:
    // Everything it calls is given here; it keeps nothing between clicks.
    NodeDispatcher(TreeModel& tree, ViewShower& views, NodeClickWindow& window, NodeActions& actions);

    // The tree's NodeClick: the node with this key (none: nothing happens). Its index
    // is stored as the last node first. A failure anywhere ends the click; what was
    // done before it stays, and no message is shown.
    void TreeView1_NodeClick(const QString& key);

private:
    bool portfolioSymbol(const TreeNode& node);
    bool stockOfSet(const TreeNode& node);
    bool setRoot(const TreeNode& node);
    bool textArm(const TreeNode& node);
    bool keyArm(const TreeNode& node);
    void run(const NodeTarget& target, const TreeNode& node);
    bool showView(const QString& code, const QString& key);

    TreeModel& m_tree;
    ViewShower& m_views;
    NodeClickWindow& m_window;
    NodeActions& m_actions;
};
