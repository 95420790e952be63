#pragma once

#include <QString>

#include <cstdint>

// The fixed-size records of the user's data files. Field order is the file order:
// never reorder, insert or remove a field, or every existing Set<n>.dat,
// Portfolio.dat and US.dat stops reading.

inline constexpr int kStockRows = 201;        // Stocks(0 To 200)
inline constexpr int kLastStockRow = 200;
inline constexpr int kUSRows = 37;            // USIndexes(0 To 36)
inline constexpr int kTransRows = 101;        // Transactions(0 To 100)
inline constexpr int kLastWorkingTransRow = 99;  // row 100 exists but is never used
inline constexpr int kPortSymbols = 100;      // PortSymbols(0 To 99)
inline constexpr int kStockSets = 21;         // Set0.dat .. Set20.dat

// One stock of the current set: 30 fields.
struct StockRec
{
    QString Tag;                  // 1  carried, never written by the program
    QString Symbol;               // 2  empty marks a free row
    QString CompanyName;          // 3
    float AvgRecommendation = 0;  // 4
    QString LastPrice;            // 5
    QString PctChange;            // 6
    QString Change;               // 7
    QString DayHigh;              // 8
    QString DayLow;               // 9
    QString Volume;               // 10
    QString Ask;                  // 11
    QString Bid;                  // 12
    QString LastTradeSize;        // 13
    QString PERatio;              // 14
    QString DivPerShare;          // 15
    QString OpenPrice;            // 16
    QString PrevClose;            // 17
    QString YearHigh;             // 18
    QString YearLow;              // 19
    QString EPS;                  // 20
    QString Exchange;             // 21
    QString Industry;             // 22
    QString LastTradeTime;        // 23
    float TargetLow = 0;          // 24 the user's low alert price
    float TargetHigh = 0;         // 25 the user's high alert price
    QString Field25;              // 26 carried, never written by the program
    QString MarketCap;            // 27
    QString AvgVolume;            // 28
    QString DivDate;              // 29
    QString Yield;                // 30

    bool operator==(const StockRec&) const = default;
};

// One US index row: five texts.
struct USRec
{
    QString LastTrade;
    QString TradeTime;
    QString Change;
    QString PctChange;
    QString Extra;

    bool operator==(const USRec&) const = default;
};

// One portfolio transaction: 9 fields.
struct PortRec
{
    QString Symbol;            // empty marks a free row
    QString TransDate;         // as the user typed it
    float Price = 0;           // per share
    std::int16_t Shares = 0;
    float Commission = 0;
    QString PriceText;         // latest known price of the symbol, as text
    QString Action;            // "Buy" or "Sell"
    double Gain = 0;           // realised result of a sale, with its sign; 0 for a purchase
    std::int16_t LotId = 0;    // a purchase: its own number; a sale: the purchase it closes

    bool operator==(const PortRec&) const = default;
};

// One recorded main-grid column of LayOut.dat: the header that stood at position Pos1.
struct LayoutRec
{
    QString Caption;        // the column's header text; "" = nothing recorded
    std::int16_t Flag = 0;  // carried through the file, never set or read
    std::int32_t Pos1 = 0;  // the column's position
    std::int32_t Pos2 = 0;  // the same position again; never read

    bool operator==(const LayoutRec&) const = default;
};

inline constexpr int kLayoutRows = 21;  // LayOut(0 To 20); entry 0 is never recorded
