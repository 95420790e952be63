#include "reports/Reports.h"

#include "core/Misc.h"
#include "pages/PageText.h"
#include "platform/AppPath.h"
#include "platform/BusyPointer.h"
#include "platform/Clock.h"
#include "platform/Codec.h"
#include "platform/Dialogs.h"
#include "platform/DoEvents.h"
#include "platform/Runtime.h"
#include "reports/QuoteExport.h"
#include "platform/Shell.h"
#include "platform/Sites.h"
#include "reports/ReportMembers.h"
#include "reports/ReportPictures.h"
#include "stockdata/EntryRules.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Stocks.h"

#include <QLocale>
#include <QLoggingCategory>

#include <algorithm>
#include <exception>

Q_LOGGING_CATEGORY(lcReports, "tradewright.reports")

using namespace reports;

QString Reports::HtmlPageHead(const QString& bgColor, const QString& title, const QString& subTitle)
{
    QString head = QStringLiteral("<HTML>\r\n<HEAD>\r\n<TITLE>Tradewright</TITLE></HEAD>\r\n<BODY");
    if (!bgColor.isEmpty())
        head += QStringLiteral(" BGCOLOR=\"") + bgColor + QStringLiteral("\" ");
    head += QStringLiteral(">\r\n<P><CENTER><FONT SIZE=\"+1\" FACE=\"Times New Roman\"><H2>") + title
            + QStringLiteral("</H2>\r\n<U><B>") + subTitle + QStringLiteral("</B></U></FONT></CENTER>");
    return head;
}

QString Reports::HtmlTableOpen(const QString& border, const QString& cellSpacing, const QString& cellPadding,
                               const QString& width, const QString& height)
{
    QString open = QStringLiteral("<P><CENTER><TABLE ");
    const std::pair<const char*, const QString*> attributes[] = {
        {"BORDER", &border}, {"CELLSPACING", &cellSpacing}, {"CELLPADDING", &cellPadding},
        {"WIDTH", &width},   {"HEIGHT", &height},
    };
    for (const auto& [name, value] : attributes)
        if (!value->isEmpty())
            open += QLatin1Char(' ') + QLatin1String(name) + QStringLiteral("=\"") + *value + QStringLiteral("\" ");
    return open + QStringLiteral(">\r\n");
}

QString Reports::Footer()
{
    // The date and time in fixed forms, whatever the desktop's language.
    const QDateTime now = Clock::Now();
    const QLocale c = QLocale::c();
    return QStringLiteral("</TABLE></CENTER></P><P><CENTER><HR></CENTER></P><P><I>Made By Tradewright 5.0</I>"
                          "<BR><i>Last updated:\r\n")
           + c.toString(now.date(), QStringLiteral("M/d/yyyy")) + QLatin1Char(' ')
           + c.toString(now.time(), QStringLiteral("h:mm:ss AP")) + QStringLiteral(" </i></BODY></HTML>");
}

bool Reports::SymbolAccepted(const QString& symbol)
{
    if (IsFileSafeSymbol(symbol))
        return true;
    Dialogs::MsgBox(QStringLiteral("No report was written: the symbol \"") + symbol
                        + QStringLiteral("\" cannot be part of a file name."),
                    Dialogs::vbExclamation, QStringLiteral("Reports"));
    return false;
}

QString Reports::DataSheetPath(const QString& symbol, const QString& suffix)
{
    return ResolvePath(AppPath() + QStringLiteral("/Cache/DataSheet/") + symbol + suffix);
}

QString Reports::ReportPath(const QString& folder, const QString& fileName)
{
    QString dir = AppPath() + QStringLiteral("/Cache/Reports");
    if (!folder.isEmpty())
        dir += QLatin1Char('/') + folder;
    dir = ResolvePath(dir);
    if (!MakeDir(dir))
        qCWarning(lcReports) << "the report folder" << dir << "could not be made";
    return ResolvePath(dir + QLatin1Char('/') + fileName);
}

bool Reports::WriteReport(const QString& path, const QString& page, QString* why)
{
    return WriteReport(path, toCp1252(page), why);
}

