#pragma once

#include <QByteArray>
#include <QString>

// Dial-up connections. On this system a connection counts as active when the
// system has a default route; dialing and hanging up run the commands named by the
// settings "DialCommand" and "HangupCommand" under the product key (the entry name
// as their one argument). With no command configured, dialing and hanging up are
// not available (canDial()/canHangUp() false) and do nothing.
namespace Dialer {

class Probe
{
public:
    virtual ~Probe() = default;
    virtual int activeConnections() = 0;
    // The default dial-up entry: text value "Default" of key "RemoteAccess"; "" when none.
    virtual QString defaultEntry() = 0;
    // Starts dialing entry without waiting for it; false when nothing was started.
    virtual bool dial(const QString& entry) = 0;
    // Hangs up the connection; true when the hang-up was started.
    virtual bool hangUp() = 0;
    virtual bool isConnected() = 0;
    virtual bool canDial() { return true; }
    virtual bool canHangUp() { return true; }
};

// The probe in use: the real one unless a test installed another.
Probe& probe();
// install(nullptr) restores the real probe. The caller keeps ownership.
void install(Probe* probe);

// The real probe's pieces, usable on their own.
int countDefaultRoutes();  // IPv4 and IPv6 default routes that are up
// The same over the texts of /proc/net/route and /proc/net/ipv6_route.
int countDefaultRoutes(const QByteArray& ipv4Routes, const QByteArray& ipv6Routes);
inline constexpr const char* ProductKey = "Software\\Orvane\\Tradewright5";

} // namespace Dialer
