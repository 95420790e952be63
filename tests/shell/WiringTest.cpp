// The main window with its windows wired: the Options window, the set editor, the
// grid popup and the main grid's events, the tree popup, the stock strip's click and
// double click, and the tree's portfolio, stock and root nodes - each driven
// through the window's own controls; the menus item by item, the ticker menu with
// the news ticker it feeds, the help topics and the Update submenu's "Hang-up".
#include "ShellFixture.h"

#include "core/Options.h"
#include "platform/Dialer.h"
#include "platform/FlexGridView.h"
#include "platform/Help.h"
#include "platform/Sites.h"
#include "platform/TreeModel.h"
#include "platform/TreeView.h"
#include "sheets/MainGridEvents.h"
#include "shell/NewsTicker.h"
#include "shell/TickerFeeds.h"
#include "shell/frmMain.h"
#include "stockdata/DetailCard.h"
#include "stockdata/EditorWindows.h"
#include "stockdata/Portfolio.h"
#include "stockdata/PurchasePicker.h"
#include "stockdata/StockSetEditor.h"
#include "stockdata/TransactionForm.h"
#include "tree/NavigationTree.h"
#include "stockdata/ProgramState.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Records the editing windows instead of showing them; every transaction window
// is cancelled.
class RecordedWindows : public EditorWindows
{
public:
    QStringList transactions;  // "TransMode|caption|symbol"
    QStringList cards;         // the symbol of each card
    int setEditors = 0;

    void showTransaction(TransactionForm& form) override
    {
        transactions << TransMode() + QLatin1Char('|') + form.caption + QLatin1Char('|') + TransSymbol();
        form.cmdCancel_Click();
    }
    void showPicker(PurchasePicker& picker) override { picker.cmdCancel_Click(); }
    void showDetailCard(std::unique_ptr<DetailCard> card) override { cards << card->symbol(); }
    void showSetEditor() override { ++setEditors; }
};

PortRec purchase(const QString& symbol, std::int16_t shares, float price, std::int16_t lot)
{
    PortRec r;
    r.Symbol = symbol;
    r.TransDate = QStringLiteral("01/02/2003");
    r.Price = price;
    r.Shares = shares;
    r.Commission = 5;
    r.PriceText = QStringLiteral("12");
    r.Action = QStringLiteral("Buy");
    r.LotId = lot;
    return r;
}

class FakeDialUp : public Dialer::Probe
{
public:
    int active = 0;
    int hangUps = 0;
    int activeConnections() override { return active; }
    QString defaultEntry() override { return QString(); }
    bool dial(const QString&) override { return false; }
    bool hangUp() override
    {
        ++hangUps;
        return true;
    }
    bool isConnected() override { return active > 0; }
};

class WiringTest : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        installEditorWindows(&windows);
        SortAsc() = 0;
        // Set 0 holds S00..S04; S01 was bought once (lot 1) and S03 once (lot 2).
        writeSet(0, symbols(5));
        Transactions()[1] = purchase(QStringLiteral("S01"), 100, 10, 1);
        Transactions()[2] = purchase(QStringLiteral("S03"), 50, 20, 2);
        ASSERT_TRUE(SavePortfolio());
        ASSERT_TRUE(LoadPortfolio());
    }

    void TearDown() override
    {
        form.reset();
        installEditorWindows(nullptr);
        ShellTest::TearDown();
    }

    frmMain& loaded()
    {
        form = std::make_unique<frmMain>(test::views());
        form->setEndProgram([] {});
        form->setPopupOpener([this](QMenu* menu, const QPoint&) { popups << menu->title(); });
        form->Form_Load();
        form->show();
        return *form;
    }

    // Visible items of a popup: their captions, "(off)" after a disabled one.
    static QStringList shownItems(const std::array<QAction*, 10>& items)
    {
        QStringList list;
        for (QAction* a : items)
            if (a->isVisible() && !a->isSeparator())
                list << a->text() + (a->isEnabled() ? QString() : QStringLiteral("(off)"));
        return list;
    }
    static QStringList shownItems(const std::array<QAction*, 12>& items)
    {
        QStringList list;
        for (QAction* a : items)
            if (a->isVisible() && !a->isSeparator())
                list << a->text() + (a->isEnabled() ? QString() : QStringLiteral("(off)"));
        return list;
    }

    // A point of the main grid's viewport over cell (row, col).
    QPoint cellPoint(int row, int col) const
    {
        QPoint at(-1, -1);
        for (int y = 0; y < form->FG->viewport()->height() && at.y() < 0; ++y)
            if (form->FG->rowAtTwips(y * 15.0) == row)
                at.setY(y + 2);
        for (int x = 0; x < form->FG->viewport()->width() && at.x() < 0; ++x)
            if (form->FG->colAtTwips(x * 15.0) == col)
                at.setX(x + 2);
        return at;
    }

    void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held = {})
    {
        QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(w, &event);
    }

    void gridPress(int row, int col, Qt::MouseButton button)
    {
        mouse(form->FG->viewport(), QEvent::MouseButtonPress, cellPoint(row, col), button, button);
    }
    void gridRelease(int row, int col, Qt::MouseButton button)
    {
        mouse(form->FG->viewport(), QEvent::MouseButtonRelease, cellPoint(row, col), button);
    }
    void gridClick(int row, int col, Qt::MouseButton button = Qt::LeftButton)
    {
        gridPress(row, col, button);
        gridRelease(row, col, button);
    }

    int gridRow(int col, const QString& text) const
    {
        for (int r = 1; r < form->grid().Rows(); ++r)
            if (form->grid().TextMatrix(r, col) == text)
                return r;
        return -1;
    }

    void clickNode(const QString& key) { emit form->TreeView1->NodeClick(key); }

    // "caption|v|e|c": visible, enabled, checked as 1 or 0; separators as "-".
    template <std::size_t N>
    static QStringList items(const std::array<QAction*, N>& actions)
    {
        QStringList list;
        for (QAction* a : actions) {
            if (!a) {
                list << QStringLiteral("(none)");
                continue;
            }
            QString text = a->isSeparator() ? QStringLiteral("-") : a->text();
            if (!a->shortcut().isEmpty())
                text += QStringLiteral("[") + a->shortcut().toString() + QStringLiteral("]");
            list << text + QStringLiteral("|%1%2%3").arg(int(a->isVisible())).arg(int(a->isEnabled())).arg(
                               int(a->isChecked()));
        }
        return list;
    }

    static void click(QWidget* w, QPoint at)
    {
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(w, &e);
        }
    }

    RecordedWindows windows;
    std::unique_ptr<frmMain> form;
    QStringList popups;
};

