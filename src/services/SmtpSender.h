#pragma once

#include <QDateTime>
#include <QObject>
#include <QQueue>
#include <QString>

class QEventLoop;
class Socket;

// Turns the bytes a mail server sends into whole replies. A line ends at LF (the CR
// before it and any further CR or LF at its end are dropped); a line longer than
// 64 KiB without an end is taken as it stands. "250-..." announces more lines of the
// same reply, "250 ..." (or a bare code, or any line that is not a code) ends it; the
// lines of one reply are joined by CR LF. Bytes may come in pieces of any size.
//
// A file server's replies (Rule::Ftp) follow the stricter multi-line rule: a reply that
// opens with "220-" ends only at a line that starts with the same code and a blank
// ("220 "); the lines between may be any text.
class SmtpReplyReader
{
public:
    enum class Rule { Smtp, Ftp };
    explicit SmtpReplyReader(Rule rule = Rule::Smtp) : m_rule(rule) {}

    // A whole reply may not pass this: a peer repeating "220-..." without end must not
    // make the program hold what it sends.
    static constexpr qsizetype MaxReplyBytes = 64 * 1024;

    // The bytes of one read. True when at least one reply became whole, or when the
    // reply passed the cap (tooLong()).
    bool feed(const QByteArray& data);
    // The connection ended: what came without a final line break counts as the last
    // line, and the lines of an unfinished multi-line reply as one reply.
    void close();
    // Forgets everything, for a new dialogue.
    void clear();

    bool hasReply() const { return !m_replies.isEmpty(); }
    // The oldest whole reply not yet taken (hasReply() must be true).
    QString takeReply() { return m_replies.dequeue(); }
    // A reply passed MaxReplyBytes: the dialogue is over and what follows is dropped.
    bool tooLong() const { return m_tooLong; }

private:
    bool takeLine();

    // Bytes of an unfinished line, the lines of an unfinished multi-line reply (joined
    // by CR LF as they come, turned into text once when the reply is whole), and whole
    // replies not yet taken.
    Rule m_rule;
    QByteArray m_partial;
    QByteArray m_reply;
    QByteArray m_openCode;  // Ftp: the code of an open multi-line reply
    QQueue<QString> m_replies;
    bool m_tooLong = false;
};

// What became of one mail. The mail was handed over when ok is true (the server
// took the message with "250" after the end mark); otherwise error says why, in the
// words the mail window shows. Callers that do not care may ignore it.
struct SmtpResult
{
    bool ok = false;
    QString error;  // "" on success
    QString reply;  // the server's answer to the step that decided it, "" when none came
    explicit operator bool() const { return ok; }
};

// Sends one mail over SMTP: the feedback of the update run, the error-log mail, the
// support request and the mail window all go through SendEmail. The dialogue is
// strictly one step after the other: send a command, wait for the expected reply
// code while the event loop keeps running (menus, Stop and the other sockets stay
// live), go on. Nothing here shows a window: progress and errors are signals, and
// the outcome is the returned SmtpResult.
//
// Unlike a trusting client it stops at the first reply it did not expect (with a
// "quit" to the server), reads replies line by line (a reply split over several
// reads keeps its code, a multi-line reply is read whole), keeps line breaks (CR, LF
// and NUL) out of the header fields and the commands, doubles a leading "." on body lines, and
// gives every wait a time limit on a monotonic clock. A reply, all its lines
// together, may hold 64 KiB: a longer one ends the dialogue ("SMTP service error,
// the server's reply is too long"), so a server that never ends its reply cannot
// make the program hold more.
class SmtpSender : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultPort = 25;
    static constexpr int DefaultTimeoutMs = 50000;  // each wait for a reply
    static const char* const HeloDomain;            // named in "HELO "
    static const char* const MailerName;            // the "X-Mailer: " header

    explicit SmtpSender(QObject* parent = nullptr);
    ~SmtpSender() override;

    // One whole dialogue with Server ("host", or "host:port" to reach another port than
    // 25). From/ToName are display names, FromEmail/ToEmail bare addresses. Returns at
    // the end of the dialogue; the socket is closed again by then.
    SmtpResult SendEmail(const QString& Server, const QString& From, const QString& FromEmail,
                         const QString& ToName, const QString& ToEmail, const QString& Subject,
                         const QString& Body);

    // Waits for the next whole reply and compares its first three characters with
    // Code. false on another code (Response keeps it), on the time limit, and when the
    // connection ends or fails first; the reason is in lastError().
    bool WaitForReply(const QString& Code);

    // The last whole reply received (lines joined by CR LF, without the final one);
    // emptied by a wait that matched.
    QString Response() const { return m_response; }
    // The Date header of the last message composed.
    QString DateLine() const { return m_dateLine; }
    QString lastError() const { return m_lastError; }
    SmtpResult lastResult() const { return m_lastResult; }

    // The time limit of each wait, in milliseconds (tests shorten it).
    int timeoutMs() const { return m_timeoutMs; }
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }

    Socket& Winsock1() { return *m_socket; }

    // "Tue, 08 Dec 2026 07:16:42 -0600": English day and month names whatever the
    // machine's language, and the zone of when itself.
    static QString FormatDateLine(const QDateTime& when);
    // "host" -> host, 25; "host:2525" -> host, 2525; "[::1]:2525" -> ::1, 2525. A port
    // that is not a number from 1 to 65535 makes the whole text the host name.
    static void SplitServer(const QString& server, QString& host, int& port);
    // A header field as it can be written: each run of CR, LF and NUL becomes one blank,
    // and breaks at either end are dropped.
    static QString CleanHeaderField(const QString& text);
    // The body as it goes on the wire: every line break (CR LF, a lone LF or a lone CR)
    // becomes CR LF, a line that starts with "." gets a second one, and the text ends
    // with CR LF.
    static QString StuffBody(const QString& body);

signals:
    // Progress for the mail window's status panel ("Connecting....", "Connected",
    // "Sending Message", "Disconnecting").
    void statusChanged(const QString& text);
    // A failure, in the text the user is to see.
    void errorOccurred(const QString& message);

private slots:
    void Winsock1_DataArrival(qint64 bytesTotal);
    void Winsock1_Close();
    void Winsock1_Error(int number, const QString& description);

private:
    SmtpResult finish(bool ok, const QString& error);
    SmtpResult failAndQuit(bool awaitQuitReply);
    void send(const QString& text);
    void wake();

    Socket* m_socket;
    int m_timeoutMs = DefaultTimeoutMs;
    bool m_busy = false;
    QString m_response;
    QString m_dateLine;
    QString m_lastError;
    QString m_lastReply;     // the reply taken by the last wait, matching or not
    bool m_lastMismatch = false;
    SmtpResult m_lastResult;

    SmtpReplyReader m_reader;  // replies not yet waited for
    bool m_peerClosed = false;
    QString m_socketError;
    QEventLoop* m_loop = nullptr;
};
