#pragma once

// What the targets of the per-stock sheets share: grids without windows, the
// input laid down as the stock's cached page, and the contract's state checked
// after the view: CurrentView names it, ZoomMode is cleared (left alone by a view
// that is never zoomed), no fill is under way, and the main grid draws and is not
// locked.

#include "ViewFuzz.h"

#include "platform/FlexGrid.h"
#include "sheets/ViewRegistry.h"
#include "sheets/ViewRunner.h"
#include "stockdata/ProgramState.h"
#include "views/ViewHost.h"

#include <QDir>

#include <memory>

namespace fuzz {


// One stock, "IBM", selected; the runner over the plain host.
inline ViewRunner& sheetRunner()
{
    static PlainHost host;
    installViewHost(&host);
    static ViewRunner runner(host);
    ResetProgramState();
    Stocks()[0].Symbol = QStringLiteral("IBM");
    Stocks()[0].CompanyName = QStringLiteral("Machines");
    StockCount() = 1;
    CurrentSymbol() = QStringLiteral("IBM");
    StdRowHeight() = 300;
    return runner;
}

// input as the page of view code for the selected stock, then the view.
inline void runSheet(ViewRunner& runner, const char* code, const QByteArray& input, bool zoom)
{
    const QString name = QLatin1String(code);
    const ViewRow* row = findView(name);
    check(row && row->builder, "the view is built");
    const QString folder = AppPath() + QStringLiteral("/Cache/DataSheet/");
    QDir().mkpath(folder);
    writeFile(folder + row->pageFor(QString(), CurrentSymbol()), input);
    ZoomMode() = zoom;
    runner.show(name);
    checkRestored(*viewHost().mainGrid(), code, zoom && !row->zoomAware);
    ZoomMode() = false;
}

} // namespace fuzz
