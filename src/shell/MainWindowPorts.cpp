#include "shell/MainWindowPorts.h"

#include "services/frmUpgrade.h"

#include "platform/TreeModel.h"
#include "platform/TreeView.h"
#include "sheets/CurrentQuotes.h"
#include "sheets/GridLayout.h"
#include "sheets/ViewRunner.h"
#include "shell/GaugeSkins.h"
#include "shell/NewsTicker.h"
#include "shell/frmMain.h"
#include "tree/NavigationTree.h"
#include "stockdata/ProgramState.h"
#include "views/ViewHost.h"

#include <QAction>
#include <QApplication>
#include <QLabel>

MainWindowPorts::MainWindowPorts(frmMain& main)
    : m_main(main),
      m_captionShown([this] { m_main.setWindowTitle(m_caption); }),
      m_taskShown([this] { showTaskText(m_taskText); })
{
}

MainWindowPorts::~MainWindowPorts()
{
    if (m_busyPointer)
        QApplication::restoreOverrideCursor();
}

// ---------------------------------------------------------------------------
// MainWindowPort.

QString MainWindowPorts::caption() const
{
    return m_captionShown.waiting() ? m_caption : m_main.windowTitle();
}

void MainWindowPorts::setCaption(const QString& text)
{
    // A run sets the title once per request, far faster than anyone reads.
    m_caption = text;
    if (!m_runTexts || m_captionShown.admit())
        m_main.setWindowTitle(text);
}

void MainWindowPorts::setRunTexts(bool on)
{
    m_runTexts = on;
    if (on)
        return;
    // The run's last texts (the title back to OrigCaption, the task text emptied) show now.
    m_captionShown.flush();
    m_taskShown.flush();
    m_main.flushStatusText();
}

void MainWindowPorts::setTextClock(const Throttle::Clock& clock)
{
    m_captionShown.setClock(clock);
    m_taskShown.setClock(clock);
}

void MainWindowPorts::setStatusText(const QString& text)
{
    m_main.m_statusText = text;
    if (m_main.m_statusShown.admit())
        m_main.showStatusText(text);
}

QString MainWindowPorts::stripSymbol(int slot) const
{
    return m_main.stripSymbol(slot);
}

int MainWindowPorts::gaugeScaleWidth() const
{
    return m_main.m_strip.gaugeScaleWidth;
}

void MainWindowPorts::drawGaugeMarker(int slot, int x)
{
    if (slot < 0 || slot >= kSlotCount)
        return;
    m_main.m_strip.items[slot].gaugeVisible = true;
    m_main.m_strip.items[slot].markerX = x;
    m_main.syncStrip();
}

void MainWindowPorts::hideGauge(int slot)
{
    if (slot < 0 || slot >= kSlotCount)
        return;
    m_main.m_strip.items[slot].gaugeVisible = false;
    m_main.syncStrip();
}

// ---------------------------------------------------------------------------
// UpdateRunPort.

QString MainWindowPorts::updateButtonCaption() const
{
    return m_main.m_bar.updateCaption;
}

void MainWindowPorts::setUpdateButtonCaption(const QString& text)
{
    m_main.m_bar.updateCaption = text;
    m_main.syncButtons();
}

void MainWindowPorts::setUpdateButtonPicture(const QString& resource)
{
    m_main.m_bar.face[0] = resource;
    m_main.syncButtons();
}

void MainWindowPorts::setTrayUpdateCaption(const QString& text)
{
    m_main.mnuTray[0]->setText(text);
}

void MainWindowPorts::setGroupsButtonEnabled(bool enabled)
{
    m_main.m_groupsEnabled = enabled;
    m_main.m_panels.label[1].enabled = enabled;
    m_main.Panel1[1]->setEnabled(enabled);
}

void MainWindowPorts::setStocksButtonEnabled(bool enabled)
{
    m_main.m_bar.stocksEnabled = enabled;
    m_main.syncButtons();
}

void MainWindowPorts::setTaskText(const QString& text)
{
    m_taskText = text;
    if (!m_runTexts || m_taskShown.admit())
        showTaskText(text);
}

void MainWindowPorts::showTaskText(const QString& text)
{
    m_main.Panel1[7]->setText(text);
    m_main.placeStatusText();
}

