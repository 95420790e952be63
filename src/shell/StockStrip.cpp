#include "shell/StockStrip.h"

#include "core/ErrorLog.h"
#include "platform/DoEvents.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "shell/GaugeSkins.h"
#include "shell/PaneLayout.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Stocks.h"

#include <exception>

double StripRating(const QString& symbol)
{
    const float stored = GetRecommendation(symbol);
    bool ok = false;
    const double r = rt::SingleText(stored).toDouble(&ok);
    return ok ? r : double(stored);
}

void StockStrip::LoadPrices()
{
    try {
        int k = 0;
        for (int i = 0; i <= 6; ++i) {
            const QString& symbol = Stocks()[i].Symbol;
            if (symbol.size() > 1)
                items[k++].caption = symbol;
        }
    } catch (const RuntimeError& e) {
        LogError(e, QStringLiteral("frmMain_LoadPrices"));
    } catch (const std::exception& e) {
        LogError(QString::fromUtf8(e.what()), 5, QStringLiteral("Tradewright"), QStringLiteral("frmMain_LoadPrices"),
                 false);
    }
    notify();
}

void StockStrip::drawGauge(int k, double r)
{
    StripSlot& slot = items[k];
    slot.gaugeVisible = true;
    slot.markerX = -1;  // Cls: the drawing goes, the picture stays
    if (slot.picture.isEmpty())
        slot.picture = SkinName();
    slot.markerX = GaugeMarkerX(r, gaugeScaleWidth);
}

void StockStrip::ShowRec()
{
    try {
        for (int k = 0; k < kSlotCount; ++k) {
            StripSlot& slot = items[k];
            if (slot.caption.isEmpty()) {
                slot.gaugeVisible = false;
                break;
            }
            const double r = StripRating(slot.caption);
            if (r <= 0) {
                slot.gaugeVisible = false;
                continue;
            }
            drawGauge(k, r);
        }
    } catch (const RuntimeError& e) {
        LogError(e, QStringLiteral("frmMain_ShowRec"));
    } catch (const std::exception& e) {
        LogError(QString::fromUtf8(e.what()), 5, QStringLiteral("Tradewright"), QStringLiteral("frmMain_ShowRec"),
                 false);
    }
    notify();
}

void StockStrip::ClearStockBar()
{
    for (StripSlot& slot : items) {
        slot.caption.clear();
        slot.gaugeVisible = false;
    }
    notify();
}

void StockStrip::setHighlight(int k, bool on)
{
    items[k].bold = on;
    items[k].foreColor = on ? kHighlightColour : 0;
}

void StockStrip::highlight(int k)
{
    setHighlight(k, !CurrentSymbol().isEmpty() && items[k].caption == CurrentSymbol());
}

void StockStrip::ScrollStockBar(bool up)
{
    const QString first = items[0].caption;
    const int n = StockCount();
    int slot = 0;
    // Every row 0..n holding the first slot's symbol moves the strip; row n is the
    // empty row after the set, so a strip whose first slot is empty can come back.
    for (int i = 0; i <= n && i <= kLastStockRow; ++i) {
        if (Stocks()[i].Symbol != first)
            continue;
        if (up) {
            slot = 0;
            for (int j = i - 1; j <= i + 5; ++j) {
                if (j < 0 || j >= n || slot == kSlotCount) {
                    notify();
                    return;
                }
                items[slot].caption = Stocks()[j].Symbol;
                highlight(slot);
                ++slot;
            }
        } else {
            for (int j = i + 1; j <= i + 7; ++j) {
                if (j > n || slot > kSlotCount - 1) {
                    notify();
                    return;
                }
                items[slot].labelVisible = fits ? fits(slot) : true;
                // A row past the table's end (a full set) leaves the caption alone.
                if (j <= kLastStockRow)
                    items[slot].caption = Stocks()[j].Symbol;
                highlight(slot);
                ++slot;
            }
        }
    }
    notify();
}

bool StockStrip::ShowStockHeader(const QString& symbol)
{
    for (int k = 0; k < kSlotCount; ++k)
        setHighlight(k, false);

    int found = -1;
    for (int i = 0; i <= StockCount() && i <= kLastStockRow; ++i) {
        if (Stocks()[i].Symbol == symbol) {
            found = i;
            break;
        }
    }
    if (found >= 0) {
        for (int k = 0; k < kSlotCount; ++k) {
            const int j = found + k;
            if (j > kLastStockRow)
                continue;
            if (Stocks()[j].Symbol.isEmpty()) {
                items[k].picture.clear();
                items[k].markerX = -1;
                items[k].caption.clear();
            } else {
                items[k].caption = Stocks()[j].Symbol;
                ShowRec();
            }
        }
    }
    setHighlight(0, true);
    notify();
    DoEvents();
    return found >= 0;
}

int StockStrip::SlotFitPass()
{
    int last = -1;
    for (int i = 0; i < kSlotCount; ++i) {
        if (!fits || fits(i)) {
            items[i].labelVisible = true;
            last = i;
        } else {
            items[i].labelVisible = false;
            items[i].gaugeVisible = false;
        }
    }
    notify();
    return last;
}

void StockStrip::GaugePass(int lastFitting)
{
    for (int i = 0; i <= lastFitting && i < kSlotCount; ++i) {
        if (items[i].caption.isEmpty())
            continue;
        const double r = StripRating(items[i].caption);
        if (r <= 0) {
            items[i].gaugeVisible = false;
            continue;
        }
        drawGauge(i, r);
    }
    notify();
}
