#pragma once

#include <QString>
#include <QVariant>

#include <cstdint>

// The language run-time rules the program's text and number handling relies on,
// written once. Positions are 1-based like the page parsers count them, and are
// plain ints: a page longer than 32,767 characters is searched like any other.
// Numbers are always shown with a point for decimals and a comma for grouping,
// whatever the machine's locale.
namespace rt {

// The line end of every text the program writes or sends: mail, news, logs, pages.
inline const QString CrLf = QStringLiteral("\r\n");

// Format(value, pattern): "0" a required digit, "#" an optional one, "," asks for
// grouping, "." the decimal point with exactly as many decimals as follow it
// (rounded half away from zero). A pattern ending in ";" (empty negative section)
// gives negatives the first section with a leading minus. Patterns in use:
// "#,##0.00;", "0.00;", "#,##0.0000;", "0.0000;", "#,##", "#,##;", "#0.00".
QString Format(double value, const QString& pattern);

// Conversion to a 16-bit integer: leading/trailing spaces and a sign accepted,
// decimals rounded half to even; RuntimeError 6 (overflow) outside
// -32768..32767, 13 (type mismatch) for text that is not a number.
std::int16_t CInt(const QVariant& value);
std::int16_t CInt(const QString& text);
std::int32_t CLng(const QVariant& value);  // same rules, 32-bit
double CDbl(const QVariant& value);        // 13 for text that is not a number

// The numeric test: sign, comma grouping, a point for decimals, an exponent and a
// leading "$" are accepted; the empty text and Empty are not numbers.
bool IsNumeric(const QVariant& value);
// Leading number of a text, ignoring what follows ("12abc" -> 12, "abc" -> 0).
// Blanks inside the number are skipped ("1 2" -> 12); never throws (a number too
// large for a double gives 0).
double Val(const QString& text);

// A single-precision number as text: up to 7 significant digits, an exponent
// form ("1.234568E+09", "-2.147222E+09") when the value needs more digits.
QString SingleText(float value);
// A double as text the way the language's CStr writes it: up to 15 significant
// digits, exponent form past that ("1.5", "1234.5", "1E+15").
QString DoubleText(double value);
// Any value as text: a text as it is, a whole number in decimals, a double by
// DoubleText, a float by SingleText, a bool as "True" / "False", Empty as "".
// RuntimeError 13 for a value with no text form (a list, a map, ...).
QString CStr(const QVariant& value);

// 1-based substring search; 0 when not found. start < 1 raises RuntimeError 5.
int InStr(int start, const QString& text, const QString& find);
int InStr(const QString& text, const QString& find);
// 1-based position of the last occurrence; 0 when not found.
int InStrRev(const QString& text, const QString& find);
// 1-based Mid: start < 1 or length < 0 raises RuntimeError 5; past the end gives "".
// Without a length it gives the rest of the text.
QString Mid(const QString& text, int start);
QString Mid(const QString& text, int start, int length);
QString Left(const QString& text, int length);   // length < 0 raises 5
QString Right(const QString& text, int length);  // length < 0 raises 5
// Trim removes spaces only (not tabs or line breaks), like the language's Trim.
QString Trim(const QString& text);
// The same trim as a view into the text, nothing copied.
QStringView TrimView(QStringView text);
QString LTrim(const QString& text);
QString RTrim(const QString& text);
// Replace every occurrence, case-sensitive.
QString Replace(const QString& text, const QString& find, const QString& with);

// Case-insensitive compare of two texts (the "Option Compare Text" rule).
bool EqualsNoCase(const QString& a, const QString& b);

} // namespace rt
