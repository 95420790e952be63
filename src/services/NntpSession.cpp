#include "services/NntpSession.h"
#include "platform/Runtime.h"

#include "platform/AppPath.h"
#include "platform/Codec.h"
#include "platform/Sites.h"
#include "platform/Socket.h"

#include <QTimer>

#include <limits>

namespace {

bool hasCode(const QByteArray& line, const char* code)
{
    return line.size() >= 3 && line.startsWith(code);
}

bool endsLine(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(0);
}

// The value of the header field label ("Subject") in the header lines, "" when missing.
// Labels are compared without regard to case; the value starts after the colon and
// its blanks.
QString field(const QStringList& header, const QString& label, QString* wholeLine = nullptr)
{
    const QString prefix = label + QLatin1Char(':');
    for (const QString& line : header)
        if (line.startsWith(prefix, Qt::CaseInsensitive)) {
            if (wholeLine)
                *wholeLine = line;
            return line.mid(prefix.size()).trimmed();
        }
    return QString();
}

} // namespace

NntpSession::NntpSession(QObject* parent)
    : QObject(parent)
    , m_socket(new Socket(this))
{
    connect(m_socket, &Socket::Connected, this, &NntpSession::Winsock1_Connect);
    connect(m_socket, &Socket::DataArrival, this, &NntpSession::Winsock1_DataArrival);
    connect(m_socket, &Socket::Closed, this, &NntpSession::Winsock1_Close);
    connect(m_socket, &Socket::Error, this, &NntpSession::Winsock1_Error);
    m_silence = new QTimer(this);
    m_silence->setSingleShot(true);
    connect(m_silence, &QTimer::timeout, this, [this] {
        if (!m_awaiting.isEmpty())
            stopCommand(QStringLiteral("The news server sent nothing for ") +
                        QString::number(double(m_silenceMs) / 1000.0) + QStringLiteral(" seconds"));
    });
}

NntpSession::~NntpSession() = default;

QString NntpSession::serverHost() const
{
    return Sites::SplitHostPort(NewsServer.trimmed(), DefaultPort).first;
}

bool NntpSession::Connect()
{
    if (NewsConnected || NewsServer.trimmed().isEmpty())
        return false;
    ++m_quitGeneration;
    m_socket->Close();
    const auto [host, port] = Sites::SplitHostPort(NewsServer.trimmed(), DefaultPort);
    m_socket->setRemoteHost(host);
    m_socket->setRemotePort(port);
    resetReplies();
    m_awaiting = {QStringLiteral("Welcome")};
    emit statusChanged(QStringLiteral("Connecting to ") + NewsServer);
    return m_socket->Connect();
}

void NntpSession::Disconnect()
{
    if (!NewsConnected)
        return;
    // "QUIT" goes out before the socket closes: once it is written, or after two
    // seconds at the most.
    m_socket->SendData(QStringLiteral("QUIT") + rt::CrLf);
    emit commandSent(QStringLiteral("QUIT"));
    const int generation = ++m_quitGeneration;
    const auto closeNow = [this, generation] {
        if (generation == m_quitGeneration && !NewsConnected)
            m_socket->Close();
    };
    QObject::connect(m_socket, &Socket::SendComplete, this, closeNow, Qt::SingleShotConnection);
    QTimer::singleShot(2000, this, closeNow);
    NewsConnected = false;
    resetReplies();
    emit connectedChanged(false);
}

void NntpSession::resetReplies()
{
    m_silence->stop();
    m_awaiting.clear();
    m_inBlock = false;
    NewsBuffer.clear();
    m_header.clear();
    m_headerBytes = 0;
    m_body.clear();
    m_bodyBytes = 0;
    m_bodyStarted = false;
    m_groupCount = 0;
}

void NntpSession::stopCommand(const QString& reason)
{
    // What arrived so far stays.
    const QString kind = m_awaiting.value(0);
    if (m_inBlock && kind == QLatin1String("HEAD"))
        headerDone(false);
    else if (m_inBlock && kind == QLatin1String("BODY"))
        emit bodyChanged(m_body);
    if (!m_pendingGroups.isEmpty()) {
        QStringList groups;
        groups.swap(m_pendingGroups);
        emit groupsAdded(groups);
    }
    ++m_stops;
    m_socket->Close();
    resetReplies();
    NewsState = QStringLiteral("None");
    const bool wasConnected = NewsConnected;
    NewsConnected = false;
    emit statusChanged(reason + QStringLiteral(". Disconnected From ") + NewsServer);
    if (wasConnected)
        emit connectedChanged(false);
}

QString NntpSession::CommandLine(const QString& text)
{
    qsizetype cut = text.size();
    for (qsizetype i = 0; i < text.size(); ++i)
        if (endsLine(text[i])) {
            cut = i;
            break;
        }
    return text.left(cut);
}

QString NntpSession::ArticleNumber(const QString& listLine)
{
    const qsizetype blank = listLine.indexOf(QLatin1Char(' '));
    return blank < 0 ? listLine : listLine.left(blank);
}

