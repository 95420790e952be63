// How fast the views fill a grid: the current quotes of a full stock set (201
// stocks) and the holdings of 99 purchases, each through the program's entry point
// into a shown and an unshown main grid, straight into a detached model (the
// builder alone), and through the runner into a shown grid. Every view that reads
// a page then goes from its page on disk (about 300 KB, 1 MB and 3 MB) to its
// builder's model and to the shown grid, beside one read of a page file and one
// memchr pass over it; a summary gives each view's ms per MB and its linearity
// against the targets. By default five rounds run interleaved and the medians count.
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
#include "views/ViewHost.h"

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

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

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
#if TW_VIEW_ROAD
    // The program's one runner, as its start makes it: over the installed host.
    ViewRunner views{installedViewHost()};
#endif

private:
    QTemporaryDir m_dir;
};

// Made once and kept to the end: its widgets must not outlive the application.
Fixture& fixture()
{
    static Fixture* f = new Fixture;
    return *f;
}

// The program's entry points (through the program's runner where there is one).
#if TW_VIEW_ROAD
void quotesEntry()
{
    FG_Current(fixture().views);
}
void holdingsEntry()
{
    FG_Portfolio_All(fixture().views);
}
#else
void quotesEntry()
{
    FG_Current();
}
void holdingsEntry()
{
    FG_Portfolio_All();
}
#endif

// The entry points, drawing into the shown main grid.
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
BENCHMARK_TEMPLATE(IntoShownGrid, quotesEntry)->Name("QuotesEntryPoint")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(IntoShownGrid, holdingsEntry)->Name("HoldingsEntryPoint")->Unit(benchmark::kMicrosecond);

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
BENCHMARK_TEMPLATE(IntoUnshownGrid, quotesEntry)->Name("QuotesEntryPointUnshown")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(IntoUnshownGrid, holdingsEntry)->Name("HoldingsEntryPointUnshown")->Unit(benchmark::kMicrosecond);

#if TW_VIEW_ROAD

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

// ---- every view with a page, from the page on disk -------------------------------
//
// Each view reads a realistic page of its kind, grown to about 300 KB, 1 MB and
// 3 MB by repeating a row of the page: its builder alone into a detached model
// (ViewBuilder), and from the page on disk to the grid the main window shows
// (ViewShown: the runner into an offscreen FlexGridView, events run). Beside them,
// one read of a page file (FileRead) and one memchr pass over its bytes (Memchr).
// The summary at the end gives each view's medians in ms per MB of page and its
// cost per byte at 3 MB over that at 300 KB.

