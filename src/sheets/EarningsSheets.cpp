#include "sheets/EarningsSheets.h"

#include "core/Misc.h"
#include "core/Utilities.h"
#include "pages/PageScan.h"
#include "pages/PageText.h"
#include "platform/FlexGrid.h"

#include <QVariantList>

namespace {

constexpr int kRaisedLight = 3;
constexpr int kNoAlignment = -1;

struct EarningsTable
{
    const char* code;
    int rows;
    int cols;
    const char* headerMarker;
    bool headerEndsAtTable;    // else at the header row's "</tr>"
    bool parenOnNewLine;       // a "(" in a header cell starts a second line
    const char* labelMarker;   // nullptr: no row labels (the data starts in column 0)
    int valuesPerColumn;
    int firstDataColumn;
    int dataRowHeight;         // times the base row height; 0: not set
    int column0Alignment;      // kNoAlignment: left alone (the other columns are 7)
    const char* title;
    QVariantList widths;
    bool lowerCaseRows;        // NormaliseTags lower-cases "Tr" too
    bool baseFirstRow;         // row 1 gets the base height, column 0 alignment 0 at the end
};

const EarningsTable kTables[] = {
    {"EG", 4, 7, "Earnings Growth", false, true, nullptr, 3, 0, 2, 0, "Earnings Growth",
     {20, 15, 15, 12, 12, 12, 12}, true, false},
    {"EH", 5, 6, "Earnings History", false, false, nullptr, 4, 0, 1, 0, "Earnings History",
     {22, 15, 15, 15, 15, 15}, true, false},
    {"ER", 7, 5, "Earnings Estimates &amp;", true, true, "Earnings Estimates<br>", 6, 1, 1, 0,
     "Earnings Estimates", {28, 17, 17, 17, 17}, true, false},
    // "TR" goes lower case by hand and NormaliseTags leaves "Tr" alone: the page's
    // own "Consensus EPS Trend" is the marker.
    {"EC", 6, 5, "Earnings Estimates &amp;", true, true, "Consensus EPS Trend", 5, 1, 0, kNoAlignment,
     "Consensus EPS Trend", {28, 17, 17, 17, 17}, false, true},
};

const EarningsTable* tableFor(const QString& code)
{
    for (const EarningsTable& t : kTables)
        if (code == QLatin1String(t.code))
            return &t;
    return nullptr;
}

QString cleaned(QString piece)
{
    return CleanCell(piece, false, true, false);
}

} // namespace

void BuildEarningsSheet(const ViewContext& ctx, FlexGrid& g)
{
    const EarningsTable* member = tableFor(ctx.code);
    if (!member)
        throw ViewError::number(5);
    const EarningsTable& m = *member;

    QString text = ReadFile(ctx.pagePath);
    ctx.eventPass();
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    if (!m.lowerCaseRows)
        ReplaceAll(text, QLatin1String("TR"), QLatin1String("tr"));
    NormaliseTags(text, true, true, m.lowerCaseRows, true);

    // The header row.
    const int marker = FindText(1, text, QString::fromLatin1(m.headerMarker));
    const int headStart = FindText(marker, text, QStringLiteral("<tr>"));
    const int headEnd =
        FindText(headStart, text, m.headerEndsAtTable ? QStringLiteral("<table") : QStringLiteral("</tr>"));
    QString header = CutText(text, headStart, headEnd - headStart);
    if (m.parenOnNewLine)
        header.replace(QLatin1String("("), QLatin1String("\r\n("));

    // The row labels, and the data row after them (or after the header row).
    QString labels;
    int dataStart = 0;
    if (m.labelMarker) {
        const int label = FindText(1, text, QString::fromLatin1(m.labelMarker));
        const int labelStart = FindText(label, text, QStringLiteral("<table"));
        const int labelEnd = FindText(labelStart, text, QStringLiteral("</table>"));
        labels = CutText(text, labelStart, labelEnd - labelStart);
        dataStart = FindText(labelEnd, text, QStringLiteral("</td>"));
    } else {
        dataStart = FindText(headEnd, text, QStringLiteral("<tr>"));
    }
    const int dataEnd = FindText(dataStart, text, QStringLiteral("</tr>"));
    QString data = CutText(text, dataStart, dataEnd - dataStart);
    ReplaceAll(data, QStringLiteral("<br>"), QStringLiteral("</td><td></td><td>"));

    g.setRedraw(false);
    g.Clear();
    g.setRows(m.rows);
    g.setCols(m.cols);
    g.setBackColor(kWhite);
    g.setGridLines(1);

    // Header texts in row 0 from column 1 on.
    int c = m.labelMarker ? 1 : 0;
    for (const QString& cell : ScanHeaderCells(header)) {
        const QString headerText = cleaned(cell);
        if (headerText.isEmpty())
            continue;
        if (m.labelMarker) {
            g.setTextMatrix(0, c, headerText);
            ++c;
        } else {
            ++c;
            g.setTextMatrix(0, c, headerText);
        }
    }

    if (m.labelMarker) {
        int labelRow = 1;
        for (const QString& row : ScanRows(labels)) {
            const QString label = cleaned(row);
            if (label.isEmpty())
                continue;
            g.setTextMatrix(labelRow, 0, label);
            ++labelRow;
        }
    }

    // Values column by column; each cell takes its column's alignment once the
    // next value of the column (or the column's end) selects it.
    const int base = ctx.stdRowHeight;
    c = m.firstDataColumn;
    int r = 1;
    for (const QString& cell : ScanCells(data)) {
        const QString value = cleaned(cell);
        if (value.isEmpty())
            continue;
        g.setCol(c);
        const int valueColumn = c;
        if (r <= m.valuesPerColumn)
            g.setTextMatrix(r, c, value);
        if (r == m.valuesPerColumn) {
            ++c;
            r = 0;
        }
        ++r;
        g.setRow(r);
        if (m.dataRowHeight > 0)
            g.setRowHeight(r, m.dataRowHeight * base);
        if (valueColumn > 0)
            g.setCellAlignment(FlexGrid::flexAlignRightCenter);
        else if (m.column0Alignment != kNoAlignment)
            g.setCellAlignment(m.column0Alignment);
    }

    g.setRowHeight(0, 2 * base);
    if (m.baseFirstRow) {
        g.setRowHeight(1, base);
        g.setColAlignment(0, FlexGrid::flexAlignLeftTop);
    }
    g.setRow(0);
    for (int col = 0; col < g.Cols(); ++col) {
        g.setCol(col);
        g.setCellAlignment(FlexGrid::flexAlignCenterTop);
    }
    g.setCol(0);
    g.setCellFontBold(true);
    g.setCellTextStyle(kRaisedLight);
    g.setTextMatrix(0, 0, ctx.symbol + QStringLiteral("\r\n") + QString::fromLatin1(m.title));
    g.setRedraw(true);
    SetColWidths(g, m.widths);
}
