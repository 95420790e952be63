#include "sheets/CurrentQuotes.h"

#include "core/Misc.h"
#include "core/Utilities.h"
#include "platform/FlexGrid.h"
#include "platform/Runtime.h"

#include <QVariantList>

#include <algorithm>


namespace {

constexpr int kLeft = FlexGrid::flexAlignLeftCenter;
constexpr int kRight = FlexGrid::flexAlignRightCenter;
constexpr int kCentre = FlexGrid::flexAlignCenterCenter;
constexpr int kColumns = 21;
constexpr int kFirstDataRow = 2;
// A row of 20 tabs and nothing but the "0"s that FormatP makes of empty prices is
// shorter than this: a stock without quote data gets no row.
constexpr int kMinRowText = 29;

const QuoteColumn* columnFor(const QString& header)
{
    for (const QuoteColumn& column : CurrentQuoteColumns())
        if (column.header == header)
            return &column;
    return nullptr;
}

QString volumeText(const QString& stored)
{
    try {
        if (rt::IsNumeric(stored))
            return rt::Format(rt::CDbl(stored), QStringLiteral("#,##;"));
    } catch (...) {
        // A volume that cannot be grouped is shown as stored.
    }
    return stored;
}

bool positiveNumber(const QString& text, double& value)
{
    try {
        if (rt::IsNumeric(text)) {
            value = rt::CDbl(text);
            return value > 0;
        }
    } catch (...) {
        // Too large to be a number: no price.
    }
    return false;
}

// The text of one column's cell for rec, as the settings of ctx give it.
QString cellText(const ViewContext& ctx, const QuoteColumn& column, StockRec& rec)
{
    QString& field = rec.*(column.field);
    if (column.rule == QuoteCellRule::Price) {
        // FormatP also takes the blank out of a stored "+ 1/2".
        const QString formatted = FormatP(field, false);
        return ctx.fractions ? formatted : field;
    }
    if (column.rule == QuoteCellRule::Volume && ctx.groupVolume)
        return volumeText(field);
    return field;
}

// The cells of rec under the grid's headers, column by column (an empty text for a
// column without a field), and whether they make a row at all.
bool rowCells(const ViewContext& ctx, const FlexGrid& grid, StockRec& rec, QStringList& cells)
{
    cells.clear();
    int length = 0;
    for (int c = 1; c < grid.Cols(); ++c) {
        const QuoteColumn* column = columnFor(grid.TextMatrix(0, c));
        if (!column || !column->field) {
            cells << QString();
            continue;
        }
        cells << cellText(ctx, *column, rec);
        length += 1 + int(cells.back().size());
    }
    return length >= kMinRowText;
}

// The pictures of a row's fixed cell: the trend first, then the alerts.
void placePictures(FlexGrid& grid, int row, StockRec& rec)
{
    grid.setRow(row);
    grid.setCol(0);
    grid.setCellPicture(QString());
    const QString trend = rec.PctChange;
    double change = 0;
    if (trend.startsWith(u'-')) {
        grid.setCellPicture(FlexGrid::PictureDown);
        grid.setCellPictureAlignment(kCentre);
    } else if (positiveNumber(QString(trend).remove(u'%'), change)) {
        grid.setCellPicture(FlexGrid::PictureUp);
        grid.setCellPictureAlignment(kCentre);
    }

    // The alerts compare the price as FormatP gives it, whatever the display
    // setting. A stock without a usable price has nothing to compare: no alert.
    double price = 0;
    if (!positiveNumber(FormatP(rec.LastPrice, false), price))
        return;
    const float last = static_cast<float>(price);
    if (rec.TargetLow > 0 && last < rec.TargetLow)
        grid.setCellPicture(FlexGrid::PictureLow);
    if (rec.TargetHigh > 0 && last > rec.TargetHigh)
        grid.setCellPicture(FlexGrid::PictureHigh);
}

// The "% Change" cell of a row is red when falling, blue otherwise.
void colourChange(FlexGrid& grid, int row, int col)
{
    grid.setRow(row);
    grid.setCol(col);
    grid.setCellForeColor(grid.TextMatrix(row, col).startsWith(u'-') ? QuoteColors::Falling : QuoteColors::Rising);
}

int changeColumn(const FlexGrid& grid)
{
    for (int c = 0; c < grid.Cols(); ++c)
        if (grid.TextMatrix(0, c) == QLatin1String("% Change"))
            return c;
    return -1;
}

int stockCount(const ViewContext& ctx)
{
    return ctx.stocks ? std::clamp<int>(ctx.stockCount, 0, kStockRows) : 0;
}

} // namespace

void BuildCurrentQuotes(const ViewContext& ctx, FlexGrid& grid)
{
    grid.setRedraw(false);
    grid.Clear();
    grid.setRows(2);
    grid.setCols(kColumns);
    grid.setBackColor(FlexGrid::WindowBackground);
    grid.setRowHeight(0, ctx.stdRowHeight);
    grid.setRowHeight(1, 0);
    grid.setGridLines(0);
    // The header and the spacer belong to no stock, whatever row they were before.
    grid.setRowData(0, 0);
    grid.setRowData(1, 0);

    QVariantList headers;
    for (const QuoteColumn& column : CurrentQuoteColumns())
        headers << column.header;
    SetHeaders(grid, headers);

    const int count = stockCount(ctx);
    QStringList cells;
    for (int i = 0; i < count; ++i) {
        StockRec& rec = (*ctx.stocks)[i];
        if (!rowCells(ctx, grid, rec, cells))
            continue;
        grid.AddItem(QLatin1Char('\t') + cells.join(QLatin1Char('\t')));
        const int row = grid.Rows() - 1;
        // The row knows its stock, so one stock's new prices can be put in its row alone.
        grid.setRowData(row, i + 1);
        placePictures(grid, row, rec);
    }

    const int lastRow = grid.Rows() - 1;
    if (ctx.oldStyleBackground) {
        for (int r = 1; r <= lastRow; r += 2) {
            grid.setRow(r);
            for (int c = 1; c < kColumns; ++c) {
                grid.setCol(c);
                grid.setCellBackColor(QuoteColors::OldStyleRow);
            }
        }
    }

    for (int c = 0; c < kColumns; ++c) {
        const QuoteColumn* column = columnFor(grid.TextMatrix(0, c));
        if (!column)
            continue;
        grid.setColAlignment(c, column->alignment);
        grid.setColWidth(c, rt::CLng(double(grid.Width()) * column->widthPercent / 100.0));
    }
    if (const int c = changeColumn(grid); c >= 0)
        for (int r = kFirstDataRow; r <= lastRow; ++r)
            colourChange(grid, r, c);
    grid.setRow(0);
    for (int c = 0; c < kColumns; ++c) {
        grid.setCol(c);
        grid.setCellAlignment(kCentre);
    }
    grid.setRedraw(true);
}

