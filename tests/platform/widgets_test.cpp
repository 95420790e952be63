#include "platform/FlexGrid.h"
#include "platform/FlexGridView.h"
#include "platform/TreeModel.h"
#include "platform/TreeView.h"

#include <QImage>
#include <QPixmap>
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
