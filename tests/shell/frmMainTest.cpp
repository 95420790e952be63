// The main window: its load, its set switch, the update run's frame, the keys
// through the key preview, the splitters on its widgets, the gauges as drawn and the
// ways out.
#include "QtPrint.h"
#include "ShellFixture.h"

#include "core/DimScreen.h"
#include "platform/FlexGridView.h"
#include "platform/TreeModel.h"
#include "platform/TreeView.h"
#include "LoopbackHttpServer.h"
#include "platform/Sites.h"
#include "retrieval/Downloaders.h"
#include "retrieval/CacheFiles.h"
#include "retrieval/Transports.h"
#include "shell/ElidedLabel.h"
#include "shell/frmMain.h"
#include "weblinks/Scr.h"

#include <QListWidget>
#include "sheets/Zoom.h"
#include "core/WindowEffects.h"
#include "stockdata/StockSetEditor.h"
#include "stockdata/RealEditorWindows.h"
#include "stockdata/ProgramState.h"
#include "stockdata/DetailCard.h"
#include "stockdata/Properties.h"
#include "stockdata/StkSet.h"
#include "stockdata/StockSets.h"
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QTextDocument>

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QLabel>
#include <QMenu>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>

#include <memory>
#include <vector>

namespace {

class frmMainTest : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        SplashProgress::install({[this](int p) { progress.push_back(p); }, [this] { ++splashClosed; }});
    }

    void TearDown() override
    {
        form.reset();
        ShellTest::TearDown();
    }

    // A main window that records instead of ending the program, opening popups and
    // fetching pages.
    frmMain& make()
    {
        form = std::make_unique<frmMain>(test::views());
        form->setEndProgram([this] {
            ++ended;
            stopFlagAtEnd = form->runState().StopFlag;
            captionAtEnd = form->ports().updateButtonCaption();
        });
        form->setPopupOpener([this](QMenu* menu, const QPoint&) { popups << menu->title(); });
        form->updateRun().setItemCaller([this](int item) {
            items.push_back(item);
            if (duringRun)
                duringRun(int(items.size()));
        });
        return *form;
    }

    frmMain& loaded()
    {
        make().Form_Load();
        return *form;
    }

    std::unique_ptr<frmMain> form;
    std::vector<int> progress;
    int splashClosed = 0;
    int ended = 0;
    bool stopFlagAtEnd = false;
    QString captionAtEnd;
    QStringList popups;
    std::vector<int> items;
    std::function<void(int count)> duringRun;
};

// Counts the set editors asked for; opens no window.
class SetEditorCount : public EditorWindows
{
public:
    int setEditors = 0;
    void showTransaction(TransactionForm&) override {}
    void showPicker(PurchasePicker&) override {}
    void showDetailCard(std::unique_ptr<DetailCard>) override {}
    void showSetEditor() override { ++setEditors; }
};

void sendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove
                                      ? Qt::MouseButtons()
                                      : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

TEST_F(frmMainTest, FirstLoadMakesTheCacheFoldersAndTakesEveryDefault)
{
    frmMain& f = loaded();

    const QStringList expected{
        QStringLiteral("Cache"),
        QStringLiteral("Cache/Chart"),
        QStringLiteral("Cache/News"),
        QStringLiteral("Cache/DataSheet"),
        QStringLiteral("Cache/Reports"),
        QStringLiteral("Cache/Reports/Annual Balance Sheet"),
        QStringLiteral("Cache/Reports/Annual Income statement"),
        QStringLiteral("Cache/Reports/Options"),
        QStringLiteral("Cache/Reports/Insiders Traders"),
        QStringLiteral("Cache/Reports/Quarterly Reports"),
        QStringLiteral("Cache/Reports/Earnings"),
        QStringLiteral("Cache/Reports/Consultation"),
        QStringLiteral("Cache/Reports/Summary"),
        QStringLiteral("Cache/Reports/Misc"),
    };
    ASSERT_EQ(CacheFolders().size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(QString(CacheFolders()[i]).replace(QLatin1Char('\\'), QLatin1Char('/')), QLatin1Char('/') + expected[i]);
        EXPECT_TRUE(QDir(appFile(expected[i])).exists()) << expected[i].toStdString();
    }
    QDir reports(appFile(QStringLiteral("Cache/Reports")));
    EXPECT_EQ(reports.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 9);

    EXPECT_EQ(progress, (std::vector<int>{60, 65, 70, 75, 80, 85, 90, 100}));
    EXPECT_EQ(splashClosed, 1);

    EXPECT_EQ(f.runState().OrigCaption, QStringLiteral("Tradewright 5.4"));
    EXPECT_FALSE(f.runState().StopFlag);
    EXPECT_FALSE(f.startLoad().FractionsOpt.isValid());
    EXPECT_FALSE(f.startLoad().VolumeOpt.isValid());
    // Set 0, checked, stored again, its unnamed caption on the Groups label and the tree.
    EXPECT_EQ(CurrentSet(), 0);
    EXPECT_TRUE(f.mnuSet[0]->isChecked());
    EXPECT_EQ(setting(Settings::LastGroup), QStringLiteral("0"));
    EXPECT_EQ(f.mnuSet[5]->text(), QStringLiteral("Group5"));
    EXPECT_EQ(f.panelText(1), QStringLiteral("Group0"));
    ASSERT_NE(f.treeModel(), nullptr);
    EXPECT_EQ(f.treeModel()->Node(QStringLiteral("All"))->Text(), QStringLiteral("Stocks-Group0"));
    // Direct access, no proxy, no automatic update.
    EXPECT_EQ(f.transports().Inet1.AccessType(), 1);
    EXPECT_EQ(f.transports().Inet1.Proxy(), QString());
    EXPECT_EQ(f.updateRun().AutoUpdateMin(), 0);
    EXPECT_TRUE(f.updateRun().Timer1.isActive());
    // The splitter keeps its design position and nothing is stored for it.
    EXPECT_EQ(f.layout().picSplit2.Left, 2280);
    EXPECT_EQ(setting(Settings::LastTreePos), QString());
    EXPECT_EQ(f.SplitterMaxTop, 3120);
    EXPECT_EQ(StdRowHeight(), f.grid().RowHeight(0));
    EXPECT_EQ(SkinName(), QStringLiteral("NeonBlue"));
    EXPECT_TRUE(errorLog().isEmpty()) << errorLog().toStdString();
    // The editing windows the popups open are the window's own.
    EXPECT_NE(dynamic_cast<RealEditorWindows*>(&editorWindows()), nullptr);
}

