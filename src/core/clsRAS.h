#pragma once

#include "core/mdlRegistry.h"

#include <QString>
#include <QVariant>

#include <cstdint>

// Dial-up connections of the system: test for a live connection, dial the default
// entry, hang up. Callers create one, use it once and let it go; the connection
// found by IsConnected lives only as long as the object.
class clsRAS
{
public:
    // true when a connection is active; remembers it for ISPHangup.
    bool IsConnected();
    // Starts dialing the default entry without waiting. Nothing useful is returned.
    QVariant ISPCall();
    // Hangs up when IsConnected is true; silent when there is no connection.
    QVariant ISPHangup();

    // The texts that tell the user dialing or hanging up is not set up here.
    static QString dialUnavailableText();
    static QString hangUpUnavailableText();

private:
    QString ReadRegString(mdlRegistry::HKEY hive, const QString& keyPath, const QString& valueName);
    bool HangUp();

    std::int32_t m_hConnection = 0;  // non-zero once IsConnected found a live connection
};
