// How long the two transports take to bring a whole stock set of pages into the
// cache, beside curl fetching the same pages one after another from the same
// server. 201 pages of 300 KB each come from a server on 127.0.0.1 that runs in
// its own thread (so the server's work is the same for every client). Target:
// each transport within 1.5 times curl's time.
//
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRADEWRIGHT_BENCH=ON
//   cmake --build build-bench --target bench_transports && build-bench/bench_transports
#include "platform/AppPath.h"
#include "platform/Dialogs.h"
#include "platform/RegistryStore.h"
#include "platform/Sites.h"
#include "retrieval/CacheFiles.h"
#include "retrieval/Downloaders.h"
#include "retrieval/MainWindowPort.h"
#include "retrieval/Transports.h"
#include "stockdata/ProgramState.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kPages = 201;
constexpr int kPageBytes = 300 * 1024;

// A plain HTTP/1.0 server on 127.0.0.1: every request gets the same page, then the
// connection closes. One thread per connection, so no client waits on another.
class PageServer
{
public:
    explicit PageServer(std::string reply) : m_reply(std::move(reply))
    {
        m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
        int one = 1;
        ::setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        ::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(m_listen, 64);
        socklen_t len = sizeof addr;
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(addr.sin_port);
        m_thread = std::thread([this] { acceptLoop(); });
    }

    ~PageServer()
    {
        m_stop = true;
        ::shutdown(m_listen, SHUT_RDWR);
        ::close(m_listen);
        m_thread.join();
    }

    int port() const { return m_port; }
    int served() const { return m_served; }

private:
    void acceptLoop()
    {
        while (!m_stop) {
            const int fd = ::accept(m_listen, nullptr, nullptr);
            if (fd < 0)
                continue;
            std::thread([this, fd] { serve(fd); }).detach();
        }
    }

    void serve(int fd)
    {
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0) {
                ::close(fd);
                return;
            }
            request.append(buffer, std::size_t(n));
        }
        std::size_t sent = 0;
        while (sent < m_reply.size()) {
            const ssize_t n = ::send(fd, m_reply.data() + sent, m_reply.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                break;
            sent += std::size_t(n);
        }
        ::shutdown(fd, SHUT_WR);
        // Let the client read to the end before the socket goes away.
        while (::recv(fd, buffer, sizeof buffer, 0) > 0) {
        }
        ::close(fd);
        ++m_served;
    }

    std::string m_reply;
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_served{0};
    std::thread m_thread;
};

class BenchPort : public MainWindowPort
{
public:
    RunState state;
    QString title;
    RunState& runState() override { return state; }
    QString caption() const override { return title; }
    void setCaption(const QString& text) override { title = text; }
    void setStatusText(const QString&) override {}
    QString stripSymbol(int) const override { return QString(); }
    int gaugeScaleWidth() const override { return 100; }
    void drawGaugeMarker(int, int) override {}
    void hideGauge(int) override {}
};

// A failure must not wait for a person.
class PrintingDialogs : public Dialogs::Backend
{
public:
    int msgBox(const QString& prompt, int, const QString&) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(prompt));
        return Dialogs::vbOK;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return QString(); }
    QString saveFile(const Dialogs::SaveRequest&) override { return QString(); }
};

struct Context
{
    PageServer* server = nullptr;
    BenchPort* port = nullptr;
    Transports* transports = nullptr;
    Downloaders* downloaders = nullptr;
};
Context g;
std::map<std::string, double> g_best;  // fastest pass of each benchmark, in ms

void record(const std::string& name, double ms)
{
    auto it = g_best.find(name);
    if (it == g_best.end() || ms < it->second)
        g_best[name] = ms;
}

// Counts the pages of this pass that reached the cache with their whole body.
int pagesWritten(const QString& suffix, qint64 minimum)
{
    int n = 0;
    for (int i = 0; i < kPages; ++i)
        if (FileLength(CacheFolder() + Stocks()[std::size_t(i)].Symbol + suffix) >= minimum)
            ++n;
    return n;
}

void clearCache()
{
    QDir dir(CacheFolder());
    for (const QString& f : dir.entryList(QDir::Files))
        dir.remove(f);
}

