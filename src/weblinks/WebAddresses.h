#pragma once

#include <QString>

// The addresses of the outside pages the tree opens for a stock: price charts,
// news pages, charts of single fundamental figures, message boards, industry-group
// pages and the television and radio streams. Each builder is pure: (index, symbol)
// -> the whole address, or an empty text for an index outside its table. The
// symbol is percent-encoded where a character of it would change the address;
// letters, digits and . - ^ = go in as they stand.
namespace WebLinks {

// A value as it goes into a query ("&", "#", "+", "%", "?", blanks and control
// characters are written %XX) or into a path step (the same, and "/").
QString QueryValue(const QString& value);
QString PathValue(const QString& value);

QString StockChartAddress(int index, const QString& symbol);        // 0-8
QString StockNewsAddress(int index, const QString& symbol);         // 0-13 (14 opens the headline window)
// 0-20; another index gives the address with nothing after "&field=".
QString FundamentalChartAddress(int index, const QString& symbol);
QString MessageBoardAddress(int index, const QString& symbol);      // 0-2
QString IndustryGroupAddress(int index, const QString& symbol);     // 0-7
QString TVStreamAddress(int index);                                 // 0-10
QString RadioStreamAddress(int index);                              // 0-16

inline constexpr int HeadlineQueryNews = 14;  // the news index that opens the headline window

} // namespace WebLinks
