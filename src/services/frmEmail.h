#pragma once

#include "services/MailWindow.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;

// Rolls a mail window up and ends it as accepted, once: closing is set on the first
// call and a later call does nothing. False when it was already closing.
bool RollMailWindowClosed(QDialog* window, bool& closing);

// The mail window "New Massage": server, sender, recipient, subject and body, the
// error-log box and Send. Its work is MailWindow's; the window copies its boxes in
// before Send and out after a change, shows the progress in StatusTxt, and closes
// only when the server took the message (or by Close).
class frmEmail : public QDialog
{
    Q_OBJECT
public:
    explicit frmEmail(QWidget* parent = nullptr);

    MailWindow& engine() { return m_engine; }

    // Fills the boxes from the settings (MailWindow::Form_Load).
    void Form_Load();
    // The engine's texts into the boxes, and the boxes' texts into the engine.
    void showFields();
    void takeFields();

    void cmdSend_Click();
    // Rolls the window up and unloads it.
    void cmdclose_Click();

    QLineEdit* txtServer = nullptr;
    QLineEdit* txtFromName = nullptr;
    QLineEdit* txtFromEmail = nullptr;
    QLineEdit* txtToName = nullptr;
    QLineEdit* txtToEmail = nullptr;
    QLineEdit* txtSubject = nullptr;
    QPlainTextEdit* txtBody = nullptr;
    QCheckBox* chkError = nullptr;
    QPushButton* cmdSend = nullptr;
    QPushButton* cmdClose = nullptr;
    QStatusBar* StatusTxt = nullptr;
    QLabel* StatusPanel = nullptr;  // the status bar's first panel

private:
    MailWindow m_engine;
    bool m_closing = false;
};
