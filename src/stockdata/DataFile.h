#pragma once

#include "stockdata/Records.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

class QFile;
class QIODevice;

// The byte rule of every data file of the program (Set<n>.dat, Portfolio.dat,
// US.dat, LayOut.dat): one dump of a whole fixed table, every row in index order,
// free rows included, no header. Within a row the fields follow in declaration
// order without padding; a text is a 16-bit little-endian length followed by that
// many Windows-1252 bytes; numbers are little-endian in their natural width
// (16/32-bit integers, 32/64-bit IEEE floats). Files written by the older program
// could be longer than one dump (it never truncated), so readers take one dump from
// the first byte and ignore the rest.

class BinaryWriter
{
public:
    // A text over 65,535 bytes is cut there: its length must fit the 16-bit prefix,
    // or the file could not be read back.
    static constexpr int MaxTextBytes = 0xFFFF;

    void writeText(const QString& text);
    void writeInt16(std::int16_t value);
    void writeInt32(std::int32_t value);
    void writeFloat(float value);
    void writeDouble(double value);

    const QByteArray& bytes() const { return m_bytes; }

private:
    void writeRaw(const void* data, int size);

    QByteArray m_bytes;
};

// Reads fields from the start of a byte array, or from a device, which is then read
// only as far as the fields asked for reach (a little ahead, in steps of ReadAhead
// bytes). A read that would run past the end returns false and leaves the value as
// it was; the reader then stays failed, so a truncated or corrupt file is read only
// as far as it is whole.
class BinaryReader
{
public:
    static constexpr qsizetype ReadAhead = 16 * 1024;

    explicit BinaryReader(const QByteArray& bytes) : m_bytes(&bytes) {}
    explicit BinaryReader(QIODevice& device) : m_bytes(&m_buffer), m_device(&device) {}
    BinaryReader(const BinaryReader&) = delete;
    BinaryReader& operator=(const BinaryReader&) = delete;

    bool readText(QString& text);
    bool readInt16(std::int16_t& value);
    bool readInt32(std::int32_t& value);
    bool readFloat(float& value);
    bool readDouble(double& value);

    bool failed() const { return m_failed; }
    qsizetype position() const { return m_pos; }
    bool atEnd() { return !available(1); }

private:
    // Whether size more bytes are there from the position (reading them in from the
    // device when needed).
    bool available(qsizetype size);
    bool readRaw(void* data, qsizetype size);

    QByteArray m_buffer;  // what was read from the device
    const QByteArray* m_bytes;
    QIODevice* m_device = nullptr;
    qsizetype m_pos = 0;
    bool m_failed = false;
};

// One record each way, in file order. readRecord returns false when the row is not
// wholly present (the record may then hold part of it).
void writeRecord(BinaryWriter& out, const StockRec& rec);
bool readRecord(BinaryReader& in, StockRec& rec);
void writeRecord(BinaryWriter& out, const USRec& rec);
bool readRecord(BinaryReader& in, USRec& rec);
void writeRecord(BinaryWriter& out, const PortRec& rec);
bool readRecord(BinaryReader& in, PortRec& rec);

// A whole table as one dump. Any record type with writeRecord/readRecord overloads
// (found by argument-dependent lookup) works, so the layout file can use it too.
template <typename Rec, std::size_t N>
QByteArray encodeTable(const std::array<Rec, N>& table)
{
    BinaryWriter out;
    for (const Rec& rec : table)
        writeRecord(out, rec);
    return out.bytes();
}

// Fills table rows from the dump at the start of bytes (or what in reads); a row is
// stored only when it is wholly present, and reading stops at the first row that is
// not. Rows not read are left as they were (the callers empty the table first).
// Nothing after the last row is read. Returns the rows read.
template <typename Rec, std::size_t N>
int decodeTable(BinaryReader& in, std::array<Rec, N>& table)
{
    for (std::size_t i = 0; i < N; ++i) {
        Rec rec;
        if (!readRecord(in, rec))
            return static_cast<int>(i);
        table[i] = std::move(rec);
    }
    return static_cast<int>(N);
}

template <typename Rec, std::size_t N>
int decodeTable(const QByteArray& bytes, std::array<Rec, N>& table)
{
    BinaryReader in(bytes);
    return decodeTable(in, table);
}

// Result of reading a data file.
enum class DataFileStatus {
    Read,            // the file was read (whole or as far as it was whole)
    CreatedEmpty,    // it was missing and an empty dump was written in its place
    Failed,          // it could not be read, or the missing file could not be created
};

// Reads the dump of path into table (which the caller has emptied). A missing file
// is created holding the dump of the (empty) table as it stands. The file is read
// only as far as the table reaches: a longer file costs no more than its table.
template <typename Rec, std::size_t N>
DataFileStatus readTableFile(const QString& path, std::array<Rec, N>& table);

// Writes the whole table through a temporary file and a rename: a failure leaves the
// old file as it was. False when the write failed (why, when given, says why).
template <typename Rec, std::size_t N>
bool writeTableFile(const QString& path, const std::array<Rec, N>& table, QString* why = nullptr);

// Non-template parts of the two above.
// A file that exists but could not be read may still hold good rows that the table
// in memory does not: until it is read again, or found missing, writeAll refuses to
// replace it, so a save after a failed read never overwrites the user's data.
namespace datafile {
bool exists(const QString& path);
// The bytes of an existing file, read as far as the decoder asks. A file that cannot
// be opened, or fails while being read, counts as unread (see writeAll).
class Source
{
public:
    explicit Source(const QString& path);
    ~Source();
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;

    bool opened() const { return m_opened; }
    BinaryReader& reader() { return *m_reader; }
    // After decoding: true when every read succeeded; records the outcome for writeAll.
    bool finish();

private:
    QString m_path;
    QByteArray m_bytes;  // from the replaced reader, when one is set
    std::unique_ptr<QFile> m_file;
    std::unique_ptr<BinaryReader> m_reader;
    bool m_opened = false;
};
bool writeAll(const QString& path, const QByteArray& bytes, QString* why = nullptr);
// Whether writeAll refuses path now (it exists and could not be read).
bool unread(const QString& path);
// Lifts the refusal for path: for a caller that means to replace its contents whatever
// they are (emptying the portfolio), and for a file that turned out to be missing.
void forgetUnread(const QString& path);
// Replaces the reader of existing files (it hands over the whole file); an empty
// function restores the real one.
void setReader(std::function<bool(const QString& path, QByteArray& bytes)> reader);
} // namespace datafile

template <typename Rec, std::size_t N>
DataFileStatus readTableFile(const QString& path, std::array<Rec, N>& table)
{
    if (!datafile::exists(path)) {
        datafile::forgetUnread(path);
        return datafile::writeAll(path, encodeTable(table)) ? DataFileStatus::CreatedEmpty : DataFileStatus::Failed;
    }
    datafile::Source source(path);
    if (!source.opened())
        return DataFileStatus::Failed;
    std::array<Rec, N> read = table;
    decodeTable(source.reader(), read);
    if (!source.finish())
        return DataFileStatus::Failed;
    table = std::move(read);
    return DataFileStatus::Read;
}

template <typename Rec, std::size_t N>
bool writeTableFile(const QString& path, const std::array<Rec, N>& table, QString* why)
{
    return datafile::writeAll(path, encodeTable(table), why);
}
