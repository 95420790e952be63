// Spoken quotes: the texts read aloud, the speech window's buttons and their
// enabling against the recording engine, and an engine that fails under a button.
#include "IsolatedStore.h"
#include "RecordingSpeech.h"

#include "core/WindowEffects.h"
#include "platform/AppPath.h"
#include "platform/Speech.h"
#include "services/SpeechSession.h"
#include "services/frmSpeech.h"
#include "stockdata/ProgramState.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>

#include <array>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

class SpeechTest : public IsolatedStore
{
protected:
    void SetUp() override
    {
        IsolatedStore::SetUp();
        QDir().mkpath(AppPath());
        ResetProgramState();
        test::speech().reset();
    }
    void TearDown() override
    {
        if (frmSpeech* w = frmSpeech::instance())
            delete w;
        test::settle();
        test::speech().reset();
        ResetProgramState();
        IsolatedStore::TearDown();
    }

    static void fillSet(const QStringList& symbols)
    {
        for (int i = 0; i < symbols.size(); ++i) {
            StockRec& r = Stocks()[std::size_t(i)];
            r.Symbol = symbols[i];
            r.CompanyName = symbols[i] + QStringLiteral(" Corp");
            r.LastPrice = QStringLiteral("%1.25").arg(10 + i);
            r.Change = QStringLiteral("+0.%1").arg(i + 1);
            r.PctChange = QStringLiteral("+%1.5%").arg(i + 1);
        }
        StockCount() = std::int16_t(symbols.size());
    }

    static std::array<bool, SpeechSession::ButtonCount> enabled(const SpeechSession& s) { return s.lblNavEnabled; }

    QString errorLog() const
    {
        QFile f(AppPath() + QStringLiteral("/ErrorLog.txt"));
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
    }
};

TEST_F(SpeechTest, PriceLineIsTheStoredTextsInTheirPlaces)
{
    StockRec row;
    row.CompanyName = QStringLiteral("Acme Tools");
    row.LastPrice = QStringLiteral("105 1/4");
    row.Change = QStringLiteral("-1.50");
    row.PctChange = QStringLiteral("-1.4%");
    EXPECT_EQ(SpokenPriceLine(row), kCrLf + QStringLiteral("Acme Tools, Last Price: 105 1/4, change: -1.50, -1.4%."));
}

TEST_F(SpeechTest, SelectedPricesComeOnlyFromTheSelectedStocksOwnRow)
{
    fillSet({QStringLiteral("AAA"), QStringLiteral("BBB"), QStringLiteral("CCC")});
    struct Case
    {
        const char* symbol;
        int row;  // the row whose line is spoken; -1 for none
    } cases[] = {
        {"BBB", 1}, {"AAA", 0}, {"CCC", 2},
        {"ZZZ", -1},  // not in the set: not row 0's prices
        {"", -1},     // nothing selected: not the first free row's empty prices
        {"bbb", -1},  // symbols compare exactly
    };
    for (const Case& c : cases) {
        CurrentSymbol() = QString::fromLatin1(c.symbol);
        const QString expected = c.row < 0 ? QString() : SpokenPriceLine(Stocks()[std::size_t(c.row)]);
        EXPECT_EQ(SelectedStockPrices(), expected) << c.symbol;
    }
}

TEST_F(SpeechTest, AllPricesAreEveryUsedRowInOrderAndEmptyForAnEmptySet)
{
    EXPECT_EQ(AllStockPrices(), QString());
    fillSet({QStringLiteral("AAA"), QStringLiteral("BBB")});
    EXPECT_EQ(AllStockPrices(), kCrLf + QStringLiteral("AAA Corp, Last Price: 10.25, change: +0.1, +1.5%.") + kCrLf
                                    + QStringLiteral("BBB Corp, Last Price: 11.25, change: +0.2, +2.5%."));
}

