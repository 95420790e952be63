#include "Socket.h"

#include "Codec.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

std::pair<int, QString> Socket::DescribeError(int qtSocketError)
{
    switch (QAbstractSocket::SocketError(qtSocketError)) {
    case QAbstractSocket::ConnectionRefusedError:
        return {Socket::sckConnectionRefused, QStringLiteral("Connection is refused by the remote host")};
    case QAbstractSocket::RemoteHostClosedError:
        return {Socket::sckConnectionReset, QStringLiteral("Connection is closed by the remote host")};
    case QAbstractSocket::HostNotFoundError:
        return {Socket::sckHostNotFound, QStringLiteral("Host not found")};
    case QAbstractSocket::SocketTimeoutError:
        return {Socket::sckTimedout, QStringLiteral("Connection timed out")};
    case QAbstractSocket::NetworkError:
        return {Socket::sckNetworkUnreachable, QStringLiteral("Network is unreachable")};
    case QAbstractSocket::AddressInUseError:
        return {Socket::sckAddressInUse, QStringLiteral("Address is already in use")};
    case QAbstractSocket::SocketAddressNotAvailableError:
        return {Socket::sckAddressNotAvailable, QStringLiteral("Address is not available")};
    default:
        return {Socket::sckUnknownError, QStringLiteral("Socket error")};
    }
}

Socket::Socket(QObject* parent) : QObject(parent) {}

Socket::~Socket()
{
    detach();
}

int Socket::LocalPort() const
{
    if (m_server && m_server->isListening())
        return m_server->serverPort();
    if (m_socket && m_socket->state() == QAbstractSocket::ConnectedState)
        return m_socket->localPort();
    return m_localPort;
}

QString Socket::LocalIP() const
{
    if (m_socket && m_socket->state() == QAbstractSocket::ConnectedState) {
        QHostAddress a = m_socket->localAddress();
        bool ok = false;
        const quint32 v4 = a.toIPv4Address(&ok);
        if (ok)
            return QHostAddress(v4).toString();
        return a.toString();
    }
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback())
            return a.toString();
    return QStringLiteral("127.0.0.1");
}

QString Socket::RemoteHostIP() const
{
    if (!m_socket || m_socket->state() != QAbstractSocket::ConnectedState)
        return QString();
    QHostAddress a = m_socket->peerAddress();
    bool ok = false;
    const quint32 v4 = a.toIPv4Address(&ok);
    return ok ? QHostAddress(v4).toString() : a.toString();
}

bool Socket::Connect(const QString& host, int port)
{
    if (m_state != sckClosed)
        return false;
    m_remoteHost = host;
    m_remotePort = port;
    return Connect();
}

bool Socket::Connect()
{
    if (m_state != sckClosed)
        return false;
    m_buffer.clear();
    auto* socket = new QTcpSocket(this);
    attach(socket);
    if (m_remotePort <= 0 || m_remotePort > 65535 || m_remoteHost.trimmed().isEmpty()) {
        // Reported like any other failure: through the event loop, never inside the call.
        m_state = sckConnecting;
        QMetaObject::invokeMethod(this, [this] {
            if (m_state == sckConnecting)
                fail(sckAddressNotAvailable, QStringLiteral("Address is not available"));
        }, Qt::QueuedConnection);
        return true;
    }
    m_state = QHostAddress(m_remoteHost.trimmed()).isNull() ? sckResolvingHost : sckConnecting;
    socket->connectToHost(m_remoteHost.trimmed(), quint16(m_remotePort));
    return true;
}

bool Socket::Listen()
{
    if (m_state != sckClosed)
        return false;
    m_buffer.clear();
    m_server = new QTcpServer(this);
    connect(m_server, &QTcpServer::newConnection, this, &Socket::onNewConnection);
    if (!m_server->listen(QHostAddress::AnyIPv4, quint16(qBound(0, m_localPort, 65535)))) {
        const auto [number, text] = DescribeError(m_server->serverError());
        m_server->deleteLater();
        m_server = nullptr;
        m_state = sckError;
        QMetaObject::invokeMethod(this, [this, number = number, text = text] {
            emit Error(number, text);
        }, Qt::QueuedConnection);
        return false;
    }
    m_state = sckListening;
    return true;
}

void Socket::onNewConnection()
{
    // A handler may close this socket or delete it while the requests are announced.
    QPointer<Socket> self(this);
    while (self && m_server && m_server->hasPendingConnections()) {
        QTcpSocket* incoming = m_server->nextPendingConnection();
        // The id is the connection's descriptor; the socket waits, parented to this
        // object, until Accept takes it.
        incoming->setParent(this);
        incoming->setObjectName(QStringLiteral("pending"));
        const qintptr id = incoming->socketDescriptor();
        incoming->setProperty("requestID", QVariant::fromValue<qlonglong>(id));
        emit ConnectionRequest(id);
    }
}

