#pragma once

#include "platform/HttpReply.h"
#include "platform/Sites.h"
#include "platform/Socket.h"
#include "platform/UrlFetch.h"

#include <QByteArray>
#include <QHash>
#include <QList>
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
    // How the last socket request ended. A reply that is not a whole page
    // (HttpReply::Judge, the rule the fetch control keeps too) writes nothing; its
    // outcome carries the fault's name.
    enum class SocketOutcome {
        None,          // nothing asked yet
        Written,       // the reply is in CurFile
        Empty,         // the server closed without sending a byte, or sent no body: nothing written
        NotHttp,       // no status line and headers: nothing written
        Truncated,     // cut short in its headers or before its Content-Length: nothing written
        BrokenChunks,  // a chunked body cut short or not in chunk form: nothing written
        ErrorStatus,   // a status other than 2xx (an error page, a redirect): nothing written
        Stopped,       // cancelled by a stop: nothing written
        Error,         // the socket reported an error: nothing written
        TimedOut,      // no close within the time limit: nothing written
        TooLarge,      // the reply passed the size cap, or its head the head cap: nothing written
        WriteFailed,   // the cache file could not be written (the old one stays)
        NotStarted,    // the socket would not connect (it was not closed)
        NotSet,        // the site's host is still the built-in placeholder: nothing sent
        Skipped,       // the host failed earlier in this pass: nothing sent (logged)
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

    // A pass: an update run, a fast price update, one downloader called on its own, or
    // a single request outside them. Passes nest; the outermost one counts:
    // - a host that fails for want of a connection (refused, not found, timed out; any
    //   socket error) shows its error box once, and the pass's later requests to that
    //   host and port are not sent, each one logged in ErrorLog.txt;
    // - a site whose host is still the built-in placeholder is never asked (no name
    //   lookup, no traffic); at the end the status panel names such sites and where
    //   to set them;
    // - a page the disk refuses keeps the page before it; at the end the status panel
    //   says how many were not saved, and why the first was not.
    void beginPass();
    void endPass();
    class PassScope
    {
    public:
        explicit PassScope(Transports& transports) : m_transports(transports) { m_transports.beginPass(); }
        ~PassScope() { m_transports.endPass(); }
        PassScope(const PassScope&) = delete;
        PassScope& operator=(const PassScope&) = delete;

    private:
        Transports& m_transports;
    };

    // True when site's host has been set. Otherwise the site is noted for the pass's
    // "not set" text and nothing of it is to be fetched.
    bool siteIsSet(Site site);

    // Title := Text; unless StopFlag is set, fetches URL and writes the body to
    // FileName (created when missing, replaced whole; a fetch that gives no whole
    // page writes nothing); then processes pending events once. A placeholder host
    // or a host that failed earlier in the pass is not asked.
    // An address without a scheme ("host/path") is fetched over http.
    void DownloadFile(QString FileName, const QString& URL, const QString& Text);
    // True when the last DownloadFile wrote its file.
    bool lastDownloadWritten() const { return m_downloadWritten; }
    // True when the server answered the last DownloadFile with a status line, whole
    // page or not (an error page, a reply cut short): the site is there.
    bool lastDownloadAnswered() const { return m_downloadAnswered; }

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
    struct HostFailure
    {
        int number = 0;
        QString description;
    };

    void settle(SocketOutcome outcome);
    void abandonSocket(SocketOutcome outcome);
    // None when the request may go out; NotSet or Skipped (logged under tag) when not.
    SocketOutcome admit(const QString& host, int port, const QString& address, const QString& tag);
    void noteUnset(Site site);
    // A cache page that could not be written: logged, and counted for the pass's end.
    void noteUnwritten(const QString& file, const QString& why);
    void hostFailed(const QString& host, int port, const HostFailure& failure);

    MainWindowPort& m_port;
    int m_waitLimitMs = DefaultWaitLimitMs;
    qint64 m_maxReplyBytes = DefaultMaxReplyBytes;
    SocketOutcome m_socketOutcome = SocketOutcome::None;
    quint64 m_cancelGeneration = 0;
    bool m_downloadWritten = false;
    bool m_downloadAnswered = false;
    HostFailure m_socketError;  // the socket's Error event during the current request
    HttpReply::Reader m_pageReader;  // reads PageBuffer's framing as it arrives
    int m_passDepth = 0;
    QList<Site> m_unsetSites;
    int m_unwritten = 0;         // pages the disk refused in this pass
    QString m_unwrittenWhy;      // why the first of them was refused
    QHash<QString, HostFailure> m_failedHosts;  // by "host:port"
};
