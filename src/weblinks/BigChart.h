#pragma once

#include "weblinks/ChartExplorer.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class PeriodSlider;

// The chart window "Chart Explorer": the period slider, the frequency, style,
// indicator and comparison choices and the four buttons. Its rules are
// ChartExplorer's; the window shows them.
class BigChart : public QWidget
{
    Q_OBJECT
public:
    explicit BigChart(QWidget* owner = nullptr);

    void Form_Load();
    void cmdQuery_Click();
    void cmdCancel_Click();
    void cmdReset_Click();
    void cmdSave_Click();
    void Slider1_Scroll();

    ChartExplorer& engine() { return m_engine; }

    QSlider* Slider1 = nullptr;
    std::array<QLabel*, ChartExplorer::SliderMax + 1> lblTime{};
    std::array<QComboBox*, ChartExplorer::ListCount> lists{};  // by ChartExplorer::List
    QComboBox* cboFrq = nullptr;
    QComboBox* cboDisp = nullptr;
    QComboBox* cboBack = nullptr;
    QComboBox* cboSize = nullptr;
    QComboBox* cboUp = nullptr;
    QComboBox* cboLow = nullptr;
    QComboBox* cboMove = nullptr;
    QComboBox* cboIndex = nullptr;
    QLineEdit* txtMaval = nullptr;
    QLineEdit* txtSbl = nullptr;
    QPushButton* cmdQuery = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdReset = nullptr;
    QPushButton* cmdSave = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows the engine's state in the controls (without raising their events).
    void sync();

    ChartExplorer m_engine;
    PeriodSlider* m_periods = nullptr;
    bool m_syncing = false;
};
