#include "core/UpdateChoices.h"

#include "core/Settings.h"

#include <stdexcept>

namespace {

using P = UpdatePage;
using X = ExchangeColumn;

struct PlainRow
{
    int index;
    const char* caption;
    UpdatePage page;
    const char* procedure;
};

// The boxes outside the exchange grid, in box order.
const PlainRow kPlain[] = {
    {0, "Update Recommendation Graph", P::StocksData, "UpdateRec"},
    {1, "Update Current Stock Prices", P::StocksData, "UpdateCurrentPrices"},
    {2, "Update News", P::StocksData, "UpdateNews"},
    {3, "Update Annual Balance Sheet", P::StocksData, "UpdateAnnualReport"},
    {4, "Update Annual Incomes Statement", P::StocksData, "UpdateAnnualReport"},
    {5, "Earnings Estimates and Recommendations", P::StocksData, "UpdateEstimates"},
    {6, "Update Quarterly Reports ", P::StocksData, "UpdateQR"},
    {7, "Insider Trades ", P::StocksData, "UpdateIT"},
    {8, "Update Call/Put Options", P::StocksData, "UpdateOptions"},
    {9, "Update Splits History", P::StocksData, "UpdateSplits"},
    {10, "Update Upgrades History", P::StocksData, "UpdateUpgradesHistory"},
    {11, "Update Downgrades History", P::StocksData, "UpdateDowngradesHistory"},
    // The rating's provider, then " Momentum Rating".
    {12, "Analyst Desk Momentum Rating", P::StocksData, "UpdateMomentumRating"},
    {13, "Broker Reports", P::StocksData, "UpdateBrokerReports"},
    {14, "Profile", P::StocksData, "UpdateProfile"},
    {15, "Top 25  Earnings Surprises", P::DailyConsultation, "UpdateSurp"},
    {16, "Percentage Winners", P::DailyConsultation, "UpdateWinners"},
    {17, "Percentage Losers ", P::DailyConsultation, "UpdateLosers"},
    {18, "Upgrades / Downgrades", P::DailyConsultation, "UpdateUpDown"},
    {19, "Weekly adviser service", P::DailyConsultation, "UpdateAdvise"},
    {50, "U.S. Market Data", P::MarketData, "UpdateUSMarket"},
    {51, "International Market Data", P::MarketData, "UpdateWorldMarket"},
    {52, "Latest IPO", P::MarketData, "Update_IPO_Last"},
    {53, "IPO News", P::MarketData, "Update_IPO_News"},
    {54, "IPO Gainers", P::MarketData, "Update_IPO_Gain"},
    {55, "IPO Losers", P::MarketData, "Update_IPO_Loss"},
    {56, "IPO Registrations", P::MarketData, "Update_IPO_Reg"},
    {57, "IPO Pricings", P::MarketData, "Update_IPO_Price"},
    {58, "IPO Withdrawals", P::MarketData, "Update_IPO_With"},
    {59, "Broad Market Overviews *", P::MarketData, ""},
    {60, "Options Market Summary", P::MarketData, "Update_OptSum"},
    {61, "Largest Convertible Bond", P::Funds, "UpdateFunds"},
    {62, "Largest Growth Funds", P::Funds, "UpdateFunds"},
    {63, "Largest Equity Funds", P::Funds, "UpdateFunds"},
    {64, "Largest High-Yield Bond Funds", P::Funds, "UpdateFunds"},
    {65, "Largest Money Market Funds", P::Funds, "UpdateFunds"},
    {66, "Largest International Funds", P::Funds, "UpdateFunds"},
    {67, "Largest Precious Metals Funds", P::Funds, "UpdateFunds"},
    {68, "Smith Barney Mutual && Money Market Funds", P::Funds, "UpdateFunds"},
    {69, "AIM Mutual && Money Market Funds", P::Funds, "UpdateFunds"},
    {70, "Benham Mutual && Money Market Funds", P::Funds, "UpdateFunds"},
    {71, "Dean Witter Mutual && Money Market Funds", P::Funds, "UpdateFunds"},
    {72, "Franklin/Templeton Mutual && Money Market Funds", P::Funds, "UpdateFunds"},
    {73, "Fidelity Mutual && Money Market Funds", P::Funds, "UpdateFunds"},
    {74, "Merrill Lynch Mutual && Money Market Funds", P::Funds, "UpdateFunds"},
    {75, "Janus Mutual && Money Funds", P::Funds, "UpdateFunds"},
    {76, "Putnam Mutual && Money Market Funds", P::Funds, "UpdateFunds"},
    {77, "Scudder Mutual && Money Market Funds", P::Funds, "UpdateFunds"},
    {78, "Stagecoach Mutual && Money Market", P::Funds, "UpdateFunds"},
    {79, "Strong Mutual && Money Market Funds", P::Funds, "UpdateFunds"},
    {80, "T. Rowe Price Mutual && Money Market", P::Funds, "UpdateFunds"},
    {81, "Twentieth Century Mutual && Money Market", P::Funds, "UpdateFunds"},
    {82, "Vanguard Mutual && Money Market Funds", P::Funds, "UpdateFunds"},
    {83, "Today's Splits", P::MarketData, "UpdateSplitsCalendar"},
    {84, "This Week Splits", P::MarketData, "UpdateSplitsCalendar"},
    {85, "Next Week's Splits", P::MarketData, "UpdateSplitsCalendar"},
    {86, "Recently Announced", P::MarketData, "UpdateSplitsCalendar"},
    {87, "Top Tech Splits", P::MarketData, "UpdateSplitsCalendar"},
    {88, "Short Interest ", P::StocksData, "UpdateShortInterest"},
    {98, "Today's Broker Reports / Bloomberg Analysts Recommendations ", P::MarketData,
     "UpdateTodayBrokerReports"},
};

struct GridRow
{
    int firstItem;  // the NASDAQ box; NYSE and AMEX follow
    const char* caption;
    const char* procedure;
};

// The exchange grid, rows 0 to 12 from the top; each row holds three boxes
// NASDAQ, NYSE, AMEX from left to right.
const GridRow kGrid[] = {
    {20, "Largest % Gain In Price", "UpdateBigMovers"},
    {23, "Largest % Loss In Price", "UpdateBigMovers"},
    {26, "Largest % Gain In Volume", "UpdateBigMovers"},
    {29, "Largest % Loss In Volume", "UpdateBigMovers"},
    {32, "52-Week Price Highs", "UpdateBigMovers"},
    {35, "52-Week Price Lows", "UpdateBigMovers"},
    {38, "Most Active Stocks", "UpdateBigMovers"},
    {41, "Largest Money Movers", "UpdateBigMovers"},
    {44, "Most Recent Corporate Earnings", ""},
    {47, "Largest Short Interest", ""},
    {89, "Most Active by Dollars Traded", "UpdateScreenLists"},
    {92, "Most Active by Price Up", "UpdateScreenLists"},
    {95, "Most Active by Price Down", "UpdateScreenLists"},
};

std::array<UpdateItem, UpdateChoices::Count> buildItems()
{
    std::array<UpdateItem, UpdateChoices::Count> items{};
    for (int i = 0; i < UpdateChoices::Count; ++i)
        items[std::size_t(i)] = {i, "", P::DailyConsultation, -1, X::None, "", ""};
    for (const PlainRow& r : kPlain)
        items[std::size_t(r.index)] = {r.index, r.caption, r.page, -1, X::None, "", r.procedure};
    int row = 0;
    for (const GridRow& g : kGrid) {
        const X columns[3] = {X::NASDAQ, X::NYSE, X::AMEX};
        for (int k = 0; k < 3; ++k) {
            const int n = g.firstItem + k;
            items[std::size_t(n)] = {n, columns[k] == X::AMEX ? g.caption : "", P::DailyConsultation, row,
                                     columns[k], g.caption, g.procedure};
        }
        ++row;
    }
    return items;
}

bool validIndex(int n)
{
    return n >= 0 && n < UpdateChoices::Count;
}

} // namespace

