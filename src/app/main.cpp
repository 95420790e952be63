// Tradewright's entry point: one copy per user, then the start-up (StartUp::Main)
// hands over to the windows and the event loop.
#include "app/AppMainWindow.h"
#include "app/StartUp.h"
#include "core/Connect.h"
#include "core/frmSplashInfo.h"
#include "platform/Allocator.h"
#include "platform/DialogBoxes.h"
#include "platform/EventDispatcher.h"
#include "reports/Reports.h"
#include "services/SpeechEngine.h"
#include "sheets/Zoom.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    TuneAllocator();
    PlainEventDispatcher dispatcher;
    QApplication app(argc, argv);
    dispatcher.chosen();
    QApplication::setApplicationName(QStringLiteral("Tradewright"));
    QApplication::setApplicationVersion(QStringLiteral(TW_VERSION));
    SplashInfo::SetProgramVersion(QStringLiteral(TW_VERSION));
    installShellRefusalLogging();
    // The engine's facades get their windows here (the editing windows come with the
    // main window, which owns them); a facade left without one logs every call as a
    // fault.
    Dialogs::install(&Dialogs::boxes());
    setDefaultViewHost(&zoomWindows());
    Reports reports;  // the report and export menus' port
    installReportsPort(&reports);
    InstallSpeechEngine();  // created lazily: the speech service starts only when something is spoken

    AppMainWindow mainWindow;
    StartUp start(mainWindow);
    if (!start.Main())
        return 0;  // another copy runs
    // A start that failed before any window showed must not leave a process
    // running with nothing on screen.
    bool shown = false;
    for (QWidget* w : QApplication::topLevelWidgets())
        shown = shown || w->isVisible();
    if (!shown)
        return 1;
    return app.exec();
}
