#include "stockdata/DataFile.h"

#include "platform/AppPath.h"
#include "platform/Codec.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <cstring>

void BinaryWriter::writeRaw(const void* data, int size)
{
    m_bytes.append(static_cast<const char*>(data), size);
}

void BinaryWriter::writeText(const QString& text)
{
    QByteArray bytes = toCp1252(text);
    if (bytes.size() > MaxTextBytes)
        bytes.truncate(MaxTextBytes);
    writeInt16(static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes.size())));
    m_bytes.append(bytes);
}

void BinaryWriter::writeInt16(std::int16_t value)
{
    const std::int16_t le = qToLittleEndian(value);
    writeRaw(&le, sizeof le);
}

void BinaryWriter::writeInt32(std::int32_t value)
{
    const std::int32_t le = qToLittleEndian(value);
    writeRaw(&le, sizeof le);
}

void BinaryWriter::writeFloat(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    bits = qToLittleEndian(bits);
    writeRaw(&bits, sizeof bits);
}

void BinaryWriter::writeDouble(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    bits = qToLittleEndian(bits);
    writeRaw(&bits, sizeof bits);
}

bool BinaryReader::available(qsizetype size)
{
    while (size > m_bytes->size() - m_pos) {
        if (!m_device)
            return false;
        const qsizetype missing = size - (m_bytes->size() - m_pos);
        const QByteArray more = m_device->read(std::max(missing, ReadAhead));
        if (more.isEmpty())
            return false;
        m_buffer.append(more);
    }
    return true;
}

bool BinaryReader::readRaw(void* data, qsizetype size)
{
    if (m_failed || !available(size)) {
        m_failed = true;
        return false;
    }
    std::memcpy(data, m_bytes->constData() + m_pos, static_cast<std::size_t>(size));
    m_pos += size;
    return true;
}

bool BinaryReader::readText(QString& text)
{
    std::uint16_t length;
    if (!readRaw(&length, sizeof length))
        return false;
    length = qFromLittleEndian(length);
    if (m_failed || !available(length)) {
        m_failed = true;
        return false;
    }
    text = fromCp1252(m_bytes->mid(m_pos, length));
    m_pos += length;
    return true;
}

bool BinaryReader::readInt16(std::int16_t& value)
{
    std::int16_t le;
    if (!readRaw(&le, sizeof le))
        return false;
    value = qFromLittleEndian(le);
    return true;
}

bool BinaryReader::readInt32(std::int32_t& value)
{
    std::int32_t le;
    if (!readRaw(&le, sizeof le))
        return false;
    value = qFromLittleEndian(le);
    return true;
}

