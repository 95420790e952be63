#include "platform/RegistryStore.h"

#include "platform/AppPath.h"
#include "platform/Codec.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QStringDecoder>

#include <sys/stat.h>

#include <algorithm>
#include <vector>

// The file is plain ASCII as this store writes it:
//
//   [Software\Orvane\Tradewright5]
//   SplashDelay=sz:5
//   Count=dword:0x00000001
//   Blob=hex(3):0a0b0c
//
// A section per key (its normalised path as written when it was created), a line
// per value. Texts are the stored bytes, percent-escaped wherever a byte is not
// plain printable ASCII (a zero byte is "%00"), so every byte comes back as it was.
//
// People edit the file by hand, so the reader also takes blanks before a section
// or around "=", a UTF-8 byte-order mark, comment lines (";" or "#"), UTF-8 text
// and a value without a type (a text, as written). Every line is kept as it was
// read and written back byte for byte unless its value was changed: comments,
// blank lines and lines the reader cannot make sense of survive every save.

namespace RegistryStore {

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

struct Line
{
    QByteArray raw;        // as read, without its line feed ("\r" kept); empty for a line made here
    bool changed = false;  // a value written afresh from name and value
    QString name;
    Value value;
};

// A section header and the lines up to the next one. The lines before the first
// header form a block without a header; so does a header that cannot be read (its
// lines belong to no key).
struct Block
{
    QByteArray header;  // the header line as read; empty for the lines before the first one
    QString path;       // the key; empty when the block belongs to none
    bool newHeader = false;  // made here: written from path
    std::vector<Line> lines;
    std::vector<QByteArray> trailing;  // blank lines at the block's end; new values go before them
};

struct Place
{
    int block;
    int line;
};

struct Key
{
    int firstBlock;                  // where new values of the key go
    QHash<QString, Place> values;    // by case-folded name; the last line of a name wins
};

struct Document
{
    bool bom = false;
    QByteArray newline = "\n";  // what the file's lines end with, for lines made here
    std::vector<Block> blocks;
    QHash<QString, Key> keys;  // by case-folded normalised path
};

// What the file looked like when it was last parsed or written. Reads parse the file
// again only when it changed since: another size, inode, device, or time of the last
// change or modification to the nanosecond. A file replaced by a rename gets a new
// inode while the old one is still in use. A file rewritten in place at the same size
// within one tick of the file-system clock (a few milliseconds; a whole second on file
// systems that keep whole seconds) would keep its times, so while a stamp is that
// fresh ("racy") the bytes themselves are compared as well.
struct Stamp
{
    bool exists = false;
    qint64 size = 0;
    quint64 inode = 0;
    quint64 device = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;

