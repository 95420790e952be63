#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QEventLoop;
class Socket;

// "Check for Upgrade": asks the maker's web host (Sites' Maker) for the version file
// "/Trw55.txt" with the socket transport's request, keeps the reply in AppPath &
// "/Trw55.txt" and looks for the marker "New version Available" (exact letter case)
// in the reply of this check. A file left by an earlier check never counts. A reply
// whose status is not 2xx, or a close before any byte, is a failed check: "Error " +
// the status line (or "No reply") is shown instead of "You have the last version.". A socket
// error shows "Error " + description + " " + number and ends the wait; a server that
// neither answers nor closes ends it after timeoutMs.
class VersionCheck : public QObject
{
    Q_OBJECT

public:
    enum class Result {
        Declined,   // the connection check said no: nothing happened
        Upgrade,    // the marker is in the reply: the upgrade window comes next
        NoUpgrade,  // "You have the last version." was shown
        Failed,     // a socket error, a silent server, an error reply, no reply or an unset
                    // host: its message was shown
    };

    static constexpr int DefaultTimeoutMs = 30000;
    static const char* const Marker;  // "New version Available"

    explicit VersionCheck(QObject* parent = nullptr);
    ~VersionCheck() override;

    // The whole check; returns when it is over (the event loop runs meanwhile).
    Result Run();

    QString LocalFile() const;   // AppPath & "/Trw55.txt"
    QString RequestAddress() const;  // "http://" + host + "/Trw55.txt"

    // What makes a reply a failed check: its status line when the status is not 2xx,
    // "No reply" for no byte at all; "" for a 2xx reply or one without a status line.
    static QString ReplyFailure(const QByteArray& reply);

    int timeoutMs() const { return m_timeoutMs; }
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    Socket& Winsock1() { return *m_socket; }

private:
    void Winsock1_Connect();
    void Winsock1_DataArrival(qint64 bytesTotal);
    void Winsock1_Close();
    void Winsock1_Error(int number, const QString& description);
    void end();

    Socket* m_socket;
    QByteArray m_reply;
    bool m_closed = false;   // the peer closed: the reply is whole
    bool m_failed = false;
    QEventLoop* m_loop = nullptr;
    int m_timeoutMs = DefaultTimeoutMs;
};
