// The news reader window with a scripted news server on 127.0.0.1: the group-list file,
// the buttons' rules and the grid the article walk fills.
#include "services/News.h"

#include "IsolatedStore.h"
#include "PeakMemory.h"
#include "ScriptedLineServer.h"

#include "core/Settings.h"
#include "core/mdlRegistry.h"
#include "platform/AppPath.h"
#include "platform/FlexGrid.h"
#include "platform/FlexGridView.h"
#include "stockdata/ProgramState.h"

#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using test::ScriptedLineServer;
using Pieces = ScriptedLineServer::Pieces;

class NewsWindowTest : public IsolatedStore
{
protected:
    void SetUp() override
    {
        IsolatedStore::SetUp();
        mdlRegistry::CreateNewKey(mdlRegistry::HKEY_CURRENT_USER, QString::fromLatin1(Settings::ProductKey));
        QDir().mkpath(AppPath());
        server.greeting = {"200 ready\r\n"};
    }

    QStringList groups(const News& w) const
    {
        QStringList names;
        for (int i = 0; i < w.List1->count(); ++i)
            names << w.List1->item(i)->text();
        return names;
    }

    // A window connected to the scripted server.
    void connectTo(News& w)
    {
        w.session().NewsServer = server.address();
        w.cmdConnect_Click();
        ASSERT_TRUE(ScriptedLineServer::waitUntil([&] { return w.session().NewsConnected; }));
    }

    ScriptedLineServer server;
};

TEST(NewsReaderRules, ServerListLoadsWithoutBlankLinesAndSavesWithCrLf)
{
    QTemporaryDir dir;
    const QString saved = AppPath();
    SetAppPath(dir.path());
    // The load finds the file under any spelling.
    WriteFileAtomic(dir.path() + "/server.LST", "alt.test\r\n\r\ncomp.lang.c\n\r\nmisc.misc");
    bool exists = false;
    EXPECT_EQ(NewsReader::LoadServerList(&exists), (QStringList{"alt.test", "comp.lang.c", "misc.misc"}));
    EXPECT_TRUE(exists);
    ASSERT_TRUE(NewsReader::SaveServerList({"a.b", "c.d\r\nQUIT"}));
    EXPECT_EQ(ReadBytes(dir.path() + "/server.LST"), QByteArray("a.b\r\nc.d\r\n"));
    SetAppPath(saved);
}

TEST(NewsReaderRules, TheSplitterStaysInsideTheFrame)
{
    const struct { int top, frame, expected; } cases[] = {
        {100, 5000, 400}, {399, 5000, 400}, {400, 5000, 400}, {2500, 5000, 2500}, {5200, 5000, 4600},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NewsReader::SplitterTop(c.top, c.frame), c.expected) << c.top;
}

TEST_F(NewsWindowTest, LoadReadsTheSettingAndTheLocalList)
{
    WriteFileAtomic(AppPath() + "/Server.lst", "alt.test\r\n\r\nmisc.misc\r\n");
    Settings::SaveSetting("NewsServer", "news.example");
    News w;
    EXPECT_EQ(w.windowTitle(), "Tradewright Deruvu Reader");
    EXPECT_EQ(groups(w), (QStringList{"alt.test", "misc.misc"}));
    EXPECT_EQ(w.session().NewsServer, "news.example");
    EXPECT_EQ(w.StatusBar1->text(), "Finished getting list.");
    EXPECT_FALSE(w.cmdListGroup->isEnabled());
    EXPECT_FALSE(w.cmdSave->isEnabled());
    EXPECT_EQ(w.FG().Cols(), 6);
    EXPECT_EQ(w.FG().TextMatrix(0, 1), "Subject");
    EXPECT_EQ(w.FG().ColWidth(5), 0);
}

TEST_F(NewsWindowTest, RemoveWithNoSelectionDoesNothing)
{
    WriteFileAtomic(AppPath() + "/Server.lst", "alt.test\r\nmisc.misc\r\n");
    News w;
    w.List1->clearSelection();
    w.List1->setCurrentRow(-1);
    w.cmdRemove_Click();
    EXPECT_EQ(groups(w).size(), 2);
    EXPECT_FALSE(w.cmdSave->isEnabled());
    w.List1->setCurrentRow(0);
    w.cmdRemove_Click();
    EXPECT_EQ(groups(w), QStringList{"misc.misc"});
    EXPECT_TRUE(w.cmdSave->isEnabled());
}

