// Shared main() of every test program: headless Qt, a throw-away program folder and
// settings file, and no real dialogs or browser: an unscripted dialog or shell call
// is answered by the test doubles instead of waiting for a person.
#include "TestDoubles.h"

#ifndef TW_TEST_PLATFORM_ONLY
#include "core/WindowEffects.h"
#endif
#ifdef TW_TEST_WITH_VIEWS
#include "TestViews.h"
#include "sheets/ViewEntries.h"
#include "sheets/ViewRunner.h"
#include "sheets/Zoom.h"
#include "views/ViewHost.h"
#endif
#include "platform/AppPath.h"
#include "platform/RegistryStore.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef TW_TEST_WITH_VIEWS
namespace {
ViewRunner* g_views = nullptr;
}

ViewRunner& test::views()
{
    return *g_views;
}
#endif

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_RUNTIME_DIR", (home.path() + "/run").toUtf8());
    qputenv("TRADEWRIGHT_HOME", (home.path() + "/app").toUtf8());
    QApplication app(argc, argv);
    SetAppPath(home.path() + "/app");
    RegistryStore::setFilePath(home.path() + "/config/Orvane/Tradewright5.ini");
    test::installDefaultDoubles();
#ifdef TW_TEST_WITH_VIEWS
    // The program's own windows and its one view runner, as its start makes them
    // (the editing windows come with a main window).
    setDefaultViewHost(&zoomWindows());
    ViewRunner views(installedViewHost());
    RedrawPortfolioOnChange(views);
    g_views = &views;
#endif
#ifndef TW_TEST_PLATFORM_ONLY
    setRollStepDelay(0);  // windows roll open and closed without pausing between steps
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
