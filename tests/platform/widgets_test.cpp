#include "platform/FlexGrid.h"
#include "platform/FlexGridView.h"
#include "platform/TreeModel.h"
#include "platform/TreeView.h"

#include <QImage>
#include <QPixmap>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QIcon square(const QColor& colour)
{
    QPixmap p(16, 16);
    p.fill(colour);
    return QIcon(p);
}

} // namespace

// One window of each kind, filled the way the views fill them, shown offscreen.
TEST(Widgets, GridAndTreeShowTheirModels)
{
    FlexGrid grid;
    FlexGridView view;
    view.resize(600, 300);
    view.setGrid(&grid);
    EXPECT_EQ(grid.Width(), 600 * 15);   // the model follows the widget

    {
        auto lock = grid.updatesLocked();
        grid.setRedraw(false);
        grid.Clear();
        grid.setRows(60);
        grid.setCols(5);
        grid.setRowHeight(0, 480);
        grid.setColWidth(0, 1500);
        grid.setColWidth(2, 0);   // hidden
        for (int r = 0; r < 60; ++r)
            for (int c = 0; c < 5; ++c)
                grid.setTextMatrix(r, c, QString("%1.%2").arg(r).arg(c));
        grid.setRow(1);
        grid.setCol(1);
        grid.setCellBackColor(0x0000FF);   // red, written BGR
        grid.setCellPicture("UP");
        grid.setCellPictureAlignment(4);
        grid.setRedraw(true);
    }
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    EXPECT_EQ(view.columnPixelWidth(0), 100);
    EXPECT_EQ(view.columnPixelWidth(2), 0);
    EXPECT_EQ(view.columnPixelWidth(3), 64);
    EXPECT_EQ(view.rowPixelHeight(0), 32);

    const QImage shot = view.grab().toImage();
    EXPECT_EQ(shot.size(), view.size());
    // Cell (1, 1) starts 100 px right of the viewport and 32 px down: its
    // corner shows the red background.
    const QPoint corner = view.viewport()->mapTo(&view, QPoint(100 + 3, 32 + 2));
    EXPECT_EQ(QColor(shot.pixel(corner)), QColor(255, 0, 0));

    // A left press on a cell makes it current and reports the cell under the pointer.
    QSignalSpy downs(&view, &FlexGridView::MouseDown);
    QSignalSpy clicks(&view, &FlexGridView::Click);
    const QPoint cell34(100 + 64 * 1 + 5, 32 + 16 * 2 + 5);   // column 3 (2 is hidden), row 3
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, cell34);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_EQ(grid.MouseRow(), 3);
    EXPECT_EQ(grid.MouseCol(), 3);
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs[0][0].toInt(), 1);   // left button
    EXPECT_DOUBLE_EQ(downs[0][2].toDouble(), cell34.x() * 15.0);
    EXPECT_EQ(clicks.count(), 1);
    // A right press leaves the current cell alone.
    QTest::mouseClick(view.viewport(), Qt::RightButton, Qt::NoModifier, QPoint(105, 32 + 5));
    EXPECT_EQ(grid.Row(), 3);

    // A manual drag started from a press reports DragOver while moving and
    // DragDrop where the button comes up.
    QSignalSpy overs(&view, &FlexGridView::DragOver);
    QSignalSpy drops(&view, &FlexGridView::DragDrop);
    QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(105, 5));
    grid.Drag(1);
    QTest::mouseMove(view.viewport(), QPoint(170, 6));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(170, 6));
    EXPECT_GE(overs.count(), 1);
    ASSERT_EQ(drops.count(), 1);
    EXPECT_DOUBLE_EQ(drops[0][1].toDouble(), 170 * 15.0);
    EXPECT_EQ(grid.MouseRow(), 0);
    EXPECT_EQ(grid.MouseCol(), 3);
    EXPECT_FALSE(grid.dragging());

    // TopRow scrolls the body; the fixed row stays where it is.
    grid.setTopRow(10);
    EXPECT_EQ(view.rowAtTwips(40 * 15), 10);
    EXPECT_EQ(view.rowAtTwips(5 * 15), 0);

    TreeModel model;
    TreeView tree;
    tree.setImageList({square(Qt::blue), square(Qt::green)});
    tree.setTreeModel(&model);
    {
        auto lock = model.updatesLocked();
        model.Add(QString(), TreeModel::tvwLast, "All", "Stocks-Group 1", 1);
        model.Add(QString(), TreeModel::tvwLast, "Market", "Market", 2);
        model.Add(QString(), TreeModel::tvwLast, "Trans", "Transections", 2);
        for (int i = 0; i < 3; ++i)
            model.Add("All", TreeModel::tvwChild, QString("ID%1").arg(i), QString("SYM%1").arg(i), 1);
    }
    tree.resize(250, 300);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    ASSERT_EQ(tree.topLevelItemCount(), 3);
    EXPECT_EQ(tree.topLevelItem(0)->text(0), "Stocks-Group 1");
    EXPECT_EQ(tree.topLevelItem(0)->childCount(), 3);
    EXPECT_FALSE(tree.topLevelItem(0)->icon(0).isNull());
    EXPECT_FALSE(tree.grab().isNull());

    // Changes after the batch arrive one by one; expanding reports the key.
    QSignalSpy expands(&tree, &TreeView::Expand);
    model.Node("All")->setExpanded(true);
    EXPECT_TRUE(tree.topLevelItem(0)->isExpanded());
    ASSERT_EQ(expands.count(), 1);
    EXPECT_EQ(expands[0][0].toString(), "All");
    model.Add("Market", TreeModel::tvwChild, "MostActive", "Most Actives", 2);
    EXPECT_EQ(tree.topLevelItem(1)->childCount(), 1);
    model.Remove("ID1");
    EXPECT_EQ(tree.topLevelItem(0)->childCount(), 2);

    // A click on a node reports it and selects it in the model.
    QSignalSpy clicked(&tree, &TreeView::NodeClick);
    const QRect r = tree.visualItemRect(tree.itemOf(model.Node("ID2")));
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].toString(), "ID2");
    EXPECT_EQ(model.SelectedItem(), model.Node("ID2"));
    EXPECT_EQ(tree.HitTest(r.center().x() * 15.0, r.center().y() * 15.0), model.Node("ID2"));

    // A rebuild under the lock: the old items go at once (no item outlives its
    // node), the new ones come when the lock is released.
    {
        auto lock = model.updatesLocked();
        model.Clear();
        EXPECT_EQ(tree.topLevelItemCount(), 0);
        model.Add(QString(), TreeModel::tvwLast, "All", "Stocks-Group 2", 1);
        model.Add("All", TreeModel::tvwChild, "ID0", "NEW", 1);
        EXPECT_EQ(tree.topLevelItemCount(), 0);
    }
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    EXPECT_EQ(tree.topLevelItem(0)->child(0)->text(0), "NEW");
}

