#pragma once

#include "shell/Throttle.h"

class QWidget;

// Repaints a window at most about ten times a second while it is on: the window's
// update requests within the interval after the last repaint are held back and
// one repaint at the interval's end draws all that changed meanwhile. Off, every
// request goes through at once (and a held-back repaint is made now).
class PaintThrottle : public QObject
{
public:
    explicit PaintThrottle(QWidget* window);

    void setOn(bool on);
    bool on() const { return m_on; }
    Throttle& throttle() { return m_throttle; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    Throttle m_throttle;
    bool m_on = false;
    bool m_letNext = false;  // the request posted at the interval's end goes through
};
