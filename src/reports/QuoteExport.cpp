#include "reports/QuoteExport.h"

#include "core/Misc.h"
#include "core/clsSaveDialog.h"
#include "platform/AppPath.h"
#include "platform/BusyPointer.h"
#include "platform/Clock.h"
#include "platform/Codec.h"
#include "platform/Dialogs.h"
#include "platform/DoEvents.h"
#include "platform/Runtime.h"
#include "platform/Sites.h"
#include "reports/Reports.h"
#include "stockdata/ProgramState.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <algorithm>
#include <array>
#include <exception>

namespace QuoteExport {

namespace {

Q_LOGGING_CATEGORY(lcExport, "tradewright.reports.export")

const QChar kQ = QLatin1Char('"');

constexpr std::array<SlotInfo, SlotCount> kSlots{{
    {"Tab-Delimited.txt", "txt", "Text File", "txt"},
    {"Comma-Delimited", "txt", "Text File", "txt"},
    {"Quicken pre 5.0", "txt", "Text File", "txt"},
    {"Quicken 5.0 or later", "txt", "Text File", "txt"},
    {"MetaStock", "txt", "Text File", "txt"},
    {"Quote Link", "txt", "Text File", "txt"},
    {"Prodigy Quotetrack", "txt", "Text File", "txt"},
    {"Excel", "txt", "Excel File", "csv"},
    {"", "", "", ""},
    {"", "", "", ""},
    {"", "", "", ""},
    {"", "", "", ""},
    {"", "", "", ""},
    {"", "", "", ""},
    {"", "", "", ""},
    {"Stocks.XML", "xml", "XML File", "xml"},
}};

// The 20 standard columns: the set's fields in the order every text slot writes
// them (the percent change before the change, no last price).
using Field = QString StockRec::*;
constexpr std::array<Field, 20> kStandard{
    &StockRec::Symbol,  &StockRec::CompanyName, &StockRec::Change,     &StockRec::PctChange,
    &StockRec::Volume,  &StockRec::DayHigh,     &StockRec::DayLow,     &StockRec::Bid,
    &StockRec::Ask,     &StockRec::LastTradeSize, &StockRec::OpenPrice, &StockRec::PrevClose,
    &StockRec::YearHigh, &StockRec::YearLow,    &StockRec::EPS,        &StockRec::PERatio,
    &StockRec::DivPerShare, &StockRec::Exchange, &StockRec::Industry,  &StockRec::LastTradeTime};

// The XML element of each standard column, in the same order.
constexpr std::array<const char*, 20> kElements{
    "Symbol", "Name", "DChange", "PChange", "Volume", "TodayHigh", "TodayLow", "Bid", "Ask", "LTS",
    "Opens", "PreClose", "High52", "Low52", "EPS", "pe", "DPS", "Exchange", "industry", "LastUpdate"};

QString price(const QString& text, bool four)
{
    QString copy = text;
    return FormatP(copy, four);
}

// The volume in hundreds as a whole number; throws when the text is no number.
QString hundreds(const QString& volume)
{
    return rt::Format(rt::CDbl(QVariant(volume)) / 100.0, QStringLiteral("#"));
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Digits from at, moving at past them; with grouping a "," between two digits too.
bool skipDigits(QStringView t, qsizetype& at, bool grouping)
{
    const qsizetype start = at;
    while (at < t.size()
           && (isDigit(t[at])
               || (grouping && t[at] == QLatin1Char(',') && at > start && at + 1 < t.size() && isDigit(t[at + 1]))))
        ++at;
    return at > start;
}

// "n/d" from at, moving at past it.
bool skipFraction(QStringView t, qsizetype& at)
{
    qsizetype i = at;
    if (!skipDigits(t, i, false) || i >= t.size() || t[i] != QLatin1Char('/'))
        return false;
    ++i;
    if (!skipDigits(t, i, false))
        return false;
    at = i;
    return true;
}

// A number as the quote texts write it after their sign: an optional blank, then
// "1,234.56", ".25", "3/8" or "1 3/8", then an optional "%".
bool isQuoteNumber(QStringView t)
{
    qsizetype i = 0;
    if (i < t.size() && t[i] == QLatin1Char(' '))
        ++i;
    if (!skipFraction(t, i)) {
        const bool whole = skipDigits(t, i, true);
        if (i < t.size() && t[i] == QLatin1Char('.')) {
            ++i;
            if (!skipDigits(t, i, false) && !whole)
                return false;
        } else if (!whole) {
            return false;
        } else if (i < t.size() && t[i] == QLatin1Char(' ')) {
            ++i;
            if (!skipFraction(t, i))
                return false;
        }
    }
    if (i < t.size() && t[i] == QLatin1Char('%'))
        ++i;
    return i == t.size();
}

// What a spreadsheet would run as a formula: "=", "@", TAB or CR first, or a sign
// followed by anything but a number as the quote texts write it (a lone sign, as the
// quote parser stores a missing value, is no formula).
bool looksLikeFormula(const QString& t)
{
    if (t.isEmpty())
        return false;
    const QChar c0 = t[0];
    if (c0 == QLatin1Char('=') || c0 == QLatin1Char('@') || c0 == QLatin1Char('\t') || c0 == QLatin1Char('\r'))
        return true;
    if ((c0 == QLatin1Char('+') || c0 == QLatin1Char('-')) && t.size() > 1)
        return !isQuoteNumber(QStringView(t).mid(1));
    return false;
}

QString quoted(const QString& text)
{
    return kQ + text + kQ;
}

QString xmlText(QString text)
{
    // XML 1.0 has no place for the control characters but TAB, LF and CR.
    text.removeIf([](QChar c) {
        return c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r');
    });
    text.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    text.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    text.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    return text;
}

QString delimitedRow(const StockRec& r, QChar separator)
{
    QStringList fields;
    for (Field f : kStandard)
        fields << DelimitedField(r.*f, separator);
    return fields.join(separator);
}

QString xmlRecord(const StockRec& r)
{
    const QString pad(16, QLatin1Char(' '));
    QString out = QString(8, QLatin1Char(' ')) + QStringLiteral("<Stock>") + rt::CrLf;
    for (std::size_t k = 0; k < kStandard.size(); ++k) {
        const QLatin1String tag(kElements[k]);
        QString value = r.*kStandard[k];
        // The industry keeps its own rule: "&" becomes " and ", the whole in quotes.
        if (&StockRec::Industry == kStandard[k])
            value = quoted(value.replace(QLatin1Char('&'), QLatin1String(" and ")));
        out += pad + QLatin1Char('<') + tag + QLatin1Char('>') + xmlText(value) + QStringLiteral("</") + tag +
               QLatin1Char('>') + rt::CrLf;
    }
    out += QString(8, QLatin1Char(' ')) + QStringLiteral("</Stock>") + rt::CrLf;
    return out;
}

QString row(int slot, const StockRec& r, const QDate& today)
{
    switch (slot) {
    case 0:
    case ClipboardSlot:
        return delimitedRow(r, QLatin1Char('\t')) + rt::CrLf;
    case 1:
        return delimitedRow(r, QLatin1Char(',')) + rt::CrLf;
    case 2:
        return quoted(r.Symbol) + QLatin1Char(',') + quoted(price(r.LastPrice, true)) + QLatin1Char(',') +
               quoted(TradeDate(r.LastTradeTime, today)) + rt::CrLf;
    case 3:
        return QStringList{r.Symbol, hundreds(r.Volume), price(r.DayHigh, true), price(r.DayLow, true),
                           price(r.LastPrice, true), price(r.Change, true), TradeDate(r.LastTradeTime, today)}
                   .join(QLatin1Char(' ')) +
               rt::CrLf;
    case 4:
        return QStringList{r.Symbol,
                           QStringLiteral("d"),
                           TradeDate(r.LastTradeTime, today),
                           price(r.OpenPrice, true),
                           price(r.DayHigh, true),
                           price(r.DayLow, true),
                           price(r.LastPrice, true),
                           hundreds(r.Volume),
                           QStringLiteral("0")}
                   .join(QLatin1Char(',')) +
               rt::CrLf;
    case 5:
        return r.Symbol + QString(8, QLatin1Char(' ')) + price(r.LastPrice, false) + rt::CrLf;
    case 6:
        return quoted(r.Symbol) + QLatin1Char(',') + quoted(TradeDate(r.LastTradeTime, today)) + QLatin1Char(',') +
               quoted(price(r.LastPrice, false)) + rt::CrLf;
    case 7:
        return delimitedRow(r, QLatin1Char(',')) + QLatin1Char('\r');
    case XmlSlot:
        return xmlRecord(r);
    default:
        return QString();
    }
}

} // namespace

const SlotInfo& slotInfo(int slot)
{
    static constexpr SlotInfo none{"", "", "", ""};
    return slot >= 0 && slot < SlotCount ? kSlots[std::size_t(slot)] : none;
}

QString TradeDate(const QString& lastTradeTime, const QDate& today)
{
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    QString month = lastTradeTime.left(3);
    for (int m = 0; m < 12; ++m)
        if (month == QLatin1String(kMonths[m]))
            month = QStringLiteral("%1").arg(m + 1, 2, 10, QLatin1Char('0'));
    const QString year = QStringLiteral("%1").arg(today.year() % 100, 2, 10, QLatin1Char('0'));
    return month + QLatin1Char('/') + lastTradeTime.mid(4, 2) + QLatin1Char('/') + year;
}

QString DelimitedField(const QString& text, QChar separator)
{
    QString out = text;
    if (looksLikeFormula(out))
        out.prepend(QLatin1Char('\''));
    if (out.contains(separator) || out.contains(kQ) || out.contains(QLatin1Char('\r')) ||
        out.contains(QLatin1Char('\n'))) {
        out.replace(kQ, QStringLiteral("\"\""));
        out = quoted(out);
    }
    return out;
}

std::optional<QString> ExportText(int slot, std::span<const StockRec> records, int count, const QDate& today)
{
    if (slot < 0 || slot >= SlotCount)
        return QString();
    count = std::clamp(count, 0, int(records.size()));
    QString text;
    if (slot == 5)
        text = today.toString(QStringLiteral("MM/dd/yy")) + rt::CrLf;
    if (slot == XmlSlot)
        text = QStringLiteral("<?xml version=\"1.0\"?>") + rt::CrLf + QStringLiteral("<!--  Made By Tradewright 5.01 - ") +
               Sites::Address(Site::Maker, QString()) + QStringLiteral(" -->") + rt::CrLf + QStringLiteral("    <Stocks>") +
               rt::CrLf;
    try {
        for (int i = 0; i < count; ++i) {
            const StockRec& r = records[std::size_t(i)];
            // Quote Link writes every counted record; the others stop at the first
            // free row.
            if (slot != 5 && r.Symbol.isEmpty())
                break;
            text += row(slot, r, today);
        }
    } catch (const std::exception& e) {
        qCInfo(lcExport) << "slot" << slot << "cannot be written:" << e.what();
        return std::nullopt;
    }
    if (slot == XmlSlot)
        text += QStringLiteral("</Stocks>");
    return text;
}

void Export(int slot)
{
    BusyPointer busy(slot == XmlSlot);
    const std::optional<QString> text =
        ExportText(slot, std::span<const StockRec>(Stocks()), StockCount(), Clock::Now().date());
    busy.release();
    if (!text)
        return;
    if (slot == ClipboardSlot) {
        if (QClipboard* clipboard = QGuiApplication::clipboard())
            clipboard->setText(*text);
        return;
    }
    const SlotInfo& info = slotInfo(slot);
    clsSaveDialog dialog;
    if (*info.defaultName) {
        dialog.setDefaultFileName(QLatin1String(info.defaultName));
        dialog.setDefaultExtension(QLatin1String(info.extension));
        dialog.AddFilter(QLatin1String(info.filterDescription), QLatin1String(info.filterExtension));
    }
    dialog.ShowSave();
    if (dialog.FileName().isEmpty())
        return;
    // PathFile is already the whole path of the chosen file.
    const QString target = dialog.PathFile();
    DoEvents();
    RemoveInterruptedExports(QFileInfo(target).absolutePath());
    QString why;
    if (!ReplaceFile(target, toCp1252(*text), QByteArrayLiteral("\r\n"), true, &why)) {
        Reports::SayNotWritten(target, why, QStringLiteral("Export"));
        return;
    }
    DoEvents();
}

int RemoveInterruptedExports(const QString& folder)
{
    // The program folder's own saves and page fetches leave theirs there, and those
    // are cleared at start, when none can be running.
    const QString home = QDir::cleanPath(AppPath());
    const QString dir = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (dir == home || dir.startsWith(home + QLatin1Char('/')))
        return 0;
    return RemoveSaveTemps(dir);
}

} // namespace QuoteExport
