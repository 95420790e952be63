#include "weblinks/ChartExplorer.h"

#include "core/Misc.h"
#include "core/Settings.h"
#include "platform/DoEvents.h"
#include "platform/Runtime.h"
#include "platform/Sites.h"
#include "stockdata/ProgramState.h"
#include "weblinks/WebAddresses.h"

#include <exception>
#include <vector>

namespace {

struct Entry
{
    const char* text;
    const char* value;  // nullptr: the entry has no value of its own
};
using Entries = std::vector<Entry>;

const Entries kDisp = {{"Hide Price", "0"}, {"HLC", "1"},       {"OHLC", "2"},  {"Candlestick", "4"},
                       {"Mountain", "8"},   {"Bar Charts", "16"}, {"Dot", "32"}, {"Close", "64"},
                       {"Logarithmic", "128"}};
// "Black" has no style of the service's own: it sends the value of no match.
const Entries kBack = {{"Default", "1"},    {"Black Grids", "3"},  {"B & W", "9"}, {"Black", nullptr},
                       {"Three Tone", "7"}, {"Presentation", "8"}, {"Blue", "10"}};
const Entries kSize = {{"Small", "1"}, {"Medium", "2"}, {"Large", "3"}};
const Entries kLow = {{"<None>", "0"},
                      {"Volume", "1"},
                      {"Volume+", "268435456"},
                      {"RSI", "2"},
                      {"MACD", "4"},
                      {"OBV", "8"},
                      {"Fast Stochastic", "16"},
                      {"Slow Stochastic", "32"},
                      {"ROC", "128"},
                      {"Williams %R", "256"},
                      {"Money Flow", "512"},
                      {"Vol Accumulation", "4096"},
                      {"Volatility Fast", "8192"},
                      {"Volatility Slow", "16384"},
                      {"Momentum", "65536"},
                      {"Ult Oscillator", "131072"},
                      {"% Short Interest", "1073741824"},
                      {"Rolling EPS", "67108864"},
                      {"P/E Ratio", "16777216"},
                      {"P/E Ranges", "8388608"},
                      {"Rolling Dividend", "134217728"},
                      {"Yield", "33554432"},
                      {"Up/Down Ratio", "262144"},
                      {"Arms Index (TRIN)", "524288"},
                      {"A/D Line (Breadth)", "1048576"},
                      {"A/D Line (Daily)", "2097152"},
                      {"% Compare", "4194304"}};
const Entries kMove = {{"<None>", "0"},       {"SMA", "1"}, {"SMA (2-Line)", "3"}, {"SMA (3-Line)", "4"},
                       {"EMA", "2"},          {"EMA (2-Line)", "5"}, {"EMA (3-Line)", "6"}};
const Entries kUp = {{"<None>", "0"},         {"MA Envelopes", "4"},   {"Bollinger Bands", "8"},
                     {"Parabolic SAR", "16"}, {"Volume by Price", "32"}, {"Price Channel", "128"},
                     {"Show Splits", "1024"}, {"Show Earnings", "2048"}, {"Show Dividends", "4096"},
                     {"Show All Events", "7168"}, {"A/D Line", "512"}};
const Entries kIndex = {{"<None>", "aaaaa:0"},      {"S&P 500", "sp500:3377"},   {"DJIA", "djia:1643"},
                        {"NASDAQ", "nasdaq:3291"},  {"----------", "zzzzz:0"},    {"Russell 2000", "rut:4166"},
                        {"Technology", "xci:565"},  {"Internet", "iix:144590"},   {"Broker/Dealers", "xbd:12400"},
                        {"Oil & Gas", "xoi:567"},   {"Gold & Silver", "xau:3599"}, {"Utilities", "djua:1645"},
                        {"Transportation", "djta:1644"}, {"Airlines", "xal:13882"}};
const Entries kIntraday = {{"1-Minute", "9"}, {"5-Minute", "6"}, {"15-Minute", "7"}, {"Hourly", "8"}};
// The daily frequencies have no code of the service's own: "&freq=" stays empty
// and the service picks the bars for the period.
const Entries kDaily = {{"Daily", nullptr}, {"Weekly", nullptr}, {"Monthly", nullptr}, {"Quarterly", nullptr},
                        {"Yearly", nullptr}};

// Per slider position: the tip, the frequency list it switches to (0 daily,
// 1 intraday, -1 unchanged).
struct Period
{
    const char* tip;
    const char* label;
    int frequencies;
};
constexpr Period kPeriods[ChartExplorer::SliderMax + 1] = {
    {"5 Mintues", "5 Mintues", 1}, {"15 Mintues", "15 Mintues", 1}, {"5 Dayes", "5 Days", 1},
    {"Month", "Month", 0},         {"2 Month", "2 Month", 0},       {"3 Month", "3 Month", 0},
    {"6 Month", "6 Month", -1},    {"YTD", "YTD", 0},               {"Year", "Year", 0},
    {"2 Years", "2 Year", 0},      {"3 Years", "3 Years", 0},       {"4 Years", "4 Years", 0},
    {"5 Years", "5 Years", 0},     {"Decade", "Decade", 0},         {"All", "All", -1}};

const QString kChartOpt = QLatin1String(Settings::ChartOpt);

} // namespace

static const Entries& table(ChartExplorer::List list, bool intraday)
{
    switch (list) {
    case ChartExplorer::Back: return kBack;
    case ChartExplorer::Disp: return kDisp;
    case ChartExplorer::Frq: return intraday ? kIntraday : kDaily;
    case ChartExplorer::Index: return kIndex;
    case ChartExplorer::Low: return kLow;
    case ChartExplorer::Move: return kMove;
    case ChartExplorer::Size: return kSize;
    case ChartExplorer::Up: return kUp;
    default: return kSize;
    }
}

