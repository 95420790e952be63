#include "market/IpoPages.h"

#include "core/Utilities.h"
#include "market/MarketFill.h"
#include "pages/PageScan.h"
#include "pages/PageText.h"
#include "platform/FlexGrid.h"
#include "platform/Runtime.h"

#include <QVariantList>

namespace {

using namespace market;

const QString kTd = QStringLiteral("</td><td>");

// One IPO calendar and how it differs from the others.
struct IpoMember
{
    const char* code;
    const char* message;
    bool upperHtml;      // "<HTML>" and "<Html>" read as "<html>"
    bool commasToCells;  // every "," ends a cell
    int cols;
    int firstLink;       // link columns: 1 and firstLink.. (0: only column 7)
    bool heightAfterRow; // row-end rule B: the filled row gets the double height
    QVariantList alignments;
    int lastCentredHeading;
    const char* title;
    int titleCol;
    bool titleWhite;
    bool hideFirst;      // the last two rows hidden before rows 0 and 1 are set
    QVariantList widths;
    QVariantList headings;
};

QVariantList repeated(QVariantList head, QVariant value, int count)
{
    for (int i = 0; i < count; ++i)
        head << value;
    return head;
}

const QVector<IpoMember>& members()
{
    static const QVariantList gainAlign = repeated({1, 1, 4, 7, 7}, 4, 8);
    static const QVariantList gainWidths = repeated({25, 10, 12, 10, 10, 11}, 9, 8);
    static const QVariantList gainHeadings = {"Company", "Symbol", "Offer Date", "Offer Price", "Recent Close",
                                              "% Gain/Loss", "More Info"};
    static const QVector<IpoMember> list = {
        {"IPO_Price", "Tradewright do not have IPO Prices informain.", false, true, 14, 5, false,
         repeated({4, 1, 1, 7, 7}, 4, 8), 5, "IPO Pricings", 1, false, true, repeated({12, 25, 10, 16, 10}, 9, 9),
         {"Offer Date", "Company", "Symbol", "Proposed Price", "Initial Price", "More Info"}},
        {"IPO_Gain", "Tradewright do not have IPO Gain informain.", false, true, 14, 6, false, gainAlign, 5,
         "IPO Gainers", 0, true, false, gainWidths, gainHeadings},
        {"IPO_Loss", "Tradewright do not have IPO Loss informain.", false, true, 14, 6, false, gainAlign, 5,
         "IPO Losers", 0, true, false, gainWidths, gainHeadings},
        {"IPO_Reg", "Tradewright do not have IPO registration informain.", true, false, 8, 0, true,
         {4, 1, 1, 7, 7, 7, 4, 4}, 7, "IPO Registrations", 1, true, false, {12, 25, 10, 9, 12, 15, 12, 9},
         {"File Date", "Company", "Proposed Symbol", "Shares", "File Amount", "Proposed or Initial Price",
          "Expected IPO Date", "More Info"}},
    };
    return list;
}

bool isLinkColumn(const IpoMember& m, int col)
{
    if (m.firstLink == 0)
        return col == 7;
    return col == 1 || col >= m.firstLink;
}

// The document from the first "<html>" up to its "</html>", tags evened out.
QString cutDocument(const ViewContext& ctx, bool upperHtml)
{
    QString text = ctx.readPage();
    if (upperHtml) {
        ReplaceAll(text, QLatin1String("<HTML>"), QLatin1String("<html>"));
        ReplaceAll(text, QLatin1String("<Html>"), QLatin1String("<html>"));
    }
    const int start = FindText(1, text, QStringLiteral("<html>"));
    const int end = FindText(start, text, QStringLiteral("</html>"));
    QString doc = CutText(text, start, end - start);
    NormaliseTags(doc, true, true, true, true);
    return doc;
}

QString cutBetween(const QString& text, const QString& from, const QString& to)
{
    const int start = FindText(1, text, from);
    const int end = FindText(start, text, to);
    return CutText(text, start, end - start);
}

// Writes the cells of the page's rows at the row and column counters. A cell
// beyond the grid's columns is the grid's range error.
class CellPlacer
{
public:
    CellPlacer(FlexGrid& grid, int row, int stdRowHeight) : m_grid(grid), m_row(row), m_std(stdRowHeight) {}

    int row() const { return m_row; }
    int col() const { return m_col; }

