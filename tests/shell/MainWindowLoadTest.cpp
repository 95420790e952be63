// The main window's load without a window: the cache folders, the stored options,
// the last set, the proxy, the splitter and the layout, each with what a damaged
// setting does.
#include "ShellFixture.h"

#include "platform/UrlFetch.h"
#include "retrieval/CacheFiles.h"
#include "shell/MainWindowLoad.h"
#include "stockdata/StockSets.h"

#include <QSignalSpy>

namespace {

class MainWindowLoadTest : public ShellTest
{
protected:
    StockSets sets;
    MainWindowLoad load{sets};
};

TEST_F(MainWindowLoadTest, MakesEveryCacheFolderThatIsMissing)
{
    load.makeCacheFolders();
    for (const QString& folder : CacheFolders())
        EXPECT_TRUE(QDir(AppPath() + folder).exists()) << folder.toStdString();
    load.makeCacheFolders();  // a second load finds them there
    EXPECT_TRUE(errorLog().isEmpty());
}

TEST_F(MainWindowLoadTest, ReadsTheDisplayOptionsAsStored)
{
    load.readDisplayOptions();
    EXPECT_FALSE(load.FractionsOpt.isValid());
    EXPECT_FALSE(load.VolumeOpt.isValid());
    setSetting(Settings::Fractions, QStringLiteral("1"));
    setSetting(Settings::Volume, QStringLiteral("0"));
    load.readDisplayOptions();
    EXPECT_EQ(load.FractionsOpt.toString(), QStringLiteral("1"));
    EXPECT_EQ(load.VolumeOpt.toString(), QStringLiteral("0"));
}

TEST_F(MainWindowLoadTest, OpensTheLastSetAndLogsADamagedNumber)
{
    writeSet(3, symbols(4, QStringLiteral("T")));
    QSignalSpy announced(&sets, &StockSets::currentSetChanged);
    struct Row
    {
        const char* stored;
        int set;
        bool logged;
    };
    int entries = 0;
    for (const Row& r : {Row{"3", 3, false}, Row{"", 0, false}, Row{"abc", 0, true}, Row{"25", 0, true},
                         Row{"-1", 0, true}}) {
        setSetting(Settings::LastGroup, QString::fromLatin1(r.stored));
        load.openLastSet();
        EXPECT_EQ(CurrentSet(), r.set) << r.stored;
        EXPECT_EQ(setting(Settings::LastGroup), QString::number(r.set)) << r.stored;
        entries += r.logged ? 1 : 0;
        EXPECT_EQ(errorLog().count(MainWindowLoad::LoadDataTag), entries) << r.stored;
    }
    EXPECT_EQ(announced.count(), 5);
    EXPECT_EQ(StockCount(), 0);  // set 0 has no file yet: read empty
}

TEST_F(MainWindowLoadTest, TheProxyIsUsedWhenProxyEIsOne)
{
    setSetting(Settings::Proxy, QStringLiteral("proxy.example:8080"));
    for (const char* stored : {"1", "1.0", "0", "", "2", "yes"}) {
        setSetting(Settings::ProxyE, QString::fromLatin1(stored));
        UrlFetch inet;
        MainWindowLoad::applyProxy(inet);
        const bool on = QByteArray(stored) == "1" || QByteArray(stored) == "1.0";
        EXPECT_EQ(inet.AccessType(), on ? UrlFetch::icNamedProxy : UrlFetch::icDirect) << stored;
        EXPECT_EQ(inet.Proxy(), QStringLiteral("proxy.example:8080")) << stored;
    }
}

TEST_F(MainWindowLoadTest, TheSplitterPositionOfTheLastRun)
{
    EXPECT_EQ(MainWindowLoad::lastTreePos(2280), std::nullopt);
    setSetting(Settings::LastTreePos, QStringLiteral("4280"));
    EXPECT_EQ(MainWindowLoad::lastTreePos(2280), 4280);
    setSetting(Settings::LastTreePos, QStringLiteral("wide"));
    EXPECT_EQ(MainWindowLoad::lastTreePos(2280), 2280);
    EXPECT_EQ(errorLog().count(MainWindowLoad::FormLoadTag), 1);
}

TEST_F(MainWindowLoadTest, ALayoutThatCannotBeReadIsSaidSo)
{
    load.loadLayout();
    EXPECT_TRUE(load.layoutLoaded);  // none yet: made empty
    QFile::remove(appFile(QStringLiteral("LayOut.dat")));
    ASSERT_TRUE(QDir().mkpath(appFile(QStringLiteral("LayOut.dat/locked"))));
    load.loadLayout();
    EXPECT_FALSE(load.layoutLoaded);
}

} // namespace
