#include "reports/ReportMembers.h"

#include "pages/PageCatalogue.h"
#include "pages/PageScan.h"
#include "pages/PageText.h"
#include "platform/Runtime.h"
#include "platform/Sites.h"
#include "reports/ReportLayout.h"
#include "reports/Reports.h"
#include "reports/ViewJoin.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>
#include <vector>

namespace reports {
namespace {

// How a report looks for the tags of its table. First with their letter case as the
// page's rewrites leave them (a page that gives a table that way always gives the
// same report); a report whose walk found no row looks again without regard to case
// (a page written with "<TABLE>", "<Tr>" or "</Table>").
struct TagSearch
{
    Qt::CaseSensitivity cs = Qt::CaseSensitive;
    bool rows = false;  // the walk handed at least one row

    int find(const QString& text, int start, const char* tag) const { return FindQuiet(text, start, tag, cs); }
};

using Layout = QString (*)(const QString& source, const Frame& frame, TagSearch& tags);

// The report layOut makes of source, looking for the tags in their case first and,
// when that found no row, without regard to case; the first report when neither did.
template <Layout layOut>
QString anyTagCase(const QString& source, const Frame& frame)
{
    TagSearch exact;
    QString report = layOut(source, frame, exact);
    if (exact.rows)
        return report;
    TagSearch anyCase{Qt::CaseInsensitive};
    QString again = layOut(source, frame, anyCase);
    return anyCase.rows ? again : report;
}

// The rows and cells of a report's table: every "<tr".."</tr>" row, and in it every
// "<td".."</td>" cell, cleaned, with its column slot counted from 0 (a cell may move
// the slot on); the walk of a row ends once the slot passes the row's length.
template <typename CellFn, typename RowFn>
void walkTable(const QString& table, TagSearch& tags, CellFn&& onCell, RowFn&& onRowEnd)
{
    ForEachUntilOpen(
        table, "<tr", "</tr>",
        [&](QStringView row) {
            tags.rows = true;
            int slot = 0;
            ForEachUntilOpen(
                row, "<td", "</td>",
                [&](QStringView cell) {
                    onCell(CleanedCell(cell), slot);
                    return ++slot <= row.size();
                },
                tags.cs);
            onRowEnd();
            return true;
        },
        tags.cs);
}

struct Heading
{
    const char* cleanedText;  // the cell's text as the page has it
    const char* shown;        // the markup's text
};

// A section heading's cell: its markup opens a spanning row and the slot moves to
// 4, so the heading cell is written there and a further cell lands in slot 5. The
// markup is written as it stands (its "&amp;" is already an entity).
bool sectionHeading(const QString& cell, std::initializer_list<Heading> headings, const char* before,
                    const char* after, QString& text, int& slot)
{
    for (const Heading& h : headings) {
        if (cell == QLatin1String(h.cleanedText)) {
            text = QLatin1String(before) + QLatin1String(h.shown) + QLatin1String(after);
            slot = 4;
            return true;
        }
    }
    return false;
}

// The table after anchor: from the next "<table" up to its "</table>".
QString tableAfter(const QString& page, const char* anchor, const TagSearch& tags)
{
    const int start = tags.find(page, FindQuiet(page, 1, anchor), "<table");
    return CutRange(page, start, tags.find(page, start, "</table>"));
}

// Room for a table's report rows in one block, so the text is not moved as it grows:
// a row of the reports takes up to about four times the characters of its source.
void reserveRows(QString& out, const QString& table, const Frame& frame)
{
    reserveLarge(out, out.size() + 4 * table.size() + frame.footer.size());
}

// ---- the balance sheet -------------------------------------------------------------

QString layOutABS(const QString& source, const Frame& frame, TagSearch& tags)
{
    QString page = source;
    ReplaceAll(page, {{"\t", " "}, {"TD", "td"}, {"Td", "td"}, {"TR", "tr"}, {"TH", "th"},
                   {"</font></font>", "</font>"}, {"ii", ""}});
    const QString table = tableAfter(page, "Annual Balance Sheet", tags);
    RowPage rows{frame.head + QStringLiteral("<TR>")};
    reserveRows(rows.html, table, frame);
    walkTable(
        table, tags,
        [&](const QString& cell, int& slot) {
            QString text;
            if (!sectionHeading(cell,
                                {{"Assets", "Assets"},
                                 {"Liabilities & Shareholder's Equity", "Liabilities &amp; Shareholder's Equity"},
                                 {"Shareholders' Equity", "Shareholders' Equity"}},
                                "</TD></TR><TR><TD HEIGHT=\"30\" ROWSPAN=\"2\" COLSPAN=\"6\" VALIGN=\"BOTTOM\"><b><u>",
                                "</u></b></TD></TR><TR>", text, slot))
                text = EscapeHtmlText(cell);
            if (slot == 0)
                addCell(rows.html, "<TD WIDTH=\"50%\"><FONT color=#484848 size=-1>", text, "</FONT></td>");
            else if (slot <= 5)
                addCell(rows.html, "<TD ALIGN=\"RIGHT\" WIDTH=\"10%\"><FONT color=#484848 size=-1>", text,
                                      "</FONT></td>");
        },
        [&] { rows.endRow(); });
    return rows.finish(frame.footer);
}

// ---- the income statement ----------------------------------------------------------

enum Style { HeaderStyle, PlainStyle, BoldStyle };

Style styleOfRow(int r)
{
    static constexpr std::array<int, 11> bold{3, 5, 8, 13, 15, 16, 19, 20, 21, 23, 24};
    if (r == 0)
        return HeaderStyle;
    return std::find(bold.begin(), bold.end(), r) != bold.end() ? BoldStyle : PlainStyle;
}

QString layOutAIS(const QString& source, const Frame& frame, TagSearch& tags)
{
    // The cut comes first, on the page as it is stored; only the table is rewritten.
    QString table = tableAfter(source, "Annual Income Statement", tags);
    ReplaceAll(table, {{"\t", " "}, {"TD", "td"}, {"Td", "td"}, {"TR", "tr"}, {"TH", "th"}, {"ii", ""},
                    {"<th colspan=5>", "<th>"}, {" colspan=5>", "></td><td></td><td></td><td></td><td>"}});

    // Opening and closing of a cell by style and by slot (0, 1 to 4, 5).
    static const char* const templates[3][3][2] = {
        {{"<TH WIDTH=\"50%\" height=\"30\">", "&nbsp;</TH>"},
         {"<TH ALIGN=\"RIGHT\" WIDTH=\"10%\">", "<HR></TH>"},
         {"<TH ALIGN=\"RIGHT\" WIDTH=\"10%\" HEIGHT=\"26\">", "<HR></TH>"}},
        {{"<TD WIDTH=\"40%\"><FONT color=#484848 size=-1>", "</FONT></td>"},
         {"<TD ALIGN=\"RIGHT\"><FONT color=#484848 size=-1>", "</FONT></td>"},
         {"<TD ALIGN=\"RIGHT\"><FONT color=#484848 size=-1>", "</FONT></td>"}},
        {{"<TD ALIGN=\"LEFT\" nowrap><B><FONT size=-1 color=#000099>", "</FONT></B></td>"},
         {"<TD ALIGN=\"RIGHT\"><B><FONT size=-1 color=#484848>", "</B></FONT></td>"},
         {"<TD ALIGN=\"RIGHT\"><B><FONT size=-1 color=#484848>", "</B></FONT></td>"}},
    };

    RowPage rows{frame.head + QStringLiteral("<TR>")};
    int r = 0;  // rows in which a slot-5 cell was written
    bool lastSlotWritten = false;
    walkTable(
        table, tags,
        [&](const QString& cell, int& slot) {
            QString text;
            if (!sectionHeading(cell, {{"Depreciation Footnote", "Depreciation Footnote"},
                                       {"Earnings Per Share Data", "Earnings Per Share Data"}},
                                "</TD></TR><TR><TD ROWSPAN=\"2\" COLSPAN=\"6\" VALIGN=\"BOTTOM\"><i><u>",
                                "</u></i></TD></TR><TR>", text, slot))
                text = EscapeHtmlText(cell);
            if (r > 24 || slot > 5)
                return;
            const int column = slot == 0 ? 0 : slot == 5 ? 2 : 1;
            const auto& t = templates[styleOfRow(r)][column];
            addCell(rows.html, t[0], text, t[1]);
            lastSlotWritten = lastSlotWritten || slot == 5;
        },
        [&] {
            if (lastSlotWritten)
                ++r;
            lastSlotWritten = false;
            rows.endRow();
        });
    return rows.finish(frame.footer);
}

// ---- the option reports --------------------------------------------------------------

QString buildOptions(const QString& source, const Frame& frame, bool calls)
{
    const QStringView data = Reports::OptionData(source);
    RowPage rows{frame.head + QStringLiteral("<TR>")};
    // The page is laid out in one block.
    const QString address = Sites::Address(Site::OptionQuotes, QStringLiteral("/cgi-bin/cboeget.exe?TICKER="));
    reserveLarge(rows.html, rows.html.size() + frame.footer.size() + optionLayoutSize(data, 110 + address.size(), 72));
    rows.html += calls ? QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"20%\" HEIGHT=\"26\">Calls</th>\r\n")
                       : QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"25%\" HEIGHT=\"26\">Puts</th>\r\n");
    for (const char* caption : {"Last Sale", "Net", "Bid", "Ask", "Vol", "Open Int"})
        addCell(rows.html, calls ? "<TH ALIGN=\"CENTER\" WIDTH=\"13%\" HEIGHT=\"26\">" : "<TH ALIGN=\"CENTER\" WIDTH=\"12%\">",
                              QLatin1String(caption), "</th>");
    rows.html += QStringLiteral("</TR>\r\n<TR>");

