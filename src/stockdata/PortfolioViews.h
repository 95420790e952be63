#pragma once

#include <QString>

// The three portfolio views. Each records its view code in CurrentView, reads
// Portfolio.dat afresh and draws into the main grid, or, while ZoomMode is set,
// into the grid of a new zoom window, which it then shows (and clears ZoomMode).
// ZoomGrid is left pointing at the grid drawn into.

// Holdings of every symbol with group totals and the "Pr/Loss:" row; view "Port".
// The hidden column 10 holds each purchase's LotId.
void FG_Portfolio_All();
// Holdings of one symbol; view "PortSelected". The hidden column 10 holds each
// purchase's row in Transactions.
void PortSelected(const QString& symbol);
// Every transaction in row order with the signed gains and their total; view
// "PortLog". Hidden columns: 7 LotId, 8 the row in Transactions.
void FG_PortfolioLog();

// Puts symbol into the first free entry of PortSymbols; nothing when all are used.
void AddPortSymbol(const QString& symbol);

// Colours of the views (BGR, red in the low byte).
namespace PortColors {
inline constexpr int White = 0xFFFFFF;
inline constexpr int TotalRow = 0xEFEDD1;
inline constexpr int Red = 0x0000FF;
inline constexpr int Green = 0x00FF00;
inline constexpr int Black = 0x000000;
} // namespace PortColors
