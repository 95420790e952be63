#include "platform/AppPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace {

const QLatin1String kSaveTempMark(".tw-save-");
constexpr int kSaveTempLetters = 6;

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

// The entry of 'folder' whose name equals 'name' without regard to case; the
// exact spelling wins when both exist.
QString matchEntry(const QString& folder, const QString& name)
{
    const QString dir = folder.isEmpty() ? QStringLiteral(".") : folder;
    if (QFileInfo::exists(dir + u'/' + name))
        return name;
    const QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return QString();
}

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

bool FileExists(const QString& path)
{
    const QFileInfo info(ResolvePath(path));
    return info.exists() && info.isFile();
}

qint64 FileLength(const QString& path)
{
    const QFileInfo info(ResolvePath(path));
    return info.exists() && info.isFile() ? info.size() : -1;
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

bool WriteFileAtomic(const QString& path, const QByteArray& bytes)
{
    return ReplaceFile(ResolvePath(path), bytes);
}

bool AppendBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(ResolvePath(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

bool RemoveFile(const QString& path)
{
    return QFile::remove(ResolvePath(path));
}

bool MakeDir(const QString& path)
{
    return QDir().mkpath(ResolvePath(path));
}

bool ReplaceFile(const QString& path, const QByteArray& bytes, const QByteArray& tail, bool syncToDisk, QString* why)
{
    const auto fail = [why](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    const QFileInfo target(path);
    if (target.isDir())
        return fail(QStringLiteral("%1 is a folder").arg(path));
    const QString folder = target.absolutePath() + u'/';
    const QString prefix = u'.' + target.fileName();
    // A new file gets the usual permissions (the umask applies); a replaced one keeps its own.
    const QFileDevice::Permissions permissions =
        target.exists() ? target.permissions()
                        : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                              QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    QFile file;
    for (int attempt = 0; attempt < 16 && !file.isOpen(); ++attempt) {
        file.setFileName(folder + prefix + saveTempSuffix());
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, permissions) && !file.exists())
            return fail(file.errorString());  // not a clash of names: the folder cannot be written
    }
    if (!file.isOpen())
        return fail(QStringLiteral("no free temporary name beside %1").arg(path));
    const QString temp = file.fileName();
    if (target.exists())
        file.setPermissions(permissions);  // the umask applied at creation does not apply to them
    bool written = file.write(bytes) == bytes.size() && file.write(tail) == tail.size() && file.flush();
    if (written && syncToDisk)
        written = ::fsync(file.handle()) == 0;
    const QString writeError = written ? QString() : file.errorString();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        QFile::remove(temp);
        return fail(writeError.isEmpty() ? file.errorString() : writeError);
    }
    if (::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData()) != 0) {
        const int error = errno;
        QFile::remove(temp);
        return fail(QString::fromLocal8Bit(std::strerror(error)));
    }
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
