#include "retrieval/Downloaders.h"

#include "platform/AppPath.h"
#include "platform/Codec.h"
#include "platform/Dialogs.h"
#include "platform/DoEvents.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "retrieval/MainWindowPort.h"
#include "retrieval/RunServicePorts.h"
#include "retrieval/Transports.h"
#include "stockdata/EntryRules.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Stocks.h"


#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

// Replaces every {NAME} of pattern by its value; an unknown name gives "".
QString fill(const char* pattern, const QHash<QString, QString>& values)
{
    const QString text = QLatin1String(pattern);
    QString out;
    out.reserve(text.size() + 16);
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype open = text.indexOf(u'{', i);
        const qsizetype close = open < 0 ? -1 : text.indexOf(u'}', open);
        if (open < 0 || close < 0) {
            out += text.mid(i);
            break;
        }
        out += text.mid(i, open - i);
        out += values.value(text.mid(open + 1, close - open - 1));
        i = close + 1;
    }
    return out;
}

QHash<QString, QString> encodedValues(const QHash<QString, QString>& values)
{
    QHash<QString, QString> out;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        out.insert(it.key(), EncodeQueryValue(it.value()));
    return out;
}

QString blanks(int n)
{
    return QString(n, u' ');
}

const QString kRecName = QStringLiteral("Rec.Sh");
const QString kTempName = QStringLiteral("Temp.htm");

} // namespace

PageRequest RequestFor(const StockDownloader& d, const QString& symbol, const QString& title)
{
    const QHash<QString, QString> plain{{QStringLiteral("SYM"), symbol}, {QStringLiteral("TITLE"), title}};
    const QHash<QString, QString> query{
        {QStringLiteral("SYM"), EncodeQueryValue(symbol)},
        {QStringLiteral("UCASE"), EncodeQueryValue(symbol.toUpper())},
        {QStringLiteral("LCASE"), EncodeQueryValue(symbol.toLower())},
        {QStringLiteral("FIRST"), EncodeQueryValue(symbol.left(1).toLower())},
    };
    return {fill(d.fileName, plain), fill(d.pathAndQuery, query), fill(d.status, plain)};
}

PageRequest RequestFor(const MarketDownloader& d, const QHash<QString, QString>& values)
{
    return {fill(d.fileName, values), fill(d.pathAndQuery, encodedValues(values)), fill(d.status, values)};
}

std::optional<QString> RecommendationText(const QString& joinedPage)
{
    // The page shows the value in a blue font right after the caption:
    // ...Current Average Recommendation...<font color=#0000ee>2.5</font>
    const int P = rt::InStr(joinedPage, QStringLiteral("Current Average Recommendation"));
    if (P == 0)
        return std::nullopt;
    const int Q = rt::InStr(P, joinedPage, QStringLiteral("#0000ee"));
    const int E = rt::InStr(Q, joinedPage, QStringLiteral("<"));  // Q = 0 raises: no value
    return rt::Mid(joinedPage, Q + 8, E - Q - 8);                  // E before the value raises too
}

Downloaders::Downloaders(Transports& transports, MainWindowPort& port) : m_transports(transports), m_port(port) {}

const StockDownloader& Downloaders::stock(const char* procedure, const char* code) const
{
    for (const StockDownloader& d : StockDownloaders())
        if (qstrcmp(d.procedure, procedure) == 0 && qstrcmp(d.code, code) == 0)
            return d;
    Q_UNREACHABLE();
}

const MarketDownloader& Downloaders::market(const char* procedure) const
{
    for (const MarketDownloader& d : MarketDownloaders())
        if (qstrcmp(d.procedure, procedure) == 0)
            return d;
    Q_UNREACHABLE();
}

// ---------------------------------------------------------------------------
// Per-stock members.

