#pragma once

#include "platform/FlexGrid.h"
#include "retrieval/UpdateRun.h"
#include "sheets/MainGridEvents.h"
#include "shell/ButtonBar.h"
#include "shell/MainWindowLoad.h"
#include "shell/MainWindowPorts.h"
#include "shell/PaintThrottle.h"
#include "shell/Throttle.h"
#include "shell/PaneLayout.h"
#include "shell/RealRunServices.h"
#include "shell/StockSelection.h"
#include "shell/StockStrip.h"
#include "shell/TickerFeeds.h"
#include "stockdata/PopupActions.h"
#include "stockdata/RealEditorWindows.h"
#include "stockdata/StockSets.h"
#include "views/ViewHost.h"
#include "weblinks/RealWebLinkWindows.h"

#include <QString>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class Downloaders;
class FlexGridView;
class MainWindowNodeClicks;
class NavigationTree;
class NewsTicker;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class SplitBar;
class Transports;
class TreeModel;
class TreeView;
class ViewRunner;

// The program's main window: the news ticker across the top, the pane container
// PicCont with the navigation tree, the stock strip and the main grid FG under two
// splitter bars, the button bar on the right and the black status bar along the
// bottom; no menu bar (every menu is a popup). Its load is the second half of the
// program's start, its quit the one way out.
//
// What the lower layers ask of the window (the update run, the Options window, the
// editing windows and popups, the stock selection) goes through MainWindowPorts,
// made with it; the views draw into FG (ViewHost). The rules live in plain classes
// (PaneLayout, StockStrip, ButtonBar, KeyTable, StockSelection, MainWindowLoad,
// StockSets); the window keeps their state, calls them from its event handlers and
// copies their results onto its widgets. The window's code stands in frmMain.cpp
// (building, load, quit, commands), MainWindowWidgets.cpp, MainWindowMenus.cpp and
// MainWindowMouse.cpp.
class frmMain : public QWidget, public ViewHost
{
    Q_OBJECT
    friend class MainWindowPorts;

public:
    // The caption the window is built with, prefix of every status title.
    static const char* const DesignCaption;  // "Tradewright 5.4"

    // views: the program's one view runner, which every view of the window goes
    // through; it outlives the window.
    explicit frmMain(ViewRunner& views, QWidget* parent = nullptr);
    ~frmMain() override;

    // The program's one main window (created on first use, over views) and its
    // showing: the first Show runs Form_Load, then the window appears modeless.
    static frmMain& mainForm(ViewRunner& views);
    static bool mainFormExists();
    void Show();
    bool loaded() const { return m_loaded; }

    // ---- load and quit -------------------------------------------------------
    void Form_Load();
    void LoadData();
    void Form_Activate();
    // The quit sequence: a running update is stopped first, the column layout saved
    // (unless the load could not read it), the dimming taken away, the skin's memory
    // contexts freed, and the program ended.
    void ExitProgram();
    // What ending the program does (tests record it instead of quitting).
    void setEndProgram(std::function<void()> end) { m_endProgram = std::move(end); }

    // What the load read without widgets ("Fractions" and "Volume" as stored, the
    // column layout).
    const MainWindowLoad& startLoad() const { return m_load; }

    // ---- commands by index ---------------------------------------------------
    void Picture1_Click(int Index);
    void Panel1_Click(int Index);
    void Panel1_DblClick(int Index);
    void mnuStart_Click(int Index);
    void mnuUpdate_Click(int Index);
    void mnuHelp_Click(int Index);
    void mnuSetting_Click(int Index);
    void mnuTray_Click(int Index);
    // The Email menu (MainWindowMail.cpp): the mail window blank, as a recommendation
    // or as a bug report, the error-log mail, the questionnaire and the support window.
    void mnuEmail_Click(int Index);
    void SendErrorLog();
    void mnuTicker_Click(int Index);
    // Reads SpokenText(Index) aloud in the speech window, placed below the ticker.
    void Speak(int Index);
    void mnuSet_Click(int Index);
    void mnu_Preference_Click();
    // The "Reports" menu: its items enabled by CurrentView as it opens; an item chosen.
    void mnuReports_Click();
    void mnuReport_Click(int Index);
    // LoadSets: the 21 set names into the set menu; the Groups label and the tree
    // root follow a new name of the set shown.
    void loadSetNames();
    void Form_KeyDown(int KeyCode, int Shift);
    void StopUpdate();

