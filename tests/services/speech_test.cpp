// Spoken quotes: the texts read aloud, the speech window's buttons and their
// enabling against the recording engine, an engine that fails under a button, and
// the voice on its own thread: one that never answers and one that fails.
#include "IsolatedStore.h"
#include "RecordingSpeech.h"

#include "core/WindowEffects.h"
#include "platform/AppPath.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "platform/Speech.h"
#include "platform/SpeechThread.h"
#include "services/SpeechSession.h"
#include "services/frmSpeech.h"
#include "stockdata/ProgramState.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QMutex>
#include <QTest>
#include <QWaitCondition>

#include <array>
#include <memory>
#include <optional>

namespace {

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
    EXPECT_EQ(SpokenPriceLine(row), rt::CrLf + QStringLiteral("Acme Tools, Last Price: 105 1/4, change: -1.50, -1.4%."));
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
    EXPECT_EQ(AllStockPrices(), rt::CrLf + QStringLiteral("AAA Corp, Last Price: 10.25, change: +0.1, +1.5%.") + rt::CrLf
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

// ---- the voice on its own thread

// What the engines made for one ThreadedEngine share with the test: every call in
// order, and how they behave. Held, every call waits until let go (a speech service
// that cannot open the sound device and never answers).
struct VoiceScript
{
    QMutex mutex;
    QWaitCondition letGo;
    bool hold = false;
    int inside = 0;       // calls waiting now
    int made = 0;         // engines made
    int raiseOnSay = 0;   // say raises an error, and errorCode reads this
    int laterError = 0;   // errorCode reads this once a text was said
    bool speaking = false;
    QStringList calls;

    void release()
    {
        QMutexLocker lock(&mutex);
        hold = false;
        letGo.wakeAll();
    }
    int waiting()
    {
        QMutexLocker lock(&mutex);
        return inside;
    }
    QStringList said()
    {
        QMutexLocker lock(&mutex);
        QStringList out;
        for (const QString& c : calls)
            if (c.startsWith(QLatin1String("say:")) || c == QLatin1String("stop"))
                out << c;
        return out;
    }
};

class ScriptedVoice : public Speech::Engine
{
public:
    explicit ScriptedVoice(std::shared_ptr<VoiceScript> script) : m_script(std::move(script))
    {
        QMutexLocker lock(&m_script->mutex);
        ++m_script->made;
    }

    bool isSpeaking() override
    {
        QMutexLocker lock(&m_script->mutex);
        return m_script->speaking;
    }
    void stop() override { call(QStringLiteral("stop"), false); }
    void say(const QString& text) override
    {
        call(QStringLiteral("say:") + text, true);
        QMutexLocker lock(&m_script->mutex);
        m_said = true;
        if (m_script->raiseOnSay != 0)
            throw RuntimeError(440, QStringLiteral("Automation error"), QStringLiteral("TextToSpeech"));
    }
    void pause() override { call(QStringLiteral("pause"), false); }
    void resume() override { call(QStringLiteral("resume"), true); }
    void rewind() override { call(QStringLiteral("rewind"), true); }
    void skipForward() override { call(QStringLiteral("skipForward"), true); }
    int errorCode() override
    {
        QMutexLocker lock(&m_script->mutex);
        if (m_said && m_script->raiseOnSay != 0)
            return m_script->raiseOnSay;
        return m_said ? m_script->laterError : 0;
    }
    int voiceMode() override { return 1; }
    void setVoiceMode(int mode) override { call(QStringLiteral("mode:%1").arg(mode), std::nullopt); }
    int ModeGender(int mode) override { return Speech::PresetForMode(mode).gender; }
    int highVoice() override { return 0; }
    void setHighVoice(int value) override { call(QStringLiteral("high:%1").arg(value), std::nullopt); }

private:
    void call(const QString& name, std::optional<bool> speaks)
    {
        QMutexLocker lock(&m_script->mutex);
        m_script->calls << name;
        ++m_script->inside;
        // Bounded, so that a voice wrongly waited for fails the test instead of hanging it.
        while (m_script->hold)
            if (!m_script->letGo.wait(&m_script->mutex, 60000))
                break;
        --m_script->inside;
        if (speaks)
            m_script->speaking = *speaks;
    }

    std::shared_ptr<VoiceScript> m_script;
    bool m_said = false;
};

class ThreadedSpeechTest : public SpeechTest
{
protected:
    void TearDown() override
    {
        m_script->release();
        if (m_voice) {
            (void)QTest::qWaitFor([&] { return !m_voice->busy(); }, 20000);
            Speech::install(&test::speech());
            if (frmSpeech* w = frmSpeech::instance())
                delete w;
            m_voice.reset();
        }
        SpeechTest::TearDown();
    }

    Speech::ThreadedEngine& voice(int answerLimitMs)
    {
        const std::shared_ptr<VoiceScript> script = m_script;
        m_voice = std::make_unique<Speech::ThreadedEngine>(
            [script] { return std::make_unique<ScriptedVoice>(script); }, answerLimitMs);
        Speech::install(m_voice.get());
        return *m_voice;
    }

    // The window as the Ticker menu's "Put on air" opens it.
    static frmSpeech* speak(const QString& text)
    {
        frmSpeech* w = frmSpeech::Load(nullptr);
        w->BeginSpeak();
        w->show();
        w->Speak(text);
        return w;
    }

    static bool told(int count)
    {
        return QTest::qWaitFor([&] { return test::dialogs().shown.size() >= count; }, 20000);
    }

    std::shared_ptr<VoiceScript> m_script = std::make_shared<VoiceScript>();
    std::unique_ptr<Speech::ThreadedEngine> m_voice;
};

TEST_F(ThreadedSpeechTest, TheWindowNeverWaitsForAVoiceThatDoesNotAnswer)
{
    m_script->hold = true;
    Speech::ThreadedEngine& v = voice(60000);
    // Prices on air, Close, and the same again, while the voice is caught in the first say.
    for (int round = 0; round < 2; ++round) {
        frmSpeech* w = speak(QStringLiteral("Acme, Last Price: 10.25."));
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_script->waiting() == 1; }, 20000));
        EXPECT_TRUE(w->lblNav[SpeechSession::Pause]->isEnabled()) << round;
        w->lblNav_Click(SpeechSession::Close);
        test::settle();
        EXPECT_EQ(frmSpeech::instance(), nullptr) << round;
    }
    EXPECT_EQ(m_script->waiting(), 1);
    EXPECT_TRUE(v.busy());
    EXPECT_TRUE(test::dialogs().shown.isEmpty());

    // Once it answers, it gets every command in order.
    m_script->release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !v.busy(); }, 20000));
    const QString say = QStringLiteral("say:Acme, Last Price: 10.25.");
    EXPECT_EQ(m_script->said(), (QStringList{say, QStringLiteral("stop"), say, QStringLiteral("stop")}));
    EXPECT_FALSE(v.isSpeaking());
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
}

