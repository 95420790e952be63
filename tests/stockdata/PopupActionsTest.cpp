// The grid and tree popup actions: buying, selling, editing and deleting
// transactions, removing stocks, emptying a stock's cache, and the menus' states.
#include "EditingFixture.h"
#include "TestViews.h"

#include "platform/AppPath.h"
#include "stockdata/PopupActions.h"
#include "sheets/ViewEntries.h"
#include "stockdata/PortfolioViews.h"
#include "views/ViewHost.h"

#include <QDir>

namespace {

FlexGrid& grid()
{
    return *viewHost().mainGrid();
}

// First grid row from 2 on whose column col reads text; -1 when none does.
int gridRow(int col, const QString& text)
{
    for (int r = 2; r < grid().Rows(); ++r)
        if (grid().TextMatrix(r, col) == text)
            return r;
    return -1;
}

} // namespace

class PopupTest : public EditingTest
{
protected:
    void SetUp() override
    {
        EditingTest::SetUp();
        makeSet({"IBM", "MSFT", "AOL"});
        // What the main window does when a stock left the set: the tree is built
        // again, and a shown quotes view drawn again.
        QObject::connect(&sets, &StockSets::stocksChanged, &sets, [this] {
            calls << "initTree";
            if (CurrentView() == QLatin1String("Current"))
                host.redrawQuotes();
        });
    }

    void mnuEdit_Click(int index) { actions.mnuEdit_Click(index); }
    void mnuTree_Click(int index) { actions.mnuTree_Click(index); }

    void savePortfolio()
    {
        ASSERT_TRUE(SavePortfolio());
        ASSERT_TRUE(LoadPortfolio());
    }

    QStringList setFileSymbols()
    {
        std::array<StockRec, kStockRows> table;
        readTableFile(SetFilePath(0), table);
        QStringList symbols;
        for (const StockRec& r : table)
            if (!r.Symbol.isEmpty())
                symbols << r.Symbol;
        return symbols;
    }

    // The quotes view as it stands: company names in column 1 from row 2 on.
    void showQuotes(const QStringList& companies)
    {
        FlexGrid& g = grid();
        g.Clear();
        g.setRows(2);
        g.setCols(21);
        g.setTextMatrix(0, 1, "Companey");
        for (const QString& c : companies)
            g.AddItem("\t" + c + "\t20");
        CurrentView() = "Current";
    }

    PopupActions actions{host, sets};
    QStringList& calls = host.calls;
};

TEST_F(PopupTest, BuyFromTheTreeRecordsAPurchase)
{
    CurrentSymbol() = "MSFT";
    windows.onTransaction = [](TransactionForm& f) {
        f.setText(TransactionForm::txtShares, "10");
        f.setText(TransactionForm::txtComm, "7");
        f.cmdOK_Click();
    };
    mnuTree_Click(2);
    ASSERT_EQ(windows.transactions.size(), 1);
    const auto& shown = windows.transactions.front();
    EXPECT_EQ(shown.mode, "NewStock");
    EXPECT_EQ(shown.caption, "Parchase Share");
    EXPECT_EQ(shown.lblDate, "Purchase Date:");
    EXPECT_EQ(shown.lblSymbol, "MSFT");
    EXPECT_EQ(shown.price, "20");
    EXPECT_FALSE(shown.okEnabled);

    const PortRec r = portfolioFile()[1];
    EXPECT_EQ(r.Symbol, "MSFT");
    EXPECT_EQ(r.Action, "Buy");
    EXPECT_EQ(r.Shares, 10);
    EXPECT_FLOAT_EQ(r.Price, 20);
    EXPECT_FLOAT_EQ(r.Commission, 7);
    EXPECT_EQ(r.LotId, 1);
}

TEST_F(PopupTest, BuyWithoutAStockSaysSo)
{
    CurrentSymbol().clear();
    mnuTree_Click(2);
    EXPECT_EQ(shownBoxes(), QStringList{"msg|UnSelected Stock|Select some stock first.."});
    EXPECT_EQ(test::dialogs().shown.front().buttons, Dialogs::vbInformation);
    EXPECT_TRUE(windows.transactions.isEmpty());
}

