// The editing windows bound to their forms, shown offscreen; with TW_SCREENSHOTS
// set to a folder, each test leaves a picture of its window there.
#include "EditingFixture.h"

#include "platform/Dialogs.h"
#include "platform/FlexGrid.h"
#include "platform/FlexGridView.h"
#include "stockdata/LastPar.h"
#include "stockdata/Properties.h"
#include "stockdata/RealEditorWindows.h"
#include "stockdata/StkSet.h"
#include "stockdata/frmPurchace.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

void screenshot(QWidget& w, const QString& name)
{
    const QString folder = qEnvironmentVariable("TW_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QTest::qWait(50);
    w.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

QString labelText(QWidget& w, const QString& name)
{
    auto* label = w.findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("<missing>");
}

} // namespace

class EditingWindows : public EditingTest
{
protected:
    void SetUp() override
    {
        EditingTest::SetUp();
        makeSet({"IBM", "MSFT", "AOL", "ORCL", "CSCO"});
        Stocks()[0].CompanyName = "International Business Machines";
        Stocks()[0].LastPrice = "81.25";
        Stocks()[0].TargetLow = 75;
        Stocks()[0].TargetHigh = 95.5f;
        ASSERT_TRUE(SaveStocks());
    }
};

TEST_F(EditingWindows, TheTransactionWindowPassesTypingToItsForm)
{
    Transactions()[1] = Buy("IBM", 200, 72.5f, 1);
    ASSERT_TRUE(SavePortfolio());
    TransMode() = "Sell";
    TransSymbol() = "IBM";
    TransactionId() = 1;
    LotShares() = 200;
    LotPrice() = 72.5;
    TransactionForm form;
    form.Form_Load();
    form.caption = "Sell Share";
    form.lblDate = "Sell Date:";
    form.lblPrice = "Sell Prices:";
    form.lblName = "International Business Machines";

    frmPurchace window(form);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), "Sell Share");
    EXPECT_EQ(labelText(window, "lbl(0)"), "Sell Date:");
    EXPECT_EQ(labelText(window, "lbl(2)"), "Sell Prices:");
    EXPECT_EQ(labelText(window, "lblID"), "1");
    EXPECT_EQ(labelText(window, "lblTotal"), "---");
    EXPECT_EQ(window.box(TransactionForm::txtShares)->text(), "200");
    EXPECT_TRUE(window.cmdOK()->isEnabled());

    window.box(TransactionForm::txtShares)->clear();
    QTest::keyClicks(window.box(TransactionForm::txtShares), "50");
    EXPECT_EQ(form.text(TransactionForm::txtShares), "50");
    QTest::keyClicks(window.box(TransactionForm::txtComm), "x");
    EXPECT_EQ(window.box(TransactionForm::txtComm)->text(), "0");
    screenshot(window, "frmPurchace");

    QTest::mouseClick(window.cmdOK(), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(portfolioFile()[2].Shares, 50);
    EXPECT_EQ(portfolioFile()[2].Action, "Sell");
}

TEST_F(EditingWindows, ThePickerHandsTheClickedPurchaseOver)
{
    Transactions()[1] = Buy("IBM", 200, 72.5f, 1);
    Transactions()[2] = Buy("IBM", 100, 80, 2);
    TransMode() = "Sell";
    TransSymbol() = "IBM";
    PurchasePicker picker;
    picker.Form_Load();
    LastPar window(picker);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), "Select Parchase");
    EXPECT_EQ(picker.FG().ColWidth(3), 0);
    EXPECT_GT(picker.FG().ColWidth(0), 0);

    picker.FG().setRow(3);
    emit window.FG()->Click();
    EXPECT_DOUBLE_EQ(LotPrice(), 80);
    EXPECT_EQ(TransactionId(), 2);
    screenshot(window, "LastPar");
    QTest::mouseClick(window.cmdOK(), Qt::LeftButton);
    EXPECT_TRUE(picker.accepted());
}

