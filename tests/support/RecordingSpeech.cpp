#include "RecordingSpeech.h"

#include "platform/RuntimeError.h"

namespace test {

namespace {

void failIfAsked(RecordingSpeech& engine)
{
    if (engine.failWith != 0) {
        engine.error = engine.failWith;
        throw RuntimeError::make(engine.failWith);
    }
}

} // namespace

void RecordingSpeech::reset()
{
    speaking = false;
    mode = 1;
    high = 0;
    stops = 0;
    said.clear();
    calls.clear();
    error = 0;
    m_text.clear();
    modesSet.clear();
    highSet.clear();
    failWith = 0;
}

bool RecordingSpeech::isSpeaking()
{
    failIfAsked(*this);
    return speaking;
}

void RecordingSpeech::stop()
{
    failIfAsked(*this);
    ++stops;
    calls << QStringLiteral("stop");
    speaking = false;
    m_text.clear();
}

void RecordingSpeech::say(const QString& text)
{
    failIfAsked(*this);
    said << text;
    m_text = text.trimmed();
    speaking = !m_text.isEmpty();
}

void RecordingSpeech::pause()
{
    failIfAsked(*this);
    calls << QStringLiteral("pause");
    speaking = false;
}

void RecordingSpeech::resume()
{
    failIfAsked(*this);
    calls << QStringLiteral("resume");
    speaking = !m_text.isEmpty();
}

void RecordingSpeech::rewind()
{
    failIfAsked(*this);
    calls << QStringLiteral("rewind");
    speaking = !m_text.isEmpty();
}

void RecordingSpeech::skipForward()
{
    failIfAsked(*this);
    calls << QStringLiteral("skipForward");
    speaking = !m_text.isEmpty();
}

int RecordingSpeech::errorCode()
{
    // Read by the error handlers themselves, so it never fails.
    return error;
}

int RecordingSpeech::voiceMode()
{
    failIfAsked(*this);
    return mode;
}

void RecordingSpeech::setVoiceMode(int value)
{
    failIfAsked(*this);
    Speech::CheckVoiceMode(value);
    mode = value;
    modesSet << value;
}

int RecordingSpeech::ModeGender(int value)
{
    failIfAsked(*this);
    return Speech::PresetForMode(value).gender;
}

int RecordingSpeech::highVoice()
{
    failIfAsked(*this);
    return high;
}

void RecordingSpeech::setHighVoice(int value)
{
    failIfAsked(*this);
    high = value;
    highSet << value;
}

RecordingSpeech& speech()
{
    static RecordingSpeech s;
    return s;
}

} // namespace test
