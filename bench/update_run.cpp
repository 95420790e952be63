// A whole update run (every box that fetches a page ticked) of sets of 25, 50, 100
// and 201 stocks against a server on 127.0.0.1 that answers every path with the same
// 20 KB page (a quote page that parses), beside curl fetching the same request list
// one by one from the same server, once writing each page to a file and once to
// /dev/null. Prints milliseconds per request at each size and the ratios to curl, and
// the CPU time of the run (the process's, less the server's threads) beside curl's
// to /dev/null; the median of interleaved rounds. Targets: the 201-stock run within
// 1.5 times curl to /dev/null and its CPU time within 1.3 times curl's; the cost per
// request at 201 stocks within 1.2 times that at 25. The current-quotes view is shown
// in an offscreen main grid throughout, as it is when the user watches a run
// (TW_BENCH_WHOLE=1 draws the view whole after each stock, for comparison), and the
// title goes to a shown window through the throttle the main window uses.
//
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRADEWRIGHT_BENCH=ON
//   cmake --build build-bench --target bench_update_run && build-bench/bench_update_run [rounds]
#include "core/Settings.h"
#include "core/UpdateChoices.h"
#include "platform/AppPath.h"
#include "platform/Dialogs.h"
#include "platform/Allocator.h"
#include "platform/EventDispatcher.h"
#include "platform/FlexGrid.h"
#include "platform/RegistryStore.h"
#include "platform/Sites.h"
#include "retrieval/CacheFiles.h"
#include "retrieval/Downloaders.h"
#include "retrieval/MainWindowPort.h"
#include "retrieval/RunServicePorts.h"
#include "retrieval/Transports.h"
#include "retrieval/UpdateRun.h"
#include "sheets/ViewRunner.h"
#include "shell/RealRunServices.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Stocks.h"
#include "views/ViewHost.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "LoopbackBench.h"
#include "ShownGridHost.h"
#include "shell/PaintThrottle.h"
#include "shell/Throttle.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kPageBytes = 20 * 1024;

class BenchFrame : public UpdateRunPort
{
public:
    QString caption = QStringLiteral("Update");
    QString updateButtonCaption() const override { return caption; }
    void setUpdateButtonCaption(const QString& text) override { caption = text; }
    void setUpdateButtonPicture(const QString&) override {}
    void setTrayUpdateCaption(const QString&) override {}
    void setGroupsButtonEnabled(bool) override {}
    void setStocksButtonEnabled(bool) override {}
    void setTaskText(const QString&) override {}
    void setBusyPointer(bool) override {}
    bool selectStockNode(const QString&) override { return true; }
    FlexGrid* mainGrid() override { return viewHost().mainGrid(); }
};

class NoMail final : public MailSending
{
public:
    MailOutcome SendEmail(const QString&, const QString&, const QString&, const QString&, const QString&,
                          const QString&, const QString&) override
    {
        return MailOutcome{false, QStringLiteral("no mail in the benchmark")};
    }
};

void makeSet(int size)
{
    ResetProgramState();
    for (int i = 0; i < size; ++i)
        Stocks()[std::size_t(i)].Symbol = QStringLiteral("S%1").arg(i, 3, 10, QLatin1Char('0'));
    StockCount() = std::int16_t(size);
    SaveStocks();
}

// The window port with the title on a shown window, at most ten times a second
// during the run as in the main window, the last one always.
class TitledPort : public BenchPort
{
public:
    explicit TitledPort(QWidget& window) : m_window(window) {}
    bool throttled = false;
    QString caption() const override { return title; }
    void setCaption(const QString& text) override
    {
        title = text;
        if (!throttled || m_shown.admit())
            m_window.setWindowTitle(text);
    }
    void flush() { m_shown.flush(); }

private:
    QWidget& m_window;
    Throttle m_shown{[this] { m_window.setWindowTitle(title); }};
};

