#include "stockdata/TransactionForm.h"

#include "core/ErrorLog.h"
#include "platform/Dialogs.h"
#include "platform/RuntimeError.h"
#include "stockdata/EntryRules.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Portfolio.h"
#include "stockdata/Stocks.h"

#include <QLoggingCategory>

#include <cmath>
#include <exception>

namespace {

Q_LOGGING_CATEGORY(lcTransactions, "tradewright.stockdata.transactions")

const QString kNewStock = QStringLiteral("NewStock");
const QString kSell = QStringLiteral("Sell");
const QString kEdit = QStringLiteral("Edit");
const QString kBuyAction = QStringLiteral("Buy");
const QString kSellAction = QStringLiteral("Sell");

bool validRow(int row)
{
    return row >= 0 && row <= kLastWorkingTransRow;
}

// The edit of a sale: the sale's own row.
bool editsASale()
{
    return TransMode() == kEdit && validRow(TransRow()) && Transactions()[TransRow()].Action == kSellAction &&
           !Transactions()[TransRow()].Symbol.isEmpty();
}

// A whole number of shares the way the 16-bit conversion rounds (half to even),
// kept inside 0..32767.
std::int16_t roundShares(double v)
{
    if (!(v > 0))
        return 0;
    if (v >= kMaxShares)
        return kMaxShares;
    return static_cast<std::int16_t>(std::nearbyint(v));
}

} // namespace

int PurchaseRowOfLot(std::int16_t lot)
{
    if (lot < 1)
        return -1;
    for (int i = 0; i <= kLastWorkingTransRow; ++i) {
        const PortRec& r = Transactions()[i];
        if (r.Action == kBuyAction && r.LotId == lot && !r.Symbol.isEmpty())
            return i;
    }
    return -1;
}

int SharesLeftOfLot(std::int16_t lot, int shares, int exceptRow)
{
    long sold = 0;
    for (int i = 0; i <= kLastWorkingTransRow; ++i) {
        const PortRec& r = Transactions()[i];
        if (i != exceptRow && r.Action == kSellAction && r.LotId == lot && !r.Symbol.isEmpty())
            sold += r.Shares;
    }
    const long left = long(shares) - sold;
    return left > 0 ? int(left) : 0;
}

QString SellLessTitle(int limit)
{
    return QStringLiteral("Sell Less Then ") + QString::number(limit);
}

QString SellLessText(int limit)
{
    return QStringLiteral("You can not sell more then buying.\r\nPlease sell less then ") + QString::number(limit) +
           QStringLiteral(" shares.");
}

QString PortfolioFullTitle()
{
    return QStringLiteral("Portfolio Full");
}

QString PortfolioFullText()
{
    return QStringLiteral("The portfolio already holds 99 transactions, as many as it can keep.\r\n"
                          "Please delete a transaction first.");
}

TransactionForm::TransactionForm()
    : m_sharesLimit(kMaxShares)
{
    m_text[txtDate] = QString();
    m_text[txtShares] = QStringLiteral("0");
    m_text[txtPrice] = QStringLiteral("0");
    m_text[txtComm] = QStringLiteral("0");
}

void TransactionForm::Form_Load()
{
    m_sharesLimit = kMaxShares;
    if (TransMode() == kEdit) {
        // The boxes are the opener's; only the limit of an edited sale is ours.
        if (editsASale()) {
            const PortRec& sale = Transactions()[TransRow()];
            const int buy = PurchaseRowOfLot(sale.LotId);
            if (buy >= 0)
                m_sharesLimit = SharesLeftOfLot(sale.LotId, Transactions()[buy].Shares, TransRow());
        }
        return;
    }
    if (TransMode() != kNewStock && TransMode() != kSell)
        return;
    if (TransMode() == kSell)
        m_sharesLimit = SharesLeftOfLot(TransactionId(), LotShares());
    setText(txtDate, TodayText());
    m_curPrice = GetLastPrice(TransSymbol());
    lblCurrent = m_curPrice;
    setText(txtPrice, m_curPrice);
    lblSymbol = TransSymbol();
    lblID = QString::number(TransactionId());
    if (TransMode() == kSell)
        setText(txtShares, QString::number(m_sharesLimit));
}

