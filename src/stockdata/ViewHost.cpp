#include "stockdata/ViewHost.h"

#include "platform/FlexGrid.h"
#include "platform/FlexGridView.h"

#include <QApplication>
#include <QPointer>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// Serves until the main window installs its own host: a main grid that nobody
// shows, and zoom windows made of one grid view in a plain window.
class DefaultViewHost : public ViewHost
{
public:
    FlexGrid* mainGrid() override
    {
        if (!m_main)
            m_main = new FlexGrid(QCoreApplication::instance());
        return m_main;
    }

    FlexGrid* newZoomGrid() override
    {
        auto* window = new QWidget(QApplication::activeWindow(), Qt::Window);
        window->setObjectName(QStringLiteral("Zoom"));
        window->setWindowTitle(QStringLiteral("Zoom"));
        window->setAttribute(Qt::WA_DeleteOnClose);
        auto* grid = new FlexGrid(window);
        auto* view = new FlexGridView(window);
        view->setObjectName(QStringLiteral("FG"));
        view->setGrid(grid);
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view);
        window->resize(640, 400);
        return grid;
    }

    void showZoom(FlexGrid* grid) override
    {
        if (auto* window = qobject_cast<QWidget*>(grid ? grid->parent() : nullptr))
            window->show();
    }

private:
    QPointer<FlexGrid> m_main;
};

DefaultViewHost& defaultHost()
{
    static DefaultViewHost host;
    return host;
}

ViewHost* g_host = nullptr;

} // namespace

void ViewHost::discardZoom(FlexGrid* grid)
{
    auto* window = qobject_cast<QWidget*>(grid ? grid->parent() : nullptr);
    if (window && window->isWindow() && !window->isVisible())
        window->deleteLater();
}

ViewHost& viewHost()
{
    return g_host ? *g_host : defaultHost();
}

void installViewHost(ViewHost* host)
{
    g_host = host;
}
