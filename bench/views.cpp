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
#include "ShownGridHost.h"

#include "core/Settings.h"
#include "core/mdlRegistry.h"
#include "platform/AppPath.h"
#include "platform/FlexGrid.h"
#include "sheets/CurrentQuotes.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Portfolio.h"
#include "stockdata/ViewHost.h"

#if __has_include("sheets/ViewRunner.h")
#include "sheets/ViewEntries.h"
#include "sheets/ViewRegistry.h"
#include "sheets/ViewRunner.h"
#include "market/USIndices.h"
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

    ShownGridHost host;

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

// Lays page down as the cache page fileName; false (the run skipped) when it cannot.
bool writeCachePage(benchmark::State& state, const QString& fileName, const QByteArray& page)
{
    QDir().mkpath(AppPath() + QStringLiteral("/Cache/DataSheet"));
    QFile out(AppPath() + QStringLiteral("/Cache/DataSheet/") + fileName);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(page) != page.size()) {
        state.SkipWithError("cannot write the page");
        return false;
    }
    return true;
}

// A view's builder alone, into a detached model nobody shows.
void fillDetached(benchmark::State& state, const char* code, const QString& key = QString())
{
    const ViewRow& row = *findView(QString::fromLatin1(code));
    const ViewContext ctx = ViewRunner::contextFor(row, key);
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

// ---- the history sheets over cached pages of about 300 KB and 1 MB ----------------

// A raw reply of about `bytes` bytes: the page's head, its row repeated, its tail.
QByteArray historyPage(const char* code, int bytes)
{
    const QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n<html><body>";
    QByteArray open, row, tail;
    const QByteArray c = code;
    if (c == "Split") {
        open = "<!-- begin splits --><table><tr><td>Type</td></tr>\r\n";
        row = "<tr><td>Split</td><td>2-for-1</td><td>06/01/2001</td><td>06/15/2001</td><td>05/20/2001</td>"
              "<td>04/30/2001</td></tr>\r\n";
        tail = "</table><!-- end splits --></body></html>";
    } else if (c == "NMR") {
        // The rating's table comes after the page's other tables.
        row = "<tr><td>News, Chart &amp; Compare</td><td>1,234&nbsp;</td></tr>\r\n";
        tail = "<table><tr><th>Buys</th><th>Sells</th></tr><tr><td>1,234</td><td>25</td><td>12</td><td>3</td>"
               "<td>0</td></tr></table></body></html>";
    } else {
        open = c == "BRP" ? "<!-- begin reports --><table><tr><td>Date</td></tr>\r\n"
                          : "<!-- begin splits --><table><tr><td>Date</td></tr>\r\n";
        row = "<tr><td>01-Mar-05</td><td>First Broker, Inc.</td><td>Upgraded to Buy, see News &amp; Chart</td>"
              "</tr>\r\n";
        tail = "</table></body></html>";
    }
    QByteArray page = head + open;
    page.reserve(bytes + row.size() + tail.size());
    while (page.size() + tail.size() < bytes)
        page += row;
    return page + tail;
}

const char* const kHistorySuffix[][2] = {
    {"Split", "_sp.Sh"}, {"NMR", "_mr.Sh"}, {"UPH", "_uph.Sh"}, {"DNH", "_dnh.Sh"}, {"BRP", "_brp.Sh"}};

// A history sheet's builder alone over its page, in MB/s of page.
void HistorySheet(benchmark::State& state, const char* code)
{
    fixture();
    CurrentSymbol() = QStringLiteral("S1");
    const QByteArray page = historyPage(code, int(state.range(0)));
    QString suffix;
    for (const auto& s : kHistorySuffix)
        if (QByteArray(s[0]) == code)
            suffix = QLatin1String(s[1]);
    if (!writeCachePage(state, QStringLiteral("S1") + suffix, page))
        return;
    IntoDetachedModel(state, code);
    state.SetBytesProcessed(state.iterations() * page.size());
}

// One memchr pass over the same bytes, for scale.
void MemchrPass(benchmark::State& state)
{
    const QByteArray page = historyPage("UPH", int(state.range(0)));
    for (auto _ : state) {
        const void* hit = std::memchr(page.constData(), '\x01', size_t(page.size()));
        benchmark::DoNotOptimize(hit);
    }
    state.SetBytesProcessed(state.iterations() * page.size());
}

constexpr int kPage300K = 300 * 1024;
constexpr int kPage1M = 1024 * 1024;
BENCHMARK(MemchrPass)->Arg(kPage300K)->Arg(kPage1M);
BENCHMARK_CAPTURE(HistorySheet, Splits, "Split")->Arg(kPage300K)->Arg(kPage1M)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(HistorySheet, Momentum, "NMR")->Arg(kPage300K)->Arg(kPage1M)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(HistorySheet, Upgrades, "UPH")->Arg(kPage300K)->Arg(kPage1M)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(HistorySheet, Downgrades, "DNH")->Arg(kPage300K)->Arg(kPage1M)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(HistorySheet, BrokerReports, "BRP")->Arg(kPage300K)->Arg(kPage1M)->Unit(benchmark::kMillisecond);

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
    if (!writeCachePage(state, QLatin1String(v.file), page))
        return;
    fillDetached(state, code);
    state.SetBytesProcessed(state.iterations() * page.size());
}

