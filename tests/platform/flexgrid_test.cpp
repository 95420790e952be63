#include "platform/FlexGrid.h"

#include <QColor>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A grid of rows x cols whose cell (r, c) reads "r,c".
void fill(FlexGrid& g, int rows, int cols)
{
    g.setRows(rows);
    g.setCols(cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            g.setTextMatrix(r, c, QString("%1,%2").arg(r).arg(c));
}

QStringList column(const FlexGrid& g, int col)
{
    QStringList out;
    for (int r = 0; r < g.Rows(); ++r)
        out << g.TextMatrix(r, col);
    return out;
}

} // namespace

TEST(FlexGrid, DefaultsAreThoseOfTheControl)
{
    FlexGrid g;
    EXPECT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.Cols(), 2);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.FixedCols(), 1);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.RowHeight(0), FlexGrid::DefaultRowHeight);
    EXPECT_EQ(g.ColWidth(1), FlexGrid::DefaultColWidth);
    EXPECT_EQ(g.ColAlignment(0), FlexGrid::flexAlignGeneral);
    EXPECT_EQ(g.Width(), 9000);
    EXPECT_TRUE(g.Redraw());
    EXPECT_EQ(g.TextMatrix(1, 1), "");
}

TEST(FlexGrid, EveryOutOfRangeIndexRaisesGridRangeError)
{
    const std::vector<std::pair<const char*, std::function<void(FlexGrid&)>>> cases = {
        {"TextMatrix row -1", [](FlexGrid& g) { g.TextMatrix(-1, 0); }},
        {"TextMatrix row = Rows", [](FlexGrid& g) { g.TextMatrix(3, 0); }},
        {"TextMatrix col = Cols", [](FlexGrid& g) { g.setTextMatrix(0, 4, "x"); }},
        {"TextArray past the end", [](FlexGrid& g) { g.setTextArray(12, "x"); }},
        {"Row", [](FlexGrid& g) { g.setRow(3); }},
        {"Col", [](FlexGrid& g) { g.setCol(-1); }},
        {"RowSel", [](FlexGrid& g) { g.setRowSel(7); }},
        {"ColSel", [](FlexGrid& g) { g.setColSel(4); }},
        {"TopRow", [](FlexGrid& g) { g.setTopRow(3); }},
        {"RowHeight get", [](FlexGrid& g) { g.RowHeight(3); }},
        {"RowHeight set", [](FlexGrid& g) { g.setRowHeight(-1, 100); }},
        {"ColWidth", [](FlexGrid& g) { g.setColWidth(4, 100); }},
        {"ColAlignment", [](FlexGrid& g) { g.setColAlignment(4, 1); }},
        {"ColPos", [](FlexGrid& g) { g.ColPos(4); }},
        {"ColPosition target", [](FlexGrid& g) { g.setColPosition(0, 4); }},
        {"cellFormat", [](FlexGrid& g) { g.cellFormat(0, 9); }},
        {"Rows below FixedRows", [](FlexGrid& g) { g.setRows(0); }},
        {"Cols below FixedCols", [](FlexGrid& g) { g.setCols(0); }},
        {"Rows far too many", [](FlexGrid& g) { g.setRows(FlexGrid::MaxRows + 1); }},
    };
    for (const auto& [name, call] : cases) {
        FlexGrid g;
        g.setRows(3);
        g.setCols(4);
        try {
            call(g);
            ADD_FAILURE() << name << ": no error";
        } catch (const GridRangeError& e) {
            EXPECT_EQ(e.number(), 381) << name;
        }
    }
}

