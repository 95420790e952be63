#include "shell/TickerFeeds.h"

#include "platform/DoEvents.h"
#include "platform/Shell.h"
#include "platform/Sites.h"
#include "shell/NewsHeadlines.h"
#include "stockdata/ProgramState.h"

#include <QUrl>

namespace {

const StockRec* row(int index)
{
    if (index < 0 || index > kLastStockRow)
        return nullptr;
    return &Stocks()[std::size_t(index)];
}

} // namespace

QString TickerQuotesText()
{
    QString text;
    int count = 0;
    for (int i = 0; i <= int(StockCount()); ++i) {
        if (const StockRec* r = row(i))
            text += QStringLiteral("      ") + r->Symbol + QLatin1Char(' ') + r->LastPrice + QStringLiteral("  ") +
                    r->Change + QStringLiteral("  ") + r->PctChange;
        if (++count == 4) {
            text += QLatin1Char(';');
            count = 0;
        }
    }
    return text + QLatin1Char(';');
}

QString TickerQuotesDetailText(int index)
{
    const StockRec* r = row(index);
    if (!r)
        return QStringLiteral(";");
    return r->CompanyName + QStringLiteral("  -  Last Price: ") + r->LastPrice + QStringLiteral("   Change: ") +
           r->Change + QStringLiteral("  ") + r->PctChange + QStringLiteral("   Last Upadte: ") + r->LastTradeTime +
           QLatin1Char(';');
}

QString TickerHeadlinesHeader(const QString& name)
{
    return QStringLiteral("... Latest ") + name + QStringLiteral(" News ...;");
}

std::optional<int> SelectedStockFeedRow()
{
    const QString& symbol = CurrentSymbol();
    if (symbol.isEmpty())
        return std::nullopt;
    if (const StockRec* r = row(CurrentIndex()); r && r->Symbol == symbol)
        return int(CurrentIndex());
    for (int i = 0; i <= kLastStockRow; ++i)
        if (Stocks()[std::size_t(i)].Symbol == symbol) {
            CurrentIndex() = std::int16_t(i);
            return i;
        }
    return std::nullopt;
}

QString HeadlineAddress(const QString& link)
{
    const QString given = link.trimmed();
    if (given.isEmpty())
        return QString();
    QUrl url(given, QUrl::StrictMode);
    if (!url.isValid())
        return QString();
    // The quote page the headlines come from lists its own stories by path.
    if (url.scheme().isEmpty())
        url = QUrl(Sites::Address(Site::Quotes, QStringLiteral("/q"))).resolved(url);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        url.host().isEmpty())
        return QString();
    return url.toString(QUrl::FullyEncoded);
}

QString ClickOnNewsText()
{
    return QStringLiteral("Click on news subjects to review the full story.");
}

QString WrongWebAddressText()
{
    return QStringLiteral("Wrong web address, Try updating ugain and click for full story..");
}

void TickerFeeds::show(const QString& text)
{
    m_caption = text;
    m_window.setTickerCaption(text);
}

void TickerFeeds::Ticker_Quotes()
{
    show(TickerQuotesText());
}

void TickerFeeds::Ticker_Quotes_Detail(int index)
{
    show(TickerQuotesDetailText(index));
}

void TickerFeeds::Ticker_Sel_Headlines(int index)
{
    QString name;
    if (const StockRec* r = row(index))
        name = r->CompanyName;
    if (name.size() < 2)
        name = CurrentSymbol();
    const QString symbol = CurrentSymbol();
    // A stock without a headline file asks for an update while its feed is made.
    if (NewsHeadlinesMissing(symbol))
        show(PleaseUpdateNewsText());
    const QString text = LoadNewsHeadlines(symbol);
    m_links = CollectHeadlineLinks(text);
    show(TickerHeadlinesHeader(name) + StripHeadlineLinks(text));
}

void TickerFeeds::selectedHeadlines()
{
    Ticker_Sel_Headlines(SelectedStockFeedRow().value_or(-1));
}

void TickerFeeds::selectedPrices()
{
    Ticker_Quotes_Detail(SelectedStockFeedRow().value_or(-1));
}

void TickerFeeds::NewsTicker1_ItemClick(int index)
{
    if (!m_links)
        return;
    const int link = index - 1;  // item n + 1 carries link n
    if (link < 1 || link > m_links->size()) {
        m_window.setStatusText(ClickOnNewsText());
        return;
    }
    const QString address = HeadlineAddress(m_links->at(link - 1));
    if (address.isEmpty()) {
        m_window.setStatusText(WrongWebAddressText());
        return;
    }
    m_window.setBusyPointer(true);
    Shell::Open(address);
    DoEvents();
    m_window.setBusyPointer(false);
}