TEST_F(frmMainTest, LaterLoadCreatesNothingAndKeepsTheCache)
{
    loaded();
    QFile page(appFile(QStringLiteral("Cache/DataSheet/IBM_op.Sh")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html>kept</html>");
    page.close();
    form.reset();

    loaded();
    QFile again(appFile(QStringLiteral("Cache/DataSheet/IBM_op.Sh")));
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), QByteArray("<html>kept</html>"));
}

TEST_F(frmMainTest, LoadReadsTheStoredSettings)
{
    writeSet(3, symbols(4, QStringLiteral("T")));
    Settings::SaveSettingAt(QString::fromLatin1(Settings::GroupsKey), QStringLiteral("Group3"), QStringLiteral("Tech"));
    setSetting(Settings::Fractions, QStringLiteral("1"));
    setSetting(Settings::Volume, QStringLiteral("0"));
    setSetting(Settings::LastGroup, QStringLiteral("3"));
    setSetting(Settings::Proxy, QStringLiteral("proxy.example:8080"));
    setSetting(Settings::AutoUpdate, QStringLiteral("15"));
    setSetting(Settings::LastTreePos, QStringLiteral("10"));
    setSetting(Settings::PicBar, QStringLiteral("6"));

    frmMain& f = loaded();
    EXPECT_EQ(f.startLoad().FractionsOpt.toString(), QStringLiteral("1"));
    EXPECT_EQ(f.startLoad().VolumeOpt.toString(), QStringLiteral("0"));
    EXPECT_EQ(CurrentSet(), 3);
    EXPECT_TRUE(f.mnuSet[3]->isChecked());
    EXPECT_FALSE(f.mnuSet[0]->isChecked());
    EXPECT_EQ(f.panelText(1), QStringLiteral("Tech"));
    EXPECT_EQ(f.stripSymbol(0), QStringLiteral("T00"));
    EXPECT_EQ(f.stripSymbol(3), QStringLiteral("T03"));
    EXPECT_EQ(f.transports().Inet1.Proxy(), QStringLiteral("proxy.example:8080"));
    EXPECT_EQ(f.updateRun().AutoUpdateMin(), 15);
    // "10" is clamped to the pane's minimum and stored back.
    EXPECT_EQ(f.layout().picSplit2.Left, 400);
    EXPECT_EQ(setting(Settings::LastTreePos), QStringLiteral("400"));
    EXPECT_EQ(f.layout().TreeView1.Width, 300);
    EXPECT_EQ(SkinName(), QStringLiteral("GlassGreen"));

    struct Row
    {
        const char* proxyE;
        int accessType;
    };
    for (const Row& r : {Row{"1", 2}, Row{"1.0", 2}, Row{"0", 1}, Row{"", 1}, Row{"2", 1}, Row{"yes", 1}}) {
        setSetting(Settings::ProxyE, QString::fromLatin1(r.proxyE));
        form.reset();
        EXPECT_EQ(loaded().transports().Inet1.AccessType(), r.accessType) << r.proxyE;
    }
}

TEST_F(frmMainTest, SettingsThatAreNotNumbersCountAsMissing)
{
    setSetting(Settings::LastGroup, QStringLiteral("abc"));
    setSetting(Settings::AutoUpdate, QStringLiteral("often"));
    setSetting(Settings::LastTreePos, QStringLiteral("wide"));
    frmMain& f = loaded();
    EXPECT_EQ(CurrentSet(), 0);
    EXPECT_TRUE(f.mnuSet[0]->isChecked());
    EXPECT_EQ(f.updateRun().AutoUpdateMin(), 0);
    // The start goes on to its end.
    EXPECT_EQ(progress.back(), 100);
    EXPECT_EQ(splashClosed, 1);
    const QString log = errorLog();
    EXPECT_EQ(log.count(QStringLiteral("frmMain_LoadData")), 2) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("frmMain_Form_Load")));
    EXPECT_TRUE(log.contains(QStringLiteral("abc")));

    // A set number outside 0..20 is no set either.
    form.reset();
    setSetting(Settings::LastGroup, QStringLiteral("25"));
    loaded();
    EXPECT_EQ(CurrentSet(), 0);
    EXPECT_FALSE(QFile::exists(appFile(QStringLiteral("Set25.dat"))));
}

TEST_F(frmMainTest, QuitSavesTheLayoutButNeverOverAFileItCouldNotRead)
{
    frmMain& f = loaded();
    LayOut()[1].Caption = QStringLiteral("Last");
    LayOut()[1].Pos1 = LayOut()[1].Pos2 = 3;
    f.ExitProgram();
    EXPECT_EQ(ended, 1);
    f.ExitProgram();  // once only
    EXPECT_EQ(ended, 1);
    LayOut().fill(LayoutRec());
    ASSERT_TRUE(LoadLayout());
    EXPECT_EQ(LayOut()[1].Caption, QStringLiteral("Last"));
    EXPECT_EQ(LiveHdcs(), 0);  // the skin's contexts are gone

    // A layout file that could not be read at load is not written at the quit, even
    // when it could be written by then: the user's layout is not replaced by an
    // empty table.
    form.reset();
    ended = 0;
    QFile::remove(appFile(QStringLiteral("LayOut.dat")));
    ASSERT_TRUE(QDir().mkpath(appFile(QStringLiteral("LayOut.dat/locked"))));
    frmMain& g = loaded();
    ASSERT_TRUE(QDir(appFile(QStringLiteral("LayOut.dat"))).removeRecursively());
    g.close();  // closing the window quits
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(QFile::exists(appFile(QStringLiteral("LayOut.dat"))));
}

