#pragma once

#include "core/NetSettingStore.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The network-settings window of the first run, "Tradewright Setting": the mail
// and news servers, the user's address, the dial-up prompt and the proxy. Its
// Close button stores them and hands the start on (the questionnaire); closing it
// by the window frame stores nothing and hands nothing on.
class NetSetting : public QWidget
{
    Q_OBJECT
public:
    // afterClose runs once the Close button has stored the values and rolled the
    // window up, just before the window unloads (the start shows the
    // questionnaire there, so a window is on screen all the time).
    explicit NetSetting(std::function<void()> afterClose = {});
    ~NetSetting() override;

    // The window while it is loaded, else null.
    static NetSetting* instance();

    // The first run's road: init, then the window shows itself.
    void ShowFirstRun();
    // Waits (the splash stays up a little longer), closes the splash, fills the
    // boxes and marks the first run done; then runs `then`. Timer driven.
    void init(std::function<void()> then = {});

    void Check1_Click();
    void chkProxy_Click();
    void cmdclose_Click();

    // The controls' current values.
    NetSettingStore::Values values() const;

    // The wait of init in milliseconds (2000); tests set 0.
    static void SetInitDelay(int ms);

    std::array<QLineEdit*, 3> txtData{};
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* chkProxy = nullptr;
    QLineEdit* txtProxy = nullptr;
    QPushButton* cmdclose = nullptr;

private:
    void fill(const NetSettingStore::Values& v);

    std::function<void()> m_afterClose;
    bool m_closing = false;
};