    void put(const QString& text, bool link)
    {
        m_grid.setTextMatrix(m_row, m_col, text);
        if (link)
            MarkRows(m_grid, m_row, m_row, m_col);
        ++m_col;
    }

    // Rule A: the row the next source row fills gets the double height; rule B:
    // the row just filled does.
    void endRow(bool heightAfterRow)
    {
        if (heightAfterRow)
            m_grid.setRowHeight(m_row, 2 * m_std);
        ++m_row;
        m_col = 0;
        m_grid.AddItem(QString());
        if (!heightAfterRow)
            m_grid.setRowHeight(m_row, 2 * m_std);
    }

private:
    FlexGrid& m_grid;
    int m_row;
    int m_col = 0;
    int m_std;
};

// The rows of a section: "<tr" up to its "</tr>"; a row without its "</tr>" ends
// the section when wholeRowsOnly, else it is error 5.
QStringList sectionRows(const QString& text, bool wholeRowsOnly)
{
    if (!wholeRowsOnly)
        return ScanRows(text);
    QStringList rows;
    qsizetype from = 0;
    for (;;) {
        const qsizetype open = text.indexOf(QLatin1String("<tr"), from);
        if (open < 0)
            break;
        const qsizetype close = text.indexOf(QLatin1String("</tr>"), open);
        if (close < 0)
            break;
        rows << text.mid(open, close - open);
        from = close;
    }
    return rows;
}

template <typename Rows, typename IsLink>
void placeRows(CellPlacer& placer, const Rows& rows, bool heightAfterRow, IsLink isLink)
{
    for (const auto& row : rows) {
        for (QStringView cell : CellViews(row))
            placer.put(CleanedCell(cell), isLink(placer.col()));
        placer.endRow(heightAfterRow);
    }
}

void finishHeights(FlexGrid& grid, int stdRowHeight, bool hideFirst, int hiddenRows)
{
    auto hide = [&] {
        for (int i = 1; i <= hiddenRows; ++i)
            grid.setRowHeight(grid.Rows() - i, 0);
    };
    if (hideFirst)
        hide();
    grid.setRowHeight(0, 2 * stdRowHeight);
    grid.setRowHeight(1, 2 * stdRowHeight);
    if (!hideFirst)
        hide();
}

// ---- the calendars ----------------------------------------------------------------

void fillCalendar(const IpoMember& m, const ViewContext& ctx, FlexGrid& grid)
{
    QString doc = cutDocument(ctx, m.upperHtml);
    if (m.commasToCells)
        ReplaceAll(doc, QStringLiteral(","), kTd);
    const QString table = cutBetween(doc, QStringLiteral("More Info"), QStringLiteral("</table>"));

    PrepareGrid(grid, 3, m.cols);
    CellPlacer placer(grid, 2, ctx.stdRowHeight);
    placeRows(placer, RowViews(table), m.heightAfterRow, [&](int col) { return isLinkColumn(m, col); });

    SetColAlign(grid, m.alignments);
    AlignHeadingCells(grid, 0, m.lastCentredHeading, 4);
    grid.setTopRow(1);
    grid.setTextMatrix(1, m.titleCol, QLatin1String(m.title));
    BoldCell(grid, 1, m.titleCol, m.titleWhite);
    finishHeights(grid, ctx.stdRowHeight, m.hideFirst, 2);
    SetColWidths(grid, m.widths);
    SetHeaders(grid, m.headings);
    grid.setRedraw(true);
}

// ---- latest events ----------------------------------------------------------------

void fillLatest(const ViewContext& ctx, FlexGrid& grid)
{
    QString doc = cutDocument(ctx, false);
    ReplaceAll(doc, QStringLiteral(","), kTd);
    ReplaceAll(doc, QLatin1String("&nbsp;"), QLatin1String(" "));

    const int pricings = FindText(1, doc, QStringLiteral("Pricings"));
    const int filings = FindText(pricings, doc, QStringLiteral("Filings"));
    const int withdrawals = FindText(filings, doc, QStringLiteral("Withdrawals"));
    const int news = FindText(withdrawals, doc, QStringLiteral("News"));
    const QString sections[] = {CutText(doc, pricings, filings - pricings),
                                CutText(doc, filings, withdrawals - filings),
                                CutText(doc, withdrawals, news - withdrawals)};
    const char* const headings[] = {"Latest Filings", "Latest Withdrawals"};

    PrepareGrid(grid, 3, 14);
    CellPlacer placer(grid, 1, ctx.stdRowHeight);
    const auto isLink = [](int col) { return col == 1 || col >= 5; };
    for (int s = 0; s < 3; ++s) {
        if (s > 0) {
            // The heading goes into the row the next section fills first.
            grid.setTextMatrix(placer.row(), 2, QLatin1String(headings[s - 1]));
            BoldCell(grid, placer.row(), 2, false);
            WhiteCell(grid, placer.row(), 0);
        }
        placeRows(placer, sectionRows(sections[s], true), false, isLink);
    }

    SetColAlign(grid, repeated({4, 1, 1}, 4, 10));
    AlignHeadingCells(grid, 0, 5, 4);
    grid.setTopRow(1);
    grid.setTextMatrix(1, 2, QStringLiteral("Latest IPO Events"));
    WhiteCell(grid, 1, 0);
    BoldCell(grid, 1, 2, false);
    grid.setRowHeight(grid.Rows() - 1, 0);
    grid.setRowHeight(0, 2 * ctx.stdRowHeight);
    grid.setRowHeight(1, 2 * ctx.stdRowHeight);
    SetColWidths(grid, repeated({9, 9, 20, 18, 12}, 9, 9));
    SetHeaders(grid, {QStringLiteral("Date"), QStringLiteral("Symbol"), QStringLiteral("Company"),
                      QStringLiteral("Price"), QStringLiteral("Action"), QStringLiteral("More Info")});
    grid.setRedraw(true);
}

// ---- withdrawals ------------------------------------------------------------------

// The cells of a withdrawals row: each from one "<td" up to the next; the text
// after the row's last "<td" is no cell.
QList<QStringView> cellsToNextCell(QStringView row)
{
    QList<QStringView> cells;
    const QLatin1String td("<td");
    qsizetype open = row.indexOf(td);
    while (open >= 0) {
        const qsizetype next = row.indexOf(td, open + 1);
        if (next < 0)
            break;
        cells << row.mid(open, next - open);
        open = next;
    }
    return cells;
}

void fillWithdrawals(const ViewContext& ctx, FlexGrid& grid)
{
    QString doc = cutDocument(ctx, false);
    ReplaceAll(doc, QStringLiteral(", "), kTd);  // "1,000" stays whole
    const QString table = cutBetween(doc, QStringLiteral("More Info"), QStringLiteral("</table>"));

    PrepareGrid(grid, 3, 7);
    CellPlacer placer(grid, 2, ctx.stdRowHeight);
    for (QStringView row : RowViews(table)) {
        for (QStringView cell : cellsToNextCell(row)) {
            const QString text = CleanedCell(cell, true);
            const int col = placer.col();
            placer.put(text, false);
            if (col == 2) {
                // A two-character symbol is a placeholder: no profile to open.
                if (text.size() != 2)
                    grid.setTextMatrix(placer.row(), 6, QStringLiteral("Profile"));
                MarkRows(grid, placer.row(), placer.row(), 6);
            }
        }
        placer.endRow(false);
    }

    SetColAlign(grid, {4, 1, 1, 4, 4, 4});
    AlignHeadingCells(grid, 0, 5, 4);
    grid.setTopRow(1);
    grid.setTextMatrix(1, 1, QStringLiteral("IPO Withdrawals"));
    BoldCell(grid, 1, 1, false);
    finishHeights(grid, ctx.stdRowHeight, true, 2);
    SetColWidths(grid, {12, 25, 10, 10, 18, 12, 10});
    SetHeaders(grid, {QStringLiteral("Date Withdrawn"), QStringLiteral("Company"), QStringLiteral("Symbol"),
                      QStringLiteral("Shares"), QStringLiteral("Proposed Price"), QStringLiteral("File Date"),
                      QStringLiteral("More Info")});
    grid.setRedraw(true);
}

// ---- news -------------------------------------------------------------------------

void fillNews(const ViewContext& ctx, FlexGrid& grid)
{
    const QString text = ctx.readPage();
    // The list is the document itself, whatever stands before its "<html>".
    const int start = FindText(1, text, QStringLiteral("<html>"));
    const int end = FindText(start, text, QStringLiteral("</html>"));
    QString list = CutText(text, start, end - start);
    list.remove(QLatin1Char('\t'));
    list.replace(QLatin1Char('\n'), QLatin1Char(' '));
    // A headline's parts (headline, source, time) are separated by "- ".
    ReplaceAll(list, QLatin1String("- "), QLatin1String("\t"));

    PrepareGrid(grid, 2, 5);
    const QLatin1String li("<li>");
    qsizetype open = list.indexOf(li);
    while (open >= 0) {
        qsizetype next = list.indexOf(li, open + 1);
        qsizetype stop = next;
        if (next < 0) {
            // The last headline ends at the list's close, or with the list.
            stop = list.indexOf(QLatin1String("</ul>"), open);
            if (stop < 0)
                stop = list.size();
        }
        const QString item = list.mid(open, stop - open);
        const QString link = HeadlineLink(item);
        const QString cleaned = CleanedCell(item);
        // Headline, source and time (the cleaned item's first three parts between
        // tabs, each trimmed of spaces, a missing one empty) in columns 1 to 3; the
        // link always in column 4.
        QString line;
        line.reserve(cleaned.size() + link.size() + 4);
        qsizetype from = 0;
        for (int part = 0; part < 3; ++part) {
            line += QLatin1Char('\t');
            if (from > cleaned.size())
                continue;
            const qsizetype tab = cleaned.indexOf(QLatin1Char('\t'), from);
            const qsizetype end = tab < 0 ? cleaned.size() : tab;
            line += rt::TrimView(QStringView(cleaned).sliced(from, end - from));
            from = end + 1;
        }
        line += QLatin1Char('\t');
        line += link;
        grid.AddItem(line);
        open = next;
    }

    if (grid.Rows() > 2)
        MarkRows(grid, 2, grid.Rows() - 1, 1);
    SetColAlign(grid, {1, 1, 4, 4});
    grid.setTopRow(1);
    BoldCell(grid, 0, 1, false);
    grid.setRowHeight(0, ctx.stdRowHeight);
    grid.setRowHeight(1, 0);
    SetColWidths(grid, {2, 70, 12, 12, 0});
    SetHeaders(grid, {QString(), QStringLiteral("IPO News"), QStringLiteral("Source"), QStringLiteral("Time")});
    grid.setRedraw(true);
}

} // namespace

