// The upgrades, downgrades and broker-report sheets: the input is the stock's
// cached page of each. Nothing crashes, and after each view the contract's state
// is restored.
//
// Seeds: tests/fixtures/sheets/history/upgrades.Sh tests/fixtures/sheets/history/downgrades.Sh tests/fixtures/sheets/history/brokers.Sh

#include "SheetFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    ViewRunner& runner = fuzz::sheetRunner();
    fuzz::runSheet(runner, "UPH", input, size % 2 == 1);
    fuzz::runSheet(runner, "DNH", input, size % 2 == 1);
    fuzz::runSheet(runner, "BRP", input, size % 3 == 1);
    return 0;
}
