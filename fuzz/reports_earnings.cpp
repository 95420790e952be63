// The earnings reports: the input as a stock's cached earnings page, the four
// turned-around tables built from it. Nothing crashes, and every report keeps the
// promises of fuzz::buildReports.
//
// Seeds: tests/fixtures/reports/ee.Sh tests/fixtures/sheets/earnings/*.htm

#include "ReportFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::buildReports(fuzz::bytes(data, size), {"EC", "ER", "EH", "EG"});
    return 0;
}
