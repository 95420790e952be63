#include "stockdata/Globals.h"

#include "platform/FlexGrid.h"

std::array<StockRec, kStockRows> Stocks;
std::int16_t StockCount = 0;
std::int16_t CurrentSet = 0;
QString CurrentSymbol;
std::int16_t CurrentIndex = 0;

std::array<USRec, kUSRows> USIndexes;

std::array<PortRec, kTransRows> Transactions;
std::int16_t TransCount = 0;
std::array<QString, kPortSymbols> PortSymbols;

QString CurrentView;
bool ZoomMode = false;
QPointer<FlexGrid> ZoomGrid;
int StdRowHeight = FlexGrid::DefaultRowHeight;

QString TransMode;
QString TransSymbol;
std::int16_t TransactionId = 0;
std::int16_t TransRow = 0;
double LotPrice = 0;
std::int16_t LotShares = 0;

void ResetStockDataGlobals()
{
    Stocks.fill(StockRec());
    StockCount = 0;
    CurrentSet = 0;
    CurrentSymbol.clear();
    CurrentIndex = 0;
    USIndexes.fill(USRec());
    Transactions.fill(PortRec());
    TransCount = 0;
    PortSymbols.fill(QString());
    CurrentView.clear();
    ZoomMode = false;
    ZoomGrid = nullptr;
    StdRowHeight = FlexGrid::DefaultRowHeight;
    TransMode.clear();
    TransSymbol.clear();
    TransactionId = 0;
    TransRow = 0;
    LotPrice = 0;
    LotShares = 0;
}
