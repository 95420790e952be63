#include "OptionsHost.h"

namespace {
OptionsHost* g_host = nullptr;
}

OptionsHost* optionsHost()
{
    return g_host;
}

void installOptionsHost(OptionsHost* host)
{
    g_host = host;
}
