#include "platform/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A window is moved only as far as it runs past an edge of the area.
TEST(WindowPlacement, InsideTheArea)
{
    const QRect area(0, 30, 1440, 870);   // a 1440 x 900 screen less a 30-pixel panel at the top
    const struct {
        const char* name;
        QRect frame;
        QPoint expected;
    } cases[] = {
        {"inside stays", QRect(100, 100, 400, 300), QPoint(100, 100)},
        {"past the bottom", QRect(500, 700, 400, 380), QPoint(500, 520)},
        {"past the right", QRect(1300, 100, 400, 300), QPoint(1040, 100)},
        {"past the left and top", QRect(-20, 0, 400, 300), QPoint(0, 30)},
        {"past both corners", QRect(1400, 880, 400, 300), QPoint(1040, 600)},
        {"exactly at the edges", QRect(1040, 600, 400, 300), QPoint(1040, 600)},
        {"wider than the area starts at its left", QRect(300, 100, 1600, 300), QPoint(0, 100)},
        {"taller than the area starts at its top", QRect(100, 200, 400, 1000), QPoint(100, 30)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InsideArea(c.frame, area), c.expected) << c.name;
    // With no screen to go by the window keeps its place.
    EXPECT_EQ(InsideArea(QRect(-50, -50, 10, 10), QRect()), QPoint(-50, -50));
}

// Placed windows end inside the screen's available geometry: a window placed past
// an edge, one that grew past it, and one centred over another near an edge.
TEST(WindowPlacement, WindowsEndInsideTheAvailableScreen)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect area = screen->availableGeometry();
    auto inside = [&](const QWidget& w) { return area.contains(w.frameGeometry()); };

    QWidget window;
    window.resize(300, 200);
    PlaceWindow(window, area.topLeft() + QPoint(40, 50));
    window.show();
    EXPECT_EQ(window.frameGeometry().topLeft(), area.topLeft() + QPoint(40, 50));   // inside: where it was put

    PlaceWindow(window, area.bottomRight() - QPoint(100, 50));
    EXPECT_TRUE(inside(window)) << window.frameGeometry().x() << "," << window.frameGeometry().y();

    // It grows downwards past the bottom edge, then is kept on the screen.
    PlaceWindow(window, QPoint(area.x() + 10, area.bottom() - 250));
    window.resize(300, 400);
    EXPECT_FALSE(inside(window));
    KeepOnScreen(window);
    EXPECT_TRUE(inside(window));
    EXPECT_EQ(window.frameGeometry().x(), area.x() + 10);   // only as far as needed

    // Centred over an owner near the right edge: over it as far as the screen allows.
    QWidget owner;
    owner.resize(200, 200);
    owner.show();
    owner.move(area.right() - 210, area.y() + 100);
    QWidget child;
    child.resize(100, 60);
    CentreOver(child, owner);
    child.show();
    EXPECT_TRUE(inside(child));
    EXPECT_NEAR(child.frameGeometry().center().x(), owner.frameGeometry().center().x(), 1);
    child.resize(600, 60);
    CentreOver(child, owner);
    EXPECT_TRUE(inside(child));
    EXPECT_EQ(child.frameGeometry().right(), area.right());

    QWidget big;
    big.resize(area.width() + 200, 100);
    CentreOnScreen(big);
    big.show();
    EXPECT_EQ(big.frameGeometry().left(), area.left());
}

} // namespace
