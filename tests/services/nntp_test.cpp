// The news client against a scripted news server on 127.0.0.1: replies split at any
// place or joined, the group list, the article walk and its end, headers and bodies
// in pieces, the server going away, and a host that cannot be found.
#include "services/NntpSession.h"

#include "ScriptedLineServer.h"

#include "platform/Socket.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using test::ScriptedLineServer;
using Pieces = ScriptedLineServer::Pieces;

struct Seen
{
    QStringList groups, articles, statuses, bodies;
    QList<QStringList> rows;
    int beeps = 0;
};

class NntpTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        server.greeting = {"200 scripted news ready\r\n"};
        session.NewsServer = server.address();
        QObject::connect(&session, &NntpSession::groupsAdded, [this](const QStringList& g) { seen.groups << g; });
        QObject::connect(&session, &NntpSession::articleAdded, [this](const QString& a) { seen.articles << a; });
        QObject::connect(&session, &NntpSession::articlesCleared, [this] { seen.articles.clear(); });
        QObject::connect(&session, &NntpSession::statusChanged, [this](const QString& s) { seen.statuses << s; });
        QObject::connect(&session, &NntpSession::bodyChanged, [this](const QString& b) { seen.bodies << b; });
        QObject::connect(&session, &NntpSession::headerRow, [this](const QStringList& r) { seen.rows << r; });
        QObject::connect(&session, &NntpSession::beep, [this] { ++seen.beeps; });
    }

    void connectNow()
    {
        ASSERT_TRUE(session.Connect());
        ASSERT_TRUE(ScriptedLineServer::waitUntil([this] { return session.NewsConnected; }));
    }

    ScriptedLineServer server;
    NntpSession session;
    Seen seen;
};

// A header of article n, with its subject and date in the given pieces.
QByteArray header(int n, const QByteArray& subject)
{
    return "221 " + QByteArray::number(n) + " <a" + QByteArray::number(n) + "@test> head\r\n"
           "From: Ann <ann@test>\r\nSubject: " + subject + "\r\nDate: Mon, 7 Dec 2026 10:00:00 GMT\r\n"
           "Lines: 12\r\nMessage-ID: <a" + QByteArray::number(n) + "@test>\r\n.\r\n";
}

// Cuts bytes into pieces of size n.
Pieces cut(const QByteArray& bytes, int n)
{
    Pieces pieces;
    for (qsizetype i = 0; i < bytes.size(); i += n)
        pieces << bytes.mid(i, n);
    return pieces;
}

TEST_F(NntpTest, GroupListWholeOrSplitAnywhereGivesEveryGroupOnceThenEnds)
{
    const QByteArray list = "215 list follows\r\nalt.test 10 1 y\r\ncomp.lang.c 900 3 y\r\n..dotted 1 1 n\r\n"
                            "misc.misc 5 2 m\r\n.\r\n";
    for (int size : {int(list.size()), 1, 3, 7, 17}) {
        SCOPED_TRACE(size);
        seen = {};
        server.answer = [&](const QString& line) { return line == "LIST" ? cut(list, size) : Pieces{}; };
        if (!session.NewsConnected)
            connectNow();
        ASSERT_TRUE(session.List());
        EXPECT_EQ(session.NewsState, "LIST");
        ASSERT_TRUE(ScriptedLineServer::waitUntil([this] { return seen.beeps == 1; }));
        EXPECT_EQ(seen.groups, (QStringList{"alt.test", "comp.lang.c", ".dotted", "misc.misc"}));
        EXPECT_EQ(session.NewsState, "None");
        EXPECT_EQ(seen.statuses.last(), "List Download");
        EXPECT_TRUE(session.NewsBuffer.isEmpty());
    }
}

TEST_F(NntpTest, ListAnsweredWithAnErrorEndsTheListState)
{
    server.answer = [](const QString& line) {
        return line == "LIST" ? Pieces{"502 permission denied\r\n"} : Pieces{"500 what?\r\n"};
    };
    connectNow();
    session.List();
    ASSERT_TRUE(ScriptedLineServer::waitUntil([this] { return session.NewsState == "None"; }));
    EXPECT_TRUE(seen.groups.isEmpty());
    EXPECT_EQ(seen.statuses.last(), "502 permission denied");
}

