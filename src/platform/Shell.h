#pragma once

#include <QString>

#include <functional>

// Opening an address or a file with the desktop (the default browser, mail
// program or media player). Only http, https, ftp, mailto, the media stream
// schemes the program's own links use (mms, rtsp, pnm) and files below the
// program folder's Cache/Reports are opened; anything else is refused and
// reported to the refusal handler (the error log), never executed.
namespace Shell {

class Backend
{
public:
    virtual ~Backend() = default;
    virtual bool open(const QString& target) = 0;
};

bool IsAllowed(const QString& target);
// true when the address was handed to the desktop.
bool Open(const QString& target);

// install(nullptr) restores the real backend (QDesktopServices). Tests install a recorder.
void install(Backend* backend);
void setRefusalHandler(std::function<void(const QString& target)> handler);

} // namespace Shell
