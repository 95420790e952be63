// The Options window: what its load stores and shows, the interval list, the delay
// guards, OK and Cancel, the select buttons and exchange labels, the page keys,
// emptying the cache and the voice presets. The logic is driven directly; one test
// works the real window.
#include "OptionsFixture.h"

#include "core/Options.h"
#include "core/OptionsModel.h"
#include "platform/AppPath.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Dialogs;

namespace {

class OptionsTest : public OptionsFixture
{
protected:
    OptionsModel model{updateChoices()};

    void clearAllBoxes()
    {
        for (int i : {1, 3, 4, 6})
            model.cmdSelect_Click(i);
    }
};

// The messages shown since the last reset, as "title|prompt|buttons".
QStringList shownMessages()
{
    QStringList list;
    for (const auto& s : test::dialogs().shown)
        list << QStringLiteral("%1|%2|%3").arg(s.title, s.prompt).arg(s.buttons);
    return list;
}

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}

} // namespace

TEST_F(OptionsTest, FirstLoadOnAnEmptyKeyStoresTheDefaultsAndShowsPageZero)
{
    model.Form_Load();

    EXPECT_EQ(model.Text1, "5");
    EXPECT_EQ(model.Text2, "12");
    EXPECT_EQ(setting(Settings::SplashDelay), "5");
    EXPECT_EQ(setting(Settings::SaverDelay), "12");
    // The boxes that differ from the page's design run their handlers.
    EXPECT_EQ(setting(Settings::ShutDown), "1");
    EXPECT_EQ(setting(Settings::US), "1");
    EXPECT_EQ(setting(Settings::AutoUpdate), "0");
    EXPECT_EQ(setting(Settings::VoiceMode), "0");
    // The ones that match it do not; the style list stays without a choice.
    EXPECT_EQ(setting(Settings::Prompt), "");
    EXPECT_EQ(setting(Settings::ProxyE), "");
    EXPECT_EQ(setting(Settings::PicBar), "");
    EXPECT_EQ(setting(Settings::FrmNav), "");
    EXPECT_EQ(setting("Update0"), "");

    for (int n = 0; n < 99; ++n)
        EXPECT_TRUE(updateChoices().isTicked(n)) << n;
    EXPECT_TRUE(model.chkPrompt);
    EXPECT_TRUE(model.ChkNumeric[0]);
    EXPECT_TRUE(model.ChkNumeric[1]);
    EXPECT_TRUE(model.chkShutDown);
    EXPECT_TRUE(model.ChkUS);
    EXPECT_FALSE(model.chkProxy);
    EXPECT_FALSE(model.txtProxyEnabled);
    EXPECT_EQ(model.cobSqd, 0);
    EXPECT_EQ(OptionsModel::intervalEntries()[model.cobSqd], "Manually");
    EXPECT_EQ(model.cobStyle, -1);
    EXPECT_EQ(model.cobVoice, 0);
    EXPECT_EQ(model.CurrentPage, 0);
    EXPECT_EQ(model.lblNavColour[0], QColor(255, 0, 0));
    EXPECT_EQ(model.lblNavColour[3], QColor(0, 0, 255));
    EXPECT_EQ(model.txtNewsServ, "");
    EXPECT_EQ(model.txtProxy, "");

    // The main window's timer goes off, the skin is not touched, the voice is set.
    EXPECT_EQ(m_host.autoUpdateMin, QVector<int>{0});
    EXPECT_EQ(m_host.timer, QVector<bool>{false});
    EXPECT_EQ(m_host.skins, 0);
    EXPECT_EQ(test::speech().modesSet, QVector<int>{1});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
}

