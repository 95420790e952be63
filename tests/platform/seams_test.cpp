// The outside-world seams: which addresses the shell opens, the sites table, the
// help pages, the single-instance lock and the default-route test of the dialer.
#include "TestDoubles.h"

#include "platform/AppPath.h"
#include "platform/BusyPointer.h"
#include "platform/Codec.h"
#include "platform/Dialer.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/RegistryStore.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"
#include "platform/Sites.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QGuiApplication>
#include <QLockFile>
#include <QSet>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

QString reports() { return AppPath() + QStringLiteral("/Cache/Reports"); }

} // namespace

TEST(Shell, AllowsOnlyWebMailMediaAndReportFiles)
{
    QDir().mkpath(reports() + QStringLiteral("/Options"));
    struct Case { QString target; bool allowed; };
    const QList<Case> cases{
        {"http://quotes.example/q?s=ibm", true},
        {"HTTPS://quotes.example/", true},
        {"ftp://ftp.maker.example/orvane/Trw504U.zip", true},
        {"mailto:support@maker.example", true},
        {"mailto:support@maker.example?subject=Hello", true},
        {"mailto:support@maker.example?attach=/home/user/.ssh/id_rsa", false},
        {"mms://media.example/live", true},
        {"rtsp://media.example/live", true},
        {"pnm://media.example/live", true},
        {"http://", false},
        {"javascript:alert(1)", false},
        {"data:text/html,<script>x</script>", false},
        {"smb://server/share", false},
        {"file:///etc/passwd", false},
        {"/etc/passwd", false},
        {"/bin/sh", false},
        {"calc.exe", false},
        {"C:\\Windows\\notepad.exe", false},
        {"", false},
        {"   ", false},
        {"http://quotes.example/\r\nq", false},
        {reports() + "/Options/ibm.htm", true},
        {AppPath() + "\\Cache\\Reports\\Options\\ibm.htm", true},
        {AppPath() + "/cache/REPORTS/Summary/ibm.htm", true},
        {reports() + "/Misc/../../Reports/x.htm", true},
        {reports() + "/../ErrorLog.txt", false},
        {reports() + "/Options/../../../Set0.dat", false},
        {reports(), false},
        {AppPath() + "/Cache/ReportsX/x.htm", false},
        {AppPath() + "/Cache/DataSheet/ibm_op.Sh", false},
        {"file://" + reports() + "/Options/ibm.htm", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Shell::IsAllowed(c.target), c.allowed) << c.target.toStdString();
}

TEST(Shell, FollowsLinksOutOfTheReportsFolder)
{
    QDir().mkpath(reports());
    const QString link = reports() + QStringLiteral("/outside.htm");
    QFile::remove(link);
    ASSERT_TRUE(QFile::link(QStringLiteral("/etc/hostname"), link));
    EXPECT_FALSE(Shell::IsAllowed(link));
    QFile::remove(link);
}

TEST(Shell, RefusedTargetsReachTheHandlerNotTheDesktop)
{
    test::shell().reset();
    QStringList refused;
    Shell::setRefusalHandler([&](const QString& t) { refused << t; });

    EXPECT_FALSE(Shell::Open(QStringLiteral("file:///etc/passwd")));
    EXPECT_TRUE(Shell::Open(QStringLiteral("http://quotes.example/q?s=ibm")));

    EXPECT_EQ(refused, QStringList{QStringLiteral("file:///etc/passwd")});
    EXPECT_EQ(test::shell().opened, QStringList{QStringLiteral("http://quotes.example/q?s=ibm")});
    Shell::setRefusalHandler(nullptr);
    EXPECT_FALSE(Shell::Open(QStringLiteral("javascript:x")));  // no handler: still refused
}

class SitesTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        for (Site s : Sites::All())
            Sites::Override(s, QString());
    }
};

TEST_F(SitesTest, DefaultsAreNamedPlaceholdersOnPort80)
{
    QSet<QString> names;
    for (Site s : Sites::All()) {
        names.insert(Sites::Name(s));
        EXPECT_TRUE(Sites::Host(s).endsWith(QStringLiteral(".example"))) << Sites::Name(s).toStdString();
        EXPECT_EQ(Sites::Port(s), s == Site::UpgradeFtp ? 21 : 80);
    }
    EXPECT_EQ(names.size(), Sites::All().size());
    EXPECT_EQ(Sites::Address(Site::Price, "/d/quotes.csv?s=ibm"), "http://prices.example/d/quotes.csv?s=ibm");
    EXPECT_EQ(Sites::HostAndPath(Site::Quotes, "/l?s=ib"), "quotes.example/l?s=ib");
}

