#include "platform/DoEvents.h"

#include <QCoreApplication>

void DoEvents()
{
    QCoreApplication::processEvents();
}