TEST_F(frmMainTest, TheUpdateButtonRunsAndFramesTheRealRun)
{
    frmMain& f = loaded();
    bool checked = false;
    duringRun = [&](int count) {
        if (count != 1)
            return;
        checked = true;
        EXPECT_EQ(f.buttonCaption(0), QStringLiteral("Stop"));
        EXPECT_EQ(f.buttonBar().face[0], QStringLiteral("B4"));
        EXPECT_EQ(f.mnuTray[0]->text(), QStringLiteral("Stop"));
        EXPECT_FALSE(f.Panel1[1]->isEnabled());
        EXPECT_FALSE(f.Picture1[4]->isEnabled());
        EXPECT_FALSE(f.panelText(7).isEmpty());
    };
    f.Picture1_Click(0);
    EXPECT_TRUE(checked);
    EXPECT_GT(items.size(), 50u);
    EXPECT_EQ(f.buttonCaption(0), QStringLiteral("Update"));
    EXPECT_EQ(f.buttonBar().face[0], QStringLiteral("B1"));
    EXPECT_EQ(f.mnuTray[0]->text(), QStringLiteral("Update"));
    EXPECT_TRUE(f.Panel1[1]->isEnabled());
    EXPECT_TRUE(f.Picture1[4]->isEnabled());
    EXPECT_EQ(f.panelText(7), QString());

    // The Stop button (the same button while it reads "Stop") ends the run at once.
    items.clear();
    duringRun = [&](int count) {
        if (count == 2)
            f.Picture1_Click(0);
    };
    f.mnuUpdate_Click(0);
    EXPECT_EQ(items.size(), 2u);
    EXPECT_EQ(f.buttonCaption(0), QStringLiteral("Update"));
}

TEST_F(frmMainTest, KeysReachTheWindowFirstWhateverHasTheFocus)
{
    frmMain& f = loaded();
    int groupsPopupsDuringRun = -1;
    duringRun = [&](int count) {
        if (count != 1)
            return;
        // During a run the set menu stays shut: Alt+G and F2 do nothing.
        QTest::keyClick(f.FG, Qt::Key_G, Qt::AltModifier);
        QTest::keyClick(f.TreeView1, Qt::Key_F2);
        groupsPopupsDuringRun = int(popups.count(QStringLiteral("Sets")));
        // Esc stops the run.
        QTest::keyClick(f.FG, Qt::Key_Escape);
    };
    QTest::keyClick(f.FG, Qt::Key_F4);  // the Update button
    EXPECT_EQ(groupsPopupsDuringRun, 0);
    EXPECT_EQ(items.size(), 1u);
    EXPECT_EQ(f.buttonCaption(0), QStringLiteral("Update"));

    // Idle: Alt+G opens the sets, Shift+Esc the Start menu, Esc still stops.
    QTest::keyClick(f.FG, Qt::Key_G, Qt::AltModifier);
    QTest::keyClick(f.TreeView1, Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_EQ(popups, (QStringList{QStringLiteral("Sets"), QStringLiteral("Start")}));
    f.runState().StopFlag = false;
    QTest::keyClick(f.FG, Qt::Key_Escape);
    EXPECT_TRUE(f.runState().StopFlag);

    // Alt+U runs the update again; a key without a command passes on.
    items.clear();
    duringRun = nullptr;
    QTest::keyClick(f.TreeView1, Qt::Key_U, Qt::AltModifier);
    EXPECT_GT(items.size(), 50u);
}

TEST_F(frmMainTest, QuittingDuringARunStopsItFirst)
{
    frmMain& f = loaded();
    duringRun = [&](int count) {
        if (count == 3)
            f.mnuStart_Click(8);  // Shut Down with "ShutDown" unset: no question
    };
    f.Picture1_Click(0);
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(stopFlagAtEnd);
    EXPECT_EQ(captionAtEnd, QStringLiteral("Update"));
    EXPECT_EQ(items.size(), 3u);  // nothing was fetched after the quit
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
}

TEST_F(frmMainTest, ShutDownAsksOnlyWhenTheSettingIsOn)
{
    frmMain& f = loaded();
    setSetting(Settings::ShutDown, QStringLiteral("1"));
    test::dialogs().msgAnswers.enqueue(Dialogs::vbNo);
    QTest::keyClick(f.FG, Qt::Key_X, Qt::AltModifier | Qt::ShiftModifier);
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_EQ(test::dialogs().shown[0].prompt, QStringLiteral("Do you realy want to quit Tradewright?"));
    EXPECT_EQ(test::dialogs().shown[0].title, QStringLiteral("Shut Down Tradewright"));
    EXPECT_EQ(ended, 0);
    EXPECT_FALSE(IsDimmed());

    test::dialogs().msgAnswers.enqueue(Dialogs::vbYes);
    f.mnuTray_Click(9);
    EXPECT_EQ(ended, 1);
}

TEST_F(frmMainTest, ShutDownQuitsAtOnceWhenTheQuestionIsOff)
{
    // Missing, empty or "0": Shut Down, Alt+X and the tray's item end the program
    // without a box (a window ends once: each way gets its own).
    int expected = 0;
    for (const char* value : std::initializer_list<const char*>{nullptr, "", "0"}) {
        if (value)
            setSetting(Settings::ShutDown, QString::fromLatin1(value));
        for (int way = 0; way < 3; ++way) {
            frmMain& f = loaded();
            if (way == 0)
                f.mnuStart[8]->trigger();
            else if (way == 1)
                QTest::keyClick(f.FG, Qt::Key_X, Qt::AltModifier);
            else
                f.mnuTray_Click(9);
            EXPECT_EQ(ended, ++expected) << (value ? value : "(missing)") << way;
        }
    }
    EXPECT_TRUE(test::dialogs().shown.isEmpty());

    // On: the question with Yes and No and its icon.
    frmMain& f = loaded();
    setSetting(Settings::ShutDown, QStringLiteral("1"));
    f.mnuStart[8]->trigger();
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_EQ(test::dialogs().shown[0].buttons, Dialogs::vbYesNo + Dialogs::vbQuestion);
    EXPECT_EQ(ended, expected);  // the unscripted answer is No
    EXPECT_FALSE(IsDimmed());
}

TEST_F(frmMainTest, FetchControlStatesShowInTheStatusPanel)
{
    frmMain& f = loaded();
    struct Row
    {
        int state;
        const char* text;
    };
    const std::vector<Row> table{
        {1, ""}, {2, ""}, {3, "Connecting..."}, {4, "connected"}, {5, "request Data"}, {6, ""},
        {7, "Downloading Data..."}, {8, ""}, {9, "Disconnecting..."}, {10, "Disconnected from the host."},
        {0, ""},
    };
    for (const Row& r : table) {
        f.ports().setStatusText(QStringLiteral("old"));
        emit f.transports().Inet1.StateChanged(r.state);
        EXPECT_EQ(f.statusText(), QString::fromLatin1(r.text)) << r.state;
    }
    // The label takes the texts at most ten times a second; the last always shows.
    emit f.transports().Inet1.StateChanged(7);
    QTRY_COMPARE_WITH_TIMEOUT(f.panelText(6), QStringLiteral("Downloading Data..."), 5000);

    // While update items remain, an error or the end of a request stops nothing.
    f.runState().UpdateRemaining = 2;
    f.runState().StopFlag = false;
    f.ports().setCaption(QStringLiteral("Tradewright 5.4    Getting IBM Call/Put Options"));
    emit f.transports().Inet1.StateChanged(11);
    EXPECT_EQ(f.statusText(), QStringLiteral("An error occurred in communicating."));
    EXPECT_EQ(f.ports().caption(), QStringLiteral("Tradewright 5.4"));
    EXPECT_FALSE(f.runState().StopFlag);
    emit f.transports().Inet1.StateChanged(12);
    EXPECT_EQ(f.statusText(), QStringLiteral("The request has completed and all data has been received."));
    EXPECT_FALSE(f.runState().StopFlag);

    // With none left (a fast price update) the end of the request stops it.
    f.runState().UpdateRemaining = 0;
    emit f.transports().Inet1.StateChanged(12);
    EXPECT_TRUE(f.runState().StopFlag);
}

TEST_F(frmMainTest, DuringARunTheTitleAndTaskTextChangeAtMostTenTimesASecondAndTheLastAlwaysShows)
{
    frmMain& f = loaded();
    std::int64_t now = 1000;
    f.ports().setTextClock([&now] { return now; });
    const QString orig = f.runState().OrigCaption;
    int titles = 0, tasks = 0;
    QObject::connect(&f, &QWidget::windowTitleChanged, [&] { ++titles; });
    QString lastTask;
    const auto taskShown = [&] {
        if (f.panelText(7) != lastTask) {
            lastTask = f.panelText(7);
            ++tasks;
        }
    };

    emit f.updateRun().runStarted();
    // A title per request and a task text per item, a thousand of each over one second
    // of the clock; at each tenth of a second the waiting one shows (its timer).
    for (int i = 0; i < 1000; ++i) {
        const QString title = orig + QStringLiteral("    Getting S") + QString::number(i);
        f.ports().setCaption(title);
        EXPECT_EQ(f.ports().caption(), title);  // the latest, shown or not
        f.ports().setTaskText(QString::number(i) + QStringLiteral("/1000"));
        taskShown();
        now += 1;
        if (i % 100 == 99) {
            QTRY_COMPARE_WITH_TIMEOUT(f.windowTitle(), title, 5000);
            QTRY_COMPARE_WITH_TIMEOUT(f.panelText(7), QString::number(i) + QStringLiteral("/1000"), 5000);
            taskShown();
        }
    }
    EXPECT_LE(titles, 12);
    EXPECT_LE(tasks, 12);

    // The end steps put the title back and empty the task text just after other
    // changes; the end of the run shows both at once, nothing dropped.
    f.ports().setCaption(orig + QStringLiteral("    Getting S999"));
    f.ports().setTaskText(QStringLiteral("0/20"));
    f.ports().setTaskText(QString());
    f.ports().setCaption(orig);
    emit f.updateRun().runFinished();
    EXPECT_EQ(f.windowTitle(), orig);
    EXPECT_EQ(f.ports().caption(), orig);
    EXPECT_EQ(f.panelText(7), QString());

    // Outside a run each change shows at once.
    f.ports().setCaption(QStringLiteral("one"));
    f.ports().setCaption(QStringLiteral("two"));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("two"));
}

