#include "platform/AppPath.h"

#include "platform/Dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRandomGenerator>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>
#include <optional>
#include <cerrno>
#include <cstring>
#include <ctime>

#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

const QLatin1String kSaveTempMark(".tw-save-");
constexpr int kSaveTempLetters = 6;
// ReplacePage's scratch file: a name of ReplaceFile's pattern, so a crash's leftover
// is cleared with the others.
const QLatin1String kPageScratch(".page.tw-save-reused");

bool isTempLetter(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9');
}

QString saveTempSuffix()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString suffix = kSaveTempMark;
    for (int i = 0; i < kSaveTempLetters; ++i)
        suffix += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
    return suffix;
}

QString& overridePath()
{
    static QString path;
    return path;
}

QString cleanFolder(QString path)
{
    path.replace(u'\\', u'/');
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

// One index per folder the resolver has looked into: each name in lower case to the
// spellings stored on disk (sorted; usually one). It is built by one listing and kept
// current by the program's own writes and deletes (ReplaceFile, RemoveFile); it is
// listed again when the folder's modification time (to the nanosecond) is not the one
// the index last saw, so a change made by another program is seen. An index listed in
// the same clock tick as the folder's last change may miss a change made later in that
// tick: it is listed once more on its next use. A name the index gives is checked on
// disk before it is used, so a deleted file is never returned. (A change by another
// program in the very tick of the program's own write there is seen at the folder's
// next change.)
struct FolderIndex {
    QHash<QString, QStringList> spellings;
    timespec mtime{};
    bool listedInTick = false;
};

struct FolderIndexes {
    QMutex mutex;
    QHash<QString, FolderIndex> folders;
};

FolderIndexes& folderIndexes()
{
    static FolderIndexes indexes;
    return indexes;
}

QString folderKey(const QString& folder)
{
    const QString dir = folder.isEmpty() ? QStringLiteral(".") : folder;
    return QDir::cleanPath(dir.startsWith(u'/') ? dir : QDir::currentPath() + u'/' + dir);
}

bool folderTime(const QString& key, timespec* mtime)
{
    struct stat st {};
    if (::stat(QFile::encodeName(key).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    *mtime = st.st_mtim;
    return true;
}

bool sameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Whether a change made after this moment could still carry the folder's present
// time: the file system stamps from a clock that moves in ticks (whole seconds when
// it keeps no fraction).
bool sameTick(const timespec& mtime)
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const qint64 tickNs = mtime.tv_nsec == 0 ? 1000000000LL : 20000000LL;
    const qint64 ageNs = (qint64(now.tv_sec) - mtime.tv_sec) * 1000000000LL + (now.tv_nsec - mtime.tv_nsec);
    return ageNs < tickNs;
}

void addSpelling(QStringList& list, const QString& name)
{
    const auto at = std::lower_bound(list.begin(), list.end(), name);
    if (at == list.end() || *at != name)
        list.insert(at, name);
}

// The folder's index, listed again when it is not current. Null when the folder
// cannot be read. The caller holds the mutex.
FolderIndex* currentIndex(const QString& key)
{
    FolderIndexes& all = folderIndexes();
    timespec mtime{};
    if (!folderTime(key, &mtime)) {
        all.folders.remove(key);
        return nullptr;
    }
    auto it = all.folders.find(key);
    if (it != all.folders.end() && sameTime(it->mtime, mtime) && !it->listedInTick)
        return &*it;
    FolderIndex index;
    index.mtime = mtime;
    index.listedInTick = sameTick(mtime);
    const QStringList entries =
        QDir(key).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    index.spellings.reserve(entries.size());
    for (const QString& entry : entries)
        addSpelling(index.spellings[entry.toLower()], entry);
    return &*all.folders.insert(key, std::move(index));
}

// The entry of 'folder' whose name equals 'name' without regard to case; the
// exact spelling wins when both exist.
QString matchEntry(const QString& folder, const QString& name, bool knownMissing = false)
{
    const QString dir = folder.isEmpty() ? QStringLiteral(".") : folder;
    if (!knownMissing && QFileInfo::exists(dir + u'/' + name))
        return name;
    FolderIndexes& all = folderIndexes();
    const QMutexLocker lock(&all.mutex);
    FolderIndex* index = currentIndex(folderKey(folder));
    if (!index)
        return QString();
    const QString lower = name.toLower();
    auto it = index->spellings.constFind(lower);
    if (it != index->spellings.constEnd() && !it->isEmpty() && !QFileInfo::exists(dir + u'/' + it->first())) {
        index->mtime = timespec{};  // gone behind the index's back: list the folder again
        index = currentIndex(folderKey(folder));
        if (!index)
            return QString();
        it = index->spellings.constFind(lower);
    }
    return it == index->spellings.constEnd() || it->isEmpty() ? QString() : it->first();
}

// Keeps a folder's index current across the program's own change of one entry:
// made before the change, done() after it. An index already out of date before
// the change is dropped (the next use lists the folder).
class IndexedChange {
public:
    explicit IndexedChange(const QString& path)
        : m_key(folderKey(QFileInfo(path).path())), m_name(QFileInfo(path).fileName())
    {
        FolderIndexes& all = folderIndexes();
        const QMutexLocker lock(&all.mutex);
        const auto it = all.folders.find(m_key);
        if (it == all.folders.end())
            return;
        timespec mtime{};
        m_current = folderTime(m_key, &mtime) && sameTime(mtime, it->mtime);
        if (!m_current)
            all.folders.erase(it);
    }

    void done(bool exists)
    {
        if (!m_current)
            return;
        FolderIndexes& all = folderIndexes();
        const QMutexLocker lock(&all.mutex);
        const auto it = all.folders.find(m_key);
        timespec mtime{};
        if (it == all.folders.end())
            return;
        if (!folderTime(m_key, &mtime)) {
            all.folders.erase(it);
            return;
        }
        if (exists) {
            addSpelling(it->spellings[m_name.toLower()], m_name);
        } else {
            const auto entry = it->spellings.find(m_name.toLower());
            if (entry != it->spellings.end() && entry->removeOne(m_name) && entry->isEmpty())
                it->spellings.erase(entry);
        }
        it->mtime = mtime;
        it->listedInTick = false;
    }

private:
    QString m_key;
    QString m_name;
    bool m_current = false;
};

} // namespace

QString AppPath()
{
    QString path = overridePath();
    if (path.isEmpty()) {
        const QString home = qEnvironmentVariable("TRADEWRIGHT_HOME");
        if (!home.isEmpty()) {
            path = home;
        } else {
            QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
            if (data.isEmpty())
                data = QDir::homePath() + QStringLiteral("/.local/share");
            path = data + QStringLiteral("/Tradewright");
        }
        path = cleanFolder(path);
        overridePath() = path;
    }
    static QString created;
    if (created != path) {
        QDir().mkpath(path);
        created = path;
    }
    return path;
}

void SetAppPath(const QString& path)
{
    overridePath() = cleanFolder(path);
}

QString ResolvePath(const QString& path)
{
    QString p = path;
    p.replace(u'\\', u'/');
    if (p.isEmpty())
        return p;
    if (QFileInfo::exists(p))
        return p;

    // The usual miss: the folder is spelled as on disk and only the file's name is
    // not (or the file is not there). The folder's own check spares the walk from
    // the root, which would find each of its parts as spelled.
    const qsizetype slash = p.lastIndexOf(u'/');
    if (slash > 0 && !p.contains(QLatin1String("//"))) {
        const QString folder = p.left(slash);
        const QString name = p.mid(slash + 1);
        if (!name.isEmpty() && name != u"." && name != u".." && QFileInfo(folder).isDir()) {
            const QString found = matchEntry(folder, name, true);
            return found.isEmpty() ? p : folder + u'/' + found;
        }
    }

    const bool absolute = p.startsWith(u'/');
    const QStringList parts = p.split(u'/', Qt::SkipEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QString();
    bool matching = true;
    for (const QString& part : parts) {
        QString name = part;
        if (matching && part != u"." && part != u"..") {
            const QString found = matchEntry(current.isEmpty() ? QString() : current, part);
            if (found.isEmpty())
                matching = false;  // nothing further down can exist
            else
                name = found;
        }
        if (current.isEmpty())
            current = name;
        else if (current.endsWith(u'/'))
            current += name;
        else
            current += u'/' + name;
    }
    if (p.endsWith(u'/') && !current.endsWith(u'/'))
        current += u'/';
    return current;
}

QFileInfo StoredFile(const QString& path)
{
    QString p = path;
    p.replace(u'\\', u'/');
    // The type asked first: the one look answers existence, name and length too.
    QFileInfo info(p);
    if (info.isFile())
        return info;
    const QString resolved = ResolvePath(p);
    if (resolved == p)
        return QFileInfo();
    info = QFileInfo(resolved);
    return info.isFile() ? info : QFileInfo();
}

bool FileExists(const QString& path)
{
    return StoredFile(path).isFile();
}

qint64 FileLength(const QString& path)
{
    const QFileInfo info = StoredFile(path);
    return info.isFile() ? info.size() : -1;
}

QByteArray ReadBytes(const QString& path, bool* ok)
{
    QFile file(ResolvePath(path));
    if (!file.open(QIODevice::ReadOnly)) {
        if (ok)
            *ok = false;
        return QByteArray();
    }
    QByteArray bytes = file.readAll();
    const bool good = file.error() == QFileDevice::NoError;
    if (ok)
        *ok = good;
    return good ? bytes : QByteArray();
}

bool WriteFileAtomic(const QString& path, const QByteArray& bytes, QString* why)
{
    return ReplaceFile(ResolvePath(path), bytes, QByteArray(), true, why);
}

bool AppendBytes(const QString& path, const QByteArray& bytes)
{
    const QString resolved = ResolvePath(path);
    QFile file(resolved);
    // Appending may make the file: the folder's index learns of it (else the next
    // lookup there lists the whole folder again).
    std::optional<IndexedChange> change;
    if (!QFileInfo::exists(resolved))
        change.emplace(resolved);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (change)
            change->done(QFileInfo::exists(resolved));
        return false;
    }
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    if (change)
        change->done(true);
    return written && file.error() == QFileDevice::NoError;
}

bool RemoveFile(const QString& path)
{
    const QString resolved = ResolvePath(path);
    IndexedChange change(resolved);
    const bool removed = QFile::remove(resolved);
    change.done(QFileInfo::exists(resolved));
    return removed;
}

bool MakeDir(const QString& path)
{
    return QDir().mkpath(ResolvePath(path));
}

namespace {

// The folders' scratch files a FileReplacer is writing now.
struct ScratchClaims {
    QMutex mutex;
    QSet<QByteArray> taken;
};

ScratchClaims& scratchClaims()
{
    static ScratchClaims claims;
    return claims;
}

bool claimScratch(const QByteArray& scratch)
{
    ScratchClaims& claims = scratchClaims();
    const QMutexLocker lock(&claims.mutex);
    if (claims.taken.contains(scratch))
        return false;
    claims.taken.insert(scratch);
    return true;
}

void releaseScratch(const QByteArray& scratch)
{
    ScratchClaims& claims = scratchClaims();
    const QMutexLocker lock(&claims.mutex);
    claims.taken.remove(scratch);
}

QString errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error ? error : EIO));
}

