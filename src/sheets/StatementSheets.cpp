#include "sheets/StatementSheets.h"

#include "core/Misc.h"
#include "core/Utilities.h"
#include "pages/PageScan.h"
#include "pages/PageText.h"
#include "platform/FlexGrid.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"

namespace {

constexpr int kBand = 0xEFEDD1;  // light grey-blue
constexpr int kRed = 0x0000FF;
constexpr int kBlack = 0;
constexpr int kRaisedLight = 3;
constexpr int kInsetLight = 4;
constexpr int kColumns = 6;

// What differs between the two statements while their cells are placed.
struct Statement
{
    QString subtitle;            // row 1
    bool whiteSubtitle;          // the sub-title cell gets a white back colour
    bool labelsCompleteRows;     // the balance sheet's section labels
    void (*formatBeforeWrite)(FlexGrid& grid, int row, int col, int stdRowHeight);  // nullptr: none
};

// The balance sheet's section labels take slot 4, so the cell after them ends
// the grid row.
int balanceSheetSlot(const QString& cell, int slot)
{
    static const QStringList labels = {QStringLiteral("Liabilities & Shareholder's Equity"),
                                       QStringLiteral("Assets"), QStringLiteral("Shareholders' Equity")};
    return labels.contains(cell) ? 4 : slot;
}

void incomeRowFormat(FlexGrid& g, int r, int k, int base)
{
    switch (r) {
    case 4: case 6: case 9: case 14: case 22:
        g.setRow(r);
        g.setCol(k);
        g.setCellFontBold(true);
        break;
    case 16: case 20: case 24:
        g.setRow(r);
        g.setCol(k);
        g.setCellFontBold(true);
        g.setCellBackColor(kBand);
        g.setCellForeColor(kRed);
        break;
    case 17: case 21:
        g.setRow(r);
        g.setCol(k);
        g.setRowHeight(r, 2 * base);
        g.setCellBackColor(kWhite);
        g.setCellFontBold(true);
        g.setCellFontUnderline(true);
        g.setCellAlignment(FlexGrid::flexAlignLeftBottom);
        break;
    default: break;
    }
}

// Places the cells of table: row 0 takes the first page row, row 1 the sub-title,
// the rest from row 2. r counts grid rows, k the cells placed in the current grid
// row (kept across page rows), j the slot in the current page row.
void placeCells(FlexGrid& g, const QString& table, const Statement& member, int base)
{
    int r = 0;
    int k = 0;
    for (QStringView pageRow : RowViews(table)) {
        int j = 0;
        for (QStringView cellText : CellViews(pageRow)) {
            QString cell = cellText.toString();
            const QString text = rt::Trim(CleanCell(cell, false, true, false));
            if (r == 1) {
                r = 2;
                g.setTextMatrix(1, k, member.subtitle);
                g.setRow(1);
                g.setCol(0);
                g.setRowHeight(1, base);
                g.setCellAlignment(FlexGrid::flexAlignLeftCenter);
                g.setCellFontBold(true);
                g.setCellTextStyle(kRaisedLight);
                if (member.whiteSubtitle)
                    g.setCellBackColor(kWhite);
            }
            const int s = member.labelsCompleteRows ? balanceSheetSlot(text, j) : j;
            j = s + 1;
            if (s >= kColumns)
                continue;  // dropped: it takes no column
            if (member.formatBeforeWrite)
                member.formatBeforeWrite(g, r, k, base);
            g.setTextMatrix(r, k, text);
            if (s == kColumns - 1) {
                ++r;
                k = -1;
                g.AddItem(QString());
            }
            ++k;
        }
    }
}

void startGrid(FlexGrid& g, int rows)
{
    g.setRedraw(false);
    g.Clear();
    g.setRows(rows);
    g.setCols(kColumns);
}

// The page text as both statements prepare it.
QString readStatement(const ViewContext& ctx)
{
    QString text = ReadFile(ctx.pagePath);
    ctx.eventPass();
    NormaliseTags(text, true, true, true, true);
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return text;
}

// The text from the first "<table" at or after `from` up to its "</table>".
QString tableAfter(const QString& text, int from)
{
    const int begin = FindText(from, text, QStringLiteral("<table"));
    const int end = FindText(begin, text, QStringLiteral("</table>"));
    return CutText(text, begin, end - begin);
}

const QVariantList kWidths = {31, 13, 13, 13, 13, 13};

} // namespace

