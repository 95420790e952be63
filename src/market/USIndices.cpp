#include "market/USIndices.h"

#include "core/Misc.h"
#include "core/Utilities.h"
#include "market/MarketPages.h"
#include "pages/PageCatalogue.h"
#include "pages/PageText.h"
#include "platform/AppPath.h"
#include "platform/FlexGrid.h"
#include "platform/Sites.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Stocks.h"

#include <QCoreApplication>

using namespace market;

namespace {

constexpr std::array<USIndexRow, kUSRows> kList = {{
    {"30 Industrials", "^DJI", "Dow Jones Averages"},
    {"20 Transportation", "^DJT", "Dow Jones Averages"},
    {"15 Utilities", "^DJU", "Dow Jones Averages"},
    {"65 Composite", "^DJA", "Dow Jones Averages"},
    {"Volume in 000's", "^TV.N", "New York Stock Exchange"},
    {"Composite", "^NYA", "New York Stock Exchange"},
    {"Tick", "^TIC.N", "New York Stock Exchange"},
    {"ARMS", "^STI.N", "New York Stock Exchange"},
    {"Composite", "^IXIC", "Nasdaq"},
    {"Volume in 000's", "^TV.O", "Nasdaq"},
    {"National Market Composite", "^IXQ", "Nasdaq"},
    {"Nasdaq 100", "^NDX", "Nasdaq"},
    {"500 Index", "^SPC", "Standard and Poor's"},
    {"100 Index", "^OEX", "Standard and Poor's"},
    {"400 MidCap", "^MID", "Standard and Poor's"},
    {"600 SmallCap", "^SML", "Standard and Poor's"},
    {"AMEX Composite", "^XAX", "Other U.S. Indices"},
    {"AMEX Internet", "^IIX", "Other U.S. Indices"},
    {"AMEX Networking", "^NWX", "Other U.S. Indices"},
    {"Indi 500", "^NDI", "Other U.S. Indices"},
    {"Major Market", "^XMI", "Other U.S. Indices"},
    {"Pacific Exchange Technology", "^PSE", "Other U.S. Indices"},
    {"Philadelphia Semiconductor", "^SOXX", "Other U.S. Indices"},
    {"Russell 1000", "^RUI", "Other U.S. Indices"},
    {"Russell 2000", "^RUT", "Other U.S. Indices"},
    {"Russell 3000", "^RUA", "Other U.S. Indices"},
    {"TSC Internet", "^DOT", "Other U.S. Indices"},
    {"Value Line", "^VLIC", "Other U.S. Indices"},
    {"Wilshire 5000", "^WIL5", "Other U.S. Indices"},
    {"30-Year Bond", "^TYX", "Treasury Securities (yield x10)"},
    {"10-Year Note", "^TNX", "Treasury Securities (yield x10)"},
    {"5-Year Note", "^FVX", "Treasury Securities (yield x10)"},
    {"13-Week Bill", "^IRX", "Treasury Securities (yield x10)"},
    {"Dow Jones Spot", "^DJS", "Commodities"},
    {"Dow Jones Futures", "^DJC", "Commodities"},
    {"Goldman Sachs Commodity", "^GNX", "Commodities"},
    {"Philadelphia Gold & Silver", "^XAU", "Commodities"},
}};

const QString kOpen = QStringLiteral("<TD");
const QString kClose = QStringLiteral("</TD>");

} // namespace

const std::array<USIndexRow, kUSRows>& USIndexList()
{
    return kList;
}

void ParseUSPage(const QString& page, std::array<USRec, kUSRows>& table)
{
    qsizetype from = 0;
    for (size_t k = 0; k < kList.size(); ++k) {
        USRec& rec = table[k];
        rec = USRec();
        const qsizetype label = page.indexOf(QLatin1String(kList[k].label), from);
        if (label < 0)
            continue;  // yesterday's figures never show as today's
        // The cell after the label's own, then the five values.
        QString cells[5];
        qsizetype at = label;
        for (int n = -1; n < 5; ++n) {
            const qsizetype open = page.indexOf(kOpen, at);
            if (open < 0)
                break;
            const qsizetype close = page.indexOf(kClose, open);
            if (close < 0)
                break;
            at = close;
            if (n >= 0) {
                QString cell = page.mid(open, close - open);
                cells[n] = CleanCell(cell, false, false, false);
            }
        }
        rec.TradeTime = cells[0];
        rec.LastTrade = cells[1];
        rec.Change = cells[2];
        rec.PctChange = cells[3];
        rec.Extra = cells[4];
        from = at;
    }
}