QStringList ChartExplorer::entries(List list) const
{
    QStringList out;
    if (!m_filled && list != Frq)
        return out;
    for (const Entry& e : table(list, m_intraday))
        out << QLatin1String(e.text);
    return out;
}

QStringList ChartExplorer::periodLabels()
{
    QStringList out;
    for (const Period& p : kPeriods)
        out << QLatin1String(p.label);
    return out;
}

QString ChartExplorer::periodCaption(int position)
{
    return position >= 0 && position <= SliderMax ? QLatin1String(kPeriods[position].tip) : QString();
}

void ChartExplorer::Form_Load()
{
    FillLists();
    m_saveEnabled = false;
}

void ChartExplorer::FillLists()
{
    m_filled = true;
    m_index.fill(-1);
    FillFrequencies(true);
    LoadChartOptions();
}

void ChartExplorer::FillFrequencies(bool Intraday)
{
    m_intraday = Intraday;
    m_index[Frq] = -1;
}

void ChartExplorer::setIndex(List list, int index)
{
    if (index >= -1 && index < int(table(list, m_intraday).size()))
        m_index[list] = index;
}

void ChartExplorer::listClick(List list, int index)
{
    setIndex(list, index);
    m_saveEnabled = true;
}

void ChartExplorer::LoadChartOptions()
{
    const QString text = Settings::GetSetting(kChartOpt);
    if (text.isEmpty()) {
        ResetChartOptions();
        return;
    }
    int from = 0;
    for (int k = 0; k <= text.size(); ++k) {
        const int a = text.indexOf(QLatin1Char(','), from);
        const int b = a < 0 ? -1 : text.indexOf(QLatin1Char(','), a + 1);
        if (a < 0 || b < 0)
            break;
        const QString field = text.mid(a + 1, b - a - 1);
        from = b;
        bool whole = false;
        const int n = field.trimmed().toInt(&whole);
        if (k < ListCount) {
            // A field that is no whole number, or no entry of its list, changes nothing.
            if (whole && n >= 0)
                listClick(List(k), n);
        } else if (k == ListCount) {
            txtMaval_Change(field);
        } else if (k == ListCount + 1) {
            if (whole && n >= 0 && n <= SliderMax)
                setSliderFromCode(n);
        }
    }
}

void ChartExplorer::ResetChartOptions()
{
    listClick(Disp, 2);
    listClick(Back, 0);
    listClick(Size, 1);
    listClick(Low, 0);
    listClick(Move, 0);
    listClick(Up, 0);
    listClick(Frq, 0);
    listClick(Index, 3);
    txtMaval_Change(QStringLiteral("9"));
    setSliderFromCode(0);
}

QString ChartExplorer::OptionsText() const
{
    QString out = QStringLiteral(",");
    for (int k = 0; k < ListCount; ++k)
        out += QString::number(m_index[k]) + QLatin1Char(',');
    out += m_maval + QLatin1Char(',') + QString::number(m_slider) + QLatin1Char(',');
    return out;
}

void ChartExplorer::cmdSave_Click()
{
    Settings::SaveSetting(kChartOpt, OptionsText());
    m_saveEnabled = false;
}

void ChartExplorer::txtMaval_Change(const QString& text)
{
    m_maval = rt::IsNumeric(QVariant(text)) ? text : QStringLiteral("9");
}

void ChartExplorer::txtSbl_Change(const QString& text)
{
    m_sbl = text;
}

void ChartExplorer::setSliderFromCode(int position)
{
    m_slider = position;
    m_timeIndex = std::int16_t(position);
    m_tip = periodCaption(position);
}

void ChartExplorer::Slider1_Scroll(int position)
{
    m_slider = position;
    m_timeIndex = std::int16_t(position);
    if (position >= 0 && position <= SliderMax) {
        m_tip = periodCaption(position);
        if (kPeriods[position].frequencies >= 0)
            FillFrequencies(kPeriods[position].frequencies == 1);
    }
    m_index[Frq] = 0;
    m_saveEnabled = true;
}

QString ChartExplorer::value(List list) const
{
    const Entries& entries = table(list, m_intraday);
    const int i = m_index[list];
    const char* v = i >= 0 && i < int(entries.size()) ? entries[std::size_t(i)].value : nullptr;
    if (v)
        return QLatin1String(v);
    return list == Index || list == Frq ? QString() : QStringLiteral("0");
}

QString ChartExplorer::ChartAddress(const QString& symbol)
{
    if (m_timeIndex == 7)
        m_timeIndex = 18;
    else if (m_timeIndex == 14)
        m_timeIndex = 19;
    int length = 0;
    try {
        length = rt::CInt(m_maval);
    } catch (const std::exception&) {
        length = 0;
    }
    using WebLinks::QueryValue;
    return Sites::Address(
        Site::ChartService,
        QStringLiteral("/intchart/frames/chart.asp?symb=") + QueryValue(symbol.toUpper()) + QStringLiteral("&time=") +
            QString::number(m_timeIndex + 1) + QStringLiteral("&freq=") + value(Frq) + QStringLiteral("&compidx=") +
            value(Index) + QStringLiteral("&comp=") + QueryValue(m_sbl) + QStringLiteral("&uf=") + value(Up) +
            QStringLiteral("&lf=") + value(Low) + QStringLiteral("&ma=") + value(Move) + QStringLiteral("&maval=") +
            QString::number(length) + QStringLiteral("&type=") + value(Disp) + QStringLiteral("&style=") +
            value(Back) + QStringLiteral("&size=") + value(Size) + QStringLiteral("&state=0&rand=881"));
}

QString ChartExplorer::OpenChart()
{
    const QString address = ChartAddress(CurrentSymbol());
    OpenURL(address);
    DoEvents();
    return address;
}
