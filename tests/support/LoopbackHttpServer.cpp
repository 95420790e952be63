#include "LoopbackHttpServer.h"

#include <QEventLoop>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace test {

LoopbackHttpServer::LoopbackHttpServer(QObject* parent) : QObject(parent), m_server(new QTcpServer(this))
{
    m_default.reply = httpReply("<html><body>Not Found</body></html>", 404);
    connect(m_server, &QTcpServer::newConnection, this, &LoopbackHttpServer::onNewConnection);
    m_server->listen(QHostAddress::LocalHost, 0);
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    dropConnections();
}

quint16 LoopbackHttpServer::port() const
{
    return m_server->serverPort();
}

QString LoopbackHttpServer::url(const QString& pathAndQuery) const
{
    return QStringLiteral("http://127.0.0.1:") + QString::number(port()) + pathAndQuery;
}

QByteArray LoopbackHttpServer::httpReply(const QByteArray& body, int status, const QByteArray& contentType,
                                         const QList<QByteArray>& extraHeaders)
{
    QByteArray reason = status == 200   ? "OK"
                        : status == 404 ? "Not Found"
                        : status == 302 ? "Found"
                        : status == 500 ? "Internal Server Error"
                                        : "Status";
    QByteArray raw = "HTTP/1.0 " + QByteArray::number(status) + ' ' + reason + "\r\n";
    raw += "Content-Type: " + contentType + "\r\n";
    raw += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    for (const QByteArray& h : extraHeaders)
        raw += h + "\r\n";
    raw += "Connection: close\r\n\r\n";
    return raw + body;
}

QByteArray LoopbackHttpServer::chunkedReply(const QList<QByteArray>& chunks, bool lastChunk)
{
    QByteArray raw = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nTransfer-Encoding: chunked\r\n"
                     "Connection: close\r\n\r\n";
    for (const QByteArray& chunk : chunks)
        raw += QByteArray::number(chunk.size(), 16) + "\r\n" + chunk + "\r\n";
    if (lastChunk)
        raw += "0\r\n\r\n";
    return raw;
}

QByteArray LoopbackHttpServer::redirectReply(const QByteArray& location)
{
    return httpReply("<html>Moved</html>", 302, "text/html", {"Location: " + location});
}

void LoopbackHttpServer::setReply(const QString& path, const QByteArray& body, int status,
                                  const QByteArray& contentType)
{
    setRawReply(path, httpReply(body, status, contentType));
}

void LoopbackHttpServer::setRawReply(const QString& path, const QByteArray& raw)
{
    Route r;
    r.reply = raw;
    m_routes.insert(path, r);
}

void LoopbackHttpServer::setBehaviour(const QString& path, Behaviour behaviour)
{
    Route r = m_routes.value(path);
    r.behaviour = behaviour;
    m_routes.insert(path, r);
}

void LoopbackHttpServer::setSlow(const QString& path, const QByteArray& raw, int chunkBytes, int intervalMs)
{
    Route r;
    r.behaviour = Behaviour::Slow;
    r.reply = raw;
    r.chunkBytes = qMax(1, chunkBytes);
    r.intervalMs = qMax(0, intervalMs);
    m_routes.insert(path, r);
}

void LoopbackHttpServer::setRoute(const QString& path, const Route& route)
{
    m_routes.insert(path, route);
}

void LoopbackHttpServer::setDefaultRoute(const Route& route)
{
    m_default = route;
}

void LoopbackHttpServer::clearRoutes()
{
    m_routes.clear();
}

void LoopbackHttpServer::clearRecords()
{
    m_requests.clear();
    m_connections = 0;
}

QStringList LoopbackHttpServer::requestPaths() const
{
    QStringList paths;
    for (const QByteArray& raw : m_requests) {
        const QList<QByteArray> parts = raw.left(raw.indexOf('\n')).trimmed().split(' ');
        paths << (parts.size() >= 2 ? QString::fromLatin1(parts[1]) : QString());
    }
    return paths;
}

bool LoopbackHttpServer::waitForRequests(int n, int timeoutMs)
{
    if (m_requests.size() >= n)
        return true;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    auto c = connect(this, &LoopbackHttpServer::requestReceived, &loop, [&] {
        if (m_requests.size() >= n)
            loop.quit();
    });
    timer.start(timeoutMs);
    loop.exec();
    disconnect(c);
    return m_requests.size() >= n;
}

