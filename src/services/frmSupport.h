#pragma once

#include "services/SupportRequest.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

// The support window: the user's name and address, system, connection, proxy and
// error answers, a description and the error-log box; "Exit", "Submit" and "Reset"
// are labels used as buttons, with Shape1 framing the one under the pointer. Its
// work is SupportRequest's; it closes after a request the server took, or by Exit.
class frmSupport : public QDialog
{
    Q_OBJECT
public:
    explicit frmSupport(QWidget* parent = nullptr);

    SupportRequest& engine() { return m_engine; }

    void Form_Load();
    void Reset();
    void SendData();
    void CloseForm();
    void Panel1_Click(int Index);
    // Esc or Alt+X: Exit, Alt+S: Submit, Alt+R: Reset. True when the key was one of them.
    bool Form_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift);

    // The engine's answers into the controls, and the controls into the engine.
    void showFields();
    void takeFields();

    QLineEdit* txtName = nullptr;
    QLineEdit* txtEmail = nullptr;
    QComboBox* cboSystem = nullptr;
    std::array<QRadioButton*, 3> optConnect{};
    std::array<QRadioButton*, 3> optProxy{};
    std::array<QRadioButton*, 2> optError{};
    QLineEdit* txtError = nullptr;
    QPlainTextEdit* txtDesc = nullptr;
    QCheckBox* chkError = nullptr;
    std::array<QLabel*, 3> Panel1{};
    QFrame* Shape1 = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    SupportRequest m_engine;
    QButtonGroup* m_connect = nullptr;
    QButtonGroup* m_proxy = nullptr;
    QButtonGroup* m_error = nullptr;
    bool m_closing = false;
};
