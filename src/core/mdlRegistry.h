#pragma once

#include <QString>
#include <QVariant>

#include <cstdint>

// The settings store: the only road to the program's own settings. Each call opens
// the key and closes it again; nothing is cached. A missing value reads as an
// invalid QVariant ("Empty"); every caller applies its own default.
namespace mdlRegistry {

using HKEY = std::int32_t;
inline constexpr HKEY HKEY_CURRENT_USER = static_cast<HKEY>(0x80000001u);
inline constexpr std::int32_t REG_SZ = 1;
inline constexpr std::int32_t REG_DWORD = 4;

// Opening and closing keys: a handle stands for one key path until it is closed.
// Results are the registry's codes: 0 success, 2 key missing, 6 bad handle.
std::int32_t RegOpenKeyEx(HKEY hKey, const QString& subKey, HKEY& result);
std::int32_t RegCreateKeyEx(HKEY hKey, const QString& subKey, HKEY& result);
void RegCloseKey(HKEY hKey);

// Handle-level operations (a handle comes from the store's open; callers use the
// three path-level operations below).
std::int32_t SetValueEx(HKEY hKey, const QString& valueName, std::int32_t type, const QVariant& value);
std::int32_t QueryValueEx(HKEY hKey, const QString& valueName, QVariant& value);

void CreateNewKey(HKEY hive, const QString& keyPath);
void SetKeyValue(HKEY hive, const QString& keyPath, const QString& valueName, const QVariant& value,
                 std::int32_t type = REG_SZ);
QVariant QueryValue(HKEY hive, const QString& keyPath, const QString& valueName);

} // namespace mdlRegistry
