// The holdings, per-symbol and log views drawn from a small portfolio.
#include "StockDataFixture.h"
#include "TestViews.h"

#include "platform/FlexGrid.h"
#include "platform/FlexGridView.h"
#include "stockdata/Portfolio.h"
#include "sheets/ViewEntries.h"
#include "stockdata/PortfolioViews.h"
#include "views/ViewHost.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <string>

namespace {

PortRec buy(const QString& symbol, std::int16_t shares, float price, float commission, const QString& now,
            std::int16_t lot)
{
    return PortRec{symbol, "1/2/03", price, shares, commission, now, "Buy", 0, lot};
}

PortRec sell(const QString& symbol, std::int16_t shares, float price, std::int16_t lot, double gain)
{
    return PortRec{symbol, "3/4/03", price, shares, 5, "12", "Sell", gain, lot};
}

QStringList rowTexts(const FlexGrid& g, int row)
{
    QStringList cells;
    for (int c = 0; c < g.Cols(); ++c)
        cells << g.TextMatrix(row, c);
    return cells;
}

} // namespace

class PortfolioViews : public StockDataTest
{
protected:
    FlexGrid& grid() { return *viewHost().mainGrid(); }

    // Writes the portfolio to its file: the views read the file, not memory.
    void store(const std::vector<std::pair<int, PortRec>>& rows)
    {
        Transactions().fill(PortRec());
        for (const auto& [row, rec] : rows)
            Transactions()[row] = rec;
        ASSERT_TRUE(SavePortfolio());
        Transactions().fill(PortRec());
    }
};

TEST_F(PortfolioViews, HoldingsRowTotalsAndGrandTotal)
{
    store({{1, buy("IBM", 100, 10, 15, "12", 1)}});
    FG_Portfolio_All(test::views());
    FlexGrid& g = grid();

    EXPECT_EQ(CurrentView(), "Port");
    EXPECT_EQ(ZoomGrid(), &g);
    ASSERT_EQ(g.Rows(), 5);
    EXPECT_EQ(rowTexts(g, 0), QStringList({"Symbol", "Date", "Qun.", "Cost", "Com.", "Total Cost", "Total Value",
                                           "% Gain", "$ Gain", "Current Price", ""}));
    EXPECT_EQ(g.RowHeight(1), 0);
    EXPECT_EQ(rowTexts(g, 2),
              QStringList({"IBM", "1/2/03", "100", "10", "15.00", "1015", "1200", "18.23", "185", "12", "1"}));
    EXPECT_EQ(rowTexts(g, 3), QStringList({"    Total:", "", "100", "", "", "1,015 $", "1,200 $", "18.23", "185 $",
                                           "12", ""}));
    EXPECT_EQ(rowTexts(g, 4), QStringList({"Pr/Loss:", "", "", "", "", "", "", "", "185", "", ""}));

    for (int c = 1; c <= 10; ++c) {
        EXPECT_EQ(g.cellFormat(3, c).backColor, PortColors::TotalRow) << c;
        EXPECT_TRUE(g.cellFormat(3, c).bold) << c;
        EXPECT_EQ(g.cellFormat(2, c).backColor, 0) << c;
    }
    for (int c = 1; c <= 9; ++c)
        EXPECT_EQ(g.effectiveAlignment(0, c), FlexGrid::flexAlignCenterCenter) << c;
    const FlexGrid::CellFormat grand = g.cellFormat(4, 8);
    EXPECT_EQ(grand.backColor, PortColors::Green);
    EXPECT_EQ(grand.alignment, FlexGrid::flexAlignCenterCenter);
    EXPECT_TRUE(grand.bold);
    EXPECT_EQ(g.ColWidth(10), 0);
    EXPECT_EQ(g.GridLines(), 0);
    EXPECT_TRUE(g.Redraw());
}

TEST_F(PortfolioViews, GrandTotalColourFollowsItsSign)
{
    struct Case
    {
        const char* now;
        const char* total;
        int back;
        int fore;
    };
    const Case cases[] = {
        {"8", "-215", PortColors::Red, PortColors::White},
        {"12", "185", PortColors::Green, PortColors::Black},
        {"10.15", "0", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.now);
        store({{1, buy("IBM", 100, 10, 15, c.now, 1)}});
        FG_Portfolio_All(test::views());
        FlexGrid& g = grid();
        const int last = g.Rows() - 1;
        EXPECT_EQ(g.TextMatrix(last, 8), c.total);
        EXPECT_EQ(g.cellFormat(last, 8).backColor, c.back);
        EXPECT_EQ(g.cellFormat(last, 8).foreColor, c.fore);
    }
    // With a loss the % gain is negative too: 800 * 100 / 1015 - 100.
    store({{1, buy("IBM", 100, 10, 15, "8", 1)}});
    FG_Portfolio_All(test::views());
    EXPECT_EQ(grid().TextMatrix(2, 7), "-21.18");
}

