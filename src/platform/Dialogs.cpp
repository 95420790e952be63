#include "Dialogs.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcDialogs, "tradewright.dialogs")

// Answers when the program installed no boxes: a fault of the program's start, so
// every call says so in the log; a message box answers its default button, an input
// or Save-As box Cancel.
class MissingBackend : public Dialogs::Backend
{
public:
    int msgBox(const QString& prompt, int buttons, const QString& title) override
    {
        qCCritical(lcDialogs) << "no dialog boxes installed; message box" << title << prompt
                              << "answered with its default button";
        return Dialogs::DefaultAnswer(buttons);
    }

    QString inputBox(const QString& prompt, const QString& title, const QString&) override
    {
        qCCritical(lcDialogs) << "no dialog boxes installed; input box" << title << prompt << "cancelled";
        return QString();
    }

    QString saveFile(const Dialogs::SaveRequest& request) override
    {
        qCCritical(lcDialogs) << "no dialog boxes installed; Save As" << request.defaultFileName << "cancelled";
        return QString();
    }
};

Dialogs::Backend* g_backend = nullptr;

Dialogs::Backend& backend()
{
    static MissingBackend missing;
    return g_backend ? *g_backend : missing;
}

} // namespace

namespace Dialogs {

int MsgBox(const QString& prompt, int buttons, const QString& title)
{
    return backend().msgBox(prompt, buttons, title.isEmpty() ? appTitle() : title);
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    return backend().inputBox(prompt, title.isEmpty() ? appTitle() : title, defaultText);
}

QString SaveFile(const SaveRequest& request)
{
    return backend().saveFile(request);
}

QVector<int> ButtonAnswers(int buttons)
{
    switch (buttons & 7) {
    case vbOKCancel: return {vbOK, vbCancel};
    case vbAbortRetryIgnore: return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel: return {vbYes, vbNo, vbCancel};
    case vbYesNo: return {vbYes, vbNo};
    case vbRetryCancel: return {vbRetry, vbCancel};
    default: return {vbOK};
    }
}

int DefaultAnswer(int buttons)
{
    const QVector<int> answers = ButtonAnswers(buttons);
    int index = 0;
    if (buttons & vbDefaultButton3)
        index = 2;
    else if (buttons & vbDefaultButton2)
        index = 1;
    return answers[qMin(index, int(answers.size()) - 1)];
}

void install(Backend* b)
{
    g_backend = b;
}

QString appTitle()
{
    return QStringLiteral("Tradewright");
}

} // namespace Dialogs
