#pragma once

// The reply reader of the mail and file-transfer clients under either multi-line
// rule: the input is what a server sends, cut into reads of sizes the input itself
// chooses. However the bytes are cut, the replies are the same as when they come in
// one piece (for lines of up to 64 KiB), and no reply is larger than the bytes it
// was made of allow.

#include "FuzzSupport.h"

#include "services/SmtpSender.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QStringList>

namespace fuzz {

inline QStringList drain(SmtpReplyReader& reader)
{
    QStringList replies;
    while (reader.hasReply())
        replies << reader.takeReply();
    return replies;
}

// Checks the reader's promises on one input; returns the replies of the whole stream.
inline QStringList checkReplies(const std::uint8_t* data, std::size_t size, SmtpReplyReader::Rule rule)
{
    FuzzedDataProvider provider(data, size);
    // The first bytes choose where the reads end; the rest is the server's output.
    const std::size_t cuts = provider.ConsumeIntegralInRange<std::size_t>(0, 16);
    std::vector<std::size_t> pieces;
    for (std::size_t i = 0; i < cuts; ++i)
        pieces.push_back(provider.ConsumeIntegralInRange<std::size_t>(0, 64));
    const std::vector<std::uint8_t> rest = provider.ConsumeRemainingBytes<std::uint8_t>();
    const QByteArray stream = fuzz::bytes(rest.data(), rest.size());

    SmtpReplyReader whole(rule);
    whole.feed(stream);
    whole.close();
    const QStringList expected = drain(whole);

    SmtpReplyReader cut(rule);
    QStringList replies;
    qsizetype at = 0;
    for (std::size_t piece : pieces) {
        const bool ready = cut.feed(stream.mid(at, static_cast<qsizetype>(piece)));
        at += static_cast<qsizetype>(piece);
        fuzz::check(ready == cut.hasReply(), "a read that made a reply whole said so");
        replies << drain(cut);
    }
    cut.feed(stream.mid(at));
    cut.close();
    replies << drain(cut);

    // A line longer than 64 KiB is cut where a read ends, so only shorter streams
    // must give the same replies however they are cut.
    if (stream.size() <= 64 * 1024)
        fuzz::check(replies == expected, "the replies do not depend on how the bytes were cut");
    qsizetype total = 0;
    for (const QString& reply : expected)
        total += reply.size();
    // Every line takes at least one byte of the stream and adds at most CR LF.
    fuzz::check(total <= 3 * stream.size(), "the replies hold no more than the stream");

    // A reader that was cleared starts from nothing.
    cut.feed(stream);
    cut.clear();
    cut.close();
    fuzz::check(!cut.hasReply(), "a cleared reader holds no reply");
    return expected;
}

} // namespace fuzz
