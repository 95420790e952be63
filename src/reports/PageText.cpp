#include "reports/PageText.h"

#include "core/HtmlText.h"
#include "core/Misc.h"
#include "platform/Runtime.h"
#include "retrieval/ViewContract.h"

namespace reports {

qsizetype findText(QStringView text, QLatin1String pattern, qsizetype from)
{
    const qsizetype n = pattern.size();
    if (n == 0)
        return from <= text.size() ? from : -1;
    const QChar first = QLatin1Char(pattern.front());
    const QLatin1String rest = pattern.sliced(1);
    const qsizetype last = text.size() - n;  // the last position the pattern fits at
    while (from <= last) {
        const qsizetype at = text.indexOf(first, from);
        if (at < 0 || at > last)
            return -1;
        if (text.sliced(at + 1, n - 1) == rest)
            return at;
        from = at + 1;
    }
    return -1;
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

int find(const QString& text, int start, const char* marker)
{
    return start < 1 ? 0 : FindText(start, text, QLatin1String(marker));
}

QString cut(const QString& text, int begin, int end)
{
    return begin < 1 || end < begin ? QString() : CutText(text, begin, end - begin);
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
    // Without an "&" there is no "&amp;" to turn into "&" first.
    QString text;
    if (cell.contains(QLatin1Char('&'))) {
        text = cell.toString();
        text = CleanCell(text, false, true, false);
    } else {
        text = StripTags(cell);
    }
    return rt::Trim(text);
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
