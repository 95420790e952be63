// The two price updates: the quote service request for the whole set with its
// 100-byte rule, and the quote page per stock with the portfolio, the grid and the
// tree following the stock just priced. Also ClearStockName.
#include "FixtureFiles.h"
#include "UpdateRunFixture.h"

#include "platform/AppPath.h"
#include "platform/FlexGrid.h"
#include "platform/RuntimeError.h"
#include "stockdata/ProgramState.h"
#include "views/ViewHost.h"

#include <QDir>
#include <QFile>

namespace {

using test::fixture;

const QString kQuotesRequest = QStringLiteral("/d/quotes.csv?s=%1&f=sl1d1t1c1ohgv&e=.csv");

class FastPricesTest : public UpdateRunTest
{
protected:
    void SetUp() override
    {
        UpdateRunTest::SetUp();
        quotes.loadQuotesCsv = [this] { ++loads; };
        // What the main window does with new prices: a shown quotes view is drawn again.
        const auto drawn = [this] {
            if (CurrentView() != QLatin1String("Current"))
                return;
            ++redraws;
            if (redraw)
                redraw();
        };
        QObject::connect(run.get(), &UpdateRun::pricesChanged, run.get(), drawn);
        QObject::connect(run.get(), &UpdateRun::stockPricesChanged, run.get(), drawn);
        quotes.parseQuote = [this](int row) {
            parsedRows << row;
            if (throwFor == row)
                throw RuntimeError::make(5);
            return names.value(row);
        };
    }

    // Update item 1 runs inside an update run, which owns the frame (outside one, the
    // fetch control's completed state would stop it after the first page).
    void priceRun()
    {
        tickOnly({1});
        run->StartUpdate();
    }

