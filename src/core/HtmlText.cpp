#include "core/HtmlText.h"

namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isHexDigit(QChar c)
{
    return isAsciiDigit(c) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
           || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

// Whether text holds an entity at i (where an "&" stands): "&name;", "&#123;"
// or "&#x1F;".
bool entityAt(const QString& text, qsizetype i)
{
    qsizetype j = i + 1;
    const qsizetype n = text.size();
    if (j < n && text.at(j) == QLatin1Char('#')) {
        ++j;
        const bool hex = j < n && (text.at(j) == QLatin1Char('x') || text.at(j) == QLatin1Char('X'));
        if (hex)
            ++j;
        const qsizetype digits = j;
        while (j < n && (hex ? isHexDigit(text.at(j)) : isAsciiDigit(text.at(j))))
            ++j;
        return j > digits && j < n && text.at(j) == QLatin1Char(';');
    }
    if (j >= n || !isAsciiLetter(text.at(j)))
        return false;
    while (j < n && (isAsciiLetter(text.at(j)) || isAsciiDigit(text.at(j))))
        ++j;
    return j < n && text.at(j) == QLatin1Char(';');
}

QString escape(const QString& text, bool quotes)
{
    QString out;
    qsizetype copied = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        QLatin1StringView entity;
        if (c == QLatin1Char('<'))
            entity = QLatin1StringView("&lt;");
        else if (c == QLatin1Char('>'))
            entity = QLatin1StringView("&gt;");
        else if (c == QLatin1Char('&') && !entityAt(text, i))
            entity = QLatin1StringView("&amp;");
        else if (quotes && c == QLatin1Char('"'))
            entity = QLatin1StringView("&quot;");
        else
            continue;
        if (out.isEmpty())
            out.reserve(text.size() + 16);
        out.append(QStringView(text).mid(copied, i - copied));
        out.append(entity);
        copied = i + 1;
    }
    if (copied == 0)
        return text;
    out.append(QStringView(text).mid(copied));
    return out;
}

} // namespace

QString EscapeHtmlText(const QString& text)
{
    return escape(text, false);
}

QString EscapeHtmlAttribute(const QString& text)
{
    return escape(text, true);
}
