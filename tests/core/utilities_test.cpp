#include "core/Utilities.h"

#include "platform/FlexGrid.h"

#include <gtest/gtest.h>

namespace {

QVector<int> widths(const FlexGrid& g)
{
    QVector<int> out;
    for (int c = 0; c < g.Cols(); ++c)
        out << g.ColWidth(c);
    return out;
}

} // namespace

TEST(Utilities, SetColWidthsArePercentOfTheGridWidth)
{
    FlexGrid g;
    g.setCols(5);
    g.setWidth(9000);
    SetColWidths(g, {25, 12, 27, 20, 12});
    EXPECT_EQ(widths(g), QVector<int>({2250, 1080, 2430, 1800, 1080}));
}

TEST(Utilities, SetColWidthsRoundsHalfToEven)
{
    struct Case {
        int width;
        QVariant percent;
        int expected;
    };
    const Case cases[] = {
        {50, 1, 0},        // 0.5
        {50, 3, 2},        // 1.5
        {50, 5, 2},        // 2.5
        {50, 7, 4},        // 3.5
        {1000, 33.33, 333},
        {1000, "12", 120}, // a number in text form is still a number
    };
    for (const Case& k : cases) {
        FlexGrid g;
        g.setWidth(k.width);
        SetColWidths(g, {k.percent});
        EXPECT_EQ(g.ColWidth(0), k.expected) << k.width << " " << k.percent.toString().toStdString();
    }
}

TEST(Utilities, FailingStepsAreSkipped)
{
    FlexGrid g;
    g.setCols(3);
    g.setWidth(1000);
    // Longer than the grid: the extra columns are skipped silently.
    SetColWidths(g, {10, 20, 30, 40, 50});
    EXPECT_EQ(widths(g), QVector<int>({100, 200, 300}));
    // A list built from index 1: index 0 is missing, column 0 keeps its width.
    SetColWidths(g, {QVariant(), 50, 60});
    EXPECT_EQ(widths(g), QVector<int>({100, 500, 600}));
    // An element that is no number fails alone; the next one still runs.
    SetColWidths(g, {"wide", 70, -5});
    EXPECT_EQ(widths(g), QVector<int>({100, 700, 600}));
}

TEST(Utilities, SetColAlignBothVariants)
{
    for (auto* routine : {&SetColAlign, &SetColAlign2}) {
        FlexGrid g;
        g.setCols(5);
        routine(g, {QVariant(), 4, "7", 40000, 1, 3});
        EXPECT_EQ(g.ColAlignment(0), FlexGrid::flexAlignGeneral);   // index 0 missing
        EXPECT_EQ(g.ColAlignment(1), 4);
        EXPECT_EQ(g.ColAlignment(2), 7);
        EXPECT_EQ(g.ColAlignment(3), FlexGrid::flexAlignGeneral);   // 40000 overflows 16 bits
        EXPECT_EQ(g.ColAlignment(4), 1);
    }
}

TEST(Utilities, SetHeadersSpillIntoTheNextRow)
{
    FlexGrid g;
    g.setCols(5);
    g.setRows(2);
    SetHeaders(g, {"Symbol", "Last", "Change", "Volume", "Time", "Extra", QVariant(1.5)});
    EXPECT_EQ(g.TextMatrix(0, 0), "Symbol");
    EXPECT_EQ(g.TextMatrix(0, 4), "Time");
    EXPECT_EQ(g.TextMatrix(1, 0), "Extra");
    EXPECT_EQ(g.TextMatrix(1, 1), "1.5");
    // Beyond the last row: skipped, nothing raised.
    EXPECT_NO_THROW(SetHeaders(g, QVariantList(12, "x")));
    EXPECT_EQ(g.TextMatrix(1, 4), "x");
}

TEST(Utilities, SetHeadersFromIndexOneLeavesColumnZero)
{
    FlexGrid g;
    g.setCols(3);
    g.setTextMatrix(0, 0, "keep");
    SetHeaders(g, {QVariant(), "B", "C"});
    EXPECT_EQ(g.TextMatrix(0, 0), "keep");
    EXPECT_EQ(g.TextMatrix(0, 2), "C");
}

TEST(Utilities, MarkRowsUnderlinesInBlue)
{
    FlexGrid g;
    g.setRows(5);
    g.setCols(3);
    g.setTextMatrix(2, 1, "IBM");
    MarkRows(g, 1, 3, 1);
    for (int r = 1; r <= 3; ++r) {
        EXPECT_TRUE(g.cellFormat(r, 1).underline) << r;
        EXPECT_EQ(g.cellFormat(r, 1).foreColor, 0xFF0000) << r;
    }
    EXPECT_TRUE(g.cellFormat(4, 1).isDefault());
    EXPECT_TRUE(g.cellFormat(2, 2).isDefault());
    EXPECT_EQ(g.TextMatrix(2, 1), "IBM");

    FlexGrid h;
    h.setRows(5);
    MarkRows(h, 3, 1, 1);
    for (int r = 0; r < 5; ++r)
        EXPECT_TRUE(h.cellFormat(r, 1).isDefault()) << r;
}

TEST(Utilities, SetCellFillsAndStylesOneCell)
{
    FlexGrid g;
    g.setRows(4);
    g.setCols(4);
    MarkRows(g, 2, 2, 3);
    SetCell(g, 2, 3, "12.5", 7, true, false, 0x0000FF, 0xC0FFC0);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(g.TextMatrix(2, 3), "12.5");
    const FlexGrid::CellFormat f = g.cellFormat(2, 3);
    EXPECT_EQ(f.alignment, 7);
    EXPECT_TRUE(f.bold);
    EXPECT_FALSE(f.underline);   // cleared although MarkRows marked it
    EXPECT_EQ(f.foreColor, 0x0000FF);
    EXPECT_EQ(f.backColor, 0xC0FFC0);
}

TEST(Utilities, SetCellOutsideTheGridStylesTheCurrentCellLikeTheControl)
{
    FlexGrid g;
    g.setRows(3);
    g.setCols(3);
    g.setRow(1);
    g.setCol(1);
    // Column 9 does not exist: the moves and the text fail, the styling steps
    // still run on the cell that stays current.
    EXPECT_NO_THROW(SetCell(g, 2, 9, "x", 4, true, false, 0, 0));
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_TRUE(g.cellFormat(2, 1).bold);
    EXPECT_EQ(g.TextMatrix(2, 1), "");
}
