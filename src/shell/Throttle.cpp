#include "shell/Throttle.h"

#include <QElapsedTimer>

Throttle::Throttle(std::function<void()> later, QObject* parent) : QObject(parent), m_later(std::move(later))
{
    m_clock = [] {
        static QElapsedTimer since;
        if (!since.isValid())
            since.start();
        return std::int64_t(since.elapsed());
    };
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { runLater(); });
}

bool Throttle::admit()
{
    if (m_timer.isActive())
        return false;  // happens with the others when the interval ends
    const std::int64_t now = m_clock();
    const std::int64_t since = now - m_lastAt;
    if (!m_happened || since >= kIntervalMs || since < 0) {
        m_lastAt = now;
        m_happened = true;
        return true;
    }
    m_timer.start(int(kIntervalMs - since));
    return false;
}

void Throttle::flush()
{
    if (m_timer.isActive())
        runLater();
}

void Throttle::runLater()
{
    m_timer.stop();
    m_lastAt = m_clock();
    m_happened = true;
    m_later();
}