void LoopbackHttpServer::dropConnections()
{
    const auto sockets = m_pending.keys();
    m_pending.clear();
    for (QTcpSocket* s : sockets) {
        s->disconnect(this);
        s->abort();
        s->deleteLater();
    }
}

quint16 LoopbackHttpServer::unusedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

void LoopbackHttpServer::onNewConnection()
{
    while (m_server->hasPendingConnections()) {
        QTcpSocket* socket = m_server->nextPendingConnection();
        ++m_connections;
        if (m_default.behaviour == Behaviour::CloseAtOnce) {
            socket->disconnectFromHost();
            socket->deleteLater();
            continue;
        }
        m_pending.insert(socket, QByteArray());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_pending.remove(socket);
            socket->deleteLater();
        });
    }
}

LoopbackHttpServer::Route LoopbackHttpServer::routeFor(const QString& target) const
{
    QString path = target;
    // An absolute address ("http://host/path?query") counts by its path and query.
    const int scheme = path.indexOf(QLatin1String("://"));
    if (scheme >= 0) {
        const int slash = path.indexOf(QLatin1Char('/'), scheme + 3);
        path = slash >= 0 ? path.mid(slash) : QStringLiteral("/");
    }
    if (m_routes.contains(path))
        return m_routes.value(path);
    const int query = path.indexOf(QLatin1Char('?'));
    if (query >= 0 && m_routes.contains(path.left(query)))
        return m_routes.value(path.left(query));
    return m_default;
}

void LoopbackHttpServer::onReadyRead(QTcpSocket* socket)
{
    if (!m_pending.contains(socket))
        return;
    QByteArray& buffer = m_pending[socket];
    buffer += socket->readAll();
    int end = buffer.indexOf("\r\n\r\n");
    int endLength = 4;
    if (end < 0) {
        end = buffer.indexOf("\n\n");
        endLength = 2;
    }
    if (end < 0)
        return;
    // A body announced by Content-Length belongs to the request.
    qsizetype bodyLength = 0;
    for (const QByteArray& line : buffer.left(end).split('\n')) {
        const QByteArray l = line.trimmed();
        if (l.toLower().startsWith("content-length:"))
            bodyLength = l.mid(15).trimmed().toLongLong();
    }
    if (buffer.size() < end + endLength + bodyLength)
        return;
    const QByteArray raw = buffer.left(end + endLength + bodyLength);
    buffer.remove(0, raw.size());
    m_requests << raw;

    const QList<QByteArray> parts = raw.left(raw.indexOf('\n')).trimmed().split(' ');
    const Route route = routeFor(parts.size() >= 2 ? QString::fromLatin1(parts[1]) : QString());
    // Stop reading further requests on this connection: one request, one reply.
    socket->disconnect(this, nullptr);
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        m_pending.remove(socket);
        socket->deleteLater();
    });
    emit requestReceived(raw);

    switch (route.behaviour) {
    case Behaviour::Reply:
        respond(socket, route.reply);
        break;
    case Behaviour::CloseWithoutReply:
    case Behaviour::CloseAtOnce:
        socket->disconnectFromHost();
        break;
    case Behaviour::NeverAnswer:
        break;
    case Behaviour::Slow:
        sendSlowly(socket, route);
        break;
    }
}

void LoopbackHttpServer::respond(QTcpSocket* socket, const QByteArray& raw)
{
    socket->write(raw);
    socket->disconnectFromHost();  // sends what is queued, then closes
}

void LoopbackHttpServer::sendSlowly(QTcpSocket* socket, const Route& route)
{
    auto* timer = new QTimer(socket);
    auto offset = std::make_shared<qsizetype>(0);
    QPointer<QTcpSocket> guard(socket);
    connect(timer, &QTimer::timeout, socket, [guard, timer, offset, route] {
        if (!guard)
            return;
        if (*offset >= route.reply.size()) {
            timer->stop();
            guard->disconnectFromHost();
            return;
        }
        guard->write(route.reply.mid(*offset, route.chunkBytes));
        *offset += route.chunkBytes;
    });
    timer->start(route.intervalMs);
}

} // namespace test
