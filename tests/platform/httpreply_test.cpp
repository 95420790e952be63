// The one rule both transports keep for "is this reply a whole page".
#include "platform/HttpReply.h"

#include <gtest/gtest.h>

using Fault = HttpReply::Fault;

TEST(HttpReply, RawRepliesAreJudgedByStatusHeadersAndBody)
{
    const QByteArray body(3000, 'x');
    const struct
    {
        const char* what;
        QByteArray raw;
        Fault fault;
    } cases[] = {
        {"whole, with its length", "HTTP/1.0 200 OK\r\nContent-Length: 3000\r\n\r\n" + body, Fault::None},
        {"whole, ends at the close", "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n" + body, Fault::None},
        {"more than announced", "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\n" + body, Fault::None},
        {"bare line feeds", "HTTP/1.0 200 OK\ncontent-length: 3000\n\n" + body, Fault::None},
        {"nothing at all", "", Fault::Empty},
        {"headers but no body", "HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n", Fault::Empty},
        {"no status line", "<html>" + body, Fault::NotHttp},
        {"status line cut short", "HTTP/1.0 20", Fault::NotHttp},
        {"headers cut short", "HTTP/1.0 200 OK\r\nContent-Le", Fault::Truncated},
        {"body shorter than announced", "HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\n" + body, Fault::Truncated},
        {"not found", "HTTP/1.0 404 Not Found\r\nContent-Length: 3000\r\n\r\n" + body, Fault::ErrorStatus},
        {"server error", "HTTP/1.1 500 Oops\r\n\r\n" + body, Fault::ErrorStatus},
        {"redirect", "HTTP/1.0 302 Found\r\nLocation: /q\r\n\r\n" + body, Fault::ErrorStatus},
        {"chunks, whole", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n6;x=y\r\n world\r\n0\r\n\r\n",
         Fault::None},
        {"chunks, upper-case size", "HTTP/1.1 200 OK\r\nTransfer-Encoding: Chunked\r\n\r\nA\r\n0123456789\r\n0\r\n\r\n",
         Fault::None},
        {"chunks, no last chunk", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n", Fault::BrokenChunks},
        {"chunks, cut in a chunk", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n10\r\nhello", Fault::BrokenChunks},
        {"chunks, size not hexadecimal", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nhello\r\n0\r\n\r\n",
         Fault::BrokenChunks},
        {"chunks, data longer than its size", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nhello\r\n0\r\n\r\n",
         Fault::BrokenChunks},
        {"chunks, only the last one", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n", Fault::Empty},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(HttpReply::JudgeRaw(c.raw), c.fault);
    }
}

TEST(HttpReply, FactsAsTheFetchControlReportsThem)
{
    // Qt has parsed the head and taken any chunk framing off.
    const struct
    {
        const char* what;
        HttpReply::Facts facts;
        Fault fault;
    } cases[] = {
        {"whole", {200, true, 100, 100, false, true}, Fault::None},
        {"no length given", {200, true, -1, 100, false, true}, Fault::None},
        {"short of its length", {200, true, 100, 60, false, true}, Fault::Truncated},
        {"redirect loop", {302, true, 0, 0, false, true}, Fault::ErrorStatus},
        {"not found", {404, true, 100, 100, false, true}, Fault::ErrorStatus},
        {"chunks cut short", {200, true, -1, 60, true, false}, Fault::BrokenChunks},
        {"no body", {200, true, -1, 0, false, true}, Fault::Empty},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(HttpReply::Judge(c.facts), c.fault);
    }
}

TEST(HttpReply, TheReaderJudgesARawReplyTheSameHoweverItArrives)
{
    // Fed whole, a byte at a time or in odd pieces, a reply comes to the same fault and
    // body; chunk framing is taken strictly.
    const QByteArray chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    const struct
    {
        const char* what;
        QByteArray raw;
        Fault fault;
        QByteArray body;
    } cases[] = {
        {"chunks with extension and trailers", chunked + "5;a=b\r\nhello\r\n1\nx\n0\r\nT: 1\r\n\r\n", Fault::None,
         "hellox"},
        {"length, more than announced", "HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\nabcdef", Fault::None, "abc"},
        {"to the close", "HTTP/1.0 200 OK\r\n\r\nabc", Fault::None, "abc"},
        {"chunks, bytes after the end", chunked + "3\r\nabc\r\n0\r\n\r\nxyz", Fault::BrokenChunks, "abc"},
        {"chunks, cut in the trailers", chunked + "3\r\nabc\r\n0\r\n", Fault::BrokenChunks, "abc"},
        {"chunks, size line over the cap", chunked + QByteArray(HttpReply::Reader::MaxLineBytes + 1, '0') + "3\r\nabc",
         Fault::BrokenChunks, ""},
        {"chunks, sixteen digits", chunked + "1000000000000000\r\nabc", Fault::BrokenChunks, ""},
        {"chunks, no line end after the data", chunked + "3\r\nabcX\r\n0\r\n\r\n", Fault::BrokenChunks, "abc"},
        {"head over the cap", "HTTP/1.0 200 OK\r\nX: " + QByteArray(HttpReply::Reader::MaxHeadBytes, 'x') + "\r\n\r\nabc",
         Fault::HeadTooLarge, ""},
        {"status line over the cap", "HTTP/1.0 200 " + QByteArray(HttpReply::Reader::MaxHeadBytes, 'x'),
         Fault::HeadTooLarge, ""},
        {"long text without a status line", QByteArray(HttpReply::Reader::MaxHeadBytes * 2, 'x'), Fault::NotHttp, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const qsizetype piece : {qsizetype(0), qsizetype(1), qsizetype(7)}) {
            HttpReply::Reader reader;
            QByteArray body;
            const auto sink = [&body](QByteArrayView b) {
                body += b;
                return true;
            };
            const qsizetype step = piece == 0 ? c.raw.size() : piece;
            for (qsizetype at = 0; at < c.raw.size(); at += step)
                if (!reader.feed(QByteArrayView(c.raw).sliced(at, qMin(step, c.raw.size() - at)), sink))
                    break;
            EXPECT_EQ(HttpReply::Judge(reader.facts()), c.fault) << piece;
            EXPECT_EQ(body, c.body) << piece;
        }
        EXPECT_EQ(HttpReply::JudgeRaw(c.raw), c.fault);
    }
}