bool RedrawCurrentQuoteRow(const ViewContext& ctx, FlexGrid& grid, int stockRow)
{
    if (stockRow < 0 || stockRow >= stockCount(ctx) || grid.Cols() != kColumns || grid.Rows() < kFirstDataRow)
        return false;
    const int key = stockRow + 1;
    // The grid row of the stock, and where a new one would go while the rows stand in
    // the set's order (a sort by a column leaves no such place).
    int found = -1;
    int insertAt = grid.Rows();
    bool inOrder = true;
    int previous = 0;
    for (int r = kFirstDataRow; r < grid.Rows(); ++r) {
        const int data = grid.RowData(r);
        if (data == key)
            found = r;
        if (data <= previous)
            inOrder = false;
        if (data > key && insertAt == grid.Rows())
            insertAt = r;
        previous = data;
    }

    StockRec& rec = (*ctx.stocks)[stockRow];
    QStringList cells;
    const bool shown = rowCells(ctx, grid, rec, cells);
    // A row that comes or goes moves the shading of the rows below it: those cases
    // are drawn whole.
    if (!shown && found < 0)
        return true;
    if (shown != (found >= 0) && (ctx.oldStyleBackground || !inOrder))
        return false;

    const int keepRow = grid.Row(), keepCol = grid.Col();
    const int keepRowSel = grid.RowSel(), keepColSel = grid.ColSel();
    auto restore = [&] {
        const int last = grid.Rows() - 1;
        grid.setRow(std::min(keepRow, last));
        grid.setCol(keepCol);
        grid.setRowSel(std::min(keepRowSel, last));
        grid.setColSel(keepColSel);
    };
    if (!shown) {
        grid.RemoveItem(found);
        restore();
        return true;
    }
    int row = found;
    if (row < 0) {
        grid.AddItem(QLatin1Char('\t') + cells.join(QLatin1Char('\t')), insertAt);
        row = insertAt;
        grid.setRowData(row, key);
    } else {
        for (int c = 1; c < grid.Cols(); ++c)
            grid.setTextMatrix(row, c, cells[c - 1]);
    }
    placePictures(grid, row, rec);
    if (const int c = changeColumn(grid); c >= 0)
        colourChange(grid, row, c);
    restore();
    return true;
}

const QVector<QuoteColumn>& CurrentQuoteColumns()
{
    using R = QuoteCellRule;
    static const QVector<QuoteColumn> columns = {
        {QString(), nullptr, R::None, kLeft, 3},
        {QStringLiteral("Companey"), &StockRec::CompanyName, R::AsStored, kLeft, 20},
        {QStringLiteral("Last Sale"), &StockRec::LastPrice, R::Price, kRight, 12},
        {QStringLiteral("Change"), &StockRec::Change, R::Price, kRight, 10},
        {QStringLiteral("% Change"), &StockRec::PctChange, R::AsStored, kRight, 12},
        {QStringLiteral("Volume"), &StockRec::Volume, R::Volume, kRight, 14},
        {QStringLiteral("Today's High"), &StockRec::DayHigh, R::Price, kRight, 15},
        {QStringLiteral("Today's Low"), &StockRec::DayLow, R::Price, kRight, 15},
        {QStringLiteral("Bid"), &StockRec::Bid, R::Price, kRight, 10},
        {QStringLiteral("Ask"), &StockRec::Ask, R::Price, kRight, 10},
        {QStringLiteral("Last Trade Size"), &StockRec::LastTradeSize, R::AsStored, kRight, 12},
        {QStringLiteral("Open"), &StockRec::OpenPrice, R::Price, kRight, 10},
        {QStringLiteral("Previous Close"), &StockRec::PrevClose, R::Price, kRight, 15},
        {QStringLiteral("52 Week High"), &StockRec::YearHigh, R::AsStored, kRight, 15},
        {QStringLiteral("52 Week Low"), &StockRec::YearLow, R::AsStored, kRight, 15},
        {QStringLiteral("EPS"), &StockRec::EPS, R::AsStored, kRight, 12},
        {QStringLiteral("P/E Ratio"), &StockRec::PERatio, R::AsStored, kRight, 15},
        {QStringLiteral("Dividend Per Sharev"), &StockRec::DivPerShare, R::AsStored, kCentre, 10},
        {QStringLiteral("Exchange"), &StockRec::Exchange, R::AsStored, kLeft, 14},
        {QStringLiteral("Industry"), &StockRec::Industry, R::AsStored, kLeft, 20},
        {QStringLiteral("Last Update"), &StockRec::LastTradeTime, R::AsStored, kCentre, 15},
    };
    return columns;
}
