#include "market/OptionsSummary.h"

#include "core/Utilities.h"
#include "market/MarketFill.h"
#include "pages/PageScan.h"
#include "pages/PageText.h"
#include "platform/FlexGrid.h"

namespace {

struct SummaryTable
{
    const char* anchor;
    const char* title;
    const char* changeHeader;
};

const SummaryTable kTables[] = {
    {"Leaders", "Top 10 Option Volume Leaders", "Pct Change"},
    {"Gainers", "Top 10 Option Percentage Gainers", "Pct Gain"},
    {"Losers", "Top 10 Option Percentage Losers", "Pct Loss"},
};

void fillSummary(const SummaryTable& table, const ViewContext& ctx, FlexGrid& grid)
{
    using namespace market;
    QString text = ctx.readPage();
    NormaliseTags(text, true, true, true, true);

    // The anchor word is found wherever it first stands in the page.
    const int start = FindText(1, text, QLatin1String(table.anchor));
    const int end = FindText(start, text, QStringLiteral("</table>"));
    const QString section = CutText(text, start, end - start);

    PrepareGrid(grid, 1, 5);
    // The first row after the anchor is the title row; every row block is a grid
    // row, one without cells an empty one.
    for (QStringView row : RowViews(section))
        grid.AddItem(JoinedLine(row, false));
    // A table without rows still shows its title row and headings.
    if (grid.Rows() < 2)
        grid.setRows(2);

    AlignHeadingCells(grid, 0, 4, 4);
    for (int r = 2; r < grid.Rows(); ++r) {
        ColourBySign(grid, r, 2);
        ColourBySign(grid, r, 3);
    }
    grid.setTopRow(1);
    grid.setTextMatrix(1, 0, QLatin1String(table.title));
    BoldCell(grid, 1, 0, false);
    grid.setRowHeight(0, ctx.stdRowHeight);
    grid.setRowHeight(1, 2 * ctx.stdRowHeight);
    SetColWidths(grid, {24, 18, 18, 18, 18});
    SetColAlign(grid, {1, 7, 7, 7, 7});
    SetHeaders(grid, {QStringLiteral("Symbol"), QStringLiteral("Last"), QStringLiteral("Change"),
                      QLatin1String(table.changeHeader), QStringLiteral("Volume")});
    grid.setRedraw(true);
}

} // namespace

void BuildOptionsSummary(const ViewContext& ctx, FlexGrid& grid)
{
    const int n = market::TableNumber(ctx.key, 3);
    if (n < 0)
        throw ViewError::untouched();
    market::FillOrMessage(QStringLiteral("Tradewright do not have Options market informain."),
                          [&] { fillSummary(kTables[n], ctx, grid); });
}
