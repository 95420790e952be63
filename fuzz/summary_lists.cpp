// The summary's broker lists: the input as the cached page of the splits, the
// upgrades, the downgrades, the momentum rating and the broker reports, each
// section built from it. Nothing crashes, and every box keeps the promises of
// fuzz::buildSections.
//
// Seeds: tests/fixtures/reports/summary/sp.Sh tests/fixtures/reports/summary/uph.Sh tests/fixtures/reports/summary/brp.Sh tests/fixtures/reports/summary/mr.Sh

#include "SummaryFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::buildSections(fuzz::bytes(data, size), {"S_Split", "S_UPH", "S_DNH", "S_MR", "S_BRP"});
    return 0;
}
