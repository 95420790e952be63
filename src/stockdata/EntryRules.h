#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// Rules for what the user types into the editing windows: symbols, dates, share
// counts and prices, and the per-stock cache files a symbol owns.

// The one rule for whether a symbol may be used at all: fetched, named in a cache
// file name or an address, or typed into a set. Not empty, no path separator (slash
// or backslash), no control character, and no dot at the start ("." and ".." would name
// the folder itself or its parent, a leading dot a hidden file and, in addresses
// made from the first letter, a "." path step). The downloaders, the cache file
// names and the entry rule all ask this one.
bool IsFileSafeSymbol(const QString& symbol);

// A typed symbol as the set stores it: blanks around removed, upper case. nullopt
// when it holds anything but letters, digits and . - ^ = or IsFileSafeSymbol refuses it.
std::optional<QString> NormaliseSymbol(const QString& typed);
// Texts of the message shown for a refused symbol.
QString InvalidSymbolText();
QString InvalidSymbolTitle();

// A value as it goes into a query string: letters, digits and - . _ ~ stay, every
// other byte of its Windows-1252 form is written %XX.
QString PercentEncodeQuery(const QString& value);
// The same, keeping also the ASCII characters of alsoKeep as they are.
QString PercentEncode(const QString& value, const char* alsoKeep);

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

// The per-stock page kinds the downloaders write, one file each in Cache/DataSheet:
// <symbol>_<kind> and the extension, as the catalogue's downloads name them.
const QStringList& PerStockPageKinds();
// Their full paths for symbol ("" list when the symbol may not name files).
QStringList PerStockCacheFiles(const QString& symbol);
// Deletes the cached pages of symbol; a missing file is skipped. Returns how many
// files were deleted.
int DeleteStockCache(const QString& symbol);
