// The stock-set table, its files and lookups, and US.dat.
#include "StockDataFixture.h"

#include "stockdata/DataFile.h"
#include "stockdata/Stocks.h"

#include <QDir>

#include <limits>

namespace {

StockRec fullStock(const QString& symbol)
{
    StockRec r;
    r.Tag = "tag";
    r.Symbol = symbol;
    r.CompanyName = symbol + " Corp";
    r.AvgRecommendation = 2.25f;
    r.LastPrice = "12 3/8";
    r.PctChange = "+1.2%";
    r.Change = "+0.15";
    r.Volume = "1,000";
    r.LastTradeTime = "4:01PM";
    r.TargetLow = 10;
    r.TargetHigh = 15.5f;
    r.Field25 = "f25";
    r.MarketCap = "1.2B";
    r.AvgVolume = "900";
    r.DivDate = "Jun 1";
    r.Yield = "2.1";
    return r;
}

} // namespace

class StockSet : public StockDataTest
{
};

TEST_F(StockSet, ReadingAMissingSetLeavesAnEmptyFile)
{
    StockCount() = 5;
    CurrentSet() = 3;
    Stocks()[4].Symbol = "OLD";
    ASSERT_TRUE(ReadStocks());
    EXPECT_EQ(StockCount(), 0);
    EXPECT_EQ(Stocks()[4], StockRec());
    EXPECT_EQ(fileBytes("Set3.dat").size(), 13266);
}

TEST_F(StockSet, OneStockSetRoundTrips)
{
    CurrentSet() = 12;
    Stocks()[0] = fullStock("IBM");
    ASSERT_TRUE(SaveStocks());
    const QByteArray bytes = fileBytes("Set12.dat");
    const int textBytes = QByteArray("tagIBMIBM Corp12 3/8+1.2%+0.151,0004:01PMf251.2B900Jun 12.1").size();
    EXPECT_EQ(bytes.size(), 13266 + textBytes);
    EXPECT_EQ(bytes.mid(66 + textBytes), encodeTable(std::array<StockRec, kStockRows>{}).mid(66));  // 200 empty rows

    const StockRec saved = Stocks()[0];
    ResetProgramState();
    CurrentSet() = 12;
    ASSERT_TRUE(ReadStocks());
    EXPECT_EQ(StockCount(), 1);
    EXPECT_EQ(Stocks()[0], saved);
}

TEST_F(StockSet, LongerOldFileReadsTheSameAndTruncatedFileReadsItsWholeRows)
{
    Stocks()[0] = fullStock("IBM");
    Stocks()[1] = fullStock("AOL");
    Stocks()[2] = fullStock("MSFT");
    const QByteArray dump = encodeTable(Stocks());
    const StockRec expected[3] = {Stocks()[0], Stocks()[1], Stocks()[2]};

    writeFile("Set0.dat", dump + QByteArray(3000, '\x07'));
    ResetProgramState();
    ASSERT_TRUE(ReadStocks());
    EXPECT_EQ(StockCount(), 3);
    EXPECT_EQ(Stocks()[2], expected[2]);

    // Cut in the middle of row 2.
    BinaryWriter firstRows;
    writeRecord(firstRows, expected[0]);
    writeRecord(firstRows, expected[1]);
    writeFile("Set0.dat", dump.left(firstRows.bytes().size() + 40));
    ResetProgramState();
    ASSERT_TRUE(ReadStocks());
    EXPECT_EQ(StockCount(), 2);
    EXPECT_EQ(Stocks()[1], expected[1]);
    EXPECT_EQ(Stocks()[2], StockRec());
}

TEST_F(StockSet, FailuresAreLoggedAndLeaveTheCount)
{
    // A folder where the set file should be cannot be read or written.
    ASSERT_TRUE(QDir(path("")).mkdir("Set0.dat"));
    StockCount() = 7;
    EXPECT_FALSE(ReadStocks());
    EXPECT_EQ(StockCount(), 7);
    EXPECT_TRUE(errorLog().contains("Stocks_ReadStocks"));

    EXPECT_FALSE(SaveStocks());
    EXPECT_TRUE(errorLog().contains("Stocks_SaveStocks"));

    // Nothing stays open after a failure: once the obstacle is gone the set reads.
    ASSERT_TRUE(QDir(path("")).rmdir("Set0.dat"));
    EXPECT_TRUE(ReadStocks());
    EXPECT_EQ(StockCount(), 0);
    EXPECT_EQ(fileBytes("Set0.dat").size(), 13266);

    // A set number outside 0..20 names no file at all.
    CurrentSet() = 21;
    EXPECT_FALSE(ReadStocks());
    EXPECT_FALSE(QFile::exists(path("Set21.dat")));
}

