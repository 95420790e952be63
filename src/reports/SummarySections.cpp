#include "reports/SummarySections.h"
#include "platform/Runtime.h"

#include "core/Misc.h"
#include "pages/PageCatalogue.h"
#include "pages/PageScan.h"
#include "pages/PageText.h"
#include "platform/Dialogs.h"
#include "platform/RuntimeError.h"
#include "platform/Sites.h"
#include "reports/ReportLayout.h"
#include "reports/Reports.h"
#include "reports/ViewJoin.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QStringList>

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <utility>
#include <vector>

Q_LOGGING_CATEGORY(lcSummary, "tradewright.summary")

namespace summary {
namespace {

using reports::addCell;
using reports::RowPage;


// A missing marker, like a search started after one: the builder ends with error 5.
[[noreturn]] void missingMarker()
{
    throw RuntimeError::make(5);
}

// 1-based search of marker from start; a start of 0 (after a marker that was
// absent) ends the builder with error 5.
int at(const QString& text, int start, const char* marker)
{
    return FindText(start, text, QLatin1String(marker));
}

// The text from begin up to, not including, end; a marker that was absent ends the builder.
QString between(const QString& text, int begin, int end)
{
    return CutText(text, begin, end - begin);
}

// From the first open at or after anchor up to the next close.
QString regionAfter(const QString& text, const char* anchor, const char* open, const char* close)
{
    return CutBetween(text, QLatin1String(open), QLatin1String(close), at(text, 1, anchor));
}

// A page cell as the summary shows it: cleaned, then escaped.
QString cellText(QStringView raw)
{
    return EscapeHtmlText(CleanedCell(raw));
}

// ---- the statements ------------------------------------------------------------------

struct Heading
{
    const char* cleanedText;  // as the cell reads once escaped
    const char* markup;
};

// The heading markup when the cell is a section heading, else nothing.
const char* headingOf(const QString& text, std::initializer_list<Heading> headings)
{
    for (const Heading& h : headings)
        if (text == QLatin1String(h.cleanedText))
            return h.markup;
    return nullptr;
}

// The rows of a statement's table: cells 0 to 5 of each page row, a section
// heading standing in for its cell as cell 5 (which ends the row's cells).
// write(row, index, text) adds a cell and answers false to end the table.
template <typename WriteFn>
QString statementRows(const QString& table, std::initializer_list<Heading> headings, const char* rowClose,
                      WriteFn&& write)
{
    QString result;
    QString row = QStringLiteral("<TR BGCOLOR=\"#FFFEEA\">");
    bool more = true;
    ForEachElement(table, "<tr", "</tr>", [&](QStringView tr) {
        int index = 0;
        ForEachElement(tr, "<td", "</td>", [&](QStringView td) {
            QString value = cellText(td);
            if (const char* heading = headingOf(value, headings)) {
                value = QLatin1String(heading);
                index = 5;
            }
            more = write(row, index++, value);
            return index <= 5 && more;
        });
        result += row;
        result += QLatin1String(rowClose);
        row = QStringLiteral("<TR BGCOLOR=\"#FFFEEA\">\r\n");
        return more;
    });
    return result;
}

QString buildABS(const QString& text, Progress&)
{
    return statementRows(
        regionAfter(text, "Annual Balance Sheet", "<table", "</table>"),
        {{"Assets", "</TD></TR><TR><TD HEIGHT=\"30\" ROWSPAN=\"2\" COLSPAN=\"6\" VALIGN=\"BOTTOM\"><b><u>"
                    "Assets</u></b></TD></TR><TR>"},
         {"Liabilities &amp; Shareholder's Equity",
          "</TD></TR><TR><TD HEIGHT=\"30\" ROWSPAN=\"2\" COLSPAN=\"6\" VALIGN=\"BOTTOM\"><b><u>"
          "Liabilities &amp; Shareholder's Equity</u></b></TD></TR><TR>"},
         {"Shareholders' Equity", "</TD></TR><TR><TD HEIGHT=\"30\" ROWSPAN=\"2\" COLSPAN=\"6\" VALIGN=\"BOTTOM\"><b><u>"
                                  "Shareholders' Equity</u></b></TD></TR><TR>"}},
        "</tr>\r\n",
        [](QString& row, int index, const QString& value) {
            addCell(row,
                    index == 0 ? "<TD WIDTH=\"50%\"><FONT color=#484848 size=-1 Face=\"Times New Roman\">"
                               : "<TD ALIGN=\"RIGHT\" WIDTH=\"10%\"><FONT color=#484848 size=-1>",
                    value, "</FONT></td>");
            return true;
        });
}

// The income statement's style of line n: the header, a plain line or a total.
int aisStyle(int n)
{
    static constexpr int totals[] = {3, 5, 8, 13, 15, 16, 19, 20, 21, 23, 24};
    if (n == 0)
        return 0;
    return std::find(std::begin(totals), std::end(totals), n) != std::end(totals) ? 2 : 1;
}

QString buildAIS(const QString& text, Progress&)
{
    // Opening and closing of a cell by style (header, plain, total) and by index (0, 1 to 4, 5).
    static const char* const templates[3][3][2] = {
        {{"<TH WIDTH=\"50%\" height=\"30\">", "&nbsp;</TH>"},
         {"<TH ALIGN=\"RIGHT\" WIDTH=\"10%\">", "<HR></TH>"},
         {"<TH ALIGN=\"RIGHT\" WIDTH=\"10%\" HEIGHT=\"26\">", "<HR></TH>"}},
        {{"<TD WIDTH=\"40%\"><FONT color=#484848 size=-1 Face=\"Times New Roman\">", "</FONT></td>"},
         {"<TD ALIGN=\"RIGHT\"><FONT color=#484848 size=-1>", "</FONT></td>"},
         {"<TD ALIGN=\"RIGHT\"><FONT color=#484848 size=-1>", "</FONT></td>"}},
        {{"<TD ALIGN=\"LEFT\" nowrap><B><FONT size=-1 color=#000099 Face=\"Times New Roman\">", "</FONT></B></td>"},
         {"<TD ALIGN=\"RIGHT\"><B><FONT size=-1 color=#484848>", "</B></FONT></td>"},
         {"<TD ALIGN=\"RIGHT\"><B><FONT size=-1 color=#484848>", "</B></FONT></td>"}},
    };
    // The line advances with each cell 5 written; the lines after the 24th are not written.
    int line = 0;
    return statementRows(
        regionAfter(text, "Annual Income Statement", "<table", "</table>"),
        {{"Depreciation Footnote", "</TD></TR><TR><TD ROWSPAN=\"2\" COLSPAN=\"6\" VALIGN=\"BOTTOM\"><i><u>"
                                   "Depreciation Footnote</u></i></TD></TR><TR>"},
         {"Earnings Per Share Data", "</TD></TR><TR><TD ROWSPAN=\"2\" COLSPAN=\"6\" VALIGN=\"BOTTOM\"><i><u>"
                                     "Earnings Per Share Data</u></i></TD></TR><TR>"}},
        "</TR>\r\n",
        [&](QString& row, int index, const QString& value) {
            const auto& t = templates[aisStyle(line)][index == 0 ? 0 : index == 5 ? 2 : 1];
            addCell(row, t[0], value, t[1]);
            if (index == 5)
                ++line;
            return line <= 24;
        });
}

// ---- the estimate grids ---------------------------------------------------------------

struct Grid
{
    bool labelTable;          // the labels are the rows of a table after anchor
    const char* anchor;       // else the header row follows it, the value row after that
    const char* valueOpen;    // the value row, from valueOpen to valueClose
    const char* valueClose;
    int rows;
    int values;
    int headings;
    const char* firstHeading;
    const char* headingOpen;
    const char* labelOpen;
    const char* labelClose;
    const char* cellOpen;
    const char* cellClose;
    bool emptyLastRow;
};

QString buildGrid(const QString& text, const Grid& g)
{
    reports::EstimatePieces pieces =
        reports::estimatePieces(text, g.labelTable, g.anchor, g.valueOpen, g.valueClose);
    if (pieces.heading.isEmpty() || pieces.values.isEmpty() || (g.labelTable && pieces.labels.isEmpty()))
        missingMarker();
    const QString& headerRegion = pieces.heading;
    const QString& labelRegion = pieces.labels;
    QString& valueRow = pieces.values;
    ReplaceAll(valueRow, QLatin1String("<br>"), QLatin1String("</td><td></td><td>"));

    QString result = QLatin1String(g.firstHeading) + rt::CrLf;
    int number = 0;
    ForEachElement(headerRegion, "<th", "</th>", [&](QStringView th) {
        if (++number > g.headings)
            return false;
        QString heading = cellText(th);
        if (!heading.isEmpty()) {
            if (heading.contains(QLatin1Char('(')))
                ReplaceAll(heading, QLatin1String("("), QLatin1String("<br>("));
            else
                heading += QLatin1String("<br>&nbsp;");
        }
        addCell(result, g.headingOpen, heading, "</Font><HR></th>");
        return true;
    });
    result += QLatin1String("</tr>\r\n");

    QStringList grid(g.rows);
    const auto label = [&](int row, const QString& value) {
        addCell(grid[row], g.labelOpen, value, g.labelClose);
    };
    int labels = 0;
    if (g.labelTable) {
        int n = 0;
        ForEachElement(labelRegion, "<tr", "</tr>", [&](QStringView tr) {
            if (++n > g.rows)
                return false;
            const QString value = cellText(tr);
            if (!value.isEmpty())
                label(n - 1, value);
            return true;
        });
    } else {
        labels = g.rows;
    }
    int k = 0;
    ForEachElement(valueRow, "<td", "</td>", [&](QStringView td) {
        if (k >= labels + g.values)
            return false;
        const QString value = cellText(td);
        if (value.isEmpty())
            return true;
        if (k < labels)
            label(k, value);
        else
            addCell(grid[(k - labels) % g.rows], g.cellOpen, value, g.cellClose);
        ++k;
        return true;
    });
    result += QLatin1String("<tr>");
    result += grid.join(QLatin1String("</tr><tr>"));
    if (g.emptyLastRow)
        result += QLatin1String("</tr><tr>");
    result += QLatin1String("</tr>\r\n");
    return result;
}

const char* const kGridHeading =
    "<th align=\"center\" width=\"15%\" height=\"50\" nowrap><FONT Size = -1 Face=\"Times New Roman\">";
const char* const kGridFirst = "<TR><th align=\"center\" width=\"40%\" height=\"50\" nowrap>&nbsp;</th>";
const char* const kRowLabel = "<td align=\"left\"><b><FONT Size = -1 Face=\"Times New Roman\">";

const Grid kEC{true, "Consensus EPS Trend", nullptr, nullptr, 5, 20, 4,
               kGridFirst, kGridHeading,
               "<td align=\"Left\"><B><FONT Size = -1 Face=\"Times New Roman\">", "</Font></b></td>",
               "<td align=\"center\"><FONT Size = -1>", "</Font></td>", false};
const Grid kEE{true, "Earnings Estimates<br>", nullptr, nullptr, 6, 24, 4,
               kGridFirst, kGridHeading,
               "<td align=\"Left\"><B><FONT Size = -1 Face=\"Times New Roman\">", "</font></b></td>",
               "<td align=\"center\"><Font color=#484848 Size = -1>", "</font></td>", false};
const Grid kEH{false, "Earnings History", "<tr>", "</tr>", 4, 20, 6,
               "<TR><th align=\"left\" width=\"28%\" height=\"50\" nowrap>&nbsp;</th>",
               "<th align=\"center\" width=\"12%\" nowrap><FONT Size = -1 Face=\"Times New Roman\">", kRowLabel,
               "</font></b></td>", "<td align=\"center\"><FONT Size = -1 color=#484848>", "</font></td>", false};
const Grid kEG{false, "Earnings Growth", "<tr", "</tr", 3, 18, 7,
               "<TR><th align=\"left\" width=\"16%\" height=\"50\" nowrap>&nbsp;</th>",
               "<th align=\"center\" width=\"5%\" nowrap><FONT Size = -1 Face=\"Times New Roman\">", kRowLabel,
               "</font></b></td>", "<td align=\"center\"><FONT color=#484848 Size = -1>", "</font></td>", true};

QString buildEC(const QString& text, Progress&) { return buildGrid(text, kEC); }
QString buildEE(const QString& text, Progress&) { return buildGrid(text, kEE); }
QString buildEH(const QString& text, Progress&) { return buildGrid(text, kEH); }
QString buildEG(const QString& text, Progress&) { return buildGrid(text, kEG); }

// ---- the lists -------------------------------------------------------------------------

// "<TR>", the header cells, "</TR>" CR LF "<TR>": the first row buffer of a list.
QString headerRow(std::initializer_list<std::pair<const char*, const char*>> cells, const char* close)
{
    QString row = QStringLiteral("<TR>");
    for (const auto& [open, caption] : cells) {
        row += QLatin1String(open);
        addCell(row, "", QLatin1String(caption), close);
    }
    return row + QLatin1String("</TR>\r\n<TR>");
}

// Walks the rows of region and their cells: cell(rows, index, text) gets each
// cleaned cell (not yet escaped) with its index in the page row; each page row
// closes a row of the list unless the builder closes its own.
enum class RowEnds { PageRows, Builder };

template <typename CellFn>
QString listRows(const QString& region, QString header, CellFn&& cell, RowEnds ends = RowEnds::PageRows)
{
    RowPage rows{std::move(header)};
    ForEachElement(region, "<tr", "</tr>", [&](QStringView tr) {
        int index = 0;
        ForEachElement(tr, "<td", "</td>", [&](QStringView td) {
            cell(rows, index++, CleanedCell(td));
            return true;
        });
        if (ends == RowEnds::PageRows)
            rows.endRow();
        return true;
    });
    return rows.finish(QString());
}

// From the first "</tr>" after marker (from the start when it is absent) up to the next close.
QString brokerRegion(const QString& text, const char* marker, const char* close)
{
    const int found = at(text, 1, marker);
    const int begin = at(text, found == 0 ? 1 : found, "</tr>");
    return between(text, begin, at(text, begin, close));
}

QString buildSplit(const QString& text, Progress&)
{
    const int marker = at(text, 1, "begin splits");
    if (marker == 0 || at(text, marker, "/table") == 0)
        return QString();
    const char* const open = "<TH ALIGN=\"CENTER\" WIDTH=\"16.6%\"><Font Size=-1 Face=\"Arial\">";
    return listRows(brokerRegion(text, "begin splits", "/table"),
                    headerRow({{"<TH ALIGN=\"CENTER\" WIDTH=\"16.6%\" HEIGHT=\"26\"><Font Size=-1 Face=\"Arial\">", "Type"},
                               {open, "Amount"}, {open, "Ex-Date"}, {open, "Pay-Date"}, {open, "Rec-Date"},
                               {open, "An-Date"}},
                              "</Font><HR></th>"),
                    [](RowPage& rows, int index, const QString& value) {
                        if (index <= 4)
                            addCell(rows.html, "<TD ALIGN=\"CENTER\"><FONT color=#484848 size=-1 Face=\"Arial\">",
                                    EscapeHtmlText(value), "</FONT></td>");
                        else if (index == 5)
                            addCell(rows.html,
                                    "<TD ALIGN=\"CENTER\" WIDTH=\"10%\"><FONT color=#484848 size=-1 Face=\"Arial\">",
                                    EscapeHtmlText(value), "</FONT></td>");
                    });
}

QString buildRatings(const QString& text)
{
    return listRows(brokerRegion(text, "begin splits", "</table"),
                    headerRow({{"<TH ALIGN=\"LEFT\" WIDTH=\"20%\" HEIGHT=\"26\"><Font size=-1 Face=\"Arial\">", "Type"},
                               {"<TH ALIGN=\"LEFT\" WIDTH=\"30%\"><Font size=-1 Face=\"Arial\">", "Broker"},
                               {"<TH ALIGN=\"LEFT\" WIDTH=\"50%\"><Font size=-1 Face=\"Arial\">", "Comments"}},
                              "</Font><HR></th>"),
                    [](RowPage& rows, int index, const QString& value) {
                        if (index == 0)
                            addCell(rows.html, "<TD><FONT color=#484848 size=-1 Face=\"Arial\"><B>",
                                    EscapeHtmlText(value), "</B></FONT></td>");
                        else if (index <= 2)
                            addCell(rows.html, "<TD><FONT color=#484848 size=-1 Face=\"Arial\">", EscapeHtmlText(value),
                                    "</FONT></td>");
                    });
}

QString buildUPH(const QString& text, Progress&) { return buildRatings(text); }
QString buildDNH(const QString& text, Progress&) { return buildRatings(text); }

QString buildBRP(const QString& text, Progress& progress)
{
    // The cells go in groups of three across the page's rows; each group closes a
    // row, and the first two groups are not written.
    int count = 0;
    return listRows(
        brokerRegion(text, "begin reports", "</table"),
        headerRow({{"<TH ALIGN=\"LEFT\" WIDTH=\"10%\" HEIGHT=\"26\"><Font size=-1 Face=\"Arial\">", "Date"},
                   {"<TH ALIGN=\"LEFT\" WIDTH=\"20%\"><Font size=-1 Face=\"Arial\">", "Broker"},
                   {"<TH ALIGN=\"LEFT\" WIDTH=\"75%\"><Font size=-1 Face=\"Arial\">", "Comment"}},
                  "</Font><HR></th>"),
        [&](RowPage& rows, int, const QString& value) {
            if (count >= 6)
                addCell(rows.html, "<TD ALIGN=\"LEFT\"><FONT color=#484848 size=-1 Face=\"Arial\">",
                        EscapeHtmlText(value), "</FONT></td>");
            if (count % 3 == 2)
                rows.endRow();
            ++count;
            progress.pass();
        },
        RowEnds::Builder);
}

QString buildMR(const QString& text, Progress&)
{
    const int begin = at(text, 1, "Sells");
    const QString region = between(text, begin, at(text, begin, "</table"));
    if (region.contains(QLatin1String("No data")))
        return kSmallNoData;
    QStringList cells;
    ForEachElement(region, "<td", "</td>", [&](QStringView td) {
        cells << td.toString();
        return cells.size() < 5;
    });
    if (cells.size() < 5)
        missingMarker();
    static const char* const labels[] = {
        "<TR><TD ALIGN=\"CENTER\"><FONT size=-1><b>Rank: </b>",
        "<TR><TD ALIGN=\"CENTER\"><FONT size=-1><b>Momentum Rating: </b>",
        "<TR><TD ALIGN=\"CENTER\"><FONT size=-1><b>Buy: </b>",
        "<TR><TD ALIGN=\"CENTER\"><FONT size=-1><b>Hold: </b>",
        "<TR><TD ALIGN=\"CENTER\"><FONT><b>Sell: </b>",
    };
    QString result = QStringLiteral("</TR>");
    for (int i = 0; i < 5; ++i)
        addCell(result, labels[i], cellText(cells[i]), "</FONT></TD></tr>");
    return result + QLatin1String("</TD>\r\n");
}

QString buildIT(const QString& text, Progress&)
{
    const int begin = at(text, 1, "Insider Trades");
    QString region = between(text, begin, at(text, begin, "</html"));
    QString table = CutTable(region, 4);
    ReplaceAll(table, {{"<td><a href=\"", "<td>"}, {".html\">", ".html></td><td>"}});

    QString header = QStringLiteral("<TR>");
    static const std::pair<const char*, const char*> headings[] = {
        {"Date", "13%"}, {"Name", "20%"}, {"Action", "15%"}, {"Shares", "13%"},
        {"Type", "13%"}, {"Price", "15%"}, {"Value Int", "15%"},
    };
    for (const auto& [caption, width] : headings) {
        header += QLatin1String("<TH ALIGN=\"CENTER\" WIDTH=\"") + QLatin1String(width) + QLatin1String("\">");
        addCell(header, "", QLatin1String(caption), "<HR></th>");
    }
    header += QLatin1String("</TR>\r\n<TR>");

    const QString site = Sites::Address(Site::BusinessNews, QStringLiteral("/"));
    QString linkPath;
    return listRows(table, header, [&](RowPage& rows, int index, const QString& value) {
        switch (index) {
        case 0:
            addCell(rows.html, "<TD ALIGN=\"CENTER\" Height =30><FONT size=-1 color=#151515>", EscapeHtmlText(value),
                    "</Font></td>");
            break;
        case 1: linkPath = value; break;
        case 2:
            rows.html += QLatin1String("<TD ALIGN=\"LEFT\"><a href=\"") + EscapeHtmlAttribute(site + linkPath)
                         + QLatin1String("\"><small>");
            addCell(rows.html, "", EscapeHtmlText(value), "<small></a></Font></td>");
            break;
        case 3:
        case 5:
            addCell(rows.html, "<TD ALIGN=\"LEFT\"><FONT size=-1 color=#151515>", EscapeHtmlText(value),
                    "</Font></td>");
            break;
        case 4:
        case 6:
        case 7:
            addCell(rows.html, "<TD ALIGN=\"RIGHT\"><FONT size=-1 color=#151515>", EscapeHtmlText(value),
                    "</Font></td>");
            break;
        default: break;
        }
    });
}

QString buildQR(const QString& source, Progress&)
{
    const int begin = at(source, 1, "Sort By");
    QString text = between(source, begin, at(source, begin, "</html"));
    ReplaceAll(text, {{":", "</td><td>"}, {"<A HREF=", "<>"}, {"ALT=\"Full Filing\">", "<>"}, {"/A", ""}});
    int position = at(text, 1, "Sort By");
    for (const char* marker : {"</table>", "<table", "<tr", "</tr"})
        position = at(text, position, marker);
    const QString table = between(text, position, at(text, position, "</table>"));

    int count = 0;  // the non-empty cells of the row: three are written, the fourth is not
    return listRows(table,
                    headerRow({{"<TH ALIGN=\"LEFT\" WIDTH=\"20%\" HEIGHT=\"26\"><Font size=-1 Face=\"Arial\">", "Date"},
                               {"<TH ALIGN=\"LEFT\" WIDTH=\"20%\"><Font size=-1 Face=\"Arial\">", "Filings"},
                               {"<TH ALIGN=\"LEFT\" WIDTH=\"60%\"><Font size=-1 Face=\"Arial\">", "More Info"}},
                              "</Font><HR></th>"),
                    [&](RowPage& rows, int index, const QString& value) {
                        if (index == 0)
                            count = 0;
                        if (value.isEmpty())
                            return;
                        if (count == 3) {
                            count = 0;
                            return;
                        }
                        addCell(rows.html, "<TD><FONT color=#484848 size=-1 Face=\"Arial\">",
                                reports::filingCell(value), "</FONT></td>");
                        ++count;
                    });
}

QString buildSI(const QString& text, Progress&)
{
    const int begin = at(text, 1, "Cover");
    const QString table = between(text, begin, at(text, begin, "</table>"));
    QString rows = headerRow({{"<TH ALIGN=\"CENTER\"  nowrap>", "Settlement Date"},
                              {"<TH ALIGN=\"CENTER\"  nowrap>", "Short Interest"},
                              {"<TH ALIGN=\"CENTER\"  nowrap>", "Avg Daily Share Volume"},
                              {"<TH ALIGN=\"CENTER\"  nowrap>", "Days to Cover"}},
                             "<HR></th>");
    ForEachElement(table, "<tr", "</tr>", [&](QStringView tr) {
        int index = 0;
        ForEachElement(tr, "<td", "</td>", [&](QStringView td) {
            addCell(rows,
                    index++ == 0 ? "<TD ALIGN=\"left\"><FONT size=-1 color=#151515>"
                                 : "<TD ALIGN=\"right\"><FONT size=-1 color=#484848>",
                    cellText(td), "</Font></td>");
            return true;
        });
        rows += QLatin1String("</tr>\r\n<tr>");
        return true;
    });
    return QLatin1String("</TR>") + rows;
}

// ---- the options -------------------------------------------------------------------------

struct OptionSide
{
    const char* question;
    const char* firstHeading;
    const char* headingOpen;
    const char* headingClose;
    int nameField;
    const char* linkOpen;
    const char* linkClose;
    const char* valueOpen;
};

const OptionSide kCalls{
    "There is to many records, and it might take time.\r\n(Up to 5 minuets).\r\n"
    "Click Cancel to skip on Calls section, or OK to continue",
    "<TH ALIGN=\"CENTER\" WIDTH=\"25%\" HEIGHT=\"26\"><Font Face=\"Arial\" Size=-1>Calls</Font><hr></th>",
    "<TH ALIGN=\"CENTER\" WIDTH=\"12%\" HEIGHT=\"26\"><Font Face=\"Arial\" Size=-1>", "</Font><hr></th>", 1,
    "<Td Align=\"Left\" Width=\"25%\"><Font color=#484848 size=-1 Face=\"Arial\"><a href=\"", "</a></FONT></td>",
    "<Td Align=\"Right\" Width=\"12%\"><Font color=#484848 size=-1 Face=\"Arial\">"};
const OptionSide kPuts{
    "There is to many records, and it might take time.\r\n(Up to 5 minuets)\r\n"
    "Click Cancel to skip on Puts section, or OK to continue",
    "<TH ALIGN=\"CENTER\" WIDTH=\"25%\" HEIGHT=\"26\"><Font Face=\"Arial\" Size=-1>Puts</Font><HR></th>",
    "<TH ALIGN=\"CENTER\" WIDTH=\"12%\"><Font Face=\"Arial\" Size=-1>", "</Font><HR></th>", 8,
    "<Td Align=\"Left\" Width=\"12%\"><Font color=#484848 size=-1><a href=\"", "</a></Font></td>",
    "<Td Align=\"Right\" Width=\"12%\"><Font color=#484848 size=-1>"};

QString buildOptions(const QString& text, const OptionSide& side)
{
    const int puts = at(text, 1, "Puts");
    if (puts == 0)
        missingMarker();
    const int interest = at(text, puts, "Int");
    if (interest == 0)
        missingMarker();
    const QStringView data = QStringView(text).mid(interest);  // after the "I"
    if (data.size() > 30000
        && Dialogs::MsgBox(QLatin1String(side.question), Dialogs::vbOKCancel + Dialogs::vbInformation,
                           QStringLiteral("To many records"))
               == Dialogs::vbCancel)
        return QString();

    QString header = QStringLiteral("<TR>") + QLatin1String(side.firstHeading) + rt::CrLf;
    for (const char* caption : {"Last Sale", "Net", "Bid", "Ask", "Vol", "Open Int"})
        addCell(header, side.headingOpen, QLatin1String(caption), side.headingClose);
    header += QLatin1String("</TR>\r\n<TR>");
    RowPage rows{header};
    const QString address = Sites::Address(Site::OptionQuotes, QStringLiteral("/cgi-bin/cboeget.exe?TICKER="));
    reports::reserveLarge(rows.html, rows.html.size() + reports::optionLayoutSize(data, 130 + address.size(), 90));
    reports::forEachOptionLine(data, [&](const reports::OptionLine& line) {
        if (line.fields() >= side.nameField) {
            const QString name = line.field(side.nameField);
            rows.html += QLatin1String(side.linkOpen)
                         + EscapeHtmlAttribute(address + reports::optionSymbol(name)) + QLatin1String("\">");
            addCell(rows.html, "", EscapeHtmlText(name), side.linkClose);
            for (int k = side.nameField + 1; k <= side.nameField + 6 && k <= line.fields(); ++k)
                addCell(rows.html, side.valueOpen, EscapeHtmlText(line.field(k)), "</Font></td>");
        }
        rows.endRow();
    });
    return rows.finish(QString());
}

QString buildCalls(const QString& text, Progress&) { return buildOptions(text, kCalls); }
QString buildPuts(const QString& text, Progress&) { return buildOptions(text, kPuts); }

// ---- the table -----------------------------------------------------------------------------

constexpr Rewrite kStatementTags[] = {{"\t", " "}, {"TD", "td"}, {"Td", "td"}, {"TR", "tr"}, {"TH", "th"}};
constexpr Rewrite kAbsRewrites[] = {{"\t", " "}, {"TD", "td"}, {"Td", "td"}, {"TR", "tr"}, {"TH", "th"},
                                    {"ii", ""}, {"</font></font>", "</font>"}};
constexpr Rewrite kAisRewrites[] = {{"\t", " "}, {"TD", "td"}, {"Td", "td"}, {"TR", "tr"}, {"TH", "th"},
                                    {"ii", ""}, {"<th colspan=5>", "<th>"},
                                    {" colspan=5>", "></td><td></td><td></td><td></td><td>"}};
constexpr Rewrite kEcRewrites[] = {{"\n", " "}, {"\t", " "}, {"TR", "tr"}, {"TD", "td"},
                                   {"Td", "td"}, {"TH", "th"}, {"Th", "th"}};
constexpr Rewrite kEstimateRewrites[] = {{"\n", " "}, {"\t", " "}, {"TR", "tr"}, {"Tr", "tr"}, {"TD", "td"},
                                         {"Td", "td"}, {"TH", "th"}, {"Th", "th"}};
constexpr Rewrite kSplitRewrites[] = {{"TD", "td"}, {"Td", "td"}, {"TR", "tr"},
                                      {"Tr", "tr"}, {"Table", "table"}, {"TABLE", "table"}};
constexpr Rewrite kBrokerRewrites[] = {{"\t", " "},  {"TABLE", "table"}, {"Table", "table"}, {"TR", "tr"},
                                       {"Tr", "tr"},  {"TD", "td"},       {"Td", "td"},       {"&nbsp;", ""},
                                       {",", ""},     {"News", ""},       {"BrokerReports", ""}, {"Chart", ""},
                                       {"Compare", ""}};
constexpr Rewrite kFilingRewrites[] = {{"\t", " "}, {"TABLE", "table"}, {"TD", "td"},
                                       {"Td", "td"}, {"TR", "tr"},       {"Tr", "tr"}};
constexpr Rewrite kShortRewrites[] = {{"TR", "tr"}, {"Tr", "tr"}, {"TD", "td"},
                                      {"Td", "td"}, {"Th", "th"}, {"TABLE", "table"}};

// What each section does itself, attached to its view's row in the page catalogue
// by the view code.
struct Attachment
{
    const char* view;
    std::span<const Rewrite> rewrites;
    Builder build;
    Missing missingPage;
    Missing missingMarker;
};

const Attachment kAttachments[] = {
    {"ABS", kAbsRewrites, buildABS, Missing::NoData, Missing::Empty},
    {"AIS", kAisRewrites, buildAIS, Missing::NoData, Missing::Empty},
    {"EG", kEstimateRewrites, buildEG, Missing::NoData, Missing::Empty},
    {"EH", kEstimateRewrites, buildEH, Missing::NoData, Missing::Empty},
    {"ER", kEstimateRewrites, buildEE, Missing::NoData, Missing::Empty},
    {"EC", kEcRewrites, buildEC, Missing::NoData, Missing::Empty},
    {"Split", kSplitRewrites, buildSplit, Missing::Empty, Missing::SmallNoData},
    {"UPH", kBrokerRewrites, buildUPH, Missing::SmallNoData, Missing::SmallNoData},
    {"DNH", kBrokerRewrites, buildDNH, Missing::SmallNoData, Missing::SmallNoData},
    {"NMR", kBrokerRewrites, buildMR, Missing::SmallNoData, Missing::SmallNoData},
    {"BRP", kBrokerRewrites, buildBRP, Missing::SmallNoData, Missing::SmallNoData},
    {"IT", kStatementTags, buildIT, Missing::NoData, Missing::Empty},
    {"QR", kFilingRewrites, buildQR, Missing::NoData, Missing::Empty},
    {"Call", {}, buildCalls, Missing::NoData, Missing::Empty},
    {"Put", {}, buildPuts, Missing::NoData, Missing::Empty},
    {"SI", kShortRewrites, buildSI, Missing::SmallNoData, Missing::SmallNoData},
};

// The flag of a chooser box.
Flag flagOfBox(int box)
{
    for (int f = 0; f < FlagCount; ++f)
        if (BoxOfFlag(Flag(f)) == box)
            return Flag(f);
    throw std::logic_error("a summary section's chooser box has no flag");
}

// Every view of the catalogue that has a summary section, with its attachment, in
// the order of the page; two sections in one place are a mistake in the program.
std::vector<Section> makeSections()
{
    std::vector<Section> sections = reports::joinViews(
        kAttachments, [](const pages::View& view) { return !view.summaryName.isEmpty(); },
        [](const pages::PageKind& kind, const pages::View& view, const Attachment& own) {
            return Section{view.code, view.summaryName, flagOfBox(view.summaryBox), pages::StockPageSuffix(kind),
                           view.summaryHeadline, view.summaryProgress, own.rewrites, own.build, own.missingPage,
                           own.missingMarker};
        });
    std::sort(sections.begin(), sections.end(), [](const Section& a, const Section& b) {
        return pages::FindView(a.view)->summaryOrder < pages::FindView(b.view)->summaryOrder;
    });
    for (std::size_t i = 0; i < sections.size(); ++i)
        if (pages::FindView(sections[i].view)->summaryOrder != int(i))
            throw std::logic_error("the summary sections' places are not 0, 1, 2, ...");
    return sections;
}

// The section of view built on page.
QString byView(const char* view, const QString& page, Progress& progress)
{
    for (const Section& s : Sections())
        if (s.view == QLatin1String(view))
            return BuildSection(s, page, progress);
    throw std::logic_error("no summary section for the view");
}

} // namespace

int BoxOfFlag(Flag flag)
{
    static constexpr int boxes[FlagCount] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 16, 10, 11, 12, 13, 14, 15, 17, 18};
    return boxes[flag];
}

