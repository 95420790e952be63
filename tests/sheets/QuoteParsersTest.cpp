// The quotes file, quote page and recent-news parsers on pages written for these tests.
#include "PeakMemory.h"
#include "SheetsFixture.h"

#include "sheets/QuoteParsers.h"

#include <QString>

namespace {

const QString kCsv = QStringLiteral("Cache/DataSheet/quotes_csv.txt");
// The downloader writes the page under this spelling; the parser asks for
// "YahooQuote.Sh", and names are matched without regard to case.
const QString kQuotePage = QStringLiteral("Cache/DataSheet/Yahooquote.Sh");

StockRec withSymbol(const QString& symbol)
{
    StockRec rec;
    rec.Symbol = symbol;
    rec.Tag = QStringLiteral("t");
    rec.Field25 = QStringLiteral("f");
    return rec;
}

// Every text the quote parsers may write, filled with a marker so an untouched
// field is easy to see.
StockRec stale()
{
    StockRec rec = withSymbol(QStringLiteral("IBM"));
    for (QString* f : {&rec.CompanyName, &rec.LastPrice, &rec.PctChange, &rec.Change, &rec.DayHigh, &rec.DayLow,
                       &rec.Volume, &rec.Ask, &rec.Bid, &rec.LastTradeSize, &rec.PERatio, &rec.DivPerShare,
                       &rec.OpenPrice, &rec.PrevClose, &rec.YearHigh, &rec.YearLow, &rec.EPS, &rec.Exchange,
                       &rec.Industry, &rec.LastTradeTime, &rec.MarketCap, &rec.AvgVolume, &rec.DivDate, &rec.Yield})
        *f = QStringLiteral("old");
    rec.AvgRecommendation = 2.5f;
    rec.TargetLow = 70;
    rec.TargetHigh = 90;
    return rec;
}

} // namespace

class QuoteParsers : public SheetsTest
{
};

// ---- LoadQuotesCsv -------------------------------------------------------------

TEST_F(QuoteParsers, QuotesFileFillsRowsByPositionUpToTheFirstEmptyLine)
{
    for (int i = 0; i < 5; ++i)
        Stocks()[i] = stale();
    Stocks()[1].Symbol = QStringLiteral("NOT-MSFT");  // the symbol in the line is not compared
    StockCount() = 5;
    writeFile(kCsv, fixture("quotes_csv.txt"));

    LoadQuotesCsv();

    struct Expect { int row; QString last, date, change, open, high, low, volume; };
    const Expect table[] = {
        {0, "84.50", "3/8/2002", "+1.25", "83.40", "85.00", "83.10", "4567800"},
        {1, "61.20", "3/8/2002", "-0.35", "61.50", "62.00", "60.90", "30123400"},
        // No quote from the service: its texts replace the old ones, an empty
        // volume included.
        {2, "0.00", "N/A", "N/A", "N/A", "N/A", "N/A", ""},
    };
    for (const Expect& e : table) {
        const StockRec& r = Stocks()[e.row];
        EXPECT_EQ(r.LastPrice, e.last) << e.row;
        EXPECT_EQ(r.LastTradeTime, e.date) << e.row;
        EXPECT_EQ(r.PctChange, e.change) << e.row;
        EXPECT_EQ(r.OpenPrice, e.open) << e.row;
        EXPECT_EQ(r.DayHigh, e.high) << e.row;
        EXPECT_EQ(r.DayLow, e.low) << e.row;
        EXPECT_EQ(r.Volume, e.volume) << e.row;
        // Fields the quotes file does not carry stay as they were.
        EXPECT_EQ(r.Change, "old") << e.row;
        EXPECT_EQ(r.CompanyName, "old") << e.row;
        EXPECT_EQ(r.Bid, "old") << e.row;
    }
    EXPECT_EQ(Stocks()[1].Symbol, "NOT-MSFT");
    // The empty line ends the reading: rows 3 and 4 are untouched.
    EXPECT_EQ(Stocks()[3], stale());
    EXPECT_EQ(Stocks()[4], stale());
}

