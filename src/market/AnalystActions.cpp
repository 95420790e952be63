#include "market/AnalystActions.h"

#include "core/Utilities.h"
#include "market/MarketPages.h"
#include "pages/PageScan.h"
#include "pages/PageText.h"
#include "platform/FlexGrid.h"

#include <QVariantList>

#include <array>

using namespace market;

namespace {

struct Member
{
    const char* code;
    bool wholeDocument;  // the html words lower-cased and the document cut first
    const char* heading;
    int cols;
    int link1;
    int link2;
    const char* title;
    std::array<int, 6> widths;  // the first `cols` are used
    const char* message;
};

const Member kMembers[] = {
    {"Coverage", true, "<big><b>Coverage Initiated</b></big>", 5, 1, 4, "Coverage Initiated", {25, 12, 27, 20, 12},
     "Tradewright do not have additional information for Coverage Initiated"},
    {"Downgrade", false, "<big><b>Downgrades</b></big>", 6, 1, 5, "Downgrades", {25, 12, 25, 12, 12, 10},
     "Tradewright do not have additional information for Downgrades"},
    {"Upgrade", false, "<big><b>Upgrades</b></big>", 6, 1, 5, "Upgrades", {25, 12, 25, 12, 12, 10},
     "Tradewright do not have additional information for Upgardes"},
};

const Member* memberOf(const QString& code)
{
    for (const Member& m : kMembers)
        if (code == QLatin1String(m.code))
            return &m;
    return nullptr;
}

void fillActions(const ViewContext& ctx, FlexGrid& grid, const Member& m)
{
    QString text = ctx.readPage();
    if (m.wholeDocument) {
        ReplaceAll(text, QLatin1String("HTML"), QLatin1String("html"));
        ReplaceAll(text, QLatin1String("Html"), QLatin1String("html"));
    }
    ReplaceAll(text, QLatin1String("TH"), QLatin1String("td"));
    ReplaceAll(text, QLatin1String("Th"), QLatin1String("td"));
    NormaliseTags(text, true, true, true, false);
    ReplaceAll(text, QLatin1String("&#187;"), QLatin1String());
    if (m.wholeDocument)
        text = CutBetween(text, QStringLiteral("<html>"), QStringLiteral("</html>"));
    text.remove(QLatin1Char('\t'));

    const int heading = FindText(1, text, QString::fromLatin1(m.heading));
    const QString table = CutBetween(text, QStringLiteral("<table"), QStringLiteral("</table>"), heading + 1);

    PrepareGrid(grid, 1, m.cols, kWhite, 1);
    int row = 0;
    for (QStringView line : RowViews(table)) {
        int col = 0;
        for (QStringView cell : CellViews(line)) {
            grid.setTextMatrix(row, col, CleanedCell(cell));
            if (row > 0 && (col == m.link1 || col == m.link2))
                MarkLink(grid, row, col);
            ++col;
        }
        ++row;
        grid.AddItem(QString());
    }

    QVariantList aligns;
    QVariantList widths;
    for (int c = 0; c < m.cols; ++c) {
        aligns << 1;
        widths << m.widths[size_t(c)];
    }
    SetColAlign(grid, aligns);
    AlignCells(grid, 0, 0, m.cols - 1, FlexGrid::flexAlignCenterCenter);
    grid.setTopRow(1);
    WriteTitle(grid, 1, 0, QString::fromLatin1(m.title));
    grid.setRowHeight(0, 2 * ctx.stdRowHeight);
    grid.setRowHeight(1, 2 * ctx.stdRowHeight);
    grid.setRowHeight(grid.Rows() - 1, 0);
    SetColWidths(grid, widths);
    grid.setRedraw(true);
}

} // namespace

QString AnalystActionsMessage(const QString& code)
{
    const Member* m = memberOf(code);
    return m ? QString::fromLatin1(m->message) : QString();
}

void FG_AnalystActions(const ViewContext& ctx, FlexGrid& grid)
{
    const Member* m = memberOf(ctx.code);
    if (!m)
        throw ViewError::blank();
    // The upgrades view shows its message for a missing or empty page too.
    WithMessage([&] { fillActions(ctx, grid, *m); }, {5, 53}, QString::fromLatin1(m->message));
}
