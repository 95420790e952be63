#pragma once

#include "weblinks/WebLinkWindows.h"

#include <QPointer>

class BigChart;
class QWidget;
class Reuters;
class Scr;
class TechGraph;

// The program's query windows, one instance of each, owned by the main window:
// showing a window that is open brings it to the front.
class RealWebLinkWindows final : public WebLinkWindows
{
public:
    explicit RealWebLinkWindows(QWidget* owner) : m_owner(owner) {}

    void showChartExplorer() override;
    void showTechnicalGraphs() override;
    void showHeadlineQuery(const QString& firstSymbol) override;
    void showScreener() override;

private:
    QWidget* m_owner;
    QPointer<BigChart> m_chart;
    QPointer<TechGraph> m_graph;
    QPointer<Reuters> m_news;
    QPointer<Scr> m_screen;
};
