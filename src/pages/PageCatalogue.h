#pragma once

#include "platform/Sites.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>
#include <vector>

// The catalogue of page kinds: one row per kind of page the program reads (a
// stock's options page, the movers lists, the fund tables, ...) holding every fact
// about it that more than one room of the program needs: how the update run asks
// for it and where the page is kept, which update boxes fetch it and what the
// Options window calls them, which views show it and under which tree nodes, what
// the grid, zoom window and report menus do on those views, and the titles of its
// report and summary sections. The downloaders, the update choices, the view
// registry, the node dispatcher, the tree, the strip, the reports and the summary
// look the facts up here; nobody keeps a second list of codes, keys or file names.
//
// Adding a page kind is one row here plus a builder in the layer that draws it;
// pointing a kind at another source is its row alone (site role, path, file).

// ---- how a page is fetched ---------------------------------------------------------

enum class Transport { FetchControl, Socket };

// Which rows of the current set a per-stock downloader walks (when OneStockOnly is clear).
enum class Rows {
    Set,                  // 0 to StockCount - 1
    SetTwoChars,          // 0 to StockCount - 1, symbols of two or more characters
    ThroughCountTwoChars  // 0 to StockCount (the empty row after the set included), two or more characters
};

// What a per-stock member does when its cache file is missing after the fetch
// (a failed fetch and no earlier page) and its size rule has to read the length.
enum class OnMissingFile { NextRow, EndProcedure };

// The members that do more than fetch one page per row.
enum class Special { None, Recommendation, News, AnnualReport };

// What is done with a fetched file that is too short.
enum class SizeRule {
    None,           // keep whatever arrived
    Below,          // delete the file when it is shorter than the threshold
    NameTestBelow,  // the same, but only when the stored name is exactly the expected one
};

// ---- the Options window's update boxes --------------------------------------------

// The Options window's pages that hold update items (Frm(i) / lblNav(i)).
enum class UpdatePage {
    DailyConsultation = 0,  // 15 to 49, 89 to 97 (market lists of the day, exchange grid)
    StocksData = 1,         // 0 to 14, 88 (per-stock pages)
    MarketData = 2,         // 50 to 60, 83 to 87, 98
    Funds = 3,              // 61 to 82
};

// The exchange columns of the grid on the Daily Consultation page, numbered as the
// column labels lblExc(i): 0 "AMEX" (right), 1 "NYSE" (middle), 2 "NASDAQ" (left).
enum class ExchangeColumn { None = -1, AMEX = 0, NYSE = 1, NASDAQ = 2 };

// ---- the facts of a view -----------------------------------------------------------

enum class ViewScope {
    PerStock,   // a sheet of CurrentSymbol
    Market,     // a market-wide list
    Portfolio,  // the portfolio file (read afresh before the view fills)
    StockSet,   // the quotes of the loaded set
};

// What the runner shows when a view fails with an error other than 5 and 53.
enum class OtherErrorPolicy {
    StandardMessage,  // the same message as for 5 and 53
    Blank,            // a blank grid
};

// How the tree keys of a view are matched.
enum class TreeKeyMatch {
    Whole,           // the whole key
    PrefixAndIndex,  // the prefix followed by the stock's (or transaction's) index
};

// What CurrentView holds while the view is shown.
enum class ViewCodeRule {
    Code,        // the view's code
    CodeAndKey,  // the code followed by the key: "M_BRP0", "FMS3"
    Key,         // the key itself, which begins with the code: "F_Conv"
};

// A set of grid columns: the listed ones, and every column from `from` on (-1: none).
struct ColumnSet
{
    QVector<int> columns;
    int from = -1;
    bool contains(int col) const { return col >= 0 && (columns.contains(col) || (from >= 0 && col >= from)); }
    bool isEmpty() const { return columns.isEmpty() && from < 0; }
};

// The web page a click on a link column opens.
enum class GridLink {
    None,
    FilingText,       // filings-search site: "/auth/doctrans" and the stored link text
    QuoteThenNews,    // first link column: the quote page; the others: the company news page
    CompanyDigest,    // company-digest site, the symbol
    BrokerResearch,   // broker-research site, the symbol
    NewsRelative,     // business-news site: "/" and the stored link text
    OptionTicker,     // option-quotes site, the ticker in parentheses (blanks kept)
    OptionTickerJoined,  // the same with every blank removed from the address
    WholeAddress,     // the stored text is the whole address
    IpoProfile,       // business-news site: "/p/" symbol ".html"
    LinkWord,         // the clicked word picks the page of the symbol
    LinkWordCaret,    // the same with "^" before the symbol (index symbols)
    Momentum,         // momentum-rating site, the symbol
    MarkRed,          // no address: the clicked cell turns red
};