// CPU time (user and system) of this process, or of its waited-for children, in ms.
double cpuMs(int who)
{
    rusage usage{};
    ::getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// A figure of /proc/self/status in KB ("VmHWM", "VmRSS"); 0 when not there.
long statusKb(const char* name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(name) && line.size() > qsizetype(std::strlen(name)) && line[qsizetype(std::strlen(name))] == ':')
            return line.mid(qsizetype(std::strlen(name)) + 1).trimmed().split(' ').value(0).toLong();
    return 0;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

double msSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString base = qEnvironmentVariable("TW_BENCH_DIR", QDir::tempPath());
    QTemporaryDir home(base + QStringLiteral("/tw-bench-XXXXXX"));
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    TuneAllocator();  // as the program's main() does
    PlainEventDispatcher dispatcher;
    QApplication app(argc, argv);
    dispatcher.chosen();
    SetAppPath(home.path() + QStringLiteral("/app"));
    RegistryStore::setFilePath(home.path() + QStringLiteral("/config/Orvane/Tradewright5.ini"));
    RegistryStore::createKey(QString::fromLatin1(Settings::ProductKey));
    Settings::SaveSetting(QString::fromLatin1(Settings::Prompt), QStringLiteral("0"));
    PrintingDialogs dialogs;
    Dialogs::install(&dialogs);
    CreateCacheFolders();
    const QString curl = QStandardPaths::findExecutable(QStringLiteral("curl"));
    if (curl.isEmpty()) {
        std::fprintf(stderr, "curl is not installed\n");
        return 1;
    }

    QFile quotePage(QStringLiteral(TW_FIXTURES "/sheets/quote_page.htm"));
    if (!quotePage.open(QIODevice::ReadOnly))
        return 1;
    std::string body = quotePage.readAll().toStdString();
    body.resize(std::max<std::size_t>(body.size(), kPageBytes), ' ');
    PageServer server(ClosingReply(body));
    PointEverySiteAt(server);

    ShownGridHost host;
    host.main.setWidth(15000);
    TitledPort port(*host.view.window());
    port.state.OrigCaption = QStringLiteral("Tradewright");
    BenchFrame frame;
    Transports transports(port);
    transports.Inet1.setAccessType(UrlFetch::icDirect);
    Downloaders downloaders(transports, port);
    SheetQuoteParsing quotes;
    NoMail mail;
    UpdateRun run(port, frame, transports, downloaders, quotes, mail);
    run.Timer1.stop();
    // As the main window does: while a run goes, the window repaints at most ten times a second.
    PaintThrottle paint(&host.view);
    QObject::connect(&run, &UpdateRun::runStarted, &paint, [&] {
        paint.setOn(true);
        port.throttled = true;
    });
    QObject::connect(&run, &UpdateRun::runFinished, &paint, [&] {
        port.throttled = false;
        port.flush();
        paint.setOn(false);
    });
    installViewHost(&host);
    ViewRunner views(host);
    const QString quotesView = QStringLiteral("Current");
    QObject::connect(&run, &UpdateRun::pricesChanged, &views, [&] { views.redrawIfShown(quotesView); });
    if (qEnvironmentVariableIntValue("TW_BENCH_WHOLE"))
        QObject::connect(&run, &UpdateRun::stockPricesChanged, &views, [&](int) { views.redrawIfShown(quotesView); });
    else
        QObject::connect(&run, &UpdateRun::stockPricesChanged, &views,
                         [&](int row) { views.redrawStockIfShown(quotesView, row); });
    UpdateChoices& choices = updateChoices();
    choices.load();
    for (int n = 0; n < UpdateChoices::Count; ++n)
        choices.setTicked(n, UpdateChoices::fetches(n));

    const int sizes[] = {25, 50, 100, 201};
    std::map<int, std::vector<double>> runMs, curlMs, nullMs, runCpu, nullCpu;
    std::map<int, std::size_t> requests;
    std::vector<std::pair<long, long>> memoryAfterRound;  // (peak, resident) KB after each round
    const std::string scratch = (home.path() + QStringLiteral("/curl-out")).toStdString();
    for (int round = 0; round < rounds; ++round) {
        for (const int size : sizes) {
            makeSet(size);
            views.show(quotesView);
            server.takeTargets();
            auto start = std::chrono::steady_clock::now();
            const double cpu0 = cpuMs(RUSAGE_SELF) - server.cpuMs();
            run.PressUpdateButton();
            runMs[size].push_back(msSince(start));
            runCpu[size].push_back(cpuMs(RUSAGE_SELF) - server.cpuMs() - cpu0);
            const std::vector<std::string> targets = server.takeTargets();
            requests[size] = targets.size();

            // The same list, one request after another, each written to a file.
            const QString listPath = home.path() + QStringLiteral("/curl-list");
            const QString nullListPath = home.path() + QStringLiteral("/curl-null-list");
            QFile list(listPath), nullList(nullListPath);
            list.open(QIODevice::WriteOnly | QIODevice::Truncate);
            nullList.open(QIODevice::WriteOnly | QIODevice::Truncate);
            for (std::size_t i = 0; i < targets.size(); ++i) {
                // The socket transport asks with the whole address.
                const QByteArray target = QByteArray::fromStdString(targets[i]);
                const QByteArray url = target.startsWith("http")
                                           ? target
                                           : "http://127.0.0.1:" + QByteArray::number(server.port()) + target;
                list.write("url = \"" + url + "\"\noutput = \"" +
                           QByteArray::fromStdString(scratch) + QByteArray::number(qulonglong(i % 64)) + "\"\n");
                nullList.write("url = \"" + url + "\"\noutput = \"/dev/null\"\n");
            }
            list.close();
            nullList.close();
            const std::string nullCommand = curl.toStdString() + " -s -g -K '" + nullListPath.toStdString() + "'";
            start = std::chrono::steady_clock::now();
            const double childCpu0 = cpuMs(RUSAGE_CHILDREN);
            const int nullRc = std::system(nullCommand.c_str());
            nullMs[size].push_back(msSince(start));
            nullCpu[size].push_back(cpuMs(RUSAGE_CHILDREN) - childCpu0);
            server.takeTargets();
            if (nullRc != 0)
                std::fprintf(stderr, "curl to /dev/null failed (%d)\n", nullRc);
            const std::string command = curl.toStdString() + " -s -g -K '" + listPath.toStdString() + "'";
            start = std::chrono::steady_clock::now();
            const int rc = std::system(command.c_str());
            curlMs[size].push_back(msSince(start));
            server.takeTargets();
            if (rc != 0) {
                std::fprintf(stderr, "curl failed (%d)\n", rc);
                if (qEnvironmentVariableIsSet("TW_BENCH_KEEP"))
                    QFile::copy(listPath, QStringLiteral("/tmp/p14/curl-list"));
            }
        }
        memoryAfterRound.emplace_back(statusKb("VmHWM"), statusKb("VmRSS"));
    }

    std::printf("\nupdate run against 127.0.0.1, %d KB pages, median of %d interleaved rounds:\n", kPageBytes / 1024,
                rounds);
    std::printf("  stocks  requests    run ms  curl ms (file)  curl ms (null)  ms/request  run/curl  run/null"
                "  run CPU ms  curl CPU ms  CPU ratio\n");
    double perRequest25 = 0, perRequest201 = 0, ratio201 = 0, cpuRatio201 = 0;
    for (const int size : sizes) {
        const double r = median(runMs[size]), c = median(curlMs[size]), n = median(nullMs[size]);
        const double rc = median(runCpu[size]), nc = median(nullCpu[size]);
        const double perRequest = requests[size] ? r / double(requests[size]) : 0;
        std::printf("  %6d  %8zu  %8.1f  %14.1f  %14.1f  %10.3f  %8.2f  %8.2f  %10.1f  %11.1f  %9.2f\n", size,
                    requests[size], r, c, n, perRequest, c > 0 ? r / c : 0, n > 0 ? r / n : 0, rc, nc,
                    nc > 0 ? rc / nc : 0);
        if (size == 25)
            perRequest25 = perRequest;
        if (size == 201) {
            perRequest201 = perRequest;
            ratio201 = n > 0 ? r / n : 0;
            cpuRatio201 = nc > 0 ? rc / nc : 0;
        }
    }
    std::printf("  201 stocks: %.2f x curl to /dev/null (target <= 1.50: %s); CPU %.2f x curl's (target <= 1.30: %s)\n",
                ratio201, ratio201 <= 1.5 ? "met" : "MISSED", cpuRatio201, cpuRatio201 <= 1.3 ? "met" : "MISSED");
    std::printf("  per request at 201 stocks %.2f x that at 25 (target <= 1.20: %s)\n",
                perRequest25 > 0 ? perRequest201 / perRequest25 : 0,
                perRequest25 > 0 && perRequest201 / perRequest25 <= 1.2 ? "met" : "MISSED");
    std::printf("  memory after each round (peak / resident KB):");
    for (const auto& [peak, resident] : memoryAfterRound)
        std::printf(" %ld/%ld", peak, resident);
    std::printf("\n");
    std::printf("  the quotes view showed %d stock rows at the end of the last run\n", host.main.Rows() - 2);
    installViewHost(nullptr);
    return 0;
}
