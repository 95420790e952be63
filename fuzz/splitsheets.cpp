// The splits and momentum sheets: the input is the stock's cached splits page, then
// its momentum page. Nothing crashes, and after each view the contract's state is
// restored.
//
// Seeds: tests/fixtures/sheets/history/splits.Sh tests/fixtures/sheets/history/momentum*.Sh

#include "SheetFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    ViewRunner& runner = fuzz::sheetRunner();
    fuzz::runSheet(runner, "Split", input, size % 2 == 1);
    fuzz::runSheet(runner, "NMR", input, size % 3 == 1);
    return 0;
}
