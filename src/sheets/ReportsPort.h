#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Where the report and export menus of the main window ("Reports") and of every
// zoom window ("Export") send a chosen item. The report builders and the exports
// install the port; until one is installed a chosen item writes nothing and says
// so in the log (category "tradewright.reports").
enum class ReportWindow { Main, Zoom };

class ReportsPort
{
public:
    virtual ~ReportsPort() = default;
    // Item 0 "HTML": the report of view viewCode ("Current": the prices of the set;
    // a sheet: that page of symbol).
    virtual void HtmlReport(const QString& viewCode, const QString& symbol, ReportWindow from) = 0;
    // Items 1 and up: export slot Index - 1 of the set's quotes (0 tab-delimited
    // text, 1 comma-delimited text, ... 14 the clipboard, 15 XML).
    virtual void Export(int slot) = 0;
};

ReportsPort* reportsPort();
// The caller keeps ownership; nullptr: none.
void installReportsPort(ReportsPort* port);

// ---- the two menus ------------------------------------------------------------

inline constexpr int kMainReportItems = 17;  // mnuReport(0..16)
inline constexpr int kZoomReportItems = 16;  // mnuEx(0..15)

// The captions as each window spells them.
const QStringList& mnuReportCaptions();
const QStringList& mnuExCaptions();

// Runs as the menu opens (mnuReports_Click, mnuExport_Click): which items are
// enabled for the main window's CurrentView, one flag per item. Both menus follow
// the main window's view, a zoom window's menu too.
QVector<bool> ReportItemsEnabled(const QString& currentView, ReportWindow window);

// A chosen item (mnuReport_Click, mnuEx_Click) over CurrentView and CurrentSymbol:
// item 0 writes the view's HTML report, items 1 and up export slot Index - 1. An
// index outside the menu does nothing.
void ReportItemChosen(int index, ReportWindow window);
