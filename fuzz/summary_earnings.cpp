// The summary's estimate grids: the input as the cached estimates page, the
// growth, history, estimates and consensus-trend sections built from it. Nothing
// crashes, and every box keeps the promises of fuzz::buildSections.
//
// Seeds: tests/fixtures/reports/summary/ee.Sh tests/fixtures/reports/ee.Sh

#include "SummaryFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::buildSections(fuzz::bytes(data, size), {"S_EG", "S_EH", "S_EE", "S_EC"});
    return 0;
}
