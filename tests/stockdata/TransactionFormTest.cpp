// The transaction window's rules: what it shows per mode, its box guards, and what
// buying, selling and editing store in Portfolio.dat.
#include "EditingFixture.h"

class TransactionWindow : public EditingTest
{
protected:
    void SetUp() override
    {
        EditingTest::SetUp();
        makeSet({"IBM", "MSFT"});
        Stocks()[0].LastPrice = "21.5";
        ASSERT_TRUE(SaveStocks());
    }

    void openPurchase(const QString& symbol)
    {
        TransMode() = "NewStock";
        TransSymbol() = symbol;
        TransactionId() = 0;
        form.Form_Load();
    }

    // A sale of the purchase in row `row` of Transactions.
    static void openSale(TransactionForm& f, int row)
    {
        TransMode() = "Sell";
        TransSymbol() = Transactions()[row].Symbol;
        TransactionId() = Transactions()[row].LotId;
        LotShares() = Transactions()[row].Shares;
        LotPrice() = Transactions()[row].Price;
        f.Form_Load();
    }

    void type(TransactionForm::Box box, const QString& text) { form.setText(box, text); }

    TransactionForm form;
};

TEST_F(TransactionWindow, PurchaseOpensWithTodayAndTheCurrentPrice)
{
    openPurchase("IBM");
    EXPECT_EQ(form.text(TransactionForm::txtDate), "1/2/2003");
    EXPECT_EQ(form.text(TransactionForm::txtPrice), "21.5");
    EXPECT_EQ(form.text(TransactionForm::txtShares), "0");
    EXPECT_EQ(form.text(TransactionForm::txtComm), "0");
    EXPECT_EQ(form.lblCurrent, "21.5");
    EXPECT_EQ(form.lblSymbol, "IBM");
    EXPECT_EQ(form.lblID, "0");
    EXPECT_EQ(form.caption, "Buy Stock");
    EXPECT_FALSE(form.okEnabled());
    type(TransactionForm::txtShares, "5");
    EXPECT_TRUE(form.okEnabled());
}

TEST_F(TransactionWindow, GuardsPutTheirFallbackBack)
{
    struct Case
    {
        TransactionForm::Box box;
        QString typed;
        QString shown;
        bool okEnabled;
    };
    const Case cases[] = {
        {TransactionForm::txtComm, "abc", "0", false},
        {TransactionForm::txtComm, "", "0", false},
        {TransactionForm::txtComm, "1,250.5", "1,250.5", false},
        {TransactionForm::txtPrice, "abc", "21.5", false},
        {TransactionForm::txtPrice, "", "21.5", false},
        {TransactionForm::txtPrice, "$12.5", "$12.5", false},
        {TransactionForm::txtDate, "", "1/2/2003", false},
        {TransactionForm::txtDate, "yesterday", "yesterday", false},  // only OK checks it is a date
        {TransactionForm::txtShares, "abc", "0", false},
        {TransactionForm::txtShares, "", "0", false},
        {TransactionForm::txtShares, "0.4", "0.4", false},  // rounds to no share at all
        {TransactionForm::txtShares, "-3", "-3", false},
        {TransactionForm::txtShares, "12", "12", true},
        {TransactionForm::txtShares, "32767", "32767", true},
    };
    for (const Case& c : cases) {
        TransactionForm fresh;
        TransMode() = "NewStock";
        TransSymbol() = "IBM";
        fresh.Form_Load();
        fresh.setText(c.box, "7");  // something else first, so the typed text is a change
        fresh.setText(c.box, c.typed);
        EXPECT_EQ(fresh.text(c.box), c.shown) << c.typed.toStdString();
        if (c.box == TransactionForm::txtShares) {
            EXPECT_EQ(fresh.okEnabled(), c.okEnabled) << c.typed.toStdString();
        }
    }
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
}

TEST_F(TransactionWindow, MoreThan32767SharesAreRefused)
{
    openPurchase("IBM");
    type(TransactionForm::txtShares, "40000");
    EXPECT_EQ(form.text(TransactionForm::txtShares), "32767");
    EXPECT_EQ(shownBoxes(), QStringList{"msg|Too Many Shares|The number of shares can not be more than 32,767."});
    EXPECT_EQ(form.focusBox(), TransactionForm::txtShares);
}

