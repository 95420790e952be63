#pragma once

#include "TestDoubles.h"
#include "TestViews.h"

#include "core/Settings.h"
#include "core/SplashProgress.h"
#include "core/UpdateChoices.h"
#include "core/mdlRegistry.h"
#include "platform/AppPath.h"
#include "platform/RegistryStore.h"
#include "sheets/CurrentQuotes.h"
#include "shell/frmMain.h"
#include "sheets/GridLayout.h"
#include "shell/GaugeSkins.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Stocks.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QVector>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Answers the next modal window: hands it to `look` and cancels it.
inline void answerModal(const std::function<void(QWidget*)>& look)
{
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, look] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w && ++*tries < 300)
            return;
        timer->stop();
        timer->deleteLater();
        if (!w)
            return;
        look(w);
        if (auto* dialog = qobject_cast<QDialog*>(w))
            dialog->reject();
    });
    timer->start(10);
}

// Every test of the shell gets its own program folder and settings file, empty
// tables, no skin loaded, fresh update choices and unscripted dialogs.
class ShellTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_oldAppPath = AppPath();
        m_oldStore = RegistryStore::filePath();
        SetAppPath(m_dir.path() + QStringLiteral("/app"));
        QDir().mkpath(AppPath());
        RegistryStore::setFilePath(m_dir.path() + QStringLiteral("/Tradewright5.ini"));
        mdlRegistry::CreateNewKey(mdlRegistry::HKEY_CURRENT_USER, QString::fromLatin1(Settings::ProductKey));
        mdlRegistry::CreateNewKey(mdlRegistry::HKEY_CURRENT_USER, QString::fromLatin1(Settings::GroupsKey));
        ResetProgramState();
        ResetSkinState();
        LayOut().fill(LayoutRec());
        OldStyleBackgroundChecked() = false;
        updateChoices().unload();
        SplashProgress::install({});
        test::dialogs().reset();
        test::shell().reset();
    }

    void TearDown() override
    {
        SplashProgress::install({});
        updateChoices().unload();
        ResetProgramState();
        ResetSkinState();
        RegistryStore::setFilePath(m_oldStore);
        SetAppPath(m_oldAppPath);
    }

    static void setSetting(const char* name, const QString& value)
    {
        Settings::SaveSetting(QString::fromLatin1(name), value);
    }
    static QString setting(const char* name) { return Settings::GetSetting(QString::fromLatin1(name)); }

    // Fills Stocks with the symbols (rating i+1 cycling 1..5 unless given) and
    // counts them, as a set read from its file would be.
    static void fillSet(const QStringList& symbols, const QVector<float>& ratings = {})
    {
        Stocks().fill(StockRec());
        for (int i = 0; i < symbols.size(); ++i) {
            Stocks()[i].Symbol = symbols[i];
            Stocks()[i].CompanyName = symbols[i] + QStringLiteral(" Corp");
            Stocks()[i].LastPrice = QStringLiteral("%1.25").arg(10 + i);
            Stocks()[i].Volume = QStringLiteral("125000");
            Stocks()[i].Exchange = QStringLiteral("NASDAQ");
            Stocks()[i].AvgRecommendation = i < ratings.size() ? ratings[i] : float(i % 5 + 1);
        }
        StockCount() = std::int16_t(symbols.size());
    }

    // Writes the symbols as set n's file.
    static void writeSet(int n, const QStringList& symbols, const QVector<float>& ratings = {})
    {
        const std::int16_t old = CurrentSet();
        fillSet(symbols, ratings);
        CurrentSet() = std::int16_t(n);
        ASSERT_TRUE(SaveStocks());
        CurrentSet() = old;
        Stocks().fill(StockRec());
        StockCount() = 0;
    }

    static QStringList symbols(int count, const QString& prefix = QStringLiteral("S"))
    {
        QStringList list;
        for (int i = 0; i < count; ++i)
            list << QStringLiteral("%1%2").arg(prefix).arg(i, 2, 10, QLatin1Char('0'));
        return list;
    }

    QString appFile(const QString& name) const { return AppPath() + QLatin1Char('/') + name; }

    QString errorLog() const
    {
        QFile f(appFile(QStringLiteral("ErrorLog.txt")));
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
    }

    QTemporaryDir m_dir;

private:
    QString m_oldAppPath;
    QString m_oldStore;
};

// A shell test with the main window loaded and shown (no popups, no program end);
// every top-level window left over is deleted after the test.
class MainWindowTest : public ShellTest
{
protected:
    void TearDown() override
    {
        form.reset();
        for (QWidget* w : QApplication::topLevelWidgets())
            delete w;
        ShellTest::TearDown();
    }

    frmMain& loaded()
    {
        form = std::make_unique<frmMain>(test::views());
        form->setEndProgram([] {});
        form->setPopupOpener([](QMenu*, const QPoint&) {});
        form->Form_Load();
        form->show();
        return *form;
    }

    std::unique_ptr<frmMain> form;
};
