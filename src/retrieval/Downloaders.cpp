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
QString fill(const QString& text, const QHash<QString, QString>& values)
{
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

// The catalogue row of procedure (and Code, for the annual statements). Each entry
// point below finds its row by its own name, __func__, which is the procedure the
// catalogue names; a row that is not there is a fault of the program.
const pages::Download& row(const char* procedure, const QString& code = QString())
{
    const pages::Download* d = pages::DownloadOf(QLatin1String(procedure), code);
    if (!d)
        qFatal("no catalogue row for the downloader %s", procedure);
    return *d;
}

// Every row of procedure, in the catalogue's order.
std::vector<const pages::Download*> rowsOf(const QString& procedure)
{
    std::vector<const pages::Download*> rows;
    for (const pages::PageKind& kind : pages::Catalogue())
        for (const pages::Download& d : kind.downloads)
            if (d.procedure == procedure)
                rows.push_back(&d);
    return rows;
}

} // namespace

PageRequest RequestFor(const pages::Download& d, const QString& symbol, const QString& title)
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

PageRequest RequestFor(const pages::Download& d, const QHash<QString, QString>& values)
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

// ---------------------------------------------------------------------------
// Per-stock members.

void Downloaders::runStock(const pages::Download& d, const QString& title, bool tellsFault)
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
            if (d.special == Special::Recommendation && DirEntry(CacheFolder() + d.fileName) == d.fileName)
                RemoveFile(CacheFolder() + d.fileName);
        }
        finishStock(d);
    } catch (const RuntimeError& e) {
        if (d.special == Special::News || d.special == Special::AnnualReport)
            m_port.setCaption(rs.OrigCaption);
        if (tellsFault)
            Dialogs::MsgBox(e.description() + u'\t' + QString::number(e.number()));
    }
}

void Downloaders::finishStock(const pages::Download& d)
{
    if (d.special == Special::News || d.special == Special::AnnualReport)
        m_port.setCaption(m_port.runState().OrigCaption);
}