struct WriteFailure {
    QMutex mutex;
    QString folder;  // with a trailing '/'
    int error = 0;
};

WriteFailure& writeFailure()
{
    static WriteFailure failure;
    return failure;
}

// The error a write into path is made to fail with; 0 for none.
int injectedWriteError(const QString& path)
{
    WriteFailure& f = writeFailure();
    const QMutexLocker lock(&f.mutex);
    return f.error != 0 && QFileInfo(path).absoluteFilePath().startsWith(f.folder) ? f.error : 0;
}

} // namespace

void SetWriteFailure(const QString& folder, int error)
{
    WriteFailure& f = writeFailure();
    const QMutexLocker lock(&f.mutex);
    f.folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) + u'/';
    f.error = error;
}

struct FileReplacer::Private {
    QString path;
    QByteArray target;
    Kind kind;
    bool sync;
    int fd = -1;
    QByteArray temp;            // the file being written: a new temporary file or the scratch
    bool scratch = false;       // temp is the folder's scratch (claimed), to trade places with target
    off_t scratchSize = 0;      // what the scratch held before: cut to the new length at the end
    bool opened = false;
    bool finished = false;
    QString failure;
    qint64 size = 0;
    std::optional<IndexedChange> change;  // made before the folder changes

    bool fail(const QString& text)
    {
        if (failure.isEmpty())
            failure = text;
        return false;
    }

