#include "QtPrint.h"

#include "platform/AppPath.h"
#include "platform/Codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/inotify.h>
#include <unistd.h>

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

TEST_F(AppPathTest, ResolverIndexFollowsTheProgramsWritesAndOtherPrograms)
{
    const QString folder = AppPath() + QStringLiteral("/Cache/DataSheet");
    ASSERT_TRUE(MakeDir(folder));
    const auto plainWrite = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write("x") == 1;
    };
    ASSERT_TRUE(plainWrite(folder + QStringLiteral("/Old.Sh")));
    // The first miss lists the folder.
    EXPECT_EQ(ResolvePath(folder + QStringLiteral("/OLD.SH")), folder + QStringLiteral("/Old.Sh"));

    // Created by another program after the folder was listed.
    EXPECT_EQ(ResolvePath(folder + QStringLiteral("/OUTSIDE.SH")), folder + QStringLiteral("/OUTSIDE.SH"));
    ASSERT_TRUE(plainWrite(folder + QStringLiteral("/Outside.Sh")));
    EXPECT_EQ(ResolvePath(folder + QStringLiteral("/OUTSIDE.SH")), folder + QStringLiteral("/Outside.Sh"));

    // Written by the program under one spelling, read under another.
    ASSERT_TRUE(ReplaceFile(folder + QStringLiteral("/Yahooquote.Sh"), "page", QByteArray(), false));
    EXPECT_EQ(ResolvePath(folder + QStringLiteral("/YahooQuote.Sh")), folder + QStringLiteral("/Yahooquote.Sh"));

    // Made by the program's appending, read under another spelling.
    ASSERT_TRUE(AppendBytes(folder + QStringLiteral("/Ibm.txt"), "line"));
    EXPECT_EQ(ResolvePath(folder + QStringLiteral("/IBM.TXT")), folder + QStringLiteral("/Ibm.txt"));

    // Deleted by the program, and by another program: never returned.
    ASSERT_TRUE(RemoveFile(folder + QStringLiteral("/YAHOOQUOTE.SH")));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/Yahooquote.Sh")));
    EXPECT_EQ(ResolvePath(folder + QStringLiteral("/YahooQuote.Sh")), folder + QStringLiteral("/YahooQuote.Sh"));
    ASSERT_TRUE(QFile::remove(folder + QStringLiteral("/Outside.Sh")));
    EXPECT_EQ(ResolvePath(folder + QStringLiteral("/OUTSIDE.SH")), folder + QStringLiteral("/OUTSIDE.SH"));
    ASSERT_TRUE(QFile::remove(folder + QStringLiteral("/Old.Sh")));
    EXPECT_EQ(ResolvePath(folder + QStringLiteral("/OLD.SH")), folder + QStringLiteral("/OLD.SH"));

    // Two spellings: the one that sorts first is found; deleting it finds the other.
    ASSERT_TRUE(ReplaceFile(folder + QStringLiteral("/bb.sh"), "1", QByteArray(), false));
    ASSERT_TRUE(ReplaceFile(folder + QStringLiteral("/Bb.sh"), "2", QByteArray(), false));
    EXPECT_EQ(ResolvePath(folder + QStringLiteral("/BB.SH")), folder + QStringLiteral("/Bb.sh"));
    ASSERT_TRUE(RemoveFile(folder + QStringLiteral("/Bb.sh")));
    EXPECT_EQ(ResolvePath(folder + QStringLiteral("/BB.SH")), folder + QStringLiteral("/bb.sh"));
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

