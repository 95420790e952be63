// The options market summary: the input as OptSum.Sh, each of its three tables.
// Nothing crashes and the contract's state is restored after each view.
//
// Seeds: tests/fixtures/market/optsum/*

#include "MarketPagesFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    for (const char* key : {"0", "1", "2"})
        fuzz::showMarketPage(input, "OptSum.Sh", "OptSum", QLatin1String(key), 5);
    return 0;
}