TEST_F(SitesTest, OverridesComeFromTheSettingsStoreOnEveryCall)
{
    Sites::Override(Site::Quotes, "127.0.0.1", 8080);
    EXPECT_EQ(Sites::Host(Site::Quotes), "127.0.0.1");
    EXPECT_EQ(Sites::Port(Site::Quotes), 8080);
    EXPECT_EQ(Sites::Address(Site::Quotes, "/q?s=ibm"), "http://127.0.0.1:8080/q?s=ibm");
    EXPECT_EQ(Sites::Address(Site::Price, "/q"), "http://prices.example/q");  // others untouched

    Sites::Override(Site::Quotes, "quotes.example.net", 80);
    EXPECT_EQ(Sites::Address(Site::Quotes, "/q"), "http://quotes.example.net/q");

    Sites::Override(Site::Quotes, QString());
    EXPECT_EQ(Sites::Address(Site::Quotes, "/q"), "http://quotes.example/q");
}

TEST_F(SitesTest, ValuesTheUserTypedAreRead)
{
    struct Case { QByteArray value; QString host; int port; };
    const QList<Case> cases{
        {"myhost.example", "myhost.example", 80},
        {"myhost.example:8081", "myhost.example", 8081},
        {" http://myhost.example:81/ ", "myhost.example", 81},
        {"myhost.example:notaport", "myhost.example", 80},
        {"myhost.example:99999", "myhost.example", 80},
        {"", "tips.example", 80},
        {"bad host", "tips.example", 80},
        {"evil.example/?x=", "evil.example", 80},
        {"user@evil.example", "tips.example", 80},
        {"evil.example?q", "tips.example", 80},
    };
    const QString key = QString::fromLatin1(Sites::SettingsKey);
    RegistryStore::createKey(key);
    for (const Case& c : cases) {
        RegistryStore::setValue(key, QStringLiteral("Tip"), {RegistryStore::REG_SZ, c.value});
        EXPECT_EQ(Sites::Host(Site::Tip), c.host) << c.value.constData();
        EXPECT_EQ(Sites::Port(Site::Tip), c.port) << c.value.constData();
    }
    // A number stored instead of a text is no host.
    RegistryStore::setValue(key, QStringLiteral("Tip"), {RegistryStore::REG_DWORD, QByteArray("\x01\0\0\0", 4)});
    EXPECT_EQ(Sites::Host(Site::Tip), "tips.example");
}

TEST_F(SitesTest, FtpSiteKeepsItsOwnDefaultPort)
{
    Sites::Override(Site::UpgradeFtp, "127.0.0.1");
    EXPECT_EQ(Sites::Port(Site::UpgradeFtp), 21);
    Sites::Override(Site::UpgradeFtp, "127.0.0.1", 2121);
    EXPECT_EQ(Sites::Port(Site::UpgradeFtp), 2121);
}

TEST(Help, TopicPageIsWrittenBelowReportsAndOpened)
{
    test::shell().reset();
    EXPECT_TRUE(Help::ShowTopic(1016));
    ASSERT_EQ(test::shell().opened.size(), 1);
    const QString page = test::shell().opened.first();
    EXPECT_TRUE(page.endsWith(QStringLiteral("/Cache/Reports/Help/topic1016.html"))) << page.toStdString();
    EXPECT_TRUE(Shell::IsAllowed(page));
    const QByteArray text = ReadBytes(page);
    EXPECT_TRUE(text.contains("Topic 1016")) << text.constData();
    EXPECT_TRUE(text.contains("Tradewright"));

    // An existing page is left as it is.
    ASSERT_TRUE(WriteFileAtomic(page, "<html>mine</html>"));
    EXPECT_TRUE(Help::ShowTopic(1016));
    EXPECT_EQ(ReadBytes(page), QByteArray("<html>mine</html>"));
}

TEST(Help, EveryTopicOpensItsShippedPageAndItsLinksLeadToWrittenFiles)
{
    QSet<int> seen;
    for (int number : Help::Topics()) {
        SCOPED_TRACE(number);
        EXPECT_FALSE(seen.contains(number));
        seen.insert(number);
        const QString html = Help::PageHtml(number);
        ASSERT_FALSE(html.isEmpty());
        EXPECT_TRUE(html.contains(QStringLiteral("<body class=\"Box\"><h1>")) ||
                    html.contains(QStringLiteral("<body class=\"Small\"><h1>")));
        EXPECT_FALSE(html.contains(QStringLiteral("not written")));

        test::shell().reset();
        EXPECT_TRUE(Help::ShowTopic(number));
        ASSERT_EQ(test::shell().opened.size(), 1);
        const QString page = test::shell().opened.first();
        EXPECT_TRUE(page.endsWith(QStringLiteral("/Cache/Reports/Help/topic%1.html").arg(number)));
        EXPECT_EQ(ReadBytes(page), toCp1252(html));
        // The style sheet and every page a link names lie beside it.
        const QString folder = QFileInfo(page).path();
        static const QRegularExpression link(QStringLiteral("(?:href)=\"([^\"]+)\""));
        for (auto m = link.globalMatch(html); m.hasNext();) {
            const QString target = m.next().captured(1);
            EXPECT_TRUE(QFile::exists(folder + u'/' + target)) << target.toStdString();
        }
    }
    for (int number : Help::MenuTopics())
        EXPECT_TRUE(seen.contains(number)) << number;
    EXPECT_TRUE(Help::PageHtml(1016).isEmpty());
}

