// A save that fails: the data files on a full or read-only disk (an injected writer
// failure, since a test running as root writes into any folder) and where a folder
// stands in the file's place. The user is told once per file, what was entered stays
// in memory and is not read over, and a later save writes it.
#include "StockDataFixture.h"
#include "TestDoubles.h"

#include "stockdata/Portfolio.h"
#include "stockdata/Stocks.h"

#include <QDir>

#include <cerrno>
#include <cstring>

namespace {

PortRec buy(const QString& symbol, std::int16_t lot)
{
    return PortRec{symbol, "1/2/03", 10, 100, 15, "10", "Buy", 0, lot};
}

StockRec stock(const QString& symbol)
{
    StockRec r;
    r.Symbol = symbol;
    r.CompanyName = symbol + " Corp";
    return r;
}

// How a write is made to fail; none of them can be undone by the program.
struct Obstacle
{
    const char* name;
    int error;        // injected into the writer; 0: a folder stands where the file goes
    const char* why;  // what the message says
};

const Obstacle kObstacles[] = {
    {"full disk", ENOSPC, nullptr},
    {"read-only disk", EROFS, nullptr},
    {"folder in the file's place", 0, "is a folder"},
};

class SaveFailure : public StockDataTest
{
protected:
    void SetUp() override
    {
        StockDataTest::SetUp();
        test::dialogs().reset();
    }
    void TearDown() override
    {
        SetWriteFailure(path(""), 0);
        test::dialogs().reset();
        StockDataTest::TearDown();
    }

    // Puts the obstacle before the file name.
    void block(const Obstacle& o, const QString& name)
    {
        if (o.error != 0) {
            SetWriteFailure(path(""), o.error);
        } else {
            QFile::remove(path(name));
            ASSERT_TRUE(QDir(path("")).mkpath(name + "/inside"));
        }
    }
    void unblock(const Obstacle& o, const QString& name)
    {
        if (o.error != 0)
            SetWriteFailure(path(""), 0);
        else
            ASSERT_TRUE(QDir(path(name)).removeRecursively());
    }

