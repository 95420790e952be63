#include "core/VersionCheck.h"

#include "core/Misc.h"
#include "platform/AppPath.h"
#include "platform/Codec.h"
#include "platform/Dialogs.h"
#include "platform/HttpReply.h"
#include "platform/Sites.h"
#include "platform/Socket.h"

#include <QEventLoop>
#include <QTimer>

const char* const VersionCheck::Marker = "New version Available";

VersionCheck::VersionCheck(QObject* parent)
    : QObject(parent)
    , m_socket(new Socket(this))
{
    connect(m_socket, &Socket::Connected, this, &VersionCheck::Winsock1_Connect);
    connect(m_socket, &Socket::DataArrival, this, &VersionCheck::Winsock1_DataArrival);
    connect(m_socket, &Socket::Closed, this, &VersionCheck::Winsock1_Close);
    connect(m_socket, &Socket::Error, this, &VersionCheck::Winsock1_Error);
}

VersionCheck::~VersionCheck()
{
    end();
}

QString VersionCheck::LocalFile() const
{
    return AppPath() + QStringLiteral("/Trw55.txt");
}

QString VersionCheck::RequestAddress() const
{
    return QStringLiteral("http://") + Sites::HostAndPath(Site::Maker, QStringLiteral("/Trw55.txt"));
}

VersionCheck::Result VersionCheck::Run()
{
    if (m_loop)
        return Result::Failed;  // a check is already running
    if (!AskConnect())
        return Result::Declined;
    if (!Sites::IsSet(Site::Maker)) {
        Dialogs::MsgBox(Sites::NotSetText({Site::Maker}), Dialogs::vbOKOnly);
        return Result::Failed;
    }
    m_socket->Close();
    m_reply.clear();
    m_closed = m_failed = false;
    m_socket->Connect(Sites::Host(Site::Maker), Sites::Port(Site::Maker));

    QEventLoop loop;
    m_loop = &loop;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, this, [this] {
        if (m_closed || m_failed)
            return;
        m_socket->Close();
        m_failed = true;
        Dialogs::MsgBox(QStringLiteral("Error Connection timed out %1").arg(Socket::sckTimedout), Dialogs::vbOKOnly);
        end();
    });
    limit.start(m_timeoutMs);
    if (!m_closed && !m_failed)
        loop.exec();
    m_loop = nullptr;

    if (m_failed || !m_closed)
        return Result::Failed;
    // An error page or a close before any byte is a failed check, not "no upgrade":
    // the user is told what came back. A reply without a status line is read as it is.
    const QString failure = ReplyFailure(m_reply);
    if (!failure.isEmpty()) {
        Dialogs::MsgBox(QStringLiteral("Error ") + failure, Dialogs::vbOKOnly);
        return Result::Failed;
    }
    if (m_reply.contains(Marker))
        return Result::Upgrade;
    Dialogs::MsgBox(QStringLiteral("You have the last version."), Dialogs::vbInformation,
                    QStringLiteral("No Upgrade Available"));
    return Result::NoUpgrade;
}

QString VersionCheck::ReplyFailure(const QByteArray& reply)
{
    if (reply.isEmpty())
        return QStringLiteral("No reply");
    const int status = HttpReply::FactsOfRaw(reply).status;
    if (status == 0 || (status >= 200 && status < 300))
        return QString();
    // The status line ends at the first line break of either kind.
    qsizetype lineEnd = 0;
    while (lineEnd < reply.size() && reply[lineEnd] != '\r' && reply[lineEnd] != '\n')
        ++lineEnd;
    return fromCp1252(reply.left(lineEnd)).trimmed();
}

void VersionCheck::end()
{
    if (m_loop)
        m_loop->quit();
}

void VersionCheck::Winsock1_Connect()
{
    m_reply.clear();
    m_socket->SendData(HttpReply::SocketRequest(toCp1252(RequestAddress())));
}

void VersionCheck::Winsock1_DataArrival(qint64)
{
    QByteArray data;
    m_socket->GetData(data);
    m_reply += data;
}

void VersionCheck::Winsock1_Close()
{
    // The reply is kept as it came; a file that cannot be written changes nothing.
    WriteFileAtomic(LocalFile(), m_reply);
    m_socket->Close();
    m_closed = true;
    end();
}

void VersionCheck::Winsock1_Error(int number, const QString& description)
{
    m_socket->Close();
    if (m_closed || m_failed)
        return;
    m_failed = true;
    Dialogs::MsgBox(QStringLiteral("Error ") + description + u' ' + QString::number(number), Dialogs::vbOKOnly);
    end();
}