TEST_F(frmMainTest, TheStatusTextShowsWholeOrCutWithItsTip)
{
    frmMain& f = loaded();
    auto* status = qobject_cast<ElidedLabel*>(f.Panel1[6]);
    ASSERT_NE(status, nullptr);
    const QString text = QStringLiteral("The request has completed and all data has been received.");
    const int needed = status->fontMetrics().horizontalAdvance(text);
    const auto sized = [&](int width) {
        f.resize(width, f.height());
        f.Form_Resize();
    };
    const auto tip = [&] {
        const QPoint at = status->rect().center();
        QHelpEvent help(QEvent::ToolTip, at, status->mapToGlobal(at));
        QApplication::sendEvent(status, &help);
        const QString shown = QToolTip::isVisible() ? QToolTip::text() : QString();
        QToolTip::hideText();
        return shown;
    };

    // A window with room for it: the label grows to the right to show the text
    // whole; the labels left of it keep their places.
    sized((needed + 20) * 9480 / (9480 - 6885) + 1);
    const QRect reports = f.Panel1[5]->geometry();
    f.ports().setStatusText(text);
    f.flushStatusText();
    EXPECT_EQ(f.panelText(6), text);
    EXPECT_GE(status->contentsRect().width(), needed);
    EXPECT_FALSE(status->elided());
    EXPECT_EQ(f.Panel1[5]->geometry(), reports);
    EXPECT_EQ(tip(), QStringLiteral("Status"));  // the label's own tip

    // While the task label shows a count, the text stops at it and is cut; the
    // tip then shows it whole.
    f.ports().setTaskText(QStringLiteral("3/50"));
    EXPECT_LE(status->geometry().left(), f.Panel1[7]->geometry().left());
    EXPECT_EQ(f.StatusBar1->childAt(f.Panel1[7]->geometry().center()), f.Panel1[7]);
    if (status->elided()) {
        EXPECT_EQ(tip(), text);
    }
    f.ports().setTaskText(QString());
    EXPECT_FALSE(status->elided());

    // At the window's design size a long text is cut, with the whole text as tip.
    sized(9480 / 15);
    const QString longer = text + QLatin1Char(' ') + text + QLatin1Char(' ') + text;
    f.ports().setStatusText(longer);
    f.flushStatusText();
    EXPECT_EQ(f.panelText(6), longer);
    EXPECT_TRUE(status->elided());
    EXPECT_EQ(status->geometry().right() + 1, f.StatusBar1->width());
    EXPECT_EQ(tip(), longer);
}

