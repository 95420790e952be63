#pragma once

// What the report and summary benchmarks share: a program folder (in /dev/shm where
// there is one) whose cache holds, for each of the 201 stocks of a full set, a page
// of every data-sheet kind, each about a given size; dialogs that answer OK; and the
// anchor both measure beside, the program's atomic writer.

#include "ScaledPage.h"

#include "platform/AppPath.h"
#include "platform/Codec.h"
#include "platform/Dialogs.h"
#include "platform/RegistryStore.h"
#include "stockdata/ProgramState.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <ctime>

#include <algorithm>
#include <utility>
#include <vector>

namespace bench {

inline QString filler(qsizetype size)
{
    return scaled(QString(), QStringLiteral("<tr><td>Line %1 of the page &amp; more</td></tr>\r\n"), QString(), size);
}

// One cached page of every kind, each about size characters.
inline QList<std::pair<const char*, QString>> cachePages(qsizetype size)
{
    const qsizetype quarter = size / 4;
    QString estimates = QStringLiteral("<html>Earnings Estimates &amp; Trends<TR><TH></TH><TH>Current Qtr (Dec 2026)</TH>"
                                       "<TH>Next Qtr</TH><TH>This Year</TH><TH>Next Year</TH></TR><table>")
                        + filler(quarter)
                        + QStringLiteral("Earnings Estimates<br><table><tr><td>Avg</td></tr><tr><td>Low</td></tr>"
                                         "<tr><td>High</td></tr><tr><td>Count</td></tr><tr><td>Year Ago</td></tr>"
                                         "<tr><td>Growth</td></tr></table><td>x</td>")
                        + scaled(QString(), QStringLiteral("<td>%1.1<br>1.2<br>1.3<br>1.4<br>1.5<br>1.6</td>"), QString(), quarter)
                        + QStringLiteral("</tr>Consensus EPS Trend<table><tr><td>Current</td></tr><tr><td>7 Days</td></tr>"
                                         "<tr><td>30 Days</td></tr><tr><td>60 Days</td></tr><tr><td>90 Days</td></tr>"
                                         "</table><td>x</td>")
                        + scaled(QString(), QStringLiteral("<td>%1.01<br>1.02<br>1.03<br>1.04<br>1.05</td>"), QString(), quarter)
                        + QStringLiteral("</tr>Earnings History<tr><th></th><th>Q1</th><th>Q2</th><th>Q3</th><th>Q4</th>"
                                         "<th>Q5</th></tr><tr><td>Est</td><td>Actual</td><td>Diff</td><td>Surprise</td>")
                        + scaled(QString(), QStringLiteral("<td>%1<br>2<br>3<br>4</td>"), QString(), quarter / 2)
                        + QStringLiteral("</tr>Earnings Growth<tr><th></th><th>IBM</th><th>Industry</th><th>Sector</th>"
                                         "<th>S&amp;P</th></tr><tr><td>Cur Qtr</td><td>Next Qtr</td><td>This Year</td>")
                        + scaled(QString(), QStringLiteral("<td>%1%<br>6%<br>7%</td>"), QString(), quarter / 2)
                        + QStringLiteral("</tr></html>");
    return {
        {"_P.Sh", QStringLiteral("<html><b>Profile</b>chr Makes tools &amp; dies. Sells them.")
                      + scaled(QString(), QStringLiteral(" Sentence %1 of the profile."), QString(), size)
                      + QStringLiteral("<hr>tail</html>")},
        {"_ABS.Sh", scaled(QStringLiteral("<html>Annual Balance Sheet<table>"),
                           QStringLiteral("<TR><TD>Item %1 &amp; more</TD><TD>1,234</TD><TD>2,345</TD><TD>3,456</TD>"
                                          "<TD>4,567</TD><TD>5,678</TD><TD>6,789</TD></TR>\r\n"),
                           QStringLiteral("</table></html>"), size)},
        {"_AIS.Sh", scaled(QStringLiteral("<html>Annual Income Statement<table>"),
                           QStringLiteral("<TR><TD>Item %1</TD><TD colspan=5>Spanning</TD></TR>\r\n"
                                          "<TR><TD>Depreciation Footnote</TD></TR>\r\n"),
                           QStringLiteral("</table></html>"), size)},
        {"_ee.Sh", estimates},
        {"_sp.Sh", scaled(QStringLiteral("<html>begin splits<Table><TR><th>Type</th></TR>"),
                          QStringLiteral("<tr><td>Split</td><td>2:%1</td><td>05/01/99</td><td>05/15/99</td>"
                                         "<td>04/30/99</td><td>03/01/99</td></tr>\r\n"),
                          QStringLiteral("</TABLE></html>"), size)},
        {"_uph.Sh", scaled(QStringLiteral("<html>begin splits<table><tr><td>Type</td></tr>"),
                           QStringLiteral("<tr><td>Upgrade</td><td>Broker %1 News</td><td>Buy &amp; hold, Chart</td></tr>\r\n"),
                           QStringLiteral("</table></html>"), size)},
        {"_dnh.Sh", scaled(QStringLiteral("<html>begin splits<table><tr><td>Type</td></tr>"),
                           QStringLiteral("<tr><td>Downgrade</td><td>Broker %1</td><td>Sell, Compare</td></tr>\r\n"),
                           QStringLiteral("</table></html>"), size)},
        {"_mr.Sh", QStringLiteral("<html><table>") + filler(size)
                       + QStringLiteral("Buys Holds Sells<tr><td>12</td><td>A</td><td>3</td><td>4</td><td>5</td></tr>"
                                        "</table></html>")},
        {"_brp.Sh", scaled(QStringLiteral("<html>begin reports<table><tr><td>head</td></tr>"),
                           QStringLiteral("<tr><td>12/%1</td><td>Broker &amp; Co</td><td>Initiates coverage</td></tr>\r\n"),
                           QStringLiteral("</table></html>"), size)},
        {"_it.Sh", scaled(QStringLiteral("<html>Insider Trades<table></table><table></table><table></table><table>"),
                          QStringLiteral("<TR><TD>Jan %1</TD><TD><a href=\"insider/p%1.html\">Person %1</a></TD>"
                                         "<TD>Sale</TD><TD>1,000</TD><TD>Direct</TD><TD>$10</TD><TD>$10,000</TD></TR>\r\n"),
                          QStringLiteral("</table></html>"), size)},
        {"_qr.Sh", scaled(QStringLiteral("<html>Sort By Date</table><TABLE><TR><TD>Date</TD></TR>"),
                          QStringLiteral("<TR><TD>12-Jan-%1</TD><TD>10-Q</TD><TD><A HREF=\"/f/%1.htm\">Report</A></TD>"
                                         "<TD>x</TD></TR>\r\n"),
                          QStringLiteral("</TABLE></html>"), size)},
        {"_op.Sh", scaled(QStringLiteral("Calls,Last Sale,Net,Bid,Ask,Vol,Open Int,Puts,Last Sale,Net,Bid,Ask,Vol,Open Int"),
                          QStringLiteral("\r\nIBM %1 (IBM A),5.10,+0.20,5.00,5.20,100,2000,IBM %1 (IBM M),1.10,-0.10,"
                                         "1.00,1.20,50,900,"),
                          QStringLiteral("\r\n"), size)},
        {"_SI.Sh", scaled(QStringLiteral("<html>Days to Cover<table>"),
                          QStringLiteral("<tr><td>12/%1</td><td>1,000</td><td>2,000</td><td>0.5</td></tr>\r\n"),
                          QStringLiteral("</table></html>"), size)},
    };
}

// A program folder whose cache holds, for every stock of a full set, a page of
// every kind: each kind is written once and the stocks' files link to it.
class CacheSet
{
public:
    explicit CacheSet(qsizetype pageSize)
        : m_dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/tw-bench-XXXXXX")
                                                          : QDir::tempPath() + QStringLiteral("/tw-bench-XXXXXX"))
    {
        SetAppPath(m_dir.path() + QStringLiteral("/app"));
        RegistryStore::setFilePath(m_dir.path() + QStringLiteral("/Tradewright5.ini"));
        const QString cache = AppPath() + QStringLiteral("/Cache/DataSheet/");
        const QString pages = m_dir.path() + QStringLiteral("/pages/");
        QDir().mkpath(cache);
        QDir().mkpath(pages);
        QDir().mkpath(AppPath() + QStringLiteral("/Cache/Reports/Summary"));
        const auto kinds = cachePages(pageSize);
        ResetProgramState();
        for (const auto& [suffix, text] : kinds)
            WriteFileAtomic(pages + QLatin1String(suffix), toCp1252(text));
        for (int i = 0; i < kStockRows; ++i) {
            StockRec& r = Stocks()[static_cast<std::size_t>(i)];
            r.Symbol = QStringLiteral("S%1").arg(i);
            r.CompanyName = QStringLiteral("Stock %1 & Sons").arg(i);
            r.AvgRecommendation = 1 + i % 5;
            r.LastPrice = QStringLiteral("101.25");
            r.Change = QStringLiteral("+1.25");
            for (const auto& [suffix, text] : kinds)
                QFile::link(pages + QLatin1String(suffix), cache + r.Symbol + QLatin1String(suffix));
        }
        StockCount() = kStockRows;
        for (const auto& [suffix, text] : kinds) {
            m_bytes += text.size();
            m_sizes.emplace_back(QLatin1String(suffix), text.size());
        }
    }
    ~CacheSet() { ResetProgramState(); }

