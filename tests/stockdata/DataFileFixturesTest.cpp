// Data files as they lie on a user's disk (tests/fixtures/stockdata): a stock set
// with bytes past its table, the portfolio and the US indexes. They read to the
// values they hold, and a save writes back the very bytes of the table.
#include "StockDataFixture.h"

#include "QtPrint.h"

#include "stockdata/Portfolio.h"
#include "stockdata/Stocks.h"

namespace {

QByteArray fixture(const char* name)
{
    QFile f(QStringLiteral(TW_FIXTURES "/stockdata/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class DataFileFixtures : public StockDataTest
{
};

TEST_F(DataFileFixtures, AStockSetReadsAndSavesToItsOwnBytes)
{
    const QByteArray file = fixture("Set1.dat");
    ASSERT_FALSE(file.isEmpty());
    writeFile(QStringLiteral("Set1.dat"), file);
    CurrentSet() = 1;
    ASSERT_TRUE(ReadStocks());

    EXPECT_EQ(StockCount(), 3);
    EXPECT_EQ(Stocks()[0].Symbol, QStringLiteral("IBM"));
    EXPECT_EQ(Stocks()[0].CompanyName, QStringLiteral("International Business Machines"));
    EXPECT_EQ(Stocks()[0].AvgRecommendation, 2.25f);
    EXPECT_EQ(Stocks()[0].Volume, QStringLiteral("5,123,400"));
    EXPECT_EQ(Stocks()[0].LastTradeTime, QStringLiteral("4:01PM"));
    EXPECT_EQ(Stocks()[0].TargetLow, 80.0f);
    EXPECT_EQ(Stocks()[0].TargetHigh, 90.5f);
    EXPECT_EQ(Stocks()[0].Yield, QStringLiteral("0.71"));
    EXPECT_EQ(Stocks()[1].Tag, QStringLiteral("x"));
    EXPECT_EQ(Stocks()[1].LastPrice, QStringLiteral("27 1/8"));
    EXPECT_EQ(Stocks()[1].Field25, QStringLiteral("kept"));
    EXPECT_EQ(Stocks()[2].CompanyName, QStringLiteral("Caf\u00e9 \u20ac Holdings \u2122"));
    EXPECT_EQ(Stocks()[2].TargetLow, 1.25f);
    EXPECT_TRUE(Stocks()[3].Symbol.isEmpty());

    // The seven bytes past the table are not part of it; everything before them is.
    ASSERT_TRUE(SaveStocks());
    EXPECT_EQ(fileBytes(QStringLiteral("Set1.dat")), file.left(file.size() - 7));
}

TEST_F(DataFileFixtures, ThePortfolioReadsAndSavesToItsOwnBytes)
{
    const QByteArray file = fixture("Portfolio.dat");
    ASSERT_FALSE(file.isEmpty());
    writeFile(QStringLiteral("Portfolio.dat"), file);
    ASSERT_TRUE(LoadPortfolio());

    EXPECT_EQ(TransCount(), 3);
    EXPECT_EQ(Transactions()[1].Symbol, QStringLiteral("IBM"));
    EXPECT_EQ(Transactions()[1].TransDate, QStringLiteral("3/1/2002"));
    EXPECT_EQ(Transactions()[1].Price, 86.0f);
    EXPECT_EQ(Transactions()[1].Shares, 40);
    EXPECT_EQ(Transactions()[1].Commission, 9.95f);
    EXPECT_EQ(Transactions()[1].Action, QStringLiteral("Sell"));
    EXPECT_EQ(Transactions()[1].Gain, 200.05);
    EXPECT_EQ(Transactions()[1].LotId, 1);
    EXPECT_EQ(Transactions()[2].PriceText, QStringLiteral("27 1/8"));

    ASSERT_TRUE(SavePortfolio());
    EXPECT_EQ(fileBytes(QStringLiteral("Portfolio.dat")), file);
}

TEST_F(DataFileFixtures, TheUsIndexesReadAndSaveToTheirOwnBytes)
{
    const QByteArray file = fixture("US.dat");
    ASSERT_FALSE(file.isEmpty());
    writeFile(QStringLiteral("US.dat"), file);
    ASSERT_TRUE(LoadUS());

    EXPECT_EQ(USIndexes()[0].LastTrade, QStringLiteral("9,903.20"));
    EXPECT_EQ(USIndexes()[1].PctChange, QStringLiteral("-0.55%"));
    EXPECT_EQ(USIndexes()[1].Extra, QStringLiteral("Nasdaq"));
    EXPECT_TRUE(USIndexes()[2].LastTrade.isEmpty());

    ASSERT_TRUE(SaveUS());
    EXPECT_EQ(fileBytes(QStringLiteral("US.dat")), file);
}
