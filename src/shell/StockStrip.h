#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <functional>

// The stock strip of the main window: seven slots, each a symbol label lblSbl(k)
// and a recommendation gauge img(k) to its right, filled from the current set,
// scrolled through it, and re-based on the stock the user selects. The strip's only
// state is what its controls show, kept here; the window draws its widgets from it
// after every change, and tests read it directly.

inline constexpr int kSlotCount = 7;
inline constexpr int kHighlightColour = 0xFF0000;  // BGR: pure blue

struct StripSlot
{
    QString caption = QStringLiteral(" ");  // the symbol; "" for a free slot (a blank at the start)
    bool bold = false;
    int foreColor = 0;                      // BGR
    bool labelVisible = true;
    bool gaugeVisible = true;
    QString picture;                        // the gauge's bitmap name; "" = no picture
    int markerX = -1;                       // the marker's column on the gauge; -1 = none drawn
    bool framed = false;                    // the press border

    bool operator==(const StripSlot&) const = default;
};

// The rating the strip shows for a symbol: its AvgRecommendation in the set turned
// into its decimal text and read back, so a stored 2.3 counts as 2.3; 0 when absent.
double StripRating(const QString& symbol);

class StockStrip
{
public:
    std::array<StripSlot, kSlotCount> items;

    // img(0)'s inner size in pixels (the width places the marker).
    int gaugeScaleWidth = 305;
    int gaugeScaleHeight = 21;

    // Whether slot k's label fits above the down arrow (the window's geometry).
    std::function<bool(int slot)> fits;
    // Called after every change, for the window to redraw.
    std::function<void()> changed;

    // Symbols of rows 0 to 6 that have more than one character go into the slots
    // from slot 0 on; the slots after them keep their captions.
    void LoadPrices();
    // Redraws the gauges: each slot's marker at its stock's rating; a rating of 0 or
    // less hides the gauge; the first empty caption hides its gauge and ends.
    void ShowRec();
    // Empties every label and hides every gauge.
    void ClearStockBar();
    // Moves the strip one row through the set: towards earlier rows when up.
    void ScrollStockBar(bool up);
    // Puts symbol's row at the top of the strip (rows past the set empty their
    // slots) and highlights slot 0; false (the captions kept) when the set has no
    // such symbol. Selecting the stock is StockSelection's.
    bool ShowStockHeader(const QString& symbol);

    // The horizontal splitter's strip passes: shows the labels that fit and hides
    // the slots that do not (returns the last fitting slot, -1 when none), then
    // draws the gauges of the fitting slots.
    int SlotFitPass();
    void GaugePass(int lastFitting);

    // Bold blue when caption is CurrentSymbol, else regular black.
    void highlight(int slot);
    void setHighlight(int slot, bool on);

    void notify() const
    {
        if (changed)
            changed();
    }

private:
    void drawGauge(int slot, double r);
};
