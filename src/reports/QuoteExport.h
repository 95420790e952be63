#pragma once

#include "stockdata/Records.h"

#include <QDate>
#include <QString>

#include <optional>
#include <span>

// The export of the current set's quotes in one of sixteen slots: tab and comma
// text, two personal-finance formats, a charting format, two quote-service formats,
// a spreadsheet file, six slots without a format of their own, the clipboard and
// XML. The text is built whole in memory, then written once to the file the user
// picks (or put on the clipboard).
namespace QuoteExport {

inline constexpr int SlotCount = 16;
inline constexpr int ClipboardSlot = 14;
inline constexpr int XmlSlot = 15;

// What the Save-As dialog proposes for a slot; all empty for the slots without a
// format (8-13) and the clipboard.
struct SlotInfo
{
    const char* defaultName;
    const char* extension;
    const char* filterDescription;
    const char* filterExtension;
};
const SlotInfo& slotInfo(int slot);

// The slot's whole text for the first count records (count never above the table),
// today giving the year of the trade dates and the Quote Link header. The text
// has no final line end: the file writer adds one. nullopt when a record cannot be
// written in the slot (a volume that is no number in slots 3 and 4). A slot outside
// 0-15 gives an empty text.
std::optional<QString> ExportText(int slot, std::span<const StockRec> records, int count, const QDate& today);

// The trade date MM/DD/YY of a "Mon dd ..." time text.
QString TradeDate(const QString& lastTradeTime, const QDate& today);

// A field of the tab, comma, spreadsheet and clipboard slots: a text a
// spreadsheet would run as a formula ("=", "@", TAB or CR first, or "+" or "-"
// first when the whole field is not a lone sign or a number as the quote texts
// write it: "-1,234.5", "+ 3/8", "-1 1/4", "+0.48%") gets a leading apostrophe; a field holding
// separator, a double quote or a line break is quoted, its quotes doubled.
QString DelimitedField(const QString& text, QChar separator);

// The export of the current set (Stocks, StockCount) in slot: the clipboard for
// slot 14, else the Save-As dialog and one write at the chosen path. Cancel writes
// and shows nothing; a target that cannot be written gets a message. The temporary
// files an earlier export into that folder left when it was cut short go first.
void Export(int slot);

// Removes the temporary files of interrupted writes (".<name>.tw-save-XXXXXX")
// directly inside folder, unless it is the program folder or below it (the
// program's own saves and fetches work there). Returns how many went.
int RemoveInterruptedExports(const QString& folder);

} // namespace QuoteExport
