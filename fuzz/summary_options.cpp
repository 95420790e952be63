// The summary's option sections and its profile text: the input as the cached
// option list (calls and puts, the size question answered OK) and as the profile
// page. Nothing crashes, the boxes keep the promises of fuzz::buildSections, and
// the profile holds no markup of the page but its line breaks.
//
// Seeds: tests/fixtures/reports/summary/op.Sh tests/fixtures/reports/op.Sh tests/fixtures/reports/summary/P.Sh

#include "SummaryFuzz.h"

#include "reports/Summery.h"
#include "stockdata/ProgramState.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    fuzz::buildSections(input, {"S_Calls", "S_Puts"});

    CurrentSymbol() = QStringLiteral("FUZZ");
    QDir().mkpath(AppPath() + QStringLiteral("/Cache/DataSheet"));
    fuzz::writeFile(AppPath() + QStringLiteral("/Cache/DataSheet/FUZZ_P.Sh"), input);
    summary::QuietProgress progress;
    Summery summery(progress);
    QString profile = summery.S_Profile();
    profile.replace(QLatin1String(".<BR>"), QLatin1String(". "));
    fuzz::check(!profile.contains(QLatin1Char('<')) && !profile.contains(QLatin1Char('>')),
                "the profile holds no markup of the page");
    return 0;
}
