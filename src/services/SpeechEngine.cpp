#include "SpeechEngine.h"

#include "platform/RuntimeError.h"
#include "platform/SpeechThread.h"

#include <QCoreApplication>
#include <QtGlobal>

#if __has_include(<QTextToSpeech>)
#include <QTextToSpeech>
#include <QVoice>
#define TW_HAVE_TTS 1
#else
#define TW_HAVE_TTS 0
#endif

#if !TW_HAVE_TTS
class QTextToSpeech
{
};
#endif

namespace {

// The number a call raises when the speech service has failed ("Automation error").
constexpr int kServiceFailed = 440;

} // namespace

SpeechEngine::SpeechEngine() = default;

SpeechEngine::~SpeechEngine()
{
#if TW_HAVE_TTS
    if (m_tts)
        QObject::disconnect(m_tts.get(), nullptr, nullptr, nullptr);
#endif
}

QTextToSpeech* SpeechEngine::tts()
{
#if TW_HAVE_TTS
    if (!m_tts) {
        m_tts = std::make_unique<QTextToSpeech>();
        QObject::connect(m_tts.get(), &QTextToSpeech::stateChanged, m_tts.get(),
                         [this](QTextToSpeech::State state) {
                             if (state == QTextToSpeech::Speaking)
                                 m_awaitingStart = false;
                             else if (state == QTextToSpeech::Ready)
                                 serviceReady();
                             else if (state == QTextToSpeech::Error)
                                 m_error = int(m_tts->errorReason());
                         });
        QObject::connect(m_tts.get(), &QTextToSpeech::errorOccurred, m_tts.get(),
                         [this](QTextToSpeech::ErrorReason reason, const QString&) { m_error = int(reason); });
        applyPreset();
    }
#endif
    return m_tts.get();
}

void SpeechEngine::checkService()
{
#if TW_HAVE_TTS
    if (m_tts && m_tts->state() == QTextToSpeech::Error) {
        if (m_error == 0)
            m_error = int(m_tts->errorReason());
        throw RuntimeError(kServiceFailed, QStringLiteral("Automation error"), QStringLiteral("TextToSpeech"));
    }
#endif
}

void SpeechEngine::applyPreset()
{
#if TW_HAVE_TTS
    if (!m_tts)
        return;
    const Speech::Preset& preset = Speech::PresetForMode(m_mode);
    m_tts->setRate(preset.rate);
    m_tts->setPitch(preset.pitch);
    // A voice of the wanted gender when the system has one; else the one in use.
    const QVoice::Gender wanted = m_high == 1 ? QVoice::Female : QVoice::Male;
    const QList<QVoice> voices = m_tts->availableVoices();
    for (const QVoice& v : voices) {
        if (v.gender() == wanted) {
            m_tts->setVoice(v);
            break;
        }
    }
#endif
}

void SpeechEngine::speakCurrent()
{
#if TW_HAVE_TTS
    QTextToSpeech* t = tts();
    if (!t)
        return;
    checkService();
    if (m_queue.atEnd()) {
        m_active = false;
        m_awaitingStart = false;
        if (t->state() != QTextToSpeech::Ready)
            t->stop();
        return;
    }
    m_active = true;
    m_paused = false;
    // The service cuts short what it was saying; the Ready it reports for that comes
    // before the new sentence starts, and must not move the queue on.
    m_awaitingStart = true;
    t->say(m_queue.current());
#endif
}

void SpeechEngine::serviceReady()
{
    if (m_awaitingStart || !m_active)
        return;
    if (m_paused) {
        // The sentence ended just as the pause came: resume starts the next one.
        m_queue.advance();
        return;
    }
    if (m_queue.advance())
        speakCurrent();
    else
        m_active = false;
}

bool SpeechEngine::isSpeaking()
{
    // Nothing speaks before the service was started.
    return m_tts && m_active && !m_paused;
}

void SpeechEngine::stop()
{
    m_active = false;
    m_paused = false;
    m_awaitingStart = false;
    m_queue.clear();
#if TW_HAVE_TTS
    if (m_tts)
        m_tts->stop();
#endif
}

void SpeechEngine::say(const QString& text)
{
#if TW_HAVE_TTS
    if (!tts())
        return;
    m_queue.load(text);
    speakCurrent();
#else
    Q_UNUSED(text);
#endif
}

void SpeechEngine::pause()
{
#if TW_HAVE_TTS
    if (!m_tts || !m_active)
        return;
    checkService();
    m_paused = true;
    m_tts->pause();
#endif
}

void SpeechEngine::resume()
{
#if TW_HAVE_TTS
    if (!m_tts || !m_active || !m_paused)
        return;
    checkService();
    m_paused = false;
    if (m_tts->state() == QTextToSpeech::Ready)
        speakCurrent();  // the pause came between two sentences
    else
        m_tts->resume();
#endif
}

void SpeechEngine::rewind()
{
    if (!m_tts || m_queue.sentences().isEmpty())
        return;
    m_queue.back();
    speakCurrent();
}

void SpeechEngine::skipForward()
{
    if (!m_tts || !m_active)
        return;
    m_queue.advance();
    speakCurrent();
}

int SpeechEngine::errorCode()
{
    return m_error;
}

int SpeechEngine::voiceMode()
{
    return m_mode;
}

void SpeechEngine::setVoiceMode(int mode)
{
    Speech::CheckVoiceMode(mode);
    m_mode = mode;
    applyPreset();
}

int SpeechEngine::ModeGender(int mode)
{
    return Speech::PresetForMode(mode).gender;
}

int SpeechEngine::highVoice()
{
    return m_high;
}

void SpeechEngine::setHighVoice(int value)
{
    m_high = value == 0 ? 0 : 1;
    applyPreset();
}

namespace {

Speech::ThreadedEngine* g_installed = nullptr;

// The speech service must go before the application object does.
void dropEngine()
{
    Speech::install(nullptr);
    delete g_installed;
    g_installed = nullptr;
}

} // namespace

void InstallSpeechEngine()
{
    if (g_installed)
        return;
    // The service is worked from a thread of its own: a call into it may wait for
    // the sound device for ever, and the windows must not wait with it.
    g_installed = new Speech::ThreadedEngine([] { return std::make_unique<SpeechEngine>(); });
    Speech::install(g_installed);
    qAddPostRoutine(dropEngine);
}
