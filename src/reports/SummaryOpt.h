#pragma once

#include "reports/SummaryChoice.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;

// The summary chooser: nineteen check boxes, the note label that shows each
// section's progress, Generate and Cancel. Its logic is SummaryChoice's.
class SummaryOpt final : public QDialog, private summary::Progress
{
public:
    explicit SummaryOpt(QWidget* owner = nullptr);

    void Form_Load();
    void cndGenerate_Click();
    void cmdCancel_Click();

    QLabel* Label1 = nullptr;
    std::array<QCheckBox*, SummaryChoice::kBoxes> chk{};
    QLabel* lbl1 = nullptr;
    QPushButton* cndGenerate = nullptr;
    QPushButton* cmdCancel = nullptr;

    SummaryChoice& engine() { return m_engine; }

private:
    void caption(const QString& text) override;
    void pass() override;
    // Boxes from the engine, and back.
    void showValues();
    void takeValues();

    SummaryChoice m_engine;
};