    const int first = calls ? 1 : 8;    // the field that holds the name
    const int needed = calls ? 2 : 8;   // commas a line needs before it shows anything
    forEachOptionLine(data, [&](const OptionLine& line) {
        // The calls' name goes out with the field after it, the puts' once its own
        // field is closed.
        if (line.fields() >= needed) {
            const QString name = line.field(first);
            rows.html += (calls ? QStringLiteral("<Td Align=\"Left\" Width=\"25%\">")
                                : QStringLiteral("<Td Align=\"Left\" Width=\"12%\">"))
                         + QStringLiteral("<Font color=#484848 size=-1><a href=\"")
                         + EscapeHtmlAttribute(address + optionSymbol(name)) + QStringLiteral("\">")
                         + EscapeHtmlText(name)
                         + (calls ? QStringLiteral("</a></FONT></td>\r\n") : QStringLiteral("</a></Font></td>\r\n"));
            for (int k = first + 1; k <= first + 6 && k <= line.fields(); ++k)
                addCell(rows.html, "<Td Align=\"Right\" Width=\"12%\"><Font color=#484848 size=-1>",
                                      EscapeHtmlText(line.field(k)), "</Font></td>");
        }
        rows.endRow();
    });
    return rows.finish(frame.footer);
}

QString buildCalls(const QString& source, const Frame& frame)
{
    return buildOptions(source, frame, true);
}

