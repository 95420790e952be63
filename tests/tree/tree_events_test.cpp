// The tree's events: the open book of an expanded stock, the key that opens the
// stock last clicked, the right button's popup, the profile tool tip, the two
// collapse routines and the set names of the sets menu.
#include "QtPrint.h"
#include "TreeTestSupport.h"

#include "platform/AppPath.h"
#include "platform/InputCodes.h"
#include "platform/TreeModel.h"
#include "platform/TreeView.h"
#include "core/ErrorLog.h"
#include "core/Settings.h"
#include "core/mdlRegistry.h"
#include "platform/RuntimeError.h"
#include "retrieval/CacheFiles.h"
#include "tree/NavigationTree.h"
#include "tree/ProfileText.h"
#include "tree/SetNames.h"
#include "tree/TreeImages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QApplication>
#include <QHelpEvent>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

#include <sys/time.h>

#include <ctime>

using treetest::TreeTest;

namespace {

constexpr int Left = input::vbLeftButton;
constexpr int Right = input::vbRightButton;

class TreeEvents : public TreeTest
{
protected:
    TreeModel model;
    NavigationTree nav{&model};

    void SetUp() override
    {
        TreeTest::SetUp();
        setStocks({{0, "IBM"}, {1, "MSFT"}}, 2);
        nav.initTree();
    }
    int indexOf(const char* key) { return model.Node(key)->Index(); }
    void click(const char* key) { nav.rememberNode(key); }
    QVector<bool> visible(const TreePopup& p) { return QVector<bool>(p.visible.begin(), p.visible.end()); }
};

const QVector<bool> kAllItems(12, true);
const QVector<bool> kCollapseOnly = {true, false, false, false, false, false, false, false, false, false, false, false};
const QVector<bool> kNoItems(12, false);

} // namespace

TEST_F(TreeEvents, ExpandingAStockShowsTheOpenBookAndRemembersTheNode)
{
    TreeNode* ibm = model.Node("ID0");
    ibm->setExpanded(true);
    EXPECT_EQ(ibm->ExpandedImage(), 2);
    EXPECT_EQ(ibm->shownImage(), 2);
    EXPECT_EQ(nav.LastNodeIndex(), ibm->Index());
    ibm->setExpanded(false);
    EXPECT_EQ(ibm->shownImage(), 1);   // the closed book again

    // Other folders keep their picture but are remembered too.
    TreeNode* news = model.Node("News0");
    news->setExpanded(true);
    EXPECT_EQ(news->ExpandedImage(), 0);
    EXPECT_EQ(nav.LastNodeIndex(), news->Index());
}

TEST_F(TreeEvents, PopupFollowsTheNodeLastClickedOrExpanded)
{
    struct Case
    {
        const char* name;
        std::function<void()> before;
        int button;
        QVector<bool> shown;
    };
    const Case cases[] = {
        {"start-up: the All root", [] {}, Right, kCollapseOnly},
        {"left button: no popup", [this] { click("ID0"); }, Left, kNoItems},
        {"after a click on a stock", [this] { click("ID1"); }, Right, kAllItems},
        {"after a click on a market list", [this] { click("pg_N"); }, Right, kCollapseOnly},
        {"after expanding a stock", [this] { model.Node("ID1")->setExpanded(true); }, Right, kAllItems},
        {"after expanding a folder", [this] { model.Node("ConQ")->setExpanded(true); }, Right, kCollapseOnly},
        {"index past the last node", [this] { nav.setLastNodeIndex(model.Count() + 1); }, Right, kCollapseOnly},
        {"index 0", [this] { nav.setLastNodeIndex(0); }, Right, kCollapseOnly},
    };
    for (const Case& c : cases) {
        nav.setLastNodeIndex(1);
        c.before();
        int opened = 0;
        nav.setPopupHook([&](const TreePopup&) { ++opened; });
        const TreePopup p = nav.TreeView1_MouseDown(c.button, 0, 300, 450);
        EXPECT_EQ(visible(p), c.shown) << c.name;
        EXPECT_EQ(opened, c.button == Right ? 1 : 0) << c.name;
    }
    EXPECT_STREQ(TreePopup::Captions[0], "&Collapse All");
    EXPECT_STREQ(TreePopup::Captions[11], "&Properties");
}

