// Winners and losers, the analyst actions, the earnings surprises and the world
// markets: the input as each view's page. Nothing crashes, and after each view the
// contract's state is restored.
//
// Seeds: tests/fixtures/market/winlos/*.Sh tests/fixtures/market/analyst/*.Sh tests/fixtures/market/surprises/*.Sh tests/fixtures/market/world/*.Sh

#include "MarketFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    ViewRunner& runner = fuzz::marketRunner();
    fuzz::writeMarketPage("mwwinners.Sh", input);
    fuzz::runMarketView(runner, "WINLOS", "mwwinners.Sh");
    fuzz::writeMarketPage("UpDown.Sh", input);
    fuzz::runMarketView(runner, "Coverage", "");
    fuzz::runMarketView(runner, "Downgrade", "");
    fuzz::runMarketView(runner, "Upgrade", "");
    fuzz::writeMarketPage("25_surp.Sh", input);
    fuzz::runMarketView(runner, "SUP", "");
    fuzz::writeMarketPage("Market.Sh", input);
    fuzz::runMarketView(runner, "WM", "");
    return 0;
}
