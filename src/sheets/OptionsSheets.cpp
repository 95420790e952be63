#include "sheets/OptionsSheets.h"

#include "core/Misc.h"
#include "core/Utilities.h"
#include "platform/FlexGrid.h"
#include "platform/RuntimeError.h"

#include <QStringView>

namespace {

constexpr int kFlatLines = 1;

template <typename List>
QVariantList variants(const List& values)
{
    QVariantList list;
    list.reserve(values.size());
    for (const auto& v : values)
        list << QVariant::fromValue(v);
    return list;
}

QVector<OptionsMember> makeMembers()
{
    const QStringList side = {"Last Sale", "Net", "Bid", "Ask", "Vol", "Open Int"};
    OptionsMember calls;
    calls.code = QStringLiteral("Call");
    calls.word = QStringLiteral("Calls");
    calls.titleCol = 0;
    calls.cutComma = 8;
    calls.rule = OptionRowRule::CallSide;
    calls.headings = QStringList{"Calls"} + side;
    calls.widths = {27, 12, 9, 12, 12, 12, 12};
    calls.alignments = {1, 7, 7, 7, 7, 7, 7};
    calls.linkCols = {0};

    OptionsMember puts = calls;
    puts.code = QStringLiteral("Put");
    puts.word = QStringLiteral("Puts");
    puts.cutComma = 7;
    puts.rule = OptionRowRule::PutSide;
    puts.headings = QStringList{"Puts"} + side;
    puts.widths = {24, 12, 12, 12, 12, 12, 12};

    OptionsMember chain;
    chain.code = QStringLiteral("Options");
    chain.word = QStringLiteral("Options");
    chain.titleCol = 1;
    chain.cutComma = 14;
    chain.rule = OptionRowRule::Chain;
    chain.headings = QStringList{""} + QStringList{"Calls"} + side + QStringList{"Puts"} + side;
    chain.widths = {2, 12, 8, 8, 8, 8, 8, 8, 12, 8, 8, 8, 8, 8, 8};
    chain.alignments = {1, 1, 7, 4, 7, 7, 7, 7, 1, 7, 4, 7, 7, 7, 7};
    chain.linkCols = {1, 8};
    return {calls, puts, chain};
}

const QVector<OptionsMember>& members()
{
    static const QVector<OptionsMember> all = makeMembers();
    return all;
}

const OptionsMember& memberOf(const ViewContext& ctx)
{
    const OptionsMember* member = findOptionsMember(ctx.code);
    if (!member)
        throw RuntimeError::make(5);
    return *member;
}

// Calls each row the member makes of page, in file order. The table body follows
// the "I" of the first "Int" after the first "Puts" (the header line's last
// heading "Open Int"); without "Puts" the first "Int" counts, without "Int" the
// whole text. A line runs from one CR LF up to the next, so text before the first
// CR LF of the body and after the last one is never a line.
template <typename Sink>
void scanOptionRows(const OptionsMember& member, const QString& page, Sink&& sink)
{
    const qsizetype puts = page.indexOf(QLatin1String("Puts"));
    const qsizetype open = page.indexOf(QLatin1String("Int"), puts < 0 ? 0 : puts + 1);
    const QStringView body = QStringView(page).mid(open < 0 ? 0 : open + 1);
    const QLatin1String crlf("\r\n");

    QString row;
    qsizetype at = body.indexOf(crlf);
    while (at >= 0) {
        const qsizetype next = body.indexOf(crlf, at + 1);
        if (next < 0)
            break;
        // The line, its leading CR LF included.
        const QStringView line = body.mid(at, next - at);
        at = next;

        qsizetype cut = -1;
        int commas = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (line[i] == QLatin1Char(',') && ++commas == member.cutComma) {
                cut = i;
                break;
            }
        }
        if (cut < 0)
            continue;

        row.truncate(0);  // keeps its room for the next line
        switch (member.rule) {
        case OptionRowRule::PutSide:
            row.append(line.mid(cut + 1));
            row.replace(QLatin1Char(','), QLatin1Char('\t'));
            break;
        case OptionRowRule::CallSide:
        case OptionRowRule::Chain: {
            // The leading CR LF shows as one blank before the first field.
            if (member.rule == OptionRowRule::Chain)
                row.append(QLatin1Char('\t'));
            row.append(QLatin1Char(' '));
            // The fields, commas made tabs; the chain puts an option's parenthesised
            // ticker on a second line of its cell. One pass, a piece at a time.
            const QStringView fields = line.mid(2, cut + 1 - 2);
            const bool chain = member.rule == OptionRowRule::Chain;
            qsizetype from = 0;
            for (qsizetype i = 0; i < fields.size(); ++i) {
                const QChar c = fields[i];
                if (c != QLatin1Char(',') && !(chain && c == QLatin1Char('(')))
                    continue;
                row.append(fields.mid(from, i - from));
                row.append(c == QLatin1Char(',') ? QStringView(u"\t") : QStringView(u"\r\n("));
                from = i + 1;
            }
            row.append(fields.mid(from));
            break;
        }
        }
        sink(row);
    }
}

} // namespace

