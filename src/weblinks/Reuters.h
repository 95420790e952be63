#pragma once

#include "weblinks/HeadlineQuery.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;

// The headline query window: five symbol boxes, the length and the day/month range,
// "Query" and "Cancel". Its rules are HeadlineQuery's, on the program's clock.
class Reuters : public QWidget
{
    Q_OBJECT
public:
    explicit Reuters(QWidget* owner = nullptr);

    void Form_Load();
    void cmdQuery_Click();
    void cmdCancel_Click();

    HeadlineQuery& engine() { return m_engine; }

    std::array<QLineEdit*, HeadlineQuery::SymbolCount> txtSymbol{};
    QComboBox* cboLength = nullptr;
    QLineEdit* txtFromDay = nullptr;
    QLineEdit* txtFromMonth = nullptr;
    QLineEdit* txt_ToDay = nullptr;
    QLineEdit* txt_ToMonth = nullptr;
    QPushButton* cmdQuery = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fromBoxes();
    void toBoxes();

    HeadlineQuery m_engine;
    bool m_syncing = false;
};
