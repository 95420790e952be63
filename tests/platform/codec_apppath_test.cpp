#include "QtPrint.h"

#include "platform/AppPath.h"
#include "platform/Codec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(Codec, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = fromCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(toCp1252(text), all);
}

TEST(Codec, CodePageCharacters)
{
    const struct
    {
        unsigned char byte;
        char16_t ch;
    } rows[] = {
        {0x41, u'A'},    {0x00, 0x0000},  {0x80, 0x20AC}, {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F},
        {0x90, 0x0090},  {0x9D, 0x009D},  {0x92, 0x2019}, {0x96, 0x2013}, {0x9F, 0x0178}, {0xA0, 0x00A0},
        {0xE9, 0x00E9},  {0xFF, 0x00FF},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(fromCp1252(QByteArray(1, char(r.byte))), QString(QChar(r.ch))) << int(r.byte);
        EXPECT_EQ(toCp1252(QString(QChar(r.ch))), QByteArray(1, char(r.byte))) << int(r.byte);
    }
    // Characters the code page cannot hold become '?'.
    EXPECT_EQ(toCp1252(QString::fromUtf8("a\u4e2db\u0080")), QByteArray("a?b?"));
}

class AppPathTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_saved = AppPath();
        ASSERT_TRUE(m_dir.isValid());
        SetAppPath(m_dir.path() + QStringLiteral("/app"));
    }
    void TearDown() override { SetAppPath(m_saved); }

    QTemporaryDir m_dir;
    QString m_saved;
};

TEST_F(AppPathTest, IsCreatedOnFirstUse)
{
    EXPECT_EQ(AppPath(), m_dir.path() + QStringLiteral("/app"));
    EXPECT_TRUE(QDir(AppPath()).exists());
    SetAppPath(m_dir.path() + QStringLiteral("/other/"));
    EXPECT_EQ(AppPath(), m_dir.path() + QStringLiteral("/other"));
}

TEST_F(AppPathTest, FollowsTheEnvironmentWhenNotSet)
{
    const QByteArray savedEnv = qgetenv("TRADEWRIGHT_HOME");
    qputenv("TRADEWRIGHT_HOME", (m_dir.path() + QStringLiteral("/fromenv")).toUtf8());
    SetAppPath(QString());
    EXPECT_EQ(AppPath(), m_dir.path() + QStringLiteral("/fromenv"));
    EXPECT_TRUE(QDir(m_dir.path() + QStringLiteral("/fromenv")).exists());
    qputenv("TRADEWRIGHT_HOME", savedEnv);
}

TEST_F(AppPathTest, ResolvePathMatchesEachComponentWithoutCase)
{
    ASSERT_TRUE(MakeDir(AppPath() + QStringLiteral("/Cache/DataSheet")));
    ASSERT_TRUE(WriteFileAtomic(AppPath() + QStringLiteral("/Cache/DataSheet/Yahooquote.Sh"), "page"));
    const QString stored = AppPath() + QStringLiteral("/Cache/DataSheet/Yahooquote.Sh");

    EXPECT_EQ(ResolvePath(AppPath() + QStringLiteral("\\Cache\\DataSheet\\YahooQuote.Sh")), stored);
    EXPECT_EQ(ResolvePath(AppPath() + QStringLiteral("/cache/DATASHEET/yahooquote.sh")), stored);
    // A missing name keeps its spelling below the part that exists.
    EXPECT_EQ(ResolvePath(AppPath() + QStringLiteral("\\CACHE\\News\\x.Sh")),
              AppPath() + QStringLiteral("/Cache/News/x.Sh"));
    // A writer goes through the resolver too, so it replaces the file it finds.
    ASSERT_TRUE(WriteFileAtomic(AppPath() + QStringLiteral("/cache/datasheet/YAHOOQUOTE.SH"), "new"));
    EXPECT_EQ(ReadBytes(stored), QByteArray("new"));
    EXPECT_EQ(QDir(AppPath() + QStringLiteral("/Cache/DataSheet")).entryList(QDir::Files).size(), 1);
    // The exact spelling wins when both exist.
    QFile other(AppPath() + QStringLiteral("/Cache/DataSheet/YahooQuote.Sh"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    EXPECT_EQ(ResolvePath(AppPath() + QStringLiteral("/Cache/DataSheet/YahooQuote.Sh")),
              AppPath() + QStringLiteral("/Cache/DataSheet/YahooQuote.Sh"));
}

TEST_F(AppPathTest, FileHelpersGoThroughTheResolver)
{
    const QString path = AppPath() + QStringLiteral("/Set0.dat");
    const QByteArray bytes("a\0b\r\n\x80", 6);
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(FileLength(path), -1);
    bool ok = true;
    EXPECT_TRUE(ReadBytes(path, &ok).isEmpty());
    EXPECT_FALSE(ok);

    ASSERT_TRUE(WriteFileAtomic(path, bytes));
    EXPECT_TRUE(FileExists(AppPath() + QStringLiteral("\\SET0.DAT")));
    EXPECT_EQ(FileLength(AppPath() + QStringLiteral("\\set0.dat")), 6);
    EXPECT_EQ(ReadBytes(AppPath() + QStringLiteral("\\set0.Dat"), &ok), bytes);
    EXPECT_TRUE(ok);

    ASSERT_TRUE(AppendBytes(AppPath() + QStringLiteral("/SET0.dat"), "xy"));
    EXPECT_EQ(ReadBytes(path), bytes + "xy");
    ASSERT_TRUE(WriteFileAtomic(path, "new"));
    EXPECT_EQ(ReadBytes(path), QByteArray("new"));

    EXPECT_TRUE(RemoveFile(AppPath() + QStringLiteral("/set0.DAT")));
    EXPECT_FALSE(FileExists(path));
    // A write into a folder that cannot exist fails and says so.
    EXPECT_FALSE(WriteFileAtomic(path + QStringLiteral("/under/a/file"), "x"));
    ASSERT_TRUE(WriteFileAtomic(path, "keep"));
    EXPECT_FALSE(AppendBytes(path + QStringLiteral("/child"), "x"));
    EXPECT_EQ(ReadBytes(path), QByteArray("keep"));
}
