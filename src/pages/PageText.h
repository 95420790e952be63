#pragma once

#include <QLatin1String>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <initializer_list>
#include <utility>

// Page text: how every reader of a page (views, parsers, reports, the summary)
// searches it, cuts pieces out of it, evens out its tags and cleans its cells, and how
// a data text goes back into a page the program writes. The element scanners are in
// pages/PageScan.h. A failure here is the run-time error of its number: 5 for a marker
// that was missing, 6 for a position past the 16-bit limit.

// ---- searching --------------------------------------------------------------------

// Text positions as a reader keeps them. Strict: the reader keeps positions in 16-bit
// integers, so a marker, row or cell found past character 32,767 ends it with the
// overflow error (6). Lenient: any size.
enum class Positions { Strict, Lenient };

inline constexpr int kStrictPositionLimit = 32767;

// The 0-based position of pattern in text at or after from, -1 when absent (an empty
// pattern is found where the search starts, while that is inside the text or at its
// end): a scan for the pattern's first and last character, then a comparison. Without
// regard to the letter case of A-Z (cs), the pattern is given in lower case.
qsizetype IndexOfText(QStringView text, QLatin1String pattern, qsizetype from = 0,
                      Qt::CaseSensitivity cs = Qt::CaseSensitive);
qsizetype IndexOfText(QStringView text, QStringView pattern, qsizetype from = 0,
                      Qt::CaseSensitivity cs = Qt::CaseSensitive);

// 1-based search from start: the position of marker, 0 when absent. A start below 1 (a
// search after a marker that was absent) is error 5.
int FindText(int start, const QString& text, const QString& marker, Positions positions = Positions::Lenient);
int FindText(int start, const QString& text, QLatin1String marker, Positions positions = Positions::Lenient);

// The same search where a start below 1 finds nothing (0) instead of failing. Without
// regard to case (cs) the marker is given in lower case.
int FindQuiet(const QString& text, int start, const char* marker, Qt::CaseSensitivity cs = Qt::CaseSensitive);

// ---- cutting ----------------------------------------------------------------------

// 1-based cut: length characters from start (fewer at the end of the text). A start
// below 1 or a negative length (an end marker that was absent) is error 5.
QString CutText(const QString& text, int start, int length);

// The text from 1-based begin up to, not including, end; "" when either was not found
// (0) or end comes before begin.
QString CutRange(const QString& text, int begin, int end);

// The text from the first `start` (searched from `from`) up to, not including, the
// first `end` at or after it. Either marker absent is error 5.
QString CutBetween(const QString& text, const QString& start, const QString& end, int from = 1);

// Table n of the page (counted from 1): from its "<table" up to, not including, the
// next "</table"; "" when the page has fewer. The opening tags of the caller's page
// are evened out to "<table" first.
QString CutTable(QString& page, int n);

// ---- replacing --------------------------------------------------------------------

// Every occurrence of find, case-sensitive, left to right and not overlapping, in the
// caller's own text (as QString::replace), in time linear in the text however many
// there are and whatever their lengths: a replacement of the same length in place,
// any other into a new text. An empty find changes nothing.
void ReplaceAll(QString& text, const QString& find, const QString& with);
void ReplaceAll(QString& text, QLatin1String find, QLatin1String with);

// Each replacement over the whole text, every occurrence, in order.
using Replacements = std::initializer_list<std::pair<const char*, const char*>>;
void ReplaceAll(QString& text, Replacements pairs);

// Each word of words made lower case wherever it stands, in the caller's text, which
// comes back.
QString ReplaceWords(QString& text, const QStringList& words);

// The tag names "Table"/"TABLE", "Td"/"TD", "Tr"/"TR", "Th"/"TH" in lower case, for
// the groups asked for, in the caller's text, which comes back. Plain text
// replacements, not tag-aware: "The" in the page body becomes "the" as well. The
// result is that of the replacements made one after the other.
QString NormaliseTags(QString& text, bool table, bool td, bool tr, bool th);

// ---- cells ------------------------------------------------------------------------

// A cell's text: with breaks, "<br>" becomes CR LF; with amps, "&amp;" becomes "&"
// (both in the caller's cell too); then the characters outside the tags. With link,
// the address of the cell's first "<A href=" link instead ("" without one).
QString CleanCell(QString& cell, bool breaks, bool amps, bool link);

// The characters of a cell piece outside its tags, the piece starting inside a tag
// (the text after "<td"): nothing counts until the first '>', no angle bracket stays.
QString StripTags(QStringView piece);

// A cell as the pages show it: tags stripped (line breaks kept as CR LF with breaks),
// "&amp;" as "&", trimmed of spaces; what CleanCell and then a trim of spaces give.
QString CleanedCell(QStringView cell, bool breaks = false);
// CleanedCell(cell) put at the end of line (no text of its own made); its length.
qsizetype AppendCleanedCell(QString& line, QStringView cell);

// ---- writing pages ----------------------------------------------------------------

// Data texts that go into a page the program writes (a report, the summary page): "<"
// and ">" become entities, and so does an "&" that does not already begin an entity
// ("&nbsp;", "&#160;", "&#xA0;" stay as they are, so a cleaned cell keeps its
// blanks). A text without these characters comes back unchanged.
QString EscapeHtmlText(const QString& text);
// The same for a value inside a double-quoted attribute: also the double quote.
QString EscapeHtmlAttribute(const QString& text);
