#pragma once

#include "platform/TreeModel.h"

#include <QHash>
#include <QIcon>
#include <QPointer>
#include <QTreeWidget>
#include <QVector>

#include <functional>


// Shows a TreeModel: each node's text and its 16 x 16 picture from the image list
// (1-based, as the model numbers them). Follows the model's changes one by one
// while it is live and rebuilds in one go after a batch (Redraw off or an update
// lock); a 16,000-node tree is rebuilt without per-node layout work.
//
// Items are made as they are needed: the roots and their children, and the
// children of every open node. A closed folder whose children have no items yet
// shows its expand mark all the same; opening it (pointer, keys, the model) makes
// them. itemOf() makes the items of a node and of its ancestors when they are
// missing, so a node found by key can always be selected, opened or closed. The
// model stays whole whatever the view has made.
//
// The control's events come out as signals of the same names: NodeClick with
// the clicked node's key, Expand / Collapse (from the model, whoever changed
// the state), KeyDown(KeyCode, Shift), MouseDown / MouseMove / MouseUp (Button,
// Shift, X, Y) with X and Y in twips from the control's corner.
//
// The model's state and the view's agree on every path: an item opened or closed
// in the view (pointer, keys, or the view opening the parents of its current item)
// sets the node's Expanded; a node's Expanded and the selection set in the model
// reach the items. The right button reports MouseDown / MouseUp but never moves the
// selection. The column grows to its widest text and the tree scrolls sideways.
class TreeView : public QTreeWidget
{
    Q_OBJECT

public:
    explicit TreeView(QWidget* parent = nullptr);
    ~TreeView() override;

    void setTreeModel(TreeModel* model);
    TreeModel* treeModel() const { return m_model; }

    // Pictures: image k of the model is images[k - 1]; or a lookup function.
    void setImageList(const QVector<QIcon>& images);
    void setImageProvider(std::function<QIcon(int)> provider);

    // The node under a point given in twips from the control's corner (nullptr
    // when none).
    TreeNode* HitTest(double x, double y) const;
    TreeNode* nodeOf(const QTreeWidgetItem* item) const;
    // The node's item, made (with its ancestors' children) when it is missing;
    // nullptr for a node the view does not show (none, or a batch is pending).
    QTreeWidgetItem* itemOf(const TreeNode* node);
    // The item when it has been made already.
    QTreeWidgetItem* madeItemOf(const TreeNode* node) const { return m_items.value(node, nullptr); }
    // How many items exist now.
    int madeItemCount() const { return int(m_items.size()); }

    // Rebuilds every item from the model.
    void rebuild();

signals:
    void NodeClick(const QString& key);
    void Expand(const QString& key);
    void Collapse(const QString& key);
    void KeyDown(int KeyCode, int Shift);
    void MouseDown(int Button, int Shift, double X, double Y);
    void MouseMove(int Button, int Shift, double X, double Y);
    void MouseUp(int Button, int Shift, double X, double Y);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    QTreeWidgetItem* makeItem(TreeNode* node);
    void makeChildItems(QTreeWidgetItem* item, TreeNode* node);
    void openMadeItems();
    void ensureChildItems(QTreeWidgetItem* item);
    void updateItem(QTreeWidgetItem* item, const TreeNode* node);
    void addNode(TreeNode* node);
    void removeNode(TreeNode* node);
    void forgetSubtree(QTreeWidgetItem* item);
    void syncSelection(TreeNode* node);
    QIcon icon(int image) const;

    QPointer<TreeModel> m_model;
    QVector<QIcon> m_images;
    std::function<QIcon(int)> m_provider;
    QHash<const TreeNode*, QTreeWidgetItem*> m_items;
    QHash<const QTreeWidgetItem*, TreeNode*> m_nodes;
    QVector<QTreeWidgetItem*> m_toOpen;   // made for open nodes, opened once in the tree
    bool m_syncing = false;
    QList<QMetaObject::Connection> m_connections;
};