TEST_F(OptionsTest, LoadTakesStoredValues)
{
    store(Settings::SplashDelay, "0");
    store(Settings::AutoUpdate, "1440");
    store(Settings::PicBar, "3");
    store(Settings::VoiceMode, "11");
    store(Settings::FrmNav, "5");
    store(Settings::ProxyE, "1");
    store(Settings::Proxy, "proxy.lan:3128");
    store(Settings::Prompt, "0");
    store(Settings::Fractions, "0");
    store(Settings::NewsServer, "news.lan");
    store("Update3", "0");

    model.Form_Load();

    EXPECT_EQ(model.Text1, "0");
    EXPECT_EQ(OptionsModel::intervalEntries()[model.cobSqd], "24    Hour");
    EXPECT_EQ(m_host.autoUpdateMin, QVector<int>{1440});
    EXPECT_EQ(m_host.timer, QVector<bool>{true});
    EXPECT_EQ(model.cobStyle, 3);
    EXPECT_EQ(m_host.skins, 1);
    EXPECT_EQ(model.cobVoice, 11);
    EXPECT_EQ(test::speech().mode, 12);
    EXPECT_EQ(test::speech().high, 1);  // the last preset asks for a female voice
    EXPECT_EQ(model.CurrentPage, 5);
    EXPECT_EQ(model.lblNavColour[5], QColor(255, 0, 0));
    EXPECT_EQ(model.lblNavColour[0], QColor(0, 0, 255));
    EXPECT_TRUE(model.chkProxy);
    EXPECT_TRUE(model.txtProxyEnabled);
    EXPECT_EQ(model.txtProxy, "proxy.lan:3128");
    EXPECT_FALSE(model.chkPrompt);
    EXPECT_FALSE(model.ChkNumeric[0]);
    EXPECT_EQ(model.txtNewsServ, "news.lan");
    EXPECT_FALSE(updateChoices().isTicked(3));
    EXPECT_TRUE(updateChoices().isTicked(4));
}

TEST_F(OptionsTest, AnIntervalOutsideTheListSelectsNothing)
{
    store(Settings::AutoUpdate, "25");
    model.Form_Load();
    EXPECT_EQ(model.cobSqd, -1);
    EXPECT_TRUE(m_host.timer.isEmpty());
    EXPECT_EQ(setting(Settings::AutoUpdate), "25");
}

TEST_F(OptionsTest, IntervalListMapsEntriesToMinutesBothWaysAndSwitchesTheTimer)
{
    const struct
    {
        const char* entry;
        int minutes;
    } rows[] = {
        {"Manually", 0},     {"5    Minutes", 5}, {"10  Minutes", 10}, {"15  Minutes", 15}, {"20  Minutes", 20},
        {"30  Minutes", 30}, {"45  Minutes", 45}, {"1     Hour", 60},  {"1.5   Hour", 90},  {"2     Hour", 120},
        {"4     Hour", 240}, {"6     Hour", 360}, {"12    Hour", 720}, {"24    Hour", 1440},
    };
    ASSERT_EQ(OptionsModel::intervalEntries().size(), 14);
    for (int i = 0; i < 14; ++i) {
        SCOPED_TRACE(rows[i].entry);
        EXPECT_EQ(OptionsModel::intervalEntries()[i], rows[i].entry);
        EXPECT_EQ(OptionsModel::intervalMinutes(i), rows[i].minutes);
        EXPECT_EQ(OptionsModel::intervalIndexOf(rows[i].minutes), i);

        m_host.timer.clear();
        m_host.autoUpdateMin.clear();
        model.cobSqd_Click(i);
        EXPECT_EQ(setting(Settings::AutoUpdate), QString::number(rows[i].minutes));
        EXPECT_EQ(m_host.autoUpdateMin, QVector<int>{rows[i].minutes});
        EXPECT_EQ(m_host.timer, QVector<bool>{rows[i].minutes != 0});
    }
    EXPECT_EQ(OptionsModel::intervalIndexOf(25), -1);
}

