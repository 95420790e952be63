// The pane rules on twip rectangles: the two splitter bars, the legend, the drag
// steps and the rescaling of the window.
#include "shell/PaneLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PaneLayout, VerticalBarTable)
{
    struct Row
    {
        std::int32_t dropAt;
        std::int32_t containerWidth;
        std::int32_t P;  // the bar's left edge, stored as LastTreePos
    };
    const std::vector<Row> rows{
        {2280, 7935, 2280},   // the design position
        {300, 7935, 400},     // left of the minimum
        {10, 7935, 400},
        {400, 7935, 400},
        {7735, 7935, 7435},   // 200 short of the inner right edge: 500 short
        {7435, 7935, 7435},
        {5000, 7935, 5000},
        {300, 800, 400},      // too narrow a pane: the lower bound wins
        {600, 800, 300},      // the upper bound alone may go below 400
    };
    for (const Row& r : rows) {
        PaneLayout g = PaneLayout::Design();
        g.PicCont.Width = r.containerWidth;
        g.picSplit2.Left = r.dropAt;
        const std::int32_t P = ApplyVerticalLayout(g);
        SCOPED_TRACE(testing::Message() << "drop at " << r.dropAt);
        EXPECT_EQ(P, r.P);
        EXPECT_EQ(g.picSplit2.Left, r.P);
        EXPECT_EQ(g.TreeView1.Width, r.P - 100);
        EXPECT_EQ(g.ImgUp.Left, r.P + 50);
        EXPECT_EQ(g.ImgDn.Left, r.P + 50);
        EXPECT_EQ(g.Shape1.Left, r.P + 250);
        for (int i = 0; i < kStripSlots; ++i) {
            EXPECT_EQ(g.lblSbl[i].Left, r.P + 250);
            EXPECT_EQ(g.img[i].Left, r.P + 850);
        }
        EXPECT_EQ(g.lblDsc[0].Left, r.P + 850);
    }
}

TEST(PaneLayout, LegendOverTheGauge)
{
    PaneLayout g = PaneLayout::Design();
    ApplyVerticalLayout(g);  // P = 2280: the gauges start at 3130, 4575 wide
    EXPECT_EQ(g.lblDsc[0].Left, 3130);
    EXPECT_EQ(g.lblDsc[1].Left, 3542);  // 3130 + 915 - 502.5, half to even
    EXPECT_EQ(g.lblDsc[2].Left, 5042);  // 3130 + 2287.5 - 375
    EXPECT_EQ(g.lblDsc[3].Left, 6038);  // 3130 + 3050 - 142.5
    EXPECT_EQ(g.lblDsc[4].Left, 6925);  // right edge on the gauge's right edge

    // Far to the right of a wide window: no 16-bit wrap.
    g.img[0].Left = 40000;
    AfterResize(g);
    EXPECT_EQ(g.lblDsc[0].Left, 40000);
    EXPECT_EQ(g.lblDsc[4].Left, 40000 + 4575 - 780);
}

TEST(PaneLayout, HorizontalBarTable)
{
    struct Row
    {
        std::int32_t dropAt;
        std::int32_t maxTop;
        std::int32_t T;
        int fittingSlots;
    };
    const std::vector<Row> rows{
        {200, 3120, 400, 0},     // below the minimum: nothing of the strip fits
        {400, 3120, 400, 0},
        {1500, 3120, 1500, 3},   // label tops 240, 600, 960
        {1759, 3120, 1759, 3},
        {1760, 3120, 1760, 4},   // slot 3 needs T >= 680 + 360 * 3
        {2880, 3120, 2880, 7},
        {5000, 3120, 3120, 7},   // below the grid's load-time top
        {5000, 2000, 2000, 4},
    };
    for (const Row& r : rows) {
        PaneLayout g = PaneLayout::Design();
        g.Splitter.Top = r.dropAt;
        const std::int32_t T = ApplyHorizontalLayout(g, r.maxTop);
        SCOPED_TRACE(testing::Message() << "drop at " << r.dropAt);
        EXPECT_EQ(T, r.T);
        EXPECT_EQ(g.Splitter.Top, r.T);
        EXPECT_EQ(g.FG.Top, r.T + 250);
        EXPECT_EQ(g.FG.Height, 5415 - (r.T + 500));
        EXPECT_EQ(g.ImgDn.Top, r.T - 380);
        EXPECT_EQ(g.TreeView1.Height, r.T - 200);
        EXPECT_EQ(g.picSplit2.Height, r.T);
        EXPECT_EQ(g.picSplit.Top, g.FG.Top);
        EXPECT_EQ(g.picSplit.Height, g.FG.Height);
        int fitting = 0;
        for (int i = 0; i < kStripSlots; ++i)
            fitting += SlotFits(g, i) ? 1 : 0;
        EXPECT_EQ(fitting, r.fittingSlots);
    }
    // The design layout itself: every slot fits above the down arrow.
    const PaneLayout design = PaneLayout::Design();
    for (int i = 0; i < kStripSlots; ++i)
        EXPECT_TRUE(SlotFits(design, i));
}

