#pragma once

#include "pages/PageCatalogue.h"
#include "platform/Sites.h"
#include "retrieval/CacheFiles.h"

#include <QHash>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QuoteParsing;

class MainWindowPort;
class Transports;
struct SiteEndpoint;

// The page downloaders: the update run's procedures, each fetching the pages its
// row of the page catalogue (pages/PageCatalogue.h) describes, one loop per kind.
//
// Patterns in the rows are filled per request:
//   {SYM}    the symbol as stored in the set      {UCASE} / {LCASE} its upper / lower case
//   {FIRST}  the lower-case first character       {CODE}, {TITLE}, {KEY}, {PAGE}, {D},
//   {DATA}, {REPORT}, {SCREEN}, {EXCHANGE}        the arguments of the market members
// In a path and query every symbol value is percent-encoded (letters, digits and
// . - ^ = _ ~ stay as they are); in a file name and a status text it is the stored text.

// One stock's request by a catalogue row: the bare file name, the path and query
// (symbol values percent-encoded) and the status text (without OrigCaption).
struct PageRequest
{
    QString fileName;
    QString pathAndQuery;
    QString status;
};
PageRequest RequestFor(const pages::Download& d, const QString& symbol, const QString& title = QString());
// The same for a market row, with its argument values ({CODE}, {TITLE}, ...).
PageRequest RequestFor(const pages::Download& d, const QHash<QString, QString>& values);

// The arguments the update run passes for a box, read from the box's member in the
// catalogue (Report/Screen, Code, Data/Exchange, Title of the movers and screens;
// the fund key).
struct BigMoversArgs { std::int16_t Report; QString Code; std::int16_t Data; QString Title; };
struct ScreenListArgs { std::int16_t Screen; QString Code; std::int16_t Exchange; QString Title; };
std::optional<BigMoversArgs> BigMoversForItem(int item);   // boxes 20 to 43
std::optional<ScreenListArgs> ScreenListForItem(int item); // boxes 89 to 97
QString FundKeyForItem(int item);                          // boxes 61 to 82; "" otherwise
// Page and title of a fund key; both "" for a key that names no fund.
std::pair<QString, QString> FundPage(const QString& key);

// The day the movers lists are asked for, "yyyyMMdd": yesterday (by Clock) unless the
// setting "US" under Software\Orvane\ZA1 holds a value other than 0.
QString BigMoversDate();

// The recommendation value text of a recommendation page joined into one line:
// nullopt when the page has no "Current Average Recommendation"; raises a
// RuntimeError when the value cannot be cut out.
std::optional<QString> RecommendationText(const QString& joinedPage);

// Parses a stock's fetched quote page into its headline file; installed by the
// layer that owns the quote-page parser (symbol, page file, news file).
using NewsParser = std::function<void(const QString& symbol, const QString& pageFile, const QString& newsFile)>;

class Downloaders
{
public:
    Downloaders(Transports& transports, MainWindowPort& port);

    // Per-stock pages.
    void UpdateRec();
    void UpdateNews();
    void UpdateAnnualReport(const QString& Code, const QString& Title);
    void UpdateEstimates();
    void UpdateQR();
    void UpdateIT();
    void UpdateOptions();
    void UpdateSplits();
    void UpdateUpgradesHistory();
    void UpdateDowngradesHistory();
    void UpdateMomentumRating();
    void UpdateBrokerReports();
    void UpdateProfile();
    void UpdateShortInterest();
    void UpdateAdvise();
    // The tip fetched on its own (the adviser window's "&Get Free Tip"): the title the
    // fetch shows goes back to the one before when the fetch ends, whatever came of it.
    // Inside an update run UpdateAdvise keeps the run's title rule.
    void UpdateAdviseAlone();

    // Market pages.
    void UpdateBigMovers(std::int16_t Report, const QString& Code, std::int16_t Data, const QString& Title);
    void UpdateScreenLists(std::int16_t Screen, const QString& Code, std::int16_t Exchange, const QString& Title);
    void UpdateLosers();
    void UpdateWinners();
    void UpdateSurp();
    void UpdateUpDown();
    void UpdateUSMarket();
    void UpdateWorldMarket();
    void Update_IPO_Last();
    void Update_IPO_News();
    void Update_IPO_Gain();
    void Update_IPO_Loss();
    void Update_IPO_Reg();
    void Update_IPO_Price();
    void Update_IPO_With();
    void Update_OptSum();
    void UpdateFunds(const QString& Key);
    void UpdateSplitsCalendar(std::int16_t N);
    void UpdateTodayBrokerReports();

    // The downloader of update box item, with the arguments the run passes (the
    // box's catalogue row names the procedure; its member or row gives the
    // arguments). False when no downloader here belongs to the box (1, the current
    // prices, which the run fetches itself; 44 to 49 and 59, which fetch nothing;
    // anything outside 0 to 98).
    bool RunUpdateItem(int item);
    static bool HasDownloader(int item);
    // The call a box makes, as text: "UpdateBigMovers(1, PG_Q, 2, Price-Gain (NASDAQ))".
    static QString UpdateItemCall(int item);

    // The news parser UpdateNews hands each page to. Without one, UpdateNews fetches
    // and keeps the page ("Temp.htm") and leaves the old headline files alone.
    void setNewsParser(NewsParser parser) { m_newsParser = std::move(parser); }
    // The parsers UpdateUSMarket hands a kept US page to (Parse_US). Without them the
    // page is kept and US.dat left as it is.
    void setQuoteParsing(QuoteParsing* parsers) { m_parsers = parsers; }

private:
    enum class RowResult { Next, End };

    // tellsFault: a run error is shown in a message box (the short interest).
    void runStock(const pages::Download& d, const QString& title = QString(), bool tellsFault = false);
    RowResult stockRow(const pages::Download& d, const SiteEndpoint& site, int row, const QString& symbol,
                       const QString& title);
    RowResult recommendationRow(const pages::Download& d, const SiteEndpoint& site, int row, const QString& symbol);
    RowResult newsRow(const pages::Download& d, const SiteEndpoint& site, const QString& symbol);
    void finishStock(const pages::Download& d);
    // True when the page was fetched and kept.
    bool runMarket(const pages::Download& d, const QHash<QString, QString>& values,
                   const QString& preTitle = QString());

    Transports& m_transports;
    MainWindowPort& m_port;
    NewsParser m_newsParser;
    QuoteParsing* m_parsers = nullptr;
};