TEST_F(TreeEvents, StaleIndexAfterASmallerRebuildShowsOnlyCollapseAll)
{
    // The last stock of a two-stock set was clicked; the set then shrinks to one
    // stock, so the remembered index lies past the end of the new tree.
    click("IG_C1");
    const int remembered = nav.LastNodeIndex();
    Stocks()[1].Symbol.clear();
    StockCount() = 1;
    nav.initTree();
    ASSERT_GT(remembered, model.Count());
    EXPECT_EQ(nav.LastNodeIndex(), remembered);   // a rebuild does not reset it
    TreePopup p;
    EXPECT_NO_THROW(p = nav.TreeView1_MouseDown(Right, 0, 0, 0));
    EXPECT_EQ(visible(p), kCollapseOnly);
    EXPECT_NO_THROW(nav.TreeView1_KeyDown(40, 0));   // and a key does nothing
    for (TreeNode* n : model.allNodes())
        EXPECT_FALSE(n->Expanded());

    // An index still in range names whatever node has it now: one portfolio
    // symbol more moves every stock node one place on.
    Stocks()[1].Symbol = QStringLiteral("MSFT");
    StockCount() = 2;
    nav.initTree();
    click("ID1");
    EXPECT_EQ(visible(nav.TreeView1_MouseDown(Right, 0, 0, 0)), kAllItems);
    setTransactions({{0, "IBM"}});
    nav.initTree();
    EXPECT_EQ(model.Nodes(nav.LastNodeIndex())->Key(), "IG_C0");
    EXPECT_EQ(visible(nav.TreeView1_MouseDown(Right, 0, 0, 0)), kCollapseOnly);
}

TEST_F(TreeEvents, AnyKeyOpensTheStockLastClickedOnce)
{
    struct Case
    {
        const char* name;
        const char* remembered;
        bool expandedBefore;
        int key;
        bool expandedAfter;
        QString selected;   // key of the selected node afterwards, "" none
    };
    const Case cases[] = {
        {"arrow key on a collapsed stock", "ID0", false, 40, true, ""},
        {"P opens it and selects its profile", "ID0", false, 80, true, "AR0"},
        {"P on an open stock does nothing", "ID0", true, 80, true, ""},
        {"a folder is not opened", "ConQ", false, 40, false, ""},
        {"a stock's news folder is not opened", "News1", false, 40, false, ""},
    };
    for (const Case& c : cases) {
        nav.CollapseAllNodes();
        model.setSelectedItem(nullptr);
        TreeNode* node = model.Node(c.remembered);
        node->setExpanded(c.expandedBefore);
        nav.setLastNodeIndex(node->Index());
        nav.TreeView1_KeyDown(c.key, 0);
        EXPECT_EQ(node->Expanded(), c.expandedAfter) << c.name;
        const TreeNode* sel = model.SelectedItem();
        EXPECT_EQ(sel ? sel->Key() : QString(), c.selected) << c.name;
    }
}

TEST_F(TreeEvents, CollapsingStocksOnlyOrEverything)
{
    for (const char* k : {"Market", "Cons", "Radio", "ID0", "News0", "ID1"})
        model.Node(k)->setExpanded(true);
    const auto openKeys = [this] {
        QStringList out;
        for (TreeNode* n : model.allNodes())
            if (n->Expanded())
                out << n->Key();
        return out;
    };
    nav.CollapseStockNodes();
    EXPECT_EQ(openKeys(), QStringList({"Market", "Cons", "Radio", "News0"}));
    nav.CollapseAllNodes();
    EXPECT_EQ(openKeys(), QStringList());
}

