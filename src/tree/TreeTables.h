#pragma once

#include "pages/PageCatalogue.h"

#include <QString>

#include <span>
#include <vector>

// The fixed data of the navigation tree: every node that does not depend on the
// current set or the portfolio, and the subtree each stock gets. The click
// dispatcher finds nodes by these keys and texts, so they are written exactly as
// the user sees them, trailing blanks and odd spellings included ("Short Interest ",
// "Largest Money Movers " under AMEX, "Transections").
//
// The folders, the windows and web pages, the portfolio's nodes and the radio and
// television branches stand here; the nodes that show a page's view are the
// catalogue's tree leaves, which a table takes in at its place by page kind and
// folder.

// One entry of a table: a node to add, or the place of a page kind's leaves. Keys
// and texts are plain ASCII.
struct TreeNodeDesc
{
    const char* parent;   // key of the parent (per-stock tables: its code); nullptr = a root
    const char* key;      // the key (per-stock tables: the code, the row number follows)
    const char* text;
    int image;            // index into ImageList1
    bool imageAfterChildren = false;  // folder that gets its picture once its children are in
    // Set: the entry stands for the catalogue's leaves of this kind whose parent is
    // `parent`, in the catalogue's order (key, text and image come from them).
    bool leaves = false;
    pages::PageId kind = pages::PageId::Recommendation;
};

// The leaves of a page kind under a folder (per-stock tables: "ID", the stock node).
constexpr TreeNodeDesc LeavesOf(pages::PageId kind, const char* folder)
{
    return TreeNodeDesc{folder, nullptr, nullptr, 0, false, true, kind};
}

// One node as it goes into the tree.
struct TreeNodeRow
{
    QString parent;  // "" = a root
    QString key;
    QString text;
    int image = 0;
    bool imageAfterChildren = false;
    bool operator==(const TreeNodeRow&) const = default;
};

namespace TreeTables {

// Node counts, as the tables make them: the fixed part (5 roots, 105 market
// nodes, the 4 fixed portfolio nodes, 19 radio and 13 television nodes: 146) and
// the nodes of one stock (the stock node and its 78 descendants: 79). Each
// distinct portfolio symbol adds one node.
int FixedNodes();
int NodesPerStock();
int MarketNodes();

// Root keys, in the order the build adds them.
inline constexpr char AllKey[] = "All";
inline constexpr char MarketKey[] = "Market";
inline constexpr char TransKey[] = "Trans";
inline constexpr char RadioKey[] = "Radio";
inline constexpr char TVKey[] = "TV";

// The prefix of a stock node's key: "ID" & row. (A portfolio symbol's node is its
// leaf's key, "TID", & the row of its first transaction: see PortSymbolLeaf.)
inline constexpr char StockKeyPrefix[] = "ID";
inline constexpr char AllTextPrefix[] = "Stocks-";

// Pictures the rules rely on.
inline constexpr int StockImage = 1;          // a stock of the set, and nothing else
inline constexpr int OpenStockImage = 2;      // an expanded stock
inline constexpr int AllImage = 14;

// The texts of the two news sources named after their web sites; the dispatcher
// opens news source 5 and 8 for exactly these texts.
inline constexpr char QuoteSiteNewsText[] = "Quotevane.com";
inline constexpr char FinanceSiteNewsText[] = "Purseline.com";

// The catalogue's node of each portfolio symbol: its folder ("PortDetail"), the
// prefix of its key ("TID"), its picture and the view it shows. The symbol is its
// text.
const pages::TreeLeaf& PortSymbolLeaf();

// The nodes of a table in the order of adding, each entry of leaves replaced by
// its leaves.
std::vector<TreeNodeRow> ExpandTreeNodes(std::span<const TreeNodeDesc> table);

// Appends the kind's leaves to the rows, each as the last child of its folder so
// far, in the catalogue's order; a folder is a key of the rows, `root` (the node
// the rows hang under: "ID" for a stock's) or an earlier leaf. Returns the first
// leaf whose folder is none of these, and then appends nothing; else nullptr.
const pages::TreeLeaf* AppendLeaves(std::vector<TreeNodeRow>& rows, const pages::PageKind& kind, const QString& root);

// "Market" root and its 105 nodes, in the order of adding. Each table ends with
// the leaves of the kinds of its scope that no table places.
std::span<const TreeNodeRow> MarketBranch();
// "Trans" root, "PortLog" and "PortDetail" (the symbols follow under "PortDetail").
std::span<const TreeNodeRow> PortfolioHead();
// "PortOp" and "PortClear", added after the symbols.
std::span<const TreeNodeRow> PortfolioTail();
// "Radio" root with its 19 nodes, then "TV" root with its 13.
std::span<const TreeNodeRow> MediaBranches();
// The 78 descendants of a stock node; parent and key are codes that take the
// stock's row number ("ID" is the stock node itself).
std::span<const TreeNodeRow> StockSubtree();

} // namespace TreeTables
