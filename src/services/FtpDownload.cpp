#include "services/FtpDownload.h"

#include "core/Misc.h"
#include "core/clsSaveDialog.h"
#include "platform/Dialogs.h"
#include "platform/Runtime.h"
#include "platform/Sites.h"
#include "platform/Socket.h"

#include <QHostAddress>

#include <limits>

const char* const FtpDownload::ArchiveName = "Trw504U.zip";
const char* const FtpDownload::DoneText = "Download complate.\r\nClose Tradewright, unzip Trw504U.zip and run setup.exe";

namespace {

const QString ErrorTitle = QStringLiteral("FTPget");

// A dotted IPv4 address of either form Qt may report ("::ffff:127.0.0.1" too); "" for
// any other address.
QString ipv4(const QString& address)
{
    bool ok = false;
    const quint32 v4 = QHostAddress(address).toIPv4Address(&ok);
    return ok ? QHostAddress(v4).toString() : QString();
}

} // namespace

FtpDownload::FtpDownload(QObject* parent)
    : QObject(parent)
    , m_control(new Socket(this))
    , m_listener(new Socket(this))
    , m_data(new Socket(this))
{
    connect(m_control, &Socket::DataArrival, this, &FtpDownload::Winsock1_DataArrival);
    connect(m_control, &Socket::Closed, this, &FtpDownload::Winsock1_Close);
    connect(m_control, &Socket::Error, this, &FtpDownload::Winsock1_Error);
    connect(m_listener, &Socket::ConnectionRequest, this, &FtpDownload::Winsock2_ConnectionRequest);
    connect(m_listener, &Socket::Error, this, &FtpDownload::Data_Error);
    connect(m_data, &Socket::DataArrival, this, &FtpDownload::Data_DataArrival);
    connect(m_data, &Socket::Closed, this, &FtpDownload::Data_Close);
    connect(m_data, &Socket::Error, this, &FtpDownload::Data_Error);
    m_timer1.setInterval(1000);
    connect(&m_timer1, &QTimer::timeout, this, &FtpDownload::Timer1_Timer);
    m_timer1.start();  // runs from the window's opening
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, [this] {
        fail(QStringLiteral("Error! The server did not answer in time; the download was stopped."), ErrorTitle);
    });
}

FtpDownload::~FtpDownload()
{
    Abort();
}

QString FtpDownload::RateNumber(double value)
{
    QString text = rt::DoubleText(value);
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0.")))
        text.remove(1, 1);
    return text;
}

qint64 FtpDownload::AnnouncedSize(const QString& reply)
{
    const qsizetype open = reply.indexOf(QLatin1Char('('));
    const QString rest = open < 0 ? reply : reply.mid(open + 1);
    qsizetype i = 0;
    while (i < rest.size() && rest[i] == QLatin1Char(' '))
        ++i;
    qint64 value = 0;
    for (; i < rest.size() && rest[i] >= QLatin1Char('0') && rest[i] <= QLatin1Char('9'); ++i) {
        if (value > (std::numeric_limits<qint64>::max() - 9) / 10)
            return 0;
        value = value * 10 + (rest[i].unicode() - '0');
    }
    return value;
}

bool FtpDownload::SizeAnnounced(const QString& reply)
{
    const qsizetype open = reply.indexOf(QLatin1Char('('));
    if (open < 0)
        return false;
    qsizetype i = open + 1;
    while (i < reply.size() && reply[i] == QLatin1Char(' '))
        ++i;
    return i < reply.size() && reply[i] >= QLatin1Char('0') && reply[i] <= QLatin1Char('9');
}

