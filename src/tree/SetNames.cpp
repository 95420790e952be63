#include "tree/SetNames.h"

#include "core/ErrorLog.h"
#include "core/Settings.h"
#include "core/mdlRegistry.h"
#include "platform/RuntimeError.h"

#include <exception>

QString SetMenuCaption(int n)
{
    const QString name = Settings::GroupValueName(n);
    const QString stored =
        mdlRegistry::QueryValue(mdlRegistry::HKEY_CURRENT_USER, QLatin1String(Settings::GroupsKey), name).toString();
    return stored.isEmpty() ? name : stored;
}

void LoadSets(const std::function<void(int n, const QString& caption)>& setCaption)
{
    static const QString tag = QStringLiteral("frmMain_LoadSets");
    try {
        for (int n = 0; n < Settings::GroupCount; ++n) {
            const QString caption = SetMenuCaption(n);
            if (setCaption)
                setCaption(n, caption);
        }
    } catch (const RuntimeError& e) {
        LogError(e, tag, false);
    } catch (const std::exception& e) {
        LogError(QString::fromLocal8Bit(e.what()), 5, QStringLiteral("Tradewright"), tag, false);
    }
}
