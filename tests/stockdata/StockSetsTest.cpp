// Switching the current set without a window: what is stored, read and announced.
#include "EditingFixture.h"

#include "core/Settings.h"

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
