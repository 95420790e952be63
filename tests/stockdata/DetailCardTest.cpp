// The stock detail card: what it shows, its alert guard, and where OK stores.
#include "EditingFixture.h"

#include "core/Settings.h"
#include "stockdata/EntryRules.h"

namespace {

StockRec stock(const QString& symbol)
{
    StockRec r;
    r.Symbol = symbol;
    r.CompanyName = symbol + " Corp";
    r.LastPrice = "12 3/8";
    r.Change = "+ 1/2";
    r.PctChange = "+1.25%";
    r.Volume = "1234567";
    r.DayHigh = "13";
    r.DayLow = "12";
    r.Bid = "12 1/4";
    r.Ask = "12 1/2";
    r.LastTradeSize = "100";
    r.OpenPrice = "12";
    r.PrevClose = "11 7/8";
    r.YearHigh = "20";
    r.YearLow = "9";
    r.EPS = "1.1";
    r.PERatio = "11";
    r.DivPerShare = "0.5";
    r.Exchange = "NYSE";
    r.Industry = "Computers";
    r.LastTradeTime = "4:01PM";
    r.TargetLow = 10;
    r.TargetHigh = 15.5f;
    return r;
}

} // namespace

class DetailCardTest : public EditingTest
{
protected:
    void SetUp() override
    {
        EditingTest::SetUp();
        Stocks()[0] = stock("IBM");
        Stocks()[1] = stock("MSFT");
        Stocks()[1].PctChange = "-0.50%";
        ASSERT_TRUE(SaveStocks());
        ASSERT_TRUE(ReadStocks());
    }

    std::array<StockRec, kStockRows> setFile(int set)
    {
        std::array<StockRec, kStockRows> table;
        readTableFile(SetFilePath(set), table);
        return table;
    }
};

TEST_F(DetailCardTest, ShowsTheQuoteByTheDisplaySettings)
{
    const DetailCard plain(Stocks()[0], 0);
    EXPECT_EQ(plain.caption, "IBM Corp");
    EXPECT_EQ(plain.lblName, "IBM Corp");
    EXPECT_EQ(plain.lblTime, "4:01PM");
    const std::array<QString, 18> stored{"12 3/8", "+ 1/2", "+1.25%", "1234567", "13",    "12",
                                         "12 1/4", "12 1/2", "100",   "12",      "11 7/8", "20",
                                         "9",      "1.1",    "11",    "0.5",     "NYSE",  "Computers"};
    EXPECT_EQ(plain.lblData, stored);
    EXPECT_EQ(plain.target(0), "10");
    EXPECT_EQ(plain.target(1), "15.5");
    EXPECT_EQ(DetailCard::RowCaptions()[11], "52 Week High :");

    Settings::SaveSetting(Settings::Fractions, "1");
    Settings::SaveSetting(Settings::Volume, "1");
    const DetailCard shown(Stocks()[0], 0);
    EXPECT_EQ(shown.lblData[0], "12.38");
    EXPECT_EQ(shown.lblData[1], "0.50");
    EXPECT_EQ(shown.lblData[2], "+1.25%");  // shown as stored
    EXPECT_EQ(shown.lblData[3], "1,234,567");
    EXPECT_EQ(shown.lblData[10], "11.88");
    EXPECT_EQ(shown.lblData[11], "20");
    EXPECT_EQ(Stocks()[0].Change, "+ 1/2");  // the record keeps its text

    Stocks()[0].Volume = "0";
    EXPECT_EQ(DetailCard(Stocks()[0], 0).lblData[3], "");
    Stocks()[0].Volume = "N/A";
    EXPECT_EQ(DetailCard(Stocks()[0], 0).lblData[3], "N/A");
}

TEST_F(DetailCardTest, TheArrowFollowsThePercentageChange)
{
    EXPECT_EQ(DetailCard(Stocks()[0], 0).arrow(), "UP");
    EXPECT_EQ(DetailCard(Stocks()[1], 0).arrow(), "DN");
    Stocks()[1].PctChange = "0.00%";
    EXPECT_EQ(DetailCard(Stocks()[1], 0).arrow(), "");
}