constexpr int k300K = 300 * 1024;
constexpr int k1M = 1024 * 1024;
BENCHMARK_CAPTURE(PageViewBuilder, BalanceSheet, "ABS")->Args({k300K, 0})->Args({k1M, 0})->Args({k300K, 400 * 1024})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageViewBuilder, IncomeStatement, "AIS")->Args({k300K, 0})->Args({k1M, 0})->Args({k300K, 400 * 1024})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageViewBuilder, EarningsGrowth, "EG")->Args({k300K, 0})->Args({k1M, 0})->Args({k300K, 400 * 1024})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageViewBuilder, EarningsHistory, "EH")->Args({k300K, 0})->Args({k1M, 0})->Args({k300K, 400 * 1024})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageViewBuilder, EarningsEstimates, "ER")->Args({k300K, 0})->Args({k1M, 0})->Args({k300K, 400 * 1024})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageViewBuilder, EpsTrend, "EC")->Args({k300K, 0})->Args({k1M, 0})->Args({k300K, 400 * 1024})->Unit(benchmark::kMillisecond);
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
void ScaledPageView(benchmark::State& state, const char* code, const char* suffix, int size, int headSize)
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
    state.counters["rows"] = grid.Rows();
    state.SetBytesProcessed(std::int64_t(state.iterations()) * page.size());
}

