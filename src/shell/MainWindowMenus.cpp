// The main window's popup menus: building them, opening them and their items.
#include "shell/frmMain.h"

#include "core/DimScreen.h"
#include "core/GRP.h"
#include "core/Misc.h"
#include "core/Settings.h"
#include "core/clsRAS.h"
#include "core/frmSplash.h"
#include "platform/Dialogs.h"
#include "platform/DoEvents.h"
#include "platform/Help.h"
#include "services/frmSpeech.h"
#include "sheets/CurrentQuotes.h"
#include "sheets/ReportsPort.h"
#include "shell/MainWindowParts.h"
#include "shell/SpokenText.h"
#include "shell/WireWindows.h"
#include "stockdata/ProgramState.h"
#include "stockdata/RealEditorWindows.h"
#include "stockdata/Stocks.h"
#include "tree/NavigationTree.h"
#include "tree/SetNames.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenu>
#include <QPointer>

#include <exception>

using namespace mainwindow;

namespace {

Q_LOGGING_CATEGORY(lcMenus, "tradewright.shell.menus")

QAction* addItem(QMenu* menu, const QString& caption)
{
    if (caption == QLatin1String("-"))
        return menu->addSeparator();
    return menu->addAction(caption);
}

} // namespace

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
    for (int i = 0; i < int(mnuEmail.size()); ++i)
        connect(mnuEmail[i], &QAction::triggered, this, [this, i] { mnuEmail_Click(i); });

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

    // Never shown either: the hidden "Setting" item and the stock-keeping list, which
    // has no actions.
    mnu_Preferences = new QMenu(QStringLiteral("Preferences"), this);
    mnu_Preference = mnu_Preferences->addAction(QStringLiteral("Setting"));
    connect(mnu_Preference, &QAction::triggered, this, [this] { mnu_Preference_Click(); });
    mnuPro = new QMenu(QStringLiteral("NewProcess"), this);
    fill(mnuPro, mnuProcess,
         {{0, "Manage Stocks"}, {1, "-"}, {2, "Add Share"}, {3, "Remove Share"}, {4, "-"}, {5, "Parchase"},
          {6, "Sell Share"}});

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
    // "&Sell" and "S&plit" wait for a stock that has a purchase.
    mnuTree[3]->setEnabled(false);
    mnuTree[4]->setEnabled(false);

    mnuEdits = new QMenu(QStringLiteral("Edit"), this);
    for (int i = 0; i < kGridPopupItems; ++i) {
        mnuEdit[i] = addItem(mnuEdits, mnuEditCaptions()[i]);
        if (!mnuEdit[i]->isSeparator())
            connect(mnuEdit[i], &QAction::triggered, this, [this, i] { m_popupActions.mnuEdit_Click(i); });
    }
    mnuEdit[kOldStyleBackgroundItem]->setCheckable(true);
    // The keys shown beside "Copy" and "Select All"; the grid's key handler acts on
    // them, so they are shown in the menu only.
    for (auto [item, keys] : {std::pair{0, "Ctrl+C"}, std::pair{2, "Ctrl+A"}}) {
        mnuEdit[item]->setShortcut(QKeySequence(QString::fromLatin1(keys)));
        mnuEdit[item]->setShortcutContext(Qt::WidgetShortcut);
        mnuEdit[item]->setShortcutVisibleInContextMenu(true);
    }
    // The portfolio's items show only in its views.
    for (int i = 6; i <= 9; ++i)
        mnuEdit[i]->setVisible(false);

    // The report and export menu: enabled by the view as it opens; at start only
    // the last item ("XML") is.
    mnuReports = new QMenu(QStringLiteral("Reports"), this);
    for (int i = 0; i < kMainReportItems; ++i) {
        mnuReport[i] = addItem(mnuReports, mnuReportCaptions().at(i));
        mnuReport[i]->setEnabled(i == kMainReportItems - 1);
        connect(mnuReport[i], &QAction::triggered, this, [this, i] { mnuReport_Click(i); });
    }
    connect(mnuReports, &QMenu::aboutToShow, this, [this] { mnuReports_Click(); });

    // The tray menu.
    mnuTrays = new QMenu(QStringLiteral("Tray"), this);
    fill(mnuTrays, mnuTray,
         {{0, "Update"}, {1, "-"}, {2, "New Massage"}, {3, "Tell It To Your Friend"}, {5, "-"}, {6, "Help"},
          {7, "About"}, {8, "-"}, {9, "Shut Down Tradewright"}});
    for (int i : {0, 2, 3, 6, 7, 9})
        connect(mnuTray[i], &QAction::triggered, this, [this, i] { mnuTray_Click(i); });
}

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
    if (Index == 7) {
        GRP::ShowRelax(this);
        DoEvents();
        return;
    }
    Help::ShowMenuTopic(Index);
}

void frmMain::mnuSetting_Click(int Index)
{
    Settings::SaveSetting(QString::fromLatin1(Settings::FrmNav), QString::number(Index));
    ShowOptionsWindow(*this, Index);
}

void frmMain::mnu_Preference_Click()
{
    // The page shown last; pending events run once after the window closes.
    ShowOptionsWindow(*this, -1, OptionsPlacement::InnerWidth);
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
    case 2:
    case 3:
        mnuEmail_Click(Index - 2);
        break;
    default:
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
        m_ticker.selectedHeadlines();
        break;
    case 1:
        m_ticker.selectedPrices();
        break;
    case 3:
    case 6:
        Dialogs::MsgBox(QStringLiteral("This option will be available in the next coming version, stay tune!"),
                        Dialogs::vbOKOnly + Dialogs::vbInformation, QStringLiteral(" Coming Soon.."));
        mnuTicker[0]->setChecked(true);
        break;
    case 4:
        m_ticker.Ticker_Quotes();
        break;
    case 8:
    case 9:
    case 11:
    case 12:
        // A failure of the voice leaves the menu as it was.
        try {
            Speak(Index < 11 ? Index - 8 : Index - 9);
        } catch (const std::exception& e) {
            qCWarning(lcMenus) << "speaking ticker item" << Index << "failed:" << e.what();
        }
        break;
    default:
        break;
    }
}

void frmMain::NewsTicker1_ItemClick(int index)
{
    m_ticker.NewsTicker1_ItemClick(index);
}

void frmMain::Speak(int Index)
{
    const QString text = SpokenText(Index);
    frmSpeech* window = frmSpeech::Load(this);
    window->BeginSpeak();
    window->adjustSize();
    PlaceBelowTicker(window, this, ports().newsTickerTop());
    window->show();
    window->raise();
    QPointer<frmSpeech> alive(window);
    DoEvents();
    if (alive)
        alive->Speak(text);
}

void frmMain::mnuSet_Click(int Index)
{
    m_sets.makeCurrent(Index);
}

void frmMain::loadSetNames()
{
    LoadSets([this](int n, const QString& caption) {
        if (n >= 0 && n < int(mnuSet.size()))
            mnuSet[n]->setText(caption);
    });
    // A set renamed in the set editor shows its new name at once: the Groups label
    // and the tree root follow the caption of the set checked in the menu.
    for (QAction* a : mnuSet)
        if (a->isChecked() && Panel1[1]->text() != a->text()) {
            Panel1[1]->setText(a->text());
            if (m_tree)
                m_tree->showSetName();
        }
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
    mnuEdit[kOldStyleBackgroundItem]->setChecked(OldStyleBackgroundChecked());
    if (m_popup)
        m_popup(mnuEdits, global);
    else
        mnuEdits->popup(global);
}

