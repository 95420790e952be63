#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The main window's two command surfaces as state: the seven oval buttons
// Picture1(0..6) with their faces, and the status-bar labels Panel1(0..7) with
// their pressed look and the outline Rect. The window draws its widgets from it.

inline constexpr int kButtonCount = 7;
inline constexpr int kPanelCount = 8;

// The captions under the buttons, their tool tips, and the status-bar labels'.
const std::array<const char*, kButtonCount>& ButtonCaptions();   // "Update", "Ticker", ...
const std::array<const char*, kButtonCount>& ButtonToolTips();
const std::array<const char*, kPanelCount>& PanelCaptions();     // "Start" ... "Reports", "", ""
const std::array<const char*, kPanelCount>& PanelToolTips();

class ButtonBar
{
public:
    // The face each button shows: "B1" up, "B2" down, "B3" hover, "B4" busy.
    std::array<QString, kButtonCount> face;
    bool BarHover = false;
    // lblDesc(0): "Update" while idle, "Stop" while a run is under way.
    QString updateCaption = QStringLiteral("Update");
    // The Stocks button Picture1(4) (the Groups label follows the same rule).
    bool stocksEnabled = true;

    ButtonBar();

    bool running() const { return updateCaption == QLatin1String("Stop"); }

    void MouseDown(int index);
    void MouseUp(int index);
    void MouseMove(int index);
    // The pointer reached the window's or the bar frame's background.
    void HoverReset();
};

class StatusPanels
{
public:
    struct Label
    {
        bool pressed = false;   // black on green; else white on black
        bool enabled = true;
    };
    std::array<Label, kPanelCount> label;
    bool rectVisible = false;
    std::int32_t rectLeft = -1;  // stands at no label at first
    std::int32_t rectWidth = 0;

    // Button 2 (the right one) gives no pressed look; labels 6 and 7 never change.
    void MouseDown(int index, int Button);
    // Over labels 0 to 5: the outline moves to the label unless it already stands
    // there. Returns true when it moved.
    bool MouseMove(int index, std::int32_t left, std::int32_t width);
    void MouseUp();
    // The pointer on the bar's own background.
    void StatusBarMove() { rectVisible = false; }
    void ResetPanelColors();
};
