#include "weblinks/TechnicalGraph.h"

#include "core/Misc.h"
#include "platform/DoEvents.h"
#include "platform/Sites.h"
#include "stockdata/ProgramState.h"
#include "weblinks/WebAddresses.h"

#include <vector>

namespace {

struct Box
{
    const char* caption;
    const char* value;
};
struct Tick
{
    const char* caption;
    int value;
};
struct IndicatorRow
{
    const char* option;
    const char* key;
    std::vector<Box> params;
    std::vector<Tick> checks;
};

const IndicatorRow kIndicators[TechnicalGraph::IndicatorCount] = {
    {"Bollinger Bands", "Bollinger", {{"Legth", "30"}}, {}},
    {"Commodity Channel Index (CCI)", "CCI", {{"Legth", "18"}}, {}},
    {"Insider Trading", "Insider", {}, {{"Buys", 1}, {"Sells", 1}, {"Option", 0}}},
    {"MACD", "MACD", {{"1st. MA", "28"}, {"2nd. MA", "13"}, {"3rd. MA", "4"}}, {}},
    {"Momentum", "Momentum", {{"Stk MA", "21"}, {"Distance", "22"}, {"Mom MA", "7"}}, {}},
    {"Moving Average", "Moving", {{"Lengh", "21"}}, {{"Standard", 1}, {"Exponential", 0}}},
    {"NegativeVolume Index", "Negative", {}, {}},
    {"On Balance Volume", "Balance", {}, {}},
    {"Positive Volume Index", "Positive", {}, {}},
    {"Stochastics", "Stochastics", {{"Lengh", "16"}, {"1st. MA", "11"}, {"2st. MA", "0"}}, {}},
    {"Wilder RSI", "Wilder", {{"Lengh", "14"}, {"MA", "2"}}, {}},
};

struct GraphPeriod
{
    const char* label;
    const char* tip;
    int timespan;
};
constexpr GraphPeriod kGraphPeriods[TechnicalGraph::SliderMax + 1] = {
    {"Day", "Day", 1},           {"2 Days", "2 Dayes", 2},        {"5 Dayes", "5 Dayes", 5},
    {"10 Days", "10 Dayes", 10}, {"Month", "Month", 21},          {"6 Month", "6 Month", 130},
    {"Year", "Year", 260},       {"2 Years", "2 Years", 520},     {"5 Years", "5 Years", 1300},
    {"10 Years", "10 Years", 2600}, {"Max", "Max", 99999}};

} // namespace

QStringList TechnicalGraph::optionCaptions()
{
    QStringList out;
    for (const IndicatorRow& row : kIndicators)
        out << QLatin1String(row.option);
    return out;
}

QStringList TechnicalGraph::periodLabels()
{
    QStringList out;
    for (const GraphPeriod& p : kGraphPeriods)
        out << QLatin1String(p.label);
    return out;
}

QString TechnicalGraph::periodCaption(int position)
{
    return position >= 0 && position <= SliderMax ? QLatin1String(kGraphPeriods[position].tip) : QString();
}

void TechnicalGraph::Form_Load()
{
    m_indicator = QStringLiteral("Bollinger");
    optGraph_Click(0);
}

void TechnicalGraph::optGraph_Click(int Index)
{
    for (Param& p : m_params)
        p.visible = false;
    for (Check& c : m_checks)
        c.visible = false;
    if (Index < 0 || Index >= IndicatorCount)
        return;
    const IndicatorRow& row = kIndicators[Index];
    m_option = Index;
    m_indicator = QLatin1String(row.key);
    for (std::size_t i = 0; i < row.params.size(); ++i)
        ShowParam(int(i), QLatin1String(row.params[i].value), QLatin1String(row.params[i].caption));
    for (std::size_t i = 0; i < row.checks.size(); ++i)
        ShowCheck(int(i), QLatin1String(row.checks[i].caption), row.checks[i].value);
}