void TransactionForm::setText(Box box, const QString& text)
{
    if (box < 0 || box >= BoxCount || m_text[box] == text)
        return;  // an unchanged text raises no change
    m_text[box] = text;
    // A guard that sets its own box raises the guard again; the depth limit only
    // guards against a loop that the rules below cannot make.
    if (m_guardDepth > 8)
        return;
    ++m_guardDepth;
    runGuard(box);
    --m_guardDepth;
}

void TransactionForm::runGuard(Box box)
{
    const QString t = m_text[box];
    switch (box) {
    case txtDate:
        if (t.isEmpty())
            setText(txtDate, TodayText());
        break;
    case txtComm:
        if (t.isEmpty() || !IsNumber(t))
            setText(txtComm, QStringLiteral("0"));
        break;
    case txtPrice:
        if (t.isEmpty() || !IsNumber(t))
            setText(txtPrice, IsNumber(m_curPrice) ? m_curPrice : QString());
        break;
    case txtShares:
        guardShares();
        break;
    }
}

void TransactionForm::guardShares()
{
    const QString t = m_text[txtShares];
    if (t.isEmpty() || !IsNumber(t)) {
        setText(txtShares, QStringLiteral("0"));
        // "0" may have been there already: the box still holds no usable count.
        m_okEnabled = false;
        return;
    }
    const double v = NumberOf(t);
    if (v > m_sharesLimit) {
        if (TransMode() == kSell || editsASale())
            Dialogs::MsgBox(SellLessText(m_sharesLimit), Dialogs::vbInformation, SellLessTitle(m_sharesLimit));
        else
            Dialogs::MsgBox(QStringLiteral("The number of shares can not be more than 32,767."),
                            Dialogs::vbInformation, QStringLiteral("Too Many Shares"));
        setText(txtShares, QString::number(m_sharesLimit));
        focus(txtShares);
        return;
    }
    // A count that rounds to 0 stores nothing: OK waits for at least one share.
    m_okEnabled = roundShares(v) >= 1;
}

std::int16_t TransactionForm::sharesValue() const
{
    return roundShares(NumberOf(m_text[txtShares]));
}

bool TransactionForm::completeBoxes(const QString& sharesPrompt, const QString& sharesTitle,
                                    const QString& sharesDefault, const QString& pricePrompt,
                                    const QString& priceTitle)
{
    if (m_text[txtDate].isEmpty() || !IsDateText(m_text[txtDate]))
        setText(txtDate, TodayText());
    if (m_text[txtShares].isEmpty())
        setText(txtShares, Dialogs::InputBox(sharesPrompt, sharesTitle, sharesDefault));
    if (m_text[txtShares].isEmpty() || sharesValue() < 1) {
        focus(txtShares);
        return false;
    }
    if (m_text[txtPrice].isEmpty())
        setText(txtPrice, Dialogs::InputBox(pricePrompt, priceTitle, m_curPrice));
    if (m_text[txtPrice].isEmpty()) {
        focus(txtPrice);
        return false;
    }
    if (m_text[txtComm].isEmpty())
        setText(txtComm, QStringLiteral("0"));
    return true;
}

int TransactionForm::freeRowOrTell() const
{
    const int row = FreeTransRow();
    if (row < 0)
        Dialogs::MsgBox(PortfolioFullText(), Dialogs::vbInformation, PortfolioFullTitle());
    return row;
}

void TransactionForm::AddPurchase()
{
    try {
        if (TransSymbol().isEmpty())
            return;
        if (!completeBoxes(QStringLiteral("How many shares do you want to buy?"),
                           QStringLiteral("Enter the number of shares to buy"), QStringLiteral("1"),
                           QStringLiteral("What is purchase price?"), QStringLiteral("Enter shares price")))
            return;
        const int row = freeRowOrTell();
        if (row < 0)
            return;
        // A purchase's id is its own row.
        const auto r = static_cast<std::int16_t>(row);
        UpdatePortfolioRow(kBuyAction, TransSymbol(), sharesValue(), static_cast<float>(NumberOf(m_text[txtComm])),
                           m_text[txtDate], NumberOf(m_text[txtPrice]), m_curPrice, 0, r, r);
    } catch (const std::exception& e) {
        // A step that fails stores nothing more; the form closes as after any OK.
        qCWarning(lcTransactions) << "the purchase was stored only in part:" << e.what();
    }
}