    int loads = 0;
    int redraws = 0;
    std::function<void()> redraw;  // the quotes view's drawing, when a test needs one
    QList<int> parsedRows;
    QHash<int, QString> names;
    int throwFor = -1;
};

TEST_F(FastPricesTest, QuoteServiceAddressLists)
{
    struct Case
    {
        QStringList symbols;
        const char* list;  // "" : no request
    };
    const Case cases[] = {
        {{"IBM", "F", "MSFT"}, "ibm,f,msft"},
        {{"IBM", "", "MSFT"}, "ibm"},  // the list stops at the first free row
        {{"BRK A", "^DJI"}, "brk%20a,^dji"},
        {{}, ""},
    };
    for (const Case& c : cases) {
        ResetProgramState();
        setStocks(c.symbols);
        const QString expected = *c.list ? server->url(kQuotesRequest.arg(QLatin1String(c.list))) : QString();
        EXPECT_EQ(FastPricesAddress(), expected) << c.list;
    }
    EXPECT_EQ(QuotePageAddress("MSFT"), server->url("/q?s=msft&d=t"));
}

TEST_F(FastPricesTest, AReplyUnder100BytesIsDeletedAndNotParsed)
{
    setStocks({"IBM", "F", "MSFT"});
    CurrentView() = QStringLiteral("Current");
    for (int size : {99, 100}) {
        loads = redraws = 0;
        server->clearRecords();
        server->setReply(QStringLiteral("/d/quotes.csv"), QByteArray(size, 'x'));
        run->UpdateFastPrices();
        EXPECT_EQ(targets(), QStringList({kQuotesRequest.arg("ibm,f,msft")})) << size;
        EXPECT_EQ(QFile::exists(cachePath("quotes_csv.txt")), size == 100) << size;
        EXPECT_EQ(loads, size == 100 ? 1 : 0) << size;
        EXPECT_EQ(redraws, size == 100 ? 1 : 0) << size;
    }
}

TEST_F(FastPricesTest, FramesItselfLikeARunAndParsesTheQuotes)
{
    useProgramServices();
    setStocks({"IBM", "MSFT"});
    server->setReply(QStringLiteral("/d/quotes.csv"), fixture("sheets/quotes_csv.txt"), 200, "text/plain");

    QStringList duringFetch;
    QObject::connect(server.get(), &test::LoopbackHttpServer::requestReceived, run.get(), [&] {
        duringFetch << frame.buttonCaption << frame.trayCaption << frame.picture
                    << QString::number(frame.groupsEnabled + frame.stocksEnabled) << QString::number(frame.busyPointer);
    });
    run->UpdateFastPrices();

    EXPECT_EQ(duringFetch, QStringList({"Stop", "Stop", "B4", "0", "1"}));
    EXPECT_EQ(Stocks()[0].LastPrice, "84.50");
    EXPECT_EQ(Stocks()[1].LastPrice, "61.20");
    EXPECT_EQ(Stocks()[1].Volume, "30123400");
    EXPECT_TRUE(QFile::exists(AppPath() + "/Set0.dat"));
    const QString orig = port.state.OrigCaption;
    EXPECT_TRUE(port.titles.contains(orig + "    Getting fast stocks prices"));
    EXPECT_TRUE(port.titles.contains(orig + "        Getting fast stocks prices"));
    EXPECT_EQ(port.title, orig);
    EXPECT_TRUE(frame.isIdle());
    EXPECT_FALSE(frame.busyPointer);
    EXPECT_TRUE(port.state.StopFlag);
    EXPECT_FALSE(run->isActive());
}

TEST_F(FastPricesTest, AFailedRequestParsesNoOldFileAndAnEmptySetRequestsNothing)
{
    setStocks({"IBM"});
    writeCache("quotes_csv.txt", QByteArray(500, 'x'));  // yesterday's reply
    server->setBehaviour(QStringLiteral("/d/quotes.csv"), test::LoopbackHttpServer::Behaviour::CloseWithoutReply);
    run->UpdateFastPrices();
    EXPECT_EQ(loads, 0);
    EXPECT_FALSE(QFile::exists(cachePath("quotes_csv.txt")));
    EXPECT_TRUE(frame.isIdle());

    ResetProgramState();
    server->clearRecords();
    run->UpdateFastPrices();
    EXPECT_TRUE(server->requests().isEmpty());
    EXPECT_TRUE(frame.isIdle());
    EXPECT_EQ(port.title, port.state.OrigCaption);
}

TEST_F(FastPricesTest, NoFastUpdateInsideARun)
{
    setStocks({"IBM"});
    tickOnly({16});
    run->setItemCaller([&](int) { run->UpdateFastPrices(); });
    run->StartUpdate();
    EXPECT_TRUE(server->requests().isEmpty());
    EXPECT_EQ(frame.buttonCaptions, QStringList({"Stop", "Update"}));
}

// ---- UpdateCurrentPrices -------------------------------------------------------

TEST_F(FastPricesTest, PagesOfEveryStockWithNewPricesInThePortfolio)
{
    quotes.parseQuote = [this](int row) {
        parsedRows << row;
        Stocks()[std::size_t(row)].LastPrice = QStringLiteral("1%1.00").arg(row);
        return QString();
    };
    setStocks({"IBM", "F", "MSFT"});
    for (int t : {0, 3, 7})
        Transactions()[std::size_t(t)].Symbol = QStringLiteral("IBM");
    Transactions()[4].Symbol = QStringLiteral("MSFT");
    Transactions()[5].Symbol = QStringLiteral("AOL");
    Transactions()[5].PriceText = QStringLiteral("40.00");
    server->setReply(QStringLiteral("/q"), page(400));

    priceRun();

    EXPECT_EQ(targets(), QStringList({"/q?s=ibm&d=t", "/q?s=msft&d=t"}));
    EXPECT_EQ(parsedRows, QList<int>({0, 2}));
    for (int t : {0, 3, 7})
        EXPECT_EQ(Transactions()[std::size_t(t)].PriceText, "10.00") << t;
    EXPECT_EQ(Transactions()[4].PriceText, "12.00");
    EXPECT_EQ(Transactions()[5].PriceText, "40.00");
    EXPECT_EQ(Transactions()[1].PriceText, "");  // free rows are not priced
    EXPECT_TRUE(QFile::exists(AppPath() + "/Set0.dat"));
    EXPECT_TRUE(QFile::exists(AppPath() + "/Portfolio.dat"));
    EXPECT_EQ(frame.selectedNodes, QStringList({"IBM", "MSFT"}));
    EXPECT_EQ(redraws, 0);  // the grid is not showing the current quotes
    const QString orig = port.state.OrigCaption;
    EXPECT_TRUE(port.titles.contains(orig + "    Updating Current Price - MSFT Current Prices"));
}

// The quote page is written over stock after stock; a stock whose fetch fails finds
// no page (never the last stock's), and a page stored under another spelling gives
// way to the page's own name.
TEST_F(FastPricesTest, AStockWhoseFetchFailsFindsNoQuotePage)
{
    const QString folder = AppPath() + QStringLiteral("/Cache/DataSheet/");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(WriteFileAtomic(folder + QStringLiteral("yahooquote.sh"), "an old page"));
    setStocks({"IBM", "MSFT", "F", "AOL"});
    server->setReply(QStringLiteral("/q?s=ibm&d=t"), page(400));
    server->setReply(QStringLiteral("/q?s=msft&d=t"), "gone", 404);
    server->setReply(QStringLiteral("/q?s=aol&d=t"), page(300));
    QStringList seen;
    quotes.parseQuote = [&](int row) {
        seen << Stocks()[std::size_t(row)].Symbol + u'=' + QString::number(FileLength(folder + "Yahooquote.Sh"));
        return QString();
    };

    priceRun();

    EXPECT_EQ(seen, QStringList({"IBM=400", "MSFT=-1", "AOL=300"}));
    EXPECT_EQ(QDir(folder).entryList({QStringLiteral("*quote*")}, QDir::Files), QStringList{"Yahooquote.Sh"});
}

TEST_F(FastPricesTest, TheGridKeepsThePricedStockInSight)
{
    struct Case
    {
        int nameRow;   // grid row holding the company name; -1: none
        int topRow;    // expected top row after the update
        int selected;  // expected current row
    };
    const Case cases[] = {{20, 20, 20}, {15, 10, 15}, {16, 10, 16}, {17, 17, 17}, {5, 5, 5}, {-1, 10, 3}};
    setStocks({"IBM"});
    CurrentView() = QStringLiteral("Current");
    server->setReply(QStringLiteral("/q"), page(400));
    FlexGrid* grid = viewHost().mainGrid();
    redraw = [&] {
        grid->setRows(30);
        grid->setCols(4);
        for (int r = 2; r < 30; ++r)
            grid->setTextMatrix(r, 1, QStringLiteral("Company %1").arg(r));
        grid->setTopRow(10);
        grid->setRow(3);
        grid->setCol(2);
    };
    for (const Case& c : cases) {
        names[0] = c.nameRow < 0 ? QStringLiteral("Someone Else") : QStringLiteral("Company %1").arg(c.nameRow);
        priceRun();
        EXPECT_EQ(grid->TopRow(), c.topRow) << c.nameRow;
        EXPECT_EQ(grid->Row(), c.selected) << c.nameRow;
        EXPECT_EQ(grid->RowSel(), c.selected) << c.nameRow;
        if (c.nameRow >= 0) {
            EXPECT_EQ(grid->Col(), 0) << c.nameRow;
            EXPECT_EQ(grid->ColSel(), 1) << c.nameRow;
        }
    }
    EXPECT_EQ(redraws, int(std::size(cases)));
}

TEST_F(FastPricesTest, OneStockModeFindsTheSelectedRowItself)
{
    setStocks({"IBM", "F", "MSFT"});
    Transactions()[0].Symbol = QStringLiteral("MSFT");
    CurrentView() = QStringLiteral("Current");
    port.state.OneStockOnly = true;
    CurrentSymbol() = QStringLiteral("MSFT");
    CurrentIndex() = 0;  // left over from another stock
    server->setReply(QStringLiteral("/q"), page(400));

    priceRun();
    EXPECT_EQ(targets(), QStringList({"/q?s=msft&d=t"}));
    EXPECT_EQ(parsedRows, QList<int>({2}));
    EXPECT_EQ(Transactions()[0].PriceText, "");
    EXPECT_EQ(redraws, 0);
    EXPECT_TRUE(frame.selectedNodes.isEmpty());

    // A symbol that is not in the set: nothing fetched, nothing written.
    server->clearRecords();
    parsedRows.clear();
    QFile::remove(AppPath() + "/Set0.dat");
    CurrentSymbol() = QStringLiteral("XYZ");
    port.state.OneStockOnly = true;
    priceRun();
    EXPECT_TRUE(server->requests().isEmpty());
    EXPECT_TRUE(parsedRows.isEmpty());
    EXPECT_FALSE(QFile::exists(AppPath() + "/Set0.dat"));
}

TEST_F(FastPricesTest, AnInvalidCallInARowClearsItsQuoteAndTheNextRowGoesOn)
{
    setStocks({"IBM", "MSFT"});
    Stocks()[0].CompanyName = QStringLiteral("IBM Corp");
    Stocks()[0].LastPrice = QStringLiteral("84.50");
    Stocks()[0].TargetLow = 70;
    Stocks()[0].TargetHigh = 90;
    throwFor = 0;
    server->setReply(QStringLiteral("/q"), page(400));

    priceRun();

    EXPECT_EQ(parsedRows, QList<int>({0, 1}));
    EXPECT_EQ(Stocks()[0].CompanyName, "No Current Stock");
    EXPECT_EQ(Stocks()[0].LastPrice, "0");
    EXPECT_EQ(Stocks()[0].TargetLow, 70.f);
    EXPECT_EQ(Stocks()[0].TargetHigh, 90.f);
    EXPECT_EQ(frame.selectedNodes, QStringList({"MSFT"}));
}

TEST_F(FastPricesTest, AStopEndsTheWalk)
{
    setStocks({"IBM", "MSFT", "AOL"});
    server->setReply(QStringLiteral("/q"), page(400));
    quotes.parseQuote = [this](int row) {
        parsedRows << row;
        run->StopUpdate();
        return QString();
    };
    priceRun();
    EXPECT_EQ(targets(), QStringList({"/q?s=ibm&d=t"}));
    EXPECT_EQ(parsedRows, QList<int>({0}));
}

TEST_F(FastPricesTest, PricesFetchedForAStockThatLeftItsRowAreNotStored)
{
    // The set editor stays open beside a run: switching or editing the set while a
    // page is on its way puts another stock into the row the page was asked for.
    auto swapFirstRowOnRequest = [this] {
        QObject::connect(server.get(), &test::LoopbackHttpServer::requestReceived, run.get(), [] {
            if (Stocks()[0].Symbol == QLatin1String("IBM"))
                Stocks()[0].Symbol = QStringLiteral("AOL");
        });
    };

    // One quote page per stock: IBM's page is not parsed into AOL's row.
    setStocks({"IBM", "MSFT"});
    server->setReply(QStringLiteral("/q"), page(400));
    swapFirstRowOnRequest();
    priceRun();
    EXPECT_EQ(targets(), QStringList({"/q?s=ibm&d=t", "/q?s=msft&d=t"}));
    EXPECT_EQ(parsedRows, QList<int>({1}));
    EXPECT_TRUE(frame.selectedNodes == QStringList({"MSFT"}));

    // The quote service's lines follow the symbols asked for: none is loaded.
    server->disconnect(run.get());
    server->clearRecords();
    setStocks({"IBM", "MSFT"});
    server->setReply(QStringLiteral("/d/quotes.csv"), QByteArray(200, 'x'));
    swapFirstRowOnRequest();
    run->UpdateFastPrices();
    EXPECT_EQ(targets(), QStringList({kQuotesRequest.arg("ibm,msft")}));
    EXPECT_EQ(loads, 0);
    EXPECT_FALSE(QFile::exists(cachePath("quotes_csv.txt")));
}

TEST(ClearStockNameTest, ResetsTheQuoteAndRatingButKeepsSymbolAlertsAndTheLastFourTexts)
{
    ResetProgramState();
    StockRec full;
    int k = 0;
    for (QString StockRec::*f :
         {&StockRec::Tag, &StockRec::Symbol, &StockRec::CompanyName, &StockRec::LastPrice, &StockRec::PctChange,
          &StockRec::Change, &StockRec::DayHigh, &StockRec::DayLow, &StockRec::Volume, &StockRec::Ask, &StockRec::Bid,
          &StockRec::LastTradeSize, &StockRec::PERatio, &StockRec::DivPerShare, &StockRec::OpenPrice,
          &StockRec::PrevClose, &StockRec::YearHigh, &StockRec::YearLow, &StockRec::EPS, &StockRec::Exchange,
          &StockRec::Industry, &StockRec::LastTradeTime, &StockRec::Field25, &StockRec::MarketCap,
          &StockRec::AvgVolume, &StockRec::DivDate, &StockRec::Yield})
        full.*f = QStringLiteral("v%1").arg(++k);
    full.AvgRecommendation = 2.5f;
    full.TargetLow = 10;
    full.TargetHigh = 20;
    Stocks()[7] = full;

    ClearStockName(7);

    StockRec expected = full;
    expected.CompanyName = QStringLiteral("No Current Stock");
    expected.AvgRecommendation = 0;
    for (QString StockRec::*f :
         {&StockRec::LastPrice, &StockRec::PctChange, &StockRec::Change, &StockRec::DayHigh, &StockRec::DayLow,
          &StockRec::Volume, &StockRec::Ask, &StockRec::Bid, &StockRec::LastTradeSize, &StockRec::PERatio,
          &StockRec::DivPerShare, &StockRec::OpenPrice, &StockRec::PrevClose, &StockRec::YearHigh,
          &StockRec::YearLow, &StockRec::EPS})
        expected.*f = QStringLiteral("0");
    for (QString StockRec::*f :
         {&StockRec::Tag, &StockRec::Exchange, &StockRec::Industry, &StockRec::LastTradeTime, &StockRec::Field25})
        expected.*f = QString();
    EXPECT_EQ(Stocks()[7], expected);

    const auto before = Stocks();
    ClearStockName(-1);
    ClearStockName(201);
    EXPECT_EQ(Stocks(), before);
    ResetProgramState();
}

} // namespace