TEST_F(PopupTest, SellFromTheTreeWithOnePurchaseOpensTheSale)
{
    Transactions()[1] = Buy("IBM", 100, 20, 1);
    Transactions()[40] = Buy("AOL", 5, 9, 40);  // another symbol's purchase beyond TransCount
    savePortfolio();
    CurrentSymbol() = "IBM";
    windows.onTransaction = [](TransactionForm& f) {
        f.setText(TransactionForm::txtShares, "10");
        f.setText(TransactionForm::txtPrice, "25");
        f.setText(TransactionForm::txtComm, "5");
        f.cmdOK_Click();
    };
    mnuTree_Click(3);
    ASSERT_EQ(windows.transactions.size(), 1);
    const auto& shown = windows.transactions.front();
    EXPECT_EQ(shown.caption, "Sell Share");
    EXPECT_EQ(shown.lblDate, "Sell Date:");
    EXPECT_EQ(shown.lblPrice, "Sell Prices:");
    EXPECT_EQ(shown.shares, "100");
    EXPECT_EQ(shown.lblID, "1");
    EXPECT_TRUE(windows.pickers.isEmpty());

    const PortRec sale = portfolioFile()[3];  // TransCount + 1
    EXPECT_EQ(sale.Action, "Sell");
    EXPECT_EQ(sale.Shares, 10);
    EXPECT_EQ(sale.LotId, 1);
    EXPECT_DOUBLE_EQ(sale.Gain, 45);
}

TEST_F(PopupTest, SellWithTwoPurchasesGoesThroughThePicker)
{
    Transactions()[1] = Buy("IBM", 100, 20, 1);
    Transactions()[2] = Buy("IBM", 50, 18, 2);
    Transactions()[60] = Buy("IBM", 7, 19, 60);
    savePortfolio();
    CurrentSymbol() = "IBM";
    windows.onPicker = [](PurchasePicker& p) {
        p.FG_Click(3);  // the second purchase
        p.cmdOK_Click();
    };
    windows.onTransaction = [](TransactionForm& f) { f.cmdOK_Click(); };
    mnuTree_Click(3);

    ASSERT_EQ(windows.pickers.size(), 1);
    EXPECT_EQ(windows.pickers.front(), (QStringList{"1/2/03|100|20|1", "1/2/03|50|18|2", "1/2/03|7|19|60"}));
    ASSERT_EQ(windows.transactions.size(), 1);
    EXPECT_EQ(windows.transactions.front().caption, "Sell Share");
    EXPECT_EQ(windows.transactions.front().lblID, "2");
    EXPECT_EQ(windows.transactions.front().shares, "50");

    const PortRec sale = portfolioFile()[4];
    EXPECT_EQ(sale.Action, "Sell");
    EXPECT_EQ(sale.Shares, 50);
    EXPECT_EQ(sale.LotId, 2);
    EXPECT_DOUBLE_EQ(sale.Gain, 50 * (20 - 18));

    // Cancel in the picker opens nothing.
    windows.onPicker = nullptr;
    mnuTree_Click(3);
    EXPECT_EQ(windows.pickers.size(), 2);
    EXPECT_EQ(windows.transactions.size(), 1);
}

TEST_F(PopupTest, SellShareOnAHoldingFillsTheWindowFromTheRow)
{
    Transactions()[1] = Buy("IBM", 100, 20, 1);
    Transactions()[2] = Sale("IBM", 30, 25, 1);
    Transactions()[1].PriceText = "22";
    savePortfolio();
    FG_Portfolio_All(test::views());
    const int row = gridRow(10, "1");
    ASSERT_GE(row, 2);
    grid().setRow(row);
    mnuEdit_Click(6);

    ASSERT_EQ(windows.transactions.size(), 1);
    const auto& shown = windows.transactions.front();
    EXPECT_EQ(shown.caption, "Sell Share");
    EXPECT_EQ(shown.lblSymbol, "IBM");
    EXPECT_EQ(shown.lblName, "IBM Corp");
    EXPECT_EQ(shown.lblCurrent, "22");
    EXPECT_EQ(shown.price, "22");
    EXPECT_EQ(shown.comm, "10.00");
    EXPECT_EQ(shown.date, "1/2/2003");
    EXPECT_EQ(shown.shares, "70");
    EXPECT_EQ(TransactionId(), 1);

    // The group's total row holds no purchase: nothing opens.
    grid().setRow(row + 1);
    ASSERT_TRUE(grid().TextMatrix(row + 1, 10).isEmpty());
    mnuEdit_Click(6);
    EXPECT_EQ(windows.transactions.size(), 1);
}

