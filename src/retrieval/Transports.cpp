#include "retrieval/Transports.h"

#include "core/ErrorLog.h"
#include "platform/AppPath.h"
#include "platform/Codec.h"
#include "platform/Dialogs.h"
#include "platform/HttpReply.h"
#include "retrieval/CacheFiles.h"
#include "retrieval/MainWindowPort.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QEventLoop>
#include <QTimer>
#include <QUrl>

#include <algorithm>


Q_LOGGING_CATEGORY(lcTransports, "tradewright.transports")

namespace {

Transports::SocketOutcome outcomeOf(HttpReply::Fault fault)
{
    switch (fault) {
    case HttpReply::Fault::None: return Transports::SocketOutcome::Written;
    case HttpReply::Fault::Empty: return Transports::SocketOutcome::Empty;
    case HttpReply::Fault::NotHttp: return Transports::SocketOutcome::NotHttp;
    case HttpReply::Fault::Truncated: return Transports::SocketOutcome::Truncated;
    case HttpReply::Fault::BrokenChunks: return Transports::SocketOutcome::BrokenChunks;
    case HttpReply::Fault::ErrorStatus: return Transports::SocketOutcome::ErrorStatus;
    case HttpReply::Fault::HeadTooLarge: return Transports::SocketOutcome::TooLarge;
    }
    return Transports::SocketOutcome::Error;
}

QString hostKey(const QString& host, int port)
{
    return host.toLower() + u':' + QString::number(port);
}

} // namespace

SiteEndpoint SiteEndpoint::of(Site site)
{
    // "host" or "host:port" in one read of the settings.
    const QString text = Sites::HostAndPath(site, QString());
    const int colon = text.lastIndexOf(u':');
    if (colon > 0 && text.indexOf(u':') == colon)
        return {text.left(colon), text.mid(colon + 1).toInt()};
    return {text, 80};
}

QString SiteEndpoint::hostAndPath(const QString& pathAndQuery) const
{
    return port == 80 ? host + pathAndQuery : host + u':' + QString::number(port) + pathAndQuery;
}

QString SiteEndpoint::address(const QString& pathAndQuery) const
{
    return QStringLiteral("http://") + hostAndPath(pathAndQuery);
}

Transports::Transports(MainWindowPort& port, QObject* parent) : QObject(parent), m_port(port)
{
    Inet1.setMaxReplyBytes(m_maxReplyBytes);
    connect(&Winsock1, &Socket::Connected, this, &Transports::Winsock1_Connect);
    connect(&Winsock1, &Socket::DataArrival, this, &Transports::Winsock1_DataArrival);
    connect(&Winsock1, &Socket::Closed, this, &Transports::Winsock1_Close);
    connect(&Winsock1, &Socket::Error, this, &Transports::Winsock1_Error);
}

Transports::~Transports()
{
    Winsock1.disconnect(this);
    Winsock1.Close();
}

void Transports::setMaxReplyBytes(qint64 bytes)
{
    m_maxReplyBytes = bytes;
    Inet1.setMaxReplyBytes(bytes);
}

void Transports::DownloadFile(QString FileName, const QString& URL, const QString& Text)
{
    m_downloadWritten = false;
    m_downloadAnswered = false;
    m_port.setCaption(Text);
    if (m_port.runState().StopFlag)
        return;
    QString address = URL.trimmed();
    // The fetch control takes "host/path" as an http address.
    if (!address.contains(QLatin1String("://")))
        address.prepend(QLatin1String("http://"));
    const QUrl url(address, QUrl::TolerantMode);
    PassScope pass(*this);
    if (admit(url.host(), url.port(80), address, QStringLiteral("Transports_DownloadFile")) == SocketOutcome::None) {
        // The page goes into its file's temporary file as it arrives, and only a whole
        // page is put in place: a failed, cut-short, error-status, cancelled, timed-out
        // or oversized fetch writes nothing, and the old page (or its absence) stays.
        FileReplacer page = OpenCachePage(FileName);
        const bool whole = Inet1.OpenURLInto(address, [&page](QByteArrayView bytes) { return page.write(bytes); });
        m_downloadAnswered = Inet1.lastHttpStatus() > 0;
        QString why;
        if (whole)
            m_downloadWritten = page.commit(&why);
        else
            page.abandon();
        if (page.failed())
            noteUnwritten(FileName, why.isEmpty() ? page.failure() : why);
        if (!whole && Inet1.lastHostErrorNumber() != 0)
            hostFailed(url.host(), url.port(80), {Inet1.lastHostErrorNumber(), Inet1.lastErrorText()});
    }
    QCoreApplication::processEvents();
}

