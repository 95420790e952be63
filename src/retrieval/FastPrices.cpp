// The two price updates of the current set: the quote service for all symbols at
// once (UpdateFastPrices) and one quote page per stock (UpdateCurrentPrices, update
// item 1). They are the only downloaders after which a view is redrawn.
#include "retrieval/UpdateRun.h"

#include "core/Misc.h"
#include "platform/AppPath.h"
#include "platform/DoEvents.h"
#include "platform/FlexGrid.h"
#include "platform/RuntimeError.h"
#include "platform/Sites.h"
#include "retrieval/CacheFiles.h"
#include "retrieval/Downloaders.h"
#include "retrieval/MainWindowPort.h"
#include "retrieval/RunServicePorts.h"
#include "retrieval/Transports.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Portfolio.h"
#include "stockdata/Stocks.h"

#include <QLoggingCategory>

#include <algorithm>
#include <exception>

namespace {

Q_LOGGING_CATEGORY(lcPrices, "tradewright.retrieval.prices")

const QString kQuotesCsv = QStringLiteral("quotes_csv.txt");
// The quote page's catalogue row: one stock's page, always into the same file.
const pages::Download& quotePage()
{
    return pages::Kind(pages::PageId::QuotePage).downloads.front();
}
const QString kFastStatus = QStringLiteral("    Getting fast stocks prices");
// A reply shorter than this is an error page, not quotes.
constexpr qint64 kFastReplyMinBytes = 100;

} // namespace

void ClearStockName(std::int16_t row)
{
    if (row < 0 || row > kLastStockRow)
        return;
    StockRec& r = Stocks()[std::size_t(row)];
    r.CompanyName = QStringLiteral("No Current Stock");
    const QString zero = QStringLiteral("0");
    for (QString StockRec::*field :
         {&StockRec::LastPrice, &StockRec::PctChange, &StockRec::Change, &StockRec::DayHigh, &StockRec::DayLow,
          &StockRec::Volume, &StockRec::Ask, &StockRec::Bid, &StockRec::LastTradeSize, &StockRec::PERatio,
          &StockRec::DivPerShare, &StockRec::OpenPrice, &StockRec::PrevClose, &StockRec::YearHigh,
          &StockRec::YearLow, &StockRec::EPS})
        r.*field = zero;
    r.Tag.clear();
    r.Exchange.clear();
    r.Industry.clear();
    r.LastTradeTime.clear();
    r.Field25.clear();
    // The rating goes with the quote: the strip then hides the stock's gauge.
    r.AvgRecommendation = 0;
    // Symbol, TargetLow, TargetHigh and the last four texts stay: the alert prices
    // are the user's own, not quote data.
}

QString FastPricesAddress()
{
    QStringList symbols;
    const int last = std::min<int>(StockCount(), kLastStockRow);
    for (int row = 0; row <= last; ++row) {
        const QString& symbol = Stocks()[std::size_t(row)].Symbol;
        if (symbol.isEmpty())
            break;
        symbols << EncodeQueryValue(symbol.toLower());
    }
    if (symbols.isEmpty())
        return QString();
    return Sites::Address(Site::Price, QStringLiteral("/d/quotes.csv?s=") + symbols.join(u',') +
                                           QStringLiteral("&f=sl1d1t1c1ohgv&e=.csv"));
}

QString QuotePageAddress(const QString& symbol)
{
    return Sites::Address(quotePage().site, RequestFor(quotePage(), symbol).pathAndQuery);
}

void UpdateRun::UpdateFastPrices()
{
    // Not inside a run or another fast update: its end would stop the other one.
    if (m_mode != Mode::Idle)
        return;
    if (!AskConnect())
        return;
    RunState& rs = m_port.runState();
    m_mode = Mode::Fast;
    m_transports.beginPass();
    emit runStarted();
    try {
        m_frame.setBusyPointer(true);
        quietFetchControl();
        enterBusyFrame();
        rs.StopFlag = false;

        const QString address = FastPricesAddress();
        if (!address.isEmpty() && !rs.StopFlag && m_transports.siteIsSet(Site::Price)) {
            const QString path = CacheFolder() + kQuotesCsv;
            m_port.setCaption(rs.OrigCaption + kFastStatus);
            if (!rs.StopFlag) {
                m_transports.DownloadFile(path, address, rs.OrigCaption + QStringLiteral("    ") + kFastStatus);
                // Only a reply of this request is parsed; an old file from an earlier
                // update is not taken for today's prices.
                // The reply lists the symbols in the order asked: when the set changed
                // while it came (the set editor is open beside a run), its lines no
                // longer belong to the rows and are not loaded.
                if (m_transports.lastDownloadWritten() && FileLength(path) >= kFastReplyMinBytes &&
                    FastPricesAddress() == address) {
                    m_quotes.LoadQuotesCsv();
                    DoEvents();
                    SaveStocks();
                    emit pricesChanged();
                    DoEvents();
                } else {
                    RemoveFile(path);
                }
            }
        }
    } catch (const std::exception& e) {
        // The end steps below undo the frame whatever happened.
        qCWarning(lcPrices) << "the fast price update ended early:" << e.what();
    }
    m_frame.setBusyPointer(false);
    StopUpdate();
    m_port.setCaption(rs.OrigCaption);
    m_transports.endPass();  // after StopUpdate has emptied the status panel
    m_mode = Mode::Idle;
    emit runFinished();
}