TEST_F(PopupTest, EditFromTheLogTakesTheStoredFigures)
{
    Transactions()[1] = Buy("IBM", 100, 20.125f, 1);
    Transactions()[2] = Sale("IBM", 10, 25, 1);
    savePortfolio();
    FG_PortfolioLog(test::views());
    const int row = gridRow(8, "2");
    ASSERT_GE(row, 2);
    grid().setRow(row);
    windows.onTransaction = [](TransactionForm& f) {
        f.setText(TransactionForm::txtPrice, "30");
        f.cmdOK_Click();
    };
    mnuEdit_Click(8);

    ASSERT_EQ(windows.transactions.size(), 1);
    const auto& shown = windows.transactions.front();
    EXPECT_EQ(shown.mode, "Edit");
    EXPECT_EQ(shown.caption, "Edit Transection");
    EXPECT_EQ(shown.lblDate, "Buy Date:");
    EXPECT_EQ(shown.lblPrice, "Buy Prices:");
    EXPECT_EQ(shown.lblSymbol, "IBM");
    EXPECT_EQ(shown.lblName, "IBM Corp");
    EXPECT_EQ(shown.lblCurrent, "-");
    EXPECT_EQ(shown.date, "2/3/03");
    EXPECT_EQ(shown.shares, "10");
    EXPECT_EQ(shown.price, "25");
    EXPECT_EQ(shown.comm, "5");
    EXPECT_EQ(TransRow(), 2);

    const auto file = portfolioFile();
    EXPECT_FLOAT_EQ(file[2].Price, 30);
    EXPECT_EQ(file[2].Action, "Sell");
    EXPECT_EQ(file[2].LotId, 1);
    EXPECT_DOUBLE_EQ(file[2].Gain, 10 * (30 - 20.125) - 5);
    EXPECT_EQ(file[1], Transactions()[1]);

    // The holdings view's double click edits the purchase its row stands for.
    FG_Portfolio_All(test::views());
    grid().setRow(gridRow(10, "1"));
    windows.onTransaction = nullptr;
    mnuEdit_Click(8);
    ASSERT_EQ(windows.transactions.size(), 2);
    EXPECT_EQ(windows.transactions.back().price, "20.125");
    EXPECT_EQ(TransRow(), 1);
}

TEST_F(PopupTest, DeleteTransactionAsksAndEmptiesTheRow)
{
    Transactions()[1] = Buy("IBM", 100, 20, 1);
    Transactions()[2] = Sale("IBM", 10, 25, 1);
    savePortfolio();
    FG_PortfolioLog(test::views());
    const int row = gridRow(8, "2");
    grid().setRow(row);

    test::dialogs().msgAnswers << Dialogs::vbNo;
    mnuEdit_Click(9);
    EXPECT_EQ(shownBoxes(), QStringList{"msg|Delete Transaction?|Are you sure you want to remove this transaction (IBM-Sell)?"});
    EXPECT_EQ(test::dialogs().shown.front().buttons, Dialogs::vbYesNo + Dialogs::vbQuestion);
    EXPECT_EQ(portfolioFile()[2].Symbol, "IBM");

    test::dialogs().reset();
    test::dialogs().msgAnswers << Dialogs::vbYes;
    mnuEdit_Click(9);
    EXPECT_EQ(portfolioFile()[2], PortRec());
    EXPECT_EQ(portfolioFile()[1].Symbol, "IBM");
    EXPECT_EQ(TransCount(), 1);
    EXPECT_EQ(gridRow(8, "2"), -1);  // the log is drawn again without it

    // The total row holds no transaction: nothing is asked, nothing changes.
    test::dialogs().reset();
    grid().setRow(grid().Rows() - 1);
    mnuEdit_Click(9);
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
    EXPECT_EQ(portfolioFile()[1].Symbol, "IBM");
}

