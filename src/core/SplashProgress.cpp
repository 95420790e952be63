#include "SplashProgress.h"

#include <algorithm>
#include <utility>

namespace {

SplashProgress::Sink& sink()
{
    static SplashProgress::Sink s;
    return s;
}

int& last()
{
    static int value = 0;
    return value;
}

} // namespace

void setSplashProgress(int percent)
{
    percent = std::clamp(percent, 0, 100);
    last() = percent;
    if (sink().progress)
        sink().progress(percent);
}

void closeSplash()
{
    // Copy first: the close handler uninstalls the sink.
    auto close = sink().close;
    if (close)
        close();
}

namespace SplashProgress {

void install(Sink s)
{
    sink() = std::move(s);
}

int lastProgress()
{
    return last();
}

} // namespace SplashProgress
