// Start-up beside a bare Qt window (bench/bare/bare_window.cpp, which links Qt Widgets
// only): fresh processes, started alternately, each timed from its start to the first
// expose of its main window (the moment a window is mapped), with the processor time
// it used until then. The program takes the later-run road with everything a user has after a
// while: a full set of 201 stocks, a portfolio of 100 symbols, the window's layout
// saved by an earlier run, and a splash delay of 0. Prints the medians of the rounds
// and their ratio; the target is the program within 3 times the bare window.
//
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRADEWRIGHT_BENCH=ON
//   cmake --build build-bench --target bench_startup && build-bench/bench_startup [rounds]
//
// The program's road runs the same start as its main() (the copy below follows
// src/app/main.cpp). TW_BENCH_KEEP=1 keeps the data folder.
#include "app/AppMainWindow.h"
#include "app/StartUp.h"
#include "core/Connect.h"
#include "core/Settings.h"
#include "core/frmSplashInfo.h"
#include "platform/AppPath.h"
#include "platform/DialogBoxes.h"
#include "platform/Allocator.h"
#include "platform/EventDispatcher.h"
#include "platform/Dialogs.h"
#include "platform/RegistryStore.h"
#include "reports/Reports.h"
#include "services/SpeechEngine.h"
#include "sheets/Zoom.h"
#include "shell/frmMain.h"
#include "stockdata/Portfolio.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Stocks.h"

#include "FirstExpose.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <functional>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

int runProgram(int argc, char** argv, bool close)
{
    TuneAllocator();  // as the program's main() does
    PlainEventDispatcher dispatcher;
    QApplication app(argc, argv);
    dispatcher.chosen();
    QApplication::setApplicationName(QStringLiteral("Tradewright"));
    QApplication::setApplicationVersion(QStringLiteral(TW_VERSION));
    SplashInfo::SetProgramVersion(QStringLiteral(TW_VERSION));
    std::function<void()> then;
    if (close)
        then = [] {
            // Closed as a user would, so that the program saves what it saves on the way out.
            QTimer::singleShot(0, [] {
                for (QWidget* top : QApplication::topLevelWidgets())
                    if (qobject_cast<frmMain*>(top))
                        top->close();
                QTimer::singleShot(500, [] { QCoreApplication::quit(); });
            });
        };
    FirstExpose watch(
        [](QWindow* w) {
            // Looked for among the windows: asking for the main form would make it.
            for (QWidget* top : QApplication::topLevelWidgets())
                if (qobject_cast<frmMain*>(top) && top->windowHandle() == w)
                    return true;
            return false;
        },
        then);
    app.installEventFilter(&watch);
    installShellRefusalLogging();
    Dialogs::install(&Dialogs::boxes());
    setDefaultViewHost(&zoomWindows());
    Reports reports;
    installReportsPort(&reports);
    InstallSpeechEngine();

    AppMainWindow mainWindow;
    StartUp start(mainWindow);
    if (!start.Main())
        return 2;
    return app.exec();
}

// A set of 201 stocks and a portfolio of 100 symbols, and the settings of a run
// that is not the first, with no splash wait.
void writeLaterRunData()
{
    ResetProgramState();
    RegistryStore::createKey(QString::fromLatin1(Settings::ProductKey));
    Settings::SaveSetting(QString::fromLatin1(Settings::RunOnce), QStringLiteral("1"));
    Settings::SaveSetting(QString::fromLatin1(Settings::Thanks), QStringLiteral("1"));
    Settings::SaveSetting(QString::fromLatin1(Settings::SplashDelay), QStringLiteral("0"));
    MakeDir(AppPath());
    for (int i = 0; i < kStockRows; ++i)
        Stocks()[size_t(i)].Symbol = QStringLiteral("S%1").arg(i);
    StockCount() = kStockRows;
    SaveStocks();
    for (int j = 0; j <= kLastWorkingTransRow; ++j) {
        Transactions()[size_t(j)].Symbol = QStringLiteral("P%1").arg(j);
        Transactions()[size_t(j)].Action = QStringLiteral("Buy");
    }
    SavePortfolio();
    ResetProgramState();
}