QString buildPuts(const QString& source, const Frame& frame)
{
    return buildOptions(source, frame, false);
}

// ---- insider trades ------------------------------------------------------------------

QString layOutIT(const QString& source, const Frame& frame, TagSearch& tags)
{
    const int start = FindQuiet(source, 1, "Insider Trades");
    QString text = CutRange(source, start, FindQuiet(source, start, "</html"));
    QString table = CutTable(text, 4);
    ReplaceAll(table, {{"\t", " "}, {"TD", "td"}, {"Td", "td"}, {"TR", "tr"}, {"TH", "th"},
                    {"<td><a href=\"", "<td>"}, {".html\">", ".html></td><td>"}});

    RowPage rows{frame.head + QStringLiteral("<TR>")};
    reserveRows(rows.html, table, frame);
    static const std::pair<const char*, const char*> headings[] = {
        {"Date", "13%"}, {"Name", "20%"},  {"Action", "15%"},   {"Shares", "13%"},
        {"Type", "13%"}, {"Price", "15%"}, {"Value Int", "15%"},
    };
    for (const auto& [caption, width] : headings)
        rows.html += QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"") + QLatin1String(width) + QStringLiteral("\">")
                     + QLatin1String(caption) + QStringLiteral("<HR></th>\r\n");
    rows.html += QStringLiteral("</TR>\r\n<TR>");

    const QString site = Sites::Address(Site::BusinessNews, QStringLiteral("/"));
    QString linkPath;  // slot 1 of the last row that had one
    walkTable(
        table, tags,
        [&](const QString& cell, int& slot) {
            const char* open = nullptr;
            switch (slot) {
            case 0: open = "<TD ALIGN=\"CENTER\" Height =30><FONT size=-1 color=#151515>"; break;
            case 1: linkPath = cell; return;
            case 2:
                rows.html += QStringLiteral("<TD ALIGN=\"LEFT\"><a href=\"") + EscapeHtmlAttribute(site + linkPath)
                             + QStringLiteral("\"><small>") + EscapeHtmlText(cell)
                             + QStringLiteral("<small></a></Font></td>\r\n");
                return;
            case 3: open = "<TD ALIGN=\"LEFT\"><FONT size=-1 color=#151515>"; break;
            case 4:
            case 6:
            case 7: open = "<TD ALIGN=\"RIGHT\"><FONT size=-1 color=#151515>"; break;
            case 5: open = "<TD ALIGN=\"CENTER\"><FONT size=-1 color=#151515>"; break;
            default: return;
            }
            addCell(rows.html, open, EscapeHtmlText(cell), "</Font></td>");
        },
        [&] { rows.endRow(); });
    return rows.finish(frame.footer);
}

