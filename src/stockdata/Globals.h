#pragma once

#include "platform/FlexGrid.h"
#include "stockdata/Records.h"

#include <QPointer>
#include <QString>

#include <array>
#include <cstdint>

// The program-wide state this layer owns, each item defined once (Globals.cpp).
// Plain data on the user-interface thread; higher layers read and write it directly.

// The current stock set.
extern std::array<StockRec, kStockRows> Stocks;   // rows 0 to 200; empty Symbol = free row
extern std::int16_t StockCount;                   // used rows, counted when the set is read
extern std::int16_t CurrentSet;                   // 0 to 20: which Set<n>.dat Stocks holds
extern QString CurrentSymbol;                     // the selected stock
extern std::int16_t CurrentIndex;                 // row found by the last GetStockLine

// The US index table, one row per index of the US view's fixed list.
extern std::array<USRec, kUSRows> USIndexes;

// The portfolio.
extern std::array<PortRec, kTransRows> Transactions;  // rows 0 to 100; 0 to 99 are used
extern std::int16_t TransCount;                       // used rows among 0 to 99
extern std::array<QString, kPortSymbols> PortSymbols; // the tree's portfolio symbols; "" = free

// What the grid shows and where a view draws.
extern QString CurrentView;    // view code: "Current", "Port", "PortLog", ...
extern bool ZoomMode;          // set: the next view draws into a new zoom window
extern QPointer<FlexGrid> ZoomGrid;  // the grid the last view drew into; null once its window is gone
extern int StdRowHeight;       // base row height of the main grid, in twips

// The transaction window's globals: the popup actions and the purchase picker set
// them before the window opens, the window reads them; they keep their values after
// it closes.
extern QString TransMode;            // "NewStock" (purchase), "Sell" or "Edit"
extern QString TransSymbol;          // symbol of the transaction
extern std::int16_t TransactionId;   // a sale: the purchase it closes (its LotId)
extern std::int16_t TransRow;        // an edit: the row of Transactions rewritten
extern double LotPrice;              // a sale: price per share of the purchase sold
extern std::int16_t LotShares;       // a sale: shares of the purchase sold

// Empties every table above and resets the scalars (tests and a fresh start).
void ResetStockDataGlobals();
