// How the editing windows close and move: which roll up in how many steps, and how
// the bar button tiles the detail cards below the main window's ticker.
#include "EditingFixture.h"

#include "core/OptionsHost.h"
#include "IsolatedStore.h"
#include "core/WindowEffects.h"
#include "stockdata/LastPar.h"
#include "stockdata/Properties.h"
#include "stockdata/StkSet.h"
#include "stockdata/frmPurchace.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

constexpr int kTwips = 15;

// The main window as the tiling sees it: only its ticker's top matters.
class TickerHost : public OptionsHost
{
public:
    int tickerTop = 0;
    void setAutoUpdateMin(int) override {}
    void setAutoUpdateTimer(bool) override {}
    void applySkin() override {}
    QWidget* mainWindowWidget() override { return nullptr; }
    int newsTickerTop() override { return tickerTop; }
    void showUpgradeWindow() override {}
};

// Counts the times a window's bottom edge moves up.
class RollCounter : public QObject
{
public:
    explicit RollCounter(QWidget* w)
        : m_height(w->height())
    {
        w->installEventFilter(this);
    }
    int steps = 0;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize) {
            const int h = static_cast<QWidget*>(watched)->height();
            if (h < m_height)
                ++steps;
            m_height = h;
        }
        return false;
    }

private:
    int m_height;
};

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QPushButton* button(QWidget* w, const char* name)
{
    return w->findChild<QPushButton*>(QString::fromLatin1(name));
}

} // namespace

class EditingWindowEffects : public EditingTest
{
protected:
    void SetUp() override
    {
        EditingTest::SetUp();
        flushDeletes();
        for (QWidget* w : QApplication::topLevelWidgets())
            ASSERT_NE(w->objectName(), "Properties") << "a card of an earlier test is still loaded";
        makeSet({"IBM", "MSFT", "AOL"});
        installOptionsHost(&m_host);
    }
    void TearDown() override
    {
        installOptionsHost(nullptr);
        flushDeletes();
        EditingTest::TearDown();
    }

    // Shows w, does `act` and answers how many steps w rolled up in; w must be
    // closed afterwards.
    static int rollSteps(QWidget* w, const std::function<void()>& act)
    {
        QPointer<QWidget> guard(w);
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
        RollCounter counter(w);
        act();
        EXPECT_TRUE(guard.isNull() || !guard->isVisible());
        return counter.steps;
    }

    Properties* newCard(int row)
    {
        auto* card = new Properties(std::make_unique<DetailCard>(Stocks()[row], CurrentSet()));
        card->move(300, 300);
        card->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(card));
        return card;
    }

    TickerHost m_host;
};