TEST_F(SpeechTest, EachSemicolonOfTheHeadlinesEndsASentenceAndALine)
{
    const struct
    {
        const char* in;
        const char* out;
    } cases[] = {
        {"", ""},
        {"Acme beats estimates", "Acme beats estimates"},
        {"Acme beats estimates;Acme buys Widgetco", "Acme beats estimates.\r\nAcme buys Widgetco"},
        {"One;Two;", "One.\r\nTwo.\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SpokenHeadlines(QString::fromLatin1(c.in)), QString::fromLatin1(c.out)) << c.in;
}

TEST_F(SpeechTest, SentencesEndAtLineBreaksAndStopsButNotInsideNumbers)
{
    const struct
    {
        const char* text;
        QStringList sentences;
    } cases[] = {
        {"", {}},
        {"\r\nAcme, Last Price: 10.25, change: +0.10, +1.0%.\r\nWidgetco, Last Price: 3.5, change: 0, 0%.",
         {"Acme, Last Price: 10.25, change: +0.10, +1.0%.", "Widgetco, Last Price: 3.5, change: 0, 0%."}},
        {"Up again! Why? Because.", {"Up again!", "Why?", "Because."}},
        {"One.\r\n\r\n  \r\nTwo", {"One.", "Two"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Speech::SplitSentences(QString::fromLatin1(c.text)), c.sentences) << c.text;
}

TEST_F(SpeechTest, QueueMovesBySentenceAndStopsAtItsEnds)
{
    Speech::SentenceQueue q;
    q.load(QStringLiteral("One. Two. Three."));
    EXPECT_EQ(q.current(), QStringLiteral("One."));
    q.back();  // the first stays the first
    EXPECT_EQ(q.current(), QStringLiteral("One."));
    EXPECT_TRUE(q.advance());
    EXPECT_TRUE(q.advance());
    EXPECT_EQ(q.current(), QStringLiteral("Three."));
    EXPECT_FALSE(q.advance());
    EXPECT_TRUE(q.atEnd());
    EXPECT_EQ(q.current(), QString());
    EXPECT_FALSE(q.advance());  // stays past the end
    q.back();                   // from past the end: the last sentence
    EXPECT_EQ(q.current(), QStringLiteral("Three."));
    q.clear();
    EXPECT_TRUE(q.atEnd());
}

TEST_F(SpeechTest, EachButtonReachesItsMemberAndTheButtonsFollowTheSpeakingState)
{
    SpeechSession s;
    s.Speak(QStringLiteral("Acme beats estimates."));
    ASSERT_EQ(test::speech().said, QStringList{QStringLiteral("Acme beats estimates.")});
    EXPECT_FALSE(s.lblWaitVisible);
    using E = std::array<bool, SpeechSession::ButtonCount>;
    const E speaking{false, true, true, true, true, true, true};
    const E silent{true, false, false, false, false, true, true};
    EXPECT_EQ(enabled(s), speaking);

    const struct
    {
        int button;
        const char* call;
        E after;
        SpeechSession::After window;
    } steps[] = {
        {SpeechSession::Pause, "pause", silent, SpeechSession::After::Stay},
        {SpeechSession::Resume, "resume", speaking, SpeechSession::After::Stay},
        {SpeechSession::Forward, "skipForward", speaking, SpeechSession::After::Stay},
        {SpeechSession::Rewind, "rewind", speaking, SpeechSession::After::Stay},
        {SpeechSession::Hide, nullptr, speaking, SpeechSession::After::HideWindow},
        {SpeechSession::Stop, "stop", silent, SpeechSession::After::Stay},
        {SpeechSession::Close, "stop", silent, SpeechSession::After::CloseWindow},
    };
    for (const auto& step : steps) {
        const qsizetype before = test::speech().calls.size();
        EXPECT_EQ(s.lblNav_Click(step.button), step.window) << step.button;
        const QStringList made = test::speech().calls.mid(before);
        EXPECT_EQ(made, step.call ? QStringList{QString::fromLatin1(step.call)} : QStringList()) << step.button;
        EXPECT_EQ(enabled(s), step.after) << step.button;
    }
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
}

TEST_F(SpeechTest, AFailingEngineShowsItsCodeInHexLogsTheClickAndUnloads)
{
    SpeechSession s;
    test::speech().failWith = 440;
    EXPECT_EQ(s.lblNav_Click(SpeechSession::Pause), SpeechSession::After::UnloadWindow);
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_EQ(test::dialogs().shown[0].prompt, QStringLiteral("Error using speech engine, 1B8"));
    EXPECT_EQ(test::dialogs().shown[0].buttons, 0);
    const QString log = errorLog();
    EXPECT_TRUE(log.contains(QStringLiteral("Number:        440\r\n"))) << log.toStdString();
    EXPECT_TRUE(log.endsWith(QStringLiteral("Where: frmSpeech_lblNav_Click\r\n"))) << log.toStdString();
}

TEST_F(SpeechTest, EngineCodesShowAsHexDigits)
{
    const struct
    {
        int code;
        const char* text;
    } cases[] = {{0, "0"}, {10, "A"}, {440, "1B8"}, {-2147467259, "80004005"}, {-1, "FFFFFFFF"}};
    for (const auto& c : cases)
        EXPECT_EQ(SpeechSession::EngineErrorMessage(c.code),
                  QStringLiteral("Error using speech engine, ") + QString::fromLatin1(c.text))
            << c.code;
}

// ---- the window

QLabel* nav(frmSpeech* w, int i)
{
    return w->lblNav[std::size_t(i)];
}

void click(QWidget* label)
{
    QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
}

TEST_F(SpeechTest, WindowShowsTheButtonsAndWaitLabelAndIsMadeOnce)
{
    frmSpeech* w = frmSpeech::Load(nullptr);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(frmSpeech::Load(nullptr), w);
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
    const char* captions[] = {"Resume", "Pause", "Stop", "Rewind", "Forward", "Close", "Hide"};
    for (int i = 0; i < SpeechSession::ButtonCount; ++i)
        EXPECT_EQ(nav(w, i)->text(), QString::fromLatin1(captions[i]));
    EXPECT_EQ(w->lblWait->text(), QStringLiteral("Please Wait.."));
    w->BeginSpeak();
    w->show();
    EXPECT_TRUE(w->lblWait->isVisible());
    w->Speak(QStringLiteral("Acme beats estimates."));
    EXPECT_FALSE(w->lblWait->isVisible());
    EXPECT_FALSE(nav(w, SpeechSession::Resume)->isEnabled());
    EXPECT_TRUE(nav(w, SpeechSession::Pause)->isEnabled());
}

TEST_F(SpeechTest, ClicksOnTheLabelsPauseResumeHideAndClose)
{
    frmSpeech* w = frmSpeech::Load(nullptr);
    w->show();
    w->Speak(QStringLiteral("Acme beats estimates."));
    click(nav(w, SpeechSession::Pause));
    EXPECT_EQ(test::speech().calls, QStringList{QStringLiteral("pause")});
    EXPECT_TRUE(nav(w, SpeechSession::Resume)->isEnabled());
    for (int b : {SpeechSession::Pause, SpeechSession::Stop, SpeechSession::Rewind, SpeechSession::Forward})
        EXPECT_FALSE(nav(w, b)->isEnabled()) << b;
    click(nav(w, SpeechSession::Pause));  // disabled: nothing happens
    EXPECT_EQ(test::speech().calls.size(), 1);
    click(nav(w, SpeechSession::Resume));
    for (int b : {SpeechSession::Pause, SpeechSession::Stop, SpeechSession::Rewind, SpeechSession::Forward})
        EXPECT_TRUE(nav(w, b)->isEnabled()) << b;

    click(nav(w, SpeechSession::Hide));
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(frmSpeech::instance(), w);  // hidden, still loaded

    w->show();
    click(nav(w, SpeechSession::Close));
    test::settle();
    EXPECT_EQ(frmSpeech::instance(), nullptr);
    EXPECT_EQ(test::speech().calls.last(), QStringLiteral("stop"));
}

TEST_F(SpeechTest, AnEngineFailureUnderAButtonUnloadsTheWindow)
{
    frmSpeech* w = frmSpeech::Load(nullptr);
    w->show();
    w->Speak(QStringLiteral("Acme."));
    test::speech().failWith = 5;
    w->lblNav_Click(SpeechSession::Stop);
    test::settle();
    EXPECT_EQ(frmSpeech::instance(), nullptr);
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_EQ(test::dialogs().shown[0].prompt, QStringLiteral("Error using speech engine, 5"));
}

TEST_F(SpeechTest, TheShapeFramesTheButtonUnderThePointer)
{
    frmSpeech* w = frmSpeech::Load(nullptr);
    w->show();
    QTest::mouseMove(nav(w, SpeechSession::Rewind), nav(w, SpeechSession::Rewind)->rect().center());
    QApplication::processEvents();
    EXPECT_TRUE(w->Shape1->isVisible());
    EXPECT_TRUE(w->Shape1->geometry().contains(nav(w, SpeechSession::Rewind)->geometry()));
    QMouseEvent over(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w->Picture1, &over);
    EXPECT_FALSE(w->Shape1->isVisible());
}

TEST_F(SpeechTest, DraggingTheBackgroundMovesTheWindowAndDraggingAButtonDoesNot)
{
    frmSpeech* w = frmSpeech::Load(nullptr);
    w->move(200, 150);
    w->show();
    QApplication::processEvents();
    const auto send = [](QWidget* target, QEvent::Type type, QPoint global, Qt::MouseButtons held) {
        const QPointF local = target->mapFromGlobal(QPointF(global));
        QMouseEvent e(type, local, QPointF(global), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                      Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    };
    const QPoint start = w->frameGeometry().topLeft();
    const QPoint grab = w->mapToGlobal(QPoint(3, 3));
    send(w, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    send(w, QEvent::MouseMove, grab + QPoint(40, 25), Qt::LeftButton);
    send(w, QEvent::MouseButtonRelease, grab + QPoint(40, 25), Qt::NoButton);
    EXPECT_EQ(w->frameGeometry().topLeft(), start + QPoint(40, 25));

    // A press on a button is the button's, not the start of a drag.
    const QPoint moved = w->frameGeometry().topLeft();
    QLabel* stop = nav(w, SpeechSession::Stop);
    const QPoint onButton = stop->mapToGlobal(stop->rect().center());
    send(stop, QEvent::MouseButtonPress, onButton, Qt::LeftButton);
    send(w, QEvent::MouseMove, onButton + QPoint(30, 30), Qt::LeftButton);
    EXPECT_EQ(w->frameGeometry().topLeft(), moved);
}

} // namespace
