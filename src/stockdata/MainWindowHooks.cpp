#include "stockdata/MainWindowHooks.h"

MainWindowHooks& mainWindowHooks()
{
    static MainWindowHooks instance;
    return instance;
}

namespace hooks {

void call(const std::function<void()>& f)
{
    if (f)
        f();
}

QWidget* mainWindow()
{
    const auto& h = mainWindowHooks();
    return h.mainWindow ? h.mainWindow() : nullptr;
}

int newsTickerTop()
{
    const auto& h = mainWindowHooks();
    return h.newsTickerTop ? h.newsTickerTop() : 0;
}

QStringList stripSymbols()
{
    const auto& h = mainWindowHooks();
    return h.stripSymbols ? h.stripSymbols() : QStringList();
}

} // namespace hooks