TEST(PaneLayout, DragSteps)
{
    BarDrag d;
    EXPECT_FALSE(d.dragging());
    // Moving over the bar without a left press moves nothing.
    EXPECT_FALSE(d.MouseMove(120.0));

    EXPECT_FALSE(d.MouseDown(1, 15.4));
    EXPECT_TRUE(d.dragging());
    EXPECT_TRUE(d.gripped);
    EXPECT_EQ(d.anchor, 15);
    EXPECT_FALSE(d.MouseMove(15.2));            // the rounded coordinate did not change
    EXPECT_EQ(d.MouseMove(-600.0), -600);       // the bar moves by the coordinate
    EXPECT_EQ(d.anchor, -600);
    EXPECT_EQ(d.MouseMove(44.5), 44);           // half to even

    // A right press during the drag ends it (the caller applies the layout).
    EXPECT_TRUE(d.MouseDown(2, 0));
    EXPECT_EQ(d.anchor, BarDrag::Idle);
    // A right press while idle asks for nothing.
    EXPECT_FALSE(d.MouseDown(2, 0));

    d.MouseDown(1, 3);
    d.MouseUp();
    EXPECT_FALSE(d.dragging());
    EXPECT_FALSE(d.gripped);
    EXPECT_EQ(d.anchor, 2147483647);
}

TEST(PaneLayout, TagLetters)
{
    auto letters = [](const QString& tag) {
        const FormScaler::Letters l = FormScaler::LettersOf(tag);
        return QString::fromLatin1("%1%2%3%4")
            .arg(l.T ? "T" : "-", l.H ? "H" : "-", l.L ? "L" : "-", l.W ? "W" : "-");
    };
    EXPECT_EQ(letters(QStringLiteral("@W,H,T")), QStringLiteral("TH-W"));
    EXPECT_EQ(letters(QStringLiteral("@W,t")), QStringLiteral("T--W"));
    EXPECT_EQ(letters(QStringLiteral("@")), QStringLiteral("----"));
    EXPECT_EQ(letters(QString()), QStringLiteral("THLW"));
    EXPECT_EQ(letters(QStringLiteral("L,T")), QStringLiteral("THLW"));  // not starting with "@"
    EXPECT_EQ(FormScaler::TagOf(QStringLiteral("img(3)")), QStringLiteral("@L"));
    EXPECT_EQ(FormScaler::TagOf(QStringLiteral("Panel1(2)")), QString());
}

TEST(PaneLayout, ResizeScalesByTag)
{
    PaneLayout g = PaneLayout::Design();
    FormScaler scaler;
    // The first call records the design; the same size changes nothing.
    ASSERT_TRUE(scaler.ScaleControls(g, 9480, 6375));
    EXPECT_EQ(g, PaneLayout::Design());

    ASSERT_TRUE(scaler.ScaleControls(g, 9480 * 2, 6375 * 2));
    const PaneLayout d = PaneLayout::Design();
    // "@W,H,T": left stays.
    EXPECT_EQ(g.PicCont, (TwipRect{d.PicCont.Left, d.PicCont.Top * 2, d.PicCont.Width * 2, d.PicCont.Height * 2}));
    // "@L,T,W,H".
    EXPECT_EQ(g.frmButtom, (TwipRect{16080, 1200, 2670, 10830}));
    // "@W": the tree's height keeps its value.
    EXPECT_EQ(g.TreeView1, (TwipRect{0, 0, 4350, 2775}));
    // "@L" for the strip; its tops stay.
    EXPECT_EQ(g.lblSbl[3], (TwipRect{5040, 1320, 735, 255}));
    EXPECT_EQ(g.img[6], (TwipRect{6240, 2400, 4575, 315}));
    // "@W,t" and "@H".
    EXPECT_EQ(g.Splitter, (TwipRect{0, 5760, 15390, 30}));
    EXPECT_EQ(g.picSplit, (TwipRect{7560, 3120, 30, 4350}));
    // Images and shapes are never rescaled; the legend ("@") is not either.
    EXPECT_EQ(g.ImgUp, d.ImgUp);
    EXPECT_EQ(g.Shape1, d.Shape1);
    EXPECT_EQ(g.lblDsc[2], d.lblDsc[2]);
    // The status labels (no Tag) scale their left and width only: the bar keeps its height.
    EXPECT_EQ(g.Panel1[1], (TwipRect{2400, 35, 2000, 195}));

    // Back to the design size: back to the design rectangles.
    ASSERT_TRUE(scaler.ScaleControls(g, 9480, 6375));
    EXPECT_EQ(g.FG, d.FG);
    EXPECT_EQ(g.Panel1[1], d.Panel1[1]);

    // A minimised window (no client area) changes nothing.
    const PaneLayout before = g;
    EXPECT_FALSE(scaler.ScaleControls(g, 0, 0));
    EXPECT_EQ(g, before);
}

TEST(PaneLayout, WideScreensDoNotOverflow)
{
    PaneLayout g = PaneLayout::Design();
    FormScaler scaler;
    scaler.ScaleControls(g, 9480, 6375);
    // A window of 7680 pixels across: 115,200 twips.
    ASSERT_TRUE(scaler.ScaleControls(g, 115200, 6375));
    EXPECT_EQ(g.frmButtom.Left, 97701);  // 8040 * 115200 / 9480, rounded
    EXPECT_GT(g.FG.Width, 32767);
    AfterResize(g);
    EXPECT_EQ(g.lblDsc[4].Left, g.img[0].Left + g.img[0].Width - g.lblDsc[4].Width);
    EXPECT_GT(g.lblDsc[4].Left, 32767);
}

} // namespace
