// The table reports: the input as the cached page of the balance sheet, the income
// statement, the insider trades, the quarterly filings and the short interest, each
// report built from it. Nothing crashes, and every report keeps the promises of
// fuzz::buildReports.
//
// Seeds: tests/fixtures/reports/abs.Sh tests/fixtures/reports/it.Sh tests/fixtures/reports/qr.Sh tests/fixtures/reports/SI.Sh

#include "ReportFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::buildReports(fuzz::bytes(data, size), {"ABS", "AIS", "IT", "QR", "SI"});
    return 0;
}
