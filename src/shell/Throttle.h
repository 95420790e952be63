#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

// Lets something happen at most about ten times a second. admit() says whether it
// may happen now; when it may not, `later` runs once at the end of the interval (for
// all that were refused meanwhile), so the last change always shows. During an
// update run the fetch control changes state several times per page and the grid
// and tree change with every stock, far faster than anyone reads.
class Throttle : public QObject
{
public:
    // Milliseconds on a clock that never goes back.
    using Clock = std::function<std::int64_t()>;
    static constexpr int kIntervalMs = 100;

    explicit Throttle(std::function<void()> later, QObject* parent = nullptr);

    void setClock(Clock clock) { m_clock = std::move(clock); }
    // True (and counted as happening now) when the interval since the last time has
    // passed; else false, and `later` is due at the interval's end.
    bool admit();
    // Runs a due `later` now.
    void flush();
    bool waiting() const { return m_timer.isActive(); }

private:
    void runLater();

    std::function<void()> m_later;
    Clock m_clock;
    QTimer m_timer;
    std::int64_t m_lastAt = 0;
    bool m_happened = false;
};