struct Timing
{
    long long wallNs = -1;   // from the start to the expose it printed; -1 when none
    long long cpuNs = 0;     // user and system time until then
};

// Starts `program` with `mode` (none when empty) and times it.
Timing timeChild(const char* program, const char* mode)
{
    int out[2];
    if (pipe(out) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* args[] = {const_cast<char*>(program), *mode ? const_cast<char*>(mode) : nullptr, nullptr};
    pid_t pid = 0;
    const long long start = benchNowNs();
    const int rc = posix_spawn(&pid, program, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (rc != 0) {
        close(out[0]);
        return {};
    }
    std::string text;
    char buf[256];
    for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;)
        text.append(buf, size_t(n));
    close(out[0]);
    int status = 0;
    rusage use{};
    wait4(pid, &status, 0, &use);
    const long long at = std::atoll(text.c_str());
    Timing t;
    t.wallNs = at > start ? at - start : -1;
    const auto ns = [](const timeval& v) { return static_cast<long long>(v.tv_sec) * 1000000000LL + v.tv_usec * 1000LL; };
    t.cpuNs = ns(use.ru_utime) + ns(use.ru_stime);
    return t;
}

double medianMs(std::vector<long long> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    const long long m = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    return double(m) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--program")
        return runProgram(argc, argv, false);
    if (mode == "--program-and-close")
        return runProgram(argc, argv, true);

    const int rounds = std::max(5, argc > 1 ? std::atoi(argv[1]) : 9);
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/tw-bench-startup-XXXXXX"));
    if (!dir.isValid())
        return 1;
    dir.setAutoRemove(!qEnvironmentVariableIsSet("TW_BENCH_KEEP"));
    const QString home = dir.path() + QStringLiteral("/app");
    const QString config = dir.path() + QStringLiteral("/config");
    qputenv("TRADEWRIGHT_HOME", home.toUtf8());
    qputenv("XDG_CONFIG_HOME", config.toUtf8());
    {
        QCoreApplication app(argc, argv);
        SetAppPath(home);
        writeLaterRunData();
    }
    std::printf("data in %s\n", qPrintable(dir.path()));

    // An earlier run that is closed leaves the window's layout behind; the first
    // starts also warm the disk cache for both roads.
    const char* self = "/proc/self/exe";
    char path[4096] = {};
    const ssize_t len = readlink(self, path, sizeof path - 1);
    if (len <= 0)
        return 1;
    {
        pid_t pid = 0;
        char* args[] = {path, const_cast<char*>("--program-and-close"), nullptr};
        if (posix_spawn(&pid, path, nullptr, nullptr, args, environ) != 0)
            return 1;
        int status = 0;
        waitpid(pid, &status, 0);
    }
    const char* bareWindow = TW_BARE_WINDOW;
    timeChild(bareWindow, "");
    timeChild(path, "--program");

    std::vector<long long> bare, program, bareCpu, programCpu;
    for (int r = 0; r < rounds; ++r) {
        const Timing b = timeChild(bareWindow, "");
        const Timing p = timeChild(path, "--program");
        if (b.wallNs < 0 || p.wallNs < 0) {
            std::fprintf(stderr, "round %d: a child showed no window\n", r + 1);
            return 1;
        }
        bare.push_back(b.wallNs);
        program.push_back(p.wallNs);
        bareCpu.push_back(b.cpuNs);
        programCpu.push_back(p.cpuNs);
        std::printf("round %d: bare window %.1f ms (cpu %.1f), program %.1f ms (cpu %.1f)\n", r + 1, b.wallNs / 1e6,
                    b.cpuNs / 1e6, p.wallNs / 1e6, p.cpuNs / 1e6);
    }
    const double b = medianMs(bare);
    const double p = medianMs(program);
    std::printf("median of %d rounds: cpu: bare window %.1f ms, program %.1f ms, ratio %.2f\n", rounds,
                medianMs(bareCpu), medianMs(programCpu), medianMs(programCpu) / medianMs(bareCpu));
    std::printf("median of %d rounds: bare window %.1f ms, program %.1f ms, ratio %.2f (target at most 3.00: %s)\n",
                rounds, b, p, p / b, p <= 3 * b ? "met" : "not met");
    return 0;
}
