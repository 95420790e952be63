#include "tree/ProfileText.h"

#include "pages/PageCatalogue.h"
#include "pages/PageText.h"
#include "platform/AppPath.h"
#include "platform/Codec.h"
#include "retrieval/CacheFiles.h"
#include "sheets/ProfileSheets.h"
#include "stockdata/EntryRules.h"
#include "stockdata/ProgramState.h"

#include <QFileInfo>

QString ProfileTextOf(const QString& page)
{
    QString text = page;
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    // The description sits between the page's first two horizontal rules.
    QString cut = CutProfile(text);
    return CleanCell(cut, false, true, false).trimmed();
}

QString ProfilePagePath(const QString& symbol)
{
    if (!IsFileSafeSymbol(symbol))
        return QString();
    // The file the profile's download writes for the symbol.
    static const QString file = pages::Kind(pages::PageId::Profile).downloads.front().fileName;
    return CacheFolder() + QString(file).replace(QLatin1String("{SYM}"), symbol);
}

QString GetProfileText()
{
    if (CurrentSymbol().isEmpty())
        return QString();
    const QString path = ProfilePagePath(CurrentSymbol());
    if (path.isEmpty())
        return QString();
    bool ok = false;
    const QByteArray bytes = ReadBytes(path, &ok);
    return ok ? ProfileTextOf(fromCp1252(bytes)) : QString();
}

ProfileTextCache::Stamp ProfileTextCache::stampOf(const QString& path)
{
    Stamp s;
    if (path.isEmpty())
        return s;
    const QFileInfo info(path);
    s.exists = info.exists();
    if (s.exists) {
        s.modified = info.lastModified();
        s.size = info.size();
    }
    return s;
}

bool ProfileTextCache::recent(const Stamp& stamp, const QDateTime& now)
{
    return stamp.exists && stamp.modified.msecsTo(now) < RacyMs;
}

QString ProfileTextCache::text()
{
    const QString symbol = CurrentSymbol();
    if (symbol.isEmpty())
        return QString();
    const QString path = ProfilePagePath(symbol);
    if (path.isEmpty())
        return QString();

    const QString folder = ResolvePath(CacheFolder());
    const Stamp folderStamp = stampOf(folder);
    if (m_valid && !m_racy && symbol == m_symbol && folder == m_folder && folderStamp == m_folderStamp
        && stampOf(m_file) == m_fileStamp)
        return m_text;

    const QDateTime now = QDateTime::currentDateTime();
    m_symbol = symbol;
    m_folder = folder;
    m_folderStamp = folderStamp;
    const QString file = ResolvePath(path);
    m_fileStamp = stampOf(file);
    m_file = m_fileStamp.exists ? file : QString();
    m_text.clear();
    if (m_fileStamp.exists) {
        ++m_reads;
        bool ok = false;
        const QByteArray bytes = ReadBytes(file, &ok);
        if (ok)
            m_text = ProfileTextOf(fromCp1252(bytes));
    }
    m_racy = recent(m_folderStamp, now) || recent(m_fileStamp, now);
    m_valid = true;
    return m_text;
}