bool FtpDownload::StartDownload()
{
    if (m_busy)
        return false;
    if (!AskConnect())
        return false;
    StartEnabled = false;
    FtpHost = Sites::Host(Site::UpgradeFtp);
    FtpPort = Sites::Port(Site::UpgradeFtp);
    FtpUser = QStringLiteral("anonymous");
    FtpPassword = QStringLiteral("z@nowhere.test");
    emit changed();

    clsSaveDialog dialog;
    dialog.setDialogTitle(QStringLiteral("Tradewright Upgrade"));
    dialog.setDefaultFileName(QString::fromLatin1(ArchiveName));
    dialog.setDefaultExtension(QStringLiteral("zip"));
    dialog.AddFilter(QStringLiteral("Zip File"), QStringLiteral("zip"));
    dialog.ShowSave();
    if (dialog.FileName().isEmpty())
        return false;  // "Start Download" stays disabled
    ArchivePath = dialog.PathFile();
    RemotePath = QStringLiteral("/orvane/Trw504U.zip");

    FtpDialogue = {{{QStringLiteral("220"), QStringLiteral("USER ") + FtpUser},
                    {QStringLiteral("331"), QStringLiteral("PASS ") + FtpPassword},
                    {QStringLiteral("230"), QStringLiteral("TYPE I")},
                    {QStringLiteral("200"), QStringLiteral("PORT ")},
                    {QStringLiteral("200"), QStringLiteral("RETR ") + RemotePath}}};
    ReplyStep = 0;
    TotalBytes = 0;
    BytesReceived = 0;
    BytesAtLastTick = 0;
    m_finalOk = m_dataOpened = m_dataClosed = m_sizeAnnounced = false;
    m_reader.clear();

    m_control->Close();
    m_listener->Close();
    m_data->Close();
    // The system picks the data port: a free one, never a privileged one.
    m_listener->setLocalPort(0);
    if (!m_listener->Listen() || m_listener->LocalPort() < 1024) {
        m_listener->Close();
        Dialogs::MsgBox(QStringLiteral("Error! No port for the data connection could be opened."),
                        Dialogs::vbCritical, ErrorTitle);
        return false;
    }
    // The chosen file is replaced only when the download is done.
    m_file = std::make_unique<QSaveFile>(ArchivePath);
    if (!m_file->open(QIODevice::WriteOnly)) {
        m_file.reset();
        m_listener->Close();
        Dialogs::MsgBox(QStringLiteral("Error! ") + ArchivePath + QStringLiteral(" cannot be written."),
                        Dialogs::vbCritical, ErrorTitle);
        return false;
    }
    m_busy = true;
    m_control->Connect(FtpHost, FtpPort);
    touch();
    return true;
}

void FtpDownload::touch()
{
    if (m_busy)
        m_limit.start(m_timeoutMs);
}

void FtpDownload::Winsock1_DataArrival(qint64)
{
    QByteArray bytes;
    m_control->GetData(bytes);
    if (!m_busy)
        return;
    touch();
    m_reader.feed(bytes);
    while (m_busy && m_reader.hasReply())
        handleReply(m_reader.takeReply());
    if (m_busy && m_reader.tooLong())
        fail(QStringLiteral("Error! The server's reply is too long."), ErrorTitle);
}

void FtpDownload::sendRow()
{
    DialogueRow& row = FtpDialogue[std::size_t(ReplyStep)];
    if (ReplyStep == 3) {
        const QString address = ipv4(m_control->LocalIP());
        if (address.isEmpty()) {
            fail(QStringLiteral("Error! The connection has no IPv4 address to announce."), ErrorTitle);
            return;
        }
        const int port = m_listener->LocalPort();
        row.Command = QStringLiteral("PORT ") + QString(address).replace(QLatin1Char('.'), QLatin1Char(',')) +
                      u',' + QString::number(port / 256) + u',' + QString::number(port % 256);
    }
    m_control->SendData(row.Command + rt::CrLf);
    Text1 += row.Command + rt::CrLf;
    ++ReplyStep;
    emit changed();
}

void FtpDownload::handleReply(const QString& reply)
{
    const QString code = reply.left(3);
    const bool preliminary = reply.startsWith(QLatin1Char('1'));
    const auto refuse = [&] { fail(QStringLiteral("Error! ") + reply, ErrorTitle); };
    if (ReplyStep < 5) {
        if (code == FtpDialogue[std::size_t(ReplyStep)].ReplyCode)
            sendRow();
        else if (!preliminary)
            refuse();
    } else if (ReplyStep == 5) {
        if (reply.startsWith(QLatin1String("150 ")) || code == QLatin1String("125")) {
            if (reply.startsWith(QLatin1String("150 "))) {
                TotalBytes = AnnouncedSize(reply);
                m_sizeAnnounced = SizeAnnounced(reply);
            }
            m_timer1.start();
            ++ReplyStep;
            emit changed();
            tooMany();  // bytes may have come before this reply
        } else if (!preliminary) {
            refuse();
        }
    } else if (ReplyStep == 6) {
        if (code == QLatin1String("226") || code == QLatin1String("250")) {
            m_finalOk = true;
            ++ReplyStep;
            tryFinish();
        } else if (!preliminary) {
            refuse();
        }
    }
}

void FtpDownload::Winsock1_Close()
{
    if (!m_busy) {
        m_control->Close();
        return;
    }
    // A last reply without its line end still counts.
    m_reader.close();
    while (m_busy && m_reader.hasReply())
        handleReply(m_reader.takeReply());
    if (!m_busy)
        return;
    m_control->Close();
    if (m_finalOk)
        return;  // the data connection may still be delivering; tryFinish decides
    fail(QStringLiteral("Error! The server closed the connection before the download ended."), ErrorTitle);
}