TEST_F(WiringTest, SettingOpensTheOptionsWindowAtItsPage)
{
    frmMain& f = loaded();
    f.move(f.screen()->geometry().topLeft() + QPoint(130, 90));
    int mainWidth = f.frameGeometry().width();
    QVector<int> pages;
    auto look = [&](QWidget* w) {
        auto* options = qobject_cast<Options*>(w);
        pages << (options ? options->model().CurrentPage : -1);
        EXPECT_EQ(w->parentWidget(), &f);
        // Half the main window's width to the left of its middle and 700 twips below the
        // ticker's top, both taken on the screen: the main window's own place does not
        // move it. A window that would start left of the screen is moved inside it.
        const QPoint screen = f.screen()->geometry().topLeft();
        const int left = screen.x() + mainWidth / 2 - w->width() / 2;
        EXPECT_NEAR(w->x(), std::max(left, f.screen()->availableGeometry().left()), 1);
        EXPECT_EQ(w->y(), screen.y() + (f.ports().newsTickerTop() + 700) / 15);
    };

    setSetting(Settings::FrmNav, QStringLiteral("2"));
    answerModal(look);
    f.Picture1_Click(6);  // the "Setting" button: the page shown last
    answerModal(look);
    QTest::keyClick(f.FG, Qt::Key_N, Qt::AltModifier);
    answerModal(look);
    f.mnuSetting[5]->trigger();  // "Network Setting"
    EXPECT_EQ(pages, QVector<int>({2, 2, 5}));
    EXPECT_EQ(setting(Settings::FrmNav), QStringLiteral("5"));

    // The hidden "Setting" item: the inner width, and the page stored last.
    f.resize(f.width() - 40, f.height());
    mainWidth = f.width();
    answerModal(look);
    f.mnu_Preference->trigger();
    EXPECT_EQ(pages, QVector<int>({2, 2, 5, 5}));
    EXPECT_EQ(setting(Settings::FrmNav), QStringLiteral("5"));
}