Downloaders::RowResult Downloaders::stockRow(const pages::Download& d, const SiteEndpoint& site, int row,
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

Downloaders::RowResult Downloaders::recommendationRow(const pages::Download& d, const SiteEndpoint& site, int row,
                                                      const QString& symbol)
{
    RunState& rs = m_port.runState();
    const QString recPath = CacheFolder() + d.fileName;
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

Downloaders::RowResult Downloaders::newsRow(const pages::Download& d, const SiteEndpoint& site,
                                            const QString& symbol)
{
    RunState& rs = m_port.runState();
    const QString newsFile = NewsFolder() + symbol + QStringLiteral(".txt");
    const QString tempFile = NewsFolder() + d.fileName;
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

void Downloaders::UpdateRec() { runStock(row(__func__)); }
void Downloaders::UpdateNews() { runStock(row(__func__)); }

void Downloaders::UpdateAnnualReport(const QString& Code, const QString& Title)
{
    // No page belongs to another code (nor to none).
    const pages::Download* d = Code.isEmpty() ? nullptr : pages::DownloadOf(QLatin1String(__func__), Code);
    if (d)
        runStock(*d, Title);
    else
        m_port.setCaption(m_port.runState().OrigCaption);
}

void Downloaders::UpdateEstimates() { runStock(row(__func__)); }
void Downloaders::UpdateQR() { runStock(row(__func__)); }
void Downloaders::UpdateIT() { runStock(row(__func__)); }
void Downloaders::UpdateOptions() { runStock(row(__func__)); }
void Downloaders::UpdateSplits() { runStock(row(__func__)); }
void Downloaders::UpdateUpgradesHistory() { runStock(row(__func__)); }
void Downloaders::UpdateDowngradesHistory() { runStock(row(__func__)); }
void Downloaders::UpdateMomentumRating() { runStock(row(__func__)); }
void Downloaders::UpdateBrokerReports() { runStock(row(__func__)); }
void Downloaders::UpdateProfile() { runStock(row(__func__)); }
void Downloaders::UpdateShortInterest() { runStock(row(__func__), QString(), true); }

void Downloaders::UpdateAdvise()
{
    // The adviser window calls this outside a run too, so the stop flag is not asked.
    // The file lies in the program folder itself, not in the cache.
    const pages::Download& d = row(__func__);
    Transports::PassScope pass(m_transports);
    if (!m_transports.siteIsSet(d.site))
        return;
    const QString path = AppPath() + u'/' + d.fileName;
    m_transports.Winsock1.Close();
    m_transports.SocketFetch(path, d.site, d.pathAndQuery, m_port.runState().OrigCaption + blanks(d.statusGap) + d.status);
    ApplySizeRule(path, d.sizeRule, d.threshold, d.fileName);
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

bool Downloaders::runMarket(const pages::Download& d, const QHash<QString, QString>& values, const QString& preTitle)
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
    const QString caption = rs.OrigCaption + (d.wholeTitle ? QString() : blanks(d.statusGap)) + request.status;
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
    runMarket(row(__func__),
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
    runMarket(row(__func__),
              {{QStringLiteral("SCREEN"), QString::number(Screen)},
               {QStringLiteral("EXCHANGE"), QString::number(Exchange)},
               {QStringLiteral("CODE"), Code},
               {QStringLiteral("TITLE"), Title}},
              Title);
}

void Downloaders::UpdateLosers() { runMarket(row(__func__), {}); }
void Downloaders::UpdateWinners() { runMarket(row(__func__), {}); }
void Downloaders::UpdateSurp() { runMarket(row(__func__), {}); }
void Downloaders::UpdateUpDown() { runMarket(row(__func__), {}); }
void Downloaders::UpdateUSMarket()
{
    if (runMarket(row(__func__), {}) && m_parsers)
        m_parsers->ParseUS();
}
void Downloaders::UpdateWorldMarket() { runMarket(row(__func__), {}); }
void Downloaders::Update_IPO_Last() { runMarket(row(__func__), {}); }
void Downloaders::Update_IPO_News() { runMarket(row(__func__), {}); }
void Downloaders::Update_IPO_Gain() { runMarket(row(__func__), {}); }
void Downloaders::Update_IPO_Loss() { runMarket(row(__func__), {}); }
void Downloaders::Update_IPO_Reg() { runMarket(row(__func__), {}); }
void Downloaders::Update_IPO_Price() { runMarket(row(__func__), {}); }
void Downloaders::Update_IPO_With() { runMarket(row(__func__), {}); }
void Downloaders::Update_OptSum() { runMarket(row(__func__), {}); }

void Downloaders::UpdateFunds(const QString& Key)
{
    const auto [page, title] = FundPage(Key);
    runMarket(row(__func__),
              {{QStringLiteral("KEY"), Key}, {QStringLiteral("PAGE"), page}, {QStringLiteral("TITLE"), title}});
}

void Downloaders::UpdateSplitsCalendar(std::int16_t N)
{
    // The socket is closed first, also when the run has been stopped.
    m_transports.Winsock1.Close();
    // The calendars are the procedure's rows N = 0, 1, ... in the catalogue's order.
    const std::vector<const pages::Download*> calendars = rowsOf(QLatin1String(__func__));
    if (N >= 0 && std::size_t(N) < calendars.size())
        runMarket(*calendars[std::size_t(N)], {});
}

void Downloaders::UpdateTodayBrokerReports() { runMarket(row(__func__), {}); }

// ---------------------------------------------------------------------------
// Update boxes.

namespace {

// The procedures that take more than their catalogue row: arguments from the row or
// the box's member, a fault told to the user, a parse after the fetch. How each takes
// its arguments tells its entry point; an entry with none is a box the run serves
// itself (box 1, the current prices). Every other procedure a row names fetches its
// row as it stands, a page per stock of the set or one market page, the same as its
// entry point does (UpdateSplits, Update_IPO_Gain, ...).
struct Entry
{
    const char* procedure;
    void (Downloaders::*plain)() = nullptr;
    void (Downloaders::*coded)(const QString& Code, const QString& Title) = nullptr;
    void (Downloaders::*listed)(std::int16_t, const QString&, std::int16_t, const QString&) = nullptr;
    void (Downloaders::*keyed)(const QString& Key) = nullptr;
    void (Downloaders::*numbered)(std::int16_t N) = nullptr;
};

const Entry kEntries[] = {
    {"UpdateCurrentPrices"},
    {"UpdateAnnualReport", nullptr, &Downloaders::UpdateAnnualReport},
    {"UpdateShortInterest", &Downloaders::UpdateShortInterest},
    {"UpdateAdvise", &Downloaders::UpdateAdvise},
    {"UpdateBigMovers", nullptr, nullptr, &Downloaders::UpdateBigMovers},
    {"UpdateScreenLists", nullptr, nullptr, &Downloaders::UpdateScreenLists},
    {"UpdateUSMarket", &Downloaders::UpdateUSMarket},
    {"UpdateFunds", nullptr, nullptr, nullptr, &Downloaders::UpdateFunds},
    {"UpdateSplitsCalendar", nullptr, nullptr, nullptr, nullptr, &Downloaders::UpdateSplitsCalendar},
};

// The entry of a procedure that fetches its row as it stands.
const Entry kRowAsItStands{""};

bool hasCall(const Entry& e)
{
    return &e == &kRowAsItStands || e.plain || e.coded || e.listed || e.keyed || e.numbered;
}

bool perStockRow(const pages::Download& d)
{
    for (const pages::PageKind& kind : pages::Catalogue())
        for (const pages::Download& row : kind.downloads)
            if (&row == &d)
                return kind.scope == pages::Scope::PerStock;
    return false;
}

// A box's call: its catalogue row, the member it fetches, the entry point.
struct ItemCall
{
    const pages::Download* row = nullptr;
    const pages::Member* member = nullptr;
    const Entry* entry = nullptr;
};

ItemCall callOf(int item)
{
    ItemCall call;
    call.row = pages::DownloadOfItem(item, &call.member);
    if (!call.row)
        return {};
    for (const Entry& e : kEntries)
        if (call.row->procedure == QLatin1String(e.procedure))
            call.entry = &e;
    // A member's values fill a request only through the entry that takes them.
    if (!call.entry && !call.member)
        call.entry = &kRowAsItStands;
    // A listed procedure takes a member; a box of one without it has no call.
    if (!call.entry || !hasCall(*call.entry) || ((call.entry->listed || call.entry->keyed) && !call.member))
        return {};
    return call;
}

// The number N of a numbered row: its place among the procedure's rows.
std::int16_t rowNumber(const pages::Download& d)
{
    const std::vector<const pages::Download*> rows = rowsOf(d.procedure);
    return std::int16_t(std::find(rows.begin(), rows.end(), &d) - rows.begin());
}

} // namespace

bool Downloaders::HasDownloader(int item)
{
    return callOf(item).entry != nullptr;
}

QString Downloaders::UpdateItemCall(int item)
{
    const ItemCall c = callOf(item);
    if (!c.entry)
        return QString();
    const pages::Download& d = *c.row;
    const QString name = d.procedure;
    if (c.entry->coded)
        return name + QStringLiteral("(%1, %2)").arg(d.code, d.title);
    if (c.entry->listed)
        return name + QStringLiteral("(%1, %2, %3, %4)")
                          .arg(c.member->report)
                          .arg(c.member->code)
                          .arg(c.member->exchange)
                          .arg(c.member->title);
    if (c.entry->keyed)
        return name + QStringLiteral("(%1)").arg(c.member->code);
    if (c.entry->numbered)
        return name + QStringLiteral("(%1)").arg(rowNumber(d));
    return name + QStringLiteral("()");
}

bool Downloaders::RunUpdateItem(int item)
{
    const ItemCall c = callOf(item);
    if (!c.entry)
        return false;
    const pages::Download& d = *c.row;
    if (c.entry->coded)
        (this->*c.entry->coded)(d.code, d.title);
    else if (c.entry->listed)
        (this->*c.entry->listed)(c.member->report, c.member->code, c.member->exchange, c.member->title);
    else if (c.entry->keyed)
        (this->*c.entry->keyed)(c.member->code);
    else if (c.entry->numbered)
        (this->*c.entry->numbered)(rowNumber(d));
    else if (c.entry->plain)
        (this->*c.entry->plain)();
    else if (perStockRow(d))
        runStock(d);
    else
        runMarket(d, {});
    return true;
}
