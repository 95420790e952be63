#include "platform/TreeModel.h"

#include <algorithm>

// ---- TreeNode ----------------------------------------------------------------

void TreeNode::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_model->changed(this);
}

void TreeNode::setImage(int image)
{
    if (image < 0)
        throw RuntimeError::make(5);
    if (image == m_image)
        return;
    m_image = image;
    m_model->changed(this);
}

void TreeNode::setExpandedImage(int image)
{
    if (image < 0)
        throw RuntimeError::make(5);
    if (image == m_expandedImage)
        return;
    m_expandedImage = image;
    m_model->changed(this);
}

void TreeNode::setSelectedImage(int image)
{
    if (image < 0)
        throw RuntimeError::make(5);
    if (image == m_selectedImage)
        return;
    m_selectedImage = image;
    m_model->changed(this);
}

void TreeNode::setExpanded(bool expanded)
{
    if (expanded == m_expanded)
        return;
    m_expanded = expanded;
    m_model->expandedChanged(this);
}

bool TreeNode::Selected() const
{
    return m_model->m_selected == this;
}

void TreeNode::setSelected(bool selected)
{
    if (selected)
        m_model->setSelectedItem(this);
    else if (Selected())
        m_model->setSelectedItem(nullptr);
}

static const QVector<TreeNode*>& siblingsOf(const TreeNode* node, const QVector<TreeNode*>& roots)
{
    return node->Parent() ? node->Parent()->childNodes() : roots;
}

TreeNode* TreeNode::Next() const
{
    const QVector<TreeNode*>& sibs = siblingsOf(this, m_model->roots());
    const int i = int(sibs.indexOf(const_cast<TreeNode*>(this)));
    return (i >= 0 && i + 1 < sibs.size()) ? sibs[i + 1] : nullptr;
}

TreeNode* TreeNode::Previous() const
{
    const QVector<TreeNode*>& sibs = siblingsOf(this, m_model->roots());
    const int i = int(sibs.indexOf(const_cast<TreeNode*>(this)));
    return i > 0 ? sibs[i - 1] : nullptr;
}

TreeNode* TreeNode::Root() const
{
    const TreeNode* n = this;
    while (n->m_parent)
        n = n->m_parent;
    return const_cast<TreeNode*>(n);
}

QString TreeNode::FullPath() const
{
    return m_parent ? m_parent->FullPath() + QLatin1Char('\\') + m_text : m_text;
}

// ---- TreeModel ---------------------------------------------------------------

TreeModel::TreeModel(QObject* parent)
    : QObject(parent)
{
}

TreeModel::~TreeModel() = default;

TreeNode* TreeModel::Add(const QString& relative, int relationship, const QString& key, const QString& text,
                         int image, int selectedImage)
{
    TreeNode* rel = nullptr;
    if (!relative.isEmpty()) {
        rel = find(relative);
        if (!rel)
            throw RuntimeError(ErrElementNotFound, QStringLiteral("Element not found"));
    }
    return Add(rel, relationship, key, text, image, selectedImage);
}

TreeNode* TreeModel::Add(TreeNode* relative, int relationship, const QString& key, const QString& text, int image,
                         int selectedImage)
{
    if (relationship < tvwFirst || relationship > tvwChild)
        throw RuntimeError::make(5);
    if (!key.isEmpty() && m_byKey.contains(key))
        throw RuntimeError(ErrKeyNotUnique, QStringLiteral("Key is not unique in collection"));
    if (image < 0 || selectedImage < 0)
        throw RuntimeError::make(5);

    // Where the node goes: a parent (nullptr = the roots) and a position.
    TreeNode* parent = nullptr;
    QVector<TreeNode*>* siblings = &m_roots;
    qsizetype pos = m_roots.size();
    if (!relative) {
        pos = relationship == tvwFirst ? 0 : m_roots.size();
    } else if (relationship == tvwChild) {
        parent = relative;
        siblings = &relative->m_children;
        pos = siblings->size();
    } else {
        parent = relative->m_parent;
        siblings = parent ? &parent->m_children : &m_roots;
        const qsizetype at = siblings->indexOf(relative);
        switch (relationship) {
        case tvwFirst: pos = 0; break;
        case tvwLast: pos = siblings->size(); break;
        case tvwNext: pos = at + 1; break;
        case tvwPrevious: pos = at; break;
        }
    }

    auto owned = std::unique_ptr<TreeNode>(new TreeNode(this, key, text, image, selectedImage));
    TreeNode* node = owned.get();
    node->m_parent = parent;
    node->m_index = int(m_nodes.size());
    m_nodes.push_back(std::move(owned));
    ++m_structureVersion;
    siblings->insert(pos, node);
    if (!key.isEmpty())
        m_byKey.insert(key, node);

    if (live())
        emit nodeAdded(node);
    else
        m_dirty = true;
    return node;
}

