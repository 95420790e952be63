#include "HttpReply.h"

namespace HttpReply {

namespace {

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// One line of raw from at, without its CR LF (or lone LF); next is where the line
// after it starts. False when no line end follows.
bool lineAt(const QByteArray& raw, qsizetype at, QByteArray& line, qsizetype& next)
{
    const qsizetype eol = raw.indexOf('\n', at);
    if (eol < 0)
        return false;
    qsizetype end = eol;
    if (end > at && raw[end - 1] == '\r')
        --end;
    line = raw.mid(at, end - at);
    next = eol + 1;
    return true;
}

// Walks a chunked body from at: "size[;extension]" CR LF, size bytes, CR LF, ... up
// to the chunk of size 0 (the trailers after it do not matter). bytes is the sum of
// the chunk sizes read. False when a size line is not hexadecimal or the body ends
// before the last chunk.
bool walkChunks(const QByteArray& raw, qsizetype at, qint64& bytes)
{
    bytes = 0;
    QByteArray line;
    for (;;) {
        if (!lineAt(raw, at, line, at))
            return false;
        const qsizetype semicolon = line.indexOf(';');
        if (semicolon >= 0)
            line.truncate(semicolon);
        line = line.trimmed();
        // Fifteen hex digits keep the size inside qint64.
        if (line.isEmpty() || line.size() > 15)
            return false;
        for (char c : line)
            if (!isHexDigit(c))
                return false;
        const qint64 size = line.toLongLong(nullptr, 16);
        if (size == 0)
            return true;
        if (raw.size() - at < size)
            return false;
        bytes += size;
        at += size;
        if (raw.size() - at >= 2 && raw[at] == '\r' && raw[at + 1] == '\n')
            at += 2;
        else if (raw.size() - at >= 1 && raw[at] == '\n')
            at += 1;
        else
            return false;
    }
}

// "HTTP/1.0 200 OK" -> 200; 0 when the line is not a status line.
int statusOf(const QByteArray& line)
{
    if (!line.startsWith("HTTP/"))
        return 0;
    const qsizetype blank = line.indexOf(' ');
    if (blank < 0 || line.size() < blank + 4)
        return 0;
    int status = 0;
    for (qsizetype i = blank + 1; i < blank + 4; ++i) {
        if (line[i] < '0' || line[i] > '9')
            return 0;
        status = status * 10 + (line[i] - '0');
    }
    if (line.size() > blank + 4 && line[blank + 4] != ' ')
        return 0;
    return status >= 100 ? status : 0;
}

} // namespace

Fault Judge(const Facts& facts)
{
    if (facts.status == 0)
        return facts.bodyBytes == 0 ? Fault::Empty : Fault::NotHttp;
    if (!facts.headWhole)
        return Fault::Truncated;
    if (facts.status < 200 || facts.status > 299)
        return Fault::ErrorStatus;
    if (facts.chunked) {
        if (!facts.chunksWhole)
            return Fault::BrokenChunks;
    } else if (facts.declaredLength >= 0 && facts.bodyBytes < facts.declaredLength) {
        return Fault::Truncated;
    }
    if (facts.bodyBytes == 0)
        return Fault::Empty;
    return Fault::None;
}

Facts FactsOfRaw(const QByteArray& raw)
{
    Facts facts;
    QByteArray line;
    qsizetype at = 0;
    if (!lineAt(raw, 0, line, at) || (facts.status = statusOf(line)) == 0) {
        // Not a reply we can read; a cut-off status line counts the same.
        facts.status = 0;
        facts.bodyBytes = raw.size();
        return facts;
    }
    facts.headWhole = false;
    for (;;) {
        if (!lineAt(raw, at, line, at))
            return facts;  // the header block never ended
        if (line.isEmpty())
            break;
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "content-length") {
            bool ok = false;
            const qint64 length = value.toLongLong(&ok);
            facts.declaredLength = ok && length >= 0 ? length : -1;
        } else if (name == "transfer-encoding") {
            facts.chunked = value.toLower().contains("chunked");
        }
    }
    facts.headWhole = true;
    if (facts.chunked)
        facts.chunksWhole = walkChunks(raw, at, facts.bodyBytes);
    else
        facts.bodyBytes = raw.size() - at;
    return facts;
}

QByteArray SocketRequest(const QByteArray& absoluteAddress)
{
    QByteArray request;
    request.reserve(absoluteAddress.size() + 64);
    request += "GET ";
    request += absoluteAddress;
    request += " HTTP/1.0\r\nAccept: */*\r\nAccept: text/html\r\n\r\n";
    return request;
}

} // namespace HttpReply
