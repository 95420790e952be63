#include "platform/TreeModel.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

int errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

QStringList keys(const QVector<TreeNode*>& nodes)
{
    QStringList out;
    for (TreeNode* n : nodes)
        out << n->Key();
    return out;
}

} // namespace

TEST(TreeModel, AddLookupAndShape)
{
    TreeModel t;
    t.Add(QString(), TreeModel::tvwLast, "All", "Stocks-Group 1", 14);
    t.Add(QString(), TreeModel::tvwLast, "Market", "Market", 8);
    t.Add("All", TreeModel::tvwChild, "ID0", "IBM", 1);
    t.Add("All", TreeModel::tvwChild, "ID1", "MSFT", 1);
    t.Add("ID0", TreeModel::tvwChild, "AR0", "Profile", 9);

    EXPECT_EQ(t.Count(), 5);
    EXPECT_EQ(keys(t.roots()), QStringList({"All", "Market"}));
    TreeNode* ibm = t.Node("ID0");
    EXPECT_EQ(ibm->Text(), "IBM");
    EXPECT_EQ(ibm->Image(), 1);
    EXPECT_EQ(ibm->Index(), 3);
    EXPECT_EQ(ibm->Parent()->Key(), "All");
    EXPECT_EQ(ibm->Children(), 1);
    EXPECT_EQ(ibm->Next()->Key(), "ID1");
    EXPECT_EQ(t.Nodes(5)->Key(), "AR0");
    EXPECT_EQ(t.Node("AR0")->FullPath(), "Stocks-Group 1\\IBM\\Profile");
    // Keys are exact, case included.
    EXPECT_EQ(t.find("id0"), nullptr);
}

TEST(TreeModel, RelationshipsPlaceTheNewNode)
{
    TreeModel t;
    t.Add(QString(), 1, "P", "P");
    t.Add("P", TreeModel::tvwChild, "b", "b");
    t.Add("b", TreeModel::tvwFirst, "a", "a");
    t.Add("b", TreeModel::tvwLast, "d", "d");
    t.Add("b", TreeModel::tvwNext, "c", "c");
    t.Add("a", TreeModel::tvwPrevious, "_", "_");
    t.Add(QString(), TreeModel::tvwFirst, "R0", "R0");
    EXPECT_EQ(keys(t.Node("P")->childNodes()), QStringList({"_", "a", "b", "c", "d"}));
    EXPECT_EQ(keys(t.roots()), QStringList({"R0", "P"}));
    // Index follows the order of adding, not the place in the tree.
    EXPECT_EQ(t.Node("_")->Index(), 6);
}

TEST(TreeModel, ErrorsOfTheNodeCollection)
{
    TreeModel t;
    t.Add(QString(), 1, "All", "All");
    struct Case {
        const char* name;
        std::function<void()> call;
        int number;
    };
    const Case cases[] = {
        {"duplicate key", [&] { t.Add("All", 4, "All", "again"); }, 35602},
        {"missing relative", [&] { t.Add("Nope", 4, "X", "x"); }, 35601},
        {"missing key", [&] { t.Node("Nope"); }, 35601},
        {"remove missing", [&] { t.Remove("Nope"); }, 35601},
        {"index 0", [&] { t.Nodes(0); }, 35600},
        {"index past the end", [&] { t.Nodes(2); }, 35600},
        {"bad relationship", [&] { t.Add("All", 7, "Y", "y"); }, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorOf(c.call), c.number) << c.name;
    EXPECT_EQ(t.Count(), 1);
    try {
        t.Add(QString(), 1, "All", "x");
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.description(), "Key is not unique in collection");
    }
}

