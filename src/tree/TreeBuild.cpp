#include "tree/TreeBuild.h"

#include "platform/SkipFailedSteps.h"
#include "platform/TreeModel.h"
#include "stockdata/PortfolioViews.h"
#include "stockdata/ProgramState.h"

#include <QHash>
#include <QLoggingCategory>

#include <algorithm>

namespace {

Q_LOGGING_CATEGORY(lcTreeBuild, "tradewright.tree.build")

// A node that cannot go in is left out; the build goes on.
const SkipFailedSteps buildStep(lcTreeBuild, "the tree's build");

// Each node goes in as two statements, the add and then the picture, each of
// which may fail on its own without stopping the build. A node whose add failed
// gets no picture: with a key already taken, the picture would land on the node
// that holds the key.
bool addNode(TreeModel& tree, const QString& parent, const QString& key, const QString& text)
{
    return buildStep([&] {
        if (parent.isEmpty())
            tree.Add(QString(), TreeModel::tvwLast, key, text);
        else
            tree.Add(parent, TreeModel::tvwChild, key, text);
    });
}

void setImage(TreeModel& tree, const QString& key, int image)
{
    buildStep([&] { tree.Node(key)->setImage(image); });
}

void addPortfolioSymbols(TreeModel& tree)
{
    for (QString& s : PortSymbols())
        s.clear();
    // Row 100 is never used by the portfolio, so it is not looked at.
    for (int j = 0; j <= kLastWorkingTransRow; ++j) {
        buildStep([&] {
            const QString s = Transactions().at(size_t(j)).Symbol;
            if (s.size() < 2)
                return;
            if (std::find(PortSymbols().begin(), PortSymbols().end(), s) != PortSymbols().end())
                return;
            AddPortSymbol(s);
            const pages::TreeLeaf& leaf = TreeTables::PortSymbolLeaf();
            const QString key = leaf.key + QString::number(j);
            if (addNode(tree, leaf.parent, key, s))
                setImage(tree, key, leaf.image);
        });
    }
}

void addStocks(TreeModel& tree)
{
    const int n = StockCount();
    const QString all = QLatin1String(TreeTables::AllKey);
    // StockCount is a count, but the rows up to and including it are visited: a
    // set with a gap still shows its last stock. Never past the last row.
    for (int i = 0; i <= std::min(n, kLastStockRow); ++i) {
        buildStep([&] {
            const QString s = Stocks().at(size_t(i)).Symbol;
            if (s.isEmpty())
                return;
            const QString row = QString::number(i);
            const QString key = QLatin1String(TreeTables::StockKeyPrefix) + row;
            if (!addNode(tree, all, key, s))
                return;
            setImage(tree, key, TreeTables::StockImage);
            AddTreeNodes(tree, TreeTables::StockSubtree(), row);
        });
    }
}

} // namespace

void AddTreeNodes(TreeModel& tree, std::span<const TreeNodeRow> table, const QString& suffix)
{
    // The folders the table's rows have gone under so far, by the table's key: its
    // own rows, and a folder outside it (the stock's node) once it was found by its
    // whole key. A key stands for one node, so this finds the folder the whole key
    // would, without making that key and looking it up for every row.
    QHash<QString, TreeNode*> folders;
    folders.reserve(qsizetype(table.size()));
    const auto picture = [&](TreeNode* node, int image) { buildStep([&] { node->setImage(image); }); };

    const TreeNodeRow* waiting = nullptr;  // a folder whose picture follows its children
    TreeNode* waitingNode = nullptr;
    const auto flush = [&] {
        if (waiting)
            picture(waitingNode, waiting->image);
        waiting = nullptr;
    };
    for (const TreeNodeRow& d : table) {
        if (waiting && d.parent != waiting->key)
            flush();
        const QString key = d.key + suffix;
        TreeNode* node = nullptr;
        TreeNode* folder = d.parent.isEmpty() ? nullptr : folders.value(d.parent);
        const bool in = buildStep([&] {
            if (folder)
                node = tree.Add(folder, TreeModel::tvwChild, key, d.text);
            else if (d.parent.isEmpty())
                node = tree.Add(QString(), TreeModel::tvwLast, key, d.text);
            else if ((node = tree.Add(d.parent + suffix, TreeModel::tvwChild, key, d.text)))
                folders.insert(d.parent, node->Parent());
        });
        if (!in)
            continue;
        if (key.isEmpty()) {
            // A node without a key is found by no key: the picture goes nowhere.
            setImage(tree, key, d.image);
            continue;
        }
        folders.insert(d.key, node);
        if (d.imageAfterChildren) {
            waiting = &d;
            waitingNode = node;
        } else {
            picture(node, d.image);
        }
    }
    flush();
}

void AddTreeNodes(TreeModel& tree, std::span<const TreeNodeDesc> table, const QString& suffix)
{
    AddTreeNodes(tree, TreeTables::ExpandTreeNodes(table), suffix);
}

QString AllRootText(const QString& setName)
{
    return QLatin1String(TreeTables::AllTextPrefix) + setName;
}

void BuildNavigationTree(TreeModel& tree, const QString& setName)
{
    // Hold the view for the whole build: it is drawn once, when the lock goes,
    // whatever failed on the way.
    auto lock = tree.updatesLocked();
    buildStep([&] { tree.Clear(); });
    tree.reserve(TreeTables::FixedNodes() + TreeTables::NodesPerStock() * (std::min<int>(StockCount(), kLastStockRow) + 1) +
                 kLastWorkingTransRow + 1);

    const QString all = QLatin1String(TreeTables::AllKey);
    if (addNode(tree, QString(), all, AllRootText(setName)))
        setImage(tree, all, TreeTables::AllImage);

    AddTreeNodes(tree, TreeTables::MarketBranch());
    AddTreeNodes(tree, TreeTables::PortfolioHead());
    addPortfolioSymbols(tree);
    AddTreeNodes(tree, TreeTables::PortfolioTail());
    AddTreeNodes(tree, TreeTables::MediaBranches());
    addStocks(tree);
}
