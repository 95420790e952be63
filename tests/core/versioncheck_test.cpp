// "Check for Upgrade" against an HTTP server inside the test on 127.0.0.1.
#include "OptionsFixture.h"

#include "LoopbackHttpServer.h"

#include "core/Options.h"
#include "core/VersionCheck.h"
#include "platform/AppPath.h"
#include "platform/Sites.h"

#include <QDir>
#include <QFile>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

class VersionCheckTest : public OptionsFixture
{
protected:
    void SetUp() override
    {
        OptionsFixture::SetUp();
        QDir().mkpath(AppPath());
        Sites::Override(Site::Maker, "127.0.0.1", server.port());
    }

    QString lastBox() const
    {
        return test::dialogs().shown.isEmpty() ? QString() : test::dialogs().shown.last().prompt;
    }

    test::LoopbackHttpServer server;
};

TEST_F(VersionCheckTest, TheMarkerInTheReplyOffersTheUpgrade)
{
    server.setReply("/Trw55.txt", "Tradewright 5.5\r\nNew version Available\r\n", 200, "text/plain");
    VersionCheck check;
    EXPECT_EQ(check.Run(), VersionCheck::Result::Upgrade);
    const QByteArray expected = "GET http://127.0.0.1:" + QByteArray::number(server.port()) +
                                "/Trw55.txt HTTP/1.0\r\nAccept: */*\r\nAccept: text/html\r\n\r\n";
    EXPECT_EQ(server.lastRequest(), expected);
    QFile file(AppPath() + "/Trw55.txt");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("New version Available"));
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
}

TEST_F(VersionCheckTest, AReplyInSmallPiecesIsReadWhole)
{
    // The marker is split over several reads.
    server.setSlow("/Trw55.txt", test::LoopbackHttpServer::httpReply("x New version Available y", 200, "text/plain"),
                   7, 5);
    VersionCheck check;
    EXPECT_EQ(check.Run(), VersionCheck::Result::Upgrade);
}

TEST_F(VersionCheckTest, WithoutTheExactMarkerTheVersionIsTheLast)
{
    for (const QByteArray& body : {QByteArray("Tradewright 5.4 is current"), QByteArray("new version available")}) {
        SCOPED_TRACE(body.constData());
        test::dialogs().reset();
        server.setReply("/Trw55.txt", body, 200, "text/plain");
        VersionCheck check;
        EXPECT_EQ(check.Run(), VersionCheck::Result::NoUpgrade);
        EXPECT_EQ(lastBox(), "You have the last version.");
        EXPECT_EQ(test::dialogs().shown.last().title, "No Upgrade Available");
    }
}

TEST_F(VersionCheckTest, AnErrorReplyOrNoReplyIsAFailedCheckNotTheLastVersion)
{
    using B = test::LoopbackHttpServer::Behaviour;
    const struct
    {
        const char* name;
        B behaviour;
        QByteArray reply;
        VersionCheck::Result result;
        QString box;
    } cases[] = {
        {"404", B::Reply, test::LoopbackHttpServer::httpReply("<html>Not Found</html>", 404), VersionCheck::Result::Failed,
         "Error HTTP/1.0 404 Not Found"},
        // The marker on an error page offers nothing either.
        {"500", B::Reply, "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 21\r\n\r\nNew version Available",
         VersionCheck::Result::Failed, "Error HTTP/1.1 500 Internal Server Error"},
        {"empty close", B::CloseWithoutReply, {}, VersionCheck::Result::Failed, "Error No reply"},
        {"2xx without the marker", B::Reply, test::LoopbackHttpServer::httpReply("Tradewright 5.4", 203),
         VersionCheck::Result::NoUpgrade, "You have the last version."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::dialogs().reset();
        test::LoopbackHttpServer::Route route;
        route.behaviour = c.behaviour;
        route.reply = c.reply;
        server.setRoute("/Trw55.txt", route);
        // A stale file with the marker never turns a failed check into an offer.
        WriteFileAtomic(AppPath() + "/Trw55.txt", "HTTP/1.0 200 OK\r\n\r\nNew version Available");
        VersionCheck check;
        EXPECT_EQ(check.Run(), c.result);
        ASSERT_EQ(test::dialogs().shown.size(), 1);
        EXPECT_EQ(lastBox(), c.box);
    }
}

TEST_F(VersionCheckTest, AStaleFileNeverOffersTheUpgrade)
{
    // An earlier reply with the marker lies in the folder; this check gets no reply.
    WriteFileAtomic(AppPath() + "/Trw55.txt", "HTTP/1.0 200 OK\r\n\r\nNew version Available");
    server.setBehaviour("/Trw55.txt", test::LoopbackHttpServer::Behaviour::CloseWithoutReply);
    VersionCheck check;
    EXPECT_NE(check.Run(), VersionCheck::Result::Upgrade);

    server.setReply("/Trw55.txt", "nothing new", 200, "text/plain");
    WriteFileAtomic(AppPath() + "/Trw55.txt", "New version Available");
    EXPECT_EQ(check.Run(), VersionCheck::Result::NoUpgrade);
}

TEST_F(VersionCheckTest, ASilentServerEndsTheWaitAtTheLimit)
{
    server.setBehaviour("/Trw55.txt", test::LoopbackHttpServer::Behaviour::NeverAnswer);
    VersionCheck check;
    check.setTimeoutMs(300);
    EXPECT_EQ(check.Run(), VersionCheck::Result::Failed);
    EXPECT_TRUE(lastBox().startsWith("Error ")) << lastBox().toStdString();
}

TEST_F(VersionCheckTest, ASocketErrorIsShownAndEndsTheWait)
{
    Sites::Override(Site::Maker, "127.0.0.1", test::LoopbackHttpServer::unusedPort());
    VersionCheck check;
    EXPECT_EQ(check.Run(), VersionCheck::Result::Failed);
    EXPECT_TRUE(lastBox().startsWith("Error ")) << lastBox().toStdString();
    EXPECT_TRUE(lastBox().endsWith("10061")) << lastBox().toStdString();
}

TEST_F(VersionCheckTest, TheOptionsWindowUnloadsAndTheUpgradeWindowComes)
{
    server.setReply("/Trw55.txt", "New version Available", 200, "text/plain");
    Options window;
    window.Form_Load();
    window.show();
    window.cmdUpgrade_Click();
    EXPECT_EQ(m_host.upgradeWindows, 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.lblInfo->text().isEmpty());
}

} // namespace
