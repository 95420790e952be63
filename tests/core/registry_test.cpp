#include "IsolatedStore.h"

#include "core/Settings.h"
#include "core/mdlRegistry.h"
#include "platform/RegistryStore.h"

#include <QVariant>

using namespace mdlRegistry;

namespace {

const QString kProduct = QString::fromLatin1(Settings::ProductKey);
const QString kZA1 = QString::fromLatin1(Settings::ZA1Key);

void storeRaw(const QString& key, const QString& name, int type, const QByteArray& data)
{
    RegistryStore::createKey(key);
    ASSERT_TRUE(RegistryStore::setValue(key, name, {type, data}));
}

} // namespace

class RegistryTest : public IsolatedStore
{
protected:
    void SetUp() override
    {
        IsolatedStore::SetUp();
        CreateNewKey(HKEY_CURRENT_USER, kProduct);
        CreateNewKey(HKEY_CURRENT_USER, QString::fromLatin1(Settings::GroupsKey));
    }
};

TEST_F(RegistryTest, MissingValueOrKeyIsEmpty)
{
    EXPECT_FALSE(QueryValue(HKEY_CURRENT_USER, kProduct, QStringLiteral("SplashDelay")).isValid());
    EXPECT_FALSE(QueryValue(HKEY_CURRENT_USER, kZA1, QStringLiteral("US")).isValid());
    EXPECT_FALSE(QueryValue(HKEY_CURRENT_USER, QStringLiteral("RemoteAccess"), QStringLiteral("Default")).isValid());

    HKEY key = 0;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kProduct, key), 0);
    QVariant value = QStringLiteral("stale");
    EXPECT_EQ(QueryValueEx(key, QStringLiteral("SplashDelay"), value), -1);
    EXPECT_FALSE(value.isValid());
    RegCloseKey(key);

    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kZA1, key), 2);
    EXPECT_EQ(QueryValueEx(key, QStringLiteral("US"), value), -1);
    EXPECT_FALSE(value.isValid());
}

TEST_F(RegistryTest, TextIsStoredWithoutATerminatingZero)
{
    SetKeyValue(HKEY_CURRENT_USER, kProduct, QStringLiteral("SplashDelay"), 5, REG_SZ);
    const auto raw = RegistryStore::queryValue(kProduct, QStringLiteral("SplashDelay"));
    ASSERT_TRUE(raw.has_value());
    EXPECT_EQ(raw->type, RegistryStore::REG_SZ);
    EXPECT_EQ(raw->data, QByteArray("5"));
    const QVariant back = QueryValue(HKEY_CURRENT_USER, kProduct, QStringLiteral("SplashDelay"));
    EXPECT_EQ(back.metaType().id(), QMetaType::QString);
    EXPECT_EQ(back.toString(), QStringLiteral("5"));

    // Texts are code-page bytes both ways, and a check box's state is "1" or "0".
    SetKeyValue(HKEY_CURRENT_USER, kProduct, QStringLiteral("Proxy"), QString::fromUtf8("caf\u00e9 \u20ac"));
    EXPECT_EQ(RegistryStore::queryValue(kProduct, QStringLiteral("Proxy"))->data, QByteArray("caf\xe9 \x80"));
    EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kProduct, QStringLiteral("Proxy")).toString(),
              QString::fromUtf8("caf\u00e9 \u20ac"));
    SetKeyValue(HKEY_CURRENT_USER, kProduct, QStringLiteral("Prompt"), true);
    EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kProduct, QStringLiteral("Prompt")).toString(), QStringLiteral("1"));
}

TEST_F(RegistryTest, TextWrittenWithATrailingZeroKeepsIt)
{
    storeRaw(kProduct, QStringLiteral("Email"), RegistryStore::REG_SZ, QByteArray("me@x\0", 5));
    const QString back = QueryValue(HKEY_CURRENT_USER, kProduct, QStringLiteral("Email")).toString();
    ASSERT_EQ(back.size(), 5);
    EXPECT_EQ(back.left(4), QStringLiteral("me@x"));
    EXPECT_EQ(back.at(4), QChar(u'\0'));
}

