#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>

class QTcpServer;
class QTcpSocket;

namespace test {

// A line-protocol server on 127.0.0.1 (a free port) that answers from a script, for
// the news, file-transfer and version-check clients. On each connection it sends the
// greeting; for each command line (ended by LF) it asks answer(line) for the reply.
// A reply is a list of pieces, written one at a time with a pause between them, so
// the client sees them as separate arrivals; "<close>" as a piece hangs up there.
// It records every line and every raw byte received.
class ScriptedLineServer : public QObject
{
public:
    using Pieces = QList<QByteArray>;

    explicit ScriptedLineServer(QObject* parent = nullptr);
    ~ScriptedLineServer() override;

    quint16 port() const;
    QString address() const;  // "127.0.0.1:<port>"

    Pieces greeting;
    std::function<Pieces(const QString& line)> answer;
    int pauseMs = 15;

    QStringList lines;     // command lines received, without their CR LF
    QByteArray received;   // every byte received
    int connections = 0;

    // Runs the event loop until lines holds n lines (or timeoutMs passed).
    bool waitForLines(int n, int timeoutMs = 5000);
    // Runs the event loop until done() holds (or timeoutMs passed).
    static bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000);
    // Sends pieces to the current client now.
    void push(const Pieces& pieces);
    // Hangs up on the current client.
    void hangUp();
    // An endless reply: writes head, then more() each time the client has taken most of
    // what was written, until the client hangs up or limitBytes went out (so the peer
    // stops by itself). poured counts the bytes written.
    void pour(const QByteArray& head, std::function<QByteArray()> more, qint64 limitBytes);
    qint64 poured = 0;

private:
    void onNewConnection();
    void onReadyRead();
    void sendNext();
    void pourMore();

    QTcpServer* m_server;
    QTcpSocket* m_client = nullptr;
    QByteArray m_buffer;
    QList<QByteArray> m_queue;
    bool m_sending = false;
    std::function<QByteArray()> m_more;
    qint64 m_pourLimit = 0;
};

} // namespace test
