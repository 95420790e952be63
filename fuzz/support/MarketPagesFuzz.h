#pragma once

// What the targets of the market views share: the input laid down as a market
// page, the view shown by code and key (with and without ZoomMode), and the
// contract's state checked after it. A view either fills the grid with the
// columns it asks for or shows the one-cell message (a number outside a view's
// range leaves the grid as it was).

#include "ViewFuzz.h"

#include "sheets/ViewRegistry.h"

namespace fuzz {

inline void showMarketPage(const QByteArray& input, const char* fileName, const char* code, const QString& key,
                           int filledCols)
{
    PageRoad& road = pageRoad();
    ViewRunner& runner = road.runner;
    PlainHost& host = road.host;
    FlexGrid& grid = *host.mainGrid();
    writeFile(AppPath() + QStringLiteral("/Cache/DataSheet/") + QLatin1String(fileName), input);
    const ViewRow* row = findView(QLatin1String(code));
    check(row && row->builder, "the view is built");
    const QByteArray viewCode = row->viewCodeFor(key).toLatin1();
    for (const bool zoom : {false, true}) {
        ZoomMode() = zoom;
        host.shown = nullptr;
        runner.show(QLatin1String(code), key);
        checkRestored(grid, viewCode.constData(), zoom && !row->zoomAware);
        const FlexGrid& filled = host.shown ? *host.shown : grid;
        check(grid.Rows() == 1 || filled.Cols() == filledCols, "a filled grid or the one-cell message");
    }
    ZoomMode() = false;
    trimErrorLog();
}

} // namespace fuzz
