// The news reader's group list and the upgrade download.
//
// BM_GroupList/N: a LIST reply of N groups (about 30 bytes each; 100,000 groups are
// about 3 MB) fed to the news client in 4 KB pieces and listed in a list box, as the
// reader does. Target: 100,000 groups in under 2 s, growing linearly with N.
//
// BM_CurlFtp and BM_FtpDownload: a 20 MB file from Debian's pyftpdlib on 127.0.0.1,
// fetched by curl in active mode (-P 127.0.0.1) and by the upgrade download. Target:
// the download within 2 times curl's time. Both skip when pyftpdlib or curl is missing.

#include "platform/AppPath.h"
#include "platform/Dialogs.h"
#include "platform/RegistryStore.h"
#include "platform/Sites.h"
#include "services/FtpDownload.h"
#include "services/NntpSession.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>

namespace {

constexpr qint64 kFileBytes = 20 * 1024 * 1024;

std::map<std::string, double> g_best;
QString g_root;       // the FTP server's folder
QString g_saveAs;     // where the downloads go
quint16 g_port = 0;   // pyftpdlib's port, 0 when it did not start

void record(const std::string& name, double ms)
{
    if (!g_best.count(name) || ms < g_best[name])
        g_best[name] = ms;
}

class SaveDialogs : public Dialogs::Backend
{
public:
    int msgBox(const QString& prompt, int, const QString&) override
    {
        if (!prompt.startsWith(QLatin1String("Download complate.")))
            std::fprintf(stderr, "message: %s\n", qPrintable(prompt));
        return Dialogs::vbOK;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return QString(); }
    QString saveFile(const Dialogs::SaveRequest&) override { return g_saveAs; }
};

QByteArray groupList(int groups)
{
    QByteArray reply = "215 list of newsgroups follows\r\n";
    reply.reserve(groups * 32 + 64);
    for (int i = 0; i < groups; ++i)
        reply += "alt.bench.g" + QByteArray::number(i) + " 0000012 1 y\r\n";
    reply += ".\r\n";
    return reply;
}

void BM_GroupList(benchmark::State& state)
{
    const QByteArray reply = groupList(int(state.range(0)));
    for (auto _ : state) {
        QListWidget list;
        NntpSession session;
        QObject::connect(&session, &NntpSession::groupsAdded, &list, &QListWidget::addItems);
        session.NewsConnected = true;  // no socket: the replies are fed by hand
        session.List();
        const auto start = std::chrono::steady_clock::now();
        for (qsizetype at = 0; at < reply.size(); at += 4096)
            session.handleData(reply.mid(at, 4096));
        record("list" + std::to_string(state.range(0)),
               std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        if (list.count() != state.range(0) || session.NewsState != QLatin1String("None"))
            state.SkipWithError("not every group was listed");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * reply.size());
}

bool sameFile(const QString& path)
{
    return QFileInfo(path).size() == kFileBytes;
}

void BM_CurlFtp(benchmark::State& state)
{
    const QString curl = QStandardPaths::findExecutable(QStringLiteral("curl"));
    if (curl.isEmpty() || g_port == 0) {
        state.SkipWithError("curl or pyftpdlib is missing");
        return;
    }
    const QStringList args{QStringLiteral("-s"), QStringLiteral("-P"), QStringLiteral("127.0.0.1"),
                           QStringLiteral("-o"), g_saveAs,
                           QStringLiteral("ftp://127.0.0.1:%1/orvane/Trw504U.zip").arg(g_port)};
    for (auto _ : state) {
        QFile::remove(g_saveAs);
        const auto start = std::chrono::steady_clock::now();
        const int rc = QProcess::execute(curl, args);
        record("curl", std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        if (rc != 0 || !sameFile(g_saveAs))
            state.SkipWithError("curl failed");
    }
    state.SetBytesProcessed(state.iterations() * kFileBytes);
}

void BM_FtpDownload(benchmark::State& state)
{
    if (g_port == 0) {
        state.SkipWithError("pyftpdlib is missing");
        return;
    }
    for (auto _ : state) {
        QFile::remove(g_saveAs);
        FtpDownload ftp;
        bool ok = false;
        QEventLoop loop;
        QObject::connect(&ftp, &FtpDownload::finished, &loop, [&](bool done) {
            ok = done;
            loop.quit();
        });
        const auto start = std::chrono::steady_clock::now();
        if (!ftp.StartDownload()) {
            state.SkipWithError("the download did not start");
            return;
        }
        loop.exec();
        record("ftp", std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        if (!ok || !sameFile(g_saveAs))
            state.SkipWithError("the download failed");
    }
    state.SetBytesProcessed(state.iterations() * kFileBytes);
}

BENCHMARK(BM_GroupList)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_CurlFtp)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_FtpDownload)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/tw-bench-XXXXXX"));
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    QApplication app(argc, argv);
    SetAppPath(home.path() + QStringLiteral("/app"));
    RegistryStore::setFilePath(home.path() + QStringLiteral("/config/Orvane/Tradewright5.ini"));
    SaveDialogs dialogs;
    Dialogs::install(&dialogs);

    g_root = home.path() + QStringLiteral("/ftproot");
    g_saveAs = home.path() + QStringLiteral("/Trw504U.zip");
    QDir().mkpath(g_root + QStringLiteral("/orvane"));
    {
        QFile file(g_root + QStringLiteral("/orvane/Trw504U.zip"));
        file.open(QIODevice::WriteOnly);
        QByteArray block(1024 * 1024, Qt::Uninitialized);
        for (int i = 0; i < block.size(); ++i)
            block[i] = char(i * 7 + (i >> 8));
        for (qint64 written = 0; written < kFileBytes; written += block.size())
            file.write(block);
    }
    QProcess ftpd;
    const quint16 port = freePort();
    ftpd.start(QStringLiteral("/usr/bin/python3"),
               {QStringLiteral("-m"), QStringLiteral("pyftpdlib"), QStringLiteral("-i"), QStringLiteral("127.0.0.1"),
                QStringLiteral("-p"), QString::number(port), QStringLiteral("-d"), g_root});
    if (ftpd.waitForStarted()) {
        for (int i = 0; i < 100 && g_port == 0; ++i) {
            QTcpSocket s;
            s.connectToHost(QHostAddress::LocalHost, port);
            if (s.waitForConnected(100))
                g_port = port;
            else
                QThread::msleep(50);
        }
    }
    Sites::Override(Site::UpgradeFtp, QStringLiteral("127.0.0.1"), g_port);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ftpd.kill();
    ftpd.waitForFinished();

    std::printf("\nFastest pass of each:\n");
    for (const char* n : {"list25000", "list50000", "list100000"})
        if (g_best.count(n))
            std::printf("  group list %-7s %8.1f ms  (%.2f us per group)\n", n + 4, g_best[n],
                        1000.0 * g_best[n] / std::stod(n + 4));
    if (g_best.count("list100000"))
        std::printf("  100,000 groups: target < 2000 ms: %s\n", g_best["list100000"] < 2000 ? "met" : "MISSED");
    if (g_best.count("curl") && g_best.count("ftp")) {
        std::printf("  curl active mode   %8.1f ms\n", g_best["curl"]);
        std::printf("  upgrade download   %8.1f ms  = %.2f x curl (target <= 2.00: %s)\n", g_best["ftp"],
                    g_best["ftp"] / g_best["curl"], g_best["ftp"] / g_best["curl"] <= 2.0 ? "met" : "MISSED");
    }
    return 0;
}
