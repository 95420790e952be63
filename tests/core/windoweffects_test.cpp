// Rolling a window closed, the see-through tint and tiling the narrow windows:
// the rules as tables, then each applied to a real window.
#include "OptionsFixture.h"

#include "core/WindowEffects.h"
#include "platform/RuntimeError.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using WindowEffectsTest = OptionsFixture;

TEST(RollSteps, StepListsFollowTheHeight)
{
    const struct
    {
        int height;
        int steps;
        int step;
        int count;
        int last;
    } rows[] = {
        {3000, 25, 120, 24, 120},  // 24 moves of 120 twips
        {3000, 1, 3000, 0, 3000},  // one step moves nothing
        {100, 8, 12, 7, 16},       // 12.5 goes to the even 12
        {108, 8, 14, 7, 10},       // 13.5 goes to the even 14
        {4500, 10, 450, 9, 450},   // the detail window's OK
        {3000, -2, -1500, 0, 3000},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::to_string(r.height) + "/" + std::to_string(r.steps));
        EXPECT_EQ(RollStep(r.height, r.steps), r.step);
        const QVector<int> heights = RollHeights(r.height, r.steps);
        EXPECT_EQ(heights.size(), r.count);
        EXPECT_EQ(heights.isEmpty() ? r.height : heights.last(), r.last);
        if (heights.size() > 1) {
            EXPECT_EQ(heights[0] - heights[1], r.step);
        }
    }
    try {
        RollStep(3000, 0);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 11);
    }
    try {
        RollStep(2000000, 1);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 6);
    }
}

TEST_F(WindowEffectsTest, RollShrinksOnlyTheBottomEdge)
{
    QWidget w;
    w.setGeometry(100, 120, 300, 200);  // 3000 twips high
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QRect before = w.geometry();
    RollWindow(&w, 25);
    EXPECT_EQ(w.geometry().topLeft(), before.topLeft());
    EXPECT_EQ(w.width(), before.width());
    EXPECT_EQ(w.height(), 200 - 24 * 8);
    EXPECT_EQ(logEntries("Misc_RollWindow"), 0);
}

TEST_F(WindowEffectsTest, RollLeavesMaximisedWindowsAndLogsFailures)
{
    QWidget maxed;
    maxed.showMaximized();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&maxed));
    const QSize size = maxed.size();
    RollWindow(&maxed, 25);
    EXPECT_EQ(maxed.size(), size);
    EXPECT_EQ(logEntries("Misc_RollWindow"), 0);

    QWidget w;
    w.resize(200, 200);
    w.show();
    RollWindow(&w, 0);
    EXPECT_EQ(logEntries("Misc_RollWindow"), 1);
    EXPECT_EQ(w.height(), 200);

    w.showMinimized();
    if (w.isMinimized()) {
        RollWindow(&w, 25);
        EXPECT_EQ(logEntries("Misc_RollWindow"), 2);
    }
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
}

TEST(SeeThroughTint, MasksEveryPixelWithTheTint)
{
    QImage white(3, 2, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(QColor(TintImage(white).pixel(2, 1)), QColor(170, 250, 250));  // &HFAFAAA
    EXPECT_EQ(QColor(TintImage(white, 0xFF00).pixel(0, 0)), QColor(0, 255, 0));
    EXPECT_EQ(QColor(TintImage(white, 0xEFD981).pixel(0, 0)), QColor(129, 217, 239));
    QImage grey(1, 1, QImage::Format_RGB32);
    grey.fill(QColor(0x55, 0x0F, 0xF0));
    EXPECT_EQ(QColor(TintImage(grey).pixel(0, 0)), QColor(0x55 & 0xAA, 0x0F & 0xFA, 0xF0 & 0xFA));
}

TEST_F(WindowEffectsTest, SeeThroughPaintsATintedBackground)
{
    QWidget w;
    w.setGeometry(40, 40, 120, 80);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    SeeThrough(&w);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.autoFillBackground());
    const QPixmap bg = w.palette().brush(QPalette::Window).texture();
    ASSERT_FALSE(bg.isNull());
    // Whatever lay under the window, no pixel has more of a colour than the tint.
    const QColor c = bg.toImage().pixelColor(5, 5);
    EXPECT_LE(c.red(), 170);
    EXPECT_LE(c.green(), 250);
}

namespace {

TileForm zoom(int left = 5000, int top = 9000, int width = 1790)
{
    return {QStringLiteral("Zoom"), left, top, width};
}

} // namespace

