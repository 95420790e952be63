#include "sheets/FilingSheets.h"

#include "core/Misc.h"
#include "core/Utilities.h"
#include "pages/PageScan.h"
#include "pages/PageText.h"
#include "platform/FlexGrid.h"

namespace {

constexpr int kLinkBlue = 0xFF0000;  // BGR

// The part of the page from marker up to, not including, the next "</html".
QString fromMarkerToEnd(const QString& page, const QString& marker)
{
    const int a = FindText(1, page, marker);
    const int end = FindText(a, page, QStringLiteral("</html"));
    return CutText(page, a, end - a);
}

void startGrid(FlexGrid& grid, int rows, int cols, int stdRowHeight)
{
    grid.setRedraw(false);
    grid.setUpdatesLocked(true);
    grid.Clear();
    grid.setRows(rows);
    grid.setCols(cols);
    grid.setRowHeight(0, stdRowHeight);
    grid.setBackColor(kWhite);
    grid.setGridLines(1);
}

void markLink(FlexGrid& grid, int row, int col)
{
    grid.setRow(row);
    grid.setCol(col);
    grid.setCellForeColor(kLinkBlue);
    grid.setCellFontUnderline(true);
}

QString cleanedFiling(QString cell)
{
    return CleanCell(cell, false, true, false).trimmed();
}

} // namespace

void RewriteFilingAnchors(QString& text)
{
    ReplaceAll(text, QStringLiteral("<A HREF="), QStringLiteral("<>"));
    ReplaceAll(text, QStringLiteral("ALT=\"Full Filing\">"), QStringLiteral("<>"));
    ReplaceAll(text, QStringLiteral("</A>"), QStringLiteral("<>"));
    ReplaceAll(text, QStringLiteral("</a>"), QStringLiteral("<>"));
}

void BuildInsiderTrades(const ViewContext& ctx, FlexGrid& grid)
{
    QString text = ReadFile(ctx.pagePath);
    ctx.eventPass();
    text = fromMarkerToEnd(text, QStringLiteral("Insider Trades"));

    QString table = CutTable(text, 4);
    table.replace(QLatin1Char('\t'), QLatin1Char(' '));
    // A name linked to an .html page splits into the page's name and the name.
    ReplaceAll(table, QStringLiteral("<td><a href=\""), QStringLiteral("<td>"));
    ReplaceAll(table, QStringLiteral(".html\">"), QStringLiteral(".html></td><td>"));

    startGrid(grid, 3, 8, ctx.stdRowHeight);
    int r = 1;
    for (QStringView row : RowViews(table)) {
        int k = 0;
        for (QStringView cell : CellViews(row)) {
            // A ninth cell lies outside the grid: the view fails there.
            grid.setTextMatrix(r, k, cleanedFiling(cell.toString()));
            if (k == 2)
                markLink(grid, r, 2);
            ++k;
        }
        ++r;
        grid.AddItem(QString());
    }

    SetColAlign(grid, {4, 1, 1, 1, 4, 1, 7, 7});
    grid.setRow(0);
    for (int c = 0; c <= 7; ++c) {
        grid.setCol(c);
        grid.setCellAlignment(4);
    }
    grid.setTopRow(1);
    // The title takes the place of the first trade's name.
    grid.setTextMatrix(1, 2, ctx.companyName + QStringLiteral("\r\nInsider Trades"));
    grid.setRow(1);
    grid.setCol(2);
    grid.setCellFontBold(true);
    grid.setCellAlignment(4);
    grid.setCellTextStyle(3);
    grid.setCellBackColor(kWhite);
    grid.setRowHeight(0, ctx.stdRowHeight);
    grid.setRowHeight(1, 3 * ctx.stdRowHeight);
    grid.setRowHeight(grid.Rows() - 1, 0);
    grid.setRowHeight(grid.Rows() - 2, 0);
    SetColWidths(grid, {13, 0, 30, 12, 10, 10, 10, 12});
    SetHeaders(grid, {"Date", "", "Name", "Action", "Shares", "Type", "Price", "Value"});
    grid.setUpdatesLocked(false);
    grid.setRedraw(true);
}

void BuildQuarterlyReports(const ViewContext& ctx, FlexGrid& grid)
{
    QString text = ReadFile(ctx.pagePath);
    ctx.eventPass();
    text = fromMarkerToEnd(text, QStringLiteral("Sort By"));
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    NormaliseTags(text, true, true, true, true);
    ReplaceAll(text, QStringLiteral(":"), QStringLiteral("</td><td>"));
    RewriteFilingAnchors(text);

    // The table after the one holding "Sort By", from the end of its first row.
    const int sortBy = FindText(1, text, QStringLiteral("Sort By"));
    const int firstEnd = FindText(sortBy, text, QStringLiteral("</table>"));
    const int table = FindText(firstEnd, text, QStringLiteral("<table"));
    const int firstRow = FindText(table, text, QStringLiteral("<tr"));
    const int firstRowEnd = FindText(firstRow, text, QStringLiteral("</tr"));
    const int end = FindText(firstRowEnd, text, QStringLiteral("</table>"));
    const QString rows = CutText(text, firstRowEnd, end - firstRowEnd);

    startGrid(grid, 3, 7, ctx.stdRowHeight);
    int r = 2;
    for (QStringView row : RowViews(rows)) {
        int k = 0;
        for (QStringView cell : CellViews(row)) {
            QString value = cleanedFiling(cell.toString());
            if (value.isEmpty())
                continue;
            const qsizetype quote = value.indexOf(QLatin1Char('"'));
            if (quote >= 0) {
                const qsizetype closing = value.indexOf(QLatin1Char('"'), quote + 1);
                if (closing < 0)  // the target's length would be negative
                    throw ViewError::number(5);
                // A target past the last hidden column lies outside the grid.
                grid.setTextMatrix(r, k + 3, value.mid(quote + 1, closing - quote - 1));
                value = value.mid(closing + 1);
            }
            ReplaceAll(value, QLatin1String("&nbsp;"), QLatin1String());
            value.remove(QLatin1Char('\n'));
            value.remove(QLatin1Char('\r'));
            grid.setTextMatrix(r, k, value);
            if (k == 1)
                markLink(grid, r, 1);
            ++k;
        }
        ++r;
        grid.AddItem(QString());
    }

    grid.setRowHeight(0, ctx.stdRowHeight);
    grid.setRowHeight(2, ctx.stdRowHeight);
    grid.setRowHeight(1, 2 * ctx.stdRowHeight);
    grid.setRowHeight(grid.Rows() - 1, 0);
    SetColAlign(grid, {4, 1, 1});
    grid.setTextMatrix(1, 2, ctx.companyName + QStringLiteral(" Quarterly Reports"));
    grid.setRow(1);
    grid.setCol(2);
    grid.setCellFontBold(true);
    grid.setCellTextStyle(3);
    grid.setCellBackColor(kWhite);
    grid.setCellFontUnderline(false);
    grid.setCellAlignment(4);
    grid.setCellFontWidth(4);
    SetColWidths(grid, {15, 15, 66, 0, 0, 0, 0});
    SetHeaders(grid, {"Date", "Fillings"});
    grid.setUpdatesLocked(false);
    grid.setRedraw(true);
}