// The page of a history sheet of about `bytes` bytes: the stored reply's head, its
// row repeated, its tail.
QByteArray historyPage(const QByteArray& c, qsizetype bytes)
{
    const QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n<html><body>";
    QByteArray open, row, tail;
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

// A fixture page (under tests/fixtures) grown to about `bytes` by repeating `row`
// just before each `at` (the markers stay valid).
QByteArray grownPage(const QByteArray& fixtureName, const QByteArray& at, const QByteArray& row, qsizetype bytes)
{
    QFile f(QStringLiteral(TW_FIXTURES "/") + QString::fromLatin1(fixtureName));
    QByteArray page = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    const qsizetype sites = page.count(at);
    if (sites > 0 && page.size() < bytes) {
        const qsizetype repeats = (bytes - page.size()) / (row.size() * sites) + 1;
        page.replace(at, row.repeated(repeats) + at);
    }
    return QByteArray("<html><head><meta content=\"\"></head>") + page;
}

// The filings, insider and short-interest pages: the view's markers around as many
// rows as fit in `size` bytes.
QByteArray markedPage(const QByteArray& c, qsizetype size)
{
    QByteArray open, row, close;
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
    QByteArray page = open;
    page.reserve(size + row.size());
    while (page.size() + row.size() + close.size() <= size)
        page += row;
    return page + close;
}

// A stored options reply of about `bytes` bytes: headers, the table's header line and
// strike lines of both sides.
QByteArray optionsReply(qsizetype bytes)
{
    QByteArray page = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\nOption quotes for S1\r\n"
                      "Calls,Last Sale,Net,Bid,Ask,Vol,Open Int,Puts,Last Sale,Net,Bid,Ask,Vol,Open Int\r\n";
    page.reserve(bytes + 200);
    for (int i = 0; page.size() < bytes; ++i)
        page += QStringLiteral("Jan %1 (S1 A%2),12 3/8,+1/4,12 1/4,12 1/2,%3,%4,Jan %1 (S1 M%2),1/16,-1/16,0,1/8,%5,%6,\r\n")
                    .arg(i % 200)
                    .arg(i % 26)
                    .arg(i % 977)
                    .arg(i * 7 % 9973)
                    .arg(i % 311)
                    .arg(i * 3 % 7919)
                    .toLatin1();
    return page;
}

struct ViewPage
{
    const char* name;  // the benchmark's
    const char* code;
    const char* key;
    std::function<QByteArray(qsizetype)> page;  // a page of about that many bytes
};

// A fixture page grown by a row.
std::function<QByteArray(qsizetype)> grown(const char* fixture, QByteArray at, QByteArray row)
{
    return [=](qsizetype bytes) { return grownPage(fixture, at, row, bytes); };
}

std::function<QByteArray(qsizetype)> history(const char* code)
{
    return [=](qsizetype bytes) { return historyPage(code, bytes); };
}

std::function<QByteArray(qsizetype)> marked(const char* code)
{
    return [=](qsizetype bytes) { return markedPage(code, bytes); };
}

const QByteArray kIpoCalendarRow = "<tr><td>12/02</td><td>Beta, Inc.</td><td>BETA</td><td>$5</td><td>$6</td>"
                                   "<td>News,Chart,Profile</td></tr>\n";
const QByteArray kAnalystRow =
    "<TR><TD>Some Co</TD><TD>SOM</TD><TD>Broker &amp; Co</TD><TD>Hold</TD><TD>Buy</TD><TD>More</TD></TR>\n";
const QByteArray kWorldRow = "<TR><TD>Chile</TD><TD>x</TD><TD>^IPSA</TD><TD>12/9</TD><TD>1,234.5</TD><TD>+1.0</TD>"
                             "<TD>+0.1%</TD><TD>Chart</TD></TR>\n";

const std::vector<ViewPage>& viewPages()
{
    static const std::vector<ViewPage> pages = {
        {"BalanceSheet", "ABS", "",
         grown("sheets/statements/balance_sheet.htm", "</TABLE>\n<p>Figures",
               "<TR><TD>Common Stock</TD><TD>41</TD><TD>42</TD><TD>43</TD><TD>44</TD><TD>45</TD></TR>\n")},
        {"IncomeStatement", "AIS", "",
         grown("sheets/statements/income_statement.htm", "</TABLE>",
               "<TR><TD>Net Income</TD><TD>1</TD><TD>2</TD><TD>3</TD><TD>4</TD><TD>5</TD></TR>\n")},
        // Empty value cells: each is scanned and skipped.
        {"EarningsGrowth", "EG", "", grown("sheets/earnings/earnings.htm", "</tr></TABLE>", "<td></td>")},
        {"EarningsHistory", "EH", "", grown("sheets/earnings/earnings.htm", "</tr></TABLE>", "<td></td>")},
        {"EarningsEstimates", "ER", "",
         grown("sheets/earnings/earnings.htm", "</TR></TABLE>\n<p><b>Consensus", "<TD></TD>")},
        {"EpsTrend", "EC", "", grown("sheets/earnings/earnings.htm", "</TR></TABLE>\n<p><b>Earnings History", "<TD></TD>")},
        {"InsiderTrades", "IT", "", marked("IT")},
        {"QuarterlyReports", "QR", "", marked("QR")},
        {"Profile", "Profile", "", marked("Profile")},
        {"ShortInterest", "SI", "", marked("SI")},
        {"Calls", "Call", "", optionsReply},
        {"Puts", "Put", "", optionsReply},
        {"OptionChain", "Options", "", optionsReply},
        {"Splits", "Split", "", history("Split")},
        {"Momentum", "NMR", "", history("NMR")},
        {"UpgradeHistory", "UPH", "", history("UPH")},
        {"DowngradeHistory", "DNH", "", history("DNH")},
        {"BrokerReports", "BRP", "", history("BRP")},
        {"Movers", "BR", "brPG_Q.Sh",
         grown("market/movers/brPG_Q.Sh", "<TR><TD>&nbsp;</TD></TR>",
               "<TR><TD>5</TD><TD>Some &amp; Co</TD><TD>SOM</TD><TD>2.0%</TD><TD>100</TD><TD>2.00</TD><TD>+0.02</TD>"
               "<TD>8</TD></TR>\n")},
        {"MostActive", "BR", "BrDT_Q.Sh",
         grown("market/movers/BrDT_Q.Sh", "</TABLE>\n<p>Click",
               "<TR><TD>3</TD><TD>SOM</TD><TD>Some Co</TD><TD>2.00</TD><TD>z</TD><TD>+0.02</TD><TD>1%</TD><TD>100</TD>"
               "<TD>200</TD><TD><IMG SRC=\"/img/icon_news.gif\"></TD></TR>\n")},
        {"WinnersLosers", "WINLOS", "mwwinners.Sh",
         grown("market/winlos/mwwinners.Sh", "</TABLE>",
               "<TR><TD>9</TD><TD>SOM</TD><TD>q</TD><TD>Some&nbsp;Co</TD><TD>2.00</TD><TD>100</TD><TD>+0.02</TD>"
               "<TD>1%</TD></TR>\n")},
        {"Upgrades", "Upgrade", "", grown("market/analyst/UpDown.Sh", "</TABLE>\n<big><b>Downgrades", kAnalystRow)},
        {"Downgrades", "Downgrade", "", grown("market/analyst/UpDown.Sh", "</TABLE>\n<big><b>Coverage", kAnalystRow)},
        {"Coverage", "Coverage", "",
         grown("market/analyst/UpDown.Sh", "</TABLE>\n</HTML>",
               "<TR><TD>Some Co</TD><TD>SOM</TD><TD>Broker &amp; Co</TD><TD>Buy</TD><TD>More</TD></TR>\n")},
        {"Surprises", "SUP", "",
         grown("market/surprises/25_surp.Sh", "<TR><TD colspan=5>",
               "<TR><TD>SOM</TD><TD>Some Co</TD><TD>1.10</TD><TD>1.00</TD><TD>10%</TD></TR>\n")},
        {"WorldMarkets", "WM", "", grown("market/world/Market.Sh", "<TR><TD>Asia</TD></TR>", kWorldRow)},
        {"OptionsSummary", "OptSum", "0",
         grown("market/optsum/OptSum.Sh", "<TR></TR>",
               "<TR><TD>XYZ</TD><TD>12 1/2</TD><TD>-1 1/4</TD><TD>+3/8</TD><TD>15,200</TD></TR>\n")},
        {"Funds", "F_", "F_Growth",
         grown("market/funds/F_Growth.Sh", "</TABLE>",
               "<TR><TD>AGROX</TD><TD>Growth&nbsp;Fund &amp; Co</TD><TD>55.10</TD><TD>-0.12</TD><TD>12/09</TD></TR>\n")},
        {"MarketBrokerReports", "M_BRP", "0",
         grown("market/broker/M_BRP.Sh", "<tr><td>&nbsp;",
               "<tr><td>ACME</td><td>Acme News Corp</td><td></td><td>Buy, target 1,250 &#039x&#039</td></tr>\n")},
        {"IpoPricings", "IPO_Price", "", grown("market/ipo/IPO_Prc.sh", "</table>", kIpoCalendarRow)},
        {"IpoGainers", "IPO_Gain", "", grown("market/ipo/IPO_G3.sh", "</table>", kIpoCalendarRow)},
        {"IpoLosers", "IPO_Loss", "", grown("market/ipo/IPO_L3.sh", "</table>", kIpoCalendarRow)},
        {"IpoRegistrations", "IPO_Reg", "", grown("market/ipo/IPO_Reg.sh", "</table>", kIpoCalendarRow)},
        {"IpoLatest", "IPO_Last", "", grown("market/ipo/IPO_lts.sh", "</table>\n<h2>Filings", kIpoCalendarRow)},
        {"IpoWithdrawals", "IPO_With", "",
         grown("market/ipo/IPO_wp.sh", "</table>",
               "<tr><td>10/02<td>Eta, Ltd<td>ETA<td>2,000<td>$5<td>09/02<td>lost</td></tr>\n")},
        {"IpoNews", "IPO_News", "",
         grown("market/ipo/IPO_News.sh", "</ul>",
               "<li><a href=\"/n/ipo/x.html\">Beta files\tfor an offering</a> - Wire One - 10:15</li>\n")},
        {"SplitsToday", "FMS", "0",
         grown("market/splits/FMS_Today.Sh", "</TABLE>",
               "<TR><TD>ACME</TD><TD>Acme Chart Works, Inc.</TD><TD></TD><TD>Dec 10, 2026</TD><TD>Dec 9, 2026</TD></TR>\n")},
        {"SplitsTopTech", "FMS", "4",
         grown("market/splits/FMS_Tech.Sh", "</TABLE>", "<TR><TD>THN</TD><TD>Thin Chips</TD><TD>5</TD></TR>\n")},
    };
    return pages;
}

// Lays the view's page of about `bytes` down where the view reads it; the context
// the view is built with, or nullptr (the run skipped) when that cannot be done.
std::optional<ViewContext> layPage(benchmark::State& state, const ViewPage& v, qsizetype bytes)
{
    fixture();
    CurrentSymbol() = QStringLiteral("S1");
    const ViewRow* row = findView(QString::fromLatin1(v.code));
    if (!row || !row->builder) {
        state.SkipWithError("no such view");
        return std::nullopt;
    }
    const ViewContext ctx = ViewRunner::contextFor(*row, QString::fromLatin1(v.key));
    const QByteArray page = v.page(bytes);
    QDir().mkpath(QFileInfo(ctx.pagePath).path());
    QFile out(ctx.pagePath);
    if (ctx.pagePath.isEmpty() || !out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(page) != page.size()) {
        state.SkipWithError("cannot write the page");
        return std::nullopt;
    }
    state.counters["MB"] = double(page.size()) / (1 << 20);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * page.size());
    return ctx;
}

