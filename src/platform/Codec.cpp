#include "platform/Codec.h"

#include <QStringView>

#include <algorithm>
#include <array>

namespace {

// Characters of the bytes 0x80..0x9F. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control character of the same
// number, so every byte survives a round trip.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char byteFor(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

QString fromCp1252(const QByteArray& bytes)
{
    // Every byte but 0x80..0x9F is the character of the same number: the text is
    // widened as Latin-1 and those few bytes are put right after, found a block at
    // a time (a page is mostly plain ASCII).
    QString text = QString::fromLatin1(bytes);
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    constexpr qsizetype kBlock = 64;
    QChar* out = nullptr;
    for (qsizetype block = 0; block < n; block += kBlock) {
        const qsizetype end = std::min(n, block + kBlock);
        unsigned char any = 0;
        for (qsizetype i = block; i < end; ++i)
            any |= in[i];
        if (!(any & 0x80))
            continue;
        if (!out)
            out = text.data();
        for (qsizetype i = block; i < end; ++i) {
            const unsigned char b = in[i];
            if (b >= 0x80 && b < 0xA0)
                out[i] = QChar(kHigh[b - 0x80]);
        }
    }
    return text;
}

QByteArray toCp1252(const QString& text)
{
    // Plain ASCII, the usual case of a page the program writes, is the same in both.
    if (QtPrivate::isAscii(QStringView(text)))
        return text.toLatin1();
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    const QChar* in = text.constData();
    for (qsizetype i = 0, n = text.size(); i < n; ++i)
        out[i] = byteFor(in[i].unicode());
    return bytes;
}
