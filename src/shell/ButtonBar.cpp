#include "shell/ButtonBar.h"

const std::array<const char*, kButtonCount>& ButtonCaptions()
{
    static const std::array<const char*, kButtonCount> captions{"Update", "Ticker", "Deruvu", "Zoom",
                                                                "Stocks", "Screen", "Setting"};
    return captions;
}

const std::array<const char*, kButtonCount>& ButtonToolTips()
{
    // The Stocks button has no shortcut of its own (Alt+S opens the Start menu).
    static const std::array<const char*, kButtonCount> tips{
        "Connect to the Internet and update data (Alt U or F4)",
        "Ticker (Alt T)",
        "Read Latest Deruvu (Alt O)",
        "Zoom Data Sheet (Alt Z)",
        "Manage Stocks (double click Groups)",
        "Show Screen (Alt C)",
        "Stocks and Program Options (Alt N)",
    };
    return tips;
}

const std::array<const char*, kPanelCount>& PanelCaptions()
{
    static const std::array<const char*, kPanelCount> captions{"Start", "Groups", "Fast Update", "Adviser",
                                                               "Summary", "Reports", "", ""};
    return captions;
}

const std::array<const char*, kPanelCount>& PanelToolTips()
{
    static const std::array<const char*, kPanelCount> tips{
        "Click here to begin (Alt S or F3)",
        "Double click to modify (Alt G or F2)",
        "This action will update fast all stocks. (date, price,open, change, high, low and volume) (Alt H)",
        "Get up-to-date with Tradewright analysts Free Tip (Alt A)",
        "Generate Stock Summary Report (Alt M)",
        "Generate and Export Reports (Alt R)",
        "Status",
        "Tasks",
    };
    return tips;
}

ButtonBar::ButtonBar()
{
    face.fill(QStringLiteral("B1"));
}

void ButtonBar::MouseDown(int index)
{
    if (index >= 0 && index < kButtonCount)
        face[index] = QStringLiteral("B2");
}

void ButtonBar::MouseUp(int index)
{
    if (index >= 0 && index < kButtonCount)
        face[index] = QStringLiteral("B1");
}

void ButtonBar::MouseMove(int index)
{
    if (index < 0 || index >= kButtonCount)
        return;
    if (index == 0 && running())
        return;  // the busy face stays
    if (!BarHover) {
        face[index] = QStringLiteral("B3");
        BarHover = true;
    }
}

void ButtonBar::HoverReset()
{
    if (!BarHover)
        return;
    for (int i = running() ? 1 : 0; i < kButtonCount; ++i)
        face[i] = QStringLiteral("B1");
    BarHover = false;
}

void StatusPanels::MouseDown(int index, int Button)
{
    if (Button == 2 || index < 0 || index > 5)
        return;
    label[index].pressed = true;
}

bool StatusPanels::MouseMove(int index, std::int32_t left, std::int32_t width)
{
    if (index < 0 || index > 5)
        return false;
    // Nothing while the outline stands at this label already, even when a release
    // has hidden it.
    if (rectLeft == left)
        return false;
    rectVisible = true;
    rectLeft = left;
    rectWidth = width;
    return true;
}

void StatusPanels::MouseUp()
{
    rectVisible = false;
    ResetPanelColors();
}

void StatusPanels::ResetPanelColors()
{
    for (Label& l : label)
        l.pressed = false;
}
