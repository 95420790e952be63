// A settings file as the program writes it (tests/fixtures/platform/Tradewright5.ini):
// every value reads as stored, and a save keeps every line it does not change.
#include "QtPrint.h"

#include "platform/RegistryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray fixture()
{
    QFile f(QStringLiteral(TW_FIXTURES "/platform/Tradewright5.ini"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class RegistryStoreFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_saved = RegistryStore::filePath();
        ASSERT_TRUE(m_dir.isValid());
        const QString path = m_dir.path() + QStringLiteral("/Orvane/Tradewright5.ini");
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        m_file = fixture();
        ASSERT_FALSE(m_file.isEmpty());
        f.write(m_file);
        f.close();
        RegistryStore::setFilePath(path);
    }
    void TearDown() override { RegistryStore::setFilePath(m_saved); }

    QTemporaryDir m_dir;
    QString m_saved;
    QByteArray m_file;
};

TEST_F(RegistryStoreFile, EveryValueReadsAsStored)
{
    struct Case
    {
        const char* key;
        const char* name;
        int type;
        QByteArray data;
    };
    const Case cases[] = {
        {"Software\\Orvane\\Tradewright5", "SplashDelay", RegistryStore::REG_SZ, "5"},
        {"Software\\Orvane\\Tradewright5", "Proxy", RegistryStore::REG_SZ, "proxy.example:8080"},
        {"Software\\Orvane\\Tradewright5", "Q_Message", RegistryStore::REG_SZ, "Line one\r\nLine two"},
        {"Software\\Orvane\\Tradewright5", "Email", RegistryStore::REG_SZ, " jo@example.org "},
        {"Software\\Orvane\\Tradewright5", "Update1", RegistryStore::REG_SZ, "0"},
        {"Software\\Orvane\\Tradewright5\\Groups", "Group1", RegistryStore::REG_SZ, "Caf\xe9 stocks"},
        {"Software\\Orvane\\Tradewright5\\Groups", "Group2", RegistryStore::REG_SZ, "\x80 funds"},
        {"Software\\Orvane\\ZA1", "US", RegistryStore::REG_DWORD, QByteArray("\x03\x00\x00\x00", 4)},
        {"Software\\Orvane\\Tradewright5\\Sites", "Price", RegistryStore::REG_SZ, "quotes.example:8080"},
        {"RemoteAccess", "Default", RegistryStore::REG_SZ, ""},
        {"RemoteAccess", "Blob", 3, "\x0a\x0b\x0c"},
    };
    for (const Case& c : cases) {
        const auto v = RegistryStore::queryValue(QString::fromLatin1(c.key), QString::fromLatin1(c.name));
        ASSERT_TRUE(v.has_value()) << c.name;
        EXPECT_EQ(v->type, c.type) << c.name;
        EXPECT_EQ(v->data, c.data) << c.name;
    }
    EXPECT_TRUE(RegistryStore::keyExists(QStringLiteral("Software\\Orvane")));
}

TEST_F(RegistryStoreFile, ASaveKeepsEveryLineItDoesNotChange)
{
    ASSERT_TRUE(RegistryStore::setValue(QStringLiteral("Software\\Orvane\\Tradewright5\\Groups"),
                                        QStringLiteral("Group1"), {RegistryStore::REG_SZ, "Tech"}));
    const QByteArray saved = readAll(RegistryStore::filePath());
    for (const QByteArray& line : m_file.split('\n')) {
        if (line.startsWith("Group1="))
            EXPECT_FALSE(saved.contains(line + '\n'));
        else
            EXPECT_TRUE(saved.contains(line + '\n')) << line.toStdString();
    }
    EXPECT_TRUE(saved.contains("Group1=sz:Tech\n"));
}
