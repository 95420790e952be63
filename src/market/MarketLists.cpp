#include "market/MarketLists.h"

#include "core/Utilities.h"
#include "market/MarketPages.h"
#include "pages/PageCatalogue.h"
#include "pages/PageScan.h"
#include "pages/PageText.h"
#include "platform/Dialogs.h"
#include "platform/FlexGrid.h"
#include "platform/Runtime.h"

#include <array>

using namespace market;

namespace {

// ---- the fillers ----------------------------------------------------------------------

struct Headings
{
    const char* prefix;  // the file name's first four characters
    std::array<const char*, 8> texts;
};

constexpr Headings kMoversHeadings[] = {
    {"brPG", {"Rank", "Company Name", "Symbol", "% Increase in Price", "Volume", "Closing Price", "Price Change", "P/E Ratio"}},
    {"brPL", {"Rank", "Company Name", "Symbol", "% Increase in Price", "Volume", "Closing Price", "Price Change", "P/E Ratio"}},
    {"brVG", {"Rank", "Company Name", "Symbol", "% Increase in Volume", "Volume", "Closing Price", "Price Change", "P/E Ratio"}},
    {"brVL", {"Rank", "Company Name", "Symbol", "% Increase in Volume", "Volume", "Closing Price", "Price Change", "P/E Ratio"}},
    {"br52", {"Rank", "Company Name", "Symbol", "Closing price", "Price Change", "52-Week High", "52-Week Low", "% Change in Volume"}},
    {"brMA", {"Rank", "Company Name", "Symbol", "Volume", "50-Day Avg. Vol.", "Closing Price", "Price Change", "P/E Ratio"}},
    {"BrLM", {"Rank", "Company Name", "Symbol", "Total Dollars Traded", "50-Day Avg. Vol.", "Closing Price", "Price Change", "P/E Ratio"}},
};

// What tells the two fillers apart.
struct Filler
{
    int cols;
    QVariantList widths;
    int arrowCol;
    bool hideLastRows;
};

const QString kNoDataFor = QStringLiteral("No data for: ");

// The title row, the row heights, the widths and the arrows both fillers share.
void finishList(FlexGrid& grid, const ViewContext& ctx, const QString& caption, const Filler& f)
{
    SetColAlign(grid, {4, 1, 1, 7, 7, 7, 7, 7});
    AlignCells(grid, 0, 0, f.cols - 1, FlexGrid::flexAlignCenterCenter);
    grid.setTopRow(1);
    WriteTitle(grid, 1, 1, caption);
    grid.setRowHeight(0, 2 * ctx.stdRowHeight);
    grid.setRowHeight(1, 2 * ctx.stdRowHeight);
    if (grid.Rows() > 2)
        grid.setRowHeight(2, ctx.stdRowHeight);
    if (f.hideLastRows) {
        grid.setRowHeight(grid.Rows() - 1, 0);
        grid.setRowHeight(grid.Rows() - 2, 0);
    }
    SetColWidths(grid, f.widths);
    for (int r = 2; r < grid.Rows(); ++r)
        PutArrow(grid, r, grid.TextMatrix(r, f.arrowCol));
}

void fillMovers(const ViewContext& ctx, FlexGrid& grid, const QString& caption)
{
    QString text = ctx.readPage();
    text.remove(QLatin1Char('\t'));
    NormaliseTags(text, true, true, true, false);
    ReplaceAll(text, QLatin1String("TH"), QLatin1String("td"));
    ReplaceAll(text, QLatin1String("Th"), QLatin1String("td"));
    ReplaceAll(text, QLatin1String("&#187;"), QLatin1String());
    ReplaceAll(text, QLatin1String("</tr></table>"), QLatin1String());
    ReplaceAll(text, QLatin1String("<table cellpadding=0 cellspacing=0 border=0><tr>"), QLatin1String("</td>"));
    // The spacer row as the replacement of "TH" leaves it.
    ReplaceAll(text,
               QLatin1String("<tr WIDtd=\"100%\"><td COLSPAN=\"9\" BGCOLOR=\"#FFFFFF\">"
                             "<IMG SRC=\"/images/trans.gif\" WIDtd=1 HEIGHT=1></td></tr>"),
               QLatin1String());
    const QString table = CutBetween(text, QStringLiteral("<BR>Ratio"), QStringLiteral("Show"));

    PrepareGrid(grid, 2, 8, kWhite, 1);
    // The second non-empty cell of the table may carry a link; the list has no
    // column for it, so it is not kept and the list shows whole.
    ForEachUntilOpen(table, QLatin1String("<tr"), QLatin1String("</tr>"), [&](QStringView row) {
        QString line;
        ForEachElement(row, QLatin1String("<td"), QLatin1String("</td>"), [&](QStringView cell) {
            QString value = CleanedCell(cell);
            ReplaceAll(value, QLatin1String("&nbsp;"), QLatin1String(" "));
            value = rt::Trim(value);
            if (!value.isEmpty()) {
                line += value;
                line += QLatin1Char('\t');
            }
            return true;
        });
        grid.AddItem(line);
        return true;
    });
    finishList(grid, ctx, caption, Filler{8, {4, 22, 10, 12, 12, 12, 12, 12}, 6, true});
    const QString prefix = ctx.key.left(4);
    for (const Headings& h : kMoversHeadings) {
        if (prefix == QLatin1String(h.prefix)) {
            QVariantList texts;
            for (const char* t : h.texts)
                texts << QString::fromLatin1(t);
            SetHeaders(grid, texts);
            break;
        }
    }
    grid.setRedraw(true);
}

void fillMostActive(const ViewContext& ctx, FlexGrid& grid, const QString& caption)
{
    QString text = ctx.readPage();
    NormaliseTags(text, true, true, true, false);
    ReplaceAll(text, QLatin1String("TH"), QLatin1String("td"));
    ReplaceAll(text, QLatin1String("Th"), QLatin1String("td"));
    ReplaceAll(text, QLatin1String("&#187;"), QLatin1String());
    const QString table = CutBetween(text, QStringLiteral("Go To"), QStringLiteral("Here"));

    PrepareGrid(grid, 2, 9, kWhite, 1);
    ForEachUntilOpen(table, QLatin1String("<tr"), QLatin1String("icon_news.gif"), [&](QStringView row) {
        QString line;
        ForEachUntilOpen(row, QLatin1String("<td"), QLatin1String("</td>"), [&](QStringView cell) {
            // A cell of "&nbsp;" alone is not empty: it keeps its column as an empty field.
            QString value = CleanedCell(cell);
            ReplaceAll(value, QLatin1String("&nbsp;"), QLatin1String(" "));
            if (!value.isEmpty()) {
                line += rt::Trim(value);
                line += QLatin1Char('\t');
            }
            return true;
        });
        grid.AddItem(line);
        return true;
    });
    finishList(grid, ctx, caption, Filler{9, {4, 13, 12, 10, 0, 12, 12, 16, 16}, 5, false});
    const QString prefix = ctx.key.left(4);
    if (prefix == QLatin1String("BrDT") || prefix == QLatin1String("BrPU") || prefix == QLatin1String("BrPD"))
        SetHeaders(grid, {QString(), QStringLiteral("Symbol"), QStringLiteral("Company Name"), QStringLiteral("Price"),
                           QString(), QStringLiteral("Change"), QStringLiteral("% Change"), QStringLiteral("Volume"),
                           QStringLiteral("Dollars Traded")});
    grid.setRedraw(true);
}

// Errors 5 and 53 give "No data for: " and the title.
template <typename Fill>
void withNoData(const QString& caption, Fill fill)
{
    WithMessage(fill, {5, 53}, kNoDataFor + caption);
}

} // namespace

