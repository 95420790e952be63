#pragma once

#include "weblinks/TechnicalGraph.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class PeriodSlider;

// The technical-graph window "Technical Graph Explorer": eleven indicator options,
// their parameter and check boxes, the period slider, "Query" and "Cancel". Its
// rules are TechnicalGraph's.
class TechGraph : public QWidget
{
    Q_OBJECT
public:
    explicit TechGraph(QWidget* owner = nullptr);

    void Form_Load();
    void optGraph_Click(int Index);
    void Slider1_Scroll();
    void cmdQuery_Click();
    void cmdCancel_Click();

    TechnicalGraph& engine() { return m_engine; }

    std::array<QRadioButton*, TechnicalGraph::IndicatorCount> optGraph{};
    std::array<QLineEdit*, TechnicalGraph::ParamCount> D{};
    std::array<QLabel*, TechnicalGraph::ParamCount> lbl{};
    std::array<QCheckBox*, TechnicalGraph::CheckCount> chk{};
    QSlider* Slider1 = nullptr;
    std::array<QLabel*, TechnicalGraph::SliderMax + 1> lblTime{};
    QPushButton* cmdQuery = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    void sync();

    TechnicalGraph m_engine;
    PeriodSlider* m_periods = nullptr;
    bool m_syncing = false;
};
