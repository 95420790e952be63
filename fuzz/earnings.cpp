// The earnings tables: the input as a stock's earnings page, each of the four
// views shown from it, with ZoomMode set and without (they ignore it). Nothing
// crashes, more values than the columns hold fail the view, and the contract's
// state is restored after each view.
//
// Seeds: tests/fixtures/sheets/earnings/*.htm

#include "ViewFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    // The four tables have 7, 6, 5 and 5 columns: check them one by one.
    fuzz::showPerStockPage(input, "ACME_ee.Sh", {"EG"}, 7, false);
    fuzz::showPerStockPage(input, "ACME_ee.Sh", {"EH"}, 6, false);
    fuzz::showPerStockPage(input, "ACME_ee.Sh", {"ER", "EC"}, 5, false);
    return 0;
}
