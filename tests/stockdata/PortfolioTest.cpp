// The portfolio table, Portfolio.dat and the rules that store and count shares.
#include "StockDataFixture.h"

#include "platform/FlexGrid.h"
#include "stockdata/DataFile.h"
#include "stockdata/Portfolio.h"
#include "views/ViewHost.h"

#include <QDir>

namespace {

PortRec buy(const QString& symbol, std::int16_t shares, float price, std::int16_t lot)
{
    return PortRec{symbol, "1/2/03", price, shares, 15, "12", "Buy", 0, lot};
}

PortRec sell(const QString& symbol, std::int16_t shares, std::int16_t lot)
{
    return PortRec{symbol, "2/3/03", 11, shares, 5, "12", "Sell", 0, lot};
}

} // namespace

class PortfolioTable : public StockDataTest
{
};

TEST_F(PortfolioTable, EmptyPortfolioFiles)
{
    ASSERT_TRUE(LoadPortfolio());  // a missing file is created empty
    EXPECT_EQ(TransCount(), 0);
    EXPECT_EQ(fileBytes("Portfolio.dat").size(), 2828);

    Transactions()[5] = buy("IBM", 10, 1, 5);
    ASSERT_TRUE(SavePortfolio());
    ClearPortfolio();
    EXPECT_EQ(fileBytes("Portfolio.dat").size(), 2828);
    EXPECT_EQ(TransCount(), 0);
}

TEST_F(PortfolioTable, RowsKeepTheirIndexAndRow100IsNeverCounted)
{
    Transactions()[1] = buy("IBM", 100, 10, 1);
    Transactions()[3] = buy("AOL", 50, 20, 3);
    Transactions()[100] = sell("IBM", 100, 1);
    ASSERT_TRUE(SavePortfolio());
    const auto saved = Transactions();

    ResetProgramState();
    ASSERT_TRUE(LoadPortfolio());
    EXPECT_EQ(TransCount(), 2);
    EXPECT_EQ(Transactions(), saved);
    EXPECT_EQ(SalesLeft(1, 100), 0);  // the sale in row 100 does not count
}

TEST_F(PortfolioTable, UpdatePortfolioRowStoresOnlyGivenValues)
{
    const PortRec old{"OLD", "1/1/01", 7.5f, 70, 3, "8", "Buy", 4.5, 9};
    struct Case
    {
        const char* name;
        QString action, symbol;
        std::int16_t shares;
        float commission;
        QString date;
        double price;
        QString priceText;
        double gain;
        std::int16_t lot;
        PortRec expected;
    };
    PortRec allNew{"NEW", "5/5/05", 10.25f, 5, 1.5f, "11.5", "Sell", -55, 2};
    const Case cases[] = {
        {"nothing given", "", "", 0, 0, "", 0, "", 0, 0, old},
        {"negatives are not given", "", "", -5, -1, "", -3, "-2", 0, -4, old},
        {"price text that is no number", "", "", 0, 0, "", 0, "abc", 0, 0, old},
        {"price text 0", "", "", 0, 0, "", 0, "0", 0, 0, old},
        {"everything given, a loss kept with its sign", "Sell", "NEW", 5, 1.5f, "5/5/05", 10.25, "11.5", -55, 2,
         allNew},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Transactions().fill(PortRec());
        Transactions()[4] = old;
        UpdatePortfolioRow(c.action, c.symbol, c.shares, c.commission, c.date, c.price, c.priceText, c.gain, c.lot,
                           4);
        EXPECT_EQ(Transactions()[4], c.expected);  // as reloaded from the file
    }

    // The price is narrowed to a 32-bit float.
    UpdatePortfolioRow("", "", 0, 0, "", 10.123456789, "", 0, 0, 4);
    EXPECT_EQ(Transactions()[4].Price, 10.123456789f);
}

TEST_F(PortfolioTable, UpdateOutsideTheTableStillSavesAndRedraws)
{
    Transactions()[2] = buy("IBM", 100, 10, 2);
    CurrentView() = "PortLog";
    UpdatePortfolioRow("Buy", "AOL", 5, 1, "d", 2, "3", 0, 1, 101);
    EXPECT_EQ(fileBytes("Portfolio.dat").size(), 2828 + QByteArray("IBM1/2/0312Buy").size());
    EXPECT_EQ(TransCount(), 1);
    // The open log was redrawn in the main grid from the file.
    FlexGrid* grid = viewHost().mainGrid();
    EXPECT_EQ(CurrentView(), "PortLog");
    EXPECT_EQ(grid->TextMatrix(2, 0), "IBM");
}

