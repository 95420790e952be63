#pragma once

// What the market-view targets share: the input laid down as a market page of the
// cache, then the view, with and without ZoomMode; the contract's state checked
// after each.

#include "ViewFuzz.h"

#include "sheets/ViewRegistry.h"

namespace fuzz {

inline ViewRunner& marketRunner()
{
    static PlainHost host;
    installViewHost(&host);
    static ViewRunner runner(host);
    ResetProgramState();
    StdRowHeight() = 300;
    host.mainGrid()->setWidth(10000);
    QDir().mkpath(AppPath() + QStringLiteral("/Cache/DataSheet"));
    return runner;
}

inline void writeMarketPage(const char* fileName, const QByteArray& input)
{
    writeFile(AppPath() + QStringLiteral("/Cache/DataSheet/") + QLatin1String(fileName), input);
}

// View code with key over the page already written; a filled grid has cols columns,
// a failed one the one-cell message (or what it showed before).
inline void runMarketView(ViewRunner& runner, const char* code, const char* key)
{
    const ViewRow* row = findView(QLatin1String(code));
    check(row && row->builder, "the view is built");
    for (const bool zoom : {false, true}) {
        ZoomMode() = zoom;
        runner.show(QLatin1String(code), QLatin1String(key));
        checkRestored(*viewHost().mainGrid(), code, zoom && !row->zoomAware);
    }
    ZoomMode() = false;
    trimErrorLog();
}

} // namespace fuzz
