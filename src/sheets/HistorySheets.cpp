#include "sheets/HistorySheets.h"

#include "core/Utilities.h"
#include "market/MarketFill.h"
#include "pages/PageScan.h"
#include "pages/PageText.h"
#include "platform/FlexGrid.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"

#include <optional>

namespace {

constexpr int kGrey = 0x808080;

// Runs a fill and turns its "invalid argument" (5: a marker missing, an empty
// page) and "file not found" (53) into the view's own messages. Other failures
// pass through to the view's other-error policy.
template <typename Fill>
void withMessages(Fill fill, const QString& on5, const QString& on53)
{
    auto own = [&](int number) -> std::optional<ViewError> {
        if (number == 5)
            return ViewError::message(on5);
        if (number == 53)
            return ViewError::message(on53);
        return std::nullopt;
    };
    try {
        fill();
    } catch (const ViewError& e) {
        if (e.kind() == ViewError::Number)
            if (auto m = own(e.errorNumber()))
                throw *m;
        throw;
    } catch (const RuntimeError& e) {
        if (auto m = own(e.number()))
            throw *m;
        throw;
    }
}

// One table row as a grid line: each cleaned cell followed by a tab ("" for a row
// without cells).
QString rowLine(QStringView row)
{
    QString line;
    for (QStringView cell : CellViews(row)) {
        AppendCleanedCell(line, cell);
        line += QLatin1Char('\t');
    }
    return line;
}

using market::PrepareGrid;

// The title cell under the headings: bold on white.
void writeTitle(FlexGrid& grid, const QString& title)
{
    grid.setRow(1);
    grid.setCol(0);
    grid.setCellFontBold(true);
    grid.setCellBackColor(kWhite);
    grid.setTextMatrix(1, 0, title);
}

// The heading cells of row 0 aligned centre-top.
void alignHeadingsTop(FlexGrid& grid, int cols)
{
    grid.setRow(0);
    for (int c = 0; c < cols; ++c) {
        grid.setCol(c);
        grid.setCellAlignment(3);
    }
}

QString nameAndSymbol(const ViewContext& ctx)
{
    return ctx.companyName + QStringLiteral(" (") + ctx.symbol + QLatin1Char(')');
}

// ---- splits -----------------------------------------------------------------------

void fillSplits(const ViewContext& ctx, FlexGrid& grid)
{
    QString text = ctx.readPage();
    NormaliseTags(text, true, true, true, true);

    // The table starts after the row that closes first after the marker.
    const int marker = FindText(1, text, QStringLiteral("begin splits"));
    if (marker == 0)
        throw ViewError::number(5);
    const int start = FindText(marker + 1, text, QStringLiteral("</tr>"));
    const int end = FindText(start, text, QStringLiteral("end splits"));
    if (end == 0)
        throw ViewError::number(5);
    const QString section = CutText(text, start, end - start);

    auto lock = grid.updatesLocked();
    PrepareGrid(grid, 2, 6);
    for (QStringView row : RowViews(section)) {
        const QString line = rowLine(row);
        if (!line.isEmpty())
            grid.AddItem(line);  // cells beyond the sixth are dropped
    }
    alignHeadingsTop(grid, 6);
    writeTitle(grid, ctx.symbol + rt::CrLf + QStringLiteral("Splits History"));
    grid.setRowHeight(0, ctx.stdRowHeight);
    grid.setRowHeight(1, 2 * ctx.stdRowHeight);
    SetHeaders(grid, {QStringLiteral("Type"), QStringLiteral("Amount"), QStringLiteral("Ex-Date"),
                      QStringLiteral("Pay-Date"), QStringLiteral("Rec-Date"), QStringLiteral("An-Date")});
    SetColAlign(grid, {4, 4, 4, 4, 4, 4});
    SetColWidths(grid, {17, 17, 16, 16, 16, 16});
    lock.release();
    grid.setRedraw(true);
}

// ---- momentum ---------------------------------------------------------------------

void fillMomentum(const ViewContext& ctx, FlexGrid& grid)
{
    QString text = ctx.readPage();
    NormaliseTags(text, true, true, true, true);
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    for (const char* word : {"&nbsp;", ",", "News", "BrokerReports", "Chart", "Compare"})
        ReplaceAll(text, QLatin1String(word), QLatin1String());

    const int start = FindText(1, text, QStringLiteral("Sells"));
    const int end = FindText(start, text, QStringLiteral("</table"));
    const QString section = CutText(text, start, end - start);

    PrepareGrid(grid, 7, 1);
    for (int r = 1; r <= 5; ++r) {
        grid.setRow(r);
        grid.setCol(0);
        grid.setCellAlignment(0);
        grid.setCellBackColor(kWhite);
    }

    // The figures are the first five cells of the section, whatever they hold.
    int from = 1;
    auto nextCell = [&]() {
        const int open = FindText(from, section, QStringLiteral("<td"));
        const int close = FindText(open, section, QStringLiteral("</td>"));
        from = close;
        return CleanedCell(CutText(section, open, close - open));
    };
    static const char* const labels[] = {"Rank:", "Momentum Rating:", "Buys:", "Holds:", "Sell:"};
    const QString first = nextCell();
    grid.setTextMatrix(1, 0, QLatin1String(labels[0]) + QLatin1Char(' ') + first);
    if (first.startsWith(QLatin1String("No")))
        throw ViewError::message(QStringLiteral("Tradewright did not find momentum ratings data for ") + ctx.symbol);
    for (int r = 2; r <= 5; ++r)
        grid.setTextMatrix(r, 0, QLatin1String(labels[r - 1]) + QLatin1Char(' ') + nextCell());

    grid.setRow(6);
    grid.setCol(0);
    grid.setCellAlignment(0);
    grid.setCellForeColor(kGrey);
    grid.setTextMatrix(6, 0, MomentumNote());
    for (int r = 0; r <= 5; ++r)
        grid.setRowHeight(r, ctx.stdRowHeight);
    grid.setRowHeight(6, 30 * ctx.stdRowHeight);
    grid.setCellBackColor(kWhite);

    grid.setRow(0);
    grid.setCol(0);
    grid.setCellFontBold(true);
    grid.setCellTextStyle(3);
    grid.setTextMatrix(0, 0, ctx.companyName + QStringLiteral(" Momentum Rating"));
    grid.setTopRow(1);
    grid.setCellAlignment(4);
    SetColWidths(grid, {97});
    grid.setRedraw(true);
}

// ---- analyst histories and broker reports -------------------------------------------

struct HistoryMember
{
    const char* noDataSentence;  // nullptr: none
    const char* startMarker;
    bool markerRequired;      // else an absent marker starts at the page's first "</tr>"
    bool tabsBeforeTags;      // tabs become spaces before the tags are normalised
    bool updateLock;
    const char* titleWord;
    bool brokerLook;          // rows 0 and 1 one base row, data rows as they are, the last hidden
    int widths[3];
    const char* noneFound;    // the message for error 5
    bool updateAgainOn53;     // 53 says so; else 53 reads as 5
};

const HistoryMember kUpgrades{"No upgrades were found", "begin splits", true, false, false, "Upgrades", false,
                              {14, 18, 65}, "No upgrades were found for the symbol you requested, ", false};
const HistoryMember kDowngrades{"No downgrades were found", "begin splits", false, false, true, "Downgrades", false,
                                {15, 15, 65}, "No downgrads were found for the symbol you requested, ", false};
const HistoryMember kBrokerReports{nullptr, "begin reports", false, true, true, "Broker Reports", true,
                                   {12, 20, 65}, "No broker reports were found for the symbol you requested, ",
                                   true};

void fillHistory(const HistoryMember& m, const ViewContext& ctx, FlexGrid& grid)
{
    QString text = ctx.readPage();
    if (m.noDataSentence && text.contains(QLatin1String(m.noDataSentence)))
        throw ViewError::number(5);
    if (m.tabsBeforeTags)
        text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    NormaliseTags(text, true, true, true, true);
    if (!m.tabsBeforeTags)
        text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    for (const char* word : {"&nbsp;", ",", "News", "BrokerReports", "Chart", "Compare"})
        ReplaceAll(text, QLatin1String(word), QLatin1String());

    const int marker = FindText(1, text, QLatin1String(m.startMarker));
    if (marker == 0 && m.markerRequired)
        throw ViewError::number(5);
    const int start = FindText(marker + 1, text, QStringLiteral("</tr>"));
    const int end = FindText(start, text, QStringLiteral("</table"));
    if (end == 0)
        throw ViewError::number(5);
    const QString section = CutText(text, start, end - start);

    std::optional<FlexGrid::UpdateLock> lock;
    if (m.updateLock)
        lock.emplace(grid.updatesLocked());
    PrepareGrid(grid, 2, 3);
    if (m.brokerLook) {
        grid.setRowHeight(0, ctx.stdRowHeight);
        grid.setRowHeight(1, ctx.stdRowHeight);
    }
    // Every row block is a grid row, a block without cells an empty one.
    for (QStringView row : RowViews(section))
        grid.AddItem(rowLine(row));  // cells beyond the third are dropped

    if (m.brokerLook) {
        grid.setRowHeight(0, ctx.stdRowHeight);
        alignHeadingsTop(grid, 3);
        // The spare last row of the page's table; with no rows the title row stays.
        if (grid.Rows() > 2)
            grid.setRowHeight(grid.Rows() - 1, 0);
    } else {
        grid.setRowHeight(0, ctx.stdRowHeight);
        for (int r = 1; r < grid.Rows(); ++r)
            grid.setRowHeight(r, 2 * ctx.stdRowHeight);
    }
    writeTitle(grid, ctx.symbol + rt::CrLf + QLatin1String(m.titleWord));
    SetHeaders(grid, {QStringLiteral("Date"), QStringLiteral("Broker"),
                      QStringLiteral("Comments on ") + ctx.companyName});
    SetColAlign(grid, {4, 1, 1});
    SetColWidths(grid, {m.widths[0], m.widths[1], m.widths[2]});
    lock.reset();
    grid.setRedraw(true);
}

void buildHistory(const HistoryMember& m, const ViewContext& ctx, FlexGrid& grid)
{
    const QString none = QLatin1String(m.noneFound) + nameAndSymbol(ctx);
    const QString on53 = m.updateAgainOn53 ? QStringLiteral("No data for the stock you requested, ") +
                                                 nameAndSymbol(ctx) + rt::CrLf + QStringLiteral("Please update again.")
                                           : none;
    withMessages([&] { fillHistory(m, ctx, grid); }, none, on53);
}

} // namespace

