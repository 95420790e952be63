// Controls following their window by Tag, and the dimmed main window behind the
// quit question.
#include "OptionsFixture.h"

#include "core/DimScreen.h"
#include "core/clsFormResize.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A window of 400 x 300 pixels with one control of each kind that matters.
struct Form
{
    QWidget window;
    QLabel* widthOnly = nullptr;   // @W
    QPushButton* fixed = nullptr;  // @
    QLineEdit* otherTag = nullptr; // abc
    QListWidget* noTag = nullptr;
    QCheckBox* check = nullptr;
    QGroupBox* frame = nullptr;
    QLabel* inFrame = nullptr;     // @height: H and T
    QFrame* line = nullptr;
    QComboBox* combo = nullptr;
    QMenuBar* menu = nullptr;

    Form()
    {
        window.resize(400, 300);
        widthOnly = new QLabel("w", &window);
        widthOnly->setGeometry(10, 20, 100, 20);
        widthOnly->setProperty("Tag", "@W");
        fixed = new QPushButton("f", &window);
        fixed->setGeometry(10, 50, 80, 30);
        fixed->setProperty("Tag", "@");
        otherTag = new QLineEdit(&window);
        otherTag->setGeometry(120, 20, 100, 24);
        otherTag->setProperty("Tag", "abc");
        noTag = new QListWidget(&window);
        noTag->setGeometry(120, 60, 100, 80);
        check = new QCheckBox("c", &window);
        check->setGeometry(10, 100, 80, 20);
        frame = new QGroupBox("g", &window);
        frame->setGeometry(230, 20, 150, 150);
        inFrame = new QLabel("in", frame);
        inFrame->setGeometry(10, 30, 60, 20);
        inFrame->setProperty("Tag", "@height");
        line = new QFrame(&window);
        line->setFrameShape(QFrame::HLine);
        line->setGeometry(10, 200, 200, 4);
        combo = new QComboBox(&window);
        combo->setGeometry(10, 230, 120, 24);
        menu = new QMenuBar(&window);
        menu->setGeometry(0, 0, 0, 0);
        new QTimer(&window);
    }
};

} // namespace

TEST(FormResize, TagLettersAndControlKinds)
{
    const struct
    {
        const char* tag;
        bool t, h, l, w;
    } tags[] = {
        {"", true, true, true, true},   {"abc", true, true, true, true}, {"@", false, false, false, false},
        {"@W", false, false, false, true}, {"@t,l", true, false, true, false}, {"@height", true, true, false, false},
        {"@T,H,L,W", true, true, true, true},
    };
    for (const auto& r : tags) {
        SCOPED_TRACE(r.tag);
        const auto f = clsFormResize::ParseTag(QString::fromLatin1(r.tag));
        EXPECT_EQ(f.T, r.t);
        EXPECT_EQ(f.H, r.h);
        EXPECT_EQ(f.L, r.l);
        EXPECT_EQ(f.W, r.w);
    }

    Form form;
    EXPECT_EQ(clsFormResize::ControlTypeName(form.frame), "Frame");
    EXPECT_EQ(clsFormResize::ControlTypeName(form.widthOnly), "Label");
    EXPECT_EQ(clsFormResize::ControlTypeName(form.otherTag), "TextBox");
    EXPECT_EQ(clsFormResize::ControlTypeName(form.fixed), "CommandButton");
    EXPECT_EQ(clsFormResize::ControlTypeName(form.noTag), "ListBox");
    EXPECT_EQ(clsFormResize::ControlTypeName(form.combo), "ComboBox");
    EXPECT_EQ(clsFormResize::ControlTypeName(form.check), "CheckBox");
    EXPECT_EQ(clsFormResize::ControlTypeName(form.line), "Line");
    EXPECT_EQ(clsFormResize::ControlTypeName(form.menu), "Menu");
    form.check->setProperty("TypeName", "PictureBox");
    EXPECT_EQ(clsFormResize::ControlTypeName(form.check), "PictureBox");

    EXPECT_EQ(clsFormResize::SizeForScreen(50, QSize(800 * 15, 600 * 15)), QSize(6000, 4500));
    EXPECT_EQ(clsFormResize::SizeForScreen(33, QSize(1000, 1000)), QSize(330, 330));
}