    // ---- stock strip ---------------------------------------------------------
    void LoadPrices();
    void ShowRec();
    void ClearStockBar();
    void ScrollStockBar(bool up);
    void TmrNav_Timer();
    void ShowStockHeader(const QString& symbol);
    void initTree();
    // The strip's click: makes the slot's stock current in the tree, the strip, the
    // ticker and the quotes view. Its double click: a detail card of CurrentSymbol.
    void img_Click(int Index);
    void img_DblClick(int Index);
    // Press and release on a slot's picture or label: the press border and marker.
    void img_MouseDown(int Index, int Button);
    void img_MouseUp(int Index);
    // The tree popup and the grid popup with their items as the state gives them.
    void showTreePopup(const TreePopupState& state, const QPoint& global);
    void showGridPopup(const GridPopupState& state, const QPoint& global);
    StockStrip& strip() { return m_strip; }
    // The sets' use cases (the window follows their signals).
    StockSets& stockSets() { return m_sets; }
    bool ScrollUp = false;
    QTimer TmrNav;

    // ---- panes and splitters -------------------------------------------------
    void picSplit2_MouseDown(int Button, int Shift, double X, double Y);
    void picSplit2_MouseMove(int Button, int Shift, double X, double Y);
    void picSplit2_MouseUp(int Button, int Shift, double X, double Y);
    void picSplit2_DblClick();
    void Splitter_MouseDown(int Button, int Shift, double X, double Y);
    void Splitter_MouseMove(int Button, int Shift, double X, double Y);
    void Splitter_MouseUp(int Button, int Shift, double X, double Y);
    void Splitter_DblClick();
    void Form_Resize();
    PaneLayout& layout() { return m_layout; }
    BarDrag& splitDragX() { return m_dragX; }   // picSplit2 (SplitStartX)
    BarDrag& splitDragY() { return m_dragY; }   // Splitter (SplitStartY)
    std::int32_t SplitterMaxTop = 0;
    int DragColor = 0x808080;

    // ---- button bar and status bar ---------------------------------------------
    ButtonBar& buttonBar() { return m_bar; }
    StatusPanels& statusPanels() { return m_panels; }
    void Picture1_MouseDown(int Index);
    void Picture1_MouseUp(int Index);
    void Picture1_MouseMove(int Index);
    void Form_MouseMove();          // also frmButtom_MouseMove
    void PicCont_MouseMove();
    void StatusBar1_MouseMove();
    void Panel1_MouseDown(int Index, int Button);
    void Panel1_MouseMove(int Index);
    void Panel1_MouseUp(int Index);

    // ---- news ticker ---------------------------------------------------------
    // The feeds the ticker menu chooses, and the ticker's item click.
    TickerFeeds& tickerFeeds() { return m_ticker; }
    void NewsTicker1_ItemClick(int index);

    // ---- the parts the rest of the program reaches ----------------------------
    Transports& transports() { return *m_transports; }
    UpdateRun& updateRun() { return *m_run; }
    FlexGrid& grid() { return m_grid; }
    MainGridEvents& gridEvents() { return m_gridEvents; }
    TreeModel* treeModel() const;
    NavigationTree* navigationTree() const { return m_tree.get(); }
    QString panelText(int index) const;
    // The status text as last set (Panel1(6) shows it at most ten times a second),
    // and showing a waiting one now.
    const QString& statusText() const { return m_statusText; }
    void flushStatusText() { m_statusShown.flush(); }
    // While an update runs the window repaints at most ten times a second.
    PaintThrottle& paintThrottle() { return *m_paintThrottle; }
    QString buttonCaption(int index) const;

    // Controls, by their own names.
    NewsTicker* NewsTicker1 = nullptr;
    QWidget* PicCont = nullptr;
    QFrame* frmButtom = nullptr;
    QWidget* StatusBar1 = nullptr;
    TreeView* TreeView1 = nullptr;
    QWidget* picSplit2 = nullptr;
    QLabel* ImgUp = nullptr;
    QLabel* ImgDn = nullptr;
    std::array<QLabel*, kStripSlots> lblSbl{};
    QFrame* Shape1 = nullptr;
    std::array<QWidget*, kStripSlots> img{};
    std::array<QLabel*, kLegendLabels> lblDsc{};
    QWidget* Splitter = nullptr;
    FlexGridView* FG = nullptr;
    QWidget* picSplit = nullptr;
    std::array<QWidget*, kBarButtons> Picture1{};
    std::array<QLabel*, kBarButtons> lblDesc{};
    std::array<QLabel*, kStatusPanels> Panel1{};
    QFrame* Rect = nullptr;

