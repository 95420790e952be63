#include "platform/Clock.h"

namespace {

QDateTime& fixedTime()
{
    static QDateTime when;
    return when;
}

} // namespace

namespace Clock {

QDateTime Now()
{
    const QDateTime& fixed = fixedTime();
    return fixed.isValid() ? fixed : QDateTime::currentDateTime();
}

void setFixed(const QDateTime& when)
{
    fixedTime() = when;
}

} // namespace Clock
