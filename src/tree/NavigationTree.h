#pragma once

#include "stockdata/PopupActions.h"
#include "tree/ProfileText.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

#include <array>
#include <functional>

class TreeModel;
class TreeNode;
class TreeView;

// The tree popup `mnuTrees`: its twelve items and which of them the right button
// shows. "&Collapse All" always; the rest only when the node last clicked or
// expanded is a stock.
struct TreePopup
{
    static constexpr int ItemCount = kTreePopupItems;
    // "&Collapse All", "-", "&Buy", ...: the captions of the main window's tree popup.
    static constexpr const std::array<const char*, ItemCount>& Captions = kTreePopupCaptions;

    std::array<bool, ItemCount> visible{};
    QPoint globalPos;   // where the menu opens, in screen pixels

    bool isStockMenu() const { return visible[1]; }
};

// The navigation tree `TreeView1` of the main window: builds it (initTree) and
// answers its expand, key, mouse-down and mouse-move events. Works on a tree
// model alone (tests) or on a view and the model it shows.
//
// The window fills the parts that are its own through hooks: the set's name for
// the "All" root (the "Groups" status label), the popup menu it opens on a right
// click, and what a mouse move over the tree stops (the stock strip's scrolling).
class NavigationTree : public QObject
{
    Q_OBJECT

public:
    // On a view: uses the view's model (making one when it has none), gives the
    // view the image list and connects the view's events to the handlers below.
    explicit NavigationTree(TreeView* view, QObject* parent = nullptr);
    // On a bare model (no view): the handlers are called directly.
    explicit NavigationTree(TreeModel* model, QObject* parent = nullptr);
    ~NavigationTree() override;

    TreeModel* model() const;
    TreeView* view() const;

    // ---- hooks the main window sets -----------------------------------------
    // The caption the "Groups" status label shows: the "All" root is titled
    // "Stocks-" followed by it.
    void setSetNameSource(std::function<QString()> source) { m_setName = std::move(source); }
    // Opens the tree popup with these items visible (the right button's work).
    void setPopupHook(std::function<void(const TreePopup&)> hook) { m_popup = std::move(hook); }
    // Runs first on every mouse move over the tree (the window stops its strip
    // scroll timer there).
    void setMouseMoveHook(std::function<void()> hook) { m_mouseMove = std::move(hook); }

    // ---- the tree's operations -----------------------------------------------
    // Rebuilds the whole tree from the current set, the portfolio and the fixed
    // branches. Never fails to its caller. LastNodeIndex is kept as it was.
    void initTree();
    // Retitles the "All" root from the set name source (a renamed set), keeping
    // the rest of the tree as it is.
    void showSetName();

    // The node last clicked or expanded, by its 1-based index (1 at start-up: the
    // "All" root). Valid until the next rebuild, after which it names whatever
    // node has that index now, or none.
    int LastNodeIndex() const { return m_lastNodeIndex; }
    void setLastNodeIndex(int index) { m_lastNodeIndex = index; }
    // Called on a node click (before the click is dispatched): remembers the node.
    void rememberNode(const QString& key);

    // Event handlers of TreeView1.
    void TreeView1_Expand(TreeNode* node);
    void TreeView1_KeyDown(int KeyCode, int Shift);
    // Returns the popup as shown (all items hidden when the button is not the right one).
    TreePopup TreeView1_MouseDown(int Button, int Shift, double X, double Y);
    void TreeView1_MouseMove(int Button, int Shift, double X, double Y);

    // The tool tip the tree shows: the current stock's profile text.
    QString ToolTipText() const { return m_toolTip; }
    const ProfileTextCache& profileCache() const { return m_profile; }

    // Closes every expanded stock node (the other nodes keep their state).
    void CollapseStockNodes();
    // Closes every node, roots included.
    void CollapseAllNodes();

    // The popup items visible for the remembered node.
    TreePopup popupForLastNode() const;

private:
    void connectModel();
    void connectView();
    TreeNode* lastNode() const;   // nullptr when the index names no node
    QString setName() const;      // from the source; "" when none or it fails

    QPointer<TreeModel> m_model;
    QPointer<TreeView> m_view;
    int m_lastNodeIndex = 1;
    QString m_toolTip;
    ProfileTextCache m_profile;
    std::function<QString()> m_setName;
    std::function<void(const TreePopup&)> m_popup;
    std::function<void()> m_mouseMove;
};
