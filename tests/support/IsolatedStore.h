#pragma once

#include "TestDoubles.h"
#include "QtPrint.h"

#include "platform/AppPath.h"
#include "platform/Clock.h"
#include "core/Settings.h"
#include "platform/RegistryStore.h"

#include <QCoreApplication>
#include <QEvent>

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace test {

inline QString setting(const char* name)
{
    return Settings::GetSetting(QString::fromLatin1(name));
}

inline void save(const char* name, const QString& value)
{
    Settings::SaveSetting(QString::fromLatin1(name), value);
}

// Lets queued unloads and deferred deletes run.
inline void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace test

// A fresh program folder and settings file for each test, put back afterwards, with
// the dialog and shell doubles emptied.
class IsolatedStore : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_savedApp = AppPath();
        m_savedStore = RegistryStore::filePath();
        SetAppPath(m_dir.path() + QStringLiteral("/app"));
        RegistryStore::setFilePath(m_dir.path() + QStringLiteral("/config/Orvane/Tradewright5.ini"));
        test::dialogs().reset();
        test::shell().reset();
    }
    void TearDown() override
    {
        SetAppPath(m_savedApp);
        RegistryStore::setFilePath(m_savedStore);
        Clock::setFixed(QDateTime());
        test::dialogs().reset();
        test::shell().reset();
    }

    QString errorLogText() const
    {
        return QString::fromLatin1(ReadBytes(AppPath() + QStringLiteral("/ErrorLog.txt")));
    }
    int logEntries(const QString& tag) const
    {
        return static_cast<int>(errorLogText().count(QStringLiteral("Where: ") + tag + QStringLiteral("\r\n")));
    }

    QTemporaryDir m_dir;
    QString m_savedApp;
    QString m_savedStore;
};
