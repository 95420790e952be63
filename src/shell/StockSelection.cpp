#include "shell/StockSelection.h"

#include "pages/PageCatalogue.h"
#include "platform/FlexGrid.h"
#include "platform/SkipFailedSteps.h"
#include "sheets/MainGridEvents.h"
#include "shell/StockStrip.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Stocks.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcSelection, "tradewright.shell.selection")

const SkipFailedSteps selectStep(lcSelection, "selecting a stock");

} // namespace

bool StripRedrawsView(const QString& code)
{
    const pages::View* view = pages::FindView(code);
    return view && view->stripRedraws;
}

bool StockSelection::makeCurrent(const QString& symbol)
{
    CurrentSymbol() = symbol;
    const std::optional<std::int16_t> row = SelectedStockRow(symbol);
    if (row)
        CurrentIndex() = *row;
    return row.has_value();
}

void StockSelection::feedTicker()
{
    selectStep([&] { m_window.tickerMenuClick(m_window.tickerPricesChecked() ? 1 : 0); });
}

void StockSelection::ShowStockHeader(const QString& symbol)
{
    makeCurrent(symbol);
    bool inStrip = false;
    selectStep([&] { inStrip = m_strip.ShowStockHeader(symbol); });
    if (inStrip)
        feedTicker();
}

void StockSelection::img_Click(int slot)
{
    if (slot < 0 || slot >= kSlotCount)
        return;
    const QString symbol = m_strip.items[std::size_t(slot)].caption;
    if (symbol.trimmed().isEmpty())
        return;
    makeCurrent(symbol);
    selectStep([&] { m_window.showStockInTree(symbol); });
    for (int k = 0; k < kSlotCount; ++k)
        m_strip.setHighlight(k, k == slot);
    m_strip.notify();
    feedTicker();
    // The stock's sheets show the new stock; the quotes view selects its row.
    const QString view = CurrentView();
    if (StripRedrawsView(view))
        selectStep([&] { m_window.redrawStockView(view); });
    else if (view == QLatin1String("Current"))
        selectStep([&] { SelectStockRow(m_grid); });
}