// The builder alone, reading its page, into a detached model nobody shows.
void ViewBuilder(benchmark::State& state, const ViewPage* v)
{
    const std::optional<ViewContext> ctx = layPage(state, *v, state.range(0));
    if (!ctx)
        return;
    const ViewRow& row = *findView(QString::fromLatin1(v->code));
    FlexGrid grid;
    grid.setWidth(15000);
    for (auto _ : state) {
        row.builder(*ctx, grid);
        benchmark::DoNotOptimize(grid.Rows());
    }
    state.counters["rows"] = grid.Rows();
    state.SetBytesProcessed(std::int64_t(state.iterations()) * qsizetype(state.counters["MB"] * (1 << 20)));
}

// From the page on disk to the shown grid: the runner (detached copy, fill, one swap
// into the shown grid), then the window's events, as the main window shows a view.
void ViewShown(benchmark::State& state, const ViewPage* v)
{
    if (!layPage(state, *v, state.range(0)))
        return;
    ViewRunner runner(fixture().host);
    for (auto _ : state) {
        runner.show(QString::fromLatin1(v->code), QString::fromLatin1(v->key));
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(fixture().host.main.Rows());
    }
    state.counters["rows"] = fixture().host.main.Rows();
    state.SetBytesProcessed(std::int64_t(state.iterations()) * qsizetype(state.counters["MB"] * (1 << 20)));
}