void Transports::WinsockWait()
{
    if (Winsock1.State() == Socket::sckClosed)
        return;
    if (Winsock1.State() == Socket::sckError) {
        // The error has been reported; a socket in error never closes by itself.
        abandonSocket(SocketOutcome::Error);
        return;
    }
    // The wait sleeps in the event loop until the socket settles (closed after its
    // reply, an error, a stop) or the time limit passes; nothing polls.
    const quint64 generation = m_cancelGeneration;
    bool timedOut = false;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    limit.setTimerType(Qt::PreciseTimer);
    connect(&limit, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    connect(this, &Transports::socketSettled, &loop, &QEventLoop::quit);
    limit.start(m_waitLimitMs);
    auto pending = [&] {
        const int state = Winsock1.State();
        return state != Socket::sckClosed && state != Socket::sckError && generation == m_cancelGeneration &&
               !timedOut;
    };
    // Once the program has been told to end, no event loop runs any more: exec()
    // returns at once, so the request is given up as stopped instead of spinning.
    bool ending = false;
    while (pending() && !ending)
        ending = loop.exec() < 0;

    const int state = Winsock1.State();
    if (state == Socket::sckClosed)
        return;
    if (state == Socket::sckError)
        abandonSocket(SocketOutcome::Error);
    else if (ending || generation != m_cancelGeneration)
        abandonSocket(SocketOutcome::Stopped);
    else
        abandonSocket(SocketOutcome::TimedOut);
}

Transports::SocketOutcome Transports::SocketFetch(const QString& file, const SiteEndpoint& site,
                                                  const QString& pathAndQuery, const QString& status)
{
    WinsockWait();
    CurFile = file;
    CurURL = site.address(pathAndQuery);
    m_port.setCaption(status);
    PassScope pass(*this);
    m_socketOutcome = admit(site.host, site.port, CurURL, QStringLiteral("Transports_SocketFetch"));
    if (m_socketOutcome != SocketOutcome::None)
        return m_socketOutcome;
    Winsock1.setRemoteHost(site.host);
    Winsock1.setRemotePort(site.port);
    m_socketError = HostFailure();
    if (!Winsock1.Connect()) {
        m_socketOutcome = SocketOutcome::NotStarted;
        return m_socketOutcome;
    }
    WinsockWait();
    if (m_socketOutcome == SocketOutcome::Error)
        hostFailed(site.host, site.port,
                   m_socketError.description.isEmpty() ? HostFailure{Socket::sckUnknownError, QStringLiteral("Socket error")}
                                                       : m_socketError);
    else if (m_socketOutcome == SocketOutcome::TimedOut)
        hostFailed(site.host, site.port, {Socket::sckTimedout, QStringLiteral("The request timed out")});
    return m_socketOutcome;
}

void Transports::Winsock1_Connect()
{
    m_port.runState().SockBusy = true;
    // Empty, but keep the memory of an ordinary page for the next reply.
    if (PageBuffer.capacity() > 4 * 1024 * 1024)
        PageBuffer.clear();
    else
        PageBuffer.truncate(0);
    m_pageReader = HttpReply::Reader();
    Winsock1.SendData(HttpReply::SocketRequest(toCp1252(CurURL)));
}

void Transports::Winsock1_DataArrival(qint64 /*bytesTotal*/)
{
    QByteArray chunk;
    Winsock1.GetData(chunk);
    if (PageBuffer.size() + chunk.size() > m_maxReplyBytes) {
        // No page we read comes near this; a reply that does is not kept.
        abandonSocket(SocketOutcome::TooLarge);
        return;
    }
    PageBuffer += chunk;
    // The reply is read as it comes: a head over the cap or a chunked body out of
    // chunk form ends the request at once.
    if (!m_pageReader.feed(chunk))
        abandonSocket(outcomeOf(m_pageReader.failed()));
}

void Transports::Winsock1_Close()
{
    // Only a whole page is written (nothing at all, an error page, a reply cut short
    // is a failed request), so the page from the last good download stays.
    SocketOutcome outcome = outcomeOf(HttpReply::Judge(m_pageReader.facts()));
    QString why;
    if (outcome == SocketOutcome::Written && !WriteCacheFile(CurFile, PageBuffer, QByteArrayLiteral("\r\n"), &why)) {
        outcome = SocketOutcome::WriteFailed;
        noteUnwritten(CurFile, why);
    }
    m_port.runState().SockBusy = false;
    Winsock1.Close();
    settle(outcome);
}

void Transports::Winsock1_Error(int number, const QString& description)
{
    // SocketFetch shows it once the wait is over (once per host and pass).
    m_socketError = {number, description};
    // Close the socket so the waiting downloader goes on; nothing is written.
    abandonSocket(SocketOutcome::Error);
}

void Transports::CancelTransports()
{
    Inet1.setRequestTimeout(1);
    if (Inet1.StillExecuting()) {
        Inet1.Cancel();
        m_port.setStatusText(QStringLiteral("Please Wait.."));
        QCoreApplication::processEvents();
    }
    Inet1.setRequestTimeout(1);
    ++m_cancelGeneration;
    // Also a socket that is still connecting is closed, so that no wait outlives a stop.
    if (m_port.runState().SockBusy || Winsock1.State() != Socket::sckClosed)
        abandonSocket(SocketOutcome::Stopped);
}

void Transports::settle(SocketOutcome outcome)
{
    m_socketOutcome = outcome;
    emit socketSettled();
}

void Transports::abandonSocket(SocketOutcome outcome)
{
    Winsock1.Close();
    m_port.runState().SockBusy = false;
    settle(outcome);
}

// ---------------------------------------------------------------------------
// Passes: placeholder sites and failed hosts.

void Transports::beginPass()
{
    if (m_passDepth++ == 0) {
        m_failedHosts.clear();
        m_unsetSites.clear();
        m_unwritten = 0;
        m_unwrittenWhy.clear();
    }
}

void Transports::endPass()
{
    if (m_passDepth == 0 || --m_passDepth > 0)
        return;
    m_failedHosts.clear();
    QStringList said;
    if (!m_unsetSites.isEmpty())
        said << Sites::NotSetText(std::exchange(m_unsetSites, {}));
    // A page the disk refused leaves the one before in place; the user is told once
    // a pass how many, and why the first was refused.
    if (m_unwritten > 0)
        said << QStringLiteral("Pages not saved: %1 (%2) - the pages from before stay")
                    .arg(std::exchange(m_unwritten, 0))
                    .arg(std::exchange(m_unwrittenWhy, {}));
    if (!said.isEmpty())
        m_port.setStatusText(said.join(QStringLiteral("; ")));
}

void Transports::noteUnwritten(const QString& file, const QString& why)
{
    qCWarning(lcTransports) << "page not written:" << file << why;
    PassScope pass(*this);
    if (m_unwritten++ == 0)
        m_unwrittenWhy = why;
}

bool Transports::siteIsSet(Site site)
{
    if (Sites::IsSet(site))
        return true;
    PassScope pass(*this);
    noteUnset(site);
    return false;
}

void Transports::noteUnset(Site site)
{
    if (!m_unsetSites.contains(site))
        m_unsetSites << site;
}

Transports::SocketOutcome Transports::admit(const QString& host, int port, const QString& address,
                                            const QString& tag)
{
    if (const std::optional<Site> site = Sites::PlaceholderSite(host)) {
        noteUnset(*site);
        return SocketOutcome::NotSet;
    }
    const auto failed = m_failedHosts.constFind(hostKey(host, port));
    if (failed == m_failedHosts.cend())
        return SocketOutcome::None;
    LogError(QStringLiteral("Skipped ") + address + QStringLiteral(": the host failed earlier in this update (") +
                 failed->description + u')',
             float(failed->number), QStringLiteral("Tradewright"), tag, false);
    return SocketOutcome::Skipped;
}

void Transports::hostFailed(const QString& host, int port, const HostFailure& failure)
{
    const QString key = hostKey(host, port);
    if (m_failedHosts.contains(key))
        return;
    m_failedHosts.insert(key, failure);
    Dialogs::MsgBox(QStringLiteral("Error ") + failure.description, Dialogs::vbOKOnly);
}
