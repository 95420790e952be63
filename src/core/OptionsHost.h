#pragma once

class QWidget;

// What the Options window and the window toolkit need of the main window, which
// lives in a higher layer: its auto-update timer Timer1 and interval AutoUpdateMin,
// the gauge skin of its stock strip, the window itself (the owner of dialogs and the
// window that dims behind the quit question) and the top of its news ticker (the
// base row of tiled windows). The main window installs itself; with nothing
// installed every call does nothing and the toolkit works without a main window.
class OptionsHost
{
public:
    virtual ~OptionsHost() = default;

    // AutoUpdateMin: minutes between automatic updates, 0 = only by hand.
    virtual void setAutoUpdateMin(int minutes) = 0;
    // Timer1.Enabled.
    virtual void setAutoUpdateTimer(bool enabled) = 0;
    // LoadSkin: reloads the stock strip's gauge skin from the setting PicBar.
    virtual void applySkin() = 0;
    // frmMain; nullptr while it does not exist.
    virtual QWidget* mainWindowWidget() = 0;
    // Top of NewsTicker1 inside the main window's client area, in twips.
    virtual int newsTickerTop() = 0;
    // The version check found a newer version: show the upgrade window, modeless.
    virtual void showUpgradeWindow() = 0;
};

// The installed host, or nullptr. install(nullptr) removes it; the caller keeps
// ownership.
OptionsHost* optionsHost();
void installOptionsHost(OptionsHost* host);
