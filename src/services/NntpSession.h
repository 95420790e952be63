#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class QTimer;
class Socket;

// The news reader's side of one connection to a Usenet news server: the commands it
// sends and what it makes of the replies. It owns the socket (Winsock1); the reader
// window only starts commands and shows what this class announces.
//
// NewsState names the last command sent and so what the next reply answers. The
// bytes that arrive are cut into lines first (a line ends at LF; the CR before it is
// dropped), and every reply is handled whole and in order, however the server's
// writes were split or joined on the way:
// - LIST: a status line, then one group per line up to the line "."; an error status
//   ends the list state at once;
// - GROUP "211 count first last name" starts the article walk with "STAT first";
//   each "223" makes it send "HEAD"; each header ("221 ..." up to its ".") gives one
//   article-list line ("number - Subject: ...") and one grid row and sends "NEXT";
//   any other reply ends the walk;
// - BODY: the article's lines up to ".", shown whole.
// Lines of a multi-line block that begin with ".." lose their first dot. No command
// line carries a CR, LF or NUL of its argument: a group name or article number is cut
// at its first line break.
//
// What a server sends is bounded: a line longer than MaxLineBytes, a group list of
// more than MaxGroups names, a header longer than MaxHeaderBytes or an article longer
// than MaxArticleBytes ends the command, and so does a command that receives nothing
// for silenceMs(). What arrived so far stays (the groups listed, the header's row,
// the body read); the status tells why, and the connection closes, since the rest of
// the reply could no longer be told from the replies after it.
class NntpSession : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultPort = 119;
    // The longest line taken (without its CR LF).
    static constexpr qsizetype MaxLineBytes = 64 * 1024;
    static constexpr qsizetype MaxGroups = 1000000;
    static constexpr qsizetype MaxHeaderBytes = 1024 * 1024;
    static constexpr qsizetype MaxArticleBytes = 8 * 1024 * 1024;
    static constexpr int DefaultSilenceMs = 60000;

    explicit NntpSession(QObject* parent = nullptr);
    ~NntpSession() override;

    // The server in use: "host" or "host:port" (119 by default).
    QString NewsServer;
    QString NewsState = QStringLiteral("None");
    // The unfinished last line of what has arrived (bytes, not yet a line).
    QByteArray NewsBuffer;
    bool NewsConnected = false;

    // The numbers of the last "211" reply.
    QString GroupCount, GroupFirst, GroupLast;

    // Starts connecting to NewsServer (nothing when it is empty or a connection is up
    // or under way). Returns true when a connection was started.
    bool Connect();
    // Sends "QUIT" and closes (only while connected).
    void Disconnect();

    // The commands of the reader's buttons and clicks. Each sends nothing while not
    // connected and answers false then.
    bool List();
    bool Group(const QString& name);
    bool Body(const QString& article);

    // The reply handler: the bytes of one arrival (public so tests and the benchmark
    // feed replies without a socket).
    void handleData(const QByteArray& data);

    // How long a command waits for the server's next bytes.
    int silenceMs() const { return m_silenceMs; }
    void setSilenceMs(int ms) { m_silenceMs = ms; }

    // The command line as it goes out, without its CR LF: cut at the first CR, LF or NUL.
    static QString CommandLine(const QString& text);
    // The article number at the start of an article-list line ("3000 - Subject: x").
    static QString ArticleNumber(const QString& listLine);

    Socket& Winsock1() { return *m_socket; }

signals:
    void statusChanged(const QString& text);
    void groupAdded(const QString& name);
    // Many groups at once (the window appends them in one go).
    void groupsAdded(const QStringList& names);
    void articlesCleared();
    void articleAdded(const QString& line);
    // A grid row: "", Subject, Date, From, Lines, article number.
    void headerRow(const QStringList& cells);
    void bodyChanged(const QString& text);
    void listEnded();
    void beep();
    void connectedChanged(bool connected);
    // Error 11001 (host not found): Connect becomes possible again.
    void hostNotFound();
    // A line went out (tests and the log read it).
    void commandSent(const QString& line);

private:
    void Winsock1_Connect();
    void Winsock1_DataArrival(qint64 bytesTotal);
    void Winsock1_Close();
    void Winsock1_Error(int number, const QString& description);

    void send(const QString& command, const QString& newState);
    void handleLine(QByteArray line);
    void headerDone(bool walkOn = true);
    void stopCommand(const QString& reason);
    void resetReplies();
    QString serverHost() const;

    Socket* m_socket;
    // The replies still to come, oldest first: "Welcome" (the greeting), then the
    // commands sent in their order. Replies come back in the order of the commands.
    QStringList m_awaiting;
    // Inside the multi-line block (group list, header, body) of the oldest reply.
    bool m_inBlock = false;
    int m_quitGeneration = 0;  // a later Connect cancels the close after "QUIT"
    QString m_article;         // the current article's number
    QStringList m_header;      // lines of the header being read
    qsizetype m_headerBytes = 0;
    QString m_body;            // the body read so far, its lines joined by CR LF
    qsizetype m_bodyBytes = 0;
    bool m_bodyStarted = false;
    qsizetype m_groupCount = 0;  // names of the group list being read
    QStringList m_pendingGroups;
    QTimer* m_silence;
    int m_silenceMs = DefaultSilenceMs;
    int m_stops = 0;  // counts stopped commands: an arrival is not read past a stop
};

// The reader window's rules that need no window.
namespace NewsReader {

// The group-list file Server.lst in the program folder (any letter case).
QString ServerListFile();
// Its groups, one a line, blank lines skipped; empty when the file is missing.
QStringList LoadServerList(bool* exists = nullptr);
// Writes the groups, each line ended by CR LF, replacing the file.
bool SaveServerList(const QStringList& groups);
// Where a dropped splitter bar stays: not above 400 twips, not below the frame's
// height less 400.
int SplitterTop(int top, int frameHeight);

} // namespace NewsReader