TEST_F(OptionsTest, DelayGuardsRejectWithTheirMessageAndPutTheDefaultBack)
{
    const QString splash = "Set the value between 0 (None) up to 20 seconds please.";
    const QString saver = "Set the value between 0 (None) up to 60 minutes please.";
    const struct
    {
        int box;
        const char* typed;
        bool accepted;
    } rows[] = {
        {1, "21", false}, {1, "-1", false}, {1, "abc", false}, {1, "", false},  {1, "0", true},
        {1, "20", true},  {1, "7", true},   {2, "61", false},  {2, "x1", false}, {2, "60", true},
        {2, "0", true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(QStringLiteral("Text%1 = '%2'").arg(r.box).arg(r.typed).toStdString());
        test::dialogs().reset();
        QString& text = r.box == 1 ? model.Text1 : model.Text2;
        text = QString::fromLatin1(r.typed);
        const bool ok = r.box == 1 ? model.Text1_LostFocus() : model.Text2_LostFocus();
        EXPECT_EQ(ok, r.accepted);
        if (r.accepted) {
            EXPECT_EQ(text, r.typed);
            EXPECT_TRUE(test::dialogs().shown.isEmpty());
        } else {
            EXPECT_EQ(text, r.box == 1 ? "5" : "12");
            EXPECT_EQ(shownMessages(),
                      QStringList{QStringLiteral("Wrong Value|%1|%2").arg(r.box == 1 ? splash : saver).arg(vbExclamation)});
        }
    }
    // The guards store nothing.
    EXPECT_EQ(setting(Settings::SplashDelay), "");
}

TEST_F(OptionsTest, OkRunsTheDelayGuardsAgainSoNoWordIsStored)
{
    model.Form_Load();
    model.Text1 = "soon";
    model.Text2 = "15";

    EXPECT_FALSE(model.cmd_OK_Click());
    EXPECT_EQ(shownMessages().size(), 1);
    EXPECT_EQ(test::dialogs().shown[0].title, "Wrong Value");
    EXPECT_EQ(model.Text1, "5");
    EXPECT_EQ(setting(Settings::SplashDelay), "5");  // what the load stored
    EXPECT_EQ(setting(Settings::SaverDelay), "12");
    EXPECT_EQ(setting("Update7"), "");

    test::dialogs().reset();
    EXPECT_TRUE(model.cmd_OK_Click());
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
    EXPECT_EQ(setting(Settings::SplashDelay), "5");
    EXPECT_EQ(setting(Settings::SaverDelay), "15");
}

TEST_F(OptionsTest, OkWithNoBoxTickedTicksTheFirstAndStoresNothing)
{
    model.Form_Load();
    clearAllBoxes();
    model.txtNewsServ = "news.lan";

    EXPECT_FALSE(model.cmd_OK_Click());
    // No title of its own: the box shows the program's name.
    EXPECT_EQ(shownMessages(), QStringList{QStringLiteral("%1|You have to select at least one option|%2")
                                               .arg(appTitle())
                                               .arg(vbInformation)});
    EXPECT_TRUE(updateChoices().isTicked(0));
    EXPECT_EQ(updateChoices().tickedCount(), 1);
    EXPECT_EQ(setting("Update0"), "");
    EXPECT_EQ(setting(Settings::NewsServer), "");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The second OK stores everything.
    EXPECT_TRUE(model.cmd_OK_Click());
    EXPECT_EQ(setting("Update0"), "1");
    EXPECT_EQ(setting("Update1"), "0");
    EXPECT_EQ(setting("Update98"), "0");
    EXPECT_EQ(setting(Settings::NewsServer), "news.lan");
}

TEST_F(OptionsTest, OkStoresEveryBoxAndThePageShown)
{
    model.Form_Load();
    model.lblNav_Click(6);
    model.ChkNumeric[0] = false;
    model.Text1 = "3";
    model.txtEmailServ = "mail.lan";
    model.txtEmailAddress = "me@mail.lan";
    updateChoices().setTicked(12, false);

    EXPECT_TRUE(model.cmd_OK_Click());
    EXPECT_EQ(setting(Settings::SplashDelay), "3");
    EXPECT_EQ(setting(Settings::Fractions), "0");
    EXPECT_EQ(setting(Settings::Volume), "1");
    EXPECT_EQ(setting(Settings::FrmNav), "6");
    EXPECT_EQ(setting(Settings::EmailServer), "mail.lan");
    EXPECT_EQ(setting(Settings::Email), "me@mail.lan");
    EXPECT_EQ(setting("Update12"), "0");
    EXPECT_EQ(setting("Update13"), "1");
}

TEST_F(OptionsTest, CancelKeepsTheIntervalButDropsBoxAndDelayChanges)
{
    model.Form_Load();
    model.cobSqd_Click(8);  // "1.5   Hour"
    model.cmdSelect_Click(1);
    model.Text1 = "9";
    model.cmd_cancel_Click();

    EXPECT_EQ(setting(Settings::AutoUpdate), "90");
    EXPECT_EQ(setting(Settings::SplashDelay), "5");
    // The run reads the stored choices again.
    EXPECT_TRUE(updateChoices().isTicked(0));
    EXPECT_TRUE(updateChoices().isTicked(88));
}

TEST_F(OptionsTest, SelectButtonsTickOrClearTheirPage)
{
    const struct
    {
        int index;
        QList<int> first;  // a few of its items
        bool ticks;
    } rows[] = {
        {0, {0, 14, 88}, true},  {1, {0, 14, 88}, false}, {2, {15, 49, 89, 97}, true},
        {3, {15, 49, 89, 97}, false}, {4, {50, 60, 83, 87, 98}, false}, {5, {50, 60, 83, 87, 98}, true},
        {6, {61, 82}, false}, {7, {61, 82}, true},
    };
    const int sizes[] = {16, 16, 44, 44, 17, 17, 22, 22};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.index);
        updateChoices().setTicked(OptionsModel::selectItems(0) + OptionsModel::selectItems(2)
                                      + OptionsModel::selectItems(4) + OptionsModel::selectItems(6),
                                  !r.ticks);
        model.cmdSelect_Click(r.index);
        EXPECT_EQ(OptionsModel::selectItems(r.index).size(), sizes[r.index]);
        for (int n : r.first)
            EXPECT_EQ(updateChoices().isTicked(n), r.ticks) << n;
        EXPECT_EQ(updateChoices().tickedCount(), r.ticks ? sizes[r.index] : 99 - sizes[r.index]);
    }
    EXPECT_EQ(setting("Update0"), "");  // nothing stored before OK
}

