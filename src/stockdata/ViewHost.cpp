#include "stockdata/ViewHost.h"

#include "platform/FlexGrid.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QPointer>

namespace {

Q_LOGGING_CATEGORY(lcViewHost, "tradewright.viewhost")

// Serves when the program set no host: a fault of its start, so every call says so
// in the log. The views still draw, into grids nobody sees.
class MissingViewHost : public ViewHost
{
public:
    FlexGrid* mainGrid() override
    {
        qCCritical(lcViewHost) << "no view host installed; the view draws into a grid nobody sees";
        if (!m_main)
            m_main = new FlexGrid(QCoreApplication::instance());
        return m_main;
    }

    FlexGrid* newZoomGrid() override
    {
        qCCritical(lcViewHost) << "no view host installed; the zoom view draws into a grid nobody sees";
        return new FlexGrid(QCoreApplication::instance());
    }

    void showZoom(FlexGrid*) override
    {
        qCCritical(lcViewHost) << "no view host installed; no zoom window to show";
    }

private:
    QPointer<FlexGrid> m_main;
};

ViewHost* g_default = nullptr;
ViewHost* g_host = nullptr;

} // namespace

void ViewHost::discardZoom(FlexGrid* grid)
{
    // The zoom window holding the grid was made hidden and never shown: it goes. (This
    // layer knows windows only as objects; a widget answers its "visible" property.)
    QObject* window = grid ? grid->parent() : nullptr;
    if (window && window->isWidgetType() && !window->property("visible").toBool())
        window->deleteLater();
}

ViewHost& viewHost()
{
    static MissingViewHost missing;
    if (g_host)
        return *g_host;
    return g_default ? *g_default : missing;
}

void installViewHost(ViewHost* host)
{
    g_host = host;
}

void setDefaultViewHost(ViewHost* host)
{
    g_default = host;
}