// ---- the profile tool tip ----------------------------------------------------

namespace {

void writePage(const QString& symbol, const QByteArray& bytes)
{
    QDir().mkpath(CacheFolder());
    QFile f(CacheFolder() + symbol + "_P.Sh");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

const QByteArray kIbmPage = "<html><body><b>IBM</b>\r\n<hr size=1>\r\nInternational Business Machines makes\r\n"
                            "computers &amp; software. It sells services.\r\n<hr><p>Address</p></body></html>";

} // namespace

TEST(ProfileText, CutBetweenTheFirstTwoRules)
{
    struct Case
    {
        const char* name;
        QString page;
        QString text;
    };
    const Case cases[] = {
        {"usual page", QString::fromLatin1(kIbmPage),
         "International Business Machines makescomputers & software. It sells services."},
        {"tags inside the description", "<hr>Makes <b>chips</b> and <a href=x>boards</a>.<hr>",
         "Makes chips and boards."},
        // The cut starts at the first rule, not at the "hr" of a link before it.
        {"a link before the first rule", "<a href=\"/home\">Home</a><hr size=1>Makes tools.<hr>", "Makes tools."},
        {"a word holding 'hr' is no rule", "Three <p>Shares</p><hr>", ""},
        {"no second rule", "<p>x</p><hr>Only one rule", ""},
        {"no rule at all", "<p>Nothing here</p>", ""},
        {"empty page", "", ""},
        {"only blanks between the rules", "<hr>  \r\n  <hr>", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProfileTextOf(c.page), c.text) << c.name;
}

TEST_F(TreeEvents, GetProfileTextOfTheCurrentSymbol)
{
    writePage("IBM", kIbmPage);
    CurrentSymbol().clear();
    EXPECT_EQ(GetProfileText(), "");
    CurrentSymbol() = "IBM";
    EXPECT_EQ(GetProfileText(), "International Business Machines makescomputers & software. It sells services.");
    CurrentSymbol() = "ibm";   // pages are found whatever the letter case
    EXPECT_FALSE(GetProfileText().isEmpty());
    CurrentSymbol() = "NOPAGE";
    EXPECT_EQ(GetProfileText(), "");
    CurrentSymbol() = "../IBM";   // never leaves the cache folder
    EXPECT_EQ(GetProfileText(), "");
    EXPECT_EQ(ProfilePagePath("../IBM"), "");
}

TEST_F(TreeEvents, MouseMoveStopsTheStripAndShowsTheProfile)
{
    writePage("IBM", kIbmPage);
    int stops = 0;
    nav.setMouseMoveHook([&] { ++stops; });
    CurrentSymbol().clear();
    nav.TreeView1_MouseMove(0, 0, 10, 10);
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(nav.ToolTipText(), "");
    CurrentSymbol() = "IBM";
    nav.TreeView1_MouseMove(0, 0, 20, 10);
    EXPECT_EQ(stops, 2);
    EXPECT_TRUE(nav.ToolTipText().startsWith("International Business Machines"));
}

// Makes the cache folder and its pages look an hour old, as pages are between
// two update runs.
void ageCache()
{
    const auto age = [](const QString& path) {
        const timeval old[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
        ASSERT_EQ(::utimes(QFile::encodeName(path).constData(), old), 0) << path.toStdString();
    };
    for (const QFileInfo& f : QDir(CacheFolder()).entryInfoList(QDir::Files))
        age(f.absoluteFilePath());
    age(CacheFolder());
}

TEST_F(TreeEvents, ProfilePageIsReadAgainOnlyWhenStockOrFileChanged)
{
    writePage("IBM", kIbmPage);
    writePage("MSFT", "<hr>Software.<hr>");
    ageCache();
    const auto move = [this](int times = 1) {
        for (int i = 0; i < times; ++i)
            nav.TreeView1_MouseMove(0, 0, i * 15, 30);
    };
    const auto reads = [this] { return nav.profileCache().reads(); };

    CurrentSymbol() = "IBM";
    move(50);
    EXPECT_EQ(reads(), 1);

    CurrentSymbol() = "MSFT";   // another stock
    move(5);
    EXPECT_EQ(nav.ToolTipText(), "Software.");
    EXPECT_EQ(reads(), 2);

    // The page is fetched again, twice within a moment and at the same size: the
    // second version shows although its time stamp may not have moved.
    writePage("MSFT", "<hr>Software and games.<hr>");
    move();
    EXPECT_EQ(nav.ToolTipText(), "Software and games.");
    writePage("MSFT", "<hr>Software and gamez.<hr>");
    move();
    EXPECT_EQ(nav.ToolTipText(), "Software and gamez.");
    // Once the page has been quiet for a while, looking costs no read again.
    ageCache();
    move();
    const int settled = reads();
    move(20);
    EXPECT_EQ(reads(), settled);

    QFile::remove(CacheFolder() + "MSFT_P.Sh");   // deleted: the tip goes
    move();
    EXPECT_EQ(nav.ToolTipText(), "");

    CurrentSymbol() = "AAPL";   // no page yet ...
    move(3);
    EXPECT_EQ(nav.ToolTipText(), "");
    writePage("aapl", "<hr>Phones.<hr>");   // ... then one arrives, in other letters
    move();
    EXPECT_EQ(nav.ToolTipText(), "Phones.");
}

// ---- the sets menu -----------------------------------------------------------

TEST(SetNames, StoredNamesOrGroupAndNumber)
{
    mdlRegistry::CreateNewKey(mdlRegistry::HKEY_CURRENT_USER, Settings::GroupsKey);
    for (int n = 0; n < Settings::GroupCount; ++n)
        Settings::SaveSettingAt(Settings::GroupsKey, Settings::GroupValueName(n), QString());
    Settings::SaveSettingAt(Settings::GroupsKey, "Group0", "All my stocks");
    Settings::SaveSettingAt(Settings::GroupsKey, "Group7", "Banks");
    QStringList captions;
    LoadSets([&](int n, const QString& caption) {
        EXPECT_EQ(n, captions.size());
        captions << caption;
    });
    ASSERT_EQ(captions.size(), 21);
    EXPECT_EQ(captions[0], "All my stocks");
    EXPECT_EQ(captions[5], "Group5");   // no blank
    EXPECT_EQ(captions[7], "Banks");
    EXPECT_EQ(captions[20], "Group20");
    Settings::SaveSettingAt(Settings::GroupsKey, "Group0", QString());
    EXPECT_EQ(SetMenuCaption(0), "Group0");
}

TEST(SetNames, AFailureIsLoggedAndEndsTheRun)
{
    const QString log = AppPath() + "/ErrorLog.txt";
    QFile::remove(log);
    QStringList captions;
    LoadSets([&](int n, const QString& caption) {
        if (n == 3)
            throw RuntimeError(340, "Control array element '3' doesn't exist");
        captions << caption;
    });
    EXPECT_EQ(captions.size(), 3);
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.contains("frmMain_LoadSets"));
    EXPECT_TRUE(text.contains("340"));
}

// ---- the real widget ---------------------------------------------------------

class TreeWidget : public TreeTest
{
};

TEST_F(TreeWidget, ViewEventsReachTheHandlers)
{
    setStocks({{0, "IBM"}}, 0);
    TreeView view;
    NavigationTree nav(&view);
    nav.initTree();
    view.resize(300, 500);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    // A click on the stock remembers it; the right button then opens the stock
    // menu wherever it is pressed.
    QTreeWidgetItem* stock = view.topLevelItem(0)->child(0);
    view.expandItem(view.topLevelItem(0));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualItemRect(stock).center());
    EXPECT_EQ(nav.LastNodeIndex(), nav.model()->Node("ID0")->Index());
    QVector<TreePopup> popups;
    nav.setPopupHook([&](const TreePopup& p) { popups << p; });
    QTest::mouseClick(view.viewport(), Qt::RightButton, {}, view.visualItemRect(view.topLevelItem(1)).center());
    ASSERT_EQ(popups.size(), 1);
    EXPECT_TRUE(popups[0].isStockMenu());

    // A key opens it, with the open book.
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_TRUE(nav.model()->Node("ID0")->Expanded());
    EXPECT_TRUE(stock->isExpanded());
    EXPECT_EQ(nav.model()->Node("ID0")->shownImage(), 2);

    // Moving over the tree asks the hook and sets the tip, which then shows over
    // any node.
    QDir().mkpath(CacheFolder());
    QFile page(CacheFolder() + "IBM_P.Sh");
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<hr>Computers.<hr>");
    page.close();
    CurrentSymbol() = "IBM";
    int moves = 0;
    nav.setMouseMoveHook([&] { ++moves; });
    QTest::mouseMove(view.viewport(), QPoint(20, 20));
    QTest::mouseMove(view.viewport(), QPoint(25, 40));
    EXPECT_GE(moves, 1);
    EXPECT_EQ(nav.ToolTipText(), "Computers.");
    const QPoint at = view.visualItemRect(view.topLevelItem(1)).center();
    QHelpEvent help(QEvent::ToolTip, at, view.viewport()->mapToGlobal(at));
    QApplication::sendEvent(view.viewport(), &help);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Computers.");
    QToolTip::hideText();
}

// ---- the model's state and the view's agree ---------------------------------

namespace {

class TreeAgreement : public TreeTest
{
protected:
    TreeView view;
    std::unique_ptr<NavigationTree> nav;

