// The layout file, column drops and the small routines on the main grid.
#include "SheetsFixture.h"

#include "stockdata/ProgramState.h"
#include "views/ViewContract.h"
#include "views/ViewHost.h"

#include "TestDoubles.h"
#include "platform/AppPath.h"

#include <QClipboard>
#include <QGuiApplication>

#include <cerrno>

namespace {

const QString kLayoutFile = QStringLiteral("LayOut.dat");

// A grid of 1 fixed row and column with headers H0..H<cols-1> and cells "r,c".
void fillGrid(FlexGrid& g, int rows, int cols)
{
    g.setRows(rows);
    g.setCols(cols);
    for (int c = 0; c < cols; ++c) {
        g.setTextMatrix(0, c, QStringLiteral("H%1").arg(c));
        for (int r = 1; r < rows; ++r)
            g.setTextMatrix(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
    }
}

QByteArray le16(int v)
{
    return QByteArray(1, char(v & 0xFF)) + QByteArray(1, char((v >> 8) & 0xFF));
}

QByteArray le32(qint32 v)
{
    return le16(v & 0xFFFF) + le16((quint32(v) >> 16) & 0xFFFF);
}

QByteArray entryBytes(const QByteArray& caption, int flag, qint32 pos1, qint32 pos2)
{
    return le16(caption.size()) + caption + le16(flag) + le32(pos1) + le32(pos2);
}

} // namespace

class GridLayout : public SheetsTest
{
protected:
    void SetUp() override
    {
        SheetsTest::SetUp();
        // The layout is the quotes view's; the drops below happen there.
        CurrentView() = QStringLiteral("Current");
    }
};

// ---- LayOut.dat ----------------------------------------------------------------

TEST_F(GridLayout, LayoutFileBytesAndRoundTrip)
{
    // An empty table is 21 entries of 12 zero bytes.
    ASSERT_TRUE(SaveLayout());
    EXPECT_EQ(fileBytes(kLayoutFile), QByteArray(21 * 12, '\0'));

    LayOut()[1] = {"Companey", 0, 1, 1};
    LayOut()[2] = {"Volume", 7, 2, -2};
    LayOut()[20] = {"Last Update", 0, 20, 20};
    ASSERT_TRUE(SaveLayout());
    const QByteArray expected = QByteArray(12, '\0') + entryBytes("Companey", 0, 1, 1) + entryBytes("Volume", 7, 2, -2)
                                + QByteArray(17 * 12, '\0') + entryBytes("Last Update", 0, 20, 20);
    EXPECT_EQ(fileBytes(kLayoutFile), expected);

    const auto saved = LayOut();
    LayOut().fill(LayoutRec{"stale", 1, 1, 1});
    ASSERT_TRUE(LoadLayout());
    EXPECT_EQ(LayOut(), saved);
}

TEST_F(GridLayout, MissingLayoutFileIsCreatedEmpty)
{
    LayOut()[3] = {"stale", 0, 3, 3};
    EXPECT_TRUE(LoadLayout());
    EXPECT_EQ(LayOut(), std::remove_reference_t<decltype(LayOut())>{});
    EXPECT_EQ(fileBytes(kLayoutFile), QByteArray(21 * 12, '\0'));
}

TEST_F(GridLayout, DamagedLayoutFileReadsAsFarAsItIsWhole)
{
    const QByteArray first = entryBytes("", 0, 0, 0);
    const QByteArray second = entryBytes("Volume", 0, 2, 2);
    struct Case { const char* name; QByteArray file; QString caption2; QString caption3; };
    const Case cases[] = {
        {"cut inside an entry", first + second + entryBytes("Bid", 0, 3, 3).left(9), "Volume", ""},
        {"cut inside a caption", first + second + le16(3) + "Bi", "Volume", ""},
        {"length beyond the end", first + second + le16(0xFFFF) + "Bid", "Volume", ""},
        {"only a length byte", first + second + QByteArray(1, '\x05'), "Volume", ""},
        {"tail behind the table",
         first + second + entryBytes("Bid", 0, 3, 3) + QByteArray(18 * 12, '\0') + QByteArray("junk\xff\xff", 6),
         "Volume", "Bid"},
        {"empty file", QByteArray(), "", ""},
    };
    for (const Case& c : cases) {
        writeFile(kLayoutFile, c.file);
        LayOut().fill(LayoutRec{"stale", 1, 1, 1});
        EXPECT_TRUE(LoadLayout()) << c.name;
        EXPECT_EQ(LayOut()[1].Caption, c.caption2) << c.name;
        EXPECT_EQ(LayOut()[2].Caption, c.caption3) << c.name;
        EXPECT_EQ(LayOut()[20], LayoutRec()) << c.name;
    }
}

// ---- dropping a header ---------------------------------------------------------

TEST_F(GridLayout, DropMovesTheColumnRecordsAndSaves)
{
    FlexGrid& g = grid();
    fillGrid(g, 3, 5);
    g.setColWidth(4, 777);
    bar.Visible = true;
    DragCol() = 4;
    g.setMouseRow(0);
    g.setMouseCol(1);

    FG_DragDrop(nullptr, 0, 0);

    EXPECT_FALSE(bar.Visible);
    EXPECT_EQ(rowTexts(g, 0), QStringList({"H0", "H4", "H1", "H2", "H3"}));
    EXPECT_EQ(rowTexts(g, 2), QStringList({"2,0", "2,4", "2,1", "2,2", "2,3"}));
    EXPECT_EQ(g.ColWidth(1), 777);
    EXPECT_EQ(LayOut()[0], LayoutRec());
    EXPECT_EQ(LayOut()[1], (LayoutRec{"H4", 0, 1, 1}));
    EXPECT_EQ(LayOut()[4], (LayoutRec{"H3", 0, 4, 4}));
    EXPECT_EQ(LayOut()[5], LayoutRec());
    EXPECT_EQ(fileBytes(kLayoutFile), QByteArray(12, '\0') + entryBytes("H4", 0, 1, 1) + entryBytes("H1", 0, 2, 2)
                                          + entryBytes("H2", 0, 3, 3) + entryBytes("H3", 0, 4, 4)
                                          + QByteArray(16 * 12, '\0'));
}

TEST_F(GridLayout, ALayoutThatCannotBeWrittenIsToldOnceKeptAndWrittenByTheNextDrop)
{
    FlexGrid& g = grid();
    fillGrid(g, 3, 5);
    g.setMouseRow(0);
    ASSERT_TRUE(SaveLayout());
    const QByteArray before = fileBytes(kLayoutFile);
    test::dialogs().reset();

    // A full disk: two drops, one message naming the file, the order kept in memory.
    SetWriteFailure(path(""), ENOSPC);
    for (int from : {4, 3}) {
        DragCol() = from;
        g.setMouseCol(1);
        FG_DragDrop(nullptr, 0, 0);
    }
    SetWriteFailure(path(""), 0);
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_TRUE(test::dialogs().shown[0].prompt.contains(path(kLayoutFile))) << test::dialogs().shown[0].prompt.toStdString();
    EXPECT_EQ(fileBytes(kLayoutFile), before);
    EXPECT_EQ(LayOut()[1], (LayoutRec{"H2", 0, 1, 1}));
    EXPECT_EQ(LayOut()[2], (LayoutRec{"H4", 0, 2, 2}));

    DragCol() = 2;
    g.setMouseCol(1);
    FG_DragDrop(nullptr, 0, 0);
    EXPECT_EQ(test::dialogs().shown.size(), 1);
    const auto dropped = LayOut();
    EXPECT_EQ(dropped[1], (LayoutRec{"H4", 0, 1, 1}));
    LayOut().fill(LayoutRec());
    ASSERT_TRUE(LoadLayout());
    EXPECT_EQ(LayOut(), dropped);
    test::dialogs().reset();
}

TEST_F(GridLayout, DropInAnotherViewMovesTheColumnButKeepsTheQuotesLayout)
{
    FlexGrid& g = grid();
    fillGrid(g, 3, 5);
    LayOut()[1] = LayoutRec{"Last", 0, 3, 3};
    ASSERT_TRUE(SaveLayout());
    const QByteArray saved = fileBytes(kLayoutFile);
    for (const char* view : {"IT", "Port", "current"}) {
        CurrentView() = QLatin1String(view);
        DragCol() = 4;
        g.setMouseRow(0);
        g.setMouseCol(1);
        FG_DragDrop(nullptr, 0, 0);
        EXPECT_EQ(g.TextMatrix(0, 1), QStringLiteral("H4")) << view;
        EXPECT_EQ(LayOut()[1], (LayoutRec{"Last", 0, 3, 3})) << view;
        EXPECT_EQ(fileBytes(kLayoutFile), saved) << view;
        fillGrid(g, 3, 5);
    }
}

TEST_F(GridLayout, DropKeepsFlagsAndEntriesBeyondTheGrid)
{
    FlexGrid& g = grid();
    fillGrid(g, 2, 3);
    LayOut()[1] = {"old", 9, 5, 5};
    LayOut()[7] = {"Volume", 0, 7, 7};
    DragCol() = 2;
    g.setMouseRow(0);
    g.setMouseCol(1);
    FG_DragDrop(nullptr, 0, 0);
    EXPECT_EQ(LayOut()[1], (LayoutRec{"H2", 9, 1, 1}));
    EXPECT_EQ(LayOut()[7], (LayoutRec{"Volume", 0, 7, 7}));
}

TEST_F(GridLayout, DropsThatChangeNothing)
{
    struct Case { const char* name; int dragCol, mouseRow, mouseCol, fixedCols; };
    const Case cases[] = {
        {"no drag under way", -1, 0, 2, 1},
        {"onto a data row", 3, 1, 1, 1},
        {"onto the fixed column", 3, 0, 0, 1},
        {"outside the cells", 3, -1, -1, 1},
        {"from a column the grid lacks", 9, 0, 1, 1},
    };
    for (const Case& c : cases) {
        FlexGrid& g = grid();
        g.setFixedCols(1);
        fillGrid(g, 3, 5);
        g.setFixedCols(c.fixedCols);
        QFile::remove(path(kLayoutFile));
        LayOut().fill(LayoutRec());
        bar.Visible = true;
        DragCol() = c.dragCol;
        g.setMouseRow(c.mouseRow);
        g.setMouseCol(c.mouseCol);

        FG_DragDrop(nullptr, 0, 0);

        EXPECT_FALSE(bar.Visible) << c.name;
        EXPECT_EQ(rowTexts(g, 0), QStringList({"H0", "H1", "H2", "H3", "H4"})) << c.name;
        EXPECT_FALSE(fileExists(kLayoutFile)) << c.name;
        EXPECT_EQ(LayOut(), std::remove_reference_t<decltype(LayOut())>{}) << c.name;
        EXPECT_TRUE(g.Redraw()) << c.name;
    }
}

TEST_F(GridLayout, DropOnColumnZeroWithoutFixedColumn)
{
    FlexGrid& g = grid();
    fillGrid(g, 2, 3);
    g.setFixedCols(0);
    DragCol() = 2;
    g.setMouseRow(0);
    g.setMouseCol(0);
    FG_DragDrop(nullptr, 0, 0);
    EXPECT_EQ(rowTexts(g, 0), QStringList({"H2", "H0", "H1"}));
    EXPECT_TRUE(fileExists(kLayoutFile));
}

TEST_F(GridLayout, DragOverShowsTheBarAtTheColumnUnderThePointer)
{
    FlexGrid& g = grid();
    fillGrid(g, 2, 4);
    for (int c = 0; c < 4; ++c)
        g.setColWidth(c, 500 + 100 * c);
    g.setMouseCol(2);
    FG_DragOver(nullptr, 0, 0, 2);
    EXPECT_TRUE(bar.Visible);
    EXPECT_EQ(bar.Left, g.ColPos(2) + 100);
    EXPECT_EQ(bar.Left, 500 + 600 + 100);
}

// ---- applying the layout -------------------------------------------------------

TEST_F(GridLayout, FixLayOutAppliesRecordedPositionsAndIgnoresTheRest)
{
    FlexGrid& g = grid();
    fillGrid(g, 2, 6);
    LayOut()[1] = {"H5", 0, 1, 1};
    LayOut()[2] = {"H3", 0, 2, 2};
    LayOut()[3] = {"Nowhere", 0, 3, 3};   // matches no header
    LayOut()[4] = {"H1", 0, 99, 99};      // a position the grid does not have
    LayOut()[5] = {"H2", 0, 0, 0};        // the fixed column is never a target
    FixLayOut();
    FixLayOut();
    EXPECT_EQ(rowTexts(g, 0), QStringList({"H0", "H5", "H3", "H1", "H2", "H4"}));
    EXPECT_TRUE(g.Redraw());
}

TEST_F(GridLayout, FixLayOutNeverSearchesEntryTwenty)
{
    FlexGrid& g = grid();
    fillGrid(g, 2, 4);
    LayOut()[20] = {"H3", 0, 1, 1};
    FixLayOut();
    EXPECT_EQ(rowTexts(g, 0), QStringList({"H0", "H1", "H2", "H3"}));
}

// ---- find, select, copy --------------------------------------------------------

TEST_F(GridLayout, FindGridRowScrollsToTheFirstMatch)
{
    FlexGrid& g = grid();
    fillGrid(g, 30, 3);
    g.setTextMatrix(12, 1, "Nasdaq");
    g.setTextMatrix(20, 1, "Nasdaq");
    g.setTextMatrix(25, 1, "Europe");
    g.setTopRow(5);

    FindGridRow("Nasdaq");
    EXPECT_EQ(g.TopRow(), 12);
    FindGridRow("nasdaq");  // exact comparison
    EXPECT_EQ(g.TopRow(), 12);
    FindGridRow("Africa/Middle East");
    EXPECT_EQ(g.TopRow(), 12);
    FindGridRow("Europe");
    EXPECT_EQ(g.TopRow(), 25);
}

TEST_F(GridLayout, SelectAllThenCopyPutsEveryCellOnTheClipboard)
{
    FlexGrid& g = grid();
    fillGrid(g, 3, 3);
    g.setRow(2);
    g.setCol(2);

    SelectAllGrid();
    EXPECT_EQ(g.Row(), 0);
    EXPECT_EQ(g.Col(), 0);
    EXPECT_EQ(g.RowSel(), 2);
    EXPECT_EQ(g.ColSel(), 2);

    CopyGridToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "H0\tH1\tH2\r1,0\t1,1\t1,2\r2,0\t2,1\t2,2");
}

