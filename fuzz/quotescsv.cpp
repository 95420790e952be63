// The quotes file of the fast price update: the input is the file. It never
// crashes, and every text it stores is a field as the file gives it: no double
// quote, no blank at either end.
//
// Seeds: tests/fixtures/sheets/*csv*

#include "FuzzSupport.h"

#include "sheets/QuoteParsers.h"
#include "stockdata/ProgramState.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::writeFile(QuotesCsvPath(), fuzz::bytes(data, size));
    Stocks().fill(StockRec());
    LoadQuotesCsv();
    for (const StockRec& r : Stocks()) {
        for (const QString* f : {&r.LastPrice, &r.LastTradeTime, &r.PctChange, &r.OpenPrice, &r.DayHigh, &r.DayLow,
                                 &r.Volume}) {
            fuzz::check(!f->contains(u'"'), "a stored field holds no double quote");
            fuzz::check(!f->startsWith(u' ') && !f->endsWith(u' '), "a stored field is trimmed");
        }
        fuzz::check(r.Symbol.isEmpty() && r.CompanyName.isEmpty(), "the symbol and name are not the file's");
    }
    return 0;
}
