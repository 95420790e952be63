#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class QTcpServer;
class QTcpSocket;
class QTimer;

namespace test {

// A small HTTP server on 127.0.0.1 (a free port) for the transports' tests. It reads
// each request up to its blank line (and a body of Content-Length bytes), records the
// raw bytes, and answers by the path of the request line (an absolute address, as
// the socket transport and a proxy request send it, counts by its path): a canned
// reply, or a misbehaviour. It closes the connection after each reply. Everything is
// asynchronous: tests wait with waitFor... or with the code under test's own loop.
class LoopbackHttpServer : public QObject
{
    Q_OBJECT

public:
    enum class Behaviour {
        Reply,              // send the reply, then close
        CloseWithoutReply,  // read the request, then close without a byte
        NeverAnswer,        // read the request and keep the connection open, silent
        Slow,               // send the reply in chunks with pauses, then close
        CloseAtOnce,        // as the default route: close every connection as soon as it is made
    };

    struct Route
    {
        Behaviour behaviour = Behaviour::Reply;
        QByteArray reply;         // the exact bytes sent back
        int chunkBytes = 16;      // Slow: bytes per chunk
        int intervalMs = 50;      // Slow: pause between chunks
    };

    explicit LoopbackHttpServer(QObject* parent = nullptr);
    ~LoopbackHttpServer() override;

    static QString host() { return QStringLiteral("127.0.0.1"); }
    quint16 port() const;
    // "http://127.0.0.1:<port>" + pathAndQuery.
    QString url(const QString& pathAndQuery) const;

    // A well-formed HTTP/1.0 reply with Content-Type and Content-Length.
    static QByteArray httpReply(const QByteArray& body, int status = 200,
                                const QByteArray& contentType = "text/html",
                                const QList<QByteArray>& extraHeaders = {});

    // An HTTP/1.1 reply whose body is sent in chunks, closed by the last (size 0)
    // chunk when lastChunk is set; without it the body is cut short.
    static QByteArray chunkedReply(const QList<QByteArray>& chunks, bool lastChunk = true);
    // A 302 reply that sends the client to location (a path of this server).
    static QByteArray redirectReply(const QByteArray& location);

    // Routes by path ("/q" matches "/q?s=ibm" when no route holds the query itself).
    void setReply(const QString& path, const QByteArray& body, int status = 200,
                  const QByteArray& contentType = "text/html");
    void setRawReply(const QString& path, const QByteArray& raw);
    void setBehaviour(const QString& path, Behaviour behaviour);
    void setSlow(const QString& path, const QByteArray& raw, int chunkBytes, int intervalMs);
    void setRoute(const QString& path, const Route& route);
    // What a path without a route gets (default: a 404 page). A default route with
    // CloseAtOnce closes every connection before any request is read.
    void setDefaultRoute(const Route& route);
    void clearRoutes();

    // Raw request bytes as received, in order of arrival; the paths of their request lines.
    QList<QByteArray> requests() const { return m_requests; }
    QStringList requestPaths() const;
    QByteArray lastRequest() const { return m_requests.isEmpty() ? QByteArray() : m_requests.last(); }
    int connectionCount() const { return m_connections; }
    void clearRecords();

    // Runs the event loop until n requests (in total) have arrived, or timeoutMs passed.
    bool waitForRequests(int n, int timeoutMs = 5000);
    // Closes every open connection at once (a server going away).
    void dropConnections();

    // A port on 127.0.0.1 that nothing listens on (taken and given back at once).
    static quint16 unusedPort();

signals:
    void requestReceived(const QByteArray& raw);

private:
    void onNewConnection();
    void onReadyRead(QTcpSocket* socket);
    void respond(QTcpSocket* socket, const QByteArray& raw);
    void sendSlowly(QTcpSocket* socket, const Route& route);
    Route routeFor(const QString& target) const;

    QTcpServer* m_server = nullptr;
    QHash<QString, Route> m_routes;
    Route m_default;
    QList<QByteArray> m_requests;
    QHash<QTcpSocket*, QByteArray> m_pending;
    int m_connections = 0;
};

} // namespace test