void TreeModel::reserve(int nodes)
{
    m_nodes.reserve(size_t(std::max(nodes, 0)));
    m_byKey.reserve(std::max(nodes, 0));
}

void TreeModel::Clear()
{
    if (m_nodes.empty())
        return;
    emit aboutToClear();
    m_byKey.clear();
    m_roots.clear();
    m_selected = nullptr;
    m_nodes.clear();
    ++m_structureVersion;
    if (live())
        emit reset();
    else
        m_dirty = true;
}

void TreeModel::Remove(const QString& key)
{
    Remove(Node(key));
}

void TreeModel::removeSubtree(TreeNode* node, std::vector<TreeNode*>& gone)
{
    gone.push_back(node);
    for (TreeNode* c : node->m_children)
        removeSubtree(c, gone);
}

void TreeModel::Remove(TreeNode* node)
{
    if (!node || node->m_model != this)
        throw RuntimeError(ErrElementNotFound, QStringLiteral("Element not found"));
    emit nodeAboutToBeRemoved(node);
    if (!live())
        m_dirty = true;

    std::vector<TreeNode*> gone;
    removeSubtree(node, gone);
    QVector<TreeNode*>& sibs = node->m_parent ? node->m_parent->m_children : m_roots;
    sibs.removeOne(node);
    for (TreeNode* n : gone) {
        if (!n->m_key.isEmpty())
            m_byKey.remove(n->m_key);
        if (m_selected == n)
            m_selected = nullptr;
    }
    std::sort(gone.begin(), gone.end());
    m_nodes.erase(std::remove_if(m_nodes.begin(), m_nodes.end(),
                                 [&](const std::unique_ptr<TreeNode>& p) {
                                     return std::binary_search(gone.begin(), gone.end(), p.get());
                                 }),
                  m_nodes.end());
    ++m_structureVersion;
    renumber();
}

void TreeModel::renumber()
{
    for (size_t i = 0; i < m_nodes.size(); ++i)
        m_nodes[i]->m_index = int(i);
}

TreeNode* TreeModel::Node(const QString& key) const
{
    TreeNode* n = find(key);
    if (!n)
        throw RuntimeError(ErrElementNotFound, QStringLiteral("Element not found"));
    return n;
}

TreeNode* TreeModel::Nodes(int index) const
{
    if (index < 1 || index > int(m_nodes.size()))
        throw RuntimeError(ErrIndexOutOfBounds, QStringLiteral("Index out of bounds"));
    return m_nodes[size_t(index - 1)].get();
}

QVector<TreeNode*> TreeModel::allNodes() const
{
    QVector<TreeNode*> out;
    out.reserve(qsizetype(m_nodes.size()));
    for (const auto& n : m_nodes)
        out.append(n.get());
    return out;
}

void TreeModel::setSelectedItem(TreeNode* node)
{
    if (node && node->m_model != this)
        throw RuntimeError(ErrElementNotFound, QStringLiteral("Element not found"));
    if (node == m_selected)
        return;
    // Like the tree control, selecting a node opens its parents so it can be seen
    // (each with its Expand event): the view shows the selected node, and the model
    // must not say closed where the view is open.
    EnsureVisible(node);
    m_selected = node;
    if (live())
        emit selectionChanged(node);
    else
        m_dirty = true;
}

void TreeModel::EnsureVisible(TreeNode* node)
{
    if (!node)
        return;
    for (TreeNode* p = node->m_parent; p; p = p->m_parent)
        p->setExpanded(true);
}

void TreeModel::setRedraw(bool on)
{
    if (on == m_redraw)
        return;
    const bool wasLive = live();
    m_redraw = on;
    if (!wasLive && live() && m_dirty) {
        m_dirty = false;
        emit reset();
    }
}

void TreeModel::setUpdatesLocked(bool lock)
{
    const bool wasLive = live();
    m_locks = std::max(0, m_locks + (lock ? 1 : -1));
    if (!wasLive && live() && m_dirty) {
        m_dirty = false;
        emit reset();
    }
}

void TreeModel::changed(TreeNode* node)
{
    if (live())
        emit nodeChanged(node);
    else
        m_dirty = true;
}

void TreeModel::expandedChanged(TreeNode* node)
{
    if (!live())
        m_dirty = true;
    if (node->m_expanded)
        emit Expand(node);
    else
        emit Collapse(node);
    // The handlers may have changed the picture (the open book of a stock).
    if (live())
        emit nodeChanged(node);
}
