#pragma once

#include <QString>

// The three parsers that turn downloaded quote data into the quote texts of the
// current set (Stocks). Values are stored as the display text cut from the input,
// never converted to numbers. None of them raises: a missing file or a page
// without its markers changes nothing (or only what could be found).
//
// The update run reaches these through its QuoteParsing (shell/RealRunServices);
// nothing below this layer includes this header.

// AppPath\Cache\DataSheet\quotes_csv.txt, the fast price update's download.
QString QuotesCsvPath();
// AppPath\Cache\DataSheet\YahooQuote.Sh, the quote page of one stock.
QString QuotePagePath();

// Reads the quotes file into Stocks: line k feeds row k (by position, not by the
// symbol in the line), at most 201 lines, up to the end of the file or the first
// empty line. Fields are comma-separated, double quotes removed, trimmed:
// 2 LastPrice, 3 LastTradeTime (the date), 5 PctChange (the service's change),
// 6 OpenPrice, 7 DayHigh, 8 DayLow, 9 Volume; 1 (symbol) and 4 (time) are not
// kept. A field the line does not reach (no comma before it) leaves its text as
// it was; an empty field is stored empty.
void LoadQuotesCsv();

// Reads the quote page into Stocks[row] and returns the company name found ("" when
// the page has none, or row is outside 0..200).
QString ParseQuote(int row);

// Cuts the "Recent News" list out of a stock's quote page (pageFile) and appends one
// line per headline to newsFile: a double quote, for every cell a blank and its text
// (the fifth cell's text preceded by " #link#" when it links somewhere), ";" and a
// closing double quote, CR LF. The caller deletes newsFile before the download.
// symbol is the stock the page belongs to; the list file's name already carries it.
void ParseRecentNews(const QString& symbol, const QString& pageFile, const QString& newsFile);
