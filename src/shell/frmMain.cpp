#include "shell/frmMain.h"

#include "services/News.h"
#include "services/frmAdviser.h"

#include "core/DimScreen.h"
#include "core/ErrorLog.h"
#include "core/SplashProgress.h"
#include "platform/Dialogs.h"
#include "platform/DoEvents.h"
#include "platform/FlexGridView.h"
#include "platform/InputCodes.h"
#include "platform/SkipFailedSteps.h"
#include "platform/TreeView.h"
#include "platform/WindowPlacement.h"
#include "reports/SummaryOpt.h"
#include "retrieval/Downloaders.h"
#include "retrieval/Transports.h"
#include "sheets/CurrentQuotes.h"
#include "sheets/ViewRunner.h"
#include "sheets/GridLayout.h"
#include "sheets/ReportsPort.h"
#include "sheets/Zoom.h"
#include "shell/GaugeSkins.h"
#include "shell/KeyTable.h"
#include "shell/MainWindowParts.h"
#include "shell/WireWindows.h"
#include "stockdata/DetailCard.h"
#include "stockdata/ProgramState.h"
#include "stockdata/StkSet.h"
#include "tree/NavigationTree.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLoggingCategory>
#include <QScreen>


using namespace mainwindow;

namespace {

Q_LOGGING_CATEGORY(lcMainWindow, "tradewright.shell.mainwindow")

frmMain* g_mainForm = nullptr;   // the program's main window (mainForm())
frmMain* g_connected = nullptr;     // the window the facades point at (options, views, editing windows)

} // namespace

const char* const frmMain::DesignCaption = "Tradewright 5.4";

// ---------------------------------------------------------------------------
// Construction.

frmMain::frmMain(ViewRunner& views, QWidget* parent)
    : QWidget(parent, Qt::Window), m_views(views), m_layout(PaneLayout::Design())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(DesignCaption));
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(Skins::kButtonFace));
    pal.setColor(QPalette::Button, QColor::fromRgb(Skins::kButtonFace));
    setPalette(pal);
    setAutoFillBackground(true);

    m_transports = std::make_unique<Transports>(m_ports);
    m_downloaders = std::make_unique<Downloaders>(*m_transports, m_ports);
    m_run = std::make_unique<UpdateRun>(m_ports, m_ports, *m_transports, *m_downloaders, m_quoteParsing, m_mail);
    connect(&m_sets, &StockSets::currentSetChanged, this, &frmMain::showCurrentSet);
    connect(&m_sets, &StockSets::stocksChanged, this, &frmMain::showEditedSet);
    connect(&m_sets, &StockSets::namesChanged, this, &frmMain::loadSetNames);
    // New prices: a shown quotes view is drawn again.
    connect(m_run.get(), &UpdateRun::pricesChanged, this, &frmMain::redrawShownQuotes);
    connect(m_run.get(), &UpdateRun::stockPricesChanged, this,
            [this](int row) { m_views.redrawStockIfShown(QStringLiteral("Current"), row); });
    // A run changes the grid, tree and texts with every page: the window shows them
    // at most ten times a second meanwhile, and whole at the end.
    connect(m_run.get(), &UpdateRun::runStarted, this, [this] {
        m_paintThrottle->setOn(true);
        m_ports.setRunTexts(true);
    });
    connect(m_run.get(), &UpdateRun::runFinished, this, [this] {
        m_ports.setRunTexts(false);
        m_paintThrottle->setOn(false);
    });

    m_strip.fits = [this](int slot) { return SlotFits(m_layout, slot); };
    m_strip.changed = [this] { syncStrip(); };

    TmrNav.setInterval(100);
    connect(&TmrNav, &QTimer::timeout, this, &frmMain::TmrNav_Timer);

    buildWidgets();
    buildMenus();
    resize(px(m_layout.ClientWidth), px(m_layout.ClientHeight));
    applyGeometry();
    syncStrip();
    syncButtons();
    syncPanels();
    connectParts();
}

