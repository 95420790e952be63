#pragma once

#include "platform/Speech.h"

#include <QStringList>
#include <QVector>

namespace test {

// Remembers every call instead of speaking; main() installs it for every test program.
// It speaks from say (of a text that is not blank) until stop or pause, and again
// from resume, rewind or skipForward while it holds a text.
class RecordingSpeech : public Speech::Engine
{
public:
    bool speaking = false;
    int mode = 1;
    int high = 0;
    int stops = 0;
    QStringList said;
    // Every call of stop, pause, resume, rewind and skipForward, by those names, in order.
    QStringList calls;
    // What errorCode answers; a failing member sets it to failWith.
    int error = 0;
    QVector<int> modesSet;
    QVector<int> highSet;
    // When set, every member raises RuntimeError(failWith) (a broken speech service).
    int failWith = 0;

    void reset();

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
    QString m_text;  // the text said last, until stop
};

RecordingSpeech& speech();

} // namespace test
