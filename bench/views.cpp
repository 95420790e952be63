// How fast the views fill a grid: the current quotes of a full stock set (201
// stocks) and the holdings of 99 purchases, each through the program's entry point
// into a shown and an unshown main grid, straight into a detached model (the
// builder alone), and through the runner into a shown grid. Views that read a
// cached page add theirs over pages of about 300 KB and 1 MB, printing MB/s
// beside one memchr pass over the same bytes.
//
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRADEWRIGHT_BENCH=ON
//   cmake --build build-bench --target bench_views && build-bench/bench_views
#include "BenchMain.h"

#include "core/Settings.h"
#include "core/mdlRegistry.h"
#include "platform/AppPath.h"
#include "platform/FlexGrid.h"
#include "platform/FlexGridView.h"
#include "sheets/CurrentQuotes.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Portfolio.h"
#include "stockdata/ViewHost.h"

#if __has_include("sheets/ViewRunner.h")
#include "sheets/ViewEntries.h"
#include "sheets/ViewRegistry.h"
#include "sheets/ViewRunner.h"
#define TW_VIEW_ROAD 1
#else
#include "stockdata/PortfolioViews.h"
#define TW_VIEW_ROAD 0
#endif

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstring>

#include <benchmark/benchmark.h>

namespace {

// A shown main grid, as the main window has one; zoom windows are not used here.
class BenchHost : public ViewHost
{
public:
    BenchHost()
    {
        view.setGrid(&main);
        view.resize(1000, 700);
        view.show();
    }
    FlexGrid* mainGrid() override { return &main; }
    FlexGrid* newZoomGrid() override { return nullptr; }
    void showZoom(FlexGrid*) override {}

    FlexGrid main;
    FlexGridView view;
};

StockRec quoted(int i)
{
    StockRec r;
    r.Symbol = QStringLiteral("S%1").arg(i);
    r.CompanyName = QStringLiteral("Company number %1 Inc").arg(i);
    r.LastPrice = QStringLiteral("%1 1/2").arg(10 + i);
    r.PctChange = i % 2 ? QStringLiteral("+1.5%") : QStringLiteral("-0.7%");
    r.Change = QStringLiteral("+0.15");
    r.DayHigh = QStringLiteral("10.90");
    r.DayLow = QStringLiteral("10.10");
    r.Volume = QStringLiteral("12345678");
    r.Ask = QStringLiteral("10.55");
    r.Bid = QStringLiteral("10.45");
    r.LastTradeSize = QStringLiteral("300");
    r.PERatio = QStringLiteral("17.2");
    r.DivPerShare = QStringLiteral("0.40");
    r.OpenPrice = QStringLiteral("10.20");
    r.PrevClose = QStringLiteral("10.35");
    r.YearHigh = QStringLiteral("12.00");
    r.YearLow = QStringLiteral("8.00");
    r.EPS = QStringLiteral("0.61");
    r.Exchange = QStringLiteral("NYSE");
    r.Industry = QStringLiteral("Tools");
    r.LastTradeTime = QStringLiteral("4:01pm");
    r.TargetHigh = i % 7 == 0 ? 5.0f : 0.0f;
    return r;
}

// A program folder with a full set in memory and 99 purchases in Portfolio.dat.
class Fixture
{
public:
    Fixture()
    {
        SetAppPath(m_dir.path());
        ResetProgramState();
        mdlRegistry::CreateNewKey(mdlRegistry::HKEY_CURRENT_USER, QString::fromLatin1(Settings::ProductKey));
        Settings::SaveSetting(QString::fromLatin1(Settings::Fractions), QStringLiteral("1"));
        Settings::SaveSetting(QString::fromLatin1(Settings::Volume), QStringLiteral("1"));
        for (int i = 0; i < kStockRows; ++i)
            Stocks()[i] = quoted(i);
        StockCount() = kStockRows;
        StdRowHeight() = 240;
        for (int i = 0; i < 99; ++i)
            Transactions()[i] = PortRec{QStringLiteral("S%1").arg(i % 20), QStringLiteral("1/2/03"), 10.0f + i,
                                      std::int16_t(100 + i), 9.95f, QStringLiteral("%1").arg(12 + i),
                                      QStringLiteral("Buy"), 0, std::int16_t(i + 1)};
        SavePortfolio();
        installViewHost(&host);
    }
    ~Fixture() { installViewHost(nullptr); }

