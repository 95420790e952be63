#include "SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <memory>

namespace {

std::unique_ptr<QLockFile>& lock()
{
    static std::unique_ptr<QLockFile> l;
    return l;
}

} // namespace

namespace SingleInstance {

QString lockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        folder = QDir::tempPath();
    return folder + QStringLiteral("/tradewright.lock");
}

bool acquire()
{
    auto& l = lock();
    if (l && l->isLocked())
        return true;
    l = std::make_unique<QLockFile>(lockPath());
    // A lock whose owner process is gone is removed by tryLock itself; an old one
    // from a copy that hangs is not taken over.
    l->setStaleLockTime(0);
    if (l->tryLock(0))
        return true;
    l.reset();
    return false;
}

void release()
{
    auto& l = lock();
    if (l)
        l->unlock();
    l.reset();
}

} // namespace SingleInstance