TEST(TreeModel, RemoveTakesTheSubtreeAndRenumbers)
{
    TreeModel t;
    t.Add(QString(), 1, "A", "A");
    t.Add("A", 4, "A1", "A1");
    t.Add("A1", 4, "A11", "A11");
    t.Add(QString(), 1, "B", "B");
    t.Node("A11")->setSelected(true);

    t.Remove("A1");
    EXPECT_EQ(t.Count(), 2);
    EXPECT_FALSE(t.contains("A11"));
    EXPECT_EQ(t.Node("A")->Children(), 0);
    EXPECT_EQ(t.Node("B")->Index(), 2);
    EXPECT_EQ(t.SelectedItem(), nullptr);
    // The key is free again.
    EXPECT_NO_THROW(t.Add("A", 4, "A1", "again"));
}

TEST(TreeModel, ExpandAndSelection)
{
    TreeModel t;
    t.Add(QString(), 1, "A", "A", 1);
    t.Add("A", 4, "A1", "A1");
    t.Add("A1", 4, "A11", "A11");
    QSignalSpy expands(&t, &TreeModel::Expand);
    QSignalSpy collapses(&t, &TreeModel::Collapse);

    TreeNode* a = t.Node("A");
    a->setExpandedImage(2);
    EXPECT_EQ(a->shownImage(), 1);
    a->setExpanded(true);
    a->setExpanded(true);   // no change, no event
    EXPECT_EQ(a->shownImage(), 2);
    EXPECT_EQ(expands.count(), 1);
    a->setExpanded(false);
    EXPECT_EQ(collapses.count(), 1);

    t.EnsureVisible(t.Node("A11"));
    EXPECT_TRUE(t.Node("A")->Expanded());
    EXPECT_TRUE(t.Node("A1")->Expanded());

    t.Node("A1")->setSelected(true);
    t.Node("A11")->setSelected(true);
    EXPECT_FALSE(t.Node("A1")->Selected());
    EXPECT_EQ(t.SelectedItem()->Key(), "A11");
}

TEST(TreeModel, RedrawOffSendsOneResetAtTheEnd)
{
    TreeModel t;
    QSignalSpy added(&t, &TreeModel::nodeAdded);
    QSignalSpy resets(&t, &TreeModel::reset);
    {
        auto lock = t.updatesLocked();
        t.setRedraw(false);
        t.Add(QString(), 1, "A", "A");
        t.Add("A", 4, "B", "B");
        t.setRedraw(true);   // still locked
        EXPECT_EQ(resets.count(), 0);
    }
    EXPECT_EQ(added.count(), 0);
    EXPECT_EQ(resets.count(), 1);
    t.Add("A", 4, "C", "C");
    EXPECT_EQ(added.count(), 1);
}

// The full navigation tree: 146 fixed nodes, 201 stocks of 79 nodes, 100
// portfolio symbols.
TEST(TreeModel, FullSizedTree)
{
    TreeModel t;
    auto lock = t.updatesLocked();
    for (const char* root : {"All", "Market", "Trans", "Radio", "TV"})
        t.Add(QString(), TreeModel::tvwLast, root, root);
    for (int i = 0; i < 141; ++i)
        t.Add("Market", TreeModel::tvwChild, QString("M%1x").arg(i), "m");
    for (int j = 0; j < 100; ++j)
        t.Add("Trans", TreeModel::tvwChild, QString("TID%1").arg(j), "SYM");
    for (int i = 0; i <= 200; ++i) {
        const QString id = QString("ID%1").arg(i);
        t.Add("All", TreeModel::tvwChild, id, "SYM", 1);
        for (int k = 0; k < 78; ++k)
            t.Add(id, TreeModel::tvwChild, QString("K%1_%2").arg(k).arg(i), "x", 3);
    }
    EXPECT_EQ(t.Count(), 16125);
    EXPECT_EQ(t.Node("ID200")->Children(), 78);
    EXPECT_EQ(t.Node("K77_200")->Index(), 16125);
    EXPECT_EQ(t.Node("All")->Children(), 201);
    t.Clear();
    EXPECT_EQ(t.Count(), 0);
    EXPECT_EQ(t.find("ID0"), nullptr);
}
