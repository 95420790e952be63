#include "UrlFetch.h"

#include "HttpReply.h"
#include "Sites.h"
#include "Socket.h"

#include <QEventLoop>
#include <QNetworkProxy>
#include <QPointer>
#include <QRegularExpression>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>

namespace {

// "host:port", "http://host:port/", or the list form "http=host:port https=host:port"
// (the http entry wins). Port 80 when none is given. An empty host when unusable.
std::pair<QString, quint16> parseProxy(const QString& text)
{
    QString t = text.trimmed();
    const QStringList parts = t.split(QRegularExpression(QStringLiteral("[\\s;]+")), Qt::SkipEmptyParts);
    if (parts.size() > 1 || t.contains(QLatin1Char('='))) {
        QString chosen;
        for (const QString& p : parts) {
            const int eq = p.indexOf(QLatin1Char('='));
            if (eq < 0) {
                if (chosen.isEmpty())
                    chosen = p;
            } else if (p.left(eq).compare(QLatin1String("http"), Qt::CaseInsensitive) == 0) {
                chosen = p.mid(eq + 1);
                break;
            }
        }
        t = chosen;
    }
    const auto [host, port] = Sites::SplitHostPort(t, 80);
    return {host, quint16(port)};
}

// The socket error a failed connection amounts to; UnknownSocketError when the
// failure was not for want of the host.
QAbstractSocket::SocketError hostError(int error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
    case QAbstractSocket::ProxyConnectionRefusedError:
        return QAbstractSocket::ConnectionRefusedError;
    case QAbstractSocket::HostNotFoundError:
    case QAbstractSocket::ProxyNotFoundError:
        return QAbstractSocket::HostNotFoundError;
    case QAbstractSocket::SocketTimeoutError:
    case QAbstractSocket::ProxyConnectionTimeoutError:
        return QAbstractSocket::SocketTimeoutError;
    default:
        return QAbstractSocket::UnknownSocketError;
    }
}

UrlFetch::Outcome outcomeOf(HttpReply::Fault fault)
{
    switch (fault) {
    case HttpReply::Fault::None: return UrlFetch::Outcome::Ok;
    case HttpReply::Fault::Empty: return UrlFetch::Outcome::Empty;
    case HttpReply::Fault::NotHttp: return UrlFetch::Outcome::NotHttp;
    case HttpReply::Fault::Truncated: return UrlFetch::Outcome::Truncated;
    case HttpReply::Fault::BrokenChunks: return UrlFetch::Outcome::BrokenChunks;
    case HttpReply::Fault::ErrorStatus: return UrlFetch::Outcome::ErrorStatus;
    case HttpReply::Fault::HeadTooLarge: return UrlFetch::Outcome::TooLarge;
    }
    return UrlFetch::Outcome::Error;
}