TEST_F(StockSet, ASaveAfterAFailedReadNeverOverwritesTheSet)
{
    Stocks()[0] = fullStock("IBM");
    Stocks()[1] = fullStock("AOL");
    ASSERT_TRUE(SaveStocks());
    const QByteArray good = fileBytes("Set0.dat");

    ResetProgramState();
    failReads();
    EXPECT_FALSE(ReadStocks());
    EXPECT_EQ(Stocks()[0], StockRec());
    // A download that saves its prices now would write an empty set over the file.
    Stocks()[0].Symbol = "NEW";
    EXPECT_FALSE(SaveStocks());
    EXPECT_TRUE(errorLog().contains("Stocks_SaveStocks"));
    EXPECT_EQ(fileBytes("Set0.dat"), good);

    // Once the file reads again, saving works as before.
    restoreReads();
    ASSERT_TRUE(ReadStocks());
    EXPECT_EQ(StockCount(), 2);
    Stocks()[2].Symbol = "MSFT";
    ASSERT_TRUE(SaveStocks());
    EXPECT_EQ(fileBytes("Set0.dat"), encodeTable(Stocks()));
}

TEST_F(StockSet, FindSymbolAndLookupSymbol)
{
    Stocks()[0].Symbol = "IBM";
    Stocks()[1].Symbol = "AOL";
    Stocks()[3].Symbol = "MSFT";
    Stocks()[150].Symbol = "FAR";
    StockCount() = 3;  // rows 0..3 are looked at

    struct Case
    {
        const char* symbol;
        int find;
        int lookup;  // -1: absent
    };
    const Case cases[] = {
        {"IBM", 0, 0}, {"AOL", 1, 1}, {"MSFT", 3, 3},
        {"XYZ", 0, -1},   // absent: FindSymbol's 0 is row 0, LookupSymbol says so
        {"ibm", 0, -1},   // symbols compare exactly
        {"FAR", 0, -1},   // beyond StockCount
        {"", 2, -1},      // FindSymbol("") is the first free row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.symbol);
        EXPECT_EQ(FindSymbol(c.symbol), c.find);
        const auto row = LookupSymbol(c.symbol);
        EXPECT_EQ(row ? *row : -1, c.lookup);
    }
}

TEST_F(StockSet, AbsentSymbolNeverClearsRowZero)
{
    Stocks()[0] = fullStock("IBM");
    StockCount() = 1;
    if (const auto row = LookupSymbol("XYZ"))
        ClearSetRow(*row);
    EXPECT_EQ(Stocks()[0].Symbol, "IBM");
}

TEST_F(StockSet, LookupRanges)
{
    Stocks()[199] = fullStock("R199");
    Stocks()[200] = fullStock("R200");
    Stocks()[200].AvgRecommendation = 4.5f;
    StockCount() = 200;
    CurrentIndex() = 5;

    EXPECT_EQ(GetStockLine("R200"), "");
    EXPECT_EQ(CurrentIndex(), 5);
    EXPECT_EQ(GetLastPrice("R200"), "");
    EXPECT_FLOAT_EQ(GetRecommendation("R200"), 4.5f);
    EXPECT_FLOAT_EQ(GetRecommendation("NONE"), 0.0f);
    EXPECT_EQ(FindSymbol("R200"), 200);

    EXPECT_EQ(GetLastPrice("R199"), "12.38");
    EXPECT_EQ(GetStockLine("R199"), "R199 Corp;+0.15;+1.2%;1,000;;;;;;;;;;;;;;;4:01PM");
    EXPECT_EQ(CurrentIndex(), 199);
    EXPECT_EQ(Stocks()[199].LastPrice, "12 3/8");  // the lookup does not rewrite the stored price

    Stocks()[10].Symbol = "BARE";
    Stocks()[10].CompanyName = "Bare Inc";
    EXPECT_EQ(GetStockLine("BARE"), "Bare Inc" + QString(18, QLatin1Char(';')));
}

