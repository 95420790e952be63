#pragma once

#include <QByteArray>
#include <QtGlobal>

// Whether an HTTP reply that has ended is a whole page, the one rule both transports
// keep: the fetch control (UrlFetch, which Qt decodes) and the hand-driven socket
// (which keeps the reply raw). A reply that is not whole is never written to the
// cache: the page from the last good download stays.
namespace HttpReply {

enum class Fault {
    None,          // a whole page
    Empty,         // no body at all
    NotHttp,       // no complete status line and header block
    Truncated,     // fewer body bytes than its Content-Length
    BrokenChunks,  // a chunked body cut short or not in chunk form
    ErrorStatus,   // a status other than 2xx: an error page (4xx, 5xx) or a redirect not followed
};

// What is known of a reply once it has ended.
struct Facts
{
    int status = 0;               // 0: no status line arrived
    bool headWhole = true;        // the blank line that ends the headers arrived
    qint64 declaredLength = -1;   // Content-Length; -1 when none was given
    qint64 bodyBytes = 0;         // body bytes received (after the chunk framing is taken off)
    bool chunked = false;         // Transfer-Encoding: chunked
    bool chunksWhole = true;      // chunked: every chunk whole, the last (size 0) one included
};

Fault Judge(const Facts& facts);

// The facts of a raw reply as the socket receives it: status line, headers, blank line
// and body (a chunked body is walked, not decoded).
Facts FactsOfRaw(const QByteArray& raw);

// FactsOfRaw and Judge in one.
inline Fault JudgeRaw(const QByteArray& raw)
{
    return Judge(FactsOfRaw(raw));
}

// The request the hand-driven socket sends: an HTTP/1.0 GET with the absolute address
// in the request line and the two Accept lines, nothing else (no Host line): the
// pages we read answer it as they always have.
QByteArray SocketRequest(const QByteArray& absoluteAddress);

} // namespace HttpReply
