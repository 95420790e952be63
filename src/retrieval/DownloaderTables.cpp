// The descriptor tables of every page downloader and the arguments the update
// run passes per update box.
#include "retrieval/Downloaders.h"

#include "core/Settings.h"
#include "core/mdlRegistry.h"
#include "platform/Clock.h"
#include "platform/Runtime.h"

#include <array>

namespace {

constexpr auto Fetch = Transport::FetchControl;
constexpr auto Sock = Transport::Socket;
constexpr auto Next = OnMissingFile::NextRow;
constexpr auto End = OnMissingFile::EndProcedure;

} // namespace

const std::vector<StockDownloader>& StockDownloaders()
{
    // procedure, box, site, path and query, cache file, transport, rows, size rule,
    // threshold, status, missing file after the fetch, blanks before the status,
    // special, code.
    static const std::vector<StockDownloader> table{
        {"UpdateRec", 0, Site::Recommendations, "/cgi-bin/ShowFreeCompRep?{SYM}", "Rec.Sh", Fetch,
         Rows::ThroughCountTwoChars, SizeRule::None, 0, "Getting {SYM} Recommendations. ", Next, 4,
         Special::Recommendation, ""},
        {"UpdateNews", 2, Site::Quotes, "/q?s={SYM}", "Temp.htm", Fetch, Rows::Set, SizeRule::None, 0,
         "Getting {SYM} Latest News...", Next, 4, Special::News, ""},
        {"UpdateAnnualReport", 3, Site::ResearchReport, "/cgi-bin/JMFR/FreeReport?ref=DEF&ticker={SYM}&hist=2",
         "{SYM}_ABS.Sh", Fetch, Rows::Set, SizeRule::Below, 1000, "Getting {SYM}{TITLE}", Next, 4,
         Special::AnnualReport, "ABS"},
        {"UpdateAnnualReport", 4, Site::ResearchReport, "/cgi-bin/JMFR/FreeReport?ref=DEF&ticker={SYM}&hist=1",
         "{SYM}_AIS.Sh", Fetch, Rows::Set, SizeRule::Below, 1000, "Getting {SYM}{TITLE}", Next, 4,
         Special::AnnualReport, "AIS"},
        {"UpdateEstimates", 5, Site::BusinessNews, "/z/a/{FIRST}/{SYM}.html", "{SYM}_ee.Sh", Fetch, Rows::Set,
         SizeRule::Below, 1000, "Getting {SYM} Earnings Estimates & Recommendations", End, 5, Special::None, ""},
        {"UpdateQR", 6, Site::Filings, "/brand/yahoo/search/?sym={SYM}", "{SYM}_qr.Sh", Fetch, Rows::Set,
         SizeRule::Below, 1000, "Getting {SYM} Quarterly Report. ", End, 4, Special::None, ""},
        {"UpdateIT", 7, Site::BusinessNews, "/t/{FIRST}/{SYM}.html", "{SYM}_it.Sh", Fetch, Rows::Set,
         SizeRule::Below, 1000, "Getting {SYM} Insider Trades", End, 4, Special::None, ""},
        {"UpdateOptions", 8, Site::OptionQuotes, "/QuoteTable.dat?TICKER={UCASE}", "{SYM}_op.Sh", Sock, Rows::Set,
         SizeRule::Below, 1000, "Getting {SYM} Call/Put Options", Next, 4, Special::None, ""},
        {"UpdateSplits", 9, Site::AnalystsActions, "/splits/splits-single-company.asp?symbol={LCASE}", "{SYM}_sp.Sh",
         Sock, Rows::Set, SizeRule::NameTestBelow, 2500, "Updating {SYM} Splits History", Next, 4, Special::None, ""},
        {"UpdateUpgradesHistory", 10, Site::AnalystsActions, "/upgrades-single-company.asp?symbol={LCASE}",
         "{SYM}_uph.Sh", Sock, Rows::Set, SizeRule::NameTestBelow, 2500, "Updating {SYM} Upgrades History", Next, 4,
         Special::None, ""},
        {"UpdateDowngradesHistory", 11, Site::AnalystsActions, "/downgrades-single-company.asp?symbol={LCASE}",
         "{SYM}_dnh.Sh", Sock, Rows::Set, SizeRule::NameTestBelow, 2500, "Updating {SYM} Downgrades History", Next,
         4, Special::None, ""},
        {"UpdateMomentumRating", 12, Site::AnalystsActions, "/momentum-rating-single-company.asp?symbol={LCASE}",
         "{SYM}_mr.Sh", Sock, Rows::Set, SizeRule::NameTestBelow, 2500, "Updating {SYM} Momentum Rating", Next, 4,
         Special::None, ""},
        {"UpdateBrokerReports", 13, Site::AnalystsActions, "/reports-single-company.asp?symbol={LCASE}",
         "{SYM}_brp.Sh", Sock, Rows::Set, SizeRule::NameTestBelow, 2500, "Updating {SYM} Broker Reports", Next, 4,
         Special::None, ""},
        {"UpdateProfile", 14, Site::CompanyProfile, "/cgi-bin/brand_newsalert_mlist.cgi?symbol={UCASE}",
         "{SYM}_P.Sh", Fetch, Rows::SetTwoChars, SizeRule::Below, 2500, "Updating {SYM} Profile", End, 4,
         Special::None, ""},
        {"UpdateShortInterest", 88, Site::ShortInterest,
         "/asp/quotes_full.asp?kind=shortint&symbol={UCASE}%60&selected={UCASE}%60", "{SYM}_SI.Sh", Sock, Rows::Set,
         SizeRule::NameTestBelow, 2500, "Updating {SYM} Short Interest ", Next, 4, Special::None, ""},
    };
    return table;
}

