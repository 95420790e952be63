#include "market/SplitsCalendars.h"

#include "core/Utilities.h"
#include "market/MarketFill.h"
#include "pages/PageScan.h"
#include "pages/PageText.h"
#include "platform/FlexGrid.h"

#include <QVariantList>

namespace {

struct Calendar
{
    const char* marker;
    const char* title;
    int layout;  // 0: the ticker calendars, 1: recently announced, 2: top tech
};

const Calendar kCalendars[] = {
    {"Amount", "Today's Splits", 0},
    {"Pay-date", "This Week Splits", 0},
    {"Pay-date", "Next Week's Splits", 0},
    {"Pay-date", "Recently Announced Splits", 1},
    {"Tech Stocks with The Most Splits", "Top Tech Splits", 2},
};

struct Layout
{
    QVariantList headings;
    QVariantList alignments;
    QVariantList widths;
};

const Layout& layoutOf(int layout)
{
    static const Layout layouts[] = {
        {{"Ticker", "Company", "Amount", "Ex-Date", "Pay Date"}, {1, 1, 4, 4}, {15, 36, 15, 15, 15, 0, 0}},
        {{"Symbol", "Company Name", "Amount", "Announce Date", "Ex Date", "Pay Date"},
         {1, 1, 4, 4},
         {15, 36, 15, 15, 15, 0, 0}},
        {{"Ticker", "Company", "Amount"}, {1, 4, 4}, {38, 29, 29, 0, 0, 0, 0}},
    };
    return layouts[layout];
}

void fillCalendar(const Calendar& cal, const ViewContext& ctx, FlexGrid& grid)
{
    using namespace market;
    QString text = ctx.readPage();
    NormaliseTags(text, true, true, true, true);
    RemoveLinkWords(text);

    // The marker is evened out like the page, so "The" in it reads "the".
    QString marker = QLatin1String(cal.marker);
    NormaliseTags(marker, true, true, true, true);
    const int start = FindText(1, text, marker);
    const int end = FindText(start, text, QStringLiteral("</table>"));
    const QString section = CutText(text, start, end - start);

    auto lock = grid.updatesLocked();
    PrepareGrid(grid, 2, 7);
    for (QStringView row : RowViews(section))
        grid.AddItem(JoinedLine(row, true));

    AlignHeadingCells(grid, 0, 6, 3);
    grid.setTextMatrix(1, 1, QLatin1String(cal.title));
    BoldCell(grid, 1, 1, true);
    grid.setRowHeight(0, ctx.stdRowHeight);
    grid.setRowHeight(1, 2 * ctx.stdRowHeight);
    SetCell(grid, 1, 0, QString(), 0, false, false, 0, kWhite);

    const Layout& layout = layoutOf(cal.layout);
    SetHeaders(grid, layout.headings);
    SetColAlign(grid, layout.alignments);
    SetColWidths(grid, layout.widths);
    if (cal.layout == 0 && grid.Rows() > 2)
        MarkRows(grid, 2, grid.Rows() - 1, 0);
    if (cal.layout == 1) {
        // The title moves to column 0.
        SetCell(grid, 1, 1, QString(), 0, false, false, 0, 0);
        SetCell(grid, 1, 0, QLatin1String(cal.title), 0, true, false, 0, kWhite);
    }
    lock.release();
    grid.setTopRow(1);
    grid.setRedraw(true);
}

} // namespace

void BuildSplitsCalendar(const ViewContext& ctx, FlexGrid& grid)
{
    const int n = market::TableNumber(ctx.key, 5);
    if (n < 0)
        throw ViewError::untouched();
    market::FillOrMessage(QStringLiteral("Data is not available, connect to Internet, and update again ."),
                          [&] { fillCalendar(kCalendars[n], ctx, grid); });
}