// Columns fitted to their texts in the font the view draws with.
TEST(Widgets, GridColumnsFitTheirTextsInTheViewsFont)
{
    FlexGrid grid;
    FlexGridView view;
    QFont big = view.font();
    big.setPixelSize(36);
    view.setFont(big);
    view.setGrid(&grid);
    EXPECT_EQ(grid.TextFont(), view.font());
    QFont bigger = big;
    bigger.setPixelSize(48);
    view.setFont(bigger);   // a later font reaches the grid too
    EXPECT_EQ(grid.TextFont(), view.font());

    grid.setCols(4);
    grid.setRows(3);
    const QString wide = QStringLiteral("Wednesday, 12/10/2024");
    for (int c = 0; c < 4; ++c) {
        grid.setTextMatrix(1, c, wide);
        grid.setColWidth(c, 300);
    }
    grid.setTextMatrix(2, 0, wide + wide);
    grid.setRowHeight(2, 0);   // a hidden row counts for nothing
    grid.setColWidth(2, 0);    // a hidden column stays hidden
    grid.setColWidth(3, 30000);  // a column wider than its text keeps its width
    grid.setRow(1);
    grid.setCol(1);
    grid.setCellFontBold(true);

    grid.FitColsToText(0, 3);
    QFont bold = bigger;
    bold.setBold(true);
    const int plain = QFontMetrics(bigger).horizontalAdvance(wide);
    EXPECT_GE(view.columnPixelWidth(0), plain);
    EXPECT_LT(view.columnPixelWidth(0), QFontMetrics(bigger).horizontalAdvance(wide + wide));
    EXPECT_GE(view.columnPixelWidth(1), QFontMetrics(bold).horizontalAdvance(wide));
    EXPECT_EQ(grid.ColWidth(2), 0);
    EXPECT_EQ(grid.ColWidth(3), 30000);
}

