#pragma once

#include "services/NntpSession.h"

#include <QWidget>

#include <array>
#include <memory>

class FlexGrid;
class FlexGridView;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class clsFormResize;

// The Usenet reader "Tradewright Deruvu Reader": the group list (kept in Server.lst),
// the article list and grid of the open group, the body of the chosen article. The
// protocol is NntpSession's; this window starts its commands and shows what it says.
// A single instance: Instance() makes it on first use.
class News : public QWidget
{
    Q_OBJECT

public:
    explicit News(QWidget* parent = nullptr);
    ~News() override;

    static News& Instance();
    NntpSession& session() { return m_session; }

    // The window's operations, by the controls' names.
    void lblNav_Click(int Index);
    void cmdConnect_Click();
    void cmdDisconnect_Click();
    void cmdclose_Click();
    void cmdApply_Click();
    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdServerList_Click();
    void cmdSave_Click();
    void cmdLocal_Click();
    void cmdListGroup_Click();
    void List1_DblClick();
    void FG_Click();
    void FG_DblClick();
    void List2_Click();
    void ResetGrid();
    void dropSplitter(int top);

    std::array<QLabel*, 3> lblNav{};
    std::array<QGroupBox*, 3> Frm{};
    QListWidget* List1 = nullptr;
    QListWidget* List2 = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdListGroup = nullptr;
    QPushButton* cmdServerList = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdLocal = nullptr;
    FlexGridView* FGView = nullptr;
    QFrame* Split = nullptr;
    QPlainTextEdit* Text2 = nullptr;
    QLineEdit* txtServer = nullptr;
    QPushButton* cmdApply = nullptr;
    QPushButton* cmdConnect = nullptr;
    QPushButton* cmdDisconnect = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* StatusBar1 = nullptr;

    FlexGrid& FG() { return *m_grid; }
    int tab() const { return m_tab; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void status(const QString& text);
    void setConnectedButtons(bool connected);
    void layoutMessages();
    void sendGroup();

    NntpSession m_session;
    FlexGrid* m_grid;
    std::unique_ptr<clsFormResize> m_resize;
    bool m_closing = false;
    int m_tab = 0;
    int m_dragOrigin = 2147483647;  // no drag under way
};