void TechnicalGraph::ShowParam(int Index, const QString& Value, const QString& Caption)
{
    if (Index < 0 || Index >= ParamCount)
        return;
    m_params[std::size_t(Index)] = {true, Caption, Value};
}

void TechnicalGraph::ShowCheck(int Index, const QString& Caption, int Value)
{
    if (Index < 0 || Index >= CheckCount)
        return;
    m_checks[std::size_t(Index)] = {true, Caption, Value};
}

void TechnicalGraph::setParamText(int Index, const QString& text)
{
    if (Index >= 0 && Index < ParamCount)
        m_params[std::size_t(Index)].text = text;
}

void TechnicalGraph::setCheckValue(int Index, int value)
{
    if (Index >= 0 && Index < CheckCount)
        m_checks[std::size_t(Index)].value = value;
}

void TechnicalGraph::Slider1_Scroll(int position)
{
    m_periodIndex = std::int16_t(position);
    if (position < 0 || position > SliderMax)
        return;
    m_tip = QLatin1String(kGraphPeriods[position].tip);
    m_timespan = kGraphPeriods[position].timespan;
}

QString TechnicalGraph::GetIndicator(const QString& symbol) const
{
    using WebLinks::QueryValue;
    const QString sym = QueryValue(symbol.toUpper());
    const auto d = [this](int i) { return QueryValue(m_params[std::size_t(i)].text); };
    const auto c = [this](int i) { return QString::number(m_checks[std::size_t(i)].value); };
    const QString& k = m_indicator;
    if (k == QLatin1String("Bollinger"))
        return "216," + d(0) + ",0,0,0&TESelect=216&Symbol=" + sym;
    if (k == QLatin1String("CCI"))
        return "200," + d(0) + ",0,0,0&TESelect=200&Symbol=" + sym;
    if (k == QLatin1String("Insider"))
        return "103,1,1,0,0&TESelect=103&Symbol=" + sym + "&Oval1=" + c(0) + "&Oval2=" + c(1) + "&Oval3=" + c(2);
    if (k == QLatin1String("MACD"))
        return "204," + d(0) + ',' + d(1) + ',' + d(2) + ",0&TESelect=204&nocache=85874&PH=2&Symbol=" + sym;
    if (k == QLatin1String("Momentum"))
        return "206," + d(0) + ',' + d(1) + ',' + d(2) + ",0&TESelect=206&nocache=85922&PH=2&Symbol=" + sym;
    if (k == QLatin1String("Negative"))
        return "161,0,0,0,0&TESelect=161&Symbol=" + sym;
    if (k == QLatin1String("Balance"))
        return "160,0,0,0,d&TESelect=160&Symbol=" + sym;
    if (k == QLatin1String("Positive"))
        return "162,0,0,0,0&TESelect=162&Symbol=" + sym;
    if (k == QLatin1String("Stochastics"))
        return "210," + d(0) + ',' + d(1) + ',' + d(2) + ",0&TESelect=210&Symbol=" + sym;
    // The relative strength sends the site's defaults; its two check values are the
    // ones the last indicator with check boxes left.
    if (k == QLatin1String("Wilder"))
        return "213,0,0,0,0&TESelect=213&Symbol=" + sym + "&Oval1=" + c(0) + "&Oval2=" + c(1);
    // "Moving" has no form on the site: nothing goes between "ind=s," and the period.
    return QString();
}

QString TechnicalGraph::GraphAddress(const QString& symbol) const
{
    return Sites::Address(Site::TechnicalCharts, QStringLiteral("/wsc/Technical.html?ind=s,") + GetIndicator(symbol) +
                                                     QStringLiteral("&Timespan=") + QString::number(m_timespan));
}

QString TechnicalGraph::cmdQuery_Click() const
{
    const QString address = GraphAddress(CurrentSymbol());
    OpenURL(address);
    DoEvents();
    return address;
}