TEST_F(EditingWindows, TheSetEditorShowsAndEditsTheSet)
{
    test::dialogs().inputAnswers << "intc";
    QPointer<StkSet> window = new StkSet(sets);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(StkSet::instance(), window.data());
    EXPECT_EQ(window->lstSets()->count(), 21);
    EXPECT_EQ(window->lstSets()->currentRow(), 0);
    EXPECT_EQ(window->lstStk()->count(), 5);
    EXPECT_FALSE(window->cmdApply()->isEnabled());
    EXPECT_EQ(window->lblAction(2)->text(), "Find Stock Symbol");
    EXPECT_EQ(window->lblAction(0)->toolTip(), "Click To Add New Stock To Selected Group");

    QTest::mouseClick(window->lblAction(0), Qt::LeftButton);
    EXPECT_EQ(window->lstStk()->count(), 6);
    EXPECT_EQ(window->lstStk()->item(5)->text(), "INTC");
    EXPECT_TRUE(window->cmdApply()->isEnabled());
    EXPECT_EQ(window->lblAction(0)->tone(), ActionLabel::Tone::Blue);  // released: blue again

    const QRect first = window->lstStk()->visualItemRect(window->lstStk()->item(0));
    QTest::mouseClick(window->lstStk()->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(window->txtAlert(0)->text(), "75");
    EXPECT_EQ(window->txtAlert(1)->text(), "95.5");
    QTest::keyClicks(window->txtAlert(1), "q");
    EXPECT_EQ(window->txtAlert(1)->text(), "");
    QTest::keyClicks(window->txtAlert(1), "99");
    screenshot(*window, "StkSet");

    window->findChild<QPushButton*>("cmdApply")->click();
    EXPECT_FLOAT_EQ(Stocks()[0].TargetHigh, 99);
    EXPECT_EQ(Stocks()[5].Symbol, "INTC");
    window->findChild<QPushButton*>("cmdCancel")->click();
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST_F(EditingWindows, TheSetEditorAsksBeforeAnotherSetReplacesTypedSymbols)
{
    test::dialogs().inputAnswers << "intc";
    test::dialogs().msgAnswers << Dialogs::vbCancel << Dialogs::vbNo;
    QPointer<StkSet> window = new StkSet(sets);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QTest::mouseClick(window->lblAction(0), Qt::LeftButton);
    ASSERT_EQ(window->lstStk()->count(), 6);

    // Cancel: the list stays on the set with what was typed.
    const QRect other = window->lstSets()->visualItemRect(window->lstSets()->item(2));
    QTest::mouseClick(window->lstSets()->viewport(), Qt::LeftButton, {}, other.center());
    EXPECT_EQ(test::dialogs().shown.last().prompt, "Apply the changes to Group0 first?");
    EXPECT_EQ(window->lstSets()->currentRow(), 0);
    EXPECT_EQ(window->lstStk()->count(), 6);
    EXPECT_TRUE(window->cmdApply()->isEnabled());

    // No: the other set is shown and nothing was written.
    QTest::mouseClick(window->lstSets()->viewport(), Qt::LeftButton, {}, other.center());
    EXPECT_EQ(window->lstSets()->currentRow(), 2);
    EXPECT_EQ(window->lstStk()->count(), 0);
    EXPECT_FALSE(window->cmdApply()->isEnabled());
    window->findChild<QPushButton*>("cmdCancel")->click();
}

TEST_F(EditingWindows, TheDetailCardShowsItsStockAndStoresItsAlerts)
{
    Stocks()[0].PctChange = "+1.25%";
    QPointer<Properties> window = new Properties(std::make_unique<DetailCard>(Stocks()[0], 0));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->windowTitle(), "International Business Machines");
    EXPECT_EQ(labelText(*window, "lbl1(0)"), "Last Sale:");
    EXPECT_EQ(window->lblData(0)->text(), "81.25");
    EXPECT_EQ(window->txtTarget(0)->text(), "75");
    EXPECT_EQ(Properties::PropWidth, window->width() * 15);

    QTest::keyClicks(window->txtTarget(0), "x");
    EXPECT_EQ(window->txtTarget(0)->text(), "0");
    window->txtTarget(0)->clear();
    QTest::keyClicks(window->txtTarget(0), "70");
    screenshot(*window, "Properties");

    window->ToggleSize();
    EXPECT_LT(window->width() * 15, Properties::PropWidth);
    window->ToggleSize();
    EXPECT_EQ(window->width() * 15, Properties::PropWidth);

    window->findChild<QPushButton*>("cmdOK")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_FLOAT_EQ(Stocks()[0].TargetLow, 70);
    EXPECT_FLOAT_EQ(Stocks()[0].TargetHigh, 95.5f);
}

TEST_F(EditingWindows, ShrinkStepsFollowTheFullSize)
{
    const auto steps = Properties::shrinkSteps(QSize(6735, 7000));
    ASSERT_EQ(steps.size(), 9u);
    EXPECT_EQ(steps.front(), QSize(6735 - 674 + 120, 7000 - 700));
    EXPECT_EQ(steps.back(), QSize(6735 - 9 * (674 - 120), 700));
}

TEST_F(EditingWindows, DialogsGoBelowTheTickerCentredOnTheMainWindow)
{
    EXPECT_EQ(DialogPosition(QRect(100, 50, 800, 600), 80, 1500, QSize(300, 200)), QPoint(100 + 250, 80 + 2200 / 15));

    QWidget main;
    main.resize(900, 600);
    main.move(40, 30);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    QWidget dialog(&main, Qt::Dialog);
    dialog.resize(300, 200);
    EXPECT_FALSE(PlaceBelowTicker(&dialog, nullptr, 300));  // no main window known yet
    EXPECT_TRUE(PlaceBelowTicker(&dialog, &main, 300));
    EXPECT_EQ(dialog.pos().y(), main.mapToGlobal(QPoint(0, 0)).y() + 1000 / 15);
}

TEST_F(EditingWindows, TheProgramsWindowsBelongToTheMainWindowTheyAreGiven)
{
    QWidget main;
    main.resize(900, 600);
    main.move(40, 30);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    host.owner = &main;
    host.tickerTop = 300;
    RealEditorWindows real(host, sets);

    real.showSetEditor();
    QPointer<StkSet> editor = StkSet::instance();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->parentWidget(), &main);
    real.showSetEditor();  // the open one comes to the front; no second editor
    EXPECT_EQ(StkSet::instance(), editor.data());
    EXPECT_EQ(main.findChildren<StkSet*>().size(), 1);

    real.showDetailCard(std::make_unique<DetailCard>(Stocks()[0], 0));
    const QList<Properties*> cards = main.findChildren<Properties*>();
    ASSERT_EQ(cards.size(), 1);
    // Placed on the screen, not on the main window: half the main window's width
    // to the left of the card's middle (the card may grow a few pixels to its
    // layout's minimum once shown), 700 twips below the ticker's top.
    const QPoint screen = main.screen()->geometry().topLeft();
    EXPECT_EQ(cards[0]->y(), screen.y() + 1000 / 15);
    EXPECT_NEAR(cards[0]->x() + cards[0]->frameGeometry().width() / 2,
                screen.x() + main.frameGeometry().width() / 2, 4);
}