const std::vector<MarketDownloader>& MarketDownloaders()
{
    // procedure, first and last box, site, path and query, no scheme, cache file,
    // transport, size rule, threshold, status, whole title.
    static const std::vector<MarketDownloader> table{
        {"UpdateBigMovers", 20, 43, Site::MarketReports,
         "/reports/bigmovers.asp?date={D}&data={DATA}&start=0&report={REPORT}&report_country_code=us", false,
         "Br{CODE}.Sh", Fetch, SizeRule::None, 0, "Updating {TITLE}", false},
        {"UpdateScreenLists", 89, 97, Site::MarketReports, "/markets/screener.asp?exchange={EXCHANGE}&screen={SCREEN}",
         false, "Br{CODE}.Sh", Fetch, SizeRule::None, 0, "Updating {TITLE}", false},
        {"UpdateLosers", 17, 17, Site::Brokerage, "/dljd/mwlosers.htm", true, "mwlosers.Sh", Fetch, SizeRule::Below,
         2500, "   Updating Lossers", true},
        {"UpdateWinners", 16, 16, Site::Brokerage, "/dljd/mwwinners.htm", true, "mwwinners.Sh", Fetch, SizeRule::None,
         0, "Updating Top Winners", false},
        {"UpdateSurp", 15, 15, Site::ResearchReport, "/cgi-bin/25_surp", false, "25_surp.Sh", Fetch, SizeRule::None, 0,
         "Updating Top 25 Daily Earnings Surprises", false},
        {"UpdateUpDown", 18, 18, Site::BusinessNews, "/c/u.html", true, "UpDown.Sh", Fetch, SizeRule::Below, 2500,
         "Getting Upgrades/Downgrades", false},
        {"UpdateUSMarket", 50, 50, Site::Quotes, "/m1?u", false, "US.Sh", Fetch, SizeRule::Below, 1000,
         "Updating U.S. Market Data", false},
        {"UpdateWorldMarket", 51, 51, Site::Quotes, "/m2?u", false, "Market.Sh", Fetch, SizeRule::Below, 1000,
         "Updating International Market Data", false},
        {"Update_IPO_Last", 52, 52, Site::BusinessNews, "/ipo/index.html", false, "IPO_lts.sh", Fetch, SizeRule::Below,
         2500, "Updating Latest IPO Events", false},
        {"Update_IPO_News", 53, 53, Site::BusinessNews, "/reports/ipo.html", false, "IPO_News.sh", Fetch,
         SizeRule::Below, 2500, "Updating IPO News", false},
        {"Update_IPO_Gain", 54, 54, Site::BusinessNews, "/ipo/perf_g3.html", false, "IPO_G3.sh", Fetch,
         SizeRule::Below, 2500, "Updating IPO Gainers", false},
        {"Update_IPO_Loss", 55, 55, Site::BusinessNews, "/ipo/perf_l3.html", false, "IPO_L3.sh", Fetch,
         SizeRule::Below, 2500, "Updating IPO Lossers", false},
        {"Update_IPO_Reg", 56, 56, Site::BusinessNews, "/ipo/reg_cal.html", false, "IPO_Reg.sh", Fetch,
         SizeRule::Below, 2500, "Updating IPO Registrations", false},
        {"Update_IPO_Price", 57, 57, Site::BusinessNews, "/ipo/prc_cal.html", false, "IPO_Prc.sh", Fetch,
         SizeRule::Below, 2500, "Updating IPO Pricings", false},
        {"Update_IPO_With", 58, 58, Site::BusinessNews, "/ipo/wp.html", false, "IPO_wp.sh", Fetch, SizeRule::Below,
         2500, "Updating IPO Withdrawals", false},
        {"Update_OptSum", 60, 60, Site::MarketData, "/cgi-bin/htx.exe/dbcfiles/optiont.html?SOURCE=blq/ASK", false,
         "OptSum.Sh", Fetch, SizeRule::None, 0, "Updating Options Market Summary", false},
        {"UpdateFunds", 61, 82, Site::MarketData, "/cgi-bin/htx.exe/dbcfiles/{PAGE}?SOURCE=blq/ASK", false,
         "{KEY}.Sh", Fetch, SizeRule::None, 0, "Updating {TITLE}", false},
        // The splits calendars, N = 0 to 4 (boxes 83 to 87).
        {"UpdateSplitsCalendar", 83, 83, Site::AnalystsActions, "/splits/splits-today.asp", false, "FMS_Today.Sh",
         Sock, SizeRule::NameTestBelow, 2500, "Updating Today's Splits", false},
        {"UpdateSplitsCalendar", 84, 84, Site::AnalystsActions, "/splits/splits-thisweek.asp", false, "FMS_Week.Sh",
         Sock, SizeRule::NameTestBelow, 2500, "Updating This Week Splits", false},
        {"UpdateSplitsCalendar", 85, 85, Site::AnalystsActions, "/splits/splits-nextweek.asp", false, "FMS_Next.Sh",
         Sock, SizeRule::NameTestBelow, 2500, "Updating Next Week's Splits", false},
        {"UpdateSplitsCalendar", 86, 86, Site::AnalystsActions, "/splits/splits-recent.asp", false, "FMS_Rec.Sh", Sock,
         SizeRule::NameTestBelow, 2500, "Updating Recently Announced Splits", false},
        {"UpdateSplitsCalendar", 87, 87, Site::SplitsRanking, "/mostsplits.asp", false, "FMS_Tech.Sh", Sock,
         SizeRule::NameTestBelow, 2500, "Updating Top Tech Splits", false},
        {"UpdateTodayBrokerReports", 98, 98, Site::AnalystsActions, "/reports/reports-today.asp", false, "M_BRP.Sh",
         Sock, SizeRule::Below, 1000, "Updating Today's Broker Reports / Bloomberg Analysts Recommendations", false},
    };
    return table;
}

