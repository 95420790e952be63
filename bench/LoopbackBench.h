#pragma once

// The retrieval benchmarks' page server on 127.0.0.1, the window port they run
// under and dialogs that never wait for a person.

#include "platform/Dialogs.h"
#include "platform/Sites.h"
#include "retrieval/MainWindowPort.h"

#include <cstdio>

#include <arpa/inet.h>
#include <pthread.h>
#include <time.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// A plain HTTP/1.0 server on 127.0.0.1 that runs in its own thread (so the server's
// work is the same for every client): every request gets the same page, then the
// connection closes; one thread per connection, so no client waits on another. The
// request targets are kept in order.
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
    // CPU time the server's threads have used so far, in milliseconds (a benchmark
    // takes it out of the process's own CPU time).
    double cpuMs()
    {
        clockid_t clock;
        timespec t{};
        double ms = double(m_serveCpuNs.load()) / 1e6;
        if (::pthread_getcpuclockid(m_thread.native_handle(), &clock) == 0 && ::clock_gettime(clock, &t) == 0)
            ms += double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
        return ms;
    }
    std::vector<std::string> takeTargets()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return std::exchange(m_targets, {});
    }

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
        {
            const std::size_t from = request.find(' ') + 1;
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_targets.push_back(request.substr(from, request.find(' ', from) - from));
        }
        std::size_t sent = 0;
        while (sent < m_reply.size()) {
            const ssize_t n = ::send(fd, m_reply.data() + sent, m_reply.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                break;
            sent += std::size_t(n);
        }
        ::shutdown(fd, SHUT_WR);
        while (::recv(fd, buffer, sizeof buffer, 0) > 0) {
        }
        ::close(fd);
        timespec t{};
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        m_serveCpuNs += std::int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
    }

    std::string m_reply;
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<std::int64_t> m_serveCpuNs{0};
    std::mutex m_mutex;
    std::vector<std::string> m_targets;
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

// A whole HTTP/1.0 reply of 200 with the body, its length given.
inline std::string ClosingReply(const std::string& body)
{
    return "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

// Every site of the program at the server.
inline void PointEverySiteAt(const PageServer& server)
{
    for (Site site : Sites::All())
        Sites::Override(site, QStringLiteral("127.0.0.1"), server.port());
}
