// How fast the reports lay out a cached page (built in memory, not written or
// opened): the balance sheet, the insider trades, the quarterly filings, the calls
// and the consensus trend, each from pages of about 100 KB, 1 MB and 4 MB. A
// report of a 1 MB page should take well under 50 ms, and the 4 MB page no more
// than five times as long as the 1 MB one.
//
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRADEWRIGHT_BENCH=ON
//   cmake --build build-bench --target bench_reports && build-bench/bench_reports
#include "BenchMain.h"
#include "ScaledPage.h"

#include "reports/Reports.h"

#include <benchmark/benchmark.h>

namespace {


QString pageFor(const QString& code, qsizetype size)
{
    if (code == QLatin1String("ABS"))
        return scaled(QStringLiteral("<html>Annual Balance Sheet<table>"),
                      QStringLiteral("<TR><TD>Item %1 &amp; more</TD><TD>1,234</TD><TD>2,345</TD><TD>3,456</TD>"
                                     "<TD>4,567</TD><TD>5,678</TD><TD>6,789</TD></TR>\r\n"),
                      QStringLiteral("</table></html>"), size);
    if (code == QLatin1String("IT"))
        return scaled(QStringLiteral("<html>Insider Trades<table></table><table></table><table></table><table>"),
                      QStringLiteral("<TR><TD>Jan %1</TD><TD><a href=\"insider/p%1.html\">Person %1</a></TD>"
                                     "<TD>Officer</TD><TD>Sale</TD><TD>1,000</TD><TD>Direct</TD><TD>$10</TD></TR>\r\n"),
                      QStringLiteral("</table></html>"), size);
    if (code == QLatin1String("QR"))
        return scaled(QStringLiteral("<html>Sort By Date</table><TABLE><TR><TD>Date</TD></TR>"),
                      QStringLiteral("<TR><TD>12-Jan-%1</TD><TD>10-Q</TD><TD><A HREF=\"/f/%1.htm\">Report</A></TD>"
                                     "<TD>x</TD></TR>\r\n"),
                      QStringLiteral("</TABLE></html>"), size);
    if (code == QLatin1String("Call"))
        return scaled(QStringLiteral("Calls,Open Int,Puts,Open Int"),
                      QStringLiteral("\r\nIBM %1 (IBM A),5.10,+0.20,5.00,5.20,100,2000,IBM %1 (IBM M),1.10,-0.10,"
                                     "1.00,1.20,50,900"),
                      QStringLiteral("\r\n"), size);
    // The consensus trend: its labels, then a value row as long as the page.
    return scaled(QStringLiteral("Earnings Estimates &amp; Trends<tr><th>Q1</th><th>Q2</th><th>Y1</th><th>Y2</th>"
                                 "</tr><b>Consensus EPS Trend</b><table><tr><td>Now</td></tr><tr><td>7 Days</td></tr>"
                                 "<tr><td>30 Days</td></tr><tr><td>60 Days</td></tr><tr><td>90 Days</td></tr></table>"
                                 "</td>"),
                  QStringLiteral("<td>%1.01<br>1.02<br>1.03<br>1.04<br>1.05</td>"), QStringLiteral("</tr>"), size);
}

void BuildReport(benchmark::State& state, const char* code)
{
    const QString name = QLatin1String(code);
    const QString page = pageFor(name, state.range(0));
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

#define TW_REPORT(name, code)                                                                                    \
    BENCHMARK_CAPTURE(BuildReport, name, code)->Arg(100 << 10)->Arg(1 << 20)->Arg(4 << 20)->Unit(benchmark::kMillisecond)
TW_REPORT(BalanceSheet, "ABS");
TW_REPORT(InsiderTrades, "IT");
TW_REPORT(QuarterlyReports, "QR");
TW_REPORT(Calls, "Call");
TW_REPORT(ConsensusTrend, "EC");

} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
