// The ripple: one frame on a small 256-colour picture, the source column fold,
// the phase wrap, the timer-driven run and the "Relax" window's buttons.
#include "OptionsFixture.h"

#include "core/ClsManip.h"
#include "core/GRP.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// 6 x 3 pixels, 8 bytes a row: byte (x, y) = 10 * x + y, padding included.
QImage smallPicture()
{
    QImage img(6, 3, QImage::Format_Indexed8);
    QVector<QRgb> colours;
    for (int i = 0; i < 256; ++i)
        colours << qRgb(i, i, i);
    img.setColorTable(colours);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < int(img.bytesPerLine()); ++x)
            img.scanLine(y)[x] = uchar(10 * x + y);
    return img;
}

using RippleTest = OptionsFixture;

} // namespace

TEST(Ripple, SourceColumnsStayInsideTheRow)
{
    const struct
    {
        int x, w, bytes, source;
    } rows[] = {
        {3, 2, 8, 1},  {3, -2, 8, 5},  {2, 5, 8, 3},   // |x - w|
        {5, -4, 8, 5},                                   // 9 folds back to 2 * 7 - 9
        {0, 15, 8, 0}, {7, -15, 8, 0},                   // folded past the left edge: held at 0
        {7, 0, 8, 7},  {0, 0, 1, 0},   {100, 0, 104, 100},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::to_string(r.x) + " moved " + std::to_string(r.w));
        const int s = ClsManip::SourceColumn(r.x, r.w, r.bytes);
        EXPECT_GE(s, 0);
        EXPECT_LT(s, r.bytes);
        EXPECT_EQ(s, r.source);
    }
    for (int x = 0; x < 8; ++x)
        for (int w = -15; w <= 15; ++w) {
            const int s = ClsManip::SourceColumn(x, w, 8);
            ASSERT_TRUE(s >= 0 && s < 8) << x << " " << w;
        }
    EXPECT_EQ(ClsManip::rnd(2.5), 2);
    EXPECT_EQ(ClsManip::rnd(3.5), 4);
    EXPECT_EQ(ClsManip::rnd(-7.19), -7);
}

TEST(Ripple, OneFrameOnASmallPicture)
{
    ClsManip manip;
    const QImage src = smallPicture();
    manip.IntRippleImage(src, 0.5f);
    EXPECT_EQ(manip.IsPlay(), "True");
    EXPECT_EQ(manip.HalfW(), 4);
    EXPECT_EQ(manip.HalfH(), 2);
    EXPECT_EQ(manip.WaveMax(), 6);  // rnd(sqrt(16 + 4) + 2)
    EXPECT_EQ(manip.DistTab(3, 1), 3);
    EXPECT_EQ(manip.DistTab(4, 2), 4);

    ASSERT_TRUE(manip.RippleFrame());
    EXPECT_EQ(manip.Phase(), 1);
    // Wave heights of this frame: rnd(15 sin((d - 1) 0.5)).
    EXPECT_EQ(manip.WaveTab()[0], -7);
    EXPECT_EQ(manip.WaveTab()[1], 0);
    EXPECT_EQ(manip.WaveTab()[3], 13);
    EXPECT_EQ(manip.WaveTab()[4], 15);

    const QImage& out = manip.picture();
    const auto at = [](const QImage& img, int x, int y) { return int(img.constScanLine(y)[x]); };
    // Centre (4, 2): d 0, w -7, source |4 + 7| = 11, folded to 3.
    EXPECT_EQ(at(out, 4, 2), at(src, 3, 2));
    // (7, 1): d rnd(sqrt(10)) = 3, w 13, source 6 (a padding byte of the same row).
    EXPECT_EQ(at(out, 7, 1), at(src, 6, 1));
    // (3, 2): d 1, w 0: unchanged.
    EXPECT_EQ(at(out, 3, 2), at(src, 3, 2));
    // Every pixel keeps its row.
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(at(out, x, y) % 10, y) << x << "," << y;
    // The source picture is never changed.
    EXPECT_EQ(manip.source().constScanLine(1)[7], src.constScanLine(1)[7]);
}

