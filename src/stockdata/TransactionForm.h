#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <functional>

// The transaction window frmPurchace without its widgets: the texts of its labels
// and boxes, the change guards of the four boxes and the three actions behind OK.
// It reads the transaction globals (TransMode, TransSymbol, TransactionId,
// TransRow, LotPrice, LotShares) that the opener set before Form_Load.
//
// The window shows these texts and hands every typed change to setText(); a
// change that a guard makes is part of the model at once, so the window only
// copies the texts back.
class TransactionForm
{
public:
    enum Box { txtDate, txtShares, txtPrice, txtComm };
    static constexpr int BoxCount = 4;

    TransactionForm();

    // The load step: fills the boxes for the mode in TransMode.
    void Form_Load();

    // Caption and labels the opener sets per mode.
    QString caption = QStringLiteral("Buy Stock");
    QString lblSymbol = QStringLiteral("-");
    QString lblName = QStringLiteral("-");
    QString lblCurrent = QStringLiteral("-");
    QString lblID = QStringLiteral("-");
    QString lblDate = QStringLiteral("Purchase Date:");    // lbl(0)
    QString lblPrice = QStringLiteral("Purchase Price:");  // lbl(2)

    QString text(Box box) const { return m_text[box]; }
    // A change of a box (typed or set by code): stores it and runs the box's guard.
    void setText(Box box, const QString& text);

    bool okEnabled() const { return m_okEnabled; }
    QString curPrice() const { return m_curPrice; }
    // The most shares this transaction may hold: what is left of the lot for a
    // sale, 32,767 otherwise.
    int sharesLimit() const { return m_sharesLimit; }

    // The box that should have the keyboard focus after the last step (-1: none).
    int focusBox() const { return m_focus; }
    void clearFocusRequest() { m_focus = -1; }

    // OK: runs the action of TransMode, then closes (also when nothing was stored).
    void cmdOK_Click();
    // Cancel: closes; nothing is stored.
    void cmdCancel_Click();
    bool closed() const { return m_closed; }
    // Called when the form closes (the window hides itself).
    std::function<void()> onClose;

    // The three actions. Each stores at most one row and tells the user when it
    // cannot; none of them closes the form.
    void AddPurchase();
    void Sell();
    void EditTransaction();

private:
    void runGuard(Box box);
    void guardShares();
    void focus(Box box) { m_focus = box; }
    // Steps 1 to 6 shared by the three actions; false when one of them stopped.
    bool completeBoxes(const QString& sharesPrompt, const QString& sharesTitle, const QString& sharesDefault,
                       const QString& pricePrompt, const QString& pricePlaceholderTitle);
    std::int16_t sharesValue() const;
    int freeRowOrTell() const;

    std::array<QString, BoxCount> m_text;
    QString m_curPrice;
    bool m_okEnabled = false;
    bool m_closed = false;
    int m_focus = -1;
    int m_sharesLimit;
    int m_guardDepth = 0;
};

// What is left to sell of purchase `lot` that bought `shares`, leaving out the sale
// in row `exceptRow` (-1: count every sale).
int SharesLeftOfLot(std::int16_t lot, int shares, int exceptRow = -1);
// The purchase row whose id is lot (first "Buy" of rows 0..99 with that LotId),
// or -1.
int PurchaseRowOfLot(std::int16_t lot);

// The texts of the messages the form shows.
QString SellLessTitle(int limit);
QString SellLessText(int limit);
QString PortfolioFullTitle();
QString PortfolioFullText();
