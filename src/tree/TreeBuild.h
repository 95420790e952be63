#pragma once

#include "tree/TreeTables.h"

#include <QString>

#include <span>

class TreeModel;

// Building the navigation tree from the tables in memory: reads Stocks,
// StockCount and Transactions, fills PortSymbols, reads no file and touches
// neither the grid nor CurrentView.

// The "All" root's text for a set name: "Stocks-" & setName.
QString AllRootText(const QString& setName);

// Rebuilds the whole tree: the "All" root titled "Stocks-" & setName, the market
// branch, the portfolio branch with one node per distinct symbol, the radio and
// television branches, then one subtree per stock of the set. Redrawing is held
// for the whole build (the view is drawn once, at the end). Every statement that
// fails is skipped and the rest is still built; nothing reaches the caller.
void BuildNavigationTree(TreeModel& tree, const QString& setName);

// Adds the nodes of a table in order, each key (and each parent but a root) with
// suffix appended; a folder marked imageAfterChildren gets its picture once its
// children are in. A node whose add fails is skipped with its picture, and so
// are the children that needed it.
void AddTreeNodes(TreeModel& tree, std::span<const TreeNodeRow> table, const QString& suffix = QString());
// The same for a table whose entries may stand for a page kind's leaves.
void AddTreeNodes(TreeModel& tree, std::span<const TreeNodeDesc> table, const QString& suffix = QString());
