#include "Dialer.h"

#include "Codec.h"
#include "RegistryStore.h"

#include <QFile>
#include <QProcess>
#include <QStringList>

namespace {

QString readText(const QString& key, const QString& name)
{
    const auto value = RegistryStore::queryValue(key, name);
    if (!value || value->type != RegistryStore::REG_SZ)
        return QString();
    QByteArray data = value->data;
    const int zero = data.indexOf('\0');
    if (zero >= 0)
        data.truncate(zero);
    return fromCp1252(data);
}

QString command(const char* name)
{
    return readText(QString::fromLatin1(Dialer::ProductKey), QString::fromLatin1(name)).trimmed();
}

// Starts "program args..." with entry appended, without waiting; the command text is
// split like a shell would split plain words and quotes, but no shell runs it.
bool startCommand(const QString& commandLine, const QString& entry)
{
    QStringList args = QProcess::splitCommand(commandLine);
    if (args.isEmpty())
        return false;
    const QString program = args.takeFirst();
    if (!entry.isEmpty())
        args << entry;
    return QProcess::startDetached(program, args);
}

class RealProbe : public Dialer::Probe
{
public:
    int activeConnections() override { return Dialer::countDefaultRoutes(); }
    QString defaultEntry() override { return readText(QStringLiteral("RemoteAccess"), QStringLiteral("Default")); }
    bool dial(const QString& entry) override
    {
        const QString cmd = command("DialCommand");
        return !cmd.isEmpty() && startCommand(cmd, entry);
    }
    bool hangUp() override
    {
        const QString cmd = command("HangupCommand");
        return !cmd.isEmpty() && startCommand(cmd, defaultEntry());
    }
    bool isConnected() override { return Dialer::countDefaultRoutes() > 0; }
    bool canDial() override { return !command("DialCommand").isEmpty(); }
    bool canHangUp() override { return !command("HangupCommand").isEmpty(); }
};

RealProbe& realProbe()
{
    static RealProbe probe;
    return probe;
}

Dialer::Probe* g_installed = nullptr;

} // namespace

namespace Dialer {

Probe& probe() { return g_installed ? *g_installed : realProbe(); }

void install(Probe* p) { g_installed = p; }

int countDefaultRoutes()
{
    QFile v4(QStringLiteral("/proc/net/route"));
    QFile v6(QStringLiteral("/proc/net/ipv6_route"));
    return countDefaultRoutes(v4.open(QIODevice::ReadOnly) ? v4.readAll() : QByteArray(),
                              v6.open(QIODevice::ReadOnly) ? v6.readAll() : QByteArray());
}

int countDefaultRoutes(const QByteArray& ipv4Routes, const QByteArray& ipv6Routes)
{
    int count = 0;
    // IPv4: "Iface Destination Gateway Flags RefCnt Use Metric Mask ..." in hex, one
    // header line; destination and mask 00000000 is a default route, flag 0x1 says it is up.
    const QList<QByteArray> lines4 = ipv4Routes.split('\n');
    for (int i = 1; i < lines4.size(); ++i) {
        const QList<QByteArray> f = lines4[i].simplified().split(' ');
        if (f.size() < 8 || f[1] != "00000000" || f[7] != "00000000")
            continue;
        bool ok = false;
        const uint flags = f[3].toUInt(&ok, 16);
        if (ok && (flags & 0x1))
            ++count;
    }
    // IPv6: "dest plen src plen next-hop metric refcnt use flags iface", no header; a
    // default route has destination ::/0, is up (0x1) and is no reject route (0x200).
    for (const QByteArray& line : ipv6Routes.split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        if (f.size() < 10 || f[0] != QByteArray(32, '0') || f[1] != "00" || f[9] == "lo")
            continue;
        bool ok = false;
        const uint flags = f[8].toUInt(&ok, 16);
        if (ok && (flags & 0x1) && !(flags & 0x200))
            ++count;
    }
    return count;
}

} // namespace Dialer
