#pragma once

#include <functional>

// The splash window's progress bar and its unloading, reachable from the main
// window's LoadData without it knowing the splash window. While the splash is up
// it installs its sink; when no splash is shown (the About box, tests, a restart of
// LoadData) both calls do nothing.
//
// LoadData reports 60..100 while it reads the cache folders, the skin, the sets,
// the layout and the prices, then calls closeSplash() once the main window is ready.

// Moves the splash's progress bar to percent (clamped to 0..100).
void setSplashProgress(int percent);
// Unloads the splash window (it is deleted later on the event loop).
void closeSplash();

namespace SplashProgress {

struct Sink
{
    std::function<void(int)> progress;
    std::function<void()> close;
};

// frmSplash installs itself here while shown; install({}) removes it. Tests
// install a recorder.
void install(Sink sink);
// The last value passed to setSplashProgress (0 before any call); for tests.
int lastProgress();

} // namespace SplashProgress