QString scalePagePath()
{
    return AppPath() + QStringLiteral("/Cache/DataSheet/scale.Sh");
}

// One read of a page file of the size, as the views read theirs (ReadBytes).
void FileRead(benchmark::State& state)
{
    fixture();
    const QByteArray page = historyPage("UPH", state.range(0));
    QDir().mkpath(QFileInfo(scalePagePath()).path());
    QFile out(scalePagePath());
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(page) != page.size()) {
        state.SkipWithError("cannot write the page");
        return;
    }
    out.close();
    for (auto _ : state) {
        const QByteArray bytes = ReadBytes(scalePagePath());
        benchmark::DoNotOptimize(bytes.constData());
    }
    state.counters["MB"] = double(page.size()) / (1 << 20);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * page.size());
}

// One memchr pass over the same bytes, for scale.
void Memchr(benchmark::State& state)
{
    const QByteArray page = historyPage("UPH", state.range(0));
    for (auto _ : state) {
        const void* hit = std::memchr(page.constData(), '\x01', size_t(page.size()));
        benchmark::DoNotOptimize(hit);
    }
    state.counters["MB"] = double(page.size()) / (1 << 20);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * page.size());
}

// The world-markets view over its page as one line (every line break taken out),
// at 2, 4, 8 and 16 MiB: its builder stays linear in the line's length.
void WorldMarketsOneLine(benchmark::State& state)
{
    static const ViewPage oneLine = {"WorldMarketsOneLine", "WM", "", [](qsizetype bytes) {
                                         QByteArray page = grownPage("market/world/Market.Sh",
                                                                     "<TR><TD>Asia</TD></TR>", kWorldRow, bytes);
                                         page.replace('\n', ' ');
                                         page.replace('\r', ' ');
                                         return page;
                                     }};
    ViewBuilder(state, &oneLine);
}

