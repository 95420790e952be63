#include "services/SmtpSender.h"
#include "platform/Runtime.h"

#include "platform/Clock.h"
#include "platform/Codec.h"
#include "platform/Socket.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QLocale>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>

#include <cctype>

const char* const SmtpSender::HeloDomain = "tradewright.orvane";
const char* const SmtpSender::MailerName = "Orvane Tradewright 5.4";

namespace {

const QString TimedOutText = QStringLiteral("SMTP service error, timed out while waiting for response");
const QString ClosedText = QStringLiteral("SMTP service error, the server closed the connection");
const QString EndingText = QStringLiteral("SMTP service error, the program is ending");
const QString AddressText = QStringLiteral("SMTP service error, an e-mail address cannot hold a line break");

const QString TooLongText = QStringLiteral("SMTP service error, the server's reply is too long");

// NUL counts as a line break: a server may end a line there.
bool hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')) || text.contains(QChar(0));
}

// "250-..." announces more lines of the same reply; "250 ..." (or a bare code) ends it.
bool continuesReply(const QByteArray& line)
{
    return line.size() > 3 && std::isdigit(uchar(line[0])) && std::isdigit(uchar(line[1])) &&
           std::isdigit(uchar(line[2])) && line[3] == '-';
}

bool parsePort(const QString& text, int& port)
{
    if (text.isEmpty() || text.size() > 5)
        return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    const int value = text.toInt();
    if (value < 1 || value > 65535)
        return false;
    port = value;
    return true;
}

} // namespace

bool SmtpReplyReader::feed(const QByteArray& data)
{
    if (m_tooLong)
        return false;
    bool whole = false;
    qsizetype from = 0;
    while (from < data.size()) {
        const qsizetype end = data.indexOf('\n', from);
        const qsizetype stop = end < 0 ? data.size() : end + 1;
        if (m_reply.size() + m_partial.size() + (stop - from) > MaxReplyBytes) {
            m_tooLong = true;
            m_partial.clear();
            m_reply.clear();
            return true;
        }
        m_partial.append(data.constData() + from, stop - from);
        if (end >= 0)
            whole |= takeLine();
        from = stop;
    }
    return whole;
}

void SmtpReplyReader::close()
{
    if (m_tooLong)
        return;
    if (!m_partial.isEmpty())
        takeLine();
    if (!m_reply.isEmpty()) {
        m_replies.enqueue(fromCp1252(m_reply));
        m_reply.clear();
    }
    m_openCode.clear();
}

void SmtpReplyReader::clear()
{
    m_openCode.clear();
    m_partial.clear();
    m_reply.clear();
    m_replies.clear();
    m_tooLong = false;
}

bool SmtpReplyReader::takeLine()
{
    qsizetype length = m_partial.size();
    while (length > 0 && (m_partial[length - 1] == '\n' || m_partial[length - 1] == '\r'))
        --length;
    if (!m_reply.isEmpty())
        m_reply += "\r\n";
    m_reply.append(m_partial.constData(), length);
    bool more;
    if (m_rule == Rule::Smtp) {
        // "250-..." announces more lines of the same reply; "250 ..." (or a bare code) ends it.
        more = continuesReply(m_partial);
    } else if (m_openCode.isEmpty()) {
        more = continuesReply(m_partial);
        if (more)
            m_openCode = m_partial.left(3);
    } else {
        // Only "220 ..." (or a bare "220") closes a reply opened by "220-".
        more = !(m_partial.startsWith(m_openCode) && (length == 3 || m_partial[3] == ' '));
        if (!more)
            m_openCode.clear();
    }
    m_partial.clear();
    if (more)
        return false;
    m_replies.enqueue(fromCp1252(m_reply));
    m_reply.clear();
    return true;
}

SmtpSender::SmtpSender(QObject* parent)
    : QObject(parent)
    , m_socket(new Socket(this))
{
    connect(m_socket, &Socket::DataArrival, this, &SmtpSender::Winsock1_DataArrival);
    connect(m_socket, &Socket::Closed, this, &SmtpSender::Winsock1_Close);
    connect(m_socket, &Socket::Error, this, &SmtpSender::Winsock1_Error);
}

SmtpSender::~SmtpSender()
{
    if (m_loop)
        m_loop->quit();
}