void Downloaders::runStock(const StockDownloader& d, const QString& title)
{
    RunState& rs = m_port.runState();
    // A site not set is skipped whole: no request, no old page removed.
    Transports::PassScope pass(m_transports);
    if (!m_transports.siteIsSet(d.site))
        return;
    const SaveChangedTablesAtEnd save;  // once, at the end of the pass over the set
    try {
        if (d.transport == Transport::Socket)
            m_transports.Winsock1.Close();
        const SiteEndpoint site = SiteEndpoint::of(d.site);
        if (rs.OneStockOnly) {
            // Only the selected stock, also when its row fails or finds nothing.
            stockRow(d, site, CurrentIndex(), CurrentSymbol(), title);
        } else {
            const int last = std::min<int>(d.rows == Rows::ThroughCountTwoChars ? StockCount() : StockCount() - 1,
                                           kLastStockRow);
            for (int row = 0; row <= last; ++row) {
                if (rs.StopFlag)
                    break;
                if (stockRow(d, site, row, Stocks()[std::size_t(row)].Symbol, title) == RowResult::End)
                    break;
            }
            if (d.special == Special::Recommendation && DirEntry(CacheFolder() + kRecName) == kRecName)
                RemoveFile(CacheFolder() + kRecName);
        }
        finishStock(d);
    } catch (const RuntimeError& e) {
        if (d.special == Special::News || d.special == Special::AnnualReport)
            m_port.setCaption(rs.OrigCaption);
        if (qstrcmp(d.procedure, "UpdateShortInterest") == 0)
            Dialogs::MsgBox(e.description() + u'\t' + QString::number(e.number()));
    }
}

void Downloaders::finishStock(const StockDownloader& d)
{
    if (d.special == Special::News || d.special == Special::AnnualReport)
        m_port.setCaption(m_port.runState().OrigCaption);
}

Downloaders::RowResult Downloaders::stockRow(const StockDownloader& d, const SiteEndpoint& site, int row,
                                             const QString& symbol, const QString& title)
{
    RunState& rs = m_port.runState();
    if (d.special == Special::Recommendation)
        return recommendationRow(d, site, row, symbol);
    if (d.rows != Rows::Set && symbol.size() < 2)
        return RowResult::Next;
    // A symbol that could leave the cache folder (or is empty) is never fetched.
    if (!IsFileSafeSymbol(symbol))
        return RowResult::Next;
    if (d.special == Special::News)
        return newsRow(d, site, symbol);

    const PageRequest request = RequestFor(d, symbol, title);
    const QString path = CacheFolder() + request.fileName;
    const QString caption = rs.OrigCaption + blanks(d.statusGap) + request.status;
    if (d.special == Special::AnnualReport) {
        m_port.setCaption(caption);
        if (rs.StopFlag) {
            m_port.setCaption(rs.OrigCaption);
            return RowResult::End;
        }
    }
    if (d.transport == Transport::FetchControl) {
        m_transports.DownloadFile(path, site.address(request.pathAndQuery), caption);
    } else {
        if (rs.StopFlag)
            return RowResult::End;
        m_transports.SocketFetch(path, site, request.pathAndQuery, caption);
    }
    const SizeRuleResult judged = ApplySizeRule(path, d.sizeRule, d.threshold, request.fileName);
    // A request that got no reply at all ends the walk; an error page or a reply cut
    // short is not kept either, but the site did answer, so the next stock is asked.
    if (judged == SizeRuleResult::Missing && d.sizeRule == SizeRule::Below && d.onMissing == OnMissingFile::EndProcedure &&
        !(d.transport == Transport::FetchControl && m_transports.lastDownloadAnswered()))
        return RowResult::End;
    return RowResult::Next;
}

Downloaders::RowResult Downloaders::recommendationRow(const StockDownloader& d, const SiteEndpoint& site, int row,
                                                      const QString& symbol)
{
    RunState& rs = m_port.runState();
    const QString recPath = CacheFolder() + kRecName;
    const bool fetched = symbol.size() >= 2 && IsFileSafeSymbol(symbol);
    if (!fetched)
        DropUnwrittenPage(recPath, false, false);  // nothing fetched for this row: the last page goes
    if (fetched) {
        const PageRequest request = RequestFor(d, symbol);
        const bool inTable = row >= 0 && row <= kLastStockRow;
        const QString rowSymbol = inTable ? Stocks()[std::size_t(row)].Symbol : QString();
        m_transports.DownloadFile(recPath, site.address(request.pathAndQuery),
                                  rs.OrigCaption + blanks(d.statusGap) + request.status);
        DropUnwrittenPage(recPath, m_transports.lastDownloadWritten(), false);
        try {
            // The row may hold another stock by now (a set switched or edited in the
            // set editor during the download): the value is not its rating.
            if (inTable && Stocks()[std::size_t(row)].Symbol != rowSymbol)
                throw RuntimeError::make(9);
            bool ok = false;
            QString page = fromCp1252(ReadBytes(recPath, &ok));
            if (!ok)
                throw RuntimeError::make(53);
            // The lines are joined without a separator before the value is looked for.
            page.remove(u'\r');
            page.remove(u'\n');
            const std::optional<QString> V = RecommendationText(page);
            if (V) {
                const double value = rt::CDbl(QVariant(*V));
                if (!std::isfinite(value) || std::fabs(value) > FLT_MAX)
                    throw RuntimeError::make(6);
                if (row < 0 || row > kLastStockRow)
                    throw RuntimeError::make(9);
                Stocks()[std::size_t(row)].AvgRecommendation = float(value);
                MarkStocksChanged();
                const int W = m_port.gaugeScaleWidth();
                for (int slot = 0; slot < 7; ++slot) {
                    if (m_port.stripSymbol(slot) != symbol)
                        continue;
                    if (V->isEmpty())
                        m_port.hideGauge(slot);
                    else
                        m_port.drawGaugeMarker(slot, GaugeMarkerX(value, W));
                }
            }
        } catch (const RuntimeError&) {
            // A page without a readable value abandons this stock only.
        }
    }
    MarkStocksChanged();
    DoEvents();
    return RowResult::Next;
}