void NntpSession::send(const QString& command, const QString& newState)
{
    const QString line = CommandLine(command);
    m_socket->SendData(line + rt::CrLf);
    m_awaiting << newState;
    NewsState = newState;
    if (!m_silence->isActive())
        m_silence->start(m_silenceMs);
    emit commandSent(line);
}

bool NntpSession::List()
{
    if (!NewsConnected)
        return false;
    send(QStringLiteral("LIST"), QStringLiteral("LIST"));
    return true;
}

bool NntpSession::Group(const QString& name)
{
    if (!NewsConnected)
        return false;
    send(QStringLiteral("GROUP ") + name, QStringLiteral("GROUP"));
    return true;
}

bool NntpSession::Body(const QString& article)
{
    if (!NewsConnected)
        return false;
    send(QStringLiteral("BODY ") + article, QStringLiteral("BODY"));
    return true;
}

void NntpSession::Winsock1_Connect()
{
    NewsConnected = true;
    if (!m_awaiting.isEmpty())
        m_silence->start(m_silenceMs);  // the greeting
    emit connectedChanged(true);
    emit statusChanged(QStringLiteral("Connected to ") + NewsServer);
}

void NntpSession::Winsock1_DataArrival(qint64)
{
    QByteArray data;
    m_socket->GetData(data);
    handleData(data);
    if (m_awaiting.isEmpty())
        m_silence->stop();
    else if (NewsConnected)
        m_silence->start(m_silenceMs);
}

void NntpSession::Winsock1_Close()
{
    m_socket->Close();
    emit statusChanged(QStringLiteral("Disconnected From ") + NewsServer);
    NewsConnected = false;
    resetReplies();
    emit connectedChanged(false);
}

void NntpSession::Winsock1_Error(int number, const QString& description)
{
    m_socket->Close();
    const bool wasConnected = NewsConnected;
    NewsConnected = false;
    resetReplies();
    emit statusChanged(QStringLiteral("Error ") + QString::number(number) + u' ' + description);
    if (number == Socket::sckHostNotFound)
        emit hostNotFound();
    if (wasConnected)
        emit connectedChanged(false);
}

void NntpSession::handleData(const QByteArray& data)
{
    const QString tooLong = QStringLiteral("A line from the news server is longer than ") +
                            QString::number(MaxLineBytes / 1024) + QStringLiteral(" KB");
    const int stops = m_stops;
    qsizetype from = 0;
    while (from < data.size() && stops == m_stops) {
        const qsizetype end = data.indexOf('\n', from);
        // The line's length so far, without a CR that may be the one before its LF.
        const qsizetype stop = end < 0 ? data.size() : end;
        const char last = stop > from ? data[stop - 1] : (NewsBuffer.isEmpty() ? '\0' : NewsBuffer.back());
        const qsizetype length = NewsBuffer.size() + (stop - from) - (last == '\r' ? 1 : 0);
        if (length > MaxLineBytes) {
            stopCommand(tooLong);
            break;
        }
        if (end < 0) {
            NewsBuffer.append(data.constData() + from, data.size() - from);
            break;
        }
        QByteArray line;
        if (NewsBuffer.isEmpty()) {
            line = data.mid(from, end - from);
        } else {
            line.swap(NewsBuffer);
            line.append(data.constData() + from, end - from);
        }
        from = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        handleLine(std::move(line));
    }
    if (!m_pendingGroups.isEmpty()) {
        QStringList groups;
        groups.swap(m_pendingGroups);
        emit groupsAdded(groups);
    }
}

