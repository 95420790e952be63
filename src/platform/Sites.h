#pragma once

#include <QList>
#include <QString>

#include <optional>
#include <utility>

// The web sites the program fetches from, each a named entry with a default host
// and port. The user points a site elsewhere in the settings store: key
// "Software\Orvane\Tradewright5\Sites", a text value named by the site's Name(),
// "host" (the site's default port) or "host:port". The value is read on every call, so a change takes effect
// with the next request. The default hosts are placeholders under ".example": a site
// whose host is still its placeholder is not set, and nothing is fetched from it.
enum class Site {
    Price,            // quote service "/d/quotes.csv" and quote pages "/q"
    Quotes,           // symbol lookup "/l" and the per-stock quote-site pages
    Recommendations,
    ResearchReport,
    BusinessNews,
    Filings,
    OptionQuotes,
    AnalystsActions,
    CompanyProfile,
    ShortInterest,
    Tip,              // the weekly tip file
    Maker,            // the maker's web host: version file, product page
    MarketReports,
    Brokerage,
    MarketData,
    SplitsRanking,
    UpgradeFtp,       // the maker's FTP server for the upgrade archive (port 21)
    // Pages only handed to the browser or media player (never fetched by the program).
    IntradayChart,    // one-day price chart of a stock
    ChartImages,      // price-chart pictures of several periods
    StockNews,        // the market-data site's per-stock news pages
    MessageBoards,    // the market-data site's message boards
    InteractiveChart, // interactive chart and its news page
    PressReleases,
    FilingsAlerts,
    MoneyMagazine,
    TechNews,
    QuoteHeadlines,
    MarketNewsAlerts,
    PersonalFinance,
    FundResearch,
    InvestorCommunity,
    NewsDigest,
    BroadcasterQuotes,
    FundamentalCharts,
    TechForum,
    IndustryGroups,
    Broadcaster,      // television and radio streams of the financial broadcaster
    NewspaperTv,
    InvestorTv,
    PublicBroadcaster,
    MarketRadio,
    TalkRadio,
    BusinessRadio,
    AudioVideoNews,
    Screener,         // the stock screener's query page
    ChartService,     // the chart explorer's chart server
    HeadlineNews,     // the headline query's news site
    TechnicalCharts,  // the technical-graph site
    // Pages the grids' row links open in the browser (nothing is fetched from them):
    FilingPages,      // the quote provider's filings pages "/e/l/u/"
    BrokerResearch,   // "/ows-bin/owa/zbrc"
    CompanyDigest,    // "/cgi/inet/qndigest.trn"
    MomentumRating,   // "/quote.asp"
};

namespace Sites {

inline constexpr const char* SettingsKey = "Software\\Orvane\\Tradewright5\\Sites";

QList<Site> All();
QString Name(Site site);         // the settings value name, e.g. "Quotes"
QString DefaultHost(Site site);
int DefaultPort(Site site);
QString Host(Site site);         // the override's host, else the default
int Port(Site site);             // the override's port, else the default
// "http://" + host (+ ":" + port when not 80) + pathAndQuery ("/q?s=ibm").
QString Address(Site site, const QString& pathAndQuery);
// The same without the scheme: host (+ ":" + port when not 80) + pathAndQuery.
QString HostAndPath(Site site, const QString& pathAndQuery);
// A site is set once its host is no longer the built-in placeholder; the program
// asks no site that is not set (no name lookup, no traffic).
bool IsSet(Site site);
// The site whose built-in placeholder host is host (letter case aside); nullopt for
// any other host.
std::optional<Site> PlaceholderSite(const QString& host);
// The status text that names the sites not set and where to set them: "Sites not set:
// Price, Quotes - set their hosts under [Software\Orvane\Tradewright5\Sites] in " and
// the settings file.
QString NotSetText(QList<Site> sites);

// Writes the override value ("host" for the default port, else "host:port"). An empty host
// clears it (the default applies again). Tests point sites at 127.0.0.1 this way.
void Override(Site site, const QString& host, int port);
inline void Override(Site site, const QString& host) { Override(site, host, DefaultPort(site)); }

// "host", "host:port" or a pasted "scheme://host:port/path" as (host, port): the
// scheme and path are dropped; defaultPort when no port in 1..65535 is given (an
// IPv6 literal keeps its colons). The host is not checked.
std::pair<QString, int> SplitHostPort(QString address, int defaultPort);

} // namespace Sites
