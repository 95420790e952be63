#include "platform/Runtime.h"

#include "platform/Codec.h"
#include "platform/RuntimeError.h"

#include <QByteArray>
#include <QChar>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace rt {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The numeric test of the run-time, written for the program's fixed conventions:
// blanks around, a sign, a "$", digits with comma grouping, a point for decimals
// and an exponent (E or D). Fills 'out' when the text is a finite number.
bool parseNumber(const QString& text, double& out)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    qsizetype end = n;
    while (i < end && isBlank(text[i]))
        ++i;
    while (end > i && isBlank(text[end - 1]))
        --end;
    if (i >= end)
        return false;

    QByteArray clean;
    clean.reserve(end - i + 2);
    bool haveSign = false;
    bool haveDollar = false;
    // Sign and currency symbol in either order, blanks after them allowed.
    for (;;) {
        if (i < end && !haveSign && (text[i] == u'+' || text[i] == u'-')) {
            haveSign = true;
            if (text[i] == u'-')
                clean.append('-');
            ++i;
        } else if (i < end && !haveDollar && text[i] == u'$') {
            haveDollar = true;
            ++i;
        } else {
            break;
        }
        while (i < end && isBlank(text[i]))
            ++i;
    }

    int digits = 0;
    while (i < end && (isDigit(text[i]) || (text[i] == u',' && digits > 0))) {
        if (text[i] != u',') {
            clean.append(char(text[i].unicode()));
            ++digits;
        }
        ++i;
    }
    if (i < end && text[i] == u'.') {
        clean.append('.');
        ++i;
        while (i < end && isDigit(text[i])) {
            clean.append(char(text[i].unicode()));
            ++digits;
            ++i;
        }
    }
    if (digits == 0)
        return false;
    if (i < end && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        clean.append('e');
        ++i;
        if (i < end && (text[i] == u'+' || text[i] == u'-')) {
            clean.append(char(text[i].unicode()));
            ++i;
        }
        int expDigits = 0;
        while (i < end && isDigit(text[i])) {
            clean.append(char(text[i].unicode()));
            ++expDigits;
            ++i;
        }
        if (expDigits == 0)
            return false;
    }
    if (i != end)
        return false;
    const double value = std::strtod(clean.constData(), nullptr);
    if (!std::isfinite(value))
        return false;
    out = value;
    return true;
}

double roundHalfEven(double x)
{
    const double lower = std::floor(x);
    const double diff = x - lower;
    if (diff > 0.5)
        return lower + 1;
    if (diff < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

bool isIntegralType(int id)
{
    switch (id) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

// Any value as a double under the conversion rules (text must be a number).
double toNumber(const QVariant& value)
{
    const int id = value.metaType().id();
    if (!value.isValid())
        return 0;
    if (id == QMetaType::Bool)
        return value.toBool() ? -1 : 0;
    if (isIntegralType(id) || id == QMetaType::Double || id == QMetaType::Float)
        return value.toDouble();
    if (id == QMetaType::QString || id == QMetaType::QByteArray || id == QMetaType::QChar) {
        const QString text = id == QMetaType::QByteArray ? fromCp1252(value.toByteArray()) : value.toString();
        double out = 0;
        if (!parseNumber(text, out))
            throw RuntimeError::make(13);
        return out;
    }
    throw RuntimeError::make(13);
}

// Rounds a non-negative value to 'decimals' places, half away from zero, on its
// 15-significant-digit decimal form (so 2.675 gives 2.68 as the user expects).
// Gives the integer digits without leading zeros ("" for zero) and exactly
// 'decimals' fraction digits.
void decimalRound(double a, int decimals, QString& intDigits, QString& fracDigits)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", a);
    QByteArray digits;
    digits.append(buf[0]);
    const char* p = buf + 2;
    while (*p && *p != 'e')
        digits.append(*p++);
    int exp = *p == 'e' ? std::atoi(p + 1) : 0;
    int pointPos = exp + 1;
    if (a == 0)
        pointPos = 1;
    if (pointPos < 0) {
        digits.prepend(QByteArray(-pointPos, '0'));
        pointPos = 0;
    }
    const int keep = pointPos + decimals;
    if (digits.size() < keep + 1)
        digits.append(QByteArray(keep + 1 - digits.size(), '0'));
    const bool roundUp = digits[keep] >= '5';
    digits.truncate(keep);
    if (roundUp) {
        int k = keep - 1;
        while (k >= 0 && digits[k] == '9') {
            digits[k] = '0';
            --k;
        }
        if (k >= 0) {
            digits[k] = char(digits[k] + 1);
        } else {
            digits.prepend('1');
            ++pointPos;
        }
    }
    QByteArray intPart = digits.left(pointPos);
    qsizetype lead = 0;
    while (lead < intPart.size() && intPart[lead] == '0')
        ++lead;
    intDigits = QString::fromLatin1(intPart.mid(lead));
    fracDigits = QString::fromLatin1(digits.mid(pointPos, decimals));
}

QStringList splitSections(const QString& pattern)
{
    QStringList sections;
    QString cur;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'"') {
            quoted = !quoted;
        } else if (!quoted && c == u'\\' && i + 1 < pattern.size()) {
            cur += c;
            cur += pattern[++i];
            continue;
        } else if (!quoted && c == u';') {
            sections << cur;
            cur.clear();
            continue;
        }
        cur += c;
    }
    sections << cur;
    return sections;
}