// ---- short interest --------------------------------------------------------------------

QString layOutSI(const QString& source, const Frame& frame, TagSearch& tags)
{
    QString page = source;
    ReplaceAll(page, {{"TR", "tr"}, {"Tr", "tr"}, {"TD", "td"}, {"Td", "td"}, {"Th", "th"}, {"TABLE", "table"}});
    const int start = FindQuiet(page, 1, "Cover");
    const QString table = CutRange(page, start, tags.find(page, start, "</table>"));

    // One text holds the whole page: the head is there with or without rows.
    QString text = frame.head + QStringLiteral("<TR>");
    reserveRows(text, table, frame);
    for (const char* caption : {"Settlement Date", "Short Interest", "Avg Daily Share Volume", "Days to Cover"})
        addCell(text, "<TH ALIGN=\"CENTER\"  nowrap>", QLatin1String(caption), "<HR></th>");
    text += QStringLiteral("<tr>");
    walkTable(
        table, tags,
        [&](const QString& cell, int& slot) {
            addCell(text,
                    slot == 0 ? "<TD ALIGN=\"left\"><FONT size=-1 color=#151515>"
                              : "<TD ALIGN=\"right\"><FONT size=-1 color=#484848>",
                    EscapeHtmlText(cell), "</Font></td>");
        },
        [&] { text += QStringLiteral("</TR>\r\n<TR>"); });
    text += QLatin1String("</TR>");
    text += frame.footer;
    return text;
}

// ---- quarterly reports -------------------------------------------------------------------

QString layOutQR(const QString& source, const Frame& frame, TagSearch& tags)
{
    const int begin = FindQuiet(source, 1, "Sort By");
    QString text = CutRange(source, begin, FindQuiet(source, begin, "</html"));
    ReplaceAll(text, {{"\t", " "}, {"TABLE", "table"}, {"TD", "td"}, {"Td", "td"}, {"TR", "tr"}, {"Tr", "tr"},
                   {":", "</td><td>"}, {"<A HREF=", "<>"}, {"ALT=\"Full Filing\">", "<>"}, {"/A", ""}});
    // The first row of the table after the one that follows "Sort By" is skipped.
    int at = FindQuiet(text, 1, "Sort By");
    for (const char* marker : {"</table>", "<table", "<tr", "</tr"})
        at = tags.find(text, at, marker);
    const QString table = CutRange(text, at, tags.find(text, at, "</table>"));

    RowPage rows{frame.head
                                + QStringLiteral("<TR><TH ALIGN=\"LEFT\" WIDTH=\"15%\" HEIGHT=\"26\">Date<HR></th>"
                                                 "<TH ALIGN=\"LEFT\" WIDTH=\"15%\">Filings<HR></th>"
                                                 "<TH ALIGN=\"LEFT\" WIDTH=\"70%\">More Info<HR></th></TR><TR>")};
    reserveRows(rows.html, table, frame);
    int count = 0;  // non-empty cells of the row: three are written, the fourth is not
    walkTable(
        table, tags,
        [&](const QString& cell, int&) {
            if (cell.isEmpty())
                return;
            if (count == 3) {
                count = 0;
                return;
            }
            addCell(rows.html, "<TD><FONT color=#484848 size=-1>", filingCell(cell), "</FONT></td>");
            ++count;
        },
        [&] {
            count = 0;
            rows.endRow();
        });
    return rows.finish(frame.footer);
}

