#pragma once

#include <QString>

// How the tree, the news links and the button bar show the query windows of the
// web links. The real windows (weblinks/RealWebLinkWindows, set by the main window
// at start) are shown unless a test installs its own. With none set, every call is
// logged as a fault and no window opens.
class WebLinkWindows
{
public:
    virtual ~WebLinkWindows() = default;
    // BigChart, "Chart Explorer": modeless, owned by the main window.
    virtual void showChartExplorer() = 0;
    // TechGraph, "Technical Graph Explorer": modeless, owned by the main window.
    virtual void showTechnicalGraphs() = 0;
    // Reuters, the headline query: loaded, firstSymbol put into its first symbol
    // box, shown modeless and owned by the main window.
    virtual void showHeadlineQuery(const QString& firstSymbol) = 0;
    // Scr, the screener: placed and shown modeless.
    virtual void showScreener() = 0;
};

WebLinkWindows& webLinkWindows();
// The caller keeps ownership; nullptr restores the default windows.
void installWebLinkWindows(WebLinkWindows* windows);
// The windows used while none is installed; the program sets them once at start.
void setDefaultWebLinkWindows(WebLinkWindows* windows);
