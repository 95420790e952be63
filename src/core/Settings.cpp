#include "core/Settings.h"

#include "core/ErrorLog.h"
#include "core/mdlRegistry.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"

#include <climits>
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
        // SetKeyValue has written its fault to ErrorLog.txt; a setting that is not
        // stored never stops its caller.
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
    return SettingInt(name, fallback, INT_MIN, INT_MAX);
}

int SettingInt(const QString& name, int fallback, int low, int high, const QString& logTag)
{
    const QString text = GetSetting(name);
    if (text.trimmed().isEmpty())
        return fallback;
    try {
        if (!rt::IsNumeric(text))
            throw RuntimeError::make(13);
        const int n = rt::CLng(text);
        if (n >= low && n <= high)
            return n;
        if (!logTag.isEmpty())
            LogError(QStringLiteral("The setting %1 holds %2, which is out of range; %3 is used")
                         .arg(name, text)
                         .arg(fallback),
                     6, QStringLiteral("Tradewright"), logTag, false);
    } catch (const RuntimeError& e) {
        if (!logTag.isEmpty())
            LogError(QStringLiteral("The setting %1 holds \"%2\", which is not a number; %3 is used (%4)")
                         .arg(name, text)
                         .arg(fallback)
                         .arg(e.description()),
                     float(e.number()), e.source(), logTag, false);
    }
    return fallback;
}

} // namespace Settings
