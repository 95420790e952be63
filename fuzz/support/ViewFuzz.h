#pragma once

// Running views in a fuzz target: grids without windows, and the contract's state
// checked after each view.

#include "FuzzSupport.h"

#include "platform/FlexGrid.h"
#include "sheets/ViewRunner.h"
#include "stockdata/ProgramState.h"
#include "stockdata/ViewHost.h"

#include <memory>

namespace fuzz {

// The main grid, and zoom grids that are simply dropped.
class PlainHost final : public ViewHost
{
public:
    FlexGrid* mainGrid() override { return &m_main; }
    FlexGrid* newZoomGrid() override
    {
        m_zoom = std::make_unique<FlexGrid>();
        return m_zoom.get();
    }
    void showZoom(FlexGrid*) override {}
    void discardZoom(FlexGrid*) override {}

private:
    FlexGrid m_main;
    std::unique_ptr<FlexGrid> m_zoom;
};

inline void checkRestored(FlexGrid& grid, const char* code)
{
    check(CurrentView() == QLatin1String(code), "CurrentView names the view");
    check(!ZoomMode(), "ZoomMode is cleared");
    check(!ViewRunner::filling(), "no fill is left under way");
    check(grid.Redraw() && !grid.isUpdatesLocked(), "the main grid draws and is not locked");
}

// The input as the cached page (suffix) of stock "ACME", then each of codes over
// it, with and without ZoomMode.
inline void runPageViews(const QByteArray& input, const QString& suffix, std::initializer_list<const char*> codes)
{
    static PlainHost host;
    installViewHost(&host);
    static ViewRunner runner(host);
    ResetProgramState();
    Stocks()[0].Symbol = QStringLiteral("ACME");
    Stocks()[0].CompanyName = QStringLiteral("Acme Widgets");
    StockCount() = 1;
    CurrentSymbol() = QStringLiteral("ACME");
    writeFile(AppPath() + QStringLiteral("/Cache/DataSheet/ACME") + suffix, input);
    for (const char* code : codes) {
        for (const bool zoom : {false, true}) {
            ZoomMode() = zoom;
            runner.show(QString::fromLatin1(code));
            checkRestored(*host.mainGrid(), code);
        }
    }
    trimErrorLog();
}

} // namespace fuzz
