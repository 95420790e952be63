// The transports' reply framing reader (HttpReply::Reader): a reply fed whole and fed
// in pieces (the first byte chooses their size) comes to the same facts, fault and
// body; a chunked body handed on is exactly the chunk data counted; a body with a
// Content-Length is handed on up to that length; JudgeRaw agrees.
//
// Seeds: tests/fixtures/platform/replies/*.txt

#include "platform/HttpReply.h"

#include <cstdint>
#include <cstdlib>

namespace {

struct Read
{
    HttpReply::Facts facts;
    HttpReply::Fault fault = HttpReply::Fault::None;
    HttpReply::Fault failed = HttpReply::Fault::None;
    QByteArray body;
    bool complete = false;
};

Read readIn(QByteArrayView raw, qsizetype piece)
{
    HttpReply::Reader reader;
    Read read;
    const auto sink = [&read](QByteArrayView bytes) {
        read.body += bytes;
        return true;
    };
    for (qsizetype at = 0; at < raw.size(); at += piece)
        if (!reader.feed(raw.sliced(at, qMin(piece, raw.size() - at)), sink))
            break;
    read.facts = reader.facts();
    read.fault = HttpReply::Judge(read.facts);
    read.failed = reader.failed();
    read.complete = reader.complete();
    return read;
}

void check(bool holds)
{
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const qsizetype piece = 1 + data[0] % 17;
    const QByteArrayView raw(reinterpret_cast<const char*>(data) + 1, qsizetype(size) - 1);
    const Read whole = readIn(raw, qMax<qsizetype>(1, raw.size()));
    const Read pieces = readIn(raw, piece);
    check(whole.fault == pieces.fault && whole.failed == pieces.failed && whole.body == pieces.body &&
          whole.complete == pieces.complete);
    check(whole.facts.status == pieces.facts.status && whole.facts.bodyBytes == pieces.facts.bodyBytes &&
          whole.facts.chunked == pieces.facts.chunked && whole.facts.chunksWhole == pieces.facts.chunksWhole);
    check(HttpReply::JudgeRaw(raw.toByteArray()) == whole.fault);
    if (whole.facts.status != 0 && whole.facts.headWhole) {
        if (whole.facts.chunked)
            check(whole.body.size() == whole.facts.bodyBytes);
        else if (whole.facts.declaredLength >= 0)
            check(whole.body.size() == qMin(whole.facts.declaredLength, whole.facts.bodyBytes));
        else
            check(whole.body.size() == whole.facts.bodyBytes);
    } else {
        check(whole.body.isEmpty());
    }
    // A chunked body judged whole has come to its end; a failure is never whole.
    if (whole.facts.chunked && whole.fault == HttpReply::Fault::None)
        check(whole.complete);
    if (whole.failed != HttpReply::Fault::None)
        check(whole.fault != HttpReply::Fault::None);
    return 0;
}