TEST(FlexGrid, GrowingAndShrinkingKeepsWhatRemains)
{
    FlexGrid g;
    fill(g, 4, 3);
    g.setRow(2);
    g.setCol(1);
    g.setCellFontBold(true);
    g.setRowHeight(2, 500);
    g.setColWidth(1, 1500);
    g.setColAlignment(1, 7);

    g.setRows(6);
    g.setCols(5);
    EXPECT_EQ(g.TextMatrix(3, 2), "3,2");
    EXPECT_TRUE(g.cellFormat(2, 1).bold);
    EXPECT_EQ(g.RowHeight(2), 500);
    EXPECT_EQ(g.ColWidth(1), 1500);
    EXPECT_EQ(g.ColAlignment(1), 7);
    // New rows and columns come empty, with the default sizes.
    EXPECT_EQ(g.TextMatrix(5, 4), "");
    EXPECT_EQ(g.RowHeight(5), FlexGrid::DefaultRowHeight);
    EXPECT_EQ(g.ColWidth(4), FlexGrid::DefaultColWidth);
    EXPECT_EQ(g.ColAlignment(4), FlexGrid::flexAlignGeneral);
    EXPECT_TRUE(g.cellFormat(4, 1).isDefault());

    // Shrinking drops rows for good; growing again brings empty ones.
    g.setRows(2);
    g.setRows(4);
    EXPECT_EQ(g.TextMatrix(1, 1), "1,1");
    EXPECT_EQ(g.TextMatrix(2, 1), "");
    EXPECT_TRUE(g.cellFormat(2, 1).isDefault());
    EXPECT_EQ(g.RowHeight(2), FlexGrid::DefaultRowHeight);
    // The current cell stayed inside the grid while it was small.
    EXPECT_EQ(g.Row(), 1);
}

TEST(FlexGrid, ClearEmptiesCellsButKeepsTheLayout)
{
    FlexGrid g;
    fill(g, 3, 3);
    g.setRow(1);
    g.setCol(2);
    g.setCellPicture("UP");
    g.setCellBackColor(0x00FF00);
    g.setCellAlignment(4);
    g.setRowHeight(0, 720);
    g.setColWidth(2, 3000);
    g.setColAlignment(2, 1);

    g.Clear();
    EXPECT_EQ(g.Rows(), 3);
    EXPECT_EQ(g.Cols(), 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(g.TextMatrix(r, c), "");
            EXPECT_TRUE(g.cellFormat(r, c).isDefault());
        }
    EXPECT_EQ(g.RowHeight(0), 720);
    EXPECT_EQ(g.ColWidth(2), 3000);
    EXPECT_EQ(g.ColAlignment(2), 1);
}

TEST(FlexGrid, AddItemSplitsAtTabs)
{
    struct Case {
        QString text;
        QStringList cells;
    };
    const Case cases[] = {
        {"a\tb\tc", {"a", "b", "c"}},
        {"a\tb\tc\td\te", {"a", "b", "c"}},   // surplus dropped
        {"a", {"a", "", ""}},                 // missing items empty
        {"", {"", "", ""}},                   // an empty row
        {"\t\tz", {"", "", "z"}},
    };
    for (const Case& k : cases) {
        FlexGrid g;
        g.setCols(3);
        g.AddItem(k.text);
        ASSERT_EQ(g.Rows(), 3) << k.text.toStdString();
        QStringList got;
        for (int c = 0; c < 3; ++c)
            got << g.TextMatrix(2, c);
        EXPECT_EQ(got, k.cells) << k.text.toStdString();
        EXPECT_EQ(g.RowHeight(2), FlexGrid::DefaultRowHeight);
    }
}

TEST(FlexGrid, TextArrayAddressesRowTimesColsPlusCol)
{
    FlexGrid g;
    g.setCols(5);
    g.setTextArray(0, "h0");
    g.setTextArray(5, "r1c0");
    g.setTextArray(9, "r1c4");
    EXPECT_EQ(g.TextMatrix(0, 0), "h0");
    EXPECT_EQ(g.TextMatrix(1, 0), "r1c0");
    EXPECT_EQ(g.TextMatrix(1, 4), "r1c4");
    EXPECT_EQ(g.TextArray(9), "r1c4");
}

TEST(FlexGrid, SettingRowOrColCollapsesTheSelection)
{
    FlexGrid g;
    fill(g, 5, 4);
    g.setRow(1);
    g.setCol(1);
    g.setRowSel(4);
    g.setColSel(3);
    g.setRow(2);
    EXPECT_EQ(g.RowSel(), 2);
    EXPECT_EQ(g.ColSel(), 3);
    g.setCol(0);
    EXPECT_EQ(g.ColSel(), 0);
}

