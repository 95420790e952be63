#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace test {

// The bytes of a file under tests/fixtures; empty when it cannot be read.
inline QByteArray fixture(const QString& name)
{
    QFile f(QStringLiteral(TW_FIXTURES "/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace test
