// How fast the reports are made. LayOut: a member lays out a cached page in memory
// (nothing written or opened). Write: the whole report as the menu item makes it,
// the cached page read, laid out, written and handed to a recording browser, and
// beside it, in the same round, the report's bytes written once more through
// ReplaceFile, the program's atomic writer; a report should cost at most three
// times that write ("ratio": the median processor time of the report, its read
// and its write included, over that of the write). Pages of about 100 KB, 1 MB and
// 4 MB of every kind.
//
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRADEWRIGHT_BENCH=ON
//   cmake --build build-bench --target bench_reports && build-bench/bench_reports
#include "BenchMain.h"
#include "CachePages.h"
#include "TestDoubles.h"

#include "platform/AppPath.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "reports/ReportMembers.h"
#include "reports/Reports.h"
#include "stockdata/ProgramState.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

QString cachedPage(const char* code, qsizetype size)
{
    const QString suffix = reports::findMember(QLatin1String(code))->suffix;
    for (const auto& [kind, text] : bench::cachePages(size))
        if (suffix == QLatin1String(kind))
            return text;
    return QString();
}

void LayOut(benchmark::State& state, const char* code)
{
    const QString name = QLatin1String(code);
    const QString page = cachedPage(code, state.range(0));
    qsizetype written = 0;
    for (auto _ : state) {
        const QString out = Reports::BuildPage(name, page, QStringLiteral("Intl Machines"));
        written = out.size();
        benchmark::DoNotOptimize(out.constData());
    }
    state.counters["page_KB"] = static_cast<double>(page.size()) / 1024.0;
    state.counters["report_KB"] = static_cast<double>(written) / 1024.0;
    state.SetBytesProcessed(state.iterations() * page.size());
}

void Write(benchmark::State& state, const char* code)
{
    const bench::CacheSet set(state.range(0));
    bench::AnswerOk dialogs;
    test::RecordingShell shell;
    Dialogs::install(&dialogs);
    Shell::install(&shell);
    CurrentIndex() = 0;
    const QString symbol = Stocks()[0].Symbol;
    const QString name = QLatin1String(code);
    Reports reports;
    const QString anchor = AppPath() + QStringLiteral("/anchor.htm");
    std::vector<double> reportWall, reportCpu, writeWall, writeCpu;
    QByteArray bytes;
    for (auto _ : state) {
        shell.reset();
        const bench::Stopwatch watch;
        reports.HtmlReport(name, symbol, true);
        reportWall.push_back(watch.wallSeconds());
        reportCpu.push_back(watch.cpuSeconds());
        state.SetIterationTime(reportWall.back());
        if (shell.opened.size() != 1) {
            state.SkipWithError("the report was not opened");
            break;
        }
        bytes = ReadBytes(shell.opened.first());
        bytes.chop(2);  // the CR LF the writer adds
        const bench::Lap write = bench::replaceFileLap(anchor, bytes);
        writeWall.push_back(write.wall);
        writeCpu.push_back(write.cpu);
    }
    Shell::install(nullptr);
    Dialogs::install(nullptr);
    const double cpu = bench::median(reportCpu);
    const double write = bench::median(writeCpu);
    state.counters["page_KB"] = static_cast<double>(set.pageBytes(reports::findMember(name)->suffix)) / 1024.0;
    state.counters["report_KB"] = static_cast<double>(bytes.size()) / 1024.0;
    state.counters["report_ms"] = bench::median(reportWall) * 1000;
    state.counters["write_ms"] = bench::median(writeWall) * 1000;
    state.counters["report_cpu_ms"] = cpu * 1000;
    state.counters["write_cpu_ms"] = write * 1000;
    state.counters["ratio"] = write > 0 ? cpu / write : 0;
}

#define TW_REPORT(name, code)                                                                                    \
    BENCHMARK_CAPTURE(LayOut, name, code)->Arg(100 << 10)->Arg(1 << 20)->Arg(4 << 20)->Unit(benchmark::kMillisecond); \
    BENCHMARK_CAPTURE(Write, name, code)                                                                          \
        ->Arg(100 << 10)                                                                                          \
        ->Arg(1 << 20)                                                                                            \
        ->Arg(4 << 20)                                                                                            \
        ->Unit(benchmark::kMillisecond)                                                                           \
        ->UseManualTime()                                                                                         \
        ->MinTime(0.5)
TW_REPORT(BalanceSheet, "ABS");
TW_REPORT(IncomeStatement, "AIS");
TW_REPORT(InsiderTrades, "IT");
TW_REPORT(QuarterlyReports, "QR");
TW_REPORT(ShortInterest, "SI");
TW_REPORT(Calls, "Call");
TW_REPORT(Puts, "Put");
TW_REPORT(ConsensusTrend, "EC");
TW_REPORT(Estimates, "ER");
TW_REPORT(History, "EH");
TW_REPORT(Growth, "EG");

} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