// ---- the earnings family ---------------------------------------------------------------------

struct Earnings
{
    bool titleCaseRows;        // "Tr" made "tr" too
    const char* anchor;        // the section heading (or the heading's anchor)
    bool sectionTable;         // labels from a section table, values after it
    bool breakBeforeBracket;   // "(" in the headings gets a line end in front
    const char* firstHeading;  // the empty heading cell that opens the header row
    const char* headingOpen;
    int headings;
    const char* labelOpen;
    const char* labelClose;
    const char* valueOpen;
    const char* valueClose;
    int rows;
    int values;
    int rowSlots;  // row slots joined (the growth report has an empty last one)
};

const char* const kEstimateValue = "<td align=\"center\"><FONT color=#484848>";

QString buildEarnings(const QString& source, const Frame& frame, const Earnings& e)
{
    QString page = source;
    ReplaceAll(page, {{"\n", " "}, {"\t", " "}, {"TR", "tr"}});
    if (e.titleCaseRows)
        ReplaceAll(page, {{"Tr", "tr"}});
    ReplaceAll(page, {{"TD", "td"}, {"Td", "td"}, {"TH", "th"}, {"Th", "th"}});

    EstimatePieces pieces = estimatePieces(page, e.sectionTable, e.anchor, "<tr>", "</tr>");
    QString& headingPiece = pieces.heading;
    const QString& labelTable = pieces.labels;
    QString& valuePiece = pieces.values;
    if (e.breakBeforeBracket)
        ReplaceAll(headingPiece, {{"(", "\r\n("}});
    ReplaceAll(valuePiece, {{"<br>", "</td><td></td><td>"}});

    // The header row: a heading for each non-empty heading cell; a page with fewer
    // gives blank headings, so the row keeps its full width.
    QString html = frame.head + QLatin1String(e.firstHeading);
    int headings = 0;
    ForEachUntilOpen(headingPiece, "<th", "</th>", [&](QStringView th) {
        const QString text = CleanedCell(th);
        if (!text.isEmpty()) {
            html += QLatin1String(e.headingOpen) + EscapeHtmlText(text) + QStringLiteral("<HR></th>");
            ++headings;
        }
        return headings < e.headings;
    });
    for (; headings < e.headings; ++headings)
        html += QLatin1String(e.headingOpen) + QStringLiteral("&nbsp;<HR></th>");
    html += QStringLiteral("</tr>");

    QStringList rows(e.rowSlots);
    const auto label = [&](int row, const QString& text) {
        rows[row] += QLatin1String(e.labelOpen) + EscapeHtmlText(text) + QLatin1String(e.labelClose);
    };
    const auto value = [&](int k, const QString& text) {
        rows[k % e.rows] += QLatin1String(e.valueOpen) + EscapeHtmlText(text) + QLatin1String(e.valueClose);
    };
    int labels = 0;
    if (e.sectionTable) {
        ForEachUntilOpen(labelTable, "<tr", "</tr>", [&](QStringView tr) {
            const QString text = CleanedCell(tr);
            if (!text.isEmpty())
                label(labels++, text);
            return labels < e.rows;
        });
        labels = 0;  // every value cell of the piece is a value
    } else {
        labels = e.rows;  // the first cells of the piece are the labels
    }
    int k = 0;
    // Cells after the last value are dropped: the walk stops there.
    ForEachUntilOpen(valuePiece, "<td", "</td>", [&](QStringView td) {
        const QString text = CleanedCell(td);
        if (!text.isEmpty()) {
            if (k < labels)
                label(k, text);
            else
                value(k - labels, text);
            ++k;
        }
        return k < labels + e.values;
    });
    return html + QStringLiteral("<tr>") + rows.join(QStringLiteral("</tr><tr>")) + QStringLiteral("</tr>")
           + frame.footer;
}