// The same page with its line breaks, at the same sizes: what the one line adds.
void WorldMarketsLines(benchmark::State& state)
{
    static const ViewPage lines = {"WorldMarketsLines", "WM", "", [](qsizetype bytes) {
                                       return grownPage("market/world/Market.Sh", "<TR><TD>Asia</TD></TR>", kWorldRow,
                                                        bytes);
                                   }};
    ViewBuilder(state, &lines);
}

// The US page scraped into US.dat: the 37 figures spread over a long page.
void USPageScrape(benchmark::State& state)
{
    fixture();
    const QByteArray page = grownPage("market/us/US.Sh", "<TR><TD><B>", "<!-- nothing of note in this line -->\r\n",
                                      state.range(0));
    QDir().mkpath(AppPath() + QStringLiteral("/Cache/DataSheet"));
    QFile out(AppPath() + QStringLiteral("/Cache/DataSheet/US.Sh"));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(page) != page.size()) {
        state.SkipWithError("cannot write the page");
        return;
    }
    out.close();
    for (auto _ : state)
        Parse_US();
    state.SetBytesProcessed(std::int64_t(state.iterations()) * page.size());
}

constexpr qsizetype k300K = 300 << 10;
constexpr qsizetype k1M = 1 << 20;
constexpr qsizetype k3M = 3 << 20;

void registerPageViews()
{
    benchmark::RegisterBenchmark("FileRead", FileRead)->Arg(k300K)->Arg(k1M)->Arg(k3M)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Memchr", Memchr)->Arg(k300K)->Arg(k1M)->Arg(k3M)->Unit(benchmark::kMicrosecond);
    for (const ViewPage& v : viewPages()) {
        for (const char* kind : {"ViewBuilder", "ViewShown"})
            benchmark::RegisterBenchmark((std::string(kind) + "/" + v.name).c_str(),
                                         kind[4] == 'B' ? ViewBuilder : ViewShown, &v)
                ->Arg(k300K)
                ->Arg(k1M)
                ->Arg(k3M)
                ->Unit(benchmark::kMillisecond);
    }
    using Run = void (*)(benchmark::State&);
    const std::pair<const char*, Run> worldPages[] = {{"WorldMarketsOneLine", WorldMarketsOneLine},
                                                      {"WorldMarketsLines", WorldMarketsLines}};
    for (const auto& [name, run] : worldPages)
        benchmark::RegisterBenchmark(name, run)
            ->Arg(2 << 20)
            ->Arg(4 << 20)
            ->Arg(8 << 20)
            ->Arg(16 << 20)
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("USPageScrape", USPageScrape)->Arg(k300K)->Arg(k1M)->Unit(benchmark::kMicrosecond);
}

const bool kPageViewsRegistered = (registerPageViews(), true);

// ---- the summary: the targets against the medians --------------------------------

