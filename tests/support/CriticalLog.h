#pragma once

#include <QStringList>

namespace test {

// Collects the critical messages logged while it lives ("category: text"), instead
// of printing them; the handler in place before it comes back at its end.
class CriticalLog
{
public:
    CriticalLog();
    ~CriticalLog();
    CriticalLog(const CriticalLog&) = delete;
    CriticalLog& operator=(const CriticalLog&) = delete;

    QStringList messages;
};

} // namespace test
