// The view road: the input is a page for the page scanners and, laid out as a quote
// page and as Portfolio.dat, the data the quotes and portfolio views show. Nothing
// crashes, the scanners fail only with errors 5 and 6, and after
// every view the contract's state is restored: CurrentView names the view, ZoomMode
// is cleared, no fill is under way, and the main grid draws and is not locked.
//
// Seeds: tests/fixtures/sheets/*.htm tests/fixtures/stockdata/Portfolio.dat

#include "ViewFuzz.h"

#include "pages/PageScan.h"
#include "pages/PageText.h"
#include "platform/FlexGrid.h"
#include "platform/RuntimeError.h"
#include "sheets/QuoteParsers.h"
#include "sheets/ViewRunner.h"
#include "stockdata/Portfolio.h"
#include "stockdata/ProgramState.h"
#include "views/ViewHost.h"

namespace {

// A scanner either gives its elements or fails with error 5 (an element without its
// close) or 6 (a strict position past 32,767).
template <typename Scan>
void scan(Scan&& run)
{
    try {
        run();
    } catch (const RuntimeError& e) {
        fuzz::check(e.number() == 5 || e.number() == 6, "a scanner fails only with error 5 or 6");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    const QString page = fromCp1252(input);
    for (const Positions positions : {Positions::Strict, Positions::Lenient}) {
        scan([&] {
            for (const QString& row : ScanRows(page, positions)) {
                scan([&] { ScanCells(row, positions); });
                scan([&] { ScanHeaderCells(row, positions); });
            }
        });
    }

    static fuzz::PlainHost host;
    installViewHost(&host);
    static ViewRunner runner(host);
    FlexGrid& grid = *host.mainGrid();

    // The input as the quote page of the first stock, then the quotes view.
    ResetProgramState();
    Stocks()[0].Symbol = QStringLiteral("IBM");
    StockCount() = 1;
    CurrentSymbol() = QStringLiteral("IBM");
    fuzz::writeFile(QuotePagePath(), input);
    ParseQuote(0);
    ZoomMode() = size % 2 == 1;
    runner.show(QStringLiteral("Current"));
    fuzz::checkRestored(grid, "Current");

    // The input as the portfolio file, then its three views.
    fuzz::writeFile(PortfolioFilePath(), input);
    ZoomMode() = size % 3 == 1;
    runner.show(QStringLiteral("Port"));
    fuzz::checkRestored(grid, "Port");
    runner.show(QStringLiteral("PortLog"));
    fuzz::checkRestored(grid, "PortLog");
    runner.show(QStringLiteral("PortSelected"), QStringLiteral("IBM"));
    fuzz::checkRestored(grid, "PortSelected");
    fuzz::trimErrorLog();
    return 0;
}