// The main grid's right-button menu.
enum class GridPopup { None, Quotes, Holdings, Log };

// What the "HTML" report item writes.
enum class HtmlReport {
    None,
    OfSet,     // the current prices of the set
    OfSymbol,  // the view's page of CurrentSymbol (nothing without a symbol)
};

namespace pages {

// The page kinds. The id is how the rooms of the program refer to a row (a view
// builder, a report writer, a summary section attaches to it by its id).
enum class PageId {
    Recommendation,
    News,
    BalanceSheet,
    IncomeStatement,
    Estimates,
    QuarterlyReports,
    InsiderTrades,
    Options,
    SplitsHistory,
    UpgradesHistory,
    DowngradesHistory,
    MomentumRating,
    BrokerReports,
    Profile,
    ShortInterest,
    CurrentQuotes,
    BigMovers,
    ScreenLists,
    WinnersLosers,
    Surprises,
    UpDown,
    USMarket,
    WorldMarket,
    IpoLatest,
    IpoNews,
    IpoGainers,
    IpoLosers,
    IpoRegistrations,
    IpoPricings,
    IpoWithdrawals,
    OptionsSummary,
    Funds,
    SplitsCalendar,
    TodayBrokerReports,
    Advice,
    Portfolio,
    QuotePage,
};

enum class Scope { PerStock, Market, StockSet, Portfolio };

// A page of a kind that has several (the movers lists, the screens, the funds, the
// splits calendars): its update box and the values its request and tree node take.
struct Member
{
    int item = -1;             // the update box that fetches it
    QString code;              // {CODE} / {KEY}: "PG_Q", "DT_N", "F_Conv"
    QString title;             // {TITLE} and the status: "Price-Gain (NASDAQ)"
    QString page;              // {PAGE}: the fund page "convbndt.html"
    std::int16_t report = 0;   // {REPORT} / the screen number
    std::int16_t exchange = 0; // {DATA} / {EXCHANGE}: the exchange's number on the site
    QString exchangeName;      // {EXCHANGE} of the screens: "NASDAQ"
    QString screen;            // {SCREEN}: "DT"
    QString file;              // the page's own file when the pattern does not make it
    QString caption;           // the update box's caption ("" when the grid row's serves)
    int gridRow = -1;          // the Options window's exchange-grid row, -1 outside
    ExchangeColumn column = ExchangeColumn::None;
    QString rowCaption;        // the grid row's caption
    // The tree node that shows the member's page ("" key: none).
    QString treeParent;
    QString treeKey;
    QString treeText;
    int marketList = -1;       // the market list (1 to 30) the node shows, -1 none
    bool askedLowerFirst = false;  // the node asks for the file with a lower-case first letter
    // The item of the market-list menu that names the list (the NYSE and AMEX lists
    // share the NASDAQ list's item), -1 none.
    int menuItem = -1;
    // The title over the list as the movers view writes it ("Largest % Gain in Price
    // (NASDAQ)"), and over a most-active list shown from its tree node ("Most Active
    // By Price Up"); "" none.
    QString listTitle;
    QString treeTitle;
};

// How the update run fetches one page (or one page per stock, or per member).
struct Download
{
    QString procedure;      // the downloader's entry: "UpdateSplits"
    int firstItem = -1;     // the Options window's update boxes that fetch it
    int lastItem = -1;
    Site site = Site::Quotes;
    QString pathAndQuery;   // "/splits/splits-single-company.asp?symbol={LCASE}"
    bool noScheme = false;  // the address is the host and the path alone
    QString fileName;       // as the download writes it: "{SYM}_sp.Sh"
    Transport transport = Transport::FetchControl;
    Rows rows = Rows::Set;  // per-stock pages
    SizeRule sizeRule = SizeRule::None;
    int threshold = 0;      // bytes; 0 without a rule
    QString status;         // "Updating {SYM} Splits History"
    OnMissingFile onMissing = OnMissingFile::NextRow;
    int statusGap = 4;      // blanks between OrigCaption and the status
    Special special = Special::None;
    QString code;           // the annual reports' Code ("ABS", "AIS")
    QString title;          // the annual reports' Title, {TITLE} of the status
    bool wholeTitle = false;  // the status is the whole title after OrigCaption
    QString caption;        // the update box's caption (one box; members carry their own)
    UpdatePage updatePage = UpdatePage::StocksData;
    std::vector<Member> members;  // the pages of a listed kind, in box order
    // The view the members' tree nodes show; their argument is the member's file
    // when the file is made of {CODE}, else its code.
    QString memberView;
    // The spelling in which the page's reader asks for the file when it differs from
    // fileName in letter case alone ("" : as written; the stores are searched
    // whatever the case).
    QString askedFileName;
};

// A tree node that shows a view of the kind.
struct TreeLeaf
{
    QString parent;       // the folder's key; per-stock nodes: "ID"
    QString key;          // per-stock nodes: the prefix the stock's row follows
    QString text;         // as the user sees it, blanks included
    int image = 3;
    QString view;         // the view code it shows
    QString argument;     // the view's argument ("" none)
    int marketList = -1;  // the market list (1 to 30) it shows, -1 none
    bool groupTop = false;  // scrolls the view so that the group titled as its text is on top
    int menuItem = -1;      // the market-list menu item that names its list, -1 none
};

// The facts of one view of the kind.
struct View
{
    QString code;  // exact, case-sensitive
    ViewScope scope = ViewScope::PerStock;
    TreeKeyMatch treeKeyMatch = TreeKeyMatch::Whole;
    // The cache page(s) in Cache/DataSheet, made from the kind's downloads when the
    // catalogue is built: a per-stock view the file's suffix ("_sp.Sh"), a listed
    // kind "%1" (the key names the file) or "%1.Sh" (the key is the file's stem),
    // else the files of the downloads in order. readsPage false: none.
    QStringList cachePages;
    bool readsPage = true;
    ViewCodeRule viewCode = ViewCodeRule::Code;
    bool zoomAware = false;     // redrawn into a new zoom window while ZoomMode is set
    bool hourglass = true;      // the hourglass pointer while the view fills
    bool leavesPointer = false; // the view never touches the pointer (no hourglass, no default)
    bool usesLayout = false;    // the saved column order (LayOut) is applied after the fill
    bool quoteSettings = false; // reads the price and volume settings
    OtherErrorPolicy otherErrors = OtherErrorPolicy::Blank;
    bool stripRedraws = false;  // a click on the strip shows it again for the new stock

