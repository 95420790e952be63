#pragma once

#include "platform/AppPath.h"
#include "stockdata/DataFile.h"
#include "stockdata/ProgramState.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Every test starts with empty tables and its own program folder, so data files
// of one test never leak into the next.
class StockDataTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_oldAppPath = AppPath();
        SetAppPath(m_dir.path());
        ResetProgramState();
    }

    void TearDown() override
    {
        datafile::setReader({});
        ResetProgramState();
        SetAppPath(m_oldAppPath);
    }

    QString path(const QString& name) const { return m_dir.path() + QLatin1Char('/') + name; }

    QByteArray fileBytes(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    // Every read of an existing data file fails from now on (as a file the user may
    // not read, or a damaged disk, would), until restoreReads().
    static void failReads()
    {
        datafile::setReader([](const QString&, QByteArray&) { return false; });
    }
    static void restoreReads() { datafile::setReader({}); }

    QString errorLog() const { return QString::fromLatin1(fileBytes(QStringLiteral("ErrorLog.txt"))); }

private:
    QTemporaryDir m_dir;
    QString m_oldAppPath;
};
