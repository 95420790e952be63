// How long the two transports take to bring a whole stock set of pages into the
// cache, beside curl fetching the same pages one after another from the same
// server. 201 pages of 300 KB each come from a server on 127.0.0.1 that runs in
// its own thread (so the server's work is the same for every client). The cache
// keeps its pages between passes, so a pass writes over existing pages, as every
// update after the first does. Target: each transport within 1.5 times curl's time.
//
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRADEWRIGHT_BENCH=ON
//   cmake --build build-bench --target bench_transports && build-bench/bench_transports
#include "platform/AppPath.h"
#include "platform/Dialogs.h"
#include "platform/RegistryStore.h"
#include "platform/Sites.h"
#include "retrieval/CacheFiles.h"
#include "retrieval/Downloaders.h"
#include "retrieval/MainWindowPort.h"
#include "retrieval/Transports.h"
#include "stockdata/ProgramState.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QTimeZone>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "LoopbackBench.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kPages = 201;
constexpr int kPageBytes = 300 * 1024;

struct Context
{
    PageServer* server = nullptr;
    BenchPort* port = nullptr;
    Transports* transports = nullptr;
    Downloaders* downloaders = nullptr;
};
Context g;
std::map<std::string, double> g_best;  // fastest pass of each benchmark, in ms

void record(const std::string& name, double ms)
{
    auto it = g_best.find(name);
    if (it == g_best.end() || ms < it->second)
        g_best[name] = ms;
}

// Counts the pages of this pass that reached the cache with their whole body (the
// pages of earlier passes were dated back by ageCache).
int pagesWritten(const QString& suffix, qint64 minimum)
{
    const QDateTime recent = QDateTime::currentDateTimeUtc().addDays(-1);
    int n = 0;
    for (int i = 0; i < kPages; ++i) {
        const QFileInfo page(ResolvePath(CacheFolder() + Stocks()[std::size_t(i)].Symbol + suffix));
        if (page.size() >= minimum && page.lastModified().toUTC() > recent)
            ++n;
    }
    return n;
}

// The cache is not emptied between passes: every pass writes over the pages of the
// last one, as a user's second update does (only the first pass of each path makes
// its files). The pages are only dated back, so that the next pass's can be told.
void ageCache()
{
    QDir dir(CacheFolder());
    const QDateTime old(QDate(2000, 1, 1), QTime(0, 0), QTimeZone::utc());
    for (const QString& f : dir.entryList(QDir::Files)) {
        QFile page(dir.filePath(f));
        if (page.open(QIODevice::ReadWrite))
            page.setFileTime(old, QFileDevice::FileModificationTime);
    }
}

void BM_SocketPath(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        ageCache();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        g.downloaders->UpdateOptions();  // the socket transport, 201 rows
        record("socket", std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        state.PauseTiming();
        if (pagesWritten(QStringLiteral("_op.Sh"), kPageBytes) != kPages)
            state.SkipWithError("not every page reached the cache");
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kPages);
    state.SetBytesProcessed(state.iterations() * kPages * qint64(kPageBytes));
}

void BM_FetchControlPath(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        ageCache();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        g.downloaders->UpdateIT();  // the fetch control, 201 rows
        record("fetch", std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        state.PauseTiming();
        if (pagesWritten(QStringLiteral("_it.Sh"), kPageBytes) != kPages)
            state.SkipWithError("not every page reached the cache");
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kPages);
    state.SetBytesProcessed(state.iterations() * kPages * qint64(kPageBytes));
}

void BM_Curl(benchmark::State& state)
{
    const QString curl = QStandardPaths::findExecutable(QStringLiteral("curl"));
    if (curl.isEmpty()) {
        state.SkipWithError("curl is not installed");
        return;
    }
    // One curl process fetches the pages one after another into the same cache
    // folder, under the same names: the same files are made on the same disk.
    std::string command = curl.toStdString() + " -s";
    for (int i = 0; i < kPages; ++i) {
        command += " -o '" + (CacheFolder() + Stocks()[std::size_t(i)].Symbol + QStringLiteral("_op.Sh")).toStdString() + "'";
        command += " http://127.0.0.1:" + std::to_string(g.server->port()) + "/QuoteTable.dat?TICKER=" +
                   Stocks()[std::size_t(i)].Symbol.toStdString();
    }
    for (auto _ : state) {
        state.PauseTiming();
        ageCache();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        const int rc = std::system(command.c_str());
        record("curl", std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        state.PauseTiming();
        if (rc != 0 || pagesWritten(QStringLiteral("_op.Sh"), kPageBytes) != kPages)
            state.SkipWithError("curl failed");
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kPages);
    state.SetBytesProcessed(state.iterations() * kPages * qint64(kPageBytes));
}

BENCHMARK(BM_Curl)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_SocketPath)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_FetchControlPath)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    // TW_BENCH_DIR picks the file system the pages are written to (default: the
    // system's temporary folder).
    const QString base = qEnvironmentVariable("TW_BENCH_DIR", QDir::tempPath());
    QTemporaryDir home(base + QStringLiteral("/tw-bench-XXXXXX"));
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    QCoreApplication app(argc, argv);
    SetAppPath(home.path() + QStringLiteral("/app"));
    RegistryStore::setFilePath(home.path() + QStringLiteral("/config/Orvane/Tradewright5.ini"));
    PrintingDialogs dialogs;
    Dialogs::install(&dialogs);
    CreateCacheFolders();

    std::string body = "<html><body><table>";
    while (body.size() < std::size_t(kPageBytes) - 30)
        body += "<tr><td>S</td><td>12.50</td><td>+0.25</td><td>1,234,567</td></tr>\n";
    body += "</table></body></html>";
    body.resize(std::size_t(kPageBytes), ' ');
    PageServer server(ClosingReply(body));
    PointEverySiteAt(server);

    BenchPort port;
    port.state.OrigCaption = QStringLiteral("Tradewright");
    Transports transports(port);
    // As the main window sets it when no proxy is configured.
    transports.Inet1.setAccessType(UrlFetch::icDirect);
    Downloaders downloaders(transports, port);
    for (int i = 0; i < kPages; ++i)
        Stocks()[std::size_t(i)].Symbol = QStringLiteral("S%1").arg(i, 3, 10, QLatin1Char('0'));
    StockCount() = kPages;
    g = {&server, &port, &transports, &downloaders};

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    if (g_best.count("curl")) {
        const double curl = g_best["curl"];
        std::printf("\n%d pages of %d KB, fastest pass of each (the cache keeps the pages between passes:\n"
                    "each pass writes over the last one's, as a second update does):\n",
                    kPages, kPageBytes / 1024);
        std::printf("  curl            %8.1f ms\n", curl);
        for (const char* name : {"socket", "fetch"}) {
            if (!g_best.count(name))
                continue;
            const double t = g_best[name];
            std::printf("  %-15s %8.1f ms  = %.2f x curl (target <= 1.50: %s)\n",
                        name == std::string("socket") ? "socket path" : "fetch control", t, t / curl,
                        t / curl <= 1.5 ? "met" : "MISSED");
        }
    }
    return 0;
}
