// The gauge skins: their bitmaps, the choice by PicBar and the memory contexts.
#include "ShellFixture.h"

#include "shell/StockStrip.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <cstdlib>
#include <vector>

namespace {

// Equal sizes and every channel within 2: the painter's antialiasing may round a
// little differently on another processor.
bool samePicture(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 2 || std::abs(qGreen(p) - qGreen(q)) > 2
                || std::abs(qBlue(p) - qBlue(q)) > 2)
                return false;
        }
    return true;
}

class GaugeSkinsTest : public ShellTest
{
protected:
    StockStrip strip;
};

TEST_F(GaugeSkinsTest, TwentyTwoBitmapsOfTheirSizes)
{
    int count = 0;
    for (const Skins::SkinRow& row : Skins::Table()) {
        const QImage bar = Skins::Bitmap(QString::fromLatin1(row.name));
        const QImage marker = Skins::Bitmap(QString::fromLatin1(row.backName));
        EXPECT_EQ(bar.size(), row.gauge) << row.name;
        EXPECT_EQ(marker.size(), row.marker) << row.backName;
        EXPECT_FALSE(bar.hasAlphaChannel()) << row.name;
        count += (bar.isNull() ? 0 : 1) + (marker.isNull() ? 0 : 1);
    }
    EXPECT_EQ(count, 22);
    // Names match without regard to case.
    EXPECT_EQ(Skins::Bitmap(QStringLiteral("GlassBlueb")), Skins::Bitmap(QStringLiteral("GLASSBLUEB")));
    EXPECT_EQ(Skins::Bitmap(QStringLiteral("b4")).size(), QSize(50, 25));
    EXPECT_EQ(Skins::Bitmap(QStringLiteral("ArrowDn")).size(), QSize(50, 20));
    EXPECT_TRUE(Skins::Bitmap(QStringLiteral("NoSuchSkin")).isNull());
    // Each skin has a look of its own.
    EXPECT_NE(Skins::DrawBitmap(QStringLiteral("NeonBlue")), Skins::DrawBitmap(QStringLiteral("NeonGreen")));
    EXPECT_NE(Skins::DrawBitmap(QStringLiteral("B1")), Skins::DrawBitmap(QStringLiteral("B3")));
}

TEST_F(GaugeSkinsTest, ShippedPicturesAreTheDrawnOnes)
{
    // The resource files are made from the drawing (set TW_WRITE_PICTURES to a
    // folder to write them again); whatever is shipped must match it.
    const QString out = qEnvironmentVariable("TW_WRITE_PICTURES");
    const QString resources = QStringLiteral(TW_FIXTURES "/../../resources");
    int compared = 0;
    for (const QString& name : Skins::Names()) {
        const QImage drawn = Skins::DrawBitmap(name);
        const QString relative = Skins::ResourcePath(name).mid(2);  // ":/skins/X.png" -> "skins/X.png"
        if (!out.isEmpty()) {
            QDir().mkpath(QFileInfo(out + QLatin1Char('/') + relative).path());
            ASSERT_TRUE(drawn.save(out + QLatin1Char('/') + relative));
        }
        QImage shipped(resources + QLatin1Char('/') + relative);
        if (shipped.isNull())
            continue;
        ++compared;
        EXPECT_TRUE(samePicture(shipped.convertToFormat(QImage::Format_RGB32), drawn)) << name.toStdString();
    }
    EXPECT_EQ(compared, Skins::Names().size());
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
        EXPECT_EQ(SkinName, QString::fromLatin1(r.name)) << (r.picBar ? r.picBar : "(missing)");
        EXPECT_EQ(SkinBackName, QString::fromLatin1(r.back));
        EXPECT_NE(SkinDC, 0);
        EXPECT_EQ(HdcImage(SkinDC), Skins::Bitmap(QString::fromLatin1(r.back)));
        for (const StripSlot& s : strip.items)
            EXPECT_EQ(s.picture, QString::fromLatin1(r.name));
    }

    // A value without a row keeps the skin loaded before.
    ResetSkinState();
    setSetting(Settings::PicBar, QStringLiteral("7"));
    LoadSkin(strip);
    setSetting(Settings::PicBar, QStringLiteral("11"));
    LoadSkin(strip);
    EXPECT_EQ(SkinName, QStringLiteral("GlassRed"));
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
    EXPECT_EQ(SkinDC, 4);
    EXPECT_EQ(HdcImage(SkinDC).size(), QSize(9, 10));  // NeonRedB replaced the blank one
    DestroyHdcs();
    EXPECT_EQ(LiveHdcs(), 0);
    EXPECT_EQ(HdcCount(), 4);
    EXPECT_TRUE(HdcImage(SkinDC).isNull());

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
