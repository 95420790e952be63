#include "reports/PageText.h"

#include "core/HtmlText.h"
#include "core/Misc.h"
#include "platform/Codec.h"
#include "platform/Runtime.h"
#include "retrieval/ViewContract.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace reports {

qsizetype findText(QStringView text, QLatin1String pattern, qsizetype from)
{
    const qsizetype n = pattern.size();
    if (n == 0)
        return from <= text.size() ? from : -1;
    const qsizetype last = text.size() - n;  // the last position the pattern fits at
    if (from < 0 || from > last)
        return -1;
    const char16_t* const data = text.utf16();
    const unsigned char* const wanted = reinterpret_cast<const unsigned char*>(pattern.data());
    const char16_t first = wanted[0];
    const char16_t final = wanted[n - 1];
    // The rest of the pattern after its first character, compared at a position
    // where the first and the last character stand.
    const auto restMatches = [&](qsizetype at) {
        for (qsizetype k = 1; k < n - 1; ++k)
            if (data[at + k] != wanted[k])
                return false;
        return true;
    };
    qsizetype at = from;
#if defined(__SSE2__)
    // Eight positions at a time: those where the first character stands and the
    // last one n - 1 further on; a page's many "<" seldom pass both.
    const __m128i firsts = _mm_set1_epi16(static_cast<short>(first));
    const __m128i finals = _mm_set1_epi16(static_cast<short>(final));
    for (; at + 8 <= last + 1; at += 8) {
        const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
        const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + n - 1));
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi16(head, firsts), _mm_cmpeq_epi16(tail, finals))));
        while (mask != 0) {
            const int bit = std::countr_zero(mask);  // each position sets two bits
            if (restMatches(at + bit / 2))
                return at + bit / 2;
            mask &= ~(3u << bit);
        }
    }
#endif
    for (; at <= last; ++at)
        if (data[at] == first && data[at + n - 1] == final && restMatches(at))
            return at;
    return -1;
}

qsizetype findTextNoCase(QStringView text, QLatin1String pattern, qsizetype from)
{
    const qsizetype n = pattern.size();
    const qsizetype last = text.size() - n;
    if (from < 0 || from > last)
        return n == 0 && from == text.size() ? from : -1;
    const auto folded = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    const char16_t* const data = text.utf16();
    for (qsizetype at = from; at <= last; ++at) {
        qsizetype k = 0;
        while (k < n && folded(data[at + k]) == char16_t(static_cast<unsigned char>(pattern.at(k).toLatin1())))
            ++k;
        if (k == n)
            return at;
    }
    return -1;
}

namespace {

// Only a hint: where the system has no large pages the block stays as it is.
void adviseLargePages([[maybe_unused]] const void* data, [[maybe_unused]] std::size_t bytes)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kLargePage = std::uintptr_t(2) << 20;
    const std::uintptr_t begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t last = (begin + bytes) & ~(kLargePage - 1);
    if (last > first)
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

} // namespace

void reserveLarge(QString& text, qsizetype chars)
{
    text.reserve(chars);
    adviseLargePages(text.constData(), static_cast<std::size_t>(text.capacity()) * sizeof(QChar));
}

void reserveLarge(QByteArray& bytes, qsizetype size)
{
    bytes.reserve(size);
    adviseLargePages(bytes.constData(), static_cast<std::size_t>(bytes.capacity()));
}

void appendCp1252(QByteArray& bytes, QStringView text)
{
    if (!QtPrivate::isAscii(text)) {
        bytes += toCp1252(text.toString());
        return;
    }
    // Plain ASCII is the same in both.
    const qsizetype at = bytes.size();
    bytes.resize(at + text.size());
    char* out = bytes.data() + at;
    for (const QChar c : text)
        *out++ = static_cast<char>(c.unicode());
}

void replaceAll(QString& text, QLatin1String from, QLatin1String to)
{
    qsizetype at = findText(text, from);
    if (at < 0)
        return;
    if (from.size() == to.size()) {
        QChar* data = text.data();
        do {
            for (qsizetype i = 0; i < to.size(); ++i)
                data[at + i] = QLatin1Char(to.at(i));
            at = findText(text, from, at + from.size());
        } while (at >= 0);
        return;
    }
    QString out;
    out.reserve(text.size() + (to.size() > from.size() ? text.size() / 4 : 0));
    qsizetype copied = 0;
    do {
        out += QStringView(text).mid(copied, at - copied);
        out += to;
        copied = at + from.size();
        at = findText(text, from, copied);
    } while (at >= 0);
    out += QStringView(text).mid(copied);
    text = std::move(out);
}

