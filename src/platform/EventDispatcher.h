#pragma once

// The program's main loop runs on Qt's plain Unix event dispatcher rather than the
// GLib one. An update run opens and closes a connection for each of its thousands of
// pages; under GLib each socket watch put in or taken out wakes the main loop once
// more (a write to its wake-up file and a needless poll round), which the plain
// dispatcher does not. Qt takes its choice when the application object is made, so
// this is made just before it, and chosen() is called just after: the environment is
// given back then, and a program started from this one (a browser, a mail program)
// makes its own choice. A user who set QT_NO_GLIB keeps that setting.
class PlainEventDispatcher
{
public:
    PlainEventDispatcher();
    ~PlainEventDispatcher();
    PlainEventDispatcher(const PlainEventDispatcher&) = delete;
    PlainEventDispatcher& operator=(const PlainEventDispatcher&) = delete;

    // The application object is made: the setting is taken back.
    void chosen();

private:
    bool m_set = false;
};