bool BinaryReader::readFloat(float& value)
{
    std::uint32_t bits;
    if (!readRaw(&bits, sizeof bits))
        return false;
    bits = qFromLittleEndian(bits);
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

bool BinaryReader::readDouble(double& value)
{
    std::uint64_t bits;
    if (!readRaw(&bits, sizeof bits))
        return false;
    bits = qFromLittleEndian(bits);
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

void writeRecord(BinaryWriter& out, const StockRec& r)
{
    out.writeText(r.Tag);
    out.writeText(r.Symbol);
    out.writeText(r.CompanyName);
    out.writeFloat(r.AvgRecommendation);
    for (const QString* t : {&r.LastPrice, &r.PctChange, &r.Change, &r.DayHigh, &r.DayLow, &r.Volume, &r.Ask,
                             &r.Bid, &r.LastTradeSize, &r.PERatio, &r.DivPerShare, &r.OpenPrice, &r.PrevClose,
                             &r.YearHigh, &r.YearLow, &r.EPS, &r.Exchange, &r.Industry, &r.LastTradeTime})
        out.writeText(*t);
    out.writeFloat(r.TargetLow);
    out.writeFloat(r.TargetHigh);
    for (const QString* t : {&r.Field25, &r.MarketCap, &r.AvgVolume, &r.DivDate, &r.Yield})
        out.writeText(*t);
}

bool readRecord(BinaryReader& in, StockRec& r)
{
    in.readText(r.Tag);
    in.readText(r.Symbol);
    in.readText(r.CompanyName);
    in.readFloat(r.AvgRecommendation);
    for (QString* t : {&r.LastPrice, &r.PctChange, &r.Change, &r.DayHigh, &r.DayLow, &r.Volume, &r.Ask, &r.Bid,
                       &r.LastTradeSize, &r.PERatio, &r.DivPerShare, &r.OpenPrice, &r.PrevClose, &r.YearHigh,
                       &r.YearLow, &r.EPS, &r.Exchange, &r.Industry, &r.LastTradeTime})
        in.readText(*t);
    in.readFloat(r.TargetLow);
    in.readFloat(r.TargetHigh);
    for (QString* t : {&r.Field25, &r.MarketCap, &r.AvgVolume, &r.DivDate, &r.Yield})
        in.readText(*t);
    return !in.failed();
}

void writeRecord(BinaryWriter& out, const USRec& r)
{
    for (const QString* t : {&r.LastTrade, &r.TradeTime, &r.Change, &r.PctChange, &r.Extra})
        out.writeText(*t);
}

bool readRecord(BinaryReader& in, USRec& r)
{
    for (QString* t : {&r.LastTrade, &r.TradeTime, &r.Change, &r.PctChange, &r.Extra})
        in.readText(*t);
    return !in.failed();
}

void writeRecord(BinaryWriter& out, const PortRec& r)
{
    out.writeText(r.Symbol);
    out.writeText(r.TransDate);
    out.writeFloat(r.Price);
    out.writeInt16(r.Shares);
    out.writeFloat(r.Commission);
    out.writeText(r.PriceText);
    out.writeText(r.Action);
    out.writeDouble(r.Gain);
    out.writeInt16(r.LotId);
}

bool readRecord(BinaryReader& in, PortRec& r)
{
    in.readText(r.Symbol);
    in.readText(r.TransDate);
    in.readFloat(r.Price);
    in.readInt16(r.Shares);
    in.readFloat(r.Commission);
    in.readText(r.PriceText);
    in.readText(r.Action);
    in.readDouble(r.Gain);
    in.readInt16(r.LotId);
    return !in.failed();
}

namespace datafile {

namespace {

QSet<QString>& unreadFiles()
{
    static QSet<QString> files;
    return files;
}

QString keyOf(const QString& path)
{
    return QDir::cleanPath(QString(path).replace(u'\\', u'/'));
}

std::function<bool(const QString&, QByteArray&)>& replacedReader()
{
    static std::function<bool(const QString&, QByteArray&)> r;
    return r;
}

} // namespace

bool exists(const QString& path)
{
    return FileExists(path);
}

Source::Source(const QString& path) : m_path(path)
{
    if (replacedReader()) {
        m_opened = replacedReader()(path, m_bytes);
        if (m_opened)
            m_reader = std::make_unique<BinaryReader>(m_bytes);
    } else {
        m_file = std::make_unique<QFile>(ResolvePath(path));
        m_opened = m_file->open(QIODevice::ReadOnly);
        if (m_opened)
            m_reader = std::make_unique<BinaryReader>(*m_file);
    }
    if (!m_opened && exists(path))
        unreadFiles().insert(keyOf(path));
}

Source::~Source() = default;

bool Source::finish()
{
    const bool good = m_opened && (!m_file || m_file->error() == QFileDevice::NoError);
    if (good)
        unreadFiles().remove(keyOf(m_path));
    else if (exists(m_path))
        unreadFiles().insert(keyOf(m_path));
    return good;
}

bool writeAll(const QString& path, const QByteArray& bytes, QString* why)
{
    if (unread(path)) {
        if (why)
            *why = QStringLiteral("It could not be read, so what it holds is kept.");
        return false;
    }
    return WriteFileAtomic(path, bytes, why);
}

bool unread(const QString& path)
{
    return unreadFiles().contains(keyOf(path));
}

void forgetUnread(const QString& path)
{
    unreadFiles().remove(keyOf(path));
}

void setReader(std::function<bool(const QString& path, QByteArray& bytes)> r)
{
    replacedReader() = std::move(r);
}

} // namespace datafile
