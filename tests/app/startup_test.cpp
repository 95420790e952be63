// The program's start: one copy only, the first-run road through the network
// settings and the questionnaire to the main window, the later-run road with its
// data and its delay, and a later start whose questionnaire box is clear.
#include "IsolatedStore.h"

#include "app/MainWindowFactory.h"
#include "app/StartUp.h"
#include "core/NetSetting.h"
#include "core/Settings.h"
#include "core/SplashProgress.h"
#include "core/WindowEffects.h"
#include "core/frmSplash.h"
#include "platform/RegistryStore.h"
#include "platform/SingleInstance.h"
#include "services/Thanks.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Portfolio.h"
#include "stockdata/Stocks.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QLockFile>
#include <QTest>

#include <functional>

namespace {

using test::save;
using test::setting;
using test::settle;

QWidgetList visibleWindows()
{
    QWidgetList shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            shown << w;
    return shown;
}

// Stands for frmMain: records each call and what the splash showed then, and
// does what frmMain's load does with the splash.
class FakeMainWindow : public MainWindowFactory
{
public:
    void showMainWindow() override
    {
        ++shown;
        progressWhenShown = frmSplash::instance() ? frmSplash::instance()->progress() : -1;
        stockCountWhenShown = StockCount();
        for (int p : {60, 65, 70, 75, 80, 85, 90, 100})
            setSplashProgress(p);
        closeSplash();
    }
    int shown = 0;
    int progressWhenShown = -1;
    int stockCountWhenShown = -1;
};

class StartUpTest : public IsolatedStore
{
protected:
    void SetUp() override
    {
        IsolatedStore::SetUp();
        ResetProgramState();
        NetSetting::SetInitDelay(0);
        m_start.setWaiter([this](int ms, std::function<void()> then) {
            m_waits << ms;
            m_then = std::move(then);
        });
    }
    void TearDown() override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            delete w;
        settle();
        SplashProgress::install({});
        NetSetting::SetInitDelay(2000);
        ResetProgramState();
        SingleInstance::release();
        IsolatedStore::TearDown();
    }

    // A later run's settings and files: a set with two stocks and a portfolio.
    void laterRunData(const QString& thanks)
    {
        RegistryStore::createKey(QString::fromLatin1(Settings::ProductKey));
        save(Settings::RunOnce, "1");
        if (!thanks.isNull())
            save(Settings::Thanks, thanks);
        Stocks()[0].Symbol = "ibm";
        Stocks()[1].Symbol = "sunw";
        ASSERT_TRUE(SaveStocks());
        Transactions()[1].Symbol = "ibm";
        Transactions()[1].Action = "Buy";
        ASSERT_TRUE(SavePortfolio());
        ResetProgramState();
    }

    FakeMainWindow m_main;
    StartUp m_start{m_main};
    QList<int> m_waits;
    std::function<void()> m_then;
};

} // namespace