TEST_F(frmMainTest, SwitchingTheSet)
{
    writeSet(0, symbols(3, QStringLiteral("A")), {1, 2, 3});
    writeSet(2, symbols(10, QStringLiteral("B")), {5, 4, 3, 2, 1, 1, 2, 3, 4, 5});
    Settings::SaveSettingAt(QString::fromLatin1(Settings::GroupsKey), QStringLiteral("Group2"), QStringLiteral("Tech"));
    frmMain& f = loaded();
    EXPECT_EQ(f.stripSymbol(2), QStringLiteral("A02"));
    EXPECT_EQ(f.stripSymbol(3), QString());

    // A shown quotes view is redrawn for the new set.
    CurrentView() = QStringLiteral("Current");
    f.mnuSets->actions()[2]->trigger();
    EXPECT_EQ(CurrentSet(), 2);
    EXPECT_EQ(StockCount(), 10);
    for (int i = 0; i < 21; ++i)
        EXPECT_EQ(f.mnuSet[i]->isChecked(), i == 2) << i;
    EXPECT_EQ(setting(Settings::LastGroup), QStringLiteral("2"));
    EXPECT_EQ(f.panelText(1), QStringLiteral("Tech"));
    EXPECT_EQ(f.treeModel()->Node(QStringLiteral("All"))->Text(), QStringLiteral("Stocks-Tech"));
    EXPECT_TRUE(f.treeModel()->contains(QStringLiteral("ID9")));
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(f.stripSymbol(k), QStringLiteral("B%1").arg(k, 2, 10, QLatin1Char('0')));
    EXPECT_EQ(f.strip().items[0].markerX, 10);   // rating 5
    EXPECT_EQ(f.strip().items[4].markerX, 287);  // rating 1
    EXPECT_EQ(f.grid().Rows(), 2 + 10);
    EXPECT_EQ(f.grid().TextMatrix(2, 1), QStringLiteral("B00 Corp"));
}

TEST_F(frmMainTest, ASetRenamedInTheEditorShowsItsNewNameAtOnce)
{
    writeSet(0, symbols(2, QStringLiteral("A")));
    writeSet(3, symbols(2, QStringLiteral("C")));
    Settings::SaveSettingAt(QString::fromLatin1(Settings::GroupsKey), QStringLiteral("Group3"), QStringLiteral("Tech"));
    frmMain& f = loaded();
    f.mnuSets->actions()[3]->trigger();
    TreeModel& tree = *f.treeModel();
    ASSERT_EQ(f.panelText(1), QStringLiteral("Tech"));
    ASSERT_EQ(tree.Node(QStringLiteral("All"))->Text(), QStringLiteral("Stocks-Tech"));
    tree.Node(QStringLiteral("Market"))->setExpanded(true);

    StockSetEditor editor{f.stockSets()};
    editor.Form_Load();
    const auto rename = [&](int set, const QString& name) {
        editor.lstSets_Click(set);
        test::dialogs().inputAnswers << name;
        editor.lstSets_DblClick();
        EXPECT_EQ(f.mnuSet[set]->text(), name);
    };

    // The set shown is renamed: menu, Groups label and tree root follow at once,
    // and the tree is retitled, not rebuilt.
    rename(3, QStringLiteral("Tech Giants"));
    EXPECT_EQ(f.panelText(1), QStringLiteral("Tech Giants"));
    EXPECT_EQ(tree.Node(QStringLiteral("All"))->Text(), QStringLiteral("Stocks-Tech Giants"));
    EXPECT_EQ(f.TreeView1->itemOf(tree.Node(QStringLiteral("All")))->text(0), QStringLiteral("Stocks-Tech Giants"));
    EXPECT_TRUE(tree.Node(QStringLiteral("Market"))->Expanded());

    // Another set renamed: only its menu item changes.
    rename(5, QStringLiteral("Banks"));
    EXPECT_EQ(f.panelText(1), QStringLiteral("Tech Giants"));
    EXPECT_EQ(tree.Node(QStringLiteral("All"))->Text(), QStringLiteral("Stocks-Tech Giants"));
}

TEST_F(frmMainTest, NewPricesRedrawTheQuotesViewWhenItIsShown)
{
    writeSet(0, symbols(3));
    frmMain& f = loaded();
    f.grid().setRows(1);
    CurrentView() = QStringLiteral("PortLog");
    emit f.updateRun().pricesChanged();
    EXPECT_EQ(f.grid().Rows(), 1);
    CurrentView() = QStringLiteral("Current");
    emit f.updateRun().pricesChanged();
    EXPECT_EQ(f.grid().Rows(), 2 + 3);
    EXPECT_EQ(f.grid().TextMatrix(2, 1), QStringLiteral("S00 Corp"));

    // One stock's new prices during a run: its row shows them ("Last Sale" is column 2).
    Stocks()[1].LastPrice = QStringLiteral("77.25");
    emit f.updateRun().stockPricesChanged(1);
    EXPECT_EQ(f.grid().TextMatrix(3, 2), QStringLiteral("77.25"));
}