TEST_F(OptionsTest, ExchangeLabelsShareOneTickState)
{
    model.Form_Load();
    const QList<int> amex = UpdateChoices::columnItems(ExchangeColumn::AMEX);
    const QList<int> nyse = UpdateChoices::columnItems(ExchangeColumn::NYSE);
    const QList<int> nasdaq = UpdateChoices::columnItems(ExchangeColumn::NASDAQ);
    EXPECT_EQ(amex, (QList<int>{22, 25, 28, 31, 34, 37, 40, 43, 46, 49, 91, 94, 97}));
    model.cmdSelect_Click(3);

    model.lblExc_Click(0);  // "AMEX": ticks
    EXPECT_EQ(model.ExcState, 1);
    for (int n : amex)
        EXPECT_TRUE(updateChoices().isTicked(n)) << n;
    updateChoices().setTicked(nyse, true);
    model.lblExc_Click(1);  // "NYSE" right after: clears
    EXPECT_EQ(model.ExcState, 0);
    for (int n : nyse)
        EXPECT_FALSE(updateChoices().isTicked(n)) << n;
    for (int n : amex)
        EXPECT_TRUE(updateChoices().isTicked(n)) << n;
    for (int n : nasdaq)
        EXPECT_FALSE(updateChoices().isTicked(n)) << n;

    // Every load starts the state afresh.
    model.lblExc_Click(2);
    model.Form_Load();
    EXPECT_EQ(model.ExcState, 0);
}