void FtpDownload::Winsock1_Error(int number, const QString& description)
{
    if (!m_busy)
        return;
    fail(QStringLiteral("Error Number:") + QString::number(number) + rt::CrLf + QStringLiteral("Description: ") +
             description,
         ErrorTitle);
}

void FtpDownload::Winsock2_ConnectionRequest(qintptr requestID)
{
    if (!m_busy || m_dataOpened)
        return;
    if (!m_data->Accept(requestID))
        return;
    // Only the server's own address may deliver the file.
    if (ipv4(m_data->RemoteHostIP()).isEmpty() || ipv4(m_data->RemoteHostIP()) != ipv4(m_control->RemoteHostIP())) {
        m_data->Close();
        return;
    }
    m_dataOpened = true;
    m_listener->Close();
    touch();
}

void FtpDownload::Data_DataArrival(qint64)
{
    QByteArray bytes;
    m_data->GetData(bytes);
    if (!m_busy || bytes.isEmpty())
        return;
    touch();
    BytesReceived += bytes.size();
    if (tooMany())
        return;
    if (m_file->write(bytes) != bytes.size()) {
        fail(QStringLiteral("Error! ") + ArchivePath + QStringLiteral(" cannot be written."), ErrorTitle);
        return;
    }
    Label1 = QString::number(BytesReceived) + QStringLiteral(" / ") + QString::number(TotalBytes);
    emit changed();
}

void FtpDownload::Data_Close()
{
    m_data->Close();
    if (!m_busy)
        return;
    m_dataClosed = true;
    touch();
    tryFinish();
}

void FtpDownload::Data_Error(int number, const QString& description)
{
    if (!m_busy)
        return;
    fail(QStringLiteral("Error Number:") + QString::number(number) + rt::CrLf + QStringLiteral("Description: ") +
             description,
         QString());
}

void FtpDownload::tryFinish()
{
    if (!m_busy || !m_finalOk || !m_dataClosed)
        return;
    if (m_sizeAnnounced && BytesReceived != TotalBytes) {
        fail(QStringLiteral("Error! The file is incomplete: ") + QString::number(BytesReceived) +
                 QStringLiteral(" of ") + QString::number(TotalBytes) + QStringLiteral(" bytes arrived."),
             ErrorTitle);
        return;
    }
    if (!m_file->commit()) {
        fail(QStringLiteral("Error! ") + ArchivePath + QStringLiteral(" cannot be written."), ErrorTitle);
        return;
    }
    m_file.reset();
    stop();
    Dialogs::MsgBox(QString::fromLatin1(DoneText), Dialogs::vbInformation, QStringLiteral("Done"));
    emit finished(true);
}

void FtpDownload::stop()
{
    m_busy = false;
    m_timer1.stop();
    m_limit.stop();
    m_control->Close();
    m_listener->Close();
    m_data->Close();
}

bool FtpDownload::tooMany()
{
    if (m_sizeAnnounced && BytesReceived > TotalBytes) {
        fail(QStringLiteral("Error! The server sent more than the announced ") + QString::number(TotalBytes) +
                 QStringLiteral(" bytes."),
             ErrorTitle);
        return true;
    }
    if (!m_sizeAnnounced && BytesReceived > m_maxUnannounced) {
        fail(QStringLiteral("Error! The server announced no size and sent more than ") +
                 QString::number(m_maxUnannounced) + QStringLiteral(" bytes."),
             ErrorTitle);
        return true;
    }
    return false;
}

void FtpDownload::dropFile()
{
    // The temporary file goes; the chosen file stays as it was.
    if (m_file) {
        m_file->cancelWriting();
        m_file.reset();
    }
}

void FtpDownload::fail(const QString& message, const QString& title)
{
    if (!m_busy)
        return;
    stop();
    dropFile();
    Dialogs::MsgBox(message, Dialogs::vbCritical, title);
    emit finished(false);
}

void FtpDownload::Abort()
{
    if (!m_busy)
        return;
    stop();
    dropFile();
}

void FtpDownload::Timer1_Timer()
{
    const qint64 delta = BytesReceived - BytesAtLastTick;
    Label2 = RateNumber(double(delta) / 1024.0) + QStringLiteral(" KB/s");
    Label3 = delta < 1 ? QStringLiteral("Dun")
                       : RateNumber(double(TotalBytes - BytesReceived) / double(delta)) + QStringLiteral(" Sec left.");
    BytesAtLastTick = BytesReceived;
    emit changed();
}
