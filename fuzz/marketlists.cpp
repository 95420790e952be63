// The movers lists: the input as a big-movers page and as a screener page, each
// shown as the list of its file. Nothing crashes, and after each view the
// contract's state is restored.
//
// Seeds: tests/fixtures/market/movers/*.Sh

#include "MarketFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    ViewRunner& runner = fuzz::marketRunner();
    fuzz::writeMarketPage("BrPG_Q.Sh", input);
    fuzz::runMarketView(runner, "BR", "brPG_Q.Sh");
    fuzz::writeMarketPage("BrDT_N.Sh", input);
    fuzz::runMarketView(runner, "BR", "BrDT_N.Sh");
    return 0;
}