void Parse_US()
{
    QString page = ReadFile(AppPath() + QStringLiteral("/Cache/DataSheet/")
                            + pages::Kind(pages::PageId::USMarket).downloads.front().fileName);
    page.remove(QLatin1Char('\r'));
    page.remove(QLatin1Char('\n'));
    QCoreApplication::processEvents();
    ParseUSPage(page, USIndexes());
    SaveUS();
}

QString USQuoteAddress(const QString& symbol)
{
    return Sites::Address(Site::Quotes, QStringLiteral("/q?s=") + symbol + QStringLiteral("&d=t"));
}

namespace {

void fillIndices(const ViewContext& ctx, FlexGrid& grid)
{
    LoadUS();
    const auto& table = USIndexes();

    grid.setRedraw(false);
    grid.setCols(9);
    grid.setRows(2);
    grid.setGridLines(0);
    grid.setBackColor(kPaleYellow);
    // The grid is not cleared: rows 0 and 1 lose what the view before left in them.
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < grid.Cols(); ++c) {
            grid.setTextMatrix(r, c, QString());
            grid.setCellFormat(r, c, FlexGrid::CellFormat());
        }
    SetHeaders(grid, {QString(), QStringLiteral("Name"), QStringLiteral("Symbol"), QStringLiteral("Time"),
                      QStringLiteral("Last Trade"), QStringLiteral("Change"), QStringLiteral("% Change"),
                      QStringLiteral("More Information")});

    const QChar tab = QLatin1Char('\t');
    QVector<int> titleRows;
    const char* group = nullptr;
    for (size_t k = 0; k < kList.size(); ++k) {
        const USIndexRow& f = kList[k];
        if (!group || qstrcmp(group, f.group) != 0) {
            group = f.group;
            titleRows << grid.Rows();
            grid.AddItem(tab + QLatin1String(f.group));
        }
        const USRec& rec = table[k];
        const QString symbol = QLatin1String(f.symbol);
        grid.AddItem(tab + QLatin1String(f.label) + tab + symbol + tab + rec.TradeTime + tab + rec.LastTrade + tab +
                     rec.Change + tab + rec.PctChange + tab + rec.Extra + tab + USQuoteAddress(symbol));
    }
    grid.setRowHeight(1, 0);
    SetColAlign(grid, {0, 0, 4, 4, 7, 7, 7, 7});
    for (int r = 2; r < grid.Rows(); ++r) {
        PutArrow(grid, r, grid.TextMatrix(r, 5));
        if (titleRows.contains(r)) {
            grid.setRow(r);
            grid.setCol(1);
            grid.setCellFontBold(true);
            grid.setCellAlignment(FlexGrid::flexAlignLeftCenter);
            grid.setRowHeight(r, 2 * ctx.stdRowHeight);
            for (int c = 0; c <= 7; ++c) {
                grid.setCol(c);
                grid.setCellBackColor(kWhite);
            }
        }
        grid.setRow(r);
        grid.setCol(2);
        grid.setCellForeColor(kBlue);
    }
    grid.setRowHeight(0, ctx.stdRowHeight);
    SetColWidths(grid, {4, 30, 9, 10, 12, 10, 12, 20, 0});
    grid.setRedraw(true);
}

} // namespace

void FG_US(const ViewContext& ctx, FlexGrid& grid)
{
    try {
        fillIndices(ctx, grid);
    } catch (const ViewError& e) {
        if (e.kind() == ViewError::Number && e.errorNumber() == 53)
            throw ViewError::message(QStringLiteral("Tradewright do not have US market information"));
        throw ViewError::untouched();
    } catch (const RuntimeError& e) {
        if (e.number() == 53)
            throw ViewError::message(QStringLiteral("Tradewright do not have US market information"));
        throw ViewError::untouched();
    }
}
