// The adviser tip: the part of Tip.Sh the window shows, and the weekly-service box
// that is update item 19.
#include "services/AdviserTip.h"

#include "IsolatedStore.h"
#include "LoopbackHttpServer.h"

#include "core/Settings.h"
#include "core/mdlRegistry.h"
#include "core/UpdateChoices.h"
#include "platform/Sites.h"
#include "retrieval/Downloaders.h"
#include "retrieval/MainWindowPort.h"
#include "retrieval/Transports.h"
#include "services/frmAdviser.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(AdviserTipCut, TheTextStartsNineCharactersBeforeTheNameAndDropsTheLastCharacter)
{
    const struct { QString file; std::optional<QString> shown; } cases[] = {
        // "Tradewright" at the tenth character: shown from the first to the second-last.
        {"123456789Tradewright tip!", QString("123456789Tradewright tip")},
        {"Intro: the Weekly Tradewright tip.X", QString("e Weekly Tradewright tip.")},
        // CR LF line ends: a line break, then a blank at the start of the next line.
        {"ab\r\n123456789Tradewright\r\nline two\r\n", QString("123456789Tradewright\r\n line two\r\n")},
        // Bare LF: one line.
        {"x\n123456789Tradewright\nmore\n", QString("123456789Tradewright more")},
        {"12345678Tradewright", std::nullopt},
        {"no name here", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AdviserTip::Cut(c.file), c.shown) << c.file.toStdString();
}

TEST(AdviserTipCut, PositionsBeyondSixteenBitsStillCut)
{
    const QString file = QString(40000, 'x') + "Tradewright!";
    const auto shown = AdviserTip::Cut(file);
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(*shown, "xxxxxxxxxTradewright");
}

class AdviserBox : public IsolatedStore
{
protected:
    void SetUp() override
    {
        IsolatedStore::SetUp();
        mdlRegistry::CreateNewKey(mdlRegistry::HKEY_CURRENT_USER, QString::fromLatin1(Settings::ProductKey));
    }
    void TearDown() override
    {
        updateChoices().unload();
        IsolatedStore::TearDown();
    }
};

TEST_F(AdviserBox, TheBoxIsUpdateItemNineteen)
{
    updateChoices().unload();
    AdviserTip::setWeeklyService(0);
    EXPECT_EQ(Settings::GetSetting("Update19"), "0");
    updateChoices().unload();
    EXPECT_EQ(AdviserTip::WeeklyService(), 0);
    EXPECT_FALSE(updateChoices().isTicked(19));
    AdviserTip::setWeeklyService(1);
    updateChoices().unload();  // the Options window reads the store again
    EXPECT_TRUE(updateChoices().isTicked(19));
}

// The main window's title as "&Get Free Tip" sees it.
class TitlePort : public MainWindowPort
{
public:
    RunState state;
    QString title;
    QStringList titles;

    RunState& runState() override { return state; }
    QString caption() const override { return title; }
    void setCaption(const QString& text) override
    {
        title = text;
        titles << text;
    }
    void setStatusText(const QString&) override {}
    QString stripSymbol(int) const override { return QString(); }
    int gaugeScaleWidth() const override { return 100; }
    void drawGaugeMarker(int, int) override {}
    void hideGauge(int) override {}
};

class GetFreeTip : public AdviserBox
{
protected:
    void SetUp() override
    {
        AdviserBox::SetUp();
        QDir().mkpath(AppPath());
        Sites::Override(Site::Tip, test::LoopbackHttpServer::host(), server.port());
        port.state.OrigCaption = QStringLiteral("Tradewright 5.0");
        port.title = QStringLiteral("Tradewright 5.0 - IBM");
        transports.setWaitLimitMs(5000);
    }
    void TearDown() override
    {
        Sites::Override(Site::Tip, QString(), 0);
        AdviserBox::TearDown();
    }

    test::LoopbackHttpServer server;
    TitlePort port;
    Transports transports{port};
    Downloaders downloaders{transports, port};
};

TEST_F(GetFreeTip, TheTitleSetForTheDownloadGoesBackWhenItEnds)
{
    const QByteArray tip = "The weekly 123456789Tradewright tip: " + QByteArray(3000, 'x') + "\r\n";
    const struct
    {
        const char* name;
        int status;
        bool written;
    } cases[] = {{"tip", 200, true}, {"404", 404, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(AppPath() + "/Tip.Sh");
        port.titles.clear();
        server.setReply("/orvane/tip.txt", tip, c.status, "text/plain");
        frmAdviser adviser(downloaders);
        adviser.cmdUpdate_Click();
        ASSERT_EQ(server.requestPaths().size(), 1);
        server.clearRecords();
        // The download showed its own title, and the one before is back.
        EXPECT_TRUE(port.titles.contains("Tradewright 5.0    Updating Tradewright Advice")) << port.titles.join('|').toStdString();
        EXPECT_EQ(port.title, "Tradewright 5.0 - IBM");
        EXPECT_EQ(QFile::exists(AppPath() + "/Tip.Sh"), c.written);
        EXPECT_TRUE(adviser.cmdUpdate->isEnabled());
        EXPECT_TRUE(adviser.lblInfo->isHidden());
    }
}

} // namespace