frmMain::~frmMain()
{
    if (g_connected == this) {
        setDefaultEditorWindows(nullptr);
        setDefaultWebLinkWindows(nullptr);
        if (optionsHost() == &m_ports)
            installOptionsHost(nullptr);
        if (&viewHost() == this)
            installViewHost(nullptr);
        setZoomOwner(nullptr);
        installSplitBar(nullptr);
        g_connected = nullptr;
    }
    if (g_mainForm == this)
        g_mainForm = nullptr;
    qApp->removeEventFilter(this);
    // The tree and the run go before the widgets they point at.
    m_nodeClicks.reset();
    m_tree.reset();
    m_run.reset();
}

frmMain& frmMain::mainForm(ViewRunner& views)
{
    if (!g_mainForm)
        g_mainForm = new frmMain(views);
    return *g_mainForm;
}

bool frmMain::mainFormExists()
{
    return g_mainForm != nullptr;
}

void frmMain::Show()
{
    if (!m_loaded)
        Form_Load();
    show();
    raise();
    activateWindow();
}

void frmMain::connectParts()
{
    g_connected = this;

    // Zoom windows are still made the way the host before this window made them.
    m_previousHost = dynamic_cast<frmMain*>(&viewHost()) ? nullptr : &viewHost();
    installViewHost(this);
    setZoomOwner(this);
    installSplitBar(m_splitBar.get());
    installOptionsHost(&m_ports);
    setDefaultEditorWindows(&m_editorWindows);
    setDefaultWebLinkWindows(&m_webLinkWindows);

    // The navigation tree on TreeView1: titled by the Groups label, its mouse moves
    // stop the strip, its right button opens the tree popup, its clicks go to the
    // node dispatcher.
    m_tree = std::make_unique<NavigationTree>(TreeView1);
    m_tree->setSetNameSource([this] { return Panel1[1]->text(); });
    m_tree->setMouseMoveHook([this] {
        if (TmrNav.isActive())
            TmrNav.stop();
    });
    m_tree->setPopupHook([this](const TreePopup& popup) {
        // The items of the stock under the remembered node, as far as the tree shows
        // them.
        TreePopupState state = TreePopupStates(TreePopupFrom::Tree, popup.isStockMenu());
        for (int i = 0; i < TreePopup::ItemCount && i < kTreePopupItems; ++i)
            state[i].visible = state[i].visible && popup.visible[i];
        showTreePopup(state, popup.globalPos);
    });
    m_nodeClicks = std::make_unique<MainWindowNodeClicks>(*this);
    connect(TreeView1, &TreeView::NodeClick, this,
            [this](const QString& key) { m_nodeClicks->TreeView1_NodeClick(key); });
}

// ---------------------------------------------------------------------------
// Load and quit.

void frmMain::Form_Load()
{
    m_loaded = true;
    SkipFailedSteps{[](const std::exception* e) { LogFailure(e, MainWindowLoad::FormLoadTag); }}([&] {
        // Centred across the screen, 10 twips below its top.
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->geometry();
            PlaceWindow(*this, QPoint(area.x() + area.width() / 2 - frameGeometry().width() / 2, area.y() + px(10)));
        }

        LoadData();

        m_dragY = BarDrag();
        m_dragX = BarDrag();
        DragColor = 0x808080;
        SplitterMaxTop = m_layout.FG.Top;
        // The resize object records the window at its first resize, when it is first
        // shown, with the tree's width of the last run in place.
        StdRowHeight() = m_grid.RowHeight(0);
        Splitter->setCursor(Qt::OpenHandCursor);

        if (const std::optional<int> pos = MainWindowLoad::lastTreePos(m_layout.picSplit2.Left)) {
            m_layout.picSplit2.Left = *pos;
            picSplit2_MouseUp(2, 0, 0, *pos);
        }
    });
}

void frmMain::LoadData()
{
    SkipFailedSteps{[](const std::exception* e) { LogFailure(e, MainWindowLoad::LoadDataTag); }}([&] {
        runState().OrigCaption = windowTitle();
        runState().StopFlag = false;
        setSplashProgress(60);
        m_load.makeCacheFolders();
        DoEvents();
        setSplashProgress(65);
        LoadSkin(m_strip);
        setSplashProgress(70);
        m_load.readDisplayOptions();
        loadSetNames();
        setSplashProgress(75);
        m_load.openLastSet();  // the window follows the set's announcement
        MainWindowLoad::applyProxy(m_transports->Inet1);
        if (m_tree)
            m_tree->setLastNodeIndex(1);
        MainWindowLoad::readAutoUpdate(*m_run);
        setSplashProgress(80);
        m_load.loadLayout();
        setSplashProgress(85);
        DoEvents();
        LoadPrices();
        setSplashProgress(90);
        ShowRec();
        DoEvents();
        setSplashProgress(100);
        closeSplash();
        DoEvents();
    });
}

