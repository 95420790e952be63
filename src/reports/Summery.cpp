#include "reports/Summery.h"

#include "core/ErrorLog.h"
#include "core/Misc.h"
#include "pages/PageCatalogue.h"
#include "pages/PageText.h"
#include "platform/BusyPointer.h"
#include "platform/Clock.h"
#include "platform/DoEvents.h"
#include "platform/Runtime.h"
#include "platform/Sites.h"
#include "reports/ReportLayout.h"
#include "reports/Reports.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Stocks.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>
#include <vector>

using namespace summary;

namespace {

const char* const kHeadline = "<B><FONT SIZE=\"+1\" FACE=\"Times New Roman\" color=\"#009999\"><U>";

} // namespace

QString Summery::Table(const QString& width, const QString& border, const QString& spacing, const QString& inset)
{
    return QLatin1String("<TABLE WIDTH=") + width + QLatin1String(" BORDER=") + border
           + QLatin1String(" CELLSPACING=") + spacing + QLatin1String(" CELLPADDING=") + inset + QLatin1String(">");
}

namespace {

QString standardTable()
{
    return Summery::Table(QStringLiteral("100%"), QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("0"));
}

// What follows the data of a Table1.
const QLatin1String kTable1Close("\r\n</TABLE></CENTER></P><BR>");

// The opening of a Table1, up to its data, appended to page in place.
void openTable1(QString& page, const QString& headline)
{
    page += QLatin1String("<P><CENTER>");
    page += QLatin1String(kHeadline);
    page += headline;
    page += QLatin1String("</U></FONT></B> <CENTER>");
    page += standardTable();
    page += rt::CrLf;
}

// Table1 appended to page in place.
void appendTable1(QString& page, const QString& headline, const QString& data)
{
    openTable1(page, headline);
    page += data;
    page += kTable1Close;
}

} // namespace

QString Summery::Table1(const QString& headline, const QString& data)
{
    QString box;
    appendTable1(box, headline, data);
    return box;
}

QString Summery::RowPrice(const QString& label1, const QString& value1, const QString& label2, const QString& value2)
{
    return QLatin1String("<TR><TD WIDTH=\"25%\" nowrap><b><FONT COLOR=\"#000080\" face=\"Arial\" size=\"2\">&nbsp;")
           + label1
           + QLatin1String("</FONT></b></TD><TD WIDTH=\"25%\" nowrap><Font face=\"Arial\" size=\"2\">&nbsp;") + value1
           + QLatin1String("</Font></TD><TD WIDTH=\"25%\"><b><Font color=\"#000080\" face=\"Arial\" size=\"2\">&nbsp;")
           + label2 + QLatin1String("</Font></b></td><td WIDTH=\"25%\"><Font face=\"Arial\" size=\"2\">&nbsp;")
           + value2 + QLatin1String("</Font></td></TR>") + rt::CrLf;
}

QString Summery::TablePrice()
{
    const int index = CurrentIndex();
    const StockRec r = index >= 0 && index < kStockRows ? Stocks()[static_cast<std::size_t>(index)] : StockRec();
    QString box = QLatin1String("<P><CENTER>") + standardTable()
                  + QLatin1String("<TR><TD COLSPAN=\"2\" align=\"CENTER\">") + QLatin1String(kHeadline)
                  + QLatin1String("Latest Prices</U></FONT></B></TD></TR>"
                                  "<TR><TD COLSPAN=\"2\"><P><CENTER><TABLE BORDER=\"1\" CELLSPACING=\"0\" "
                                  "CELLPADDING=\"0\">");
    // "Change:" shows field 7 and "$ Change :" field 6, as the quote table stores them.
    const std::pair<const char*, const QString*> rows[][2] = {
        {{"Symbol:", &r.Symbol}, {"", nullptr}},
        {{"Last Update:", &r.LastTradeTime}, {"Open:", &r.OpenPrice}},
        {{"Last Sale:", &r.LastPrice}, {"Previous Close:", &r.PrevClose}},
        {{"Change:", &r.Change}, {"$ Change :", &r.PctChange}},
        {{"Today High:", &r.DayHigh}, {"Today Low:", &r.DayLow}},
        {{"Volume:", &r.Volume}, {"EPS:", &r.EPS}},
        {{"Ask:", &r.Ask}, {"Bid:", &r.Bid}},
        {{"52 Week High:", &r.YearHigh}, {"52 Week Low:", &r.YearLow}},
        {{"Last Trade Size:", &r.LastTradeSize}, {"Dividend Per Share:", &r.DivPerShare}},
        {{"Industry:", &r.Industry}, {"Exchange:", &r.Exchange}},
        {{"P/E Ratio:", &r.PERatio}, {"", nullptr}},
    };
    const auto value = [](const QString* field) { return field ? EscapeHtmlText(*field) : QString(); };
    for (const auto& row : rows)
        box += RowPrice(QLatin1String(row[0].first), value(row[0].second), QLatin1String(row[1].first),
                        value(row[1].second));
    return box + QLatin1String("</TABLE></CENTER></TD></TR></TABLE></CENTER></P><BR>");
}

