#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>

// The monotonic clock in nanoseconds, the same for every process of the machine.
inline long long benchNowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// Waits for the first expose of a window that `isMain` accepts (the moment a window
// is mapped); then prints the clock and ends the process at once, or, with a
// `then`, hands over to it instead.
class FirstExpose : public QObject
{
public:
    explicit FirstExpose(std::function<bool(QWindow*)> isMain, std::function<void()> then = {})
        : m_isMain(std::move(isMain)), m_then(std::move(then))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && !m_seen && watched->isWindowType()) {
            auto* window = static_cast<QWindow*>(watched);
            if (window->isExposed() && m_isMain(window)) {
                m_seen = true;
                if (!m_then) {
                    std::printf("%lld\n", benchNowNs());
                    std::fflush(stdout);
                    std::_Exit(0);
                }
                m_then();
            }
        }
        return false;
    }

private:
    std::function<bool(QWindow*)> m_isMain;
    std::function<void()> m_then;
    bool m_seen = false;
};
