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
void fillDetached(benchmark::State& state, const char* code)
{
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

void IntoDetachedModel(benchmark::State& state, const char* code)
{
    fixture();
    fillDetached(state, code);
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


// ---- views of a cached page, over pages of about 300 KB and 1 MB ------------------

// Our fixture page grown to about `bytes` by repeating `row` just before `at` (the
// markers stay valid), with `head` bytes of head text before it all.
QByteArray grownPage(const char* fixtureName, const QByteArray& at, const QByteArray& row, qsizetype bytes,
                     qsizetype head)
{
    QFile f(QStringLiteral(TW_FIXTURES "/sheets/") + QLatin1String(fixtureName));
    QByteArray page = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    const qsizetype sites = page.count(at);
    if (sites > 0 && page.size() < bytes) {
        const qsizetype repeats = (bytes - page.size()) / (row.size() * sites) + 1;
        page.replace(at, row.repeated(repeats) + at);
    }
    return QByteArray("<html><head><meta content=\"") + QByteArray(head, 'x') + "\"></head>" + page;
}

struct PageView
{
    const char* code;
    const char* file;      // as the downloader names it
    const char* fixture;
    QByteArray at;         // where the repeated rows go
    QByteArray row;
};

const PageView kPageViews[] = {
    {"ABS", "S1_ABS.Sh", "statements/balance_sheet.htm", "</TABLE>\n<p>Figures",
     "<TR><TD>Common Stock</TD><TD>41</TD><TD>42</TD><TD>43</TD><TD>44</TD><TD>45</TD></TR>\n"},
    {"AIS", "S1_AIS.Sh", "statements/income_statement.htm", "</TABLE>",
     "<TR><TD>Net Income</TD><TD>1</TD><TD>2</TD><TD>3</TD><TD>4</TD><TD>5</TD></TR>\n"},
    // Empty value cells: each is scanned and skipped.
    {"EG", "S1_ee.Sh", "earnings/earnings.htm", "</tr></TABLE>", "<td></td>"},
    {"EH", "S1_ee.Sh", "earnings/earnings.htm", "</tr></TABLE>", "<td></td>"},
    {"ER", "S1_ee.Sh", "earnings/earnings.htm", "</TR></TABLE>\n<p><b>Consensus", "<TD></TD>"},
    {"EC", "S1_ee.Sh", "earnings/earnings.htm", "</TR></TABLE>\n<p><b>Earnings History", "<TD></TD>"},
};

const PageView& pageView(const char* code)
{
    for (const PageView& v : kPageViews)
        if (qstrcmp(v.code, code) == 0)
            return v;
    return kPageViews[0];
}

// The builder alone, reading its page, into a detached model. Arguments: the
// page's size and its head's size.
void PageViewBuilder(benchmark::State& state, const char* code)
{
    fixture();
    const PageView& v = pageView(code);
    const QByteArray page = grownPage(v.fixture, v.at, v.row, state.range(0), state.range(1));
    CurrentSymbol() = QStringLiteral("S1");
    QDir().mkpath(AppPath() + QStringLiteral("/Cache/DataSheet"));
    QFile out(AppPath() + QStringLiteral("/Cache/DataSheet/") + QLatin1String(v.file));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(page) != page.size()) {
        state.SkipWithError("cannot write the page");
        return;
    }
    out.close();
    fillDetached(state, code);
    state.SetBytesProcessed(state.iterations() * page.size());
}

// One memchr pass over as many bytes: the yardstick.
void MemchrPass(benchmark::State& state)
{
    const QByteArray bytes(state.range(0), 'x');
    for (auto _ : state)
        benchmark::DoNotOptimize(std::memchr(bytes.constData(), '<', std::size_t(bytes.size())));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

constexpr int k300K = 300 * 1024;
constexpr int k1M = 1024 * 1024;
BENCHMARK(MemchrPass)->Arg(k300K)->Arg(k1M)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PageViewBuilder, BalanceSheet, "ABS")->Args({k300K, 0})->Args({k1M, 0})->Args({k300K, 400 * 1024})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageViewBuilder, IncomeStatement, "AIS")->Args({k300K, 0})->Args({k1M, 0})->Args({k300K, 400 * 1024})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageViewBuilder, EarningsGrowth, "EG")->Args({k300K, 0})->Args({k1M, 0})->Args({k300K, 400 * 1024})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageViewBuilder, EarningsHistory, "EH")->Args({k300K, 0})->Args({k1M, 0})->Args({k300K, 400 * 1024})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageViewBuilder, EarningsEstimates, "ER")->Args({k300K, 0})->Args({k1M, 0})->Args({k300K, 400 * 1024})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageViewBuilder, EpsTrend, "EC")->Args({k300K, 0})->Args({k1M, 0})->Args({k300K, 400 * 1024})->Unit(benchmark::kMillisecond);

#endif

} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
