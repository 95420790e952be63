#pragma once

#include "platform/Speech.h"

#include <memory>

class QTextToSpeech;

// The real voice: the system's text-to-speech service (speech-dispatcher with
// espeak-ng voices). The service is started only when the engine is first used,
// not when it is installed, so a program that never speaks never starts it.
class SpeechEngine : public Speech::Engine
{
public:
    SpeechEngine();
    ~SpeechEngine() override;

    bool isSpeaking() override;
    void stop() override;
    void say(const QString& text) override;
    int voiceMode() override;
    void setVoiceMode(int mode) override;
    int ModeGender(int mode) override;
    int highVoice() override;
    void setHighVoice(int value) override;

private:
    QTextToSpeech* tts();
    void applyPreset();

    std::unique_ptr<QTextToSpeech> m_tts;
    int m_mode = 1;
    int m_high = 0;
};

// Creates the program's engine and installs it as Speech::engine() (once; later
// calls do nothing). The program's start calls it.
void InstallSpeechEngine();
