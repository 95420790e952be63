#include "shell/NewsHeadlines.h"

#include "platform/AppPath.h"
#include "platform/Codec.h"
#include "stockdata/EntryRules.h"

namespace {

constexpr QChar kLinkMark = QLatin1Char('#');

QString headlineFile(const QString& symbol)
{
    return AppPath() + QStringLiteral("/Cache/News/") + symbol + QStringLiteral(".txt");
}

} // namespace

QString PleaseUpdateNewsText()
{
    return QStringLiteral("Please Update For Latest News");
}

bool NewsHeadlinesMissing(const QString& symbol)
{
    return !IsFileSafeSymbol(symbol) || !FileExists(headlineFile(symbol));
}

QString LoadNewsHeadlines(const QString& symbol)
{
    if (!IsFileSafeSymbol(symbol))
        return QString();
    bool ok = false;
    const QByteArray bytes = ReadBytes(headlineFile(symbol), &ok);
    if (!ok)
        return QString();
    QString joined;
    joined.reserve(bytes.size());
    // Lines end with CR LF; a lone CR or LF ends one as well.
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        if (end - start >= 2)
            joined += fromCp1252(bytes.mid(start + 1, end - start - 2));
        if (end < n && bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return joined;
}

QStringList CollectHeadlineLinks(const QString& text)
{
    QStringList links;
    bool inLink = false;
    qsizetype opened = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != kLinkMark)
            continue;
        if (!inLink) {
            opened = i + 1;
        } else {
            links << text.mid(opened, i - opened);
        }
        inLink = !inLink;
    }
    return links;
}

QString StripHeadlineLinks(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    bool inLink = false;
    for (const QChar c : text) {
        if (c == kLinkMark)
            inLink = !inLink;
        else if (!inLink)
            shown += c;
    }
    return shown;
}
