#pragma once

#include "pages/PageText.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>
#include <QLatin1String>
#include <QVarLengthArray>

#include <utility>

// Layout steps the report pages and the summary page share. They read the pages with
// pages/PageText.h and pages/PageScan.h.
namespace reports {

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
    qsizetype start = IndexOfText(data, crlf);
    while (start >= 0) {
        const qsizetype end = IndexOfText(data, crlf, start + 2);
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
