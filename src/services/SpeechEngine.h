#pragma once

#include "platform/Speech.h"

#include <memory>

class QTextToSpeech;

// The real voice: the system's text-to-speech service (speech-dispatcher with
// espeak-ng voices). The service is started only when the engine is first used,
// not when it is installed, so a program that never speaks never starts it.
//
// A text is spoken one sentence at a time (Speech::SentenceQueue): when the service
// is done with a sentence the next one follows, and Rewind and Forward move through
// the queue. A service that has failed makes every later call raise RuntimeError 440,
// with errorCode telling what went wrong.
class SpeechEngine : public Speech::Engine
{
public:
    SpeechEngine();
    ~SpeechEngine() override;

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

private:
    QTextToSpeech* tts();
    void applyPreset();
    void checkService();
    // Speaks the queue's current sentence (the service drops what it was saying).
    void speakCurrent();
    // The service finished a sentence, or was stopped.
    void serviceReady();

    std::unique_ptr<QTextToSpeech> m_tts;
    Speech::SentenceQueue m_queue;
    bool m_active = false;    // a text is being read (possibly paused)
    bool m_paused = false;
    bool m_awaitingStart = false;  // a sentence was handed over and has not started yet
    int m_mode = 1;
    int m_high = 0;
    int m_error = 0;
};

// Creates the program's engine, run on a thread of its own (Speech::ThreadedEngine),
// and installs it as Speech::engine() (once; later calls do nothing). The program's
// start calls it.
void InstallSpeechEngine();
