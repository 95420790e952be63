// The connection check: when it asks, what it answers, what dialing and hanging up
// do, with scripted answers and a fake dial-up probe.
#include "TestDoubles.h"

#include "core/Connect.h"
#include "core/Misc.h"
#include "core/clsRAS.h"
#include "platform/AppPath.h"
#include "platform/Dialer.h"
#include "platform/RegistryStore.h"
#include "platform/Shell.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

class FakeProbe : public Dialer::Probe
{
public:
    int active = 0;
    bool connected = false;
    bool dialAvailable = true;
    bool hangUpAvailable = true;
    int activeAsked = 0;
    QStringList dialed;
    int hangUps = 0;

    int activeConnections() override
    {
        ++activeAsked;
        return active;
    }
    QString defaultEntry() override { return QString(); }
    bool dial(const QString& entry) override
    {
        dialed << entry;
        return true;
    }
    bool hangUp() override
    {
        ++hangUps;
        return true;
    }
    bool isConnected() override { return connected; }
    bool canDial() override { return dialAvailable; }
    bool canHangUp() override { return hangUpAvailable; }
};

// Every case starts from an empty settings store of its own.
class ConnectTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_oldStore = RegistryStore::filePath();
        startCase();
    }
    void TearDown() override
    {
        Dialer::install(nullptr);
        RegistryStore::setFilePath(m_oldStore);
        test::dialogs().reset();
    }
    // A fresh store, probe and dialog script for one case.
    void startCase()
    {
        probe = FakeProbe();
        RegistryStore::setFilePath(m_dir.path() + "/Tradewright5-" + QString::number(++m_stores) + ".ini");
        RegistryStore::createKey(QStringLiteral("Software\\Orvane\\Tradewright5"));
        Dialer::install(&probe);
        test::dialogs().reset();
    }
    void setText(const QString& key, const QString& name, const QByteArray& text)
    {
        RegistryStore::createKey(key);
        RegistryStore::setValue(key, name, {RegistryStore::REG_SZ, text});
    }

    FakeProbe probe;

private:
    QTemporaryDir m_dir;
    QString m_oldStore;
    int m_stores = 0;
};

const QString kQuestion = QStringLiteral("The connection to the Internet is not active,\r\nDo you wish to connect now?");

} // namespace

TEST_F(ConnectTest, DecisionTable)
{
    struct Case
    {
        const char* name;
        std::optional<QByteArray> prompt;  // nullopt: missing
        bool dword = false;
        int active = 0;
        int answer = 0;                    // 0: no answer scripted
        QByteArray entry;
        bool dialAvailable = true;
        bool result;
        bool probeAsked;
        bool asked;
        QStringList dialed;
        QString notice;                    // a further message box after the question
    };
    const QString unavailable = clsRAS::dialUnavailableText();
    const QList<Case> cases{
        {"missing", std::nullopt, false, 0, 0, "MyISP", true, true, false, false, {}, {}},
        {"zero", QByteArray("0"), false, 0, 0, "MyISP", true, true, false, false, {}, {}},
        {"empty", QByteArray(""), false, 0, 0, "MyISP", true, true, false, false, {}, {}},
        {"not a number", QByteArray("yes please"), false, 0, 0, "MyISP", true, true, false, false, {}, {}},
        {"ask, line up", QByteArray("1"), false, 1, 0, "MyISP", true, true, true, false, {}, {}},
        {"ask, No", QByteArray("1"), false, 0, Dialogs::vbNo, "MyISP", true, false, true, true, {}, {}},
        {"ask, Yes", QByteArray("1"), false, 0, Dialogs::vbYes, "MyISP", true, false, true, true, {"MyISP"}, {}},
        {"ask as number, Yes", QByteArray("\x01\0\0\0", 4), true, 0, Dialogs::vbYes, "MyISP", true, false, true, true,
         {"MyISP"}, {}},
        {"Yes, no entry", QByteArray("1"), false, 0, Dialogs::vbYes, "", true, false, true, true, {}, {}},
        {"Yes, cannot dial", QByteArray("1"), false, 0, Dialogs::vbYes, "MyISP", false, false, true, true, {},
         unavailable},
    };
    for (const Case& c : cases) {
        startCase();
        if (c.prompt)
            RegistryStore::setValue(QStringLiteral("Software\\Orvane\\Tradewright5"), QStringLiteral("Prompt"),
                                    {c.dword ? RegistryStore::REG_DWORD : RegistryStore::REG_SZ, *c.prompt});
        if (!c.entry.isEmpty())
            setText(QStringLiteral("RemoteAccess"), QStringLiteral("Default"), c.entry);
        probe.active = c.active;
        probe.dialAvailable = c.dialAvailable;
        if (c.answer)
            test::dialogs().msgAnswers.enqueue(c.answer);

        EXPECT_EQ(AskConnect(), c.result) << c.name;
        EXPECT_EQ(probe.activeAsked > 0, c.probeAsked) << c.name;
        const auto& shown = test::dialogs().shown;
        EXPECT_EQ(shown.size(), (c.asked ? 1 : 0) + (c.notice.isEmpty() ? 0 : 1)) << c.name;
        if (c.asked && !shown.isEmpty()) {
            EXPECT_EQ(shown[0].prompt, kQuestion) << c.name;
            EXPECT_EQ(shown[0].buttons, Dialogs::vbYesNo + Dialogs::vbQuestion) << c.name;
            EXPECT_EQ(shown[0].title, "Not Connected") << c.name;
        }
        if (!c.notice.isEmpty() && shown.size() == 2) {
            EXPECT_EQ(shown[1].prompt, c.notice) << c.name;
            EXPECT_EQ(shown[1].title, "Tradewright") << c.name;
        }
        EXPECT_EQ(probe.dialed, c.dialed) << c.name;
    }
}

