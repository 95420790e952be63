#include "Sites.h"

#include "Codec.h"
#include "RegistryStore.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace {

struct SiteEntry
{
    Site site;
    const char* name;
    const char* host;
    int port;
};

// One row per site; the order follows the enum.
constexpr std::array<SiteEntry, 52> kSites{{
    {Site::Price, "Price", "prices.example", 80},
    {Site::Quotes, "Quotes", "quotes.example", 80},
    {Site::Recommendations, "Recommendations", "recommendations.example", 80},
    {Site::ResearchReport, "ResearchReport", "research.example", 80},
    {Site::BusinessNews, "BusinessNews", "business-news.example", 80},
    {Site::Filings, "Filings", "filings.example", 80},
    {Site::OptionQuotes, "OptionQuotes", "options.example", 80},
    {Site::AnalystsActions, "AnalystsActions", "analysts.example", 80},
    {Site::CompanyProfile, "CompanyProfile", "profiles.example", 80},
    {Site::ShortInterest, "ShortInterest", "short-interest.example", 80},
    {Site::Tip, "Tip", "tips.example", 80},
    {Site::Maker, "Maker", "maker.example", 80},
    {Site::MarketReports, "MarketReports", "market-reports.example", 80},
    {Site::Brokerage, "Brokerage", "brokerage.example", 80},
    {Site::MarketData, "MarketData", "market-data.example", 80},
    {Site::SplitsRanking, "SplitsRanking", "splits.example", 80},
    {Site::UpgradeFtp, "UpgradeFtp", "ftp.maker.example", 21},
    {Site::IntradayChart, "IntradayChart", "intraday-chart.example", 80},
    {Site::ChartImages, "ChartImages", "chart-images.example", 80},
    {Site::StockNews, "StockNews", "stock-news.example", 80},
    {Site::MessageBoards, "MessageBoards", "message-boards.example", 80},
    {Site::InteractiveChart, "InteractiveChart", "interactive-chart.example", 80},
    {Site::PressReleases, "PressReleases", "press-releases.example", 80},
    {Site::FilingsAlerts, "FilingsAlerts", "filings-alerts.example", 80},
    {Site::MoneyMagazine, "MoneyMagazine", "money-magazine.example", 80},
    {Site::TechNews, "TechNews", "tech-news.example", 80},
    {Site::QuoteHeadlines, "QuoteHeadlines", "quote-headlines.example", 80},
    {Site::MarketNewsAlerts, "MarketNewsAlerts", "market-news-alerts.example", 80},
    {Site::PersonalFinance, "PersonalFinance", "personal-finance.example", 80},
    {Site::FundResearch, "FundResearch", "fund-research.example", 80},
    {Site::InvestorCommunity, "InvestorCommunity", "investor-community.example", 80},
    {Site::NewsDigest, "NewsDigest", "news-digest.example", 80},
    {Site::BroadcasterQuotes, "BroadcasterQuotes", "broadcaster-quotes.example", 80},
    {Site::FundamentalCharts, "FundamentalCharts", "fundamental-charts.example", 80},
    {Site::TechForum, "TechForum", "tech-forum.example", 80},
    {Site::IndustryGroups, "IndustryGroups", "industry-groups.example", 80},
    {Site::Broadcaster, "Broadcaster", "broadcaster.example", 80},
    {Site::NewspaperTv, "NewspaperTv", "newspaper-tv.example", 80},
    {Site::InvestorTv, "InvestorTv", "investor-tv.example", 80},
    {Site::PublicBroadcaster, "PublicBroadcaster", "public-broadcaster.example", 80},
    {Site::MarketRadio, "MarketRadio", "market-radio.example", 80},
    {Site::TalkRadio, "TalkRadio", "talk-radio.example", 80},
    {Site::BusinessRadio, "BusinessRadio", "business-radio.example", 80},
    {Site::AudioVideoNews, "AudioVideoNews", "audio-video-news.example", 80},
    {Site::Screener, "Screener", "screener.example", 80},
    {Site::ChartService, "ChartService", "chart-service.example", 80},
    {Site::HeadlineNews, "HeadlineNews", "headline-news.example", 80},
    {Site::TechnicalCharts, "TechnicalCharts", "technical-charts.example", 80},
    {Site::FilingPages, "FilingPages", "filing-pages.example", 80},
    {Site::BrokerResearch, "BrokerResearch", "broker-research.example", 80},
    {Site::CompanyDigest, "CompanyDigest", "company-digest.example", 80},
    {Site::MomentumRating, "MomentumRating", "momentum.example", 80},
}};