void MainWindowPorts::setBusyPointer(bool busy)
{
    if (busy == m_busyPointer)
        return;
    m_busyPointer = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

FlexGrid* MainWindowPorts::mainGrid()
{
    return viewHost().mainGrid();
}

bool MainWindowPorts::selectStockNode(const QString& symbol)
{
    TreeModel* model = m_main.treeModel();
    if (!model)
        return false;
    const auto isStockNode = [&](const TreeNode* node) {
        return node && node->Image() == 1 && node->Key().startsWith(QLatin1String("ID")) && node->Text() == symbol;
    };
    TreeNode* node = nullptr;
    if (m_stockNodesOf == model && m_stockNodesVersion == model->structureVersion()) {
        node = model->find(m_stockNodeKeys.value(symbol));
        if (!isStockNode(node))
            node = nullptr;
    }
    if (!node) {
        // One walk finds the first stock node of every symbol.
        m_stockNodeKeys.clear();
        for (int i = model->Count(); i >= 1; --i) {
            const TreeNode* n = model->Nodes(i);
            if (n->Image() == 1 && n->Key().startsWith(QLatin1String("ID")))
                m_stockNodeKeys.insert(n->Text(), n->Key());
        }
        m_stockNodesOf = model;
        m_stockNodesVersion = model->structureVersion();
        node = model->find(m_stockNodeKeys.value(symbol));
        if (!isStockNode(node))
            return false;
    }
    node->setSelected(true);
    m_main.TreeView1->setFocus();
    return true;
}

// ---------------------------------------------------------------------------
// OptionsHost and EditingHost.

void MainWindowPorts::setAutoUpdateMin(int minutes)
{
    m_main.updateRun().setAutoUpdateMin(minutes);
}

void MainWindowPorts::setAutoUpdateTimer(bool enabled)
{
    if (enabled)
        m_main.updateRun().Timer1.start();
    else
        m_main.updateRun().Timer1.stop();
}

void MainWindowPorts::applySkin()
{
    LoadSkin(m_main.m_strip);
    m_main.ShowRec();
}

QWidget* MainWindowPorts::mainWindowWidget()
{
    return &m_main;
}

int MainWindowPorts::newsTickerTop()
{
    return m_main.m_layout.NewsTicker1.Top;
}

QStringList MainWindowPorts::stripSymbols()
{
    QStringList symbols;
    for (const StripSlot& s : m_main.m_strip.items)
        symbols << s.caption;
    return symbols;
}

void MainWindowPorts::copyGrid()
{
    CopyGridToClipboard();
}

void MainWindowPorts::selectAllGrid()
{
    SelectAllGrid();
}

void MainWindowPorts::toggleOldStyleBackground()
{
    OldStyleBackgroundChecked() = !OldStyleBackgroundChecked();
    m_main.mnuEdit[kOldStyleBackgroundItem]->setChecked(OldStyleBackgroundChecked());
}

void MainWindowPorts::redrawQuotes()
{
    FG_Current(m_main.views());
}

void MainWindowPorts::collapseAllNodes()
{
    if (NavigationTree* tree = m_main.navigationTree())
        tree->CollapseAllNodes();
}

void MainWindowPorts::pressUpdateButton()
{
    m_main.Picture1_Click(0);
}

// ---------------------------------------------------------------------------
// StockSelectionWindow.

bool MainWindowPorts::tickerPricesChecked() const
{
    return m_main.mnuTicker[1] && m_main.mnuTicker[1]->isChecked();
}

void MainWindowPorts::tickerMenuClick(int index)
{
    m_main.mnuTicker_Click(index);
}

void MainWindowPorts::showStockInTree(const QString& symbol)
{
    if (NavigationTree* tree = m_main.navigationTree())
        tree->CollapseStockNodes();
    selectStockNode(symbol);
}

void MainWindowPorts::showUpgradeWindow()
{
    frmUpgrade& window = frmUpgrade::Instance();
    window.show();
    window.raise();
}

void MainWindowPorts::redrawStockView(const QString& code)
{
    m_main.views().show(code);
}

// ---------------------------------------------------------------------------
// TickerWindow.

void MainWindowPorts::setTickerCaption(const QString& text)
{
    m_main.NewsTicker1->setCaption(text);
}