TEST_F(PortfolioTable, PackPortfolioEmptiesFreeRowsInPlace)
{
    Transactions()[1] = buy("IBM", 100, 10, 1);
    Transactions()[2] = buy("AOL", 10, 1, 2);
    Transactions()[3] = buy("MSFT", 20, 2, 3);
    Transactions()[100] = buy("XYZ", 1, 1, 100);
    // The delete action empties a row this way.
    Transactions()[2] = PortRec();
    Transactions()[2].PriceText = "0";
    const PortRec one = Transactions()[1];
    const PortRec three = Transactions()[3];

    PackPortfolio();
    EXPECT_EQ(Transactions()[1], one);
    EXPECT_EQ(Transactions()[2], PortRec());
    EXPECT_EQ(Transactions()[3], three);
    EXPECT_EQ(Transactions()[100], PortRec());
}

TEST_F(PortfolioTable, SalesLeftCountsEverySaleOfTheLot)
{
    struct Case
    {
        const char* name;
        std::vector<std::pair<int, PortRec>> sales;  // row, sale
        int expected;
    };
    const Case cases[] = {
        {"no sale", {}, 0},
        {"one sale of 40", {{2, sell("IBM", 40, 1)}}, 60},
        {"sold out in one sale", {{2, sell("IBM", 100, 1)}}, kSoldOut},
        {"two sales add up", {{2, sell("IBM", 40, 1)}, {3, sell("IBM", 30, 1)}}, 30},
        {"two sales sell out", {{2, sell("IBM", 60, 1)}, {3, sell("IBM", 40, 1)}}, kSoldOut},
        {"oversold", {{2, sell("IBM", 150, 1)}}, kSoldOut},
        {"sale of another lot", {{2, sell("IBM", 40, 7)}}, 0},
        {"sale beyond TransCount", {{60, sell("IBM", 25, 1)}}, 75},
        {"sale in row 100", {{100, sell("IBM", 25, 1)}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Transactions().fill(PortRec());
        Transactions()[1] = buy("IBM", 100, 10, 1);
        for (const auto& [row, s] : c.sales)
            Transactions()[row] = s;
        TransCount() = static_cast<std::int16_t>(1 + c.sales.size());
        EXPECT_EQ(SalesLeft(1, 100), c.expected);
    }
}

TEST(PortfolioRules, RealisedGainIsSignedAndCountsTheCommissionOnce)
{
    EXPECT_DOUBLE_EQ(RealisedGain(10, 25, 20, 5), 45);
    EXPECT_DOUBLE_EQ(RealisedGain(10, 15, 20, 5), -55);
    EXPECT_DOUBLE_EQ(RealisedGain(100, 10, 10, 15), -15);
}

TEST_F(PortfolioTable, FreeTransRowNeverReusesAUsedRow)
{
    EXPECT_EQ(FreeTransRow(), 1);  // empty portfolio: row 1, id 1
    Transactions()[1] = buy("IBM", 1, 1, 1);
    Transactions()[3] = buy("AOL", 1, 1, 3);
    TransCount() = 2;                // after a deletion row 3 = TransCount + 1 is used
    EXPECT_EQ(FreeTransRow(), 2);
    for (int i = 1; i <= 99; ++i)
        Transactions()[i] = buy("X", 1, 1, i);
    TransCount() = 99;
    EXPECT_EQ(FreeTransRow(), -1);  // never row 100
}

TEST_F(PortfolioTable, AFailedSaveIsLogged)
{
    ASSERT_TRUE(QDir(path("")).mkdir("Portfolio.dat"));
    EXPECT_FALSE(SavePortfolio());
    EXPECT_TRUE(errorLog().contains("Portfolio_SavePortfolio"));
    EXPECT_FALSE(LoadPortfolio());
    EXPECT_EQ(TransCount(), 0);
}

TEST_F(PortfolioTable, AFailedLoadNeverLetsASaveOverwriteThePortfolio)
{
    Transactions()[1] = buy("IBM", 100, 10, 1);
    Transactions()[2] = buy("AOL", 50, 20, 2);
    ASSERT_TRUE(SavePortfolio());
    const QByteArray good = fileBytes("Portfolio.dat");

    failReads();
    EXPECT_FALSE(LoadPortfolio());
    EXPECT_EQ(TransCount(), 0);
    // A purchase recorded now (or a price update) saves the table as it is in memory.
    UpdatePortfolioRow("Buy", "MSFT", 10, 0, "1/1/04", 5, "5", 0, 1, 1);
    EXPECT_TRUE(errorLog().contains("Portfolio_SavePortfolio"));
    EXPECT_EQ(fileBytes("Portfolio.dat"), good);

    // Emptying the portfolio is meant to replace whatever the file holds.
    ClearPortfolio();
    EXPECT_EQ(fileBytes("Portfolio.dat").size(), 2828);
    restoreReads();
    EXPECT_TRUE(LoadPortfolio());
    EXPECT_EQ(TransCount(), 0);
}