    void SetUp() override
    {
        TreeTest::SetUp();
        setStocks({{0, "IBM"}, {1, "MSFT"}}, 2);
        nav = std::make_unique<NavigationTree>(&view);
        nav->initTree();
        view.resize(300, 500);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    TreeModel& model() { return *nav->model(); }
    QTreeWidgetItem* item(const char* key) { return view.itemOf(model().Node(key)); }

    // Every node whose Expanded differs from its item's, and a selection the view
    // does not show.
    QStringList disagreements()
    {
        QStringList out;
        for (TreeNode* n : model().allNodes()) {
            QTreeWidgetItem* i = view.itemOf(n);
            if (!i)
                out << n->Key() + " has no item";
            else if (i->isExpanded() != n->Expanded())
                out << n->Key() + (n->Expanded() ? " open in the model only" : " open in the view only");
        }
        if (view.nodeOf(view.currentItem()) != model().SelectedItem())
            out << "selection";
        return out;
    }
    QStringList openNodes()
    {
        QStringList out;
        for (TreeNode* n : model().allNodes())
            if (n->Expanded() || view.itemOf(n)->isExpanded())
                out << n->Key();
        return out;
    }
};

} // namespace

TEST_F(TreeAgreement, CollapseAllAfterASelectionClosesEverythingInModelAndView)
{
    // The strip selects a stock of the closed set root (the model's path) ...
    model().Node("ID1")->setSelected(true);
    EXPECT_TRUE(model().Node("All")->Expanded());
    EXPECT_TRUE(item("All")->isExpanded());
    EXPECT_EQ(disagreements(), QStringList());
    nav->CollapseAllNodes();
    EXPECT_EQ(openNodes(), QStringList());
    EXPECT_EQ(disagreements(), QStringList());

    // ... and the view makes a deep node current (the view's path): it opens the
    // parents itself, and the model hears of it.
    view.setCurrentItem(item("US"));
    EXPECT_EQ(model().SelectedItem(), model().Node("US"));
    EXPECT_TRUE(model().Node("Index")->Expanded());
    EXPECT_TRUE(model().Node("Market")->Expanded());
    EXPECT_EQ(disagreements(), QStringList());
    nav->CollapseAllNodes();
    EXPECT_EQ(openNodes(), QStringList());
    EXPECT_EQ(disagreements(), QStringList());
}

TEST_F(TreeAgreement, ExpandAndCollapseByTheViewReachTheModelAndBack)
{
    // The view's own calls.
    view.expandItem(item("Market"));
    EXPECT_TRUE(model().Node("Market")->Expanded());
    view.collapseItem(item("Market"));
    EXPECT_FALSE(model().Node("Market")->Expanded());

    // Keys on the current item.
    view.setFocus();
    view.setCurrentItem(item("All"));
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_TRUE(model().Node("All")->Expanded());
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_FALSE(model().Node("All")->Expanded());

    // A click on the expand arrow.
    const QRect r = view.visualItemRect(item("Market"));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(r.left() - view.indentation() / 2, r.center().y()));
    EXPECT_TRUE(item("Market")->isExpanded());
    EXPECT_TRUE(model().Node("Market")->Expanded());