std::optional<MarketListTarget> MarketListFor(int index)
{
    const pages::TreeLeaf* leaf = pages::LeafOfMarketList(index);
    if (!leaf)
        return std::nullopt;
    return MarketListTarget{leaf->view, leaf->argument};
}

int MarketListMenuItem(int index)
{
    const pages::TreeLeaf* leaf = pages::LeafOfMarketList(index);
    return leaf ? leaf->menuItem : -1;
}

void MarkMarketListMenu(int index, MarketListPort& port)
{
    for (int item = 0; item < kMarketListMenuItems; ++item)
        port.setMenuChecked(item, false);
    const int item = MarketListMenuItem(index);
    if (item >= 0)
        port.setMenuChecked(item, true);
}

void ShowMarketList(int index, MarketListPort& port)
{
    MarkMarketListMenu(index, port);
    if (const auto target = MarketListFor(index))
        port.showView(target->code, target->key);
}

MoversTitle BigMoversTitle(const QString& fileName)
{
    const pages::PageKind* kind = nullptr;
    const pages::Member* member = pages::FindMember(fileName, &kind);
    if (!member || member->listTitle.isEmpty())
        return MoversTitle{};
    // The screener's pages are read by the most-active filler.
    return MoversTitle{member->listTitle, kind->id == pages::PageId::ScreenLists};
}

QString MostActiveTreeTitle(const QString& fileName)
{
    const pages::Member* member = pages::FindMember(fileName);
    return member ? member->treeTitle : QString();
}

QString BigMoversMessage()
{
    return QStringLiteral("No Data were found \r\nPlease update again.");
}

void BuildMarketList(const ViewContext& ctx, FlexGrid& grid)
{
    const QString treeTitle = MostActiveTreeTitle(ctx.key);
    if (!treeTitle.isEmpty())
        Pares_BR2(ctx, grid, treeTitle);
    else
        ShowBigMovers(ctx, grid);
}

void ShowBigMovers(const ViewContext& ctx, FlexGrid& grid)
{
    MoversTitle t;
    WithMessage([&] { t = BigMoversTitle(ctx.key); }, {5, 53}, BigMoversMessage());
    if (t.mostActive)
        Pares_BR2(ctx, grid, t.title);
    else
        Pares_BR(ctx, grid, t.title);
}

void Pares_BR(const ViewContext& ctx, FlexGrid& grid, const QString& caption)
{
    try {
        withNoData(caption, [&] { fillMovers(ctx, grid, caption); });
    } catch (const ViewError& e) {
        if (e.kind() == ViewError::Message)
            throw;
        // Other errors show nothing: the grid stays as it was.
        throw ViewError::untouched();
    } catch (const std::exception&) {
        throw ViewError::untouched();
    }
}

void Pares_BR2(const ViewContext& ctx, FlexGrid& grid, const QString& caption)
{
    auto tellAndLeave = [](const QString& description, int number) {
        Dialogs::MsgBox(description + QString::number(number));
        throw ViewError::untouched();
    };
    try {
        withNoData(caption, [&] { fillMostActive(ctx, grid, caption); });
    } catch (const ViewError& e) {
        if (e.kind() == ViewError::Message)
            throw;
        tellAndLeave(e.text(), e.errorNumber());
    } catch (const RuntimeError& e) {
        tellAndLeave(e.description(), e.number());
    } catch (const std::exception& e) {
        tellAndLeave(QString::fromLocal8Bit(e.what()), 0);
    }
}