Downloaders::RowResult Downloaders::newsRow(const StockDownloader& d, const SiteEndpoint& site,
                                            const QString& symbol)
{
    RunState& rs = m_port.runState();
    const QString newsFile = NewsFolder() + symbol + QStringLiteral(".txt");
    const QString tempFile = NewsFolder() + kTempName;
    // The parser appends, so the old headlines go first; without a parser they stay.
    if (m_newsParser && FileExists(newsFile))
        RemoveFile(newsFile);
    const PageRequest request = RequestFor(d, symbol);
    m_transports.DownloadFile(tempFile, site.address(request.pathAndQuery),
                              rs.OrigCaption + blanks(d.statusGap) + request.status);
    DropUnwrittenPage(tempFile, m_transports.lastDownloadWritten(), false);
    if (m_newsParser)
        m_newsParser(symbol, tempFile, newsFile);
    DoEvents();
    return RowResult::Next;
}

void Downloaders::UpdateRec()
{
    runStock(stock("UpdateRec"));
}

void Downloaders::UpdateNews()
{
    runStock(stock("UpdateNews"));
}

void Downloaders::UpdateAnnualReport(const QString& Code, const QString& Title)
{
    for (const StockDownloader& d : StockDownloaders())
        if (d.special == Special::AnnualReport && Code == QLatin1String(d.code)) {
            runStock(d, Title);
            return;
        }
    // No page belongs to another code.
    m_port.setCaption(m_port.runState().OrigCaption);
}

void Downloaders::UpdateEstimates() { runStock(stock("UpdateEstimates")); }
void Downloaders::UpdateQR() { runStock(stock("UpdateQR")); }
void Downloaders::UpdateIT() { runStock(stock("UpdateIT")); }
void Downloaders::UpdateOptions() { runStock(stock("UpdateOptions")); }
void Downloaders::UpdateSplits() { runStock(stock("UpdateSplits")); }
void Downloaders::UpdateUpgradesHistory() { runStock(stock("UpdateUpgradesHistory")); }
void Downloaders::UpdateDowngradesHistory() { runStock(stock("UpdateDowngradesHistory")); }
void Downloaders::UpdateMomentumRating() { runStock(stock("UpdateMomentumRating")); }
void Downloaders::UpdateBrokerReports() { runStock(stock("UpdateBrokerReports")); }
void Downloaders::UpdateProfile() { runStock(stock("UpdateProfile")); }
void Downloaders::UpdateShortInterest() { runStock(stock("UpdateShortInterest")); }

void Downloaders::UpdateAdvise()
{
    // The adviser window calls this outside a run too, so the stop flag is not asked.
    const MarketDownloader& d = AdviseDownloader();
    Transports::PassScope pass(m_transports);
    if (!m_transports.siteIsSet(d.site))
        return;
    const QString path = AppPath() + u'/' + QLatin1String(d.fileName);
    m_transports.Winsock1.Close();
    m_transports.SocketFetch(path, d.site, QLatin1String(d.pathAndQuery),
                             m_port.runState().OrigCaption + blanks(4) + QLatin1String(d.status));
    ApplySizeRule(path, d.sizeRule, d.threshold, QLatin1String(d.fileName));
}

void Downloaders::UpdateAdviseAlone()
{
    // Restored on every path: a written tip, an error page, no reply, a fault.
    struct TitleBack
    {
        MainWindowPort& port;
        QString before;
        ~TitleBack() { port.setCaption(before); }
    } titleBack{m_port, m_port.caption()};
    UpdateAdvise();
}