QString formatSection(double value, const QString& section)
{
    QString prefix;
    QString suffix;
    bool seenPlaceholder = false;
    bool inDecimals = false;
    bool grouping = false;
    bool percent = false;
    int intPlaceholders = 0;
    int intRequired = -1;  // index of the first '0' among the integer placeholders
    int decMax = 0;
    int decMin = 0;
    bool hasPoint = false;
    bool quoted = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        QString literal;
        if (quoted) {
            if (c == u'"')
                quoted = false;
            else
                literal = c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u'\\') {
            if (i + 1 < section.size())
                literal = section[++i];
        } else if (c == u'0' || c == u'#') {
            seenPlaceholder = true;
            if (inDecimals) {
                ++decMax;
                if (c == u'0')
                    decMin = decMax;
            } else {
                if (c == u'0' && intRequired < 0)
                    intRequired = intPlaceholders;
                ++intPlaceholders;
            }
        } else if (c == u'.' && !inDecimals) {
            inDecimals = true;
            hasPoint = true;
            seenPlaceholder = true;
        } else if (c == u',' && seenPlaceholder && !inDecimals) {
            grouping = true;
        } else if (c == u'%') {
            percent = true;
            literal = c;
        } else {
            literal = c;
        }
        if (!literal.isEmpty())
            (seenPlaceholder ? suffix : prefix) += literal;
    }
    if (!seenPlaceholder)
        return prefix;

    if (percent)
        value *= 100;
    QString intDigits;
    QString frac;
    decimalRound(value, decMax, intDigits, frac);
    while (frac.size() > decMin && frac.endsWith(u'0'))
        frac.chop(1);
    const int minInt = intRequired < 0 ? 0 : intPlaceholders - intRequired;
    if (intDigits.size() < minInt)
        intDigits = QString(minInt - intDigits.size(), u'0') + intDigits;
    if (grouping && intDigits.size() > 3) {
        QString grouped;
        const qsizetype len = intDigits.size();
        for (qsizetype i = 0; i < len; ++i) {
            if (i > 0 && (len - i) % 3 == 0)
                grouped += u',';
            grouped += intDigits[i];
        }
        intDigits = grouped;
    }
    QString number = intDigits;
    if (hasPoint)
        number += u'.' + frac;
    return prefix + number + suffix;
}

void requireNonNegative(int length)
{
    if (length < 0)
        throw RuntimeError::make(5);
}

} // namespace

QString Format(double value, const QString& pattern)
{
    if (pattern.isEmpty() || !std::isfinite(value))
        return DoubleText(value);
    const QStringList sections = splitSections(pattern);
    if (value < 0) {
        if (sections.size() >= 2 && !sections[1].isEmpty())
            return formatSection(-value, sections[1]);
        return u'-' + formatSection(-value, sections[0]);
    }
    if (value == 0 && sections.size() >= 3 && !sections[2].isEmpty())
        return formatSection(0, sections[2]);
    return formatSection(value, sections[0]);
}

std::int16_t CInt(const QVariant& value)
{
    const double r = roundHalfEven(toNumber(value));
    if (!std::isfinite(r) || r < -32768 || r > 32767)
        throw RuntimeError::make(6);
    return static_cast<std::int16_t>(r);
}

std::int16_t CInt(const QString& text)
{
    return CInt(QVariant(text));
}

std::int32_t CLng(const QVariant& value)
{
    const double r = roundHalfEven(toNumber(value));
    if (!std::isfinite(r) || r < -2147483648.0 || r > 2147483647.0)
        throw RuntimeError::make(6);
    return static_cast<std::int32_t>(r);
}

double CDbl(const QVariant& value)
{
    return toNumber(value);
}

