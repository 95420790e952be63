// The gauge skins: their bitmaps, the choice by PicBar and the memory contexts.
#include "PictureCompare.h"
#include "ShellFixture.h"

#include "shell/StockStrip.h"

#include <QImage>

#include <vector>

namespace {

using picturetest::ClearlyDifferentPixels;

class GaugeSkinsTest : public ShellTest
{
protected:
    StockStrip strip;
};

// Every bitmap the program has, with the size it must have: the eleven bars and
// their markers, the four faces of the button bar and the strip's two arrows.
TEST_F(GaugeSkinsTest, EveryBitmapHasItsSizeAndALookOfItsOwn)
{
    struct Expected
    {
        QString name;
        QSize size;
    };
    std::vector<Expected> all;
    for (const Skins::SkinRow& row : Skins::Table()) {
        all.push_back({QString::fromLatin1(row.name), row.gauge});
        all.push_back({QString::fromLatin1(row.backName), row.marker});
    }
    ASSERT_EQ(all.size(), 22u);
    for (const char* face : {"B1", "B2", "B3", "B4"})
        all.push_back({QString::fromLatin1(face), QSize(50, 25)});
    all.push_back({QStringLiteral("ArrowUp"), QSize(50, 20)});
    all.push_back({QStringLiteral("ArrowDn"), QSize(50, 20)});

    QStringList names;
    for (const Expected& e : all)
        names << e.name;
    EXPECT_EQ(Skins::Names(), names);

    std::vector<QImage> pictures;
    for (const Expected& e : all) {
        const QImage image = Skins::Bitmap(e.name);
        ASSERT_FALSE(image.isNull()) << e.name.toStdString();
        EXPECT_EQ(image.size(), e.size) << e.name.toStdString();
        EXPECT_FALSE(image.hasAlphaChannel()) << e.name.toStdString();
        pictures.push_back(image);
    }
    // Two bitmaps of one size never look alike (different sizes are different anyway).
    for (std::size_t i = 0; i < pictures.size(); ++i)
        for (std::size_t j = i + 1; j < pictures.size(); ++j)
            if (pictures[i].size() == pictures[j].size()) {
                EXPECT_GE(ClearlyDifferentPixels(pictures[i], pictures[j]), 8)
                    << all[i].name.toStdString() << " and " << all[j].name.toStdString() << " look alike";
            }

    // Names match without regard to case; a name the program does not have gives nothing.
    EXPECT_EQ(Skins::Bitmap(QStringLiteral("GlassBlueb")), Skins::Bitmap(QStringLiteral("GLASSBLUEB")));
    EXPECT_EQ(Skins::Bitmap(QStringLiteral("b4")).size(), QSize(50, 25));
    EXPECT_EQ(Skins::Bitmap(QStringLiteral("arrowdn")).size(), QSize(50, 20));
    EXPECT_TRUE(Skins::Bitmap(QStringLiteral("NoSuchSkin")).isNull());
    EXPECT_TRUE(Skins::Bitmap(QString()).isNull());
}

TEST_F(GaugeSkinsTest, PicBarPicksTheSkin)
{
    struct Row
    {
        const char* picBar;  // nullptr: no value
        const char* name;
        const char* back;
    };
    const std::vector<Row> table{
        {nullptr, "NeonBlue", "NeonBlueB"},
        {"", "NeonBlue", "NeonBlueB"},
        {"0", "NeonBlue", "NeonBlueB"},
        {"3", "GoldMetal", "GoldMetalB"},
        {"10", "PlasticViolet", "PlasticVioletB"},
        {"11", "GlassBlue", "GlassBlueb"},    // no row, and no skin before
        {"abc", "GlassBlue", "GlassBlueb"},
    };
    for (const Row& r : table) {
        ResetSkinState();
        if (r.picBar)
            setSetting(Settings::PicBar, QString::fromLatin1(r.picBar));
        LoadSkin(strip);
        EXPECT_EQ(SkinName(), QString::fromLatin1(r.name)) << (r.picBar ? r.picBar : "(missing)");
        EXPECT_EQ(SkinBackName(), QString::fromLatin1(r.back));
        EXPECT_NE(SkinDC(), 0);
        EXPECT_EQ(HdcImage(SkinDC()), Skins::Bitmap(QString::fromLatin1(r.back)));
        for (const StripSlot& s : strip.items)
            EXPECT_EQ(s.picture, QString::fromLatin1(r.name));
    }

    // A value without a row keeps the skin loaded before.
    ResetSkinState();
    setSetting(Settings::PicBar, QStringLiteral("7"));
    LoadSkin(strip);
    setSetting(Settings::PicBar, QStringLiteral("11"));
    LoadSkin(strip);
    EXPECT_EQ(SkinName(), QStringLiteral("GlassRed"));
}

TEST_F(GaugeSkinsTest, EverySkinChangeKeepsAContextUntilExit)
{
    for (const char* picBar : {"0", "4", "8", "2"}) {
        setSetting(Settings::PicBar, QString::fromLatin1(picBar));
        LoadSkin(strip);
    }
    // The load and three changes: four contexts, SkinDC the newest.
    EXPECT_EQ(HdcCount(), 4);
    EXPECT_EQ(LiveHdcs(), 4);
    EXPECT_EQ(SkinDC(), 4);
    EXPECT_EQ(HdcImage(SkinDC()).size(), QSize(9, 10));  // NeonRedB replaced the blank one
    DestroyHdcs();
    EXPECT_EQ(LiveHdcs(), 0);
    EXPECT_EQ(HdcCount(), 4);
    EXPECT_TRUE(HdcImage(SkinDC()).isNull());

    // A context for a name that is no bitmap keeps its blank picture and logs.
    ResetSkinState();
    const std::int32_t dc = CreateMemHdc(305, 21);
    LoadBmpToHdc(dc, QStringLiteral("Nothing"));
    EXPECT_EQ(HdcImage(dc).size(), QSize(305, 21));
    EXPECT_TRUE(errorLog().contains(QStringLiteral("BitBlt_LoadBmpToHdc")));
    // A context of no size is not made, but still counted.
    EXPECT_EQ(CreateMemHdc(0, 10), 0);
    EXPECT_EQ(HdcCount(), 2);
}

} // namespace