TEST(FlexGrid, CellPropertiesWriteTheCurrentCellOnly)
{
    FlexGrid g;
    fill(g, 3, 3);
    g.setRow(2);
    g.setCol(1);
    g.setCellForeColor(0xFF0000);
    g.setCellFontUnderline(true);
    g.setCellTextStyle(3);
    g.setCellFontWidth(4);
    g.setCellPicture("DN");
    g.setCellPictureAlignment(4);
    const FlexGrid::CellFormat f = g.cellFormat(2, 1);
    EXPECT_EQ(f.foreColor, 0xFF0000);
    EXPECT_TRUE(f.underline);
    EXPECT_EQ(f.textStyle, 3);
    EXPECT_EQ(f.fontWidth, 4);
    EXPECT_EQ(f.picture, "DN");
    EXPECT_EQ(f.pictureAlignment, 4);
    EXPECT_TRUE(g.cellFormat(2, 0).isDefault());
    EXPECT_TRUE(g.cellFormat(1, 1).isDefault());
    // A cell without its own alignment uses its column's.
    g.setColAlignment(0, 7);
    EXPECT_EQ(g.effectiveAlignment(2, 0), 7);
    g.setCol(0);
    g.setCellAlignment(4);
    EXPECT_EQ(g.effectiveAlignment(2, 0), 4);
}

TEST(FlexGrid, GenericSortNumbersThenTextsStableWholeRows)
{
    FlexGrid g;
    g.setCols(3);
    g.setRows(1);
    g.setTextMatrix(0, 1, "Header");
    const char* rows[][2] = {{"10", "a"}, {"abc", "b"}, {"9", "c"}, {"ABD", "d"}, {"2.5", "e"},
                             {"x", "f"},  {"1,000", "g"}, {"X", "h"}, {"9", "i"}};
    for (auto& r : rows)
        g.AddItem(QString("\t%1\t%2").arg(r[0], r[1]));
    // Formats and heights travel with their row.
    g.setRow(3);   // "9" / "c"
    g.setCol(2);
    g.setCellFontBold(true);
    g.setRowHeight(3, 480);

    g.setCol(1);
    g.setSort(FlexGrid::flexSortGenericAscending);
    EXPECT_EQ(column(g, 1),
              QStringList({"Header", "2.5", "9", "9", "10", "1,000", "abc", "ABD", "x", "X"}));
    EXPECT_EQ(column(g, 2), QStringList({"", "e", "c", "i", "a", "g", "b", "d", "f", "h"}));
    EXPECT_TRUE(g.cellFormat(2, 2).bold);
    EXPECT_EQ(g.RowHeight(2), 480);
    EXPECT_EQ(g.RowHeight(3), FlexGrid::DefaultRowHeight);

    g.setSort(FlexGrid::flexSortGenericDescending);
    EXPECT_EQ(column(g, 1),
              QStringList({"Header", "x", "X", "ABD", "abc", "1,000", "10", "9", "9", "2.5"}));
    // Equal keys keep their order in both directions.
    EXPECT_EQ(column(g, 2), QStringList({"", "f", "h", "d", "b", "g", "a", "c", "i", "e"}));
}

TEST(FlexGrid, SortWithTooFewRowsChangesNothing)
{
    FlexGrid g;
    g.setRows(2);
    g.setTextMatrix(1, 1, "only");
    g.setSort(FlexGrid::flexSortGenericAscending);
    EXPECT_EQ(g.TextMatrix(1, 1), "only");
    EXPECT_THROW(g.setSort(9), RuntimeError);
}

TEST(FlexGrid, ColPositionMovesTheWholeColumn)
{
    FlexGrid g;
    fill(g, 3, 4);
    g.setColWidth(1, 1111);
    g.setColAlignment(1, 7);
    g.setRow(2);
    g.setCol(1);
    g.setCellFontBold(true);

    g.setColPosition(1, 3);
    QStringList header;
    for (int c = 0; c < 4; ++c)
        header << g.TextMatrix(0, c);
    EXPECT_EQ(header, QStringList({"0,0", "0,2", "0,3", "0,1"}));
    EXPECT_EQ(g.ColWidth(3), 1111);
    EXPECT_EQ(g.ColAlignment(3), 7);
    EXPECT_EQ(g.ColWidth(1), FlexGrid::DefaultColWidth);
    EXPECT_TRUE(g.cellFormat(2, 3).bold);
    EXPECT_FALSE(g.cellFormat(2, 1).bold);

    g.setColPosition(3, 1);   // and back
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(g.TextMatrix(1, c), QString("1,%1").arg(c));
}