void frmMain::Form_Activate()
{
    SkipFailedSteps(lcMainWindow, "Form_Activate")([] { closeSplash(); });
}

void frmMain::ExitProgram()
{
    if (m_exiting)
        return;
    m_exiting = true;
    // A run still going is stopped first, so no download writes on after the end.
    if (m_run && m_run->isActive())
        m_run->StopUpdate();
    // A layout that could not be read is not written back empty.
    if (m_load.layoutLoaded)
        SaveLayout();
    DoEvents();
    ResetScreen();
    DoEvents();
    DestroyHdcs();
    DoEvents();
    if (m_endProgram) {
        m_endProgram();
        return;
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    QCoreApplication::exit(0);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    ExitProgram();
    event->accept();
}

void frmMain::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
    QWidget::changeEvent(event);
}

// ---------------------------------------------------------------------------
// Commands.

void frmMain::Picture1_Click(int Index)
{
    switch (Index) {
    case 0:
        m_run->PressUpdateButton();
        break;
    case 1:
        openPopup(mnuTickers, m_layout.frmButtom.Left + 20, m_layout.frmButtom.Top + 70);
        break;
    case 2: {
        // Half its width left of the middle of the main window's width, 300 twips
        // below the main window's top.
        News& reader = News::Instance();
        const QRect screen = this->screen() ? this->screen()->geometry() : QRect();
        PlaceWindow(reader, QPoint(screen.x() + frameGeometry().width() / 2 - reader.frameGeometry().width() / 2,
                                   frameGeometry().y() + px(300)));
        reader.show();
        reader.raise();
        reader.activateWindow();
        break;
    }
    case 4:
        if (m_bar.stocksEnabled)
            ShowStockSetEditor();
        break;
    case 5:
        webLinkWindows().showScreener();
        break;
    case 6:
        ShowOptionsWindow(*this, -1);
        break;
    case 3:
        Zoom_FG(m_views);
        break;
    default:
        // No other button.
        break;
    }
}

void frmMain::Panel1_Click(int Index)
{
    switch (Index) {
    case 0:
        openPopup(mnuStarts, m_layout.StatusBar1.Left, m_layout.StatusBar1.Top);
        break;
    case 1:
        // The sets stay shut while a run works on the current one.
        if (m_groupsEnabled)
            openPopup(mnuSets, m_layout.Panel1[1].Left, m_layout.StatusBar1.Top);
        break;
    case 2:
        m_run->UpdateFastPrices();
        break;
    case 3: {
        frmAdviser adviser(*m_downloaders, this);
        adviser.exec();
        break;
    }
    case 4:
        if (CurrentSymbol().isEmpty()) {
            Dialogs::MsgBox(QStringLiteral("You have to select stock first.\r\n(Select one of the symbols in the "
                                           "upper tree, under the first item.)"),
                            Dialogs::vbInformation, QStringLiteral("Unselected Stock"));
        } else {
            // The chooser opens above the Summary label, half its size to the right.
            SummaryOpt chooser(this);
            chooser.adjustSize();
            const int widthTwips = chooser.width() * input::TwipsPerPixel;
            const int heightTwips = chooser.height() * input::TwipsPerPixel;
            PlaceWindow(chooser, popupPoint(m_layout.Panel1[4].Left + widthTwips / 2,
                                            m_layout.StatusBar1.Top + heightTwips / 2 - 800));
            chooser.exec();
        }
        break;
    case 5:
        openPopup(mnuReports, m_layout.Panel1[5].Left, m_layout.StatusBar1.Top);
        break;
    default:
        // No other label acts on a click.
        break;
    }
}

void frmMain::Panel1_DblClick(int Index)
{
    if (Index == 1 && m_groupsEnabled)
        Picture1_Click(4);
}

