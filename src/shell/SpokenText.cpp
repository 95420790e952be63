#include "shell/SpokenText.h"

#include "platform/DoEvents.h"
#include "services/SpeechSession.h"
#include "shell/NewsHeadlines.h"
#include "stockdata/ProgramState.h"

namespace {

QString headlines(const QString& symbol)
{
    return SpokenHeadlines(StripHeadlineLinks(LoadNewsHeadlines(symbol)));
}

} // namespace

QString SpokenText(int Index)
{
    QString text;
    switch (Index) {
    case 0:
        text = headlines(CurrentSymbol());
        break;
    case 1:
        text = SelectedStockPrices();
        DoEvents();
        break;
    case 2: {
        const int count = qBound(0, int(StockCount()), int(Stocks().size()));
        for (int i = 0; i < count; ++i) {
            const StockRec& row = Stocks()[std::size_t(i)];
            text += row.CompanyName + QStringLiteral(" news: ") + headlines(row.Symbol) + QStringLiteral("\r\n");
            DoEvents();
        }
        break;
    }
    case 3:
        text = AllStockPrices();
        DoEvents();
        break;
    default:
        break;
    }
    return text;
}