TEST_F(QuoteParsers, QuotesLineShapes)
{
    struct Case { const char* name; QByteArray file; QString price, volume, high; };
    const Case cases[] = {
        // The volume is the last field: it runs to the end of the line.
        {"volume last", "\"A\",1.5,\"d\",\"t\",+1,2,3,4,777\r\n", "1.5", "777", "3"},
        // Something after the volume: field 9 ends at the next comma.
        {"comma after volume", "\"A\",1.5,\"d\",\"t\",+1,2,3,4,777,extra\r\n", "1.5", "777", "3"},
        // A line cut before the volume leaves the fields it does not reach.
        {"cut before volume", "\"A\",1.5,\"d\",\"t\",+1,2,3\r\n", "1.5", "old", "3"},
        // Line feeds alone end lines too; blanks and quotes are dropped.
        {"LF endings", "\"A\", \"1.5\" ,\"d\",\"t\",+1,2,3,4, 777 \n", "1.5", "777", "3"},
        // The last line needs no line break.
        {"no final break", "\"A\",1.5,\"d\",\"t\",+1,2,3,4,777", "1.5", "777", "3"},
        {"empty first line", "\r\n\"A\",1.5,\"d\",\"t\",+1,2,3,4,777\r\n", "old", "old", "old"},
    };
    for (const Case& c : cases) {
        Stocks()[0] = stale();
        StockCount() = 1;
        writeFile(kCsv, c.file);
        LoadQuotesCsv();
        EXPECT_EQ(Stocks()[0].LastPrice, c.price) << c.name;
        EXPECT_EQ(Stocks()[0].Volume, c.volume) << c.name;
        EXPECT_EQ(Stocks()[0].DayHigh, c.high) << c.name;
    }
}

TEST_F(QuoteParsers, MissingQuotesFileChangesNothing)
{
    Stocks()[0] = stale();
    StockCount() = 1;
    LoadQuotesCsv();
    EXPECT_EQ(Stocks()[0], stale());
}

TEST_F(QuoteParsers, QuotesFileUsesAtMostTheWholeTable)
{
    QByteArray file;
    for (int i = 0; i < 250; ++i)
        file += "\"S\"," + QByteArray::number(i) + ",\"d\",\"t\",+1,2,3,4,5\r\n";
    writeFile(kCsv, file);
    LoadQuotesCsv();
    EXPECT_EQ(Stocks()[0].LastPrice, "0");
    EXPECT_EQ(Stocks()[200].LastPrice, "200");
}

// One line of 16 MiB with eight million commas: only the nine fields used are cut
// out (splitting all of them took over 600 MB).
TEST_F(QuoteParsers, AHugeQuotesLineCostsLittleMoreThanItsText)
{
    Stocks()[0] = stale();
    Stocks()[1] = stale();
    StockCount() = 2;
    {
        QByteArray file = "\"A\",1.5,\"d\",\"t\",+1,2,3,4,777,";
        file += QByteArray(16 * 1024 * 1024 - file.size(), ',');
        file += "\r\n\"B\",2.5,\"d\",\"t\",+1,2,3,4,888\r\n";
        writeFile(kCsv, file);
    }
    const test::PeakMemory memory;
    LoadQuotesCsv();
    // The file (16 MiB) and its text (32 MiB) are all it needs.
    EXPECT_LT(memory.growthKiB(), 160 * 1024);
    EXPECT_EQ(Stocks()[0].LastPrice, "1.5");
    EXPECT_EQ(Stocks()[0].Volume, "777");
    EXPECT_EQ(Stocks()[1].LastPrice, "2.5");
    EXPECT_EQ(Stocks()[1].Volume, "888");
}

// ---- ParseQuote ----------------------------------------------------------------

