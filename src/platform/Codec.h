#pragma once

#include <QByteArray>
#include <QString>

// Pages, data files, settings and socket data are Windows-1252 bytes, one character
// per byte. These two functions are the only crossing between bytes and QString:
// every byte maps to exactly one character and back, so a page read and written
// back is byte-identical (the five bytes the code page leaves undefined map to the
// control characters of the same number). A character the code page cannot hold
// is written as '?'.
QString fromCp1252(const QByteArray& bytes);
QByteArray toCp1252(const QString& text);
