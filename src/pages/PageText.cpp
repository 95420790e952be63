#include "pages/PageText.h"

#include "platform/Runtime.h"
#include "platform/RuntimeError.h"

#include <QLoggingCategory>

#include <algorithm>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

Q_LOGGING_CATEGORY(lcText, "tradewright.core.text")

// A pattern's characters as UTF-16 units, whichever way it is held.
struct Latin1Units
{
    const unsigned char* data;
    char16_t operator[](qsizetype k) const { return data[k]; }
};

struct Utf16Units
{
    const char16_t* data;
    char16_t operator[](qsizetype k) const { return data[k]; }
};

Latin1Units unitsOf(QLatin1String pattern)
{
    return {reinterpret_cast<const unsigned char*>(pattern.data())};
}

Utf16Units unitsOf(QStringView pattern)
{
    return {pattern.utf16()};
}

template <typename Pattern>
qsizetype indexOfExact(QStringView text, Pattern pattern, qsizetype from)
{
    const qsizetype n = pattern.size();
    if (n == 0)
        return from >= 0 && from <= text.size() ? from : -1;
    const qsizetype last = text.size() - n;  // the last position the pattern fits at
    if (from < 0 || from > last)
        return -1;
    const char16_t* const data = text.utf16();
    const auto wanted = unitsOf(pattern);
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

template <typename Pattern>
qsizetype indexOfNoCase(QStringView text, Pattern pattern, qsizetype from)
{
    const qsizetype n = pattern.size();
    const qsizetype last = text.size() - n;
    if (from < 0 || from > last)
        return n == 0 && from == text.size() ? from : -1;
    const auto folded = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    const char16_t* const data = text.utf16();
    const auto wanted = unitsOf(pattern);
    for (qsizetype at = from; at <= last; ++at) {
        qsizetype k = 0;
        while (k < n && folded(data[at + k]) == wanted[k])
            ++k;
        if (k == n)
            return at;
    }
    return -1;
}

template <typename Marker>
int findText(int start, const QString& text, Marker marker, Positions positions)
{
    if (start < 1)
        throw RuntimeError::make(5);
    const qsizetype at = IndexOfText(text, marker, start - 1);
    const int found = at < 0 ? 0 : static_cast<int>(at + 1);
    if (positions == Positions::Strict && found > kStrictPositionLimit)
        throw RuntimeError::make(6);
    return found;
}

template <typename Find>
void replaceAll(QString& text, Find find, Find with)
{
    if (find.isEmpty() || text.isEmpty())
        return;
    qsizetype at = IndexOfText(text, find);
    if (at < 0)
        return;
    const qsizetype step = find.size();
    if (with.size() == step) {
        // Same length: the characters change in place, nothing moves.
        QChar* data = text.data();
        do {
            for (qsizetype i = 0; i < step; ++i)
                data[at + i] = with.at(i);
            at = IndexOfText(text, find, at + step);
        } while (at >= 0);
        return;
    }
    // Otherwise the text is written anew once, left to right, the matches not
    // overlapping, as QString::replace finds them.
    QString out;
    out.reserve(text.size() + (with.size() > step ? text.size() / 4 : 0));
    qsizetype from = 0;
    do {
        out.append(QStringView(text).sliced(from, at - from));
        out.append(with);
        from = at + step;
        at = IndexOfText(text, find, from);
    } while (at >= 0);
    out.append(QStringView(text).sliced(from));
    text = std::move(out);
}

} // namespace

// ---- searching --------------------------------------------------------------------

qsizetype IndexOfText(QStringView text, QLatin1String pattern, qsizetype from, Qt::CaseSensitivity cs)
{
    return cs == Qt::CaseSensitive ? indexOfExact(text, pattern, from) : indexOfNoCase(text, pattern, from);
}

qsizetype IndexOfText(QStringView text, QStringView pattern, qsizetype from, Qt::CaseSensitivity cs)
{
    return cs == Qt::CaseSensitive ? indexOfExact(text, pattern, from) : indexOfNoCase(text, pattern, from);
}

int FindText(int start, const QString& text, const QString& marker, Positions positions)
{
    return findText(start, text, QStringView(marker), positions);
}

int FindText(int start, const QString& text, QLatin1String marker, Positions positions)
{
    return findText(start, text, marker, positions);
}

int FindQuiet(const QString& text, int start, const char* marker, Qt::CaseSensitivity cs)
{
    if (start < 1)
        return 0;
    const qsizetype at = IndexOfText(text, QLatin1String(marker), start - 1, cs);
    return at < 0 ? 0 : static_cast<int>(at + 1);
}

// ---- cutting ----------------------------------------------------------------------

