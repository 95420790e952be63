#pragma once

#include <QHash>

#include "core/OptionsHost.h"
#include "platform/TreeModel.h"
#include "retrieval/MainWindowPort.h"
#include "retrieval/UpdateRun.h"
#include "shell/StockSelection.h"
#include "shell/Throttle.h"
#include "shell/TickerFeeds.h"
#include "stockdata/EditingHost.h"

class frmMain;

// The main window as the lower layers ask it: the update run (title, status panels,
// strip gauges, run flags, busy frame, tree), the Options window (auto-update, skin,
// owner, ticker top), the editing windows and popups, the stock selection and the
// news ticker's feeds. A
// small adapter over the window's widgets and models, made with the window, so the
// window class keeps its widgets, menus and layout.
class MainWindowPorts final : public MainWindowPort,
                              public UpdateRunPort,
                              public OptionsHost,
                              public EditingHost,
                              public StockSelectionWindow,
                              public TickerWindow
{
public:
    explicit MainWindowPorts(frmMain& main);
    ~MainWindowPorts() override;

    // ---- MainWindowPort ------------------------------------------------------
    RunState& runState() override { return m_runState; }
    QString caption() const override;
    void setCaption(const QString& text) override;
    void setStatusText(const QString& text) override;
    QString stripSymbol(int slot) const override;
    int gaugeScaleWidth() const override;
    void drawGaugeMarker(int slot, int x) override;
    void hideGauge(int slot) override;

    // ---- UpdateRunPort -------------------------------------------------------
    QString updateButtonCaption() const override;
    void setUpdateButtonCaption(const QString& text) override;
    void setUpdateButtonPicture(const QString& resource) override;
    void setTrayUpdateCaption(const QString& text) override;
    void setGroupsButtonEnabled(bool enabled) override;
    void setStocksButtonEnabled(bool enabled) override;
    void setTaskText(const QString& text) override;
    void setBusyPointer(bool busy) override;
    bool selectStockNode(const QString& symbol) override;
    // The views' main grid, for the update run and the popups alike.
    FlexGrid* mainGrid() override;

    // ---- OptionsHost and EditingHost -----------------------------------------------
    void setAutoUpdateMin(int minutes) override;
    void setAutoUpdateTimer(bool enabled) override;
    void applySkin() override;
    QWidget* mainWindowWidget() override;
    int newsTickerTop() override;
    void showUpgradeWindow() override;
    QStringList stripSymbols() override;
    void copyGrid() override;
    void selectAllGrid() override;
    void toggleOldStyleBackground() override;
    void redrawQuotes() override;
    void collapseAllNodes() override;
    void setOneStockOnly(bool on) override { m_runState.OneStockOnly = on; }
    void pressUpdateButton() override;

    // ---- StockSelectionWindow ------------------------------------------------
    bool tickerPricesChecked() const override;
    void tickerMenuClick(int index) override;
    void showStockInTree(const QString& symbol) override;
    void redrawStockView(const QString& code) override;

    // ---- TickerWindow (with setStatusText and setBusyPointer above) -----------
    void setTickerCaption(const QString& text) override;

    // While an update run goes, the title and the task text change at most ten times
    // a second (as the status text always does), the last of each always shown; off
    // shows the last of every text at once. caption() is always the latest title.
    void setRunTexts(bool on);
    // The clock of the title's and task text's throttles; for tests.
    void setTextClock(const Throttle::Clock& clock);

private:
    void showTaskText(const QString& text);

    frmMain& m_main;
    RunState m_runState;
    // Each stock symbol to the first stock node showing it (by key), built in one walk
    // over the tree and built again when the tree's nodes changed.
    QHash<QString, QString> m_stockNodeKeys;
    const TreeModel* m_stockNodesOf = nullptr;
    quint64 m_stockNodesVersion = 0;
    bool m_busyPointer = false;
    bool m_runTexts = false;
    QString m_caption;
    QString m_taskText;
    Throttle m_captionShown;
    Throttle m_taskShown;
};
