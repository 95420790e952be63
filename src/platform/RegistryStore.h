#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Stand-in for the per-user registry: one INI-style file,
// $XDG_CONFIG_HOME/Orvane/Tradewright5.ini (~/.config when unset), a section per
// key path. Key paths are normalised (backslashes, no trailing separator, compared
// without regard to case, like the registry), so "Software\Orvane\Tradewright5"
// and "Software\Orvane\Tradewright5\" name one key. The file is parsed once and
// again only when it changed on disk, and written on each change: a value written
// anywhere is seen by the next read. Lines written by hand that the store does not
// use (comments, anything it cannot read) are kept as they are.
namespace RegistryStore {

enum ValueType : int { REG_NONE = 0, REG_SZ = 1, REG_DWORD = 4 };

struct Value
{
    int type = REG_NONE;
    QByteArray data;  // REG_SZ: the stored bytes as written; REG_DWORD: 4 bytes little-endian
};

bool createKey(const QString& keyPath);            // creates missing parents too; true when it exists after
bool keyExists(const QString& keyPath);
std::optional<Value> queryValue(const QString& keyPath, const QString& name);  // nullopt: key or value missing
bool setValue(const QString& keyPath, const QString& name, const Value& value);  // false when the key is missing

// The file behind the store; tests point it at a temporary file.
QString filePath();
void setFilePath(const QString& path);

} // namespace RegistryStore
