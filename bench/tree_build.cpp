// How long initTree takes for the largest tree the program can show: a full set
// of 201 stocks and 100 portfolio symbols, 16,125 nodes. The target is under
// 100 ms for the whole rebuild, the view included.
#include "BenchMain.h"
#include "platform/TreeModel.h"
#include "platform/TreeView.h"
#include "stockdata/ProgramState.h"
#include "tree/NavigationTree.h"
#include "tree/TreeBuild.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void fillTables()
{
    ResetProgramState();
    for (int i = 0; i < kStockRows; ++i)
        Stocks()[size_t(i)].Symbol = QStringLiteral("SYM%1").arg(i);
    StockCount() = kStockRows;
    for (int j = 0; j <= kLastWorkingTransRow; ++j)
        Transactions()[size_t(j)].Symbol = QStringLiteral("P%1").arg(j);
}

// The build alone, into a model nobody shows.
void TreeBuildModelOnly(benchmark::State& state)
{
    fillTables();
    TreeModel tree;
    for (auto _ : state) {
        BuildNavigationTree(tree, QStringLiteral("Group 1"));
        benchmark::DoNotOptimize(tree.Count());
    }
    state.counters["nodes"] = tree.Count();
}
BENCHMARK(TreeBuildModelOnly)->Unit(benchmark::kMillisecond);

// What the user waits for after choosing a set: the rebuild of a tree that is
// already full, the view's items made again and the window painted.
void TreeRebuildWithView(benchmark::State& state)
{
    fillTables();
    TreeView view;
    NavigationTree nav(&view);
    nav.setSetNameSource([] { return QStringLiteral("Group 1"); });
    view.resize(250, 700);
    view.show();
    nav.initTree();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        nav.initTree();
        view.repaint();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(view.topLevelItemCount());
    }
    state.counters["nodes"] = nav.model()->Count();
}
BENCHMARK(TreeRebuildWithView)->Unit(benchmark::kMillisecond);

// The same with the "All" root open, as it usually is: 201 stock rows to lay out.
void TreeRebuildWithViewStocksShown(benchmark::State& state)
{
    fillTables();
    TreeView view;
    NavigationTree nav(&view);
    view.resize(250, 700);
    view.show();
    for (auto _ : state) {
        nav.initTree();
        nav.model()->Node(QStringLiteral("All"))->setExpanded(true);
        view.repaint();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(view.topLevelItemCount());
    }
}
BENCHMARK(TreeRebuildWithViewStocksShown)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
