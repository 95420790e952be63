#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>

// Shows the status text at most about ten times a second. A text set within the
// interval after the last one shown waits; when the interval ends the latest
// waiting text is shown, so the last text always shows. During an update run the
// fetch control changes state several times per page, far faster than anyone reads.
class StatusThrottle : public QObject
{
public:
    using Show = std::function<void(const QString&)>;
    // Milliseconds on a clock that never goes back.
    using Clock = std::function<std::int64_t()>;
    static constexpr int kIntervalMs = 100;

    explicit StatusThrottle(Show show, QObject* parent = nullptr);

    void setClock(Clock clock) { m_clock = std::move(clock); }
    void setText(const QString& text);
    // Shows a waiting text now.
    void flush();
    // The latest text set, shown or waiting.
    const QString& text() const { return m_text; }
    bool waiting() const { return m_timer.isActive(); }

private:
    void showNow();

    Show m_show;
    Clock m_clock;
    QTimer m_timer;
    QString m_text;
    std::int64_t m_shownAt = 0;
    bool m_shownOnce = false;
};