SmtpResult SmtpSender::SendEmail(const QString& Server, const QString& From, const QString& FromEmail,
                                 const QString& ToName, const QString& ToEmail, const QString& Subject,
                                 const QString& Body)
{
    // One dialogue at a time: the waits run the event loop, so a second call can arrive
    // while the first one is still talking.
    if (m_busy || m_socket->State() != Socket::sckClosed) {
        const QString message = QLatin1Char(' ') + QString::number(m_socket->State());
        emit errorOccurred(message);
        return SmtpResult{false, message, QString()};
    }
    m_busy = true;
    m_lastReply.clear();
    m_lastError.clear();
    m_socket->setLocalPort(0);

    // An address goes into a command line of its own: a line break in it would let the
    // text after it reach the server as a command.
    if (hasLineBreak(FromEmail) || hasLineBreak(ToEmail)) {
        m_lastError = AddressText;
        emit errorOccurred(m_lastError);
        return finish(false, m_lastError);
    }

    m_dateLine = FormatDateLine(Clock::Now());
    const QString mailFrom = QStringLiteral("mail from: ") + FromEmail + rt::CrLf;
    const QString rcptTo = QStringLiteral("rcpt to: ") + ToEmail + rt::CrLf;
    const QString headers = QStringLiteral("From: ") + CleanHeaderField(From) + rt::CrLf
                            + QStringLiteral("Date: ") + m_dateLine + rt::CrLf
                            + QStringLiteral("X-Mailer: ") + QLatin1String(MailerName) + rt::CrLf
                            + QStringLiteral("To: ") + CleanHeaderField(ToName) + rt::CrLf
                            + QStringLiteral("Subject: ") + CleanHeaderField(Subject) + rt::CrLf;
    const QString data = headers + rt::CrLf + StuffBody(Body) + QStringLiteral(".") + rt::CrLf;

    m_reader.clear();
    m_peerClosed = false;
    m_socketError.clear();

    QString host;
    int port = DefaultPort;
    SplitServer(Server, host, port);
    if (!m_socket->Connect(host, port)) {
        m_lastError = QStringLiteral("SMTP service error, cannot connect to ") + Server;
        emit errorOccurred(m_lastError);
        m_socket->Close();
        return finish(false, m_lastError);
    }

    // The dialogue: what to send, the reply it must get, and the progress shown before
    // and after the wait.
    struct Step
    {
        QString send;
        const char* code;
        const char* statusBefore;
        const char* statusAfter;
    };
    const Step steps[] = {
        {QString(), "220", nullptr, "Connecting...."},
        {QStringLiteral("HELO ") + QLatin1String(HeloDomain) + rt::CrLf, "250", nullptr, "Connected"},
        {mailFrom, "250", "Sending Message", nullptr},
        {rcptTo, "250", nullptr, nullptr},
        {QStringLiteral("data") + rt::CrLf, "354", nullptr, nullptr},
        {data, "250", nullptr, nullptr},
    };

    QPointer<SmtpSender> self(this);
    for (const Step& step : steps) {
        if (!step.send.isEmpty())
            send(step.send);
        if (step.statusBefore)
            emit statusChanged(QString::fromLatin1(step.statusBefore));
        const bool matched = WaitForReply(QString::fromLatin1(step.code));
        if (!self)
            return SmtpResult{false, ClosedText, QString()};
        if (!matched)
            return failAndQuit(m_lastMismatch);
        if (step.statusAfter)
            emit statusChanged(QString::fromLatin1(step.statusAfter));
    }

    // The server has taken the message. Its answer to "quit" no longer changes that, so
    // a missing or odd one is not reported.
    const QString accepted = m_lastReply;
    send(QStringLiteral("quit") + rt::CrLf);
    emit statusChanged(QStringLiteral("Disconnecting"));
    WaitForReply(QStringLiteral("221"));
    if (!self)
        return SmtpResult{true, QString(), accepted};
    m_socket->Close();
    m_lastReply = accepted;
    m_lastError.clear();
    return finish(true, QString());
}