QString faultText(HttpReply::Fault fault, int status)
{
    switch (fault) {
    case HttpReply::Fault::Empty: return QStringLiteral("The reply has no body");
    case HttpReply::Fault::NotHttp: return QStringLiteral("The reply is not an HTTP reply");
    case HttpReply::Fault::Truncated: return QStringLiteral("The reply ended before its Content-Length");
    case HttpReply::Fault::BrokenChunks: return QStringLiteral("The reply's chunked body is cut short or not in chunk form");
    case HttpReply::Fault::ErrorStatus: return QStringLiteral("The server replied with status ") + QString::number(status);
    case HttpReply::Fault::HeadTooLarge: return QStringLiteral("The reply's headers are too large");
    case HttpReply::Fault::None: break;
    }
    return QString();
}

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// Where a redirect may lead: http or https (never from https down to http), and
// never to a host of the built-in placeholders (".example").
bool mayFollow(const QUrl& from, const QUrl& to)
{
    const QString scheme = to.scheme().toLower();
    if (!to.isValid() || to.host().isEmpty() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return false;
    if (from.scheme().toLower() == QLatin1String("https") && scheme != QLatin1String("https"))
        return false;
    QString host = to.host().toLower();
    while (host.endsWith(QLatin1Char('.')))
        host.chop(1);
    return !host.endsWith(QLatin1String(".example")) && host != QLatin1String("example");
}

int defaultPort(const QUrl& url)
{
    return url.scheme().toLower() == QLatin1String("https") ? 443 : 80;
}

// The request: an HTTP/1.1 GET of the path and query (of the whole address when it
// goes to a proxy), with Host, Connection: close (one request per connection, so a
// body without a length ends at the close), and the language and agent lines.
// Nothing asks for a compressed body: the body is the page as it is.
QByteArray requestFor(const QUrl& url, bool toProxy)
{
    QUrl authority = url.adjusted(QUrl::RemoveUserInfo | QUrl::RemoveFragment);
    if (authority.port() == defaultPort(url))
        authority.setPort(-1);
    QByteArray target = toProxy ? authority.toEncoded()
                                : url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    if (target.isEmpty())
        target = "/";
    QByteArray request;
    request.reserve(target.size() + 160);
    request += "GET ";
    request += target;
    request += " HTTP/1.1\r\nHost: ";
    request += authority.authority(QUrl::FullyEncoded).toLatin1();
    request += "\r\nConnection: close\r\nAccept-Language: en-US,*\r\nUser-Agent: Mozilla/5.0\r\n\r\n";
    return request;
}

} // namespace

UrlFetch::UrlFetch(QObject* parent) : QObject(parent), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (m_running && m_outcome == Outcome::None)
            m_hostErrorNumber = Socket::sckTimedout;
        finish(Outcome::TimedOut, QStringLiteral("The request timed out"));
    });
}

UrlFetch::~UrlFetch()
{
    // Deleted from an event handler while OpenURL waits: end the wait; OpenURL
    // notices that its object is gone and returns empty.
    if (m_loop)
        m_loop->quit();
    dropSocket();
}

QString UrlFetch::effectiveProxy() const
{
    switch (m_accessType) {
    case icDirect:
        return QString();
    case icNamedProxy: {
        const auto [host, port] = parseProxy(m_proxy);
        return host.isEmpty() ? QString() : host + QLatin1Char(':') + QString::number(port);
    }
    default:
        return QStringLiteral("default");
    }
}

void UrlFetch::setRequestTimeout(int seconds)
{
    m_timeoutSeconds = qMax(0, seconds);
    if (m_running)
        armTimer();
}

void UrlFetch::armTimer()
{
    m_timer->stop();
    if (m_timeoutSeconds > 0)
        m_timer->start(m_timeoutSeconds * 1000);
}

void UrlFetch::setState(int state)
{
    if (state == m_lastState)
        return;
    m_lastState = state;
    emit StateChanged(state);
}

void UrlFetch::Cancel()
{
    if (m_running)
        finish(Outcome::Cancelled, QStringLiteral("The request was cancelled"));
}

// The socket goes at once from this object's sight; it is deleted when control is
// back in the event loop (it may be inside one of its own signals now).
void UrlFetch::dropSocket()
{
    if (!m_socket)
        return;
    QTcpSocket* socket = std::exchange(m_socket, nullptr);
    socket->disconnect(this);
    socket->setParent(nullptr);
    socket->abort();
    socket->deleteLater();
}

// Ends the running fetch with outcome (the first outcome wins).
void UrlFetch::finish(Outcome outcome, const QString& errorText)
{
    if (!m_running || m_outcome != Outcome::None)
        return;
    m_outcome = outcome;
    m_errorText = errorText;
    m_timer->stop();
    dropSocket();
    if (m_loop)
        m_loop->quit();
}