// ---------------------------------------------------------------------------
// Market members.

bool Downloaders::runMarket(const MarketDownloader& d, const QHash<QString, QString>& values, const QString& preTitle)
{
    RunState& rs = m_port.runState();
    if (rs.StopFlag)
        return false;
    Transports::PassScope pass(m_transports);
    if (!m_transports.siteIsSet(d.site))
        return false;
    const PageRequest request = RequestFor(d, values);
    // A name made from codes stays inside the cache folder by the symbols' rule too.
    if (!IsFileSafeSymbol(request.fileName))
        return false;
    if (!preTitle.isEmpty())
        m_port.setCaption(rs.OrigCaption + QStringLiteral("   Updating ") + preTitle);
    const QString path = CacheFolder() + request.fileName;
    const QString caption = rs.OrigCaption + (d.wholeTitle ? QString() : blanks(4)) + request.status;
    const SiteEndpoint site = SiteEndpoint::of(d.site);
    if (d.transport == Transport::FetchControl) {
        const QString address = d.noScheme ? site.hostAndPath(request.pathAndQuery) : site.address(request.pathAndQuery);
        m_transports.DownloadFile(path, address, caption);
    } else {
        m_transports.SocketFetch(path, site, request.pathAndQuery, caption);
    }
    return ApplySizeRule(path, d.sizeRule, d.threshold, request.fileName) == SizeRuleResult::Kept;
}

void Downloaders::UpdateBigMovers(std::int16_t Report, const QString& Code, std::int16_t Data, const QString& Title)
{
    const QString D = BigMoversDate();
    runMarket(market("UpdateBigMovers"),
              {{QStringLiteral("D"), D},
               {QStringLiteral("DATA"), QString::number(Data)},
               {QStringLiteral("REPORT"), QString::number(Report)},
               {QStringLiteral("CODE"), Code},
               {QStringLiteral("TITLE"), Title}},
              Title);
}

void Downloaders::UpdateScreenLists(std::int16_t Screen, const QString& Code, std::int16_t Exchange,
                                    const QString& Title)
{
    runMarket(market("UpdateScreenLists"),
              {{QStringLiteral("SCREEN"), QString::number(Screen)},
               {QStringLiteral("EXCHANGE"), QString::number(Exchange)},
               {QStringLiteral("CODE"), Code},
               {QStringLiteral("TITLE"), Title}},
              Title);
}

void Downloaders::UpdateLosers() { runMarket(market("UpdateLosers"), {}); }
void Downloaders::UpdateWinners() { runMarket(market("UpdateWinners"), {}); }
void Downloaders::UpdateSurp() { runMarket(market("UpdateSurp"), {}); }
void Downloaders::UpdateUpDown() { runMarket(market("UpdateUpDown"), {}); }
void Downloaders::UpdateUSMarket()
{
    if (runMarket(market("UpdateUSMarket"), {}) && m_parsers)
        m_parsers->ParseUS();
}
void Downloaders::UpdateWorldMarket() { runMarket(market("UpdateWorldMarket"), {}); }
void Downloaders::Update_IPO_Last() { runMarket(market("Update_IPO_Last"), {}); }
void Downloaders::Update_IPO_News() { runMarket(market("Update_IPO_News"), {}); }
void Downloaders::Update_IPO_Gain() { runMarket(market("Update_IPO_Gain"), {}); }
void Downloaders::Update_IPO_Loss() { runMarket(market("Update_IPO_Loss"), {}); }
void Downloaders::Update_IPO_Reg() { runMarket(market("Update_IPO_Reg"), {}); }
void Downloaders::Update_IPO_Price() { runMarket(market("Update_IPO_Price"), {}); }
void Downloaders::Update_IPO_With() { runMarket(market("Update_IPO_With"), {}); }
void Downloaders::Update_OptSum() { runMarket(market("Update_OptSum"), {}); }

void Downloaders::UpdateFunds(const QString& Key)
{
    const auto [page, title] = FundPage(Key);
    runMarket(market("UpdateFunds"),
              {{QStringLiteral("KEY"), Key}, {QStringLiteral("PAGE"), page}, {QStringLiteral("TITLE"), title}});
}

void Downloaders::UpdateSplitsCalendar(std::int16_t N)
{
    // The socket is closed first, also when the run has been stopped.
    m_transports.Winsock1.Close();
    if (N < 0 || N > 4)
        return;
    for (const MarketDownloader& d : MarketDownloaders())
        if (qstrcmp(d.procedure, "UpdateSplitsCalendar") == 0 && d.firstItem == 83 + N) {
            runMarket(d, {});
            return;
        }
}

