#pragma once

#include <QString>
#include <QStringList>

#include <array>

struct StockRec;

// ---- The texts read aloud.

// One stock's prices: CR LF, the company, ", Last Price: ", the last price,
// ", change: ", the change, ", ", the percentage change and "." (the stored texts as
// they stand).
QString SpokenPriceLine(const StockRec& row);
// The price line of CurrentSymbol's row; "" when no stock is selected or the
// selected one is not in the current set (rather than another row's prices).
QString SelectedStockPrices();
// The price lines of every row of the current set, in order.
QString AllStockPrices();
// A symbol's headlines, as the news file gives them with their links already cut
// out, made ready to speak: each ";" between two headlines ends a sentence and a line.
QString SpokenHeadlines(const QString& headlines);

// The speech window's work without its widgets: the buttons lblNav(0..6), whether
// each is enabled, lblWait, and what a click asks of the window. The voice is
// Speech::engine(), the same one the Options window's voice list sets.
class SpeechSession
{
public:
    enum Button { Resume, Pause, Stop, Rewind, Forward, Close, Hide, ButtonCount };

    // What the window does after a click.
    enum class After {
        Stay,
        HideWindow,
        CloseWindow,   // roll it up and unload it
        UnloadWindow,  // the engine failed: the message has been shown and logged
    };

    static const std::array<QString, ButtonCount>& Captions();
    static QString WaitCaption();
    // The message for an engine failure: "Error using speech engine, " and the
    // engine's error code in hexadecimal digits.
    static QString EngineErrorMessage(int code);

    std::array<bool, ButtonCount> lblNavEnabled{true, true, true, true, true, true, true};
    bool lblWaitVisible = false;

    // Speak's steps on the window's side: lblWait shows while the window is placed,
    // then the text goes to the engine, lblWait goes and the buttons follow the
    // engine's state.
    void BeginSpeak();
    void Speak(const QString& text);

    After lblNav_Click(int Index);
    // A failure the engine found after a call returned (the voice runs apart from the
    // window): logged as a failed button's is, and with show the same message is shown.
    static void EngineFailed(int code, bool show);
    // Resume enabled only while the engine is silent; Pause, Stop, Rewind and
    // Forward only while it speaks.
    void ShowEngineState();
};