std::span<const Section> Sections()
{
    static const std::vector<Section> sections = makeSections();
    return sections;
}

const Section* FindSection(const char* name)
{
    for (const Section& s : Sections())
        if (s.name == QLatin1String(name))
            return &s;
    return nullptr;
}

QString MissingText(Missing missing)
{
    switch (missing) {
    case Missing::NoData: return kNoData;
    case Missing::SmallNoData: return kSmallNoData;
    case Missing::Empty: break;
    }
    return QString();
}

QString BuildSection(const Section& section, const QString& page, Progress& progress)
{
    QString text = page;
    for (const Rewrite& r : section.rewrites)
        ReplaceAll(text, QLatin1String(r.from), QLatin1String(r.to));
    try {
        return section.build(text, progress);
    } catch (const RuntimeError& e) {
        // A marker missing (error 5): the section's text for missing data.
        if (e.number() == 5)
            return MissingText(section.missingMarker);
        qCWarning(lcSummary) << section.name << "gave up:" << e.what();
    } catch (const std::exception& e) {
        qCWarning(lcSummary) << section.name << "gave up:" << e.what();
    }
    return QString();
}

const QString* PageReads::page(const QString& suffix)
{
    for (auto& [read, text] : m_pages)
        if (read == suffix)
            return text ? &*text : nullptr;
    const QString path = Reports::DataSheetPath(m_symbol, suffix);
    std::optional<QString> text;
    if (QFileInfo(path).isFile())
        text = ReadFile(path);
    m_pages.emplace_back(suffix, std::move(text));
    return m_pages.back().second ? &*m_pages.back().second : nullptr;
}