TEST(FlexGrid, ColPosIsTheLeftEdgeInTwips)
{
    FlexGrid g;
    g.setCols(4);
    g.setColWidth(0, 300);
    g.setColWidth(1, 1000);
    g.setColWidth(2, 0);
    EXPECT_EQ(g.ColPos(0), 0);
    EXPECT_EQ(g.ColPos(1), 300);
    EXPECT_EQ(g.ColPos(3), 1300);
}

TEST(FlexGrid, ClipJoinsCellsByTabAndRowsByCr)
{
    FlexGrid g;
    fill(g, 4, 3);
    g.setRow(3);
    g.setCol(2);
    g.setRowSel(1);   // selected upwards and leftwards
    g.setColSel(1);
    EXPECT_EQ(g.Clip(), "1,1\t1,2\r2,1\t2,2\r3,1\t3,2");
    g.setRow(0);
    g.setCol(0);
    EXPECT_EQ(g.Clip(), "0,0");
}

TEST(FlexGrid, RedrawOffBatchesIntoOneReset)
{
    FlexGrid g;
    QSignalSpy resets(&g, &QAbstractItemModel::modelReset);
    QSignalSpy changes(&g, &QAbstractItemModel::dataChanged);
    QSignalSpy inserts(&g, &QAbstractItemModel::rowsInserted);
    QSignalSpy sizes(&g, &FlexGrid::sizesReset);
    QSignalSpy widths(&g, &FlexGrid::colWidthChanged);

    g.setRedraw(false);
    g.Clear();
    g.setRows(50);
    g.setCols(6);
    for (int r = 0; r < 50; ++r)
        g.setTextMatrix(r, 1, "x");
    g.AddItem("a\tb");
    g.setColWidth(2, 100);
    g.setColPosition(1, 2);
    g.setSort(1);
    EXPECT_EQ(resets.count() + changes.count() + inserts.count() + sizes.count() + widths.count(), 0);

    g.setRedraw(true);
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(sizes.count(), 1);
    EXPECT_EQ(changes.count(), 0);

    // With redraw on, one cell write is one change.
    g.setTextMatrix(3, 3, "y");
    EXPECT_EQ(changes.count(), 1);

    // A batch that only rewrites cells (the header highlight of every press)
    // keeps the shape: one change over the grid, no reset.
    g.setRedraw(false);
    for (int c = 0; c < g.Cols(); ++c) {
        g.setRow(0);
        g.setCol(c);
        g.setCellForeColor(0);
    }
    g.setRedraw(true);
    EXPECT_EQ(resets.count(), 1);
    ASSERT_EQ(changes.count(), 2);
    EXPECT_EQ(changes[1][0].value<QModelIndex>(), g.index(0, 0));
    EXPECT_EQ(changes[1][1].value<QModelIndex>(), g.index(g.Rows() - 1, g.Cols() - 1));
}

TEST(FlexGrid, UpdateLockIsCountedAndReleasedOnScopeExit)
{
    FlexGrid g;
    QSignalSpy spy(&g, &FlexGrid::updatesLockedChanged);
    {
        auto outer = g.updatesLocked();
        {
            FlexGrid::UpdateLock inner(&g);
            EXPECT_TRUE(g.isUpdatesLocked());
        }
        EXPECT_TRUE(g.isUpdatesLocked());
    }
    EXPECT_FALSE(g.isUpdatesLocked());
    EXPECT_EQ(spy.count(), 2);   // locked once, released once
}

TEST(FlexGrid, ColoursAreBgr)
{
    EXPECT_EQ(FlexGrid::toQColor(0xFF0000).value<QColor>(), QColor(0, 0, 255));
    EXPECT_EQ(FlexGrid::toQColor(0x0000FF).value<QColor>(), QColor(255, 0, 0));
    EXPECT_FALSE(FlexGrid::toQColor(0).isValid());
    EXPECT_TRUE(FlexGrid::toQColor(FlexGrid::WindowBackground).isValid());
}