    // The model's changes reach the items.
    model().Node("Radio")->setExpanded(true);
    EXPECT_TRUE(item("Radio")->isExpanded());
    model().Node("Market")->setExpanded(false);
    EXPECT_FALSE(item("Market")->isExpanded());
    EXPECT_EQ(disagreements(), QStringList());
}

TEST_F(TreeAgreement, ARebuildKeepsModelAndViewTogether)
{
    model().Node("ID0")->setSelected(true);
    view.expandItem(item("Market"));
    nav->initTree();
    EXPECT_EQ(disagreements(), QStringList());
    EXPECT_EQ(openNodes(), QStringList());

    // Changes made while the model holds its updates arrive with the rebuild.
    {
        auto lock = model().updatesLocked();
        model().Node("US")->setSelected(true);
        model().Node("Radio")->setExpanded(true);
    }
    EXPECT_TRUE(item("Market")->isExpanded());
    EXPECT_TRUE(item("Index")->isExpanded());
    EXPECT_TRUE(item("Radio")->isExpanded());
    EXPECT_EQ(view.currentItem(), item("US"));
    EXPECT_EQ(disagreements(), QStringList());
}

TEST_F(TreeAgreement, ARightClickKeepsTheSelectedNode)
{
    QVector<TreePopup> popups;
    nav->setPopupHook([&](const TreePopup& p) { popups << p; });
    view.expandItem(item("All"));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualItemRect(item("ID0")).center());
    ASSERT_EQ(model().SelectedItem(), model().Node("ID0"));