    // The page's own way: the folder's scratch, written over from the start. False
    // when that way is not open to this page (then the Save way is taken).
    bool openScratch()
    {
        struct stat old {};
        // Only a lone regular file trades places (a link keeps its meaning through a new file).
        if (::lstat(target.constData(), &old) != 0 || !S_ISREG(old.st_mode) || old.st_nlink != 1)
            return false;
        const QByteArray scratchPath = QFile::encodeName(QFileInfo(path).absolutePath() + u'/' + kPageScratch);
        if (!claimScratch(scratchPath))
            return false;
        change.emplace(path);  // before the scratch may be made
        // Not cut to nothing on opening: the new bytes are written over the old and only
        // what is left beyond them is cut, so no blocks are freed and taken again (and the
        // file system does not flush a file emptied and written again when it is closed).
        fd = ::open(scratchPath.constData(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            releaseScratch(scratchPath);
            change.reset();
            return false;
        }
        temp = scratchPath;
        scratch = true;
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1)
            return fail(errorText(errno == 0 ? EIO : errno));
        scratchSize = st.st_size;
        if ((st.st_mode & 07777) != (old.st_mode & 07777) && ::fchmod(fd, old.st_mode & 07777) != 0)
            return fail(errorText(errno));
        return true;
    }

    // A new temporary file beside the target.
    void openTemp()
    {
        const QFileInfo info(path);
        if (info.isDir()) {
            fail(QStringLiteral("%1 is a folder").arg(path));
            return;
        }
        struct stat old {};
        const bool exists = ::stat(target.constData(), &old) == 0;
        const QString prefix = info.absolutePath() + u'/' + u'.' + info.fileName();
        change.emplace(path);  // before the temporary file changes the folder
        for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
            const QByteArray name = QFile::encodeName(prefix + saveTempSuffix());
            // A new file gets the usual permissions (the umask applies).
            fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0)
                temp = name;
            else if (errno != EEXIST) {
                fail(errorText(errno));  // not a clash of names: the folder cannot be written
                return;
            }
        }
        if (fd < 0) {
            fail(QStringLiteral("no free temporary name beside %1").arg(path));
            return;
        }
        // A replaced file keeps its own permissions.
        if (exists && ::fchmod(fd, old.st_mode & 07777) != 0)
            fail(errorText(errno));
    }

    void open()
    {
        opened = true;
        if (const int error = injectedWriteError(path)) {
            fail(errorText(error));
            return;
        }
        if (kind == Kind::Page && openScratch())
            return;
        if (failure.isEmpty() && fd < 0)
            openTemp();
    }

    // Closes and removes the file being written; the target stays as it is.
    void discard()
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
        if (!temp.isEmpty())
            ::unlink(temp.constData());
        if (scratch)
            releaseScratch(temp);
        if (change)
            change->done(QFileInfo::exists(path));
        change.reset();
        finished = true;
    }
};