QString CutText(const QString& text, int start, int length)
{
    if (start < 1 || length < 0)
        throw RuntimeError::make(5);
    return rt::Mid(text, start, length);
}

QString CutRange(const QString& text, int begin, int end)
{
    return begin < 1 || end < begin ? QString() : CutText(text, begin, end - begin);
}

QString CutBetween(const QString& text, const QString& start, const QString& end, int from)
{
    const int begin = FindText(from, text, start);
    const int stop = FindText(begin, text, end);
    return CutText(text, begin, stop - begin);
}

QString CutTable(QString& page, int n)
{
    try {
        // Only the opening tag is evened out here; "</TABLE" is found only after the
        // caller ran NormaliseTags with the table flag.
        ReplaceAll(page, QStringLiteral("<TABLE"), QStringLiteral("<table"));
        ReplaceAll(page, QStringLiteral("<Table"), QStringLiteral("<table"));

        // Each search for the next table starts at the closing tag just found, so a
        // nested table closes its outer one early and counts as the next table.
        int count = 0;
        int pos = 1;
        int start = 0;
        while (count != n) {
            start = rt::InStr(pos, page, QStringLiteral("<table"));
            if (start == 0)
                break;
            pos = rt::InStr(start, page, QStringLiteral("</table"));
            if (pos == 0)
                break;
            ++count;
        }
        return rt::Mid(page, start, pos - start);
    } catch (...) {
        return QString();
    }
}

// ---- replacing --------------------------------------------------------------------

void ReplaceAll(QString& text, const QString& find, const QString& with)
{
    replaceAll(text, QStringView(find), QStringView(with));
}

void ReplaceAll(QString& text, QLatin1String find, QLatin1String with)
{
    replaceAll(text, find, with);
}

void ReplaceAll(QString& text, Replacements pairs)
{
    for (const auto& [find, with] : pairs)
        replaceAll(text, QLatin1String(find), QLatin1String(with));
}

QString ReplaceWords(QString& text, const QStringList& words)
{
    for (const QString& word : words) {
        try {
            ReplaceAll(text, word, word.toLower());
        } catch (...) {
            qCWarning(lcText).noquote() << "ReplaceWords skipped" << word;
        }
    }
    return text;
}

QString NormaliseTags(QString& text, bool table, bool td, bool tr, bool th)
{
    // Plain text replacements, not tag-aware: "The" in the page body becomes "the"
    // as well, which the parsers that search for lower-case words rely on.
    //
    // Each of "Table", "TABLE", "Td", "TD", "Tr", "TR", "Th", "TH" begins with 'T'
    // and its second letter tells which it can be; none holds a second 'T' and every
    // replacement is lower-case and of the same length. So no replacement makes or
    // spoils another match, and one pass over the 'T's gives what the replacements
    // give one after the other.
    try {
        if (!(table || td || tr || th))
            return text;
        const qsizetype n = text.size();
        QChar* data = nullptr;  // the writable text, once something changes
        qsizetype at = text.indexOf(u'T');
        while (at >= 0 && at + 1 < n) {
            const QChar* read = data ? data : text.constData();
            const char16_t second = read[at + 1].unicode();
            qsizetype length = 0;  // of the match
            bool upper = false;    // every letter lowered, not the 'T' alone
            switch (second) {
            case u'a':
            case u'A':
                if (table && at + 5 <= n) {
                    upper = second == u'A';
                    const char16_t* rest = upper ? u"ABLE" : u"able";
                    if (QStringView(read + at + 1, 4) == QStringView(rest, 4))
                        length = 5;
                }
                break;
            case u'd': length = td ? 2 : 0; break;
            case u'D': length = td ? 2 : 0; upper = true; break;
            case u'r': length = tr ? 2 : 0; break;
            case u'R': length = tr ? 2 : 0; upper = true; break;
            case u'h': length = th ? 2 : 0; break;
            case u'H': length = th ? 2 : 0; upper = true; break;
            default: break;
            }
            if (length > 0) {
                if (!data)
                    data = text.data();
                data[at] = u't';
                if (upper)
                    for (qsizetype k = at + 1; k < at + length; ++k)
                        data[k] = QChar(char16_t(data[k].unicode() + (u'a' - u'A')));
                at += length;
            } else {
                ++at;
            }
            at = text.indexOf(u'T', at);
        }
    } catch (...) {
        qCWarning(lcText) << "NormaliseTags failed; the text goes back as far as it was changed";
    }
    return text;
}

// ---- cells ------------------------------------------------------------------------

QString StripTags(QStringView piece)
{
    QString result(piece.size(), Qt::Uninitialized);
    QChar* out = result.data();
    bool outside = false;
    for (const QChar c : piece) {
        if (c == u'<')
            outside = false;
        else if (c == u'>')
            outside = true;
        else if (outside)
            *out++ = c;
    }
    result.truncate(out - result.constData());
    return result;
}

