#pragma once

#include <QByteArray>
#include <QFileInfo>
#include <QString>

#include <memory>

// The program folder: $TRADEWRIGHT_HOME when set, else ~/.local/share/Tradewright.
// No trailing separator. Created on first use. Every data, cache, log and report
// path starts here.
QString AppPath();
// Points the program folder somewhere else (tests use a temporary folder).
void SetAppPath(const QString& path);

// Turns a path as the program writes it ("C:...\Cache\DataSheet\ibm_op.Sh" style,
// backslashes or slashes) into a real path: backslashes become '/', and every
// component that exists on disk under another letter case is found as it is
// stored. Components that do not exist keep the spelling given. Pages are written
// under one spelling and read under another, so every reader and writer of a file
// in the program folder goes through this.
QString ResolvePath(const QString& path);

// Whole-file helpers over ResolvePath. ReadBytes gives an empty array when the file
// cannot be read. WriteFileAtomic writes through a temporary file and a rename (see
// ReplaceFile), so a crash never leaves half a file; false when the write failed
// (the old file stays).
bool FileExists(const QString& path);
qint64 FileLength(const QString& path);    // -1 when missing
// The file a path names, spelled as on disk or not: its information (isFile() true,
// its name as stored, its length), or an empty one when there is no such file. A
// path spelled as on disk takes one look.
QFileInfo StoredFile(const QString& path);
QByteArray ReadBytes(const QString& path, bool* ok = nullptr);
bool WriteFileAtomic(const QString& path, const QByteArray& bytes, QString* why = nullptr);
bool AppendBytes(const QString& path, const QByteArray& bytes);
bool RemoveFile(const QString& path);
bool MakeDir(const QString& path);  // creates missing parents too

// Replaces the file at path (taken as it is, not resolved) with bytes followed by
// tail: they go to a temporary file beside it, which then takes its place in one
// rename; an existing file's permissions are kept. syncToDisk flushes the temporary
// file to the disk before the rename. False when the write failed: the temporary
// file is removed and the old file stays.
//
// The temporary file is named "." + the file's name + ".tw-save-" + six letters or
// digits ("Set1.dat" -> ".Set1.dat.tw-save-a8Kq2z"). A save cut short by a kill
// leaves one behind; RemoveSaveTemps clears them.
// With why given, a failure says there what went wrong.
bool ReplaceFile(const QString& path, const QByteArray& bytes, const QByteArray& tail = QByteArray(),
                 bool syncToDisk = true, QString* why = nullptr);
// Replaces a cache page at path (taken as it is) like ReplaceFile without the flush,
// but an existing page is not given a new file: the bytes go to the folder's scratch
// file (".page.tw-save-reused", one of ReplaceFile's temporary names), which then
// trades places with the page in one exchanging rename; the scratch keeps the old
// page's file and is written over by the next page of the folder. So a run that
// rewrites its pages makes and deletes no files. A page that does not exist yet (or
// a file system without the exchange) goes through ReplaceFile. False when the write
// failed: the scratch is removed and the old page stays.
bool ReplacePage(const QString& path, const QByteArray& bytes, const QByteArray& tail = QByteArray(),
                 QString* why = nullptr);
// Writes a file's new contents piece by piece and puts them in place in one rename
// only at commit(): until then the old file (or its absence) stays as it was, and a
// writer given up (abandon(), or destroyed without a commit) leaves nothing behind.
// Nothing is made on disk before the first write. ReplaceFile and ReplacePage are one
// write and a commit of it; a fetch streams its page through one as it arrives.
// Save is ReplaceFile's way (a new temporary file, flushed to the disk before the
// rename when syncToDisk), Page is ReplacePage's (the folder's scratch file trades
// places with an existing page; a folder's scratch serves one writer at a time, a
// second one meanwhile takes the Save way).
class FileReplacer
{
public:
    enum class Kind { Save, Page };

    explicit FileReplacer(const QString& path, Kind kind = Kind::Save, bool syncToDisk = false);
    ~FileReplacer();
    FileReplacer(FileReplacer&&) noexcept;
    FileReplacer& operator=(FileReplacer&&) noexcept;
    FileReplacer(const FileReplacer&) = delete;
    FileReplacer& operator=(const FileReplacer&) = delete;

    // False once a write has failed (failure() says why; commit() then fails).
    bool write(QByteArrayView bytes);
    // The two one after the other, in one call to the system.
    bool write(QByteArrayView bytes, QByteArrayView more);
    // Puts what was written in place; false when it could not be (the old file stays).
    bool commit(QString* why = nullptr);
    // Gives the new contents up; the old file stays.
    void abandon();
    bool failed() const;
    QString failure() const;
    qint64 size() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// Makes writes fail as a full or read-only disk does, where the disk cannot be made
// so (a test runs as root, whom no folder's permissions stop): while set, every
// FileReplacer (so every ReplaceFile, ReplacePage and WriteFileAtomic) whose file lies
// inside folder fails its first write with the system's text for error (an errno
// value such as ENOSPC or EROFS) and leaves the old file. Error 0 lifts it.
void SetWriteFailure(const QString& folder, int error);

// The first lines of every message about a file that could not be written: the file,
// then why.
QString NotWrittenText(const QString& path, const QString& why);

// The outcome of a save of a file that holds what the user entered (the data files,
// the settings file). The first failure of a file is told in one message box naming
// the file and why; later failures of that file stay quiet until a write of it
// succeeds again (an update run saves after every pass). True when this call told a
// failure (the caller logs it then, once).
bool ReportSave(const QString& path, bool written, const QString& why);

// Whether a bare file name is one of ReplaceFile's temporary files.
bool IsSaveTempName(const QString& fileName);
// Removes ReplaceFile's temporary files directly inside folder (not below it). Only
// safe when no save can be running: at start, once this copy holds the instance lock.
// Returns how many were removed.
int RemoveSaveTemps(const QString& folder);