// Keeps each benchmark's median (or its one run when there are no repetitions) and
// prints, after the usual table, each view's ms per MB of page at each size and its
// cost per byte at 3 MB over that at 300 KB, against the targets: at most 20 ms per
// MB shown, at most 1.3 times.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.iterations == 0)
                continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !median)
                continue;
            // The name without the minimum time or repetition suffixes: "ViewShown/Funds/1048576".
            const std::string name = run.run_name.function_name + "/" + run.run_name.args;
            if (median || !m_medians.count(name) || !m_fromMedian[name]) {
                const auto mb = run.counters.find("MB");
                if (mb == run.counters.end())
                    continue;
                // Real time per iteration, in ms; the median's counters are medians too.
                const double ms = run.GetAdjustedRealTime() * msPer(run.time_unit);
                m_medians[name] = {ms, double(mb->second)};
                m_fromMedian[name] = median;
            }
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        if (m_medians.empty())
            return;
        std::printf("\nPage to grid, ms per MB of page (%s; 'shown' as the main window shows it)\n",
                    m_fromMedian.begin()->second ? "medians of the repetitions" : "single runs");
        std::printf("%-22s %-8s %9s %9s %9s %8s  %s\n", "view", "", "300 KB", "1 MB", "3 MB", "3MB/300KB",
                    "targets (<= 20 ms/MB shown, <= 1.3x)");
        bool allMet = true;
        int shownViews = 0;
        const auto line = [&](const std::string& label, const char* kind, const std::string& prefix, bool targeted) {
            double perMB[3] = {-1, -1, -1};
            const qsizetype sizes[3] = {k300K, k1M, k3M};
            for (int i = 0; i < 3; ++i) {
                const auto it = m_medians.find(prefix + std::to_string(sizes[i]));
                if (it != m_medians.end() && it->second.mb > 0)
                    perMB[i] = it->second.ms / it->second.mb;
            }
            if (perMB[0] < 0 && perMB[1] < 0 && perMB[2] < 0)
                return;
            const double ratio = perMB[0] > 0 && perMB[2] > 0 ? perMB[2] / perMB[0] : -1;
            std::string verdict;
            if (targeted) {
                const double worst = std::max({perMB[0], perMB[1], perMB[2]});
                const bool met = perMB[0] > 0 && perMB[1] > 0 && perMB[2] > 0 && worst <= 20.0 && ratio <= 1.3;
                allMet = allMet && met;
                ++shownViews;
                verdict = met ? "met" : "NOT met";
            }
            std::printf("%-22s %-8s %9.3f %9.3f %9.3f %8.2fx  %s\n", label.c_str(), kind, perMB[0], perMB[1],
                        perMB[2], ratio, verdict.c_str());
        };
        line("one read of the file", "", "FileRead/", false);
        line("one memchr pass", "", "Memchr/", false);
        for (const ViewPage& v : viewPages()) {
            line(v.name, "builder", std::string("ViewBuilder/") + v.name + "/", false);
            line(v.name, "shown", std::string("ViewShown/") + v.name + "/", true);
        }
        std::printf("every view's targets: %s\n", allMet && shownViews > 0 ? "met" : "NOT met");
    }

private:
    static double msPer(benchmark::TimeUnit unit)
    {
        switch (unit) {
        case benchmark::kNanosecond: return 1e-6;
        case benchmark::kMicrosecond: return 1e-3;
        case benchmark::kMillisecond: return 1.0;
        case benchmark::kSecond: return 1e3;
        }
        return 1.0;
    }
    struct Median
    {
        double ms = 0;
        double mb = 0;
    };
    std::map<std::string, Median> m_medians;
    std::map<std::string, bool> m_fromMedian;
};

#endif

} // namespace

int main(int argc, char** argv)
{
#if TW_VIEW_ROAD
    // Unless told otherwise: five rounds, interleaved at random, the medians kept.
    std::vector<char*> args(argv, argv + argc);
    bool rounds = false;
    for (int i = 1; i < argc; ++i)
        rounds = rounds || std::strncmp(argv[i], "--benchmark_repetitions", 23) == 0;
    static char repetitions[] = "--benchmark_repetitions=5";
    static char interleaved[] = "--benchmark_enable_random_interleaving=true";
    static char aggregates[] = "--benchmark_report_aggregates_only=true";
    if (!rounds)
        args.insert(args.begin() + 1, {repetitions, interleaved, aggregates});
    int count = int(args.size());
    args.push_back(nullptr);
    SummaryReporter summary;
    return runWidgetBenchmarks(count, args.data(), &summary);
#else
    return runWidgetBenchmarks(argc, argv);
#endif
}
