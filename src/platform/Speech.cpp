#include "Speech.h"

#include "RuntimeError.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcSpeech, "tradewright.speech")

// Answers when the program installed no engine: a fault of its start, so every call
// says so in the log; nothing is spoken and the voice settings keep their defaults.
class MissingEngine : public Speech::Engine
{
public:
    bool isSpeaking() override { return missing("isSpeaking"), false; }
    void stop() override { missing("stop"); }
    void say(const QString&) override { missing("say"); }
    void pause() override { missing("pause"); }
    void resume() override { missing("resume"); }
    void rewind() override { missing("rewind"); }
    void skipForward() override { missing("skipForward"); }
    int errorCode() override { return missing("errorCode"), 0; }
    int voiceMode() override { return missing("voiceMode"), 1; }
    void setVoiceMode(int mode) override
    {
        missing("setVoiceMode");
        Speech::CheckVoiceMode(mode);
    }
    int ModeGender(int mode) override { return Speech::PresetForMode(mode).gender; }
    int highVoice() override { return missing("highVoice"), 0; }
    void setHighVoice(int) override { missing("setHighVoice"); }

private:
    static void missing(const char* member)
    {
        qCCritical(lcSpeech) << "no speech engine installed; Speech::engine()." << member << "does nothing";
    }
};

Speech::Engine* g_engine = nullptr;

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

QStringList SplitSentences(const QString& text)
{
    QStringList sentences;
    QString piece;
    const auto flush = [&] {
        const QString s = piece.trimmed();
        if (!s.isEmpty())
            sentences << s;
        piece.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            flush();
            continue;
        }
        piece += c;
        const bool ender = c == QLatin1Char('.') || c == QLatin1Char('!') || c == QLatin1Char('?');
        if (ender && (i + 1 == text.size() || text[i + 1].isSpace()))
            flush();
    }
    flush();
    return sentences;
}

void SentenceQueue::load(const QString& text)
{
    m_sentences = SplitSentences(text);
    m_at = 0;
}

void SentenceQueue::clear()
{
    m_sentences.clear();
    m_at = 0;
}

QString SentenceQueue::current() const
{
    return atEnd() ? QString() : m_sentences[m_at];
}

bool SentenceQueue::advance()
{
    if (m_at < m_sentences.size())
        ++m_at;
    return !atEnd();
}

void SentenceQueue::back()
{
    if (m_at > 0)
        --m_at;
}

void Engine::reportFailure(int code)
{
    // A copy: the listener may replace itself.
    if (const std::function<void(int)> listener = m_failureListener)
        listener(code);
}

Engine& engine()
{
    static MissingEngine missing;
    return g_engine ? *g_engine : missing;
}

void install(Engine* e)
{
    g_engine = e;
}

} // namespace Speech
