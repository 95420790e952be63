#include "QtPrint.h"

#include "platform/RegistryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
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
