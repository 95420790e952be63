#pragma once

#include "stockdata/StockSetEditor.h"

#include <QDialog>
#include <QLabel>

#include <array>

class QLineEdit;
class StockSets;
class QListWidget;
class QPushButton;

// One of the set editor's four action labels: text that works as a button, blue
// at rest, red under the pointer, green while pressed.
class ActionLabel : public QLabel
{
    Q_OBJECT

public:
    ActionLabel(const QString& text, QWidget* parent = nullptr);
    enum class Tone { Blue, Red, Green };
    void setTone(Tone tone);
    Tone tone() const { return m_tone; }

signals:
    void Click();
    void hovered();
    void pressed();
    void released();

protected:
    void enterEvent(QEnterEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    Tone m_tone = Tone::Blue;
};

// The set editor window: binds its lists, labels, boxes and buttons to a
// StockSetEditor. Modeless, one at a time (ShowStockSetEditor).
class StkSet : public QDialog
{
    Q_OBJECT

public:
    explicit StkSet(StockSets& sets, QWidget* parent = nullptr);
    ~StkSet() override;

    StockSetEditor& editor() { return m_editor; }
    // Copies the editor's state into the controls (raising no change).
    void refresh();
    // All four action labels blue.
    void Make_lblAction_Blue();

    QListWidget* lstSets() const { return m_sets; }
    QListWidget* lstStk() const { return m_stk; }
    ActionLabel* lblAction(int index) const { return m_action.at(index); }
    QLineEdit* txtAlert(int index) const { return m_alert.at(index); }
    QPushButton* cmdApply() const { return m_apply; }

    // The open editor, or nullptr.
    static StkSet* instance();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void after();  // refresh, focus request, close when the editor closed
    // OK and Cancel end here: the window rolls up (not after the title bar's close
    // button), then closes.
    void rollClosed();

    StockSetEditor m_editor;
    QListWidget* m_sets;
    QListWidget* m_stk;
    std::array<ActionLabel*, 4> m_action{};
    std::array<QLineEdit*, 2> m_alert{};
    QPushButton* m_apply;
    bool m_closing = false;
    bool m_quietClose = false;
};

// The "Stocks" button: shows the set editor modeless, owned by the main window,
// or raises the one already open.
void ShowStockSetEditor();
