#include "market/BrokerReports.h"

#include "core/Utilities.h"
#include "market/MarketFill.h"
#include "pages/PageScan.h"
#include "pages/PageText.h"
#include "platform/FlexGrid.h"

namespace {

const QString kNoData = QStringLiteral("Data is not available, connect to Internet, and update again .");

void fillReports(int list, const ViewContext& ctx, FlexGrid& grid)
{
    using namespace market;
    QString text = ctx.readPage();
    NormaliseTags(text, true, true, true, true);
    RemoveLinkWords(text);
    ReplaceAll(text, QLatin1String("&#039"), QLatin1String("'"));
    ReplaceAll(text, QLatin1String("&#096"), QLatin1String("'"));

    int start = 0;
    if (list == 0) {
        // Without its marker the search goes on from the page start: the list then
        // starts after the page's first table.
        const int marker = FindText(1, text, QStringLiteral("/Breadcrumb"));
        const int table = FindText(marker + 1, text, QStringLiteral("</table>"));
        start = FindText(table + 1, text, QStringLiteral("</tr>"));
    } else {
        start = FindText(1, text, QStringLiteral("START BLOOMBERG NEWS"));
    }
    const int end = FindText(start, text, QStringLiteral("</table>"));
    const QString section = CutText(text, start, end - start);

    auto lock = grid.updatesLocked();
    PrepareGrid(grid, 2, 4);
    // An empty cell takes no column; a row without cells is an empty grid row.
    for (QStringView row : RowViews(section))
        grid.AddItem(JoinedLine(row, true));

    AlignHeadingCells(grid, 0, 3, 3);
    BoldCell(grid, 1, 1, true);
    grid.setRowHeight(0, ctx.stdRowHeight);
    if (list == 0) {
        SetHeaders(grid, {QStringLiteral("Ticker"), QStringLiteral("Company"), QStringLiteral("Broker"),
                          QStringLiteral("Report")});
        SetColAlign(grid, {1, 1, 1, 1});
        SetColWidths(grid, {12, 20, 20, 43});
        if (grid.Rows() > 2)
            MarkRows(grid, 2, grid.Rows() - 1, 0);
        for (int r = 1; r < grid.Rows(); ++r)
            grid.setRowHeight(r, 2 * ctx.stdRowHeight);
        grid.setTextMatrix(1, 1, QStringLiteral("Today's Broker Reports"));
        SetCell(grid, 1, 0, QString(), 0, false, false, 0, kWhite);
    } else {
        SetHeaders(grid, {QStringLiteral("Date"), QStringLiteral("Symbol"), QStringLiteral("News"),
                          QStringLiteral("Source")});
        SetColAlign(grid, {1, 1, 1, 1});
        SetColWidths(grid, {12, 12, 72, 0});
        SetCell(grid, 1, 1, QString(), 0, false, false, 0, 0);
        SetCell(grid, 1, 0, QString(), 0, true, false, 0, kWhite);
        SetCell(grid, 1, 2, QStringLiteral("Bloomberg Analysts Recommendations"), 0, true, false, 0, kWhite);
        grid.setRowHeight(1, ctx.stdRowHeight);
    }
    lock.release();
    grid.setTopRow(1);
    grid.setRedraw(true);
}

} // namespace

void BuildMarketBrokerReports(const ViewContext& ctx, FlexGrid& grid)
{
    const int list = market::TableNumber(ctx.key, 2);
    if (list < 0)
        throw ViewError::untouched();
    market::FillOrMessage(kNoData, [&] { fillReports(list, ctx, grid); });
}
