#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// The technical-graph window TechGraph ("Technical Graph Explorer") without its
// widgets: one of eleven indicators with its parameter and check boxes and a
// period on the slider become one address of the technical-chart site.
class TechnicalGraph
{
public:
    static constexpr int IndicatorCount = 11;
    static constexpr int ParamCount = 4;
    static constexpr int CheckCount = 3;
    static constexpr int SliderMax = 10;

    struct Param
    {
        bool visible = false;
        QString caption = QStringLiteral("----");
        QString text;
    };
    struct Check
    {
        bool visible = false;
        QString caption;
        int value = 0;  // 0 clear, 1 ticked
    };

    static QStringList optionCaptions();
    static QStringList periodLabels();
    static QString periodCaption(int position);

    QString Indicator() const { return m_indicator; }
    // The option last chosen (-1 before the first).
    int selectedOption() const { return m_option; }
    std::int16_t PeriodIndex() const { return m_periodIndex; }
    std::int32_t Timespan() const { return m_timespan; }
    QString sliderTip() const { return m_tip; }
    const Param& param(int i) const { return m_params[std::size_t(i)]; }
    const Check& check(int i) const { return m_checks[std::size_t(i)]; }

    // Loading: the Bollinger bands with their default length.
    void Form_Load();
    // An indicator's option: hides every box, then shows the indicator's boxes with
    // their defaults.
    void optGraph_Click(int Index);
    void ShowParam(int Index, const QString& Value, const QString& Caption);
    void ShowCheck(int Index, const QString& Caption, int Value);
    // The user's typing and ticking.
    void setParamText(int Index, const QString& text);
    void setCheckValue(int Index, int value);
    void Slider1_Scroll(int position);

    // The indicator's part of the address (empty for a key without one).
    QString GetIndicator(const QString& symbol) const;
    QString GraphAddress(const QString& symbol) const;
    // "Query": opens the address of CurrentSymbol; returns it.
    QString cmdQuery_Click() const;

private:
    QString m_indicator;
    int m_option = -1;
    std::int16_t m_periodIndex = 0;
    std::int32_t m_timespan = 0;
    QString m_tip;
    std::array<Param, ParamCount> m_params{};
    std::array<Check, CheckCount> m_checks{};
};