    // Menus (popups only). Items are addressed by their index; an index
    // without an item holds nullptr.
    QMenu* mnuStarts = nullptr;
    QMenu* mnuUpdates = nullptr;
    QMenu* mnuEmails = nullptr;
    QMenu* mnuSettings = nullptr;
    QMenu* mnuHelps = nullptr;
    QMenu* mnuSets = nullptr;
    QMenu* mnuTickers = nullptr;
    QMenu* mnuTrees = nullptr;
    QMenu* mnuEdits = nullptr;
    QMenu* mnuReports = nullptr;
    QMenu* mnuTrays = nullptr;
    QMenu* mnuDataSheet = nullptr;
    QMenu* mnu_Preferences = nullptr;  // never shown
    QMenu* mnuPro = nullptr;           // never shown
    QAction* mnu_Preference = nullptr;
    std::array<QAction*, 9> mnuStart{};
    std::array<QAction*, 5> mnuUpdate{};
    std::array<QAction*, 6> mnuEmail{};
    std::array<QAction*, 7> mnuSetting{};
    std::array<QAction*, 8> mnuHelp{};
    std::array<QAction*, 21> mnuSet{};
    std::array<QAction*, 13> mnuTicker{};
    std::array<QAction*, 12> mnuTree{};
    std::array<QAction*, 10> mnuEdit{};
    std::array<QAction*, 17> mnuReport{};
    std::array<QAction*, 10> mnuTray{};
    std::array<QAction*, 9> mnuData{};
    std::array<QAction*, 16> mnuCons{};
    std::array<QAction*, 7> mnuProcess{};

    // How popup menus are opened (tests record instead of showing).
    void setPopupOpener(std::function<void(QMenu*, const QPoint& global)> opener) { m_popup = std::move(opener); }
    // The popup position for a point of the window's client area in twips.
    QPoint popupPoint(std::int32_t xTwips, std::int32_t yTwips) const;

    // ---- the main window as the lower layers ask it (MainWindowPorts) -----------
    MainWindowPorts& ports() { return m_ports; }
    ViewRunner& views() { return m_views; }
    RunState& runState() { return m_ports.runState(); }
    QString stripSymbol(int slot) const
    {
        return slot >= 0 && slot < kSlotCount ? m_strip.items[std::size_t(slot)].caption : QString();
    }

    // ---- ViewHost ------------------------------------------------------------
    FlexGrid* mainGrid() override { return &m_grid; }
    FlexGrid* newZoomGrid() override;
    void showZoom(FlexGrid* grid) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildWidgets();
    void buildMenus();
    void connectParts();
    void watch(QWidget* w, int kind, int index = 0);
    void dispatchMouse(int kind, int index, QEvent* event);
    void applyGeometry();
    // Panel1(6) as wide as its text within the room StatusTextWidth gives it.
    void placeStatusText();
    void showStatusText(const QString& text);
    void placeAlignedBars();
    void syncStrip();
    void syncButtons();
    void syncPanels();
    void openPopup(QMenu* menu, std::int32_t xTwips, std::int32_t yTwips);
    void splitterLayout();
    void verticalLayout();
    void quitQuestion();
    void setBarLook(QWidget* bar, bool gripped);
    // The window's part of switching the set and of editing it, and of new prices.
    void showCurrentSet(int Index);
    void showEditedSet();
    void redrawShownQuotes();

    ViewRunner& m_views;
    PaneLayout m_layout;
    FormScaler m_resizer;
    BarDrag m_dragX;
    BarDrag m_dragY;
    StockStrip m_strip;
    ButtonBar m_bar;
    StatusPanels m_panels;
    FlexGrid m_grid;
    SheetQuoteParsing m_quoteParsing;
    SmtpMailSending m_mail;
    MainWindowPorts m_ports{*this};
    QString m_statusText;
    Throttle m_statusShown{[this] { showStatusText(m_statusText); }};
    PaintThrottle* m_paintThrottle = new PaintThrottle(this);
    StockSets m_sets;
    MainWindowLoad m_load{m_sets};
    PopupActions m_popupActions{m_ports, m_sets};
    RealEditorWindows m_editorWindows{m_ports, m_sets};
    RealWebLinkWindows m_webLinkWindows{this};
    MainGridEvents m_gridEvents{m_grid, m_popupActions};
    StockSelection m_selection{m_strip, m_grid, m_ports};
    TickerFeeds m_ticker{m_ports};

    std::unique_ptr<Transports> m_transports;
    std::unique_ptr<Downloaders> m_downloaders;
    std::unique_ptr<UpdateRun> m_run;
    std::unique_ptr<NavigationTree> m_tree;
    std::unique_ptr<MainWindowNodeClicks> m_nodeClicks;
    std::unique_ptr<SplitBar> m_splitBar;
    ViewHost* m_previousHost = nullptr;

    std::function<void()> m_endProgram;
    std::function<void(QMenu*, const QPoint&)> m_popup;
    bool m_loaded = false;
    bool m_stripDblClick = false;  // a strip picture's double click awaits its release
    bool m_exiting = false;
    bool m_groupsEnabled = true;
};
