// The tree's 29 pictures: all there, all 16 x 16, all different, and the PNG
// files the program ships are the pictures drawn here.
#include "tree/TreeImages.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSet>

#include <gtest/gtest.h>

namespace {

QString shippedFolder()
{
    return QFileInfo(QStringLiteral(TW_FIXTURES "/../../resources/tree")).absoluteFilePath();
}

QString fileName(int n)
{
    return QStringLiteral("%1.png").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

TEST(TreeImages, TwentyNinePicturesOfSixteenPixelsEachDifferent)
{
    QSet<QByteArray> seen;
    for (int n = 1; n <= TreeImages::Count; ++n) {
        const QImage img = TreeImages::draw(n);
        ASSERT_EQ(img.size(), QSize(16, 16)) << n;
        int painted = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                painted += qAlpha(img.pixel(x, y)) > 0;
        EXPECT_GT(painted, 40) << "picture " << n << " is nearly empty";
        const QByteArray bits(reinterpret_cast<const char*>(img.constBits()), img.sizeInBytes());
        EXPECT_FALSE(seen.contains(bits)) << "picture " << n << " repeats an earlier one";
        seen.insert(bits);
    }
    EXPECT_TRUE(TreeImages::draw(0).isNull());
    EXPECT_TRUE(TreeImages::draw(30).isNull());
    EXPECT_EQ(TreeImages::key(1), "book");
    EXPECT_EQ(TreeImages::key(11), "doc");
    EXPECT_EQ(TreeImages::key(12), "");
    EXPECT_EQ(ImageList1().size(), 29);
    EXPECT_EQ(ImageList1()[0].availableSizes().value(0), QSize(16, 16));
}

// The files under resources/tree are made from the drawing: run this program with
// TW_WRITE_TREE_IMAGES=1 to write them again (and a large contact sheet,
// tree-images.png, into the current folder, to look at).
TEST(TreeImages, ShippedFilesAreThePicturesDrawn)
{
    const QString folder = shippedFolder();
    if (qEnvironmentVariableIsSet("TW_WRITE_TREE_IMAGES")) {
        QDir().mkpath(folder);
        // Eight to a row, each eight times enlarged with its natural size beside it.
        QImage sheet(8 * 160, 4 * 136, QImage::Format_ARGB32);
        sheet.fill(Qt::white);
        QPainter p(&sheet);
        for (int n = 1; n <= TreeImages::Count; ++n) {
            const QImage img = TreeImages::draw(n);
            ASSERT_TRUE(img.save(folder + "/" + fileName(n)));
            const int x = (n - 1) % 8 * 160, y = (n - 1) / 8 * 136;
            p.drawImage(QRect(x + 4, y + 4, 128, 128), img);
            p.drawImage(x + 136, y + 4, img);
            p.drawText(x + 136, y + 40, QString::number(n));
        }
        p.end();
        sheet.save(QStringLiteral("tree-images.png"));
    }
    for (int n = 1; n <= TreeImages::Count; ++n) {
        QImage shipped(folder + "/" + fileName(n));
        ASSERT_FALSE(shipped.isNull()) << fileName(n).toStdString() << " is missing";
        EXPECT_EQ(shipped.convertToFormat(QImage::Format_ARGB32),
                  TreeImages::draw(n).convertToFormat(QImage::Format_ARGB32))
            << fileName(n).toStdString();
    }
}