TEST_F(NewsWindowTest, ConnectWithoutAServerOpensTheOptionsTab)
{
    News w;
    w.cmdConnect_Click();
    EXPECT_EQ(w.tab(), 2);
    w.txtServer->setText(server.address());
    EXPECT_TRUE(w.cmdApply->isEnabled());
    w.cmdApply_Click();
    EXPECT_EQ(Settings::GetSetting("NewsServer"), server.address());
    EXPECT_EQ(w.tab(), 0);
    EXPECT_FALSE(w.cmdApply->isEnabled());
}

TEST_F(NewsWindowTest, SaveDuringTheServerListWritesNothing)
{
    server.answer = [](const QString& line) {
        return line == "LIST" ? Pieces{"215 list\r\nnew.group 1 1 y\r\n"} : Pieces{};  // the list never ends
    };
    Settings::SaveSetting("NewsServer", server.address());
    News w;
    w.cmdConnect_Click();
    ASSERT_TRUE(ScriptedLineServer::waitUntil([&] { return w.session().NewsConnected; }));
    EXPECT_TRUE(w.cmdListGroup->isEnabled());
    test::dialogs().msgAnswers.enqueue(Dialogs::vbYes);
    w.cmdServerList_Click();
    ASSERT_TRUE(ScriptedLineServer::waitUntil([&] { return w.List1->count() == 1; }));
    w.cmdSave_Click();
    EXPECT_EQ(w.StatusBar1->text(), "Can Not save List Until, Server Lists Ends");
    EXPECT_FALSE(FileExists(AppPath() + "/Server.lst"));
    EXPECT_FALSE(w.cmdSave->isEnabled());
    // Apply keeps the open connection.
    w.txtServer->setText("other.example");
    w.cmdApply_Click();
    EXPECT_TRUE(w.session().NewsConnected);
    w.cmdDisconnect_Click();
    EXPECT_TRUE(w.cmdConnect->isEnabled());
}

TEST_F(NewsWindowTest, OpeningAGroupFillsTheGridAndAClickFetchesTheBody)
{
    WriteFileAtomic(AppPath() + "/Server.lst", "alt.test\r\n");
    int next = 0;
    server.answer = [&](const QString& line) -> Pieces {
        if (line == "GROUP alt.test")
            return {"211 2 7 8 alt.test\r\n"};
        if (line == "STAT 7" || (line == "NEXT" && next++ == 0))
            return {"223 7 <x> ok\r\n"};
        if (line == "HEAD")
            return {"221 ", QByteArray::number(7 + next) + " <a@b> head\r\nSubject: Topic ",
                    QByteArray::number(7 + next) + "\r\nFrom: X\r\nDate: today\r\nLines: 3\r\n.\r\n"};
        if (line == "NEXT")
            return {"421 none\r\n"};
        if (line.startsWith("BODY "))
            return {"222 body\r\nline for " + line.mid(5).toLatin1() + "\r\n.\r\n"};
        return {};
    };
    Settings::SaveSetting("NewsServer", server.address());
    News w;
    w.cmdConnect_Click();
    ASSERT_TRUE(ScriptedLineServer::waitUntil([&] { return w.session().NewsConnected; }));
    w.List1->setCurrentRow(0);
    w.List1_DblClick();
    EXPECT_EQ(w.tab(), 1);
    ASSERT_TRUE(ScriptedLineServer::waitUntil([&] { return w.FG().Rows() == 4; }));
    EXPECT_EQ(w.FG().TextMatrix(2, 1), "Topic 7");
    EXPECT_EQ(w.FG().TextMatrix(3, 5), "8");
    EXPECT_EQ(w.List2->count(), 2);
    w.FG().setRow(3);
    w.FG_Click();
    ASSERT_TRUE(ScriptedLineServer::waitUntil([&] { return !w.Text2->toPlainText().isEmpty(); }));
    EXPECT_EQ(w.Text2->toPlainText(), "line for 8");

    // Double-clicks sort ascending, then descending.
    const auto subjects = [&w] {
        QStringList list;
        for (int r = 1; r < w.FG().Rows(); ++r)
            if (!w.FG().TextMatrix(r, 1).isEmpty())
                list << w.FG().TextMatrix(r, 1);
        return list;
    };
    SortAsc() = 0;
    w.FG().setCol(1);
    w.FG_DblClick();
    EXPECT_EQ(SortAsc(), FlexGrid::flexSortGenericAscending);
    EXPECT_EQ(subjects(), (QStringList{"Topic 7", "Topic 8"}));
    w.FG_DblClick();
    EXPECT_EQ(SortAsc(), FlexGrid::flexSortGenericDescending);
    EXPECT_EQ(subjects(), (QStringList{"Topic 8", "Topic 7"}));
}

