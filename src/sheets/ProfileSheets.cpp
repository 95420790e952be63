#include "sheets/ProfileSheets.h"

#include "core/Misc.h"
#include "core/Utilities.h"
#include "pages/PageScan.h"
#include "pages/PageText.h"
#include "platform/FlexGrid.h"

namespace {

constexpr int kProfileText = 0x404040;  // dark grey

QString cleanedProfile(QString cell)
{
    return CleanCell(cell, false, true, false).trimmed();
}

} // namespace

QString CutProfile(const QString& page, bool* found)
{
    if (found)
        *found = false;
    const qsizetype from = page.indexOf(QLatin1String("<hr"));
    if (from < 0)
        return QString();
    const qsizetype to = page.indexOf(QLatin1String("<hr"), from + 1);
    if (to < 0)
        return QString();
    if (found)
        *found = true;
    return page.mid(from, to - from);
}

void BuildProfile(const ViewContext& ctx, FlexGrid& grid)
{
    const QString page = ReadFile(ctx.pagePath);
    ctx.eventPass();
    bool found = false;
    QString text = CutProfile(page, &found);
    if (!found)
        throw ViewError::number(5);
    text.remove(QChar(8));
    text.remove(QLatin1Char('\t'));
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char('\r'));
    ReplaceAll(text, QStringLiteral(". "), QStringLiteral("\r\n"));

    grid.setRedraw(false);
    grid.setUpdatesLocked(true);
    grid.Clear();
    grid.setRows(2);
    grid.setCols(3);
    grid.setRowHeight(0, ctx.stdRowHeight);
    grid.setBackColor(kWhite);
    grid.setGridLines(0);

    text = cleanedProfile(text);
    if (!text.isEmpty())
        grid.setTextMatrix(1, 1, text);
    grid.setRowHeight(0, ctx.stdRowHeight);
    grid.setRowHeight(1, 7 * ctx.stdRowHeight);
    SetColAlign(grid, {0});
    for (int r = 0; r <= 1; ++r)
        for (int c = 0; c <= 2; ++c) {
            grid.setRow(r);
            grid.setCol(c);
            grid.setCellBackColor(kWhite);
        }
    grid.setRow(0);
    grid.setCol(1);
    grid.setCellFontBold(true);
    grid.setCellTextStyle(3);
    grid.setCellFontUnderline(false);
    grid.setCellAlignment(4);
    grid.setCellFontWidth(4);
    grid.setRow(1);
    grid.setCol(1);
    grid.setCellBackColor(kWhite);
    grid.setCellForeColor(kProfileText);
    grid.setCellAlignment(1);
    SetColWidths(grid, {1, 97, 1});
    SetHeaders(grid, {"", ctx.symbol + QStringLiteral(" (") + ctx.companyName + QStringLiteral(") Profile")});
    grid.setUpdatesLocked(false);
    grid.setRedraw(true);
}

void BuildShortInterest(const ViewContext& ctx, FlexGrid& grid)
{
    QString text = ReadFile(ctx.pagePath);
    ctx.eventPass();
    text.remove(QLatin1Char(' '));
    ReplaceAll(text, QStringLiteral("\r\n"), QString());
    NormaliseTags(text, true, true, true, true);
    const int cover = FindText(1, text, QStringLiteral("Cover"));
    const int end = FindText(cover, text, QStringLiteral("</table>"));
    const QString table = CutText(text, cover, end - cover);

    grid.setRedraw(false);
    grid.Clear();
    grid.setRows(2);
    grid.setCols(4);
    grid.setBackColor(kWhite);
    grid.setGridLines(1);
    for (QStringView row : RowViews(table)) {
        QString line;
        for (QStringView cell : CellViews(row)) {
            line += cleanedProfile(cell.toString());
            line += QLatin1Char('\t');
        }
        grid.AddItem(line);
    }
    grid.setRowHeight(0, ctx.stdRowHeight);
    grid.setRowHeight(1, 2 * ctx.stdRowHeight);
    grid.setRow(0);
    for (int c = 0; c <= 3; ++c) {
        grid.setCol(c);
        grid.setCellAlignment(3);
    }
    grid.setTextMatrix(1, 0, ctx.symbol + QStringLiteral("\r\nShort Interest"));
    grid.setRow(1);
    grid.setCol(0);
    grid.setCellFontBold(true);
    grid.setCellTextStyle(3);
    grid.setRedraw(true);
    SetColWidths(grid, {20, 25, 25, 25});
    SetColAlign(grid, {4, 7, 7, 7});
    SetHeaders(grid, {"Settlement Date ", "Short Interest", "Avg Daily Share Volume", "Days to Cover"});
}
