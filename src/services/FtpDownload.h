#pragma once

#include "services/SmtpSender.h"

#include <QSaveFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <memory>

class Socket;

// The upgrade download: an anonymous, binary, active-mode file transfer of the upgrade
// archive from the maker's file server (Sites' UpgradeFtp) into the file the user
// picks. The control connection (Winsock1) walks FtpDialogue: each expected reply
// code sends the next command. The data connection comes in on a listener
// (Winsock2) that the system binds to a free port, announced with PORT and the
// control connection's own IPv4 address; only the server's address is let in.
//
// The bytes go into a temporary file beside the chosen one, which replaces the chosen
// file only when the download is done: the server's final reply says so (226 or 250),
// the data connection has closed and every announced byte is in the file, in whichever
// order the last two come. Any other end (an error reply, a short file, more bytes than
// announced, more than maxUnannouncedBytes() without an announced size, the server
// going away, no traffic for timeoutMs) shows the error and drops the temporary file;
// a file already at the chosen path stays as it was. Replies are read whole (a
// multi-line greeting is one reply), bytes are written to the file as they came.
class FtpDownload : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultTimeoutMs = 60000;
    static constexpr qint64 DefaultMaxUnannouncedBytes = qint64(512) * 1024 * 1024;
    static const char* const ArchiveName;   // "Trw504U.zip"
    static const char* const DoneText;      // the completion message

    struct DialogueRow
    {
        QString ReplyCode;
        QString Command;
    };

    explicit FtpDownload(QObject* parent = nullptr);
    ~FtpDownload() override;

    QString FtpHost;
    int FtpPort = 21;
    QString FtpUser;
    QString FtpPassword;
    QString RemotePath;
    QString ArchivePath;
    std::array<DialogueRow, 5> FtpDialogue;
    int ReplyStep = 0;
    qint64 TotalBytes = 0;
    qint64 BytesReceived = 0;
    qint64 BytesAtLastTick = 0;

    // What the window shows.
    QString Label1;
    QString Label2;
    QString Label3;
    QString Text1;            // every command sent, each with its CR LF
    bool StartEnabled = true; // lblNav(0) "Start Download"

    // Start Download: the connection check, the Save-As dialog, then the transfer.
    // false when nothing was started (check declined, dialog cancelled, no listener).
    bool StartDownload();
    // The window closes: both connections end at once and a partial file is removed.
    void Abort();
    bool busy() const { return m_busy; }

    // The rate display, every second while Timer1 runs.
    void Timer1_Timer();
    QTimer& Timer1() { return m_timer1; }

    int timeoutMs() const { return m_timeoutMs; }
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    // The most bytes taken when the server announced no size.
    qint64 maxUnannouncedBytes() const { return m_maxUnannounced; }
    void setMaxUnannouncedBytes(qint64 bytes) { m_maxUnannounced = bytes; }

    Socket& Winsock1() { return *m_control; }
    Socket& Winsock2() { return *m_listener; }

    // A quotient as the rate texts write it: up to 15 significant digits, "." for the
    // point, no zero before it (".5"), no blank in front.
    static QString RateNumber(double value);
    // The number at the start of a "150 " reply's text after its first "(" (the whole
    // reply when it has none): leading blanks skipped, digits up to the first other
    // character; 0 when there are none. This is what TotalBytes shows.
    static qint64 AnnouncedSize(const QString& reply);
    // Whether the reply announces a size at all: a digit follows its first "(" (after
    // blanks). Only then are the bytes held to TotalBytes.
    static bool SizeAnnounced(const QString& reply);

signals:
    // Something the window shows changed.
    void changed();
    // The download ended: ok only when the whole file was saved. The window closes.
    void finished(bool ok);

private:
    void Winsock1_DataArrival(qint64 bytesTotal);
    void Winsock1_Close();
    void Winsock1_Error(int number, const QString& description);
    void Winsock2_ConnectionRequest(qintptr requestID);
    void Data_DataArrival(qint64 bytesTotal);
    void Data_Close();
    void Data_Error(int number, const QString& description);

    void handleReply(const QString& reply);
    void sendRow();
    void tryFinish();
    void fail(const QString& message, const QString& title);
    void stop();
    void touch();
    bool tooMany();
    void dropFile();

    Socket* m_control;
    Socket* m_listener;
    Socket* m_data;
    SmtpReplyReader m_reader{SmtpReplyReader::Rule::Ftp};
    std::unique_ptr<QSaveFile> m_file;
    QTimer m_timer1;
    QTimer m_limit;
    int m_timeoutMs = DefaultTimeoutMs;
    qint64 m_maxUnannounced = DefaultMaxUnannouncedBytes;
    bool m_sizeAnnounced = false;
    bool m_busy = false;
    bool m_finalOk = false;
    bool m_dataOpened = false;
    bool m_dataClosed = false;
};
