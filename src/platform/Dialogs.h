#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class QWidget;

// Message boxes, input boxes and the Save-As dialog. Everything that waits for a
// person goes through here, so tests script the answers (install a backend).
namespace Dialogs {

// Buttons, icons and answers use the classic numbers so call sites read like the
// program's messages: MsgBox(text, vbYesNo + vbQuestion, "Not Connected").
enum : int {
    vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4, vbRetryCancel = 5,
    vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64,
    vbDefaultButton2 = 256, vbDefaultButton3 = 512,
    vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7,
};

struct SaveRequest
{
    QString title;              // "Save As..."
    QString initialFolder;
    QString defaultFileName;
    QString defaultExtension;   // appended when the user types a name without one
    QStringList filters;        // "Text File (*.txt)", in order
    int filterIndex = 1;        // 1-based filter shown first
};

class Backend
{
public:
    virtual ~Backend() = default;
    // Returns one of vbOK..vbNo.
    virtual int msgBox(const QString& prompt, int buttons, const QString& title) = 0;
    // Returns the typed text; an empty text for Cancel.
    virtual QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    // Returns the chosen full path; empty for Cancel.
    virtual QString saveFile(const SaveRequest& request) = 0;
};

int MsgBox(const QString& prompt, int buttons = vbOKOnly, const QString& title = QString());
QString InputBox(const QString& prompt, const QString& title = QString(), const QString& defaultText = QString());
QString SaveFile(const SaveRequest& request);

// The answers a box's buttons give, in their order on the box (vbYesNo: vbYes, vbNo).
QVector<int> ButtonAnswers(int buttons);
// The answer of the button that has the focus when the box opens.
int DefaultAnswer(int buttons);

// The program installs the real boxes (platform/DialogBoxes) at start; tests install
// scripted answers. With none installed (install(nullptr)) every call is logged as
// a fault and answers the box's default button, or Cancel. The caller keeps
// ownership of an installed backend.
void install(Backend* backend);
// The title used when a caller gives none (the program's name).
QString appTitle();

} // namespace Dialogs
