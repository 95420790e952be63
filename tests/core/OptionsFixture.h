#pragma once

#include "IsolatedStore.h"
#include "RecordingSpeech.h"

#include "core/OptionsHost.h"
#include "core/Settings.h"
#include "core/UpdateChoices.h"
#include "core/WindowEffects.h"
#include "core/mdlRegistry.h"
#include "platform/Speech.h"

#include <QVector>
#include <QWidget>

// The main window as the Options window and the window toolkit see it: records what
// they ask of it.
class RecordingOptionsHost : public OptionsHost
{
public:
    QVector<int> autoUpdateMin;
    QVector<bool> timer;
    int skins = 0;
    QWidget* main = nullptr;
    int tickerTop = 0;

    void setAutoUpdateMin(int minutes) override { autoUpdateMin << minutes; }
    void setAutoUpdateTimer(bool enabled) override { timer << enabled; }
    void applySkin() override { ++skins; }
    QWidget* mainWindowWidget() override { return main; }
    int newsTickerTop() override { return tickerTop; }
    int upgradeWindows = 0;
    void showUpgradeWindow() override { ++upgradeWindows; }
};

// A fresh store, a recording main window and voice, the shared update choices
// forgotten, and windows that close without the roll's pauses.
class OptionsFixture : public IsolatedStore
{
protected:
    void SetUp() override
    {
        IsolatedStore::SetUp();
        // The product key exists from the first run on.
        mdlRegistry::CreateNewKey(mdlRegistry::HKEY_CURRENT_USER, QString::fromLatin1(Settings::ProductKey));
        installOptionsHost(&m_host);
        Speech::install(&test::speech());
        test::speech().reset();
        updateChoices().unload();
    }
    void TearDown() override
    {
        installOptionsHost(nullptr);
        test::speech().reset();
        updateChoices().unload();
        IsolatedStore::TearDown();
    }

    static QString setting(const char* name) { return Settings::GetSetting(QString::fromLatin1(name)); }
    static void store(const char* name, const QString& value) { Settings::SaveSetting(QString::fromLatin1(name), value); }

    RecordingOptionsHost m_host;
};
