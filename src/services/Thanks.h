#pragma once

#include "services/ThanksFeedback.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The feedback questionnaire: shown by the first run after the network settings
// (and by a later start while its box is clear), and from the main window's mail
// menu. Its Close queues the answers, loads the portfolio, shows the main window,
// rolls itself up and reloads the current set. Closing it by the window frame does
// the same, so the program never goes on without a window.
// What the questionnaire announces. Its Close asks for the main window, which it
// sits below and cannot create itself: the program's start connects to this.
class ThanksEvents : public QObject
{
    Q_OBJECT
signals:
    void mainWindowWanted();
};

class Thanks : public QWidget
{
    Q_OBJECT
public:
    // Shows the single questionnaire, creating it when needed.
    static Thanks* ShowThanks();
    // The questionnaire while it is loaded, else null.
    static Thanks* instance();
    // What the questionnaire announces (ThanksEvents).
    static ThanksEvents& events();

    ~Thanks() override;

    void Form_Load();
    void chkPrompt_Click();
    // Queues the answers (true when it did); errors are logged as "Thanks_SendData".
    bool SendData();
    void cmdclose_Click();

    ThanksFeedback::Answers answers() const;

    QComboBox* cboGroup = nullptr;
    QComboBox* cboGender = nullptr;
    QComboBox* cboCountry = nullptr;
    QLineEdit* txtZip = nullptr;
    QComboBox* cboPar = nullptr;
    QComboBox* cboWhere = nullptr;
    QPlainTextEdit* txtComments = nullptr;
    QLineEdit* Text1 = nullptr;
    QPlainTextEdit* Text2 = nullptr;
    QCheckBox* chkPrompt = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label6 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Thanks();
    // SendData, LoadPortfolio and the main window: the Close button's first steps.
    void queueLoadAndShow();
    static void reloadSet();

    bool m_closing = false;  // the close sequence is running
    bool m_unloading = false;
};
