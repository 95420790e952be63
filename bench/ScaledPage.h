#pragma once

#include <QString>

// head, then body repeated (its %1 the repeat number) until the page has size
// characters, then tail.
inline QString scaled(const QString& head, const QString& body, const QString& tail, qsizetype size)
{
    QString page = head;
    page.reserve(size + body.size() + tail.size());
    for (int i = 0; page.size() < size; ++i)
        page += body.arg(i);
    return page + tail;
}
