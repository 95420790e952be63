#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// The program's voice: speaking prices and headlines, and the twelve voice presets
// the Options window offers under "Select Broadcaster:". One engine serves both the
// speech window and the Options window's voice list.
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

// A text cut into the sentences an engine speaks one after the other, so that
// Rewind and Forward can move by a sentence. A sentence ends at a line break, or at
// ".", "!" or "?" followed by a blank or the end of the text (so "10.25" stays
// whole); blank pieces are dropped.
QStringList SplitSentences(const QString& text);

class SentenceQueue
{
public:
    // Replaces the queue by the sentences of text and stands on the first.
    void load(const QString& text);
    void clear();
    bool atEnd() const { return m_at >= m_sentences.size(); }
    // The sentence to speak now; "" past the last one.
    QString current() const;
    // Moves to the next sentence; false (and past the end) after the last one.
    bool advance();
    // Moves back to the sentence before the current one; the first stays the first.
    // Past the end it goes back to the last sentence.
    void back();
    int position() const { return m_at; }
    const QStringList& sentences() const { return m_sentences; }

private:
    QStringList m_sentences;
    int m_at = 0;
};

// The code errorCode reads after the speech service left a command unanswered for
// too long (the system's "timeout period expired", as a failure code).
inline constexpr int NoAnswer = int(0x800705B4u);

class Engine
{
public:
    virtual ~Engine() = default;

    // A failure found after the call that caused it returned (an engine that runs
    // apart from the program: the sound device could not be opened, the service
    // failed or does not answer) goes to the listener, on the program's thread and
    // never from inside a call of the engine, once; code is what errorCode reads.
    // One listener; an empty function removes it.
    void setFailureListener(std::function<void(int code)> listener) { m_failureListener = std::move(listener); }

    // True while the engine speaks: from say until the last sentence is done, except
    // while paused or after stop.
    virtual bool isSpeaking() = 0;
    // Stops speaking and forgets the text.
    virtual void stop() = 0;
    // Speaks text sentence by sentence (an earlier text is dropped).
    virtual void say(const QString& text) = 0;
    // Holds the voice where it is; resume goes on from there.
    virtual void pause() = 0;
    virtual void resume() = 0;
    // Rewind: the sentence before the one being spoken, and on from there;
    // Forward: the next sentence. Both speak even when paused.
    virtual void rewind() = 0;
    virtual void skipForward() = 0;
    // The engine's last error: 0 for none (shown in hexadecimal digits to the user).
    virtual int errorCode() = 0;

    // 1-based preset number. Setting a mode outside 1..12 raises RuntimeError 380.
    virtual int voiceMode() = 0;
    virtual void setVoiceMode(int mode) = 0;
    // The gender the preset of mode asks for: 1 male, 2 female.
    virtual int ModeGender(int mode) = 0;
    // 0: look for a male voice, 1: a female one.
    virtual int highVoice() = 0;
    virtual void setHighVoice(int value) = 0;

protected:
    void reportFailure(int code);

private:
    std::function<void(int)> m_failureListener;
};

// The engine in use.
Engine& engine();
// The caller keeps ownership of an installed engine. With none installed
// (install(nullptr)) every call is logged as a fault and nothing is spoken.
void install(Engine* engine);

} // namespace Speech