    BenchHost host;

private:
    QTemporaryDir m_dir;
};

// Made once and kept to the end: its widgets must not outlive the application.
Fixture& fixture()
{
    static Fixture* f = new Fixture;
    return *f;
}

// The program's entry points, drawing into the shown main grid.
template <void (*Entry)()>
void IntoShownGrid(benchmark::State& state)
{
    FlexGrid& shown = fixture().host.main;
    for (auto _ : state) {
        Entry();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(shown.Rows());
    }
    state.counters["rows"] = shown.Rows();
}
BENCHMARK_TEMPLATE(IntoShownGrid, FG_Current)->Name("QuotesEntryPoint")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(IntoShownGrid, FG_Portfolio_All)->Name("HoldingsEntryPoint")->Unit(benchmark::kMicrosecond);

// The same entry points into a main grid no widget shows: the model's own cost.
class UnshownHost : public ViewHost
{
public:
    UnshownHost() { main.setWidth(15000); }
    FlexGrid* mainGrid() override { return &main; }
    FlexGrid* newZoomGrid() override { return nullptr; }
    void showZoom(FlexGrid*) override {}
    FlexGrid main;
};

template <void (*Entry)()>
void IntoUnshownGrid(benchmark::State& state)
{
    fixture();
    UnshownHost unshown;
    installViewHost(&unshown);
    for (auto _ : state) {
        Entry();
        benchmark::DoNotOptimize(unshown.main.Rows());
    }
    state.counters["rows"] = unshown.main.Rows();
    installViewHost(&fixture().host);
}
BENCHMARK_TEMPLATE(IntoUnshownGrid, FG_Current)->Name("QuotesEntryPointUnshown")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(IntoUnshownGrid, FG_Portfolio_All)->Name("HoldingsEntryPointUnshown")->Unit(benchmark::kMicrosecond);

#if TW_VIEW_ROAD

// A view's builder alone, into a detached model nobody shows.
void IntoDetachedModel(benchmark::State& state, const char* code)
{
    fixture();
    const ViewRow& row = *findView(QString::fromLatin1(code));
    const ViewContext ctx = ViewRunner::contextFor(row, QString());
    FlexGrid grid;
    grid.setWidth(15000);
    for (auto _ : state) {
        row.builder(ctx, grid);
        benchmark::DoNotOptimize(grid.Rows());
    }
    state.counters["rows"] = grid.Rows();
}
BENCHMARK_CAPTURE(IntoDetachedModel, Quotes, "Current")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(IntoDetachedModel, Holdings, "Port")->Unit(benchmark::kMicrosecond);

// The runner: detached copy, fill, one swap into the shown grid.
void ThroughRunner(benchmark::State& state, const char* code)
{
    ViewRunner runner(fixture().host);
    for (auto _ : state) {
        runner.show(QString::fromLatin1(code));
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(fixture().host.main.Rows());
    }
}
BENCHMARK_CAPTURE(ThroughRunner, Quotes, "Current")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ThroughRunner, Holdings, "Port")->Unit(benchmark::kMicrosecond);

// ---- the options views over a stored options reply ---------------------------

// An options reply of about `bytes` bytes: headers, the table's header line and
// strike lines of both sides.
QByteArray optionsReply(qsizetype bytes)
{
    QByteArray page = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\nOption quotes for S0\r\n"
                      "Calls,Last Sale,Net,Bid,Ask,Vol,Open Int,Puts,Last Sale,Net,Bid,Ask,Vol,Open Int\r\n";
    for (int i = 0; page.size() < bytes; ++i)
        page += QStringLiteral("Jan %1 (S0 A%2),12 3/8,+1/4,12 1/4,12 1/2,%3,%4,Jan %1 (S0 M%2),1/16,-1/16,0,1/8,%5,%6,\r\n")
                    .arg(i % 200)
                    .arg(i % 26)
                    .arg(i % 977)
                    .arg(i * 7 % 9973)
                    .arg(i % 311)
                    .arg(i * 3 % 7919)
                    .toLatin1();
    return page;
}

// One memchr pass over a page's bytes: the yardstick the view figures stand beside.
void OptionsPageMemchr(benchmark::State& state)
{
    const QByteArray page = optionsReply(state.range(0) * 1000);
    for (auto _ : state)
        benchmark::DoNotOptimize(std::memchr(page.constData(), 1, size_t(page.size())));
    state.SetBytesProcessed(state.iterations() * page.size());
}
BENCHMARK(OptionsPageMemchr)->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);

// A view's builder over the stored reply, into a detached model.
void OptionsViewBuilder(benchmark::State& state, const char* code)
{
    fixture();
    const QByteArray page = optionsReply(state.range(0) * 1000);
    CurrentSymbol() = QStringLiteral("S0");
    const ViewRow& row = *findView(QString::fromLatin1(code));
    const ViewContext ctx = ViewRunner::contextFor(row, QString());
    QDir().mkpath(QFileInfo(ctx.pagePath).path());
    QFile file(ctx.pagePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(page) != page.size()) {
        state.SkipWithError("cannot write the options page");
        return;
    }
    file.close();
    FlexGrid grid;
    grid.setWidth(15000);
    for (auto _ : state) {
        row.builder(ctx, grid);
        benchmark::DoNotOptimize(grid.Rows());
    }
    state.SetBytesProcessed(state.iterations() * page.size());
    state.counters["rows"] = grid.Rows();
}
BENCHMARK_CAPTURE(OptionsViewBuilder, Calls, "Call")->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(OptionsViewBuilder, Puts, "Put")->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(OptionsViewBuilder, Chain, "Options")->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);

#endif

} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
