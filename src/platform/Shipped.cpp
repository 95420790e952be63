#include "Shipped.h"

#include <QFile>

// The resource file lives in the platform library, a static one: the registration is
// asked for here so that no link leaves it out. (Outside any namespace: the macro
// declares the resource file's own function.)
static void initResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    (void)done;
}

QByteArray ShippedFile(const QString& name)
{
    initResources();
    QFile file(QStringLiteral(":/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