bool IsNumeric(const QVariant& value)
{
    if (!value.isValid())
        return false;
    const int id = value.metaType().id();
    if (id == QMetaType::Bool || isIntegralType(id))
        return true;
    if (id == QMetaType::Double || id == QMetaType::Float)
        return std::isfinite(value.toDouble());
    if (id == QMetaType::QString || id == QMetaType::QChar || id == QMetaType::QByteArray) {
        const QString text = id == QMetaType::QByteArray ? fromCp1252(value.toByteArray()) : value.toString();
        double out = 0;
        return parseNumber(text, out);
    }
    return false;
}

double Val(const QString& text)
{
    // Blanks and line feeds are skipped anywhere, as the run-time does; the number
    // ends at the first character that cannot continue it.
    QByteArray clean;
    bool sign = false;
    bool point = false;
    bool inExp = false;
    bool expSign = false;
    int digits = 0;
    int expDigits = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        if (inExp) {
            if ((c == u'+' || c == u'-') && !expSign && expDigits == 0) {
                expSign = true;
                clean.append(char(c.unicode()));
            } else if (isDigit(c)) {
                ++expDigits;
                clean.append(char(c.unicode()));
            } else {
                break;
            }
            continue;
        }
        if ((c == u'+' || c == u'-') && !sign && digits == 0 && !point) {
            sign = true;
            clean.append(char(c.unicode()));
        } else if (isDigit(c)) {
            ++digits;
            clean.append(char(c.unicode()));
        } else if (c == u'.' && !point) {
            point = true;
            clean.append('.');
        } else if ((c == u'e' || c == u'E' || c == u'd' || c == u'D') && digits > 0) {
            inExp = true;
            clean.append('e');
        } else {
            break;
        }
    }
    if (digits == 0)
        return 0;
    if (inExp && expDigits == 0) {
        // "12e" or "12e+" : the exponent is not there, the number stands alone.
        const qsizetype cut = clean.indexOf('e');
        clean.truncate(cut);
    }
    // A number too large for a double counts as no number: page data never throws.
    const double value = std::strtod(clean.constData(), nullptr);
    return std::isfinite(value) ? value : 0;
}

QString SingleText(float value)
{
    if (value == 0)
        return QStringLiteral("0");
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.7G", static_cast<double>(value));
    return QString::fromLatin1(buf);
}

QString DoubleText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", value);
    return QString::fromLatin1(buf);
}

QString CStr(const QVariant& value)
{
    if (!value.isValid())
        return QString();
    const int id = value.metaType().id();
    switch (id) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QChar:
        return QString(value.toChar());
    case QMetaType::QByteArray:
        return fromCp1252(value.toByteArray());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
        return DoubleText(value.toDouble());
    case QMetaType::Float:
        return SingleText(value.toFloat());
    default:
        break;
    }
    if (isIntegralType(id))
        return value.toString();
    throw RuntimeError::make(13);
}

int InStr(int start, const QString& text, const QString& find)
{
    if (start < 1)
        throw RuntimeError::make(5);
    if (start > text.size() + 1)
        return 0;
    if (find.isEmpty())
        return start;
    const qsizetype at = text.indexOf(find, start - 1, Qt::CaseSensitive);
    return at < 0 ? 0 : static_cast<int>(at + 1);
}

int InStr(const QString& text, const QString& find)
{
    return InStr(1, text, find);
}

int InStrRev(const QString& text, const QString& find)
{
    if (find.isEmpty())
        return static_cast<int>(text.size());
    const qsizetype at = text.lastIndexOf(find, -1, Qt::CaseSensitive);
    return at < 0 ? 0 : static_cast<int>(at + 1);
}

QString Mid(const QString& text, int start)
{
    if (start < 1)
        throw RuntimeError::make(5);
    if (start > text.size())
        return QString();
    return text.mid(start - 1);
}

QString Mid(const QString& text, int start, int length)
{
    if (start < 1)
        throw RuntimeError::make(5);
    requireNonNegative(length);
    if (start > text.size())
        return QString();
    return text.mid(start - 1, length);
}

QString Left(const QString& text, int length)
{
    requireNonNegative(length);
    return text.left(length);
}

QString Right(const QString& text, int length)
{
    requireNonNegative(length);
    return text.right(length);
}

QString LTrim(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    return text.mid(i);
}

QString RTrim(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    return text.left(end);
}

QStringView TrimView(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    while (begin < end && text[begin] == u' ')
        ++begin;
    return text.sliced(begin, end - begin);
}

QString Trim(const QString& text)
{
    const QStringView trimmed = TrimView(text);
    return trimmed.size() == text.size() ? text : trimmed.toString();
}

QString Replace(const QString& text, const QString& find, const QString& with)
{
    if (find.isEmpty() || text.isEmpty())
        return text;
    QString out = text;
    out.replace(find, with, Qt::CaseSensitive);
    return out;
}

bool EqualsNoCase(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace rt
