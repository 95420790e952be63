#include "Speech.h"

#include "RuntimeError.h"

namespace {

Speech::Engine* g_engine = nullptr;

void failIfAsked(int failWith)
{
    if (failWith != 0)
        throw RuntimeError::make(failWith);
}

} // namespace

namespace Speech {

const QVector<Preset>& Presets()
{
    // Rates and pitches stay inside what the synthesiser still speaks clearly.
    static const QVector<Preset> presets = {
        {QStringLiteral("Evening Anchor"), 1, 0.0, 0.0},
        {QStringLiteral("Morning Host"), 2, 0.1, 0.1},
        {QStringLiteral("Floor Reporter"), 1, 0.3, 0.1},
        {QStringLiteral("Market Analyst"), 2, -0.1, 0.0},
        {QStringLiteral("Radio Announcer"), 1, 0.2, -0.2},
        {QStringLiteral("Newsreader"), 2, 0.0, -0.1},
        {QStringLiteral("Senior Broker"), 1, -0.3, -0.4},
        {QStringLiteral("Young Trader"), 1, 0.5, 0.3},
        {QStringLiteral("Talk Show Host"), 2, 0.2, 0.3},
        {QStringLiteral("Old Professor"), 1, -0.5, -0.5},
        {QStringLiteral("Robot"), 1, -0.2, -1.0},
        {QStringLiteral("Chipmunk"), 2, 0.6, 1.0},
    };
    return presets;
}

QStringList PresetNames()
{
    QStringList names;
    for (const Preset& p : Presets())
        names << p.name;
    return names;
}

const Preset& PresetForMode(int mode)
{
    const auto& presets = Presets();
    if (mode < 1 || mode > presets.size())
        return presets.front();
    return presets[mode - 1];
}

void CheckVoiceMode(int mode)
{
    if (mode < 1 || mode > PresetCount)
        throw RuntimeError(380, QStringLiteral("Invalid property value"));
}

void RecordingEngine::reset()
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

bool RecordingEngine::isSpeaking()
{
    failIfAsked(failWith);
    return speaking;
}

void RecordingEngine::stop()
{
    failIfAsked(failWith);
    ++stops;
    speaking = false;
}

void RecordingEngine::say(const QString& text)
{
    failIfAsked(failWith);
    said << text;
}

int RecordingEngine::voiceMode()
{
    failIfAsked(failWith);
    return mode;
}

void RecordingEngine::setVoiceMode(int value)
{
    failIfAsked(failWith);
    CheckVoiceMode(value);
    mode = value;
    modesSet << value;
}

int RecordingEngine::ModeGender(int value)
{
    failIfAsked(failWith);
    return PresetForMode(value).gender;
}

int RecordingEngine::highVoice()
{
    failIfAsked(failWith);
    return high;
}

void RecordingEngine::setHighVoice(int value)
{
    failIfAsked(failWith);
    high = value;
    highSet << value;
}

RecordingEngine& recorder()
{
    static RecordingEngine r;
    return r;
}

Engine& engine()
{
    return g_engine ? *g_engine : recorder();
}

void install(Engine* e)
{
    g_engine = e;
}

} // namespace Speech
