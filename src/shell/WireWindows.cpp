#include "shell/WireWindows.h"

#include "core/Options.h"
#include "market/MarketLists.h"
#include "sheets/CurrentQuotes.h"
#include "sheets/GridLayout.h"
#include "sheets/ViewRunner.h"
#include "shell/frmMain.h"
#include "stockdata/Portfolio.h"
#include "stockdata/PortfolioViews.h"
#include "tree/NavigationTree.h"
#include "tree/NodeDispatcher.h"

#include <QAction>
#include <QCoreApplication>

#include <memory>
#include <stdexcept>

namespace {

// The market-list menu's check marks and the program's runner.
class MainWindowMarketLists final : public MarketListPort
{
public:
    explicit MainWindowMarketLists(frmMain& main) : m_main(main) {}

    void setMenuChecked(int item, bool checked) override
    {
        if (item >= 0 && item < int(m_main.mnuCons.size()) && m_main.mnuCons[size_t(item)])
            m_main.mnuCons[size_t(item)]->setChecked(checked);
    }
    bool showView(const QString& code, const QString& key) override { return m_main.views().show(code, key); }

private:
    frmMain& m_main;
};

// What the node-click dispatcher needs of the main window.
class MainWindowNodes final : public NodeClickWindow
{
public:
    explicit MainWindowNodes(frmMain& main) : m_main(main), m_tree(*main.navigationTree()) {}

    void ShowStockHeader(const QString& symbol) override { m_main.ShowStockHeader(symbol); }
    FlexGrid& mainGrid() override { return m_main.grid(); }
    void FindGridRow(const QString& title) override { ::FindGridRow(title); }
    void ClearPortfolio() override { ::ClearPortfolio(); }
    void setLastNodeIndex(int index) override { m_tree.setLastNodeIndex(index); }
    void markMarketList(int index) override
    {
        MainWindowMarketLists menu(m_main);
        MarkMarketListMenu(index, menu);
    }

private:
    frmMain& m_main;
    NavigationTree& m_tree;
};

// The views of the tree go through the program's runner.
class RunnerViews final : public ViewShower
{
public:
    explicit RunnerViews(ViewRunner& runner) : m_runner(runner) {}
    bool show(const QString& code, const QString& key) override { return m_runner.show(code, key); }

private:
    ViewRunner& m_runner;
};

} // namespace

// The dispatcher with the parts it calls.
struct MainWindowNodeClicks::Parts
{
    explicit Parts(frmMain& main)
        : window(main), views(main.views()), dispatcher(*main.treeModel(), views, window, actions)
    {
    }

    MainWindowNodes window;
    RunnerViews views;
    TableNodeActions actions;
    NodeDispatcher dispatcher;
};

MainWindowNodeClicks::MainWindowNodeClicks(frmMain& main)
{
    if (!main.navigationTree() || !main.treeModel())
        throw std::logic_error("the node clicks need the main window's tree");
    m_parts = std::make_unique<Parts>(main);
}

MainWindowNodeClicks::~MainWindowNodeClicks() = default;

void MainWindowNodeClicks::TreeView1_NodeClick(const QString& key)
{
    m_parts->dispatcher.TreeView1_NodeClick(key);
}

void ShowMarketList(frmMain& main, int index)
{
    MainWindowMarketLists port(main);
    ::ShowMarketList(index, port);
}

void ShowOptionsWindow(frmMain& main, int page, OptionsPlacement placement)
{
    // The settings menu opens the window at its item's page; the button at the page
    // shown last.
    const auto place = [&main, placement](QWidget* window) {
        PlaceOnScreenBelowTicker(window, &main, main.ports().newsTickerTop(), placement == OptionsPlacement::InnerWidth);
    };
    if (page >= 0)
        Options::ShowOptionsAt(&main, page, place);
    else
        Options::ShowOptions(&main, place);
    QCoreApplication::processEvents();
}
