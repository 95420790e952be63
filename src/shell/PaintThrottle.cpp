#include "shell/PaintThrottle.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

PaintThrottle::PaintThrottle(QWidget* window)
    : QObject(window), m_window(window), m_throttle([this] {
          // One request for all that was held back; Qt drops it when one is queued
          // already, and whichever comes first goes through.
          m_letNext = true;
          QCoreApplication::postEvent(m_window, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
      })
{
    window->installEventFilter(this);
}

void PaintThrottle::setOn(bool on)
{
    m_on = on;
    if (!on)
        m_throttle.flush();
}

bool PaintThrottle::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window || event->type() != QEvent::UpdateRequest)
        return false;
    if (m_letNext) {
        m_letNext = false;
        return false;
    }
    // Held back: Qt keeps the changed regions and asks no more until one is made.
    return m_on && !m_throttle.admit();
}
