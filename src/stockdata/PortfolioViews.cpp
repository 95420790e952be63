#include "stockdata/PortfolioViews.h"

#include "core/Misc.h"
#include "core/Utilities.h"
#include "platform/FlexGrid.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "platform/SkipFailedSteps.h"
#include "stockdata/Portfolio.h"
#include "stockdata/ProgramState.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QStringList>
#include <QVariantList>

#include <algorithm>
#include <cmath>
#include <exception>
#include <vector>

namespace {

const QString kTotal = QStringLiteral("    Total:");
const QString kProfitLoss = QStringLiteral("Pr/Loss:");
const QString kLogTotal = QStringLiteral("  =Total");

Q_LOGGING_CATEGORY(lcPortfolioViews, "tradewright.stockdata.portfolioviews")

// Runs one drawing statement; a failure skips it and the drawing goes on.
const SkipFailedSteps portStep(lcPortfolioViews, "portfolio view");

// Value rounded to cents the way the views always did it: formatted "#,##0.00"
// and read back.
double cents(double value)
{
    return ToDouble(rt::Format(value, QStringLiteral("#,##0.00")));
}

// Value rounded to whole units: formatted "#,##" and read back.
double units(double value)
{
    return ToDouble(rt::Format(value, QStringLiteral("#,##")));
}

// A number from the file as a view uses it: a corrupt NaN or infinity counts as 0.
double finiteOrZero(double value)
{
    return std::isfinite(value) ? value : 0.0;
}

QString text(double value)
{
    return rt::DoubleText(value);
}

// A sum in the group total rows: "1,015 $".
QString dollars(double value)
{
    return rt::Format(value, QStringLiteral("#,##")) + QStringLiteral(" $");
}

QString commissionText(float commission)
{
    return rt::Format(finiteOrZero(commission), QStringLiteral("#,##0.00;"));
}

// value x 100 / cost - 100 in cents; a cost of 0 (a free purchase) gives 0 rather
// than a division error.
double pctGain(double value, double cost)
{
    if (cost == 0)
        return 0;
    return cents(value * 100 / cost - 100);
}

// The current price of a row: its PriceText through FormatP, as a number.
double currentPrice(const PortRec& r)
{
    QString priceText = r.PriceText;
    return ToDouble(FormatP(priceText, false));
}

// One grid line: cells joined by Tab. A Tab inside a cell would shift every
// column after it, so it becomes a space.
QString line(const QStringList& cells)
{
    QStringList clean;
    clean.reserve(cells.size());
    for (const QString& c : cells)
        clean << QString(c).replace(QLatin1Char('\t'), QLatin1Char(' '));
    return clean.join(QLatin1Char('\t'));
}

// An empty grid of two rows, the second an invisible placeholder after which
// the view's rows are appended.
void prepareGrid(FlexGrid& g, int cols, int rowHeight)
{
    portStep([&] { g.setRedraw(false); });
    portStep([&] {
        if (g.FixedRows() > 1)
            g.setFixedRows(1);
    });
    portStep([&] { g.setRows(2); });
    portStep([&] { g.setCols(cols); });
    portStep([&] { g.Clear(); });
    portStep([&] { g.setRowHeight(0, rowHeight); });
    portStep([&] { g.setRowHeight(1, 0); });
    portStep([&] { g.setBackColor(PortColors::White); });
}

void appendRow(FlexGrid& g, const QStringList& cells, int rowHeight)
{
    portStep([&] {
        g.AddItem(line(cells));
        g.setRowHeight(g.Rows() - 1, rowHeight);
    });
}

void centreHeaders(FlexGrid& g, int firstCol, int lastCol)
{
    for (int c = firstCol; c <= lastCol; ++c)
        portStep([&] {
            g.setRow(0);
            g.setCol(c);
            g.setCellAlignment(FlexGrid::flexAlignCenterCenter);
        });
}

void styleTotalRow(FlexGrid& g, int row, int firstCol, int lastCol)
{
    for (int c = firstCol; c <= lastCol; ++c)
        portStep([&] {
            g.setRow(row);
            g.setCol(c);
            g.setCellBackColor(PortColors::TotalRow);
            g.setCellFontBold(true);
        });
}

// The end of every view: scroll to the top and draw.
void finishView(FlexGrid& g)
{
    portStep([&] { g.setTopRow(1); });
    portStep([&] { g.setRedraw(true); });
}

// ---- holdings --------------------------------------------------------------

using PortTable = std::array<PortRec, kTransRows>;

using namespace PortColumns;

struct GroupSums
{
    double cost = 0;
    double value = 0;
    double gain = 0;
    long held = 0;
    double price = 0;
    bool shown = false;
};

void prepareHoldings(FlexGrid& g, int rowHeight)
{
    prepareGrid(g, HoldingCols, rowHeight);
    portStep([&] { g.setGridLines(0); });
    SetColAlign(g, {FlexGrid::flexAlignLeftTop, FlexGrid::flexAlignCenterCenter, FlexGrid::flexAlignCenterCenter,
                    FlexGrid::flexAlignRightCenter, FlexGrid::flexAlignRightCenter, FlexGrid::flexAlignRightCenter,
                    FlexGrid::flexAlignRightCenter, FlexGrid::flexAlignRightCenter, FlexGrid::flexAlignRightCenter,
                    FlexGrid::flexAlignRightCenter, FlexGrid::flexAlignRightCenter});
    SetHeaders(g, {QStringLiteral("Symbol"), QStringLiteral("Date"), QStringLiteral("Qun."), QStringLiteral("Cost"),
                   QStringLiteral("Com."), QStringLiteral("Total Cost"), QStringLiteral("Total Value"),
                   QStringLiteral("% Gain"), QStringLiteral("$ Gain"), QStringLiteral("Current Price"),
                   QString()});
}

// A column is at least as wide as its widest text in the font it is drawn in
// (dates and the "Current Price" heading are wider than their share on most fonts).
void fitColsToText(FlexGrid& g)
{
    portStep([&] { g.FitColsToText(0, g.Cols() - 1); });
}

void finishHoldingsLayout(FlexGrid& g)
{
    SetColWidths(g, {9, 10, 6, 8, 6, 13, 13, 10, 10, 12, 0});
    fitColsToText(g);
}

// Appends the row of one purchase (unless it is sold out) and adds it to sums.
// key goes into the hidden column.
void appendPurchase(FlexGrid& g, const PortTable& table, const PortRec& b, int key, GroupSums& sums, int rowHeight)
{
    long held = b.Shares;
    const std::int16_t left = SalesLeft(table, b.LotId, b.Shares);
    if (left == kSoldOut && held > 0)
        return;
    if (left > 0)
        held = left;

    const double price = cents(finiteOrZero(b.Price));
    const QString comText = commissionText(b.Commission);
    const double commission = ToDouble(comText);
    const double now = currentPrice(b);
    const double totalCost = cents(held * price + commission);
    const double totalValue = cents(held * now);
    const double gain = units(totalValue - totalCost);

    appendRow(g, {b.Symbol, b.TransDate, QString::number(held), text(price), comText, text(totalCost),
                  text(totalValue), text(pctGain(totalValue, totalCost)), text(gain), text(now),
                  QString::number(key)},
              rowHeight);
    sums.cost += totalCost;
    sums.value += totalValue;
    sums.gain += gain;
    sums.held += held;
    sums.price = now;
    sums.shown = true;
}

void appendGroupTotal(FlexGrid& g, const GroupSums& s, int rowHeight)
{
    appendRow(g, {kTotal, QString(), QString::number(s.held), QString(), QString(), dollars(s.cost),
                  dollars(s.value), text(pctGain(s.value, s.cost)), dollars(s.gain), text(s.price), QString()},
              rowHeight);
}

void styleGroupTotals(FlexGrid& g)
{
    int rows = 0;
    portStep([&] { rows = g.Rows(); });
    for (int r = 2; r < rows; ++r) {
        QString first;
        portStep([&] { first = g.TextMatrix(r, HSymbol); });
        if (first == kTotal)
            styleTotalRow(g, r, HDate, HKey);
    }
}

} // namespace

