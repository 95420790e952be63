#include "SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// The lock is the system's own lock on the open file (flock), held as long as the
// file stays open: the system gives it up when the process ends, however it ends, so
// a copy that crashed leaves nothing to clear and a copy that hangs keeps it. Nothing
// is written or flushed to disk to take it, which a lock file of contents would need
// on every start.
namespace {

struct Held
{
    int fd = -1;
    QByteArray path;

    // Removed while still held, so no copy waiting on this file takes a lock on a
    // file that is gone (it finds the name gone and tries again).
    void release()
    {
        if (fd < 0)
            return;
        ::unlink(path.constData());
        ::close(fd);
        fd = -1;
        path.clear();
    }
    ~Held() { release(); }  // at exit
};

Held& held()
{
    static Held h;
    return h;
}

// The open file is still the one the name stands for: a holder that gave the lock up
// removed the file, and a copy that locked it in between locked a file no one finds.
bool stillNamed(int fd, const QByteArray& path)
{
    struct stat open{}, named{};
    return ::fstat(fd, &open) == 0 && ::stat(path.constData(), &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
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
    Held& h = held();
    if (h.fd >= 0)
        return true;
    const QByteArray path = QFile::encodeName(lockPath());
    for (int attempt = 0; attempt < 8; ++attempt) {
        int fd = -1;
        do
            fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        while (fd < 0 && errno == EINTR);
        if (fd < 0)
            return false;
        int rc = -1;
        do
            rc = ::flock(fd, LOCK_EX | LOCK_NB);
        while (rc != 0 && errno == EINTR);
        if (rc != 0) {
            ::close(fd);
            return false;  // another copy holds it
        }
        if (stillNamed(fd, path)) {
            h.fd = fd;
            h.path = path;
            return true;
        }
        ::close(fd);  // removed under us: lock the file that stands there now
    }
    return false;
}

void release()
{
    held().release();
}

} // namespace SingleInstance
