#include "app/StartUp.h"

#include "app/MainWindowFactory.h"
#include "core/ErrorLog.h"
#include "core/NetSetting.h"
#include "core/Settings.h"
#include "core/SplashProgress.h"
#include "core/frmSplash.h"
#include "core/mdlRegistry.h"
#include "platform/AppPath.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "platform/SingleInstance.h"
#include "retrieval/CacheFiles.h"
#include "platform/SkipFailedSteps.h"
#include "services/Thanks.h"
#include "stockdata/Portfolio.h"
#include "stockdata/Stocks.h"

#include <QCoreApplication>
#include <QTimer>

#include <cmath>
#include <exception>

namespace {

const QString kTag = QStringLiteral("Misc_Main");

QString name(const char* setting)
{
    return QString::fromLatin1(setting);
}

// A failure of the start goes to ErrorLog.txt with the notice.
void logStartFailure(const std::exception* error)
{
    LogFailure(error, kTag, true);
}

} // namespace

StartUp::StartUp(MainWindowFactory& mainWindow, QObject* parent)
    : QObject(parent), m_mainWindow(mainWindow)
{
    m_wait = [this](int ms, std::function<void()> then) { QTimer::singleShot(ms, this, std::move(then)); };
    // The questionnaire's Close (at the first start or from the mail menu) opens the
    // main window.
    connect(&Thanks::events(), &ThanksEvents::mainWindowWanted, this, [this] { m_mainWindow.showMainWindow(); });
}

StartUp::~StartUp() = default;

void StartUp::setWaiter(Waiter waiter)
{
    m_wait = std::move(waiter);
}

std::optional<int> StartUp::SplashDelayMs(const QString& stored)
{
    if (stored.isEmpty())
        return kDefaultDelayMs;
    if (!rt::IsNumeric(stored))
        return std::nullopt;
    double seconds = 0;
    try {
        seconds = rt::CDbl(stored);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (!std::isfinite(seconds) || seconds < 0)
        return std::nullopt;
    const double ms = std::round(seconds * 1000.0);
    return ms > kMaxDelayMs ? kMaxDelayMs : static_cast<int>(ms);
}

void StartUp::guarded(const std::function<void()>& step)
{
    SkipFailedSteps{logStartFailure}(step);
}

bool StartUp::Main()
{
    // A second copy ends before it shows anything.
    if (!SingleInstance::acquire())
        return false;
    // No other copy can be saving now: what a killed save left behind can go.
    RemoveInterruptedSaves();


    guarded([this] {
        MakeDir(AppPath());
        frmSplash::ShowSplash();
        setSplashProgress(1);
        QCoreApplication::processEvents();
        m_delayMs = readSplashDelay();
        setSplashProgress(30);

        if (Settings::SettingIsZero(name(Settings::RunOnce))) {
            firstRun();
            return;
        }
        setSplashProgress(35);
        if (Settings::SettingIsZero(name(Settings::Thanks))) {
            // The questionnaire's box is clear: it shows again, and its Close
            // carries the start on as on the first run.
            Thanks::ShowThanks();
            closeSplash();
            return;
        }
        laterRun();
    });
    return true;
}

int StartUp::readSplashDelay()
{
    const QString stored = Settings::GetSetting(name(Settings::SplashDelay));
    if (const auto ms = SplashDelayMs(stored))
        return *ms;
    // Not a number: logged, and the start goes on with the usual wait.
    LogError(QStringLiteral("SplashDelay is not a number of seconds: \"") + stored + QLatin1Char('"'), 13.0f,
             QStringLiteral("Tradewright"), kTag, false);
    return kDefaultDelayMs;
}

void StartUp::firstRun()
{
    using namespace mdlRegistry;
    CreateNewKey(HKEY_CURRENT_USER, name(Settings::ProductKey));
    CreateNewKey(HKEY_CURRENT_USER, name(Settings::GroupsKey));
    SetKeyValue(HKEY_CURRENT_USER, name(Settings::ProductKey), name(Settings::Path), AppPath(), REG_SZ);

    // The network settings replace the splash; their Close shows the questionnaire.
    auto* settings = new NetSetting([] { Thanks::ShowThanks(); });
    settings->ShowFirstRun();
    QCoreApplication::processEvents();
}

void StartUp::laterRun()
{
    ReadStocks();
    LoadPortfolio();
    // The splash stays up for the delay; the event loop keeps running meanwhile.
    m_wait(m_delayMs, [this] { guarded([this] { showMain(); }); });
}

void StartUp::showMain()
{
    setSplashProgress(40);
    QCoreApplication::processEvents();
    m_mainWindow.showMainWindow();
    setSplashProgress(50);
    QCoreApplication::processEvents();
}