bool Reports::WriteReport(const QString& path, const QByteArray& bytes, QString* why)
{
    QString reason;
    const bool ok = ReplaceFile(path, bytes, QByteArrayLiteral("\r\n"), false, &reason);
    if (!ok)
        qCWarning(lcReports) << "the report" << path << "was not written:" << reason;
    if (why)
        *why = reason;
    return ok;
}

void Reports::OpenReport(const QString& path)
{
    Shell::Open(path);
}

void Reports::SayNotWritten(const QString& path, const QString& why, const QString& title)
{
    Dialogs::MsgBox(NotWrittenText(path, why), Dialogs::vbExclamation + Dialogs::vbOKOnly, title);
}

bool Reports::PublishReport(const QString& path, const QByteArray& bytes, std::initializer_list<const char*> pictures)
{
    QString why;
    const bool written = WriteReport(path, bytes, &why);
    DoEvents();
    if (!written) {
        SayNotWritten(path, why, QStringLiteral("Reports"));
        return false;
    }
    for (const char* picture : pictures)
        PutReportPicture(QLatin1String(picture));
    OpenReport(path);
    DoEvents();
    return true;
}

QStringView Reports::OptionData(const QString& page)
{
    const int puts = FindText(1, page, QStringLiteral("Puts"));
    const int interest = FindText(puts + 1, page, QStringLiteral("Int"));
    return QStringView(page).mid(interest);
}

QString Reports::ReportFileName(const QString& viewCode, const QString& symbol)
{
    const Member* m = findMember(viewCode);
    if (!m)
        return QString();
    return m->folder + QLatin1Char('/') + symbol + m->name;
}

QString Reports::BuildPage(const QString& viewCode, const QString& page, const QString& companyName)
{
    const Member* m = findMember(viewCode);
    if (!m)
        return QString();
    const Frame frame{HtmlPageHead(QLatin1String(m->colour), EscapeHtmlText(companyName), m->subtitle)
                          + HtmlTableOpen(QLatin1String(m->border), QLatin1String(m->spacing),
                                          QLatin1String(m->padding), QStringLiteral("100%"), QString()),
                      Footer()};
    return m->build(page, frame);
}

void Reports::run(const QString& viewCode, const QString& symbol)
{
    const Member* m = findMember(viewCode);
    if (!m || symbol.isEmpty() || !SymbolAccepted(symbol))
        return;
    BusyPointer busy;
    const QString page = ReadFile(DataSheetPath(symbol, m->suffix));
    DoEvents();
    if (m->question && OptionData(page).size() > 30000) {
        if (Dialogs::MsgBox(QLatin1String(m->question), Dialogs::vbOKCancel + Dialogs::vbInformation,
                            QStringLiteral("To many records"))
            == Dialogs::vbCancel)
            return;
    }
    QString report;
    try {
        report = BuildPage(viewCode, page, GetSelectedName());
    } catch (const std::exception& e) {
        // A step that fails is passed over: the report keeps its footer.
        qCWarning(lcReports) << "the report" << viewCode << "of" << symbol << "could not be laid out:" << e.what();
        report = Footer();
    }
    PublishReport(ReportPath(m->folder, symbol + m->name), toCp1252(report));
}

void Reports::H_ABS(const QString& symbol) { run(QStringLiteral("ABS"), symbol); }
void Reports::H_AIS(const QString& symbol) { run(QStringLiteral("AIS"), symbol); }
void Reports::H_Calls(const QString& symbol) { run(QStringLiteral("Call"), symbol); }
void Reports::H_Puts(const QString& symbol) { run(QStringLiteral("Put"), symbol); }
void Reports::H_IT(const QString& symbol) { run(QStringLiteral("IT"), symbol); }
void Reports::H_EC(const QString& symbol) { run(QStringLiteral("EC"), symbol); }
void Reports::H_ER(const QString& symbol) { run(QStringLiteral("ER"), symbol); }
void Reports::H_EH(const QString& symbol) { run(QStringLiteral("EH"), symbol); }
void Reports::H_EG(const QString& symbol) { run(QStringLiteral("EG"), symbol); }
void Reports::H_QR(const QString& symbol) { run(QStringLiteral("QR"), symbol); }
void Reports::H_SI(const QString& symbol) { run(QStringLiteral("SI"), symbol); }