TEST(SplashDelay, StoredValueToMilliseconds)
{
    const struct
    {
        const char* stored;
        std::optional<int> ms;
    } cases[] = {
        {"", 5000}, {"0", 0}, {"5", 5000}, {"20", 20000}, {"2.5", 2500}, {" 3 ", 3000},
        {"99", 20000},                                     // above the range: the longest wait
        {"abc", std::nullopt}, {"-3", std::nullopt}, {"1e400", std::nullopt}, {"5s", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StartUp::SplashDelayMs(QString::fromLatin1(c.stored)), c.ms) << c.stored;
}

TEST_F(StartUpTest, FirstRunOnEmptySettings)
{
    ASSERT_FALSE(RegistryStore::keyExists(QString::fromLatin1(Settings::ProductKey)));
    NetSetting::SetInitDelay(100);  // the splash stays up a moment longer
    ASSERT_TRUE(m_start.Main());
    ASSERT_NE(frmSplash::instance(), nullptr);
    EXPECT_EQ(frmSplash::instance()->progress(), 30);

    // Keys and Path at once; the network settings replace the splash.
    EXPECT_TRUE(RegistryStore::keyExists(QString::fromLatin1(Settings::ProductKey)));
    EXPECT_TRUE(RegistryStore::keyExists(QString::fromLatin1(Settings::GroupsKey)));
    EXPECT_EQ(setting(Settings::Path), AppPath());
    ASSERT_TRUE(QTest::qWaitFor([] { return NetSetting::instance() && NetSetting::instance()->isVisible(); }, 2000));
    settle();
    EXPECT_EQ(visibleWindows(), QWidgetList{NetSetting::instance()});
    EXPECT_EQ(setting(Settings::RunOnce), "1");
    EXPECT_EQ(setting(Settings::ShutDown), "0");
    EXPECT_TRUE(m_waits.isEmpty());

    // Close: the questionnaire follows, ticked, which stores Thanks = "1".
    NetSetting::instance()->txtData[0]->setText("smtp.first.test");
    NetSetting::instance()->cmdclose_Click();
    settle();
    ASSERT_NE(Thanks::instance(), nullptr);
    EXPECT_EQ(visibleWindows(), QWidgetList{Thanks::instance()});
    EXPECT_EQ(setting(Settings::EmailServer), "smtp.first.test");
    EXPECT_EQ(setting(Settings::Thanks), "1");
    EXPECT_EQ(m_main.shown, 0);

    // The questionnaire's Close queues the answers and opens the main window.
    Thanks::instance()->cboCountry->setCurrentIndex(0);
    Thanks::instance()->cmdclose_Click();
    settle();
    EXPECT_EQ(m_main.shown, 1);
    EXPECT_EQ(Thanks::instance(), nullptr);
    EXPECT_TRUE(setting(Settings::Q_Message).contains("Country......... Afghanistan"));
    EXPECT_TRUE(visibleWindows().isEmpty());  // the fake main window shows nothing
}

TEST_F(StartUpTest, LaterRunReadsTheDataWaitsThenShowsTheMainWindow)
{
    const struct
    {
        const char* stored;  // nullptr: unset
        int waitMs;
        int logged;
    } cases[] = {
        {nullptr, 5000, 0},
        {"0", 0, 0},
        {"20", 20000, 0},
        {"abc", 5000, 1},  // not a number: logged, the start goes on with 5 s
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "unset");
        RegistryStore::setFilePath(m_dir.path() + QStringLiteral("/config/%1.ini").arg(c.stored ? c.stored : "unset"));
        RemoveFile(AppPath() + "/ErrorLog.txt");
        laterRunData(QStringLiteral("1"));
        if (c.stored)
            save(Settings::SplashDelay, QString::fromLatin1(c.stored));
        m_waits.clear();
        m_main.shown = 0;

        ASSERT_TRUE(m_start.Main());
        // Data read, splash at 35, the wait asked for; the main window not yet.
        EXPECT_EQ(StockCount(), 2);
        EXPECT_EQ(TransCount(), 1);
        EXPECT_EQ(m_waits, QList<int>{c.waitMs});
        EXPECT_EQ(m_start.splashDelay(), c.waitMs);
        ASSERT_NE(frmSplash::instance(), nullptr);
        EXPECT_EQ(frmSplash::instance()->progress(), 35);
        EXPECT_EQ(m_main.shown, 0);
        EXPECT_EQ(NetSetting::instance(), nullptr);
        EXPECT_EQ(Thanks::instance(), nullptr);
        EXPECT_EQ(logEntries("Misc_Main"), c.logged);
        EXPECT_TRUE(test::dialogs().shown.isEmpty());

        m_then();
        settle();
        EXPECT_EQ(m_main.shown, 1);
        EXPECT_EQ(m_main.progressWhenShown, 40);
        EXPECT_EQ(frmSplash::instance(), nullptr);
        ResetProgramState();
    }
}

