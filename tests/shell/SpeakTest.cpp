// The Ticker menu's "Put on air" items: what each reads aloud (through the recording
// engine) and where the speech window comes up.
#include "RecordingSpeech.h"
#include "ShellFixture.h"

#include "services/frmSpeech.h"
#include "shell/SpokenText.h"
#include "shell/NewsTicker.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>

#include <memory>

namespace {

const QString kCrLf = QStringLiteral("\r\n");


class SpeakTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        test::speech().reset();
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        test::speech().reset();
    }

    void writeHeadlines(const QString& symbol, const QByteArray& bytes)
    {
        QDir().mkpath(appFile(QStringLiteral("Cache/News")));
        QFile f(appFile(QStringLiteral("Cache/News/") + symbol + QStringLiteral(".txt")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // Triggers Ticker menu item and answers with what was said.
    QStringList onAir(int item)
    {
        form->mnuTicker[std::size_t(item)]->trigger();
        return test::speech().said;
    }
};

TEST_F(SpeakTest, PriceItemsSpeakTheSelectedStockOrTheWholeSet)
{
    loaded();
    fillSet({QStringLiteral("AAA"), QStringLiteral("BBB")});
    Stocks()[1].Change = QStringLiteral("+0.50");
    Stocks()[1].PctChange = QStringLiteral("+4.2%");
    CurrentSymbol() = QStringLiteral("BBB");
    EXPECT_EQ(onAir(9), QStringList{kCrLf + QStringLiteral("BBB Corp, Last Price: 11.25, change: +0.50, +4.2%.")});

    test::speech().reset();
    const QStringList all = onAir(12);
    ASSERT_EQ(all.size(), 1);
    EXPECT_TRUE(all[0].startsWith(kCrLf + QStringLiteral("AAA Corp, Last Price: 10.25, change: , .") + kCrLf
                                  + QStringLiteral("BBB Corp")))
        << all[0].toStdString();
}

TEST_F(SpeakTest, SelectedPricesOfAStockOutsideTheSetSpeakNothingButShowTheWindow)
{
    loaded();
    fillSet({QStringLiteral("AAA"), QStringLiteral("BBB")});
    for (const char* symbol : {"ZZZ", ""}) {
        test::speech().reset();
        CurrentSymbol() = QString::fromLatin1(symbol);
        EXPECT_EQ(onAir(9), QStringList{QString()}) << symbol;
        ASSERT_NE(frmSpeech::instance(), nullptr);
        EXPECT_TRUE(frmSpeech::instance()->isVisible());
    }
}

TEST_F(SpeakTest, AnEmptySetSpeaksAnEmptyTextInAWindowBelowTheTicker)
{
    loaded();
    EXPECT_EQ(onAir(12), QStringList{QString()});
    frmSpeech* w = frmSpeech::instance();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->parentWidget(), form.get());
    EXPECT_FALSE(w->lblWait->isVisible());
    const int centre = form->frameGeometry().left() + form->frameGeometry().width() / 2;
    EXPECT_NEAR(w->x() + w->width() / 2, centre, 1);
    EXPECT_EQ(w->y(), form->mapToGlobal(QPoint(0, 0)).y() + (form->ports().newsTickerTop() + 700) / 15);
}

TEST_F(SpeakTest, AHiddenWindowComesBackForTheNextItemAndOtherIndexesSpeakEmpty)
{
    loaded();
    fillSet({QStringLiteral("AAA")});
    CurrentSymbol() = QStringLiteral("AAA");
    onAir(9);
    frmSpeech* w = frmSpeech::instance();
    ASSERT_NE(w, nullptr);
    w->lblNav_Click(SpeechSession::Hide);
    EXPECT_FALSE(w->isVisible());
    onAir(9);
    EXPECT_EQ(frmSpeech::instance(), w);
    EXPECT_TRUE(w->isVisible());
    for (int index : {-1, 4, 99})
        EXPECT_EQ(SpokenText(index), QString()) << index;
}

TEST_F(SpeakTest, AFailingVoiceLeavesTheMenuQuietly)
{
    loaded();
    test::speech().failWith = 5;
    EXPECT_NO_THROW(form->mnuTicker_Click(12));
    EXPECT_TRUE(test::speech().said.isEmpty());
}

TEST_F(SpeakTest, HeadlineItemsSpeakTheHeadlinesWithoutLinksOneSentenceEach)
{
    loaded();
    fillSet({QStringLiteral("AAA"), QStringLiteral("BBB")});
    writeHeadlines(QStringLiteral("AAA"),
                   "\"Acme beats estimates#http://news.example/1#;\"\r\n\"Acme buys Widgetco#http://news.example/2#;\"\r\n");
    CurrentSymbol() = QStringLiteral("AAA");
    EXPECT_EQ(onAir(8), QStringList{QStringLiteral("Acme beats estimates.\r\nAcme buys Widgetco.\r\n")});

    // Every stock: its name, " news: ", its headlines; BBB has no headline file.
    test::speech().reset();
    EXPECT_EQ(onAir(11), QStringList{QStringLiteral("AAA Corp news: Acme beats estimates.\r\nAcme buys Widgetco.\r\n")
                                     + kCrLf + QStringLiteral("BBB Corp news: ") + kCrLf});
}

TEST_F(SpeakTest, AStockWithoutHeadlinesSpeaksNoneAndLeavesTheTickerAlone)
{
    frmMain& f = loaded();
    fillSet({QStringLiteral("AAA")});
    writeHeadlines(QStringLiteral("AAA"), "\"Acme beats estimates;\"\r\n");
    const struct
    {
        const char* symbol;
        const char* spoken;
    } cases[] = {{"AAA", "Acme beats estimates.\r\n"}, {"ZZZ", ""}, {"", ""}};
    for (const auto& c : cases) {
        test::speech().reset();
        CurrentSymbol() = QString::fromLatin1(c.symbol);
        const QString before = f.NewsTicker1->caption();
        EXPECT_EQ(onAir(8), QStringList{QString::fromLatin1(c.spoken)}) << c.symbol;
        EXPECT_EQ(f.NewsTicker1->caption(), before) << c.symbol;
    }
}

} // namespace
