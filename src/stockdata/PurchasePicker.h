#pragma once

#include "platform/FlexGrid.h"

// The purchase picker LastPar ("Select Parchase") without its widgets: the grid of
// the purchases of TransSymbol and the choice that it hands to the transaction
// window through LotPrice, LotShares and TransactionId.
//
// Grid: row 0 the headers "Date", "Shares", "Cost" and an empty fourth; row 1 a
// hidden blank row; one row per purchase from row 2 on, in portfolio row order;
// the hidden column 3 holds the purchase's id.
class PurchasePicker
{
public:
    PurchasePicker();

    static inline const QString Caption = QStringLiteral("Select Parchase");

    // Builds the grid and sets LotPrice to 0 (nothing chosen yet).
    void Form_Load();
    FlexGrid& FG() { return m_grid; }
    const FlexGrid& FG() const { return m_grid; }

    // A click on grid row `row` (made the grid's current row): records that
    // purchase. The header and the hidden row choose nothing.
    void FG_Click(int row);
    // Ok: closes; true when a purchase was chosen and the sale window should open.
    bool cmdOK_Click();
    void cmdCancel_Click();
    bool closed() const { return m_closed; }
    // Ok was pressed with a purchase chosen.
    bool accepted() const { return m_accepted; }

private:
    FlexGrid m_grid;
    bool m_closed = false;
    bool m_accepted = false;
};