    bool operator==(const Stamp&) const = default;
};

constexpr qint64 kSecondNs = 1'000'000'000;

struct Cache
{
    QString path;       // the file this is for
    bool valid = false;
    bool readable = true;  // false: the file exists but could not be read
    bool unsaved = false;  // the document holds changes the file could not take
    Stamp stamp;
    QByteArray bytes;   // the file's bytes, for the racy check
    Document doc;
};

QMutex& lock()
{
    static QMutex m;
    return m;
}

Cache& cache()
{
    static Cache c;
    return c;
}

QString& overrideFile()
{
    static QString path;
    return path;
}

Stamp stampOf(const QString& path)
{
    Stamp s;
    struct stat st{};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return s;
    s.exists = true;
    s.size = st.st_size;
    s.inode = st.st_ino;
    s.device = st.st_dev;
    s.modifiedNs = qint64(st.st_mtim.tv_sec) * kSecondNs + st.st_mtim.tv_nsec;
    s.changedNs = qint64(st.st_ctim.tv_sec) * kSecondNs + st.st_ctim.tv_nsec;
    return s;
}

bool isRacy(const Stamp& s)
{
    if (!s.exists)
        return false;
    // Times in whole seconds come from a file system that keeps no finer ones.
    const bool wholeSeconds = s.modifiedNs % kSecondNs == 0 && s.changedNs % kSecondNs == 0;
    const qint64 window = wholeSeconds ? 2 * kSecondNs : kSecondNs / 20;
    const qint64 nowNs = QDateTime::currentMSecsSinceEpoch() * 1'000'000;
    return nowNs - std::max(s.modifiedNs, s.changedNs) < window;
}

QString normaliseKey(const QString& keyPath)
{
    return keyPath.split(u'\\', Qt::SkipEmptyParts).join(u'\\');
}

QString foldedKey(const QString& keyPath)
{
    return normaliseKey(keyPath).toCaseFolded();
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

bool startsWithNoCase(const QByteArray& text, const char* prefix)
{
    return text.left(qsizetype(qstrlen(prefix))).compare(prefix, Qt::CaseInsensitive) == 0;
}

Value decodeValue(const QByteArray& text)
{
    Value v;
    if (startsWithNoCase(text, "sz:")) {
        v.type = REG_SZ;
        v.data = unescape(text.mid(3));
    } else if (startsWithNoCase(text, "dword:")) {
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
    } else if (startsWithNoCase(text, "hex(")) {
        const qsizetype close = text.indexOf("):");
        bool ok = false;
        const int type = close > 4 ? text.mid(4, close - 4).toInt(&ok) : 0;
        v.type = ok ? type : REG_NONE;
        if (close > 0)
            v.data = QByteArray::fromHex(text.mid(close + 2));
    } else {
        // No type: a text typed by hand, taken as it stands.
        v.type = REG_SZ;
        v.data = text;
    }
    return v;
}

// A line typed in an editor that saves UTF-8 is read as UTF-8; every other line is
// code-page bytes, which is all this store itself writes (escaped ASCII).
QByteArray codePageLine(const QByteArray& line)
{
    bool ascii = true;
    for (const char c : line) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return line;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(line);
    return utf8.hasError() ? line : toCp1252(text);
}

Line keptLine(QByteArray raw)
{
    Line line;
    line.raw = std::move(raw);
    return line;
}

Key& addKey(Document& doc, const QString& path, int block)
{
    return doc.keys.insert(path.toCaseFolded(), Key{block, {}}).value();
}

void parse(const QByteArray& file, Document& doc)
{
    doc = Document();
    QByteArray bytes = file;
    if (bytes.startsWith(kBom)) {
        doc.bom = true;
        bytes.remove(0, kBom.size());
    }
    doc.blocks.emplace_back();
    Key* current = nullptr;
    qsizetype from = 0;
    bool first = true;
    while (from < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', from);
        if (end < 0)
            end = bytes.size();
        const QByteArray raw = bytes.mid(from, end - from);
        from = end + 1;
        if (first && raw.endsWith('\r'))
            doc.newline = "\r\n";
        first = false;

        const QByteArray text = codePageLine(raw).trimmed();  // the trim drops a "\r" too
        Block* block = &doc.blocks.back();
        if (text.isEmpty()) {
            block->trailing.push_back(raw);
            continue;
        }
        if (text.startsWith('[')) {
            doc.blocks.emplace_back();
            Block& b = doc.blocks.back();
            b.header = raw;
            current = nullptr;
            const qsizetype close = text.lastIndexOf(']');
            if (close < 0)
                continue;  // not a header: what follows belongs to no key
            b.path = normaliseKey(fromCp1252(unescape(text.mid(1, close - 1))));
            const int index = int(doc.blocks.size()) - 1;
            auto known = doc.keys.find(b.path.toCaseFolded());
            current = known != doc.keys.end() ? &known.value() : &addKey(doc, b.path, index);
            continue;
        }
        // Anything but a header ends a run of blank lines: they stay where they were.
        for (QByteArray& blank : block->trailing)
            block->lines.push_back(keptLine(std::move(blank)));
        block->trailing.clear();
        const qsizetype eq = text.indexOf('=');
        if (!current || eq < 0 || text.startsWith(';') || text.startsWith('#')) {
            block->lines.push_back(keptLine(raw));
            continue;
        }
        Line line{raw, false, fromCp1252(unescape(text.left(eq).trimmed())),
                  decodeValue(text.mid(eq + 1).trimmed())};
        current->values.insert(line.name.toCaseFolded(),
                               Place{int(doc.blocks.size()) - 1, int(block->lines.size())});
        block->lines.push_back(std::move(line));
    }
}

QByteArray serialise(const Document& doc)
{
    QByteArray out;
    if (doc.bom)
        out += kBom;
    // A line kept as read ends as it did ("\r" is part of it); a line made here ends
    // like the line it replaces, or like the file's first line.
    auto kept = [&](const QByteArray& raw) {
        out += raw;
        out += '\n';
    };
    auto made = [&](const QByteArray& line, const QByteArray& replaced) {
        out += line;
        out += replaced.isEmpty() ? doc.newline : replaced.endsWith('\r') ? QByteArray("\r\n") : QByteArray("\n");
    };
    for (const Block& b : doc.blocks) {
        if (b.newHeader)
            made('[' + escape(toCp1252(b.path), "]") + ']', QByteArray());
        else if (!b.header.isEmpty())
            kept(b.header);
        for (const Line& l : b.lines) {
            if (l.changed)
                made(escape(toCp1252(l.name), "=[;#") + '=' + encodeValue(l.value), l.raw);
            else
                kept(l.raw);
        }
        for (const QByteArray& blank : b.trailing) {
            if (blank.isEmpty() && b.newHeader)
                made(blank, QByteArray());
            else
                kept(blank);
        }
    }
    return out;
}

// Brings the cache up to date with the file. False when the file exists but could
// not be read: the document is then unknown, and saving it would wipe every stored
// value, so the writers refuse.
bool load()
{
    Cache& c = cache();
    const QString path = filePath();
    if (c.path != path) {
        c = Cache();
        c.path = path;
    }
    // Changes that could not be written stay: the file is not read over them, and
    // the next change writes them with it.
    if (c.valid && c.unsaved)
        return true;
    const Stamp now = stampOf(path);
    if (c.valid && now == c.stamp && !isRacy(now))
        return c.readable;

    QByteArray bytes;
    if (now.exists) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            c.valid = false;
            c.readable = false;
            c.doc = Document();
            return false;
        }
        bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            c.valid = false;
            c.readable = false;
            c.doc = Document();
            return false;
        }
    }
    // A racy stamp (or one that moved without the bytes changing) keeps the parse.
    if (!(c.valid && c.readable && c.stamp.exists == now.exists && bytes == c.bytes))
        parse(bytes, c.doc);
    c.bytes = bytes;
    c.stamp = now;
    c.valid = true;
    c.readable = true;
    return true;
}

