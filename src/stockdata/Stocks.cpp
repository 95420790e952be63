#include "stockdata/Stocks.h"

#include "core/ErrorLog.h"
#include "core/Misc.h"
#include "platform/AppPath.h"
#include "platform/RuntimeError.h"
#include "stockdata/DataFile.h"
#include "stockdata/Portfolio.h"
#include "stockdata/ProgramState.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const QString kFileSource = QStringLiteral("Tradewright");

RuntimeError fileError(const QString& path)
{
    return RuntimeError(75, QStringLiteral("Path/File access error: ") + path, kFileSource);
}

// Last row the stock-count-bounded lookups look at.
int countedLastRow()
{
    return std::clamp<int>(StockCount(), 0, kLastStockRow);
}

// First row in 0..last holding symbol, or -1.
int firstRow(const QString& symbol, int last)
{
    for (int i = 0; i <= last; ++i)
        if (Stocks()[i].Symbol == symbol)
            return i;
    return -1;
}

// The part of a row that clearing and packing handle: fields 1 to 26.
void clearHead(StockRec& r)
{
    const StockRec empty;
    StockRec kept = empty;
    kept.MarketCap = r.MarketCap;
    kept.AvgVolume = r.AvgVolume;
    kept.DivDate = r.DivDate;
    kept.Yield = r.Yield;
    r = kept;
}

} // namespace

QString SetFilePath(int set)
{
    return AppPath() + QStringLiteral("/Set") + QString::number(set) + QStringLiteral(".dat");
}

QString USFilePath()
{
    return AppPath() + QStringLiteral("/US.dat");
}

namespace {

using SetTable = std::array<StockRec, kStockRows>;

auto& unsavedSets()
{
    return programState().UnsavedSets;
}

// Writes the waiting table of set; true when none waits any more.
bool saveWaitingSet(int set)
{
    const auto at = unsavedSets().find(set);
    if (at == unsavedSets().end())
        return true;
    const std::shared_ptr<SetTable> table = at->second;
    return SaveOtherSet(set, *table);
}

int countUsedRows()
{
    int count = 0;
    for (const StockRec& r : Stocks())
        if (!r.Symbol.isEmpty())
            ++count;
    return count;
}

} // namespace

bool ReadStocks()
{
    // A table whose write failed stays as the user left it (the file holds less): the
    // current set's in memory, another set's until that set is read again. Only a
    // table made over a set file that could not be read gives way to the file.
    ProgramState& state = programState();
    const int unsaved = state.StocksUnsavedSet;
    if (!SaveChangedStocks() && !datafile::unread(SetFilePath(unsaved))) {
        if (unsaved == CurrentSet())
            return false;
        unsavedSets()[unsaved] = std::make_shared<SetTable>(Stocks());
    }
    state.StocksUnsavedSet = -1;
    if (!saveWaitingSet(CurrentSet())) {
        Stocks() = *unsavedSets()[CurrentSet()];
        unsavedSets().erase(CurrentSet());
        state.StocksUnsavedSet = CurrentSet();
        StockCount() = static_cast<std::int16_t>(countUsedRows());
        return false;
    }
    try {
        Stocks().fill(StockRec());
        if (CurrentSet() < 0 || CurrentSet() >= kStockSets)
            throw RuntimeError(9, QStringLiteral("Subscript out of range"), kFileSource);
        const QString path = SetFilePath(CurrentSet());
        if (readTableFile(path, Stocks()) == DataFileStatus::Failed)
            throw fileError(path);
        StockCount() = static_cast<std::int16_t>(countUsedRows());
        return true;
    } catch (const RuntimeError& e) {
        LogError(e, QStringLiteral("Stocks_ReadStocks"), false);
    }
    return false;
}

namespace {

bool saveSet(int set)
{
    try {
        if (set < 0 || set >= kStockSets)
            throw RuntimeError(9, QStringLiteral("Subscript out of range"), kFileSource);
        const QString path = SetFilePath(set);
        QString why;
        const bool written = writeTableFile(path, Stocks(), &why);
        // A table that could not be written stays marked: the next save writes it,
        // and the file is not read over it meanwhile.
        if (written && programState().StocksUnsavedSet == set)
            programState().StocksUnsavedSet = -1;
        else if (!written)
            programState().StocksUnsavedSet = std::int16_t(set);
        if (ReportSave(path, written, why))
            throw fileError(path);
        return written;
    } catch (const RuntimeError& e) {
        LogError(e, QStringLiteral("Stocks_SaveStocks"), false);
    }
    return false;
}

} // namespace

bool SaveOtherSet(int set, const std::array<StockRec, kStockRows>& table)
{
    const QString path = SetFilePath(set);
    QString why;
    const bool written = writeTableFile(path, table, &why);
    if (ReportSave(path, written, why))
        LogError(fileError(path), QStringLiteral("Stocks_SaveStocks"), false);
    if (written)
        unsavedSets().erase(set);
    else if (!datafile::unread(path))
        unsavedSets()[set] = std::make_shared<SetTable>(table);
    return written;
}