void AddPortSymbol(std::array<QString, kPortSymbols>& portSymbols, const QString& symbol)
{
    for (QString& entry : portSymbols)
        if (entry.isEmpty()) {
            entry = symbol;
            return;
        }
}

void AddPortSymbol(const QString& symbol)
{
    AddPortSymbol(PortSymbols(), symbol);
}

void FillHoldings(FlexGrid& g, const PortTable& table, int rowHeight)
{
    {
        prepareHoldings(g, rowHeight);

        // Symbols in order of first appearance. All of rows 0..99 count: after a
        // deletion used rows may lie beyond TransCount.
        QStringList symbols;
        for (int i = 0; i <= kLastWorkingTransRow; ++i) {
            const QString& s = table[i].Symbol;
            if (!s.isEmpty() && !symbols.contains(s))
                symbols << s;
        }

        double grandTotal = 0;
        for (const QString& symbol : symbols) {
            GroupSums sums;
            for (int i = 0; i <= kLastWorkingTransRow; ++i) {
                const PortRec& r = table[i];
                if (r.Symbol == symbol && r.Action == QLatin1String("Buy"))
                    appendPurchase(g, table, r, r.LotId, sums, rowHeight);
            }
            if (sums.shown) {
                appendGroupTotal(g, sums, rowHeight);
                grandTotal += sums.gain;
            }
        }

        std::int32_t total = 0;
        portStep([&] { total = rt::CLng(QVariant(grandTotal)); });
        QStringList last(HoldingCols);
        last[HSymbol] = kProfitLoss;
        last[HGain] = QString::number(total);
        appendRow(g, last, rowHeight);

        centreHeaders(g, HDate, HPrice);
        styleGroupTotals(g);
        portStep([&] {
            g.setRow(g.Rows() - 1);
            g.setCol(HGain);
            g.setCellAlignment(FlexGrid::flexAlignCenterCenter);
            g.setCellFontBold(true);
            // Coloured by the sign of the total itself: red for a loss, green for a profit.
            if (total < 0) {
                g.setCellBackColor(PortColors::Red);
                g.setCellForeColor(PortColors::White);
            } else if (total > 0) {
                g.setCellBackColor(PortColors::Green);
                g.setCellForeColor(PortColors::Black);
            }
        });
        finishHoldingsLayout(g);
    }
    finishView(g);
}

