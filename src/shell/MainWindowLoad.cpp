#include "shell/MainWindowLoad.h"

#include "core/Settings.h"
#include "core/mdlRegistry.h"
#include "platform/UrlFetch.h"
#include "retrieval/CacheFiles.h"
#include "retrieval/UpdateRun.h"
#include "sheets/GridLayout.h"
#include "stockdata/Records.h"
#include "stockdata/StockSets.h"

#include <climits>

const QString MainWindowLoad::LoadDataTag = QStringLiteral("frmMain_LoadData");
const QString MainWindowLoad::FormLoadTag = QStringLiteral("frmMain_Form_Load");

namespace {

QString name(const char* setting)
{
    return QString::fromLatin1(setting);
}

// A value of the product key as the registry layer gives it (invalid when missing).
QVariant storedValue(const char* setting)
{
    return mdlRegistry::QueryValue(mdlRegistry::HKEY_CURRENT_USER,
                                   QString::fromLatin1(Settings::ProductKey) + QLatin1Char('\\'), name(setting));
}

} // namespace

void MainWindowLoad::makeCacheFolders()
{
    CreateCacheFolders();
}

void MainWindowLoad::readDisplayOptions()
{
    FractionsOpt = storedValue(Settings::Fractions);
    VolumeOpt = storedValue(Settings::Volume);
}

void MainWindowLoad::openLastSet()
{
    m_sets.makeCurrent(Settings::SettingInt(name(Settings::LastGroup), 0, 0, kStockSets - 1, LoadDataTag));
}

void MainWindowLoad::applyProxy(UrlFetch& inet)
{
    inet.setAccessType(Settings::SettingIsOne(name(Settings::ProxyE)) ? UrlFetch::icNamedProxy
                                                                      : UrlFetch::icDirect);
    inet.setProxy(Settings::GetSetting(name(Settings::Proxy)));
}

void MainWindowLoad::readAutoUpdate(UpdateRun& run)
{
    run.loadAutoUpdateMin(LoadDataTag);
}

void MainWindowLoad::loadLayout()
{
    layoutLoaded = LoadLayout();
}

std::optional<int> MainWindowLoad::lastTreePos(int fallback)
{
    const QString setting = name(Settings::LastTreePos);
    if (Settings::GetSetting(setting).trimmed().isEmpty())
        return std::nullopt;
    return Settings::SettingInt(setting, fallback, INT_MIN, INT_MAX, FormLoadTag);
}
