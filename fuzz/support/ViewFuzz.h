#pragma once

// What the view targets share: a host whose grids have no windows, and the
// contract's state every view must leave behind.

#include "FuzzSupport.h"

#include "platform/FlexGrid.h"
#include "sheets/ViewRunner.h"
#include "stockdata/ProgramState.h"
#include "views/ViewHost.h"

#include <QDir>

#include <initializer_list>
#include <memory>

namespace fuzz {


// CurrentView names the view, ZoomMode is cleared (a view that is not zoom-aware
// leaves it as it was), no fill is left under way, the main grid draws and is not locked.
inline void checkRestored(FlexGrid& grid, const char* code, bool zoomLeft = false)
{
    check(CurrentView() == QLatin1String(code), "CurrentView names the view");
    check(ZoomMode() == zoomLeft, "ZoomMode is cleared by a zoom-aware view and left by the others");
    check(!ViewRunner::filling(), "no fill is left under way");
    check(grid.Redraw() && !grid.isUpdatesLocked(), "the main grid draws and is not locked");
}

// The runner over the windowless host, installed, for a view of a cached page: the
// program state reset, base rows of 240 twips, a main grid 10000 twips wide and the
// cache folder made.
struct PageRoad
{
    PlainHost host;
    ViewRunner runner{host};
};

inline PageRoad& pageRoad()
{
    static PageRoad road;
    installViewHost(&road.host);
    road.host.mainGrid()->setWidth(10000);
    ResetProgramState();
    StdRowHeight() = 240;
    QDir().mkpath(AppPath() + QStringLiteral("/Cache/DataSheet"));
    return road;
}

// The input as the cached page `fileName` of stock "ACME", then each view of
// `codes` from it, once without and once with ZoomMode set. A view either fills
// the grid (at least its set-up rows and the columns it asks for) or shows the
// one-cell message.
inline void showPerStockPage(const QByteArray& input, const char* fileName, std::initializer_list<const char*> codes,
                             int filledCols, bool zoomAware)
{
    PageRoad& road = pageRoad();
    ViewRunner& runner = road.runner;
    FlexGrid& grid = *road.host.mainGrid();
    Stocks()[0].Symbol = QStringLiteral("ACME");
    Stocks()[0].CompanyName = QStringLiteral("Acme Widgets");
    StockCount() = 1;
    CurrentSymbol() = QStringLiteral("ACME");
    writeFile(AppPath() + QStringLiteral("/Cache/DataSheet/") + QLatin1String(fileName), input);
    for (const bool zoom : {false, true}) {
        for (const char* code : codes) {
            ZoomMode() = zoom;
            runner.show(QLatin1String(code));
            checkRestored(grid, code, zoom && !zoomAware);
            check(grid.Rows() == 1 || grid.Cols() == filledCols, "a filled grid or the one-cell message");
        }
    }
    ZoomMode() = false;
    trimErrorLog();
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