TEST_F(ThreadedSpeechTest, AVoiceThatDoesNotAnswerIsToldOnceForEachTextAndComesBack)
{
    m_script->hold = true;
    Speech::ThreadedEngine& v = voice(200);
    speak(QStringLiteral("One."));
    ASSERT_TRUE(told(1));
    test::settle();
    EXPECT_EQ(test::dialogs().shown[0].prompt, QStringLiteral("Error using speech engine, 800705B4"));
    EXPECT_EQ(test::dialogs().shown[0].buttons, 0);
    EXPECT_EQ(frmSpeech::instance(), nullptr);
    EXPECT_FALSE(v.isSpeaking());
    EXPECT_TRUE(errorLog().contains(QStringLiteral("Where: frmSpeech_lblNav_Click"))) << errorLog().toStdString();

    // Asked again while it still hangs: this text is told at once, and only once.
    speak(QStringLiteral("Two."));
    ASSERT_TRUE(told(2));
    test::settle();
    EXPECT_EQ(frmSpeech::instance(), nullptr);
    EXPECT_EQ(m_script->waiting(), 1);

    // When the service answers at last, the next text gets a new engine with the voice set.
    v.setVoiceMode(5);
    m_script->release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !v.busy(); }, 20000));
    speak(QStringLiteral("Three."));
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_script->said().contains(QStringLiteral("say:Three.")); }, 20000));
    EXPECT_EQ(m_script->made, 2);
    {
        QMutexLocker lock(&m_script->mutex);
        EXPECT_EQ(m_script->calls.mid(m_script->calls.indexOf(QStringLiteral("say:Three.")) - 2, 3),
                  (QStringList{QStringLiteral("mode:5"), QStringLiteral("high:0"), QStringLiteral("say:Three.")}));
    }
    EXPECT_EQ(test::dialogs().shown.size(), 2);
    EXPECT_NE(frmSpeech::instance(), nullptr);
}

