#include "RecordingSpeech.h"

#include "platform/RuntimeError.h"

namespace test {

namespace {

void failIfAsked(int failWith)
{
    if (failWith != 0)
        throw RuntimeError::make(failWith);
}

} // namespace

void RecordingSpeech::reset()
{
    speaking = false;
    mode = 1;
    high = 0;
    stops = 0;
    said.clear();
    modesSet.clear();
    highSet.clear();
    failWith = 0;
}

bool RecordingSpeech::isSpeaking()
{
    failIfAsked(failWith);
    return speaking;
}

void RecordingSpeech::stop()
{
    failIfAsked(failWith);
    ++stops;
    speaking = false;
}

void RecordingSpeech::say(const QString& text)
{
    failIfAsked(failWith);
    said << text;
}

int RecordingSpeech::voiceMode()
{
    failIfAsked(failWith);
    return mode;
}

void RecordingSpeech::setVoiceMode(int value)
{
    failIfAsked(failWith);
    Speech::CheckVoiceMode(value);
    mode = value;
    modesSet << value;
}

int RecordingSpeech::ModeGender(int value)
{
    failIfAsked(failWith);
    return Speech::PresetForMode(value).gender;
}

int RecordingSpeech::highVoice()
{
    failIfAsked(failWith);
    return high;
}

void RecordingSpeech::setHighVoice(int value)
{
    failIfAsked(failWith);
    high = value;
    highSet << value;
}

RecordingSpeech& speech()
{
    static RecordingSpeech s;
    return s;
}

} // namespace test
