// How long the navigation tree takes to build and show at its full size
// (16,125 nodes), and how long a view takes to fill a grid cell by cell.
#include "BenchMain.h"
#include "core/Utilities.h"
#include "platform/FlexGrid.h"
#include "platform/FlexGridView.h"
#include "platform/TreeModel.h"
#include "platform/TreeView.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void buildFullTree(TreeModel& t)
{
    auto lock = t.updatesLocked();
    t.Clear();
    for (const char* root : {"All", "Market", "Trans", "Radio", "TV"})
        t.Add(QString(), TreeModel::tvwLast, root, root, 8);
    for (int i = 0; i < 141; ++i)
        t.Add("Market", TreeModel::tvwChild, QString("M%1x").arg(i), "Market list", 3);
    for (int j = 0; j < 100; ++j)
        t.Add("Trans", TreeModel::tvwChild, QString("TID%1").arg(j), "SYM", 22);
    for (int i = 0; i <= 200; ++i) {
        const QString id = QString("ID%1").arg(i);
        t.Add("All", TreeModel::tvwChild, id, "SYM", 1);
        for (int k = 0; k < 78; ++k)
            t.Add(id, TreeModel::tvwChild, QString("K%1_%2").arg(k).arg(i), "Sheet", 3);
    }
}

void TreeModelBuild(benchmark::State& state)
{
    TreeModel t;
    for (auto _ : state) {
        buildFullTree(t);
        benchmark::DoNotOptimize(t.Count());
    }
}
BENCHMARK(TreeModelBuild)->Unit(benchmark::kMillisecond);

void TreeViewBuildAndShow(benchmark::State& state)
{
    TreeModel t;
    TreeView view;
    view.setTreeModel(&t);
    view.resize(250, 600);
    view.show();
    for (auto _ : state) {
        buildFullTree(t);   // the view rebuilds once, when the lock goes
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(view.topLevelItemCount());
    }
}
BENCHMARK(TreeViewBuildAndShow)->Unit(benchmark::kMillisecond);

void GridFillCellByCell(benchmark::State& state)
{
    FlexGrid g;
    FlexGridView view;
    view.setGrid(&g);
    view.resize(800, 600);
    view.show();
    for (auto _ : state) {
        {
            auto lock = g.updatesLocked();
            g.setRedraw(false);
            g.Clear();
            g.setRows(300);
            g.setCols(10);
            for (int r = 1; r < 300; ++r)
                for (int c = 0; c < 10; ++c)
                    SetCell(g, r, c, "123.45", 7, c == 0, false, 0, 0xFFFFFF);
            g.setRedraw(true);
        }
        QCoreApplication::processEvents();
    }
}
BENCHMARK(GridFillCellByCell)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