TEST_F(StartUpTest, LaterRunWithTheQuestionnaireBoxClearShowsTheQuestionnaire)
{
    for (const char* thanks : std::initializer_list<const char*>{"0", nullptr}) {
        SCOPED_TRACE(thanks ? thanks : "unset");
        RegistryStore::setFilePath(m_dir.path() + QStringLiteral("/config/t%1.ini").arg(thanks ? thanks : "unset"));
        laterRunData(thanks ? QString::fromLatin1(thanks) : QString());
        m_main.shown = 0;

        ASSERT_TRUE(m_start.Main());
        settle();
        // Never the splash alone: the questionnaire replaces it.
        ASSERT_NE(Thanks::instance(), nullptr);
        EXPECT_EQ(visibleWindows(), QWidgetList{Thanks::instance()});
        EXPECT_EQ(frmSplash::instance(), nullptr);
        EXPECT_EQ(NetSetting::instance(), nullptr);
        EXPECT_TRUE(m_waits.isEmpty());

        // Its frame close carries the start on like its Close button.
        Thanks::instance()->close();
        settle();
        EXPECT_EQ(m_main.shown, 1);
        EXPECT_EQ(StockCount(), 2);
        EXPECT_EQ(TransCount(), 1);
        EXPECT_TRUE(visibleWindows().isEmpty());
        ResetProgramState();
    }
}

TEST_F(StartUpTest, SecondCopyEndsAtOnce)
{
    // Another process holds the lock: a lock file of its own.
    SingleInstance::release();
    QLockFile other(SingleInstance::lockPath());
    ASSERT_TRUE(other.tryLock(0));

    EXPECT_FALSE(m_start.Main());
    settle();
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
    EXPECT_FALSE(RegistryStore::keyExists(QString::fromLatin1(Settings::ProductKey)));
    EXPECT_EQ(m_main.shown, 0);

    other.unlock();
    EXPECT_TRUE(SingleInstance::acquire());
}

namespace {

// Where saves write: the program folder, the help pages, each cache folder and the
// settings folder; each gets one temporary file of a save cut short and files that
// look alike but are not ours.
QStringList saveFolders()
{
    QStringList folders{AppPath(), AppPath() + QStringLiteral("/Cache/Reports/Help"),
                        QFileInfo(RegistryStore::filePath()).absolutePath()};
    for (const char* cache : {"Cache", "Cache/Chart", "Cache/News", "Cache/DataSheet", "Cache/Reports",
                              "Cache/Reports/Annual Balance Sheet", "Cache/Reports/Annual Income statement",
                              "Cache/Reports/Options", "Cache/Reports/Insiders Traders",
                              "Cache/Reports/Quarterly Reports", "Cache/Reports/Earnings",
                              "Cache/Reports/Consultation", "Cache/Reports/Summary", "Cache/Reports/Misc"})
        folders << AppPath() + u'/' + QLatin1String(cache);
    return folders;
}

const QStringList kLeftOver{".Set1.dat.tw-save-Ab12cd", ".IBM_it.Sh.tw-save-x0x0x0"};
const QStringList kNotOurs{"Set1.dat", "Set1.dat.Ab12cd", ".IBM_it.Sh.part", "notes.tw-save-Ab12cd"};

void plantFiles()
{
    for (const QString& folder : saveFolders()) {
        ASSERT_TRUE(QDir().mkpath(folder));
        for (const QString& name : kLeftOver + kNotOurs) {
            QFile file(folder + u'/' + name);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("x");
        }
    }
}

int filesLeft(const QStringList& names)
{
    int left = 0;
    for (const QString& folder : saveFolders())
        for (const QString& name : names)
            left += QFileInfo::exists(folder + u'/' + name) ? 1 : 0;
    return left;
}

} // namespace

TEST_F(StartUpTest, TemporariesOfSavesCutShortAreRemovedOnceTheLockIsHeld)
{
    plantFiles();
    // While another copy runs, its saves may be under way: nothing is touched.
    SingleInstance::release();
    {
        QLockFile other(SingleInstance::lockPath());
        ASSERT_TRUE(other.tryLock(0));
        EXPECT_FALSE(m_start.Main());
        EXPECT_EQ(filesLeft(kLeftOver), kLeftOver.size() * saveFolders().size());
    }
    ASSERT_TRUE(m_start.Main());
    EXPECT_EQ(filesLeft(kLeftOver), 0);
    EXPECT_EQ(filesLeft(kNotOurs), kNotOurs.size() * saveFolders().size());
}
