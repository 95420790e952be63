#include "market/MarketFill.h"

#include "pages/PageScan.h"
#include "pages/PageText.h"
#include "platform/FlexGrid.h"
#include "platform/Runtime.h"

namespace market {

void ColourBySign(FlexGrid& grid, int row, int col)
{
    const QString text = grid.TextMatrix(row, col);
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) {
        grid.setRow(row);
        grid.setCol(col);
        grid.setCellForeColor(text.startsWith(QLatin1Char('-')) ? kRed : kBlue);
    }
}

void AlignHeadingCells(FlexGrid& grid, int first, int last, int alignment)
{
    grid.setRow(0);
    for (int c = first; c <= last; ++c) {
        grid.setCol(c);
        grid.setCellAlignment(alignment);
    }
}

void BoldCell(FlexGrid& grid, int row, int col, bool white)
{
    grid.setRow(row);
    grid.setCol(col);
    grid.setCellFontBold(true);
    if (white)
        grid.setCellBackColor(kWhite);
}

void WhiteCell(FlexGrid& grid, int row, int col)
{
    grid.setRow(row);
    grid.setCol(col);
    grid.setCellBackColor(kWhite);
}

QString JoinedLine(QStringView row, bool skipEmpty)
{
    // The cells are cleaned straight into the line; a cell without its "</td>" fails
    // the row (error 5) as a listing of the cells first would.
    QString line;
    ForEachElement(row, QLatin1String("<td"), QLatin1String("</td>"), [&](QStringView cell) {
        if (AppendCleanedCell(line, cell) > 0 || !skipEmpty)
            line += QLatin1Char('\t');
        return true;
    });
    return line;
}

void RemoveLinkWords(QString& text)
{
    for (const char* word : {"&nbsp;", ",", "News", "BrokerReports", "Chart", "Compare", "\t"})
        ReplaceAll(text, QLatin1String(word), QLatin1String());
}

int TableNumber(const QString& key, int count)
{
    bool ok = false;
    const int n = key.toInt(&ok);
    return ok && n >= 0 && n < count ? n : -1;
}

} // namespace market