TEST_F(NntpTest, TheWalkListsEveryArticleOnceAndEndsAtTheLastNext)
{
    // Three articles; each header arrives in pieces of 5 bytes, the "211" joined with
    // nothing; the third NEXT is refused.
    int next = 0;
    server.answer = [&](const QString& line) -> Pieces {
        if (line == "GROUP alt.test")
            return {"211 1520 3000 4519 alt.test\r\n"};
        if (line == "STAT 3000")
            return {"223 3000 <a3000@test> selected\r\n"};
        if (line == "HEAD")
            return cut(header(3000 + next, "Hello number " + QByteArray::number(next)), 5);
        if (line == "NEXT") {
            if (++next < 3)
                return {"223 " + QByteArray::number(3000 + next) + " <x> next\r\n"};
            return {"421 no next article\r\n"};
        }
        return {"500 what?\r\n"};
    };
    connectNow();
    ASSERT_TRUE(session.Group("alt.test"));
    ASSERT_TRUE(ScriptedLineServer::waitUntil([&] { return next == 3; }));
    ScriptedLineServer::waitUntil([] { return false; }, 150);  // nothing more is sent
    EXPECT_EQ(server.lines,
              (QStringList{"GROUP alt.test", "STAT 3000", "HEAD", "NEXT", "HEAD", "NEXT", "HEAD", "NEXT"}));
    EXPECT_TRUE(seen.statuses.contains("Downloading Header Number 3000 to 4519"));
    EXPECT_EQ(session.GroupCount, "1520");
    EXPECT_EQ(seen.articles, (QStringList{"3000 - Subject: Hello number 0", "3001 - Subject: Hello number 1",
                                          "3002 - Subject: Hello number 2"}));
    ASSERT_EQ(seen.rows.size(), 3);
    EXPECT_EQ(seen.rows[1], (QStringList{"", "Hello number 1", "Mon, 7 Dec 2026 10:00:00 GMT", "Ann <ann@test>",
                                         "12", "3001"}));
    EXPECT_EQ(NntpSession::ArticleNumber(seen.articles[2]), "3002");
}

TEST_F(NntpTest, ARefusedGroupSendsNothingFurther)
{
    server.answer = [](const QString&) { return Pieces{"411 no such group\r\n"}; };
    connectNow();
    session.Group("no.such");
    ScriptedLineServer::waitUntil([] { return false; }, 150);
    EXPECT_EQ(server.lines, QStringList{"GROUP no.such"});
    EXPECT_TRUE(seen.articles.isEmpty());
}

TEST_F(NntpTest, ABodyInPiecesIsShownWholeWithItsDotsRestored)
{
    server.answer = [](const QString& line) -> Pieces {
        if (line == "BODY 3001")
            return {"222 3001 <a> body\r\nfirst line\r\n", "..leading dot\r\nsecond", " half\r\n.", "\r\n"};
        return {};
    };
    connectNow();
    session.Body("3001");
    ASSERT_TRUE(ScriptedLineServer::waitUntil([this] { return !seen.bodies.isEmpty(); }));
    EXPECT_EQ(seen.bodies, QStringList{"first line\r\n.leading dot\r\nsecond half"});
}

TEST_F(NntpTest, NoCommandCarriesALineBreakOfItsArgument)
{
    server.answer = [](const QString&) { return Pieces{}; };
    connectNow();
    session.Group("alt.test\r\nPOST");
    session.Body("12\nQUIT");
    session.Body(QStringLiteral("13") + QChar(0) + QStringLiteral("QUIT"));
    ASSERT_TRUE(server.waitForLines(3));
    ScriptedLineServer::waitUntil([] { return false; }, 100);
    EXPECT_EQ(server.lines, (QStringList{"GROUP alt.test", "BODY 12", "BODY 13"}));
    EXPECT_FALSE(server.received.contains('\0'));
}

