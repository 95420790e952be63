// The byte rule of the data files: exact layout, limits and damaged input.
#include "StockDataFixture.h"

#include "PeakMemory.h"

#include "stockdata/DataFile.h"

#include <QProcess>
#include <QBuffer>
#include <QFileInfo>

#include <array>

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

} // namespace

TEST(DataFile, EmptyTablesHaveTheirByteLayoutSizes)
{
    EXPECT_EQ(encodeTable(std::array<StockRec, kStockRows>{}).size(), 13266);
    EXPECT_EQ(encodeTable(std::array<PortRec, kTransRows>{}).size(), 2828);
    EXPECT_EQ(encodeTable(std::array<USRec, kUSRows>{}).size(), 370);
}

TEST(DataFile, PortRecIsPackedLittleEndianInFieldOrder)
{
    PortRec r;
    r.Symbol = "IBM";
    r.TransDate = "1/2/03";
    r.Price = 10.5f;
    r.Shares = 100;
    r.Commission = 15;
    r.PriceText = "12";
    r.Action = "Buy";
    r.Gain = -50.25;
    r.LotId = 3;
    BinaryWriter out;
    writeRecord(out, r);
    EXPECT_EQ(out.bytes().toHex(' '),
              hex("0300 49424d"          // Symbol
                  "0600 312f322f3033"    // TransDate
                  "00002841"             // Price 10.5f
                  "6400"                 // Shares 100
                  "00007041"             // Commission 15f
                  "0200 3132"            // PriceText
                  "0300 427579"          // Action
                  "00000000002049c0"     // Gain -50.25
                  "0300")                // LotId
                  .toHex(' '));
}

TEST(DataFile, StockRecKeepsItsFieldOrder)
{
    StockRec r;
    r.Symbol = "A";
    r.AvgRecommendation = 2.5f;
    r.LastPrice = "B";
    r.LastTradeTime = "C";
    r.TargetLow = 1;
    r.TargetHigh = 2;
    r.Yield = "D";
    BinaryWriter out;
    writeRecord(out, r);
    const QByteArray b = out.bytes();
    ASSERT_EQ(b.size(), 66 + 4);
    EXPECT_EQ(b.left(7), hex("0000 0100 41 0000"));              // Tag, Symbol, CompanyName
    EXPECT_EQ(b.mid(7, 4), hex("00002040"));                      // AvgRecommendation
    EXPECT_EQ(b.mid(11, 3), hex("0100 42"));                      // LastPrice first of the 19 texts
    EXPECT_EQ(b.mid(11 + 3 + 17 * 2, 3), hex("0100 43"));         // LastTradeTime last of them
    EXPECT_EQ(b.mid(11 + 3 + 17 * 2 + 3, 8), hex("0000803f 00000040"));  // the two alert prices
    EXPECT_EQ(b.right(3), hex("0100 44"));                        // Yield closes the row
}

TEST(DataFile, TextsAreWindows1252AndCutAt65535Bytes)
{
    BinaryWriter out;
    out.writeText(QString::fromUtf8("Caf\u00e9 \u20ac"));
    EXPECT_EQ(out.bytes(), hex("0600 436166e9 2080"));

    BinaryWriter longOut;
    longOut.writeText(QString(70000, QLatin1Char('x')));
    EXPECT_EQ(longOut.bytes().size(), 2 + 65535);
    EXPECT_EQ(longOut.bytes().left(2), hex("ffff"));
    BinaryReader in(longOut.bytes());
    QString back;
    ASSERT_TRUE(in.readText(back));
    EXPECT_EQ(back.size(), 65535);
    EXPECT_TRUE(in.atEnd());
}

TEST(DataFile, RecordsRoundTrip)
{
    std::array<StockRec, kStockRows> stocks;
    StockRec& s = stocks[7];
    int n = 0;
    for (QString* t : {&s.Tag, &s.Symbol, &s.CompanyName, &s.LastPrice, &s.PctChange, &s.Change, &s.DayHigh,
                       &s.DayLow, &s.Volume, &s.Ask, &s.Bid, &s.LastTradeSize, &s.PERatio, &s.DivPerShare,
                       &s.OpenPrice, &s.PrevClose, &s.YearHigh, &s.YearLow, &s.EPS, &s.Exchange, &s.Industry,
                       &s.LastTradeTime, &s.Field25, &s.MarketCap, &s.AvgVolume, &s.DivDate, &s.Yield})
        *t = QStringLiteral("f%1\u00fc").arg(++n);
    s.AvgRecommendation = 1.75f;
    s.TargetLow = 9.125f;
    s.TargetHigh = 14.5f;

    std::array<StockRec, kStockRows> back;
    EXPECT_EQ(decodeTable(encodeTable(stocks), back), kStockRows);
    EXPECT_EQ(back, stocks);

    std::array<PortRec, kTransRows> port;
    port[100] = PortRec{"XYZ", "d", 1.5f, -3, 2.25f, "p", "Sell", -1e10, 32767};
    std::array<PortRec, kTransRows> portBack;
    EXPECT_EQ(decodeTable(encodeTable(port), portBack), kTransRows);
    EXPECT_EQ(portBack, port);
}

