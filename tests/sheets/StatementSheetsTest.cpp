// The annual balance sheet and income statement over pages of our own.
#include "CachedSheetFixture.h"

#include "sheets/StatementSheets.h"

#include <optional>
#include <tuple>

namespace {

const QString kBalance = QStringLiteral("ACME_ABS.Sh");
const QString kIncome = QStringLiteral("ACME_AIS.Sh");

} // namespace

class StatementSheetsTest : public CachedSheetTest
{
protected:
    static QByteArray balancePage() { return fixture("statements/balance_sheet.htm"); }
    static QByteArray incomePage() { return fixture("statements/income_statement.htm"); }
};

TEST_F(StatementSheetsTest, BalanceSheetReadsTheTableAfterTheSecondMarker)
{
    writePage(kBalance, balancePage());
    ASSERT_TRUE(runner.show("ABS"));

    const FlexGrid& g = grid();
    EXPECT_EQ(CurrentView(), "ABS");
    ASSERT_EQ(g.Rows(), 11);
    ASSERT_EQ(g.Cols(), 6);
    EXPECT_EQ(rowTexts(g, 0), QStringList({"Acme Widgets", "12/01", "12/00", "12/99", "12/98", "12/97"}));
    EXPECT_EQ(rowTexts(g, 1), QStringList({"Annual Balance Sheet", "", "", "", "", ""}));
    // "Assets" takes slot 4, so the cell after it ends the grid row.
    EXPECT_EQ(rowTexts(g, 2), QStringList({"Assets", "(in millions)", "", "", "", ""}));
    // Cells past the sixth are dropped and take no column: the next row starts in column 0.
    EXPECT_EQ(rowTexts(g, 3), QStringList({"Cash & Equivalents", "10", "9", "8", "7", "6"}));
    EXPECT_EQ(rowTexts(g, 4), QStringList({"Receivables (net)", "21", "22", "23", "24", "25"}));
    // A short page row carries on into the next one.
    EXPECT_EQ(rowTexts(g, 5), QStringList({"Total", "15", "Shareholders' Equity", "(in millions)", "", ""}));
    // Every "ii" of the page goes.
    EXPECT_EQ(g.TextMatrix(6, 0), "Hawa land");
    EXPECT_EQ(rowTexts(g, 8), QStringList({"Total Equity", "51", "52", "53", "54", "55"}));

    // Formats by row number.
    EXPECT_EQ(g.RowHeight(0), kBase);
    EXPECT_EQ(g.RowHeight(1), kBase);
    EXPECT_TRUE(g.cellFormat(1, 0).bold);
    EXPECT_EQ(g.cellFormat(1, 0).textStyle, 3);
    EXPECT_EQ(g.RowHeight(2), 2 * kBase);
    EXPECT_EQ(g.cellFormat(2, 0).textStyle, 4);
    EXPECT_EQ(g.cellFormat(2, 0).alignment, 2);
    EXPECT_FALSE(g.cellFormat(2, 1).bold);
    for (int c = 0; c < 6; ++c)
        EXPECT_TRUE(g.cellFormat(8, c).bold) << c;
    EXPECT_FALSE(g.cellFormat(7, 1).bold);
    EXPECT_EQ(g.RowHeight(9), 0);
    EXPECT_EQ(g.RowHeight(10), 0);
    EXPECT_EQ(g.ColAlignment(0), 1);
    EXPECT_EQ(g.ColAlignment(5), 7);
    EXPECT_EQ(g.ColWidth(0), 3100);
    EXPECT_EQ(g.ColWidth(5), 1300);
    EXPECT_EQ(g.BackColor(), 0xFFFFFF);
    EXPECT_EQ(g.GridLines(), 1);

    // With one marker the table after it is read.
    QByteArray one = balancePage();
    one.replace("<h2>Annual Balance Sheet</h2>", "<h2>Balance</h2>");
    writePage(kBalance, one);
    runner.show("ABS");
    EXPECT_EQ(rowTexts(g, 0), QStringList({"Acme Widgets", "d1", "d2", "d3", "d4", "d5"}));
}