TEST_F(NewsWindowTest, AddGroupAppendsANonEmptyAnswer)
{
    WriteFileAtomic(AppPath() + "/Server.lst", "alt.test\r\n");
    News w;
    for (const QString& answer : {QString(), QStringLiteral("misc.new")}) {
        test::dialogs().reset();
        test::dialogs().inputAnswers.enqueue(answer);
        w.cmdAdd_Click();
        ASSERT_EQ(test::dialogs().shown.size(), 1);
        EXPECT_EQ(test::dialogs().shown[0].kind, "input");
        EXPECT_EQ(test::dialogs().shown[0].prompt, "Inset new Group");
        EXPECT_EQ(test::dialogs().shown[0].title, "Add Group");
        EXPECT_EQ(w.cmdSave->isEnabled(), !answer.isEmpty());
    }
    EXPECT_EQ(groups(w), (QStringList{"alt.test", "misc.new"}));
}

TEST_F(NewsWindowTest, ListGroupOpensTheSelectedGroupOnlyWhenConnected)
{
    WriteFileAtomic(AppPath() + "/Server.lst", "alt.test\r\nmisc.misc\r\n");
    server.answer = [](const QString&) { return Pieces{"411 no such group\r\n"}; };
    News w;
    w.List1->setCurrentRow(1);
    w.cmdListGroup_Click();
    EXPECT_EQ(w.StatusBar1->text(), "Must Connect to News Server");
    EXPECT_EQ(w.tab(), 0);
    connectTo(w);
    w.FG().AddItem("\tkept\t\t\t\t9");  // List Group does not reset the grid
    w.cmdListGroup_Click();
    EXPECT_EQ(w.tab(), 1);
    ASSERT_TRUE(server.waitForLines(1));
    EXPECT_EQ(server.lines, QStringList{"GROUP misc.misc"});
    EXPECT_EQ(w.FG().TextMatrix(w.FG().Rows() - 1, 1), "kept");
}

