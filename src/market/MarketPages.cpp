#include "market/MarketPages.h"

#include "platform/FlexGrid.h"

namespace market {

void PrepareGrid(FlexGrid& grid, int rows, int cols, int backColor, int gridLines)
{
    grid.setRedraw(false);
    grid.Clear();
    grid.setRows(rows);
    grid.setCols(cols);
    grid.setBackColor(backColor);
    grid.setGridLines(gridLines);
}

void PutArrow(FlexGrid& grid, int row, const QString& change)
{
    QString picture;
    if (change.startsWith(QLatin1Char('-')))
        picture = FlexGrid::PictureDown;
    else if (change.startsWith(QLatin1Char('+')))
        picture = FlexGrid::PictureUp;
    else
        return;
    grid.setRow(row);
    grid.setCol(0);
    grid.setCellPicture(picture);
    grid.setCellPictureAlignment(FlexGrid::flexAlignCenterCenter);
}

void MarkLink(FlexGrid& grid, int row, int col)
{
    grid.setRow(row);
    grid.setCol(col);
    grid.setCellForeColor(kBlue);
    grid.setCellFontUnderline(true);
}

void WriteTitle(FlexGrid& grid, int row, int col, const QString& text)
{
    grid.setTextMatrix(row, col, text);
    grid.setRow(row);
    grid.setCol(col);
    grid.setCellFontBold(true);
    grid.setCellBackColor(kWhite);
}

void AlignCells(FlexGrid& grid, int row, int firstCol, int lastCol, int alignment)
{
    grid.setRow(row);
    for (int c = firstCol; c <= lastCol; ++c) {
        grid.setCol(c);
        grid.setCellAlignment(alignment);
    }
}

} // namespace market