TEST_F(WiringTest, StocksButtonAndGroupsOpenTheSetEditorAndTheSetMenuShowsTheStoredNames)
{
    Settings::SaveSettingAt(QString::fromLatin1(Settings::GroupsKey), Settings::GroupValueName(0),
                            QStringLiteral("Tech"));
    Settings::SaveSettingAt(QString::fromLatin1(Settings::GroupsKey), Settings::GroupValueName(4),
                            QStringLiteral("Banks"));
    frmMain& f = loaded();

    mouse(f.Picture1[4], QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    mouse(f.Picture1[4], QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton);
    EXPECT_EQ(windows.setEditors, 1);
    mouse(f.Panel1[1], QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(windows.setEditors, 2);

    const QStringList names = SetNames();
    ASSERT_EQ(names.size(), int(f.mnuSet.size()));
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(f.mnuSet[i]->text(), names[i]) << i;
    EXPECT_EQ(f.mnuSet[4]->text(), QStringLiteral("Banks"));
    EXPECT_EQ(f.panelText(1), QStringLiteral("Tech"));

    // The editor's new names reach the menu: the main window follows the sets' announcement.
    Settings::SaveSettingAt(QString::fromLatin1(Settings::GroupsKey), Settings::GroupValueName(7),
                            QStringLiteral("Energy"));
    f.stockSets().namesEdited();
    EXPECT_EQ(f.mnuSet[7]->text(), QStringLiteral("Energy"));
    QTest::keyClick(f.FG, Qt::Key_F2);
    EXPECT_EQ(popups.last(), QStringLiteral("Sets"));
}

TEST_F(WiringTest, GridPopupInTheHoldingsSellsTheShareOfTheRow)
{
    frmMain& f = loaded();
    clickNode(QStringLiteral("PortDetail"));
    ASSERT_EQ(CurrentView(), QStringLiteral("Port"));
    int row = -1;
    for (int r = 1; r < f.grid().Rows() && row < 0; ++r)
        if (f.grid().TextMatrix(r, 0) == QStringLiteral("S03") && !f.grid().TextMatrix(r, 10).isEmpty())
            row = r;
    ASSERT_GT(row, 0);

    // A left click picks the row; the right button offers the holdings' items.
    gridClick(row, 1);
    gridClick(row, 3, Qt::RightButton);
    ASSERT_EQ(popups, QStringList{QStringLiteral("Edit")});
    EXPECT_EQ(shownItems(f.mnuEdit), QStringList({"Copy", "Select All", "Old Style Background", "Sell Share"}));
    f.mnuEdit[6]->trigger();
    EXPECT_EQ(windows.transactions, QStringList{QStringLiteral("Sell|Sell Share|S03")});

    // A total row holds no purchase: "Sell Share" is offered disabled.
    const int empty = gridRow(0, QStringLiteral("    Total:"));
    ASSERT_GT(empty, 0);
    gridClick(empty, 1);
    gridClick(empty, 1, Qt::RightButton);
    EXPECT_TRUE(shownItems(f.mnuEdit).contains(QStringLiteral("Sell Share(off)")));

    // A double click on a holding edits its purchase.
    gridClick(row, 1);
    mouse(f.FG->viewport(), QEvent::MouseButtonDblClick, cellPoint(row, 1), Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(windows.transactions.size(), 2);
    EXPECT_EQ(windows.transactions[1], QStringLiteral("Edit|Edit Transection|S03"));
}

TEST_F(WiringTest, GridPopupPerViewAndItsSimpleItems)
{
    frmMain& f = loaded();
    clickNode(QStringLiteral("PortLog"));
    gridClick(2, 1, Qt::RightButton);
    EXPECT_EQ(shownItems(f.mnuEdit), QStringList({"Copy", "Select All", "Edit Transection", "Delete Transection"}));

    clickNode(QStringLiteral("All"));
    ASSERT_EQ(CurrentView(), QStringLiteral("Current"));
    gridClick(2, 1, Qt::RightButton);
    EXPECT_EQ(shownItems(f.mnuEdit), QStringList({"Copy", "Select All", "Old Style Background", "Delete Share"}));
    EXPECT_EQ(popups.size(), 2);

    // "Old Style Background" flips the mark the quotes view reads and redraws.
    f.mnuEdit[4]->trigger();
    EXPECT_TRUE(OldStyleBackgroundChecked());
    EXPECT_TRUE(f.mnuEdit[4]->isChecked());
    // "Select All" and "Copy" work on the main grid.
    f.mnuEdit[2]->trigger();
    EXPECT_EQ(f.grid().RowSel(), f.grid().Rows() - 1);
    f.mnuEdit[0]->trigger();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(QStringLiteral("S02 Corp")));

    // A view without a popup opens none.
    CurrentView() = QStringLiteral("PortSelected");
    gridClick(2, 1, Qt::RightButton);
    EXPECT_EQ(popups.size(), 2);
}

TEST_F(WiringTest, MainGridSortsCopiesAndDragsItsColumns)
{
    frmMain& f = loaded();
    clickNode(QStringLiteral("All"));
    FlexGrid& g = f.grid();
    const int company = 1;
    ASSERT_EQ(g.TextMatrix(0, company), QStringLiteral("Companey"));

    // Double clicks on a column sort by it, up then down.
    gridClick(3, company);
    mouse(f.FG->viewport(), QEvent::MouseButtonDblClick, cellPoint(3, company), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(SortAsc(), 1);
    mouse(f.FG->viewport(), QEvent::MouseButtonDblClick, cellPoint(3, company), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(SortAsc(), 2);
    // The hidden row under the header stays in place: the data keep starting at row 2.
    QStringList companies;
    for (int r = 1; r < g.Rows(); ++r)
        companies << g.TextMatrix(r, company);
    EXPECT_EQ(companies, QStringList({"", "S04 Corp", "S03 Corp", "S02 Corp", "S01 Corp", "S00 Corp"}));
    EXPECT_EQ(g.RowHeight(1), 0);
    EXPECT_EQ(g.FixedRows(), 1);

    // Ctrl+C copies the selected cell, Ctrl+A selects the whole grid.
    gridClick(gridRow(company, QStringLiteral("S04 Corp")), company);
    f.FG->setFocus();
    QTest::keyClick(f.FG, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("S04 Corp"));
    QTest::keyClick(f.FG, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(g.RowSel(), g.Rows() - 1);
    EXPECT_EQ(g.ColSel(), g.Cols() - 1);

    // Dragging the header of column 2 onto column 4: the column moves, the marker
    // shows while dragging, and the layout is recorded.
    const QString moved = g.TextMatrix(0, 2);
    gridPress(0, 2, Qt::LeftButton);
    g.setRow(0);
    g.setCol(2);
    EXPECT_EQ(g.CellForeColor(), 0xFF0000);
    QPoint at = cellPoint(0, 2);
    mouse(f.FG->viewport(), QEvent::MouseMove, at + QPoint(5, 0), Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(g.dragging());
    EXPECT_EQ(DragCol(), 2);
    mouse(f.FG->viewport(), QEvent::MouseMove, cellPoint(0, 4), Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(f.picSplit->isVisible());
    gridRelease(0, 4, Qt::LeftButton);
    EXPECT_FALSE(f.picSplit->isVisible());
    EXPECT_FALSE(g.dragging());
    EXPECT_EQ(g.TextMatrix(0, 4), moved);
    EXPECT_EQ(LayOut()[4].Caption, moved);
    EXPECT_TRUE(QFile::exists(LayoutFilePath()));
}

TEST_F(WiringTest, TreePopupFollowsTheRememberedNodeAndActsOnTheStock)
{
    frmMain& f = loaded();
    TreeModel* model = f.treeModel();
    ASSERT_NE(model, nullptr);

    // On the root only "&Collapse All".
    emit f.TreeView1->MouseDown(2, 0, 300, 300);
    ASSERT_EQ(popups, QStringList{QStringLiteral("Tree")});
    EXPECT_EQ(shownItems(f.mnuTree), QStringList{QStringLiteral("&Collapse All")});

    // A real click on a held stock: every item, "&Sell" and "S&plit" enabled.
    TreeNode* stock = model->Node(QStringLiteral("ID1"));
    f.TreeView1->expandItem(f.TreeView1->itemOf(stock->Parent()));
    QTest::mouseClick(f.TreeView1->viewport(), Qt::LeftButton, {},
                      f.TreeView1->visualItemRect(f.TreeView1->itemOf(stock)).center());
    EXPECT_EQ(CurrentSymbol(), QStringLiteral("S01"));
    QTest::mouseClick(f.TreeView1->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(shownItems(f.mnuTree),
              QStringList({"&Collapse All", "&Buy", "&Sell", "S&plit", "&Delete", "Empty S&tock Cache",
                           "&Update Selected Stock", "&Properties"}));
    f.mnuTree[2]->trigger();
    f.mnuTree[3]->trigger();
    EXPECT_EQ(windows.transactions,
              QStringList({"NewStock|Parchase Share|S01", "Sell|Sell Share|S01"}));

    // A stock never bought: "&Sell" and "S&plit" disabled.
    clickNode(QStringLiteral("ID2"));
    emit f.TreeView1->MouseDown(2, 0, 300, 300);
    EXPECT_TRUE(shownItems(f.mnuTree).contains(QStringLiteral("&Sell(off)")));
    EXPECT_TRUE(shownItems(f.mnuTree).contains(QStringLiteral("S&plit(off)")));

    // "&Properties" opens the card of the stock in the strip; "&Collapse All" closes
    // every node.
    f.mnuTree[11]->trigger();
    EXPECT_EQ(windows.cards, QStringList{QStringLiteral("S02")});
    f.mnuTree[0]->trigger();
    EXPECT_FALSE(model->Node(QStringLiteral("All"))->Expanded());
}

TEST_F(WiringTest, StripClickSelectsTheStockAndItsPicturesOpenTheCardAndThePopup)
{
    frmMain& f = loaded();
    clickNode(QStringLiteral("All"));
    ASSERT_EQ(f.stripSymbol(3), QStringLiteral("S03"));

    // Click: current everywhere, the label bold blue, the quotes row selected.
    mouse(f.img[3], QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(f.strip().items[3].framed);
    EXPECT_TRUE(f.Shape1->isVisible());
    mouse(f.img[3], QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton);
    EXPECT_FALSE(f.strip().items[3].framed);
    EXPECT_FALSE(f.Shape1->isVisible());
    EXPECT_EQ(CurrentSymbol(), QStringLiteral("S03"));
    EXPECT_EQ(CurrentIndex(), 3);
    EXPECT_TRUE(f.strip().items[3].bold);
    EXPECT_EQ(f.strip().items[3].foreColor, kHighlightColour);
    EXPECT_FALSE(f.strip().items[0].bold);
    EXPECT_TRUE(f.treeModel()->Node(QStringLiteral("ID3"))->Selected());
    EXPECT_EQ(f.grid().TextMatrix(f.grid().Row(), 1), QStringLiteral("S03 Corp"));
    EXPECT_EQ(f.grid().ColSel(), 1);

    // The double click after it: a card of that stock (and no second click).
    mouse(f.img[3], QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    mouse(f.img[3], QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton);
    EXPECT_EQ(windows.cards, QStringList{QStringLiteral("S03")});

    // The right button: the stock items without "&Collapse All"; the slot stays unframed.
    mouse(f.img[1], QEvent::MouseButtonPress, {5, 5}, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(popups, QStringList{QStringLiteral("Tree")});
    EXPECT_FALSE(f.mnuTree[0]->isVisible());
    EXPECT_FALSE(f.strip().items[1].framed);
    EXPECT_EQ(shownItems(f.mnuTree).size(), 7);
    EXPECT_TRUE(f.mnuTree[3]->isEnabled());  // S03 is held

    // A stock's sheet on the grid is shown again for the clicked stock; the
    // consensus trend stays as it is.
    for (const char* view : {"ABS", "EC"}) {
        CurrentView() = QString::fromLatin1(view);
        f.grid().setRows(3);
        f.grid().setCols(2);
        f.grid().setTextMatrix(2, 1, QStringLiteral("before"));
        f.img_Click(view == QLatin1String("ABS") ? 1 : 2);
        EXPECT_EQ(CurrentView(), QString::fromLatin1(view));
        EXPECT_EQ(f.grid().Rows() >= 3 && f.grid().Cols() >= 2 && f.grid().TextMatrix(2, 1) == "before",
                  view == QLatin1String("EC"))
            << view;
    }
}

TEST_F(WiringTest, NodeClicksOfThePortfolioTheStocksAndTheRoot)
{
    frmMain& f = loaded();
    TreeModel* model = f.treeModel();
    QString tid;
    for (int i = 1; i <= model->Count(); ++i)
        if (model->Nodes(i)->Key().startsWith(QLatin1String("TID")) && model->Nodes(i)->Text() == "S03")
            tid = model->Nodes(i)->Key();
    ASSERT_FALSE(tid.isEmpty());

    struct Case
    {
        QString key;
        QString view;
    };
    const Case cases[] = {
        {tid, QStringLiteral("PortSelected")},
        {QStringLiteral("PortLog"), QStringLiteral("PortLog")},
        {QStringLiteral("PortDetail"), QStringLiteral("Port")},
        {QStringLiteral("All"), QStringLiteral("Current")},
        {QStringLiteral("Market"), QStringLiteral("Current")},  // no arm yet: the view stays
    };
    for (const Case& c : cases) {
        clickNode(c.key);
        EXPECT_EQ(CurrentView(), c.view) << c.key.toStdString();
        EXPECT_EQ(f.navigationTree()->LastNodeIndex(), model->Node(c.key)->Index()) << c.key.toStdString();
    }
    EXPECT_EQ(f.grid().TextMatrix(0, 1), QStringLiteral("Companey"));

    // A stock from another view: the quotes with its row selected, the strip on it.
    clickNode(QStringLiteral("PortLog"));
    clickNode(QStringLiteral("ID2"));
    EXPECT_EQ(CurrentSymbol(), QStringLiteral("S02"));
    EXPECT_EQ(CurrentView(), QStringLiteral("Current"));
    EXPECT_EQ(f.grid().TextMatrix(f.grid().Row(), 1), QStringLiteral("S02 Corp"));
    EXPECT_EQ(f.stripSymbol(0), QStringLiteral("S02"));
    EXPECT_TRUE(f.strip().items[0].bold);

    // "Clear All" asks; No keeps the portfolio, Yes empties it.
    test::dialogs().msgAnswers << Dialogs::vbNo << Dialogs::vbYes;
    clickNode(QStringLiteral("PortClear"));
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_EQ(test::dialogs().shown[0].title, QStringLiteral("Delete Portfolio Information?"));
    EXPECT_EQ(test::dialogs().shown[0].prompt,
              QStringLiteral("Do you really want to delete all portfolio information?"));
    EXPECT_EQ(test::dialogs().shown[0].buttons,
              Dialogs::vbYesNo + Dialogs::vbExclamation + Dialogs::vbDefaultButton2);
    EXPECT_EQ(TransCount(), 2);
    clickNode(QStringLiteral("PortClear"));
    EXPECT_EQ(TransCount(), 0);
    EXPECT_TRUE(Transactions()[1].Symbol.isEmpty());
}

TEST_F(WiringTest, EveryMenuWithItsItemsAndTheirStatesAtStart)
{
    frmMain& f = loaded();
    EXPECT_EQ(items(f.mnuStart), QStringList({"U&pdate|110", "-|110", "&Email|110", "(none)", "&Setting|110",
                                              "&Help|110", "&About Tradewright|110", "-|110",
                                              "Sh&ut Down  (Alt X)|110"}));
    EXPECT_EQ(items(f.mnuUpdate), QStringList({"Update Selected Group|110", "Update Selected Stock|110",
                                               "Update All Groups|000", "-|110", "Hang-up|110"}));
    EXPECT_EQ(items(f.mnuEmail), QStringList({"New Massage|110", "Tell It To Your Friend|110", "Bug Report|110",
                                              "Send Error Log To Orvane|110", "Send Feedback To Orvane|110",
                                              "Technical Support |110"}));
    EXPECT_EQ(items(f.mnuSetting), QStringList({"Daily Consulting|110", "Stock Data|110", "Market Data|110",
                                                "Funds|110", "Voice Option|110", "Network Setting|110",
                                                "Tradewright Preferences|110"}));
    EXPECT_EQ(items(f.mnuHelp), QStringList({"Documentation|110", "Getting Started|110", "How To..|110",
                                             "References|110", "Keyboard Shortcut|110",
                                             "Tecnical Support or Questions|110", "-|110", "Relax\tF9|110"}));
    EXPECT_EQ(f.mnu_Preferences->title(), QStringLiteral("Preferences"));
    EXPECT_EQ(f.mnu_Preference->text(), QStringLiteral("Setting"));
    EXPECT_EQ(f.mnuPro->title(), QStringLiteral("NewProcess"));
    EXPECT_EQ(items(f.mnuProcess), QStringList({"Manage Stocks|110", "-|110", "Add Share|110", "Remove Share|110",
                                                "-|110", "Parchase|110", "Sell Share|110"}));
    EXPECT_EQ(items(f.mnuTicker),
              QStringList({"Selected Stock Headlines|111", "Selected Stock Prices|110", "-|110",
                           "All Stocks Headlines|110", "All Stocks Price|110", "-|110", "Market Headlines|110",
                           "-|110", "Put on air selected  stock headlines|110", "Put on air selected stock Prices|110",
                           "-|110", "Put on air all news headlines|110", "Put on air all stocks Prices|110"}));
    EXPECT_EQ(items(f.mnuTree), QStringList({"&Collapse All|110", "-|110", "&Buy|110", "&Sell|100", "S&plit|100",
                                             "-|110", "&Delete|110", "Empty S&tock Cache|110", "-|110",
                                             "&Update Selected Stock|110", "-|110", "&Properties|110"}));
    EXPECT_EQ(items(f.mnuEdit), QStringList({"Copy[Ctrl+C]|110", "-|110", "Select All[Ctrl+A]|110", "-|110",
                                             "Old Style Background|110", "-|110", "Sell Share|000",
                                             "Delete Share|000", "Edit Transection|000", "Delete Transection|000"}));
    EXPECT_EQ(items(f.mnuTray), QStringList({"Update|110", "-|110", "New Massage|110", "Tell It To Your Friend|110",
                                             "(none)", "-|110", "Help|110", "About|110", "-|110",
                                             "Shut Down Tradewright|110"}));
    EXPECT_EQ(f.mnuReport[16]->isEnabled(), true);
    for (int i = 0; i <= 15; ++i)
        EXPECT_FALSE(f.mnuReport[i]->isEnabled()) << i;
    QStringList titles;
    for (QMenu* m : {f.mnuStarts, f.mnuDataSheet, f.mnu_Preferences, f.mnuSets, f.mnuTickers, f.mnuTrees,
                     f.mnuEdits, f.mnuPro, f.mnuReports, f.mnuTrays})
        titles << m->title();
    EXPECT_EQ(titles, QStringList({"Start", "DataSheet", "Preferences", "Sets", "Ticker", "Tree", "Edit",
                                   "NewProcess", "Reports", "Tray"}));
    // The shown keys do nothing by themselves: the menus belong to no window.
    EXPECT_EQ(f.mnuEdit[0]->shortcutContext(), Qt::WidgetShortcut);
}

TEST_F(WiringTest, TheTickerButtonAndItsMenuFeedTheTicker)
{
    frmMain& f = loaded();
    EXPECT_TRUE(f.NewsTicker1->caption().isEmpty());  // empty until the first feed

    // The button and Alt+T open the ticker menu.
    f.Picture1_Click(1);
    QTest::keyClick(f.FG, Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(popups, QStringList({"Ticker", "Ticker"}));

    // "All Stocks Price": the whole set, the check mark on it.
    f.mnuTicker[4]->trigger();
    EXPECT_EQ(f.NewsTicker1->caption(), TickerQuotesText());
    EXPECT_EQ(f.NewsTicker1->items().size(), 2);
    EXPECT_EQ(items(f.mnuTicker).filter(QStringLiteral("|111")), QStringList{"All Stocks Price|111"});

    // The two coming items give their notice and mark item 0 beside themselves; the
    // ticker keeps what it shows.
    for (int i : {3, 6}) {
        test::dialogs().reset();
        f.mnuTicker[i]->trigger();
        ASSERT_EQ(test::dialogs().shown.size(), 1);
        EXPECT_EQ(test::dialogs().shown[0].title, QStringLiteral(" Coming Soon.."));
        EXPECT_EQ(test::dialogs().shown[0].prompt,
                  QStringLiteral("This option will be available in the next coming version, stay tune!"));
        EXPECT_EQ(test::dialogs().shown[0].buttons, Dialogs::vbOKOnly + Dialogs::vbInformation);
        EXPECT_TRUE(f.mnuTicker[0]->isChecked());
        EXPECT_TRUE(f.mnuTicker[i]->isChecked());
        EXPECT_EQ(f.NewsTicker1->caption(), TickerQuotesText());
    }

    // "Selected Stock Prices", then a click on the strip: the new stock's prices.
    f.ShowStockHeader(QStringLiteral("S01"));
    f.mnuTicker[1]->trigger();
    EXPECT_EQ(f.NewsTicker1->caption(), TickerQuotesDetailText(1));
    f.img_Click(2);  // S03
    EXPECT_EQ(CurrentSymbol(), QStringLiteral("S03"));
    EXPECT_EQ(f.NewsTicker1->caption(), TickerQuotesDetailText(3));
    EXPECT_TRUE(f.mnuTicker[1]->isChecked());
    // The speech items leave the marks and the ticker alone.
    f.mnuTicker[8]->trigger();
    EXPECT_TRUE(f.mnuTicker[1]->isChecked());
    EXPECT_EQ(f.NewsTicker1->caption(), TickerQuotesDetailText(3));

    // Headlines: choosing a stock in the tree moves the mark back to item 0.
    f.mnuTicker[4]->trigger();
    f.ShowStockHeader(QStringLiteral("S02"));
    EXPECT_TRUE(f.mnuTicker[0]->isChecked());
    EXPECT_FALSE(f.mnuTicker[4]->isChecked());
    EXPECT_EQ(f.NewsTicker1->caption(), TickerHeadlinesHeader(QStringLiteral("S02 Corp")));
}

TEST_F(WiringTest, AClickOnAHeadlineOfTheRunningTicker)
{
    QDir().mkpath(appFile(QStringLiteral("Cache/News")));
    QFile file(appFile(QStringLiteral("Cache/News/S01.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\" First #http://news.example/1# story;\"\r\n\" Second ## story;\"\r\n");
    file.close();
    frmMain& f = loaded();
    f.ShowStockHeader(QStringLiteral("S01"));
    NewsTicker* ticker = f.NewsTicker1;
    EXPECT_EQ(ticker->items(),
              QStringList({"... Latest S01 Corp News ...", " First  story", " Second  story"}));
    EXPECT_TRUE(ticker->scrolling());

    // Item 2 is the first headline: its address opens.
    const auto itemPoint = [&](int n) {
        // Hold the text still with item n on the band.
        while (ticker->itemLeft(n) > 10)
            ticker->scrollStep();
        return QPoint(ticker->itemLeft(n) + 3, ticker->height() / 2);
    };
    click(ticker, itemPoint(2));
    EXPECT_EQ(test::shell().opened, QStringList{"http://news.example/1"});
    EXPECT_EQ(ticker->itemAt(itemPoint(2).x()), 2);
    // Item 3 has an empty address; item 1 is the header.
    click(ticker, itemPoint(3));
    EXPECT_EQ(f.statusText(), WrongWebAddressText());
    test::shell().reset();
    ticker->setCaption(ticker->caption());
    click(ticker, itemPoint(1));
    EXPECT_EQ(f.statusText(), ClickOnNewsText());
    EXPECT_TRUE(test::shell().opened.isEmpty());
    // Past the text nothing is an item.
    EXPECT_EQ(ticker->itemAt(ticker->itemLeft(3) + 5000), 0);
    f.hide();
    EXPECT_FALSE(ticker->scrolling());
}

TEST_F(WiringTest, HelpTopicsOpenOurOwnPagesInTheirWindowType)
{
    frmMain& f = loaded();
    const QStringList types{"Box", "Box", "Box", "Box", "Small", "Small"};
    const QList<int> numbers{1001, 1012, 1011, 1013, 1009, 1008};
    for (int i = 0; i < 6; ++i) {
        test::shell().reset();
        f.mnuHelp[i]->trigger();
        ASSERT_EQ(test::shell().opened.size(), 1) << i;
        const QString path = test::shell().opened[0];
        EXPECT_TRUE(path.endsWith(QStringLiteral("topic%1.html").arg(numbers[i]))) << path.toStdString();
        QFile page(path);
        ASSERT_TRUE(page.open(QIODevice::ReadOnly));
        const QString html = QString::fromLatin1(page.readAll());
        EXPECT_TRUE(html.contains(QStringLiteral("<body class=\"%1\">").arg(types[i]))) << i;
        EXPECT_TRUE(html.contains(QStringLiteral("<h1>") + f.mnuHelp[i]->text() + QStringLiteral("</h1>"))) << i;
        EXPECT_EQ(Help::PageHtml(numbers[i]), html);
    }
    EXPECT_TRUE(Help::PageHtml(1234).isEmpty());
    // The tray's "Help" is the documentation.
    test::shell().reset();
    f.mnuTray_Click(6);
    ASSERT_EQ(test::shell().opened.size(), 1);
    EXPECT_TRUE(test::shell().opened[0].endsWith(QStringLiteral("topic1001.html")));
}

TEST_F(WiringTest, HangUpFollowsTheDialUpConnectionEachTimeTheUpdateMenuOpens)
{
    FakeDialUp dialUp;
    Dialer::install(&dialUp);
    frmMain& f = loaded();
    emit f.mnuUpdates->aboutToShow();
    EXPECT_FALSE(f.mnuUpdate[4]->isEnabled());
    dialUp.active = 1;
    emit f.mnuUpdates->aboutToShow();
    EXPECT_TRUE(f.mnuUpdate[4]->isEnabled());
    f.mnuUpdate[4]->trigger();
    EXPECT_EQ(dialUp.hangUps, 1);
    dialUp.active = 0;
    f.mnuStart_Click(0);
    EXPECT_FALSE(f.mnuUpdate[4]->isEnabled());
    Dialer::install(nullptr);
}

} // namespace

// The update run selects each priced stock's node: the first stock node showing the
// symbol, also after nodes were added and removed since the last lookup.
TEST_F(WiringTest, APricedStockSelectsItsFirstStockNodeAfterEveryChangeOfTheTree)
{
    frmMain& f = loaded();
    TreeModel* model = f.treeModel();
    ASSERT_TRUE(f.ports().selectStockNode(QStringLiteral("S02")));
    EXPECT_EQ(model->SelectedItem(), model->Node(QStringLiteral("ID2")));

    model->Add(QString(), TreeModel::tvwLast, QStringLiteral("ID99"), QStringLiteral("S02"), 1);
    model->Add(QString(), TreeModel::tvwLast, QStringLiteral("ID98"), QStringLiteral("S77"), 2);  // not a stock's picture
    model->Add(QString(), TreeModel::tvwLast, QStringLiteral("XX97"), QStringLiteral("S77"), 1);  // not a stock's key
    ASSERT_TRUE(f.ports().selectStockNode(QStringLiteral("S03")));
    ASSERT_TRUE(f.ports().selectStockNode(QStringLiteral("S02")));
    EXPECT_EQ(model->SelectedItem(), model->Node(QStringLiteral("ID2")));
    EXPECT_FALSE(f.ports().selectStockNode(QStringLiteral("S77")));

    model->Remove(QStringLiteral("ID2"));
    ASSERT_TRUE(f.ports().selectStockNode(QStringLiteral("S02")));
    EXPECT_EQ(model->SelectedItem(), model->Node(QStringLiteral("ID99")));
    model->Add(QString(), TreeModel::tvwLast, QStringLiteral("ID77"), QStringLiteral("S77"), 1);
    ASSERT_TRUE(f.ports().selectStockNode(QStringLiteral("S77")));
    EXPECT_EQ(model->SelectedItem(), model->Node(QStringLiteral("ID77")));
    EXPECT_FALSE(f.ports().selectStockNode(QStringLiteral("NONE")));
}