TEST(Help, APageOfAnEarlierVersionIsReplacedByTheShippedOne)
{
    const QString page = Help::TopicPage(1002);
    ASSERT_FALSE(page.isEmpty());
    ASSERT_TRUE(WriteFileAtomic(page, "<html><p>The help for this topic is not written yet.</p></html>"));
    test::shell().reset();
    EXPECT_TRUE(Help::ShowTopic(1002));
    EXPECT_EQ(ReadBytes(page), toCp1252(Help::PageHtml(1002)));
    EXPECT_FALSE(Help::ShowMenuTopic(6));
    EXPECT_TRUE(Help::ShowMenuTopic(0));
    ASSERT_EQ(test::shell().opened.size(), 2);
    EXPECT_TRUE(test::shell().opened[1].endsWith(QStringLiteral("/topic1001.html")));
}

TEST(SingleInstance, SecondHolderIsRefusedUntilReleased)
{
    ASSERT_TRUE(SingleInstance::acquire());
    EXPECT_TRUE(SingleInstance::acquire());  // the holder asking again
    QLockFile other(SingleInstance::lockPath());
    EXPECT_FALSE(other.tryLock(0));
    SingleInstance::release();
    EXPECT_TRUE(other.tryLock(0));
    EXPECT_FALSE(SingleInstance::acquire());
    other.unlock();
    EXPECT_TRUE(SingleInstance::acquire());
    SingleInstance::release();
}

TEST(SingleInstance, ALockFileNoProcessHoldsIsTakenOver)
{
    // What a copy that crashed leaves: the file, naming a process that runs (a
    // number the system gave again, here this very process) but holds no lock.
    SingleInstance::release();
    QFile left(SingleInstance::lockPath());
    ASSERT_TRUE(left.open(QIODevice::WriteOnly | QIODevice::Truncate));
    left.write(QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
               QCoreApplication::applicationName().toUtf8() + '\n');
    left.close();
    EXPECT_TRUE(SingleInstance::acquire());
    QLockFile other(SingleInstance::lockPath());
    EXPECT_FALSE(other.tryLock(0));
    SingleInstance::release();
    EXPECT_FALSE(QFile::exists(SingleInstance::lockPath()));
}

TEST(Dialer, CountsDefaultRoutesThatAreUp)
{
    const QByteArray header = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";
    const QByteArray v4Default = "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n";
    const QByteArray v4Down = "ppp0\t00000000\t010200C0\t0002\t0\t0\t0\t00000000\t0\t0\t0\n";
    const QByteArray v4Net = "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n";
    const QByteArray v6Default =
        "00000000000000000000000000000000 00 00000000000000000000000000000000 00 fd000000000000000000000000000001 "
        "00000400 00000002 00000000 00000003     eth0\n";
    const QByteArray v6Reject =
        "00000000000000000000000000000000 00 00000000000000000000000000000000 00 00000000000000000000000000000000 "
        "ffffffff 00000001 00000000 00200200       lo\n";
    struct Case { QByteArray v4; QByteArray v6; int expected; };
    const QList<Case> cases{
        {header + v4Default + v4Net, "", 1},
        {header + v4Net, v6Reject, 0},
        {header + v4Down, "", 0},
        {header + v4Default, v6Default + v6Reject, 2},
        {"", "", 0},
        {header + "garbage line\n", "short\n", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Dialer::countDefaultRoutes(c.v4, c.v6), c.expected);
}

TEST(Dialer, RealProbeCannotDialWithoutACommand)
{
    Dialer::install(nullptr);
    EXPECT_FALSE(Dialer::probe().canDial());
    EXPECT_FALSE(Dialer::probe().dial(QStringLiteral("MyISP")));
    EXPECT_FALSE(Dialer::probe().canHangUp());
    EXPECT_FALSE(Dialer::probe().hangUp());
}

TEST(Dialogs, TitleDefaultsToTheProgramName)
{
    test::dialogs().reset();
    Dialogs::MsgBox(QStringLiteral("Error x"));
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_EQ(test::dialogs().shown[0].title, "Tradewright");
    EXPECT_EQ(Dialogs::appTitle(), "Tradewright");
}

TEST(BusyPointerGuard, GivesThePointerBackOnEveryWayOut)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    try {
        BusyPointer busy;
        EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
        throw std::runtime_error("a failing step");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        BusyPointer busy;
        busy.release();
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        BusyPointer off(false);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}
