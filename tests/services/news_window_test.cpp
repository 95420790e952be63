// The news reader window with a scripted news server on 127.0.0.1: the group-list file,
// the buttons' rules and the grid the article walk fills.
#include "services/News.h"

#include "IsolatedStore.h"
#include "ScriptedLineServer.h"

#include "core/Settings.h"
#include "core/mdlRegistry.h"
#include "platform/AppPath.h"
#include "platform/FlexGrid.h"
#include "stockdata/ProgramState.h"

#include <QDir>
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

} // namespace