TEST_F(TransactionWindow, APurchaseForASymbolOutsideTheSetNeedsAPrice)
{
    openPurchase("ORCL");
    EXPECT_EQ(form.text(TransactionForm::txtPrice), "");
    EXPECT_EQ(form.lblCurrent, "");
    type(TransactionForm::txtShares, "10");
    ASSERT_TRUE(form.okEnabled());

    test::dialogs().inputAnswers << "abc";
    form.cmdOK_Click();
    EXPECT_EQ(shownBoxes(), QStringList{"input|Enter shares price|What is purchase price?"});
    EXPECT_TRUE(form.closed());
    EXPECT_TRUE(portfolioFile() == (std::array<PortRec, kTransRows>()));  // nothing stored (the file is empty)
}

TEST_F(TransactionWindow, PurchasesTakeTheFirstFreeRowFromOne)
{
    // Row r holds the purchase with id r; the file is checked after each one.
    const struct
    {
        QString symbol;
        QString shares;
        int row;
    } buys[] = {{"IBM", "10", 1}, {"MSFT", "20", 2}, {"IBM", "5", 3}};
    for (const auto& b : buys) {
        TransactionForm f;
        TransMode() = "NewStock";
        TransSymbol() = b.symbol;
        f.Form_Load();
        f.setText(TransactionForm::txtShares, b.shares);
        f.setText(TransactionForm::txtComm, "9.95");
        f.cmdOK_Click();
        const auto file = portfolioFile();
        const PortRec& r = file[b.row];
        EXPECT_EQ(r.Symbol, b.symbol);
        EXPECT_EQ(r.Action, "Buy");
        EXPECT_EQ(r.TransDate, "1/2/2003");
        EXPECT_EQ(QString::number(r.Shares), b.shares);
        EXPECT_FLOAT_EQ(r.Commission, 9.95f);
        EXPECT_EQ(r.LotId, b.row);
        EXPECT_TRUE(file[0].Symbol.isEmpty());
    }
    EXPECT_FLOAT_EQ(portfolioFile()[1].Price, 21.5f);
    EXPECT_EQ(portfolioFile()[1].PriceText, "21.5");
    EXPECT_FLOAT_EQ(portfolioFile()[2].Price, 20.0f);

    // After a deletion the freed row is used again, and nothing is overwritten.
    Transactions()[2] = PortRec();
    ASSERT_TRUE(SavePortfolio());
    ASSERT_TRUE(LoadPortfolio());
    ASSERT_EQ(TransCount(), 2);  // TransCount + 1 = 3 is taken
    openPurchase("MSFT");
    type(TransactionForm::txtShares, "7");
    form.cmdOK_Click();
    EXPECT_EQ(portfolioFile()[2].Shares, 7);
    EXPECT_EQ(portfolioFile()[2].LotId, 2);
    EXPECT_EQ(portfolioFile()[3].Shares, 5);
}

TEST_F(TransactionWindow, AFullPortfolioIsToldAndKeptWhole)
{
    for (int i = 1; i <= 99; ++i)
        Transactions()[i] = Buy("IBM", 1, 10, std::int16_t(i));
    ASSERT_TRUE(SavePortfolio());
    ASSERT_TRUE(LoadPortfolio());
    const auto before = portfolioFile();

    openPurchase("IBM");
    type(TransactionForm::txtShares, "3");
    form.cmdOK_Click();
    EXPECT_EQ(shownBoxes(), QStringList{"msg|" + PortfolioFullTitle() + "|" + PortfolioFullText()});
    EXPECT_EQ(portfolioFile(), before);
    EXPECT_EQ(Transactions()[100], PortRec());
}

TEST_F(TransactionWindow, ASaleIsLimitedToWhatIsLeftOfItsLot)
{
    Transactions()[1] = Buy("IBM", 100, 20, 1);
    ASSERT_TRUE(SavePortfolio());
    openSale(form, 1);
    EXPECT_EQ(form.text(TransactionForm::txtShares), "100");
    EXPECT_EQ(form.lblID, "1");
    EXPECT_TRUE(form.okEnabled());

    type(TransactionForm::txtShares, "150");
    EXPECT_EQ(form.text(TransactionForm::txtShares), "100");
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    const auto& box = test::dialogs().shown.front();
    EXPECT_EQ(box.title, "Sell Less Then 100");
    EXPECT_EQ(box.prompt, "You can not sell more then buying.\r\nPlease sell less then 100 shares.");
    EXPECT_EQ(box.buttons, Dialogs::vbInformation);

    // After a sale of 30 only 70 are left to sell.
    Transactions()[2] = Sale("IBM", 30, 25, 1);
    TransactionForm second;
    openSale(second, 1);
    EXPECT_EQ(second.text(TransactionForm::txtShares), "70");
    test::dialogs().reset();
    second.setText(TransactionForm::txtShares, "71");
    EXPECT_EQ(second.text(TransactionForm::txtShares), "70");
    EXPECT_EQ(test::dialogs().shown.value(0).title, "Sell Less Then 70");
}

