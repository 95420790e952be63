#include "platform/AppPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

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
    QSaveFile file(ResolvePath(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
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