TEST_F(PortfolioViews, ZeroCostShowsZeroPercent)
{
    store({{1, buy("GIFT", 10, 0, 0, "5", 1)}});
    FG_Portfolio_All(test::views());
    EXPECT_EQ(rowTexts(grid(), 2),
              QStringList({"GIFT", "1/2/03", "10", "0", "0.00", "0", "50", "0", "50", "5", "1"}));
    EXPECT_EQ(grid().TextMatrix(3, 7), "0");
}

TEST_F(PortfolioViews, HoldingsGroupBySymbolAndLeaveOutSoldLots)
{
    store({
        {0, buy("IBM", 100, 10, 15, "12", 1)},     // sold out below
        {1, buy("AOL", 50, 20, 0, "22", 1 + 1)},   // partly sold: 30 left
        {2, buy("IBM", 10, 11, 0, "12", 3)},
        {4, sell("IBM", 100, 13, 1, 285)},
        {5, sell("AOL", 20, 21, 2, 15)},
        {70, buy("MSFT", 1, 50, 0, "60", 70)},      // beyond TransCount, still a holding
    });
    FG_Portfolio_All(test::views());
    FlexGrid& g = grid();
    ASSERT_EQ(g.Rows(), 9);
    EXPECT_EQ(rowTexts(g, 2),
              QStringList({"IBM", "1/2/03", "10", "11", "0.00", "110", "120", "9.09", "10", "12", "3"}));
    EXPECT_EQ(g.TextMatrix(3, 0), "    Total:");
    EXPECT_EQ(rowTexts(g, 4),
              QStringList({"AOL", "1/2/03", "30", "20", "0.00", "600", "660", "10", "60", "22", "2"}));
    EXPECT_EQ(g.TextMatrix(5, 0), "    Total:");
    EXPECT_EQ(g.TextMatrix(6, 0), "MSFT");
    EXPECT_EQ(g.TextMatrix(7, 8), "10 $");
    EXPECT_EQ(rowTexts(g, 8).at(8), "80");  // 10 + 60 + 10
}

TEST_F(PortfolioViews, PortSelectedMatchesSalesByLot)
{
    // The sale closes lot 3. Its stored gain happens to fit the purchase of lot 1
    // too; the lot, not the gain, decides which purchase it reduces.
    store({
        {1, buy("IBM", 100, 10, 15, "12", 11)},
        {3, buy("IBM", 50, 12, 0, "12", 13)},
        {5, sell("IBM", 20, 10, 13, 100)},
        {6, buy("AOL", 5, 1, 0, "2", 6)},
        {7, buy("IBM", 10, 9, 0, "12", 17)},  // sold out in two sales: not a holding
        {8, sell("IBM", 4, 10, 17, 0)},
        {9, sell("IBM", 6, 10, 17, 0)},
    });
    PortSymbols()[0] = "OLD";
    PortSelected(test::views(), "IBM");
    FlexGrid& g = grid();
    EXPECT_EQ(CurrentView(), "PortSelected");
    ASSERT_EQ(g.Rows(), 5);
    EXPECT_EQ(rowTexts(g, 2),
              QStringList({"IBM", "1/2/03", "100", "10", "15.00", "1015", "1200", "18.23", "185", "12", "1"}));
    EXPECT_EQ(rowTexts(g, 3),
              QStringList({"IBM", "1/2/03", "30", "12", "0.00", "360", "360", "0", "0", "12", "3"}));
    EXPECT_EQ(rowTexts(g, 4), QStringList({"    Total:", "", "130", "", "", "1,375 $", "1,560 $", "13.45",
                                           "185 $", "12", ""}));
    EXPECT_EQ(g.cellFormat(4, 5).backColor, PortColors::TotalRow);
    EXPECT_EQ(PortSymbols()[0], "IBM");
    EXPECT_EQ(PortSymbols()[1], "");

    PortSelected(test::views(), "NONE");
    EXPECT_EQ(grid().Rows(), 2);
    EXPECT_EQ(grid().TextMatrix(0, 0), "Symbol");
}

