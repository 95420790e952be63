// The row links of the grids: any cell texts, in any view, column and row. An
// address is either nothing or an absolute http(s) address without user info,
// blanks, controls or characters outside ASCII; the statements only mark the cell;
// an option ticker never keeps a ")".
//
// Seeds: tests/fixtures/sheets/*

#include "FuzzSupport.h"

#include "sheets/GridEvents.h"

#include <QUrl>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

QString piece(FuzzedDataProvider& p, std::size_t most)
{
    return fromCp1252(QByteArray::fromStdString(p.ConsumeRandomLengthString(most)));
}

const QStringList& views()
{
    static const QStringList codes{"QR",       "Coverage", "Upgrade",  "Downgrade", "WINLOS",   "SUP",
                                   "IT",       "Call",     "Put",      "Options",   "BR",       "US",
                                   "IPO_News", "IPO_Reg",  "IPO_With", "IPO_Price", "IPO_Last", "IPO_Gain",
                                   "IPO_Loss", "WM",       "FMS1",     "FMS2",      "FMS0",     "AIS",
                                   "ABS",      "F_Growth", "Current",  "Port"};
    return codes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider p(data, size);
    const QString view = views().at(p.ConsumeIntegralInRange<int>(0, int(views().size()) - 1));
    const int col = p.ConsumeIntegralInRange<int>(-1, 12);
    const int row = p.ConsumeIntegralInRange<int>(-1, 5);
    QStringList texts;
    const int cells = p.ConsumeIntegralInRange<int>(0, 12);
    for (int c = 0; c < cells; ++c)
        texts << piece(p, 200);

    const GridLinkAction action = GridLinkAddress(view, col, row, texts);
    if (action.markRed)
        fuzz::check(action.address.isEmpty() && (view == "ABS" || view == "AIS"), "only the statements mark a cell");
    if (!action.address.isEmpty()) {
        fuzz::check(row >= 2, "rows 0 and 1 open nothing");
        for (const QChar ch : action.address)
            fuzz::check(ch.unicode() > 0x20 && ch.unicode() < 0x7F, "an address is printable ASCII");
        const QUrl url(action.address, QUrl::TolerantMode);
        fuzz::check(url.isValid(), "an address parses");
        fuzz::check(url.scheme() == "http" || url.scheme() == "https", "an address is http or https");
        fuzz::check(!url.host().isEmpty() && url.userInfo().isEmpty(), "an address names a host and no user");
    }
    for (const QString& text : texts)
        if (const auto ticker = OptionTicker(text))
            fuzz::check(!ticker->contains(u')') && *ticker == ticker->trimmed(), "a ticker is trimmed, without ')'");
    return 0;
}