void frmMain::showCurrentSet(int Index)
{
    if (Index < 0 || Index >= int(mnuSet.size()))
        return;
    for (QAction* a : mnuSet)
        a->setChecked(false);
    mnuSet[Index]->setChecked(true);
    ClearStockBar();
    LoadPrices();
    ShowRec();
    Panel1[1]->setText(mnuSet[Index]->text());
    initTree();
    redrawShownQuotes();
}

void frmMain::showEditedSet()
{
    initTree();
    redrawShownQuotes();
}

void frmMain::redrawShownQuotes()
{
    m_views.redrawIfShown(QStringLiteral("Current"));
}

void frmMain::Form_KeyDown(int KeyCode, int Shift)
{
    // A command that fails is passed over.
    SkipFailedSteps(lcMainWindow, "Form_KeyDown")([&] {
        switch (KeyCommandFor(KeyCode, Shift)) {
        case KeyCommand::None: break;
        case KeyCommand::ShutDown: mnuStart_Click(8); break;
        case KeyCommand::StartMenu: Panel1_Click(0); break;
        case KeyCommand::GroupsMenu: Panel1_Click(1); break;
        case KeyCommand::FastUpdate: Panel1_Click(2); break;
        case KeyCommand::Adviser: Panel1_Click(3); break;
        case KeyCommand::Summary: Panel1_Click(4); break;
        case KeyCommand::ReportsMenu: Panel1_Click(5); break;
        case KeyCommand::Update: Picture1_Click(0); break;
        case KeyCommand::FocusTree: TreeView1->setFocus(); break;
        case KeyCommand::FocusGrid: FG->setFocus(); break;
        case KeyCommand::Relax: mnuHelp_Click(7); break;
        case KeyCommand::TickerMenu: Picture1_Click(1); break;
        case KeyCommand::Deruvu: Picture1_Click(2); break;
        case KeyCommand::Zoom: Picture1_Click(3); break;
        case KeyCommand::Screen: Picture1_Click(5); break;
        case KeyCommand::Setting: Picture1_Click(6); break;
        case KeyCommand::StopUpdate: StopUpdate(); break;
        }
    });
}

void frmMain::StopUpdate()
{
    m_run->StopUpdate();
}

// ---------------------------------------------------------------------------
// The stock strip.

void frmMain::LoadPrices()
{
    m_strip.LoadPrices();
}

void frmMain::ShowRec()
{
    m_strip.ShowRec();
}

void frmMain::ClearStockBar()
{
    m_strip.ClearStockBar();
}

void frmMain::ScrollStockBar(bool up)
{
    m_strip.ScrollStockBar(up);
}

void frmMain::TmrNav_Timer()
{
    ScrollStockBar(ScrollUp);
    DoEvents();
    ShowRec();
    DoEvents();
}

void frmMain::ShowStockHeader(const QString& symbol)
{
    m_selection.ShowStockHeader(symbol);
}

void frmMain::img_Click(int Index)
{
    m_selection.img_Click(Index);
}

void frmMain::img_DblClick(int)
{
    // The card shows CurrentSymbol, which the click before the double click set.
    SkipFailedSteps(lcMainWindow, "img_DblClick")([] { OpenDetailCard(); });
}

void frmMain::initTree()
{
    if (m_tree)
        m_tree->initTree();
}

TreeModel* frmMain::treeModel() const
{
    return m_tree ? m_tree->model() : nullptr;
}

// ---------------------------------------------------------------------------
// The grid's reports: the "Reports" menu follows the view on screen.
void frmMain::mnuReports_Click()
{
    const QVector<bool> enabled = ReportItemsEnabled(CurrentView(), ReportWindow::Main);
    for (int i = 0; i < kMainReportItems; ++i)
        mnuReport[i]->setEnabled(enabled.value(i));
}

void frmMain::mnuReport_Click(int Index)
{
    SkipFailedSteps(lcMainWindow, "mnuReport_Click")([&] { ReportItemChosen(Index, ReportWindow::Main); });
}

// ---------------------------------------------------------------------------
// ViewHost: the views draw into FG; zoom windows are made by the host that served
// before this window, owned by this window.

FlexGrid* frmMain::newZoomGrid()
{
    return m_previousHost ? m_previousHost->newZoomGrid() : nullptr;
}

void frmMain::showZoom(FlexGrid* grid)
{
    if (m_previousHost)
        m_previousHost->showZoom(grid);
}