TEST_F(OptionsTest, AltKeysChooseThePages)
{
    const struct
    {
        char key;
        int shift;
        int page;  // -1: nothing happens
    } rows[] = {
        {'D', 4, 0}, {'S', 4, 1}, {'M', 4, 2}, {'F', 4, 3}, {'V', 4, 4}, {'G', 4, 5}, {'N', 4, 6},
        {'G', 0, -1}, {'N', 1, -1}, {'X', 4, -1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(1, r.key) + " shift " + std::to_string(r.shift));
        model.lblNav_Click(2);
        EXPECT_EQ(model.Form_KeyDown(r.key, r.shift), r.page >= 0);
        EXPECT_EQ(model.CurrentPage, r.page >= 0 ? r.page : 2);
    }
    EXPECT_EQ(OptionsModel::pageLabels()[5], "Network Options");
    EXPECT_EQ(OptionsModel::pageLabels()[6], "General Options");
}

TEST_F(OptionsTest, HoverTurnsOneCaptionBlue)
{
    model.chkUpdate_MouseMove(5);
    EXPECT_EQ(model.chkUpdateColour[5], QColor(0, 0, 255));
    model.chkUpdate_MouseMove(7);
    EXPECT_EQ(model.chkUpdateColour[7], QColor(0, 0, 255));
    EXPECT_EQ(model.chkUpdateColour[5], QColor(0, 0, 0));
    model.Frm_MouseMove(0);
    EXPECT_EQ(model.chkUpdateColour[7], QColor(0, 0, 0));
}

TEST_F(OptionsTest, EmptyCacheDeletesOnlyTheFilesOfTheFoldersAnsweredYes)
{
    const QString cache = AppPath() + "/Cache";
    const QStringList files = {"DataSheet/ibm_op.Sh", "DataSheet/quotes_csv.txt", "News/ibm.txt",
                               "Reports/r.html",      "Reports/Calls/c.html",      "Chart/c.gif"};
    const QString q1 = "Clear Cache?|Are you sure you want to delete all downloaded data?|%1";
    const int buttons = vbYesNo + vbExclamation + vbDefaultButton2;
    const struct
    {
        QList<int> answers;
        QStringList gone;
        int questions;
    } rows[] = {
        {{vbNo}, {}, 1},
        {{vbYes, vbNo, vbYes, vbNo}, {"News/ibm.txt"}, 4},
        {{vbYes, vbYes, vbYes, vbYes}, {"DataSheet/ibm_op.Sh", "DataSheet/quotes_csv.txt", "News/ibm.txt", "Reports/r.html"}, 4},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.gone.join(',').toStdString());
        for (const QString& f : files)
            touch(cache + "/" + f);
        test::dialogs().reset();
        for (int a : r.answers)
            test::dialogs().msgAnswers.enqueue(a);
        model.cmdEmpty_Click();
        EXPECT_EQ(test::dialogs().shown.size(), r.questions);
        EXPECT_EQ(shownMessages().value(0), q1.arg(buttons));
        for (const QString& f : files)
            EXPECT_EQ(QFile::exists(cache + "/" + f), !r.gone.contains(f)) << f.toStdString();
    }
    EXPECT_EQ(shownMessages().mid(1), (QStringList{"Clear Data?|Delete data?|" + QString::number(buttons),
                                                   "Clear News?|Delete stocks News?|" + QString::number(buttons),
                                                   "Clear Reports?|Delete stocks reports?|" + QString::number(buttons)}));
    EXPECT_TRUE(QDir(cache + "/DataSheet").exists());

    // A missing folder is no error.
    QDir(cache).removeRecursively();
    for (int i = 0; i < 4; ++i)
        test::dialogs().msgAnswers.enqueue(vbYes);
    model.cmdEmpty_Click();
}

