// The summary's table sections: the input as the cached page of the balance
// sheet, the income statement, the insider trades, the quarterly filings and the
// short interest, each section built from it. Nothing crashes, and every box keeps
// the promises of fuzz::buildSections.
//
// Seeds: tests/fixtures/reports/abs.Sh tests/fixtures/reports/it.Sh tests/fixtures/reports/qr.Sh tests/fixtures/reports/SI.Sh

#include "SummaryFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::buildSections(fuzz::bytes(data, size), {"S_ABS", "S_AIS", "S_IT", "S_QR", "S_SI"});
    return 0;
}