TEST_F(DetailCardTest, AnAlertThatIsNoNumberBecomesZero)
{
    DetailCard card(Stocks()[0], 0);
    card.setTarget(0, "x");
    EXPECT_EQ(shownBoxes(), QStringList{"msg|Numbers only|Please type numbers."});
    EXPECT_EQ(test::dialogs().shown.front().buttons, Dialogs::vbInformation);
    EXPECT_EQ(card.target(0), "0");
    EXPECT_EQ(card.focusBox(), 0);
    card.setTarget(1, "");
    EXPECT_TRUE(card.cmdOK_Click());
    EXPECT_EQ(Stocks()[0].TargetLow, 0);
    EXPECT_FLOAT_EQ(Stocks()[0].TargetHigh, 15.5f);  // an empty box keeps its price
    EXPECT_EQ(setFile(0)[0].TargetLow, 0);         // and the set file has it
}

TEST_F(DetailCardTest, EachCardStoresIntoItsOwnStock)
{
    DetailCard ibm(Stocks()[0], 0);
    DetailCard msft(Stocks()[1], 0);
    // The rows move under the open cards: a stock is inserted before both.
    Stocks()[2] = Stocks()[1];
    Stocks()[1] = Stocks()[0];
    Stocks()[0] = stock("AOL");
    ASSERT_TRUE(SaveStocks());
    ASSERT_TRUE(ReadStocks());

    ibm.setTarget(0, "11");
    msft.setTarget(1, "$1,200");
    EXPECT_TRUE(msft.cmdOK_Click());
    EXPECT_TRUE(ibm.cmdOK_Click());
    EXPECT_FLOAT_EQ(Stocks()[1].TargetLow, 11);
    EXPECT_FLOAT_EQ(Stocks()[2].TargetHigh, 1200);
    EXPECT_FLOAT_EQ(Stocks()[0].TargetLow, 10);  // AOL untouched
    EXPECT_FLOAT_EQ(Stocks()[0].TargetHigh, 15.5f);
}

TEST_F(DetailCardTest, AStockThatLeftItsSetStoresNothing)
{
    DetailCard card(Stocks()[1], 0);
    Stocks()[1] = StockRec();
    card.setTarget(0, "3");
    EXPECT_FALSE(card.cmdOK_Click());
    EXPECT_TRUE(card.closed());
    for (const StockRec& r : Stocks())
        EXPECT_NE(r.TargetLow, 3);
}

TEST_F(DetailCardTest, ACardOfAnotherSetStoresIntoThatSetsFile)
{
    DetailCard card(Stocks()[0], 0);
    CurrentSet() = 4;
    ASSERT_TRUE(ReadStocks());  // set 4 is empty
    card.setTarget(0, "8");
    EXPECT_TRUE(card.cmdOK_Click());
    EXPECT_FLOAT_EQ(setFile(0)[0].TargetLow, 8);
    EXPECT_FLOAT_EQ(setFile(0)[0].TargetHigh, 15.5f);
    EXPECT_EQ(Stocks()[0], StockRec());
}

TEST_F(DetailCardTest, OpeningNeedsAStockOfTheSet)
{
    CurrentSymbol() = "ORCL";
    EXPECT_FALSE(OpenDetailCard());
    EXPECT_TRUE(windows.cards.empty());
    CurrentSymbol() = "MSFT";
    EXPECT_TRUE(OpenDetailCard());
    ASSERT_EQ(windows.cards.size(), 1u);
    EXPECT_EQ(windows.cards[0]->symbol(), "MSFT");
    EXPECT_EQ(windows.cards[0]->lblName, "MSFT Corp");
    EXPECT_EQ(CurrentIndex(), 0);  // opening does not change it
}
