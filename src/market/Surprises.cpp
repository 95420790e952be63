#include "market/Surprises.h"

#include "core/Utilities.h"
#include "market/MarketPages.h"
#include "pages/PageScan.h"
#include "pages/PageText.h"
#include "platform/FlexGrid.h"

using namespace market;

namespace {

void titleRow(const ViewContext& ctx, FlexGrid& grid)
{
    grid.setRow(1);
    grid.setCol(0);
    grid.setCellBackColor(kWhite);
    grid.setTextMatrix(1, 1, QStringLiteral("Top Daily Earnings"));
    grid.setRowHeight(1, 2 * ctx.stdRowHeight);
    grid.setCol(1);
    grid.setCellAlignment(FlexGrid::flexAlignLeftCenter);
    grid.setCellFontBold(true);
    grid.setCellTextStyle(FlexGrid::flexTextRaisedLight);
    grid.setCellBackColor(kWhite);
}

void fillSurprises(const ViewContext& ctx, FlexGrid& grid)
{
    QString text = ctx.readPage();
    NormaliseTags(text, true, true, true, true);
    QString table = CutBetween(text, QStringLiteral("<table"), QStringLiteral("</table>"));
    table.replace(QLatin1Char('\t'), QLatin1Char(' '));

    PrepareGrid(grid, 2, 5, kWhite, 1);
    grid.setRowHeight(0, ctx.stdRowHeight);
    // The column carries on from row to row: it returns to 0 only after a row's
    // fifth cell, so a short row's cells and the next row's share a grid row.
    int row = 0;
    int col = 0;
    for (QStringView line : RowViews(table)) {
        int n = 0;
        for (QStringView cell : CellViews(line)) {
            const QString value = CleanedCell(cell);
            if (row == 1) {
                titleRow(ctx, grid);
                row = 2;
            } else if (row > 1) {
                MarkLink(grid, row, 0);
            }
            if (n < 5)
                grid.setTextMatrix(row, col, value);
            if (n == 4) {
                ++row;
                col = -1;
                grid.AddItem(QString());
            }
            ++col;
            ++n;
        }
    }
    SetColAlign(grid, {1, 1, 4, 4, 4});
    grid.setRowHeight(0, ctx.stdRowHeight);
    AlignCells(grid, 0, 0, 4, FlexGrid::flexAlignCenterTop);
    grid.setRowHeight(grid.Rows() - 1, 0);
    SetColWidths(grid, {10, 32, 18, 18, 18});
    grid.setRedraw(true);
}

} // namespace

QString SurprisesMessage()
{
    return QStringLiteral("The 25 Top Earning data is bad, connect to Internet, and update again.");
}

void FG_SUP(const ViewContext& ctx, FlexGrid& grid)
{
    try {
        WithMessage([&] { fillSurprises(ctx, grid); }, {5, 53}, SurprisesMessage());
    } catch (const ViewError& e) {
        if (e.kind() == ViewError::Message)
            throw;
        throw ViewError::untouched();  // other errors show nothing
    } catch (const std::exception&) {
        throw ViewError::untouched();
    }
}