void NntpSession::handleLine(QByteArray line)
{
    if (m_awaiting.isEmpty())
        return;  // nothing asked: a stray line
    const QString kind = m_awaiting.first();

    if (m_inBlock) {
        if (line == ".") {
            m_inBlock = false;
            m_awaiting.removeFirst();
            if (kind == QLatin1String("LIST")) {
                if (NewsState == QLatin1String("LIST"))
                    NewsState = QStringLiteral("None");
                if (!m_pendingGroups.isEmpty()) {
                    QStringList groups;
                    groups.swap(m_pendingGroups);
                    emit groupsAdded(groups);
                }
                emit statusChanged(QStringLiteral("List Download"));
                emit beep();
                emit listEnded();
            } else if (kind == QLatin1String("HEAD")) {
                headerDone();
            } else if (kind == QLatin1String("BODY")) {
                QString text;
                text.swap(m_body);
                m_bodyBytes = 0;
                m_bodyStarted = false;
                emit bodyChanged(text);
            }
            return;
        }
        if (line.startsWith(".."))
            line.remove(0, 1);
        if (kind == QLatin1String("LIST")) {
            const qsizetype blank = line.indexOf(' ');
            const QString name = fromCp1252(blank < 0 ? line : line.left(blank));
            if (name.isEmpty())
                return;
            if (m_groupCount >= MaxGroups) {
                stopCommand(QStringLiteral("The group list holds more than ") + QString::number(MaxGroups) +
                            QStringLiteral(" groups"));
                return;
            }
            ++m_groupCount;
            m_pendingGroups << name;
        } else if (kind == QLatin1String("HEAD")) {
            m_headerBytes += line.size() + 2;
            if (m_headerBytes > MaxHeaderBytes) {
                stopCommand(QStringLiteral("An article header is longer than ") +
                            QString::number(MaxHeaderBytes / (1024 * 1024)) + QStringLiteral(" MB"));
                return;
            }
            const QString text = fromCp1252(line);
            // A folded header line continues the one before it.
            if (!m_header.isEmpty() && !text.isEmpty() && (text[0] == u' ' || text[0] == u'\t'))
                m_header.last() += text;
            else
                m_header << text;
        } else {
            m_bodyBytes += line.size() + 2;
            if (m_bodyBytes > MaxArticleBytes) {
                stopCommand(QStringLiteral("An article is longer than ") +
                            QString::number(MaxArticleBytes / (1024 * 1024)) + QStringLiteral(" MB"));
                return;
            }
            if (m_bodyStarted)
                m_body += rt::CrLf;
            m_body += fromCp1252(line);
            m_bodyStarted = true;
        }
        return;
    }

    // A status line: the start of the oldest awaited reply.
    m_awaiting.removeFirst();
    if (kind == QLatin1String("LIST")) {
        if (line.startsWith('2')) {
            m_groupCount = 0;
            m_inBlock = true;
            m_awaiting.prepend(kind);
        } else {
            if (NewsState == QLatin1String("LIST"))
                NewsState = QStringLiteral("None");
            emit statusChanged(fromCp1252(line));
        }
    } else if (kind == QLatin1String("GROUP")) {
        if (!hasCode(line, "211"))
            return;  // no such group: the walk does not start
        const QStringList parts = fromCp1252(line.mid(4)).split(u' ', Qt::SkipEmptyParts);
        GroupCount = parts.value(0);
        GroupFirst = parts.value(1);
        GroupLast = parts.value(2);
        emit statusChanged(QStringLiteral("Downloading Header Number ") + GroupFirst + QStringLiteral(" to ") +
                           GroupLast);
        emit articlesCleared();
        send(QStringLiteral("STAT ") + GroupFirst, QStringLiteral("STAT"));
    } else if (kind == QLatin1String("STAT")) {
        if (hasCode(line, "223"))
            send(QStringLiteral("HEAD"), QStringLiteral("HEAD"));
        // Any other answer (no such article, no next one) ends the walk.
    } else if (kind == QLatin1String("HEAD")) {
        if (!hasCode(line, "221"))
            return;
        const QString text = fromCp1252(line);
        const qsizetype blank = text.indexOf(u' ', 4);
        m_article = (blank < 0 ? text.mid(4) : text.mid(4, blank - 4)).trimmed();
        m_header.clear();
        m_headerBytes = 0;
        m_inBlock = true;
        m_awaiting.prepend(kind);
        if (NewsState == QLatin1String("HEAD"))
            NewsState = QStringLiteral("GetRestofHeader");
    } else if (kind == QLatin1String("BODY")) {
        if (hasCode(line, "222")) {
            m_body.clear();
            m_bodyBytes = 0;
            m_bodyStarted = false;
            m_inBlock = true;
            m_awaiting.prepend(kind);
        } else {
            emit bodyChanged(fromCp1252(line));
        }
    }
    // "Welcome" and "QUIT": nothing to do.
}

void NntpSession::headerDone(bool walkOn)
{
    QString subjectLine;
    const QString subject = field(m_header, QStringLiteral("Subject"), &subjectLine);
    const QString from = field(m_header, QStringLiteral("From"));
    const QString date = field(m_header, QStringLiteral("Date"));
    bool ok = false;
    const int lines = field(m_header, QStringLiteral("Lines")).toInt(&ok);
    const int lineCount = ok && lines >= std::numeric_limits<qint16>::min() && lines <= std::numeric_limits<qint16>::max()
                              ? lines
                              : 0;
    m_header.clear();
    m_headerBytes = 0;
    emit articleAdded(m_article + QStringLiteral(" - ") + subjectLine);
    emit headerRow({QString(), subject, date, from, QString::number(lineCount), m_article});
    if (!walkOn)
        return;
    if (NewsState == QLatin1String("GetRestofHeader"))
        NewsState = QStringLiteral("STAT");
    send(QStringLiteral("NEXT"), QStringLiteral("STAT"));
}

namespace NewsReader {

QString ServerListFile()
{
    return ResolvePath(AppPath() + QStringLiteral("/Server.lst"));
}

QStringList LoadServerList(bool* exists)
{
    const QString path = ServerListFile();
    const bool there = FileExists(path);
    if (exists)
        *exists = there;
    QStringList groups;
    if (!there)
        return groups;
    const QString text = fromCp1252(ReadBytes(path));
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!line.isEmpty())
            groups << line;
    }
    return groups;
}

bool SaveServerList(const QStringList& groups)
{
    QString text;
    for (const QString& g : groups)
        text += NntpSession::CommandLine(g) + rt::CrLf;
    return WriteFileAtomic(ServerListFile(), toCp1252(text));
}

int SplitterTop(int top, int frameHeight)
{
    if (top < 400)
        return 400;
    if (top > frameHeight)
        return frameHeight - 400;
    return top;
}

} // namespace NewsReader
