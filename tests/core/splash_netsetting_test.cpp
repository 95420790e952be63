// The splash window (progress hook, texts, links, About box) and the first run's
// network-settings window (what it shows, what it marks, what Close and the
// window frame store).
#include "IsolatedStore.h"

#include "core/NetSetting.h"
#include "core/NetSettingStore.h"
#include "core/Settings.h"
#include "core/SplashProgress.h"
#include "core/WindowEffects.h"
#include "core/frmSplash.h"
#include "core/frmSplashInfo.h"
#include "platform/RegistryStore.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>

namespace {

using test::save;
using test::setting;
using test::settle;

class StartWindowsTest : public IsolatedStore
{
protected:
    void SetUp() override
    {
        IsolatedStore::SetUp();
        RegistryStore::createKey(QString::fromLatin1(Settings::ProductKey));
        SplashInfo::SetProgramVersion(QStringLiteral("5.0.0"));
        NetSetting::SetInitDelay(0);
    }
    void TearDown() override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            delete w;
        settle();
        SplashProgress::install({});
        NetSetting::SetInitDelay(2000);
        IsolatedStore::TearDown();
    }
};

} // namespace

TEST_F(StartWindowsTest, VersionTextsComeFromTheBuild)
{
    const struct
    {
        const char* version;
        const char* trademarks;
    } cases[] = {
        {"5.0.0", "Orvane Tradewright 5.0"},
        {"5.4", "Orvane Tradewright 5.4"},
        {"6.1.2.7", "Orvane Tradewright 6.1"},
    };
    for (const auto& c : cases) {
        SplashInfo::SetProgramVersion(QString::fromLatin1(c.version));
        EXPECT_EQ(SplashInfo::LegalTrademarks(), QString::fromLatin1(c.trademarks)) << c.version;
    }
    SplashInfo::SetProgramVersion(QStringLiteral("5.0.0"));
    EXPECT_EQ(SplashInfo::ProgramVersion(), "5.0.0");
}

TEST_F(StartWindowsTest, SplashTakesTheProgressUntilItIsUnloaded)
{
    frmSplash* splash = frmSplash::ShowSplash();
    ASSERT_EQ(frmSplash::instance(), splash);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(splash->progressVisible());
    EXPECT_EQ(splash->Label1->text(), "Orvane Tradewright 5.0");
    EXPECT_FALSE(splash->Label2->text().isEmpty());
    EXPECT_EQ(splash->lblEmail->text(), "Email: support@maker.example");

    // What the main window's load sends, clamped to the bar's range.
    const std::pair<int, int> steps[] = {{1, 1}, {30, 30}, {60, 60}, {-5, 0}, {150, 100}, {85, 85}};
    for (const auto& [sent, shown] : steps) {
        setSplashProgress(sent);
        EXPECT_EQ(splash->pb1->value(), shown) << sent;
    }

    // closeSplash unloads on the next turn of the loop, so a window shown in the
    // same call is on screen first.
    closeSplash();
    EXPECT_EQ(frmSplash::instance(), nullptr);
    settle();
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
    setSplashProgress(90);  // nothing left to move: no effect, no crash
    closeSplash();
}