TEST(FlexGrid, AssignFromTakesTheWholeGridInOneReset)
{
    FlexGrid source;
    fill(source, 5, 4);
    source.setFixedCols(0);
    source.setRowHeight(3, 0);
    source.setColWidth(2, 1234);
    source.setColAlignment(1, FlexGrid::flexAlignRightCenter);
    source.setRow(2);
    source.setCol(3);
    source.setCellFontBold(true);
    source.setCellPicture(FlexGrid::PictureUp);
    source.setRowSel(4);
    source.setTopRow(3);
    source.setBackColor(0xFFFFFF);
    source.setGridLines(0);
    source.setMousePointer(99);
    source.setWidth(5000);

    FlexGrid shown;
    fill(shown, 9, 7);
    shown.setWidth(8000);
    shown.setMouseRow(4);
    QSignalSpy resets(&shown, &QAbstractItemModel::modelReset);
    QSignalSpy changes(&shown, &QAbstractItemModel::dataChanged);
    QSignalSpy inserts(&shown, &QAbstractItemModel::rowsInserted);
    QSignalSpy removals(&shown, &QAbstractItemModel::rowsRemoved);
    QSignalSpy sizes(&shown, &FlexGrid::sizesReset);
    QSignalSpy looks(&shown, &FlexGrid::appearanceChanged);
    QSignalSpy cursor(&shown, &FlexGrid::currentCellChanged);
    QSignalSpy pointer(&shown, &FlexGrid::mousePointerChanged);

    shown.assignFrom(source);

    EXPECT_EQ(resets.size(), 1);
    EXPECT_EQ(changes.size(), 0);
    EXPECT_EQ(inserts.size() + removals.size(), 0);
    EXPECT_EQ(sizes.size(), 1);
    EXPECT_EQ(looks.size(), 1);
    EXPECT_EQ(cursor.size(), 1);
    EXPECT_EQ(pointer.size(), 1);

    EXPECT_EQ(shown.Rows(), 5);
    EXPECT_EQ(shown.Cols(), 4);
    EXPECT_EQ(column(shown, 3), column(source, 3));
    EXPECT_EQ(shown.FixedCols(), 0);
    EXPECT_EQ(shown.RowHeight(3), 0);
    EXPECT_EQ(shown.ColWidth(2), 1234);
    EXPECT_EQ(shown.ColAlignment(1), FlexGrid::flexAlignRightCenter);
    EXPECT_EQ(shown.cellFormat(2, 3), source.cellFormat(2, 3));
    EXPECT_EQ(shown.Row(), 2);
    EXPECT_EQ(shown.Col(), 3);
    EXPECT_EQ(shown.RowSel(), 4);
    EXPECT_EQ(shown.TopRow(), 3);
    EXPECT_EQ(shown.BackColor(), 0xFFFFFF);
    EXPECT_EQ(shown.GridLines(), 0);
    EXPECT_EQ(shown.MousePointer(), 99);
    // What the widget owns stays the shown grid's.
    EXPECT_EQ(shown.Width(), 8000);
    EXPECT_EQ(shown.MouseRow(), 4);

    // With Redraw off the reset is owed until it comes back on.
    FlexGrid quiet;
    quiet.setRedraw(false);
    QSignalSpy quietResets(&quiet, &QAbstractItemModel::modelReset);
    quiet.assignFrom(source);
    EXPECT_EQ(quietResets.size(), 0);
    quiet.setRedraw(true);
    EXPECT_EQ(quietResets.size(), 1);
    EXPECT_EQ(quiet.TextMatrix(4, 3), "4,3");
}

TEST(FlexGrid, ClearingACopyLeavesTheGridItWasCopiedFrom)
{
    FlexGrid source;
    fill(source, 4, 3);
    source.setRowHeight(2, 0);
    source.setRow(1);
    source.setCol(1);
    source.setCellBackColor(0xFF);

    FlexGrid copy;
    copy.assignFrom(source);
    copy.Clear();
    EXPECT_EQ(copy.Rows(), 4);
    EXPECT_EQ(copy.TextMatrix(3, 2), "");
    EXPECT_TRUE(copy.cellFormat(1, 1).isDefault());
    EXPECT_EQ(copy.RowHeight(2), 0);

    EXPECT_EQ(source.TextMatrix(3, 2), "3,2");
    EXPECT_EQ(source.cellFormat(1, 1).backColor, 0xFF);

    // And writing into the copy never reaches the source.
    copy.assignFrom(source);
    copy.setTextMatrix(0, 0, "new");
    copy.AddItem("added");
    EXPECT_EQ(source.TextMatrix(0, 0), "0,0");
    EXPECT_EQ(source.Rows(), 4);
    copy.assignFrom(source);
    copy.setRows(2);
    copy.AddItem("again");
    EXPECT_EQ(copy.TextMatrix(1, 2), "1,2");
    EXPECT_EQ(copy.TextMatrix(2, 0), "again");
    EXPECT_EQ(source.Rows(), 4);
    EXPECT_EQ(source.TextMatrix(2, 0), "2,0");
}

