#pragma once

#include "pages/PageCatalogue.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "platform/AppPath.h"

// The page cache below the program folder and the rules every downloader applies
// to the file it has just fetched.

// Every cache folder, relative to AppPath, parents first: \Cache, \Cache\Chart,
// \Cache\News, \Cache\DataSheet, \Cache\Reports and its nine subfolders.
QStringList CacheFolders();
// Creates each missing cache folder (the main window's load does this). False when
// one could not be made.
bool CreateCacheFolders();

// AppPath & "\Cache\DataSheet\" and AppPath & "\Cache\News\" (with '/' here).
QString CacheFolder();
QString NewsFolder();

// The bare name under which the file of path is stored on disk, matched without
// regard to letter case (ibm_sp.sh for a path ending in IBM_sp.Sh when that is
// how it was first written); "" when there is no such file.
QString DirEntry(const QString& path);


enum class SizeRuleResult {
    Kept,      // the file is there and stays (or the rule did not apply)
    Deleted,   // too small: deleted
    Missing,   // no file to judge (the fetch wrote nothing and nothing was there before)
};

// Applies rule to the file at path. expectedName is the bare name the downloader
// built (symbol as stored & suffix); the name test compares it with the stored name
// letter for letter.
SizeRuleResult ApplySizeRule(const QString& path, SizeRule rule, int threshold, const QString& expectedName);

// Writes a downloaded page: the bytes go to a temporary file in the target's folder,
// which then replaces the target in one rename, so a reader never sees half a page
// and a failed write leaves the old page. Pages are cheap to fetch again, so there is
// no flush to the disk per page (that would cost more than the download itself).
// False when the page could not be written; why then says what went wrong.
// tail is written after bytes (the socket path's closing CR LF).
bool WriteCacheFile(const QString& path, const QByteArray& bytes, const QByteArray& tail = QByteArray(),
                    QString* why = nullptr);

// The same for a page that arrives piece by piece: the writer takes the pieces and
// puts the page in place at its commit() (nothing before it; abandon() leaves the old
// page as it was).
FileReplacer OpenCachePage(const QString& path);

// For the one file a downloader fetches each stock's page into (the quote page, the
// rating page, the news page): the page stays until the next fetch writes over it in
// place, and only when that fetch wrote nothing is the last stock's page removed (so
// no page is taken for the wrong stock, and the folder holds what deleting it before
// each fetch left). anySpelling removes it under whatever spelling it is stored;
// otherwise only when stored exactly as the path's name.
void DropUnwrittenPage(const QString& path, bool written, bool anySpelling);

// Removes the temporary files that saves cut short (the program killed while writing)
// left beside the data files, the settings file and the cache pages (see ReplaceFile).
// Call it only while no save can be running: at start, once the instance lock is held.
// Returns how many were removed.
int RemoveInterruptedSaves();

// A symbol as it goes into an address: letters, digits and . - ^ = _ ~ stay as
// they are, every other character is percent-encoded (Windows-1252 bytes).
QString EncodeQueryValue(const QString& value);
