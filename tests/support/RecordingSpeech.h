#pragma once

#include "platform/Speech.h"

#include <QStringList>
#include <QVector>

namespace test {

// Remembers every call instead of speaking; main() installs it for every test program.
class RecordingSpeech : public Speech::Engine
{
public:
    bool speaking = false;
    int mode = 1;
    int high = 0;
    int stops = 0;
    QStringList said;
    QVector<int> modesSet;
    QVector<int> highSet;
    // When set, every member raises RuntimeError(failWith) (a broken speech service).
    int failWith = 0;

    void reset();

    bool isSpeaking() override;
    void stop() override;
    void say(const QString& text) override;
    int voiceMode() override;
    void setVoiceMode(int mode) override;
    int ModeGender(int mode) override;
    int highVoice() override;
    void setHighVoice(int value) override;
};

RecordingSpeech& speech();

} // namespace test
