#include "shell/WireWindows.h"

#include "core/Options.h"
#include "core/Settings.h"
#include "platform/TreeModel.h"
#include "sheets/CurrentQuotes.h"
#include "sheets/GridLayout.h"
#include "shell/ShellHooks.h"
#include "shell/frmMain.h"
#include "stockdata/EditorWindows.h"
#include "stockdata/Globals.h"
#include "stockdata/PopupActions.h"
#include "stockdata/Portfolio.h"
#include "stockdata/PortfolioViews.h"
#include "stockdata/RealEditorWindows.h"
#include "stockdata/StkSet.h"
#include "tree/NavigationTree.h"
#include "tree/NodeDispatcher.h"

#include <QAction>
#include <QCoreApplication>

#include <memory>
#include <stdexcept>

namespace {

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
        for (int k = 0; k < int(m_main.mnuCons.size()); ++k)
            m_main.mnuCons[size_t(k)]->setChecked(k == index);
    }

private:
    frmMain& m_main;
    NavigationTree& m_tree;
};

// The views built so far, until the view runner shows them all.
class ViewsBuiltSoFar final : public ViewShower
{
public:
    bool show(const QString& code, const QString& key) override
    {
        if (code == QLatin1String("Current"))
            FG_Current();
        else if (code == QLatin1String("Port"))
            FG_Portfolio_All();
        else if (code == QLatin1String("PortLog"))
            FG_PortfolioLog();
        else if (code == QLatin1String("PortSelected"))
            PortSelected(key);
        else
            return false;
        return true;
    }
};

// The dispatcher with the parts it calls; the window's tree and its model must exist.
struct NodeClicks
{
    explicit NodeClicks(frmMain& main)
        : window(requireTree(main)), dispatcher(*main.treeModel(), views, window, actions)
    {
    }
    static frmMain& requireTree(frmMain& main)
    {
        if (!main.navigationTree() || !main.treeModel())
            throw std::logic_error("the node clicks need the main window's tree");
        return main;
    }

    MainWindowNodes window;
    ViewsBuiltSoFar views;
    TableNodeActions actions;
    NodeDispatcher dispatcher;
};

} // namespace

void WireWindows(frmMain& main)
{
    ShellHooks& h = shellHooks();
    frmMain* window = &main;
    h.showOptions = [window](int page) { ShowOptionsWindow(*window, page); };
    h.showSetEditor = [] { ShowStockSetEditor(); };
    h.editMenu = [window](int index) { window->popupActions().mnuEdit_Click(index); };
    h.treeMenu = [window](int index) { window->popupActions().mnuTree_Click(index); };
    // The hook owns the dispatcher and what it calls; taking the hook away frees them.
    auto clicks = std::make_shared<NodeClicks>(main);
    h.nodeClick = [clicks](const QString& key) { clicks->dispatcher.TreeView1_NodeClick(key); };
}

void UnwireWindows()
{
    ShellHooks& h = shellHooks();
    h.showOptions = nullptr;
    h.showSetEditor = nullptr;
    h.editMenu = nullptr;
    h.treeMenu = nullptr;
    h.nodeClick = nullptr;
}

void ShowOptionsWindow(frmMain& main, int page)
{
    // The settings menu opens the window at its item's page; the button at the page
    // shown last.
    const auto place = [&main](QWidget* window) { PlaceBelowTicker(window, &main, main.newsTickerTop()); };
    if (page >= 0)
        Options::ShowOptionsAt(&main, page, place);
    else
        Options::ShowOptions(&main, place);
    QCoreApplication::processEvents();
}
