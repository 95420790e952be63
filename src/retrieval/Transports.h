#pragma once

#include "platform/Sites.h"
#include "platform/Socket.h"
#include "platform/UrlFetch.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class MainWindowPort;

// A site's host and port, read from the settings once for a whole downloader call
// (one read instead of several per page).
struct SiteEndpoint
{
    QString host;
    int port = 80;

    static SiteEndpoint of(Site site);
    // "http://" + host (+ ":" + port when not 80) + pathAndQuery.
    QString address(const QString& pathAndQuery) const;
    // The same without the scheme.
    QString hostAndPath(const QString& pathAndQuery) const;
};

// The two ways a page reaches the cache:
// - the fetch control Inet1: DownloadFile writes the response body to the target;
// - the socket Winsock1: a hand-written HTTP/1.0 GET whose whole reply, status line
//   and headers included, is written to CurFile (followed by CR LF) when the server
//   closes the connection.
// Both serve one request at a time on the user-interface thread; their waits run
// the event loop (the Stop button stays live) and never spin.
class Transports : public QObject
{
    Q_OBJECT

public:
    // How the last socket request ended.
    enum class SocketOutcome {
        None,         // nothing asked yet
        Written,      // the reply is in CurFile
        Empty,        // the server closed without sending a byte: nothing written
        Truncated,    // fewer body bytes than the reply's Content-Length: nothing written
        Stopped,      // cancelled by a stop: nothing written
        Error,        // the socket reported an error: nothing written
        TimedOut,     // no close within the time limit: nothing written
        TooLarge,     // the reply passed the size cap: nothing written
        WriteFailed,  // the cache file could not be written (the old one stays)
        NotStarted,   // the socket would not connect (it was not closed)
    };

    static constexpr int DefaultWaitLimitMs = 90 * 1000;
    static constexpr qint64 DefaultMaxReplyBytes = 16 * 1024 * 1024;

    explicit Transports(MainWindowPort& port, QObject* parent = nullptr);
    ~Transports() override;

    // The main window's fetch control and socket. The main window binds
    // Inet1.StateChanged to its status texts and sets Inet1's proxy at load.
    UrlFetch Inet1;
    Socket Winsock1;

    // The current socket request: absolute address, target path, reply so far.
    QString CurURL;
    QString CurFile;
    QByteArray PageBuffer;

    // Title := Text; unless StopFlag is set, fetches URL and writes the body to
    // FileName (created when missing, replaced whole; a failed, cancelled or
    // oversized fetch writes nothing); then processes pending events once.
    // An address without a scheme ("host/path") is fetched over http.
    void DownloadFile(QString FileName, const QString& URL, const QString& Text);
    // True when the last DownloadFile wrote its file.
    bool lastDownloadWritten() const { return m_downloadWritten; }

    // Returns when Winsock1 is closed. The wait runs the event loop and also ends
    // when the socket reports an error, when CancelTransports() stops it, and after
    // the time limit; a request cut short that way writes nothing and leaves the
    // socket closed.
    void WinsockWait();

    // The socket fetch as a downloader drives it after closing the socket: wait for
    // the closed state, set CurFile and CurURL (the site's absolute address), show
    // status in the title bar, connect to the site's host and port, wait until the
    // reply has been written (or the request ended otherwise). Returns the outcome.
    SocketOutcome SocketFetch(const QString& file, const SiteEndpoint& site, const QString& pathAndQuery,
                              const QString& status);
    SocketOutcome SocketFetch(const QString& file, Site site, const QString& pathAndQuery, const QString& status)
    {
        return SocketFetch(file, SiteEndpoint::of(site), pathAndQuery, status);
    }

    // The socket's events.
    void Winsock1_Connect();
    void Winsock1_DataArrival(qint64 bytesTotal);
    void Winsock1_Close();
    void Winsock1_Error(int number, const QString& description);

    // The transport steps of a stop: the fetch control's time-out to 1 second, a
    // running fetch cancelled ("Please Wait.." in the status panel), and the socket
    // closed so that a waiting downloader returns at once (nothing is written).
    void CancelTransports();

    SocketOutcome lastSocketOutcome() const { return m_socketOutcome; }

    // Limits; tests shorten them.
    int waitLimitMs() const { return m_waitLimitMs; }
    void setWaitLimitMs(int ms) { m_waitLimitMs = ms; }
    qint64 maxReplyBytes() const { return m_maxReplyBytes; }
    void setMaxReplyBytes(qint64 bytes);

    MainWindowPort& port() { return m_port; }

signals:
    // The socket request has settled (written, failed or stopped): ends a wait.
    void socketSettled();

private:
    void settle(SocketOutcome outcome);
    void abandonSocket(SocketOutcome outcome);

    MainWindowPort& m_port;
    int m_waitLimitMs = DefaultWaitLimitMs;
    qint64 m_maxReplyBytes = DefaultMaxReplyBytes;
    SocketOutcome m_socketOutcome = SocketOutcome::None;
    quint64 m_cancelGeneration = 0;
    bool m_downloadWritten = false;
};