void BuildAnnualBalanceSheet(const ViewContext& ctx, FlexGrid& g)
{
    QString text = readStatement(ctx);
    ReplaceAll(text, QLatin1String("</font></font>"), QLatin1String("</font>"));
    ReplaceAll(text, QLatin1String("ii"), QLatin1String());

    const QString marker = QStringLiteral("Annual Balance Sheet");
    int p = FindText(1, text, marker);
    if (const int second = FindText(p + 1, text, marker); second > 0)
        p = second;
    const QString table = tableAfter(text, p);

    const int base = ctx.stdRowHeight;
    startGrid(g, 3);
    g.setRowHeight(0, base);
    g.setBackColor(kWhite);
    g.setGridLines(1);
    placeCells(g, table, Statement{marker, false, true, nullptr}, base);

    for (int r = 0; r < g.Rows(); ++r) {
        g.setRow(r);
        g.setCol(0);
        switch (r) {
        case 2: case 16: case 33:
            g.setCellAlignment(FlexGrid::flexAlignLeftBottom);
            g.setCellForeColor(kBlack);
            g.setCellFontWidth(4);
            g.setCellTextStyle(kInsetLight);
            g.setCellFontBold(true);
            g.setCellBackColor(kWhite);
            g.setRowHeight(r, 2 * base);
            break;
        case 8: case 24: case 41:
            for (int c = 0; c < kColumns; ++c) {
                g.setCol(c);
                g.setCellFontBold(true);
            }
            break;
        case 15: case 32:
            for (int c = 0; c < kColumns; ++c) {
                g.setCol(c);
                g.setCellFontBold(true);
                g.setCellBackColor(kBand);
                g.setCellForeColor(kRed);
            }
            break;
        default: break;
        }
    }

    g.setTopRow(1);
    g.setTextMatrix(0, 0, ctx.companyName);
    g.setRowHeight(g.Rows() - 1, 0);
    g.setRowHeight(g.Rows() - 2, 0);
    g.setRedraw(true);
    SetColAlign(g, {1, 7, 7, 7, 7, 7});
    SetColWidths(g, kWidths);
}

QString IncomeStatementBadDataMessage(const QString& companyName)
{
    return QStringLiteral("The ") + companyName
        + QStringLiteral("\" annual income statement data is bad, connect to the Internet, and update again .");
}

namespace {

void fillIncomeStatement(const ViewContext& ctx, FlexGrid& g)
{
    QString text = readStatement(ctx);
    ReplaceAll(text, QLatin1String("ii"), QLatin1String());

    const QString marker = QStringLiteral("Annual Income Statement");
    QString table = tableAfter(text, FindText(1, text, marker));
    // A heading over five columns becomes that cell and four empty ones.
    ReplaceAll(table, QLatin1String("<th colspan=5>"), QLatin1String("<th>"));
    ReplaceAll(table, QStringLiteral(" colspan=5>"), QStringLiteral("></td><td></td><td></td><td></td><td>"));

    const int base = ctx.stdRowHeight;
    startGrid(g, 2);
    g.setBackColor(kWhite);
    g.setGridLines(1);
    placeCells(g, table, Statement{marker, true, false, incomeRowFormat}, base);

    // Column 5 keeps the alignment it had.
    SetColAlign(g, {1, 7, 7, 7, 7});
    g.setRow(0);
    for (int c = 0; c < kColumns; ++c) {
        g.setCol(c);
        g.setCellAlignment(FlexGrid::flexAlignCenterCenter);
    }
    g.setTopRow(1);
    g.setTextMatrix(0, 0, ctx.companyName);
    g.setRowHeight(0, base);
    g.setRowHeight(1, 2 * base);
    g.setRowHeight(g.Rows() - 1, 0);
    g.setRedraw(true);
    SetColWidths(g, kWidths);
}

bool fileNotFound(int number)
{
    return number == 53;
}

} // namespace

void BuildAnnualIncomeStatement(const ViewContext& ctx, FlexGrid& g)
{
    try {
        fillIncomeStatement(ctx, g);
    } catch (const ViewError& e) {
        if (e.kind() == ViewError::Number && fileNotFound(e.errorNumber()))
            throw;
        throw ViewError::message(IncomeStatementBadDataMessage(ctx.companyName));
    } catch (const RuntimeError& e) {
        if (fileNotFound(e.number()))
            throw;
        throw ViewError::message(IncomeStatementBadDataMessage(ctx.companyName));
    } catch (const std::exception&) {
        throw ViewError::message(IncomeStatementBadDataMessage(ctx.companyName));
    }
}