TEST_F(RegistryTest, NumberValuesReadAs32Bits)
{
    storeRaw(kZA1, QStringLiteral("US"), RegistryStore::REG_DWORD, QByteArray("\x01\x00\x00\x00", 4));
    storeRaw(kZA1, QStringLiteral("Neg"), RegistryStore::REG_DWORD, QByteArray("\xfe\xff\xff\xff", 4));
    const QVariant us = QueryValue(HKEY_CURRENT_USER, kZA1, QStringLiteral("US"));
    EXPECT_EQ(us.metaType().id(), QMetaType::Int);
    EXPECT_EQ(us.toInt(), 1);
    EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kZA1, QStringLiteral("Neg")).toInt(), -2);

    // Writing type 4 stores four bytes; other types write nothing.
    HKEY key = 0;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kProduct, key), 0);
    EXPECT_EQ(SetValueEx(key, QStringLiteral("Count"), REG_DWORD, QStringLiteral("1440")), 0);
    EXPECT_EQ(SetValueEx(key, QStringLiteral("Other"), 3, QStringLiteral("x")), 0);
    RegCloseKey(key);
    EXPECT_EQ(RegistryStore::queryValue(kProduct, QStringLiteral("Count"))->data, QByteArray("\xa0\x05\x00\x00", 4));
    EXPECT_FALSE(RegistryStore::queryValue(kProduct, QStringLiteral("Other")));
    EXPECT_FALSE(QueryValue(HKEY_CURRENT_USER, kProduct, QStringLiteral("Other")).isValid());

    // A value of another type reads as missing.
    storeRaw(kProduct, QStringLiteral("Blob"), 3, QByteArray("\x01", 1));
    EXPECT_FALSE(QueryValue(HKEY_CURRENT_USER, kProduct, QStringLiteral("Blob")).isValid());
}

TEST_F(RegistryTest, WritingIntoAMissingKeyWritesNothing)
{
    SetKeyValue(HKEY_CURRENT_USER, kZA1, QStringLiteral("US"), QStringLiteral("1"));
    EXPECT_FALSE(RegistryStore::keyExists(kZA1));
    EXPECT_FALSE(QueryValue(HKEY_CURRENT_USER, kZA1, QStringLiteral("US")).isValid());
    EXPECT_EQ(errorLogText(), QString());  // nothing is reported either
}

TEST_F(RegistryTest, TrailingBackslashNamesTheSameKey)
{
    SetKeyValue(HKEY_CURRENT_USER, kProduct + u'\\', QStringLiteral("LastGroup"), QStringLiteral("3"));
    EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kProduct, QStringLiteral("LastGroup")).toString(), QStringLiteral("3"));
    SetKeyValue(HKEY_CURRENT_USER, kProduct, QStringLiteral("LastGroup"), QStringLiteral("4"));
    EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kProduct + u'\\', QStringLiteral("LastGroup")).toString(),
              QStringLiteral("4"));
}

TEST_F(RegistryTest, TheTwoUSValuesAreDifferentValues)
{
    CreateNewKey(HKEY_CURRENT_USER, kZA1);  // as another tool would
    SetKeyValue(HKEY_CURRENT_USER, kProduct, QStringLiteral("US"), QStringLiteral("1"));
    EXPECT_FALSE(QueryValue(HKEY_CURRENT_USER, kZA1, QStringLiteral("US")).isValid());
    EXPECT_TRUE(Settings::SettingIsZeroAt(kZA1, QString::fromLatin1(Settings::US)));

    storeRaw(kZA1, QStringLiteral("US"), RegistryStore::REG_DWORD, QByteArray("\x00\x00\x00\x00", 4));
    SetKeyValue(HKEY_CURRENT_USER, kProduct, QStringLiteral("US"), QStringLiteral("0"));
    storeRaw(kZA1, QStringLiteral("US"), RegistryStore::REG_DWORD, QByteArray("\x02\x00\x00\x00", 4));
    EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kProduct, QStringLiteral("US")).toString(), QStringLiteral("0"));
    EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kZA1, QStringLiteral("US")).toInt(), 2);
    EXPECT_FALSE(Settings::SettingIsZeroAt(kZA1, QString::fromLatin1(Settings::US)));
    EXPECT_TRUE(Settings::SettingIsZero(QString::fromLatin1(Settings::US)));
}