QString HeadlineLink(const QString& item)
{
    const QLatin1String href("<a href=");
    const qsizetype at = item.indexOf(href);
    if (at < 0)
        return QString();
    const qsizetype from = at + href.size();
    const qsizetype tagEnd = item.indexOf(QLatin1Char('>'), from);
    if (tagEnd < 0)
        return QString();
    QString address;
    const QChar first = from < item.size() ? item.at(from) : QChar();
    if (first == u'"' || first == u'\'') {
        const qsizetype close = item.indexOf(first, from + 1);
        address = item.mid(from + 1, (close < 0 ? tagEnd : close) - from - 1);
    } else {
        address = item.mid(from, tagEnd - from);
        const qsizetype blank = address.indexOf(QLatin1Char(' '));
        if (blank >= 0)
            address.truncate(blank);
    }
    if (address.startsWith(QLatin1Char('/')))
        address.remove(0, 1);
    return address;
}

void BuildIpoPage(const ViewContext& ctx, FlexGrid& grid)
{
    if (ctx.code == QLatin1String("IPO_Last")) {
        FillOrMessage(QStringLiteral("Tradewright do not have Latest IPO Events informain."),
                      [&] { fillLatest(ctx, grid); });
        return;
    }
    if (ctx.code == QLatin1String("IPO_With")) {
        FillOrMessage(QStringLiteral("Tradewright do not have IPO Withdrawals informain."),
                      [&] { fillWithdrawals(ctx, grid); });
        return;
    }
    if (ctx.code == QLatin1String("IPO_News")) {
        FillOrMessage(QStringLiteral("Tradewright do not have IPO News informain."), [&] { fillNews(ctx, grid); });
        return;
    }
    for (const IpoMember& m : members())
        if (ctx.code == QLatin1String(m.code)) {
            FillOrMessage(QLatin1String(m.message), [&] { fillCalendar(m, ctx, grid); });
            return;
        }
    throw ViewError::untouched();
}
