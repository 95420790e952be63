// The US indices: the input as the cached US page, scraped into US.dat (which, read,
// saved and read again, gives the same table), then the view of US.dat; and the input
// as US.dat itself. Nothing crashes, and after each view the contract's state is restored.
//
// Seeds: tests/fixtures/market/us/*

#include "MarketFuzz.h"

#include "market/USIndices.h"
#include "stockdata/Stocks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    ViewRunner& runner = fuzz::marketRunner();
    fuzz::writeMarketPage("US.Sh", input);
    Parse_US();
    LoadUS();
    const auto parsed = USIndexes();
    SaveUS();
    LoadUS();
    for (size_t k = 0; k < parsed.size(); ++k) {
        const USRec& a = parsed[k];
        const USRec& b = USIndexes()[k];
        fuzz::check(a.LastTrade == b.LastTrade && a.TradeTime == b.TradeTime && a.Change == b.Change &&
                        a.PctChange == b.PctChange && a.Extra == b.Extra,
                    "US.dat reads back as the table saved");
    }
    fuzz::runMarketView(runner, "US", "");
    fuzz::writeFile(AppPath() + QStringLiteral("/US.dat"), input);
    fuzz::runMarketView(runner, "US", "");
    return 0;
}
