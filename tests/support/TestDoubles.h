#pragma once

#include "platform/Dialogs.h"
#include "platform/Shell.h"

#include <QQueue>
#include <QString>
#include <QStringList>
#include <QVector>

namespace test {

// Answers message, input and Save-As boxes from queues and records every box shown.
// With an empty queue a message box answers its "negative" button (No, Cancel or OK
// for a plain box), an input box answers "" and Save-As answers "" (cancelled).
class ScriptedDialogs : public Dialogs::Backend
{
public:
    struct Shown
    {
        QString kind;  // "msg", "input", "save"
        QString prompt;
        int buttons = 0;
        QString title;
    };

    QQueue<int> msgAnswers;
    QQueue<QString> inputAnswers;
    QQueue<QString> saveAnswers;
    QVector<Shown> shown;
    QVector<Dialogs::SaveRequest> saveRequests;

    void reset();

    int msgBox(const QString& prompt, int buttons, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString saveFile(const Dialogs::SaveRequest& request) override;
};

// Records what would have been opened in the browser or mail program.
class RecordingShell : public Shell::Backend
{
public:
    QStringList opened;
    void reset() { opened.clear(); }
    bool open(const QString& target) override
    {
        opened << target;
        return true;
    }
};

// The doubles main() installs for every test program (with the recording speech
// engine test::speech()); tests reset and script them.
ScriptedDialogs& dialogs();
RecordingShell& shell();
void installDefaultDoubles();

} // namespace test
