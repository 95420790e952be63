#include "platform/EventDispatcher.h"

#include <QtGlobal>

namespace {
const char kNoGlib[] = "QT_NO_GLIB";
}

PlainEventDispatcher::PlainEventDispatcher()
{
    if (!qEnvironmentVariableIsSet(kNoGlib))
        m_set = qputenv(kNoGlib, "1");
}

PlainEventDispatcher::~PlainEventDispatcher()
{
    chosen();
}

void PlainEventDispatcher::chosen()
{
    if (m_set)
        qunsetenv(kNoGlib);
    m_set = false;
}
