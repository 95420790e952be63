#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QProgressBar;

// The splash window. The start shows it modeless with its progress bar while the
// program loads; the main window's Start menu shows it again as the About box.
// Its texts and links come from SplashInfo (frmSplashInfo.h).
class frmSplash : public QDialog
{
    Q_OBJECT
public:
    // The start's splash: frameless, centred, progress bar visible and at 0. It
    // takes the progress and close calls of SplashProgress.h until it is unloaded.
    // Creates the window when none is shown, else returns the one on screen.
    static frmSplash* ShowSplash();
    // The About box: a window-modal dialog over owner, without the progress bar;
    // returns at once (Image2_Click or the window frame closes it).
    static frmSplash* ShowAbout(QWidget* owner);
    // The start's splash while it is loaded, else null.
    static frmSplash* instance();
    ~frmSplash() override;

    // pb1: 0..100 (clamped).
    void setProgress(int percent);
    int progress() const;
    bool progressVisible() const;

    // Event handlers (also called directly by tests).
    void Form_Load();
    void Image2_Click();
    void Label2_MouseDown();
    void lblEmail_Click();

    // Unloads the window on the next turn of the event loop, so a window that is
    // being shown in the same call (the main window, the settings window) is on
    // screen before this one goes: the program never stands without a window.
    void unloadLater();

    QProgressBar* pb1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblEmail = nullptr;
    QLabel* Image2 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit frmSplash(QWidget* owner, bool about);

    bool m_about = false;
    bool m_unloading = false;
};