TEST_F(RegistryTest, UnconvertibleValuesAreLoggedAndCountAsMissing)
{
    // Writing: a value with no text form, a number that is not one.
    SetKeyValue(HKEY_CURRENT_USER, kProduct, QStringLiteral("ChartOpt"), QStringList{QStringLiteral("a")});
    EXPECT_FALSE(RegistryStore::queryValue(kProduct, QStringLiteral("ChartOpt")));
    HKEY key = 0;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kProduct, key), 0);
    EXPECT_NE(SetValueEx(key, QStringLiteral("Count"), REG_DWORD, QStringLiteral("lots")), 0);
    EXPECT_NE(SetValueEx(key, QStringLiteral("Count"), REG_DWORD, 1e12), 0);
    RegCloseKey(key);
    EXPECT_FALSE(RegistryStore::queryValue(kProduct, QStringLiteral("Count")));
    EXPECT_EQ(logEntries(QStringLiteral("mdlRegistry_SetValueEx")), 3);

    // Reading: a hand-broken number.
    storeRaw(kProduct, QStringLiteral("AutoUpdate"), RegistryStore::REG_DWORD, QByteArray("\x01\x02", 2));
    EXPECT_FALSE(QueryValue(HKEY_CURRENT_USER, kProduct, QStringLiteral("AutoUpdate")).isValid());
    EXPECT_EQ(logEntries(QStringLiteral("QueryValueEx")), 1);
    EXPECT_EQ(Settings::GetSetting(QStringLiteral("AutoUpdate")), QString());
    EXPECT_EQ(Settings::SettingInt(QStringLiteral("AutoUpdate"), 15), 15);
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
}

TEST_F(RegistryTest, SettingHelpers)
{
    EXPECT_EQ(Settings::UpdateValueName(0), QStringLiteral("Update0"));
    EXPECT_EQ(Settings::UpdateValueName(98), QStringLiteral("Update98"));
    EXPECT_EQ(Settings::GroupValueName(20), QStringLiteral("Group20"));

    const QString name = QString::fromLatin1(Settings::SplashDelay);
    EXPECT_EQ(Settings::GetSetting(name), QString());
    const struct
    {
        const char* stored;  // nullptr: missing
        bool zero;
        int asInt;           // with fallback 5
    } rows[] = {
        {nullptr, true, 5}, {"", true, 5},   {"0", true, 0},    {"0.0", true, 0}, {"abc", true, 5},
        {" 0 ", true, 0},   {"1", false, 1}, {"-2", false, -2}, {"12", false, 12}, {"2.5", false, 2},
        {"1e20", false, 5},
    };
    for (const auto& r : rows) {
        if (r.stored)
            Settings::SaveSetting(name, QString::fromLatin1(r.stored));
        else
            RegistryStore::setFilePath(m_dir.path() + QStringLiteral("/empty.ini"));
        EXPECT_EQ(Settings::SettingIsZero(name), r.zero) << (r.stored ? r.stored : "missing");
        EXPECT_EQ(Settings::SettingInt(name, 5), r.asInt) << (r.stored ? r.stored : "missing");
        if (!r.stored) {
            RegistryStore::setFilePath(m_dir.path() + QStringLiteral("/config/Orvane/Tradewright5.ini"));
        }
    }
    storeRaw(kProduct, QStringLiteral("PicBar"), RegistryStore::REG_DWORD, QByteArray("\x07\x00\x00\x00", 4));
    EXPECT_EQ(Settings::GetSetting(QStringLiteral("PicBar")), QStringLiteral("7"));

    Settings::SaveSettingAt(QString::fromLatin1(Settings::GroupsKey), Settings::GroupValueName(3),
                            QStringLiteral("Tech"));
    EXPECT_EQ(Settings::GetSettingAt(QString::fromLatin1(Settings::GroupsKey), QStringLiteral("group3")),
              QStringLiteral("Tech"));
}
