#include "shell/WireWindows.h"

#include "core/Options.h"
#include "core/Settings.h"
#include "platform/Dialogs.h"
#include "platform/TreeModel.h"
#include "sheets/CurrentQuotes.h"
#include "sheets/MainGridEvents.h"
#include "sheets/ViewEntries.h"
#include "shell/ShellHooks.h"
#include "shell/frmMain.h"
#include "stockdata/EditorWindows.h"
#include "stockdata/Globals.h"
#include "stockdata/PopupActions.h"
#include "stockdata/Portfolio.h"
#include "stockdata/PortfolioViews.h"
#include "stockdata/StkSet.h"
#include "tree/NavigationTree.h"
#include "tree/TreeTables.h"

#include <QCoreApplication>

#include <exception>

void WireWindows(frmMain& main)
{
    ShellHooks& h = shellHooks();
    frmMain* window = &main;
    h.showOptions = [window](int page) { ShowOptionsWindow(*window, page); };
    h.showSetEditor = [] { ShowStockSetEditor(); };
    h.editMenu = [](int index) { mnuEdit_Click(index); };
    h.treeMenu = [](int index) { mnuTree_Click(index); };
    h.nodeClick = [window](const QString& key) { TreeView1_NodeClick(*window, key); };
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
    const auto place = [](QWidget* window) { PlaceBelowTicker(window); };
    if (page >= 0)
        Options::ShowOptionsAt(&main, page, place);
    else
        Options::ShowOptions(&main, place);
    QCoreApplication::processEvents();
}

void TreeView1_NodeClick(frmMain& main, const QString& key)
{
    TreeModel* model = main.treeModel();
    TreeNode* node = model ? model->find(key) : nullptr;
    if (!node)
        return;
    if (NavigationTree* tree = main.navigationTree())
        tree->rememberNode(key);

    // A failure anywhere ends the click; what was done before it stays.
    try {
        const QString text = node->Text();
        if (key.startsWith(QLatin1String(TreeTables::PortSymbolKeyPrefix)))
            PortSelected(text);

        if (key.startsWith(QLatin1String(TreeTables::StockKeyPrefix)) && node->Image() == TreeTables::StockImage) {
            CurrentSymbol = text;
            main.ShowStockHeader(CurrentSymbol);
            // The per-stock views follow in a later version; every other view gives
            // way to the quotes of the set with the stock's row selected.
            if (CurrentView != QLatin1String("Profile")) {
                if (CurrentView != QLatin1String("Current"))
                    FG_Current();
                if (SelectStockRow(main.grid()))
                    return;
            }
        }

        if (node->Image() == TreeTables::AllImage)
            FG_Current();

        if (key == QLatin1String("PortLog")) {
            FG_PortfolioLog();
        } else if (key == QLatin1String(TreeTables::PortDetailKey)) {
            FG_Portfolio_All();
        } else if (key == QLatin1String("PortClear")) {
            if (Dialogs::MsgBox(QStringLiteral("Do you really want to delete all portfolio information?"),
                                Dialogs::vbYesNo + Dialogs::vbExclamation + Dialogs::vbDefaultButton2,
                                QStringLiteral("Delete Portfolio Information?")) == Dialogs::vbYes)
                ClearPortfolio();
        }
    } catch (const std::exception&) {
    }
}
