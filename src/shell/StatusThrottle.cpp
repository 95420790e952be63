#include "shell/StatusThrottle.h"

#include <QElapsedTimer>

StatusThrottle::StatusThrottle(Show show, QObject* parent)
    : QObject(parent), m_show(std::move(show))
{
    m_clock = [] {
        static QElapsedTimer since;
        if (!since.isValid())
            since.start();
        return std::int64_t(since.elapsed());
    };
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { showNow(); });
}

void StatusThrottle::setText(const QString& text)
{
    m_text = text;
    if (m_timer.isActive())
        return;  // shown with the others when the interval ends
    const std::int64_t since = m_clock() - m_shownAt;
    if (!m_shownOnce || since >= kIntervalMs || since < 0)
        showNow();
    else
        m_timer.start(int(kIntervalMs - since));
}

void StatusThrottle::flush()
{
    if (m_timer.isActive())
        showNow();
}

void StatusThrottle::showNow()
{
    m_timer.stop();
    m_shownAt = m_clock();
    m_shownOnce = true;
    m_show(m_text);
}
