#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <functional>

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
    HeadTooLarge,  // the status line and headers passed Reader::MaxHeadBytes
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
    bool headTooLarge = false;    // the head passed Reader::MaxHeadBytes (nothing after it was read)
};

Fault Judge(const Facts& facts);

// Reads a raw reply as it arrives, piece by piece: the status line, the headers and
// the body's framing. Both transports read their replies through it, so one framing
// rule holds for both. A chunked body is taken strictly: each size line is 1 to 15
// hexadecimal digits (an extension after ";" is allowed) and at most MaxLineBytes
// long, each chunk's data is followed by its line end, the last (size 0) chunk and
// the blank line after its trailers end the body, and no byte may follow. The
// first fault found ends the reading (failed()); later bytes are not looked at.
class Reader
{
public:
    static constexpr qsizetype MaxHeadBytes = 64 * 1024;
    static constexpr qsizetype MaxLineBytes = 4 * 1024;
    // Body bytes with their framing taken off; false stops the reading.
    using BodySink = std::function<bool(QByteArrayView)>;

    // Reads bytes; the body's bytes go to body (when given). A body with a
    // Content-Length goes to body only up to that length (the rest is counted, not
    // handed on). False once the reply is known not to be a page in good form (its
    // fault is failed()) or body returned false (stopped()).
    bool feed(QByteArrayView bytes, const BodySink& body = {});
    // The status line and headers have arrived.
    bool headRead() const { return m_stage > Stage::Headers; }
    int status() const { return m_facts.status; }
    qint64 declaredLength() const { return m_facts.declaredLength; }
    bool chunked() const { return m_facts.chunked; }
    QByteArray location() const { return m_location; }
    // The body has ended by its own framing (Content-Length reached, the last chunk
    // and its trailers read); a body that ends at the close never has.
    bool complete() const;
    // The framing fault found (HeadTooLarge or BrokenChunks), or None.
    Fault failed() const { return m_fault; }
    bool stopped() const { return m_stopped; }
    // What is known once the reply has ended (the connection closed or the body
    // complete).
    Facts facts() const;

private:
    enum class Stage { StatusLine, Headers, Body, ChunkSize, ChunkData, ChunkEnd, Trailers, Done, NotHttp };
    bool takeLine(QByteArrayView& bytes, qsizetype limit);
    void headerLine();
    void chunkSizeLine();
    bool fail(Fault fault);

    Stage m_stage = Stage::StatusLine;
    Facts m_facts;
    QByteArray m_line;        // the line being read
    QByteArray m_location;
    qsizetype m_headBytes = 0;
    qint64 m_chunkLeft = 0;   // data bytes left in the current chunk
    qint64 m_rawBytes = 0;    // every byte fed
    Fault m_fault = Fault::None;
    bool m_stopped = false;
    bool m_sawCr = false;     // ChunkEnd: the CR of the line end has been read
};

// The facts of a raw reply as the socket receives it: status line, headers, blank line
// and body (a Reader fed the whole reply).
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
