#include "platform/RegistryStore.h"

#include "platform/Codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

// The file is plain ASCII:
//
//   [Software\Orvane\Tradewright5]
//   SplashDelay=sz:5
//   Count=dword:0x00000001
//   Blob=hex(3):0a0b0c
//
// A section per key (its normalised path as written when it was created), a line
// per value. Texts are the stored bytes, percent-escaped wherever a byte is not
// plain printable ASCII (a zero byte is "%00"), so every byte comes back as it was.

namespace RegistryStore {

namespace {

struct Entry
{
    QString name;
    Value value;
};

struct Section
{
    QString path;
    QList<Entry> entries;
};

using Document = QList<Section>;

QString& overrideFile()
{
    static QString path;
    return path;
}

QString normaliseKey(const QString& keyPath)
{
    return keyPath.split(u'\\', Qt::SkipEmptyParts).join(u'\\');
}

bool needsEscape(unsigned char b, const char* extra)
{
    if (b < 0x20 || b >= 0x7F || b == '%')
        return true;
    for (const char* e = extra; *e; ++e) {
        if (b == static_cast<unsigned char>(*e))
            return true;
    }
    return false;
}

QByteArray escape(const QByteArray& bytes, const char* extra)
{
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(bytes.size() + 8);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        // Blanks at either end would be lost by anyone who trims lines.
        const bool edgeBlank = b == ' ' && (i == 0 || i == bytes.size() - 1);
        if (edgeBlank || needsEscape(b, extra)) {
            out.append('%');
            out.append(hex[b >> 4]);
            out.append(hex[b & 15]);
        } else {
            out.append(char(b));
        }
    }
    return out;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

QByteArray unescape(const QByteArray& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int hi = hexDigit(text[i + 1]);
            const int lo = hexDigit(text[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out.append(char(hi * 16 + lo));
                i += 2;
                continue;
            }
        }
        out.append(text[i]);
    }
    return out;
}

QByteArray encodeValue(const Value& value)
{
    if (value.type == REG_SZ)
        return "sz:" + escape(value.data, "");
    if (value.type == REG_DWORD && value.data.size() == 4) {
        const auto* d = reinterpret_cast<const unsigned char*>(value.data.constData());
        const quint32 n = quint32(d[0]) | quint32(d[1]) << 8 | quint32(d[2]) << 16 | quint32(d[3]) << 24;
        return "dword:0x" + QByteArray::number(n, 16).rightJustified(8, '0');
    }
    return "hex(" + QByteArray::number(value.type) + "):" + value.data.toHex();
}

Value decodeValue(const QByteArray& text)
{
    Value v;
    if (text.startsWith("sz:")) {
        v.type = REG_SZ;
        v.data = unescape(text.mid(3));
    } else if (text.startsWith("dword:")) {
        // A hand-edited number that does not parse keeps the type with no data:
        // the reader then treats the value as one it cannot convert.
        v.type = REG_DWORD;
        const QByteArray num = text.mid(6).trimmed();
        bool ok = false;
        const quint32 n = num.startsWith("0x") || num.startsWith("0X") ? num.mid(2).toUInt(&ok, 16)
                                                                        : num.toUInt(&ok, 10);
        if (ok) {
            v.data.resize(4);
            v.data[0] = char(n & 0xFF);
            v.data[1] = char((n >> 8) & 0xFF);
            v.data[2] = char((n >> 16) & 0xFF);
            v.data[3] = char((n >> 24) & 0xFF);
        }
    } else if (text.startsWith("hex(")) {
        const qsizetype close = text.indexOf("):");
        bool ok = false;
        const int type = close > 4 ? text.mid(4, close - 4).toInt(&ok) : 0;
        v.type = ok ? type : REG_NONE;
        if (close > 0)
            v.data = QByteArray::fromHex(text.mid(close + 2));
    }
    return v;
}

// Reads the file into doc. False when the file exists but could not be read: doc
// is then empty, and saving it would wipe every stored value, so the writers refuse.
bool load(Document& doc)
{
    doc.clear();
    QFile file(filePath());
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    const QList<QByteArray> lines = bytes.split('\n');
    Section* current = nullptr;
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            const qsizetype close = line.lastIndexOf(']');
            if (close < 0) {
                current = nullptr;
                continue;
            }
            const QString path = normaliseKey(fromCp1252(unescape(line.mid(1, close - 1))));
            current = nullptr;
            for (Section& s : doc) {
                if (s.path.compare(path, Qt::CaseInsensitive) == 0)
                    current = &s;
            }
            if (!current) {
                doc.append(Section{path, {}});
                current = &doc.last();
            }
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (!current || eq < 0)
            continue;
        Entry e{fromCp1252(unescape(line.left(eq))), decodeValue(line.mid(eq + 1))};
        bool replaced = false;
        for (Entry& old : current->entries) {
            if (old.name.compare(e.name, Qt::CaseInsensitive) == 0) {
                old.value = e.value;
                replaced = true;
            }
        }
        if (!replaced)
            current->entries.append(e);
    }
    return true;
}

Document load()
{
    Document doc;
    load(doc);
    return doc;
}

bool save(const Document& doc)
{
    QByteArray out;
    for (const Section& s : doc) {
        out += '[' + escape(toCp1252(s.path), "]") + "]\n";
        for (const Entry& e : s.entries)
            out += escape(toCp1252(e.name), "=[;#") + '=' + encodeValue(e.value) + '\n';
        out += '\n';
    }
    const QString path = filePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(out) != out.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

Section* findSection(Document& doc, const QString& keyPath)
{
    const QString path = normaliseKey(keyPath);
    for (Section& s : doc) {
        if (s.path.compare(path, Qt::CaseInsensitive) == 0)
            return &s;
    }
    return nullptr;
}

} // namespace

bool createKey(const QString& keyPath)
{
    const QStringList parts = normaliseKey(keyPath).split(u'\\', Qt::SkipEmptyParts);
    Document doc;
    if (!load(doc))
        return false;
    bool changed = false;
    QString prefix;
    for (const QString& part : parts) {
        prefix = prefix.isEmpty() ? part : prefix + u'\\' + part;
        if (!findSection(doc, prefix)) {
            doc.append(Section{prefix, {}});
            changed = true;
        }
    }
    return changed ? save(doc) : true;
}

bool keyExists(const QString& keyPath)
{
    if (normaliseKey(keyPath).isEmpty())
        return true;  // the hive itself
    Document doc = load();
    return findSection(doc, keyPath) != nullptr;
}

std::optional<Value> queryValue(const QString& keyPath, const QString& name)
{
    Document doc = load();
    const Section* s = findSection(doc, keyPath);
    if (!s)
        return std::nullopt;
    for (const Entry& e : s->entries) {
        if (e.name.compare(name, Qt::CaseInsensitive) == 0)
            return e.value;
    }
    return std::nullopt;
}

bool setValue(const QString& keyPath, const QString& name, const Value& value)
{
    Document doc;
    if (!load(doc))
        return false;
    Section* s = findSection(doc, keyPath);
    if (!s)
        return false;
    for (Entry& e : s->entries) {
        if (e.name.compare(name, Qt::CaseInsensitive) == 0) {
            e.value = value;
            return save(doc);
        }
    }
    s->entries.append(Entry{name, value});
    return save(doc);
}

QString filePath()
{
    if (!overrideFile().isEmpty())
        return overrideFile();
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/Orvane/Tradewright5.ini");
}

void setFilePath(const QString& path)
{
    overrideFile() = path;
}

} // namespace RegistryStore