TEST_F(PopupTest, DeleteShareFindsTheStockOfTheClickedRowInASortedGrid)
{
    showQuotes({"MSFT Corp", "IBM Corp", "AOL Corp"});  // sorted by name, descending
    grid().setRow(4);
    test::dialogs().msgAnswers << Dialogs::vbYes;
    mnuEdit_Click(7);
    EXPECT_EQ(shownBoxes(), QStringList{"msg|Delete share?|Are you sure you want to remove  (AOL Corp)?"});
    EXPECT_EQ(setFileSymbols(), (QStringList{"IBM", "MSFT"}));
    EXPECT_EQ(calls, (QStringList{"initTree", "FG_Current"}));

    // No: nothing changes.
    calls.clear();
    showQuotes({"MSFT Corp", "IBM Corp"});
    grid().setRow(2);
    mnuEdit_Click(7);
    EXPECT_EQ(setFileSymbols(), (QStringList{"IBM", "MSFT"}));
    EXPECT_TRUE(calls.isEmpty());
}

TEST_F(PopupTest, StocksOfOneNameAreTakenInTheirOrder)
{
    Stocks()[1].CompanyName = "No Current Stock";
    Stocks()[2].CompanyName = "No Current Stock";
    ASSERT_TRUE(SaveStocks());
    showQuotes({"IBM Corp", "No Current Stock", "No Current Stock"});
    EXPECT_EQ(QuotesRowStock(host, 2), 0);
    EXPECT_EQ(QuotesRowStock(host, 3), 1);
    EXPECT_EQ(QuotesRowStock(host, 4), 2);
    EXPECT_EQ(QuotesRowStock(host, 1), std::nullopt);

    // A "Symbol" column, when the view has one, names the stock outright.
    grid().setTextMatrix(0, 20, "Symbol");
    grid().setTextMatrix(3, 20, "AOL");
    EXPECT_EQ(QuotesRowStock(host, 3), 2);
}

TEST_F(PopupTest, DeleteFromTheTreeOnlyForAStockOfTheSet)
{
    CurrentView() = "PortLog";
    CurrentSymbol() = "ORCL";  // a portfolio symbol, not in the set
    mnuTree_Click(6);
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
    EXPECT_EQ(setFileSymbols(), (QStringList{"IBM", "MSFT", "AOL"}));

    CurrentSymbol() = "MSFT";
    test::dialogs().msgAnswers << Dialogs::vbYes;
    mnuTree_Click(6);
    EXPECT_EQ(shownBoxes(), QStringList{"msg|Delete share?|Do you want to remove MSFT Corp (MSFT)?"});
    EXPECT_EQ(setFileSymbols(), (QStringList{"IBM", "AOL"}));
    EXPECT_EQ(StockCount(), 2);
    EXPECT_EQ(calls, QStringList{"initTree"});  // the quotes view is not the one shown
}

TEST_F(PopupTest, EmptyStockCacheDeletesExactlyTheStocksPages)
{
    const QString folder = AppPath() + "/Cache/DataSheet/";
    ASSERT_TRUE(QDir().mkpath(folder));
    const QStringList kept{"IBM.txt", "MSFT_op.Sh", "IBM_xx.Sh", "IBMX_op.Sh", "Yahooquote.Sh"};
    // The thirteen pages the per-stock downloaders write for IBM; the options page
    // written under another spelling is still this stock's page.
    const QStringList pages{"IBM_ABS.Sh", "IBM_AIS.Sh", "IBM_ee.Sh", "IBM_qr.Sh", "IBM_it.Sh",
                            "ibm_op.sh",  "IBM_sp.Sh",  "IBM_uph.Sh", "IBM_dnh.Sh", "IBM_mr.Sh",
                            "IBM_brp.Sh", "IBM_P.Sh",   "IBM_SI.Sh"};
    for (const QString& name : pages + kept)
        writeFile("Cache/DataSheet/" + name, "page");
    CurrentSymbol() = "IBM";

    mnuTree_Click(7);  // No (the default answer)
    const auto& box = test::dialogs().shown.value(0);
    EXPECT_EQ(box.title, "Clear Cache ?");
    EXPECT_EQ(box.prompt, "Are you sure you want to delete the selected stock data?");
    EXPECT_EQ(box.buttons, Dialogs::vbYesNo + Dialogs::vbExclamation + Dialogs::vbDefaultButton2);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 18);

    test::dialogs().msgAnswers << Dialogs::vbYes;
    mnuTree_Click(7);
    QStringList left = QDir(folder).entryList(QDir::Files);
    left.sort();
    QStringList expected = kept;
    expected.sort();
    EXPECT_EQ(left, expected);

    // A symbol that could name a path outside the cache deletes nothing.
    writeFile("x_op.Sh", "keep");
    CurrentSymbol() = "../../x";
    test::dialogs().msgAnswers << Dialogs::vbYes;
    mnuTree_Click(7);
    EXPECT_EQ(fileBytes("x_op.Sh"), "keep");
}

