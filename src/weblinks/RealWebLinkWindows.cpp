#include "weblinks/RealWebLinkWindows.h"

#include "platform/WindowPlacement.h"
#include "weblinks/BigChart.h"
#include "weblinks/Reuters.h"
#include "weblinks/Scr.h"
#include "weblinks/TechGraph.h"

#include <QLineEdit>

namespace {

// Loads the window the first time, then shows it in front; a new window is
// centred on the owner.
template <typename Window>
Window* showWindow(QPointer<Window>& window, QWidget* owner)
{
    const bool fresh = !window;
    if (fresh) {
        window = new Window(owner);
        window->Form_Load();
        window->adjustSize();
        if (owner)
            CentreOver(*window, *owner);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace

void RealWebLinkWindows::showChartExplorer()
{
    showWindow(m_chart, m_owner);
}

void RealWebLinkWindows::showTechnicalGraphs()
{
    showWindow(m_graph, m_owner);
}

void RealWebLinkWindows::showHeadlineQuery(const QString& firstSymbol)
{
    Reuters* news = showWindow(m_news, m_owner);
    news->txtSymbol[0]->setText(firstSymbol);
}

void RealWebLinkWindows::showScreener()
{
    showWindow(m_screen, m_owner);
}
