#include "stockdata/PurchasePicker.h"

#include "core/Utilities.h"
#include "platform/Runtime.h"
#include "platform/SkipFailedSteps.h"
#include "stockdata/ProgramState.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QStringList>
#include <QVariantList>

#include <exception>

namespace {

Q_LOGGING_CATEGORY(lcPurchasePicker, "tradewright.stockdata.purchasepicker")

const SkipFailedSteps pickStep(lcPurchasePicker, "LastPar");

} // namespace

PurchasePicker::PurchasePicker()
{
    m_grid.setRows(2);
    m_grid.setCols(4);
}

void PurchasePicker::Form_Load()
{
    m_closed = false;
    m_accepted = false;
    pickStep([&] {
        m_grid.setRedraw(false);
        m_grid.setRows(2);
        m_grid.setCols(4);
        m_grid.setFixedRows(1);
        m_grid.setFixedCols(0);
        m_grid.Clear();
    });
    SetHeaders(m_grid, {QStringLiteral("Date"), QStringLiteral("Shares"), QStringLiteral("Cost")});
    for (int i = 0; i <= kLastWorkingTransRow; ++i) {
        const PortRec& r = Transactions()[i];
        if (r.Symbol.isEmpty() || r.Symbol != TransSymbol() || r.Action != QLatin1String("Buy"))
            continue;
        pickStep([&] {
            m_grid.AddItem(QStringList{r.TransDate, QString::number(r.Shares), rt::SingleText(r.Price),
                                       QString::number(r.LotId)}
                               .join(QLatin1Char('\t')));
        });
    }
    SetColWidths(m_grid, {33, 33, 33, 0});
    pickStep([&] { m_grid.setRowHeight(1, 0); });
    SetColAlign(m_grid, {FlexGrid::flexAlignLeftTop, FlexGrid::flexAlignCenterCenter,
                         FlexGrid::flexAlignCenterCenter});
    pickStep([&] { m_grid.setRedraw(true); });
    LotPrice() = 0;
}

void PurchasePicker::FG_Click(int row)
{
    pickStep([&] { m_grid.setRow(row); });
    const int r = m_grid.Row();
    if (r >= 2) {
        pickStep([&] {
            const double price = rt::CDbl(QVariant(m_grid.TextMatrix(r, 2)));
            const std::int16_t shares = rt::CInt(m_grid.TextMatrix(r, 1));
            LotPrice() = price;
            LotShares() = shares;
        });
    }
    // The header and the hidden row hold no id: the conversion fails and the id
    // stays as it was.
    pickStep([&] { TransactionId() = rt::CInt(m_grid.TextMatrix(r, 3)); });
}

bool PurchasePicker::cmdOK_Click()
{
    cmdCancel_Click();
    if (LotPrice() == 0)
        return false;
    QCoreApplication::processEvents();
    m_accepted = true;
    return true;
}

void PurchasePicker::cmdCancel_Click()
{
    m_closed = true;
}
