#include "platform/SpeechThread.h"

#include "platform/RuntimeError.h"

#include <QPointer>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <exception>

namespace Speech {

enum class ThreadedEngine::Op { Say, Stop, Pause, Resume, Rewind, Forward, Mode, High };

// What the program's thread and the engine's thread both read. The engine's thread
// may outlive the engine object (it is left behind when the service never answers).
struct SpeechShared {
    // Commands up to this number were given up (the engine did not answer): the
    // thread drops its engine instead of carrying them out.
    std::atomic<quint64> abandonedUpTo{0};
};

// Lives on the engine's thread and owns the engine there.
class SpeechWorker : public QObject
{
    Q_OBJECT

public:
    SpeechWorker(ThreadedEngine::Factory make, std::shared_ptr<SpeechShared> shared)
        : m_make(std::move(make)), m_shared(std::move(shared))
    {
    }

    void run(int op, const QString& text, int value, quint64 seq)
    {
        using Op = ThreadedEngine::Op;
        m_seq = seq;
        if (seq <= m_shared->abandonedUpTo) {
            drop();
            emit answered(seq, false, 0);
            return;
        }
        int error = 0;
        try {
            switch (Op(op)) {
            case Op::Mode:
                m_mode = value;
                if (m_engine)
                    m_engine->setVoiceMode(value);
                break;
            case Op::High:
                m_high = value;
                if (m_engine)
                    m_engine->setHighVoice(value);
                break;
            case Op::Say:
                if (!m_engine)
                    make();
                m_engine->say(text);
                break;
            default:
                // Nothing is spoken before the first say.
                if (m_engine)
                    runOn(*m_engine, Op(op));
                break;
            }
            error = m_engine ? m_engine->errorCode() : 0;
        } catch (const RuntimeError& e) {
            error = failureCode(e.number());
        } catch (const std::exception&) {
            error = failureCode(kServiceFailed);
        }
        if (seq <= m_shared->abandonedUpTo)
            error = 0;  // told already, when the answer did not come
        answer(error);
    }

    void shutDown()
    {
        drop();
        thread()->quit();
    }

signals:
    void answered(quint64 seq, bool speaking, int error);

private:
    // The number a failed call stands for when the engine names no error of its own.
    static constexpr int kServiceFailed = 440;

    void make()
    {
        m_engine = m_make();
        m_engine->setVoiceMode(m_mode);
        m_engine->setHighVoice(m_high);
        if (!m_poll) {
            // The engine tells the end of a text and its failures only when asked.
            m_poll = new QTimer(this);
            m_poll->setInterval(250);
            connect(m_poll, &QTimer::timeout, this, [this] { poll(); });
        }
        m_poll->start();
    }

    static void runOn(Engine& engine, ThreadedEngine::Op op)
    {
        using Op = ThreadedEngine::Op;
        switch (op) {
        case Op::Stop: engine.stop(); break;
        case Op::Pause: engine.pause(); break;
        case Op::Resume: engine.resume(); break;
        case Op::Rewind: engine.rewind(); break;
        case Op::Forward: engine.skipForward(); break;
        default: break;
        }
    }

    int failureCode(int raised)
    {
        const int own = m_engine ? m_engine->errorCode() : 0;
        return own != 0 ? own : raised;
    }

    void poll()
    {
        if (!m_engine)
            return;
        int error = 0;
        bool speaking = false;
        try {
            error = m_engine->errorCode();
            speaking = error == 0 && m_engine->isSpeaking();
        } catch (const std::exception&) {
            error = failureCode(kServiceFailed);
        }
        if (error != 0 || speaking != m_spoke)
            answer(error);
    }

    // Tells the program's thread how the engine stands after command m_seq; an
    // engine that failed is dropped.
    void answer(int error)
    {
        bool speaking = false;
        if (error == 0 && m_engine) {
            try {
                speaking = m_engine->isSpeaking();
            } catch (const std::exception&) {
                error = failureCode(kServiceFailed);
            }
        }
        if (error != 0 || (m_engine && m_seq <= m_shared->abandonedUpTo))
            drop();
        m_spoke = speaking;
        emit answered(m_seq, speaking, error);
    }

    void drop()
    {
        if (m_poll)
            m_poll->stop();
        m_engine.reset();
        m_spoke = false;
    }

