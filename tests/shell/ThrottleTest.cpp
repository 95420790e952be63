#include "shell/PaintThrottle.h"
#include "shell/Throttle.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// A status text behind a throttle on a clock the test moves, recording what shows.
struct ThrottledText
{
    std::int64_t now = 1000;
    QString text;
    QStringList shown;
    Throttle throttle{[this] { shown << text; }};
    ThrottledText() { throttle.setClock([this] { return now; }); }
    void set(const QString& t)
    {
        text = t;
        if (throttle.admit())
            shown << t;
    }
};

class PaintCounter : public QWidget
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

}  // namespace

TEST(Throttle, AtMostTenTimesASecondAndAlwaysTheLast)
{
    ThrottledText t;
    // The first change shows at once; changes within the interval wait, and only the
    // latest of them shows when it ends.
    t.set(QStringLiteral("Connecting..."));
    EXPECT_EQ(t.shown, QStringList{"Connecting..."});
    t.now += 30;
    t.set(QStringLiteral("connected"));
    t.set(QStringLiteral("request Data"));
    EXPECT_EQ(t.shown.size(), 1);
    EXPECT_TRUE(t.throttle.waiting());
    QTRY_VERIFY_WITH_TIMEOUT(!t.throttle.waiting(), 5000);
    EXPECT_EQ(t.shown, (QStringList{"Connecting...", "request Data"}));

    // After a quiet interval a change shows at once again.
    t.now += 500;
    t.set(QString());
    EXPECT_EQ(t.shown.size(), 3);

    // A thousand changes over one second show about ten times, the last included.
    t.shown.clear();
    t.now += 1000;
    for (int i = 0; i < 1000; ++i) {
        t.set(QString::number(i));
        t.now += 1;
        if (i % 100 == 99)
            t.throttle.flush();  // the interval's end, as its timer would give it
    }
    EXPECT_LE(t.shown.size(), 12);
    EXPECT_EQ(t.shown.last(), QStringLiteral("999"));

    // A clock that jumps back lets the change through.
    t.now -= 5000;
    t.set(QStringLiteral("back"));
    EXPECT_EQ(t.shown.last(), QStringLiteral("back"));
}

TEST(PaintThrottle, AWindowRepaintsAtMostTenTimesASecondWhileOnAndAllAtTheEnd)
{
    PaintCounter window;
    window.resize(200, 100);
    window.show();
    QTRY_VERIFY_WITH_TIMEOUT(window.paints > 0, 5000);
    PaintThrottle throttle(&window);
    std::int64_t now = 0;
    throttle.throttle().setClock([&] { return now; });

    const auto changes = [&](int n) {
        for (int i = 0; i < n; ++i) {
            window.update();
            QApplication::processEvents();
        }
    };
    // Off: every change is drawn.
    int before = window.paints;
    changes(20);
    EXPECT_EQ(window.paints - before, 20);

    // On, within one interval: one repaint, the rest held back until its end.
    throttle.setOn(true);
    before = window.paints;
    changes(20);
    EXPECT_GE(window.paints - before, 1);
    EXPECT_LE(window.paints - before, 3);  // a timer's end may come between on a slow machine
    // Switched off, what was held back is drawn at once.
    if (throttle.throttle().waiting()) {
        const int held = window.paints;
        throttle.setOn(false);
        QApplication::processEvents();
        EXPECT_EQ(window.paints, held + 1);
    }
    throttle.setOn(false);
    before = window.paints;
    changes(3);
    EXPECT_EQ(window.paints - before, 3);
}