const MarketDownloader& AdviseDownloader()
{
    // The file lies in the program folder itself, not in the cache.
    static const MarketDownloader advise{"UpdateAdvise", 19, 19, Site::Tip, "/orvane/tip.txt", false, "Tip.Sh", Sock,
                                         SizeRule::NameTestBelow, 2500, "Updating Tradewright Advice", false};
    return advise;
}

namespace {

struct ListName
{
    const char* code;
    const char* title;
};

struct ExchangeDesc
{
    const char* name;
    std::int16_t number;
    const char* suffix;
};

// The movers lists, in the order of their report numbers 1 to 8.
constexpr std::array<ListName, 8> kMoverLists{{
    {"PG", "Price-Gain"},
    {"PL", "Price-Loss"},
    {"VG", "Volume-Gain"},
    {"VL", "Volume-Loss"},
    {"52-WPH", "52-Week Price Highs"},
    {"52-WPL", "52-Week Price Lows"},
    {"MAS", "Most-Active Stocks"},
    {"LMM", "Largest Money Movers"},
}};
// Each list's three boxes, left to right.
constexpr std::array<ExchangeDesc, 3> kMoverExchanges{{{"NASDAQ", 2, "_Q"}, {"NYSE", 1, "_N"}, {"AMEX", 3, "_A"}}};

// The screens 8, 9 and 10.
constexpr std::array<ListName, 3> kScreens{{
    {"DT", "Most Active by Dollars Traded"},
    {"PU", "Most Active by Price Up"},
    {"PD", "Most Active by Price Down"},
}};
constexpr std::array<ExchangeDesc, 3> kScreenExchanges{{{"NASDAQ", 15, "_Q"}, {"NYSE", 13, "_N"}, {"AMEX", 14, "_A"}}};

struct Fund
{
    const char* key;
    const char* page;
    const char* title;
};

// The fund lists in the order of boxes 61 to 82.
constexpr std::array<Fund, 22> kFunds{{
    {"F_Conv", "convbndt.html", "Largest Convertible Bond Funds"},
    {"F_Growth", "agggrot.html", "Largest Growth Funds"},
    {"F_Equity", "mut10t.html", "Largest Equity Funds"},
    {"F_Yield", "hiyldt.html", "Largest High-Yield Bond Funds"},
    {"F_LMM", "mon11t.html", "Largest Money Market Funds"},
    {"F_Inter", "intert.html", "Largest International Funds"},
    {"F_Precious", "premetlt.html", "Largest Precious Metals Funds"},
    {"F_Smith", "sbmmt.html", "Smith Barney Mutual and Money Market Funds"},
    {"F_AIM", "aimmmt.html", "AIM Mutual and Money Market Funds"},
    {"F_Benham", "benmmt.html", "Benham Mutual and Money Market Funds"},
    {"F_Dean", "dwmmt.html", "Dean Witter Mutual and Money Market Funds"},
    {"F_Franklin", "frtmmt.html", "Franklin/Templeton Mutual and Money Market Funds"},
    {"F_Fidelity", "fidmmt.html", "Fidelity Mutual and Money Market Funds"},
    {"F_Merrill", "mlmmt.html", "Merrill Lynch Mutual and Money Market Funds"},
    {"F_Janus", "janmmt.html", "Janus Mutual and Money Funds"},
    {"F_Putnam", "putmmt.html", "Putnam Mutual and Money Market Funds"},
    {"F_Scudder", "scdmmt.html", "Scudder Mutual and Money Market Funds"},
    {"F_Stagecoach", "Ssgcmmt.htmls", "Stagecoach Mutual and Money Market Funds"},
    {"F_Strong", "strmmt.html", "Strong Mutual and Money Market Funds"},
    {"F_T", "trpmmt.html", "T. Rowe Price Mutual and Money Market Funds"},
    {"F_Twentieth", "twcmmt.html", "Twentieth Century Mutual and Money Market Funds"},
    {"F_Vanguard", "vanmmt.html", "Vanguard Mutual and Money Market Funds"},
}};

} // namespace