    // The messages shown so far; each must name the file and say why.
    void expectTold(int count, const Obstacle& o, const QString& name)
    {
        ASSERT_EQ(test::dialogs().shown.size(), count) << o.name;
        const QString text = test::dialogs().shown.last().prompt;
        EXPECT_TRUE(text.contains(path(name))) << text.toStdString();
        const QString why = o.why ? QString::fromLatin1(o.why) : QString::fromLocal8Bit(std::strerror(o.error));
        EXPECT_TRUE(text.contains(why)) << text.toStdString();
    }
};

TEST_F(SaveFailure, APurchaseThatCannotBeWrittenIsToldOnceKeptAndWrittenLater)
{
    for (const Obstacle& o : kObstacles) {
        ResetProgramState();
        test::dialogs().reset();
        Transactions()[1] = buy("IBM", 1);
        ASSERT_TRUE(SavePortfolio());
        ASSERT_TRUE(LoadPortfolio());
        const QByteArray before = fileBytes("Portfolio.dat");

        block(o, "Portfolio.dat");
        UpdatePortfolioRow("Buy", "MSFT", 50, 10, "1/3/03", 20, "20", 0, 2, 2);
        expectTold(1, o, "Portfolio.dat");
        EXPECT_EQ(Transactions()[2].Symbol, "MSFT") << o.name;  // not read back over
        EXPECT_EQ(TransCount(), 2) << o.name;
        if (o.error != 0) {
            EXPECT_EQ(fileBytes("Portfolio.dat"), before) << o.name;
        }
        EXPECT_TRUE(errorLog().contains("Portfolio_SavePortfolio")) << o.name;

        // Another purchase, the update run's saves after each pass and a view that reads
        // the portfolio: nothing is taken back, and the user is not told again.
        UpdatePortfolioRow("Buy", "AOL", 10, 10, "1/4/03", 30, "30", 0, 3, 3);
        MarkPortfolioChanged();
        EXPECT_FALSE(SaveChangedTables());
        EXPECT_FALSE(LoadPortfolio());
        EXPECT_EQ(TransCount(), 3) << o.name;
        EXPECT_EQ(test::dialogs().shown.size(), 1) << o.name;

        // Once the disk takes it again the next save writes it all.
        unblock(o, "Portfolio.dat");
        EXPECT_TRUE(SaveChangedTables()) << o.name;
        ResetProgramState();
        ASSERT_TRUE(LoadPortfolio());
        EXPECT_EQ(TransCount(), 3) << o.name;
        EXPECT_EQ(Transactions()[3].Symbol, "AOL") << o.name;

        // A new failure after a good write is told again.
        block(o, "Portfolio.dat");
        ClearPortfolio();
        EXPECT_EQ(test::dialogs().shown.size(), 2) << o.name;
        EXPECT_EQ(TransCount(), 0) << o.name;
        unblock(o, "Portfolio.dat");
    }
}

TEST_F(SaveFailure, ASetEditThatCannotBeWrittenStaysThroughReadsAndSetSwitches)
{
    for (const Obstacle& o : kObstacles) {
        ResetProgramState();
        test::dialogs().reset();
        Stocks()[0] = stock("IBM");
        ASSERT_TRUE(SaveStocks());
        ASSERT_TRUE(ReadStocks());
        const QByteArray before = fileBytes("Set0.dat");

        // The set editor stores its list, saves and reads the set again.
        block(o, "Set0.dat");
        Stocks()[1] = stock("AOL");
        EXPECT_FALSE(SaveStocks());
        EXPECT_FALSE(ReadStocks());
        expectTold(1, o, "Set0.dat");
        EXPECT_EQ(Stocks()[1].Symbol, "AOL") << o.name;
        if (o.error != 0) {
            EXPECT_EQ(fileBytes("Set0.dat"), before) << o.name;
        }
        EXPECT_TRUE(errorLog().contains("Stocks_SaveStocks")) << o.name;

        // Another set and back: the edit waits in memory and comes back with its set.
        CurrentSet() = 1;
        ReadStocks();
        EXPECT_EQ(Stocks()[0].Symbol, "") << o.name;
        CurrentSet() = 0;
        EXPECT_FALSE(ReadStocks());
        EXPECT_EQ(Stocks()[1].Symbol, "AOL") << o.name;
        EXPECT_EQ(StockCount(), 2) << o.name;
        EXPECT_EQ(test::dialogs().shown.size(), 1) << o.name;

        // Away again; the end of an update run writes the waiting set.
        CurrentSet() = 1;
        ReadStocks();
        unblock(o, "Set0.dat");
        EXPECT_TRUE(SaveChangedTables()) << o.name;
        CurrentSet() = 0;
        ASSERT_TRUE(ReadStocks());
        EXPECT_EQ(StockCount(), 2) << o.name;
        EXPECT_EQ(Stocks()[1].Symbol, "AOL") << o.name;
        EXPECT_EQ(test::dialogs().shown.size(), 1) << o.name;
    }
}

TEST_F(SaveFailure, AlertPricesOfAnotherSetWaitWhenItsFileCannotBeWritten)
{
    Stocks()[0] = stock("IBM");
    ASSERT_TRUE(SaveStocks());
    CurrentSet() = 1;
    ASSERT_TRUE(ReadStocks());

    SetWriteFailure(path(""), ENOSPC);
    std::array<StockRec, kStockRows> table;
    ASSERT_TRUE(ReadOtherSet(0, table));
    table[0].TargetHigh = 120;
    EXPECT_FALSE(SaveOtherSet(0, table));
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    table[0].TargetHigh = 0;
    ASSERT_TRUE(ReadOtherSet(0, table));
    EXPECT_EQ(table[0].TargetHigh, 120);  // what waits, not the file

    SetWriteFailure(path(""), 0);
    EXPECT_TRUE(SaveChangedTables());
    CurrentSet() = 0;
    ASSERT_TRUE(ReadStocks());
    EXPECT_EQ(Stocks()[0].TargetHigh, 120);
}

} // namespace