void UpdateRun::UpdateCurrentPrices()
{
    RunState& rs = m_port.runState();
    if (rs.StopFlag)
        return;
    // Without a quote host no page is asked for and no row touched.
    Transports::PassScope pass(m_transports);
    if (!m_transports.siteIsSet(quotePage().site))
        return;
    const SaveChangedTablesAtEnd save;  // once, at the end of the pass over the set
    if (rs.OneStockOnly) {
        // The selected stock's own row, found here: a symbol that is not in the set
        // gets nothing written, and no other row is touched.
        const std::optional<std::int16_t> row = LookupSymbol(CurrentSymbol());
        if (row)
            updateCurrentPriceRow(*row, true);
        return;
    }
    const int last = std::min<int>(StockCount(), kLastStockRow);
    for (int row = 0; row <= last; ++row) {
        if (rs.StopFlag)
            break;
        updateCurrentPriceRow(row, false);
        DoEvents();
    }
}

void UpdateRun::updateCurrentPriceRow(int row, bool oneStock)
{
    RunState& rs = m_port.runState();
    const pages::Download& page = quotePage();
    const QString Q = CacheFolder() + page.fileName;
    const QString SYM = Stocks()[std::size_t(row)].Symbol;
    try {
        const bool priced = SYM.size() >= 2;
        QString Name;
        if (priced) {
            // The last stock's page is written over by this one's, and goes when the
            // fetch wrote nothing, so the parser never mistakes it for this one. One
            // stored under another spelling goes first: the page is stored as named.
            const QString stored = DirEntry(Q);
            if (!stored.isEmpty() && stored != page.fileName)
                RemoveFile(Q);
            const QString status =
                rs.OrigCaption + QString(page.statusGap, u' ') + RequestFor(page, SYM).status;
            m_transports.DownloadFile(Q, QuotePageAddress(SYM), status);
            DropUnwrittenPage(Q, m_transports.lastDownloadWritten(), true);
            DoEvents();
            // The row may hold another stock by now (a set switched or edited in the
            // set editor during the download): this page is not its quote.
            if (Stocks()[std::size_t(row)].Symbol != SYM)
                return;
            Name = m_quotes.ParseQuote(row);
            DoEvents();
        }
        MarkStocksChanged();
        if (oneStock || !priced)
            return;

        // The new price goes into every transaction of the stock.
        for (int t = 0; t <= kLastWorkingTransRow; ++t) {
            PortRec& trans = Transactions()[std::size_t(t)];
            if (trans.Symbol != SYM)
                continue;
            trans.PriceText = Stocks()[std::size_t(row)].LastPrice;
            MarkPortfolioChanged();
            DoEvents();
        }

        // A shown quotes view draws this stock again before its row is sought in it.
        emit stockPricesChanged(row);
        if (CurrentView() == QLatin1String("Current")) {
            FlexGrid* grid = m_frame.mainGrid();
            if (grid && !Name.isEmpty()) {
                for (int r = 2; r < grid->Rows(); ++r) {
                    if (grid->TextMatrix(r, 1) != Name)
                        continue;
                    // Keep the priced stock in sight: scroll when it is more than six
                    // rows below the top row or above it.
                    if (r > grid->TopRow() + 6 || r < grid->TopRow())
                        grid->setTopRow(r);
                    grid->setCol(0);
                    grid->setRow(r);
                    grid->setRowSel(r);
                    grid->setColSel(1);
                    break;
                }
            }
        }
        m_frame.selectStockNode(SYM);
    } catch (const RuntimeError& e) {
        // The row is abandoned; an invalid call (5) leaves a record that says so.
        if (e.number() == 5)
            ClearStockName(std::int16_t(row));
    } catch (const std::exception& e) {
        // The row is abandoned; the walk goes on with the next stock.
        qCWarning(lcPrices) << "the quote page of" << SYM << "was not taken:" << e.what();
    }
}