QString Summery::S_Profile()
{
    m_progress.caption(QStringLiteral("Processing stock profile report, please wait.."));
    const QString path =
        Reports::DataSheetPath(CurrentSymbol(), pages::StockPageSuffix(pages::Kind(pages::PageId::Profile)));
    if (!QFileInfo(path).isFile())
        return kNoData;
    const QString file = ReadFile(path);
    m_progress.pass();
    // The page is read whole and then once more line by line, its lines joined
    // without line ends.
    QString text = file;
    text.reserve(file.size() * 2);
    for (const QChar c : file)
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            text += c;
    m_progress.pass();

    const int p1 = FindText(1, text, QStringLiteral("hr"));
    if (p1 == 0)
        return QString();
    const int p2 = FindText(p1, text, QStringLiteral("<hr"));
    if (p2 == 0)
        return QString();
    QString part = CutText(text, p1, p2 - p1);
    QString profile = rt::Trim(CleanCell(part, false, true, false));
    if (profile.isEmpty())
        return QString();
    profile = EscapeHtmlText(profile);
    profile.replace(QLatin1String(". "), QLatin1String(".<BR>"));
    return profile;
}

QString Summery::ProfileChart()
{
    const QString symbol = CurrentSymbol();
    if (CountConnections() == 0)
        return QLatin1String("<FONT Size=-2>Connect to the Internet to view ") + EscapeHtmlText(symbol)
               + QLatin1String(" chart</FONT>");
    const QString address = Sites::Address(Site::ChartImages, QLatin1String("/c/3m/") + symbol.left(1).toLower()
                                                                  + QLatin1Char('/') + symbol
                                                                  + QLatin1String(".gif"));
    return QLatin1String("<img border=\"0\" src=\"") + EscapeHtmlAttribute(address) + QLatin1String("\">");
}

QString Summery::S_AR()
{
    // Halves go to the even neighbour; a rating outside 1..5 is taken to the nearer
    // end before it becomes a whole number. One that is no number is no rating.
    const double rating = std::nearbyint(GetRecommendation(CurrentSymbol()));
    if (rating == 0 || !std::isfinite(rating))
        return QString();
    const int r = static_cast<int>(std::clamp(rating, 1.0, 5.0));
    const double w = ((100 - 650 / 100.0) * (5 - r) + (250 / 100.0) * r) / 4;
    const int W = static_cast<int>(std::round(w));

    QString bar = rt::CrLf + QLatin1String("<P><CENTER>") + QLatin1String(kHeadline)
                  + QLatin1String("Analyst's Recommendation</U></FONT></B> <table border=\"0\" width=\"100%\"><tr>");
    static const std::pair<const char*, const char*> labels[] = {
        {"LEFT", "Sell"}, {"LEFT", "Underpreform"}, {"center", "Hold"}, {"center", "Buy"}, {"RIGHT", "Strong Buy"},
    };
    for (const auto& [align, label] : labels)
        bar += rt::CrLf + QLatin1String("<td width=\"20%\" align=\"") + QLatin1String(align)
               + QLatin1String("\"><i><b><font face=\"Times New Roman\" size=\"2\" color=\"#808080\">")
               + QLatin1String(label) + QLatin1String("</font></b></i></td>");
    bar += rt::CrLf + QLatin1String("</tr></table>") + standardTable() + rt::CrLf;
    bar += QLatin1String("<tr><td width=\"") + QString::number(W + 10)
           + QLatin1String("%\" bgcolor=\"#0000FF\" background=\"../../../bar.jpg\">&nbsp;</td>")
           + QLatin1String("<td width=\"1%\" bgcolor=\"#FF0000\" valign=\"middle\" align=\"center\" "
                           "background=\"../../../gmb.jpg\">&nbsp;</td>")
           + QLatin1String("<td width=\"") + QString::number(100 - W)
           + QLatin1String("%\" bgcolor=\"#0000FF\" background=\"../../../bar.jpg\">&nbsp;</td></tr></TABLE>"
                           "</CENTER></P><BR>");
    return bar;
}