const std::array<UpdateItem, UpdateChoices::Count>& UpdateChoices::items()
{
    static const std::array<UpdateItem, Count> table = buildItems();
    return table;
}

const UpdateItem& UpdateChoices::item(int n)
{
    if (!validIndex(n))
        throw std::out_of_range("update item out of range");
    return items()[std::size_t(n)];
}

QString UpdateChoices::displayCaption(int n)
{
    const UpdateItem& it = item(n);
    QString text = QString::fromLatin1(it.caption);
    if (text.isEmpty() && it.column != ExchangeColumn::None) {
        const char* exchange = it.column == ExchangeColumn::NASDAQ ? " (NASDAQ)"
                               : it.column == ExchangeColumn::NYSE ? " (NYSE)"
                                                                   : " (AMEX)";
        text = QString::fromLatin1(it.rowCaption) + QString::fromLatin1(exchange);
    }
    return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

bool UpdateChoices::fetches(int n)
{
    return validIndex(n) && *items()[std::size_t(n)].procedure != '\0';
}

QList<int> UpdateChoices::pageItems(UpdatePage page)
{
    QList<int> list;
    for (const UpdateItem& it : items())
        if (it.page == page)
            list << it.index;
    return list;
}

QList<int> UpdateChoices::columnItems(ExchangeColumn column)
{
    QList<int> list;
    if (column == ExchangeColumn::None)
        return list;
    for (const GridRow& g : kGrid)
        for (int k = 0; k < 3; ++k)
            if (items()[std::size_t(g.firstItem + k)].column == column)
                list << g.firstItem + k;
    return list;
}

UpdateChoices::UpdateChoices() = default;

void UpdateChoices::ensureLoaded()
{
    if (!m_loaded)
        load();
}

int UpdateChoices::value(int n)
{
    if (!validIndex(n))
        return Unticked;
    ensureLoaded();
    return m_values[std::size_t(n)];
}

bool UpdateChoices::isTicked(int n)
{
    return value(n) == Ticked;
}

void UpdateChoices::setValue(int n, int value)
{
    if (!validIndex(n))
        return;
    ensureLoaded();
    m_values[std::size_t(n)] = (value == Ticked || value == Greyed) ? value : Unticked;
}

void UpdateChoices::setTicked(int n, bool ticked)
{
    setValue(n, ticked ? Ticked : Unticked);
}

void UpdateChoices::setTicked(const QList<int>& list, bool ticked)
{
    for (int n : list)
        setTicked(n, ticked);
}

int UpdateChoices::tickedCount()
{
    ensureLoaded();
    int count = 0;
    for (int v : m_values)
        if (v == Ticked)
            ++count;
    return count;
}

bool UpdateChoices::anyTicked()
{
    return tickedCount() > 0;
}

void UpdateChoices::load()
{
    for (int n = 0; n < Count; ++n) {
        const QString text = Settings::GetSetting(Settings::UpdateValueName(n)).trimmed();
        int v = Unticked;
        if (text.isEmpty())
            v = Ticked;
        else if (text == QLatin1String("1"))
            v = Ticked;
        else if (text == QLatin1String("2"))
            v = Greyed;
        m_values[std::size_t(n)] = v;
    }
    m_loaded = true;
}

void UpdateChoices::save()
{
    ensureLoaded();
    for (int n = 0; n < Count; ++n)
        Settings::SaveSetting(Settings::UpdateValueName(n), QString::number(m_values[std::size_t(n)]));
}

void UpdateChoices::unload()
{
    m_loaded = false;
}

UpdateChoices& updateChoices()
{
    static UpdateChoices choices;
    return choices;
}
