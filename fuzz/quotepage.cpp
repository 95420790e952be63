// The quote page parser: the input is a stock's quote page. It never crashes, the
// name it returns is the one it stored, and it touches no other row.
//
// Seeds: tests/fixtures/sheets/*.htm tests/fixtures/retrieval/*.html

#include "FuzzSupport.h"

#include "sheets/QuoteParsers.h"
#include "stockdata/ProgramState.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::writeFile(QuotePagePath(), fuzz::bytes(data, size));
    const int row = static_cast<int>(size % kStockRows);
    Stocks()[row] = StockRec();
    Stocks()[row].Symbol = QStringLiteral("IBM");
    const StockRec untouched = Stocks()[(row + 1) % kStockRows];

    const QString name = ParseQuote(row);
    fuzz::check(name.isEmpty() || name == Stocks()[row].CompanyName, "the name returned is the name stored");
    fuzz::check(Stocks()[row].Symbol == QLatin1String("IBM"), "the symbol stays");
    fuzz::check(Stocks()[(row + 1) % kStockRows] == untouched, "another row stays as it was");
    fuzz::check(ParseQuote(-1).isEmpty() && ParseQuote(kStockRows).isEmpty(), "a row outside the set gives nothing");
    return 0;
}
