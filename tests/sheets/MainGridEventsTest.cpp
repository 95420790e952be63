// The main grid's mouse and key rules: the shared sort toggle, the copy keys, the
// popup per view, the header highlight, the link pointer and the column drag.
#include "RecordingEditingHost.h"
#include "SheetsFixture.h"

#include "sheets/MainGridEvents.h"
#include "stockdata/StockSets.h"
#include "stockdata/ProgramState.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

class MainGridEventsTest : public SheetsTest
{
protected:
    void SetUp() override
    {
        SheetsTest::SetUp();
        SortAsc() = 0;
        // Header row and 4 data rows, 6 columns, one fixed row and column.
        FlexGrid& g = grid();
        g.setRows(5);
        g.setCols(6);
        for (int c = 0; c < 6; ++c)
            g.setTextMatrix(0, c, QStringLiteral("H%1").arg(c));
        const QStringList names{"Delta", "alpha", "Charlie", "bravo"};
        for (int r = 1; r < 5; ++r) {
            g.setTextMatrix(r, 1, names[r - 1]);
            for (int c = 2; c < 6; ++c)
                g.setTextMatrix(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
        }
    }

    void pointAt(int row, int col)
    {
        grid().setMouseRow(row);
        grid().setMouseCol(col);
    }

    QStringList column(int col)
    {
        QStringList texts;
        for (int r = 1; r < grid().Rows(); ++r)
            texts << grid().TextMatrix(r, col);
        return texts;
    }

    test::RecordingEditingHost editing;
    StockSets sets;
    PopupActions popups{editing, sets};
    MainGridEvents events{grid(), popups};
};

TEST_F(MainGridEventsTest, DoubleClickSortsOnlyTheListedViewsAndTheOrderIsShared)
{
    grid().setCol(1);
    CurrentView() = QStringLiteral("ABS");
    events.FG_DblClick();
    EXPECT_EQ(SortAsc(), 0);
    EXPECT_EQ(column(1), QStringList({"Delta", "alpha", "Charlie", "bravo"}));

    CurrentView() = QStringLiteral("Current");
    events.FG_DblClick();
    EXPECT_EQ(SortAsc(), 1);
    EXPECT_EQ(column(1), QStringList({"alpha", "bravo", "Charlie", "Delta"}));

    // The next sort, in another sorting view (or another grid), goes the other way.
    CurrentView() = QStringLiteral("Put");
    MainGridEvents other(grid(), popups);
    other.FG_DblClick();
    EXPECT_EQ(SortAsc(), 2);
    EXPECT_EQ(column(1), QStringList({"Delta", "Charlie", "bravo", "alpha"}));

    for (const char* view : {"SUP", "QR", "IT", "BR", "Upgrade", "Downgrade", "Coverage", "Call"})
        EXPECT_TRUE(SortsOnDblClick(QLatin1String(view))) << view;
    for (const char* view : {"Port", "PortLog", "PortSelected", "", "current"})
        EXPECT_FALSE(SortsOnDblClick(QLatin1String(view))) << view;
}

TEST_F(MainGridEventsTest, AHiddenSpacerUnderTheHeaderKeepsItsPlace)
{
    FlexGrid& g = grid();
    g.setRows(1);
    g.AddItem(QString());
    g.setRowHeight(1, 0);
    for (const char* name : {"bravo", "Delta", "alpha"})
        g.AddItem(QStringLiteral("\t") + QLatin1String(name));
    g.setRow(3);
    g.setCol(1);
    g.setTopRow(2);
    CurrentView() = QStringLiteral("Current");
    for (const QStringList& expected :
         {QStringList({"", "alpha", "bravo", "Delta"}), QStringList({"", "Delta", "bravo", "alpha"})}) {
        events.FG_DblClick();
        EXPECT_EQ(column(1), expected);
        EXPECT_EQ(g.RowHeight(1), 0);
        EXPECT_EQ(g.FixedRows(), 1);
        EXPECT_EQ(g.Row(), 3);
        EXPECT_EQ(g.Col(), 1);
        EXPECT_EQ(g.TopRow(), 2);
        EXPECT_TRUE(g.Redraw());
    }

    // A row under the header that is shown, or holds text, is sorted like the others.
    g.setRowHeight(1, -1);
    events.FG_DblClick();
    EXPECT_EQ(column(1), QStringList({"", "alpha", "bravo", "Delta"}));
    events.FG_DblClick();
    EXPECT_EQ(column(1), QStringList({"Delta", "bravo", "alpha", ""}));
}

TEST_F(MainGridEventsTest, CtrlCCopiesAndCtrlASelectsWhateverElseIsHeld)
{
    struct Case
    {
        int key, shift;
        bool copies, selects;
    };
    const Case cases[] = {
        {67, 2, true, false}, {67, 3, true, false}, {67, 6, true, false}, {67, 0, false, false},
        {67, 1, false, false}, {86, 2, false, false}, {65, 2, false, true}, {65, 4, false, false},
    };
    for (const Case& c : cases) {
        grid().setRow(2);
        grid().setCol(1);
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        events.FG_KeyDown(c.key, c.shift);
        EXPECT_EQ(QGuiApplication::clipboard()->text() == QStringLiteral("alpha"), c.copies) << c.key << "/" << c.shift;
        const bool all = grid().Row() == 0 && grid().Col() == 0 && grid().RowSel() == 4 && grid().ColSel() == 5;
        EXPECT_EQ(all, c.selects) << c.key << "/" << c.shift;
    }
}

TEST_F(MainGridEventsTest, RightButtonAsksForThePopupOfTheViewAndTouchesNothing)
{
    grid().setRows(5);
    grid().setCols(11);
    grid().setTextMatrix(2, 10, QStringLiteral("7"));
    grid().setRow(2);
    pointAt(0, 3);

    CurrentView() = QStringLiteral("Port");
    auto popup = events.FG_MouseDown(2, 0, 600, 30);
    ASSERT_TRUE(popup.has_value());
    EXPECT_TRUE((*popup)[6].visible);
    EXPECT_TRUE((*popup)[6].enabled);
    EXPECT_FALSE((*popup)[7].visible);

    grid().setRow(3);  // a row without a purchase
    popup = events.FG_MouseDown(2, 0, 600, 30);
    ASSERT_TRUE(popup.has_value());
    EXPECT_FALSE((*popup)[6].enabled);

    CurrentView() = QStringLiteral("Current");
    EXPECT_TRUE(events.FG_MouseDown(2, 0, 0, 0).has_value());
    CurrentView() = QStringLiteral("PortLog");
    EXPECT_TRUE(events.FG_MouseDown(2, 0, 0, 0).has_value());
    CurrentView() = QStringLiteral("ABS");
    EXPECT_FALSE(events.FG_MouseDown(2, 0, 0, 0).has_value());

    // No header was recoloured, no drag armed, the current row kept.
    EXPECT_EQ(grid().Row(), 3);
    EXPECT_FALSE(events.DragArmed);
    grid().setRow(0);
    grid().setCol(3);
    EXPECT_EQ(grid().CellForeColor(), 0);
}

TEST_F(MainGridEventsTest, APressLeavesOnlyTheHeaderUnderThePointerBlue)
{
    for (int c = 0; c < 6; ++c) {
        grid().setRow(0);
        grid().setCol(c);
        grid().setCellForeColor(0xFF0000);
    }
    grid().setRow(3);
    grid().setCol(2);
    pointAt(3, 4);  // a data row

    EXPECT_FALSE(events.FG_MouseDown(1, 0, 0, 0).has_value());

    EXPECT_EQ(grid().Row(), 3);
    EXPECT_EQ(grid().Col(), 4);
    EXPECT_FALSE(events.DragArmed);  // not on the header row
    for (int c = 0; c < 6; ++c) {
        grid().setRow(0);
        grid().setCol(c);
        EXPECT_EQ(grid().CellForeColor(), c == 4 ? 0xFF0000 : 0) << c;
    }
}

TEST_F(MainGridEventsTest, AColumnDragStartsAfterFiftyTwipsWithTheLeftButtonOnTheHeader)
{
    struct Case
    {
        const char* what;
        const char* view;
        int fixedCols, pressCol, button, dx, dy, moveRow;
        bool armed, drags;
    };
    const Case cases[] = {
        {"50 twips", "Current", 1, 2, 1, 30, 20, 0, true, true},
        {"49 twips", "Current", 1, 2, 1, 30, 19, 0, true, false},
        {"backwards", "Port", 1, 2, 1, -50, 0, 0, true, true},
        {"right button", "Current", 1, 2, 2, 50, 0, 0, true, false},
        {"both buttons", "Current", 1, 2, 3, 50, 0, 0, true, false},
        {"off the header", "Current", 1, 2, 1, 50, 0, 1, true, false},
        {"fixed first column", "Current", 1, 0, 1, 50, 0, 0, false, false},
        {"first column not fixed", "Current", 0, 0, 1, 50, 0, 0, true, true},
        {"fund view", "F_Growth", 1, 2, 1, 80, 0, 0, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CurrentView() = QLatin1String(c.view);
        grid().endDrag();
        grid().setFixedCols(c.fixedCols);
        bar = RecordedSplitBar();
        DragCol() = 7;
        pointAt(0, c.pressCol);
        events.FG_MouseDown(1, 0, 1000.4, 100.6);
        EXPECT_EQ(events.DragArmed, c.armed);
        if (c.armed) {
            EXPECT_EQ(events.DragStartX, 1000);
            EXPECT_EQ(events.DragStartY, 101);
            EXPECT_EQ(bar.Left, grid().ColPos(c.pressCol) + 100);
            EXPECT_FALSE(bar.Visible);
        }
        pointAt(c.moveRow, 3);
        events.FG_MouseMove(c.button, 0, 1000 + c.dx, 101 + c.dy);
        EXPECT_EQ(grid().dragging(), c.drags);
        if (c.drags) {
            EXPECT_EQ(DragCol(), 3);
        }
        bar.Visible = true;
        events.FG_MouseUp(1, 0, 0, 0);
        EXPECT_FALSE(events.DragArmed);
        EXPECT_FALSE(bar.Visible);
    }
}

TEST_F(MainGridEventsTest, LinkPointerByViewAndColumn)
{
    struct Case
    {
        const char* view;
        QVector<int> mainCols;  // columns 0..9 with the pointer in the main window
        QVector<int> zoomCols;
    };
    const Case cases[] = {
        {"F_Growth", {0}, {0}},
        {"SUP", {0}, {0}},
        {"FMS1", {0}, {}},
        {"FMS2", {0}, {}},
        {"FMS0", {}, {}},   // the other splits calendars carry no link
        {"FMS3", {}, {}},
        {"BR", {1}, {1}},
        {"Upgrade", {1}, {1}},
        {"Downgrade", {1}, {1}},
        {"QR", {1}, {1}},
        {"IPO_News", {1}, {1}},
        {"IPO_Last", {1, 5, 6, 7, 8, 9}, {1, 5, 6, 7, 8, 9}},
        {"IPO_Gain", {1, 6, 7, 8, 9}, {1, 6, 7, 8, 9}},
        {"Put", {0, 5}, {0}},
        {"sup", {}, {}},
        {"ABS", {}, {}},
        {"IT", {2}, {2}},
        {"US", {2}, {2}},
        {"WINLOS", {1}, {1}},
        {"IPO_Price", {1, 5, 6, 7, 8, 9}, {1, 5, 6, 7, 8, 9}},
        {"Coverage", {1, 4}, {1, 4}},
        {"Call", {0, 5}, {0}},
        {"IPO_Loss", {1, 6, 7, 8, 9}, {1, 6, 7, 8, 9}},
        {"WM", {3, 7, 8, 9}, {3, 7, 8, 9}},
        {"IPO_Reg", {7}, {7}},
        {"IPO_With", {6}, {6}},
        {"Options", {1, 8}, {1, 8}},
        {"Current", {}, {}},
        {"Port", {}, {}},
    };
    for (const Case& c : cases) {
        for (int col = -1; col < 10; ++col) {
            EXPECT_EQ(LinkPointer(QLatin1String(c.view), col), c.mainCols.contains(col) ? 99 : 0) << c.view << col;
            EXPECT_EQ(LinkPointer(QLatin1String(c.view), col, GridWindow::Zoom), c.zoomCols.contains(col) ? 99 : 0)
                << c.view << col;
        }
    }

    // The pointer follows the column under it as the mouse moves.
    CurrentView() = QStringLiteral("Coverage");
    pointAt(2, 4);
    events.FG_MouseMove(0, 0, 0, 0);
    EXPECT_EQ(grid().MousePointer(), 99);
    pointAt(2, 3);
    events.FG_MouseMove(0, 0, 0, 0);
    EXPECT_EQ(grid().MousePointer(), 0);
}

TEST_F(MainGridEventsTest, StockRowIsSelectedAndScrolledOnlyWhenOutOfReach)
{
    FlexGrid& g = grid();
    g.setRows(2);
    g.setCols(3);
    for (int i = 0; i < 30; ++i)
        g.AddItem(QStringLiteral("\tName %1\tx").arg(i));
    Stocks()[0].Symbol = QStringLiteral("N5");
    Stocks()[0].CompanyName = QStringLiteral("Name 5");
    Stocks()[1].Symbol = QStringLiteral("N20");
    Stocks()[1].CompanyName = QStringLiteral("Name 20");
    StockCount() = 2;

    CurrentSymbol() = QStringLiteral("N5");  // row 7: within the seven rows from the top row 2
    g.setTopRow(2);
    ASSERT_TRUE(SelectStockRow(g));
    EXPECT_EQ(g.TopRow(), 2);
    EXPECT_EQ(g.Row(), 7);
    EXPECT_EQ(g.RowSel(), 7);
    EXPECT_EQ(g.Col(), 0);
    EXPECT_EQ(g.ColSel(), 1);

    CurrentSymbol() = QStringLiteral("N20");  // row 22: becomes the top row
    ASSERT_TRUE(SelectStockRow(g));
    EXPECT_EQ(g.TopRow(), 22);
    EXPECT_EQ(g.Row(), 22);

    CurrentSymbol() = QStringLiteral("N5");  // above the top row
    ASSERT_TRUE(SelectStockRow(g));
    EXPECT_EQ(g.TopRow(), 7);

    CurrentSymbol() = QStringLiteral("XX");
    EXPECT_FALSE(SelectStockRow(g));
    EXPECT_EQ(g.Row(), 7);
}

} // namespace
