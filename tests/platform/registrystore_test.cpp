#include "QtPrint.h"

#include "TestDoubles.h"

#include "platform/AppPath.h"
#include "platform/RegistryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace {

RegistryStore::Value sz(const QByteArray& bytes)
{
    return {RegistryStore::REG_SZ, bytes};
}

} // namespace

class RegistryStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_saved = RegistryStore::filePath();
        ASSERT_TRUE(m_dir.isValid());
        RegistryStore::setFilePath(m_dir.path() + QStringLiteral("/cfg/Orvane/Tradewright5.ini"));
    }
    void TearDown() override { RegistryStore::setFilePath(m_saved); }

    QTemporaryDir m_dir;
    QString m_saved;
};

TEST_F(RegistryStoreTest, KeysAreNormalisedAndCaseInsensitive)
{
    EXPECT_FALSE(RegistryStore::keyExists(QStringLiteral("Software\\Orvane\\Tradewright5")));
    ASSERT_TRUE(RegistryStore::createKey(QStringLiteral("Software\\Orvane\\Tradewright5\\Groups")));
    EXPECT_TRUE(QFile::exists(RegistryStore::filePath()));
    for (const char* path : {"Software\\Orvane\\Tradewright5", "Software\\Orvane\\Tradewright5\\",
                             "software\\ORVANE\\tradewright5\\groups", "Software", "\\Software\\Orvane\\"})
        EXPECT_TRUE(RegistryStore::keyExists(QString::fromLatin1(path))) << path;
    EXPECT_FALSE(RegistryStore::keyExists(QStringLiteral("Software\\Orvane\\ZA1")));

    ASSERT_TRUE(RegistryStore::setValue(QStringLiteral("Software\\Orvane\\Tradewright5\\"), QStringLiteral("Proxy"),
                                        sz("host:8080")));
    const auto v = RegistryStore::queryValue(QStringLiteral("SOFTWARE\\orvane\\Tradewright5"), QStringLiteral("proxy"));
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->type, RegistryStore::REG_SZ);
    EXPECT_EQ(v->data, QByteArray("host:8080"));
}

TEST_F(RegistryStoreTest, MissingKeyOrValue)
{
    EXPECT_FALSE(RegistryStore::queryValue(QStringLiteral("Software\\Orvane\\ZA1"), QStringLiteral("US")));
    EXPECT_FALSE(RegistryStore::setValue(QStringLiteral("Software\\Orvane\\ZA1"), QStringLiteral("US"), sz("1")));
    EXPECT_FALSE(RegistryStore::keyExists(QStringLiteral("Software\\Orvane\\ZA1")));
    ASSERT_TRUE(RegistryStore::createKey(QStringLiteral("Software\\Orvane\\ZA1")));
    EXPECT_FALSE(RegistryStore::queryValue(QStringLiteral("Software\\Orvane\\ZA1"), QStringLiteral("US")));
}

TEST_F(RegistryStoreTest, EveryByteOfATextSurvives)
{
    ASSERT_TRUE(RegistryStore::createKey(QStringLiteral("K")));
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QByteArray edgy = QByteArray(" lead and trail ") + QByteArray("\0", 1);
    ASSERT_TRUE(RegistryStore::setValue(QStringLiteral("K"), QStringLiteral("All"), sz(all)));
    ASSERT_TRUE(RegistryStore::setValue(QStringLiteral("K"), QStringLiteral("Edgy"), sz(edgy)));
    ASSERT_TRUE(RegistryStore::setValue(QStringLiteral("K"), QStringLiteral("Empty"), sz(QByteArray())));
    ASSERT_TRUE(RegistryStore::setValue(QStringLiteral("K"), QStringLiteral("Odd=name;[x]"), sz("v")));
    ASSERT_TRUE(RegistryStore::setValue(QStringLiteral("K"), QString(), sz("default")));
    EXPECT_EQ(RegistryStore::queryValue(QStringLiteral("K"), QStringLiteral("All"))->data, all);
    EXPECT_EQ(RegistryStore::queryValue(QStringLiteral("K"), QStringLiteral("Edgy"))->data, edgy);
    EXPECT_EQ(RegistryStore::queryValue(QStringLiteral("K"), QStringLiteral("Empty"))->data, QByteArray());
    EXPECT_EQ(RegistryStore::queryValue(QStringLiteral("K"), QStringLiteral("Odd=name;[x]"))->data, QByteArray("v"));
    EXPECT_EQ(RegistryStore::queryValue(QStringLiteral("K"), QString())->data, QByteArray("default"));
}