QString MomentumNote()
{
    return rt::CrLf +
           QStringLiteral("The premise behind the Momentum Ratings is simple: the more analysts cover a stock within "
                          "the past 90 days, the more clients act on their recommendations, and the more money moves "
                          "the stock.") +
           rt::CrLf + rt::CrLf +
           QStringLiteral("Two buy ratings are nowhere near as bullish as fifteen.") + rt::CrLf +
           QStringLiteral("Having gone through the broker reports on more than 4,000 stocks, we find that a score of "
                          "20 or higher deserves a closer look.") +
           rt::CrLf + rt::CrLf +
           QStringLiteral("Every rating comes from a broker report of the last 90 days, since older reports carry "
                          "less weight: the buys, holds and sells counted here are only the most current reports.") +
           rt::CrLf + rt::CrLf +
           QStringLiteral("The rank is the company's place among the approximately 4,000 companies with broker "
                          "reports in the provider's database.");
}

void BuildSplits(const ViewContext& ctx, FlexGrid& grid)
{
    const QString none = QStringLiteral("No splits were found for the symbol you requested, ") + ctx.symbol;
    withMessages([&] { fillSplits(ctx, grid); }, none, none);
}

void BuildMomentum(const ViewContext& ctx, FlexGrid& grid)
{
    // Without a stock the grid stays as it was.
    if (ctx.symbol.isEmpty())
        throw ViewError::untouched();
    const QString none = QStringLiteral("No data for the stock you requested, ") + nameAndSymbol(ctx);
    withMessages([&] { fillMomentum(ctx, grid); }, none, none);
}

void BuildUpgrades(const ViewContext& ctx, FlexGrid& grid)
{
    buildHistory(kUpgrades, ctx, grid);
}

void BuildDowngrades(const ViewContext& ctx, FlexGrid& grid)
{
    buildHistory(kDowngrades, ctx, grid);
}

void BuildBrokerReports(const ViewContext& ctx, FlexGrid& grid)
{
    buildHistory(kBrokerReports, ctx, grid);
}
