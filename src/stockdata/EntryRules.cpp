#include "stockdata/EntryRules.h"

#include "pages/PageCatalogue.h"
#include "platform/AppPath.h"
#include "platform/Clock.h"
#include "platform/Codec.h"
#include "platform/Runtime.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>
#include <limits>

namespace {

// What may be typed into a symbol.
bool isTypedSymbolChar(QChar c)
{
    const ushort u = c.unicode();
    if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9'))
        return true;
    return u == '.' || u == '-' || u == '^' || u == '=';
}

} // namespace

bool IsFileSafeSymbol(const QString& symbol)
{
    if (symbol.isEmpty() || symbol.startsWith(u'.'))
        return false;
    for (QChar c : symbol) {
        if (c == u'/' || c == u'\\' || c.unicode() < 32 || c.unicode() == 127)
            return false;
    }
    return true;
}

std::optional<QString> NormaliseSymbol(const QString& typed)
{
    const QString symbol = typed.trimmed().toUpper();
    if (!IsFileSafeSymbol(symbol))
        return std::nullopt;
    for (QChar c : symbol)
        if (!isTypedSymbolChar(c))
            return std::nullopt;
    return symbol;
}

QString InvalidSymbolText()
{
    return QStringLiteral("A stock symbol holds only letters, digits and the characters . - ^ =\r\n"
                          "Please try again.");
}

QString InvalidSymbolTitle()
{
    return QStringLiteral("Invalid stock symbol");
}

QString PercentEncodeQuery(const QString& value)
{
    return PercentEncode(value, "");
}

QString PercentEncode(const QString& value, const char* alsoKeep)
{
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    for (const char byte : toCp1252(value)) {
        const auto b = static_cast<unsigned char>(byte);
        if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' || b == '.' ||
            b == '_' || b == '~' || (b > ' ' && b < 127 && std::strchr(alsoKeep, char(b)))) {
            out += QLatin1Char(char(b));
        } else {
            out += QLatin1Char('%');
            out += QLatin1Char(hex[b >> 4]);
            out += QLatin1Char(hex[b & 15]);
        }
    }
    return out;
}

QString ShortDateText(const QDate& date)
{
    return date.toString(QStringLiteral("M/d/yyyy"));
}

QString TodayText()
{
    return ShortDateText(Clock::Now().date());
}

bool IsDateText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    static const char* const forms[] = {"M/d/yyyy", "M/d/yy",     "yyyy-M-d",     "d-MMM-yy",
                                        "d-MMM-yyyy", "MMM d, yyyy", "MMMM d, yyyy", "d MMM yyyy"};
    for (const char* form : forms)
        if (QDate::fromString(t, QString::fromLatin1(form)).isValid())
            return true;
    return false;
}

bool IsNumber(const QString& text)
{
    return rt::IsNumeric(QVariant(text));
}

double NumberOf(const QString& text)
{
    try {
        if (IsNumber(text))
            return rt::CDbl(QVariant(text));
    } catch (const std::exception&) {
        // Too large to be a number: it reads as 0, like any other text.
    }
    return 0;
}

std::optional<float> AlertValue(const QString& text)
{
    if (!IsNumber(text))
        return std::nullopt;
    const double v = NumberOf(text);
    if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(v);
}

QString NumbersOnlyText()
{
    return QStringLiteral("Please type numbers.");
}

QString NumbersOnlyTitle()
{
    return QStringLiteral("Numbers only");
}

namespace {

const QString kSymbol = QStringLiteral("{SYM}_");

// The file names of the per-stock downloads that write one file per stock
// ({SYM}_ABS.Sh and so on), in the order of their update boxes.
const QStringList& perStockFileNames()
{
    static const QStringList names = [] {
        std::vector<const pages::Download*> rows;
        for (const pages::PageKind& kind : pages::Catalogue())
            for (const pages::Download& d : kind.downloads)
                if (kind.scope == pages::Scope::PerStock && d.fileName.startsWith(kSymbol))
                    rows.push_back(&d);
        std::stable_sort(rows.begin(), rows.end(),
                         [](const pages::Download* a, const pages::Download* b) { return a->firstItem < b->firstItem; });
        QStringList list;
        for (const pages::Download* d : rows)
            list << d->fileName;
        return list;
    }();
    return names;
}

} // namespace

const QStringList& PerStockPageKinds()
{
    // Annual balance sheet and income statement, estimates, quarterly filings,
    // insider trades, options, splits, upgrades, downgrades, momentum, broker
    // reports, profile, short interest: the part of the name between "_" and the
    // extension.
    static const QStringList kinds = [] {
        QStringList list;
        for (const QString& name : perStockFileNames())
            list << name.mid(kSymbol.size(), name.lastIndexOf(u'.') - kSymbol.size());
        return list;
    }();
    return kinds;
}

QStringList PerStockCacheFiles(const QString& symbol)
{
    QStringList files;
    if (!IsFileSafeSymbol(symbol))
        return files;
    const QString folder = AppPath() + QStringLiteral("/Cache/DataSheet/");
    for (const QString& name : perStockFileNames())
        files << folder + QString(name).replace(QLatin1String("{SYM}"), symbol);
    return files;
}

int DeleteStockCache(const QString& symbol)
{
    int deleted = 0;
    // Names are matched without regard to case, so one page may have been written
    // under two spellings: remove every one of them.
    for (const QString& file : PerStockCacheFiles(symbol))
        for (int spelling = 0; spelling < 4 && FileExists(file) && RemoveFile(file); ++spelling)
            ++deleted;
    return deleted;
}