void TransactionForm::Sell()
{
    try {
        if (!completeBoxes(QStringLiteral("How many shares do you want to sell?"),
                           QStringLiteral("Enter the number of shares to sell"), QString::number(m_sharesLimit),
                           QStringLiteral("What is the sale price?"), QStringLiteral("Enter shares price")))
            return;
        if (TransSymbol().isEmpty() || TransactionId() < 1)
            throw RuntimeError(5, QStringLiteral("Invalid procedure call or argument: no purchase to sell"));
        const std::int16_t shares = sharesValue();
        if (shares > m_sharesLimit) {
            Dialogs::MsgBox(SellLessText(m_sharesLimit), Dialogs::vbInformation, SellLessTitle(m_sharesLimit));
            focus(txtShares);
            return;
        }
        const double price = NumberOf(m_text[txtPrice]);
        const double commission = NumberOf(m_text[txtComm]);
        const double gain = RealisedGain(shares, price, LotPrice(), commission);
        const int row = freeRowOrTell();
        if (row < 0)
            return;
        UpdatePortfolioRow(kSellAction, TransSymbol(), shares, static_cast<float>(commission), m_text[txtDate], price,
                           m_curPrice, gain, TransactionId(), static_cast<std::int16_t>(row));
    } catch (const RuntimeError& e) {
        LogError(e, QStringLiteral("Stocks_Sell"), false);
    } catch (const std::exception& e) {
        LogError(QString::fromLocal8Bit(e.what()), 0, QString(), QStringLiteral("Stocks_Sell"), false);
    }
}

void TransactionForm::EditTransaction()
{
    try {
        if (!validRow(TransRow()) || Transactions()[TransRow()].Symbol.isEmpty())
            return;
        if (!completeBoxes(QStringLiteral("How many shares do you want to buy?"),
                           QStringLiteral("Enter the number of shares to buy"), QStringLiteral("1"),
                           QStringLiteral("What is purchase price?"), QStringLiteral("Enter shares price")))
            return;
        const std::int16_t shares = sharesValue();
        const double price = NumberOf(m_text[txtPrice]);
        const float commission = static_cast<float>(NumberOf(m_text[txtComm]));

        // The row as it will read after the edit: a value of 0 keeps the old one.
        auto after = Transactions();
        PortRec& edited = after[TransRow()];
        if (shares > 0)
            edited.Shares = shares;
        if (price > 0)
            edited.Price = static_cast<float>(price);
        if (commission > 0)
            edited.Commission = commission;

        // A sale's gain follows from its own figures and its purchase's price, so
        // the gains of the lot's sales are worked out again with the new figures.
        const std::int16_t lot = edited.LotId;
        int buy = -1;
        for (int i = 0; i <= kLastWorkingTransRow && buy < 0; ++i)
            if (after[i].Action == kBuyAction && after[i].LotId == lot && !after[i].Symbol.isEmpty())
                buy = i;
        if (buy >= 0) {
            for (int i = 0; i <= kLastWorkingTransRow; ++i) {
                const PortRec& s = after[i];
                if (s.Action == kSellAction && s.LotId == lot && !s.Symbol.isEmpty())
                    Transactions()[i].Gain = RealisedGain(s.Shares, s.Price, after[buy].Price, s.Commission);
            }
        }
        UpdatePortfolioRow(QString(), TransSymbol(), shares, commission, m_text[txtDate], price, QString(), 0, 0,
                           TransRow());
    } catch (const std::exception& e) {
        // The edit is not stored; the window closes as after any OK.
        qCWarning(lcTransactions) << "the edit of transaction" << TransRow() << "failed:" << e.what();
    }
}

void TransactionForm::cmdOK_Click()
{
    if (TransMode() == kNewStock)
        AddPurchase();
    else if (TransMode() == kSell)
        Sell();
    else if (TransMode() == kEdit)
        EditTransaction();
    cmdCancel_Click();
}

void TransactionForm::cmdCancel_Click()
{
    if (m_closed)
        return;
    m_closed = true;
    if (onClose)
        onClose();
}
