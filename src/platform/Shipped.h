#pragma once

#include <QByteArray>
#include <QString>

// A file the program carries in its resource file (help pages, the reports' pictures),
// by its path inside it ("help/topic1001.html", "up.gif"); empty when there is none.
QByteArray ShippedFile(const QString& name);