// The four members: consensus trend, estimates, history, growth.
const Earnings kEarnings[] = {
    {false, "Consensus EPS Trend", true, true, "<TR><th align=\"center\" width=\"40%\" height=\"50\" nowrap>&nbsp;</th>",
     "<th align=\"center\" width=\"15%\" height=\"50\">", 4, "<td align=\"Left\"><B>", "</b></td>",
     "<td align=\"center\">", "</td>", 5, 20, 5},
    {true, "Earnings Estimates<br>", true, true, "<TR><th align=\"center\" width=\"40%\" height=\"50\" nowrap>&nbsp;</th>",
     "<th align=\"center\" width=\"15%\" height=\"50\">", 4, "<td align=\"Left\"><B><FONT>", "</font></b></td>",
     kEstimateValue, "</font></td>", 6, 24, 6},
    {true, "Earnings History", false, false, "<TR><th align=\"left\" width=\"28%\" height=\"50\" nowrap>&nbsp;</th>",
     "<th align=\"center\" width=\"12%\">", 6, "<td align=\"left\"><b><FONT>", "</font></b></td>", kEstimateValue,
     "</font></td>", 4, 20, 4},
    {true, "Earnings Growth", false, true, "<TR><th align=\"left\" width=\"16%\" height=\"50\" nowrap>&nbsp;</th>",
     "<th align=\"center\" width=\"12%\">", 7, "<td align=\"left\"><b><FONT>", "</font></b></td>", kEstimateValue,
     "</font></td>", 3, 18, 4},
};

template <std::size_t I>
QString buildEarningsMember(const QString& source, const Frame& frame)
{
    return buildEarnings(source, frame, kEarnings[I]);
}

const char* const kCallsQuestion = "There is to many records, and it might take time.\r\n(Up to 5 minuets).\r\n"
                                   "Click Cancel to cancel this operation, or OK to continue";
const char* const kPutsQuestion = "There is to many records, and it might take time.\r\n(Up to 5 minuets)\r\n"
                                  "Click Cancel to cancel this operation, or OK to continue";

// What each writer decides itself, attached to its view's row in the page catalogue
// by the view code.
struct Writer
{
    const char* view;
    const char* colour;
    const char* border;
    const char* spacing;
    const char* padding;
    Builder build;
    const char* question;
};

const Writer kWriters[] = {
    {"ABS", "#FFFEEA", "0", "1", "0", anyTagCase<layOutABS>, nullptr},
    {"AIS", "#FFFEEA", "0", "1", "0", anyTagCase<layOutAIS>, nullptr},
    {"Call", "#FFFEEA", "1", "0", "0", buildCalls, kCallsQuestion},
    {"Put", "#EFFAF9", "1", "0", "0", buildPuts, kPutsQuestion},
    {"IT", "", "1", "0", "0", anyTagCase<layOutIT>, nullptr},
    {"EC", "#FFFEEA", "0", "1", "3", buildEarningsMember<0>, nullptr},
    {"ER", "#FFFEEA", "0", "1", "3", buildEarningsMember<1>, nullptr},
    {"EH", "#FFFEEA", "0", "1", "3", buildEarningsMember<2>, nullptr},
    {"EG", "#FFFEEA", "0", "1", "3", buildEarningsMember<3>, nullptr},
    {"QR", "#FFFEEA", "0", "1", "0", anyTagCase<layOutQR>, nullptr},
    {"SI", "#FFFEEA", "0", "4", "1", anyTagCase<layOutSI>, nullptr},
};

// Every view of the catalogue that has a report, with its writer.
std::vector<Member> makeMembers()
{
    return joinViews(
        kWriters, [](const pages::View& view) { return !view.reportFolder.isEmpty(); },
        [](const pages::PageKind& kind, const pages::View& view, const Writer& writer) {
            return Member{view.code, pages::StockPageSuffix(kind), view.reportFolder, view.reportName,
                          view.reportSubtitle, !view.htmlReportInZoom, writer.colour, writer.border,
                          writer.spacing, writer.padding, writer.build, writer.question};
        });
}

} // namespace

const Member* findMember(const QString& code)
{
    static const std::vector<Member> members = makeMembers();
    for (const Member& m : members)
        if (code == m.code)
            return &m;
    return nullptr;
}

} // namespace reports
