#pragma once

#include <QDialog>

class Downloaders;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The weekly adviser tip: the cut of Tip.Sh (AdviserTip), "&Get Free Tip" through the
// update run's UpdateAdvise (the main window's title restored after it), two help topics and the weekly-service box, which is
// update item 19 of the Options window.
class frmAdviser : public QDialog
{
    Q_OBJECT

public:
    explicit frmAdviser(Downloaders& downloaders, QWidget* parent = nullptr);

    void init();
    void cmdUpdate_Click();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPlainTextEdit* txtTip = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* cmdUpdate = nullptr;
    QPushButton* cmdFull = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* lblInfo = nullptr;

private:
    void cmdclose_Click();

    Downloaders& m_downloaders;
};
