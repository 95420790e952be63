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

#include <QTemporaryDir>

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

// ---- the filings, profile and short-interest sheets over scaled pages -----------

// A page of about `size` bytes: head text of `headSize` bytes, then the view's
// markers around as many rows as fit.
QByteArray scaledPage(const char* code, int size, int headSize)
{
    QByteArray head;
    while (head.size() < headSize)
        head += "<!-- head text of the page, no markers in it -->\n";
    QByteArray open, row, close;
    const QByteArray c = code;
    if (c == "IT") {
        open = "<html>Insider Trades<table></table><table></table><table></table><table>\n";
        row = "<tr><td>Nov 3, 2026</td><td><a href=\"/ins/doe-john.html\">DOE JOHN</a></td><td>Sale</td>"
              "<td>1,000</td><td>Direct</td><td>$12.50</td><td>$12,500</td></tr>\n";
        close = "</table></html>";
    } else if (c == "QR") {
        open = "<html><table><tr><td>Sort By: Date</td></tr></table><TABLE><TR><TD>Date</TD></TR>\n";
        row = "<TR><TD>2026-11-03</TD><TD><A HREF=\"/Archives/acme/q3.htm\">10-Q</A></TD>"
              "<TD>Quarterly report: Q3</TD></TR>\n";
        close = "</TABLE></html>";
    } else if (c == "Profile") {
        open = "<html><a href=\"/home\">Home</a><hr size=1>\n";
        row = "Acme Widgets makes widgets &amp; gadgets. It sells them in forty countries. \n";
        close = "<hr></html>";
    } else {
        open = "<html><TABLE><TR><TH>Days to Cover</TH></TR>\n";
        row = "<TR><TD>Nov 14, 2026</TD><TD>1,234,567</TD><TD>456,789</TD><TD>2.7</TD></TR>\n";
        close = "</TABLE></html>";
    }
    QByteArray page = head + open;
    while (page.size() + row.size() + close.size() <= size)
        page += row;
    return page + close;
}

// The builder alone over the page; MB/s of page.
void PageView(benchmark::State& state, const char* code, const char* suffix, int size, int headSize)
{
    fixture();
    CurrentSymbol() = Stocks()[0].Symbol;
    QDir().mkpath(AppPath() + QStringLiteral("/Cache/DataSheet"));
    const QByteArray page = scaledPage(code, size, headSize);
    QFile f(AppPath() + QStringLiteral("/Cache/DataSheet/") + CurrentSymbol() + QString::fromLatin1(suffix));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(page) != page.size()) {
        state.SkipWithError("page not written");
        return;
    }
    f.close();
    const ViewRow& row = *findView(QString::fromLatin1(code));
    const ViewContext ctx = ViewRunner::contextFor(row, QString());
    FlexGrid grid;
    grid.setWidth(15000);
    for (auto _ : state) {
        row.builder(ctx, grid);
        benchmark::DoNotOptimize(grid.Rows());
    }
    state.counters["rows"] = grid.Rows();
    state.SetBytesProcessed(std::int64_t(state.iterations()) * page.size());
}

// One memchr pass over as many bytes: the yardstick.
void MemchrPass(benchmark::State& state, int size)
{
    const QByteArray page(size, 'x');
    for (auto _ : state)
        benchmark::DoNotOptimize(std::memchr(page.constData(), '<', size_t(page.size())));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * size);
}
BENCHMARK_CAPTURE(MemchrPass, 300KB, 300 << 10)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MemchrPass, 1MB, 1 << 20)->Unit(benchmark::kMicrosecond);
#define TW_PAGE_VIEW(name, code, suffix)                                                                        \
    BENCHMARK_CAPTURE(PageView, name##_300KB, code, suffix, 300 << 10, 0)->Unit(benchmark::kMicrosecond);     \
    BENCHMARK_CAPTURE(PageView, name##_1MB, code, suffix, 1 << 20, 0)->Unit(benchmark::kMicrosecond);         \
    BENCHMARK_CAPTURE(PageView, name##_1MB_after_400KB_head, code, suffix, 1 << 20, 400 << 10)                 \
        ->Unit(benchmark::kMicrosecond)
TW_PAGE_VIEW(InsiderTrades, "IT", "_it.Sh");
TW_PAGE_VIEW(QuarterlyReports, "QR", "_qr.Sh");
TW_PAGE_VIEW(Profile, "Profile", "_P.Sh");
TW_PAGE_VIEW(ShortInterest, "SI", "_SI.Sh");

#endif

} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
