#pragma once

#include "services/FtpDownload.h"

#include <QWidget>

#include <array>

class QLabel;
class QPlainTextEdit;

// The upgrade window: announces the new version and fetches the upgrade archive
// (FtpDownload does the work). A single instance: Instance() makes it on first use.
class frmUpgrade : public QWidget
{
    Q_OBJECT

public:
    explicit frmUpgrade(QWidget* parent = nullptr);
    ~frmUpgrade() override;

    static frmUpgrade& Instance();

    FtpDownload& download() { return m_ftp; }

    void lblNav_Click(int Index);
    void CloseForm();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    std::array<QLabel*, 4> lblNav{};
    QPlainTextEdit* Text1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void StartDownload();
    void refresh();
    void paintLinks(int red);

    FtpDownload m_ftp;
    int m_halfHeight;
};