void BM_SocketPath(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        clearCache();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        g.downloaders->UpdateOptions();  // the socket transport, 201 rows
        record("socket", std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        state.PauseTiming();
        if (pagesWritten(QStringLiteral("_op.Sh"), kPageBytes) != kPages)
            state.SkipWithError("not every page reached the cache");
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kPages);
    state.SetBytesProcessed(state.iterations() * kPages * qint64(kPageBytes));
}

void BM_FetchControlPath(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        clearCache();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        g.downloaders->UpdateIT();  // the fetch control, 201 rows
        record("fetch", std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        state.PauseTiming();
        if (pagesWritten(QStringLiteral("_it.Sh"), kPageBytes) != kPages)
            state.SkipWithError("not every page reached the cache");
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kPages);
    state.SetBytesProcessed(state.iterations() * kPages * qint64(kPageBytes));
}

void BM_Curl(benchmark::State& state)
{
    const QString curl = QStandardPaths::findExecutable(QStringLiteral("curl"));
    if (curl.isEmpty()) {
        state.SkipWithError("curl is not installed");
        return;
    }
    // One curl process fetches the pages one after another into the same cache
    // folder, under the same names: the same files are made on the same disk.
    std::string command = curl.toStdString() + " -s";
    for (int i = 0; i < kPages; ++i) {
        command += " -o '" + (CacheFolder() + Stocks()[std::size_t(i)].Symbol + QStringLiteral("_op.Sh")).toStdString() + "'";
        command += " http://127.0.0.1:" + std::to_string(g.server->port()) + "/QuoteTable.dat?TICKER=" +
                   Stocks()[std::size_t(i)].Symbol.toStdString();
    }
    for (auto _ : state) {
        state.PauseTiming();
        clearCache();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        const int rc = std::system(command.c_str());
        record("curl", std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        state.PauseTiming();
        if (rc != 0 || pagesWritten(QStringLiteral("_op.Sh"), kPageBytes) != kPages)
            state.SkipWithError("curl failed");
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kPages);
    state.SetBytesProcessed(state.iterations() * kPages * qint64(kPageBytes));
}

BENCHMARK(BM_Curl)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_SocketPath)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_FetchControlPath)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    // TW_BENCH_DIR picks the file system the pages are written to (default: the
    // system's temporary folder).
    const QString base = qEnvironmentVariable("TW_BENCH_DIR", QDir::tempPath());
    QTemporaryDir home(base + QStringLiteral("/tw-bench-XXXXXX"));
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    QCoreApplication app(argc, argv);
    SetAppPath(home.path() + QStringLiteral("/app"));
    RegistryStore::setFilePath(home.path() + QStringLiteral("/config/Orvane/Tradewright5.ini"));
    PrintingDialogs dialogs;
    Dialogs::install(&dialogs);
    CreateCacheFolders();

    std::string body = "<html><body><table>";
    while (body.size() < std::size_t(kPageBytes) - 30)
        body += "<tr><td>S</td><td>12.50</td><td>+0.25</td><td>1,234,567</td></tr>\n";
    body += "</table></body></html>";
    body.resize(std::size_t(kPageBytes), ' ');
    const std::string reply = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                              std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    PageServer server(reply);
    for (Site site : Sites::All())
        Sites::Override(site, QStringLiteral("127.0.0.1"), server.port());

    BenchPort port;
    port.state.OrigCaption = QStringLiteral("Tradewright");
    Transports transports(port);
    // As the main window sets it when no proxy is configured.
    transports.Inet1.setAccessType(UrlFetch::icDirect);
    Downloaders downloaders(transports, port);
    for (int i = 0; i < kPages; ++i)
        Stocks()[std::size_t(i)].Symbol = QStringLiteral("S%1").arg(i, 3, 10, QLatin1Char('0'));
    StockCount() = kPages;
    g = {&server, &port, &transports, &downloaders};

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    if (g_best.count("curl")) {
        const double curl = g_best["curl"];
        std::printf("\n%d pages of %d KB, fastest pass of each:\n", kPages, kPageBytes / 1024);
        std::printf("  curl            %8.1f ms\n", curl);
        for (const char* name : {"socket", "fetch"}) {
            if (!g_best.count(name))
                continue;
            const double t = g_best[name];
            std::printf("  %-15s %8.1f ms  = %.2f x curl (target <= 1.50: %s)\n",
                        name == std::string("socket") ? "socket path" : "fetch control", t, t / curl,
                        t / curl <= 1.5 ? "met" : "MISSED");
        }
    }
    return 0;
}