    ThreadedEngine::Factory m_make;
    std::shared_ptr<SpeechShared> m_shared;
    std::unique_ptr<Engine> m_engine;
    QTimer* m_poll = nullptr;
    quint64 m_seq = 0;   // the last command carried out
    bool m_spoke = false;  // the speaking state last told
    int m_mode = 1;
    int m_high = 0;
};

ThreadedEngine::ThreadedEngine(Factory make, int answerLimitMs)
    : m_shared(std::make_shared<SpeechShared>()), m_answerLimitMs(answerLimitMs)
{
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("Speech"));
    m_worker = new SpeechWorker(std::move(make), m_shared);
    m_worker->moveToThread(m_thread);
    connect(m_worker, &SpeechWorker::answered, this, &ThreadedEngine::answered, Qt::QueuedConnection);
    m_watch = new QTimer(this);
    m_watch->setSingleShot(true);
    connect(m_watch, &QTimer::timeout, this, &ThreadedEngine::noAnswer);
}

ThreadedEngine::~ThreadedEngine()
{
    disconnect(m_worker, nullptr, this, nullptr);
    QPointer<SpeechWorker> worker(m_worker);
    QMetaObject::invokeMethod(m_worker, [worker] {
        if (worker)
            worker->shutDown();
    });
    // A thread caught in a service that never answers is left to the end of the
    // process rather than waited for.
    if (m_thread->wait(2000)) {
        delete m_worker;
        delete m_thread;
    }
}

bool ThreadedEngine::busy() const
{
    return m_answered < m_posted;
}

void ThreadedEngine::post(Op op, const QString& text, int value)
{
    if (m_stuck)
        return;
    if (!m_thread->isRunning())
        m_thread->start();
    const quint64 seq = ++m_posted;
    SpeechWorker* worker = m_worker;
    QMetaObject::invokeMethod(m_worker, [worker, op, text, value, seq] { worker->run(int(op), text, value, seq); });
    if (!m_watch->isActive())
        m_watch->start(m_answerLimitMs);
}

void ThreadedEngine::answered(quint64 seq, bool speaking, int error)
{
    if (seq > m_answered)
        m_answered = seq;
    if (m_stuck && m_answered >= m_shared->abandonedUpTo) {
        // Answering again, with its engine dropped: the next one gets the voice.
        m_stuck = false;
        post(Op::Mode, QString(), m_mode);
        post(Op::High, QString(), m_high);
    }
    if (error != 0)
        fail(error);
    else if (seq == m_posted)
        m_speaking = speaking;  // caught up: the engine's word counts
    if (busy())
        m_watch->start(m_answerLimitMs);  // still answering: the limit starts again
    else
        m_watch->stop();
}

void ThreadedEngine::noAnswer()
{
    if (!busy())
        return;
    m_stuck = true;
    m_shared->abandonedUpTo = m_posted;
    fail(NoAnswer);
}

void ThreadedEngine::fail(int code)
{
    m_error = code;
    m_speaking = false;
    m_hasText = false;
    if (m_told)
        return;
    m_told = true;
    reportFailure(code);
}

bool ThreadedEngine::isSpeaking()
{
    return m_speaking;
}

void ThreadedEngine::stop()
{
    m_speaking = false;
    m_hasText = false;
    post(Op::Stop);
}

void ThreadedEngine::say(const QString& text)
{
    // A new text may fail again, and is told again.
    m_told = false;
    m_error = 0;
    m_hasText = !text.trimmed().isEmpty();
    m_speaking = m_hasText;
    if (m_stuck) {
        // The engine still has not answered: this text is as good as lost. Told from
        // the event loop, never from inside the caller's call.
        QTimer::singleShot(0, this, [this] { fail(NoAnswer); });
        return;
    }
    post(Op::Say, text);
}

void ThreadedEngine::pause()
{
    m_speaking = false;
    post(Op::Pause);
}

void ThreadedEngine::resume()
{
    m_speaking = m_hasText;
    post(Op::Resume);
}

void ThreadedEngine::rewind()
{
    m_speaking = m_hasText;
    post(Op::Rewind);
}

void ThreadedEngine::skipForward()
{
    m_speaking = m_hasText;
    post(Op::Forward);
}

int ThreadedEngine::errorCode()
{
    return m_error;
}

int ThreadedEngine::voiceMode()
{
    return m_mode;
}

void ThreadedEngine::setVoiceMode(int mode)
{
    CheckVoiceMode(mode);
    m_mode = mode;
    post(Op::Mode, QString(), mode);
}

int ThreadedEngine::ModeGender(int mode)
{
    return PresetForMode(mode).gender;
}

int ThreadedEngine::highVoice()
{
    return m_high;
}

void ThreadedEngine::setHighVoice(int value)
{
    m_high = value == 0 ? 0 : 1;
    post(Op::High, QString(), m_high);
}

} // namespace Speech

#include "SpeechThread.moc"