const SiteEntry& entry(Site site)
{
    for (const SiteEntry& e : kSites)
        if (e.site == site)
            return e;
    return kSites[0];
}

// The override as (host, port); an empty host when there is none or it is unusable.
std::pair<QString, int> readOverride(Site site)
{
    const SiteEntry& e = entry(site);
    const auto value = RegistryStore::queryValue(QString::fromLatin1(Sites::SettingsKey), QString::fromLatin1(e.name));
    if (!value || value->type != RegistryStore::REG_SZ)
        return {QString(), e.port};
    QByteArray data = value->data;
    const int zero = data.indexOf('\0');
    if (zero >= 0)
        data.truncate(zero);
    // Tolerate a pasted address: "http://host:port/".
    const auto [text, port] = Sites::SplitHostPort(fromCp1252(data).trimmed(), e.port);
    // A host is a name or an IPv4 address: letters, digits, '.', '-', '_'. Anything
    // else ('@', '?', blanks, ...) would change the meaning of the address; such a
    // value is ignored.
    for (QChar c : text)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('.') && c != QLatin1Char('-')
            && c != QLatin1Char('_'))
            return {QString(), e.port};
    return {text, port};
}

} // namespace

namespace Sites {

QList<Site> All()
{
    QList<Site> all;
    for (const SiteEntry& e : kSites)
        all << e.site;
    return all;
}

std::pair<QString, int> SplitHostPort(QString address, int defaultPort)
{
    const int scheme = address.indexOf(QLatin1String("://"));
    if (scheme >= 0)
        address = address.mid(scheme + 3);
    const int slash = address.indexOf(QLatin1Char('/'));
    if (slash >= 0)
        address.truncate(slash);
    int port = defaultPort;
    const int colon = address.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0 && address.indexOf(QLatin1Char(':')) == colon) {  // not an IPv6 literal
        bool ok = false;
        const int p = address.mid(colon + 1).toInt(&ok);
        if (ok && p > 0 && p < 65536)
            port = p;
        address.truncate(colon);
    }
    return {address, port};
}

QString Name(Site site) { return QString::fromLatin1(entry(site).name); }
QString DefaultHost(Site site) { return QString::fromLatin1(entry(site).host); }
int DefaultPort(Site site) { return entry(site).port; }

QString Host(Site site)
{
    const auto [host, port] = readOverride(site);
    return host.isEmpty() ? DefaultHost(site) : host;
}

int Port(Site site)
{
    const auto [host, port] = readOverride(site);
    return host.isEmpty() ? DefaultPort(site) : port;
}

QString HostAndPath(Site site, const QString& pathAndQuery)
{
    const auto [overrideHost, overridePort] = readOverride(site);
    const QString host = overrideHost.isEmpty() ? DefaultHost(site) : overrideHost;
    const int port = overrideHost.isEmpty() ? DefaultPort(site) : overridePort;
    QString text = host;
    if (port != 80)
        text += QLatin1Char(':') + QString::number(port);
    return text + pathAndQuery;
}

QString Address(Site site, const QString& pathAndQuery)
{
    return QStringLiteral("http://") + HostAndPath(site, pathAndQuery);
}

std::optional<Site> PlaceholderSite(const QString& host)
{
    for (const SiteEntry& e : kSites)
        if (host.compare(QLatin1String(e.host), Qt::CaseInsensitive) == 0)
            return e.site;
    return std::nullopt;
}

bool IsSet(Site site)
{
    return !PlaceholderSite(Host(site)).has_value();
}

QString NotSetText(QList<Site> sites)
{
    std::sort(sites.begin(), sites.end());
    QStringList names;
    for (Site site : sites)
        names << Name(site);
    return QStringLiteral("Sites not set: ") + names.join(QStringLiteral(", ")) +
           QStringLiteral(" - set their hosts under [") + QLatin1String(SettingsKey) + QStringLiteral("] in ") +
           RegistryStore::filePath();
}

void Override(Site site, const QString& host, int port)
{
    const QString key = QString::fromLatin1(SettingsKey);
    RegistryStore::createKey(key);
    QString text = host.trimmed();
    if (!text.isEmpty() && port != DefaultPort(site))
        text += QLatin1Char(':') + QString::number(port);
    RegistryStore::Value value;
    value.type = RegistryStore::REG_SZ;
    value.data = toCp1252(text);
    RegistryStore::setValue(key, Name(site), value);
}

} // namespace Sites
