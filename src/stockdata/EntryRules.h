#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// Rules for what the user types into the editing windows: symbols, dates, share
// counts and prices, and the per-stock cache files a symbol owns.

// A typed symbol as the set stores it: blanks around removed, upper case. nullopt
// when it is empty or holds anything but letters, digits and . - ^ = (a symbol
// becomes part of cache file names and addresses).
std::optional<QString> NormaliseSymbol(const QString& typed);
// Texts of the message shown for a refused symbol.
QString InvalidSymbolText();
QString InvalidSymbolTitle();

// Whether a stored symbol may name files: not empty, only letters, digits and
// . - ^ = _, and not "." or "..".
bool IsFileSafeSymbol(const QString& symbol);

// A value as it goes into a query string: letters, digits and - . _ ~ stay, every
// other byte of its Windows-1252 form is written %XX.
QString PercentEncodeQuery(const QString& value);

// Today's date in the short form the transaction window writes ("M/d/yyyy").
QString TodayText();
QString ShortDateText(const QDate& date);
// Whether a text reads as a date in one of the forms people type ("1/2/03",
// "01/02/2003", "2003-01-02", "2-Jan-03", "Jan 2, 2003").
bool IsDateText(const QString& text);

// The language's numeric test and conversions, never throwing.
bool IsNumber(const QString& text);
double NumberOf(const QString& text);  // 0 when not a number
// A price typed for an alert: a finite number that fits a 32-bit float.
std::optional<float> AlertValue(const QString& text);
// Texts of the message shown for an alert price that is not a number.
QString NumbersOnlyText();
QString NumbersOnlyTitle();

// Most shares one transaction holds (the count is stored in 16 bits).
inline constexpr int kMaxShares = 32767;

// The per-stock page kinds the downloaders write, one file each:
// <symbol>_<kind>.Sh in Cache/DataSheet.
const QStringList& PerStockPageKinds();
// Their full paths for symbol ("" list when the symbol may not name files).
QStringList PerStockCacheFiles(const QString& symbol);
// Deletes the cached pages of symbol; a missing file is skipped. Returns how many
// files were deleted.
int DeleteStockCache(const QString& symbol);
