// The upgrade download's reply reader (the file server's multi-line rule: "220-"
// opens a reply that only "220 " closes), see support/ReplyFuzz.h, and the size the
// download reads from each reply: never negative, whatever the digits, and counted as
// announced only when a digit follows the first "(".
//
// Seeds: tests/fixtures/services/ftp_*.txt

#include "ReplyFuzz.h"

#include "services/FtpDownload.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList replies = fuzz::checkReplies(data, size, SmtpReplyReader::Rule::Ftp);
    for (const QString& reply : replies) {
        fuzz::check(FtpDownload::AnnouncedSize(reply) >= 0, "an announced size is never negative");
        if (FtpDownload::SizeAnnounced(reply)) {
            const QString after = reply.mid(reply.indexOf(u'(') + 1).trimmed();
            fuzz::check(!after.isEmpty() && after[0].isDigit(), "a size counts only when a number follows the '('");
        }
    }
    return 0;
}
