#include "sheets/QuoteParsers.h"

#include "core/Misc.h"
#include "pages/PageCatalogue.h"
#include "pages/PageText.h"
#include "platform/AppPath.h"
#include "platform/Codec.h"
#include "platform/Runtime.h"
#include "stockdata/ProgramState.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <QLoggingCategory>
#include <QStringList>

namespace {

Q_LOGGING_CATEGORY(lcQuoteParsers, "tradewright.sheets.quoteparsers")

const QString kQuote = QStringLiteral("\"");

// The first `count` lines of a text file as a line-by-line reader sees them: CR LF,
// LF and a lone CR each end a line; the line breaks themselves are dropped.
QList<QStringView> textLines(QStringView text, int count)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size() && lines.size() < count; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines << text.mid(start, i - start);
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (lines.size() < count && start < text.size())
        lines << text.mid(start);
    return lines;
}

// The first `count` comma-separated fields of line (fewer when the line has fewer),
// double quotes removed, trimmed. The rest of the line is not split.
QStringList leadingFields(QStringView line, int count)
{
    QStringList fields;
    qsizetype from = 0;
    while (fields.size() < count) {
        const qsizetype comma = line.indexOf(u',', from);
        QString field = line.mid(from, comma < 0 ? line.size() - from : comma - from).toString();
        fields << rt::Trim(field.remove(kQuote));
        if (comma < 0)
            break;
        from = comma + 1;
    }
    return fields;
}

// The page as one run of text: the line-by-line read drops every line break.
QString joinedPage(const QString& path)
{
    QString page = ReadFile(path);
    page.remove(u'\r');
    page.remove(u'\n');
    return page;
}

// 1-based search that answers 0 (not found) instead of failing for a start of 0.
int find(const QString& text, int from, const QString& marker)
{
    if (from < 1)
        return 0;
    return rt::InStr(from, text, marker);
}

// A cell's text between two positions: trimmed, tags dropped (everything up to the
// first '>' counts as the tag that holds the label), "&amp;" made "&", trimmed.
QString cleanedValue(const QString& page, int start, int end)
{
    QString piece = rt::Trim(rt::Mid(page, start, end - start));
    return rt::Trim(CleanCell(piece, false, true, false));
}

void storeIfAny(QString& field, const QString& value)
{
    if (!value.isEmpty())
        field = value;
}

} // namespace

QString QuotesCsvPath()
{
    return AppPath() + QStringLiteral("\\Cache\\DataSheet\\quotes_csv.txt");
}

QString QuotePagePath()
{
    // The page is asked for in the spelling its catalogue row gives the reader.
    return AppPath() + QStringLiteral("\\Cache\\DataSheet\\") +
           pages::Kind(pages::PageId::QuotePage).downloads.front().askedFileName;
}

void LoadQuotesCsv()
{
    try {
        bool ok = false;
        const QByteArray bytes = ReadBytes(QuotesCsvPath(), &ok);
        if (ok) {
            const QString text = fromCp1252(bytes);
            const QList<QStringView> lines = textLines(text, kStockRows);
            // The reply answers the symbols in the order they were asked, which is
            // the order of the set: line k belongs to row k.
            for (int k = 0; k < lines.size(); ++k) {
                const QStringView line = lines.at(k);
                if (line.isEmpty())
                    break;
                // Field n (1-based) is stored only when the line reaches it. The
                // volume, field 9, is the last one used: it runs to the next comma
                // or the end of the line.
                const QStringList fields = leadingFields(line, 9);
                auto put = [&](int n, QString& target) {
                    if (n <= fields.size())
                        target = fields.at(n - 1);
                };
                StockRec& rec = Stocks()[k];
                put(2, rec.LastPrice);
                put(3, rec.LastTradeTime);
                put(5, rec.PctChange);
                put(6, rec.OpenPrice);
                put(7, rec.DayHigh);
                put(8, rec.DayLow);
                put(9, rec.Volume);
            }
        }
    } catch (...) {
        // A quotes file that cannot be used changes nothing more.
        qCWarning(lcQuoteParsers) << "the quotes file was taken only in part";
    }
    QCoreApplication::processEvents();
}

