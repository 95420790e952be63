// The options views: the input is the stored options reply of a stock, shown as
// calls, puts and chain through the runner, in the main grid and in zoom windows.
// Nothing crashes; a page never makes these views fail, so each shows its headings
// and its title; a line the calls or the chain show has the commas the puts need,
// so neither shows more rows than the puts; and after every view the contract's
// state is restored.
//
// Seeds: tests/fixtures/sheets/options/*.Sh

#include "FuzzSupport.h"

#include "platform/FlexGrid.h"
#include "sheets/OptionsSheets.h"
#include "sheets/ViewRunner.h"
#include "stockdata/ProgramState.h"
#include "views/ViewHost.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    const QString page = fromCp1252(input);

    static fuzz::PlainHost host;
    installViewHost(&host);
    static ViewRunner runner(host);

    ResetProgramState();
    Stocks()[0].Symbol = QStringLiteral("IBM");
    StockCount() = 1;
    CurrentSymbol() = QStringLiteral("IBM");
    StdRowHeight() = 240;
    QDir().mkpath(AppPath() + QStringLiteral("/Cache/DataSheet"));
    fuzz::writeFile(AppPath() + QStringLiteral("/Cache/DataSheet/IBM_op.Sh"), input);

    qsizetype rows[3] = {};
    int i = 0;
    for (const char* code : {"Call", "Put", "Options"}) {
        const OptionsMember& member = *findOptionsMember(QLatin1String(code));
        const bool zoom = (size + i) % 2 == 1;
        host.shown = nullptr;
        ZoomMode() = zoom;
        runner.show(QLatin1String(code));
        FlexGrid& grid = zoom ? *host.shown : *host.mainGrid();
        fuzz::check(!zoom || host.shown, "a zoomed view opens its window");
        fuzz::check(CurrentView() == QLatin1String(code), "CurrentView names the view");
        fuzz::check(!ZoomMode(), "ZoomMode is cleared");
        fuzz::check(!ViewRunner::filling(), "no fill is left under way");
        fuzz::check(grid.Redraw() && !grid.isUpdatesLocked(), "the grid draws and is not locked");
        fuzz::check(grid.Cols() == member.headings.size() && grid.Rows() >= 3, "the grid has the view's shape");
        fuzz::check(grid.TextMatrix(1, member.titleCol) == QStringLiteral("IBM ") + member.word, "the title shows");
        rows[i] = grid.Rows() - 3;
        fuzz::check(rows[i] == OptionRows(member, page).size(), "one grid row per shown line");
        ++i;
    }
    fuzz::check(rows[0] <= rows[1] && rows[2] <= rows[1], "no view shows a line the puts view skips");
    return 0;
}