TEST_F(StockSet, GetSelectedName)
{
    Stocks()[0].Symbol = "IBM";
    Stocks()[0].CompanyName = "Intl Business";
    Stocks()[1].Symbol = "X";
    Stocks()[1].CompanyName = "X";
    Stocks()[2].Symbol = "NONAME";
    Stocks()[5].Symbol = "LATE";
    Stocks()[5].CompanyName = "Late Corp";
    StockCount() = 3;

    const std::pair<const char*, const char*> cases[] = {
        {"IBM", "Intl Business"}, {"X", "X"}, {"NONAME", "NONAME"}, {"LATE", ""}, {"", ""}, {"ZZZ", ""},
    };
    for (const auto& [symbol, name] : cases) {
        CurrentSymbol() = symbol;
        EXPECT_EQ(GetSelectedName(), name) << symbol;
    }
}

TEST_F(StockSet, ClearSetRowKeepsTheLastFourTexts)
{
    Stocks()[4] = fullStock("IBM");
    ClearSetRow(4);
    StockRec expected;
    expected.MarketCap = "1.2B";
    expected.AvgVolume = "900";
    expected.DivDate = "Jun 1";
    expected.Yield = "2.1";
    EXPECT_EQ(Stocks()[4], expected);

    Stocks()[0] = fullStock("AOL");
    const auto before = Stocks();
    ClearSetRow(-1);
    ClearSetRow(201);
    EXPECT_EQ(Stocks(), before);
}

TEST_F(StockSet, PackSetClosesGapsAndDropsTheQuoteExtras)
{
    Stocks()[0] = fullStock("IBM");
    Stocks()[1].CompanyName = "free row with a name";
    Stocks()[2] = fullStock("AOL");
    Stocks()[200] = fullStock("F");  // one letter is still a symbol
    PackSet();

    StockRec ibm = fullStock("IBM");
    StockRec aol = fullStock("AOL");
    StockRec f = fullStock("F");
    for (StockRec* r : {&ibm, &aol, &f}) {
        r->MarketCap.clear();
        r->AvgVolume.clear();
        r->DivDate.clear();
        r->Yield.clear();
    }
    EXPECT_EQ(Stocks()[0], ibm);  // Tag and Field25 travel with the row
    EXPECT_EQ(Stocks()[1], aol);
    EXPECT_EQ(Stocks()[2], f);
    for (int i = 3; i < kStockRows; ++i)
        ASSERT_EQ(Stocks()[i], StockRec()) << i;
}

TEST_F(StockSet, USFileRoundTrips)
{
    ASSERT_TRUE(LoadUS());
    EXPECT_EQ(fileBytes("US.dat").size(), 370);

    USIndexes()[36] = USRec{"10,234.5", "4:30PM", "-12.3", "-0.12%", "x"};
    ASSERT_TRUE(SaveUS());
    const USRec saved = USIndexes()[36];
    USIndexes()[36] = USRec();
    USIndexes()[0].LastTrade = "stale";
    ASSERT_TRUE(LoadUS());
    EXPECT_EQ(USIndexes()[36], saved);
    EXPECT_EQ(USIndexes()[0], USRec());
}

TEST(GaugeMarker, OneRuleWithTheRatingClampedToOneToFive)
{
    struct Row
    {
        double r;
        int w;
        int x;
    };
    const Row table[] = {
        // The strip's gauges are 305 pixels wide.
        {1, 305, 287},  // 0.94125 w ("Strong Buy")
        {2, 305, 218},
        {3, 305, 148},  // 0.48625 w ("Hold")
        {4, 305, 79},
        {5, 305, 10},   // 0.03125 w ("Sell")
        {2.3, 305, 197},
        // Outside 1..5 the marker stands at the nearer end of the scale.
        {0.5, 305, 287},
        {0.74, 305, 287},
        {0, 305, 287},
        {-2, 305, 287},
        {6, 305, 10},
        {1e300, 305, 10},
        {-std::numeric_limits<double>::infinity(), 305, 287},
        {std::numeric_limits<double>::quiet_NaN(), 305, 10},
        // A 400-pixel gauge puts every whole rating on a half: they go to the even side.
        {1, 400, 376},  // 376.5
        {2, 400, 286},  // 285.5
        {3, 400, 194},  // 194.5
        {4, 400, 104},  // 103.5
        {5, 400, 12},   // 12.5
        {0.5, 400, 376},
        {6, 400, 12},
        {2.5, 100, 60},
    };
    for (const Row& row : table)
        EXPECT_EQ(GaugeMarkerX(row.r, row.w), row.x) << "r = " << row.r << ", w = " << row.w;
}
