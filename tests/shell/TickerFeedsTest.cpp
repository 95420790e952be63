// The news ticker's texts without the window: the headline file, the links in it,
// the three feeds, the selected stock's row and the click on an item.
#include "ShellFixture.h"

#include "platform/Sites.h"
#include "shell/NewsHeadlines.h"
#include "shell/NewsTicker.h"
#include "shell/TickerFeeds.h"

#include <QFile>

namespace {

// The window's part of the feeds, recorded.
class TickerRecorder : public TickerWindow
{
public:
    QStringList captions;
    QStringList statusTexts;
    QStringList pointer;  // "busy" / "default", in order, with what the shell opened between

    void setTickerCaption(const QString& text) override { captions << text; }
    void setStatusText(const QString& text) override { statusTexts << text; }
    void setBusyPointer(bool busy) override
    {
        pointer << (busy ? QStringLiteral("busy") : QStringLiteral("default:") + test::shell().opened.join('|'));
    }
};

class TickerFeedsTest : public ShellTest
{
protected:
    void writeHeadlines(const QString& symbol, const QByteArray& bytes)
    {
        QDir().mkpath(appFile(QStringLiteral("Cache/News")));
        QFile f(appFile(QStringLiteral("Cache/News/") + symbol + QStringLiteral(".txt")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // A set of `count` stocks with distinct quote texts.
    static void quotedSet(int count)
    {
        fillSet(symbols(count));
        for (int i = 0; i < count; ++i) {
            Stocks()[i].PctChange = QStringLiteral("p%1").arg(i);
            Stocks()[i].Change = QStringLiteral("c%1").arg(i);
            Stocks()[i].LastTradeTime = QStringLiteral("t%1").arg(i);
        }
    }

    TickerRecorder window;
    TickerFeeds feeds{window};
};

TEST_F(TickerFeedsTest, HeadlineFileLinesLoseTheirQuotesAndShortLinesArePassedOver)
{
    struct Case
    {
        const char* file;
        const char* joined;
    };
    const Case cases[] = {
        {"\" one;\"\r\n\" two;\"\r\n", " one; two;"},
        // A line of one character no longer empties the whole text.
        {"\" one;\"\r\nx\r\n\r\n\" two;\"\r\n", " one; two;"},
        {"\" last line without its end;\"", " last line without its end;"},
        {"\"\"\r\n\"a\"\r\n", "a"},
        {"\" lone LF;\"\n\" and CR;\"\r", " lone LF; and CR;"},
        {"\" caf\xe9 #http://h/a# x;\"\r\n", " caf\u00e9 #http://h/a# x;"},
        {"", ""},
    };
    for (const Case& c : cases) {
        writeHeadlines(QStringLiteral("IBM"), QByteArray(c.file));
        EXPECT_EQ(LoadNewsHeadlines(QStringLiteral("IBM")), QString::fromUtf8(c.joined)) << c.file;
        EXPECT_FALSE(NewsHeadlinesMissing(QStringLiteral("IBM")));
    }
    // The file name's letter case does not matter.
    EXPECT_EQ(LoadNewsHeadlines(QStringLiteral("ibm")), QString());
    writeHeadlines(QStringLiteral("msft"), "\" a;\"\r\n");
    EXPECT_EQ(LoadNewsHeadlines(QStringLiteral("MSFT")), QStringLiteral(" a;"));

    EXPECT_EQ(LoadNewsHeadlines(QStringLiteral("NONE")), QString());
    EXPECT_TRUE(NewsHeadlinesMissing(QStringLiteral("NONE")));
    // A symbol that could name another file reads nothing.
    writeHeadlines(QStringLiteral("x"), "\" secret;\"\r\n");
    for (const char* bad : {"../News/x", "", "..", "a/b"}) {
        EXPECT_EQ(LoadNewsHeadlines(QString::fromLatin1(bad)), QString()) << bad;
        EXPECT_TRUE(NewsHeadlinesMissing(QString::fromLatin1(bad))) << bad;
    }
}

TEST_F(TickerFeedsTest, LinksAreCollectedAndStrippedBetweenPairsOfMarks)
{
    struct Case
    {
        QString text;
        QStringList links;
        QString shown;
    };
    const Case cases[] = {
        {" Rally #http://h/1# Reuters; Drop #/s/2# AP;", {"http://h/1", "/s/2"}, " Rally  Reuters; Drop  AP;"},
        {"a##b;", {""}, "ab;"},
        {"a#open;", {}, "a"},
        {"a#l1#b#c", {"l1"}, "ab"},
        {"no links;", {}, "no links;"},
        {"#", {}, ""},
        {"", {}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CollectHeadlineLinks(c.text), c.links) << c.text.toStdString();
        EXPECT_EQ(StripHeadlineLinks(c.text), c.shown) << c.text.toStdString();
    }

    // Texts past 32,767 characters work as well.
    QString text;
    QString shown;
    QStringList links;
    for (int i = 0; i < 2000; ++i) {
        const QString item = QStringLiteral(" headline %1 ").arg(i);
        text += item + QStringLiteral("#http://h/%1#;").arg(i);
        shown += item + QLatin1Char(';');
        links << QStringLiteral("http://h/%1").arg(i);
    }
    ASSERT_GT(text.size(), 40000);
    EXPECT_EQ(CollectHeadlineLinks(text), links);
    EXPECT_EQ(StripHeadlineLinks(text), shown);
}

TEST_F(TickerFeedsTest, AllStocksPricesFourRowsToAnItem)
{
    const auto row = [](int i) {
        const QString s = i < 7 ? QStringLiteral("S%1").arg(i, 2, 10, QLatin1Char('0')) : QString();
        const QString price = i < 7 ? QStringLiteral("%1.25").arg(10 + i) : QString();
        const QString c = i < 7 ? QStringLiteral("c%1").arg(i) : QString();
        const QString p = i < 7 ? QStringLiteral("p%1").arg(i) : QString();
        return QStringLiteral("      ") + s + QLatin1Char(' ') + price + QStringLiteral("  ") + c +
               QStringLiteral("  ") + p;
    };
    // Seven stocks: rows 0 to 3, rows 4 to 7 (7 the empty row), and the closing ";".
    quotedSet(7);
    feeds.Ticker_Quotes();
    EXPECT_EQ(feeds.caption(), row(0) + row(1) + row(2) + row(3) + QLatin1Char(';') + row(4) + row(5) + row(6) +
                                   row(7) + QStringLiteral(";;"));
    EXPECT_EQ(window.captions, QStringList{feeds.caption()});

    // Six stocks: the last item holds the rest.
    quotedSet(6);
    EXPECT_EQ(TickerQuotesText(), row(0) + row(1) + row(2) + row(3) + QLatin1Char(';') + row(4) + row(5) +
                                      QStringLiteral("      ") + QStringLiteral("     ") + QLatin1Char(';'));
    // An empty set: the empty row 0 alone.
    quotedSet(0);
    EXPECT_EQ(TickerQuotesText(), QStringLiteral("       ") + QStringLiteral("    ") + QLatin1Char(';'));
    // A count past the table leaves the rows past it out.
    quotedSet(3);
    StockCount() = 203;
    EXPECT_EQ(TickerQuotesText().count(QLatin1Char(';')), 52);
}

TEST_F(TickerFeedsTest, SelectedStockPricesAndHeadlines)
{
    quotedSet(5);
    EXPECT_EQ(TickerQuotesDetailText(2),
              QStringLiteral("S02 Corp  -  Last Price: 12.25   Change: c2  p2   Last Upadte: t2;"));
    EXPECT_EQ(TickerQuotesDetailText(201), QStringLiteral(";"));
    EXPECT_EQ(TickerQuotesDetailText(-1), QStringLiteral(";"));

    // Headlines are CurrentSymbol's; the row gives the name.
    writeHeadlines(QStringLiteral("S02"), "\" Up #http://h/a# today;\"\r\n\" Down #http://h/b# now;\"\r\n");
    CurrentSymbol() = QStringLiteral("S02");
    feeds.Ticker_Sel_Headlines(2);
    EXPECT_EQ(feeds.caption(), QStringLiteral("... Latest S02 Corp News ...; Up  today; Down  now;"));
    EXPECT_EQ(feeds.HeadlineLinks(), QStringList({"http://h/a", "http://h/b"}));
    // A name of one character: the symbol.
    Stocks()[2].CompanyName = QStringLiteral("X");
    feeds.Ticker_Sel_Headlines(2);
    EXPECT_TRUE(feeds.caption().startsWith(QStringLiteral("... Latest S02 News ...;")));

    // No headline file: the update request, then the header alone and no links.
    window.captions.clear();
    CurrentSymbol() = QStringLiteral("S03");
    feeds.Ticker_Sel_Headlines(3);
    EXPECT_EQ(window.captions, QStringList({"Please Update For Latest News", "... Latest S03 Corp News ...;"}));
    EXPECT_EQ(feeds.HeadlineLinks(), QStringList());

    // A price feed keeps the last headline feed's links.
    feeds.Ticker_Quotes_Detail(3);
    EXPECT_EQ(feeds.HeadlineLinks(), QStringList());
    ASSERT_TRUE(feeds.HeadlineLinks().has_value());
}

TEST_F(TickerFeedsTest, TheSelectedStocksRowIsCheckedBeforeItsFeedUsesIt)
{
    quotedSet(5);
    writeHeadlines(QStringLiteral("S04"), "\" news;\"\r\n");
    struct Case
    {
        const char* symbol;
        int currentIndex;
        int rowUsed;     // -1: none
        int indexAfter;
    };
    const Case cases[] = {
        {"S04", 4, 4, 4},
        {"S04", 1, 4, 4},    // CurrentIndex on another stock's row: found again
        {"S04", 250, 4, 4},  // outside the table
        {"ZZZ", 1, -1, 1},   // not in the set: never another stock's prices
        {"", 1, -1, 1},      // no stock: not a free row either
    };
    for (const Case& c : cases) {
        CurrentSymbol() = QString::fromLatin1(c.symbol);
        CurrentIndex() = std::int16_t(c.currentIndex);
        EXPECT_EQ(SelectedStockFeedRow().value_or(-1), c.rowUsed) << c.symbol << c.currentIndex;
        EXPECT_EQ(CurrentIndex(), c.indexAfter) << c.symbol;

        CurrentIndex() = std::int16_t(c.currentIndex);
        feeds.selectedPrices();
        EXPECT_EQ(feeds.caption(), c.rowUsed < 0 ? QStringLiteral(";") : TickerQuotesDetailText(c.rowUsed));
        CurrentIndex() = std::int16_t(c.currentIndex);
        feeds.selectedHeadlines();
        const QString name = c.rowUsed < 0 ? QString::fromLatin1(c.symbol) : Stocks()[c.rowUsed].CompanyName;
        EXPECT_TRUE(feeds.caption().startsWith(TickerHeadlinesHeader(name))) << feeds.caption().toStdString();
    }
    // Row 200 counts.
    Stocks()[200].Symbol = QStringLiteral("LAST");
    CurrentSymbol() = QStringLiteral("LAST");
    EXPECT_EQ(SelectedStockFeedRow().value_or(-1), 200);
    EXPECT_EQ(CurrentIndex(), 200);
}

TEST_F(TickerFeedsTest, AClickOnAHeadlineOpensItsAbsoluteWebAddress)
{
    Sites::Override(Site::Quotes, QStringLiteral("127.0.0.1"), 8123);
    // Before the first headline feed a click does nothing.
    feeds.NewsTicker1_ItemClick(2);
    EXPECT_TRUE(window.statusTexts.isEmpty());
    EXPECT_TRUE(window.pointer.isEmpty());

    fillSet(symbols(2));
    CurrentSymbol() = QStringLiteral("S00");
    writeHeadlines(QStringLiteral("S00"), "\" a #http://news.example/a?x=1# 1;\"\r\n"
                                          "\" b #https://news.example/b# 2;\"\r\n"
                                          "\" c #/news/c.html# 3;\"\r\n"
                                          "\" d #story/d.html# 4;\"\r\n"
                                          "\" e ## 5;\"\r\n"
                                          "\" f #javascript:alert(1)# 6;\"\r\n"
                                          "\" g #file:///etc/passwd# 7;\"\r\n"
                                          "\" h #http://# 8;\"\r\n");
    feeds.Ticker_Sel_Headlines(0);
    ASSERT_EQ(feeds.HeadlineLinks()->size(), 8);

    struct Case
    {
        int item;
        const char* opened;  // "" none
        const char* status;  // "" none
    };
    const Case cases[] = {
        {2, "http://news.example/a?x=1", ""},
        {3, "https://news.example/b", ""},
        {4, "http://127.0.0.1:8123/news/c.html", ""},  // relative to the quote site
        {5, "http://127.0.0.1:8123/story/d.html", ""},
        {6, "", "Wrong web address, Try updating ugain and click for full story.."},
        {7, "", "Wrong web address, Try updating ugain and click for full story.."},
        {8, "", "Wrong web address, Try updating ugain and click for full story.."},
        {9, "", "Wrong web address, Try updating ugain and click for full story.."},
        {1, "", "Click on news subjects to review the full story."},   // the header
        {10, "", "Click on news subjects to review the full story."},  // past the links
        {0, "", "Click on news subjects to review the full story."},
    };
    for (const Case& c : cases) {
        test::shell().reset();
        window.statusTexts.clear();
        window.pointer.clear();
        feeds.NewsTicker1_ItemClick(c.item);
        const QString opened = QString::fromLatin1(c.opened);
        EXPECT_EQ(test::shell().opened, opened.isEmpty() ? QStringList() : QStringList{opened}) << c.item;
        EXPECT_EQ(window.statusTexts, *c.status ? QStringList{QString::fromLatin1(c.status)} : QStringList())
            << c.item;
        // The busy pointer while the address opens, and only then.
        EXPECT_EQ(window.pointer, opened.isEmpty() ? QStringList() : QStringList({"busy", "default:" + opened}))
            << c.item;
    }

    // A price feed keeps the headlines' links; an empty headline list has none.
    test::shell().reset();
    feeds.Ticker_Quotes();
    feeds.NewsTicker1_ItemClick(3);
    EXPECT_EQ(test::shell().opened, QStringList{"https://news.example/b"});
    CurrentSymbol() = QStringLiteral("S01");
    feeds.Ticker_Sel_Headlines(1);
    window.statusTexts.clear();
    feeds.NewsTicker1_ItemClick(2);
    EXPECT_EQ(window.statusTexts, QStringList{"Click on news subjects to review the full story."});
    Sites::Override(Site::Quotes, QString(), 0);
}

TEST_F(TickerFeedsTest, TheTickerNumbersItsItemsAndScrollsThemRoundAgain)
{
    NewsTicker ticker;
    ticker.resize(200, 26);
    struct Case
    {
        QString caption;
        QStringList items;
    };
    const Case cases[] = {
        {"a;bb;;c", {"a", "bb", "", "c"}},
        {"one;", {"one"}},
        {"      S00 1  2  3;;", {"      S00 1  2  3", ""}},
        {"", {}},
    };
    for (const Case& c : cases) {
        ticker.setCaption(c.caption);
        EXPECT_EQ(ticker.caption(), c.caption);
        EXPECT_EQ(ticker.items(), c.items) << c.caption.toStdString();
    }

    // New text comes in at the right edge and moves left one pixel a step.
    ticker.setCaption(QStringLiteral("first;second;"));
    EXPECT_EQ(ticker.itemLeft(1), 200);
    EXPECT_EQ(ticker.itemAt(5), 0);
    ticker.scrollStep();
    EXPECT_EQ(ticker.itemLeft(1), 199);
    EXPECT_GT(ticker.itemLeft(2), ticker.itemLeft(1));
    EXPECT_EQ(ticker.itemAt(ticker.itemLeft(2) + 1), 2);
    // Once the whole text has gone it comes in at the right again.
    int steps = 0;
    while (ticker.itemLeft(1) != 200 && steps < 5000) {
        ticker.scrollStep();
        ++steps;
    }
    EXPECT_LT(steps, 5000);
    EXPECT_GT(steps, 200);
    // Not shown, it does not scroll.
    EXPECT_FALSE(ticker.scrolling());
}

} // namespace
