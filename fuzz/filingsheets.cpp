// The insider-trades and filings sheets: the input as the stock's cached page, each
// view shown with and without ZoomMode. Nothing crashes and the contract's state is
// restored after every view.
//
// Seeds: tests/fixtures/sheets/filings/*.htm

#include "ViewFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    fuzz::runPageViews(input, QStringLiteral("_it.Sh"), {"IT"});
    fuzz::runPageViews(input, QStringLiteral("_qr.Sh"), {"QR"});
    return 0;
}
