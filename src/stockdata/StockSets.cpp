#include "stockdata/StockSets.h"

#include "core/Settings.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Stocks.h"

bool StockSets::makeCurrent(int index)
{
    if (index < 0 || index >= kStockSets)
        return false;
    Settings::SaveSetting(QString::fromLatin1(Settings::LastGroup), QString::number(index));
    CurrentSet() = std::int16_t(index);
    ReadStocks();
    emit currentSetChanged(index);
    return true;
}
