// The headlines from page to ticker: the input is a stock's quote page and, as it
// stands, a stock's headline file. The parser never crashes, and what it writes is
// whole lines, each a double quote, the cells, ";" and a double quote, ending in
// CR LF. The ticker's reader, link routines and feeds never crash either: the
// shown text holds no "#", the links and the shown text together are no longer
// than the text, a click opens only http or https addresses, and the price feeds
// keep their item counts.
//
// Seeds: tests/fixtures/sheets/*.htm

#include "FuzzSupport.h"

#include "platform/Shell.h"
#include "sheets/QuoteParsers.h"
#include "shell/NewsHeadlines.h"
#include "shell/TickerFeeds.h"
#include "stockdata/ProgramState.h"

#include <QList>

#include <algorithm>

namespace {

class QuietTicker final : public TickerWindow
{
public:
    void setTickerCaption(const QString&) override {}
    void setStatusText(const QString&) override {}
    void setBusyPointer(bool) override {}
};

// Keeps what a click would open; nothing reaches the desktop.
class KeptAddresses final : public Shell::Backend
{
public:
    QStringList opened;
    bool open(const QString& target) override
    {
        opened << target;
        return true;
    }
};

void headlineRoutines(const QString& symbol)
{
    const QString text = LoadNewsHeadlines(symbol);
    const QStringList links = CollectHeadlineLinks(text);
    const QString shown = StripHeadlineLinks(text);
    fuzz::check(!shown.contains(QLatin1Char('#')), "the shown text holds no link mark");
    fuzz::check(links.size() <= text.count(QLatin1Char('#')) / 2, "a link takes two marks");
    qsizetype linked = 0;
    for (const QString& l : links)
        linked += l.size();
    fuzz::check(linked + shown.size() <= text.size(), "links and shown text come from the text");

    static KeptAddresses shell;
    Shell::install(&shell);
    shell.opened.clear();
    QuietTicker window;
    TickerFeeds feeds(window);
    CurrentSymbol() = symbol;
    feeds.Ticker_Sel_Headlines(0);
    fuzz::check(feeds.caption().startsWith(QStringLiteral("... Latest ")), "the header comes first");
    fuzz::check(feeds.HeadlineLinks() && *feeds.HeadlineLinks() == links, "the feed keeps the text's links");
    for (int item = 0; item <= links.size() + 2 && item < 64; ++item)
        feeds.NewsTicker1_ItemClick(item);
    for (const QString& address : shell.opened)
        fuzz::check(address.startsWith(QLatin1String("http://")) || address.startsWith(QLatin1String("https://")),
                    "a click opens web addresses only");
    Shell::install(nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString page = AppPath() + QStringLiteral("/Cache/ibm_news.htm");
    const QString list = AppPath() + QStringLiteral("/Cache/News/IBM.txt");
    MakeDir(AppPath() + QStringLiteral("/Cache/News"));
    fuzz::writeFile(page, fuzz::bytes(data, size));
    RemoveFile(list);
    ParseRecentNews(QStringLiteral("IBM"), page, list);

    const QByteArray written = ReadBytes(list);
    if (!written.isEmpty()) {
        fuzz::check(written.endsWith("\r\n"), "the list ends with a whole line");
        QList<QByteArray> lines = written.split('\n');
        lines.removeLast();  // after the last LF
        for (const QByteArray& line : lines) {
            fuzz::check(line.startsWith('"'), "a line starts with a double quote");
            fuzz::check(line.endsWith(";\"\r"), "a line ends with ;\" and CR LF");
        }
    }
    // The list as the parser wrote it, then the input itself as a headline file.
    Stocks()[0].Symbol = QStringLiteral("IBM");
    Stocks()[0].CompanyName = QString::fromLatin1(fuzz::bytes(data, std::min<std::size_t>(size, 40)));
    headlineRoutines(QStringLiteral("IBM"));
    fuzz::writeFile(AppPath() + QStringLiteral("/Cache/News/RAW.txt"), fuzz::bytes(data, size));
    headlineRoutines(QStringLiteral("RAW"));

    // The price feeds over a set whose texts come from the input.
    const QString piece = fromCp1252(fuzz::bytes(data, std::min<std::size_t>(size, 64)));
    StockCount() = std::int16_t(size % 205);
    for (int i = 0; i < 8; ++i)
        Stocks()[std::size_t(i)].LastPrice = piece.mid(i * 8, 8).remove(QLatin1Char(';'));
    const QString quotes = TickerQuotesText();
    fuzz::check(quotes.count(QLatin1Char(';')) == (StockCount() + 1) / 4 + 1, "four rows to an item");
    fuzz::check(TickerQuotesDetailText(int(size) % 300 - 50).endsWith(QLatin1Char(';')), "a price item ends with ;");
    StockCount() = 0;
    return 0;
}