TEST_F(PopupTest, GridPopupShowsTheItemsOfItsView)
{
    // Visible items as a string of indexes; the disabled ones in brackets.
    auto describe = [](const std::optional<GridPopupState>& s) {
        if (!s)
            return QStringLiteral("none");
        QString out;
        for (int i = 0; i < kGridPopupItems; ++i)
            if ((*s)[i].visible)
                out += (*s)[i].enabled ? QString::number(i) : "(" + QString::number(i) + ")";
        return out;
    };
    EXPECT_EQ(describe(GridPopupStates("Current", "")), "012345" "7");
    EXPECT_EQ(describe(GridPopupStates("Port", "3")), "0123456");
    EXPECT_EQ(describe(GridPopupStates("Port", "")), "012345(6)");
    EXPECT_EQ(describe(GridPopupStates("PortLog", "")), "012389");
    EXPECT_EQ(describe(GridPopupStates("ABS", "")), "none");
    EXPECT_EQ(mnuEditCaptions()[8], "Edit Transection");
    EXPECT_EQ(mnuTreeCaptions()[7], "Empty S&tock Cache");
}

TEST_F(PopupTest, SellAndSplitAreEnabledOnlyForAHeldSymbol)
{
    Transactions()[70] = Buy("IBM", 10, 20, 70);
    Transactions()[71] = Sale("MSFT", 10, 20, 5);
    savePortfolio();
    const struct
    {
        QString symbol;
        bool held;
    } cases[] = {{"IBM", true}, {"MSFT", false}, {"", false}};
    for (const auto& c : cases) {
        CurrentSymbol() = c.symbol;
        EXPECT_EQ(mnuTrees_Click(), c.held) << c.symbol.toStdString();
        const TreePopupState s = TreePopupStates(TreePopupFrom::Tree, true);
        EXPECT_EQ(s[3].enabled, c.held);
        EXPECT_EQ(s[4].enabled, c.held);
        EXPECT_TRUE(s[2].enabled);
    }
    const TreePopupState strip = TreePopupStates(TreePopupFrom::Strip, true);
    EXPECT_FALSE(strip[0].visible);
    EXPECT_FALSE(strip[1].visible);
    EXPECT_TRUE(strip[11].visible);
    const TreePopupState market = TreePopupStates(TreePopupFrom::Tree, false);
    EXPECT_TRUE(market[0].visible);
    EXPECT_FALSE(market[2].visible);
}

TEST_F(PopupTest, SimpleItemsCallTheMainWindow)
{
    const struct
    {
        bool tree;
        int index;
        QStringList expected;
    } cases[] = {
        {false, 0, {"CopyGridToClipboard"}},
        {false, 2, {"SelectAllGrid"}},
        {false, 4, {"toggleOldStyleBackground", "FG_Current"}},
        {false, 1, {}},
        {false, 10, {}},
        {true, 0, {"CollapseAllNodes"}},
        {true, 4, {}},
        {true, 9, {"setOneStockOnly(1)", "Picture1_Click(0)"}},
        {true, -1, {}},
    };
    for (const auto& c : cases) {
        calls.clear();
        c.tree ? mnuTree_Click(c.index) : mnuEdit_Click(c.index);
        EXPECT_EQ(calls, c.expected) << c.tree << " " << c.index;
    }
}

TEST_F(PopupTest, PropertiesOpensTheCardOfAStockInTheStrip)
{
    host.strip = QStringList{"AOL", "IBM", "", "", "", "", ""};
    CurrentSymbol() = "IBM";
    mnuTree_Click(11);
    ASSERT_EQ(windows.cards.size(), 1u);
    EXPECT_EQ(windows.cards.back()->symbol(), "IBM");

    CurrentSymbol() = "MSFT";  // in the set, not in the strip
    mnuTree_Click(11);
    EXPECT_EQ(windows.cards.size(), 1u);

    CurrentSymbol() = "AOL";
    mnuTree_Click(11);
    ASSERT_EQ(windows.cards.size(), 2u);
    EXPECT_EQ(windows.cards.back()->symbol(), "AOL");
}
