#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// The chart window BigChart ("Chart Explorer") without its widgets: eight lists, the
// moving-average length, the comparison symbol and the period slider become one
// address of the chart service. The choices are kept in the setting "ChartOpt".
class ChartExplorer
{
public:
    // The lists in the order "ChartOpt" stores them.
    enum List { Back, Disp, Frq, Index, Low, Move, Size, Up, ListCount };
    static constexpr int SliderMax = 14;

    // The entries a list holds now (the frequency list in its current form).
    QStringList entries(List list) const;
    int listIndex(List list) const { return m_index[list]; }
    bool intraday() const { return m_intraday; }
    QString txtMaval() const { return m_maval; }
    QString txtSbl() const { return m_sbl; }
    int sliderPosition() const { return m_slider; }
    std::int16_t TimeIndex() const { return m_timeIndex; }
    // The slider's text tip: the caption of the period last set.
    QString sliderTip() const { return m_tip; }
    bool saveEnabled() const { return m_saveEnabled; }

    // The period captions under the slider and the tips of its positions.
    static QStringList periodLabels();
    static QString periodCaption(int position);

    // Loading: the lists filled (the intraday frequencies), the choices restored,
    // "&Save Option" disabled.
    void Form_Load();
    void FillLists();
    void FillFrequencies(bool Intraday);
    void LoadChartOptions();
    void ResetChartOptions();  // also "&Reset"
    // The "ChartOpt" text of the present choices.
    QString OptionsText() const;
    void cmdSave_Click();

    // The user's changes (each enables "&Save Option").
    void listClick(List list, int index);
    void txtMaval_Change(const QString& text);
    void txtSbl_Change(const QString& text);
    void textGotFocus() { m_saveEnabled = true; }
    // The user moved the slider: the period, its tip and the frequency list.
    void Slider1_Scroll(int position);
    // A position put on the slider from code (restoring, Reset): it sets TimeIndex
    // and the tip, but keeps the frequency list and its choice.
    void setSliderFromCode(int position);

    // The chart service's address for the present choices and symbol (upper-cased).
    // A period of position 7 or 14 changes TimeIndex to 18 or 19 first.
    QString ChartAddress(const QString& symbol);
    // "&Query": opens the address of CurrentSymbol; returns it.
    QString OpenChart();

private:
    void setIndex(List list, int index);
    QString value(List list) const;

    std::array<int, ListCount> m_index{-1, -1, -1, -1, -1, -1, -1, -1};
    bool m_filled = false;
    bool m_intraday = true;
    QString m_maval = QStringLiteral("9");
    QString m_sbl;
    int m_slider = 0;
    std::int16_t m_timeIndex = 0;
    QString m_tip;
    bool m_saveEnabled = false;
};