TEST_F(frmMainTest, SplittersOnTheWindow)
{
    fillSet(symbols(7));
    writeSet(0, symbols(7));
    frmMain& f = loaded();

    // Drag the horizontal bar up 1000 twips: only the bar follows until release.
    f.Splitter_MouseDown(1, 0, 0, 15);
    f.Splitter_MouseMove(1, 0, 0, 15);
    f.Splitter_MouseMove(1, 0, 0, -1000);
    EXPECT_EQ(f.layout().Splitter.Top, 1880);
    EXPECT_EQ(f.layout().FG.Top, 3120);
    f.Splitter_MouseUp(1, 0, 0, -1000);
    EXPECT_EQ(f.layout().FG.Top, 2130);
    EXPECT_EQ(f.FG->geometry().top(), 142);  // 2130 twips
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(f.lblSbl[k]->isHidden(), k > 3) << k;  // tops up to 1440 fit
    EXPECT_TRUE(f.img[5]->isHidden());

    // Double clicks: collapse, reopen (down to the grid's load-time top), collapse.
    f.Splitter_DblClick();
    EXPECT_EQ(f.layout().Splitter.Top, 400);
    f.Splitter_DblClick();
    EXPECT_EQ(f.layout().Splitter.Top, 3120);
    EXPECT_EQ(f.layout().picSplit.Top, f.layout().FG.Top);

    // The vertical bar: a right press during a drag ends it and applies the layout.
    f.picSplit2_MouseDown(1, 0, 15, 0);
    f.picSplit2_MouseMove(1, 0, 2000, 0);
    EXPECT_EQ(f.layout().picSplit2.Left, 4280);
    EXPECT_EQ(f.layout().TreeView1.Width, 2175);  // the panes wait for the release
    f.picSplit2_MouseDown(2, 0, 0, 0);
    EXPECT_EQ(f.layout().TreeView1.Width, 4180);
    EXPECT_EQ(setting(Settings::LastTreePos), QStringLiteral("4280"));
    EXPECT_FALSE(f.splitDragX().dragging());
    f.picSplit2_DblClick();
    EXPECT_EQ(setting(Settings::LastTreePos), QStringLiteral("2280"));
    EXPECT_EQ(f.layout().img[0].Left, 3130);
}

TEST_F(frmMainTest, GaugesAreDrawnWithTheMarkerAtTheRating)
{
    writeSet(0, {QStringLiteral("IBM"), QStringLiteral("MSFT"), QStringLiteral("ORCL")}, {1, 3, 0});
    frmMain& f = loaded();
    const QImage marker = HdcImage(SkinDC());
    const QImage bar = Skins::Bitmap(SkinName());
    ASSERT_FALSE(marker.isNull());

    struct Row
    {
        int slot;
        int x;
    };
    for (const Row& r : {Row{0, 287}, Row{1, 148}}) {
        const QImage shown = f.img[r.slot]->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(shown.width(), 305);
        for (int y : {0, 9})
            for (int dx : {0, 7})
                EXPECT_EQ(shown.pixel(r.x + dx, y), marker.pixel(dx, y)) << r.slot << " " << dx << "," << y;
        EXPECT_EQ(shown.pixel(r.x - 1, 0), bar.pixel(r.x - 1, 0));
        EXPECT_EQ(shown.pixel(r.x + 8, 0), bar.pixel(r.x + 8, 0));
        EXPECT_EQ(shown.pixel(r.x, 12), bar.pixel(r.x, 12));  // below the marker, the bar
    }
    EXPECT_TRUE(f.img[2]->isHidden());  // no rating
}

TEST_F(frmMainTest, TheUpdateRunAndTheStripPlaceTheMarkerAlike)
{
    test::LoopbackHttpServer server;
    Sites::Override(Site::Recommendations, test::LoopbackHttpServer::host(), server.port());
    struct Row
    {
        const char* symbol;
        const char* rating;
        int x;  // on the strip's 305-pixel gauges
    };
    const Row table[] = {{"LOW", "0.5", 287}, {"ONE", "1", 287}, {"MID", "3", 148}, {"FIVE", "5", 10},
                         {"HIGH", "6", 10}};
    QStringList list;
    for (const Row& r : table) {
        list << QString::fromLatin1(r.symbol);
        server.setReply(QStringLiteral("/cgi-bin/ShowFreeCompRep?") + QLatin1String(r.symbol),
                        QByteArray("Current Average Recommendation <font color=#0000ee>") + r.rating + "</font>");
    }
    writeSet(0, list, {2, 2, 2, 2, 2});
    frmMain& f = loaded();
    f.transports().setWaitLimitMs(5000);

    // The run draws each marker as its rating arrives ...
    f.runState().UpdateRemaining = 1;  // within a run: the end of one page stops nothing
    Downloaders(f.transports(), f.ports()).UpdateRec();
    ASSERT_EQ(server.requests().size(), 5);
    std::vector<int> fromRun;
    for (int k = 0; k < 5; ++k)
        fromRun.push_back(f.strip().items[k].markerX);
    // ... and the strip draws them again from the stored ratings.
    for (int k = 0; k < 5; ++k)
        f.strip().items[k].markerX = -1;
    f.ShowRec();
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(fromRun[k], table[k].x) << table[k].rating;
        EXPECT_EQ(f.strip().items[k].markerX, table[k].x) << table[k].rating;
    }
    Sites::Override(Site::Recommendations, QString(), 0);
}

TEST_F(frmMainTest, TheScreenButtonShowsTheOneScreener)
{
    frmMain& f = loaded();
    f.Picture1_Click(5);
    Scr* screen = f.findChild<Scr*>();
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_TRUE(screen->isWindow());
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Tradewright Screen"));
    EXPECT_EQ(screen->lstIndestry->count(), Screener::IndustryCount);
    f.Picture1_Click(5);
    EXPECT_EQ(f.findChildren<Scr*>().size(), 1);
    delete screen;
}

TEST_F(frmMainTest, DeruvuShowsTheNewsReaderAndAdviserTheTipWindow)
{
    frmMain& f = loaded();
    f.Picture1_Click(2);
    QWidget* reader = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("News") && w->isVisible())
            reader = w;
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->windowTitle(), QStringLiteral("Tradewright Deruvu Reader"));
    reader->close();

    // The adviser window is modal: it is closed as soon as it shows, with its tip.
    WriteFileAtomic(AppPath() + QStringLiteral("/Tip.Sh"), "<p>123456789Tradewright says: hold.</p>");
    QString modal, tip;
    QTimer::singleShot(0, [&modal, &tip] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            modal = w->objectName();
            if (auto* box = w->findChild<QPlainTextEdit*>(QStringLiteral("txtTip")))
                tip = box->toPlainText();
            // Its two help buttons open topics 1010 and 1007.
            for (const char* name : {"cmdFull", "cmdHelp"})
                if (auto* button = w->findChild<QPushButton*>(QString::fromLatin1(name)))
                    button->click();
            w->close();
        }
    });
    f.Panel1_Click(3);
    EXPECT_EQ(modal, QStringLiteral("frmAdviser"));
    EXPECT_EQ(tip, QStringLiteral("123456789Tradewright says: hold.</p"));
    ASSERT_EQ(test::shell().opened.size(), 2);
    EXPECT_TRUE(test::shell().opened[0].endsWith(QStringLiteral("topic1010.html")));
    EXPECT_TRUE(test::shell().opened[1].endsWith(QStringLiteral("topic1007.html")));
}

