// The annual statements: the input as a stock's balance-sheet and income-statement
// page, each view shown into the main grid and into a zoom window. Nothing
// crashes, a page that puts cells outside the six columns fails the view like any
// other bad page, and the contract's state is restored after each view.
//
// Seeds: tests/fixtures/sheets/statements/*.htm

#include "ViewFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    fuzz::showPerStockPage(input, "ACME_ABS.Sh", {"ABS"}, 6, true);
    fuzz::showPerStockPage(input, "ACME_AIS.Sh", {"AIS"}, 6, true);
    return 0;
}
