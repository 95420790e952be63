#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class TransactionForm;

// The transaction window: shows a TransactionForm and hands every typed change and
// button press to it. The opener has loaded and filled the form before.
class frmPurchace : public QDialog
{
    Q_OBJECT

public:
    explicit frmPurchace(TransactionForm& form, QWidget* parent = nullptr);
    ~frmPurchace() override;

    // Copies the form's texts into the controls (raising no change).
    void refresh();

    QLineEdit* box(int index) const { return m_boxes.at(index); }
    QPushButton* cmdOK() const { return m_ok; }
    QPushButton* cmdCancel() const { return m_cancel; }

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void boxEdited(int index, const QString& text);
    // The form has closed: roll the window up (not after the title bar's close
    // button) and unload it.
    void unloadWindow();
    void applyFocus();

    TransactionForm& m_form;
    QLabel* m_lblSymbol;
    QLabel* m_lblName;
    QLabel* m_lblCurrent;
    QLabel* m_lblID;
    std::array<QLabel*, 5> m_lbl{};
    QLabel* m_lblTotal;
    std::array<QLineEdit*, 4> m_boxes{};
    QPushButton* m_ok;
    QPushButton* m_cancel;
    bool m_quietClose = false;
};