TEST_F(PortfolioViews, LogShowsSignedGainsAndTheirTotal)
{
    store({
        {1, buy("IBM", 100, 10, 15, "12", 1)},
        {2, sell("IBM", 10, 15, 1, RealisedGain(10, 15, 10, 5))},   // +45
        {4, sell("IBM", 20, 9, 1, RealisedGain(20, 9, 10, 5))},     // -25
        {99, buy("AOL", 1, 1.005f, 1.5f, "1", 99)},
    });
    FG_PortfolioLog(test::views());
    FlexGrid& g = grid();
    EXPECT_EQ(CurrentView(), "PortLog");
    ASSERT_EQ(g.Rows(), 7);
    EXPECT_EQ(rowTexts(g, 0), QStringList({"Symbol", "Action", "Date", "Qun.", "Cost", "Com.", "Gain", "", ""}));
    EXPECT_EQ(rowTexts(g, 2), QStringList({"IBM", "Buy", "1/2/03", "100", "10", "15.00", "0.00", "1", "1"}));
    EXPECT_EQ(rowTexts(g, 3), QStringList({"IBM", "Sell", "3/4/03", "10", "15", "5.00", "45.00", "1", "2"}));
    EXPECT_EQ(rowTexts(g, 4), QStringList({"IBM", "Sell", "3/4/03", "20", "9", "5.00", "-25.00", "1", "4"}));
    EXPECT_EQ(rowTexts(g, 5), QStringList({"AOL", "Buy", "1/2/03", "1", "1", "1.50", "0.00", "99", "99"}));
    EXPECT_EQ(rowTexts(g, 6), QStringList({"  =Total", "", "", "", "", "", "20 $", "", ""}));
    for (int c = 1; c <= 6; ++c) {
        EXPECT_EQ(g.cellFormat(6, c).backColor, PortColors::TotalRow) << c;
        EXPECT_TRUE(g.cellFormat(6, c).bold) << c;
    }
    EXPECT_EQ(g.cellFormat(6, 7).backColor, 0);
    EXPECT_EQ(g.ColAlignment(5), FlexGrid::flexAlignRightCenter);
    EXPECT_EQ(g.ColAlignment(6), FlexGrid::flexAlignRightCenter);
}

namespace {

// Views drawn into a grid shown by a view of its own.
class ShownGridHost : public ViewHost
{
public:
    FlexGrid grid;
    FlexGrid* mainGrid() override { return &grid; }
    FlexGrid* newZoomGrid() override { return nullptr; }
    void showZoom(FlexGrid*) override {}
};

} // namespace

TEST_F(PortfolioViews, ColumnsAreAtLeastAsWideAsTheirTextsInTheFontInUse)
{
    PortRec dated = buy("IBM", 100, 10, 15, "12", 1);
    dated.TransDate = "12/10/2024";
    store({{1, dated}, {2, sell("IBM", 10, 15, 1, RealisedGain(10, 15, 10, 5))}});
    ShownGridHost host;
    installViewHost(&host);
    FlexGridView view;
    view.resize(600, 300);
    view.setGrid(&host.grid);

    struct Case
    {
        const char* view;
        std::function<void()> draw;
        QVector<int> percents;  // the widths the view gives as shares of the grid
    };
    const Case cases[] = {
        {"Port", [] { FG_Portfolio_All(test::views()); }, {9, 10, 6, 8, 6, 13, 13, 10, 10, 12, 0}},
        {"PortSelected", [] { PortSelected(test::views(), "IBM"); }, {9, 10, 6, 8, 6, 13, 13, 10, 10, 12, 0}},
        {"PortLog", [] { FG_PortfolioLog(test::views()); }, {12, 10, 15, 12, 12, 12, 15, 0, 0}},
    };
    // A small font keeps the shares; a large one makes every text wider than its
    // share, whatever the machine's fonts are.
    for (int pixels : {6, 40}) {
        QFont font = view.font();
        font.setPixelSize(pixels);
        view.setFont(font);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.view) + " at " + std::to_string(pixels) + " pixels");
            c.draw();
            const FlexGrid& g = host.grid;
            ASSERT_EQ(g.Cols(), c.percents.size());
            bool widened = false;
            for (int col = 0; col < g.Cols(); ++col) {
                const int share = qRound(c.percents[col] * g.Width() / 100.0);
                if (share == 0) {
                    EXPECT_EQ(view.columnPixelWidth(col), 0) << col;  // hidden columns stay hidden
                    continue;
                }
                int widest = 0;
                for (int row = 0; row < g.Rows(); ++row) {
                    if (g.RowHeight(row) == 0)
                        continue;
                    QFont inUse = view.font();
                    inUse.setBold(g.cellFormat(row, col).bold);
                    const int advance = QFontMetrics(inUse).horizontalAdvance(g.TextMatrix(row, col));
                    widest = std::max(widest, advance);
                    EXPECT_GE(view.columnPixelWidth(col), advance)
                        << "row " << row << ", column " << col << ": " << g.TextMatrix(row, col).toStdString();
                }
                // Never narrower than its share, and exactly its share where the texts fit.
                EXPECT_GE(g.ColWidth(col), share) << col;
                if ((widest + 2 * FlexGrid::CellTextMargin + 1) * FlexGrid::TwipsPerPixel <= share) {
                    EXPECT_EQ(g.ColWidth(col), share) << col;
                }
                widened = widened || g.ColWidth(col) > share;
            }
            if (pixels == 40) {
                EXPECT_TRUE(widened);
            }
        }
    }
    // The texts the issue names, in the holdings view.
    FG_Portfolio_All(test::views());
    const QFontMetrics metrics(view.font());
    EXPECT_EQ(host.grid.TextMatrix(2, 1), "12/10/2024");
    EXPECT_GE(view.columnPixelWidth(1), metrics.horizontalAdvance("12/10/2024"));
    EXPECT_EQ(host.grid.TextMatrix(0, 9), "Current Price");
    EXPECT_GE(view.columnPixelWidth(9), metrics.horizontalAdvance("Current Price"));
    installViewHost(nullptr);
}