TEST_F(StatementSheetsTest, IncomeStatementSpreadsWideCellsAndFormatsRowsByNumber)
{
    grid().setCols(6);
    grid().setColAlignment(5, 3);
    writePage(kIncome, incomePage());
    ASSERT_TRUE(runner.show("AIS"));

    const FlexGrid& g = grid();
    EXPECT_EQ(CurrentView(), "AIS");
    ASSERT_EQ(g.Rows(), 19);
    EXPECT_EQ(rowTexts(g, 0), QStringList({"Acme Widgets", "12/01", "12/00", "12/99", "12/98", "12/97"}));
    EXPECT_EQ(g.TextMatrix(1, 0), "Annual Income Statement");
    EXPECT_EQ(g.cellFormat(1, 0).backColor, 0xFFFFFF);
    // The five-column cell becomes four empty cells and then the text.
    EXPECT_EQ(rowTexts(g, 2), QStringList({"Net Sales", "", "", "", "", "in millions"}));
    // A heading row holds no data cells and adds nothing.
    EXPECT_EQ(rowTexts(g, 3), QStringList({"Cost of Sales", "301", "302", "303", "304", "305"}));
    EXPECT_EQ(g.TextMatrix(4, 0), "Hawa Sales");
    EXPECT_EQ(g.TextMatrix(5, 0), "Selling & Admin");
    EXPECT_EQ(g.TextMatrix(8, 0), "Other Income");
    EXPECT_EQ(g.TextMatrix(17, 0), "Dividends");

    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(g.cellFormat(0, c).alignment, 4) << c;
        EXPECT_TRUE(g.cellFormat(4, c).bold) << c;
        EXPECT_TRUE(g.cellFormat(16, c).bold) << c;
        EXPECT_EQ(g.cellFormat(16, c).backColor, 0xEFEDD1) << c;
        EXPECT_EQ(g.cellFormat(16, c).foreColor, 255) << c;
        EXPECT_TRUE(g.cellFormat(17, c).underline) << c;
        EXPECT_EQ(g.cellFormat(17, c).alignment, 2) << c;
    }
    EXPECT_FALSE(g.cellFormat(5, 1).bold);
    EXPECT_EQ(g.RowHeight(0), kBase);
    EXPECT_EQ(g.RowHeight(1), 2 * kBase);
    EXPECT_EQ(g.RowHeight(17), 2 * kBase);
    EXPECT_EQ(g.RowHeight(18), 0);
    EXPECT_EQ(g.ColAlignment(4), 7);
    EXPECT_EQ(g.ColAlignment(5), 3);  // the column keeps what it had
    EXPECT_EQ(g.ColWidth(0), 3100);
}

TEST_F(StatementSheetsTest, PagesBehindALongHeadFillIdentically)
{
    for (const auto& [code, file, page] : {std::tuple{"ABS", kBalance, balancePage()},
                                           std::tuple{"AIS", kIncome, incomePage()}}) {
        SCOPED_TRACE(code);
        writePage(file, page);
        runner.show(code);
        const QStringList plain = snapshot(grid());
        ASSERT_GT(grid().Rows(), 10);

        writePage(file, behindLongHead(page));
        runner.show(code);
        EXPECT_EQ(snapshot(grid()), plain);
    }
}