// What a change did to the file; told to the user (outside the lock, since the box
// waits for a person while other code may read settings) by report().
struct Saved
{
    bool written = true;
    QString path;
    QString why;

    bool report() const
    {
        if (!path.isEmpty())
            ReportSave(path, written, why);
        return written;
    }
};

// Writes the changed document. On failure the document stays as changed (and
// unsaved), so what was set is still read back and goes out with the next change.
Saved save()
{
    Cache& c = cache();
    Saved saved;
    saved.path = c.path;
    const QByteArray out = serialise(c.doc);
    QDir().mkpath(QFileInfo(c.path).absolutePath());
    if (!ReplaceFile(c.path, out, QByteArray(), true, &saved.why)) {
        c.unsaved = true;
        saved.written = false;
        return saved;
    }
    c.unsaved = false;
    c.bytes = out;
    c.stamp = stampOf(c.path);
    return saved;
}

// A change refused because the file could not be read: it is told as a failed save.
Saved refused()
{
    Saved saved;
    saved.written = false;
    saved.path = cache().path;
    saved.why = QStringLiteral("It could not be read, so what it holds is kept.");
    return saved;
}

Key* findKey(Document& doc, const QString& keyPath)
{
    auto it = doc.keys.find(foldedKey(keyPath));
    return it == doc.keys.end() ? nullptr : &it.value();
}

} // namespace

bool createKey(const QString& keyPath)
{
    const QStringList parts = normaliseKey(keyPath).split(u'\\', Qt::SkipEmptyParts);
    QMutexLocker locked(&lock());
    if (!load()) {
        locked.unlock();
        return refused().report();
    }
    Document& doc = cache().doc;
    bool changed = false;
    QString prefix;
    for (const QString& part : parts) {
        prefix = prefix.isEmpty() ? part : prefix + u'\\' + part;
        if (!findKey(doc, prefix)) {
            Block b;
            b.path = prefix;
            b.newHeader = true;
            b.trailing.push_back(QByteArray());
            doc.blocks.push_back(std::move(b));
            addKey(doc, prefix, int(doc.blocks.size()) - 1);
            changed = true;
        }
    }
    if (!changed)
        return true;
    const Saved saved = save();
    locked.unlock();
    return saved.report();
}

bool keyExists(const QString& keyPath)
{
    if (normaliseKey(keyPath).isEmpty())
        return true;  // the hive itself
    QMutexLocker locked(&lock());
    return load() && findKey(cache().doc, keyPath) != nullptr;
}

std::optional<Value> queryValue(const QString& keyPath, const QString& name)
{
    QMutexLocker locked(&lock());
    if (!load())
        return std::nullopt;
    Document& doc = cache().doc;
    const Key* key = findKey(doc, keyPath);
    if (!key)
        return std::nullopt;
    const auto at = key->values.constFind(name.toCaseFolded());
    if (at == key->values.cend())
        return std::nullopt;
    return doc.blocks[std::size_t(at->block)].lines[std::size_t(at->line)].value;
}

bool setValue(const QString& keyPath, const QString& name, const Value& value)
{
    QMutexLocker locked(&lock());
    if (!load()) {
        locked.unlock();
        return refused().report();
    }
    Document& doc = cache().doc;
    Key* key = findKey(doc, keyPath);
    if (!key)
        return false;
    const QString folded = name.toCaseFolded();
    const auto at = key->values.constFind(folded);
    if (at != key->values.cend()) {
        Line& line = doc.blocks[std::size_t(at->block)].lines[std::size_t(at->line)];
        line.value = value;
        line.changed = true;
    } else {
        Block& block = doc.blocks[std::size_t(key->firstBlock)];
        key->values.insert(folded, Place{key->firstBlock, int(block.lines.size())});
        Line line;
        line.changed = true;
        line.name = name;
        line.value = value;
        block.lines.push_back(std::move(line));
    }
    const Saved saved = save();
    locked.unlock();
    return saved.report();
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
