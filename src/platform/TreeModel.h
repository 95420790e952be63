#pragma once

#include "platform/RuntimeError.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVector>

#include <memory>
#include <vector>

class TreeModel;

// One node of the navigation tree. Nodes live in their TreeModel; a pointer
// stays valid until the node is removed or the model is cleared.
class TreeNode
{
public:
    QString Key() const { return m_key; }
    QString Text() const { return m_text; }
    void setText(const QString& text);
    int Image() const { return m_image; }                  // 1-based into the image list; 0 none
    void setImage(int image);
    int ExpandedImage() const { return m_expandedImage; }  // shown instead of Image while expanded; 0 none
    void setExpandedImage(int image);
    int SelectedImage() const { return m_selectedImage; }
    void setSelectedImage(int image);
    QVariant Tag() const { return m_tag; }
    void setTag(const QVariant& tag) { m_tag = tag; }
    bool Expanded() const { return m_expanded; }
    void setExpanded(bool expanded);
    bool Selected() const;
    void setSelected(bool selected);
    // Position in the node collection, 1-based, in the order the nodes were added.
    int Index() const { return m_index + 1; }

    TreeNode* Parent() const { return m_parent; }
    int Children() const { return int(m_children.size()); }
    const QVector<TreeNode*>& childNodes() const { return m_children; }
    TreeNode* Child() const { return m_children.isEmpty() ? nullptr : m_children.first(); }
    TreeNode* Next() const;       // next sibling or nullptr
    TreeNode* Previous() const;   // previous sibling or nullptr
    TreeNode* Root() const;
    // The picture shown now: ExpandedImage while expanded (when set), else Image.
    int shownImage() const { return (m_expanded && m_expandedImage) ? m_expandedImage : m_image; }
    // "Parent\Child\Grandchild" by texts.
    QString FullPath() const;

private:
    friend class TreeModel;
    TreeNode(TreeModel* model, const QString& key, const QString& text, int image, int selectedImage)
        : m_model(model), m_key(key), m_text(text), m_image(image), m_selectedImage(selectedImage) {}

    TreeModel* m_model;
    QString m_key;
    QString m_text;
    int m_image = 0;
    int m_expandedImage = 0;
    int m_selectedImage = 0;
    QVariant m_tag;
    bool m_expanded = false;
    int m_index = 0;   // 0-based position in the collection
    TreeNode* m_parent = nullptr;
    QVector<TreeNode*> m_children;
};

// The tree's node collection: nodes by key (a hash map: a full tree has over
// 16,000 nodes), by 1-based index, and as a forest of roots. Redraw can be
// switched off around a build: while off the model sends no change signals and
// switching it back on sends one `reset()`.
class TreeModel : public QObject
{
    Q_OBJECT

public:
    // Relationship of a new node to its relative.
    enum Relationship { tvwFirst = 0, tvwLast = 1, tvwNext = 2, tvwPrevious = 3, tvwChild = 4 };

    static constexpr int ErrIndexOutOfBounds = 35600;
    static constexpr int ErrElementNotFound = 35601;
    static constexpr int ErrKeyNotUnique = 35602;

    explicit TreeModel(QObject* parent = nullptr);
    ~TreeModel() override;

    // Adds a node. With an empty `relative` the node is a root (tvwFirst puts it
    // before the other roots, anything else after them). Otherwise relative is the
    // key of an existing node: tvwChild makes the new node its last child, tvwFirst
    // / tvwLast the first / last sibling, tvwNext / tvwPrevious the sibling right
    // after / before it. An empty `key` gives a node without key. Raises
    // RuntimeError 35602 "Key is not unique in collection" for a key already in use
    // and 35601 "Element not found" for a missing relative; 5 for a bad relationship.
    TreeNode* Add(const QString& relative = QString(), int relationship = tvwLast, const QString& key = QString(),
                  const QString& text = QString(), int image = 0, int selectedImage = 0);
    // The same with the relative given as a node (nullptr = root).
    TreeNode* Add(TreeNode* relative, int relationship, const QString& key, const QString& text, int image = 0,
                  int selectedImage = 0);

    int Count() const { return int(m_nodes.size()); }
    // Room for this many nodes in all, so that a build of a known size grows nothing.
    void reserve(int nodes);
    void Clear();
    // Removes the node with this key and its whole subtree (35601 when missing).
    void Remove(const QString& key);
    void Remove(TreeNode* node);

    // Lookup: by key (35601 when missing), by 1-based index (35600 when out of range).
    TreeNode* Node(const QString& key) const;
    TreeNode* Nodes(int index) const;
    TreeNode* find(const QString& key) const { return m_byKey.value(key, nullptr); }
    bool contains(const QString& key) const { return m_byKey.contains(key); }
    const QVector<TreeNode*>& roots() const { return m_roots; }
    // Every node in the order of adding.
    QVector<TreeNode*> allNodes() const;
    // Moves on with every node added or removed (and Clear), so a lookup built over
    // the nodes can tell it is out of date.
    quint64 structureVersion() const { return m_structureVersion; }

    // The selected node (nullptr when none). Selecting a node expands its
    // ancestors first, as EnsureVisible does.
    TreeNode* SelectedItem() const { return m_selected; }
    void setSelectedItem(TreeNode* node);
    // Expands every ancestor so the node can be seen.
    void EnsureVisible(TreeNode* node);

    bool Redraw() const { return m_redraw; }
    void setRedraw(bool on);
    // The window-update lock: the same batching, counted, as an RAII guard.
    class UpdateLock
    {
    public:
        explicit UpdateLock(TreeModel* model) : m_model(model) { if (m_model) m_model->setUpdatesLocked(true); }
        UpdateLock(UpdateLock&& other) noexcept : m_model(other.m_model) { other.m_model = nullptr; }
        UpdateLock(const UpdateLock&) = delete;
        UpdateLock& operator=(const UpdateLock&) = delete;
        UpdateLock& operator=(UpdateLock&&) = delete;
        ~UpdateLock() { release(); }
        void release() { if (m_model) m_model->setUpdatesLocked(false); m_model = nullptr; }
    private:
        TreeModel* m_model;
    };
    [[nodiscard]] UpdateLock updatesLocked() { return UpdateLock(this); }
    void setUpdatesLocked(bool lock);
    bool isUpdatesLocked() const { return m_locks > 0; }
    // True while neither Redraw is off nor an update lock is held.
    bool live() const { return m_redraw && m_locks == 0; }

signals:
    // Sent only while live():
    void nodeAdded(TreeNode* node);
    void nodeChanged(TreeNode* node);          // text or picture
    void selectionChanged(TreeNode* node);
    void reset();                              // rebuild everything from the model
    // Always sent, so nobody keeps a pointer to a node that is going:
    void nodeAboutToBeRemoved(TreeNode* node); // node and its subtree
    void aboutToClear();
    // Always sent, also while batching: the program reacts to them (for
    // instance to give an expanded stock its open book).
    void Expand(TreeNode* node);
    void Collapse(TreeNode* node);

private:
    friend class TreeNode;
    void changed(TreeNode* node);
    void expandedChanged(TreeNode* node);
    void removeSubtree(TreeNode* node, std::vector<TreeNode*>& gone);
    void renumber();

    std::vector<std::unique_ptr<TreeNode>> m_nodes;   // in the order of adding
    quint64 m_structureVersion = 0;
    QHash<QString, TreeNode*> m_byKey;
    QVector<TreeNode*> m_roots;
    TreeNode* m_selected = nullptr;
    bool m_redraw = true;
    int m_locks = 0;
    bool m_dirty = false;   // something changed while batching
};