TEST_F(NntpTest, ALineLongerThanTheCapEndsTheCommandInsteadOfBeingCut)
{
    // Fed by hand, whole or in pieces: a body line of exactly the cap is read; one byte
    // more ends the command with a status text, and nothing after it is read as a line.
    const QByteArray cap(NntpSession::MaxLineBytes, 'x');
    const QString stopped = QStringLiteral("A line from the news server is longer than 64 KB. Disconnected From news.test");
    const struct { QByteArray line; bool taken; } cases[] = {
        {cap, true}, {cap + "y", false}, {"short\r\n" + cap + "yy", false},
    };
    for (const auto& c : cases) {
        for (int piece : {0, 1000, 65536}) {
            SCOPED_TRACE(piece);
            NntpSession s;
            QStringList bodies, statuses;
            QObject::connect(&s, &NntpSession::bodyChanged, [&](const QString& b) { bodies << b; });
            QObject::connect(&s, &NntpSession::statusChanged, [&](const QString& t) { statuses << t; });
            s.NewsServer = QStringLiteral("news.test");
            s.NewsConnected = true;  // no socket: the reply is fed by hand
            ASSERT_TRUE(s.Body("1"));
            const QByteArray reply = "222 1 <a> body\r\n" + c.line + "\r\nfirst.after\r\n.\r\n";
            if (piece == 0)
                s.handleData(reply);
            else
                for (qsizetype at = 0; at < reply.size(); at += piece)
                    s.handleData(reply.mid(at, piece));
            ASSERT_EQ(bodies.size(), 1);
            if (c.taken) {
                EXPECT_EQ(bodies[0], QString::fromLatin1(c.line) + "\r\nfirst.after");
                EXPECT_TRUE(s.NewsConnected);
                EXPECT_TRUE(statuses.isEmpty());
            } else {
                // What came before the long line stays.
                EXPECT_EQ(bodies[0], c.line.startsWith("short") ? "short" : "");
                EXPECT_FALSE(s.NewsConnected);
                EXPECT_EQ(statuses, QStringList{stopped});
                EXPECT_EQ(s.NewsState, "None");
            }
            EXPECT_TRUE(s.NewsBuffer.isEmpty());
        }
    }
}

TEST_F(NntpTest, ACommandThatHearsNothingEndsAfterTheSilence)
{
    session.setSilenceMs(300);
    server.answer = [](const QString& line) {
        // The list starts, then the server says nothing more.
        return line == "LIST" ? Pieces{"215 list\r\nalt.one 1 1 y\r\n"} : Pieces{};
    };
    connectNow();
    ScriptedLineServer::waitUntil([] { return false; }, 500);  // connected and idle: nothing ends
    EXPECT_TRUE(session.NewsConnected);
    ASSERT_TRUE(session.List());
    ASSERT_TRUE(ScriptedLineServer::waitUntil([this] { return !session.NewsConnected; }));
    EXPECT_EQ(seen.groups, QStringList{"alt.one"});
    EXPECT_EQ(seen.statuses.last(), "The news server sent nothing for 0.3 seconds. Disconnected From " + server.address());
    EXPECT_EQ(session.NewsState, "None");
    EXPECT_EQ(session.Winsock1().State(), Socket::sckClosed);
}

TEST_F(NntpTest, TheServerHangingUpEndsTheConnection)
{
    connectNow();
    server.hangUp();
    ASSERT_TRUE(ScriptedLineServer::waitUntil([this] { return !session.NewsConnected; }));
    EXPECT_EQ(seen.statuses.last(), "Disconnected From " + server.address());
    EXPECT_FALSE(session.List());  // nothing is sent any more
}

TEST_F(NntpTest, DisconnectSendsQuitAndCloses)
{
    connectNow();
    session.Disconnect();
    EXPECT_FALSE(session.NewsConnected);
    EXPECT_FALSE(session.List());
    ASSERT_TRUE(server.waitForLines(1));
    EXPECT_EQ(server.lines, QStringList{"QUIT"});
    EXPECT_TRUE(ScriptedLineServer::waitUntil([this] { return session.Winsock1().State() == Socket::sckClosed; }));
}

TEST_F(NntpTest, HostNotFoundIsReportedWithItsNumber)
{
    QSignalSpy notFound(&session, &NntpSession::hostNotFound);
    session.NewsServer = QStringLiteral("news.test");
    // The error the socket reports when the name does not resolve (no name is looked up here).
    emit session.Winsock1().Error(Socket::sckHostNotFound, QStringLiteral("Host not found"));
    EXPECT_EQ(notFound.size(), 1);
    EXPECT_EQ(seen.statuses.last(), "Error 11001 Host not found");
    EXPECT_FALSE(session.NewsConnected);
}

TEST_F(NntpTest, NothingIsSentWhileNotConnected)
{
    EXPECT_FALSE(session.List());
    EXPECT_FALSE(session.Group("alt.test"));
    EXPECT_FALSE(session.Body("1"));
    session.NewsServer.clear();
    EXPECT_FALSE(session.Connect());
}

} // namespace
