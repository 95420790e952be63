#pragma once

#include "platform/TreeModel.h"
#include "stockdata/ProgramState.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <utility>

namespace treetest {

// One node as the tests compare it.
struct Row
{
    QString key;
    QString parent;   // "" for a root
    QString text;
    int image = 0;
    bool operator==(const Row&) const = default;
};

inline Row rowOf(const TreeNode* n)
{
    return {n->Key(), n->Parent() ? n->Parent()->Key() : QString(), n->Text(), n->Image()};
}

// Every node of the subtree below (not including) the node with key root, in the
// order of adding.
inline QVector<Row> subtreeRows(const TreeModel& t, const QString& root)
{
    QVector<Row> out;
    const TreeNode* r = t.find(root);
    for (TreeNode* n : t.allNodes()) {
        for (const TreeNode* p = n->Parent(); p; p = p->Parent())
            if (p == r) {
                out << rowOf(n);
                break;
            }
    }
    return out;
}

inline QVector<Row> allRows(const TreeModel& t)
{
    QVector<Row> out;
    for (TreeNode* n : t.allNodes())
        out << rowOf(n);
    return out;
}

// A clean set, portfolio and program state for each test.
class TreeTest : public ::testing::Test
{
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override { ResetProgramState(); }

    // Puts symbols into the given rows of Stocks and sets StockCount.
    static void setStocks(std::initializer_list<std::pair<int, const char*>> rows, int count)
    {
        for (const auto& [row, symbol] : rows)
            Stocks()[size_t(row)].Symbol = QString::fromLatin1(symbol);
        StockCount() = std::int16_t(count);
    }
    static void fullSet()
    {
        for (int i = 0; i < kStockRows; ++i)
            Stocks()[size_t(i)].Symbol = QStringLiteral("S%1").arg(i);
        StockCount() = kStockRows;
    }
    static void setTransactions(std::initializer_list<std::pair<int, const char*>> rows)
    {
        for (const auto& [row, symbol] : rows) {
            Transactions()[size_t(row)].Symbol = QString::fromLatin1(symbol);
            Transactions()[size_t(row)].Action = QStringLiteral("Buy");
        }
    }
    static void fullPortfolio()
    {
        for (int j = 0; j <= kLastWorkingTransRow; ++j) {
            Transactions()[size_t(j)].Symbol = QStringLiteral("P%1").arg(j);
            Transactions()[size_t(j)].Action = QStringLiteral("Buy");
        }
    }
};

inline void PrintTo(const Row& r, std::ostream* os)
{
    *os << '{' << r.key.toStdString() << ", " << r.parent.toStdString() << ", \"" << r.text.toStdString()
        << "\", " << r.image << '}';
}

} // namespace treetest
