#pragma once

#include "stockdata/Records.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// The current stock set (Stocks, in the program state), its file Set<n>.dat and US.dat, and
// the lookups the rest of the program uses. Symbols compare exactly (case counts).

// AppPath/Set<n>.dat for set n.
QString SetFilePath(int set);
// AppPath/US.dat.
QString USFilePath();

// Empties Stocks and reads Set<CurrentSet>.dat into it (a missing file is created
// empty), then counts the used rows into StockCount. A failure is logged as
// "Stocks_ReadStocks" and leaves StockCount as it was; false then.
bool ReadStocks();
// Writes Stocks whole to Set<CurrentSet>.dat; a failure is logged as
// "Stocks_SaveStocks" and leaves the old file. False then.
bool SaveStocks();

// A set other than the current one, as the program holds it: a table whose write
// failed waits in memory (the file holds less) and is what ReadOtherSet and a later
// ReadStocks of that set give; SaveOtherSet writes it (a failure told and logged as
// SaveStocks's, the table then waiting) and SaveChangedTables tries the waiting ones
// again. ReadOtherSet is false when the file could not be read.
bool ReadOtherSet(int set, std::array<StockRec, kStockRows>& table);
bool SaveOtherSet(int set, const std::array<StockRec, kStockRows>& table);

// The update run marks the table changed instead of writing it for every stock, and
// writes it once at the end of each pass over the set, on Stop and on quit
// (SaveChangedTables). A pending write also goes out with SaveStocks, and before the
// table is read again (into the file of the set it was marked in).
void MarkStocksChanged();
bool SaveChangedStocks();
// SaveChangedStocks and SaveChangedPortfolio.
bool SaveChangedTables();
// Writes the tables marked changed when it goes out of scope.
struct SaveChangedTablesAtEnd {
    SaveChangedTablesAtEnd() = default;
    SaveChangedTablesAtEnd(const SaveChangedTablesAtEnd&) = delete;
    SaveChangedTablesAtEnd& operator=(const SaveChangedTablesAtEnd&) = delete;
    ~SaveChangedTablesAtEnd() { SaveChangedTables(); }
};

// Row of the first row 0..StockCount whose Symbol equals symbol, and 0 when none
// does: the same answer as a match in row 0, which the older callers rely on.
// FindSymbol("") gives the first free row at or before StockCount.
std::int16_t FindSymbol(const QString& symbol);
// The same scan, but says "absent" (and an empty symbol is never found): use this
// before editing or deleting a row, so a missing symbol never touches row 0.
std::optional<std::int16_t> LookupSymbol(const QString& symbol);

// The first row 0..199 holding symbol: the row of a selected stock (CurrentIndex).
// Row 200 is outside on purpose: the strip and the quote line never showed it.
std::optional<std::int16_t> SelectedStockRow(const QString& symbol);
// The quote fields of the first row 0..199 holding symbol, joined by ";" (company
// name, change, % change, volume, high, low, bid, ask, trade size, open, previous
// close, year high, year low, EPS, P/E, dividend, exchange, industry, last update);
// sets CurrentIndex to that row. Empty (and CurrentIndex kept) when absent.
QString GetStockLine(const QString& symbol);
// LastPrice of the first row 0..199 holding symbol, through FormatP; "" when absent.
QString GetLastPrice(const QString& symbol);
// Empties the first 26 fields of the row (Tag .. Field25); the last four texts
// stay. A row outside 0..200 changes nothing.
void ClearSetRow(std::int16_t row);
// Moves the used rows to the top in their order; every row's last four texts are
// emptied. StockCount is not touched (callers read the set again).
void PackSet();
// Display name of CurrentSymbol: its CompanyName when that has 2 characters or
// more, else the symbol; "" when CurrentSymbol is empty or not among rows
// 0..StockCount.
QString GetSelectedName();
// AvgRecommendation of the first row 0..200 holding symbol; 0 when absent.
float GetRecommendation(const QString& symbol);
// Where the marker of a rating stands on a recommendation gauge `width` pixels wide:
// ((5 - r)(w - 6.5% w) + r(2.5% w)) / 4 rounded half to even, with r the rating
// clamped to 1..5. 1 ("Strong Buy") lies near the right end, 5 ("Sell") near the
// left; a rating below 1 is drawn at 1, one above 5 (or not a number) at 5. The
// update run and the stock strip both place their markers with it.
int GaugeMarkerX(double rating, int width);

// US.dat: whole-table write and read (a missing file is created empty).
bool SaveUS();
bool LoadUS();
