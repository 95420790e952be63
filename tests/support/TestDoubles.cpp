#include "TestDoubles.h"

#include "RecordingSpeech.h"

namespace test {

void ScriptedDialogs::reset()
{
    msgAnswers.clear();
    inputAnswers.clear();
    saveAnswers.clear();
    shown.clear();
    saveRequests.clear();
}

int ScriptedDialogs::msgBox(const QString& prompt, int buttons, const QString& title)
{
    shown.push_back({QStringLiteral("msg"), prompt, buttons, title});
    if (!msgAnswers.isEmpty())
        return msgAnswers.dequeue();
    switch (buttons & 7) {
    case Dialogs::vbOKCancel:
    case Dialogs::vbRetryCancel:
    case Dialogs::vbYesNoCancel:
        return Dialogs::vbCancel;
    case Dialogs::vbYesNo:
        return Dialogs::vbNo;
    case Dialogs::vbAbortRetryIgnore:
        return Dialogs::vbAbort;
    default:
        return Dialogs::vbOK;
    }
}

QString ScriptedDialogs::inputBox(const QString& prompt, const QString& title, const QString&)
{
    shown.push_back({QStringLiteral("input"), prompt, 0, title});
    return inputAnswers.isEmpty() ? QString() : inputAnswers.dequeue();
}

QString ScriptedDialogs::saveFile(const Dialogs::SaveRequest& request)
{
    shown.push_back({QStringLiteral("save"), request.defaultFileName, 0, request.title});
    saveRequests.push_back(request);
    return saveAnswers.isEmpty() ? QString() : saveAnswers.dequeue();
}

ScriptedDialogs& dialogs()
{
    static ScriptedDialogs d;
    return d;
}

RecordingShell& shell()
{
    static RecordingShell s;
    return s;
}

void installDefaultDoubles()
{
    Dialogs::install(&dialogs());
    Shell::install(&shell());
    Speech::install(&speech());
}

} // namespace test