TEST(FormResize, FirstCallRecordsThenDoublingDoublesByTag)
{
    Form form;
    form.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form.window));
    clsFormResize resize;
    resize.setSourceForm(&form.window);

    form.window.resize(420, 320);  // the first call moves nothing, whatever the size
    resize.ScaleControls();
    EXPECT_FALSE(resize.firstTime());
    EXPECT_EQ(resize.recordedSize(), QSize(420 * 15, 320 * 15));
    EXPECT_EQ(form.widthOnly->geometry(), QRect(10, 20, 100, 20));
    // The menu bar and the timer are not recorded; the check box is.
    QStringList kinds;
    for (const auto& g : resize.controls())
        kinds << g.kind;
    EXPECT_FALSE(kinds.contains("Menu"));
    EXPECT_TRUE(kinds.contains("CheckBox"));
    EXPECT_EQ(kinds.count("Label"), 2);  // the one inside the frame too

    form.window.resize(840, 640);
    resize.ScaleControls();
    EXPECT_EQ(form.widthOnly->geometry(), QRect(10, 20, 200, 20));
    EXPECT_EQ(form.fixed->geometry(), QRect(10, 50, 80, 30));
    EXPECT_EQ(form.otherTag->geometry(), QRect(240, 40, 200, 48));
    EXPECT_EQ(form.noTag->geometry(), QRect(240, 120, 200, 160));
    EXPECT_EQ(form.check->geometry(), QRect(10, 100, 80, 20));
    EXPECT_EQ(form.frame->geometry(), QRect(460, 40, 300, 300));
    EXPECT_EQ(form.inFrame->geometry(), QRect(10, 60, 60, 40));
    EXPECT_EQ(form.line->geometry(), QRect(20, 400, 400, 8));
    EXPECT_EQ(form.combo->geometry().topLeft(), QPoint(20, 460));
    EXPECT_EQ(form.combo->width(), 240);
    EXPECT_EQ(form.combo->height(), 24);  // the platform's height stays

    // Back to the recorded size: back to the design, with no drift.
    form.window.resize(420, 320);
    resize.ScaleControls();
    EXPECT_EQ(form.otherTag->geometry(), QRect(120, 20, 100, 24));
    EXPECT_EQ(form.frame->geometry(), QRect(230, 20, 150, 150));
}

TEST(FormResize, NothingIsRecordedOrScaledWithoutAClientArea)
{
    Form form;
    clsFormResize resize;
    resize.ScaleControls();  // no window: nothing happens
    resize.setSourceForm(&form.window);

    form.window.resize(0, 0);
    resize.ScaleControls();
    EXPECT_TRUE(resize.firstTime());

    form.window.showMinimized();
    if (form.window.isMinimized()) {
        resize.ScaleControls();
        EXPECT_TRUE(resize.firstTime());
    }

    form.window.showNormal();
    form.window.resize(400, 300);
    resize.ScaleControls();
    ASSERT_FALSE(resize.firstTime());
    EXPECT_EQ(resize.recordedSize(), QSize(6000, 4500));

    // Later a zero-sized client changes nothing; the next real size scales from
    // the baseline.
    form.window.resize(0, 0);
    resize.ScaleControls();
    EXPECT_EQ(form.otherTag->geometry(), QRect(120, 20, 100, 24));
    form.window.resize(800, 600);
    resize.ScaleControls();
    EXPECT_EQ(form.otherTag->geometry(), QRect(240, 40, 200, 48));
}

TEST(DimScreen, CheckerboardKeepsEveryOtherPixel)
{
    QImage image(5, 4, QImage::Format_RGB32);
    image.fill(QColor(200, 100, 50));
    const QImage dim = DimImage(image);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) {
            SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
            EXPECT_EQ(QColor(dim.pixel(x, y)), (x + y) % 2 == 0 ? QColor(200, 100, 50) : QColor(0, 0, 0));
        }
    EXPECT_EQ(DimSize(9000, 6000), QSize(600, 400));
    EXPECT_EQ(DimSize(9010, 6014), QSize(600, 400));
}

using DimScreenTest = OptionsFixture;

TEST_F(DimScreenTest, DimFormVeilsTheMainWindowUntilReset)
{
    // No main window: nothing happens, and a reset with nothing dimmed is harmless.
    QWidget* form = nullptr;
    DimForm(form);
    EXPECT_EQ(form, nullptr);
    EXPECT_FALSE(IsDimmed());
    ResetScreen();

    QWidget main;
    main.resize(60, 40);
    main.setAutoFillBackground(true);
    QPalette p = main.palette();
    p.setColor(QPalette::Window, QColor(10, 200, 30));
    main.setPalette(p);
    auto* child = new QLabel(&main);
    child->setGeometry(0, 0, 30, 20);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    m_host.main = &main;

    QWidget other;
    form = &other;
    DimForm(form);
    EXPECT_EQ(form, &main);
    ASSERT_TRUE(IsDimmed());
    const QImage shown = main.grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(40, 30)), QColor(10, 200, 30));
    EXPECT_EQ(QColor(shown.pixel(41, 30)), QColor(0, 0, 0));
    EXPECT_EQ(QColor(shown.pixel(40, 31)), QColor(0, 0, 0));
    EXPECT_EQ(DimmedImage().size(), main.grab().size());

    ResetScreen();
    EXPECT_FALSE(IsDimmed());
    EXPECT_TRUE(DimmedImage().isNull());
    const QImage back = main.grab().toImage();
    EXPECT_EQ(QColor(back.pixel(41, 30)), QColor(10, 200, 30));
    ResetScreen();
}