QString Reports::BuildCurrentPage()
{
    QString page = HtmlPageHead(QStringLiteral("#EFFAF9"), QStringLiteral("Current Stock Prices"), QString())
                   + HtmlTableOpen(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("3"),
                                   QStringLiteral("100%"), QString())
                   + QStringLiteral("<TR>\r\n");
    static const char* const captions[] = {
        "&nbsp;", "Companey", "Last Sale", "Change", "% Change", "Volume", "Today's High",
        "Today's Low", "Bid", "Ask", "Last Trade Size", "Open", "Previous Close", "52 Week High",
        "52 Week Low", "EPS", "P/E Ratio", "Dividend Per Share", "Exchange", "Industry", "Last Update",
    };
    for (const char* caption : captions)
        page += QStringLiteral("<th align=\"center\" nowrap>") + QLatin1String(caption) + QStringLiteral("</th>\r\n");
    page += QStringLiteral("</tr>\r\n<tr>\r\n");

    const QString left = QStringLiteral("<td align=\"left\" nowrap><font size=-1>");
    const QString right = QStringLiteral("<td align=\"right\" nowrap><font size=-1>");
    const QString centre = QStringLiteral("<td align=\"center\" nowrap><font size=-1>");
    const auto& stocks = Stocks();
    const int count = std::clamp<int>(StockCount(), 0, kStockRows);
    for (int i = 0; i < count; ++i) {
        const StockRec& r = stocks[static_cast<std::size_t>(i)];
        // The coloured change is field 6 (PctChange): "-" down, "0" unchanged, any
        // other text (an empty one too) up.
        QString image = QStringLiteral("<td align=\"center\"><img src=\"../../up.gif\"></td>");
        QString changeCell = QStringLiteral("<td align=\"right\" nowrap><font size=-1 color=#006600>");
        if (r.PctChange.startsWith(QLatin1Char('-'))) {
            image = QStringLiteral("<td align=\"center\"><img src=\"../../dn.gif\"></td>");
            changeCell = QStringLiteral("<td align=\"right\" nowrap><font size=-1 color=#ff0000>");
        } else if (r.PctChange.startsWith(QLatin1Char('0'))) {
            image = QStringLiteral("<td align=\"center\">&nbsp;</td>");
            changeCell = QStringLiteral("<td align=\"right\" nowrap><font size=-1 color=#000000>");
        }
        page += image;
        const std::pair<const QString*, const QString*> cells[] = {
            {&left, &r.CompanyName}, {&right, &r.LastPrice},     {&right, &r.Change},        {&changeCell, &r.PctChange},
            {&right, &r.Volume},     {&right, &r.DayHigh},       {&right, &r.DayLow},        {&right, &r.Bid},
            {&right, &r.Ask},        {&centre, &r.LastTradeSize}, {&right, &r.OpenPrice},    {&right, &r.PrevClose},
            {&right, &r.YearHigh},   {&right, &r.YearLow},       {&centre, &r.EPS},          {&centre, &r.PERatio},
            {&centre, &r.DivPerShare}, {&left, &r.Exchange},     {&left, &r.Industry},       {&centre, &r.LastTradeTime},
        };
        for (const auto& [opening, text] : cells)
            page += *opening + EscapeHtmlText(*text) + QStringLiteral("</font></td>\r\n");
        page += QStringLiteral("</tr>\r\n<tr>\r\n");
    }
    page += QStringLiteral("</tr>\r\n") + Footer();
    return page;
}

void Reports::H_Current()
{
    BusyPointer busy;
    const QString path = ReportPath(QString(), QStringLiteral("Stock Prices.Htm"));
    DoEvents();
    PublishReport(path, toCp1252(BuildCurrentPage()), {"up.gif", "dn.gif"});
}

void Reports::Export(int Index)
{
    QuoteExport::Export(Index);
}

void Reports::HtmlReport(const QString& viewCode, const QString& symbol, bool fromMainWindow)
{
    if (viewCode == QLatin1String("Current"))
        H_Current();
    if (symbol.isEmpty())
        return;
    const Member* m = findMember(viewCode);
    if (!m || (m->mainWindowOnly && !fromMainWindow))
        return;
    run(viewCode, symbol);
}
