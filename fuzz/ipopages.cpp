// The IPO pages: the input as the page of each of the seven views, into the main
// grid and into a zoom window. Nothing crashes (a row wider than the grid fails
// the view), and the contract's state is restored after each view.
//
// Seeds: tests/fixtures/market/ipo/*

#include "MarketPagesFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    struct View
    {
        const char* code;
        const char* file;
        int cols;
    };
    static const View views[] = {
        {"IPO_Price", "IPO_Prc.sh", 14}, {"IPO_Gain", "IPO_G3.sh", 14}, {"IPO_Loss", "IPO_L3.sh", 14},
        {"IPO_Reg", "IPO_Reg.sh", 8},    {"IPO_Last", "IPO_lts.sh", 14}, {"IPO_With", "IPO_wp.sh", 7},
        {"IPO_News", "IPO_News.sh", 5},
    };
    for (const View& v : views)
        fuzz::showMarketPage(input, v.file, v.code, QString(), v.cols);
    return 0;
}