// Every save goes through a temporary file beside its target and one rename; the
// temporary file is named so that a clean-up at start can tell it from anything else.
TEST_F(AppPathTest, SavesGoThroughARecognisableTemporaryFile)
{
    const QString folder = AppPath();
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, QFile::encodeName(folder).constData(), IN_CREATE), 0);
    ASSERT_TRUE(WriteFileAtomic(folder + QStringLiteral("/Set1.dat"), "one"));
    ASSERT_TRUE(ReplaceFile(folder + QStringLiteral("/Set1.dat"), "two", "\r\n", false));
    QStringList created;
    alignas(inotify_event) char buffer[4096];
    const ssize_t got = ::read(watch, buffer, sizeof buffer);
    for (ssize_t at = 0; at < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if (event->len > 0)
            created << QFile::decodeName(event->name);
        at += ssize_t(sizeof(inotify_event) + event->len);
    }
    ::close(watch);
    ASSERT_EQ(created.size(), 2);
    for (const QString& name : created) {
        EXPECT_TRUE(name.startsWith(QLatin1String(".Set1.dat.tw-save-"))) << qPrintable(name);
        EXPECT_TRUE(IsSaveTempName(name)) << qPrintable(name);
    }
    // Nothing is left behind but the file.
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"Set1.dat"});
    EXPECT_EQ(ReadBytes(folder + QStringLiteral("/Set1.dat")), QByteArray("two\r\n"));

    // A replaced file keeps its permissions.
    QFile::setPermissions(folder + QStringLiteral("/Set1.dat"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ASSERT_TRUE(WriteFileAtomic(folder + QStringLiteral("/Set1.dat"), "three"));
    EXPECT_EQ(QFile::permissions(folder + QStringLiteral("/Set1.dat")),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);
}

TEST_F(AppPathTest, OnlyTheTemporariesOfOurSavesAreRemoved)
{
    const struct
    {
        const char* name;
        bool ours;
    } cases[] = {
        {".Set1.dat.tw-save-a8Kq2z", true},
        {".Tradewright5.ini.tw-save-000000", true},
        {".IBM_it.Sh.tw-save-ZZZZZZ", true},
        {".x.tw-save-abcdef", true},
        {"Set1.dat", false},
        {"Set1.dat.a8Kq2z", false},            // a name another writer might choose
        {"Portfolio.dat.backup", false},
        {".Set1.dat.part", false},
        {"Set1.dat.tw-save-a8Kq2z", false},    // not hidden
        {".tw-save-a8Kq2z", false},            // no name before the mark
        {".Set1.dat.tw-save-a8Kq2", false},    // five letters
        {".Set1.dat.tw-save-a8Kq2zz", false},  // seven
        {".Set1.dat.tw-save-a8K_2z", false},
        {".Set1.dat.tw-save-a8Kq2z.old", false},
        {".Set1.dat.TW-SAVE-a8Kq2z", false},
    };
    const QString folder = AppPath();
    int ours = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsSaveTempName(QLatin1String(c.name)), c.ours);
        QFile file(folder + u'/' + QLatin1String(c.name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("left over");
        ours += c.ours ? 1 : 0;
    }
    // A folder of such a name is not a save's temporary file.
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral(".y.tw-save-abcdef")));

    EXPECT_EQ(RemoveSaveTemps(folder), ours);
    for (const auto& c : cases)
        EXPECT_EQ(QFileInfo::exists(folder + u'/' + QLatin1String(c.name)), !c.ours) << c.name;
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/.y.tw-save-abcdef")).isDir());
    EXPECT_EQ(RemoveSaveTemps(folder), 0);
}

