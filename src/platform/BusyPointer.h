#pragma once

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

// The hourglass for as long as the guard lives: set when asked for (and only in
// a program with a window system), taken back on every way out of the scope,
// exceptions and early returns included.
class BusyPointer
{
public:
    explicit BusyPointer(bool on = true)
    {
        if (on && qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
            m_set = true;
        }
    }
    ~BusyPointer() { release(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

    // Gives the pointer back before the scope ends (a question the user must
    // answer with the normal pointer); the destructor then does nothing.
    void release()
    {
        if (m_set) {
            QGuiApplication::restoreOverrideCursor();
            m_set = false;
        }
    }

private:
    bool m_set = false;
};
