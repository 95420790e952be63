// The mail sender's reply reader on its own, with a whole dialogue's worth of server
// output (tests/fixtures/services/smtp_replies.txt): the same replies whether the
// bytes come at once or one by one, and the last line counts once the peer hangs up.
#include "QtPrint.h"

#include "services/SmtpSender.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

QByteArray fixture()
{
    QFile f(QStringLiteral(TW_FIXTURES "/services/smtp_replies.txt"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList drain(SmtpReplyReader& reader)
{
    QStringList replies;
    while (reader.hasReply())
        replies << reader.takeReply();
    return replies;
}

const QStringList kReplies = {
    QStringLiteral("220 mail.example ESMTP ready"),
    QStringLiteral("250-mail.example greets tradewright.orvane\r\n250-SIZE 10240000\r\n250 HELP"),
    QStringLiteral("250 2.1.0 Sender OK"),
    QStringLiteral("250 2.1.5 Recipient OK"),
    QStringLiteral("354 End data with <CR><LF>.<CR><LF>"),
    QStringLiteral("250 2.0.0 Ok: queued as 4F2A1"),
};
const QString kLast = QStringLiteral("221 2.0.0 Bye");

} // namespace

TEST(SmtpReplyReader, ReadsADialogueAtOnceOrByteByByte)
{
    const QByteArray stream = fixture();
    ASSERT_FALSE(stream.isEmpty());

    SmtpReplyReader atOnce;
    EXPECT_TRUE(atOnce.feed(stream));
    EXPECT_EQ(drain(atOnce), kReplies);
    atOnce.close();
    EXPECT_EQ(drain(atOnce), QStringList{kLast});

    SmtpReplyReader byteByByte;
    QStringList replies;
    int ready = 0;
    for (char c : stream) {
        if (byteByByte.feed(QByteArray(1, c)))
            ++ready;
        replies << drain(byteByByte);
    }
    EXPECT_EQ(replies, kReplies);
    EXPECT_EQ(ready, kReplies.size());
    byteByByte.close();
    EXPECT_EQ(drain(byteByByte), QStringList{kLast});
}

TEST(SmtpReplyReader, AnUnfinishedMultiLineReplyCountsWhenThePeerHangsUp)
{
    SmtpReplyReader reader;
    EXPECT_FALSE(reader.feed("250-first\r\n250-second\r\n"));
    EXPECT_FALSE(reader.hasReply());
    reader.close();
    EXPECT_EQ(drain(reader), QStringList{QStringLiteral("250-first\r\n250-second")});

    reader.feed("250-left over\r\n");
    reader.clear();
    reader.feed("220 fresh\r\n");
    EXPECT_EQ(drain(reader), QStringList{QStringLiteral("220 fresh")});
}