TEST_F(GridLayout, CopyTakesOnlyTheSelection)
{
    FlexGrid& g = grid();
    fillGrid(g, 4, 4);
    g.setRow(3);
    g.setCol(2);
    g.setRowSel(2);
    g.setColSel(3);
    CopyGridToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "2,2\t2,3\r3,2\t3,3");
}

// ---- the one-cell message ------------------------------------------------------

TEST_F(GridLayout, GridMessageReplacesTheGridByOneCentredCell)
{
    FlexGrid& g = grid();
    fillGrid(g, 6, 5);
    g.setWidth(8000);
    g.setGridLines(1);
    g.setBackColor(0xFFFFFF);
    g.setRow(4);
    g.setCol(3);
    StdRowHeight() = 250;
    ZoomMode() = true;  // a failing zoom redraw still reports in the main grid

    ShowGridMessage("Tradewright do not have additional information for Acme");

    EXPECT_EQ(g.Rows(), 1);
    EXPECT_EQ(g.Cols(), 5);
    EXPECT_EQ(rowTexts(g, 0), QStringList({"Tradewright do not have additional information for Acme", "", "", "", ""}));
    EXPECT_EQ(g.RowHeight(0), 750);
    EXPECT_EQ(g.ColWidth(0), 8000);
    EXPECT_EQ(g.effectiveAlignment(0, 0), FlexGrid::flexAlignCenterCenter);
    EXPECT_EQ(g.BackColor(), FlexGrid::WindowBackground);
    EXPECT_EQ(g.GridLines(), 0);
    EXPECT_TRUE(g.Redraw());
    EXPECT_TRUE(host.zooms.empty());

    ShowGridMessage("");
    EXPECT_EQ(g.TextMatrix(0, 0), "");
    EXPECT_EQ(g.Rows(), 1);
}
