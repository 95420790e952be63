#pragma once

#include "stockdata/Records.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>

// The portfolio (Transactions, TransCount in the program state) and its file Portfolio.dat.
// Rows 0 to 99 are the working range; row 100 is kept in the file but never used.
// Used rows need not be contiguous: deleting a transaction leaves its row free.

// SalesLeft's answer when nothing of a purchase is left.
inline constexpr std::int16_t kSoldOut = 30000;

// AppPath/Portfolio.dat.
QString PortfolioFilePath();

// Writes Transactions whole. A failed write keeps the old file, is logged as
// "Portfolio_SavePortfolio" (no message) and returns false.
bool SavePortfolio();
// The update run's deferred write (see MarkStocksChanged): a pending write goes out
// with SavePortfolio and before the file is read again.
void MarkPortfolioChanged();
bool SaveChangedPortfolio();
// Empties Transactions, reads the file (a missing one is created empty) and counts
// the used rows 0..99 into TransCount. False when the file could not be read.
bool LoadPortfolio();

// Announces that the portfolio file was rewritten by an edit (a row stored, a row
// deleted, the table emptied). The view layer redraws the holdings or the log when
// one of them is the view on screen.
class PortfolioSignals : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    void changed();
};

PortfolioSignals& portfolioSignals();

// Stores the given fields into row Row (0..100) and leaves the others: a text is
// given when not empty, a number when above 0, PriceText when it is a number above
// 0, and Gain when it is not 0 (a sale's loss is negative). Then saves, reloads
// and announces the change. A Row outside 0..100 stores nothing; the save, reload
// and announcement still happen.
void UpdatePortfolioRow(const QString& Action, const QString& Symbol, std::int16_t Shares, float Commission,
                        const QString& TransDate, double Price, const QString& PriceText, double Gain,
                        std::int16_t LotId, std::int16_t Row);
// Empties every free row of 0..99 completely and empties row 100; used rows keep
// their index. TransCount is not changed (callers reload).
void PackPortfolio();
// Empties the whole table, saves, reloads and announces the change.
void ClearPortfolio();

// Shares of purchase `lot` (bought `shares`) still held after all its sales among
// rows 0..99: 0 when it has no sale, kSoldOut when the sales took everything, else
// what is left.
std::int16_t SalesLeft(std::int16_t lot, std::int16_t shares);
// The same over the sales of table.
std::int16_t SalesLeft(const std::array<PortRec, kTransRows>& table, std::int16_t lot, std::int16_t shares);

// Realised result of a sale: shares x (sale price - purchase price) - commission.
// Positive is a profit, negative a loss; this is what a sale stores as its Gain.
double RealisedGain(double shares, double salePrice, double purchasePrice, double commission);

// A row for a new transaction that holds nothing yet: TransCount + 1 when that row
// is free and inside 1..99, else the first free row of 1..99 (row 0 is avoided
// because a purchase's number is its row and 0 means "none"); -1 when all are used.
int FreeTransRow();