void FillSymbolHoldings(FlexGrid& g, const PortTable& table, const QString& symbol, int rowHeight,
                        std::array<QString, kPortSymbols>& portSymbols)
{
    {
        prepareHoldings(g, rowHeight);

        portSymbols.fill(QString());
        for (int i = 0; i <= kLastWorkingTransRow; ++i) {
            const QString& s = table[i].Symbol;
            if (s != symbol || s.size() < 2 || std::find(portSymbols.begin(), portSymbols.end(), s) != portSymbols.end())
                continue;
            AddPortSymbol(portSymbols, s);
            // A sale closes the purchase named by its LotId, so SalesLeft finds
            // what each purchase still holds.
            GroupSums sums;
            for (int b = 0; b <= kLastWorkingTransRow; ++b) {
                const PortRec& r = table[b];
                if (r.Symbol == symbol && r.Action == QLatin1String("Buy"))
                    appendPurchase(g, table, r, b, sums, rowHeight);
            }
            appendGroupTotal(g, sums, rowHeight);
        }

        styleGroupTotals(g);
        centreHeaders(g, HDate, HPrice);
        finishHoldingsLayout(g);
    }
    finishView(g);
}

void FillTransactionLog(FlexGrid& g, const PortTable& table, int rowHeight)
{
    {
        prepareGrid(g, LogCols, rowHeight);
        const int general = FlexGrid::flexAlignGeneral;
        SetColAlign(g, {FlexGrid::flexAlignLeftTop, FlexGrid::flexAlignCenterCenter, general, general, general,
                        FlexGrid::flexAlignRightCenter, FlexGrid::flexAlignRightCenter, general, general});
        SetHeaders(g, {QStringLiteral("Symbol"), QStringLiteral("Action"), QStringLiteral("Date"),
                       QStringLiteral("Qun."), QStringLiteral("Cost"), QStringLiteral("Com."),
                       QStringLiteral("Gain"), QString(), QString()});

        // Gains are stored with their sign (a loss is negative), so the total is
        // the realised result of all sales.
        double total = 0;
        for (int i = 0; i <= kLastWorkingTransRow; ++i) {
            const PortRec& r = table[i];
            if (r.Symbol.isEmpty())
                continue;
            appendRow(g, {r.Symbol, r.Action, r.TransDate, QString::number(r.Shares), text(cents(finiteOrZero(r.Price))),
                          commissionText(r.Commission), rt::Format(finiteOrZero(r.Gain), QStringLiteral("#0.00")),
                          QString::number(r.LotId), QString::number(i)},
                      rowHeight);
            total += finiteOrZero(r.Gain);
        }
        QStringList last(LogCols);
        last[LSymbol] = kLogTotal;
        last[LGain] = text(cents(total)) + QStringLiteral(" $");
        appendRow(g, last, rowHeight);

        centreHeaders(g, LAction, LGain);
        portStep([&] { styleTotalRow(g, g.Rows() - 1, LAction, LGain); });
        SetColWidths(g, {12, 10, 15, 12, 12, 12, 15, 0, 0});
        fitColsToText(g);
    }
    finishView(g);
}
