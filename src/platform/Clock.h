#pragma once

#include <QDateTime>

// The time of day and date used in requests, logs and reports. Tests fix it.
namespace Clock {

QDateTime Now();
void setFixed(const QDateTime& when);  // an invalid QDateTime returns to the real clock

} // namespace Clock
