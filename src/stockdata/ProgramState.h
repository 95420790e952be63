#pragma once

#include "platform/FlexGrid.h"
#include "stockdata/Records.h"

#include <QPointer>
#include <QString>

#include <array>
#include <cstdint>
#include <map>
#include <memory>

// The state the program shares between its parts: one object, reached through
// programState() or the accessor of each item (Stocks(), CurrentSymbol(), ...). Plain
// data on the user-interface thread. A change with follow-up steps goes through its
// routine (StockSets::makeCurrent for the set, StockSelection for the stock), not by
// writing the item directly; views read what they need through their context.
struct ProgramState
{
    // The current stock set.
    std::array<StockRec, kStockRows> Stocks;  // rows 0 to 200; empty Symbol = free row
    std::int16_t StockCount = 0;              // used rows, counted when the set is read
    std::int16_t CurrentSet = 0;              // 0 to 20: which Set<n>.dat Stocks holds
    QString CurrentSymbol;                    // the selected stock
    std::int16_t CurrentIndex = 0;            // row found by the last GetStockLine
    std::int16_t StocksUnsavedSet = -1;       // the set whose table was marked changed and not yet written; -1 none
    // Tables of other sets whose writes failed, by set: they wait for a write that
    // succeeds and are the set's table when it becomes current again.
    std::map<int, std::shared_ptr<std::array<StockRec, kStockRows>>> UnsavedSets;

    // The US index table, one row per index of the US view's fixed list.
    std::array<USRec, kUSRows> USIndexes;

    // The portfolio.
    std::array<PortRec, kTransRows> Transactions;  // rows 0 to 100; 0 to 99 are used
    std::int16_t TransCount = 0;                   // used rows among 0 to 99
    bool PortfolioUnsaved = false;                 // marked changed and not yet written
    std::array<QString, kPortSymbols> PortSymbols; // the tree's portfolio symbols; "" = free

    // What the grid shows and where a view draws.
    QString CurrentView;          // view code: "Current", "Port", "PortLog", ...
    bool ZoomMode = false;        // set: the next view draws into a new zoom window
    QPointer<FlexGrid> ZoomGrid;  // the grid the last view drew into; null once its window is gone
    int StdRowHeight = FlexGrid::DefaultRowHeight;  // base row height of the main grid, in twips

    // The transaction window's items: the popup actions and the purchase picker set
    // them before the window opens, the window reads them; they keep their values
    // after it closes.
    QString TransMode;               // "NewStock" (purchase), "Sell" or "Edit"
    QString TransSymbol;             // symbol of the transaction
    std::int16_t TransactionId = 0;  // a sale: the purchase it closes (its LotId)
    std::int16_t TransRow = 0;       // an edit: the row of Transactions rewritten
    double LotPrice = 0;             // a sale: price per share of the purchase sold
    std::int16_t LotShares = 0;      // a sale: shares of the purchase sold

    // The main grid's column layout and its events.
    std::array<LayoutRec, kLayoutRows> LayOut;  // the layout table, kept in LayOut.dat
    int DragCol = -1;       // column at which the current header drag started; -1 while none
    int SortAsc = 0;        // the last double-click sort: 1 ascending, 2 descending, 0 none yet
    bool OldStyleBackgroundChecked = false;  // the grid popup's check: odd quote rows shaded
};

// The one state object of the program.
ProgramState& programState();

inline std::array<StockRec, kStockRows>& Stocks() { return programState().Stocks; }
inline std::int16_t& StockCount() { return programState().StockCount; }
inline std::int16_t& CurrentSet() { return programState().CurrentSet; }
inline QString& CurrentSymbol() { return programState().CurrentSymbol; }
inline std::int16_t& CurrentIndex() { return programState().CurrentIndex; }
inline std::array<USRec, kUSRows>& USIndexes() { return programState().USIndexes; }
inline std::array<PortRec, kTransRows>& Transactions() { return programState().Transactions; }
inline std::int16_t& TransCount() { return programState().TransCount; }
inline std::array<QString, kPortSymbols>& PortSymbols() { return programState().PortSymbols; }
inline QString& CurrentView() { return programState().CurrentView; }
inline bool& ZoomMode() { return programState().ZoomMode; }
inline QPointer<FlexGrid>& ZoomGrid() { return programState().ZoomGrid; }
inline int& StdRowHeight() { return programState().StdRowHeight; }
inline QString& TransMode() { return programState().TransMode; }
inline QString& TransSymbol() { return programState().TransSymbol; }
inline std::int16_t& TransactionId() { return programState().TransactionId; }
inline std::int16_t& TransRow() { return programState().TransRow; }
inline double& LotPrice() { return programState().LotPrice; }
inline std::int16_t& LotShares() { return programState().LotShares; }
inline std::array<LayoutRec, kLayoutRows>& LayOut() { return programState().LayOut; }
inline int& DragCol() { return programState().DragCol; }
inline int& SortAsc() { return programState().SortAsc; }
inline bool& OldStyleBackgroundChecked() { return programState().OldStyleBackgroundChecked; }

// Empties the tables of the stock set, the US indices and the portfolio and resets
// the selection, view and transaction items (tests and a fresh start); the grid's
// layout and its sort and drag state stay.
void ResetProgramState();