    // Of all kinds together, and of the kind with that suffix ("_ABS.Sh").
    qsizetype pageBytes() const { return m_bytes; }
    qsizetype pageBytes(const QString& suffix) const
    {
        for (const auto& [kind, size] : m_sizes)
            if (kind == suffix)
                return size;
        return 0;
    }

private:
    QTemporaryDir m_dir;
    qsizetype m_bytes = 0;
    std::vector<std::pair<QString, qsizetype>> m_sizes;
};

class AnswerOk : public Dialogs::Backend
{
public:
    int asked = 0;
    int msgBox(const QString&, int, const QString&) override
    {
        ++asked;
        return Dialogs::vbOK;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return QString(); }
    QString saveFile(const Dialogs::SaveRequest&) override { return QString(); }
};

// The median of a benchmark's rounds.
inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// The wall-clock and this thread's processor time (the system's work for it, the
// writes included) since start. On a loaded machine the processor time is the
// steadier figure: the ratios are taken from it.
class Stopwatch
{
public:
    Stopwatch() { m_wall.start(), m_cpu = cpuNow(); }
    double wallSeconds() const { return static_cast<double>(m_wall.nsecsElapsed()) / 1e9; }
    double cpuSeconds() const { return cpuNow() - m_cpu; }

private:
    static double cpuNow()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
    }
    QElapsedTimer m_wall;
    double m_cpu = 0;
};

struct Lap
{
    double wall = 0;
    double cpu = 0;
};

// One write of bytes and the report files' CR LF through ReplaceFile (not synced,
// as the reports write), at path.
inline Lap replaceFileLap(const QString& path, const QByteArray& bytes)
{
    const Stopwatch watch;
    if (!ReplaceFile(path, bytes, QByteArrayLiteral("\r\n"), false))
        return {-1, -1};
    return {watch.wallSeconds(), watch.cpuSeconds()};
}

} // namespace bench
