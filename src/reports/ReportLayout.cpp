#include "reports/ReportLayout.h"

#include "pages/PageText.h"
#include "platform/Codec.h"
#include "platform/Runtime.h"

#include <algorithm>
#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace reports {

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
        const int headingStart = FindQuiet(page, FindQuiet(page, 1, "Earnings Estimates &amp;"), "<tr>");
        pieces.heading = CutRange(page, headingStart, FindQuiet(page, headingStart, "<table"));
        const int tableStart = FindQuiet(page, FindQuiet(page, 1, anchor), "<table");
        const int tableEnd = FindQuiet(page, tableStart, "</table>");
        pieces.labels = CutRange(page, tableStart, tableEnd);
        const int valueStart = FindQuiet(page, tableEnd, "</td>");
        pieces.values = CutRange(page, valueStart, FindQuiet(page, valueStart, "</tr>"));
    } else {
        const int headingStart = FindQuiet(page, FindQuiet(page, 1, anchor), "<tr>");
        const int headingEnd = FindQuiet(page, headingStart, "</tr>");
        pieces.heading = CutRange(page, headingStart, headingEnd);
        const int valueStart = FindQuiet(page, headingEnd, valueOpen);
        pieces.values = CutRange(page, valueStart, FindQuiet(page, valueStart, valueClose));
    }
    return pieces;
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
