#include "weblinks/WebLinkWindows.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcWebLinkWindows, "tradewright.weblinks.windows")

// Serves when the program set no windows: a fault of its start, logged; nothing opens.
class MissingWebLinkWindows final : public WebLinkWindows
{
public:
    void showChartExplorer() override { missing("chart explorer"); }
    void showTechnicalGraphs() override { missing("technical graph"); }
    void showHeadlineQuery(const QString&) override { missing("headline query"); }
    void showScreener() override { missing("screener"); }

private:
    static void missing(const char* window)
    {
        qCCritical(lcWebLinkWindows) << "no web-link windows installed; the" << window << "window does not open";
    }
};

WebLinkWindows* s_default = nullptr;
WebLinkWindows* s_installed = nullptr;

} // namespace

WebLinkWindows& webLinkWindows()
{
    static MissingWebLinkWindows missing;
    if (s_installed)
        return *s_installed;
    return s_default ? *s_default : missing;
}

void installWebLinkWindows(WebLinkWindows* windows)
{
    s_installed = windows;
}

void setDefaultWebLinkWindows(WebLinkWindows* windows)
{
    s_default = windows;
}
