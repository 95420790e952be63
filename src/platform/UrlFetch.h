#pragma once

#include "HttpReply.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

class QEventLoop;
class QTcpSocket;

// The URL-fetch transport: OpenURL blocks its caller until the body has arrived or
// the fetch failed, while the event loop keeps running (window events, the Stop
// button, the state texts). It gives the body only, never the headers, and only of a
// whole page (HttpReply::Judge): an error page (404, 500, ...), a redirect it does
// not follow, a body shorter than its Content-Length, a chunked body cut short or not
// in chunk form, a head larger than HttpReply::Reader::MaxHeadBytes, a connection
// error, a cancelled, timed-out or oversized fetch all give an empty result and say
// why in lastOutcome().
//
// It speaks HTTP/1.1 itself over a socket (TLS for https) and reads the reply with
// the project's own framing reader (HttpReply::Reader), the one the socket transport
// uses, so a chunked body is checked chunk by chunk and not taken on trust. It
// follows at most MaxRedirects redirects, to http or https only (never from https to
// http) and never to a host ending in ".example" (a site not set yet).
class UrlFetch : public QObject
{
    Q_OBJECT

public:
    // The classic state numbers of the StateChanged event.
    enum StateCode : int {
        icNone = 0,
        icResolvingHost = 1,
        icHostResolved = 2,
        icConnecting = 3,
        icConnected = 4,
        icRequesting = 5,
        icRequestSent = 6,
        icReceivingResponse = 7,
        icResponseReceived = 8,
        icDisconnecting = 9,
        icDisconnected = 10,
        icError = 11,
        icResponseCompleted = 12,
    };
    // AccessType.
    enum AccessTypeCode : int { icUseDefault = 0, icDirect = 1, icNamedProxy = 2 };

    // The reply faults carry the names of HttpReply::Fault (and of the socket
    // transport's outcomes).
    enum class Outcome {
        None,          // nothing fetched yet
        Ok,            // a whole page arrived (status 2xx)
        Empty,         // the reply has no body
        NotHttp,       // no status line and headers
        Truncated,     // fewer body bytes than the reply's Content-Length
        BrokenChunks,  // a chunked body cut short or not in chunk form
        ErrorStatus,   // a status other than 2xx (an error page, a redirect loop)
        Error,         // no connection, refused, bad address, closed without a reply, ...
        Cancelled,     // Cancel() during the fetch
        TimedOut,      // RequestTimeout passed
        TooLarge,      // the reply passed the size cap, or its head the head cap
        Busy,          // OpenURL called while another fetch of this object ran
    };

    static constexpr qint64 DefaultMaxReplyBytes = 16 * 1024 * 1024;
    static constexpr int MaxRedirects = 5;

    explicit UrlFetch(QObject* parent = nullptr);
    ~UrlFetch() override;

    // Fetches url (http or https). Re-entrant calls (from an event handler while a
    // fetch runs) return empty at once (lastOutcome() Busy); the running fetch goes on.
    QByteArray OpenURL(const QString& url);
    // Fetches url as OpenURL does, but hands the body to sink piece by piece as it
    // arrives instead of collecting it; only the body of a reply whose status says a
    // page follows (2xx) reaches the sink. True only when a whole page arrived
    // (lastOutcome() Ok): then the sink has had all of it. On false what the sink
    // took is not the page and must not be used. A sink that returns false (it
    // could not keep the bytes) ends the fetch: Outcome::Error.
    using BodySink = std::function<bool(QByteArrayView)>;
    bool OpenURLInto(const QString& url, const BodySink& sink);
    bool StillExecuting() const { return m_running; }
    // Ends a running OpenURL at once; it returns an empty result.
    void Cancel();

    // Seconds until a fetch is given up (0 = no limit). Default 90. A change applies
    // to a fetch already running too (a stop sets 1 to end it quickly).
    int RequestTimeout() const { return m_timeoutSeconds; }
    void setRequestTimeout(int seconds);
    // 0 the system's default, 1 direct, 2 through Proxy.
    int AccessType() const { return m_accessType; }
    void setAccessType(int type) { m_accessType = type; }
    // "host:port" (a leading "http://" is allowed; port 80 when none is given).
    QString Proxy() const { return m_proxy; }
    void setProxy(const QString& proxy) { m_proxy = proxy; }

    qint64 maxReplyBytes() const { return m_maxReplyBytes; }
    void setMaxReplyBytes(qint64 bytes) { m_maxReplyBytes = bytes; }

    // What the last OpenURL came to (Busy for a refused re-entrant call, until the
    // running fetch ends).
    Outcome lastOutcome() const { return m_refused ? Outcome::Busy : m_outcome; }
    int lastHttpStatus() const { return m_httpStatus; }  // 0 when no reply came
    QString lastErrorText() const { return m_errorText; }
    // When the last fetch failed for want of its host (refused, host not found, timed
    // out): the socket's error number for it (Socket::sckConnectionRefused, ...), with
    // the socket's description in lastErrorText(). 0 for every other outcome.
    int lastHostErrorNumber() const { return m_hostErrorNumber; }

    // The proxy the next fetch uses, as "" (none), "default" or "host:port"; for tests.
    QString effectiveProxy() const;

signals:
    void StateChanged(int state);

private:
    void setState(int state);
    void finish(Outcome outcome, const QString& errorText);
    // Asks for url on a new connection (the first request or a redirect).
    void request(const QUrl& url);
    void onConnected();
    // Reads what has arrived and hands the body on (or drops it when no page follows).
    void onData();
    void onClosed();
    void onSocketError(int error);
    // The head has arrived: a redirect is followed or refused here.
    void onHead();
    // The reply has ended: only a whole page is a success.
    void judge();
    void dropSocket();
    void armTimer();

    QTcpSocket* m_socket = nullptr;
    QEventLoop* m_loop = nullptr;
    class QTimer* m_timer = nullptr;
    const BodySink* m_sink = nullptr;
    HttpReply::Reader m_reader;
    QUrl m_url;
    QByteArray m_request;
    int m_redirects = 0;
    bool m_headSeen = false;
    qint64 m_received = 0;
    bool m_running = false;
    bool m_refused = false;
    int m_timeoutSeconds = 90;
    int m_accessType = icUseDefault;
    QString m_proxy;
    qint64 m_maxReplyBytes = DefaultMaxReplyBytes;
    Outcome m_outcome = Outcome::None;
    int m_httpStatus = 0;
    int m_hostErrorNumber = 0;
    QString m_errorText;
    int m_lastState = icNone;
};