FileReplacer::FileReplacer(const QString& path, Kind kind, bool syncToDisk) : d(std::make_unique<Private>())
{
    d->path = path;
    d->target = QFile::encodeName(path);
    d->kind = kind;
    d->sync = syncToDisk;
}

FileReplacer::~FileReplacer()
{
    if (d)
        abandon();
}

FileReplacer::FileReplacer(FileReplacer&&) noexcept = default;
FileReplacer& FileReplacer::operator=(FileReplacer&& other) noexcept
{
    if (this != &other) {
        if (d)
            abandon();
        d = std::move(other.d);
    }
    return *this;
}

bool FileReplacer::write(QByteArrayView bytes)
{
    return write(bytes, QByteArrayView());
}

bool FileReplacer::write(QByteArrayView bytes, QByteArrayView more)
{
    if (d->finished || !d->failure.isEmpty())
        return false;
    if (!d->opened)
        d->open();
    if (!d->failure.isEmpty())
        return false;
    iovec parts[2] = {{const_cast<char*>(bytes.data()), std::size_t(bytes.size())},
                      {const_cast<char*>(more.data()), std::size_t(more.size())}};
    iovec* part = parts;
    int count = 2;
    while (count > 0) {
        if (part->iov_len == 0) {
            ++part;
            --count;
            continue;
        }
        const ssize_t n = ::writev(d->fd, part, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return d->fail(errorText(n < 0 ? errno : ENOSPC));
        d->size += n;
        // What went out comes off the front of the parts.
        std::size_t done = std::size_t(n);
        while (count > 0 && done >= part->iov_len) {
            done -= part->iov_len;
            ++part;
            --count;
        }
        if (count > 0) {
            part->iov_base = static_cast<char*>(part->iov_base) + done;
            part->iov_len -= done;
        }
    }
    return true;
}

bool FileReplacer::commit(QString* why)
{
    const auto failed = [&] {
        d->discard();
        if (why)
            *why = d->failure;
        return false;
    };
    if (d->finished) {
        if (why)
            *why = QStringLiteral("already put in place or given up");
        return false;
    }
    if (!d->opened)
        d->open();
    if (!d->failure.isEmpty())
        return failed();
    const int fd = d->fd;
    d->fd = -1;
    bool written = true;
    if (d->scratch && d->scratchSize > off_t(d->size))
        written = ::ftruncate(fd, off_t(d->size)) == 0;
    if (written && d->sync)
        written = ::fsync(fd) == 0;
    int error = written ? 0 : errno;
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        d->fail(errorText(error));
        return failed();
    }
    bool placed;
    if (d->scratch) {
        placed = ::renameat2(AT_FDCWD, d->temp.constData(), AT_FDCWD, d->target.constData(), RENAME_EXCHANGE) == 0;
        // No exchange on this file system (or the page went meanwhile): a plain rename.
        if (!placed && (errno == EINVAL || errno == ENOSYS || errno == ENOENT))
            placed = ::rename(d->temp.constData(), d->target.constData()) == 0;
    } else {
        placed = ::rename(d->temp.constData(), d->target.constData()) == 0;
    }
    if (!placed) {
        d->fail(errorText(errno));
        return failed();
    }
    if (d->scratch)
        releaseScratch(d->temp);
    d->change->done(true);
    d->change.reset();
    d->finished = true;
    return true;
}

