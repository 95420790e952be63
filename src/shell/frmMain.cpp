#include "shell/frmMain.h"

#include "core/DimScreen.h"
#include "core/ErrorLog.h"
#include "core/GRP.h"
#include "core/Misc.h"
#include "core/Settings.h"
#include "core/SplashProgress.h"
#include "core/clsRAS.h"
#include "core/frmSplash.h"
#include "platform/Dialogs.h"
#include "platform/DoEvents.h"
#include "platform/FlexGridView.h"
#include "platform/Help.h"
#include "platform/InputCodes.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "platform/SkipFailedSteps.h"
#include "platform/TreeModel.h"
#include "platform/TreeView.h"
#include "retrieval/Downloaders.h"
#include "retrieval/Transports.h"
#include "sheets/CurrentQuotes.h"
#include "sheets/GridLayout.h"
#include "shell/GaugeSkins.h"
#include "shell/KeyTable.h"
#include "shell/MainWindowLoad.h"
#include "shell/WireWindows.h"
#include "stockdata/DetailCard.h"
#include "stockdata/StkSet.h"
#include "stockdata/Globals.h"
#include "stockdata/Stocks.h"
#include "tree/NavigationTree.h"
#include "tree/SetNames.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <exception>

namespace {

Q_LOGGING_CATEGORY(lcMainWindow, "tradewright.shell.mainwindow")

frmMain* g_mainForm = nullptr;   // the program's main window (mainForm())
frmMain* g_hooked = nullptr;     // the window the shared hooks point at

constexpr int kTwips = FlexGrid::TwipsPerPixel;

int px(std::int32_t twips)
{
    return int(std::lround(double(twips) / kTwips));
}

QRect pxRect(const TwipRect& r)
{
    return QRect(px(r.Left), px(r.Top), std::max(0, px(r.Width)), std::max(0, px(r.Height)));
}

QColor bgr(int colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// The event kinds the window's filter tells apart.
enum Kind {
    KForm,
    KPicCont,
    KButtonFrame,
    KStatusBar,
    KSplit2,
    KSplitter,
    KImgUp,
    KImgDn,
    KLblSbl,
    KImg,
    KPicture1,
    KPanel1,
    KInert,  // a control without mouse handlers of its own (captions, legend)
};

const char* kKindProperty = "twKind";
const char* kIndexProperty = "twIndex";

// A strip gauge: the skin's bar with the marker copied onto it at its column.
class GaugeBox : public QWidget
{
public:
    GaugeBox(const StripSlot& slot, QWidget* parent) : QWidget(parent), m_slot(slot) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor::fromRgb(Skins::kStripBack));
        if (!m_slot.picture.isEmpty())
            p.drawImage(0, 0, Skins::Bitmap(m_slot.picture));
        if (m_slot.markerX >= 0) {
            // One plain copy of the marker's top-left 8 x 10 pixels; what lies outside
            // the gauge (or outside a smaller marker bitmap) is clipped.
            const QImage marker = HdcImage(SkinDC);
            if (!marker.isNull()) {
                const QRect source(0, 0, std::min(Skins::kMarkerCopyWidth, marker.width()),
                                   std::min(Skins::kMarkerCopyHeight, marker.height()));
                p.drawImage(QPoint(m_slot.markerX, 0), marker, source);
            }
        }
        if (m_slot.framed) {
            p.setPen(QColor(255, 255, 255));
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

private:
    const StripSlot& m_slot;
};

// An oval button of the button bar: its face bitmap on the frame's background.
class FaceButton : public QWidget
{
public:
    FaceButton(const QString& face, QWidget* parent) : QWidget(parent), m_face(&face) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor::fromRgb(Skins::kButtonFace));
        const QImage image = Skins::Bitmap(*m_face);
        p.drawImage((width() - image.width()) / 2, (height() - image.height()) / 2, image);
    }

private:
    const QString* m_face;
};

// The thin bar over the main grid that marks where a dragged column lands.
class PicSplitBar : public SplitBar
{
public:
    explicit PicSplitBar(frmMain& form) : m_form(form) {}
    void setVisible(bool visible) override
    {
        if (m_form.picSplit)
            m_form.picSplit->setVisible(visible);
    }
    void setLeft(int twips) override
    {
        m_form.layout().picSplit.Left = m_form.layout().FG.Left + twips;
        if (m_form.picSplit)
            m_form.picSplit->move(px(m_form.layout().picSplit.Left), m_form.picSplit->y());
    }

private:
    frmMain& m_form;
};

QAction* addItem(QMenu* menu, const QString& caption)
{
    if (caption == QLatin1String("-"))
        return menu->addSeparator();
    return menu->addAction(caption);
}

} // namespace

const char* const frmMain::DesignCaption = "Tradewright 5.4";

// ---------------------------------------------------------------------------
// Construction.

frmMain::frmMain(QWidget* parent)
    : QWidget(parent, Qt::Window), m_layout(PaneLayout::Design())
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

    m_strip.fits = [this](int slot) { return SlotFits(m_layout, slot); };
    m_strip.doEvents = [] { DoEvents(); };
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
    installHooks();
}

frmMain::~frmMain()
{
    if (g_hooked == this) {
        setDefaultEditorWindows(nullptr);
        if (optionsHost() == &m_ports)
            installOptionsHost(nullptr);
        if (&viewHost() == this)
            installViewHost(nullptr);
        installSplitBar(nullptr);
        g_hooked = nullptr;
    }
    if (g_mainForm == this)
        g_mainForm = nullptr;
    qApp->removeEventFilter(this);
    // The tree and the run go before the widgets they point at.
    m_nodeClicks.reset();
    m_tree.reset();
    m_run.reset();
}