TEST_F(PortfolioViews, EmptyPortfolio)
{
    FG_Portfolio_All(test::views());
    ASSERT_EQ(grid().Rows(), 3);
    EXPECT_EQ(grid().TextMatrix(2, 0), "Pr/Loss:");
    EXPECT_EQ(grid().TextMatrix(2, 8), "0");

    FG_PortfolioLog(test::views());
    ASSERT_EQ(grid().Rows(), 3);
    EXPECT_EQ(grid().TextMatrix(2, 0), "  =Total");
    EXPECT_EQ(grid().TextMatrix(2, 6), "0 $");
}

TEST_F(PortfolioViews, ZoomModeDrawsIntoANewShownWindow)
{
    store({{1, buy("IBM", 100, 10, 15, "12", 1)}});
    FG_PortfolioLog(test::views());  // the main grid shows the log
    const int mainRows = grid().Rows();

    ZoomMode() = true;
    FG_Portfolio_All(test::views());
    EXPECT_FALSE(ZoomMode());
    EXPECT_EQ(CurrentView(), "Port");
    ASSERT_NE(ZoomGrid(), nullptr);
    ASSERT_NE(ZoomGrid(), &grid());
    EXPECT_EQ(ZoomGrid()->TextMatrix(2, 5), "1015");
    EXPECT_EQ(grid().Rows(), mainRows);
    EXPECT_EQ(grid().TextMatrix(0, 1), "Action");  // the main grid still holds the log

    // The zoom window is on screen and its grid view shows the grid drawn into.
    QWidget* zoom = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        for (FlexGridView* view : w->findChildren<FlexGridView*>())
            if (view->grid() == ZoomGrid())
                zoom = w;
    ASSERT_NE(zoom, nullptr);
    EXPECT_TRUE(zoom->isVisible());
    EXPECT_EQ(zoom->objectName(), "Zoom");

    // A second zoom opens another window.
    FlexGrid* first = ZoomGrid();
    ZoomMode() = true;
    FG_PortfolioLog(test::views());
    EXPECT_NE(ZoomGrid(), first);
    EXPECT_EQ(ZoomGrid()->TextMatrix(2, 0), "IBM");
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "Zoom")
            w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ZoomGrid(), nullptr);  // a closed zoom window leaves no dangling grid behind
}

TEST_F(PortfolioViews, UpdatePortfolioRowRedrawsTheOpenHoldings)
{
    store({{1, buy("IBM", 100, 10, 15, "12", 1)}});
    FG_Portfolio_All(test::views());
    UpdatePortfolioRow("", "", 0, 0, "", 0, "13", 0, 0, 1);
    EXPECT_EQ(grid().TextMatrix(2, 9), "13");
    EXPECT_EQ(grid().TextMatrix(2, 6), "1300");
}

TEST(AddPortSymbol, FillsTheFirstFreeEntryAndStopsWhenFull)
{
    PortSymbols().fill(QString());
    PortSymbols()[0] = "A";
    PortSymbols()[2] = "C";
    AddPortSymbol("B");
    EXPECT_EQ(PortSymbols()[1], "B");
    PortSymbols().fill("X");
    AddPortSymbol("Y");
    EXPECT_EQ(std::count(PortSymbols().begin(), PortSymbols().end(), QString("Y")), 0);
    PortSymbols().fill(QString());
}
