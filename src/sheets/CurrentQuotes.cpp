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

// The pictures of an added row's fixed cell: the trend first, then the alerts.
void placePictures(FlexGrid& grid, int row, StockRec& rec)
{
    grid.setRow(row);
    grid.setCol(0);
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

    QVariantList headers;
    for (const QuoteColumn& column : CurrentQuoteColumns())
        headers << column.header;
    SetHeaders(grid, headers);

    const bool fractions = ctx.fractions;
    const bool groupVolume = ctx.groupVolume;
    const int count = ctx.stocks ? std::clamp<int>(ctx.stockCount, 0, kStockRows) : 0;
    for (int i = 0; i < count; ++i) {
        StockRec& rec = (*ctx.stocks)[i];
        QString rowText;
        for (int c = 1; c < kColumns; ++c) {
            const QString header = grid.TextMatrix(0, c);
            const QuoteColumn* column = columnFor(header);
            if (!column || !column->field)
                continue;
            QString& field = rec.*(column->field);
            QString cell = field;
            if (column->rule == QuoteCellRule::Price) {
                // FormatP also takes the blank out of a stored "+ 1/2".
                const QString formatted = FormatP(field, false);
                cell = fractions ? formatted : field;
            } else if (column->rule == QuoteCellRule::Volume && groupVolume) {
                cell = volumeText(field);
            }
            rowText += QLatin1Char('\t') + cell;
        }
        if (rowText.size() < kMinRowText)
            continue;
        grid.AddItem(rowText);
        placePictures(grid, grid.Rows() - 1, rec);
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
        const QString header = grid.TextMatrix(0, c);
        const QuoteColumn* column = columnFor(header);
        if (!column)
            continue;
        grid.setColAlignment(c, column->alignment);
        grid.setColWidth(c, rt::CLng(double(grid.Width()) * column->widthPercent / 100.0));
        if (header == QStringLiteral("% Change")) {
            grid.setCol(c);
            for (int r = kFirstDataRow; r <= lastRow; ++r) {
                grid.setRow(r);
                grid.setCellForeColor(grid.TextMatrix(r, c).startsWith(u'-') ? QuoteColors::Falling
                                                                               : QuoteColors::Rising);
            }
        }
    }
    grid.setRow(0);
    for (int c = 0; c < kColumns; ++c) {
        grid.setCol(c);
        grid.setCellAlignment(kCentre);
    }
    grid.setRedraw(true);
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
