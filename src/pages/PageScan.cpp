#include "pages/PageScan.h"

#include "platform/RuntimeError.h"

namespace pages_detail {

void unclosedElement()
{
    throw RuntimeError::make(5);
}

void checkPosition(qsizetype at, Positions positions)
{
    if (positions == Positions::Strict && at + 1 > kStrictPositionLimit)
        throw RuntimeError::make(6);
}

} // namespace pages_detail

namespace {

template <typename Marker>
QStringList listed(const QString& text, Marker open, Marker close, ScanRules rules)
{
    QStringList found;
    ScanElementsWith(text, open, close, rules, [&](QStringView element) {
        found << element.toString();
        return true;
    });
    return found;
}

QList<QStringView> viewsOf(QStringView text, QLatin1String open, QLatin1String close, ScanRules rules)
{
    QList<QStringView> found;
    found.reserve(8);  // a row's cells without growing the list step by step
    ScanElementsWith(text, open, close, rules, [&](QStringView element) {
        found << element;
        return true;
    });
    return found;
}

} // namespace

QList<QStringView> RowViews(QStringView text, Positions positions)
{
    return viewsOf(text, QLatin1String("<tr"), QLatin1String("</tr>"), ScanRules{Unclosed::Fails, positions});
}

QList<QStringView> CellViews(QStringView row, Positions positions)
{
    return viewsOf(row, QLatin1String("<td"), QLatin1String("</td>"), ScanRules{Unclosed::Fails, positions});
}

QStringList ScanElements(const QString& text, const QString& open, const QString& close, Positions positions)
{
    return listed(text, QStringView(open), QStringView(close), ScanRules{Unclosed::Fails, positions});
}

QStringList ScanRows(const QString& text, Positions positions)
{
    return listed(text, QLatin1String("<tr"), QLatin1String("</tr>"), ScanRules{Unclosed::Fails, positions});
}

QStringList ScanCells(const QString& row, Positions positions)
{
    return listed(row, QLatin1String("<td"), QLatin1String("</td>"), ScanRules{Unclosed::Fails, positions});
}

QStringList ScanHeaderCells(const QString& row, Positions positions)
{
    return listed(row, QLatin1String("<th"), QLatin1String("</th>"), ScanRules{Unclosed::Fails, positions});
}

QStringList ScanUntilOpen(const QString& text, const QString& open, const QString& close)
{
    return listed(text, QStringView(open), QStringView(close), ScanRules{Unclosed::Stops});
}