const OptionsMember* findOptionsMember(const QString& code)
{
    for (const OptionsMember& member : members())
        if (member.code == code)
            return &member;
    return nullptr;
}

QString OptionsNoDataMessage()
{
    return QStringLiteral("Data is not available, connect to Internet, and update again .");
}

QStringList OptionRows(const OptionsMember& member, const QString& page)
{
    QStringList rows;
    scanOptionRows(member, page, [&](const QString& row) { rows << row; });
    return rows;
}

namespace {

void paintLoading(const OptionsMember& member, const ViewContext& ctx, FlexGrid& grid)
{
    grid.Clear();
    grid.setRows(3);
    grid.setCols(int(member.headings.size()));
    grid.setRow(0);
    grid.setBackColor(kWhite);
    grid.setGridLines(kFlatLines);
    grid.setRowHeight(0, ctx.stdRowHeight);
    grid.setRowHeight(1, 2 * ctx.stdRowHeight);
    grid.setRowHeight(2, 0);

    grid.setRow(1);
    grid.setCol(member.titleCol);
    grid.setText(QStringLiteral("Loading %1, please wait..").arg(member.word));
    grid.setCellFontBold(true);
    grid.setCellTextStyle(FlexGrid::flexTextRaisedLight);
    grid.setCellBackColor(kWhite);

    SetColWidths(grid, variants(member.widths));
    SetHeaders(grid, variants(member.headings));
    SetColAlign(grid, variants(member.alignments));
}

} // namespace

void PaintOptionsLoading(const ViewContext& ctx, FlexGrid& grid)
{
    // A code of no member paints nothing; its fill then fails.
    if (const OptionsMember* member = findOptionsMember(ctx.code))
        paintLoading(*member, ctx, grid);
}

void BuildOptionsSheet(const ViewContext& ctx, FlexGrid& grid)
{
    try {
        const OptionsMember& member = memberOf(ctx);
        paintLoading(member, ctx, grid);
        grid.setRedraw(false);
        // A missing page reads as an empty text: headings and title only.
        const QString page = ReadFile(ctx.pagePath);
        ctx.eventPass();
        // Fields beyond the grid's columns are dropped by AddItem.
        scanOptionRows(member, page, [&](const QString& row) { grid.AddItem(row); });

        grid.setRow(0);
        for (int c = 0; c < grid.Cols(); ++c) {
            grid.setCol(c);
            grid.setCellAlignment(FlexGrid::flexAlignCenterCenter);
        }
        if (member.rule != OptionRowRule::Chain)
            grid.setCol(0);
        grid.setRedraw(true);

        // The hidden row 2 counts among the link rows.
        for (int col : member.linkCols)
            MarkRows(grid, 2, grid.Rows() - 1, col);
        grid.setTextMatrix(1, member.titleCol, ctx.symbol + QLatin1Char(' ') + member.word);
    } catch (const ViewError&) {
        throw;
    } catch (const RuntimeError& e) {
        if (e.number() == 5 || e.number() == 53)
            throw ViewError::message(OptionsNoDataMessage());
        // Any other failure shows nothing.
        throw ViewError::untouched();
    } catch (const std::exception&) {
        throw ViewError::untouched();
    }
}