TEST_F(frmMainTest, ControlsOfLaterWindowsStayWithoutAnAction)
{
    frmMain& f = loaded();
    const int windows = int(QApplication::topLevelWidgets().size());
    // "Zoom" with no view on screen opens nothing, nothing is asked.
    f.Picture1_Click(3);
    EXPECT_TRUE(popups.isEmpty());
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
    EXPECT_EQ(int(QApplication::topLevelWidgets().size()), windows);
    EXPECT_TRUE(items.empty());

    // The strip's right button opens the tree popup's stock actions, which act.
    sendMouse(f.img[0], QEvent::MouseButtonPress, {5, 5}, Qt::RightButton);
    EXPECT_EQ(popups, QStringList{QStringLiteral("Tree")});
    EXPECT_FALSE(f.mnuTree[0]->isVisible());
    EXPECT_FALSE(f.mnuTree[1]->isVisible());
    EXPECT_TRUE(f.mnuTree[11]->isVisible());
    EXPECT_FALSE(f.mnuTree[3]->isEnabled());  // no purchase of CurrentSymbol
    CurrentSymbol().clear();
    f.mnuTree[9]->trigger();  // "&Update Selected Stock" without a stock: the run asks for one
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_EQ(test::dialogs().shown[0].title, QStringLiteral("Select stock and try again"));
    EXPECT_TRUE(items.empty());
    test::dialogs().reset();
    popups.clear();

    // The Summary label without a stock says so and opens nothing.
    CurrentSymbol().clear();
    QTest::keyClick(f.FG, Qt::Key_M, Qt::AltModifier);
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_EQ(test::dialogs().shown[0].title, QStringLiteral("Unselected Stock"));
    EXPECT_EQ(test::dialogs().shown[0].prompt,
              QStringLiteral("You have to select stock first.\r\n(Select one of the symbols in the upper tree, "
                             "under the first item.)"));

    // Selecting a stock moves the ticker menu's mark and makes its row CurrentIndex.
    writeSet(0, symbols(5));
    f.mnuSet_Click(0);
    f.mnuTicker_Click(4);
    EXPECT_TRUE(f.mnuTicker[4]->isChecked());
    f.ShowStockHeader(QStringLiteral("S03"));
    EXPECT_EQ(CurrentIndex(), 3);
    EXPECT_TRUE(f.mnuTicker[0]->isChecked());
    EXPECT_FALSE(f.mnuTicker[4]->isChecked());
}

TEST_F(frmMainTest, MouseEventsReachTheHandlers)
{
    writeSet(0, symbols(10));
    frmMain& f = loaded();

    // Resting on the down arrow scrolls the strip every 100 ms; a symbol label stops it.
    sendMouse(f.ImgDn, QEvent::MouseMove, {10, 10});
    EXPECT_TRUE(f.TmrNav.isActive());
    EXPECT_FALSE(f.ScrollUp);
    QTest::qWait(250);
    sendMouse(f.lblSbl[2], QEvent::MouseMove, {5, 5});
    EXPECT_FALSE(f.TmrNav.isActive());
    const QString first = f.stripSymbol(0);
    EXPECT_NE(first, QStringLiteral("S00"));
    EXPECT_TRUE(first == QStringLiteral("S01") || first == QStringLiteral("S02") || first == QStringLiteral("S03"))
        << first.toStdString();
    sendMouse(f.ImgUp, QEvent::MouseMove, {10, 10});
    EXPECT_TRUE(f.ScrollUp);
    sendMouse(f.ImgUp, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
    EXPECT_FALSE(f.TmrNav.isActive());
    // The gauges keep it going; the tree and the grid stop it.
    for (QWidget* over : {static_cast<QWidget*>(f.img[4]), f.TreeView1->viewport(), f.FG->viewport()}) {
        sendMouse(f.ImgUp, QEvent::MouseMove, {10, 10});
        sendMouse(f.img[4], QEvent::MouseMove, {50, 5});
        EXPECT_TRUE(f.TmrNav.isActive());
        sendMouse(over, QEvent::MouseMove, {20, 20});
        EXPECT_EQ(f.TmrNav.isActive(), over == f.img[4]) << over->objectName().toStdString();
    }
    f.TmrNav.stop();

    // A button's faces under the pointer, and its click ("Stocks": the set editor).
    SetEditorCount editors;
    installEditorWindows(&editors);
    sendMouse(f.Picture1[4], QEvent::MouseMove, {20, 10});
    EXPECT_EQ(f.buttonBar().face[4], QStringLiteral("B3"));
    sendMouse(f.Picture1[4], QEvent::MouseButtonPress, {20, 10}, Qt::LeftButton);
    EXPECT_EQ(f.buttonBar().face[4], QStringLiteral("B2"));
    sendMouse(f.Picture1[4], QEvent::MouseButtonRelease, {20, 10}, Qt::LeftButton);
    EXPECT_EQ(f.buttonBar().face[4], QStringLiteral("B1"));
    installEditorWindows(nullptr);
    EXPECT_EQ(editors.setEditors, 1);
    // The press and release left the hover on: the bar's background ends it.
    EXPECT_TRUE(f.buttonBar().BarHover);
    sendMouse(f.frmButtom, QEvent::MouseMove, {2, 2});
    EXPECT_FALSE(f.buttonBar().BarHover);
    // Over a caption onto another button: the first stays red, the second blue,
    // until the pointer reaches the bar's background.
    sendMouse(f.Picture1[2], QEvent::MouseMove, {20, 10});
    sendMouse(f.lblDesc[2], QEvent::MouseMove, {5, 5});
    sendMouse(f.Picture1[3], QEvent::MouseMove, {20, 10});
    EXPECT_EQ(f.buttonBar().face[2], QStringLiteral("B3"));
    EXPECT_EQ(f.buttonBar().face[3], QStringLiteral("B1"));
    sendMouse(f.frmButtom, QEvent::MouseMove, {2, 2});
    EXPECT_FALSE(f.buttonBar().BarHover);
    EXPECT_EQ(f.buttonBar().face[2], QStringLiteral("B1"));

    // A status label: pressed look, outline, and its click (the Start menu).
    sendMouse(f.Panel1[0], QEvent::MouseMove, {5, 5});
    EXPECT_TRUE(f.statusPanels().rectVisible);
    sendMouse(f.Panel1[0], QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
    EXPECT_TRUE(f.statusPanels().label[0].pressed);
    sendMouse(f.Panel1[0], QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton);
    EXPECT_FALSE(f.statusPanels().label[0].pressed);
    EXPECT_FALSE(f.statusPanels().rectVisible);
    EXPECT_EQ(popups, QStringList{QStringLiteral("Start")});
}

} // namespace

TEST_F(frmMainTest, TheReportsButtonAndAltROpenTheReportsMenuEnabledByTheView)
{
    frmMain& f = loaded();
    CurrentView() = QStringLiteral("Current");
    f.Panel1_Click(5);
    EXPECT_EQ(popups, QStringList{QStringLiteral("Reports")});
    f.Form_KeyDown('R', 4);
    EXPECT_EQ(popups, QStringList({QStringLiteral("Reports"), QStringLiteral("Reports")}));
    // The items follow the view on screen each time the menu opens.
    emit f.mnuReports->aboutToShow();
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(f.mnuReport[i]->isEnabled(), (i <= 8 || i >= 15)) << i;
    EXPECT_EQ(f.mnuReport[4]->text(), QStringLiteral("Quicken  5.0 Or Later"));
    CurrentView() = QStringLiteral("US");
    emit f.mnuReports->aboutToShow();
    for (int i = 0; i < 17; ++i)
        EXPECT_FALSE(f.mnuReport[i]->isEnabled()) << i;
}

TEST_F(frmMainTest, TheZoomButtonAndAltZOpenZoomWindowsOwnedByTheMainWindow)
{
    frmMain& f = loaded();
    setRollStepDelay(0);
    CurrentView() = QStringLiteral("Current");
    f.Picture1_Click(3);
    f.Form_KeyDown('Z', 4);
    QList<Zoom*> zooms;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* z = qobject_cast<Zoom*>(w); z && z->isVisible())
            zooms << z;
    ASSERT_EQ(zooms.size(), 2);
    for (Zoom* z : zooms) {
        EXPECT_EQ(z->parentWidget(), &f);
        EXPECT_EQ(z->ViewCode, QStringLiteral("Current"));
    }
    for (Zoom* z : zooms)
        delete z;
}

