// The settings store: the input is the settings file. Every value it seems to hold
// (under the key and name spellings a hand edit may use) is read, written back and
// read again: the store never crashes, and a value written back reads as it was.
//
// Seeds: tests/fixtures/*/*.ini

#include "FuzzSupport.h"

#include "platform/RegistryStore.h"

#include <QList>

#include <optional>

namespace {

using RegistryStore::Value;

struct Name
{
    QString key;
    QString name;
};

// The spellings of one piece of a line: as it stands, trimmed, and with percent
// escapes undone.
QStringList spellings(const QByteArray& piece)
{
    QStringList out;
    for (const QByteArray& b : {piece, piece.trimmed(), QByteArray::fromPercentEncoding(piece.trimmed())}) {
        const QString s = fromCp1252(b);
        if (!out.contains(s))
            out << s;
    }
    return out;
}

// The key and value names a reader of the file would take it to hold, at most 24.
QList<Name> namesIn(const QByteArray& file)
{
    QList<Name> names;
    QStringList keys;
    for (QByteArray line : file.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('[')) {
            const qsizetype close = trimmed.lastIndexOf(']');
            keys = spellings(trimmed.mid(1, close < 0 ? -1 : close - 1));
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq < 0)
            continue;
        for (const QString& key : std::as_const(keys))
            for (const QString& name : spellings(line.left(eq)))
                if (names.size() < 24)
                    names.append(Name{key, name});
    }
    return names;
}

bool same(const std::optional<Value>& a, const std::optional<Value>& b)
{
    if (a.has_value() != b.has_value())
        return false;
    return !a || (a->type == b->type && a->data == b->data);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    fuzz::writeFile(RegistryStore::filePath(), input);

    const QList<Name> names = namesIn(input);
    QList<std::optional<Value>> first;
    for (const Name& n : names) {
        RegistryStore::keyExists(n.key);
        first << RegistryStore::queryValue(n.key, n.name);
    }
    for (qsizetype i = 0; i < names.size(); ++i)
        if (first[i])
            fuzz::check(RegistryStore::setValue(names[i].key, names[i].name, *first[i]), "a value read saves");
    for (qsizetype i = 0; i < names.size(); ++i)
        fuzz::check(same(RegistryStore::queryValue(names[i].key, names[i].name), first[i]),
                    "a value written back reads as it was");

    // A new key and value under a name taken from the file.
    if (!names.isEmpty()) {
        const QString key = names.first().key + QStringLiteral("\\Fuzz");
        if (RegistryStore::createKey(key)) {
            const Value text{RegistryStore::REG_SZ, toCp1252(names.first().name)};
            fuzz::check(RegistryStore::setValue(key, names.first().name, text), "a value of a new key saves");
            fuzz::check(same(RegistryStore::queryValue(key, names.first().name), text),
                        "a value of a new key reads as written");
        }
    }
    return 0;
}