// Grids made and formatted in turn keep each its own formats: a format met in one
// grid stands for nothing in another, and a grid emptied by Clear starts afresh.
TEST(FlexGrid, FormatsOfGridsFormattedInTurnStayTheirOwn)
{
    FlexGrid a, b;
    fill(a, 3, 3);
    fill(b, 3, 3);
    const auto format = [](FlexGrid& g, int row, int col, const std::function<void(FlexGrid&)>& set) {
        g.setRow(row);
        g.setCol(col);
        set(g);
    };
    const auto bold = [](FlexGrid& g) { g.setCellFontBold(true); };
    const auto blue = [](FlexGrid& g) { g.setCellForeColor(0xFF0000); };
    const auto underline = [](FlexGrid& g) { g.setCellFontUnderline(true); };
    format(a, 1, 1, bold);
    format(b, 1, 1, underline);
    format(b, 1, 1, blue);
    format(b, 2, 2, bold);
    format(a, 2, 1, underline);
    format(a, 2, 1, blue);
    b.Clear();
    format(b, 1, 2, blue);
    format(a, 1, 2, bold);

    struct Case { FlexGrid* grid; int row, col; bool bold, underline; int fore; };
    const Case cases[] = {
        {&a, 1, 1, true, false, 0},        {&a, 2, 1, false, true, 0xFF0000}, {&a, 1, 2, true, false, 0},
        {&a, 2, 2, false, false, 0},       {&b, 1, 1, false, false, 0},       {&b, 2, 2, false, false, 0},
        {&b, 1, 2, false, false, 0xFF0000}, {&b, 2, 1, false, false, 0},
    };
    for (const Case& c : cases) {
        const FlexGrid::CellFormat f = c.grid->cellFormat(c.row, c.col);
        SCOPED_TRACE(QString("%1 %2,%3").arg(c.grid == &a ? "a" : "b").arg(c.row).arg(c.col).toStdString());
        EXPECT_EQ(f.bold, c.bold);
        EXPECT_EQ(f.underline, c.underline);
        EXPECT_EQ(f.foreColor, c.fore);
    }
}

// AddItem with a row inserts there: the rows from it on move down with their texts,
// formats, heights and RowData.
TEST(FlexGrid, AddItemAtARowInsertsThere)
{
    for (const int at : {0, 1, 2}) {
        FlexGrid g;
        fill(g, 3, 3);
        g.setRow(1);
        g.setCol(2);
        g.setCellFontBold(true);
        g.setRowHeight(1, 480);
        g.setRowData(1, 7);
        g.AddItem("x\ty", at);
        SCOPED_TRACE(at);
        ASSERT_EQ(g.Rows(), 4);
        EXPECT_EQ(column(g, 0)[at], "x");
        EXPECT_EQ(column(g, 1)[at], "y");
        EXPECT_EQ(column(g, 2)[at], "");
        const int moved = at <= 1 ? 2 : 1;  // where row 1 went
        EXPECT_EQ(g.TextMatrix(moved, 2), "1,2");
        EXPECT_TRUE(g.cellFormat(moved, 2).bold);
        EXPECT_EQ(g.RowHeight(moved), 480);
        EXPECT_EQ(g.RowData(moved), 7);
        EXPECT_TRUE(g.cellFormat(at, 2).isDefault());
        EXPECT_EQ(g.RowHeight(at), FlexGrid::DefaultRowHeight);
        EXPECT_EQ(g.RowData(at), 0);
        EXPECT_EQ(g.TextMatrix(3, 0), "2,0");
    }
}
