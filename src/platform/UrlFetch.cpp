#include "UrlFetch.h"

#include "HttpReply.h"
#include "Sites.h"
#include "Socket.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QAbstractSocket>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>

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
QAbstractSocket::SocketError hostError(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::ProxyConnectionRefusedError:
        return QAbstractSocket::ConnectionRefusedError;
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::ProxyNotFoundError:
        return QAbstractSocket::HostNotFoundError;
    case QNetworkReply::TimeoutError:
    case QNetworkReply::ProxyTimeoutError:
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
    }
    return UrlFetch::Outcome::Error;
}

QString faultText(HttpReply::Fault fault, int status)
{
    switch (fault) {
    case HttpReply::Fault::Empty: return QStringLiteral("The reply has no body");
    case HttpReply::Fault::NotHttp: return QStringLiteral("The reply is not an HTTP reply");
    case HttpReply::Fault::Truncated: return QStringLiteral("The reply ended before its Content-Length");
    case HttpReply::Fault::BrokenChunks: return QStringLiteral("The reply's chunked body is cut short");
    case HttpReply::Fault::ErrorStatus: return QStringLiteral("The server replied with status ") + QString::number(status);
    case HttpReply::Fault::None: break;
    }
    return QString();
}

} // namespace

UrlFetch::UrlFetch(QObject* parent)
    : QObject(parent), m_manager(new QNetworkAccessManager(this)), m_timer(new QTimer(this))
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
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
        m_reply = nullptr;
    }
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

// Ends the running fetch with outcome (the first outcome wins).
void UrlFetch::finish(Outcome outcome, const QString& errorText)
{
    if (!m_running || m_outcome != Outcome::None)
        return;
    m_outcome = outcome;
    m_errorText = errorText;
    m_timer->stop();
    if (m_reply) {
        QNetworkReply* reply = m_reply;
        m_reply = nullptr;
        reply->disconnect(this);
        if (reply->isRunning())
            reply->abort();
        reply->deleteLater();
    }
    if (m_loop)
        m_loop->quit();
}

// The reply has ended: only a whole page is a success.
void UrlFetch::judge(QNetworkReply* reply)
{
    drain(reply);
    if (m_outcome != Outcome::None)
        return;
    m_httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = reply->error();
    if (m_httpStatus == 0) {
        // No reply head came: the connection failed or ended first.
        const QAbstractSocket::SocketError socketError = hostError(error);
        if (socketError != QAbstractSocket::UnknownSocketError) {
            const auto [number, text] = Socket::DescribeError(socketError);
            m_hostErrorNumber = number;
            finish(Outcome::Error, text);
        } else {
            finish(Outcome::Error, error == QNetworkReply::NoError ? QStringLiteral("No reply") : reply->errorString());
        }
        return;
    }
    HttpReply::Facts facts;
    facts.status = m_httpStatus;
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    facts.declaredLength = length.isValid() ? length.toLongLong() : -1;
    facts.bodyBytes = m_received;
    facts.chunked = reply->rawHeader("Transfer-Encoding").toLower().contains("chunked");
    // Qt takes the chunk framing off; a chunked body cut short is a closed connection to it.
    facts.chunksWhole = error == QNetworkReply::NoError;
    const HttpReply::Fault fault = HttpReply::Judge(facts);
    if (fault != HttpReply::Fault::None)
        finish(outcomeOf(fault), faultText(fault, m_httpStatus));
    else if (error != QNetworkReply::NoError)
        finish(Outcome::Error, reply->errorString());
    else
        finish(Outcome::Ok, QString());
}

void UrlFetch::drain(QNetworkReply* reply)
{
    // The status is known before the body: an error page is counted, never handed on.
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool page = status >= 200 && status < 300;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = reply->read(buffer, sizeof buffer);
        if (n <= 0)
            return;
        m_received += n;
        if (m_received > m_maxReplyBytes) {
            finish(Outcome::TooLarge, QStringLiteral("The reply is too large"));
            return;
        }
        if (page && m_sink && !(*m_sink)(QByteArrayView(buffer, n))) {
            finish(Outcome::Error, QStringLiteral("The page could not be kept"));
            return;
        }
    }
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

    switch (m_accessType) {
    case icDirect:
        m_manager->setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
        break;
    case icNamedProxy: {
        const auto [host, port] = parseProxy(m_proxy);
        m_manager->setProxy(host.isEmpty() ? QNetworkProxy(QNetworkProxy::NoProxy)
                                           : QNetworkProxy(QNetworkProxy::HttpProxy, host, port));
        break;
    }
    default:
        m_manager->setProxy(QNetworkProxy(QNetworkProxy::DefaultProxy));
        break;
    }

    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);

    m_running = true;
    m_sink = &sink;
    QPointer<UrlFetch> self(this);
    setState(icConnecting);
    if (!self)
        return false;

    QNetworkReply* reply = m_manager->get(request);
    m_reply = reply;
    connect(reply, &QNetworkReply::requestSent, this, [this] {
        setState(icConnected);
        setState(icRequesting);
    });
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > m_maxReplyBytes)
            finish(Outcome::TooLarge, QStringLiteral("The reply is too large"));
    });
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
        drain(reply);
        if (m_outcome == Outcome::None)
            setState(icReceivingResponse);
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { judge(reply); });

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
