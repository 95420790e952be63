#include "market/Funds.h"

#include "core/Utilities.h"
#include "market/MarketFill.h"
#include "pages/PageScan.h"
#include "pages/PageText.h"
#include "platform/FlexGrid.h"
#include "retrieval/Downloaders.h"

namespace {

void fillFunds(const ViewContext& ctx, const QString& title, FlexGrid& grid)
{
    using namespace market;
    QString text = ctx.readPage();
    NormaliseTags(text, true, true, true, true);
    ReplaceAll(text, QStringLiteral("&nbsp;"), QString());

    // The money-market table has no "Date" column; it starts at its "Last".
    const QString anchor = ctx.key == QLatin1String("F_LMM") ? QStringLiteral("Last") : QStringLiteral("Date");
    const int start = FindText(1, text, anchor);
    const int end = FindText(start, text, QStringLiteral("</table>"));
    const QString section = CutText(text, start, end - start);

    PrepareGrid(grid, 2, 5);
    for (QStringView row : RowViews(section))
        grid.AddItem(JoinedLine(row, false));

    SetColAlign(grid, {1, 1, 7, 7, 4});
    AlignHeadingCells(grid, 0, 4, 4);
    if (grid.Rows() > 2)
        MarkRows(grid, 2, grid.Rows() - 1, 0);
    for (int r = 2; r < grid.Rows(); ++r)
        ColourBySign(grid, r, 3);
    grid.setRowHeight(1, 2 * ctx.stdRowHeight);
    grid.setTextMatrix(1, 1, title);
    BoldCell(grid, 1, 1, false);
    grid.setTopRow(1);
    SetColWidths(grid, {12, 48, 12, 12, 12});
    SetHeaders(grid, {QStringLiteral("Symbol"), QStringLiteral("Company Name"), QStringLiteral("Last"),
                      QStringLiteral("Change"), QStringLiteral("Date")});
    grid.setRedraw(true);
}

} // namespace

QString FundTitle(const QString& key)
{
    // The download's table of the 22 funds holds the titles too.
    return FundPage(key).second;
}

void BuildFunds(const ViewContext& ctx, FlexGrid& grid)
{
    const QString title = FundTitle(ctx.key);
    market::FillOrMessage(QStringLiteral("Tradewright do not have ") + title + QStringLiteral(" informain."),
                          [&] { fillFunds(ctx, title, grid); });
}
