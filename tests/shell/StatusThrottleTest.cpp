#include "shell/StatusThrottle.h"

#include <QTest>

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// A throttle on a clock the test moves, recording what it shows.
struct Throttled
{
    std::int64_t now = 1000;
    QStringList shown;
    StatusThrottle throttle{[this](const QString& text) { shown << text; }};
    Throttled() { throttle.setClock([this] { return now; }); }
};

}  // namespace

TEST(StatusThrottle, ShowsAtMostTenTextsASecondAndAlwaysTheLast)
{
    Throttled t;
    // The first text shows at once; texts within the interval wait, and only the
    // latest of them shows when it ends.
    t.throttle.setText(QStringLiteral("Connecting..."));
    EXPECT_EQ(t.shown, QStringList{"Connecting..."});
    t.now += 30;
    t.throttle.setText(QStringLiteral("connected"));
    t.throttle.setText(QStringLiteral("request Data"));
    EXPECT_EQ(t.shown.size(), 1);
    EXPECT_TRUE(t.throttle.waiting());
    EXPECT_EQ(t.throttle.text(), QStringLiteral("request Data"));
    QTRY_VERIFY_WITH_TIMEOUT(!t.throttle.waiting(), 5000);
    EXPECT_EQ(t.shown, (QStringList{"Connecting...", "request Data"}));

    // After a quiet interval a text shows at once again.
    t.now += 500;
    t.throttle.setText(QString());
    EXPECT_EQ(t.shown.size(), 3);
    EXPECT_EQ(t.shown.last(), QString());

    // A burst of a thousand texts over one second shows about ten of them,
    // the last one included.
    t.shown.clear();
    t.now += 1000;
    for (int i = 0; i < 1000; ++i) {
        t.throttle.setText(QString::number(i));
        t.now += 1;
        if (t.throttle.waiting() && i % 100 == 99)
            t.throttle.flush();  // the interval's end, as its timer would give it
    }
    t.throttle.flush();
    EXPECT_LE(t.shown.size(), 12);
    EXPECT_GE(t.shown.size(), 2);
    EXPECT_EQ(t.shown.last(), QStringLiteral("999"));
}

TEST(StatusThrottle, AClockThatJumpsBackShowsTheText)
{
    Throttled t;
    t.throttle.setText(QStringLiteral("a"));
    t.now -= 5000;
    t.throttle.setText(QStringLiteral("b"));
    EXPECT_EQ(t.shown, (QStringList{"a", "b"}));
    t.throttle.flush();  // nothing waits: nothing more shows
    EXPECT_EQ(t.shown.size(), 2);
}