TEST_F(RegistryStoreTest, NumbersAndOtherTypes)
{
    ASSERT_TRUE(RegistryStore::createKey(QStringLiteral("K")));
    ASSERT_TRUE(RegistryStore::setValue(QStringLiteral("K"), QStringLiteral("N"),
                                        {RegistryStore::REG_DWORD, QByteArray("\xff\xff\xff\xff", 4)}));
    ASSERT_TRUE(RegistryStore::setValue(QStringLiteral("K"), QStringLiteral("B"), {3, QByteArray("\x01\x02", 2)}));
    ASSERT_TRUE(RegistryStore::setValue(QStringLiteral("K"), QStringLiteral("N"),
                                        {RegistryStore::REG_DWORD, QByteArray("\x05\x00\x00\x00", 4)}));
    const auto n = RegistryStore::queryValue(QStringLiteral("K"), QStringLiteral("N"));
    EXPECT_EQ(n->type, RegistryStore::REG_DWORD);
    EXPECT_EQ(n->data, QByteArray("\x05\x00\x00\x00", 4));
    const auto b = RegistryStore::queryValue(QStringLiteral("K"), QStringLiteral("B"));
    EXPECT_EQ(b->type, 3);
    EXPECT_EQ(b->data, QByteArray("\x01\x02", 2));
}

TEST_F(RegistryStoreTest, ReadsAHandWrittenFile)
{
    QFile file(RegistryStore::filePath());
    ASSERT_TRUE(RegistryStore::createKey(QStringLiteral("x")));  // makes the folder
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("; written by hand\r\n"
               "[Software\\Orvane\\ZA1]\r\n"
               "US=dword:7\r\n"
               "Bad=dword:abc\r\n"
               "no equals sign here\r\n"
               "Name=sz:caf%E9 %25 100\r\n"
               "[broken\r\n"
               "Lost=sz:1\r\n");
    file.close();
    const auto us = RegistryStore::queryValue(QStringLiteral("Software\\Orvane\\ZA1"), QStringLiteral("US"));
    ASSERT_TRUE(us.has_value());
    EXPECT_EQ(us->type, RegistryStore::REG_DWORD);
    EXPECT_EQ(us->data, QByteArray("\x07\x00\x00\x00", 4));
    const auto bad = RegistryStore::queryValue(QStringLiteral("Software\\Orvane\\ZA1"), QStringLiteral("Bad"));
    ASSERT_TRUE(bad.has_value());
    EXPECT_EQ(bad->type, RegistryStore::REG_DWORD);
    EXPECT_TRUE(bad->data.isEmpty());
    EXPECT_EQ(RegistryStore::queryValue(QStringLiteral("Software\\Orvane\\ZA1"), QStringLiteral("Name"))->data,
              QByteArray("caf\xe9 % 100"));
    EXPECT_FALSE(RegistryStore::queryValue(QStringLiteral("Software\\Orvane\\ZA1"), QStringLiteral("Lost")));
    // Writing keeps what was there.
    ASSERT_TRUE(RegistryStore::setValue(QStringLiteral("Software\\Orvane\\ZA1"), QStringLiteral("New"), sz("n")));
    EXPECT_EQ(RegistryStore::queryValue(QStringLiteral("Software\\Orvane\\ZA1"), QStringLiteral("US"))->data,
              QByteArray("\x07\x00\x00\x00", 4));
}

TEST_F(RegistryStoreTest, AStoreThatCannotBeReadIsNeverOverwritten)
{
    // Something that exists where the file should be but cannot be opened for reading
    // (even by the superuser): a local socket. A file the user may not read, or a
    // read error on the disk, looks the same to the store.
    const QString path = RegistryStore::filePath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    ASSERT_LT(native.size(), qsizetype(sizeof addr.sun_path));
    std::memcpy(addr.sun_path, native.constData(), size_t(native.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr), 0);

    // The values in it are unknown: making a key or storing a value would write a
    // store holding nothing else.
    EXPECT_FALSE(RegistryStore::createKey(QStringLiteral("Software\\Orvane\\Tradewright5")));
    EXPECT_FALSE(RegistryStore::setValue(QStringLiteral("Software"), QStringLiteral("A"), sz("1")));
    EXPECT_FALSE(RegistryStore::queryValue(QStringLiteral("Software"), QStringLiteral("A")));
    const QFileInfo info(path);
    EXPECT_TRUE(info.exists());
    EXPECT_FALSE(info.isFile());
    ::close(fd);
}

namespace {
QByteArray readRaw(const QString& path);
} // namespace