QString ParseQuote(int row)
{
    if (row < 0 || row >= kStockRows)
        return QString();
    QString result;
    try {
        QString page = joinedPage(QuotePagePath());
        QCoreApplication::processEvents();
        if (page.isEmpty())
            return QString();

        page.remove(u'\t');
        ReplaceAll(page, QStringLiteral("TD"), QStringLiteral("td"));
        ReplaceAll(page, QStringLiteral("Td"), QStringLiteral("td"));
        ReplaceAll(page, QStringLiteral("<sup>"), QStringLiteral(" "));
        ReplaceAll(page, QStringLiteral("</sup>"), QString());
        ReplaceAll(page, QStringLiteral("<sub>"), QString());
        ReplaceAll(page, QStringLiteral("</sub>"), QString());
        NormaliseTags(page, true, true, true, true);

        StockRec& rec = Stocks()[row];
        // Position of the marker found last: the next label is searched from here.
        // A label that is missing stores nothing and leaves it where it was.
        int p = 1;
        // One label: its start marker from `from`, its end marker from the start.
        auto span = [&](int from, const QString& startMarker, const QString& endMarker, int& s, int& e) {
            s = find(page, from, startMarker);
            if (s == 0)
                return false;
            p = s;
            e = find(page, s, endMarker);
            if (e == 0)
                return false;
            p = e;
            return true;
        };
        auto cleanedStep = [&](const QString& startMarker, const QString& endMarker, QString& field, int from = -1) {
            int s = 0, e = 0;
            if (span(from < 0 ? p : from, startMarker, endMarker, s, e))
                storeIfAny(field, cleanedValue(page, s, e));
        };
        int s = 0, e = 0;

        // The company name is the first cell after the "Views" links, up to the
        // bracket that holds the symbol. It is stored even when empty.
        const int views = find(page, 1, QStringLiteral("Views"));
        if (span(views > 0 ? views + 1 : 1, QStringLiteral("<td"), QStringLiteral("("), s, e)) {
            rec.CompanyName = cleanedValue(page, s, e);
            result = rec.CompanyName;
        }

        // "Last Trade" shows the time, a middle dot and the price.
        int dot = 0;
        if (span(p, QStringLiteral("Last"), QStringLiteral("&#183;"), s, e)) {
            storeIfAny(rec.LastTradeTime, cleanedValue(page, s, e));
            dot = e;
        }
        if (dot > 0 && span(dot, QStringLiteral("&#183;"), QStringLiteral("</td>"), s, e))
            storeIfAny(rec.LastPrice, cleanedValue(page, s, e));

        // "Change" shows the change in price and the percentage in brackets.
        int bracket = 0;
        if (span(p, QStringLiteral("Change"), QStringLiteral("("), s, e)) {
            storeIfAny(rec.Change, cleanedValue(page, s, e));
            bracket = e;
        }
        if (bracket > 0 && span(bracket, QStringLiteral("("), QStringLiteral(")"), s, e))
            storeIfAny(rec.PctChange, rt::Trim(rt::Mid(page, s + 1, e - s - 1)));

        cleanedStep(QStringLiteral("Cls"), QStringLiteral("</td>"), rec.PrevClose);
        cleanedStep(QStringLiteral("Volume"), QStringLiteral("</td>"), rec.Volume);

        // The day's range reads "low - high"; the first "Range" of the page is it.
        int dash = 0;
        if (span(1, QStringLiteral("Range"), QStringLiteral("-"), s, e)) {
            storeIfAny(rec.DayLow, cleanedValue(page, s, e));
            dash = e;
        }
        if (dash > 0 && span(dash, QStringLiteral("-"), QStringLiteral("</td>"), s, e))
            storeIfAny(rec.DayHigh, rt::Trim(rt::Mid(page, s + 1, e - s - 1)));

        cleanedStep(QStringLiteral("Bid"), QStringLiteral("</td>"), rec.Bid);
        cleanedStep(QStringLiteral("Ask"), QStringLiteral("</td>"), rec.Ask);
        cleanedStep(QStringLiteral("Open"), QStringLiteral("</td>"), rec.OpenPrice);
        cleanedStep(QStringLiteral("Vol"), QStringLiteral("</td>"), rec.AvgVolume);
        cleanedStep(QStringLiteral("Div"), QStringLiteral("</td>"), rec.DivDate);

        // The 52-week range has the same "low - high" shape.
        dash = 0;
        if (span(1, QStringLiteral("week Range"), QStringLiteral("-"), s, e)) {
            storeIfAny(rec.YearLow, cleanedValue(page, s, e));
            dash = e;
        }
        if (dash > 0 && span(dash, QStringLiteral("-"), QStringLiteral("</td>"), s, e))
            storeIfAny(rec.YearHigh, rt::Trim(rt::Mid(page, s + 1, e - s - 1)));

        cleanedStep(QStringLiteral("Shr"), QStringLiteral("</td>"), rec.EPS);
        cleanedStep(QStringLiteral("P/E"), QStringLiteral("</td>"), rec.PERatio);
        cleanedStep(QStringLiteral("Cap<br>"), QStringLiteral("</td>"), rec.MarketCap);
        cleanedStep(QStringLiteral("Div/Shr<br>"), QStringLiteral("</td>"), rec.DivPerShare);
        cleanedStep(QStringLiteral("Yield<br>"), QStringLiteral("</td>"), rec.Yield);

        // The quote page carries neither; the columns show a dash.
        rec.Exchange = QStringLiteral("-");
        rec.Industry = QStringLiteral("-");
    } catch (...) {
        // Whatever was stored before the failure stays.
        qCWarning(lcQuoteParsers) << "the quote page was taken only in part";
    }
    return result;
}

