// The fund rankings: the input as a fund page, read by a key that cuts at "Date"
// and by the money-market key that cuts at "Last", into the main grid and into a
// zoom window. Nothing crashes and the contract's state is restored.
//
// Seeds: tests/fixtures/market/funds/*

#include "MarketPagesFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    fuzz::showMarketPage(input, "F_Growth.Sh", "F_", QStringLiteral("F_Growth"), 5);
    fuzz::showMarketPage(input, "F_LMM.Sh", "F_", QStringLiteral("F_LMM"), 5);
    return 0;
}