bool SmtpSender::WaitForReply(const QString& Code)
{
    m_lastError.clear();
    m_lastReply.clear();
    m_lastMismatch = false;
    const QDeadlineTimer deadline(qMax(0, m_timeoutMs), Qt::PreciseTimer);
    QPointer<SmtpSender> self(this);

    while (!m_reader.hasReply()) {
        if (m_reader.tooLong()) {
            m_lastError = TooLongText;
            return false;
        }
        if (!m_socketError.isEmpty()) {
            m_lastError = QStringLiteral("SMTP service error, ") + m_socketError;
            return false;
        }
        if (m_peerClosed) {
            m_lastError = ClosedText;
            return false;
        }
        if (deadline.hasExpired()) {
            m_lastError = TimedOutText;
            return false;
        }
        // Sleep until a reply, the end of the connection or the time limit wakes us.
        QEventLoop loop;
        QTimer limit;
        limit.setSingleShot(true);
        limit.setTimerType(Qt::PreciseTimer);
        connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        limit.start(static_cast<int>(qMax<qint64>(0, deadline.remainingTime())));
        QEventLoop* outer = m_loop;
        m_loop = &loop;
        const int ran = loop.exec();
        if (!self)
            return false;
        m_loop = outer;
        // Once the program has been told to end, no event loop runs any more: exec()
        // returns at once and no reply can come, so the dialogue ends instead of
        // spinning until the time limit.
        if (ran < 0 && !m_reader.hasReply()) {
            m_lastError = EndingText;
            return false;
        }
    }

    m_response = m_reader.takeReply();
    m_lastReply = m_response;
    if (m_response.left(3) != Code) {
        m_lastMismatch = true;
        m_lastError = QStringLiteral("SMTP service error, impromper response code. Code should have been: ") + Code
                      + QStringLiteral(" Code recieved: ") + m_response;
        return false;
    }
    m_response.clear();
    return true;
}

void SmtpSender::Winsock1_DataArrival(qint64 bytesTotal)
{
    Q_UNUSED(bytesTotal);
    QByteArray data;
    m_socket->GetData(data);
    if (m_reader.feed(data))
        wake();
}

void SmtpSender::Winsock1_Close()
{
    if (m_socket->BytesReceived() > 0)
        Winsock1_DataArrival(m_socket->BytesReceived());
    m_reader.close();
    m_peerClosed = true;
    wake();
}

void SmtpSender::Winsock1_Error(int number, const QString& description)
{
    m_socketError = description.isEmpty() ? QString::number(number) : description;
    wake();
}

void SmtpSender::wake()
{
    if (m_loop)
        m_loop->quit();
}

void SmtpSender::send(const QString& text)
{
    m_socket->SendData(toCp1252(text));
}

SmtpResult SmtpSender::failAndQuit(bool awaitQuitReply)
{
    const QString error = m_lastError;
    const QString reply = m_lastReply;
    emit errorOccurred(error);
    // Say goodbye so the server drops the half-made message; when it is still answering
    // (it only disliked the last command) give it the usual time to confirm.
    if (m_socket->State() == Socket::sckConnected) {
        send(QStringLiteral("quit") + rt::CrLf);
        if (awaitQuitReply) {
            QPointer<SmtpSender> self(this);
            WaitForReply(QStringLiteral("221"));
            if (!self)
                return SmtpResult{false, error, reply};
        }
    }
    m_socket->Close();
    m_lastError = error;
    m_lastReply = reply;
    return finish(false, error);
}

SmtpResult SmtpSender::finish(bool ok, const QString& error)
{
    m_busy = false;
    m_lastResult = SmtpResult{ok, error, m_lastReply};
    return m_lastResult;
}

QString SmtpSender::FormatDateLine(const QDateTime& when)
{
    const QLocale english = QLocale::c();
    const int offset = when.offsetFromUtc() / 60;
    const int minutes = qAbs(offset);
    return english.toString(when, QStringLiteral("ddd, dd MMM yyyy HH:mm:ss"))
           + QStringLiteral(" %1%2%3")
                 .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                 .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                 .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

void SmtpSender::SplitServer(const QString& server, QString& host, int& port)
{
    const QString text = server.trimmed();
    host = text;
    port = DefaultPort;
    if (text.startsWith(QLatin1Char('['))) {
        const int close = text.indexOf(QLatin1Char(']'));
        if (close < 0)
            return;
        const QString rest = text.mid(close + 1);
        if (rest.isEmpty()) {
            host = text.mid(1, close - 1);
        } else if (rest.startsWith(QLatin1Char(':')) && parsePort(rest.mid(1), port)) {
            host = text.mid(1, close - 1);
        }
        return;
    }
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    // More than one colon without brackets is a bare IPv6 address, not host:port.
    if (colon > 0 && text.indexOf(QLatin1Char(':')) == colon && parsePort(text.mid(colon + 1), port))
        host = text.left(colon);
}

QString SmtpSender::CleanHeaderField(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("[\\r\\n\\x{0}]+"));
    return text.split(breaks, Qt::SkipEmptyParts).join(QLatin1Char(' '));
}

QString SmtpSender::StuffBody(const QString& body)
{
    QString text = body;
    text.replace(rt::CrLf, QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    // A line that is only "." would end the message early; the server takes the
    // first "." off every line that starts with one.
    for (QString& line : lines)
        if (line.startsWith(QLatin1Char('.')))
            line.prepend(QLatin1Char('.'));
    return lines.join(rt::CrLf) + rt::CrLf;
}