// A save that cannot be made says why, and leaves nothing behind.
TEST_F(AppPathTest, AFailedSaveSaysWhy)
{
    const QString root = AppPath();
    ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("Folder")));
    const struct {
        QString path;
    } cases[] = {
        {root + QStringLiteral("/Folder")},                 // the target is a folder
        {root + QStringLiteral("/Missing/Set1.dat")},       // its folder does not exist
    };
    for (const auto& c : cases) {
        QString why;
        EXPECT_FALSE(ReplaceFile(c.path, QByteArrayLiteral("data"), QByteArray(), false, &why)) << c.path.toStdString();
        EXPECT_FALSE(why.isEmpty()) << c.path.toStdString();
    }
    EXPECT_EQ(QDir(root).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

// A cache page rewritten in place makes and deletes no file after the folder's
// scratch exists: the two trade places. The page keeps its spelling and permissions,
// a link to it keeps the old bytes, and a crash's scratch is cleared like any save's.
TEST_F(AppPathTest, PagesAreRewrittenWithoutNewFiles)
{
    const QString folder = AppPath();
    const QString page = folder + QStringLiteral("/Yahooquote.Sh");
    ASSERT_TRUE(ReplacePage(page, "first", "\r\n"));  // a new page: an ordinary save
    ASSERT_TRUE(ReplacePage(page, "second"));          // makes the scratch
    QFile::setPermissions(page, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, QFile::encodeName(folder).constData(), IN_CREATE | IN_DELETE), 0);
    for (const QByteArray& bytes : {QByteArray(20000, 'x'), QByteArray("third"), QByteArray("fourth")})
        ASSERT_TRUE(ReplacePage(ResolvePath(folder + QStringLiteral("/YAHOOQUOTE.SH")), bytes, "\r\n"));
    alignas(inotify_event) char buffer[4096];
    EXPECT_LT(::read(watch, buffer, sizeof buffer), 0) << "a file was made or deleted";
    ::close(watch);

    EXPECT_EQ(ReadBytes(page), QByteArray("fourth\r\n"));
    EXPECT_EQ(QFile::permissions(page) & (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                          QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QStringList hidden = QDir(folder).entryList(QDir::Files | QDir::Hidden).filter(QRegularExpression("^\\."));
    ASSERT_EQ(hidden.size(), 1);
    EXPECT_TRUE(IsSaveTempName(hidden.first())) << qPrintable(hidden.first());

    // A page with a second name gets a file of its own; the other name keeps the old bytes.
    const QString other = folder + QStringLiteral("/other.Sh");
    ASSERT_EQ(::link(QFile::encodeName(page).constData(), QFile::encodeName(other).constData()), 0);
    ASSERT_TRUE(ReplacePage(page, "fifth"));
    EXPECT_EQ(ReadBytes(page), QByteArray("fifth"));
    EXPECT_EQ(ReadBytes(other), QByteArray("fourth\r\n"));

    EXPECT_EQ(RemoveSaveTemps(folder), 1);
    QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    left.sort();
    EXPECT_EQ(left, (QStringList{"Yahooquote.Sh", "other.Sh"}));
    ASSERT_TRUE(ReplacePage(page, "sixth"));  // a scratch is made again
    EXPECT_EQ(ReadBytes(page), QByteArray("sixth"));

    // A page that cannot be written says why and stays as it was.
    QString why;
    EXPECT_FALSE(ReplacePage(folder + QStringLiteral("/Missing/x.Sh"), "data", QByteArray(), &why));
    EXPECT_FALSE(why.isEmpty());
}

// Pages written piece by piece: nothing changes until the commit; two pages of one
// folder written at once both land (the second does without the folder's scratch);
// a writer given up or dropped leaves the old page and no file behind.
TEST_F(AppPathTest, PagesWrittenPieceByPieceLandOnlyWhenCommitted)
{
    const QString folder = AppPath();
    const QString a = folder + QStringLiteral("/a.Sh");
    const QString b = folder + QStringLiteral("/b.Sh");
    ASSERT_TRUE(ReplacePage(a, "old a"));
    ASSERT_TRUE(ReplacePage(b, "old b"));
    {
        FileReplacer first(a, FileReplacer::Kind::Page);
        FileReplacer second(b, FileReplacer::Kind::Page);
        ASSERT_TRUE(first.write("new "));
        ASSERT_TRUE(second.write("NEW "));
        ASSERT_TRUE(first.write("a"));
        ASSERT_TRUE(second.write("B"));
        EXPECT_EQ(ReadBytes(a), QByteArray("old a"));
        EXPECT_EQ(first.size(), 5);
        ASSERT_TRUE(second.commit());
        ASSERT_TRUE(first.commit());
    }
    EXPECT_EQ(ReadBytes(a), QByteArray("new a"));
    EXPECT_EQ(ReadBytes(b), QByteArray("NEW B"));

    const auto files = [&] {
        QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        names.sort();
        return names;
    };
    const QStringList before = files();
    {
        FileReplacer given(a, FileReplacer::Kind::Page);
        ASSERT_TRUE(given.write("half"));
        given.abandon();
        EXPECT_FALSE(given.commit());
        FileReplacer dropped(folder + QStringLiteral("/c.Sh"), FileReplacer::Kind::Save, true);
        ASSERT_TRUE(dropped.write("never"));
    }
    EXPECT_EQ(ReadBytes(a), QByteArray("new a"));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/c.Sh")));
    QStringList after = files();
    // The scratch given up is gone; the rest is as it was.
    QStringList expected = before.filter(QRegularExpression(QStringLiteral("^[^.]")));
    EXPECT_EQ(after.filter(QRegularExpression(QStringLiteral("^[^.]"))), expected);
    EXPECT_TRUE(after.filter(QRegularExpression(QStringLiteral("^\\..*tw-save-[a-zA-Z0-9]{6}$"))).isEmpty());
}