TEST_F(ThreadedSpeechTest, AnEngineErrorIsToldOnceAndClosesTheWindow)
{
    const struct
    {
        int raiseOnSay;
        int laterError;
        const char* message;
    } cases[] = {
        {-2147467259, 0, "Error using speech engine, 80004005"},  // say itself fails
        {0, 4, "Error using speech engine, 4"},                    // the sound device fails while speaking
    };
    for (const auto& c : cases) {
        test::dialogs().reset();
        m_script = std::make_shared<VoiceScript>();
        m_script->raiseOnSay = c.raiseOnSay;
        m_script->laterError = c.laterError;
        Speech::ThreadedEngine& v = voice(60000);
        speak(QStringLiteral("Acme beats estimates."));
        ASSERT_TRUE(told(1)) << c.message;
        ASSERT_TRUE(QTest::qWaitFor([&] { return !v.busy(); }, 20000));
        test::settle();
        ASSERT_EQ(test::dialogs().shown.size(), 1) << c.message;
        EXPECT_EQ(test::dialogs().shown[0].prompt, QString::fromLatin1(c.message));
        EXPECT_EQ(frmSpeech::instance(), nullptr) << c.message;
        EXPECT_FALSE(v.isSpeaking()) << c.message;

        // The program goes on: once the engine works, a new text is spoken.
        {
            QMutexLocker lock(&m_script->mutex);
            m_script->raiseOnSay = 0;
            m_script->laterError = 0;
        }
        frmSpeech* w = speak(QStringLiteral("Again."));
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_script->said().contains(QStringLiteral("say:Again.")); }, 20000));
        EXPECT_TRUE(w->lblNav[SpeechSession::Pause]->isEnabled());
        EXPECT_EQ(test::dialogs().shown.size(), 1) << c.message;
        EXPECT_EQ(m_script->made, 2) << c.message;
        delete w;
    }
}

TEST_F(ThreadedSpeechTest, TheSpeakingStateFollowsTheCommandsAndThenTheEngine)
{
    Speech::ThreadedEngine& v = voice(60000);
    EXPECT_FALSE(v.isSpeaking());
    v.say(QStringLiteral("One. Two."));
    EXPECT_TRUE(v.isSpeaking());  // at once, before the engine has it
    v.pause();
    EXPECT_FALSE(v.isSpeaking());
    v.resume();
    EXPECT_TRUE(v.isSpeaking());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !v.busy(); }, 20000));
    EXPECT_TRUE(v.isSpeaking());
    // The engine reaches the end of the text.
    {
        QMutexLocker lock(&m_script->mutex);
        m_script->speaking = false;
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return !v.isSpeaking(); }, 20000));
    v.say(QStringLiteral("  "));
    EXPECT_FALSE(v.isSpeaking());
    EXPECT_THROW(v.setVoiceMode(13), RuntimeError);
    v.setVoiceMode(12);
    v.setHighVoice(7);
    EXPECT_EQ(v.voiceMode(), 12);
    EXPECT_EQ(v.highVoice(), 1);
    EXPECT_EQ(v.errorCode(), 0);
}

} // namespace