QString Summery::ClosingBlock()
{
    return QStringLiteral("<P><CENTER><HR><I><FONT SIZE=-1>Made By:</FONT></I> "
                          "<B><FONT COLOR=\"#009999\">Tradewright</FONT></B></CENTER></P></CENTER></BODY></HTML>");
}

std::vector<QString> Summery::PagePieces(const Flags& flags)
{
    const QString name = EscapeHtmlText(GetSelectedName());
    QString page = QLatin1String("<HTML><HEAD><TITLE>") + name
                   + QLatin1String(" Summary</TITLE></HEAD><BODY BGCOLOR=\"#ffffff\">") + rt::CrLf
                   + QLatin1String("<P><CENTER><B><U><FONT SIZE=\"+3\" FACE=\"Times New Roman\">") + name
                   + QLatin1String("</FONT></U></B></CENTER></P><P><CENTER><FONT SIZE=\"+1\" FACE=\"Times New "
                                   "Roman\"><B>Summary</B></FONT></CENTER></P><P ALIGN=RIGHT>")
                   + rt::CrLf
                   + QLatin1String("<TABLE BORDER=\"0\" CELLSPACING=\"0\" CELLPADDING=\"0\"><TR><TD WIDTH=\"50%\">"
                                   "&nbsp;<I><FONT SIZE=\"-1\">Last Update:</FONT></I></TD><TD WIDTH=\"50%\">&nbsp;")
                   + QLocale::system().toString(Clock::Now().date(), QLocale::ShortFormat)
                   + QLatin1String("</TD></TR></TABLE></P>");

    if (flags[Pr] == 1) {
        const QString profile = S_Profile();
        page += rt::CrLf + QLatin1String("<P><CENTER>") + standardTable()
                + QLatin1String("<TR><TD WIDTH=\"70%\">") + QLatin1String(kHeadline)
                + QLatin1String("Profile:</U></FONT></B></TD><TD WIDTH=\"30%\">") + QLatin1String(kHeadline)
                + QLatin1String("Chart:</U></FONT></B>&nbsp;</TD></TR>") + rt::CrLf
                + QLatin1String("<TR><TD WIDTH=\"70%\" BGCOLOR=\"#fffddd\"><FONT SIZE=-1 Face=\"Times New Roman\">"
                                "&nbsp;")
                + profile + QLatin1String("</FONT></TD>") + rt::CrLf
                + QLatin1String("<TD WIDTH=\"30%\" ALIGN=\"CENTER\" BGCOLOR=\"#fffddd\">") + ProfileChart()
                + QLatin1String("&nbsp;</TD></TR></TABLE></CENTER></P>");
    }
    if (flags[AR] == 1)
        page += rt::CrLf + S_AR();
    if (flags[LP] == 1)
        page += rt::CrLf + TablePrice();
    // Each box goes between the opening and the closing of its table, as Table1 lays it out.
    std::vector<QString> pieces;
    PageReads reads(CurrentSymbol());
    for (const Section& section : Sections()) {
        if (flags[section.flag] != 1)
            continue;
        QString box = SectionBox(section, reads, m_progress);
        page += rt::CrLf;
        openTable1(page, section.headline);
        pieces.push_back(std::move(page));
        pieces.push_back(std::move(box));
        page = kTable1Close;
    }
    page += rt::CrLf;
    page += ClosingBlock();
    pieces.push_back(std::move(page));
    return pieces;
}

QString Summery::BuildPage(const Flags& flags)
{
    const std::vector<QString> pieces = PagePieces(flags);
    qsizetype size = 0;
    for (const QString& piece : pieces)
        size += piece.size();
    QString page;
    reports::reserveLarge(page, size);
    for (const QString& piece : pieces)
        page += piece;
    return page;
}

void Summery::GanarateHTML(const Flags& flags)
{
    const QString symbol = CurrentSymbol();
    if (!Reports::SymbolAccepted(symbol))
        return;
    BusyPointer busy;
    // The page goes to the file's encoding piece by piece, not through a whole page of text first.
    QByteArray bytes;
    try {
        const std::vector<QString> pieces = PagePieces(flags);
        qsizetype size = 0;
        for (const QString& piece : pieces)
            size += piece.size();
        reports::reserveLarge(bytes, size);
        for (const QString& piece : pieces)
            reports::appendCp1252(bytes, piece);
    } catch (const std::exception& e) {
        LogError(QString::fromLocal8Bit(e.what()), 0, QStringLiteral("Tradewright"),
                 QStringLiteral("Summery_GanarateHTML"), false);
        return;
    }
    const QString path = Reports::ReportPath(QStringLiteral("Summary"), symbol + QLatin1String(".htm"));
    DoEvents();
    Reports::PublishReport(path, bytes, {"bar.jpg", "gmb.jpg"});
}