void UrlFetch::request(const QUrl& url)
{
    dropSocket();
    m_url = url;
    m_reader = HttpReply::Reader();
    m_headSeen = false;
    m_received = 0;
    m_httpStatus = 0;

    QNetworkProxy proxy(QNetworkProxy::NoProxy);
    switch (m_accessType) {
    case icDirect:
        break;
    case icNamedProxy: {
        const auto [host, port] = parseProxy(m_proxy);
        if (!host.isEmpty())
            proxy = QNetworkProxy(QNetworkProxy::HttpProxy, host, port);
        break;
    }
    default: {
        const QList<QNetworkProxy> proxies = QNetworkProxyFactory::proxyForQuery(QNetworkProxyQuery(url));
        if (!proxies.isEmpty() && proxies.first().type() != QNetworkProxy::DefaultProxy)
            proxy = proxies.first();
        break;
    }
    }

    const bool tls = url.scheme().toLower() == QLatin1String("https");
    QTcpSocket* socket = tls ? new QSslSocket(this) : new QTcpSocket(this);
    m_socket = socket;
    QString host = url.host();
    quint16 port = quint16(url.port(defaultPort(url)));
    const bool httpProxy = proxy.type() == QNetworkProxy::HttpProxy || proxy.type() == QNetworkProxy::HttpCachingProxy;
    // Plain http goes to an HTTP proxy as a request for the whole address; https
    // tunnels through it (the socket asks the proxy to CONNECT).
    const bool toProxy = httpProxy && !tls;
    if (toProxy) {
        socket->setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
        host = proxy.hostName();
        port = proxy.port();
    } else {
        socket->setProxy(httpProxy ? QNetworkProxy(QNetworkProxy::HttpProxy, proxy.hostName(), proxy.port(),
                                                   proxy.user(), proxy.password())
                                   : proxy);
    }
    m_request = requestFor(url, toProxy);

    connect(socket, &QAbstractSocket::readyRead, this, &UrlFetch::onData);
    connect(socket, &QAbstractSocket::disconnected, this, &UrlFetch::onClosed);
    connect(socket, &QAbstractSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError error) { onSocketError(int(error)); });
    if (tls) {
        auto* secure = static_cast<QSslSocket*>(socket);
        connect(secure, &QSslSocket::encrypted, this, &UrlFetch::onConnected);
        secure->connectToHostEncrypted(host, port);
    } else {
        connect(socket, &QAbstractSocket::connected, this, &UrlFetch::onConnected);
        socket->connectToHost(host, port);
    }
}

void UrlFetch::onConnected()
{
    if (!m_socket)
        return;
    m_socket->write(m_request);
    QPointer<UrlFetch> self(this);
    setState(icConnected);
    if (self)
        setState(icRequesting);
}

void UrlFetch::onData()
{
    QTcpSocket* socket = m_socket;
    if (!socket)
        return;
    // Only the body of a reply whose status says a page follows reaches the sink; the
    // status is known before the body.
    const HttpReply::Reader::BodySink body = [this](QByteArrayView bytes) {
        m_received += bytes.size();
        const qint64 declared = m_reader.declaredLength();
        if (m_received > m_maxReplyBytes || (!m_reader.chunked() && declared > m_maxReplyBytes)) {
            finish(Outcome::TooLarge, QStringLiteral("The reply is too large"));
            return false;
        }
        const int status = m_reader.status();
        if (status >= 200 && status < 300 && m_sink && !(*m_sink)(bytes)) {
            finish(Outcome::Error, QStringLiteral("The page could not be kept"));
            return false;
        }
        return true;
    };
    char buffer[64 * 1024];
    while (m_socket == socket && m_outcome == Outcome::None) {
        const qint64 n = socket->read(buffer, sizeof buffer);
        if (n <= 0)
            break;
        const bool fine = m_reader.feed(QByteArrayView(buffer, n), body);
        if (m_outcome != Outcome::None)
            return;
        if (!fine) {
            const HttpReply::Fault fault = m_reader.failed();
            m_httpStatus = m_reader.status();
            finish(outcomeOf(fault), faultText(fault, m_httpStatus));
            return;
        }
        if (m_reader.headRead() && !m_headSeen) {
            m_headSeen = true;
            onHead();
            if (m_socket != socket)
                return;  // ended, or a redirect asked on a new connection
            QPointer<UrlFetch> self(this);
            setState(icReceivingResponse);
            if (!self || m_socket != socket)
                return;
        }
        if (m_reader.complete()) {
            judge();
            return;
        }
    }
}