namespace {

// What a user reads on a window: its buttons, check boxes, frames and label buttons,
// as shown ("&OK" reads "OK", "S&&P" reads "S&P"). The update boxes are named by
// their pages and the option values by their groups, so they are left out.
QStringList shownCaptions(QWidget* window)
{
    const auto shown = [](const QString& caption) {
        QString text;
        for (qsizetype i = 0; i < caption.size(); ++i) {
            if (caption[i] == u'&' && i + 1 < caption.size())
                ++i;
            text += caption[i];
        }
        return text.simplified();
    };
    QStringList captions;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if ((qobject_cast<QPushButton*>(b) || qobject_cast<QCheckBox*>(b)) && !b->objectName().startsWith("chkUpdate"))
            captions << shown(b->text());
    for (QGroupBox* g : window->findChildren<QGroupBox*>())
        captions << shown(g->title());
    for (QLabel* l : window->findChildren<QLabel*>())
        if (l->objectName().startsWith("lblAction") || l->objectName().startsWith("lblNav"))
            captions << shown(l->text());
    captions.removeAll(QString());
    captions.removeDuplicates();
    return captions;
}

// Clicks the window's help buttons and checks that each page opened names every
// caption of the window; gives the pages' file names.
QStringList checkHelpOf(QWidget* window, const QStringList& helpButtons)
{
    const QStringList captions = shownCaptions(window);
    EXPECT_GE(captions.size(), 4) << window->objectName().toStdString();
    QStringList pages;
    for (const QString& name : helpButtons) {
        test::shell().reset();
        auto* button = window->findChild<QPushButton*>(name);
        if (!button) {
            ADD_FAILURE() << "no " << name.toStdString();
            continue;
        }
        button->click();
        if (test::shell().opened.size() != 1) {
            ADD_FAILURE() << "nothing opened by " << name.toStdString();
            continue;
        }
        const QString path = test::shell().opened[0];
        pages << QFileInfo(path).fileName();
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QString html = QString::fromLatin1(file.readAll());
        QTextDocument page;
        page.setHtml(html);
        const QString text = page.toPlainText().simplified();
        EXPECT_FALSE(text.contains("not written")) << path.toStdString();
        EXPECT_TRUE(html.contains("<h1>")) << path.toStdString();
        for (const QString& caption : captions)
            EXPECT_TRUE(text.contains(caption, Qt::CaseInsensitive))
                << pages.last().toStdString() << " does not name \"" << caption.toStdString() << "\"";
    }
    return pages;
}

} // namespace

TEST_F(frmMainTest, EveryHelpButtonOpensAPageThatNamesWhatItsWindowShows)
{
    frmMain& f = loaded();
    QStringList pages;

    answerModal([&pages](QWidget* w) { pages << checkHelpOf(w, {"cmdHelp"}); });
    f.Picture1_Click(6);  // the Options window

    StockSets sets;
    StkSet editor(sets);
    pages << checkHelpOf(&editor, {"cmdHelp"});

    Properties card(std::make_unique<DetailCard>(Stocks()[0], 0));
    pages << checkHelpOf(&card, {"cmdHelp"});

    f.Picture1_Click(5);
    Scr* screen = f.findChild<Scr*>();
    ASSERT_NE(screen, nullptr);
    pages << checkHelpOf(screen, {"cmdHelp"});
    delete screen;

    answerModal([&pages](QWidget* w) { pages << checkHelpOf(w, {"cmdHelp", "cmdFull"}); });
    f.Panel1_Click(3);  // the adviser

    EXPECT_EQ(pages, QStringList({"topic1002.html", "topic1006.html", "topic86.html", "topic1004.html",
                                  "topic1007.html", "topic1010.html"}));
}