TEST_F(EditingWindowEffects, WindowsRollClosedInTheirSteps)
{
    // Each window's closing action and the steps it rolls up in (a roll of n steps
    // moves the bottom edge n - 1 times); the title bar's close button unloads at once.
    enum class Window { Transaction, SetEditor, Card, Picker };
    const struct
    {
        Window window;
        const char* action;  // a button's name, or "close" for the title bar's button
        int moves;
    } rows[] = {
        {Window::Transaction, "cmdCancel", 24}, {Window::Transaction, "cmdOK", 24},
        {Window::Transaction, "close", 0},      {Window::SetEditor, "cmdOK", 24},
        {Window::SetEditor, "cmdCancel", 24},   {Window::SetEditor, "close", 0},
        {Window::Card, "cmdOK", 9},             {Window::Card, "cmdCancel", 24},
        {Window::Card, "close", 0},             {Window::Picker, "cmdCancel", 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::to_string(int(r.window)) + " " + r.action);
        auto act = [&r](QWidget* w) {
            return [w, &r] {
                if (QLatin1String(r.action) == QLatin1String("close"))
                    w->close();
                else
                    button(w, r.action)->click();
            };
        };
        switch (r.window) {
        case Window::Transaction: {
            TransMode() = "NewStock";
            TransSymbol() = "IBM";
            TransactionForm form;
            form.Form_Load();
            frmPurchace window(form);
            window.box(TransactionForm::txtShares)->clear();
            QTest::keyClicks(window.box(TransactionForm::txtShares), "10");
            EXPECT_EQ(rollSteps(&window, act(&window)), r.moves);
            EXPECT_TRUE(form.closed());
            break;
        }
        case Window::SetEditor: {
            QPointer<StkSet> window = new StkSet(sets);
            EXPECT_EQ(rollSteps(window, act(window)), r.moves);
            break;
        }
        case Window::Card: {
            QPointer<Properties> window = new Properties(std::make_unique<DetailCard>(Stocks()[0], 0));
            EXPECT_EQ(rollSteps(window, act(window)), r.moves);
            break;
        }
        case Window::Picker: {
            TransSymbol() = "IBM";
            PurchasePicker picker;
            picker.Form_Load();
            LastPar window(picker);
            EXPECT_EQ(rollSteps(&window, act(&window)), r.moves);
            EXPECT_TRUE(picker.closed());
            break;
        }
        }
        flushDeletes();
    }
    // The purchase went through once, whatever the roll did meanwhile.
    EXPECT_EQ(portfolioFile()[1].Symbol, "IBM");
    EXPECT_EQ(portfolioFile()[1].Shares, 10);
    EXPECT_TRUE(portfolioFile()[2].Symbol.isEmpty());
}

TEST_F(EditingWindowEffects, TheBarButtonShrinksAndTilesTheCards)
{
    m_host.tickerTop = 450;
    const int rowTop = (450 + 700) / kTwips;
    QPointer<Properties> first = newCard(0);
    QPointer<Properties> second = newCard(1);
    const QSize full = first->size();

    // The first shrunk card goes to the left edge, 700 twips below the ticker.
    button(first, "Command1")->click();
    EXPECT_LT(first->frameGeometry().width() * kTwips, 3000);
    EXPECT_EQ(first->frameGeometry().topLeft(), QPoint(0, rowTop));
    EXPECT_EQ(second->pos(), QPoint(300, 300));  // full size: not tiled

    // The next one lines up to its right.
    button(second, "Command1")->click();
    EXPECT_EQ(first->frameGeometry().topLeft(), QPoint(0, rowTop));
    EXPECT_EQ(second->frameGeometry().topLeft(), QPoint(first->frameGeometry().width(), rowTop));

    // Restored, a card keeps its place and leaves the row to the others.
    button(first, "Command1")->click();
    EXPECT_EQ(first->size(), full);
    EXPECT_EQ(first->frameGeometry().topLeft(), QPoint(0, rowTop));
    EXPECT_EQ(second->frameGeometry().topLeft(), QPoint(0, rowTop));

    delete first;
    delete second;
}

TEST_F(EditingWindowEffects, ADoubleClickMakesTheCardSeeThroughInGreen)
{
    QPointer<Properties> card = newCard(0);
    // Something bright behind the card: the see-through look is a tinted copy of
    // what the screen shows there, and an empty offscreen screen is black.
    QWidget backdrop;
    backdrop.setAttribute(Qt::WA_ShowWithoutActivating);
    backdrop.setGeometry(card->frameGeometry().adjusted(-20, -20, 20, 20));
    backdrop.setStyleSheet(QStringLiteral("background: white"));
    backdrop.show();
    card->raise();
    test::settle();
    QTest::mouseDClick(card, Qt::LeftButton, {}, QPoint(card->width() / 2, card->height() - 2));
    EXPECT_TRUE(card->isVisible());
    EXPECT_TRUE(card->autoFillBackground());
    const QImage picture = card->palette().brush(QPalette::Window).textureImage();
    ASSERT_FALSE(picture.isNull());
    bool green = false;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            ASSERT_EQ(qRed(p) | qBlue(p), 0);
            green = green || qGreen(p) > 0;
        }
    EXPECT_TRUE(green);
    delete card;
}
