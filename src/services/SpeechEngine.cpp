#include "SpeechEngine.h"

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

SpeechEngine::SpeechEngine() = default;
SpeechEngine::~SpeechEngine() = default;

QTextToSpeech* SpeechEngine::tts()
{
#if TW_HAVE_TTS
    if (!m_tts) {
        m_tts = std::make_unique<QTextToSpeech>();
        applyPreset();
    }
#endif
    return m_tts.get();
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

bool SpeechEngine::isSpeaking()
{
#if TW_HAVE_TTS
    // Nothing speaks before the service was started.
    return m_tts && m_tts->state() == QTextToSpeech::Speaking;
#else
    return false;
#endif
}

void SpeechEngine::stop()
{
#if TW_HAVE_TTS
    if (m_tts)
        m_tts->stop();
#endif
}

void SpeechEngine::say(const QString& text)
{
#if TW_HAVE_TTS
    if (QTextToSpeech* t = tts())
        t->say(text);
#else
    Q_UNUSED(text);
#endif
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

SpeechEngine* g_installed = nullptr;

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
    g_installed = new SpeechEngine;
    Speech::install(g_installed);
    qAddPostRoutine(dropEngine);
}