frmMain& frmMain::mainForm()
{
    if (!g_mainForm)
        g_mainForm = new frmMain();
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

void frmMain::watch(QWidget* w, int kind, int index)
{
    w->setProperty(kKindProperty, kind);
    w->setProperty(kIndexProperty, index);
    w->setMouseTracking(true);
}

void frmMain::buildWidgets()
{
    watch(this, KForm);

    auto* ticker = new QFrame(this);
    ticker->setObjectName(QStringLiteral("NewsTicker1"));
    ticker->setAutoFillBackground(true);
    QPalette tp = ticker->palette();
    tp.setColor(QPalette::Window, QColor(0, 0, 0));
    ticker->setPalette(tp);
    ticker->setFrameStyle(QFrame::NoFrame);
    NewsTicker1 = ticker;

    PicCont = new QWidget(this);
    PicCont->setObjectName(QStringLiteral("PicCont"));
    PicCont->setAutoFillBackground(true);
    QPalette cp = PicCont->palette();
    cp.setColor(QPalette::Window, QColor::fromRgb(Skins::kStripBack));
    PicCont->setPalette(cp);
    watch(PicCont, KPicCont);

    TreeView1 = new TreeView(PicCont);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    connect(TreeView1, &TreeView::NodeClick, this, [this](const QString& key) {
        if (m_nodeClicks)
            m_nodeClicks->TreeView1_NodeClick(key);
    });

    auto makeBar = [this](const QString& name, int kind) {
        auto* bar = new QWidget(PicCont);
        bar->setObjectName(name);
        bar->setAutoFillBackground(true);
        bar->setCursor(Qt::OpenHandCursor);
        setBarLook(bar, false);
        watch(bar, kind);
        return bar;
    };
    picSplit2 = makeBar(QStringLiteral("picSplit2"), KSplit2);

    auto makeArrow = [this](const QString& name, const QString& picture, int kind) {
        auto* arrow = new QLabel(PicCont);
        arrow->setObjectName(name);
        arrow->setPixmap(QPixmap::fromImage(Skins::Bitmap(picture)));
        arrow->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        watch(arrow, kind);
        return arrow;
    };
    ImgUp = makeArrow(QStringLiteral("ImgUp"), QStringLiteral("ArrowUp"), KImgUp);
    ImgDn = makeArrow(QStringLiteral("ImgDn"), QStringLiteral("ArrowDn"), KImgDn);

    for (int k = 0; k < kStripSlots; ++k) {
        auto* label = new QLabel(PicCont);
        label->setObjectName(QStringLiteral("lblSbl(%1)").arg(k));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        watch(label, KLblSbl, k);
        lblSbl[k] = label;

        auto* gauge = new GaugeBox(m_strip.items[k], PicCont);
        gauge->setObjectName(QStringLiteral("img(%1)").arg(k));
        gauge->setToolTip(QStringLiteral("Click For Latest News"));
        watch(gauge, KImg, k);
        img[k] = gauge;
    }

    Shape1 = new QFrame(PicCont);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setStyleSheet(QStringLiteral("QFrame { border: 1px solid #60A0FF; background: transparent; }"));
    Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Shape1->hide();

    static const std::array<const char*, kLegendLabels> legend{"Sell", "Underperform", "Hold", "Buy",
                                                               "Strong Buy"};
    // Times New Roman where the machine has it; the size is the largest up to 11
    // pixels at which every caption fits its label, so none is cut.
    QFont serif(QStringLiteral("Times New Roman"));
    serif.setStyleHint(QFont::Serif);
    serif.setPixelSize(11);
    for (int size = 11; size > 7; --size) {
        serif.setPixelSize(size);
        const QFontMetrics metrics(serif);
        bool fits = true;
        for (int k = 0; k < kLegendLabels; ++k)
            fits = fits && metrics.horizontalAdvance(QString::fromLatin1(legend[k])) <= px(m_layout.lblDsc[k].Width);
        if (fits)
            break;
    }
    for (int k = 0; k < kLegendLabels; ++k) {
        auto* label = new QLabel(QString::fromLatin1(legend[k]), PicCont);
        label->setObjectName(QStringLiteral("lblDsc(%1)").arg(k));
        label->setFont(serif);
        QPalette lp = label->palette();
        lp.setColor(QPalette::WindowText, bgr(0xC0C0C0));
        label->setPalette(lp);
        watch(label, KInert, k);
        lblDsc[k] = label;
    }

    Splitter = makeBar(QStringLiteral("Splitter"), KSplitter);

    FG = new FlexGridView(PicCont);
    FG->setObjectName(QStringLiteral("FG"));
    FG->setGrid(&m_grid);
    connect(FG, &FlexGridView::DblClick, this, [this] { m_gridEvents.FG_DblClick(); });
    connect(FG, &FlexGridView::KeyDown, this,
            [this](int KeyCode, int Shift) { m_gridEvents.FG_KeyDown(KeyCode, Shift); });
    connect(FG, &FlexGridView::MouseDown, this, [this](int Button, int Shift, double X, double Y) {
        if (const auto popup = m_gridEvents.FG_MouseDown(Button, Shift, X, Y))
            showGridPopup(*popup, FG->viewport()->mapToGlobal(QPoint(px(std::lround(X)), px(std::lround(Y)))));
    });
    connect(FG, &FlexGridView::MouseMove, this, [this](int Button, int Shift, double X, double Y) {
        if (TmrNav.isActive())
            TmrNav.stop();
        m_gridEvents.FG_MouseMove(Button, Shift, X, Y);
    });
    connect(FG, &FlexGridView::MouseUp, this,
            [this](int Button, int Shift, double X, double Y) { m_gridEvents.FG_MouseUp(Button, Shift, X, Y); });
    connect(FG, &FlexGridView::DragOver, this,
            [](QWidget* Source, double X, double Y, int State) { FG_DragOver(Source, X, Y, State); });
    connect(FG, &FlexGridView::DragDrop, this,
            [](QWidget* Source, double X, double Y) { FG_DragDrop(Source, X, Y); });

    picSplit = new QWidget(PicCont);
    picSplit->setObjectName(QStringLiteral("picSplit"));
    picSplit->setAutoFillBackground(true);
    QPalette sp = picSplit->palette();
    sp.setColor(QPalette::Window, QColor(0, 0, 0));
    picSplit->setPalette(sp);
    picSplit->setAttribute(Qt::WA_TransparentForMouseEvents);
    picSplit->hide();

    frmButtom = new QFrame(this);
    frmButtom->setObjectName(QStringLiteral("frmButtom"));
    frmButtom->setFrameStyle(QFrame::NoFrame);
    watch(frmButtom, KButtonFrame);
    for (int i = 0; i < kBarButtons; ++i) {
        auto* button = new FaceButton(m_bar.face[i], frmButtom);
        button->setObjectName(QStringLiteral("Picture1(%1)").arg(i));
        button->setToolTip(QString::fromLatin1(ButtonToolTips()[i]));
        button->setCursor(Qt::PointingHandCursor);
        watch(button, KPicture1, i);
        Picture1[i] = button;

        auto* caption = new QLabel(QString::fromLatin1(ButtonCaptions()[i]), frmButtom);
        caption->setObjectName(QStringLiteral("lblDesc(%1)").arg(i));
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        QPalette dp = caption->palette();
        dp.setColor(QPalette::WindowText, QColor(80, 80, 80));
        caption->setPalette(dp);
        watch(caption, KInert, i);
        lblDesc[i] = caption;
    }

    StatusBar1 = new QWidget(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setAutoFillBackground(true);
    QPalette bp = StatusBar1->palette();
    bp.setColor(QPalette::Window, QColor(0, 0, 0));
    StatusBar1->setPalette(bp);
    watch(StatusBar1, KStatusBar);
    for (int i = 0; i < kStatusPanels; ++i) {
        auto* panel = new QLabel(QString::fromLatin1(PanelCaptions()[i]), StatusBar1);
        panel->setObjectName(QStringLiteral("Panel1(%1)").arg(i));
        panel->setToolTip(QString::fromLatin1(PanelToolTips()[i]));
        panel->setAlignment(i >= 6 ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
        panel->setAutoFillBackground(true);
        watch(panel, KPanel1, i);
        Panel1[i] = panel;
    }
    Rect = new QFrame(StatusBar1);
    Rect->setObjectName(QStringLiteral("Rect"));
    Rect->setStyleSheet(QStringLiteral("QFrame { border: 1px solid #00C000; background: transparent; }"));
    Rect->setAttribute(Qt::WA_TransparentForMouseEvents);
    Rect->hide();

    // The whole window sees every key first.
    qApp->installEventFilter(this);
}

void frmMain::buildMenus()
{
    auto fill = [](QMenu* menu, auto& items, std::initializer_list<std::pair<int, const char*>> list) {
        for (const auto& [index, caption] : list)
            items[index] = addItem(menu, QString::fromLatin1(caption));
    };

    // Start menu with its submenus.
    mnuStarts = new QMenu(QStringLiteral("Start"), this);
    mnuStarts->setObjectName(QStringLiteral("mnuStarts"));
    mnuUpdates = new QMenu(QStringLiteral("U&pdate"), mnuStarts);
    mnuEmails = new QMenu(QStringLiteral("&Email"), mnuStarts);
    mnuSettings = new QMenu(QStringLiteral("&Setting"), mnuStarts);
    mnuHelps = new QMenu(QStringLiteral("&Help"), mnuStarts);
    mnuStart[0] = mnuStarts->addMenu(mnuUpdates);
    mnuStart[1] = mnuStarts->addSeparator();
    mnuStart[2] = mnuStarts->addMenu(mnuEmails);
    mnuStart[4] = mnuStarts->addMenu(mnuSettings);
    mnuStart[5] = mnuStarts->addMenu(mnuHelps);
    mnuStart[6] = mnuStarts->addAction(QStringLiteral("&About Tradewright"));
    mnuStart[7] = mnuStarts->addSeparator();
    mnuStart[8] = mnuStarts->addAction(QStringLiteral("Sh&ut Down  (Alt X)"));
    // An item with a submenu "clicks" when its submenu opens.
    connect(mnuUpdates, &QMenu::aboutToShow, this, [this] { mnuStart_Click(0); });
    connect(mnuStart[6], &QAction::triggered, this, [this] { mnuStart_Click(6); });
    connect(mnuStart[8], &QAction::triggered, this, [this] { mnuStart_Click(8); });

    fill(mnuUpdates, mnuUpdate,
         {{0, "Update Selected Group"}, {1, "Update Selected Stock"}, {2, "Update All Groups"}, {3, "-"},
          {4, "Hang-up"}});
    mnuUpdate[2]->setVisible(false);
    for (int i : {0, 1, 4})
        connect(mnuUpdate[i], &QAction::triggered, this, [this, i] { mnuUpdate_Click(i); });

    fill(mnuEmails, mnuEmail,
         {{0, "New Massage"}, {1, "Tell It To Your Friend"}, {2, "Bug Report"}, {3, "Send Error Log To Orvane"},
          {4, "Send Feedback To Orvane"}, {5, "Technical Support "}});
    // The mail items wait for the mail windows: no action yet.

    fill(mnuSettings, mnuSetting,
         {{0, "Daily Consulting"}, {1, "Stock Data"}, {2, "Market Data"}, {3, "Funds"}, {4, "Voice Option"},
          {5, "Network Setting"}, {6, "Tradewright Preferences"}});
    for (int i = 0; i < int(mnuSetting.size()); ++i)
        connect(mnuSetting[i], &QAction::triggered, this, [this, i] { mnuSetting_Click(i); });

    fill(mnuHelps, mnuHelp,
         {{0, "Documentation"}, {1, "Getting Started"}, {2, "How To.."}, {3, "References"},
          {4, "Keyboard Shortcut"}, {5, "Tecnical Support or Questions"}, {6, "-"}, {7, "Relax\tF9"}});
    for (int i : {0, 1, 2, 3, 4, 5, 7})
        connect(mnuHelp[i], &QAction::triggered, this, [this, i] { mnuHelp_Click(i); });

    // Never shown: the data-sheet and consultation lists, whose check mark the
    // market lists keep.
    mnuDataSheet = new QMenu(QStringLiteral("DataSheet"), this);
    auto* dataTree = mnuDataSheet->addMenu(QStringLiteral("Stock Data"));
    fill(dataTree, mnuData,
         {{0, "Annual Balance Sheet"}, {1, "Annual Income Statement"}, {2, "Earnings Growth"},
          {3, "Earnings History"}, {4, "Recommendations"}, {5, "Insider Trades "}, {6, "Quarterly Reports "},
          {7, "Calls"}, {8, "Puts"}});
    auto* consTree = mnuDataSheet->addMenu(QStringLiteral("Consultation"));
    fill(consTree, mnuCons,
         {{0, "Stock Prices"}, {1, "Top 25  Earnings Surprises"}, {2, "Percentage Winners"},
          {3, "Percentage Losers "}, {4, "Largest % Gain In Price "}, {5, "Largest % Loss In Price"},
          {6, "Largest % Gain In Volume"}, {7, "Largest % Loss In Volume"}, {8, "52 Week Price Highs "},
          {9, "52 Week Price Lows"}, {10, "Most Actives Stock  "}, {11, "Upgrades"}, {12, "Downgrades"},
          {13, "Coverage Initiated"}, {14, "Broad Market Overviews "},
          {15, "Most Recent Corporate Earnings Releases "}});
    for (QAction* a : mnuCons)
        a->setCheckable(true);
    mnuCons[14]->setEnabled(false);
    mnuCons[15]->setEnabled(false);

    // The sets.
    mnuSets = new QMenu(QStringLiteral("Sets"), this);
    mnuSets->setObjectName(QStringLiteral("mnuSets"));
    for (int i = 0; i < int(mnuSet.size()); ++i) {
        mnuSet[i] = mnuSets->addAction(i == 0 ? QStringLiteral("All Stocks") : QStringLiteral("Group %1").arg(i));
        mnuSet[i]->setCheckable(true);
        connect(mnuSet[i], &QAction::triggered, this, [this, i] { mnuSet_Click(i); });
    }
    mnuSet[0]->setChecked(true);

    // The ticker menu.
    mnuTickers = new QMenu(QStringLiteral("Ticker"), this);
    fill(mnuTickers, mnuTicker,
         {{0, "Selected Stock Headlines"}, {1, "Selected Stock Prices"}, {2, "-"}, {3, "All Stocks Headlines"},
          {4, "All Stocks Price"}, {5, "-"}, {6, "Market Headlines"}, {7, "-"},
          {8, "Put on air selected  stock headlines"}, {9, "Put on air selected stock Prices"}, {10, "-"},
          {11, "Put on air all news headlines"}, {12, "Put on air all stocks Prices"}});
    for (int i : {0, 1, 3, 4, 6}) {
        mnuTicker[i]->setCheckable(true);
    }
    mnuTicker[0]->setChecked(true);
    for (int i : {0, 1, 3, 4, 6, 8, 9, 11, 12})
        connect(mnuTicker[i], &QAction::triggered, this, [this, i] { mnuTicker_Click(i); });

    // The tree popup and the grid popup: every item visible and enabled to begin with;
    // each opening sets the states it needs.
    mnuTrees = new QMenu(QStringLiteral("Tree"), this);
    for (int i = 0; i < kTreePopupItems; ++i) {
        mnuTree[i] = addItem(mnuTrees, mnuTreeCaptions()[i]);
        if (!mnuTree[i]->isSeparator())
            connect(mnuTree[i], &QAction::triggered, this, [this, i] { m_popupActions.mnuTree_Click(i); });
    }

    mnuEdits = new QMenu(QStringLiteral("Edit"), this);
    for (int i = 0; i < kGridPopupItems; ++i) {
        mnuEdit[i] = addItem(mnuEdits, mnuEditCaptions()[i]);
        if (!mnuEdit[i]->isSeparator())
            connect(mnuEdit[i], &QAction::triggered, this, [this, i] { m_popupActions.mnuEdit_Click(i); });
    }
    mnuEdit[kOldStyleBackgroundItem]->setCheckable(true);

    // The report and export menu.
    mnuReports = new QMenu(QStringLiteral("Reports"), this);
    fill(mnuReports, mnuReport,
         {{0, "HTML"}, {1, "Tab Delimited Text"}, {2, "Comma Delimited Text"}, {3, "Quicken Pre 5.0"},
          {4, "Quicken  5.0 Or Later"}, {5, "MetaStock"}, {6, "Quote Link"}, {7, "Prodigy Quotetrack"},
          {8, "Excel"}, {9, "Microsoft Money"}, {10, "Access "}, {11, "Word"}, {12, "Oracle"},
          {13, "SQL Server"}, {14, "Microsoft Mail"}, {15, "Clipboard"}, {16, "XML"}});
    for (int i = 0; i <= 15; ++i)
        mnuReport[i]->setEnabled(false);
    // The report items wait for the reports: no action yet.

    // The tray menu.
    mnuTrays = new QMenu(QStringLiteral("Tray"), this);
    fill(mnuTrays, mnuTray,
         {{0, "Update"}, {1, "-"}, {2, "New Massage"}, {3, "Tell It To Your Friend"}, {5, "-"}, {6, "Help"},
          {7, "About"}, {8, "-"}, {9, "Shut Down Tradewright"}});
    for (int i : {0, 2, 3, 6, 7, 9})
        connect(mnuTray[i], &QAction::triggered, this, [this, i] { mnuTray_Click(i); });
}

void frmMain::installHooks()
{
    g_hooked = this;

    // Zoom windows are still made the way the host before this window made them.
    m_previousHost = dynamic_cast<frmMain*>(&viewHost()) ? nullptr : &viewHost();
    installViewHost(this);
    m_splitBar = std::make_unique<PicSplitBar>(*this);
    installSplitBar(m_splitBar.get());
    installOptionsHost(&m_ports);
    setDefaultEditorWindows(&m_editorWindows);

    // The navigation tree on TreeView1: titled by the Groups label, its mouse moves
    // stop the strip, its popup opens once the popup's actions are installed.
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
            move(area.x() + area.width() / 2 - frameGeometry().width() / 2, area.y() + px(10));
        }

        LoadData();

        m_dragY = BarDrag();
        m_dragX = BarDrag();
        DragColor = 0x808080;
        SplitterMaxTop = m_layout.FG.Top;
        // The resize object records the window at its first resize, when it is first
        // shown, with the tree's width of the last run in place.
        StdRowHeight = m_grid.RowHeight(0);
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

QPoint frmMain::popupPoint(std::int32_t xTwips, std::int32_t yTwips) const
{
    return mapToGlobal(QPoint(px(xTwips), px(yTwips)));
}

void frmMain::openPopup(QMenu* menu, std::int32_t xTwips, std::int32_t yTwips)
{
    const QPoint at = popupPoint(xTwips, yTwips);
    if (m_popup)
        m_popup(menu, at);
    else
        menu->popup(at);
}

void frmMain::Picture1_Click(int Index)
{
    switch (Index) {
    case 0:
        m_run->PressUpdateButton();
        break;
    case 4:
        if (m_bar.stocksEnabled)
            ShowStockSetEditor();
        break;
    case 6:
        ShowOptionsWindow(*this, -1);
        break;
    default:
        // 1 the ticker menu (its feeds), 2 "Deruvu" (the news reader), 3 "Zoom" and
        // 5 "Screen" (the screener) wait for their windows: no action yet.
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
    case 4:
        // The summary chooser waits for its window; without a stock the label says so.
        if (CurrentSymbol.isEmpty())
            Dialogs::MsgBox(QStringLiteral("You have to select stock first.\r\n(Select one of the symbols in the "
                                           "upper tree, under the first item.)"),
                            Dialogs::vbInformation, QStringLiteral("Unselected Stock"));
        break;
    default:
        // 3 "Adviser" (the weekly tip) and 5 "Reports" (the report menu) wait for
        // their windows: no action yet.
        break;
    }
}

void frmMain::Panel1_DblClick(int Index)
{
    if (Index == 1 && m_groupsEnabled)
        Picture1_Click(4);
}

void frmMain::mnuStart_Click(int Index)
{
    switch (Index) {
    case 0:
        mnuUpdate[4]->setEnabled(CountConnections() >= 1);
        break;
    case 6:
        frmSplash::ShowAbout(this);
        break;
    case 8:
        quitQuestion();
        break;
    default:
        break;
    }
}

void frmMain::quitQuestion()
{
    if (Settings::SettingIsZero(QString::fromLatin1(Settings::ShutDown))) {
        ExitProgram();
        return;
    }
    QWidget* form = this;
    DimForm(form);
    const int answer = Dialogs::MsgBox(QStringLiteral("Do you realy want to quit Tradewright?"),
                                       Dialogs::vbYesNo + Dialogs::vbQuestion, QStringLiteral("Shut Down Tradewright"));
    if (answer == Dialogs::vbYes)
        ExitProgram();
    else
        ResetScreen();
}

void frmMain::mnuUpdate_Click(int Index)
{
    switch (Index) {
    case 0:
        runState().OneStockOnly = false;
        Picture1_Click(0);
        break;
    case 1:
        runState().OneStockOnly = true;
        Picture1_Click(0);
        break;
    case 4: {
        clsRAS ras;
        ras.ISPHangup();
        break;
    }
    default:
        break;
    }
}

void frmMain::mnuHelp_Click(int Index)
{
    static const std::array<int, 6> topics{1001, 1012, 1011, 1013, 1009, 1008};
    if (Index >= 0 && Index < int(topics.size())) {
        Help::ShowTopic(topics[Index]);
    } else if (Index == 7) {
        GRP::ShowRelax(this);
        DoEvents();
    }
}

void frmMain::mnuSetting_Click(int Index)
{
    Settings::SaveSetting(QString::fromLatin1(Settings::FrmNav), QString::number(Index));
    ShowOptionsWindow(*this, Index);
}

void frmMain::mnuTray_Click(int Index)
{
    switch (Index) {
    case 0:
        Picture1_Click(0);
        break;
    case 6:
        mnuHelp_Click(0);
        break;
    case 7:
        mnuStart_Click(6);
        break;
    case 9:
        mnuStart_Click(8);
        break;
    default:
        // 2 and 3, the mail items, wait for the mail windows: no action yet.
        break;
    }
}

void frmMain::mnuTicker_Click(int Index)
{
    if (Index < 0 || Index >= int(mnuTicker.size()))
        return;
    if (Index < 8) {
        for (QAction* a : mnuTicker)
            if (a && a->isCheckable())
                a->setChecked(false);
        if (mnuTicker[Index]->isCheckable())
            mnuTicker[Index]->setChecked(true);
    }
    switch (Index) {
    case 0:
    case 1:
        // The selected stock's quote line for the ticker; it keeps CurrentIndex on
        // the stock's row (which a set read since the selection may have moved).
        GetStockLine(CurrentSymbol);
        break;
    case 3:
    case 6:
        Dialogs::MsgBox(QStringLiteral("This option will be available in the next coming version, stay tune!"),
                        Dialogs::vbOKOnly + Dialogs::vbInformation, QStringLiteral(" Coming Soon.."));
        mnuTicker[0]->setChecked(true);
        return;
    default:
        break;
    }
    // The ticker and the speech it feeds are not built yet.
}

void frmMain::mnuSet_Click(int Index)
{
    m_sets.makeCurrent(Index);
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
    if (CurrentView != QLatin1String("Current"))
        return;
    FlexGrid::UpdateLock lock(&m_grid);
    FG_Current();
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

void frmMain::loadSetNames()
{
    LoadSets([this](int n, const QString& caption) {
        if (n >= 0 && n < int(mnuSet.size()))
            mnuSet[n]->setText(caption);
    });
}

void frmMain::showTreePopup(const TreePopupState& state, const QPoint& global)
{
    for (int i = 0; i < kTreePopupItems; ++i) {
        mnuTree[i]->setVisible(state[i].visible);
        mnuTree[i]->setEnabled(state[i].enabled);
    }
    if (m_popup)
        m_popup(mnuTrees, global);
    else
        mnuTrees->popup(global);
}

void frmMain::showGridPopup(const GridPopupState& state, const QPoint& global)
{
    for (int i = 0; i < kGridPopupItems; ++i) {
        mnuEdit[i]->setEnabled(state[i].enabled);
        mnuEdit[i]->setVisible(state[i].visible);
    }
    mnuEdit[kOldStyleBackgroundItem]->setChecked(OldStyleBackgroundChecked);
    if (m_popup)
        m_popup(mnuEdits, global);
    else
        mnuEdits->popup(global);
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

void frmMain::img_MouseDown(int Index, int Button)
{
    if (Index < 0 || Index >= kStripSlots || Button == 2)
        return;
    m_strip.items[Index].framed = true;
    if (!m_strip.items[Index].caption.isEmpty()) {
        m_layout.Shape1.Top = m_layout.lblSbl[Index].Top - 20;
        Shape1->setGeometry(pxRect(m_layout.Shape1));
        Shape1->show();
        Shape1->raise();
    }
    syncStrip();
}

void frmMain::img_MouseUp(int Index)
{
    if (Index < 0 || Index >= kStripSlots)
        return;
    m_strip.items[Index].framed = false;
    Shape1->hide();
    syncStrip();
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
// Panes and splitters.

void frmMain::setBarLook(QWidget* bar, bool gripped)
{
    QPalette p = bar->palette();
    p.setColor(QPalette::Window, gripped ? bgr(DragColor) : QColor::fromRgb(Skins::kButtonFace));
    bar->setPalette(p);
    bar->setCursor(gripped ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
}

void frmMain::verticalLayout()
{
    const std::int32_t P = ApplyVerticalLayout(m_layout);
    Settings::SaveSetting(QString::fromLatin1(Settings::LastTreePos), QString::number(P));
    applyGeometry();
}

void frmMain::splitterLayout()
{
    ApplyHorizontalLayout(m_layout, SplitterMaxTop);
    const int last = m_strip.SlotFitPass();
    m_strip.GaugePass(last);
    applyGeometry();
}

void frmMain::picSplit2_MouseDown(int Button, int Shift, double X, double Y)
{
    if (m_dragX.MouseDown(Button, X)) {
        picSplit2_MouseUp(Button, Shift, X, Y);
        return;
    }
    if (Button == 1)
        setBarLook(picSplit2, true);
}

void frmMain::picSplit2_MouseMove(int, int, double X, double)
{
    if (const auto step = m_dragX.MouseMove(X)) {
        m_layout.picSplit2.Left += *step;
        picSplit2->move(px(m_layout.picSplit2.Left), picSplit2->y());
    }
}

void frmMain::picSplit2_MouseUp(int, int, double, double)
{
    m_dragX.MouseUp();
    setBarLook(picSplit2, false);
    verticalLayout();
}

void frmMain::picSplit2_DblClick()
{
    m_layout.picSplit2.Left = kTreePosDesign;
    picSplit2_MouseUp(2, 0, 0, kTreePosDesign);
}

void frmMain::Splitter_MouseDown(int Button, int Shift, double X, double Y)
{
    if (m_dragY.MouseDown(Button, Y)) {
        Splitter_MouseUp(Button, Shift, X, Y);
        return;
    }
    if (Button == 1)
        setBarLook(Splitter, true);
}

void frmMain::Splitter_MouseMove(int, int, double, double Y)
{
    if (const auto step = m_dragY.MouseMove(Y)) {
        m_layout.Splitter = {0, m_layout.Splitter.Top + *step, m_layout.picContScaleWidth(), kBarThickness};
        Splitter->setGeometry(pxRect(m_layout.Splitter));
    }
}

void frmMain::Splitter_MouseUp(int, int, double, double)
{
    m_dragY.MouseUp();
    setBarLook(Splitter, false);
    splitterLayout();
}

void frmMain::Splitter_DblClick()
{
    m_layout.Splitter.Top = m_layout.Splitter.Top == kSplitterMin ? kSplitterOpen : kSplitterCollapse;
    Splitter_MouseUp(2, 0, 0, m_layout.Splitter.Top);
    m_layout.picSplit.Top = m_layout.FG.Top;
    m_layout.picSplit.Height = m_layout.FG.Height;
    applyGeometry();
}

void frmMain::Form_Resize()
{
    try {
        if (!isMinimized())
            m_resizer.ScaleControls(m_layout, width() * kTwips, height() * kTwips);
        AfterResize(m_layout);
        applyGeometry();
    } catch (const std::exception& e) {
        LogError(QString::fromUtf8(e.what()), 6, QStringLiteral("Tradewright"), QStringLiteral("frmMain_Form_Resize"),
                 false);
    }
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmMain::placeAlignedBars()
{
    // The ticker lies across the top and the status bar along the bottom edge, each
    // the window's whole width.
    const std::int32_t w = std::max(0, width()) * kTwips;
    const std::int32_t h = std::max(0, height()) * kTwips;
    m_layout.NewsTicker1.Width = w;
    m_layout.StatusBar1.Width = w;
    m_layout.StatusBar1.Top = h - m_layout.StatusBar1.Height;
}

void frmMain::applyGeometry()
{
    placeAlignedBars();
    const PaneLayout& g = m_layout;
    NewsTicker1->setGeometry(pxRect(g.NewsTicker1));
    PicCont->setGeometry(pxRect(g.PicCont));
    frmButtom->setGeometry(pxRect(g.frmButtom));
    StatusBar1->setGeometry(pxRect(g.StatusBar1));
    TreeView1->setGeometry(pxRect(g.TreeView1));
    picSplit2->setGeometry(pxRect(g.picSplit2));
    ImgUp->setGeometry(pxRect(g.ImgUp));
    ImgDn->setGeometry(pxRect(g.ImgDn));
    for (int k = 0; k < kStripSlots; ++k) {
        lblSbl[k]->setGeometry(pxRect(g.lblSbl[k]));
        img[k]->setGeometry(pxRect(g.img[k]));
    }
    Shape1->setGeometry(pxRect(g.Shape1));
    for (int k = 0; k < kLegendLabels; ++k)
        lblDsc[k]->setGeometry(pxRect(g.lblDsc[k]));
    Splitter->setGeometry(pxRect(g.Splitter));
    FG->setGeometry(pxRect(g.FG));
    picSplit->setGeometry(pxRect(g.picSplit));
    for (int i = 0; i < kBarButtons; ++i) {
        Picture1[i]->setGeometry(pxRect(g.Picture1[i]));
        // A caption wider than its label grows about its centre instead of being cut.
        QRect caption = pxRect(g.lblDesc[i]);
        const int needed = lblDesc[i]->fontMetrics().horizontalAdvance(lblDesc[i]->text()) + 4;
        if (needed > caption.width())
            caption.adjust(-(needed - caption.width()) / 2, 0, (needed - caption.width() + 1) / 2, 0);
        lblDesc[i]->setGeometry(caption);
    }
    for (int i = 0; i < kStatusPanels; ++i)
        Panel1[i]->setGeometry(pxRect(g.Panel1[i]));
    Rect->setGeometry(px(m_panels.rectLeft), px(g.Rect.Top), px(m_panels.rectWidth), px(g.Rect.Height));
    Rect->raise();
    Shape1->raise();
    m_grid.setWidth(px(g.FG.Width) * kTwips);

    // The gauges' inner size places the markers.
    m_strip.gaugeScaleWidth = px(g.img[0].Width);
    m_strip.gaugeScaleHeight = px(g.img[0].Height);
}

// ---------------------------------------------------------------------------
// Drawing the state onto the widgets.

void frmMain::syncStrip()
{
    if (!lblSbl[0])
        return;
    for (int k = 0; k < kStripSlots; ++k) {
        const StripSlot& s = m_strip.items[k];
        QLabel* label = lblSbl[k];
        label->setText(s.caption);
        const QColor text = bgr(s.foreColor);
        const bool empty = s.caption.trimmed().isEmpty();
        // The label's right end lies under the gauge: its chip ends where the gauge
        // begins, and a long symbol takes a smaller size rather than being cut.
        const int hidden = std::max(0, px(m_layout.lblSbl[k].Right() - m_layout.img[k].Left));
        const int room = px(m_layout.lblSbl[k].Width) - hidden - 6;
        QFont symbolFont = font();
        symbolFont.setBold(s.bold);
        int size = 11;
        for (; size > 8; --size) {
            symbolFont.setPixelSize(size);
            if (QFontMetrics(symbolFont).horizontalAdvance(s.caption) <= room)
                break;
        }
        label->setStyleSheet(
            QStringLiteral("QLabel { color: %1; font-weight: %2; font-size: %6px; background: %3; "
                           "border: 1px solid %4; border-radius: 2px; padding-left: 2px; margin-right: %5px; }")
                .arg(text.name(), s.bold ? QStringLiteral("bold") : QStringLiteral("normal"),
                     empty ? QStringLiteral("#2A313C") : QStringLiteral("#F4F4EE"),
                     empty ? QStringLiteral("#3A4350") : QStringLiteral("#8A96A8"))
                .arg(hidden)
                .arg(size));
        label->setVisible(s.labelVisible);
        img[k]->setVisible(s.gaugeVisible);
        img[k]->update();
    }
}

void frmMain::syncButtons()
{
    for (int i = 0; i < kBarButtons; ++i)
        Picture1[i]->update();
    lblDesc[0]->setText(m_bar.updateCaption);
    Picture1[4]->setEnabled(m_bar.stocksEnabled);
}

void frmMain::syncPanels()
{
    for (int i = 0; i < kStatusPanels; ++i) {
        QLabel* panel = Panel1[i];
        const bool pressed = m_panels.label[i].pressed;
        QPalette p = panel->palette();
        p.setColor(QPalette::Window, pressed ? QColor(0, 255, 0) : QColor(0, 0, 0));
        p.setColor(QPalette::WindowText, pressed ? QColor(0, 0, 0) : QColor(255, 255, 255));
        p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(110, 110, 110));
        p.setColor(QPalette::Disabled, QPalette::Window, QColor(0, 0, 0));
        panel->setPalette(p);
    }
    Rect->setVisible(m_panels.rectVisible);
    Rect->setGeometry(px(m_panels.rectLeft), px(m_layout.Rect.Top), px(m_panels.rectWidth), px(m_layout.Rect.Height));
}

QString frmMain::panelText(int index) const
{
    return index >= 0 && index < kStatusPanels ? Panel1[index]->text() : QString();
}

QString frmMain::buttonCaption(int index) const
{
    return index >= 0 && index < kBarButtons ? lblDesc[index]->text() : QString();
}

// ---------------------------------------------------------------------------
// Button bar and status bar.

void frmMain::Picture1_MouseDown(int Index)
{
    m_bar.MouseDown(Index);
    syncButtons();
}

void frmMain::Picture1_MouseUp(int Index)
{
    m_bar.MouseUp(Index);
    syncButtons();
}

void frmMain::Picture1_MouseMove(int Index)
{
    m_bar.MouseMove(Index);
    syncButtons();
}

void frmMain::Form_MouseMove()
{
    if (TmrNav.isActive())
        TmrNav.stop();
    m_bar.HoverReset();
    syncButtons();
}

void frmMain::PicCont_MouseMove()
{
    if (TmrNav.isActive())
        TmrNav.stop();
}

void frmMain::StatusBar1_MouseMove()
{
    m_panels.StatusBarMove();
    syncPanels();
}

void frmMain::Panel1_MouseDown(int Index, int Button)
{
    m_panels.MouseDown(Index, Button);
    syncPanels();
}

void frmMain::Panel1_MouseMove(int Index)
{
    if (Index < 0 || Index >= kStatusPanels)
        return;
    if (m_panels.MouseMove(Index, m_layout.Panel1[Index].Left, m_layout.Panel1[Index].Width)) {
        Panel1[Index]->setCursor(Qt::ArrowCursor);
        syncPanels();
        DoEvents();
    }
}

void frmMain::Panel1_MouseUp(int)
{
    m_panels.MouseUp();
    syncPanels();
}

// ---------------------------------------------------------------------------
// Events.

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    // Key preview: every key pressed in this window comes here first.
    if (event->type() == QEvent::KeyPress) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this && m_loaded) {
            auto* key = static_cast<QKeyEvent*>(event);
            const int code = input::keyCode(key->key());
            const int shift = input::shiftState(key->modifiers());
            if (KeyCommandFor(code, shift) != KeyCommand::None) {
                Form_KeyDown(code, shift);
                return true;
            }
        }
        return false;
    }

    // The mouse events of the window's own controls go to their handlers and end
    // there: a control's events never reach its container, as a move over a caption
    // is not a move over the button bar's background.
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        const QVariant kind = watched->property(kKindProperty);
        auto* w = qobject_cast<QWidget*>(watched);
        if (!kind.isValid() || !w || w->window() != this)
            return false;
        if (w->isEnabled())
            dispatchMouse(kind.toInt(), watched->property(kIndexProperty).toInt(), event);
        return true;
    }
    default:
        return false;
    }
}

void frmMain::dispatchMouse(int kind, int index, QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    const double X = input::toTwips(mouse->position().x());
    const double Y = input::toTwips(mouse->position().y());
    const int Shift = input::shiftState(mouse->modifiers());
    const int Button = event->type() == QEvent::MouseMove ? input::buttonState(mouse->buttons())
                                                          : input::buttonState(mouse->button());
    const QEvent::Type type = event->type();
    const bool press = type == QEvent::MouseButtonPress;
    const bool release = type == QEvent::MouseButtonRelease;
    const bool move = type == QEvent::MouseMove;
    const bool dbl = type == QEvent::MouseButtonDblClick;
    // A click is a left release over the control that was pressed.
    auto releasedOver = [&](QWidget* w) {
        return release && Button == 1 && w && w->rect().contains(mouse->position().toPoint());
    };

    switch (kind) {
    case KForm:
    case KButtonFrame:
        if (move)
            Form_MouseMove();
        break;
    case KPicCont:
        if (move)
            PicCont_MouseMove();
        break;
    case KStatusBar:
        if (move)
            StatusBar1_MouseMove();
        break;
    case KSplit2:
        if (press)
            picSplit2_MouseDown(Button, Shift, X, Y);
        else if (move)
            picSplit2_MouseMove(Button, Shift, X, Y);
        else if (release)
            picSplit2_MouseUp(Button, Shift, X, Y);
        else if (dbl)
            picSplit2_DblClick();
        break;
    case KSplitter:
        if (press)
            Splitter_MouseDown(Button, Shift, X, Y);
        else if (move)
            Splitter_MouseMove(Button, Shift, X, Y);
        else if (release)
            Splitter_MouseUp(Button, Shift, X, Y);
        else if (dbl)
            Splitter_DblClick();
        break;
    case KImgUp:
    case KImgDn:
        if (move) {
            ScrollUp = kind == KImgUp;
            // Enabling a running timer does not restart it: the strip keeps its pace
            // while the pointer moves on the arrow.
            if (!TmrNav.isActive())
                TmrNav.start();
        } else if (press || release) {
            TmrNav.stop();
        }
        break;
    case KLblSbl:
        if (move && TmrNav.isActive())
            TmrNav.stop();
        else if (press)
            img_MouseDown(index, 1);
        else if (release) {
            img_MouseUp(index);
            if (releasedOver(lblSbl[index]) && !m_stripDblClick)
                img_Click(index);
            m_stripDblClick = false;
        } else if (dbl)
            m_stripDblClick = true;
        break;
    case KImg:
        if (press && Button == 2) {
            // The stock actions of the tree popup, without "&Collapse All".
            showTreePopup(TreePopupStates(TreePopupFrom::Strip, true),
                          img[index]->mapToGlobal(mouse->position().toPoint()));
        } else if (press) {
            img_MouseDown(index, Button);
        } else if (release) {
            img_MouseUp(index);
            // The release that ends a double click is no further click.
            if (releasedOver(img[index]) && !m_stripDblClick)
                img_Click(index);
            m_stripDblClick = false;
        } else if (dbl) {
            m_stripDblClick = true;
            img_DblClick(index);
        }
        break;
    case KPicture1:
        if (press) {
            Picture1_MouseDown(index);
        } else if (release) {
            Picture1_MouseUp(index);
            if (releasedOver(Picture1[index]))
                Picture1_Click(index);
        } else if (move) {
            Picture1_MouseMove(index);
        }
        break;
    case KPanel1:
        if (press) {
            Panel1_MouseDown(index, Button);
        } else if (move) {
            Panel1_MouseMove(index);
        } else if (release) {
            Panel1_MouseUp(index);
            if (releasedOver(Panel1[index]))
                Panel1_Click(index);
        } else if (dbl) {
            Panel1_DblClick(index);
        }
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------
// ViewHost: the views draw into FG; zoom windows are made by the host that served
// before this window.

FlexGrid* frmMain::newZoomGrid()
{
    return m_previousHost ? m_previousHost->newZoomGrid() : nullptr;
}

void frmMain::showZoom(FlexGrid* grid)
{
    if (m_previousHost)
        m_previousHost->showZoom(grid);
}
