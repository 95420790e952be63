#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>

// The small routines every page parser, view, report and window shares. Page and
// cell texts are taken by reference where the replacements must show in the
// caller's own text too.

QString ReadFile(const QString& path);
// Every occurrence of find, case-sensitive, left to right and not overlapping, in
// the caller's own text (as QString::replace), in time linear in the text however
// many there are and whatever their lengths.
void ReplaceAll(QString& text, const QString& find, const QString& with);
QString NormaliseTags(QString& text, bool table, bool td, bool tr, bool th);
QString CutTable(QString& page, int n);
QString CleanCell(QString& cell, bool breaks, bool amps, bool link);
// The characters of a cell piece outside its tags, the piece starting inside a tag
// (the text after "<td"): nothing counts until the first '>', no angle bracket stays.
QString StripTags(QStringView piece);
QString ReplaceWords(QString& text, const QStringList& words);
QString FormatP(QString& s, bool FourDecimals);
double ToDouble(QVariant& value);
double ToDouble(const QString& value);  // the same for a value the caller does not keep
void OpenURL(const QString& address);
void EmptyProc();

// Connection check: true when the caller may use the Internet.
bool AskConnect();
std::int16_t CountConnections();
