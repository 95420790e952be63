// The purchase picker: which purchases it lists and what a click hands over.
#include "EditingFixture.h"

class PickerTest : public EditingTest
{
protected:
    void SetUp() override
    {
        EditingTest::SetUp();
        Transactions()[3] = Buy("IBM", 100, 12.5f, 3, "3/3/03");
        Transactions()[5] = Sale("IBM", 40, 15, 3);
        Transactions()[7] = Buy("IBM", 50, 20, 7, "7/7/03");
        Transactions()[8] = Buy("MSFT", 10, 30, 8);
        Transactions()[9] = Buy("IBM", 5, 0, 9);       // bought for nothing
        Transactions()[100] = Buy("IBM", 1, 1, 100);  // outside the working rows
        TransMode() = "Sell";
        TransSymbol() = "IBM";
        TransactionId() = 77;
        LotPrice() = 99;
        picker.Form_Load();
    }

    PurchasePicker picker;
};

TEST_F(PickerTest, ListsEveryPurchaseOfTheSymbolInRowOrder)
{
    const FlexGrid& g = picker.FG();
    ASSERT_EQ(g.Rows(), 5);
    EXPECT_EQ(g.TextMatrix(0, 0), "Date");
    EXPECT_EQ(g.TextMatrix(0, 1), "Shares");
    EXPECT_EQ(g.TextMatrix(0, 2), "Cost");
    EXPECT_EQ(g.TextMatrix(0, 3), "");
    EXPECT_EQ(g.RowHeight(1), 0);
    EXPECT_EQ(g.ColWidth(3), 0);
    const QStringList rows[] = {{"3/3/03", "100", "12.5", "3"}, {"7/7/03", "50", "20", "7"}, {"1/2/03", "5", "0", "9"}};
    for (int i = 0; i < 3; ++i)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(g.TextMatrix(2 + i, c), rows[i][c]) << i << "," << c;
    EXPECT_EQ(LotPrice(), 0);  // nothing chosen yet
}

TEST_F(PickerTest, AClickHandsThePurchaseOver)
{
    struct Case
    {
        int row;
        double price;
        int shares;
        int id;
        bool opens;
    };
    const Case cases[] = {
        {3, 20, 50, 7, true},
        {2, 12.5, 100, 3, true},
        {0, 0, 0, 77, false},  // the header chooses nothing
        {4, 0, 5, 9, false},   // a purchase at price 0 cannot be handed over
    };
    for (const Case& c : cases) {
        TransactionId() = 77;
        LotShares() = 0;
        PurchasePicker p;
        p.Form_Load();
        p.FG_Click(c.row);
        EXPECT_DOUBLE_EQ(LotPrice(), c.price) << c.row;
        EXPECT_EQ(LotShares(), c.shares) << c.row;
        EXPECT_EQ(TransactionId(), c.id) << c.row;
        EXPECT_EQ(p.cmdOK_Click(), c.opens) << c.row;
        EXPECT_TRUE(p.closed());
    }
}

TEST_F(PickerTest, OkWithoutAClickOpensNothing)
{
    EXPECT_FALSE(picker.cmdOK_Click());
    EXPECT_FALSE(picker.accepted());
    EXPECT_EQ(TransactionId(), 77);
}
