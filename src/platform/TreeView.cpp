#include "platform/TreeView.h"

#include "platform/InputCodes.h"
#include "platform/TreeModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>

TreeView::TreeView(QWidget* parent)
    : QTreeWidget(parent)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setIconSize(QSize(16, 16));
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    // The one column is as wide as its widest visible text (a long set name in the
    // root included); a tree narrower than that scrolls sideways.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    // Whatever opened or closed an item (a click on its arrow, a key, or the view
    // itself opening the parents of the item it makes current), the node follows:
    // the model's Expanded and the view never disagree. When the model caused the
    // change the node already has that state and nothing more happens.
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        ensureChildItems(item);
        if (TreeNode* n = nodeOf(item))
            n->setExpanded(true);
    });
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        if (TreeNode* n = nodeOf(item))
            n->setExpanded(false);
    });
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (m_syncing || !m_model)
            return;
        if (TreeNode* n = nodeOf(item)) {
            const QScopedValueRollback<bool> syncing(m_syncing, true);
            m_model->setSelectedItem(n);
        }
    });
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (TreeNode* n = nodeOf(item)) {
            if (m_model && !n->Selected()) {
                const QScopedValueRollback<bool> syncing(m_syncing, true);
                m_model->setSelectedItem(n);
            }
            emit NodeClick(n->Key());
        }
    });
}

TreeView::~TreeView() = default;

void TreeView::setTreeModel(TreeModel* model)
{
    for (const auto& c : m_connections)
        disconnect(c);
    m_connections.clear();
    m_model = model;
    if (model) {
        m_connections << connect(model, &TreeModel::nodeAdded, this, [this](TreeNode* n) { addNode(n); });
        m_connections << connect(model, &TreeModel::nodeChanged, this, [this](TreeNode* n) {
            if (QTreeWidgetItem* item = madeItemOf(n))
                updateItem(item, n);
        });
        m_connections << connect(model, &TreeModel::nodeAboutToBeRemoved, this,
                                 [this](TreeNode* n) { removeNode(n); });
        m_connections << connect(model, &TreeModel::selectionChanged, this,
                                 [this](TreeNode* n) { syncSelection(n); });
        m_connections << connect(model, &TreeModel::reset, this, [this] { rebuild(); });
        m_connections << connect(model, &TreeModel::aboutToClear, this, [this] {
            const QScopedValueRollback<bool> syncing(m_syncing, true);
            clear();
            m_items.clear();
            m_nodes.clear();
        });
        m_connections << connect(model, &TreeModel::Expand, this, [this](TreeNode* n) {
            if (QTreeWidgetItem* item = itemOf(n); item && m_model->live() && !item->isExpanded()) {
                const QScopedValueRollback<bool> syncing(m_syncing, true);
                item->setExpanded(true);
            }
            emit Expand(n->Key());
        });
        m_connections << connect(model, &TreeModel::Collapse, this, [this](TreeNode* n) {
            if (QTreeWidgetItem* item = itemOf(n); item && m_model->live() && item->isExpanded()) {
                const QScopedValueRollback<bool> syncing(m_syncing, true);
                item->setExpanded(false);
            }
            emit Collapse(n->Key());
        });
    }
    rebuild();
}

void TreeView::setImageList(const QVector<QIcon>& images)
{
    m_images = images;
    m_provider = nullptr;
    rebuild();
}

void TreeView::setImageProvider(std::function<QIcon(int)> provider)
{
    m_provider = std::move(provider);
    rebuild();
}

QIcon TreeView::icon(int image) const
{
    if (image <= 0)
        return QIcon();
    if (m_provider)
        return m_provider(image);
    return image <= m_images.size() ? m_images[image - 1] : QIcon();
}

void TreeView::updateItem(QTreeWidgetItem* item, const TreeNode* node)
{
    item->setText(0, node->Text());
    int image = node->shownImage();
    if (node->Selected() && node->SelectedImage())
        image = node->SelectedImage();
    item->setIcon(0, icon(image));
    if (item->treeWidget() && item->isExpanded() != node->Expanded()) {
        const QScopedValueRollback<bool> syncing(m_syncing, true);
        item->setExpanded(node->Expanded());
    }
}

