#include "sheets/ReportsPort.h"

#include "sheets/ViewRegistry.h"
#include "stockdata/ProgramState.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcReports, "tradewright.reports")

ReportsPort* g_port = nullptr;

int itemCount(ReportWindow window)
{
    return window == ReportWindow::Main ? kMainReportItems : kZoomReportItems;
}

ReportsPort* portOrLog(const char* what)
{
    if (!g_port)
        qCCritical(lcReports) << "no reports installed;" << what << "writes nothing";
    return g_port;
}

} // namespace

ReportsPort* reportsPort()
{
    return g_port;
}

void installReportsPort(ReportsPort* port)
{
    g_port = port;
}

const QStringList& mnuReportCaptions()
{
    static const QStringList captions{"HTML",       "Tab Delimited Text", "Comma Delimited Text",
                                      "Quicken Pre 5.0", "Quicken  5.0 Or Later", "MetaStock",
                                      "Quote Link", "Prodigy Quotetrack", "Excel",
                                      "Microsoft Money", "Access ",   "Word",
                                      "Oracle",     "SQL Server", "Microsoft Mail",
                                      "Clipboard",  "XML"};
    return captions;
}

const QStringList& mnuExCaptions()
{
    static const QStringList captions{"HTML",       "Tab Delimited Text", "Comma Delimited Text",
                                      "Quicken Pre 5.0", "Quicken 5.0 or Later", "Meta Stock",
                                      "Quote Link", "Prodigy Quotertrack", "Excel",
                                      "Microsoft Money", "Access",    "Word",
                                      "Oracle",     "SQL Server", "Microsoft Mail",
                                      "Clipboard"};
    return captions;
}

QVector<bool> ReportItemsEnabled(const QString& currentView, ReportWindow window)
{
    QVector<bool> enabled(itemCount(window), false);
    const ViewRow* row = findView(currentView);
    if (!row || row->viewCode != ViewCodeRule::Code)
        return enabled;
    for (int item : window == ReportWindow::Main ? row->reportItemsMain : row->reportItemsZoom)
        if (item >= 0 && item < enabled.size())
            enabled[item] = true;
    return enabled;
}

void ReportItemChosen(int index, ReportWindow window)
{
    if (index < 0 || index >= itemCount(window))
        return;
    if (index > 0) {
        if (ReportsPort* port = portOrLog("an export"))
            port->Export(index - 1);
        return;
    }
    const QString view = CurrentView();
    const QString symbol = CurrentSymbol();
    const ViewRow* row = findView(view);
    if (!row || row->viewCode != ViewCodeRule::Code)
        return;
    const bool fromHere = window == ReportWindow::Main || row->htmlReportInZoom;
    const bool writes = fromHere
                        && (row->htmlReport == HtmlReport::OfSet
                            || (row->htmlReport == HtmlReport::OfSymbol && !symbol.isEmpty()));
    if (!writes)
        return;
    if (ReportsPort* port = portOrLog("the HTML report"))
        port->HtmlReport(row->code, symbol, window);
}
