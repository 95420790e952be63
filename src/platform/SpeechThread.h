#pragma once

#include "platform/Speech.h"

#include <QObject>

#include <functional>
#include <memory>

class QThread;
class QTimer;

namespace Speech {

class SpeechWorker;
struct SpeechShared;

// Runs an engine on a thread of its own, so that no call from a window ever waits on
// the speech service: a service that cannot open the sound device may not answer at
// all. Every member returns at once. The commands go to the thread in order; the
// speaking state follows each command as it is given (say speaks, pause holds, stop
// ends) and is then corrected by what the engine reports once it has caught up with
// them (a text spoken to its end). Mode and gender are kept here and handed on.
//
// A failure of the engine (a call that raised an error, an error it reports while
// speaking, or a command it left unanswered for the answer limit) reaches the
// failure listener once; the voice then counts as silent, and the engine is dropped
// (the next say makes a new one). An engine that does not answer gets no more
// commands until it does: a say meanwhile is told as the same failure at once.
class ThreadedEngine : public QObject, public Engine
{
    Q_OBJECT

public:
    using Factory = std::function<std::unique_ptr<Engine>()>;

    // Long enough for the first say to start the speech service.
    static constexpr int DefaultAnswerLimitMs = 10000;

    // make runs on the engine's thread, when the first text is said.
    explicit ThreadedEngine(Factory make, int answerLimitMs = DefaultAnswerLimitMs);
    ~ThreadedEngine() override;

    bool isSpeaking() override;
    void stop() override;
    void say(const QString& text) override;
    void pause() override;
    void resume() override;
    void rewind() override;
    void skipForward() override;
    int errorCode() override;
    int voiceMode() override;
    void setVoiceMode(int mode) override;
    int ModeGender(int mode) override;
    int highVoice() override;
    void setHighVoice(int value) override;

    // True while a command waits for the engine's answer.
    bool busy() const;

private:
    friend class SpeechWorker;
    enum class Op;
    void post(Op op, const QString& text = QString(), int value = 0);
    void answered(quint64 seq, bool speaking, int error);
    void noAnswer();
    void fail(int code);

    std::shared_ptr<SpeechShared> m_shared;
    QThread* m_thread = nullptr;
    SpeechWorker* m_worker = nullptr;
    QTimer* m_watch = nullptr;
    int m_answerLimitMs;
    quint64 m_posted = 0;    // number of the last command given to the thread
    quint64 m_answered = 0;  // number of the last command the thread answered
    bool m_stuck = false;    // a command went unanswered past the limit
    bool m_told = false;     // the failure of this text was told
    bool m_speaking = false;
    bool m_hasText = false;
    int m_error = 0;
    int m_mode = 1;
    int m_high = 0;
};

} // namespace Speech
