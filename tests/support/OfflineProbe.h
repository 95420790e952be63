#pragma once

#include "platform/Dialer.h"

namespace test {

// No dial-up line is up and none can be dialed: with "Prompt" set the connection
// check asks to dial and answers false.
class OfflineProbe : public Dialer::Probe
{
public:
    int activeConnections() override { return 0; }
    QString defaultEntry() override { return QString(); }
    bool dial(const QString&) override { return false; }
    bool hangUp() override { return false; }
    bool isConnected() override { return false; }
};

} // namespace test
