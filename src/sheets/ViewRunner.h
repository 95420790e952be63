#pragma once

#include "sheets/ViewRegistry.h"

#include <QObject>
#include <QString>

class ViewHost;

// The only code that shows a view. For a view it:
// - sets CurrentView first (also when the view then fails);
// - picks the grid: a new zoom window's while ZoomMode is set and the view is
//   zoom-aware, else the main grid (ZoomGrid names it, for zoom-aware views);
// - shows the hourglass (unless the view leaves the pointer alone) and paints the
//   view's loading state where it has one;
// - runs the builder on a detached copy of the grid (the grid on screen stays as
//   it is meanwhile) and swaps the result in with one model reset, applies the
//   saved column layout where the view uses it and shows the zoom window;
// - on failure drops the copy (nothing the builder wrote shows) and puts the
//   contract's one-cell message into the main grid; a failed zoom opens no window;
// - on every path clears ZoomMode for zoom-aware views and puts the pointer back;
//   the grid on screen is never left locked (it is not locked at all: a builder's
//   own lock holds its copy only).
// Failures are logged to the "tradewright.views" category, never to ErrorLog.txt.
//
// A view asked for while another fills (from the event pass after a page is read,
// a price redraw, a zoom) is shown as soon as that fill ends; the latest request
// wins. So the grid always ends up showing what CurrentView names.
//
// One runner serves the program: made at start with its main window
// (app/AppMainWindow) and handed to it. Tests make their own. Runners share the one
// user-interface thread, so a request to any runner during any fill waits.
class ViewRunner : public QObject
{
    Q_OBJECT

public:
    explicit ViewRunner(ViewHost& host, QObject* parent = nullptr);
    ~ViewRunner() override;

    // Shows view `code` (exact, case-sensitive) with argument `key`. A code with
    // no row or no builder does nothing and gives false.
    bool show(const QString& code, const QString& key = QString());
    // Shows a row that need not be in the registry (tests use their own).
    bool show(const ViewRow& row, const QString& key = QString());
    // Shows `code` again when CurrentView names it (prices or the portfolio changed),
    // with the key it was last shown with.
    void redrawIfShown(const QString& code);
    // The prices of one stock (its row in Stocks) changed: when CurrentView names
    // `code`, its part of the main grid is drawn again where the view can do that,
    // else the view is shown again as redrawIfShown does.
    void redrawStockIfShown(const QString& code, int stockRow);

    // Whether a view is being filled right now (by any runner).
    static bool filling();
    // What the builder of row is handed for key, taken from the program's state
    // now (the portfolio views read Portfolio.dat into Transactions first).
    static ViewContext contextFor(const ViewRow& row, const QString& key);

signals:
    // A view ended, filled or failed: CurrentView is viewCode and the grid shows
    // what it names.
    void viewShown(const QString& viewCode);

private:
    void run(const ViewRow& row, const QString& key, bool zoom);

    ViewHost& m_host;
};
