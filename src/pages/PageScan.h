#pragma once

#include "pages/PageText.h"

#include <QLatin1String>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <utility>

// The element scanner every reader of a page walks rows and cells with: the texts of
// text that run from an `open` marker up to, not including, the next `close` after
// it, the next search starting at that `close`. The walk ends when no `open` follows,
// when the caller's fn answers false, or after as many rounds as the text has
// characters. Its variants differ only in how they end at an `open` without a `close`
// after it, and in whether they hand each element on at once or list them first.

// What the scan does at an `open` without its `close`.
enum class Unclosed {
    Fails,  // error 5 (a cut of negative length)
    Stops,  // the scan ends quietly with the elements before it
};

struct ScanRules
{
    Unclosed unclosed = Unclosed::Fails;
    Positions positions = Positions::Lenient;  // Strict: an element past 32,767 is error 6
    Qt::CaseSensitivity cs = Qt::CaseSensitive;  // insensitive: the markers in lower case
};

namespace pages_detail {

[[noreturn]] void unclosedElement();
// Error 6 when a 0-based position is past the 16-bit limit and positions are strict.
void checkPosition(qsizetype at, Positions positions);

inline QLatin1String marker(const char* text)
{
    return QLatin1String(text);
}
inline QLatin1String marker(QLatin1String text)
{
    return text;
}
inline QStringView marker(QStringView text)
{
    return text;
}
inline QStringView marker(const QString& text)
{
    return text;
}

} // namespace pages_detail

// The one scanner: hands fn (QStringView element -> bool, false to stop) every
// element of text in order.
template <typename Open, typename Close, typename Fn>
void ScanElementsWith(QStringView text, const Open& open, const Close& close, ScanRules rules, Fn&& fn)
{
    const auto opening = pages_detail::marker(open);
    const auto closing = pages_detail::marker(close);
    qsizetype position = 0;
    for (qsizetype round = 0; round < text.size(); ++round) {
        const qsizetype begin = IndexOfText(text, opening, position, rules.cs);
        if (begin < 0)
            return;
        pages_detail::checkPosition(begin, rules.positions);
        const qsizetype end = IndexOfText(text, closing, begin, rules.cs);
        if (end < 0) {
            if (rules.unclosed == Unclosed::Fails)
                pages_detail::unclosedElement();
            return;
        }
        pages_detail::checkPosition(end, rules.positions);
        if (!fn(text.sliced(begin, end - begin)))
            return;
        position = end;
    }
}

// Each element handed on at once; an `open` without its `close` is error 5 after the
// elements before it were handled.
template <typename Open, typename Close, typename Fn>
void ForEachElement(QStringView text, const Open& open, const Close& close, Fn&& fn)
{
    ScanElementsWith(text, open, close, ScanRules{}, std::forward<Fn>(fn));
}

// Each element handed on at once; an `open` without its `close` ends the walk quietly.
template <typename Open, typename Close, typename Fn>
void ForEachUntilOpen(QStringView text, const Open& open, const Close& close, Fn&& fn,
                      Qt::CaseSensitivity cs = Qt::CaseSensitive)
{
    ScanElementsWith(text, open, close, ScanRules{Unclosed::Stops, Positions::Lenient, cs}, std::forward<Fn>(fn));
}

// The elements listed first: an `open` without its `close` is error 5 before the
// caller has placed any of them.
QStringList ScanElements(const QString& text, const QString& open, const QString& close,
                         Positions positions = Positions::Lenient);
// Rows "<tr".."</tr>", cells "<td".."</td>", header cells "<th".."</th>", listed first.
QStringList ScanRows(const QString& text, Positions positions = Positions::Lenient);
QStringList ScanCells(const QString& row, Positions positions = Positions::Lenient);
QStringList ScanHeaderCells(const QString& row, Positions positions = Positions::Lenient);

// The elements listed; an `open` without its `close` ends the list quietly.
QStringList ScanUntilOpen(const QString& text, const QString& open, const QString& close);

// The same rows and cells listed as views into the text, no text copied: the text
// must outlive the list (a temporary text is refused).
QList<QStringView> RowViews(QStringView text, Positions positions = Positions::Lenient);
QList<QStringView> CellViews(QStringView row, Positions positions = Positions::Lenient);
QList<QStringView> RowViews(QString&&, Positions = Positions::Lenient) = delete;
QList<QStringView> CellViews(QString&&, Positions = Positions::Lenient) = delete;
