#pragma once

#include "stockdata/Records.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// The stock detail card (window Properties) without its widgets: the quote texts
// of one stock and its two alert-price boxes. A card remembers the stock it was
// opened for (symbol and set), so several cards can be open at once and each
// stores its alert prices into its own stock, whatever the current set or the
// rows have become meanwhile.
class DetailCard
{
public:
    static constexpr int DataRows = 18;

    // Captions of the data rows lbl1(0..17).
    static const std::array<QString, DataRows>& RowCaptions();

    // Fills the card from rec, a stock of set `set`. The price rows follow the
    // display setting "Fractions" and the volume row the setting "Volume".
    DetailCard(const StockRec& rec, int set);

    QString symbol() const { return m_symbol; }
    int set() const { return m_set; }

    QString caption;                       // the company name
    QString lblName;
    std::array<QString, DataRows> lblData;
    QString lblTime;

    QString target(int index) const { return m_target.at(index); }
    // A change of txtTarget(index), typed or by code: text that is no number shows
    // "Please type numbers." ("Numbers only") and the box becomes "0".
    void setTarget(int index, const QString& text);
    // The box that wants the focus after the last change (-1: none).
    int focusBox() const { return m_focus; }
    void clearFocusRequest() { m_focus = -1; }

    // The arrow shown when the card becomes active: "UP" for a percentage change
    // starting with "+", "DN" for "-", "" to leave the picture as it is.
    QString arrow() const;

    // OK: stores the filled alert boxes into the card's stock and closes. False when
    // the stock is no longer in its set (nothing stored).
    bool cmdOK_Click();
    void cmdCancel_Click() { m_closed = true; }
    bool closed() const { return m_closed; }

private:
    QString m_symbol;
    int m_set = 0;
    std::array<QString, 2> m_target;
    int m_focus = -1;
    bool m_closed = false;
};

// Stores the given alert prices (nullopt: leave the field) into the stock `symbol`
// of set `set` and saves that set's file: the table in memory when it is the
// current set, otherwise the set's file alone. False when the symbol is not in
// that set or the file could not be written.
bool StoreAlertPrices(int set, const QString& symbol, std::optional<float> low, std::optional<float> high);

// The strip's double-click: a card for CurrentSymbol, shown through the editor
// windows. Nothing happens (false) when CurrentSymbol is not in the current set.
bool OpenDetailCard();