    bool sortsOnDblClick = false;
    ColumnSet pointerColumns;
    ColumnSet zoomPointerColumns;
    QStringList linkKeys;
    GridLink link = GridLink::None;
    ColumnSet linkColumns;
    int linkTextColumn = -1;
    GridPopup popup = GridPopup::None;
    bool popupInZoom = false;
    bool zoomable = false;
    QVector<int> zoomWidths;
    QVector<int> reportItemsMain;
    QVector<int> reportItemsZoom;
    HtmlReport htmlReport = HtmlReport::None;
    bool htmlReportInZoom = false;

    // The view's HTML report of one stock's page ("" folder: none).
    QString reportFolder;    // under Cache/Reports: "Options"
    QString reportName;      // after the symbol: " Calls.htm"
    QString reportSubtitle;  // "Calls"
    // The summary page's section ("" name: none).
    QString summaryName;      // "S_Calls"
    QString summaryHeadline;  // "Calls"
    QString summaryProgress;  // "Processing Calls report, please wait.."
    QString summaryCaption;   // the chooser's box: "Calls *"
    int summaryOrder = -1;    // the section's place on the summary page, 0 first
    int summaryBox = -1;      // the chooser's box chk(i)
    // The spelling in which the view asks for its page when it differs from the one
    // the download writes (the stores are searched whatever the case).
    enum class AskedCase { AsWritten, TitleCase } askedCase = AskedCase::AsWritten;
};

struct PageKind
{
    PageId id;
    Scope scope;
    std::vector<Download> downloads;
    std::vector<View> views;
    // The tree nodes that show the kind's views, in the tree's order (a listed
    // kind's come from its members when the catalogue is built).
    std::vector<TreeLeaf> leaves;
    // The summary chooser's box of a kind that no view shows (the analysts' bar of
    // the recommendations), and its caption; -1: none.
    int summaryBox = -1;
    QString summaryCaption{};
};

// Every row, in the order the tree and the update boxes take them.
const std::vector<PageKind>& Catalogue();
const PageKind& Kind(PageId id);

// Lookups. Each returns nullptr when nothing fits.
const View* FindView(const QString& viewCode);
// The download of update box item, and the member of a listed kind that it fetches.
const Download* DownloadOfItem(int item, const Member** member = nullptr);
const Download* DownloadOf(const QString& procedure, const QString& code = QString());
// The page of a per-stock kind after the symbol, as its download writes it:
// "_ABS.Sh"; "" for a kind of another scope.
QString StockPageSuffix(const PageKind& kind);
// The tree leaf that shows market list index (1 to 30).
const TreeLeaf* LeafOfMarketList(int index);
// The member a tree leaf's argument names: its page as the views ask for it
// ("brPG_Q.Sh", "BrDT_N.Sh"), a fund's code; compared exactly. kind: its kind.
const Member* FindMember(const QString& argument, const PageKind** kind = nullptr);

} // namespace pages
