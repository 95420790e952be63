#include "ScriptedLineServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

namespace test {

ScriptedLineServer::ScriptedLineServer(QObject* parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &ScriptedLineServer::onNewConnection);
    m_server->listen(QHostAddress::LocalHost, 0);
}

ScriptedLineServer::~ScriptedLineServer() = default;

quint16 ScriptedLineServer::port() const
{
    return m_server->serverPort();
}

QString ScriptedLineServer::address() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port());
}

void ScriptedLineServer::onNewConnection()
{
    while (m_server->hasPendingConnections()) {
        QTcpSocket* client = m_server->nextPendingConnection();
        ++connections;
        m_client = client;
        m_buffer.clear();
        m_queue.clear();
        m_more = nullptr;  // an endless reply ends with its connection
        connect(client, &QTcpSocket::readyRead, this, &ScriptedLineServer::onReadyRead);
        connect(client, &QTcpSocket::bytesWritten, this, &ScriptedLineServer::pourMore);
        connect(client, &QTcpSocket::disconnected, this, [this, client] {
            if (m_client == client)
                m_more = nullptr;
        });
        push(greeting);
    }
}

void ScriptedLineServer::onReadyRead()
{
    auto* client = qobject_cast<QTcpSocket*>(sender());
    if (!client)
        return;
    const QByteArray data = client->readAll();
    received += data;
    m_buffer += data;
    qsizetype end;
    while ((end = m_buffer.indexOf('\n')) >= 0) {
        QByteArray line = m_buffer.left(end);
        m_buffer.remove(0, end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        const QString text = QString::fromLatin1(line);
        lines << text;
        if (answer)
            push(answer(text));
    }
}

void ScriptedLineServer::push(const Pieces& pieces)
{
    m_queue += pieces;
    if (!m_sending)
        sendNext();
}

void ScriptedLineServer::hangUp()
{
    if (m_client)
        m_client->disconnectFromHost();
}

void ScriptedLineServer::pour(const QByteArray& head, std::function<QByteArray()> more, qint64 limitBytes)
{
    if (!m_client)
        return;
    // The head goes out after what is queued before it; the endless part follows it.
    m_more = std::move(more);
    m_pourLimit = limitBytes;
    poured = head.size();
    push({head});
}

void ScriptedLineServer::pourMore()
{
    if (!m_more || !m_client || m_client->state() != QAbstractSocket::ConnectedState)
        return;
    if (m_sending || (sender() && sender() != m_client))
        return;  // the queue first; or an earlier connection's writes
    while (poured < m_pourLimit && m_client->bytesToWrite() < 256 * 1024) {
        const QByteArray piece = m_more();
        if (piece.isEmpty())
            break;
        poured += m_client->write(piece);
    }
    if (poured >= m_pourLimit)
        m_more = nullptr;
}

void ScriptedLineServer::sendNext()
{
    if (m_queue.isEmpty() || !m_client) {
        m_sending = false;
        pourMore();
        return;
    }
    m_sending = true;
    const QByteArray piece = m_queue.takeFirst();
    if (piece == "<close>") {
        m_queue.clear();
        m_sending = false;
        m_client->disconnectFromHost();
        return;
    }
    m_client->write(piece);
    m_client->flush();
    QTimer::singleShot(pauseMs, this, &ScriptedLineServer::sendNext);
}

bool ScriptedLineServer::waitForLines(int n, int timeoutMs)
{
    return waitUntil([this, n] { return lines.size() >= n; }, timeoutMs);
}

bool ScriptedLineServer::waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}

} // namespace test