void ParseRecentNews(const QString& symbol, const QString& pageFile, const QString& newsFile)
{
    Q_UNUSED(symbol);
    // The lines are appended to the list in one write when the parse ends, however it
    // ends: the lines taken so far stay in the list.
    QByteArray lines;
    const auto appendLines = qScopeGuard([&] {
        if (!lines.isEmpty() && !AppendBytes(newsFile, lines))
            qCWarning(lcQuoteParsers) << "the headlines could not be written to" << newsFile;
    });
    try {
        QString page = joinedPage(pageFile);
        QCoreApplication::processEvents();

        ReplaceAll(page, QStringLiteral("HTML"), QStringLiteral("html"));
        ReplaceAll(page, QStringLiteral("Html"), QStringLiteral("html"));
        const int htmlStart = find(page, 1, QStringLiteral("<html>"));
        const int htmlEnd = find(page, htmlStart, QStringLiteral("</html>"));
        if (htmlStart == 0 || htmlEnd == 0)
            return;
        page = rt::Mid(page, htmlStart, htmlEnd - htmlStart);

        page.remove(u'\t');
        page.remove(u'\n');
        ReplaceAll(page, QStringLiteral("  "), QString());
        NormaliseTags(page, true, true, true, true);
        ReplaceAll(page, QStringLiteral("TH"), QStringLiteral("td"));
        ReplaceAll(page, QStringLiteral("Th"), QStringLiteral("td"));
        ReplaceAll(page, QStringLiteral("&#187;"), QString());
        // "headline - <i>source</i>": the source becomes a cell of its own.
        ReplaceAll(page, QStringLiteral(" - <i>"), QStringLiteral("</td><td>"));

        // The headlines are the table after the one that follows "Recent News".
        const int heading = rt::InStr(1, page, QStringLiteral("Recent News"));
        const int firstTable = rt::InStr(heading + 1, page, QStringLiteral("<table"));
        const int listStart = rt::InStr(firstTable + 1, page, QStringLiteral("<table"));
        const int listEnd = find(page, listStart, QStringLiteral("</table>"));
        if (listStart == 0 || listEnd == 0)
            return;
        const QString list = rt::Mid(page, listStart, listEnd - listStart);

        int rowPos = 1;
        for (int round = 0; round < list.size(); ++round) {
            const int rowStart = rt::InStr(rowPos, list, QStringLiteral("<tr"));
            if (rowStart == 0)
                break;
            const int rowEnd = rt::InStr(rowStart, list, QStringLiteral("</tr>"));
            if (rowEnd == 0)
                return;
            const QString rowText = rt::Mid(list, rowStart, rowEnd - rowStart);
            rowPos = rowEnd;

            QString line;
            int cellPos = 1;
            int counter = 0;
            for (int cellRound = 0; cellRound < rowText.size(); ++cellRound) {
                const int cellStart = rt::InStr(cellPos, rowText, QStringLiteral("<td"));
                if (cellStart == 0)
                    break;
                const int cellEnd = rt::InStr(cellStart, rowText, QStringLiteral("</td>"));
                if (cellEnd == 0)
                    return;
                QString cell = rt::Mid(rowText, cellStart, cellEnd - cellStart);
                cellPos = cellEnd;
                if (counter == 4) {
                    // The fifth cell links to the story.
                    const QString link = CleanCell(cell, false, true, true);
                    if (!link.isEmpty())
                        line += QStringLiteral(" #") + link + QStringLiteral("#");
                }
                line += QStringLiteral(" ") + rt::Trim(CleanCell(cell, false, true, false));
                ++counter;
            }
            lines += toCp1252(kQuote + line + QStringLiteral(";") + kQuote + QStringLiteral("\r\n"));
        }
    } catch (...) {
        // The lines written so far stay in the list.
        qCWarning(lcQuoteParsers) << "the headlines were taken only in part";
    }
}
