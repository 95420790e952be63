#include "reports/ReportPictures.h"

#include "platform/AppPath.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcPictures, "tradewright.reports.pictures")

QByteArray ReportPicture(const QString& name)
{
    QFile shipped(QStringLiteral(":/") + name);
    if (!shipped.open(QIODevice::ReadOnly))
        return QByteArray();
    return shipped.readAll();
}

bool PutReportPicture(const QString& name)
{
    // The browser asks for the name as the page spells it: another spelling on disk
    // does not serve it.
    const QString path = AppPath() + QLatin1Char('/') + name;
    if (QFileInfo(path).isFile())
        return true;
    const QByteArray picture = ReportPicture(name);
    if (picture.isEmpty()) {
        qCWarning(lcPictures) << "the program carries no picture" << name;
        return false;
    }
    QString why;
    if (!ReplaceFile(path, picture, QByteArray(), false, &why)) {
        qCWarning(lcPictures) << "the picture" << path << "was not written:" << why;
        return false;
    }
    return true;
}
