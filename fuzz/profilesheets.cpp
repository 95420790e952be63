// The profile and short-interest sheets and the tree's profile text: the input as
// the stock's cached page, each view shown with and without ZoomMode. Nothing
// crashes and the contract's state is restored after every view.
//
// Seeds: tests/fixtures/sheets/profile/*.htm

#include "ViewFuzz.h"

#include "platform/Codec.h"
#include "sheets/ProfileSheets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    bool found = false;
    const QString cut = CutProfile(fromCp1252(input), &found);
    fuzz::check(found || cut.isEmpty(), "a missing rule gives an empty cut");
    fuzz::runPageViews(input, QStringLiteral("_P.Sh"), {"Profile"});
    fuzz::runPageViews(input, QStringLiteral("_SI.Sh"), {"SI"});
    return 0;
}
