// The tree's 29 pictures: all there, all 16 x 16, each clearly its own, and the
// ones the tree shows.
#include "PictureCompare.h"

#include "platform/TreeModel.h"
#include "platform/TreeView.h"
#include "tree/NavigationTree.h"
#include "tree/TreeImages.h"

#include <QIcon>

#include <gtest/gtest.h>

namespace {

using picturetest::ClearlyDifferentPixels;

// Pixels at least half opaque.
int solidPixels(const QImage& img)
{
    int count = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            count += qAlpha(img.pixel(x, y)) >= 128;
    return count;
}

} // namespace

TEST(TreeImages, TwentyNinePicturesOfSixteenPixelsEachClearlyItsOwn)
{
    QVector<QImage> pictures;
    for (int n = 1; n <= TreeImages::Count; ++n) {
        const QImage img = TreeImages::draw(n);
        ASSERT_FALSE(img.isNull()) << n;
        ASSERT_EQ(img.size(), QSize(16, 16)) << n;
        EXPECT_GT(solidPixels(img), 40) << "picture " << n << " is nearly empty";
        pictures << img;
    }
    for (int i = 0; i < pictures.size(); ++i)
        for (int j = i + 1; j < pictures.size(); ++j)
            EXPECT_GE(ClearlyDifferentPixels(pictures[i], pictures[j]), 8)
                << "pictures " << i + 1 << " and " << j + 1 << " look alike";
    EXPECT_TRUE(TreeImages::draw(0).isNull());
    EXPECT_TRUE(TreeImages::draw(30).isNull());
    EXPECT_EQ(TreeImages::key(1), "book");
    EXPECT_EQ(TreeImages::key(11), "doc");
    EXPECT_EQ(TreeImages::key(12), "");
}

// The tree's view takes image n from the image list, and the list holds the
// pictures drawn, 16 x 16 each.
TEST(TreeImages, TheTreeShowsTheDrawnPictures)
{
    const QVector<QIcon>& list = ImageList1();
    ASSERT_EQ(list.size(), TreeImages::Count);
    for (int n = 1; n <= TreeImages::Count; ++n) {
        const QIcon& icon = list[n - 1];
        ASSERT_FALSE(icon.isNull()) << n;
        EXPECT_EQ(icon.availableSizes().value(0), QSize(16, 16)) << n;
        EXPECT_EQ(ClearlyDifferentPixels(icon.pixmap(16, 16).toImage(), TreeImages::draw(n)), 0) << n;
    }

    TreeView view;
    NavigationTree nav(&view);
    TreeModel* model = nav.model();
    model->Add(QString(), TreeModel::tvwLast, QStringLiteral("R"), QStringLiteral("root"), 1);
    for (int n = 1; n <= TreeImages::Count; ++n)
        model->Add(QStringLiteral("R"), TreeModel::tvwChild, QStringLiteral("n%1").arg(n), QString::number(n), n);
    QTreeWidgetItem* root = view.itemOf(model->Node(QStringLiteral("R")));
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(root->childCount(), TreeImages::Count);
    for (int n = 1; n <= TreeImages::Count; ++n)
        EXPECT_EQ(root->child(n - 1)->icon(0).cacheKey(), list[n - 1].cacheKey()) << n;
}
