#include "HttpReply.h"

namespace HttpReply {

namespace {

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
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
    if (facts.headTooLarge)
        return Fault::HeadTooLarge;
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
    Reader reader;
    reader.feed(raw);
    return reader.facts();
}

// ---------------------------------------------------------------------------
// Reader.

bool Reader::fail(Fault fault)
{
    m_fault = fault;
    m_line.clear();
    return false;
}

// Moves bytes up to and including the next line feed into m_line (without the line
// end); true when the line is whole. A line (with what came before it, for the head)
// longer than limit fails the reply.
bool Reader::takeLine(QByteArrayView& bytes, qsizetype limit)
{
    const qsizetype eol = bytes.indexOf('\n');
    const qsizetype take = eol < 0 ? bytes.size() : eol;
    const bool head = m_stage == Stage::StatusLine || m_stage == Stage::Headers;
    if (m_line.size() + take > limit) {
        fail(head ? Fault::HeadTooLarge : Fault::BrokenChunks);
        return false;
    }
    m_line.append(bytes.first(take));
    if (head)
        m_headBytes += eol < 0 ? take : take + 1;
    bytes = bytes.sliced(eol < 0 ? take : take + 1);
    if (eol < 0)
        return false;
    if (m_line.endsWith('\r'))
        m_line.chop(1);
    return true;
}

void Reader::headerLine()
{
    const qsizetype colon = m_line.indexOf(':');
    if (colon <= 0)
        return;
    const QByteArray name = m_line.left(colon).trimmed().toLower();
    const QByteArray value = m_line.mid(colon + 1).trimmed();
    if (name == "content-length") {
        bool ok = false;
        const qint64 length = value.toLongLong(&ok);
        m_facts.declaredLength = ok && length >= 0 ? length : -1;
    } else if (name == "transfer-encoding") {
        m_facts.chunked = value.toLower().contains("chunked");
    } else if (name == "location") {
        m_location = value;
    }
}

void Reader::chunkSizeLine()
{
    QByteArray& line = m_line;
    const qsizetype semicolon = line.indexOf(';');
    if (semicolon >= 0)
        line.truncate(semicolon);
    line = line.trimmed();
    // Fifteen hex digits keep the size inside qint64.
    if (line.isEmpty() || line.size() > 15) {
        fail(Fault::BrokenChunks);
        return;
    }
    for (char c : line)
        if (!isHexDigit(c)) {
            fail(Fault::BrokenChunks);
            return;
        }
    m_chunkLeft = line.toLongLong(nullptr, 16);
    m_stage = m_chunkLeft == 0 ? Stage::Trailers : Stage::ChunkData;
}

bool Reader::feed(QByteArrayView bytes, const BodySink& body)
{
    if (m_fault != Fault::None || m_stopped)
        return false;
    m_rawBytes += bytes.size();
    const auto hand = [&](QByteArrayView part) {
        if (part.isEmpty() || !body || body(part))
            return true;
        m_stopped = true;
        return false;
    };
    while (!bytes.isEmpty()) {
        switch (m_stage) {
        case Stage::StatusLine: {
            // What does not begin as a status line is not a reply we can read.
            if (m_line.size() < 5) {
                const QByteArray start = m_line + bytes.first(qMin<qsizetype>(5 - m_line.size(), bytes.size())).toByteArray();
                if (!QByteArrayView("HTTP/").startsWith(start)) {
                    m_stage = Stage::NotHttp;
                    break;
                }
            }
            if (!takeLine(bytes, MaxHeadBytes))
                break;
            m_facts.status = statusOf(m_line);
            m_line.clear();
            if (m_facts.status == 0) {
                m_stage = Stage::NotHttp;
                break;
            }
            m_facts.headWhole = false;
            m_stage = Stage::Headers;
            break;
        }
        case Stage::Headers:
            if (!takeLine(bytes, MaxHeadBytes - m_headBytes + m_line.size()))
                break;
            if (m_line.isEmpty()) {
                m_facts.headWhole = true;
                m_stage = m_facts.chunked ? Stage::ChunkSize : Stage::Body;
            } else {
                headerLine();
                m_line.clear();
            }
            break;
        case Stage::Body: {
            const qint64 wanted = m_facts.declaredLength < 0 ? bytes.size()
                                                             : qBound<qint64>(0, m_facts.declaredLength - m_facts.bodyBytes, bytes.size());
            m_facts.bodyBytes += bytes.size();
            if (!hand(bytes.first(wanted)))
                return false;
            bytes = {};
            break;
        }
        case Stage::ChunkSize:
            if (takeLine(bytes, MaxLineBytes)) {
                chunkSizeLine();
                m_line.clear();
            }
            break;
        case Stage::ChunkData: {
            const qint64 take = qMin<qint64>(m_chunkLeft, bytes.size());
            m_chunkLeft -= take;
            m_facts.bodyBytes += take;
            if (m_chunkLeft == 0)
                m_stage = Stage::ChunkEnd;
            if (!hand(bytes.first(take)))
                return false;
            bytes = bytes.sliced(take);
            break;
        }
        case Stage::ChunkEnd:
            // The data's line end: CR LF, or a lone LF.
            if (bytes.front() == '\r' && !m_sawCr) {
                m_sawCr = true;
            } else if (bytes.front() == '\n') {
                m_sawCr = false;
                m_stage = Stage::ChunkSize;
            } else {
                return fail(Fault::BrokenChunks);
            }
            bytes = bytes.sliced(1);
            break;
        case Stage::Trailers:
            if (takeLine(bytes, MaxLineBytes)) {
                if (m_line.isEmpty())
                    m_stage = Stage::Done;
                m_line.clear();
            }
            break;
        case Stage::Done:
            // Bytes after the end of a chunked body: not in chunk form.
            return fail(Fault::BrokenChunks);
        case Stage::NotHttp:
            bytes = {};
            break;
        }
        if (m_fault != Fault::None)
            return false;
    }
    return true;
}

bool Reader::complete() const
{
    if (m_fault != Fault::None)
        return false;
    if (m_stage == Stage::Done)
        return true;
    return m_stage == Stage::Body && m_facts.declaredLength >= 0 && m_facts.bodyBytes >= m_facts.declaredLength;
}

Facts Reader::facts() const
{
    Facts facts = m_facts;
    if (m_stage == Stage::StatusLine || m_stage == Stage::NotHttp) {
        // Not a reply we can read; a cut-off status line counts the same.
        facts.status = 0;
        facts.bodyBytes = m_rawBytes;
    }
    facts.headTooLarge = m_fault == Fault::HeadTooLarge;
    if (facts.chunked)
        facts.chunksWhole = m_stage == Stage::Done && m_fault == Fault::None;
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
