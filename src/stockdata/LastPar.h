#pragma once

#include <QDialog>

class FlexGridView;
class PurchasePicker;
class QPushButton;

// The purchase picker window: the grid of purchases and Ok / Cancel, bound to a
// PurchasePicker that the opener has loaded.
class LastPar : public QDialog
{
    Q_OBJECT

public:
    explicit LastPar(PurchasePicker& picker, QWidget* parent = nullptr);

    FlexGridView* FG() const { return m_view; }
    QPushButton* cmdOK() const { return m_ok; }

protected:
    void reject() override;
    void showEvent(QShowEvent* event) override;

private:
    PurchasePicker& m_picker;
    FlexGridView* m_view;
    QPushButton* m_ok;
};