TEST_F(StatementSheetsTest, FailuresShowTheMembersTextOnTheMainGrid)
{
    const QString standard = standardMessage("Acme Widgets");
    const QString bad = "The Acme Widgets\" annual income statement data is bad, connect to the Internet, and update "
                        "again .";
    EXPECT_EQ(IncomeStatementBadDataMessage("Acme Widgets"), bad);

    auto without = [](QByteArray page, const QByteArray& text) { return page.replace(text, ""); };
    // A short page row carries the last one past the sixth column.
    const QByteArray outside = "Annual Balance Sheet Annual Income Statement<table>"
                               "<tr><td>a</td><td>b</td><td>c</td><td>d</td><td>e</td><td>f</td></tr>"
                               "<tr><td>x</td><td>y</td></tr>"
                               "<tr><td>1</td><td>2</td><td>3</td><td>4</td><td>5</td><td>6</td></tr></table>";
    struct Case
    {
        const char* name;
        const char* code;
        QString file;
        std::optional<QByteArray> page;  // none: no page at all
        QString shown;
    };
    const Case cases[] = {
        {"balance, no page", "ABS", kBalance, std::nullopt, standard},
        {"balance, empty page", "ABS", kBalance, QByteArray(), standard},
        {"balance, no start marker", "ABS", kBalance, without(balancePage(), "Annual Balance Sheet"), standard},
        {"balance, no end marker", "ABS", kBalance, without(balancePage(), "</TABLE>"), standard},
        {"balance, a cell outside the grid", "ABS", kBalance, outside, ""},
        {"income, no page", "AIS", kIncome, std::nullopt, bad},
        {"income, empty page", "AIS", kIncome, QByteArray(), bad},
        {"income, no start marker", "AIS", kIncome, without(incomePage(), "Annual Income Statement"), bad},
        {"income, no end marker", "AIS", kIncome, without(incomePage(), "</TABLE>"), bad},
        {"income, a cell outside the grid", "AIS", kIncome, outside, bad},
    };
    for (const bool zoom : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (zoom ? ", zoom" : ""));
            QFile::remove(path("Cache/DataSheet/" + c.file));
            if (c.page)
                writePage(c.file, *c.page);
            grid().setRows(5);
            grid().setTextMatrix(0, 0, "before");
            ZoomMode() = zoom;
            runner.show(c.code);

            EXPECT_EQ(CurrentView(), c.code);
            ASSERT_EQ(grid().Rows(), 1);
            EXPECT_EQ(grid().TextMatrix(0, 0), c.shown);
            EXPECT_EQ(grid().RowHeight(0), 3 * kBase);
            EXPECT_EQ(grid().GridLines(), 0);
            EXPECT_FALSE(ZoomMode());
            EXPECT_TRUE(host.shown.empty());
        }
    }
    // The next view from the tree draws into the main grid again.
    writePage(kBalance, balancePage());
    runner.show("ABS");
    EXPECT_EQ(grid().TextMatrix(0, 0), "Acme Widgets");
    EXPECT_TRUE(host.shown.empty());

    // A zoom redraw that works shows its window.
    ZoomMode() = true;
    runner.show("ABS");
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown.front()->TextMatrix(1, 0), "Annual Balance Sheet");
    EXPECT_FALSE(ZoomMode());
}

TEST_F(StatementSheetsTest, MessagesNameTheCompanyAsTheSetKnowsIt)
{
    struct Case
    {
        const char* symbol;
        const char* code;
        QString shown;
    };
    Stocks()[1].CompanyName = "x";  // too short: the symbol stands in
    const Case cases[] = {
        {"ZZZ", "ABS", standardMessage("")},
        {"ZZZ", "AIS", "The \" annual income statement data is bad, connect to the Internet, and update again ."},
        {"Q", "ABS", standardMessage("Q")},
        {"Q", "AIS", "The Q\" annual income statement data is bad, connect to the Internet, and update again ."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.symbol) + " " + c.code);
        CurrentSymbol() = c.symbol;
        runner.show(c.code);
        EXPECT_EQ(grid().TextMatrix(0, 0), c.shown);
    }
}

TEST_F(StatementSheetsTest, ASymbolThatNamesAnotherFolderReadsAsAMissingPage)
{
    writeFile("Cache/ACME_ABS.Sh", balancePage());
    Stocks()[2].Symbol = "../ACME";
    Stocks()[2].CompanyName = "Climber";
    StockCount() = 3;
    for (const char* symbol : {"../ACME", "a/ACME"}) {
        CurrentSymbol() = symbol;
        runner.show("ABS");
        ASSERT_EQ(grid().Rows(), 1);
        EXPECT_TRUE(grid().TextMatrix(0, 0).startsWith(standardMessage(""))) << symbol;
    }
}