TEST_F(QuoteParsers, QuotePageFillsEveryField)
{
    Stocks()[3] = stale();
    StockCount() = 4;
    writeFile(kQuotePage, fixture("quote_page.htm"));

    const QString name = ParseQuote(3);

    const StockRec& r = Stocks()[3];
    EXPECT_EQ(name, "International Business Machines Corp & Co");
    struct Field { const char* name; QString value; QString expected; };
    const Field fields[] = {
        {"CompanyName", r.CompanyName, "International Business Machines Corp & Co"},
        {"LastTradeTime", r.LastTradeTime, "11:42AM"},
        {"LastPrice", r.LastPrice, "84.50"},
        {"Change (the change in price)", r.Change, "+1.25"},
        {"PctChange (inside the brackets)", r.PctChange, "+1.50%"},
        {"PrevClose", r.PrevClose, "83.25"},
        {"Volume", r.Volume, "4,567,800"},
        {"DayLow", r.DayLow, "83.10"},
        {"DayHigh", r.DayHigh, "85.00"},
        {"Bid", r.Bid, "84.45 x 100"},
        {"Ask", r.Ask, "84.55"},
        {"OpenPrice", r.OpenPrice, "83.40"},
        {"AvgVolume", r.AvgVolume, "5,120,000"},
        {"DivDate", r.DivDate, "Feb 7"},
        {"YearLow", r.YearLow, "54.01"},
        {"YearHigh", r.YearHigh, "134.94"},
        {"EPS", r.EPS, "4.35"},
        {"PERatio", r.PERatio, "19.43"},
        {"MarketCap", r.MarketCap, "145.6B"},
        {"DivPerShare", r.DivPerShare, "0.60"},
        {"Yield", r.Yield, "0.71"},
        {"Exchange", r.Exchange, "-"},
        {"Industry", r.Industry, "-"},
        // Not on the quote page: left alone.
        {"LastTradeSize", r.LastTradeSize, "old"},
        {"Symbol", r.Symbol, "IBM"},
        {"Tag", r.Tag, "t"},
        {"Field25", r.Field25, "f"},
    };
    for (const Field& f : fields)
        EXPECT_EQ(f.value, f.expected) << f.name;
    EXPECT_EQ(r.AvgRecommendation, 2.5f);
    EXPECT_EQ(r.TargetLow, 70.f);
    EXPECT_EQ(r.TargetHigh, 90.f);
    // Only the row asked for changes.
    EXPECT_EQ(Stocks()[2], StockRec());
}

TEST_F(QuoteParsers, MissingQuotePageChangesNothing)
{
    Stocks()[0] = stale();
    EXPECT_EQ(ParseQuote(0), "");
    EXPECT_EQ(Stocks()[0], stale());
    writeFile(kQuotePage, "");
    EXPECT_EQ(ParseQuote(0), "");
    EXPECT_EQ(Stocks()[0], stale());
    // A row outside the table is no error either.
    writeFile(kQuotePage, fixture("quote_page.htm"));
    EXPECT_EQ(ParseQuote(201), "");
    EXPECT_EQ(ParseQuote(-1), "");
}

TEST_F(QuoteParsers, QuotePageWithMarkersMissingOrReshaped)
{
    const QString page = QString::fromLatin1(fixture("quote_page.htm"));
    struct Case {
        const char* name;
        QString from, to;           // one change to the fixture page
        QString StockRec::*field;   // the field to look at
        QString expected;
        QString StockRec::*after;   // a later field that must still be found
        QString afterExpected;
    };
    const Case cases[] = {
        // A missing label stores nothing and the search goes on from where it was.
        {"no Bid", "Bid<br>", "Bxd<br>", &StockRec::Bid, "old", &StockRec::Ask, "84.55"},
        {"no Volume", "Volume<br>", "Vxlume<br>", &StockRec::Volume, "old", &StockRec::DayHigh, "85.00"},
        {"no Yield", "Yield<br>", "Yxeld<br>", &StockRec::Yield, "old", &StockRec::DivPerShare, "0.60"},
        {"no closing bracket", "(+1.50%)", "(+1.50%", &StockRec::PctChange, "old", &StockRec::Change, "+1.25"},
        // Ranges written without blanks keep every digit.
        {"tight 52-week range", "54.01 - 134.94", "54.01-134.94", &StockRec::YearHigh, "134.94", &StockRec::YearLow,
         "54.01"},
        {"tight day's range", "83.10 - 85.00", "83.10-85.00", &StockRec::DayHigh, "85.00", &StockRec::DayLow, "83.10"},
        // An empty value stores nothing.
        {"empty P/E", "P/E<br>19.43", "P/E<br>", &StockRec::PERatio, "old", &StockRec::MarketCap, "145.6B"},
        // ... except the company name, which is stored even when empty.
        {"empty company", "<b>International Business Machines Corp &amp; Co</b>", "<b></b>", &StockRec::CompanyName,
         "", &StockRec::LastPrice, "84.50"},
    };
    for (const Case& c : cases) {
        Stocks()[0] = stale();
        QString changed = page;
        ASSERT_TRUE(changed.contains(c.from)) << c.name;
        changed.replace(c.from, c.to);
        writeFile(kQuotePage, changed.toLatin1());
        ParseQuote(0);
        EXPECT_EQ(Stocks()[0].*c.field, c.expected) << c.name;
        EXPECT_EQ(Stocks()[0].*c.after, c.afterExpected) << c.name;
    }
}

