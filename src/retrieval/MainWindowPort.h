#pragma once

#include <QString>

#include <cstdint>

// What the page retrieval needs of the main window: its run flags and the texts
// and pictures it shows while pages come in. The main window implements the port;
// tests implement it with a recorder. Nothing here knows about widgets.

// The main window's run fields. One instance, held by the main window; they all
// start as zero, false or empty.
struct RunState
{
    QString OrigCaption;            // the title as the window loaded; every status title starts with it
    bool StopFlag = false;          // true asks every download to stop
    bool OneStockOnly = false;      // per-stock downloaders fetch CurrentSymbol only
    bool SockBusy = false;          // the socket is connected and its reply not yet written
    std::int16_t UpdateTotal = 0;   // items ticked when the run counted them
    std::int16_t UpdateRemaining = 0;
    std::int16_t AutoUpdateCount = 0;
};

class MainWindowPort
{
public:
    virtual ~MainWindowPort() = default;

    virtual RunState& runState() = 0;

    // The window's title bar.
    virtual QString caption() const = 0;
    virtual void setCaption(const QString& text) = 0;
    // The status text panel Panel1(6).
    virtual void setStatusText(const QString& text) = 0;

    // The stock strip: lblSbl(slot) for slot 0..6 ("" when the slot is free).
    virtual QString stripSymbol(int slot) const = 0;
    // ScaleWidth of the first gauge picture img(0), in its own scale units.
    virtual int gaugeScaleWidth() const = 0;
    // Shows gauge picture img(slot), clears it and copies the 8 x 10 marker to it at (x, 0).
    virtual void drawGaugeMarker(int slot, int x) = 0;
    // Hides gauge picture img(slot).
    virtual void hideGauge(int slot) = 0;
};