bool ReadOtherSet(int set, std::array<StockRec, kStockRows>& table)
{
    const auto at = unsavedSets().find(set);
    if (at != unsavedSets().end()) {
        table = *at->second;
        return true;
    }
    table.fill(StockRec());
    return readTableFile(SetFilePath(set), table) != DataFileStatus::Failed;
}

bool SaveStocks()
{
    return saveSet(CurrentSet());
}

void MarkStocksChanged()
{
    ProgramState& s = programState();
    if (s.StocksUnsavedSet >= 0 && s.StocksUnsavedSet != s.CurrentSet)
        SaveChangedStocks();
    s.StocksUnsavedSet = s.CurrentSet;
}

bool SaveChangedStocks()
{
    const int set = programState().StocksUnsavedSet;
    return set < 0 || saveSet(set);
}

bool SaveChangedTables()
{
    bool stocks = SaveChangedStocks();
    std::vector<int> waiting;
    for (const auto& set : unsavedSets())
        waiting.push_back(set.first);
    for (const int set : waiting)
        stocks = saveWaitingSet(set) && stocks;
    return SaveChangedPortfolio() && stocks;
}

std::int16_t FindSymbol(const QString& symbol)
{
    const int row = firstRow(symbol, countedLastRow());
    return static_cast<std::int16_t>(row < 0 ? 0 : row);
}

std::optional<std::int16_t> LookupSymbol(const QString& symbol)
{
    if (symbol.isEmpty())
        return std::nullopt;
    const int row = firstRow(symbol, countedLastRow());
    if (row < 0)
        return std::nullopt;
    return static_cast<std::int16_t>(row);
}

std::optional<std::int16_t> SelectedStockRow(const QString& symbol)
{
    const int row = firstRow(symbol, kLastStockRow - 1);
    if (row < 0)
        return std::nullopt;
    return static_cast<std::int16_t>(row);
}

QString GetStockLine(const QString& symbol)
{
    const std::optional<std::int16_t> row = SelectedStockRow(symbol);
    if (!row)
        return QString();
    CurrentIndex() = *row;
    const StockRec& r = Stocks()[std::size_t(*row)];
    const QStringList fields{r.CompanyName, r.Change,   r.PctChange,   r.Volume,   r.DayHigh,
                             r.DayLow,      r.Bid,      r.Ask,         r.LastTradeSize, r.OpenPrice,
                             r.PrevClose,   r.YearHigh, r.YearLow,     r.EPS,      r.PERatio,
                             r.DivPerShare, r.Exchange, r.Industry,    r.LastTradeTime};
    return fields.join(QLatin1Char(';'));
}

QString GetLastPrice(const QString& symbol)
{
    const int row = firstRow(symbol, kLastStockRow - 1);
    if (row < 0)
        return QString();
    QString price = Stocks()[row].LastPrice;  // FormatP may rewrite its argument; keep the stored text
    return FormatP(price, false);
}

void ClearSetRow(std::int16_t row)
{
    if (row < 0 || row > kLastStockRow)
        return;
    clearHead(Stocks()[row]);
}

void PackSet()
{
    std::array<StockRec, kStockRows> scratch;
    int k = 0;
    for (const StockRec& r : Stocks()) {
        if (r.Symbol.isEmpty())
            continue;
        StockRec head = r;  // only fields 1 to 26 travel; the quote-page extras are dropped
        head.MarketCap.clear();
        head.AvgVolume.clear();
        head.DivDate.clear();
        head.Yield.clear();
        scratch[k++] = std::move(head);
    }
    Stocks() = scratch;
}

QString GetSelectedName()
{
    if (CurrentSymbol().isEmpty())
        return QString();
    const int row = firstRow(CurrentSymbol(), countedLastRow());
    if (row < 0)
        return QString();
    const QString& name = Stocks()[row].CompanyName;
    return name.size() >= 2 ? name : CurrentSymbol();
}

float GetRecommendation(const QString& symbol)
{
    const int row = firstRow(symbol, kLastStockRow);
    return row < 0 ? 0.0f : Stocks()[row].AvgRecommendation;
}

int GaugeMarkerX(double rating, int width)
{
    // A rating that is not a number (a damaged file) stands at the left end, as 5.
    const double r = std::isnan(rating) ? 5.0 : std::clamp(rating, 1.0, 5.0);
    const double w = width;
    // nearbyint follows the default rounding mode, which rounds halves to even.
    return int(std::nearbyint(((5 - r) * (w - w * 6.5 / 100) + r * (w * 2.5 / 100)) / 4));
}

bool SaveUS()
{
    return writeTableFile(USFilePath(), USIndexes());
}

bool LoadUS()
{
    USIndexes().fill(USRec());
    return readTableFile(USFilePath(), USIndexes()) != DataFileStatus::Failed;
}
