#include "SpeechSession.h"
#include "platform/Runtime.h"

#include "core/ErrorLog.h"
#include "platform/Dialogs.h"
#include "platform/Speech.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Stocks.h"

#include <exception>

QString SpokenPriceLine(const StockRec& row)
{
    return rt::CrLf + row.CompanyName + QStringLiteral(", Last Price: ") + row.LastPrice + QStringLiteral(", change: ")
           + row.Change + QStringLiteral(", ") + row.PctChange + QStringLiteral(".");
}

QString SelectedStockPrices()
{
    const QString& symbol = CurrentSymbol();
    if (symbol.isEmpty())
        return QString();
    // FindSymbol answers row 0 for a symbol it does not find: look at the row.
    const int row = FindSymbol(symbol);
    if (row < 0 || row >= StockCount() || Stocks()[std::size_t(row)].Symbol != symbol)
        return QString();
    return SpokenPriceLine(Stocks()[std::size_t(row)]);
}

QString AllStockPrices()
{
    QString text;
    const int count = qBound(0, int(StockCount()), int(Stocks().size()));
    for (int i = 0; i < count; ++i)
        text += SpokenPriceLine(Stocks()[std::size_t(i)]);
    return text;
}

QString SpokenHeadlines(const QString& headlines)
{
    QString text = headlines;
    return text.replace(QLatin1Char(';'), QStringLiteral(".") + rt::CrLf);
}

const std::array<QString, SpeechSession::ButtonCount>& SpeechSession::Captions()
{
    static const std::array<QString, ButtonCount> captions = {
        QStringLiteral("Resume"), QStringLiteral("Pause"), QStringLiteral("Stop"), QStringLiteral("Rewind"),
        QStringLiteral("Forward"), QStringLiteral("Close"), QStringLiteral("Hide")};
    return captions;
}

QString SpeechSession::WaitCaption()
{
    return QStringLiteral("Please Wait..");
}

QString SpeechSession::EngineErrorMessage(int code)
{
    // A negative code (a failure code of the system) shows as its 32-bit pattern.
    return QStringLiteral("Error using speech engine, ") + QString::number(quint32(code), 16).toUpper();
}

void SpeechSession::BeginSpeak()
{
    lblWaitVisible = true;
}

void SpeechSession::Speak(const QString& text)
{
    lblWaitVisible = true;
    Speech::engine().say(text);
    lblWaitVisible = false;
    ShowEngineState();
}

void SpeechSession::ShowEngineState()
{
    const bool speaking = Speech::engine().isSpeaking();
    lblNavEnabled[Resume] = !speaking;
    for (Button b : {Pause, Stop, Rewind, Forward})
        lblNavEnabled[b] = speaking;
}

SpeechSession::After SpeechSession::lblNav_Click(int Index)
{
    Speech::Engine& voice = Speech::engine();
    After after = After::Stay;
    try {
        switch (Index) {
        case Resume:
            voice.resume();
            break;
        case Pause:
            voice.pause();
            break;
        case Stop:
            voice.stop();
            break;
        case Rewind:
            voice.rewind();
            break;
        case Forward:
            voice.skipForward();
            break;
        case Close:
            voice.stop();
            return After::CloseWindow;
        case Hide:
            after = After::HideWindow;
            break;
        default:
            break;
        }
        ShowEngineState();
    } catch (const std::exception& e) {
        Dialogs::MsgBox(EngineErrorMessage(voice.errorCode()), Dialogs::vbOKOnly);
        LogFailure(&e, QStringLiteral("frmSpeech_lblNav_Click"));
        return After::UnloadWindow;
    }
    return after;
}

void SpeechSession::EngineFailed(int code, bool show)
{
    const QString message = EngineErrorMessage(code);
    if (show)
        Dialogs::MsgBox(message, Dialogs::vbOKOnly);
    LogError(message, float(code), QStringLiteral("TextToSpeech"), QStringLiteral("frmSpeech_lblNav_Click"), false);
}
