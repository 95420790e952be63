#include "market/WorldMarkets.h"

#include "core/Utilities.h"
#include "market/MarketPages.h"
#include "pages/PageScan.h"
#include "pages/PageText.h"
#include "platform/FlexGrid.h"

#include <array>

using namespace market;

namespace {

constexpr int kCols = 12;

void titleRow(const ViewContext& ctx, FlexGrid& grid, int row, const QString& title)
{
    grid.setTextMatrix(row, 1, title);
    grid.setRow(row);
    grid.setCol(1);
    grid.setCellFontBold(true);
    grid.setRowHeight(row, 2 * ctx.stdRowHeight);
    for (int c = 0; c < kCols; ++c) {
        grid.setCol(c);
        grid.setCellBackColor(kWhite);
    }
}

void fillWorld(const ViewContext& ctx, FlexGrid& grid)
{
    QString text = ctx.readPage();
    NormaliseTags(text, true, true, true, true);
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    ReplaceAll(text, QStringLiteral(","), QStringLiteral("</td><td>"));

    // Each region runs from its name up to the next region's name (the last up to
    // the table's end); each name is searched from the start of the region before.
    static const char* const starts[] = {"Americas", "Asia", "Europe", "Africa"};
    static const char* const ends[] = {"Asia", "Europe", "Africa", "</table>"};
    static const char* const titles[] = {"Americas", "Asia/Pacific", "Europe", "Africa/Middle East"};
    std::array<QString, 4> regions;
    int from = 1;
    for (size_t k = 0; k < regions.size(); ++k) {
        const int begin = FindText(from, text, QLatin1String(starts[k]));
        regions[k] = CutBetween(text, QLatin1String(starts[k]), QLatin1String(ends[k]), from);
        from = begin;
    }

    PrepareGrid(grid, 3, kCols, kPaleYellow, 0);
    grid.setRowHeight(0, ctx.stdRowHeight);
    titleRow(ctx, grid, 1, QLatin1String(titles[0]));
    int row = 2;
    for (size_t k = 0; k < regions.size(); ++k) {
        if (k > 0)
            titleRow(ctx, grid, row - 1, QLatin1String(titles[k]));
        // Each row and cell is handed on as it is found, not listed first: a page of
        // many megabytes is not copied once more.
        ForEachUntilOpen(regions[k], QLatin1String("<tr"), QLatin1String("</tr>"), [&](QStringView line) {
            int col = 1;
            ForEachUntilOpen(line, QLatin1String("<td"), QLatin1String("</td>"), [&](QStringView cell) {
                grid.setTextMatrix(row, col++, CleanedCell(cell));
                return true;
            });
            ++row;
            grid.AddItem(QString());
            return true;
        });
    }

    AlignCells(grid, 0, 0, 8, FlexGrid::flexAlignCenterCenter);
    for (int r = 2; r < grid.Rows(); ++r) {
        PutArrow(grid, r, grid.TextMatrix(r, 6));
        for (int c : {3, 8, 9})
            MarkLink(grid, r, c);
    }
    grid.setTopRow(1);
    grid.setRowHeight(2, ctx.stdRowHeight);
    grid.setRowHeight(grid.Rows() - 1, 0);
    grid.setRowHeight(grid.Rows() - 2, 0);
    SetColAlign(grid, {4, 1, 1, 1, 4, 7, 7, 7});
    SetColWidths(grid, {4, 20, 10, 10, 9, 12, 12, 12, 10});
    SetHeaders(grid, {QString(), QStringLiteral("Name"), QString(), QStringLiteral("Symbol"), QStringLiteral("Date"),
                      QStringLiteral("Last Trade"), QStringLiteral("Change"), QStringLiteral("% Change"),
                      QStringLiteral("More Info")});
    grid.setRedraw(true);
}

} // namespace

void FG_WMarket(const ViewContext& ctx, FlexGrid& grid)
{
    WithMessage([&] { fillWorld(ctx, grid); }, {5, 53}, QStringLiteral("No Data were found"));
}