TEST(TilePositions, RowsOfFiveBelowTheTicker)
{
    const int ticker = 600;
    // No narrow window: nothing moves.
    QVector<TileForm> none = {{"frmMain", 0, 0, 12000}, zoom(7000, 100, 3000)};
    const QVector<TileForm> noneBefore = none;
    TilePositions(none, -1, 0, ticker);
    EXPECT_EQ(none[0].left, noneBefore[0].left);
    EXPECT_EQ(none[1].left, 7000);  // 3000 twips wide: neither moved nor counted
    EXPECT_EQ(none[1].top, 100);

    // One narrow zoom window.
    QVector<TileForm> one = {{"frmMain", 0, 0, 12000}, zoom()};
    TilePositions(one, 1, 9000, ticker);
    EXPECT_EQ(one[1].left, 0);
    EXPECT_EQ(one[1].top, ticker + 700);

    // Seven: a row of five, then a new row; a detail window takes part too; the
    // left of each follows the entry before it in the list, whatever it is.
    QVector<TileForm> forms = {zoom(), zoom(), {"Properties", 1, 1, 2000}, zoom(), {"frmMain", 300, 0, 9000},
                               zoom(), zoom(), zoom(), {"zoom", 4, 4, 1790}};
    TilePositions(forms, -1, 0, ticker);
    const struct
    {
        int index;
        int left;
        int top;
    } rows[] = {
        {0, 0, ticker + 700},
        {1, 1790, ticker + 700},
        {2, 3580, ticker + 700},
        {3, 5580, ticker + 700},
        {4, 300, 0},                 // the main window stays
        {5, 9300, ticker + 700},     // after frmMain: its left + its width
        {6, 0, ticker + 1150},       // the sixth starts the second row
        {7, 1790, ticker + 1150},
        {8, 4, 4},                   // "zoom" in other letters does not take part
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.index);
        EXPECT_EQ(forms[r.index].left, r.left);
        EXPECT_EQ(forms[r.index].top, r.top);
    }
}

TEST(TilePositions, LaterRowsHangFromTheWindowPressedAndTheThirtySixthStays)
{
    QVector<TileForm> forms;
    for (int i = 0; i < 37; ++i)
        forms << zoom(50000 + i, 70000 + i);
    // The pressed window is the first: it is placed first, and its new top is the
    // base of slots 11 and on.
    TilePositions(forms, 0, -1, 600);
    const int pressedTop = 600 + 700;
    EXPECT_EQ(forms[0].top, pressedTop);
    EXPECT_EQ(forms[10].top, 600 + 1600);
    EXPECT_EQ(forms[10].left, 0);
    EXPECT_EQ(forms[11].top, pressedTop + 1600);
    EXPECT_EQ(forms[15].top, pressedTop + 1350);
    EXPECT_EQ(forms[20].top, pressedTop + 1800);
    EXPECT_EQ(forms[25].top, pressedTop + 2250);
    EXPECT_EQ(forms[34].top, pressedTop + 2700);
    EXPECT_EQ(forms[34].left, 4 * 1790);
    EXPECT_EQ(forms[35].left, 50035);
    EXPECT_EQ(forms[35].top, 70035);
    EXPECT_EQ(forms[36].top, 70036);

    // A pressed window outside the list: its top as given.
    QVector<TileForm> other;
    for (int i = 0; i < 12; ++i)
        other << zoom();
    TilePositions(other, -1, 3000, 600);
    EXPECT_EQ(other[11].top, 3000 + 1600);
}

TEST_F(WindowEffectsTest, TileWindowsMovesTheNarrowZoomWindows)
{
    m_host.tickerTop = 450;
    std::vector<std::unique_ptr<QWidget>> windows;
    for (int i = 0; i < 2; ++i) {
        auto w = std::make_unique<QWidget>();
        w->setObjectName("Zoom");
        w->setGeometry(300 + i * 10, 300, 1790 / 15, 500 / 15);
        w->show();
        windows.push_back(std::move(w));
    }
    auto wide = std::make_unique<QWidget>();
    wide->setObjectName("Zoom");
    wide->setGeometry(200, 200, 400, 300);
    wide->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(wide.get()));
    const QPoint wideAt = wide->frameGeometry().topLeft();

    TileWindows(windows[1].get());
    const QList<QWidget*> order = Forms();
    EXPECT_LT(order.indexOf(windows[0].get()), order.indexOf(windows[1].get()));
    EXPECT_EQ(windows[0]->frameGeometry().topLeft(), QPoint(0, (450 + 700) / 15));
    EXPECT_EQ(windows[1]->frameGeometry().topLeft(),
              QPoint(windows[0]->frameGeometry().width(), (450 + 700) / 15));
    EXPECT_EQ(wide->frameGeometry().topLeft(), wideAt);
}