std::optional<BigMoversArgs> BigMoversForItem(int item)
{
    if (item < 20 || item > 43)
        return std::nullopt;
    const ListName& list = kMoverLists[std::size_t((item - 20) / 3)];
    const ExchangeDesc& ex = kMoverExchanges[std::size_t((item - 20) % 3)];
    return BigMoversArgs{std::int16_t((item - 20) / 3 + 1), QLatin1String(list.code) + QLatin1String(ex.suffix),
                         ex.number, QLatin1String(list.title) + QStringLiteral(" (") + QLatin1String(ex.name) + u')'};
}

std::optional<ScreenListArgs> ScreenListForItem(int item)
{
    if (item < 89 || item > 97)
        return std::nullopt;
    const ListName& screen = kScreens[std::size_t((item - 89) / 3)];
    const ExchangeDesc& ex = kScreenExchanges[std::size_t((item - 89) % 3)];
    return ScreenListArgs{std::int16_t(8 + (item - 89) / 3), QLatin1String(screen.code) + QLatin1String(ex.suffix),
                          ex.number,
                          QLatin1String(screen.title) + QStringLiteral(" (") + QLatin1String(ex.name) + u')'};
}

QString FundKeyForItem(int item)
{
    if (item < 61 || item > 82)
        return QString();
    return QLatin1String(kFunds[std::size_t(item - 61)].key);
}

std::pair<QString, QString> FundPage(const QString& key)
{
    for (const Fund& f : kFunds)
        if (key == QLatin1String(f.key))
            return {QLatin1String(f.page), QLatin1String(f.title)};
    return {};
}

QString BigMoversDate()
{
    // The lists of the US markets are complete the next day; a user in another zone
    // sets "US" and asks for today's lists.
    const QVariant us = mdlRegistry::QueryValue(mdlRegistry::HKEY_CURRENT_USER, QLatin1String(Settings::ZA1Key),
                                                QLatin1String(Settings::US));
    bool yesterday = !us.isValid() || us.toString().trimmed().isEmpty();
    if (!yesterday && rt::IsNumeric(us))
        yesterday = rt::CDbl(us) == 0;
    QDate day = Clock::Now().date();
    if (yesterday)
        day = day.addDays(-1);
    return day.toString(QStringLiteral("yyyyMMdd"));
}