TEST_F(StartWindowsTest, SplashLinksAndPictureClick)
{
    frmSplash* splash = frmSplash::ShowSplash();
    splash->Label2_MouseDown();
    splash->lblEmail_Click();
    EXPECT_EQ(test::shell().opened,
              QStringList({"http://maker.example/", "mailto:support@maker.example"}));

    // A real click on the picture unloads the splash.
    QTest::mouseClick(splash->Image2, Qt::LeftButton);
    settle();
    EXPECT_EQ(frmSplash::instance(), nullptr);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST_F(StartWindowsTest, AboutBoxHasNoProgressAndLeavesTheSplashHookAlone)
{
    auto* owner = new QWidget;
    owner->show();
    frmSplash* about = frmSplash::ShowAbout(owner);
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(about->isModal() || about->windowModality() != Qt::NonModal);
    EXPECT_FALSE(about->progressVisible());
    EXPECT_EQ(frmSplash::instance(), nullptr);
    closeSplash();  // belongs to the start's splash only
    settle();
    EXPECT_TRUE(about->isVisible());
    about->Image2_Click();
    settle();
    EXPECT_EQ(owner->findChildren<frmSplash*>().size(), 0);
    delete owner;
}

TEST_F(StartWindowsTest, FirstRunShowsStoredAddressesMarksTheRunAndClosesTheSplash)
{
    save(Settings::EmailServer, "smtp.old.test");
    save(Settings::NewsServer, "news.old.test");
    save(Settings::Email, "me@old.test");
    frmSplash::ShowSplash();

    auto* w = new NetSetting;
    EXPECT_TRUE(setting(Settings::RunOnce).isEmpty());
    w->ShowFirstRun();
    ASSERT_TRUE(QTest::qWaitFor([w] { return w->isVisible(); }, 2000));
    settle();
    EXPECT_EQ(frmSplash::instance(), nullptr);
    EXPECT_EQ(QApplication::topLevelWidgets(), QWidgetList{w});
    EXPECT_EQ(w->windowTitle(), "Tradewright Setting");
    EXPECT_EQ(w->txtData[0]->text(), "smtp.old.test");
    EXPECT_EQ(w->txtData[1]->text(), "news.old.test");
    EXPECT_EQ(w->txtData[2]->text(), "me@old.test");
    EXPECT_EQ(setting(Settings::RunOnce), "1");
    EXPECT_EQ(setting(Settings::ShutDown), "0");
    EXPECT_FALSE(w->txtProxy->isEnabled());
}

TEST_F(StartWindowsTest, ProxyBoxWritesAtOnceAndEnablesTheProxyField)
{
    NetSetting w;
    w.show();
    QTest::mouseClick(w.chkProxy, Qt::LeftButton);
    EXPECT_TRUE(w.txtProxy->isEnabled());
    EXPECT_EQ(setting(Settings::ProxyE), "1");
    QTest::mouseClick(w.chkProxy, Qt::LeftButton);
    EXPECT_FALSE(w.txtProxy->isEnabled());
    EXPECT_EQ(setting(Settings::ProxyE), "0");
    QTest::mouseClick(w.Check1, Qt::LeftButton);
    EXPECT_EQ(setting(Settings::Prompt), "1");
}

TEST_F(StartWindowsTest, ProxyBoxShowsWhetherTheProgramUsesTheProxy)
{
    // The main window's load takes a stored "1.0" as on: the box must say so too.
    const struct
    {
        const char* stored;
        bool on;
    } rows[] = {{"1", true}, {"1.0", true}, {" 1 ", true}, {"0", false}, {"", false}, {"2", false}, {"yes", false}};
    for (const auto& r : rows) {
        save(Settings::ProxyE, r.stored);
        EXPECT_EQ(NetSettingStore::Load().proxyE, r.on) << r.stored;
        EXPECT_EQ(Settings::SettingIsOne(QString::fromLatin1(Settings::ProxyE)), r.on) << r.stored;
    }
}

TEST_F(StartWindowsTest, CloseStoresTheBoxesAndHandsOn)
{
    const struct
    {
        const char* mail;
        const char* news;
        const char* email;
        bool prompt;
        bool proxyE;
        const char* proxy;
    } cases[] = {
        // Empty address boxes keep what was stored; the other three always write.
        {"", "", "", false, false, ""},
        {"smtp.new.test", "news.new.test", "you@new.test", true, true, "127.0.0.1:3128"},
    };
    for (const auto& c : cases) {
        save(Settings::EmailServer, "smtp.old.test");
        save(Settings::NewsServer, "news.old.test");
        save(Settings::Email, "me@old.test");
        save(Settings::Proxy, "old:1");

        int handedOn = 0;
        auto* w = new NetSetting([&handedOn] { ++handedOn; });
        w->show();
        w->txtData[0]->setText(QString::fromLatin1(c.mail));
        w->txtData[1]->setText(QString::fromLatin1(c.news));
        w->txtData[2]->setText(QString::fromLatin1(c.email));
        w->Check1->setChecked(c.prompt);
        w->chkProxy->setChecked(c.proxyE);
        w->txtProxy->setText(QString::fromLatin1(c.proxy));
        w->cmdclose_Click();
        settle();

        const bool empty = QString::fromLatin1(c.mail).isEmpty();
        EXPECT_EQ(setting(Settings::EmailServer), empty ? "smtp.old.test" : c.mail);
        EXPECT_EQ(setting(Settings::NewsServer), empty ? "news.old.test" : c.news);
        EXPECT_EQ(setting(Settings::Email), empty ? "me@old.test" : c.email);
        EXPECT_EQ(setting(Settings::Prompt), c.prompt ? "1" : "0");
        EXPECT_EQ(setting(Settings::ProxyE), c.proxyE ? "1" : "0");
        EXPECT_EQ(setting(Settings::Proxy), QString::fromLatin1(c.proxy));
        EXPECT_EQ(handedOn, 1);
        EXPECT_EQ(NetSetting::instance(), nullptr);
    }
}

TEST_F(StartWindowsTest, WindowFrameCloseStoresNothingAndHandsNothingOn)
{
    int handedOn = 0;
    auto* w = new NetSetting([&handedOn] { ++handedOn; });
    w->show();
    w->txtData[0]->setText(QStringLiteral("smtp.new.test"));
    w->Check1->setChecked(true);
    w->close();
    settle();
    EXPECT_EQ(handedOn, 0);
    EXPECT_TRUE(setting(Settings::EmailServer).isEmpty());
    EXPECT_TRUE(setting(Settings::Prompt).isEmpty());
    EXPECT_EQ(NetSetting::instance(), nullptr);
}
