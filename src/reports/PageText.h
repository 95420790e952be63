#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>
#include <QVarLengthArray>

#include <initializer_list>
#include <QLatin1String>
#include <utility>

// Text steps the report pages and the summary page share.
namespace reports {

using Rewrites = std::initializer_list<std::pair<const char*, const char*>>;

// The 0-based position of pattern in text at or after from, -1 when absent: a
// scan for the pattern's first character, then a comparison.
qsizetype findText(QStringView text, QLatin1String pattern, qsizetype from = 0);

// The same without regard to the letter case of A-Z; pattern is in lower case.
qsizetype findTextNoCase(QStringView text, QLatin1String pattern, qsizetype from = 0);

// findText or findTextNoCase.
inline qsizetype findText(QStringView text, QLatin1String pattern, qsizetype from, Qt::CaseSensitivity cs)
{
    return cs == Qt::CaseSensitive ? findText(text, pattern, from) : findTextNoCase(text, pattern, from);
}

// Hands fn the text of every open..close element of text in order, from the open
// up to, not including, the close; the next search starts at that close. The walk
// ends when no open follows, at an open without a close after it (the answer is
// then false), after as many rounds as text has characters, or when fn answers false.
// Without regard to case (cs) the markers are given in lower case.
template <typename Fn>
bool forEachElement(QStringView text, const char* open, const char* close, Fn&& fn,
                    Qt::CaseSensitivity cs = Qt::CaseSensitive)
{
    const QLatin1String opening(open);
    const QLatin1String closing(close);
    qsizetype position = 0;
    for (qsizetype round = 0; round <= text.size(); ++round) {
        const qsizetype begin = findText(text, opening, position, cs);
        if (begin < 0)
            return true;
        const qsizetype end = findText(text, closing, begin, cs);
        if (end < 0)
            return false;
        if (!fn(text.sliced(begin, end - begin)))
            return true;
        position = end;
    }
    return true;
}

// Every occurrence of from, left to right, exact letter case, in one pass: a
// replacement of the same length in place, any other into a new text (the
// library's replace moves the rest of the text for every batch of matches).
void replaceAll(QString& text, QLatin1String from, QLatin1String to);

// Each replacement over the whole text, every occurrence, exact letter case, in order.
void rewrite(QString& text, Rewrites pairs);

// The 1-based search of the views; a search after a marker that was absent finds nothing.
// Without regard to case (cs) the marker is given in lower case.
int find(const QString& text, int start, const char* marker, Qt::CaseSensitivity cs = Qt::CaseSensitive);

// The text from begin up to, not including, end; "" when either was not found.
QString cut(const QString& text, int begin, int end);

// The three pieces of an earnings-estimates page a grid is made of; a piece whose
// markers are absent is "" (a piece found always holds its opening marker).
struct EstimatePieces
{
    QString heading;  // the header cells
    QString labels;   // the table of row labels ("" when the labels lead the value row)
    QString values;   // the row of numbers
};
// With sectionTable: the heading from the first "<tr>" after "Earnings Estimates
// &amp;" up to the next "<table", the labels the table after anchor, the values
// from the first "</td>" after that table up to the next "</tr>". Without: the
// heading the first "<tr>".."</tr>" after anchor, the values from the next
// valueOpen up to the valueClose after it.
EstimatePieces estimatePieces(const QString& page, bool sectionTable, const char* anchor, const char* valueOpen,
                              const char* valueClose);

// A cell as the pages show it: tags dropped, "&amp;" made "&", blanks trimmed.
QString cleaned(QStringView cell);

// The option code in a name's parentheses, blanks trimmed; "" without them.
QString optionSymbol(const QString& name);

// A filing cell: a quoted address becomes an anchor around the rest of the cell;
// the address and the text are escaped.
QString filingCell(const QString& cell);

// A strike line of the options page and its comma-separated fields: field k
// (from 1) ends at comma k, so the text after the last comma is no field.
class OptionLine
{
public:
    explicit OptionLine(QStringView line) : m_line(line)
    {
        for (qsizetype i = 0; i < line.size(); ++i)
            if (line.at(i) == QLatin1Char(','))
                m_commas.append(i);
    }
    int fields() const { return static_cast<int>(m_commas.size()); }
    QString field(int k) const
    {
        const qsizetype from = k == 1 ? 0 : m_commas[k - 2] + 1;
        return m_line.mid(from, m_commas[k - 1] - from).toString();
    }

private:
    QStringView m_line;
    QVarLengthArray<qsizetype, 32> m_commas;  // a strike line's commas fit without an allocation
};

// At least the characters the option data lays out into (markup escapes aside): a
// line shows its name twice (in the address and the link) and up to six fields
// after it; each line adds lineMarkup (with the address), each field cellMarkup.
qsizetype optionLayoutSize(QStringView data, qsizetype lineMarkup, qsizetype cellMarkup);

// Hands fn every line of the option data: from one CR LF (included) up to the
// next; the text before the first CR LF and after the last is no line.
template <typename Fn>
void forEachOptionLine(QStringView data, Fn&& fn)
{
    const QLatin1String crlf("\r\n");
    qsizetype start = findText(data, crlf);
    while (start >= 0) {
        const qsizetype end = findText(data, crlf, start + 2);
        if (end < 0)
            return;
        fn(OptionLine(data.mid(start, end - start)));
        start = end;
    }
}

// Makes room in text for chars characters in one block. A block of several
// megabytes is asked to be backed by large memory pages: the allocator maps such a
// block fresh for every page laid out, and filling it 4 KB at a time costs more
// than the layout when the report is tens of megabytes.
void reserveLarge(QString& text, qsizetype chars);
void reserveLarge(QByteArray& bytes, qsizetype size);

// Appends text to bytes in the report files' encoding, as toCp1252 gives it.
void appendCp1252(QByteArray& bytes, QStringView text);

// Appends open, text, close and CR LF to out, in place.
template <typename Text>
void addCell(QString& out, const char* open, const Text& text, const char* close)
{
    out += QLatin1String(open);
    out += text;
    out += QLatin1String(close);
    out += QLatin1String("\r\n");
}

// Where the rows of a list collect: html is the page so far and the row under
// construction after it. A source row's end closes that row; the row left open when
// the table ends is dropped. The first row carries the head, so a table without
// rows leaves the page without it.
struct RowPage
{
    QString html;
    qsizetype closed = 0;  // where the rows that ended stop

    void endRow()
    {
        html += QLatin1String("</tr>\r\n");
        closed = html.size();
        html += QLatin1String("<tr>\r\n");
    }
    // The closed rows with the text after them; the text is handed over, not copied.
    QString finish(const QString& after)
    {
        html.truncate(closed);
        html += after;
        return std::move(html);
    }
};

} // namespace reports