TEST_F(QuoteParsers, CompanyNameWithoutViewsLinkComesFromTheFirstCell)
{
    writeFile(kQuotePage, "<html><table><tr><td><b>Acme Widgets</b> (ACW)</td></tr></table></html>");
    EXPECT_EQ(ParseQuote(0), "Acme Widgets");
    EXPECT_EQ(Stocks()[0].CompanyName, "Acme Widgets");
    EXPECT_EQ(Stocks()[0].LastPrice, "");
    EXPECT_EQ(Stocks()[0].Exchange, "-");
}

// ---- ParseRecentNews -----------------------------------------------------------

TEST_F(QuoteParsers, RecentNewsLinesAndAppending)
{
    writeFile("Cache/News/Temp.htm", fixture("news_page.htm"));
    const QString page = AppPath() + "\\Cache\\News\\Temp.htm";
    const QString list = AppPath() + "\\Cache\\News\\IBM.txt";

    ParseRecentNews("IBM", page, list);

    const QByteArray expected = "\"  Mar 8 IBM wins the deal Reuters #http://news.example/s?id=1&x=2# Full story;\"\r\n"
                                "\"  Mar 7 IBM earnings up AP;\"\r\n";
    EXPECT_EQ(fileBytes("Cache/News/IBM.txt"), expected);

    // The list file is opened for appending: the caller deletes it before a new run.
    ParseRecentNews("IBM", page, list);
    EXPECT_EQ(fileBytes("Cache/News/IBM.txt"), expected + expected);
}

TEST_F(QuoteParsers, RecentNewsOnPagesWithoutTheList)
{
    const QString page = AppPath() + "/Cache/News/Temp.htm";
    const QString list = AppPath() + "/Cache/News/ACW.txt";
    struct Case { const char* name; QByteArray page; QByteArray list; };
    const Case cases[] = {
        {"missing page", QByteArray(), QByteArray()},
        {"no html tag", "<body><table><tr><td>x</td></tr></table></body>", QByteArray()},
        {"no second table", "<html>Recent News<table><tr><td>x</td></tr></table></html>", QByteArray()},
        // Without "Recent News" the page's second table is taken as the list.
        {"no heading", "<html><table><tr><td>a</td></tr></table><table><tr><td>b</td><td>c</td></tr></table></html>",
         "\" b c;\"\r\n"},
        // A row cut short ends the list; the rows before it stay written.
        {"row cut short",
         "<html>Recent News<table></table><table><tr><td>one</td></tr><tr><td>two</table></html>",
         "\" one;\"\r\n"},
    };
    for (const Case& c : cases) {
        QFile::remove(path("Cache/News/ACW.txt"));
        QFile::remove(path("Cache/News/Temp.htm"));
        if (!c.page.isNull())
            writeFile("Cache/News/Temp.htm", c.page);
        ParseRecentNews("ACW", page, list);
        EXPECT_EQ(fileBytes("Cache/News/ACW.txt"), c.list) << c.name;
        EXPECT_EQ(fileExists("Cache/News/ACW.txt"), !c.list.isEmpty()) << c.name;
    }
}
