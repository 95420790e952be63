// The version check's reading of a reply: whatever arrives, the failure text is
// empty, "No reply" or one line of the reply (never a line break), and a reply whose
// status line says 2xx is never a failure.
//
// Seeds: tests/fixtures/sheets/history/splits.Sh tests/fixtures/reports/op.Sh

#include "core/VersionCheck.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray reply(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString failure = VersionCheck::ReplyFailure(reply);
    if (reply.isEmpty() && failure != QLatin1String("No reply"))
        std::abort();
    if (failure.contains(u'\r') || failure.contains(u'\n'))
        std::abort();
    if (!reply.isEmpty() && reply.startsWith("HTTP/1.0 200 ") && !failure.isEmpty())
        std::abort();
    return 0;
}
