// The runner: the only road from a builder to the screen. Rows of this file's own
// drive it, so each rule shows without a real page.
#include "SheetsFixture.h"

#include "pages/PageText.h"
#include "platform/RuntimeError.h"
#include "sheets/ViewRunner.h"
#include "stockdata/Portfolio.h"
#include "stockdata/ProgramState.h"

#include <QCursor>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTimer>

#include <functional>
#include <stdexcept>

namespace {

// Builders are plain functions: the test's builders run whatever these hold.
std::function<void(const ViewContext&, FlexGrid&)> g_build;
std::function<void(const ViewContext&, FlexGrid&)> g_paintLoading;

void fakeBuilder(const ViewContext& ctx, FlexGrid& grid)
{
    g_build(ctx, grid);
}

void fakeLoading(const ViewContext& ctx, FlexGrid& grid)
{
    g_paintLoading(ctx, grid);
}

ViewRow fakeRow(const QString& code, bool zoomAware = true)
{
    ViewRow row;
    row.code = code;
    row.scope = ViewScope::PerStock;
    row.builder = fakeBuilder;
    row.cachePages = {"_fake.Sh"};
    row.zoomAware = zoomAware;
    return row;
}

// What a view draws: a header, then "<code> row" rows.
void drawRows(FlexGrid& grid, const QString& code, int rows)
{
    grid.setRedraw(false);
    grid.Clear();
    grid.setRows(1);
    grid.setCols(3);
    grid.setTextMatrix(0, 0, code);
    for (int r = 0; r < rows; ++r)
        grid.AddItem(code + QStringLiteral(" row\t") + QString::number(r));
    grid.setRedraw(true);
}

} // namespace

class ViewRunnerTest : public SheetsTest
{
protected:
    void SetUp() override
    {
        SheetsTest::SetUp();
        selectAcme(9000, false);
        // What the previous view left on screen.
        drawRows(grid(), "Before", 3);
        g_build = nullptr;
        g_paintLoading = nullptr;
    }

    void TearDown() override
    {
        g_build = nullptr;
        g_paintLoading = nullptr;
        SheetsTest::TearDown();
    }

    QString errorLog() const { return QString::fromLatin1(fileBytes("ErrorLog.txt")); }

    ViewRunner runner{host};
};

TEST_F(ViewRunnerTest, AFilledViewIsSwappedInWithOneResetAndNoCellSignals)
{
    grid().setColWidth(2, 777);
    grid().setColAlignment(2, FlexGrid::flexAlignRightCenter);
    bool sawOldScreen = false;
    bool hourglass = false;
    ViewContext seen;
    g_build = [&](const ViewContext& ctx, FlexGrid& g) {
        seen = ctx;
        // The builder draws into a copy of the grid on screen, which stays as it
        // is until the fill is done.
        EXPECT_NE(&g, &grid());
        sawOldScreen = grid().TextMatrix(0, 0) == "Before";
        // A builder that locks its grid locks its copy.
        g.setUpdatesLocked(true);
        hourglass = QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        drawRows(g, "Fake", 40);
        for (int r = 1; r < g.Rows(); ++r) {
            g.setRow(r);
            g.setCol(1);
            g.setCellFontBold(true);
        }
        // Clear keeps the widths and alignments of the grid on screen.
        EXPECT_EQ(g.ColWidth(2), 777);
        EXPECT_EQ(g.ColAlignment(2), FlexGrid::flexAlignRightCenter);
        EXPECT_EQ(g.Width(), 9000);
    };
    QSignalSpy resets(&grid(), &QAbstractItemModel::modelReset);
    QSignalSpy changes(&grid(), &QAbstractItemModel::dataChanged);
    QSignalSpy inserts(&grid(), &QAbstractItemModel::rowsInserted);
    QSignalSpy shown(&runner, &ViewRunner::viewShown);

    EXPECT_TRUE(runner.show(fakeRow("Fake")));

    EXPECT_EQ(resets.size(), 1);
    EXPECT_EQ(changes.size(), 0);
    EXPECT_EQ(inserts.size(), 0);
    EXPECT_TRUE(sawOldScreen);
    EXPECT_TRUE(hourglass);
    EXPECT_EQ(grid().Rows(), 41);
    EXPECT_EQ(grid().TextMatrix(40, 0), "Fake row");
    EXPECT_TRUE(grid().cellFormat(40, 1).bold);
    EXPECT_EQ(CurrentView(), "Fake");
    EXPECT_EQ(ZoomGrid(), &grid());
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.front().front().toString(), "Fake");
    EXPECT_FALSE(grid().isUpdatesLocked());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // What the builder was given.
    EXPECT_EQ(seen.code, "Fake");
    EXPECT_EQ(seen.symbol, "ACME");
    EXPECT_EQ(seen.companyName, "Acme Widgets");
    EXPECT_EQ(seen.setRow, 0);
    EXPECT_EQ(seen.stdRowHeight, 300);
    EXPECT_EQ(seen.appPath, AppPath());
    EXPECT_EQ(seen.pagePath, path("Cache/DataSheet/ACME_fake.Sh"));
    EXPECT_EQ(seen.stocks, &Stocks());
}