#define TW_PAGE_VIEW(name, code, suffix)                                                                        \
    BENCHMARK_CAPTURE(ScaledPageView, name##_300KB, code, suffix, 300 << 10, 0)->Unit(benchmark::kMicrosecond);     \
    BENCHMARK_CAPTURE(ScaledPageView, name##_1MB, code, suffix, 1 << 20, 0)->Unit(benchmark::kMicrosecond);         \
    BENCHMARK_CAPTURE(ScaledPageView, name##_1MB_after_400KB_head, code, suffix, 1 << 20, 400 << 10)                 \
        ->Unit(benchmark::kMicrosecond)
TW_PAGE_VIEW(InsiderTrades, "IT", "_it.Sh");
TW_PAGE_VIEW(QuarterlyReports, "QR", "_qr.Sh");
TW_PAGE_VIEW(Profile, "Profile", "_P.Sh");
TW_PAGE_VIEW(ShortInterest, "SI", "_SI.Sh");
BENCHMARK_CAPTURE(OptionsViewBuilder, Calls, "Call")->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(OptionsViewBuilder, Puts, "Put")->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(OptionsViewBuilder, Chain, "Options")->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);

// ---- the options summary, funds, broker reports, IPO pages and splits calendars ---

struct MarketPage
{
    const char* code;
    const char* key;
    const char* file;
    const char* fixture;  // under the market fixtures
    QByteArray at;        // where the repeated rows go
    QByteArray row;
};

const QByteArray kIpoCalendarRow = "<tr><td>12/02</td><td>Beta, Inc.</td><td>BETA</td><td>$5</td><td>$6</td>"
                                   "<td>News,Chart,Profile</td></tr>\n";

const MarketPage kMarketPages[] = {
    {"OptSum", "0", "OptSum.Sh", "optsum/OptSum.Sh", "<TR></TR>",
     "<TR><TD>XYZ</TD><TD>12 1/2</TD><TD>-1 1/4</TD><TD>+3/8</TD><TD>15,200</TD></TR>\n"},
    {"F_", "F_Growth", "F_Growth.Sh", "funds/F_Growth.Sh", "</TABLE>",
     "<TR><TD>AGROX</TD><TD>Growth&nbsp;Fund &amp; Co</TD><TD>55.10</TD><TD>-0.12</TD><TD>12/09</TD></TR>\n"},
    {"M_BRP", "0", "M_BRP.Sh", "broker/M_BRP.Sh", "<tr><td>&nbsp;",
     "<tr><td>ACME</td><td>Acme News Corp</td><td></td><td>Buy, target 1,250 &#039x&#039</td></tr>\n"},
    {"IPO_Price", "", "IPO_Prc.sh", "ipo/IPO_Prc.sh", "</table>", kIpoCalendarRow},
    {"IPO_Gain", "", "IPO_G3.sh", "ipo/IPO_G3.sh", "</table>", kIpoCalendarRow},
    {"IPO_Reg", "", "IPO_Reg.sh", "ipo/IPO_Reg.sh", "</table>", kIpoCalendarRow},
    {"IPO_Last", "", "IPO_lts.sh", "ipo/IPO_lts.sh", "</table>\n<h2>Filings", kIpoCalendarRow},
    {"IPO_With", "", "IPO_wp.sh", "ipo/IPO_wp.sh", "</table>",
     "<tr><td>10/02<td>Eta, Ltd<td>ETA<td>2,000<td>$5<td>09/02<td>lost</td></tr>\n"},
    {"IPO_News", "", "IPO_News.sh", "ipo/IPO_News.sh", "</ul>",
     "<li><a href=\"/n/ipo/x.html\">Beta files\tfor an offering</a> - Wire One - 10:15</li>\n"},
    {"FMS", "0", "FMS_Today.Sh", "splits/FMS_Today.Sh", "</TABLE>",
     "<TR><TD>ACME</TD><TD>Acme Chart Works, Inc.</TD><TD></TD><TD>Dec 10, 2026</TD><TD>Dec 9, 2026</TD></TR>\n"},
    {"FMS", "4", "FMS_Tech.Sh", "splits/FMS_Tech.Sh", "</TABLE>",
     "<TR><TD>THN</TD><TD>Thin Chips</TD><TD>5</TD></TR>\n"},
};

// The builder alone over its grown page, into a detached model, in MB/s of page.
void MarketPageBuilder(benchmark::State& state, int index)
{
    fixture();
    const MarketPage& v = kMarketPages[index];
    const QByteArray page =
        grownPage((QByteArray("../market/") + v.fixture).constData(), v.at, v.row, state.range(0), 0);
    if (!writeCachePage(state, QLatin1String(v.file), page))
        return;
    fillDetached(state, v.code, QLatin1String(v.key));
    state.SetBytesProcessed(state.iterations() * page.size());
}

#define TW_MARKET_PAGE(name, index)                                                                                  \
    BENCHMARK_CAPTURE(MarketPageBuilder, name, index)->Arg(k300K)->Arg(k1M)->Unit(benchmark::kMillisecond)
TW_MARKET_PAGE(OptionsSummary, 0);
TW_MARKET_PAGE(Funds, 1);
TW_MARKET_PAGE(MarketBrokerReports, 2);
TW_MARKET_PAGE(IpoPricings, 3);
TW_MARKET_PAGE(IpoGainers, 4);
TW_MARKET_PAGE(IpoRegistrations, 5);
TW_MARKET_PAGE(IpoLatest, 6);
TW_MARKET_PAGE(IpoWithdrawals, 7);
TW_MARKET_PAGE(IpoNews, 8);
TW_MARKET_PAGE(SplitsToday, 9);
TW_MARKET_PAGE(SplitsTopTech, 10);

// ---- the market lists and indices over pages of about 300 KB and 1 MB ----------

struct MarketListPage
{
    const char* name;     // the benchmark's
    const char* code;
    const char* key;
    const char* file;     // as the downloader names it
    const char* fixture;
    QByteArray at;
    QByteArray row;
};

const MarketListPage kMarketListPages[] = {
    {"Movers", "BR", "brPG_Q.Sh", "BrPG_Q.Sh", "movers/brPG_Q.Sh", "<TR><TD>&nbsp;</TD></TR>",
     "<TR><TD>5</TD><TD>Some &amp; Co</TD><TD>SOM</TD><TD>2.0%</TD><TD>100</TD><TD>2.00</TD><TD>+0.02</TD>"
     "<TD>8</TD></TR>\n"},
    {"MostActive", "BR", "BrDT_Q.Sh", "BrDT_Q.Sh", "movers/BrDT_Q.Sh", "</TABLE>\n<p>Click",
     "<TR><TD>3</TD><TD>SOM</TD><TD>Some Co</TD><TD>2.00</TD><TD>z</TD><TD>+0.02</TD><TD>1%</TD><TD>100</TD>"
     "<TD>200</TD><TD><IMG SRC=\"/img/icon_news.gif\"></TD></TR>\n"},
    {"WinnersLosers", "WINLOS", "mwwinners.Sh", "mwwinners.Sh", "winlos/mwwinners.Sh", "</TABLE>",
     "<TR><TD>9</TD><TD>SOM</TD><TD>q</TD><TD>Some&nbsp;Co</TD><TD>2.00</TD><TD>100</TD><TD>+0.02</TD>"
     "<TD>1%</TD></TR>\n"},
    {"Upgrades", "Upgrade", "", "UpDown.Sh", "analyst/UpDown.Sh", "</TABLE>\n<big><b>Downgrades",
     "<TR><TD>Some Co</TD><TD>SOM</TD><TD>Broker &amp; Co</TD><TD>Hold</TD><TD>Buy</TD><TD>More</TD></TR>\n"},
    {"Coverage", "Coverage", "", "UpDown.Sh", "analyst/UpDown.Sh", "</TABLE>\n</HTML>",
     "<TR><TD>Some Co</TD><TD>SOM</TD><TD>Broker &amp; Co</TD><TD>Buy</TD><TD>More</TD></TR>\n"},
    {"Surprises", "SUP", "", "25_surp.Sh", "surprises/25_surp.Sh", "<TR><TD colspan=5>",
     "<TR><TD>SOM</TD><TD>Some Co</TD><TD>1.10</TD><TD>1.00</TD><TD>10%</TD></TR>\n"},
    {"WorldMarkets", "WM", "", "Market.Sh", "world/Market.Sh", "<TR><TD>Asia</TD></TR>",
     "<TR><TD>Chile</TD><TD>x</TD><TD>^IPSA</TD><TD>12/9</TD><TD>1,234.5</TD><TD>+1.0</TD><TD>+0.1%</TD>"
     "<TD>Chart</TD></TR>\n"},
};

// A market list or index view's builder alone over its page, into a detached model; MB/s of page.
void MarketListView(benchmark::State& state, const MarketListPage* v)
{
    fixture();
    const QByteArray page =
        grownPage((QByteArray("../market/") + v->fixture).constData(), v->at, v->row, state.range(0), 0);
    if (!writeCachePage(state, QLatin1String(v->file), page))
        return;
    fillDetached(state, v->code, QLatin1String(v->key));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * page.size());
}

// The US page scraped into US.dat: the 37 figures spread over a long page.
void USPageScrape(benchmark::State& state)
{
    fixture();
    const QByteArray page = grownPage("../market/us/US.Sh", "<TR><TD><B>",
                                      "<!-- nothing of note in this line -->\r\n", state.range(0), 0);
    if (!writeCachePage(state, QStringLiteral("US.Sh"), page))
        return;
    for (auto _ : state)
        Parse_US();
    state.SetBytesProcessed(std::int64_t(state.iterations()) * page.size());
}

void registerMarketViews()
{
    for (const MarketListPage& v : kMarketListPages)
        benchmark::RegisterBenchmark((std::string("MarketListView/") + v.name).c_str(), MarketListView, &v)
            ->Arg(300 << 10)
            ->Arg(1 << 20)
            ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("USPageScrape", USPageScrape)->Arg(300 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);
}

const bool kMarketViewsRegistered = (registerMarketViews(), true);

#endif

} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
