#pragma once

#include <QByteArray>
#include <QString>

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
// cannot be read. WriteFileAtomic writes through a temporary file and a rename, so
// a crash never leaves half a file; false when the write failed (the old file stays).
bool FileExists(const QString& path);
qint64 FileLength(const QString& path);    // -1 when missing
QByteArray ReadBytes(const QString& path, bool* ok = nullptr);
bool WriteFileAtomic(const QString& path, const QByteArray& bytes);
bool AppendBytes(const QString& path, const QByteArray& bytes);
bool RemoveFile(const QString& path);
bool MakeDir(const QString& path);  // creates missing parents too