// A whole grid handed to a shown view takes its sizes in one pass; every view of
// the control (the body and the three frozen bands) has each row's height and
// each column's width, hidden ones (0) included, and rows placed one under another.
TEST(Widgets, GridSizesReachEveryBandInOnePass)
{
    FlexGrid shown;
    FlexGridView view;
    view.resize(500, 300);
    view.setGrid(&shown);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    auto heightOf = [](int r) { return r % 5 == 0 ? 0 : r % 3 == 0 ? 480 : 240; };
    FlexGrid filled;
    filled.setRedraw(false);
    filled.setCols(6);
    filled.setRows(3000);
    filled.setFixedRows(1);
    filled.setFixedCols(1);
    for (int r = 1; r < filled.Rows(); ++r)
        filled.setRowHeight(r, heightOf(r));
    filled.setRowHeight(0, 360);
    filled.setColWidth(2, 0);   // a link column, hidden
    filled.setColWidth(4, 0);
    filled.setColWidth(5, 3000);
    shown.assignFrom(filled);
    // A row added afterwards, one at a time, takes its height too.
    shown.AddItem(QStringLiteral("a\tb"));
    shown.setRowHeight(shown.Rows() - 1, 0);
    QCoreApplication::processEvents();

    QList<QTableView*> views = view.findChildren<QTableView*>();
    views << &view;
    ASSERT_EQ(views.size(), 4);
    for (QTableView* v : views) {
        for (int r = 0; r < shown.Rows(); ++r)
            ASSERT_EQ(v->rowHeight(r), shown.RowHeight(r) / 15) << "row " << r;
        for (int c = 0; c < shown.Cols(); ++c)
            EXPECT_EQ(v->columnWidth(c), shown.ColWidth(c) / 15) << "column " << c;
    }
    EXPECT_EQ(view.rowPixelHeight(5), 0);
    EXPECT_EQ(view.rowPixelHeight(3), 32);
    EXPECT_EQ(view.columnPixelWidth(2), 0);
    int y = 0;
    for (int r = 0; r < shown.Rows(); ++r) {
        ASSERT_EQ(view.rowViewportPosition(r) + view.verticalScrollBar()->value(), y) << "row " << r;
        y += view.rowHeight(r);
    }
    // TopRow scrolls past the hidden rows.
    shown.setTopRow(2000);
    EXPECT_EQ(view.rowAtTwips(24 * 15 + 1), 2000 + (heightOf(2000) == 0 ? 1 : 0));
}

// A cell's line breaks: the text keeps its CR LF (copy and export give it back),
// the model shows it as LF-separated lines, the view lays one line under the
// other, and the row keeps the height the view gave it.
TEST(Widgets, CellLineBreaksShowAsLines)
{
    FlexGrid grid;
    grid.setRows(3);
    grid.setCols(3);
    const QString profile = QStringLiteral("Makes tools.\r\nSells them.");
    grid.setTextMatrix(1, 1, profile);
    grid.setTextMatrix(2, 1, QStringLiteral("Makes tools.Sells them."));
    EXPECT_EQ(grid.TextMatrix(1, 1), profile);
    grid.setRow(1);
    grid.setCol(1);
    EXPECT_EQ(grid.Clip(), profile);
    EXPECT_EQ(grid.data(grid.index(1, 1)).toString(), QStringLiteral("Makes tools.\nSells them."));
    EXPECT_EQ(grid.RowHeight(1), FlexGrid::DefaultRowHeight);
    EXPECT_EQ(FlexGrid::displayText(QStringLiteral("a\rb\nc\r\n")), QStringLiteral("a\nb\nc\n"));
    EXPECT_EQ(FlexGrid::displayText(QStringLiteral("plain")), QStringLiteral("plain"));

    // The columns fit the widest line, not the lines run together.
    FlexGridView view;
    view.setGrid(&grid);
    grid.setTextMatrix(0, 2, QStringLiteral("Sells them."));
    grid.setTextMatrix(1, 2, QStringLiteral("Sells\r\nthem."));
    grid.setTextMatrix(2, 2, QStringLiteral("Sells them."));
    EXPECT_LT(grid.TextWidth(1, 1), grid.TextWidth(2, 1));
    EXPECT_LT(grid.TextWidth(1, 2), grid.TextWidth(0, 2));

    const QRect cell(10, 20, 200, 100);
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const struct {
        const char* name;
        QString text;
        QRect cell;
        Qt::Alignment alignment;
        QList<int> tops;   // one per line
        QStringList lines;
    } cases[] = {
        {"one line fills the cell", QStringLiteral("Makes tools."), cell, left, {20}, {"Makes tools."}},
        {"two lines centred", QStringLiteral("Makes tools.\nSells them."), cell, left, {55, 70},
         {"Makes tools.", "Sells them."}},
        {"top", QStringLiteral("a\nb"), cell, Qt::AlignRight | Qt::AlignTop, {20, 35}, {"a", "b"}},
        {"bottom", QStringLiteral("a\nb"), cell, Qt::AlignCenter | Qt::AlignBottom, {90, 105}, {"a", "b"}},
        {"taller than the cell starts at its top", QStringLiteral("1\n2\n3"), QRect(10, 20, 200, 30), left,
         {20, 35, 50}, {"1", "2", "3"}},
        {"an empty last line counts", QStringLiteral("a\n"), cell, left, {55, 70}, {"a", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto laid = FlexGridView::layoutCellText(c.text, c.cell, c.alignment, 15);
        ASSERT_EQ(laid.size(), c.lines.size());
        for (int i = 0; i < laid.size(); ++i) {
            EXPECT_EQ(laid[i].text, c.lines[i]);
            EXPECT_EQ(laid[i].rect.top(), c.tops[i]);
            EXPECT_EQ(laid[i].rect.left(), c.cell.left());
            EXPECT_EQ(laid[i].rect.width(), c.cell.width());
            if (laid.size() == 1) {
                EXPECT_EQ(laid[i].rect, c.cell);
                EXPECT_EQ(laid[i].alignment, c.alignment);
            } else {
                EXPECT_EQ(laid[i].rect.height(), 15);
                EXPECT_EQ(laid[i].alignment, (c.alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
            }
        }
    }
}
