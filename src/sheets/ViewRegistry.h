#pragma once

#include "pages/PageCatalogue.h"
#include "views/ViewContract.h"

#include <QString>
#include <QStringList>
#include <QVector>

// One row per view code: how the view is built and shown, which tree nodes reach
// it, which cache page it reads, and the facts the grid events, the zoom window and
// the report menus act on. The dispatcher, the runner, the zoom window and the
// menus all read this one table; nobody keeps a second list of view codes. Its
// rows are the catalogue's views (pages/PageCatalogue.h) with the tree leaves that
// show them; the sheets layer adds only the functions that draw each code.

// ViewScope, OtherErrorPolicy, TreeKeyMatch, ViewCodeRule, ColumnSet, GridLink, GridPopup and
// HtmlReport: see pages/PageCatalogue.h.

struct ViewRow
{
    QString code;  // exact, case-sensitive
    ViewScope scope = ViewScope::PerStock;
    ViewBuilder builder = nullptr;  // nullptr: not built yet (asking for it does nothing)

    // The tree nodes that show the view, and the per-key argument each passes
    // (treeKeyArguments[i] belongs to treeKeys[i]; an empty list: no argument).
    QStringList treeKeys;
    TreeKeyMatch treeKeyMatch = TreeKeyMatch::Whole;
    QStringList treeKeyArguments;

    // The cache page(s) in Cache/DataSheet; see pageFor.
    QStringList cachePages;
    ViewCodeRule viewCode = ViewCodeRule::Code;

    bool zoomAware = false;     // redrawn into a new zoom window while ZoomMode is set
    // Draws the view's loading state into the shown grid before the fill starts
    // (the loading text and what the fill keeps of it); events then run once so
    // it paints. nullptr: none.
    ViewBuilder loading = nullptr;
    // Redraws one stock's part of the shown view when its prices change (nullptr:
    // the view is drawn whole).
    ViewRowUpdater rowUpdater = nullptr;
    bool hourglass = true;      // the hourglass pointer while the view fills
    bool leavesPointer = false; // the view never touches the pointer (no hourglass, no default)
    bool usesLayout = false;    // the saved column order (LayOut) is applied after the fill
    bool quoteSettings = false; // reads the price and volume settings (ctx.fractions, ctx.groupVolume)
    OtherErrorPolicy otherErrors = OtherErrorPolicy::StandardMessage;

    // ---- facts of the grid events, links, zoom window and menus -----------------
    // (the defaults are what a code no branch names gets: default pointer, no link,
    // no popup, no zoom, no report)
    bool sortsOnDblClick = false;     // a double click sorts by the current column
    ColumnSet pointerColumns;         // main grid: columns with the link pointer
    ColumnSet zoomPointerColumns;     // zoom grid: columns with the link pointer
    // Rows whose CurrentView carries a key: the keys the pointer and the links
    // serve ("FMS1" and "FMS2" only); empty: every key.
    QStringList linkKeys;
    GridLink link = GridLink::None;   // what a click on a link column opens
    ColumnSet linkColumns;            // the columns whose click opens it
    int linkTextColumn = -1;          // the cell the address takes (-1: the clicked one)
    GridPopup popup = GridPopup::None;  // the main grid's right-button menu
    bool popupInZoom = false;         // the zoom grid's "Edit" menu on the right button
    bool zoomable = false;            // the "Zoom" button opens it in a zoom window
    QVector<int> zoomWidths;          // column widths of the zoom grid, per cent; empty: the view's own
    QVector<int> reportItemsMain;     // "Reports" menu items enabled in the main window
    QVector<int> reportItemsZoom;     // "Export" menu items enabled in a zoom window
    HtmlReport htmlReport = HtmlReport::None;  // what item 0 "HTML" writes
    bool htmlReportInZoom = false;    // ... also from a zoom window

    // CurrentView while the view shows key.
    QString viewCodeFor(const QString& key) const;
    // The cache page file name for key and symbol: a per-stock view reads the
    // symbol and its suffix ("" when the symbol may not name a file); a page with
    // "%1" takes the key (which must be able to name a file); a single page is
    // the page whatever the key; else a key naming one of the pages is that page
    // and a number picks that page of the list. "" when nothing fits.
    QString pageFor(const QString& key, const QString& symbol) const;
};

const QVector<ViewRow>& viewRegistry();
// The row of code, compared exactly and case-sensitively; nullptr when none.
const ViewRow* findView(const QString& code);
// The row a CurrentView value names, and the key it carries ("M_BRP1" gives the
// "M_BRP" row and "1", "F_Conv" the "F_" row and "F_Conv"); nullptr when none.
const ViewRow* findViewFor(const QString& viewCode, QString* key = nullptr);
