#include "core/mdlRegistry.h"

#include "core/ErrorLog.h"
#include "platform/Codec.h"
#include "platform/RegistryStore.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"

#include <QHash>

#include <exception>

namespace mdlRegistry {

namespace {

// Result codes the registry functions answer with.
constexpr std::int32_t ERROR_SUCCESS = 0;
constexpr std::int32_t ERROR_FILE_NOT_FOUND = 2;
constexpr std::int32_t ERROR_ACCESS_DENIED = 5;
constexpr std::int32_t ERROR_INVALID_HANDLE = 6;
constexpr std::int32_t ERROR_INVALID_DATA = 13;

// Open key handles and the key path each stands for. HKEY_CURRENT_USER itself is
// the root of the store.
struct Handles
{
    QHash<HKEY, QString> paths;
    HKEY next = 0x100;
};

Handles& handles()
{
    static Handles h;
    return h;
}

bool pathOf(HKEY key, QString& path)
{
    if (key == HKEY_CURRENT_USER) {
        path.clear();
        return true;
    }
    const auto it = handles().paths.constFind(key);
    if (it == handles().paths.constEnd())
        return false;
    path = it.value();
    return true;
}

QString join(const QString& parent, const QString& sub)
{
    if (parent.isEmpty())
        return sub;
    if (sub.isEmpty())
        return parent;
    return parent + u'\\' + sub;
}

HKEY allocate(const QString& path)
{
    Handles& h = handles();
    HKEY key = h.next++;
    if (h.next <= 0)
        h.next = 0x100;
    h.paths.insert(key, path);
    return key;
}

// The text a value is stored as. A check box's state arrives as a number; a bool
// stands for the same state, so it is written as "1" or "0" rather than "True".
QByteArray textBytes(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::QByteArray)
        return value.toByteArray();
    if (value.metaType().id() == QMetaType::Bool)
        return value.toBool() ? QByteArray("1") : QByteArray("0");
    return toCp1252(rt::CStr(value));
}

void logFault(const std::exception& e, const char* tag)
{
    if (const auto* runtime = dynamic_cast<const RuntimeError*>(&e))
        LogError(*runtime, QString::fromLatin1(tag), false);
    else
        LogError(QString::fromLocal8Bit(e.what()), 7, QStringLiteral("Tradewright"), QString::fromLatin1(tag), false);
}

} // namespace

std::int32_t RegOpenKeyEx(HKEY parent, const QString& subKey, HKEY& result)
{
    result = 0;
    QString base;
    if (!pathOf(parent, base))
        return ERROR_INVALID_HANDLE;
    const QString path = join(base, subKey);
    if (!RegistryStore::keyExists(path))
        return ERROR_FILE_NOT_FOUND;
    result = allocate(path);
    return ERROR_SUCCESS;
}

std::int32_t RegCreateKeyEx(HKEY parent, const QString& subKey, HKEY& result)
{
    result = 0;
    QString base;
    if (!pathOf(parent, base))
        return ERROR_INVALID_HANDLE;
    const QString path = join(base, subKey);
    if (!RegistryStore::createKey(path))
        return ERROR_ACCESS_DENIED;
    result = allocate(path);
    return ERROR_SUCCESS;
}

void RegCloseKey(HKEY key)
{
    handles().paths.remove(key);
}

std::int32_t SetValueEx(HKEY hKey, const QString& valueName, std::int32_t type, const QVariant& value)
{
    try {
        RegistryStore::Value stored;
        if (type == REG_SZ) {
            stored.type = RegistryStore::REG_SZ;
            stored.data = textBytes(value);
        } else if (type == REG_DWORD) {
            const auto n = static_cast<quint32>(rt::CLng(value));
            stored.type = RegistryStore::REG_DWORD;
            stored.data.resize(4);
            for (int i = 0; i < 4; ++i)
                stored.data[i] = char((n >> (8 * i)) & 0xFF);
        } else {
            return ERROR_SUCCESS;  // other types are not written
        }
        QString path;
        if (!pathOf(hKey, path) || hKey == HKEY_CURRENT_USER)
            return ERROR_INVALID_HANDLE;
        return RegistryStore::setValue(path, valueName, stored) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
    } catch (const std::exception& e) {
        logFault(e, "mdlRegistry_SetValueEx");
        return ERROR_INVALID_DATA;
    }
}

std::int32_t QueryValueEx(HKEY hKey, const QString& valueName, QVariant& value)
{
    try {
        QString path;
        std::optional<RegistryStore::Value> stored;
        if (pathOf(hKey, path))
            stored = RegistryStore::queryValue(path, valueName);
        if (!stored) {
            value = QVariant();
            return -1;
        }
        if (stored->type == RegistryStore::REG_SZ) {
            // Exactly the stored bytes: a text written with a terminating zero by
            // another tool keeps that zero character at its end.
            value = fromCp1252(stored->data);
            return ERROR_SUCCESS;
        }
        if (stored->type == RegistryStore::REG_DWORD) {
            if (stored->data.size() != 4)
                throw RuntimeError(13, QStringLiteral("Type mismatch"), QStringLiteral("mdlRegistry"));
            const auto* d = reinterpret_cast<const unsigned char*>(stored->data.constData());
            const quint32 n = quint32(d[0]) | quint32(d[1]) << 8 | quint32(d[2]) << 16 | quint32(d[3]) << 24;
            value = QVariant::fromValue(static_cast<qint32>(n));
            return ERROR_SUCCESS;
        }
        value = QVariant();
        return -1;
    } catch (const std::exception& e) {
        // A value that cannot be converted is reported and then counts as missing.
        const auto* runtime = dynamic_cast<const RuntimeError*>(&e);
        if (!runtime || runtime->number() != 5)
            logFault(e, "QueryValueEx");
        value = QVariant();
        return -1;
    }
}

void CreateNewKey(HKEY hive, const QString& keyPath)
{
    try {
        HKEY key = 0;
        if (RegCreateKeyEx(hive, keyPath, key) == ERROR_SUCCESS)
            RegCloseKey(key);
    } catch (const std::exception& e) {
        logFault(e, "mdlRegistry_CreateNewKey");
    }
}

void SetKeyValue(HKEY hive, const QString& keyPath, const QString& valueName, const QVariant& value,
                 std::int32_t type)
{
    HKEY key = 0;
    try {
        // When the key is missing the handle stays 0 and nothing is written.
        RegOpenKeyEx(hive, keyPath, key);
        SetValueEx(key, valueName, type, value);
    } catch (const std::exception& e) {
        logFault(e, "mdlRegistry_SetKeyValue");
    }
    if (key != 0)
        RegCloseKey(key);
}

QVariant QueryValue(HKEY hive, const QString& keyPath, const QString& valueName)
{
    HKEY key = 0;
    QVariant value;
    try {
        RegOpenKeyEx(hive, keyPath, key);
        QueryValueEx(key, valueName, value);
    } catch (const std::exception& e) {
        logFault(e, "mdlRegistry_QueryValue");
        value = QVariant();
    }
    if (key != 0)
        RegCloseKey(key);
    return value;
}

} // namespace mdlRegistry
