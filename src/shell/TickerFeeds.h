#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The texts of the news ticker and the click on one of its items, without the
// ticker itself. A ticker text is a sequence of items, each ended by ";", numbered
// from 1 in text order.

// What the feeds change on the main window: the ticker's text, the status text
// (Panel1(6)) and the busy pointer. The main window implements it; tests record.
class TickerWindow
{
public:
    virtual ~TickerWindow() = default;
    virtual void setTickerCaption(const QString& text) = 0;
    virtual void setStatusText(const QString& text) = 0;
    virtual void setBusyPointer(bool busy) = 0;
};

// Every stock of the set, rows 0 to StockCount (the empty row after the last stock
// included), four rows to an item: six blanks, symbol, blank, last price, two
// blanks, change, two blanks, percentage change. The last item takes the rest, so a
// row count that is a multiple of four ends the text with ";;".
QString TickerQuotesText();
// One stock's prices as one item; ";" alone for a row outside the table.
QString TickerQuotesDetailText(int row);
// The item that heads a headline feed: "... Latest " & name & " News ...;".
QString TickerHeadlinesHeader(const QString& name);
// The row of the selected stock for its feeds: CurrentIndex when that row holds
// CurrentSymbol, else the first row 0..200 that does, which then becomes
// CurrentIndex (the one-stock price update reads it). nullopt (CurrentIndex kept)
// when the set has no such stock.
std::optional<int> SelectedStockFeedRow();
// The address a headline link opens: an absolute http or https address as it is;
// a link given relative to the quote site resolved against that site's address.
// "" for anything else (an empty link, another scheme, no host).
QString HeadlineAddress(const QString& link);

// The status texts of a click on the ticker.
QString ClickOnNewsText();      // "Click on news subjects to review the full story."
QString WrongWebAddressText();  // "Wrong web address, Try updating ugain and click for full story.."

// The ticker's three feeds and the click on an item. The headline feed keeps the
// link of each headline (HeadlineLinks: absent until the first headline feed, then
// always the links of the last one, also while a price feed shows).
class TickerFeeds
{
public:
    explicit TickerFeeds(TickerWindow& window) : m_window(window) {}

    // "All Stocks Price": every stock of the set.
    void Ticker_Quotes();
    // "Selected Stock Prices" for the stock of row.
    void Ticker_Quotes_Detail(int row);
    // "Selected Stock Headlines": the header with the name of row `index` (the
    // symbol when that name has fewer than two characters or the row is outside the
    // table), then the headlines of CurrentSymbol without their links.
    void Ticker_Sel_Headlines(int index);
    // No market headline feed exists: nothing happens.
    void Ticker_Market_News() {}

    // The ticker menu's items 0 and 1 for the selected stock: its row through
    // SelectedStockFeedRow; a stock not in the set gets the header with its symbol,
    // or ";" as its prices, never another stock's.
    void selectedHeadlines();
    void selectedPrices();

    // A click on item `index` (from 1) of the ticker: item n + 1 of a headline feed
    // opens link n through the shell. The header, an item past the links or an empty
    // list asks for a click on a headline; a link that gives no web address says so;
    // before the first headline feed nothing happens.
    void NewsTicker1_ItemClick(int index);

    const std::optional<QStringList>& HeadlineLinks() const { return m_links; }
    QString caption() const { return m_caption; }

private:
    void show(const QString& text);

    TickerWindow& m_window;
    QString m_caption;
    std::optional<QStringList> m_links;
};