TEST_F(OptionsTest, HelpOpensTopic1002)
{
    model.cmdHelp_Click();
    ASSERT_EQ(test::shell().opened.size(), 1);
    EXPECT_TRUE(test::shell().opened[0].endsWith("topic1002.html")) << test::shell().opened[0].toStdString();
}

TEST_F(OptionsTest, VoicePresetStopsSpeechSetsTheModeAndTheVoiceGender)
{
    ASSERT_EQ(OptionsModel::voiceEntries().size(), 12);
    auto& voice = test::speech();
    for (int k = 0; k < 12; ++k) {
        SCOPED_TRACE(k);
        voice.speaking = true;
        const int stops = voice.stops;
        model.cobVoice_Click(k);
        EXPECT_EQ(voice.stops, stops + 1);
        EXPECT_EQ(voice.mode, k + 1);
        EXPECT_EQ(setting(Settings::VoiceMode), QString::number(k));
        EXPECT_EQ(voice.high, Speech::PresetForMode(k + 1).gender == 1 ? 0 : 1);
    }
    // Not speaking: nothing to stop.
    voice.speaking = false;
    const int stops = voice.stops;
    model.cobVoice_Click(0);
    EXPECT_EQ(voice.stops, stops);

    // A broken speech service: the rest is skipped and the pointer comes back.
    voice.failWith = 5;
    model.cobVoice_Click(4);
    EXPECT_EQ(setting(Settings::VoiceMode), "0");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(OptionsTest, StyleChoiceStoresTheIndexAndReloadsTheSkin)
{
    ASSERT_EQ(OptionsModel::styleEntries().size(), 11);
    EXPECT_EQ(OptionsModel::styleEntries()[9], "Green Plastic");
    model.cobStyle_Click(10);
    EXPECT_EQ(setting(Settings::PicBar), "10");
    EXPECT_EQ(m_host.skins, 1);
}

TEST_F(OptionsTest, NetworkBoxesStoreOnClickAndTheProxyOnLeaving)
{
    model.Form_Load();
    model.setChkProxy(true);
    EXPECT_TRUE(model.txtProxyEnabled);
    EXPECT_EQ(setting(Settings::ProxyE), "1");
    model.txtProxy = "cache.lan:8080";
    model.txtProxy_LostFocus();
    EXPECT_EQ(setting(Settings::Proxy), "cache.lan:8080");
    model.setChkPrompt(false);
    EXPECT_EQ(setting(Settings::Prompt), "0");
    model.setChkShutDown(false);
    EXPECT_EQ(setting(Settings::ShutDown), "0");
    model.setChkUS(false);
    EXPECT_EQ(setting(Settings::US), "0");
    model.cmd_cancel_Click();  // stored on the click: Cancel keeps them
    EXPECT_EQ(setting(Settings::ProxyE), "1");
}

// The first load of the real window on an empty key ticks these five boxes, each
// under its own caption; the proxy box stays unticked.
TEST_F(OptionsTest, FirstLoadTicksTheFiveBoxesUnderTheirCaptions)
{
    Options window;
    window.Form_Load();
    const struct
    {
        QCheckBox* box;
        const char* caption;
        bool ticked;
    } boxes[] = {
        {window.chkPrompt, "Prompt me to dial when connection is neaded", true},
        {window.ChkNumeric[0], "Display as fractions", true},
        {window.ChkNumeric[1], "Volume in 100's", true},
        {window.chkShutDown, "Confirm on exit", true},
        {window.ChkUS, "US zone (for industry reports)", true},
        {window.chkProxy, "Use proxy server:", false},
    };
    for (const auto& b : boxes) {
        ASSERT_NE(b.box, nullptr) << b.caption;
        EXPECT_EQ(b.box->text(), QString::fromLatin1(b.caption));
        EXPECT_EQ(b.box->isChecked(), b.ticked) << b.caption;
    }
}

// The real window: pages by label and key, the guard on leaving a box, the
// interval list and OK.
TEST_F(OptionsTest, WindowBindsItsControls)
{
    Options window;
    window.Form_Load();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // TW_SCREENSHOTS names a folder to keep a picture of the window in, for a look by eye.
    if (const QString shots = qEnvironmentVariable("TW_SCREENSHOTS"); !shots.isEmpty())
        window.grab().save(shots + QStringLiteral("/Options.png"));

    EXPECT_TRUE(window.Frm[0]->isVisible());
    EXPECT_FALSE(window.Frm[1]->isVisible());
    EXPECT_EQ(window.Frm[4]->title(), "Voice");
    EXPECT_EQ(window.Frm[5]->title(), "Network Setting");
    EXPECT_EQ(window.lblNav[4]->text(), "Voice Options");
    EXPECT_EQ(window.chkUpdate[68]->text(), "Smith Barney Mutual && Money Market Funds");
    EXPECT_EQ(window.chkUpdate[22]->text(), "Largest % Gain In Price");
    EXPECT_EQ(window.chkUpdate[20]->text(), "");
    EXPECT_EQ(window.chkUpdate[22]->parentWidget(), window.Frm[0]);
    EXPECT_EQ(window.chkUpdate[20]->x(), 24);   // 360 twips
    EXPECT_EQ(window.chkUpdate[21]->x(), 72);   // 1080
    EXPECT_EQ(window.chkUpdate[22]->x(), 120);  // 1800
    EXPECT_EQ(window.chkUpdate[25]->y() - window.chkUpdate[22]->y(), 16);  // 240 twips per row
    EXPECT_TRUE(window.chkUpdate[40]->isChecked());
    EXPECT_EQ(window.cobSqd->currentText(), "Manually");
    EXPECT_EQ(window.cobStyle->currentIndex(), -1);
    EXPECT_EQ(window.cobStyle->placeholderText(), "Select Bar Color");
    EXPECT_FALSE(window.txtProxy->isEnabled());
    EXPECT_EQ(window.cmdSelect[2]->text(), "&Select All");

    QTest::mouseClick(window.lblNav[3], Qt::LeftButton);
    EXPECT_TRUE(window.Frm[3]->isVisible());
    EXPECT_FALSE(window.Frm[0]->isVisible());
    EXPECT_EQ(window.lblNav[3]->palette().color(QPalette::WindowText), QColor(255, 0, 0));

    // Alt+S is the page key, not the "&Select All" button of page 0.
    QTest::mouseClick(window.lblNav[0], Qt::LeftButton);
    QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(window.Frm[1]->isVisible());
    EXPECT_TRUE(window.chkUpdate[15]->isChecked());
    QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
    ASSERT_TRUE(window.Frm[6]->isVisible());

    // Clicking a box changes the choice; the exchange label ticks its column.
    QTest::mouseClick(window.lblNav[0], Qt::LeftButton);
    window.chkUpdate[20]->click();
    EXPECT_FALSE(updateChoices().isTicked(20));
    QTest::mouseClick(window.lblExc[2], Qt::LeftButton);  // NASDAQ
    EXPECT_TRUE(updateChoices().isTicked(20));
    EXPECT_TRUE(window.chkUpdate[20]->isChecked());

    // Leaving the splash box with a word in it.
    QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
    window.activateWindow();
    window.Text1->setFocus();
    window.Text1->selectAll();
    QTest::keyClicks(window.Text1, "abc");
    EXPECT_EQ(window.model().Text1, "abc");
    window.Text2->setFocus();
    EXPECT_EQ(window.Text1->text(), "5");
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_EQ(test::dialogs().shown[0].title, "Wrong Value");

    window.cobSqd->activated(8);
    EXPECT_EQ(setting(Settings::AutoUpdate), "90");
    EXPECT_EQ(m_host.timer.last(), true);

    window.cmd_OK->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(setting(Settings::FrmNav), "6");
    EXPECT_EQ(setting("Update20"), "1");
}
