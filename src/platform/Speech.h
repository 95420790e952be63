#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The program's voice: speaking prices and headlines, and the twelve voice presets
// the Options window offers under "Select Broadcaster:".
//
// A voice mode is a 1-based preset number (1..12). Each preset names a voice
// gender, a speaking rate and a pitch; the engine picks a voice of the system that
// fits. The Options window works the engine through five members only: whether it
// is speaking, stop, the current mode (read and written), the gender a mode asks
// for (ModeGender: 1 male, 2 female) and the gender of voice to look for
// (setHighVoice: 0 a male voice, 1 a female one).
//
// The program installs the real engine (services/SpeechEngine) at start; tests
// install a recording one, so they never start a speech daemon.
namespace Speech {

struct Preset
{
    QString name;
    int gender;    // 1 male, 2 female
    double rate;   // -1..1, 0 = normal
    double pitch;  // -1..1, 0 = normal
};

inline constexpr int PresetCount = 12;
// The twelve presets in list order; preset k is voice mode k + 1.
const QVector<Preset>& Presets();
// The names in list order (the Options window's voice list).
QStringList PresetNames();
// The preset of a 1-based mode; mode 1 for a mode outside 1..12.
const Preset& PresetForMode(int mode);
// What every engine's setVoiceMode does first: RuntimeError 380 for a mode outside 1..12.
void CheckVoiceMode(int mode);

class Engine
{
public:
    virtual ~Engine() = default;

    virtual bool isSpeaking() = 0;
    virtual void stop() = 0;
    virtual void say(const QString& text) = 0;

    // 1-based preset number. Setting a mode outside 1..12 raises RuntimeError 380.
    virtual int voiceMode() = 0;
    virtual void setVoiceMode(int mode) = 0;
    // The gender the preset of mode asks for: 1 male, 2 female.
    virtual int ModeGender(int mode) = 0;
    // 0: look for a male voice, 1: a female one.
    virtual int highVoice() = 0;
    virtual void setHighVoice(int value) = 0;
};

// The engine in use.
Engine& engine();
// The caller keeps ownership of an installed engine. With none installed
// (install(nullptr)) every call is logged as a fault and nothing is spoken.
void install(Engine* engine);

} // namespace Speech
