#pragma once

#include "stockdata/Records.h"

#include <QString>

#include <array>

class FlexGrid;

// The three portfolio views, each filling the grid it is given from a portfolio
// table (the view layer reads Portfolio.dat afresh first and shows the result).
// Row 0 holds the headers, row 1 is a hidden placeholder, the view's rows follow
// at the base row height rowHeight (twips).

// The columns of the holdings views ("Port", "PortSelected") and of the log
// ("PortLog"); the grid actions read them too.
namespace PortColumns {
enum HoldingCol { HSymbol, HDate, HQty, HCost, HCom, HTotalCost, HTotalValue, HPctGain, HGain, HPrice, HKey,
                  HoldingCols };
enum LogCol { LSymbol, LAction, LDate, LQty, LCost, LCom, LGain, LLot, LRow, LogCols };
} // namespace PortColumns

// Holdings of every symbol with group totals and the "Pr/Loss:" row; view "Port".
// The hidden column 10 holds each purchase's LotId.
void FillHoldings(FlexGrid& grid, const std::array<PortRec, kTransRows>& transactions, int rowHeight);
// Holdings of one symbol; view "PortSelected". The hidden column 10 holds each
// purchase's row in the table. portSymbols (the tree's portfolio symbols) is
// emptied and then holds symbol when the table has it.
void FillSymbolHoldings(FlexGrid& grid, const std::array<PortRec, kTransRows>& transactions,
                        const QString& symbol, int rowHeight, std::array<QString, kPortSymbols>& portSymbols);
// Every transaction in row order with the signed gains and their total; view
// "PortLog". Hidden columns: 7 LotId, 8 the row in the table.
void FillTransactionLog(FlexGrid& grid, const std::array<PortRec, kTransRows>& transactions, int rowHeight);

// Puts symbol into the first free entry of portSymbols (PortSymbols when not
// given); nothing when all are used.
void AddPortSymbol(std::array<QString, kPortSymbols>& portSymbols, const QString& symbol);
void AddPortSymbol(const QString& symbol);

// Colours of the views (BGR, red in the low byte).
namespace PortColors {
inline constexpr int White = 0xFFFFFF;
inline constexpr int TotalRow = 0xEFEDD1;
inline constexpr int Red = 0x0000FF;
inline constexpr int Green = 0x00FF00;
inline constexpr int Black = 0x000000;
} // namespace PortColors
