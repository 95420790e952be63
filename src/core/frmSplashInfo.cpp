#include "core/frmSplashInfo.h"

#include "platform/Shell.h"
#include "platform/Sites.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QStringList>

namespace {

Q_LOGGING_CATEGORY(lcSplashLinks, "tradewright.core.splashlinks")

QString& storedVersion()
{
    static QString version;
    return version;
}

} // namespace

namespace SplashInfo {

void SetProgramVersion(const QString& version)
{
    storedVersion() = version.trimmed();
}

QString ProgramVersion()
{
    if (!storedVersion().isEmpty())
        return storedVersion();
    return QCoreApplication::applicationVersion();
}

QString LegalTrademarks()
{
    // The trademark line names the release as people say it: major and minor only.
    const QStringList parts = ProgramVersion().split(QLatin1Char('.'), Qt::SkipEmptyParts);
    QString text = QStringLiteral("Orvane Tradewright");
    if (!parts.isEmpty())
        text += QLatin1Char(' ') + parts.mid(0, 2).join(QLatin1Char('.'));
    return text;
}

QString LegalCopyright()
{
    return QStringLiteral("Copyright (C) Orvane. All rights reserved.");
}

QString HomePageAddress()
{
    return Sites::Address(Site::Maker, QStringLiteral("/"));
}

QString SupportAddress()
{
    return QStringLiteral("support@") + Sites::Host(Site::Maker);
}

QString EmailCaption()
{
    return QStringLiteral("Email: ") + SupportAddress();
}

void OpenHomePage()
{
    try {
        Shell::Open(HomePageAddress());
        QCoreApplication::processEvents();
    } catch (const std::exception& e) {
        qCWarning(lcSplashLinks) << "the home page did not open:" << e.what();
    }
}

void OpenSupportMail()
{
    try {
        Shell::Open(QStringLiteral("mailto:") + SupportAddress());
    } catch (const std::exception& e) {
        qCWarning(lcSplashLinks) << "the support mail did not open:" << e.what();
    }
}

} // namespace SplashInfo
