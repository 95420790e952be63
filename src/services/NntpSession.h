#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

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
// line carries a CR or LF of its argument: a group name or article number is cut at
// its first line break.
class NntpSession : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultPort = 119;
    // A line the server never ends is cut here and taken as it stands.
    static constexpr qsizetype MaxLineBytes = 64 * 1024;

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

    // The command line as it goes out, without its CR LF: cut at the first CR or LF.
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
    void headerDone();
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
    QStringList m_body;
    QStringList m_pendingGroups;
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
