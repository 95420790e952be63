#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class MainWindowFactory;

// The program's start (Main): one copy per user, the splash, and then one of two
// roads. The first run creates the settings keys, stores Path and shows the
// network settings, whose Close shows the questionnaire, whose Close shows the
// main window. A later run reads the current set and the portfolio, waits the
// splash delay and shows the main window; while the questionnaire's box is clear
// it shows the questionnaire instead, as the first run does.
class StartUp : public QObject
{
    Q_OBJECT
public:
    // wait(ms, then): runs `then` after ms milliseconds from the event loop; the
    // default is a single-shot timer, tests record the delay.
    using Waiter = std::function<void(int ms, std::function<void()> then)>;

    explicit StartUp(MainWindowFactory& mainWindow, QObject* parent = nullptr);
    ~StartUp() override;

    void setWaiter(Waiter waiter);

    // false when another copy of the program runs: this one then shows nothing
    // and the caller ends at once. Otherwise the start has begun and goes on in
    // the event loop (true also when it stopped on an error, which is logged as
    // "Misc_Main" with the notice).
    bool Main();

    // The splash delay that the last Main() used, in milliseconds.
    int splashDelay() const { return m_delayMs; }

    // The delay a stored SplashDelay gives: empty is 5 seconds; otherwise the
    // value in seconds (0..20; more counts as 20). nullopt for a value that is not
    // a number or is negative: the caller logs it and waits 5 seconds.
    static std::optional<int> SplashDelayMs(const QString& stored);
    static constexpr int kDefaultDelayMs = 5000;
    static constexpr int kMaxDelayMs = 20000;

private:
    void guarded(const std::function<void()>& step);
    int readSplashDelay();
    void firstRun();
    void laterRun();
    void showMain();

    MainWindowFactory& m_mainWindow;
    Waiter m_wait;
    int m_delayMs = kDefaultDelayMs;
};