TEST_F(TransactionWindow, ASaleStoresItsSignedGainAndItsLot)
{
    struct Case
    {
        QString price;
        double gain;  // shares x (sale - purchase) - commission
    };
    const Case cases[] = {{"25", 10 * (25 - 20) - 5}, {"15", 10 * (15 - 20) - 5}};
    for (const Case& c : cases) {
        ResetProgramState();
        CurrentSet() = 0;
        ASSERT_TRUE(ReadStocks());
        Transactions()[1] = Buy("IBM", 100, 20, 1);
        ASSERT_TRUE(SavePortfolio());
        ASSERT_TRUE(LoadPortfolio());
        TransactionForm f;
        TransMode() = "Sell";
        TransSymbol() = "IBM";
        TransactionId() = 1;
        LotShares() = 100;
        LotPrice() = 20;
        f.Form_Load();
        f.setText(TransactionForm::txtShares, "10");
        f.setText(TransactionForm::txtPrice, c.price);
        f.setText(TransactionForm::txtComm, "5");
        f.cmdOK_Click();
        const PortRec sale = portfolioFile()[2];
        EXPECT_EQ(sale.Action, "Sell");
        EXPECT_EQ(sale.Symbol, "IBM");
        EXPECT_EQ(sale.Shares, 10);
        EXPECT_EQ(sale.LotId, 1);
        EXPECT_DOUBLE_EQ(sale.Gain, c.gain);
        EXPECT_EQ(portfolioFile()[1], Transactions()[1]);  // the purchase is untouched
    }
}

TEST_F(TransactionWindow, ASaleThatNamesNoPurchaseIsLoggedAndStoresNothing)
{
    TransMode() = "Sell";
    TransSymbol() = "IBM";
    TransactionId() = 0;
    LotShares() = 10;
    LotPrice() = 20;
    form.Form_Load();
    ASSERT_TRUE(form.okEnabled());
    form.cmdOK_Click();
    EXPECT_TRUE(form.closed());
    EXPECT_TRUE(errorLog().contains("Where: Stocks_Sell"));
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
    EXPECT_TRUE(portfolioFile() == (std::array<PortRec, kTransRows>()));
}

TEST_F(TransactionWindow, AnEditRewritesItsRowAndKeepsWhatIsLeftAtZero)
{
    Transactions()[1] = Buy("IBM", 100, 20, 1);
    Transactions()[2] = Sale("IBM", 10, 25, 1);
    Transactions()[2].Gain = 45;
    ASSERT_TRUE(SavePortfolio());
    ASSERT_TRUE(LoadPortfolio());

    // The purchase price goes to 22: the lot's sale is worked out again.
    TransMode() = "Edit";
    TransRow() = 1;
    TransSymbol() = "IBM";
    form.Form_Load();
    EXPECT_EQ(form.text(TransactionForm::txtDate), "");  // the opener fills the boxes
    type(TransactionForm::txtDate, "1/5/03");
    type(TransactionForm::txtShares, "100");
    type(TransactionForm::txtPrice, "22");
    type(TransactionForm::txtComm, "0");
    form.cmdOK_Click();
    auto file = portfolioFile();
    EXPECT_EQ(file[1].TransDate, "1/5/03");
    EXPECT_FLOAT_EQ(file[1].Price, 22);
    EXPECT_FLOAT_EQ(file[1].Commission, 10);  // 0 keeps the old commission
    EXPECT_EQ(file[1].Action, "Buy");
    EXPECT_EQ(file[1].LotId, 1);
    EXPECT_DOUBLE_EQ(file[2].Gain, 10 * (25 - 22) - 5);

    // The sale may not take more than its lot: 100 bought, none sold by others.
    TransactionForm sale;
    TransRow() = 2;
    sale.Form_Load();
    EXPECT_EQ(sale.sharesLimit(), 100);
    sale.setText(TransactionForm::txtShares, "120");
    EXPECT_EQ(sale.text(TransactionForm::txtShares), "100");
    EXPECT_EQ(test::dialogs().shown.value(0).title, "Sell Less Then 100");
}

TEST_F(TransactionWindow, AnEditWithoutSharesCannotBeConfirmed)
{
    Transactions()[1] = Buy("IBM", 100, 20, 1);
    ASSERT_TRUE(SavePortfolio());
    TransMode() = "Edit";
    TransRow() = 1;
    TransSymbol() = "IBM";
    form.Form_Load();
    type(TransactionForm::txtShares, "0");
    EXPECT_FALSE(form.okEnabled());
    type(TransactionForm::txtPrice, "0");
    EXPECT_EQ(form.text(TransactionForm::txtPrice), "0");
}