    for (const char* key : {"Market", "ID1"}) {
        const QPoint at = view.visualItemRect(item(key)).center();
        QTest::mousePress(view.viewport(), Qt::RightButton, {}, at);
        QTest::mouseRelease(view.viewport(), Qt::RightButton, {}, at);
        QTest::mouseDClick(view.viewport(), Qt::RightButton, {}, at);
        EXPECT_EQ(model().SelectedItem(), model().Node("ID0")) << key;
        EXPECT_EQ(view.currentItem(), item("ID0")) << key;
        EXPECT_FALSE(model().Node("Market")->Expanded()) << key;
    }
    EXPECT_GE(popups.size(), 2);
    EXPECT_TRUE(popups[0].isStockMenu());  // about ID0, the node last clicked
    EXPECT_EQ(disagreements(), QStringList());
}

TEST_F(TreeAgreement, ALongSetNameIsShownWhole)
{
    const QString name = QStringLiteral("Long-term retirement holdings and dividend growers of the family");
    nav->setSetNameSource([&] { return name; });
    nav->initTree();
    view.resize(150, 300);
    QApplication::processEvents();
    QTreeWidgetItem* root = item("All");
    ASSERT_EQ(root->text(0), "Stocks-" + name);
    const int needed = view.iconSize().width() + QFontMetrics(view.font()).horizontalAdvance(root->text(0));
    EXPECT_GE(view.visualItemRect(root).width(), needed);
    EXPECT_GT(view.horizontalScrollBar()->maximum(), 0);
}