void UrlFetch::onHead()
{
    m_httpStatus = m_reader.status();
    const qint64 declared = m_reader.declaredLength();
    if (!m_reader.chunked() && declared > m_maxReplyBytes) {
        finish(Outcome::TooLarge, QStringLiteral("The reply is too large"));
        return;
    }
    if (!isRedirect(m_httpStatus) || m_reader.location().isEmpty())
        return;
    const QUrl target = m_url.resolved(QUrl::fromEncoded(m_reader.location(), QUrl::TolerantMode));
    if (m_redirects >= MaxRedirects || !mayFollow(m_url, target)) {
        // Not followed: the redirect is the reply, and no page.
        finish(Outcome::ErrorStatus, faultText(HttpReply::Fault::ErrorStatus, m_httpStatus));
        return;
    }
    ++m_redirects;
    request(target);
}

void UrlFetch::onClosed()
{
    if (!m_socket || m_outcome != Outcome::None)
        return;
    QTcpSocket* socket = m_socket;
    onData();
    if (m_socket == socket && m_outcome == Outcome::None)
        judge();
}

void UrlFetch::onSocketError(int error)
{
    if (!m_socket || m_outcome != Outcome::None)
        return;
    if (error == QAbstractSocket::RemoteHostClosedError) {
        onClosed();
        return;
    }
    if (!m_headSeen) {
        // No reply head came: the connection failed or ended first.
        const QAbstractSocket::SocketError socketError = hostError(error);
        if (socketError != QAbstractSocket::UnknownSocketError) {
            const auto [number, text] = Socket::DescribeError(socketError);
            m_hostErrorNumber = number;
            finish(Outcome::Error, text);
            return;
        }
    }
    finish(Outcome::Error, m_socket->errorString());
}

void UrlFetch::judge()
{
    const HttpReply::Facts facts = m_reader.facts();
    m_httpStatus = facts.status;
    if (!facts.headTooLarge && facts.status == 0 && facts.bodyBytes == 0) {
        finish(Outcome::Error, QStringLiteral("No reply"));
        return;
    }
    const HttpReply::Fault fault = HttpReply::Judge(facts);
    if (fault != HttpReply::Fault::None)
        finish(outcomeOf(fault), faultText(fault, m_httpStatus));
    else
        finish(Outcome::Ok, QString());
}

QByteArray UrlFetch::OpenURL(const QString& url)
{
    QByteArray body;
    const bool whole = OpenURLInto(url, [&body](QByteArrayView bytes) {
        body.append(bytes);
        return true;
    });
    return whole ? body : QByteArray();
}

bool UrlFetch::OpenURLInto(const QString& url, const BodySink& sink)
{
    if (m_running) {
        // A second fetch from an event handler while one waits: refused, the running one goes on.
        m_refused = true;
        return false;
    }
    m_received = 0;
    m_refused = false;
    m_outcome = Outcome::None;
    m_httpStatus = 0;
    m_hostErrorNumber = 0;
    m_redirects = 0;
    m_errorText.clear();
    m_lastState = icNone;

    const QUrl address(url.trimmed(), QUrl::TolerantMode);
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() || address.host().isEmpty() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        m_outcome = Outcome::Error;
        m_errorText = QStringLiteral("The address is not valid");
        setState(icError);
        return false;
    }

    m_running = true;
    m_sink = &sink;
    QPointer<UrlFetch> self(this);
    setState(icConnecting);
    if (!self)
        return false;

    request(address);
    armTimer();
    QEventLoop loop;
    m_loop = &loop;
    if (m_outcome == Outcome::None)
        loop.exec();
    if (!self)
        return false;
    m_loop = nullptr;
    m_sink = nullptr;
    m_running = false;
    m_refused = false;
    m_timer->stop();
    dropSocket();

    switch (m_outcome) {
    case Outcome::Ok:
        setState(icResponseCompleted);
        break;
    case Outcome::Cancelled:
        break;  // the canceller (the Stop button) has already put the window right
    default:
        setState(icError);
        break;
    }
    return m_outcome == Outcome::Ok;
}
