// The option reports: the input as a stock's cached option list, the calls and
// the puts report built from it (the size question is the caller's). Nothing
// crashes, and both reports keep the promises of fuzz::buildReports.
//
// Seeds: tests/fixtures/reports/op.Sh tests/fixtures/sheets/options/*.Sh

#include "ReportFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::buildReports(fuzz::bytes(data, size), {"Call", "Put"});
    return 0;
}