TEST_F(RegistryStoreTest, ASettingThatCannotBeWrittenIsToldOnceKeptAndWrittenLater)
{
    const QString key = QStringLiteral("Software\\Orvane\\Tradewright5");
    ASSERT_TRUE(RegistryStore::createKey(key));
    ASSERT_TRUE(RegistryStore::setValue(key, QStringLiteral("Proxy"), sz("old:80")));
    const QByteArray before = readRaw(RegistryStore::filePath());
    test::dialogs().reset();

    // A full disk (a test running as root writes into any folder, so the writer fails).
    SetWriteFailure(m_dir.path(), ENOSPC);
    EXPECT_FALSE(RegistryStore::setValue(key, QStringLiteral("Proxy"), sz("new:8080")));
    EXPECT_FALSE(RegistryStore::setValue(key, QStringLiteral("Email"), sz("jo@example.org")));
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    const QString told = test::dialogs().shown[0].prompt;
    EXPECT_TRUE(told.contains(RegistryStore::filePath())) << told.toStdString();
    EXPECT_TRUE(told.contains(QString::fromLocal8Bit(std::strerror(ENOSPC)))) << told.toStdString();
    EXPECT_EQ(readRaw(RegistryStore::filePath()), before);
    // What was set is what the program reads back meanwhile.
    EXPECT_EQ(RegistryStore::queryValue(key, QStringLiteral("Proxy"))->data, QByteArray("new:8080"));

    SetWriteFailure(m_dir.path(), 0);
    EXPECT_TRUE(RegistryStore::setValue(key, QStringLiteral("Tip"), sz("1")));
    const QByteArray after = readRaw(RegistryStore::filePath());
    for (const char* written : {"new:8080", "jo@example.org", "Tip"})
        EXPECT_TRUE(after.contains(written)) << written;
    EXPECT_EQ(test::dialogs().shown.size(), 1);

    // Failing again after a good write is told again.
    SetWriteFailure(m_dir.path(), EROFS);
    EXPECT_FALSE(RegistryStore::setValue(key, QStringLiteral("Tip"), sz("0")));
    SetWriteFailure(m_dir.path(), 0);
    EXPECT_EQ(test::dialogs().shown.size(), 2);
    test::dialogs().reset();
}

