#include "weblinks/WebAddresses.h"

#include "platform/Sites.h"
#include "stockdata/EntryRules.h"

#include <array>

namespace WebLinks {

namespace {

// Besides letters, digits and - . _ ~: what a symbol may hold and what never
// changes where a query value ends.
constexpr const char kPathKeeps[] = "^=";
constexpr const char kQueryKeeps[] = "^=/:,;@!$'()*";

struct Row
{
    Site site;
    const char* path;
};

template <std::size_t N>
QString fromTable(const std::array<Row, N>& table, int index)
{
    if (index < 0 || index >= int(N))
        return QString();
    return Sites::Address(table[std::size_t(index)].site, QLatin1String(table[std::size_t(index)].path));
}

// The first character of the symbol, lower-cased (empty for an empty symbol).
QString first(const QString& symbol)
{
    return symbol.left(1).toLower();
}

} // namespace

QString QueryValue(const QString& value)
{
    return PercentEncode(value, kQueryKeeps);
}

QString PathValue(const QString& value)
{
    return PercentEncode(value, kPathKeeps);
}

QString StockChartAddress(int index, const QString& symbol)
{
    static constexpr const char* kPeriods[] = {"3m", "1y", "2y", "5y", "my", "mym", "mys"};
    if (index == 0)
        return Sites::Address(Site::IntradayChart, QStringLiteral("/b?s=") + QueryValue(symbol));
    if (index >= 1 && index <= 7)
        return Sites::Address(Site::ChartImages, QStringLiteral("/c/") + QLatin1String(kPeriods[index - 1]) +
                                                     QLatin1Char('/') + PathValue(first(symbol)) + QLatin1Char('/') +
                                                     PathValue(symbol) + QStringLiteral(".gif"));
    if (index == 8)
        return Sites::Address(Site::InteractiveChart,
                              QStringLiteral("/quote.asp?Mode=JAVACHART&Symbol=") + QueryValue(symbol));
    return QString();
}

QString StockNewsAddress(int index, const QString& symbol)
{
    const QString sym = QueryValue(symbol);
    const QString upper = QueryValue(symbol.toUpper());
    switch (index) {
    case 0:
        return Sites::Address(Site::StockNews, QStringLiteral("/n/") + PathValue(first(symbol)) + QLatin1Char('/') +
                                                   PathValue(symbol) + QStringLiteral(".html"));
    case 1:
    case 6:
        return Sites::Address(Site::PressReleases, QStringLiteral("/news/pressrel.asp?Symbol=") + sym);
    case 2:
        return Sites::Address(Site::FilingsAlerts,
                              QStringLiteral("/bin/headlines?SearchOption=ticker&Query=") + sym);
    case 3:
        return Sites::Address(
            Site::MoneyMagazine,
            QStringLiteral("/search/news?Action=FILTERSEARCH&Filter=EquitySnapshotFilter.hts&ResultTemplate="
                           "EquitySnapshotResults3.hts&SortField=Date&SortOrder=Desc&ResultCount=10&type=ticker"
                           "&TickerSymbols=") +
                sym);
    case 4:
        return Sites::Address(Site::TechNews, QStringLiteral("/industry_list_new.asp?mode=news&ticker=") + sym);
    case 5:
        return Sites::Address(Site::QuoteHeadlines, QStringLiteral("/fq/quotecom/headlines?mode?symbols=") + sym +
                                                        QStringLiteral("&mode=NewsHeadlines"));
    case 7:
        return Sites::Address(Site::MarketNewsAlerts,
                              QStringLiteral("/bin/headlines?Query=") + sym + QStringLiteral("&SearchOption=ticker"));
    case 8:
        return Sites::Address(Site::PersonalFinance, QStringLiteral("/investments/news/?symbol=") + upper);
    case 9:
        return Sites::Address(Site::FundResearch, QStringLiteral("/StockQT/NV_News/_") +
                                                      PathValue(symbol.toUpper()) + QStringLiteral(".msshtml"));
    case 10:
        return Sites::Address(Site::InteractiveChart,
                              QStringLiteral("/quote.asp?Symbol=") + sym + QStringLiteral("&Mode=NEWS"));
    case 11:
        return Sites::Address(Site::InvestorCommunity, QStringLiteral("/news/news.asp?symbols=") + upper);
    case 12:
        return Sites::Address(Site::NewsDigest, QStringLiteral("/free/digest?Symbol=") + sym + QStringLiteral("#news"));
    case 13:
        return Sites::Address(Site::BroadcasterQuotes,
                              QStringLiteral("/analytics/bquote.cgi?view=news&ticker=") + sym);
    default:
        return QString();
    }
}

QString FundamentalChartAddress(int index, const QString& symbol)
{
    static constexpr const char* kFields[] = {
        "bookvalue", "commonequity", "currassets", "currliabilities", "deratio", "depreciation", "dividends",
        "payout", "ebit", "eps", "longtermdebt", "icoverage", "netincome", "peratio", "pricebook", "pricesales",
        "profitmargin", "roe", "roa", "Revenues Selected", "sharesout"};
    const QString field = index >= 0 && index < int(std::size(kFields)) ? QLatin1String(kFields[index]) : QString();
    return Sites::Address(Site::FundamentalCharts, QStringLiteral("/home/wchart/chart.html?id=00019590&symbol=") +
                                                       QueryValue(symbol) + QStringLiteral("&field=") + field);
}

QString MessageBoardAddress(int index, const QString& symbol)
{
    switch (index) {
    case 0:
        return Sites::Address(Site::TechForum, QStringLiteral("/~wsapi/investor/search?s=") +
                                                   QueryValue(symbol.toUpper()) + QStringLiteral("&domain=Titles"));
    case 1:
        return Sites::Address(Site::MessageBoards, QStringLiteral("/?action=q&board=") + QueryValue(symbol.toUpper()));
    case 2:
        // The board of new issues: a fixed topics page.
        return Sites::Address(Site::MessageBoards, QStringLiteral("/bbs?action=topics&board=4686874&type=r"));
    default:
        return QString();
    }
}

QString IndustryGroupAddress(int index, const QString& symbol)
{
    static constexpr const char* kButtons[] = {"GRAPH", "STOCKS", "STBRK", "ITBRK",
                                               "LTBRK", "FUND",   "INSIDERS", "RANKINGS"};
    if (index < 0 || index >= int(std::size(kButtons)))
        return QString();
    return Sites::Address(Site::IndustryGroups, QStringLiteral("/wsc/Industry_Group_Analysis.html?Symbol=") +
                                                    QueryValue(symbol.toUpper()) + QStringLiteral("&Button=") +
                                                    QLatin1String(kButtons[index]));
}

QString TVStreamAddress(int index)
{
    static constexpr std::array<Row, 11> kStreams{{
        {Site::Broadcaster, "/streams/video/financial56.ram"},
        {Site::Broadcaster, "/streams/video/business56.ram"},
        {Site::Broadcaster, "/videos/top/LiveBTV56.ram"},
        {Site::Broadcaster, "/streams/video/stock_picker56.ram"},
        {Site::Broadcaster, "/streams/video/tech56.ram"},
        {Site::NewspaperTv, "/rmrams/v_regs/news.ram"},
        {Site::NewspaperTv, "/rmrams/v_regs/opening.ram"},
        {Site::NewspaperTv, "/rmrams/v_regs/bonds.ram"},
        {Site::NewspaperTv, "/rmrams/v_regs/preview.ram"},
        {Site::InvestorTv, "/denvideo.ram"},
        {Site::PublicBroadcaster, "/olmedia/video/news169.ram"},
    }};
    return fromTable(kStreams, index);
}

QString RadioStreamAddress(int index)
{
    // Rows 6-9 are the presenters' programmes (tree keys "RI_Pa".."RI_Pd"), row 10
    // the late review.
    static constexpr std::array<Row, 17> kStreams{{
        {Site::Broadcaster, "/wbbr/blp_finmkt.ram"},
        {Site::Broadcaster, "/wbbr/blp_topbus.ram"},
        {Site::Broadcaster, "/wbbr/blp_morninghr.ram"},
        {Site::Broadcaster, "/wbbr/blp_world.ram"},
        {Site::Broadcaster, "/wbbr/live/live1.ram"},
        {Site::MarketRadio, "/abslive.ram"},
        {Site::MarketRadio, "/afund.ram"},
        {Site::MarketRadio, "/bvalue.ram"},
        {Site::MarketRadio, "/cgrowth.ram"},
        {Site::MarketRadio, "/macro.ram"},
        {Site::MarketRadio, "/lreview.ram"},
        {Site::MarketRadio, "/libertyw.ram"},
        {Site::MarketRadio, "/axd.ram"},
        {Site::TalkRadio, "/radio/ram/talkamerica.ram?adurl=0000000c0000000300000000"},
        {Site::BusinessRadio, "/radio/summary.ram"},
        {Site::AudioVideoNews, "/subcategories/video.cfm?todayRM=19990423&scope=bus.rm"},
        {Site::PublicBroadcaster, "/olmedia/audio/world_summary.ram"},
    }};
    return fromTable(kStreams, index);
}

} // namespace WebLinks