bool Socket::Accept(qintptr requestID)
{
    if (m_state != sckClosed)
        return false;
    // The pending connection may wait on any listening socket of the program.
    QTcpSocket* found = nullptr;
    for (QObject* root : {static_cast<QObject*>(this), parent()}) {
        if (!root)
            continue;
        const auto sockets = root->findChildren<QTcpSocket*>(QStringLiteral("pending"));
        for (QTcpSocket* s : sockets)
            if (s->property("requestID").toLongLong() == requestID) {
                found = s;
                break;
            }
        if (found)
            break;
    }
    if (!found)
        return false;
    found->setObjectName(QString());
    found->setParent(this);
    m_buffer.clear();
    attach(found);
    m_state = sckConnected;
    // Data may have arrived, and the peer may even have closed, before the accept:
    // both are announced as if they came now.
    QMetaObject::invokeMethod(this, [this, found] {
        if (m_socket != found)
            return;
        if (found->state() == QAbstractSocket::UnconnectedState)
            onDisconnected();
        else if (found->bytesAvailable() > 0)
            onReadyRead();
    }, Qt::QueuedConnection);
    return true;
}

void Socket::attach(QTcpSocket* socket)
{
    m_socket = socket;
    connect(socket, &QTcpSocket::readyRead, this, &Socket::onReadyRead);
    connect(socket, &QTcpSocket::disconnected, this, &Socket::onDisconnected);
    connect(socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) { onSocketError(int(e)); });
    connect(socket, &QTcpSocket::stateChanged, this, [this](QAbstractSocket::SocketState s) { onStateChanged(int(s)); });
    connect(socket, &QTcpSocket::bytesWritten, this, &Socket::onBytesWritten);
}

void Socket::detach()
{
    if (m_socket) {
        QTcpSocket* s = m_socket;
        m_socket = nullptr;
        s->disconnect(this);
        s->abort();
        s->deleteLater();
    }
    if (m_server) {
        QTcpServer* srv = m_server;
        m_server = nullptr;
        srv->disconnect(this);
        srv->close();
        srv->deleteLater();
    }
}

void Socket::Close()
{
    detach();
    m_buffer.clear();
    m_state = sckClosed;
}

void Socket::onStateChanged(int qtState)
{
    if (m_state == sckError || m_state == sckClosing)
        return;
    switch (QAbstractSocket::SocketState(qtState)) {
    case QAbstractSocket::HostLookupState:
        m_state = sckResolvingHost;
        break;
    case QAbstractSocket::ConnectingState:
        m_state = sckConnecting;
        break;
    case QAbstractSocket::ConnectedState:
        if (m_state != sckConnected) {
            m_state = sckConnected;
            emit Connected();
        }
        break;
    default:
        break;
    }
}

void Socket::onReadyRead()
{
    if (!m_socket)
        return;
    const QByteArray data = m_socket->readAll();
    if (data.isEmpty())
        return;
    m_buffer += data;
    emit DataArrival(m_buffer.size());
}

void Socket::onDisconnected()
{
    if (!m_socket || m_state == sckError)
        return;
    // Whatever is still buffered is announced before the close.
    QPointer<Socket> self(this);
    onReadyRead();
    if (!self || !m_socket || m_state == sckError || m_state == sckClosed)
        return;
    m_state = sckClosing;
    emit Closed();
}

void Socket::onSocketError(int qtError)
{
    const auto error = QAbstractSocket::SocketError(qtError);
    // The peer's ordinary close is the Close event, not an error.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    const auto [number, text] = DescribeError(error);
    fail(number, text);
}

void Socket::fail(int number, const QString& description)
{
    if (m_socket)
        m_socket->disconnect(this);
    m_state = sckError;
    emit Error(number, description);
}

void Socket::onBytesWritten()
{
    if (m_socket && m_socket->bytesToWrite() == 0)
        emit SendComplete();
}

void Socket::SendData(const QByteArray& data)
{
    if (m_socket && m_state == sckConnected && !data.isEmpty())
        m_socket->write(data);
}

void Socket::SendData(const QString& text)
{
    SendData(toCp1252(text));
}

void Socket::GetData(QByteArray& data)
{
    data = m_buffer;
    m_buffer.clear();
}

void Socket::GetData(QString& text)
{
    text = fromCp1252(m_buffer);
    m_buffer.clear();
}