QString CleanCell(QString& cell, bool breaks, bool amps, bool link)
{
    QString result;
    try {
        if (breaks)
            ReplaceAll(cell, QLatin1String("<br>"), QLatin1String("\r\n"));
        if (amps)
            ReplaceAll(cell, QLatin1String("&amp;"), QLatin1String("&"));
        if (link) {
            ReplaceAll(cell, QLatin1String("A HREF"), QLatin1String("A href"));
            ReplaceAll(cell, QLatin1String("A Href"), QLatin1String("A href"));
            ReplaceAll(cell, QLatin1String("a href"), QLatin1String("A href"));
            const int p = rt::InStr(cell, QStringLiteral("<A href=\""));
            if (p > 0) {
                const int q = rt::InStr(p, cell, QStringLiteral("\">"));
                if (q > 0)
                    result = rt::Mid(cell, p + 9, q - (p + 9));
            }
            return result;
        }
        result = StripTags(cell);
    } catch (...) {
        qCWarning(lcText) << "a cell's text could not be cleaned; what was taken goes back";
    }
    return result;
}

namespace {

// One pass, as StripTags after every "&amp;" made "&" and then a trim of spaces would
// give it: each "&amp;" (left to right, in or out of a tag, which it never opens or
// closes) is "&", then the text outside the tags (none before the first ">"), then
// the blanks at both ends go.
// Writes the cleaned piece at out, which has room for cell.size() characters;
// returns its length.
qsizetype cleanInto(QStringView cell, QChar* const begin)
{
    const QLatin1String amp("&amp;");
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
    return end - first;
}

QString cleanedPiece(QStringView cell)
{
    QString text(cell.size(), Qt::Uninitialized);
    text.truncate(cleanInto(cell, text.data()));
    return text;
}

} // namespace

QString CleanedCell(QStringView cell, bool breaks)
{
    if (!breaks)
        return cleanedPiece(cell);
    QString withBreaks = cell.toString();
    ReplaceAll(withBreaks, QLatin1String("<br>"), QLatin1String("\r\n"));
    return cleanedPiece(withBreaks);
}

qsizetype AppendCleanedCell(QString& line, QStringView cell)
{
    const qsizetype at = line.size();
    line.resize(at + cell.size());
    const qsizetype length = cleanInto(cell, line.data() + at);
    line.truncate(at + length);
    return length;
}

// ---- writing pages ----------------------------------------------------------------

namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isHexDigit(QChar c)
{
    return isAsciiDigit(c) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
           || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

// Whether text holds an entity at i (where an "&" stands): "&name;", "&#123;"
// or "&#x1F;".
bool entityAt(const QString& text, qsizetype i)
{
    qsizetype j = i + 1;
    const qsizetype n = text.size();
    if (j < n && text.at(j) == QLatin1Char('#')) {
        ++j;
        const bool hex = j < n && (text.at(j) == QLatin1Char('x') || text.at(j) == QLatin1Char('X'));
        if (hex)
            ++j;
        const qsizetype digits = j;
        while (j < n && (hex ? isHexDigit(text.at(j)) : isAsciiDigit(text.at(j))))
            ++j;
        return j > digits && j < n && text.at(j) == QLatin1Char(';');
    }
    if (j >= n || !isAsciiLetter(text.at(j)))
        return false;
    while (j < n && (isAsciiLetter(text.at(j)) || isAsciiDigit(text.at(j))))
        ++j;
    return j < n && text.at(j) == QLatin1Char(';');
}

QString escape(const QString& text, bool quotes)
{
    QString out;
    qsizetype copied = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        QLatin1StringView entity;
        if (c == QLatin1Char('<'))
            entity = QLatin1StringView("&lt;");
        else if (c == QLatin1Char('>'))
            entity = QLatin1StringView("&gt;");
        else if (c == QLatin1Char('&') && !entityAt(text, i))
            entity = QLatin1StringView("&amp;");
        else if (quotes && c == QLatin1Char('"'))
            entity = QLatin1StringView("&quot;");
        else
            continue;
        if (out.isEmpty())
            out.reserve(text.size() + 16);
        out.append(QStringView(text).mid(copied, i - copied));
        out.append(entity);
        copied = i + 1;
    }
    if (copied == 0)
        return text;
    out.append(QStringView(text).mid(copied));
    return out;
}

} // namespace

QString EscapeHtmlText(const QString& text)
{
    return escape(text, false);
}

QString EscapeHtmlAttribute(const QString& text)
{
    return escape(text, true);
}