TEST_F(ConnectTest, CountConnectionsReportsTheProbeWithin16Bits)
{
    for (const auto& [active, expected] : QList<std::pair<int, int>>{{0, 0}, {2, 2}, {-1, 0}, {100000, 32767}}) {
        probe.active = active;
        EXPECT_EQ(CountConnections(), expected) << active;
    }
}

TEST_F(ConnectTest, HangUpTable)
{
    struct Case { bool connected; bool available; int hangUps; bool notice; };
    const QList<Case> cases{
        {false, true, 0, false},   // no connection: nothing, no message
        {false, false, 0, false},
        {true, true, 1, false},
        {true, false, 0, true},    // connected but no hang-up command: said plainly
    };
    for (const Case& c : cases) {
        test::dialogs().reset();
        probe.hangUps = 0;
        probe.connected = c.connected;
        probe.hangUpAvailable = c.available;
        clsRAS ras;
        EXPECT_FALSE(ras.ISPHangup().isValid());
        EXPECT_EQ(probe.hangUps, c.hangUps);
        ASSERT_EQ(test::dialogs().shown.size(), c.notice ? 1 : 0);
        if (c.notice) {
            EXPECT_EQ(test::dialogs().shown[0].prompt, clsRAS::hangUpUnavailableText());
        }
    }
}

TEST_F(ConnectTest, DialReadsOnlyATextDefaultEntry)
{
    RegistryStore::createKey(QStringLiteral("RemoteAccess"));
    RegistryStore::setValue(QStringLiteral("RemoteAccess"), QStringLiteral("Default"),
                            {RegistryStore::REG_DWORD, QByteArray("\x05\0\0\0", 4)});
    clsRAS().ISPCall();
    EXPECT_TRUE(probe.dialed.isEmpty());

    setText(QStringLiteral("RemoteAccess"), QStringLiteral("Default"), QByteArray("Office ISP\0junk", 15));
    clsRAS().ISPCall();
    EXPECT_EQ(probe.dialed, QStringList{"Office ISP"});
}

TEST(ShellRefusalLogging, RefusedAddressesAreLoggedNeverOpened)
{
    test::shell().reset();
    installShellRefusalLogging();
    const QString log = AppPath() + QStringLiteral("/ErrorLog.txt");
    const qint64 before = FileLength(log);

    EXPECT_FALSE(Shell::Open(QStringLiteral("file:///etc/passwd\r\nforged line")));
    OpenURL(QStringLiteral("javascript:alert(1)"));

    const QByteArray text = ReadBytes(log).mid(qMax<qint64>(0, before));
    EXPECT_TRUE(text.contains("Refused to open \"file:///etc/passwd??forged line\"")) << text.constData();
    EXPECT_TRUE(text.contains("javascript:alert(1)")) << text.constData();
    EXPECT_TRUE(text.contains("Shell_Open"));
    EXPECT_TRUE(test::shell().opened.isEmpty());
    Shell::setRefusalHandler(nullptr);
}
