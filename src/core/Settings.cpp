#include "core/Settings.h"

#include "core/mdlRegistry.h"
#include "platform/Runtime.h"

#include <exception>

namespace Settings {

QString UpdateValueName(int n)
{
    return QStringLiteral("Update") + QString::number(n);
}

QString GroupValueName(int n)
{
    return QStringLiteral("Group") + QString::number(n);
}

QString GetSettingAt(const QString& keyPath, const QString& name)
{
    try {
        const QVariant v = mdlRegistry::QueryValue(mdlRegistry::HKEY_CURRENT_USER, keyPath, name);
        return v.isValid() ? rt::CStr(v) : QString();
    } catch (const std::exception&) {
        return QString();
    }
}

void SaveSettingAt(const QString& keyPath, const QString& name, const QString& value)
{
    try {
        mdlRegistry::SetKeyValue(mdlRegistry::HKEY_CURRENT_USER, keyPath, name, value, mdlRegistry::REG_SZ);
    } catch (const std::exception&) {
    }
}

bool SettingIsZeroAt(const QString& keyPath, const QString& name)
{
    const QString text = GetSettingAt(keyPath, name);
    if (!rt::IsNumeric(text))
        return true;
    try {
        return rt::CDbl(text) == 0;
    } catch (const std::exception&) {
        return true;
    }
}

QString GetSetting(const QString& name)
{
    return GetSettingAt(QString::fromLatin1(ProductKey), name);
}

void SaveSetting(const QString& name, const QString& value)
{
    SaveSettingAt(QString::fromLatin1(ProductKey), name, value);
}

bool SettingIsZero(const QString& name)
{
    return SettingIsZeroAt(QString::fromLatin1(ProductKey), name);
}

bool SettingIsOne(const QString& name)
{
    const QString text = GetSetting(name);
    if (!rt::IsNumeric(text))
        return false;
    try {
        return rt::CDbl(text) == 1.0;
    } catch (const std::exception&) {
        return false;
    }
}

int SettingInt(const QString& name, int fallback)
{
    const QString text = GetSetting(name);
    if (!rt::IsNumeric(text))
        return fallback;
    try {
        return rt::CLng(text);
    } catch (const std::exception&) {
        return fallback;
    }
}

} // namespace Settings