TEST(DataFile, DamagedDumpsReadAsFarAsTheyAreWhole)
{
    std::array<USRec, kUSRows> table;
    for (int i = 0; i < kUSRows; ++i)
        table[i] = USRec{QString::number(i), "t", "c", "p", "e"};
    const QByteArray dump = encodeTable(table);

    struct Case
    {
        const char* name;
        QByteArray bytes;
        int rowsRead;
    };
    // Byte offset where row n begins.
    auto rowStart = [&](int n) {
        BinaryWriter out;
        for (int i = 0; i < n; ++i)
            writeRecord(out, table[i]);
        return out.bytes().size();
    };
    QByteArray badLength = dump.left(rowStart(2));  // two whole rows ...
    badLength += hex("ff7f 41");                    // ... then a text claiming 32767 bytes
    const Case cases[] = {
        {"longer file", dump + QByteArray(500, 'z'), kUSRows},
        {"cut inside row 3", dump.left(rowStart(3) + 5), 3},
        {"cut inside a length", dump.left(rowStart(1) + 1), 1},
        {"empty", QByteArray(), 0},
        {"length past the end", badLength, 2},
    };
    for (const Case& c : cases) {
        for (const bool fromDevice : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (fromDevice ? ", from a device" : ", from bytes"));
            std::array<USRec, kUSRows> back;
            QBuffer device;
            device.setData(c.bytes);
            ASSERT_TRUE(device.open(QIODevice::ReadOnly));
            BinaryReader deviceReader(device);
            EXPECT_EQ(fromDevice ? decodeTable(deviceReader, back) : decodeTable(c.bytes, back), c.rowsRead);
            for (int i = 0; i < kUSRows; ++i)
                EXPECT_EQ(back[i], i < c.rowsRead ? table[i] : USRec()) << "row " << i;
        }
    }
}

class DataFileOnDisk : public StockDataTest
{
};

TEST_F(DataFileOnDisk, MissingFileIsCreatedEmptyAndWritesReplaceTheWholeFile)
{
    std::array<USRec, kUSRows> table;
    EXPECT_EQ(readTableFile(path("US.dat"), table), DataFileStatus::CreatedEmpty);
    EXPECT_EQ(fileBytes("US.dat").size(), 370);

    // An old file longer than the dump: the write leaves exactly one dump behind.
    writeFile("US.dat", QByteArray(1000, 'q'));
    table[0].LastTrade = "1234.5";
    ASSERT_TRUE(writeTableFile(path("US.dat"), table));
    EXPECT_EQ(fileBytes("US.dat"), encodeTable(table));

    std::array<USRec, kUSRows> back;
    EXPECT_EQ(readTableFile(path("US.dat"), back), DataFileStatus::Read);
    EXPECT_EQ(back, table);
}

// The sample site's stock set is written by a script, not by this codec: it must read
// back whole, so a change of the row layout cannot leave the demo with a broken set.
TEST(DataFile, TheSampleSiteStockSetReadsBackWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Set0.dat"));
    QProcess script;
    script.start(QStringLiteral("python3"),
                 {QStringLiteral(TW_FIXTURES "/../../scripts/demo-site"), QStringLiteral("--write-set"), path});
    ASSERT_TRUE(script.waitForFinished(30000)) << script.errorString().toStdString();
    ASSERT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    std::array<StockRec, kStockRows> table{};
    ASSERT_EQ(decodeTable(bytes, table), kStockRows);
    EXPECT_EQ(encodeTable(table), bytes);  // nothing left over, nothing missing
    const char* symbols[] = {"IBM", "MSFT", "AOL"};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(table[std::size_t(row)].Symbol, symbols[row]);
        EXPECT_FALSE(table[std::size_t(row)].CompanyName.isEmpty());
    }
    EXPECT_TRUE(table[3].Symbol.isEmpty());
}

// A set file of 200 MB (a sparse file: a table followed by nothing but zeros) reads
// like any longer file, and only its table's bytes are read.
TEST_F(DataFileOnDisk, AnOversizedFileIsReadOnlyAsFarAsItsTable)
{
    std::array<StockRec, kStockRows> table;
    table[0].Symbol = "IBM";
    table[0].CompanyName = QString(3000, u'n');
    table[kStockRows - 1].Symbol = "MSFT";
    ASSERT_TRUE(writeTableFile(path("Set1.dat"), table));
    const qint64 dumpSize = encodeTable(table).size();
    constexpr qint64 kFileSize = 200LL * 1024 * 1024;
    ASSERT_TRUE(QFile::resize(path("Set1.dat"), kFileSize));

    {
        QFile file(path("Set1.dat"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        BinaryReader in(file);
        std::array<StockRec, kStockRows> back;
        EXPECT_EQ(decodeTable(in, back), kStockRows);
        EXPECT_EQ(back, table);
        EXPECT_LE(file.pos(), dumpSize + BinaryReader::ReadAhead);
    }

    std::array<StockRec, kStockRows> back;
    const test::PeakMemory memory;
    EXPECT_EQ(readTableFile(path("Set1.dat"), back), DataFileStatus::Read);
    EXPECT_LT(memory.growthKiB(), 32 * 1024);  // reading it whole takes over 200 MB
    EXPECT_EQ(back, table);
    EXPECT_EQ(QFileInfo(path("Set1.dat")).size(), kFileSize);
}
