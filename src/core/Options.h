#pragma once

#include "core/OptionsModel.h"

#include <QDialog>
#include <QVector>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The Options window: binds its controls to OptionsModel, which does the work.
// Controls carry their own names as object names ("chkUpdate12", "Frm3",
// "lblNav5", "cobSqd", ...).
class Options : public QDialog
{
    Q_OBJECT

public:
    explicit Options(QWidget* owner = nullptr);
    ~Options() override;

    // Opens the window modally over owner at the page stored last (FrmNav) and
    // returns when it is closed. The main window's "Setting" button calls this.
    // place, when given, positions the loaded window before it is shown.
    static void ShowOptions(QWidget* owner, const std::function<void(QWidget*)>& place = nullptr);
    // The settings menu: stores page as FrmNav first, so the window opens there.
    static void ShowOptionsAt(QWidget* owner, int page, const std::function<void(QWidget*)>& place = nullptr);

    OptionsModel& model() { return m_model; }

    // Controls.
    std::array<QLabel*, OptionsModel::PageCount> lblNav{};
    std::array<QGroupBox*, OptionsModel::PageCount> Frm{};
    std::array<QCheckBox*, 99> chkUpdate{};
    std::array<QLabel*, 3> lblExc{};
    std::array<QPushButton*, 8> cmdSelect{};
    std::array<QCheckBox*, 2> ChkNumeric{};
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* txtNewsServ = nullptr;
    QLineEdit* txtEmailServ = nullptr;
    QLineEdit* txtEmailAddress = nullptr;
    QLineEdit* txtProxy = nullptr;
    QCheckBox* chkPrompt = nullptr;
    QCheckBox* chkProxy = nullptr;
    QCheckBox* chkShutDown = nullptr;
    QCheckBox* ChkUS = nullptr;
    QComboBox* cobStyle = nullptr;
    QComboBox* cobSqd = nullptr;
    QComboBox* cobVoice = nullptr;
    QPushButton* cmd_OK = nullptr;
    QPushButton* cmd_cancel = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdEmpty = nullptr;
    QPushButton* cmdUpgrade = nullptr;
    QLabel* lblInfo = nullptr;

    // Runs the load and shows the model's state in the controls.
    void Form_Load();
    // Shows the model's state in every control.
    void refresh();
    // "Check for Upgrade": the version check; with a newer version the window unloads
    // (without the roll) and the main window shows the upgrade window.
    void cmdUpgrade_Click();

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void buildUpdateBox(int n, QWidget* parent, int x, int y, int width);
    void closeRolled();
    void cancel();

    OptionsModel m_model;
    bool m_refreshing = false;
    bool m_inGuard = false;
    bool m_closing = false;
};