void FileReplacer::abandon()
{
    if (!d->finished)
        d->discard();
}

bool FileReplacer::failed() const
{
    return !d->failure.isEmpty();
}

QString FileReplacer::failure() const
{
    return d->failure;
}

qint64 FileReplacer::size() const
{
    return d->size;
}

bool ReplaceFile(const QString& path, const QByteArray& bytes, const QByteArray& tail, bool syncToDisk, QString* why)
{
    FileReplacer file(path, FileReplacer::Kind::Save, syncToDisk);
    file.write(bytes, tail);
    return file.commit(why);
}

bool ReplacePage(const QString& path, const QByteArray& bytes, const QByteArray& tail, QString* why)
{
    FileReplacer page(path, FileReplacer::Kind::Page);
    page.write(bytes, tail);
    return page.commit(why);
}

namespace {

struct SaveFailures {
    QMutex mutex;
    QSet<QString> told;  // files whose failure was told and that were not written since
};

SaveFailures& saveFailures()
{
    static SaveFailures failures;
    return failures;
}

} // namespace

QString NotWrittenText(const QString& path, const QString& why)
{
    return QStringLiteral("The file ") + path + QStringLiteral(" could not be written.\r\n") + why;
}

bool ReportSave(const QString& path, bool written, const QString& why)
{
    const QString key = QDir::cleanPath(QString(path).replace(u'\\', u'/'));
    {
        SaveFailures& f = saveFailures();
        const QMutexLocker lock(&f.mutex);
        if (written) {
            f.told.remove(key);
            return false;
        }
        if (f.told.contains(key))
            return false;
        f.told.insert(key);
    }
    // The box waits outside the lock: what runs meanwhile may save again.
    Dialogs::MsgBox(NotWrittenText(key, why.isEmpty() ? errorText(EIO) : why) +
                        QStringLiteral("\r\nWhat you entered is kept and will be written at the next save."),
                    Dialogs::vbOKOnly + Dialogs::vbExclamation);
    return true;
}

bool IsSaveTempName(const QString& fileName)
{
    // "." + a name of at least one character + the mark + the letters.
    const qsizetype markAt = fileName.size() - kSaveTempLetters - kSaveTempMark.size();
    if (markAt < 2 || !fileName.startsWith(u'.') ||
        QStringView(fileName).mid(markAt, kSaveTempMark.size()) != kSaveTempMark)
        return false;
    for (qsizetype i = markAt + kSaveTempMark.size(); i < fileName.size(); ++i) {
        if (!isTempLetter(fileName.at(i)))
            return false;
    }
    return true;
}

int RemoveSaveTemps(const QString& folder)
{
    const QDir dir(ResolvePath(folder));
    const QStringList candidates =
        dir.entryList({u'*' + kSaveTempMark + u'*'}, QDir::Files | QDir::Hidden | QDir::System);
    int removed = 0;
    for (const QString& name : candidates) {
        if (IsSaveTempName(name) && QFile::remove(dir.filePath(name)))
            ++removed;
    }
    return removed;
}