TEST_F(NewsWindowTest, TheArticleListIsShownBesideTheGridAndAClickFetchesTheBody)
{
    server.answer = [](const QString& line) -> Pieces {
        if (line.startsWith("BODY "))
            return {"222 body\r\ntext of " + line.mid(5).toLatin1() + "\r\n.\r\n"};
        return {};
    };
    News w;
    w.show();
    w.lblNav_Click(1);
    EXPECT_TRUE(w.List2->isVisible());
    const QRect frame = w.Frm[1]->rect();
    for (QWidget* other : {static_cast<QWidget*>(w.FGView), static_cast<QWidget*>(w.Text2)}) {
        EXPECT_TRUE(frame.contains(w.List2->geometry())) << other->objectName().toStdString();
        EXPECT_FALSE(w.List2->geometry().intersects(other->geometry())) << other->objectName().toStdString();
    }
    connectTo(w);
    emit w.session().articleAdded("3000 - Subject: first");
    emit w.session().articleAdded("3001 - Subject: second");
    w.List2->setCurrentRow(1);
    w.List2_Click();
    ASSERT_TRUE(ScriptedLineServer::waitUntil([&] { return !w.Text2->toPlainText().isEmpty(); }));
    EXPECT_EQ(server.lines, QStringList{"BODY 3001"});
    EXPECT_EQ(w.Text2->toPlainText(), "text of 3001");
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPlainMemory = false;  // the sanitizer's own bookkeeping is counted too
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kPlainMemory = false;
#else
constexpr bool kPlainMemory = true;
#endif
#else
constexpr bool kPlainMemory = true;
#endif

// Peers that never stop: each reply goes on until the reader hangs up (or, should it
// not, until far more than the bounds allow has been sent). The reader ends the command
// with a status text, keeps what arrived within the bound and stays small.
TEST_F(NewsWindowTest, EndlessRepliesEndAtTheirBoundAndTheReaderStaysSmall)
{
    const QByteArray filler(1000, 'a');
    qint64 counter = 0;
    const struct
    {
        const char* name;
        const char* command;
        QByteArray head;
        std::function<QByteArray()> more;
        const char* status;
    } peers[] = {
        {"list line", "LIST", "215 list\r\nalt.one 1 1 y\r\nalt.", [&] { return filler; },
         "A line from the news server is longer than 64 KB"},
        {"header", "HEAD", "221 7 <a@b> head\r\nSubject: Big\r\nFrom: X\r\n",
         [&] { return "X-Filler: " + filler + "\r\n"; }, "An article header is longer than 1 MB"},
        {"article", "BODY 7", "222 7 <a@b> body\r\n", [&] { return filler.left(70) + "\r\n"; },
         "An article is longer than 8 MB"},
        {"article line", "BODY 7", "222 7 <a@b> body\r\nfirst\r\n", [&] { return filler; },
         "A line from the news server is longer than 64 KB"},
        // Last: the measure reads low after a bigger peak of the process.
        {"list", "LIST", "215 list\r\n",
         [&] {
             QByteArray lines;
             for (int i = 0; i < 1000; ++i)
                 lines += "alt.g" + QByteArray::number(counter++) + " 1 1 y\r\n";
             return lines;
         },
         "The group list holds more than 1000000 groups"},
    };
    for (const auto& peer : peers) {
        SCOPED_TRACE(peer.name);
        counter = 0;
        server.lines.clear();
        server.answer = [&](const QString& line) -> Pieces {
            if (line == "GROUP alt.test")
                return {"211 1 7 7 alt.test\r\n"};
            if (line == "STAT 7")
                return {"223 7 <a@b> ok\r\n"};
            if (line == peer.command)
                server.pour(peer.head, peer.more, qint64(512) << 20);
            return {};
        };
        News w;
        connectTo(w);
        const int groupsBefore = w.List1->count();
        const test::PeakMemory memory;
        if (QByteArray(peer.command) == "LIST") {
            test::dialogs().msgAnswers.enqueue(Dialogs::vbYes);
            w.cmdServerList_Click();
        } else if (QByteArray(peer.command) == "HEAD") {
            w.session().Group("alt.test");
        } else {
            w.session().Body("7");
        }
        ASSERT_TRUE(ScriptedLineServer::waitUntil([&] { return !w.session().NewsConnected; }, 120000))
            << w.StatusBar1->text().toStdString();
        if (kPlainMemory) {
            EXPECT_LT(memory.growthKiB(), 300 * 1024);
        }
        EXPECT_LT(server.poured, qint64(256) << 20);
        EXPECT_EQ(w.StatusBar1->text(), QString::fromLatin1(peer.status) + ". Disconnected From " + server.address());
        EXPECT_TRUE(w.cmdConnect->isEnabled());
        const QString name = QString::fromLatin1(peer.name);
        if (name == "list") {
            EXPECT_EQ(w.List1->count() - groupsBefore, NntpSession::MaxGroups);
            EXPECT_EQ(w.List1->item(w.List1->count() - 1)->text(), "alt.g999999");
        } else if (name == "list line") {
            EXPECT_EQ(groups(w).mid(groupsBefore), QStringList{"alt.one"});
        } else if (name == "header") {
            EXPECT_EQ(w.FG().TextMatrix(w.FG().Rows() - 1, 1), "Big");
            EXPECT_EQ(w.List2->count(), 1);
        } else if (name == "article") {
            const QString body = w.Text2->toPlainText();
            EXPECT_GT(body.size(), 7 * 1024 * 1024);
            EXPECT_LE(body.size(), NntpSession::MaxArticleBytes);
        } else {
            EXPECT_EQ(w.Text2->toPlainText(), "first");
        }
    }
}

} // namespace
