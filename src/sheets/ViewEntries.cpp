#include "sheets/ViewEntries.h"

#include "sheets/CurrentQuotes.h"
#include "sheets/ViewRunner.h"
#include "stockdata/Portfolio.h"
#include "stockdata/ViewHost.h"

#include <QCoreApplication>

namespace {

// The host installed at the moment of each call: the main window installs its
// own, tests theirs.
class InstalledHost : public ViewHost
{
public:
    FlexGrid* mainGrid() override { return viewHost().mainGrid(); }
    FlexGrid* newZoomGrid() override { return viewHost().newZoomGrid(); }
    void showZoom(FlexGrid* grid) override { viewHost().showZoom(grid); }
    void discardZoom(FlexGrid* grid) override { viewHost().discardZoom(grid); }
};

} // namespace

ViewRunner& entryRunner()
{
    static InstalledHost host;
    static ViewRunner runner(host);
    return runner;
}

namespace {

// An edit of the portfolio redraws the holdings or the log when it is on screen.
void redrawPortfolioOnChange()
{
    QObject::connect(&portfolioSignals(), &PortfolioSignals::changed, &entryRunner(), [] {
        entryRunner().redrawIfShown(QStringLiteral("Port"));
        entryRunner().redrawIfShown(QStringLiteral("PortLog"));
    });
}

} // namespace

// Made when the application object is, in every program that shows these views.
Q_COREAPP_STARTUP_FUNCTION(redrawPortfolioOnChange)

void FG_Current()
{
    entryRunner().show(QStringLiteral("Current"));
}

void FG_Portfolio_All()
{
    entryRunner().show(QStringLiteral("Port"));
}

void PortSelected(const QString& symbol)
{
    entryRunner().show(QStringLiteral("PortSelected"), symbol);
}

void FG_PortfolioLog()
{
    entryRunner().show(QStringLiteral("PortLog"));
}