TEST(Ripple, PhaseWrapsInsteadOfEndingTheRun)
{
    ClsManip manip;
    manip.IntRippleImage(smallPicture(), 0.1f);
    manip.setPhase(32767);
    EXPECT_TRUE(manip.RippleFrame());
    EXPECT_EQ(manip.Phase(), -32768);
    EXPECT_TRUE(manip.RippleFrame());
    EXPECT_EQ(manip.Phase(), -32767);
}

TEST_F(RippleTest, RunIsTimerDrivenAndStopsAfterTheFrameInProgress)
{
    ClsManip manip;
    manip.setFrameInterval(5);
    manip.IntRippleImage(smallPicture(), 0.1f);
    QSignalSpy frames(&manip, &ClsManip::frameDrawn);

    manip.DoRipple(0.001f);  // returns at once: the frames come from the timer
    EXPECT_EQ(manip.IsPlay(), "False");
    EXPECT_FLOAT_EQ(manip.Frq(), 0.01f);
    EXPECT_TRUE(manip.running());
    EXPECT_EQ(frames.count(), 1);
    ASSERT_TRUE(frames.wait(1000));
    EXPECT_GE(frames.count(), 2);

    manip.DoRipple(5.0f);
    EXPECT_EQ(manip.IsPlay(), "True");
    EXPECT_FLOAT_EQ(manip.Frq(), 1.0f);
    EXPECT_FALSE(manip.running());
    const int drawn = int(frames.count());
    QTest::qWait(30);
    EXPECT_EQ(frames.count(), drawn);
}

TEST_F(RippleTest, MissingPictureSaysSoOnStart)
{
    ClsManip manip;
    manip.IntRipple(AppPath() + "\\dollar.gif", 0.1f);
    EXPECT_EQ(manip.IsPlay(), "True");
    manip.DoRipple(0.1f);
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_EQ(test::dialogs().shown[0].prompt, " 256-color bitmaps only");
    EXPECT_EQ(test::dialogs().shown[0].buttons, Dialogs::vbCritical);
    EXPECT_EQ(manip.IsPlay(), "False");
    EXPECT_FALSE(manip.running());
    manip.DoRipple(0.1f);
    EXPECT_EQ(manip.IsPlay(), "True");
}

TEST_F(RippleTest, RelaxWindowStartsStopsAndCloses)
{
    // The program's own picture, put in the program folder.
    MakeDir(AppPath());
    ASSERT_TRUE(QFile::copy(QStringLiteral(TW_FIXTURES "/../../resources/dollar.gif"), AppPath() + "/dollar.gif"));

    QPointer<GRP> window = GRP::ShowRelax(nullptr);
    ASSERT_TRUE(window);
    EXPECT_EQ(GRP::ShowRelax(nullptr), window.data());  // one at a time
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->Pictbox->pixmap().size(), QSize(339, 147));
    EXPECT_FLOAT_EQ(window->RippleFrq(), 0.1f);
    EXPECT_EQ(window->cmdClose->text(), "E&xit");
    EXPECT_EQ(window->cmdClose->toolTip(), "Close");

    window->Command1->click();
    EXPECT_EQ(window->Command1->text(), "Stop");
    EXPECT_TRUE(window->Manip()->running());
    window->Command1->click();
    EXPECT_EQ(window->Command1->text(), "Start");
    EXPECT_FALSE(window->Manip()->running());

    // Moving the slider stops a run; its value / 10 is the next start's frequency.
    window->Command1->click();
    window->Slider1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(window->Command1->text(), "Start");
    EXPECT_FALSE(window->Manip()->running());
    EXPECT_FLOAT_EQ(window->RippleFrq(), 0.2f);
    window->Command1->click();
    EXPECT_FLOAT_EQ(window->Manip()->Frq(), 0.2f);

    // Exit during a run stops it and closes the window.
    window->cmdClose->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
}