// Builds the item of a node and, below it, the items of its children when it is
// a root or open (and so on down); a closed folder gets its expand mark instead.
// Items of open nodes are opened by openMadeItems once they are in the tree.
QTreeWidgetItem* TreeView::makeItem(TreeNode* node)
{
    auto* item = new QTreeWidgetItem;
    m_items.insert(node, item);
    m_nodes.insert(item, node);
    updateItem(item, node);
    if (node->Expanded())
        m_toOpen.append(item);
    if (node->Children() > 0) {
        if (!node->Parent() || node->Expanded())
            makeChildItems(item, node);
        else
            item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    return item;
}

void TreeView::makeChildItems(QTreeWidgetItem* item, TreeNode* node)
{
    QList<QTreeWidgetItem*> children;
    children.reserve(node->Children());
    for (TreeNode* c : node->childNodes())
        children.append(makeItem(c));
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    item->addChildren(children);
}

// Expanded states can only be set on items inside the tree.
void TreeView::openMadeItems()
{
    const QScopedValueRollback<bool> syncing(m_syncing, true);
    while (!m_toOpen.isEmpty()) {
        QTreeWidgetItem* item = m_toOpen.takeLast();
        if (m_nodes.contains(item) && item->treeWidget() && !item->isExpanded())
            item->setExpanded(true);
    }
}

// A folder shown with only its expand mark gets its children's items.
void TreeView::ensureChildItems(QTreeWidgetItem* item)
{
    if (!item || item->childIndicatorPolicy() != QTreeWidgetItem::ShowIndicator)
        return;
    TreeNode* node = nodeOf(item);
    if (!node)
        return;
    if (node->Children() > 0)
        makeChildItems(item, node);
    else
        item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    openMadeItems();
}

QTreeWidgetItem* TreeView::itemOf(const TreeNode* node)
{
    if (!node)
        return nullptr;
    if (QTreeWidgetItem* item = m_items.value(node, nullptr))
        return item;
    // Roots always have items; below them the chain is made from the top down.
    // Nothing is made while a batch is pending: its end rebuilds the view.
    if (!m_model || !m_model->live() || !node->Parent())
        return nullptr;
    QTreeWidgetItem* parentItem = itemOf(node->Parent());
    if (!parentItem)
        return nullptr;
    ensureChildItems(parentItem);
    return m_items.value(node, nullptr);
}

void TreeView::rebuild()
{
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    const QScopedValueRollback<bool> syncing(m_syncing, true);
    clear();
    m_items.clear();
    m_nodes.clear();
    m_toOpen.clear();
    if (m_model) {
        QList<QTreeWidgetItem*> tops;
        tops.reserve(m_model->roots().size());
        for (TreeNode* root : m_model->roots())
            tops.append(makeItem(root));
        addTopLevelItems(tops);
        openMadeItems();
        if (TreeNode* sel = m_model->SelectedItem())
            if (QTreeWidgetItem* item = itemOf(sel))
                setCurrentItem(item);
    }
    setUpdatesEnabled(updates);
}

void TreeView::addNode(TreeNode* node)
{
    TreeNode* parent = node->Parent();
    QTreeWidgetItem* parentItem = parent ? madeItemOf(parent) : nullptr;
    // A parent without items for its children makes them all when it is opened.
    if (parent && (!parentItem || parentItem->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator))
        return;
    const QVector<TreeNode*>& siblings = parent ? parent->childNodes() : m_model->roots();
    const int pos = int(siblings.indexOf(node));
    QTreeWidgetItem* item = makeItem(node);
    {
        const QScopedValueRollback<bool> syncing(m_syncing, true);
        if (parentItem)
            parentItem->insertChild(pos, item);
        else
            insertTopLevelItem(pos, item);
    }
    openMadeItems();
}

void TreeView::forgetSubtree(QTreeWidgetItem* item)
{
    if (TreeNode* n = m_nodes.take(item))
        m_items.remove(n);
    for (int i = 0; i < item->childCount(); ++i)
        forgetSubtree(item->child(i));
}

void TreeView::removeNode(TreeNode* node)
{
    QTreeWidgetItem* item = madeItemOf(node);
    if (!item) {
        // The last child of a folder not yet opened goes: the mark goes too.
        TreeNode* parent = node->Parent();
        if (QTreeWidgetItem* parentItem = parent ? madeItemOf(parent) : nullptr; parentItem && parent->Children() <= 1)
            parentItem->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
        return;
    }
    forgetSubtree(item);
    const QScopedValueRollback<bool> syncing(m_syncing, true);
    // The model drops a selection that goes with the subtree; the view must not
    // move it to a neighbour instead.
    const bool currentGoes = currentItem() && !m_nodes.contains(currentItem());
    delete item;   // takes itself out of the tree, children included
    if (currentGoes)
        setCurrentItem(nullptr);
}

void TreeView::syncSelection(TreeNode* node)
{
    if (m_syncing)
        return;
    const QScopedValueRollback<bool> syncing(m_syncing, true);
    if (QTreeWidgetItem* item = itemOf(node))
        setCurrentItem(item);
    else
        setCurrentItem(nullptr);
}

TreeNode* TreeView::nodeOf(const QTreeWidgetItem* item) const
{
    return item ? m_nodes.value(item, nullptr) : nullptr;
}

TreeNode* TreeView::HitTest(double x, double y) const
{
    return nodeOf(itemAt(input::toPixelPoint(x, y)));
}

void TreeView::keyPressEvent(QKeyEvent* event)
{
    emit KeyDown(input::keyCode(event->key()), input::shiftState(event->modifiers()));
    QTreeWidget::keyPressEvent(event);
}

bool TreeView::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(event);
        const double x = input::toTwips(me->position().x());
        const double y = input::toTwips(me->position().y());
        const int shift = input::shiftState(me->modifiers());
        if (event->type() == QEvent::MouseButtonPress)
            emit MouseDown(input::buttonState(me->button()), shift, x, y);
        else if (event->type() == QEvent::MouseMove)
            emit MouseMove(input::buttonState(me->buttons()), shift, x, y);
        else
            emit MouseUp(input::buttonState(me->button()), shift, x, y);
        // The right button opens the popup and leaves the selection where it is:
        // the item view would otherwise make the node under the pointer current.
        if (me->button() == Qt::RightButton)
            return true;
        break;
    }
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
            return true;
        break;
    default:
        break;
    }
    return QTreeWidget::viewportEvent(event);
}