TEST_F(ViewRunnerTest, EachFailureShowsItsMessageAndNothingTheBuilderWrote)
{
    const QString standard = "Tradewright do not have additional information for Acme Widgets";
    struct Case
    {
        const char* name;
        std::function<void()> fail;
        OtherErrorPolicy policy;
        QString shown;
    };
    const auto standardRows = OtherErrorPolicy::StandardMessage;
    const auto blankRows = OtherErrorPolicy::Blank;
    const Case cases[] = {
        {"own message", [] { throw ViewError::message("No splits were found"); }, blankRows, "No splits were found"},
        {"blank", [] { throw ViewError::blank(); }, standardRows, ""},
        {"error 5", [] { throw ViewError::number(5); }, blankRows, standard},
        {"error 53", [] { throw ViewError::number(53); }, blankRows, standard},
        {"missing marker", [] { FindText(FindText(1, "page", "<table"), "page", "</table"); }, blankRows, standard},
        {"negative cut", [] { CutText("page", 2, -3); }, blankRows, standard},
        {"run-time error 5", [] { throw RuntimeError::make(5); }, blankRows, standard},
        {"overflow, standard rows", [] { throw ViewError::number(6); }, standardRows, standard},
        {"overflow, blank rows", [] { throw ViewError::number(6); }, blankRows, ""},
        {"grid index", [] { FlexGrid g; g.TextMatrix(9, 9); }, blankRows, ""},
        {"any exception, standard rows", [] { throw std::runtime_error("odd"); }, standardRows, standard},
        {"any exception, blank rows", [] { throw std::runtime_error("odd"); }, blankRows, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        drawRows(grid(), "Before", 3);
        g_build = [&](const ViewContext&, FlexGrid& g) {
            drawRows(g, "Half", 5);
            c.fail();
        };
        ViewRow row = fakeRow("Fake");
        row.otherErrors = c.policy;
        CurrentView() = "Before";
        runner.show(row);

        EXPECT_EQ(CurrentView(), "Fake");
        ASSERT_EQ(grid().Rows(), 1);
        EXPECT_EQ(grid().TextMatrix(0, 0), c.shown);
        EXPECT_EQ(grid().RowHeight(0), 900);
        EXPECT_EQ(grid().GridLines(), 0);
        EXPECT_FALSE(grid().isUpdatesLocked());
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    EXPECT_TRUE(host.zooms.empty());
    // View failures are no errors of the program: nothing goes to the mailed log.
    EXPECT_EQ(errorLog(), "");
}

TEST_F(ViewRunnerTest, AnUntouchedViewLeavesTheGridAsItWas)
{
    g_build = [](const ViewContext&, FlexGrid& g) {
        drawRows(g, "Half", 2);
        throw ViewError::untouched();
    };
    QSignalSpy resets(&grid(), &QAbstractItemModel::modelReset);
    runner.show(fakeRow("NoSymbol"));
    EXPECT_EQ(CurrentView(), "NoSymbol");
    EXPECT_EQ(resets.size(), 0);
    EXPECT_EQ(grid().Rows(), 4);
    EXPECT_EQ(grid().TextMatrix(0, 0), "Before");
}

TEST_F(ViewRunnerTest, ZoomModeOpensOneWindowOnSuccessAndNoneOnFailure)
{
    g_build = [](const ViewContext& ctx, FlexGrid& g) { drawRows(g, ctx.code, 2); };

    ZoomMode() = true;
    runner.show(fakeRow("Zoomed"));
    ASSERT_EQ(host.zooms.size(), 1u);
    FlexGrid* zoom = host.zooms.front().get();
    EXPECT_EQ(host.shown, std::vector<FlexGrid*>{zoom});
    EXPECT_EQ(zoom->TextMatrix(0, 0), "Zoomed");
    EXPECT_EQ(ZoomGrid(), zoom);
    EXPECT_FALSE(ZoomMode());
    EXPECT_EQ(grid().TextMatrix(0, 0), "Before");

    // A failing zoom shows its message in the main grid and no window.
    g_build = [](const ViewContext&, FlexGrid& g) {
        drawRows(g, "Half", 2);
        throw ViewError::number(5);
    };
    ZoomMode() = true;
    runner.show(fakeRow("Zoomed"));
    EXPECT_EQ(host.zooms.size(), 2u);   // made, never shown
    EXPECT_EQ(host.shown.size(), 1u);
    EXPECT_FALSE(ZoomMode());
    EXPECT_EQ(ZoomGrid(), zoom);
    EXPECT_EQ(grid().TextMatrix(0, 0), "Tradewright do not have additional information for Acme Widgets");
    EXPECT_TRUE(host.zooms.back()->TextMatrix(0, 0).isEmpty());

    // The next view draws into the main grid again.
    g_build = [](const ViewContext& ctx, FlexGrid& g) { drawRows(g, ctx.code, 2); };
    runner.show(fakeRow("Again"));
    EXPECT_EQ(grid().TextMatrix(0, 0), "Again");
    EXPECT_EQ(host.zooms.size(), 2u);
}

TEST_F(ViewRunnerTest, AViewThatIsNotZoomAwareDrawsIntoTheMainGridAndLeavesZoomMode)
{
    g_build = [](const ViewContext& ctx, FlexGrid& g) { drawRows(g, ctx.code, 2); };
    QPointer<FlexGrid> before = ZoomGrid();
    ZoomMode() = true;
    runner.show(fakeRow("Earnings", false));
    EXPECT_TRUE(host.zooms.empty());
    EXPECT_TRUE(ZoomMode());
    EXPECT_EQ(ZoomGrid(), before);
    EXPECT_EQ(grid().TextMatrix(0, 0), "Earnings");

    g_build = [](const ViewContext&, FlexGrid&) { throw ViewError::number(53); };
    runner.show(fakeRow("Earnings", false));
    EXPECT_TRUE(ZoomMode());
    EXPECT_TRUE(host.zooms.empty());
    ZoomMode() = false;
}

TEST_F(ViewRunnerTest, StateIsRestoredAfterAThrow)
{
    ViewRow row = fakeRow("Throws");
    g_build = [](const ViewContext&, FlexGrid& g) {
        g.setUpdatesLocked(true);
        throw 42;
    };
    ZoomMode() = true;
    runner.show(row);
    EXPECT_FALSE(ZoomMode());
    EXPECT_FALSE(grid().isUpdatesLocked());
    for (const auto& zoom : host.zooms)
        EXPECT_FALSE(zoom->isUpdatesLocked());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(ViewRunner::filling());
    EXPECT_EQ(grid().Rows(), 1);

    // A view that leaves the pointer alone shows no hourglass and restores none.
    row.leavesPointer = true;
    bool hourglass = true;
    g_build = [&](const ViewContext&, FlexGrid&) {
        hourglass = QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        throw ViewError::blank();
    };
    QGuiApplication::setOverrideCursor(QCursor(Qt::PointingHandCursor));
    runner.show(row);
    EXPECT_FALSE(hourglass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
    QGuiApplication::restoreOverrideCursor();
}

TEST_F(ViewRunnerTest, AViewAskedForDuringAFillRunsAfterItAndTheLatestWins)
{
    QStringList calls;
    bool inFill = false;
    bool nested = false;
    g_build = [&](const ViewContext& ctx, FlexGrid& g) {
        nested = nested || inFill;
        inFill = true;
        calls << ctx.code;
        if (ctx.code == "First") {
            // Two clicks handled in the event pass after the page was read.
            QTimer::singleShot(0, [&] {
                EXPECT_TRUE(runner.show(fakeRow("Second")));
                EXPECT_TRUE(runner.show(fakeRow("Third")));
            });
            ctx.eventPass();
            EXPECT_EQ(CurrentView(), "First");
        }
        drawRows(g, ctx.code, 1);
        inFill = false;
    };
    QSignalSpy shown(&runner, &ViewRunner::viewShown);
    runner.show(fakeRow("First"));
    EXPECT_EQ(calls, QStringList({"First", "Third"}));
    EXPECT_FALSE(nested);
    EXPECT_EQ(CurrentView(), "Third");
    EXPECT_EQ(grid().TextMatrix(0, 0), "Third");
    EXPECT_EQ(shown.size(), 2);
    EXPECT_FALSE(ViewRunner::filling());
}

TEST_F(ViewRunnerTest, AZoomAskedForDuringAFillOpensItsWindowAfterIt)
{
    g_build = [&](const ViewContext& ctx, FlexGrid& g) {
        if (ctx.code == "Main") {
            QTimer::singleShot(0, [&] {
                ZoomMode() = true;
                runner.show(fakeRow("Zoomed"));
            });
            ctx.eventPass();
        }
        drawRows(g, ctx.code, 1);
    };
    runner.show(fakeRow("Main"));
    EXPECT_EQ(grid().TextMatrix(0, 0), "Main");
    ASSERT_EQ(host.zooms.size(), 1u);
    EXPECT_EQ(host.zooms.front()->TextMatrix(0, 0), "Zoomed");
    EXPECT_EQ(host.shown.size(), 1u);
    EXPECT_FALSE(ZoomMode());
}

TEST_F(ViewRunnerTest, TheLoadingStateIsOnScreenBeforeTheFill)
{
    g_paintLoading = [](const ViewContext&, FlexGrid& g) {
        g.setRows(3);
        g.setTextMatrix(1, 0, "Loading Calls, please wait..");
    };
    QString onScreen;
    QString inCopy;
    g_build = [&](const ViewContext&, FlexGrid& g) {
        onScreen = grid().TextMatrix(1, 0);
        inCopy = g.TextMatrix(1, 0);
        g.setTextMatrix(1, 0, "ACME Calls");
    };
    ViewRow row = fakeRow("Call");
    row.loading = fakeLoading;
    QSignalSpy resets(&grid(), &QAbstractItemModel::modelReset);
    QSignalSpy changes(&grid(), &QAbstractItemModel::dataChanged);
    runner.show(row);
    EXPECT_EQ(onScreen, "Loading Calls, please wait..");
    EXPECT_EQ(inCopy, "Loading Calls, please wait..");
    EXPECT_EQ(grid().TextMatrix(1, 0), "ACME Calls");
    EXPECT_EQ(resets.size(), 2);
    EXPECT_EQ(changes.size(), 0);
}

TEST_F(ViewRunnerTest, CodesWithoutARowOrBuilderDoNothing)
{
    CurrentView() = "Before";
    QSignalSpy resets(&grid(), &QAbstractItemModel::modelReset);
    EXPECT_FALSE(runner.show("NoSuchView"));
    EXPECT_FALSE(runner.show("current"));  // codes compare case-sensitively
    ViewRow unbuilt = *findView("WM");  // a row whose builder is still to come
    unbuilt.builder = nullptr;
    EXPECT_FALSE(runner.show(unbuilt));
    EXPECT_EQ(CurrentView(), "Before");
    EXPECT_EQ(resets.size(), 0);
}

TEST_F(ViewRunnerTest, TheQuotesViewFillsWithOneResetAndItsLayout)
{
    for (int i = 0; i < 30; ++i) {
        Stocks()[i].Symbol = QStringLiteral("S%1").arg(i);
        Stocks()[i].CompanyName = QStringLiteral("Company %1").arg(i);
        Stocks()[i].LastPrice = "10.50";
        Stocks()[i].PctChange = i % 2 ? "+1%" : "-1%";
        Stocks()[i].Volume = "1000";
        Stocks()[i].Exchange = "NYSE";
    }
    StockCount() = 30;
    LayOut()[2] = {"Volume", 0, 2, 2};
    QSignalSpy resets(&grid(), &QAbstractItemModel::modelReset);
    QSignalSpy changes(&grid(), &QAbstractItemModel::dataChanged);
    EXPECT_TRUE(runner.show("Current"));
    EXPECT_EQ(resets.size(), 1);
    EXPECT_EQ(changes.size(), 0);
    EXPECT_EQ(grid().TextMatrix(0, 2), "Volume");
    EXPECT_EQ(grid().TextMatrix(31, 1), "Company 29");
}

TEST_F(ViewRunnerTest, RedrawIfShownRedrawsOnlyTheViewOnScreenWithItsKey)
{
    Transactions()[1] = PortRec{"IBM", "1/2/03", 10, 100, 15, "12", "Buy", 0, 1};
    Transactions()[2] = PortRec{"AOL", "1/2/03", 1, 5, 0, "2", "Buy", 0, 2};
    ASSERT_TRUE(SavePortfolio());
    runner.show("PortSelected", "AOL");
    EXPECT_EQ(grid().TextMatrix(2, 0), "AOL");

    Transactions()[2].PriceText = "3";
    ASSERT_TRUE(SavePortfolio());
    runner.redrawIfShown("Port");
    EXPECT_EQ(grid().TextMatrix(2, 9), "2");
    runner.redrawIfShown("PortSelected");
    EXPECT_EQ(grid().TextMatrix(2, 0), "AOL");
    EXPECT_EQ(grid().TextMatrix(2, 9), "3");
}
