#include "retrieval/CacheFiles.h"

#include "platform/AppPath.h"
#include "platform/Codec.h"
#include "platform/RegistryStore.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

QStringList CacheFolders()
{
    QStringList folders{
        QStringLiteral("/Cache"),
        QStringLiteral("/Cache/Chart"),
        QStringLiteral("/Cache/News"),
        QStringLiteral("/Cache/DataSheet"),
        QStringLiteral("/Cache/Reports"),
    };
    const char* reports[] = {"Annual Balance Sheet", "Annual Income statement", "Options", "Insiders Traders",
                             "Quarterly Reports", "Earnings", "Consultation", "Summary", "Misc"};
    for (const char* r : reports)
        folders << QStringLiteral("/Cache/Reports/") + QLatin1String(r);
    return folders;
}

bool CreateCacheFolders()
{
    bool ok = true;
    for (const QString& folder : CacheFolders())
        ok = MakeDir(AppPath() + folder) && ok;
    return ok;
}

QString CacheFolder()
{
    return AppPath() + QStringLiteral("/Cache/DataSheet/");
}

QString NewsFolder()
{
    return AppPath() + QStringLiteral("/Cache/News/");
}

QString DirEntry(const QString& path)
{
    const QFileInfo stored = StoredFile(path);
    return stored.isFile() ? stored.fileName() : QString();
}

SizeRuleResult ApplySizeRule(const QString& path, SizeRule rule, int threshold, const QString& expectedName)
{
    if (rule == SizeRule::None)
        return FileExists(path) ? SizeRuleResult::Kept : SizeRuleResult::Missing;
    const QFileInfo stored = StoredFile(path);  // one look for name and length
    if (rule == SizeRule::NameTestBelow) {
        // Only a file stored under exactly the expected spelling is judged; one that
        // differs in letter case is left alone, and a missing one stays missing.
        if (!stored.isFile())
            return SizeRuleResult::Missing;
        if (stored.fileName() != expectedName)
            return SizeRuleResult::Kept;
    }
    const qint64 length = stored.isFile() ? stored.size() : -1;
    if (length < 0)
        return SizeRuleResult::Missing;
    if (length < threshold) {
        RemoveFile(path);
        return SizeRuleResult::Deleted;
    }
    return SizeRuleResult::Kept;
}


bool WriteCacheFile(const QString& path, const QByteArray& bytes, const QByteArray& tail, QString* why)
{
    // A page is cheap to fetch again: no flush to the disk before the rename.
    return ReplacePage(ResolvePath(path), bytes, tail, why);
}

FileReplacer OpenCachePage(const QString& path)
{
    return FileReplacer(ResolvePath(path), FileReplacer::Kind::Page);
}

void DropUnwrittenPage(const QString& path, bool written, bool anySpelling)
{
    if (written)
        return;
    const QString stored = DirEntry(path);
    if (!stored.isEmpty() && (anySpelling || stored == QFileInfo(path.section(u'\\', -1)).fileName()))
        RemoveFile(path);
}

int RemoveInterruptedSaves()
{
    // The program folder holds the data files, the adviser's tip and the help pages'
    // folder; the settings file has a folder of its own.
    QStringList folders{AppPath(), AppPath() + QStringLiteral("/Cache/Reports/Help"),
                        QFileInfo(RegistryStore::filePath()).absolutePath()};
    for (const QString& folder : CacheFolders())
        folders << AppPath() + folder;
    int removed = 0;
    for (const QString& folder : folders)
        removed += RemoveSaveTemps(folder);
    return removed;
}

QString EncodeQueryValue(const QString& value)
{
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    const QByteArray bytes = toCp1252(value);
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        const bool plain = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '.' ||
                           b == '-' || b == '^' || b == '=' || b == '_' || b == '~';
        if (plain) {
            out += QLatin1Char(char(b));
        } else {
            out += u'%';
            out += QLatin1Char(hex[b >> 4]);
            out += QLatin1Char(hex[b & 15]);
        }
    }
    return out;
}
