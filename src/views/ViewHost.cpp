#include "views/ViewHost.h"

#include "platform/FlexGrid.h"
#include "stockdata/ProgramState.h"
#include "views/ViewContract.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QPointer>

#include <exception>

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

class InstalledHost : public ViewHost
{
public:
    FlexGrid* mainGrid() override { return viewHost().mainGrid(); }
    FlexGrid* newZoomGrid() override { return viewHost().newZoomGrid(); }
    void showZoom(FlexGrid* grid) override { viewHost().showZoom(grid); }
    void discardZoom(FlexGrid* grid) override { viewHost().discardZoom(grid); }
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

ViewHost& installedViewHost()
{
    static InstalledHost host;
    return host;
}

void ShowGridMessage(const QString& text)
{
    // Like every step of the message: a failure is passed over.
    FlexGrid* grid = nullptr;
    try {
        grid = viewHost().mainGrid();
    } catch (const std::exception& e) {
        qCDebug(lcViews) << "grid message step skipped:" << e.what();
    }
    if (grid)
        ShowGridMessage(*grid, text, StdRowHeight());
}
