#pragma once

// The two mail servers of the mail tests, both on 127.0.0.1: a scripted one inside
// the test (exact client bytes, replies in pieces, refusals, silence) and a real one
// from Debian's aiosmtpd, started as a separate process that keeps what it takes in
// a temporary folder.

#include <QDir>
#include <QFile>
#include <QMap>
#include <QPointer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

// A mail server that answers from a script. Each answer is a list of pieces sent
// 40 ms apart, so a reply can be split anywhere; an empty list means no answer at
// all. It records every byte the client sends and whether the client spoke while a
// reply was still coming in. The piece "<close>" hangs up instead.
class ScriptedSmtpServer
{
public:
    enum class OnConnect { Greet, CloseAtOnce, StaySilent };

    OnConnect onConnect = OnConnect::Greet;
    // Keys: "greeting", "helo", "mail", "rcpt", "data", "end" (after the end mark), "quit".
    QMap<QString, QList<QByteArray>> replies{
        {"greeting", {"220 scripted.test ready\r\n"}},
        {"helo", {"250 scripted.test\r\n"}},
        {"mail", {"250 sender ok\r\n"}},
        {"rcpt", {"250 recipient ok\r\n"}},
        {"data", {"354 end data with <CR><LF>.<CR><LF>\r\n"}},
        {"end", {"250 queued as 42\r\n"}},
        {"quit", {"221 bye\r\n"}},
    };
    QByteArray received;
    bool spokeDuringReply = false;
    int connections = 0;

    ScriptedSmtpServer()
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] { accept(); });
        m_server.listen(QHostAddress::LocalHost, 0);
    }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort()); }
    quint16 port() const { return m_server.serverPort(); }

private:
    void accept()
    {
        QTcpSocket* client = m_server.nextPendingConnection();
        client->setParent(&m_server);
        ++connections;
        m_client = client;
        QObject::connect(client, &QTcpSocket::readyRead, client, [this, client] { read(client); });
        if (onConnect == OnConnect::CloseAtOnce)
            client->disconnectFromHost();
        else if (onConnect == OnConnect::Greet)
            reply(QStringLiteral("greeting"));
    }

    void read(QTcpSocket* client)
    {
        const QByteArray data = client->readAll();
        received += data;
        if (m_replying)
            spokeDuringReply = true;
        m_buffer += data;
        qsizetype end;
        while ((end = m_buffer.indexOf("\r\n")) >= 0) {
            const QByteArray line = m_buffer.left(end);
            m_buffer.remove(0, end + 2);
            if (m_inData) {
                if (line == ".") {
                    m_inData = false;
                    reply(QStringLiteral("end"));
                }
                continue;
            }
            const QString word = QString::fromLatin1(line.split(' ').value(0)).toLower();
            reply(word);
            if (word == QLatin1String("data") && replies.value(word).value(0).startsWith("354"))
                m_inData = true;
        }
    }

    void reply(const QString& key)
    {
        const QList<QByteArray> pieces = replies.value(key);
        const bool closeAfter = key == QLatin1String("quit");
        for (int i = 0; i < pieces.size(); ++i) {
            QTimer::singleShot(40 * i, &m_server, [this, pieces, i, closeAfter] {
                if (!m_client)
                    return;
                if (pieces[i] == "<close>") {  // hang up instead of answering
                    m_client->disconnectFromHost();
                    return;
                }
                m_client->write(pieces[i]);
                m_client->flush();
                m_replying = i + 1 < pieces.size();
                if (!m_replying && closeAfter)
                    m_client->disconnectFromHost();
            });
        }
        m_replying = pieces.size() > 1;
    }

    QTcpServer m_server;
    QPointer<QTcpSocket> m_client;
    QByteArray m_buffer;
    bool m_inData = false;
    bool m_replying = false;
};

// The real mail server: tests/fixtures/services/smtp_sink.py run by /usr/bin/python3
// (another python3 may come first on PATH). Every message taken is written to the
// folder as <n>.env (envelope sender, then the recipients) and <n>.eml (its bytes).
class SmtpSink
{
public:
    ~SmtpSink() { stop(); }

    // Why the sink cannot run on this machine ("" when it can): without aiosmtpd
    // the tests that need it skip; scripts/setup installs it.
    static QString unavailable()
    {
        QProcess probe;
        probe.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import aiosmtpd")});
        if (!probe.waitForStarted(10000))
            return QStringLiteral("/usr/bin/python3 is missing");
        if (!probe.waitForFinished(20000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
            return QStringLiteral("python3-aiosmtpd is not installed (scripts/setup installs it)");
        return QString();
    }

    // Starts the sink and waits for the port it listens on; "" on success, else why not.
    QString start()
    {
        if (!m_folder.isValid())
            return QStringLiteral("no temporary folder");
        m_process.setProgram(QStringLiteral("/usr/bin/python3"));
        m_process.setArguments({QStringLiteral(TW_FIXTURES "/services/smtp_sink.py"), m_folder.path()});
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.start();
        if (!m_process.waitForStarted(10000))
            return QStringLiteral("the mail sink did not start");
        QByteArray firstLine;
        while (!firstLine.contains('\n') && m_process.waitForReadyRead(15000))
            firstLine += m_process.readAllStandardOutput();
        m_port = firstLine.trimmed().toInt();
        if (m_port <= 0)
            return QStringLiteral("the mail sink did not listen: ") + QString::fromLocal8Bit(m_process.readAllStandardError());
        return QString();
    }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.closeWriteChannel();  // the sink stops when its input closes
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    QString server() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    QString folder() const { return m_folder.path(); }
    QByteArray file(const QString& name) const
    {
        QFile f(QDir(m_folder.path()).filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    int messageCount() const { return int(QDir(m_folder.path()).entryList({QStringLiteral("*.eml")}).size()); }

private:
    QTemporaryDir m_folder;
    QProcess m_process;
    int m_port = 0;
};
