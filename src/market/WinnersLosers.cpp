#include "market/WinnersLosers.h"

#include "core/Utilities.h"
#include "market/MarketPages.h"
#include "pages/PageCatalogue.h"
#include "pages/PageScan.h"
#include "pages/PageText.h"
#include "platform/FlexGrid.h"

#include <array>

using namespace market;

namespace {

struct Section
{
    QString heading;
    QString body;
};

// A section's body runs from the end of its row of column names up to its table's end.
// position: where the heading row's search starts; end: set to the body's end.
Section cutSection(const QString& page, int headingFrom, int& end)
{
    const int headStart = FindText(headingFrom, page, QStringLiteral("<tr"));
    const int headEnd = FindText(headStart, page, QStringLiteral("</tr>"));
    const QString heading = CutText(page, headStart, headEnd - headStart);
    const int bodyStart = FindText(headEnd + 1, page, QStringLiteral("</tr>"));
    const int bodyEnd = FindText(bodyStart, page, QStringLiteral("</table>"));
    end = bodyEnd;
    return Section{CleanedCell(heading), CutText(page, bodyStart, bodyEnd - bodyStart)};
}

void band(FlexGrid& grid, int row, const QString& heading)
{
    grid.setTextMatrix(row, 3, heading);
    grid.setRow(row);
    for (int c = 1; c <= 7; ++c) {
        grid.setCol(c);
        grid.setCellFontBold(true);
        grid.setCellFontWidth(4);
        grid.setCellBackColor(kYellow);
        grid.setCellTextStyle(FlexGrid::flexTextRaisedLight);
    }
}

void fillWinners(const ViewContext& ctx, FlexGrid& grid)
{
    // The winners' page (the kind's first download) holds its table after "Percentage Winners".
    const QString& winners = pages::Kind(pages::PageId::WinnersLosers).downloads.front().fileName;
    const QString title = ctx.key == winners ? QStringLiteral("Percentage Winners") : QStringLiteral("Percentage Losers");
    const QString text = ctx.readPage();
    QString page = CutBetween(text, title, QStringLiteral("All Rights Reserved"));
    NormaliseTags(page, true, true, true, true);
    page.remove(QLatin1Char('\t'));
    page.remove(QLatin1Char('\n'));

    // The first table's heading row is its first row; the others' their second. A
    // page without a second or third table shows that section empty.
    std::array<Section, 3> sections;
    int end = 0;
    sections[0] = cutSection(page, FindText(1, page, QStringLiteral("<table")), end);
    for (size_t k = 1; k < sections.size(); ++k) {
        const int table = FindText(end, page, QStringLiteral("<table"));
        if (table == 0)
            break;
        const int firstRowEnd = FindText(table + 1, page, QStringLiteral("</tr>"));
        sections[k] = cutSection(page, firstRowEnd, end);
    }

    PrepareGrid(grid, 6, 9, kWhite, 1);
    grid.setRowHeight(0, ctx.stdRowHeight);
    int row = 3;
    for (size_t k = 0; k < sections.size(); ++k) {
        band(grid, row - 1, sections[k].heading);
        for (QString line : ScanUntilOpen(sections[k].body, QStringLiteral("<tr"), QStringLiteral("</tr>"))) {
            ReplaceAll(line, QLatin1String("&nbsp;"), QLatin1String());
            int col = 0;
            for (QStringView cell : CellViews(line)) {
                grid.setTextMatrix(row, col, CleanedCell(cell));
                if (col == 1)
                    MarkLink(grid, row, col);
                ++col;
            }
            ++row;
            grid.AddItem(QString());
        }
        if (k + 1 < sections.size())
            ++row;
    }

    grid.setTextMatrix(1, 3, title);
    grid.setRowHeight(1, 2 * ctx.stdRowHeight);
    grid.setRow(1);
    grid.setCol(3);
    grid.setCellFontBold(true);
    grid.setCellFontWidth(4);
    grid.setCellTextStyle(FlexGrid::flexTextRaisedLight);
    SetColAlign(grid, {1, 1, 1, 1, 7, 7, 7});
    AlignCells(grid, 0, 0, 7, FlexGrid::flexAlignCenterTop);
    grid.setRowHeight(grid.Rows() - 1, 0);
    grid.setRedraw(true);
    SetColWidths(grid, {2, 8, 0, 45, 12, 12, 10, 8, 0});
    SetHeaders(grid, {QString(), QStringLiteral("Symbol"), QString(), QStringLiteral("Company"), QStringLiteral("Last"),
                      QStringLiteral("Volume"), QStringLiteral("Change"), QStringLiteral("% Ch")});
}

} // namespace

void FG_WinLos(const ViewContext& ctx, FlexGrid& grid)
{
    WithMessage([&] { fillWinners(ctx, grid); }, {5, 53}, QStringLiteral("No Data were found"));
}
