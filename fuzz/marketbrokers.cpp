// The day's broker reports: the input as M_BRP.Sh, both lists. Nothing crashes,
// the update lock is never left behind and the contract's state is restored.
//
// Seeds: tests/fixtures/market/broker/*

#include "MarketPagesFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    fuzz::showMarketPage(input, "M_BRP.Sh", "M_BRP", QStringLiteral("0"), 4);
    fuzz::showMarketPage(input, "M_BRP.Sh", "M_BRP", QStringLiteral("1"), 4);
    return 0;
}