QString SectionBox(const Section& section, PageReads& reads, Progress& progress)
{
    progress.caption(section.progress);
    const QString* page = reads.page(section.suffix);
    if (!page)
        return MissingText(section.missingPage);
    progress.pass();
    return BuildSection(section, *page, progress);
}

QString SectionBox(const Section& section, const QString& symbol, Progress& progress)
{
    PageReads reads(symbol);
    return SectionBox(section, reads, progress);
}

QString S_ABS(const QString& page, Progress& progress) { return byView("ABS", page, progress); }
QString S_AIS(const QString& page, Progress& progress) { return byView("AIS", page, progress); }
QString S_EG(const QString& page, Progress& progress) { return byView("EG", page, progress); }
QString S_EH(const QString& page, Progress& progress) { return byView("EH", page, progress); }
QString S_EE(const QString& page, Progress& progress) { return byView("ER", page, progress); }
QString S_EC(const QString& page, Progress& progress) { return byView("EC", page, progress); }
QString S_Split(const QString& page, Progress& progress) { return byView("Split", page, progress); }
QString S_UPH(const QString& page, Progress& progress) { return byView("UPH", page, progress); }
QString S_DNH(const QString& page, Progress& progress) { return byView("DNH", page, progress); }
QString S_MR(const QString& page, Progress& progress) { return byView("NMR", page, progress); }
QString S_BRP(const QString& page, Progress& progress) { return byView("BRP", page, progress); }
QString S_IT(const QString& page, Progress& progress) { return byView("IT", page, progress); }
QString S_QR(const QString& page, Progress& progress) { return byView("QR", page, progress); }
QString S_Calls(const QString& page, Progress& progress) { return byView("Call", page, progress); }
QString S_Puts(const QString& page, Progress& progress) { return byView("Put", page, progress); }
QString S_SI(const QString& page, Progress& progress) { return byView("SI", page, progress); }

} // namespace summary
