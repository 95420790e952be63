// Switching the current set without a window: what is stored, read and announced.
#include "EditingFixture.h"

#include "core/Settings.h"
#include "platform/AppPath.h"

#include <QFile>
#include <QSignalSpy>

namespace {

class StockSetsTest : public EditingTest
{
protected:
    void writeSet(int set, const QStringList& symbols)
    {
        const std::int16_t was = CurrentSet();
        CurrentSet() = std::int16_t(set);
        makeSet(symbols);
        CurrentSet() = was;
        ASSERT_TRUE(ReadStocks());
    }
};

TEST_F(StockSetsTest, MakingASetCurrentStoresItReadsItAndSaysSo)
{
    writeSet(0, {"AAA"});
    writeSet(4, {"BBB", "CCC"});
    CurrentSet() = 0;
    ASSERT_TRUE(ReadStocks());
    QList<int> announced;
    QObject::connect(&sets, &StockSets::currentSetChanged, &sets, [&](int index) {
        announced << index;
        EXPECT_EQ(Stocks()[1].Symbol, "CCC");  // read before it is announced
    });

    EXPECT_TRUE(sets.makeCurrent(4));
    EXPECT_EQ(CurrentSet(), 4);
    EXPECT_EQ(StockCount(), 2);
    EXPECT_EQ(Settings::GetSetting(QString::fromLatin1(Settings::LastGroup)), "4");
    EXPECT_EQ(announced, QList<int>{4});

    // No set 21 or -1: nothing stored, read or announced.
    for (int index : {21, -1}) {
        EXPECT_FALSE(sets.makeCurrent(index)) << index;
        EXPECT_EQ(CurrentSet(), 4);
        EXPECT_EQ(Settings::GetSetting(QString::fromLatin1(Settings::LastGroup)), "4");
    }
    EXPECT_EQ(announced, QList<int>{4});
}

// A change marked by the update run is written once, later: to the set it was made
// in when another set is made current, and before the portfolio is read again.
TEST_F(StockSetsTest, ChangesMarkedDuringARunAreWrittenBeforeTheTablesAreReadAgain)
{
    writeSet(0, {"AAA"});
    writeSet(4, {"BBB"});
    CurrentSet() = 0;
    ASSERT_TRUE(ReadStocks());
    const QByteArray before = ReadBytes(SetFilePath(0));

    Stocks()[0].LastPrice = QStringLiteral("12.50");
    MarkStocksChanged();
    EXPECT_EQ(ReadBytes(SetFilePath(0)), before);  // not yet written
    ASSERT_TRUE(sets.makeCurrent(4));
    EXPECT_EQ(Stocks()[0].Symbol, "BBB");
    ASSERT_TRUE(sets.makeCurrent(0));
    EXPECT_EQ(Stocks()[0].LastPrice, "12.50");

    Transactions()[3].Symbol = QStringLiteral("AAA");
    Transactions()[3].PriceText = QStringLiteral("12.50");
    MarkPortfolioChanged();
    ASSERT_TRUE(LoadPortfolio());
    EXPECT_EQ(Transactions()[3].PriceText, "12.50");

    // Nothing pending: nothing written.
    ASSERT_TRUE(QFile::remove(SetFilePath(0)));
    EXPECT_TRUE(SaveChangedTables());
    EXPECT_FALSE(QFile::exists(SetFilePath(0)));
}

TEST_F(StockSetsTest, EditsAreAnnounced)
{
    QSignalSpy stocks(&sets, &StockSets::stocksChanged);
    QSignalSpy names(&sets, &StockSets::namesChanged);
    sets.stocksEdited();
    sets.namesEdited();
    sets.namesEdited();
    EXPECT_EQ(stocks.count(), 1);
    EXPECT_EQ(names.count(), 2);
}

} // namespace