namespace {

void writeRaw(const QString& path, const QByteArray& bytes)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readRaw(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// A file saved by a text editor: byte-order mark, comments, blanks around "=" and
// before a section, values without a type, lines that are neither, CR LF endings.
TEST_F(RegistryStoreTest, AHandEditedFileIsReadAndKeptByteForByte)
{
    const QByteArray edited = "\xEF\xBB\xBF"
                              "; settings edited by hand\r\n"
                              "# another comment\r\n"
                              "  [Software\\Orvane\\Tradewright5]\r\n"
                              "SplashDelay = sz:3\r\n"
                              "Proxy = proxy.example:8080  \r\n"
                              "Email=me@example.org\r\n"
                              "LineFeedOnly=sz:lf\n"
                              "  ; a comment inside the section\r\n"
                              "Count = dword:0x10\r\n"
                              "Bad=dword:abc\r\n"
                              "this line means nothing\r\n"
                              "Caf\xC3\xA9=na\xC3\xAFve \xE2\x82\xAC\r\n"
                              "\r\n"
                              "[broken\r\n"
                              "Lost=sz:1\r\n"
                              "\r\n"
                              "[Software\\Orvane\\ZA1]\r\n"
                              "US=dword:7\r\n";
    writeRaw(RegistryStore::filePath(), edited);
    const QString product = QStringLiteral("Software\\Orvane\\Tradewright5");
    struct Case { const char* name; int type; QByteArray data; };
    const Case cases[] = {
        {"SplashDelay", RegistryStore::REG_SZ, "3"},
        {"Proxy", RegistryStore::REG_SZ, "proxy.example:8080"},
        {"Email", RegistryStore::REG_SZ, "me@example.org"},
        {"Count", RegistryStore::REG_DWORD, QByteArray("\x10\x00\x00\x00", 4)},
        {"Bad", RegistryStore::REG_DWORD, QByteArray()},
        {"Caf\xE9", RegistryStore::REG_SZ, "na\xEFve \x80"},  // UTF-8 typed, code-page bytes stored
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto v = RegistryStore::queryValue(product, QString::fromLatin1(c.name));
        ASSERT_TRUE(v.has_value());
        EXPECT_EQ(v->type, c.type);
        EXPECT_EQ(v->data, c.data);
    }
    EXPECT_EQ(RegistryStore::queryValue(QStringLiteral("Software\\Orvane\\ZA1"), QStringLiteral("US"))->data,
              QByteArray("\x07\x00\x00\x00", 4));
    EXPECT_FALSE(RegistryStore::queryValue(product, QStringLiteral("Lost")));
    EXPECT_FALSE(RegistryStore::queryValue(product, QStringLiteral("this line means nothing")));

    // One value changed, one added: every other line stays as it was, in its place.
    ASSERT_TRUE(RegistryStore::setValue(product, QStringLiteral("splashdelay"), sz("9")));
    ASSERT_TRUE(RegistryStore::setValue(product, QStringLiteral("New"), sz("n")));
    ASSERT_TRUE(RegistryStore::createKey(QStringLiteral("Software\\Orvane\\Tradewright5\\Groups")));
    QByteArray expected = edited;
    expected.replace("SplashDelay = sz:3\r\n", "SplashDelay=sz:9\r\n");
    expected.replace("\r\n\r\n[broken", "\r\nNew=sz:n\r\n\r\n[broken");
    expected += "[Software]\r\n"
                "\r\n"
                "[Software\\Orvane]\r\n"
                "\r\n"
                "[Software\\Orvane\\Tradewright5\\Groups]\r\n"
                "\r\n";
    EXPECT_EQ(readRaw(RegistryStore::filePath()), expected);
    EXPECT_EQ(RegistryStore::queryValue(product, QStringLiteral("Proxy"))->data, QByteArray("proxy.example:8080"));
}

TEST_F(RegistryStoreTest, ValuesOfTheSameNameAndKeysWrittenTwice)
{
    writeRaw(RegistryStore::filePath(), "[K]\n"
                                        "A=sz:first\n"
                                        "[k\\]\n"
                                        "a=sz:second\n"
                                        "B=sz:b\n");
    EXPECT_EQ(RegistryStore::queryValue(QStringLiteral("K"), QStringLiteral("A"))->data, QByteArray("second"));
    EXPECT_EQ(RegistryStore::queryValue(QStringLiteral("K"), QStringLiteral("B"))->data, QByteArray("b"));
    // The value read is the one changed (its name keeps its spelling); a new value joins
    // the key's first section.
    ASSERT_TRUE(RegistryStore::setValue(QStringLiteral("K"), QStringLiteral("A"), sz("third")));
    ASSERT_TRUE(RegistryStore::setValue(QStringLiteral("K"), QStringLiteral("C"), sz("c")));
    EXPECT_EQ(readRaw(RegistryStore::filePath()), QByteArray("[K]\n"
                                                             "A=sz:first\n"
                                                             "C=sz:c\n"
                                                             "[k\\]\n"
                                                             "a=sz:third\n"
                                                             "B=sz:b\n"));
    EXPECT_EQ(RegistryStore::queryValue(QStringLiteral("K"), QStringLiteral("a"))->data, QByteArray("third"));
}

// Reads do not parse the file each time, yet a change made by someone else is seen
// at once: also one of the same size made in place right after the last read.
TEST_F(RegistryStoreTest, AChangeByAnotherWriterIsSeenAtTheNextRead)
{
    const QString path = RegistryStore::filePath();
    writeRaw(path, "[K]\nA=sz:1\n");
    EXPECT_EQ(RegistryStore::queryValue(QStringLiteral("K"), QStringLiteral("A"))->data, QByteArray("1"));
    writeRaw(path, "[K]\nA=sz:2\n");
    EXPECT_EQ(RegistryStore::queryValue(QStringLiteral("K"), QStringLiteral("A"))->data, QByteArray("2"));
    ASSERT_TRUE(RegistryStore::setValue(QStringLiteral("K"), QStringLiteral("A"), sz("3")));
    writeRaw(path, "[K]\nA=sz:4\n");
    EXPECT_EQ(RegistryStore::queryValue(QStringLiteral("K"), QStringLiteral("A"))->data, QByteArray("4"));
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_FALSE(RegistryStore::keyExists(QStringLiteral("K")));
    writeRaw(path, "[K]\nA=sz:5\n");
    EXPECT_EQ(RegistryStore::queryValue(QStringLiteral("K"), QStringLiteral("A"))->data, QByteArray("5"));
}

// 20,000 values in one section (the read of such a file took seconds while it was
// parsed with a search per line; bench_registry_store shows the time per value).
TEST_F(RegistryStoreTest, ALargeSectionIsReadWhole)
{
    constexpr int kValues = 20000;
    QByteArray file = "[Big]\n";
    for (int i = 0; i < kValues; ++i)
        file += "V" + QByteArray::number(i) + "=sz:" + QByteArray::number(i * 7) + '\n';
    writeRaw(RegistryStore::filePath(), file);
    for (int i = 0; i < kValues; ++i) {
        const auto v = RegistryStore::queryValue(QStringLiteral("Big"), u'v' + QString::number(i));
        ASSERT_TRUE(v.has_value()) << i;
        ASSERT_EQ(v->data, QByteArray::number(i * 7)) << i;
    }
    ASSERT_TRUE(RegistryStore::setValue(QStringLiteral("Big"), QStringLiteral("V19999"), sz("last")));
    file.replace("V19999=sz:139993\n", "V19999=sz:last\n");
    EXPECT_EQ(readRaw(RegistryStore::filePath()), file);
}
