#include "tree/NavigationTree.h"

#include "platform/InputCodes.h"
#include "platform/SkipFailedSteps.h"
#include "platform/TreeModel.h"
#include "platform/TreeView.h"
#include "tree/TreeBuild.h"
#include "tree/TreeImages.h"
#include "tree/TreeTables.h"

#include <QLoggingCategory>

namespace {
Q_LOGGING_CATEGORY(lcNavigationTree, "tradewright.tree.navigation")
// A step on a node that fails is skipped; the tree stays usable.
const SkipFailedSteps navStep(lcNavigationTree, "the navigation tree");
constexpr int KeyP = 80;
const QString kProfileNodeText = QStringLiteral("Profile");
} // namespace

NavigationTree::NavigationTree(TreeView* view, QObject* parent)
    : QObject(parent), m_view(view)
{
    if (view) {
        m_model = view->treeModel();
        if (!m_model) {
            m_model = new TreeModel(this);
            view->setTreeModel(m_model);
        }
        view->setImageList(ImageList1());
    }
    connectModel();
    connectView();
}

NavigationTree::NavigationTree(TreeModel* model, QObject* parent)
    : QObject(parent), m_model(model)
{
    connectModel();
}

NavigationTree::~NavigationTree() = default;

TreeModel* NavigationTree::model() const
{
    return m_model;
}

TreeView* NavigationTree::view() const
{
    return m_view;
}

void NavigationTree::connectModel()
{
    if (m_model)
        connect(m_model, &TreeModel::Expand, this, &NavigationTree::TreeView1_Expand);
}

void NavigationTree::connectView()
{
    if (!m_view)
        return;
    connect(m_view, &TreeView::NodeClick, this, &NavigationTree::rememberNode);
    connect(m_view, &TreeView::KeyDown, this, &NavigationTree::TreeView1_KeyDown);
    connect(m_view, &TreeView::MouseDown, this,
            [this](int b, int s, double x, double y) { TreeView1_MouseDown(b, s, x, y); });
    connect(m_view, &TreeView::MouseMove, this, &NavigationTree::TreeView1_MouseMove);
}

QString NavigationTree::setName() const
{
    try {
        if (m_setName)
            return m_setName();
    } catch (...) {
        // A set name that cannot be had titles the root without it.
    }
    return QString();
}

void NavigationTree::initTree()
{
    if (!m_model)
        return;
    BuildNavigationTree(*m_model, setName());
}

void NavigationTree::showSetName()
{
    if (!m_model)
        return;
    if (TreeNode* all = m_model->find(QLatin1String(TreeTables::AllKey)))
        all->setText(AllRootText(setName()));
}

void NavigationTree::rememberNode(const QString& key)
{
    if (!m_model)
        return;
    if (TreeNode* n = m_model->find(key))
        m_lastNodeIndex = n->Index();
}

TreeNode* NavigationTree::lastNode() const
{
    // After a rebuild with fewer nodes the remembered index may lie past the end:
    // that is no node, so no stock.
    if (!m_model || m_lastNodeIndex < 1 || m_lastNodeIndex > m_model->Count())
        return nullptr;
    return m_model->Nodes(m_lastNodeIndex);
}

void NavigationTree::TreeView1_Expand(TreeNode* node)
{
    if (!node)
        return;
    navStep([&] {
        if (node->Image() == TreeTables::StockImage)
            node->setExpandedImage(TreeTables::OpenStockImage);
    });
    m_lastNodeIndex = node->Index();
}

void NavigationTree::TreeView1_KeyDown(int KeyCode, int Shift)
{
    // Any key in the tree opens the stock last clicked, once; the key itself and
    // the selection play no part.
    TreeNode* node = lastNode();
    if (!node || node->Image() != TreeTables::StockImage || node->Expanded())
        return;
    navStep([&] { node->setExpanded(true); });
    // P also selects that stock's profile.
    if (KeyCode == KeyP) {
        for (TreeNode* child : node->childNodes()) {
            if (child->Text() == kProfileNodeText) {
                navStep([&] { child->setSelected(true); });
                break;
            }
        }
    }
}

TreePopup NavigationTree::popupForLastNode() const
{
    TreePopup popup;
    popup.visible[0] = true;
    const TreeNode* node = lastNode();
    const bool stock = node && node->Image() == TreeTables::StockImage;
    for (int i = 1; i < TreePopup::ItemCount; ++i)
        popup.visible[size_t(i)] = stock;
    return popup;
}

TreePopup NavigationTree::TreeView1_MouseDown(int Button, int Shift, double X, double Y)
{
    if (Button != input::vbRightButton)
        return TreePopup();
    // The menu is about the node last clicked or expanded, not the one under the
    // pointer, which is neither looked at nor selected.
    TreePopup popup = popupForLastNode();
    const QPoint local = input::toPixelPoint(X, Y);
    popup.globalPos = m_view ? m_view->viewport()->mapToGlobal(local) : local;
    if (m_popup)
        m_popup(popup);
    return popup;
}

void NavigationTree::TreeView1_MouseMove(int Button, int Shift, double X, double Y)
{
    if (m_mouseMove) {
        navStep([&] { m_mouseMove(); });
    }
    // The tip is the current stock's profile, the same over every node.
    // The items carry no tips of their own, so the viewport's shows everywhere.
    const QString tip = m_profile.text();
    m_toolTip = tip;
    if (m_view && m_view->viewport()->toolTip() != tip) {
        m_view->setToolTip(tip);
        m_view->viewport()->setToolTip(tip);
    }
}

void NavigationTree::CollapseStockNodes()
{
    if (!m_model)
        return;
    const int count = m_model->Count();
    for (int i = 1; i <= count; ++i) {
        navStep([&] {
            TreeNode* n = m_model->Nodes(i);
            if (n->Image() == TreeTables::StockImage)
                n->setExpanded(false);
        });
    }
}

void NavigationTree::CollapseAllNodes()
{
    if (!m_model)
        return;
    const int count = m_model->Count();
    for (int i = 1; i <= count; ++i) {
        navStep([&] { m_model->Nodes(i)->setExpanded(false); });
    }
}
