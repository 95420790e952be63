// How fast the summary pages of a whole stock set are made: for each of the 201
// stocks of a full set, the page with all nineteen sections, built from a cache
// that holds a page of every kind (about 100 KB each; then about 1 MB each),
// written and handed to a recording browser, the options question answered OK.
// Beside each page, the same bytes written once more through ReplaceFile, the
// program's atomic writer: the page should cost at most three times that write
// ("ratio", the summed processor times of the pages over those of the writes). The set of 100 KB
// pages should take under 5 s, and pages ten times larger no more than twelve
// times as long per stock.
//
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRADEWRIGHT_BENCH=ON
//   cmake --build build-bench --target bench_summary && build-bench/bench_summary
#include "BenchMain.h"
#include "CachePages.h"
#include "OfflineProbe.h"
#include "TestDoubles.h"

#include "platform/AppPath.h"
#include "platform/Dialer.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "reports/Summery.h"
#include "stockdata/ProgramState.h"

#include <QFileInfo>

#include <benchmark/benchmark.h>

namespace {

void WholeSet(benchmark::State& state)
{
    const bench::CacheSet set(state.range(0));
    bench::AnswerOk dialogs;
    test::RecordingShell shell;
    test::OfflineProbe probe;
    Dialogs::install(&dialogs);
    Shell::install(&shell);
    Dialer::install(&probe);
    summary::QuietProgress progress;
    summary::Flags all;
    all.fill(1);
    const QString anchor = AppPath() + QStringLiteral("/anchor.htm");
    bench::Lap page;
    bench::Lap write;
    for (auto _ : state) {
        shell.reset();
        for (int i = 0; i < kStockRows; ++i) {
            CurrentSymbol() = Stocks()[static_cast<std::size_t>(i)].Symbol;
            CurrentIndex() = static_cast<std::int16_t>(i);
            const bench::Stopwatch watch;
            Summery(progress).GanarateHTML(all);
            page.wall += watch.wallSeconds();
            page.cpu += watch.cpuSeconds();
            // The page's own bytes, without the CR LF the writer adds, written beside it.
            state.PauseTiming();
            QByteArray bytes = ReadBytes(shell.opened.isEmpty() ? QString() : shell.opened.last());
            bytes.chop(2);
            const bench::Lap lap = bench::replaceFileLap(anchor, bytes);
            write.wall += lap.wall;
            write.cpu += lap.cpu;
            state.ResumeTiming();
        }
        if (shell.opened.size() != kStockRows)
            state.SkipWithError("not every page was opened");
    }
    Dialer::install(nullptr);
    Shell::install(nullptr);
    Dialogs::install(nullptr);
    state.counters["cache_KB_per_stock"] = static_cast<double>(set.pageBytes()) / 1024.0;
    const double rounds = static_cast<double>(state.iterations()) * kStockRows;
    state.counters["ms_per_stock"] = page.wall * 1000 / rounds;
    state.counters["write_ms_per_stock"] = write.wall * 1000 / rounds;
    state.counters["cpu_ms_per_stock"] = page.cpu * 1000 / rounds;
    state.counters["write_cpu_ms_per_stock"] = write.cpu * 1000 / rounds;
    state.counters["ratio"] = write.cpu > 0 ? page.cpu / write.cpu : 0;
    state.counters["questions"] = dialogs.asked;
    if (!shell.opened.isEmpty())
        state.counters["summary_KB"] = static_cast<double>(QFileInfo(shell.opened.first()).size()) / 1024.0;
}

BENCHMARK(WholeSet)->Arg(100 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
