// The splits calendars: the input as the page of each of the five calendars.
// Nothing crashes, the update lock is never left behind and the contract's state
// is restored.
//
// Seeds: tests/fixtures/market/splits/*

#include "MarketPagesFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    const char* const files[] = {"FMS_Today.Sh", "FMS_Week.Sh", "FMS_Next.Sh", "FMS_Rec.Sh", "FMS_Tech.Sh"};
    for (int n = 0; n < 5; ++n)
        fuzz::showMarketPage(input, files[n], "FMS", QString::number(n), 7);
    return 0;
}