void Downloaders::UpdateTodayBrokerReports()
{
    runMarket(market("UpdateTodayBrokerReports"), {});
}

// ---------------------------------------------------------------------------
// Update boxes.

bool Downloaders::HasDownloader(int item)
{
    if (item < 0 || item > 98 || item == 1 || item == 59)
        return false;
    return !(item >= 44 && item <= 49);
}

QString Downloaders::UpdateItemCall(int item)
{
    if (!HasDownloader(item))
        return QString();
    if (const auto m = BigMoversForItem(item))
        return QStringLiteral("UpdateBigMovers(%1, %2, %3, %4)").arg(m->Report).arg(m->Code).arg(m->Data).arg(m->Title);
    if (const auto s = ScreenListForItem(item))
        return QStringLiteral("UpdateScreenLists(%1, %2, %3, %4)")
            .arg(s->Screen)
            .arg(s->Code)
            .arg(s->Exchange)
            .arg(s->Title);
    if (item >= 61 && item <= 82)
        return QStringLiteral("UpdateFunds(%1)").arg(FundKeyForItem(item));
    if (item >= 83 && item <= 87)
        return QStringLiteral("UpdateSplitsCalendar(%1)").arg(item - 83);
    if (item == 3)
        return QStringLiteral("UpdateAnnualReport(ABS,    Updating Annual Balance Sheet...)");
    if (item == 4)
        return QStringLiteral("UpdateAnnualReport(AIS,    Updating Annual Income Statement...)");
    for (const StockDownloader& d : StockDownloaders())
        if (d.updateItem == item)
            return QLatin1String(d.procedure) + QStringLiteral("()");
    if (item == AdviseDownloader().firstItem)
        return QLatin1String(AdviseDownloader().procedure) + QStringLiteral("()");
    for (const MarketDownloader& d : MarketDownloaders())
        if (d.firstItem == item)
            return QLatin1String(d.procedure) + QStringLiteral("()");
    return QString();
}

bool Downloaders::RunUpdateItem(int item)
{
    if (!HasDownloader(item))
        return false;
    if (const auto m = BigMoversForItem(item)) {
        UpdateBigMovers(m->Report, m->Code, m->Data, m->Title);
        return true;
    }
    if (const auto s = ScreenListForItem(item)) {
        UpdateScreenLists(s->Screen, s->Code, s->Exchange, s->Title);
        return true;
    }
    if (item >= 61 && item <= 82) {
        UpdateFunds(FundKeyForItem(item));
        return true;
    }
    if (item >= 83 && item <= 87) {
        UpdateSplitsCalendar(std::int16_t(item - 83));
        return true;
    }
    switch (item) {
    case 0: UpdateRec(); return true;
    case 2: UpdateNews(); return true;
    case 3: UpdateAnnualReport(QStringLiteral("ABS"), QStringLiteral("   Updating Annual Balance Sheet...")); return true;
    case 4: UpdateAnnualReport(QStringLiteral("AIS"), QStringLiteral("   Updating Annual Income Statement...")); return true;
    case 5: UpdateEstimates(); return true;
    case 6: UpdateQR(); return true;
    case 7: UpdateIT(); return true;
    case 8: UpdateOptions(); return true;
    case 9: UpdateSplits(); return true;
    case 10: UpdateUpgradesHistory(); return true;
    case 11: UpdateDowngradesHistory(); return true;
    case 12: UpdateMomentumRating(); return true;
    case 13: UpdateBrokerReports(); return true;
    case 14: UpdateProfile(); return true;
    case 15: UpdateSurp(); return true;
    case 16: UpdateWinners(); return true;
    case 17: UpdateLosers(); return true;
    case 18: UpdateUpDown(); return true;
    case 19: UpdateAdvise(); return true;
    case 50: UpdateUSMarket(); return true;
    case 51: UpdateWorldMarket(); return true;
    case 52: Update_IPO_Last(); return true;
    case 53: Update_IPO_News(); return true;
    case 54: Update_IPO_Gain(); return true;
    case 55: Update_IPO_Loss(); return true;
    case 56: Update_IPO_Reg(); return true;
    case 57: Update_IPO_Price(); return true;
    case 58: Update_IPO_With(); return true;
    case 60: Update_OptSum(); return true;
    case 88: UpdateShortInterest(); return true;
    case 98: UpdateTodayBrokerReports(); return true;
    default: return false;
    }
}
