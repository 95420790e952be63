#include "sheets/ViewEntries.h"

#include "sheets/CurrentQuotes.h"
#include "sheets/ViewRunner.h"
#include "stockdata/Portfolio.h"

void RedrawPortfolioOnChange(ViewRunner& views)
{
    QObject::connect(&portfolioSignals(), &PortfolioSignals::changed, &views, [&views] {
        views.redrawIfShown(QStringLiteral("Port"));
        views.redrawIfShown(QStringLiteral("PortLog"));
    });
}

void FG_Current(ViewRunner& views)
{
    views.show(QStringLiteral("Current"));
}

void FG_Portfolio_All(ViewRunner& views)
{
    views.show(QStringLiteral("Port"));
}

void PortSelected(ViewRunner& views, const QString& symbol)
{
    views.show(QStringLiteral("PortSelected"), symbol);
}

void FG_PortfolioLog(ViewRunner& views)
{
    views.show(QStringLiteral("PortLog"));
}