void rewrite(QString& text, Rewrites pairs)
{
    for (const auto& [from, to] : pairs)
        replaceAll(text, QLatin1String(from), QLatin1String(to));
}

int find(const QString& text, int start, const char* marker, Qt::CaseSensitivity cs)
{
    if (start < 1)
        return 0;
    if (cs == Qt::CaseSensitive)
        return FindText(start, text, QLatin1String(marker));
    const qsizetype at = findTextNoCase(text, QLatin1String(marker), start - 1);
    return at < 0 ? 0 : static_cast<int>(at + 1);
}

QString cut(const QString& text, int begin, int end)
{
    return begin < 1 || end < begin ? QString() : CutText(text, begin, end - begin);
}

qsizetype optionLayoutSize(QStringView data, qsizetype lineMarkup, qsizetype cellMarkup)
{
    qsizetype lines = 0;
    qsizetype commas = 0;
    for (const QChar c : data) {
        lines += c == u'\n';
        commas += c == u',';
    }
    return 2 * data.size() + std::min(commas, 7 * lines) * cellMarkup + lines * lineMarkup;
}

EstimatePieces estimatePieces(const QString& page, bool sectionTable, const char* anchor, const char* valueOpen,
                              const char* valueClose)
{
    EstimatePieces pieces;
    if (sectionTable) {
        const int headingStart = find(page, find(page, 1, "Earnings Estimates &amp;"), "<tr>");
        pieces.heading = cut(page, headingStart, find(page, headingStart, "<table"));
        const int tableStart = find(page, find(page, 1, anchor), "<table");
        const int tableEnd = find(page, tableStart, "</table>");
        pieces.labels = cut(page, tableStart, tableEnd);
        const int valueStart = find(page, tableEnd, "</td>");
        pieces.values = cut(page, valueStart, find(page, valueStart, "</tr>"));
    } else {
        const int headingStart = find(page, find(page, 1, anchor), "<tr>");
        const int headingEnd = find(page, headingStart, "</tr>");
        pieces.heading = cut(page, headingStart, headingEnd);
        const int valueStart = find(page, headingEnd, valueOpen);
        pieces.values = cut(page, valueStart, find(page, valueStart, valueClose));
    }
    return pieces;
}

QString cleaned(QStringView cell)
{
    // One pass, as CleanCell then Trim would give it: each "&amp;" (left to right,
    // in or out of a tag, which it never opens or closes) is "&", then the text
    // outside the tags (none before the first ">"), then the blanks at both ends go.
    const QLatin1String amp("&amp;");
    QString text(cell.size(), Qt::Uninitialized);
    QChar* const begin = text.data();
    QChar* out = begin;
    bool outside = false;
    for (qsizetype i = 0, n = cell.size(); i < n; ++i) {
        const QChar c = cell[i];
        if (c == u'<') {
            outside = false;
        } else if (c == u'>') {
            outside = true;
        } else {
            if (c == u'&' && cell.sliced(i).startsWith(amp))
                i += amp.size() - 1;
            if (outside)
                *out++ = c;
        }
    }
    QChar* end = out;
    while (end > begin && end[-1] == u' ')
        --end;
    QChar* first = begin;
    while (first < end && *first == u' ')
        ++first;
    if (first > begin)
        std::copy(first, end, begin);
    text.truncate(end - first);
    return text;
}

QString optionSymbol(const QString& name)
{
    const qsizetype open = name.indexOf(QLatin1Char('('));
    if (open < 0)
        return QString();
    const qsizetype close = name.indexOf(QLatin1Char(')'), open);
    return rt::Trim(close < 0 ? QString() : name.mid(open + 1, close - open - 1));
}

QString filingCell(const QString& cell)
{
    const qsizetype open = cell.indexOf(QLatin1Char('"'));
    const qsizetype close = open < 0 ? -1 : cell.indexOf(QLatin1Char('"'), open + 1);
    if (close < 0)
        return EscapeHtmlText(cell);
    return QStringLiteral("<A HREF=\"") + EscapeHtmlAttribute(cell.mid(open + 1, close - open - 1))
           + QStringLiteral("\">") + EscapeHtmlText(cell.mid(close + 1)) + QStringLiteral("</a>");
}

} // namespace reports
