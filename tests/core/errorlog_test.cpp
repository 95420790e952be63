#include "IsolatedStore.h"

#include "core/ErrorLog.h"
#include "core/Settings.h"
#include "core/mdlRegistry.h"
#include "platform/RuntimeError.h"

#include <QDate>
#include <QTime>

namespace {

QByteArray entry(const char* time, const char* description, const char* number, const char* source, const char* tag)
{
    return QByteArray("--------------\r\n") + "Time: " + time + "\r\n"
         + "Description:" + QByteArray(3, ' ') + description + "\r\n"
         + "Number:" + QByteArray(8, ' ') + number + "\r\n"
         + "Source:" + QByteArray(9, ' ') + source + "\r\n"
         + "Where: " + tag + "\r\n";
}

} // namespace

class ErrorLogTest : public IsolatedStore
{
protected:
    void SetUp() override
    {
        IsolatedStore::SetUp();
        mdlRegistry::CreateNewKey(mdlRegistry::HKEY_CURRENT_USER, QString::fromLatin1(Settings::ProductKey));
        Clock::setFixed(QDateTime(QDate(2002, 3, 4), QTime(13, 5, 9)));
    }
    QByteArray logBytes() const { return ReadBytes(AppPath() + QStringLiteral("/ErrorLog.txt")); }
    QString traping() const { return Settings::GetSetting(QString::fromLatin1(Settings::ErrorTraping)); }
};

TEST_F(ErrorLogTest, WritesTheSixLineEntry)
{
    LogError(QStringLiteral("File not found"), 53, QStringLiteral("Tradewright"), QStringLiteral("Misc_Main"), false);
    EXPECT_EQ(logBytes(), entry("1:05:09 PM", "File not found", "53", "Tradewright", "Misc_Main"));
}

TEST_F(ErrorLogTest, EntriesAreAppendedWholeAndLargeNumbersInSingleForm)
{
    LogError(QStringLiteral("Automation error"), -2147221504.0f, QStringLiteral("Inet"), QStringLiteral("frmMain_LoadData"),
             false);
    Clock::setFixed(QDateTime(QDate(2002, 3, 4), QTime(0, 0, 7)));
    LogError(RuntimeError(6, QStringLiteral("Overflow"), QStringLiteral("Tradewright")),
             QStringLiteral("Misc_FormatP"));
    EXPECT_EQ(logBytes(), entry("1:05:09 PM", "Automation error", "-2.147222E+09", "Inet", "frmMain_LoadData")
                              + entry("12:00:07 AM", "Overflow", "6", "Tradewright", "Misc_FormatP"));
}

TEST_F(ErrorLogTest, NoticeIsShownOnlyWhenAskedAndNotSwitchedOff)
{
    LogError(QStringLiteral("d"), 5, QStringLiteral("s"), QStringLiteral("t"), false);
    EXPECT_TRUE(test::dialogs().shown.isEmpty());

    test::dialogs().msgAnswers.enqueue(Dialogs::vbOK);
    LogError(QStringLiteral("Type mismatch"), 13, QStringLiteral("Tradewright"), QStringLiteral("Misc_Main"), true);
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    const auto& box = test::dialogs().shown.front();
    EXPECT_EQ(box.title, QStringLiteral("Error occur"));
    EXPECT_EQ(box.buttons, Dialogs::vbOKCancel + Dialogs::vbInformation);
    const QByteArray logged = entry("1:05:09 PM", "Type mismatch", "13", "Tradewright", "Misc_Main");
    const QString expectedPrompt =
        QStringLiteral("Error occur and logged successfully into a log file\r\n"
                       "If you don't want to see this messages anymore, Click Cancel\r\n")
        + QString::fromLatin1(logged.left(logged.indexOf("\r\nWhere: ")));
    EXPECT_EQ(box.prompt, expectedPrompt);
    EXPECT_EQ(traping(), QString());  // OK changes nothing

    // Cancel switches the notice off for good; the entries are still written.
    test::dialogs().msgAnswers.enqueue(Dialogs::vbCancel);
    LogError(QStringLiteral("d"), 5, QStringLiteral("s"), QStringLiteral("t"), true);
    EXPECT_EQ(traping(), QStringLiteral("1"));
    LogError(QStringLiteral("d"), 5, QStringLiteral("s"), QStringLiteral("t"), true);
    EXPECT_EQ(test::dialogs().shown.size(), 2);
    EXPECT_EQ(logEntries(QStringLiteral("t")), 3);
}

TEST_F(ErrorLogTest, AnyNonEmptyErrorTrapingSuppresses)
{
    for (const char* value : {"0", "1", "x"}) {
        test::dialogs().reset();
        Settings::SaveSetting(QString::fromLatin1(Settings::ErrorTraping), QString::fromLatin1(value));
        LogError(QStringLiteral("d"), 5, QStringLiteral("s"), QStringLiteral("t"), true);
        EXPECT_TRUE(test::dialogs().shown.isEmpty()) << value;
    }
}

TEST_F(ErrorLogTest, AnUnwritableLogStillNotifiesAndNeverThrows)
{
    ASSERT_TRUE(WriteFileAtomic(m_dir.path() + QStringLiteral("/plainfile"), "x"));
    SetAppPath(m_dir.path() + QStringLiteral("/plainfile/app"));  // cannot be a folder
    EXPECT_NO_THROW(LogError(QStringLiteral("d"), 5, QStringLiteral("s"), QStringLiteral("t"), true));
    EXPECT_EQ(test::dialogs().shown.size(), 1);
}
