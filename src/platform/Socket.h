#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <utility>

class QTcpServer;
class QTcpSocket;

// The TCP socket the downloaders, the version check, the mail and news windows and
// the upgrade download drive by hand. It keeps the members and state numbers of the
// classic socket control so the event handlers read as the protocol is described:
// set RemoteHost/RemotePort, Connect, send in the Connect event, take the data in
// DataArrival, write out in Close. Nothing here ever blocks: every event arrives
// through the Qt event loop.
//
// The events Connect and Close share their names with the methods that start and
// end a connection, so their signals are called Connected() and Closed().
class Socket : public QObject
{
    Q_OBJECT

public:
    // State(): the classic numbers.
    enum StateCode : int {
        sckClosed = 0,
        sckOpen = 1,
        sckListening = 2,
        sckConnectionPending = 3,
        sckResolvingHost = 4,
        sckHostResolved = 5,
        sckConnecting = 6,
        sckConnected = 7,
        sckClosing = 8,  // the peer has closed; Close() finishes it
        sckError = 9,
    };

    // Error numbers of the Error event (the classic socket numbers).
    enum ErrorCode : int {
        sckAddressInUse = 10048,
        sckAddressNotAvailable = 10049,
        sckNetworkUnreachable = 10051,
        sckConnectAborted = 10053,
        sckConnectionReset = 10054,
        sckTimedout = 10060,
        sckConnectionRefused = 10061,
        sckHostNotFound = 11001,
        sckWrongState = 40006,
        sckUnknownError = 10000,
    };

    // The classic number and description of a Qt socket error (a
    // QAbstractSocket::SocketError): the Error event's arguments.
    static std::pair<int, QString> DescribeError(int qtSocketError);

    explicit Socket(QObject* parent = nullptr);
    ~Socket() override;

    QString RemoteHost() const { return m_remoteHost; }
    void setRemoteHost(const QString& host) { m_remoteHost = host; }
    int RemotePort() const { return m_remotePort; }
    void setRemotePort(int port) { m_remotePort = port; }
    // The local port Listen() listens on (0 = any free port; after Listen() the real one).
    int LocalPort() const;
    void setLocalPort(int port) { m_localPort = port; }
    // The local address in dotted form: of the open connection when there is one,
    // else the machine's first non-loopback IPv4 address (127.0.0.1 when none).
    QString LocalIP() const;
    // The peer's address in dotted form ("" when not connected).
    QString RemoteHostIP() const;

    // Starts connecting to RemoteHost:RemotePort. Only a closed socket connects:
    // on any other state nothing happens and false is returned.
    bool Connect();
    bool Connect(const QString& host, int port);
    // Waits for incoming connections on LocalPort (state 2); each one raises
    // ConnectionRequest(requestID). false when the socket is not closed or the port is taken
    // (the Error event reports the latter).
    bool Listen();
    // Takes the pending connection requestID over: this socket becomes that connection
    // (state 7). Only a closed socket accepts; an unknown id does nothing.
    bool Accept(qintptr requestID);
    // Ends the connection or the listening at once, whatever the state; state 0.
    // Data not yet taken with GetData is dropped.
    void Close();
    int State() const { return m_state; }

    // Queues bytes for sending (nothing happens unless connected). A text is sent as
    // Windows-1252 bytes, one byte per character.
    void SendData(const QByteArray& data);
    void SendData(const QString& text);
    // Takes everything that has arrived and not been taken yet.
    void GetData(QByteArray& data);
    void GetData(QString& text);
    // Bytes arrived and not yet taken.
    qint64 BytesReceived() const { return m_buffer.size(); }

signals:
    // The connection is open (the control's Connect event).
    void Connected();
    // New data has arrived; bytesTotal is what is waiting now.
    void DataArrival(qint64 bytesTotal);
    // The peer closed the connection (the control's Close event). Whatever arrived
    // before was announced by DataArrival first. State() is 8 until Close() is called.
    void Closed();
    void Error(int number, const QString& description);
    // A listening socket was asked for a connection; pass requestID to Accept() of a
    // closed socket (this one or another).
    void ConnectionRequest(qintptr requestID);
    // All queued data has been written to the network.
    void SendComplete();

private:
    void attach(QTcpSocket* socket);
    void detach();
    void onReadyRead();
    void onDisconnected();
    void onSocketError(int qtError);
    void onStateChanged(int qtState);
    void onBytesWritten();
    void onNewConnection();
    void fail(int number, const QString& description);

    QString m_remoteHost;
    int m_remotePort = 0;
    int m_localPort = 0;
    int m_state = sckClosed;
    QByteArray m_buffer;
    QTcpSocket* m_socket = nullptr;
    QTcpServer* m_server = nullptr;
};
