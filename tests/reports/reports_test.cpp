// The HTML reports: the frame, each member on a small page, the file names, the
// current-prices report, the escaping of data texts, unsafe symbols, the size
// question of the option reports and the report menus' dispatch.

#include "IsolatedStore.h"

#include "platform/AppPath.h"
#include "platform/Clock.h"
#include "platform/Codec.h"
#include "platform/Dialogs.h"
#include "reports/ReportPictures.h"
#include "reports/Reports.h"
#include "reports/Summery.h"
#include "sheets/ReportsPort.h"
#include "stockdata/ProgramState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include <sys/resource.h>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString fixture(const char* name)
{
    QFile f(QStringLiteral(TW_FIXTURES "/reports/") + QLatin1String(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return fromCp1252(f.readAll());
}

// "<TD ..>" cell templates of the balance sheet.
QString left50(const QString& text)
{
    return QStringLiteral("<TD WIDTH=\"50%\"><FONT color=#484848 size=-1>") + text + QStringLiteral("</FONT></td>\r\n");
}

QString right10(const QString& text)
{
    return QStringLiteral("<TD ALIGN=\"RIGHT\" WIDTH=\"10%\"><FONT color=#484848 size=-1>") + text
           + QStringLiteral("</FONT></td>\r\n");
}

class ReportsTest : public IsolatedStore
{
protected:
    void SetUp() override
    {
        IsolatedStore::SetUp();
        ResetProgramState();
        Clock::setFixed(QDateTime(QDate(2026, 12, 10), QTime(14, 5, 9)));
        Stocks()[0].Symbol = QStringLiteral("IBM");
        Stocks()[0].CompanyName = QStringLiteral("Intl Machines");
        StockCount() = 1;
        CurrentSymbol() = QStringLiteral("IBM");
        QDir().mkpath(AppPath() + QStringLiteral("/Cache/DataSheet"));
    }
    void TearDown() override
    {
        ResetProgramState();
        IsolatedStore::TearDown();
    }

    void page(const QString& fileName, const QString& text)
    {
        ASSERT_TRUE(WriteFileAtomic(AppPath() + QStringLiteral("/Cache/DataSheet/") + fileName, toCp1252(text)));
    }
    QString report(const QString& relative) const
    {
        return fromCp1252(ReadBytes(AppPath() + QStringLiteral("/Cache/Reports/") + relative));
    }
    bool reportExists(const QString& relative) const
    {
        return FileExists(AppPath() + QStringLiteral("/Cache/Reports/") + relative);
    }
    QString reportPath(const QString& relative) const
    {
        return ResolvePath(AppPath() + QStringLiteral("/Cache/Reports/") + relative);
    }
    static QString footer()
    {
        return QStringLiteral("</TABLE></CENTER></P><P><CENTER><HR></CENTER></P><P><I>Made By Tradewright 5.0</I>"
                              "<BR><i>Last updated:\r\n12/10/2026 2:05:09 PM </i></BODY></HTML>\r\n");
    }
    static QString head(const char* colour, const QString& title, const char* subtitle, const char* border,
                        const char* spacing, const char* padding)
    {
        return Reports::HtmlPageHead(QLatin1String(colour), title, QLatin1String(subtitle))
               + Reports::HtmlTableOpen(QLatin1String(border), QLatin1String(spacing), QLatin1String(padding),
                                        QStringLiteral("100%"), QString());
    }

    Reports reports;
};

TEST_F(ReportsTest, HeadAndTableOpeningWithAndWithoutAColour)
{
    EXPECT_EQ(Reports::HtmlPageHead(QStringLiteral("#FFFEEA"), QStringLiteral("Title"), QStringLiteral("Sub")),
              QStringLiteral("<HTML>\r\n<HEAD>\r\n<TITLE>Tradewright</TITLE></HEAD>\r\n<BODY BGCOLOR=\"#FFFEEA\" >\r\n"
                             "<P><CENTER><FONT SIZE=\"+1\" FACE=\"Times New Roman\"><H2>Title</H2>\r\n"
                             "<U><B>Sub</B></U></FONT></CENTER>"));
    EXPECT_EQ(Reports::HtmlPageHead(QString(), QStringLiteral("T"), QString()),
              QStringLiteral("<HTML>\r\n<HEAD>\r\n<TITLE>Tradewright</TITLE></HEAD>\r\n<BODY>\r\n"
                             "<P><CENTER><FONT SIZE=\"+1\" FACE=\"Times New Roman\"><H2>T</H2>\r\n"
                             "<U><B></B></U></FONT></CENTER>"));
    EXPECT_EQ(Reports::HtmlTableOpen(QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("3"),
                                     QStringLiteral("100%"), QString()),
              QStringLiteral("<P><CENTER><TABLE  BORDER=\"0\"  CELLSPACING=\"1\"  CELLPADDING=\"3\"  WIDTH=\"100%\" >\r\n"));
    EXPECT_EQ(Reports::HtmlTableOpen(QString(), QString(), QString(), QString(), QStringLiteral("4")),
              QStringLiteral("<P><CENTER><TABLE  HEIGHT=\"4\" >\r\n"));
}

TEST_F(ReportsTest, BalanceSheetWholeFile)
{
    page(QStringLiteral("IBM_ABS.Sh"), fixture("abs.Sh"));
    reports.H_ABS(QStringLiteral("IBM"));

    const QString heading = QStringLiteral("</TD></TR><TR><TD HEIGHT=\"30\" ROWSPAN=\"2\" COLSPAN=\"6\" VALIGN=\"BOTTOM\"><b><u>");
    const QString expected =
        head("#FFFEEA", QStringLiteral("Intl Machines"), "Annual Balance Sheet", "0", "1", "0") + QStringLiteral("<TR>")
        + left50(QStringLiteral("Period Ending")) + right10(QStringLiteral("Dec 2025")) + right10(QStringLiteral("Dec 2024"))
        + QStringLiteral("</tr>\r\n<tr>\r\n")
        // The heading goes out in slot 4 and the source row's next cell in slot 5.
        + right10(heading + QStringLiteral("Assets</u></b></TD></TR><TR>")) + right10(QStringLiteral("right after"))
        + QStringLiteral("</tr>\r\n<tr>\r\n")
        // Six cells of a longer row.
        + left50(QStringLiteral("Cash")) + right10(QStringLiteral("1")) + right10(QStringLiteral("2"))
        + right10(QStringLiteral("3")) + right10(QStringLiteral("4")) + right10(QStringLiteral("5"))
        + QStringLiteral("</tr>\r\n<tr>\r\n")
        // Every doubled i goes, inside words too; the tab is a blank.
        + left50(QStringLiteral("Skng gear")) + right10(QStringLiteral("10")) + QStringLiteral("</tr>\r\n<tr>\r\n")
        // The heading's own "&amp;" is not escaped again.
        + right10(heading + QStringLiteral("Liabilities &amp; Shareholder's Equity</u></b></TD></TR><TR>"))
        + QStringLiteral("</tr>\r\n<tr>\r\n")
        // A data "&" is escaped, entities stay.
        + left50(QStringLiteral("R&amp;D &lt; plan&nbsp;")) + right10(QStringLiteral("4"))
        + QStringLiteral("</tr>\r\n<tr>\r\n")
        // A row without cells is an empty row.
        + QStringLiteral("</tr>\r\n") + footer();
    EXPECT_EQ(report(QStringLiteral("Annual Balance Sheet/IBM.htm")), expected);
    EXPECT_EQ(test::shell().opened, QStringList{reportPath(QStringLiteral("Annual Balance Sheet/IBM.htm"))});
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ReportsTest, PageWithoutAnchorGivesFooterOnlyAndASecondRunReplacesTheFirst)
{
    page(QStringLiteral("IBM_ABS.Sh"), fixture("abs.Sh"));
    reports.H_ABS(QStringLiteral("IBM"));
    ASSERT_TRUE(report(QStringLiteral("Annual Balance Sheet/IBM.htm")).contains(QStringLiteral("Cash")));

    page(QStringLiteral("ibm_abs.sh"), QStringLiteral("<table><tr><td>Cash</td></tr></table>"));
    QFile::remove(AppPath() + QStringLiteral("/Cache/DataSheet/IBM_ABS.Sh"));
    reports.H_ABS(QStringLiteral("IBM"));
    EXPECT_EQ(report(QStringLiteral("Annual Balance Sheet/IBM.htm")), footer());
    EXPECT_EQ(test::shell().opened.size(), 2);
    // Nothing but the report is left in its folder.
    EXPECT_EQ(QDir(AppPath() + QStringLiteral("/Cache/Reports/Annual Balance Sheet")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("IBM.htm")});
}

TEST_F(ReportsTest, RewritesGoLeftToRightWithoutOverlap)
{
    // "iii" loses its first pair only; a growing rewrite (":" in the filings) and a
    // shrinking one ("ii") over many matches give what one pass gives.
    QString cells;
    for (int i = 0; i < 3000; ++i)
        cells += QStringLiteral("<tr><td>aiiib iiiic %1</td></tr>").arg(i);
    page(QStringLiteral("IBM_ABS.Sh"), QStringLiteral("Annual Balance Sheet<table>") + cells + QStringLiteral("</table>"));
    reports.H_ABS(QStringLiteral("IBM"));
    const QString out = report(QStringLiteral("Annual Balance Sheet/IBM.htm"));
    EXPECT_TRUE(out.contains(left50(QStringLiteral("aib c 0"))));
    EXPECT_TRUE(out.contains(left50(QStringLiteral("aib c 2999"))));
    EXPECT_EQ(out.count(QStringLiteral("aib c ")), 3000);
}

TEST_F(ReportsTest, TableOverSixteenBitPositionsIsReportedWhole)
{
    QString rows;
    for (int i = 0; i < 2000; ++i)
        rows += QStringLiteral("<tr><td>Row %1</td><td>%1</td></tr>\n").arg(i);
    ASSERT_GT(rows.size(), 40000);
    page(QStringLiteral("IBM_ABS.Sh"), QStringLiteral("Annual Balance Sheet<table>") + rows + QStringLiteral("</table>"));
    reports.H_ABS(QStringLiteral("IBM"));
    const QString written = report(QStringLiteral("Annual Balance Sheet/IBM.htm"));
    EXPECT_EQ(written.count(QStringLiteral("</tr>")), 2000);
    EXPECT_TRUE(written.contains(left50(QStringLiteral("Row 1999")) + right10(QStringLiteral("1999"))));
}

TEST_F(ReportsTest, IncomeStatementCutsTheRawPageThenStylesRowsByTheirCount)
{
    // The decoy only becomes a table once "ii" is removed: the cut must come first.
    QString text = QStringLiteral("Annual Income Statement <taiible><tr><td>decoy</td></tr></taiible><table>");
    for (int r = 0; r < 27; ++r) {
        text += QStringLiteral("<TR><TD>L%1</TD>").arg(r);
        for (int c = 1; c <= 6; ++c)
            text += QStringLiteral("<Td>%1</Td>").arg(c);
        text += QStringLiteral("</TR>");
    }
    text += QStringLiteral("<tr><td>Earnings Per Share Data</td><td>eps</td></tr></table>");
    page(QStringLiteral("IBM_AIS.Sh"), text);
    reports.H_AIS(QStringLiteral("IBM"));
    const QString out = report(QStringLiteral("Annual Income statement/IBM.htm"));

    EXPECT_FALSE(out.contains(QStringLiteral("decoy")));
    EXPECT_TRUE(out.startsWith(head("#FFFEEA", QStringLiteral("Intl Machines"), "Annual Income Statement ", "0", "1", "0")
                               + QStringLiteral("<TR><TH WIDTH=\"50%\" height=\"30\">L0&nbsp;</TH>\r\n"
                                                "<TH ALIGN=\"RIGHT\" WIDTH=\"10%\">1<HR></TH>\r\n")));
    EXPECT_TRUE(out.contains(QStringLiteral("<TH ALIGN=\"RIGHT\" WIDTH=\"10%\" HEIGHT=\"26\">5<HR></TH>\r\n</tr>")));
    EXPECT_FALSE(out.contains(QStringLiteral(">6<")));
    EXPECT_TRUE(out.contains(QStringLiteral("<tr>\r\n<TD WIDTH=\"40%\"><FONT color=#484848 size=-1>L1</FONT></td>\r\n"
                                            "<TD ALIGN=\"RIGHT\"><FONT color=#484848 size=-1>1</FONT></td>")));
    EXPECT_TRUE(out.contains(QStringLiteral("<tr>\r\n<TD ALIGN=\"LEFT\" nowrap><B><FONT size=-1 color=#000099>L3</FONT></B></td>\r\n"
                                            "<TD ALIGN=\"RIGHT\"><B><FONT size=-1 color=#484848>1</B></FONT></td>")));
    const int bold = static_cast<int>(out.count(QStringLiteral("color=#000099>L")));
    const int plain = static_cast<int>(out.count(QStringLiteral("<TD WIDTH=\"40%\">")));
    EXPECT_EQ(bold, 11);
    EXPECT_EQ(plain, 13);
    EXPECT_TRUE(out.contains(QStringLiteral(">L24<")));
    EXPECT_FALSE(out.contains(QStringLiteral(">L25<")));
    EXPECT_FALSE(out.contains(QStringLiteral("eps")));
    // Rows 25, 26 and the heading row come out empty.
    EXPECT_TRUE(out.endsWith(QStringLiteral("</tr>\r\n<tr>\r\n</tr>\r\n<tr>\r\n</tr>\r\n<tr>\r\n</tr>\r\n") + footer()));
}

TEST_F(ReportsTest, IncomeStatementHeadingTakesSlotFour)
{
    page(QStringLiteral("IBM_AIS.Sh"),
         QStringLiteral("Annual Income Statement<table><tr><td>Depreciation Footnote</td><td>x</td><td>y</td></tr></table>"));
    reports.H_AIS(QStringLiteral("IBM"));
    EXPECT_TRUE(report(QStringLiteral("Annual Income statement/IBM.htm"))
                    .contains(QStringLiteral("<TR><TH ALIGN=\"RIGHT\" WIDTH=\"10%\">"
                                             "</TD></TR><TR><TD ROWSPAN=\"2\" COLSPAN=\"6\" VALIGN=\"BOTTOM\"><i><u>"
                                             "Depreciation Footnote</u></i></TD></TR><TR><HR></TH>\r\n"
                                             "<TH ALIGN=\"RIGHT\" WIDTH=\"10%\" HEIGHT=\"26\">x<HR></TH>\r\n</tr>")));
}

TEST_F(ReportsTest, CallsAndPutsFromATwoLineOptionFile)
{
    page(QStringLiteral("IBM_op.Sh"), fixture("op.Sh"));
    reports.H_Calls(QStringLiteral("IBM"));
    reports.H_Puts(QStringLiteral("IBM"));
    EXPECT_TRUE(test::dialogs().shown.isEmpty());

    const QString link = QStringLiteral("http://options.example/cgi-bin/cboeget.exe?TICKER=");
    const auto value = [](const char* v) {
        return QStringLiteral("<Td Align=\"Right\" Width=\"12%\"><Font color=#484848 size=-1>") + QLatin1String(v)
               + QStringLiteral("</Font></td>\r\n");
    };
    QString calls = head("#FFFEEA", QStringLiteral("Intl Machines"), "Calls", "1", "0", "0")
                    + QStringLiteral("<TR><TH ALIGN=\"CENTER\" WIDTH=\"20%\" HEIGHT=\"26\">Calls</th>\r\n");
    for (const char* c : {"Last Sale", "Net", "Bid", "Ask", "Vol", "Open Int"})
        calls += QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"13%\" HEIGHT=\"26\">") + QLatin1String(c)
                 + QStringLiteral("</th>\r\n");
    calls += QStringLiteral("</TR>\r\n<TR>");
    calls += QStringLiteral("<Td Align=\"Left\" Width=\"25%\"><Font color=#484848 size=-1><a href=\"") + link
             + QStringLiteral("IBM AT\">\r\nIBM Jan 100 (IBM AT)</a></FONT></td>\r\n") + value("5.10") + value("+0.20")
             + value("5.00") + value("5.20") + value("100") + value("2000") + QStringLiteral("</tr>\r\n<tr>\r\n")
             + QStringLiteral("<Td Align=\"Left\" Width=\"25%\"><Font color=#484848 size=-1><a href=\"") + link
             + QStringLiteral("IBM AA\">\r\nIBM Jan 105 ( IBM AA )</a></FONT></td>\r\n") + value("2.10") + value("+0.10")
             + value("2.00") + value("2.20") + value("10") + value("300") + QStringLiteral("</tr>\r\n") + footer();
    EXPECT_EQ(report(QStringLiteral("Options/IBM Calls.htm")), calls);

    const QString puts = report(QStringLiteral("Options/IBM Puts.htm"));
    EXPECT_TRUE(puts.startsWith(head("#EFFAF9", QStringLiteral("Intl Machines"), "Puts", "1", "0", "0")
                                + QStringLiteral("<TR><TH ALIGN=\"CENTER\" WIDTH=\"25%\" HEIGHT=\"26\">Puts</th>\r\n"
                                                 "<TH ALIGN=\"CENTER\" WIDTH=\"12%\">Last Sale</th>\r\n")));
    // The first line's last field has no comma after it; the second line's has.
    EXPECT_TRUE(puts.contains(QStringLiteral("<Td Align=\"Left\" Width=\"12%\"><Font color=#484848 size=-1><a href=\"")
                              + link + QStringLiteral("IBM MT\">IBM Jan 100 (IBM MT)</a></Font></td>\r\n") + value("1.10")
                              + value("-0.10") + value("1.00") + value("1.20") + value("50")
                              + QStringLiteral("</tr>\r\n<tr>\r\n")));
    EXPECT_TRUE(puts.contains(value("5") + value("100") + QStringLiteral("</tr>\r\n") + footer()));
    EXPECT_EQ(test::shell().opened, (QStringList{reportPath(QStringLiteral("Options/IBM Calls.htm")),
                                                 reportPath(QStringLiteral("Options/IBM Puts.htm"))}));
}

TEST_F(ReportsTest, OptionLinesWithFewCommasAndNoParenthesesAndMissingFile)
{
    page(QStringLiteral("IBM_op.Sh"), QStringLiteral("Puts,Open Int\r\nA,1\r\nNo symbol,2,3\r\n"));
    reports.H_Calls(QStringLiteral("IBM"));
    const QString calls = report(QStringLiteral("Options/IBM Calls.htm"));
    EXPECT_TRUE(calls.contains(QStringLiteral("<TR></tr>\r\n<tr>\r\n<Td Align=\"Left\"")));
    EXPECT_TRUE(calls.contains(QStringLiteral("TICKER=\">\r\nNo symbol</a>")));

    QFile::remove(AppPath() + QStringLiteral("/Cache/DataSheet/IBM_op.Sh"));
    reports.H_Puts(QStringLiteral("IBM"));
    EXPECT_EQ(report(QStringLiteral("Options/IBM Puts.htm")), footer());
}

// An option file whose text after the "I" of "Int" has exactly length characters.
QString optionFileOfDataLength(int length)
{
    QString text = QStringLiteral("Puts,Open Int\r\nA (X),1,2,3,4,5,6,B (Y),1,2,3,4,5,6\r\n");
    const int data = static_cast<int>(text.size()) - 11;
    return text + QString(length - data, QLatin1Char('z'));
}

TEST_F(ReportsTest, OptionQuestionAboveThirtyThousandAndCancelKeepsTheOldFile)
{
    struct Case
    {
        const char* member;
        int length;
        int answer;
        bool asked;
        bool written;
    };
    const Case cases[] = {
        {"Call", 30000, 0, false, true},
        {"Call", 30001, Dialogs::vbCancel, true, false},
        {"Put", 30001, Dialogs::vbCancel, true, false},
        {"Call", 30001, Dialogs::vbOK, true, true},
        {"Put", 30001, Dialogs::vbOK, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2 %3").arg(QLatin1String(c.member)).arg(c.length).arg(c.answer).toStdString());
        const bool calls = QLatin1String(c.member) == QLatin1String("Call");
        const QString file = calls ? QStringLiteral("Options/IBM Calls.htm") : QStringLiteral("Options/IBM Puts.htm");
        QDir().mkpath(AppPath() + QStringLiteral("/Cache/Reports/Options"));
        ASSERT_TRUE(WriteFileAtomic(AppPath() + QStringLiteral("/Cache/Reports/") + file, QByteArray("old\xE9 report")));
        page(QStringLiteral("IBM_op.Sh"), optionFileOfDataLength(c.length));
        test::dialogs().reset();
        test::shell().reset();
        if (c.answer)
            test::dialogs().msgAnswers.enqueue(c.answer);

        calls ? reports.H_Calls(QStringLiteral("IBM")) : reports.H_Puts(QStringLiteral("IBM"));

        ASSERT_EQ(test::dialogs().shown.size(), c.asked ? 1 : 0);
        if (c.asked) {
            const auto& box = test::dialogs().shown.front();
            EXPECT_EQ(box.title, QStringLiteral("To many records"));
            EXPECT_EQ(box.buttons, Dialogs::vbOKCancel + Dialogs::vbInformation);
            EXPECT_EQ(box.prompt, QStringLiteral("There is to many records, and it might take time.\r\n")
                                      + (calls ? QStringLiteral("(Up to 5 minuets).") : QStringLiteral("(Up to 5 minuets)"))
                                      + QStringLiteral("\r\nClick Cancel to cancel this operation, or OK to continue"));
        }
        const QByteArray after = ReadBytes(AppPath() + QStringLiteral("/Cache/Reports/") + file);
        if (c.written) {
            EXPECT_TRUE(after.endsWith(toCp1252(footer())));
            EXPECT_EQ(test::shell().opened.size(), 1);
        } else {
            EXPECT_EQ(after, QByteArray("old\xE9 report"));
            EXPECT_TRUE(test::shell().opened.isEmpty());
        }
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

TEST_F(ReportsTest, InsiderTradesFourthTableWithTheLinkPathOfSlotOne)
{
    page(QStringLiteral("IBM_it.Sh"), fixture("it.Sh"));
    reports.H_IT(QStringLiteral("IBM"));
    const QString out = report(QStringLiteral("Insiders Traders/IBM.htm"));
    QString expected = head("", QStringLiteral("Intl Machines"), "Insiders Traders", "1", "0", "0") + QStringLiteral("<TR>");
    for (const auto& [c, w] : {std::pair{"Date", "13%"}, std::pair{"Name", "20%"}, std::pair{"Action", "15%"},
                               std::pair{"Shares", "13%"}, std::pair{"Type", "13%"}, std::pair{"Price", "15%"},
                               std::pair{"Value Int", "15%"}})
        expected += QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"%1\">%2<HR></th>\r\n").arg(QLatin1String(w), QLatin1String(c));
    const auto cell = [](const char* open, const char* text) {
        return QLatin1String(open) + QLatin1String(text) + QStringLiteral("</Font></td>\r\n");
    };
    expected += QStringLiteral("</TR>\r\n<TR></tr>\r\n<tr>\r\n")
                + cell("<TD ALIGN=\"CENTER\" Height =30><FONT size=-1 color=#151515>", "Jan 5, 2026")
                + QStringLiteral("<TD ALIGN=\"LEFT\"><a href=\"http://business-news.example/insider/doe.html\"><small>"
                                 "Doe John<small></a></Font></td>\r\n")
                + cell("<TD ALIGN=\"LEFT\"><FONT size=-1 color=#151515>", "Officer")
                + cell("<TD ALIGN=\"RIGHT\"><FONT size=-1 color=#151515>", "Sale")
                + cell("<TD ALIGN=\"CENTER\"><FONT size=-1 color=#151515>", "1,000")
                + cell("<TD ALIGN=\"RIGHT\"><FONT size=-1 color=#151515>", "Direct")
                + cell("<TD ALIGN=\"RIGHT\"><FONT size=-1 color=#151515>", "$10") + QStringLiteral("</tr>\r\n<tr>\r\n")
                + cell("<TD ALIGN=\"CENTER\" Height =30><FONT size=-1 color=#151515>", "Jan 6, 2026")
                + QStringLiteral("<TD ALIGN=\"LEFT\"><a href=\"http://business-news.example/insider/roe.html\"><small>"
                                 "Roe &amp; Co<small></a></Font></td>\r\n")
                + cell("<TD ALIGN=\"LEFT\"><FONT size=-1 color=#151515>", "Director") + QStringLiteral("</tr>\r\n")
                + footer();
    EXPECT_EQ(out, expected);
}

TEST_F(ReportsTest, ShortInterestHasItsOwnFrame)
{
    page(QStringLiteral("IBM_SI.Sh"), fixture("SI.Sh"));
    reports.H_SI(QStringLiteral("IBM"));
    const auto leftCell = [](const char* t) {
        return QStringLiteral("<TD ALIGN=\"left\"><FONT size=-1 color=#151515>") + QLatin1String(t)
               + QStringLiteral("</Font></td>\r\n");
    };
    const auto rightCell = [](const char* t) {
        return QStringLiteral("<TD ALIGN=\"right\"><FONT size=-1 color=#484848>") + QLatin1String(t)
               + QStringLiteral("</Font></td>\r\n");
    };
    QString expected = head("#FFFEEA", QStringLiteral("Intl Machines"), "Short Interest", "0", "4", "1") + QStringLiteral("<TR>");
    for (const char* c : {"Settlement Date", "Short Interest", "Avg Daily Share Volume", "Days to Cover"})
        expected += QStringLiteral("<TH ALIGN=\"CENTER\"  nowrap>") + QLatin1String(c) + QStringLiteral("<HR></th>\r\n");
    expected += QStringLiteral("<tr>") + leftCell("Dec 1, 2026") + rightCell("1,000") + rightCell("500")
                + rightCell("2.00") + rightCell("x5") + rightCell("x6") + rightCell("x7")
                + QStringLiteral("</TR>\r\n<TR>") + leftCell("Nov 15, 2026") + rightCell("900")
                + QStringLiteral("</TR>\r\n<TR></TR>") + footer();
    EXPECT_EQ(report(QStringLiteral("Misc/IBM Short Interest.Htm")), expected);
}

TEST_F(ReportsTest, QuarterlyReportsWriteThreeOfEveryFourNonEmptyCells)
{
    page(QStringLiteral("IBM_qr.Sh"), fixture("qr.Sh"));
    reports.H_QR(QStringLiteral("IBM"));
    const auto cell = [](const QString& t) {
        return QStringLiteral("<TD><FONT color=#484848 size=-1>") + t + QStringLiteral("</FONT></td>\r\n");
    };
    const QString expected =
        head("#FFFEEA", QStringLiteral("Intl Machines"), "Quarterly Reports ", "0", "1", "0")
        + QStringLiteral("<TR><TH ALIGN=\"LEFT\" WIDTH=\"15%\" HEIGHT=\"26\">Date<HR></th>"
                         "<TH ALIGN=\"LEFT\" WIDTH=\"15%\">Filings<HR></th>"
                         "<TH ALIGN=\"LEFT\" WIDTH=\"70%\">More Info<HR></th></TR><TR>")
        + cell(QStringLiteral("12-Jan-2026")) + cell(QStringLiteral("10-Q")) + cell(QStringLiteral("Quarterly report"))
        + cell(QStringLiteral("fifth")) + QStringLiteral("</tr>\r\n<tr>\r\n")
        + cell(QStringLiteral("<A HREF=\"/f/x.htm\">Full</a>")) + cell(QStringLiteral("8-K"))
        + QStringLiteral("</tr>\r\n") + footer();
    EXPECT_EQ(report(QStringLiteral("Quarterly Reports/IBM Quarterly Reports.htm")), expected);
}

TEST_F(ReportsTest, EarningsFamilyTurnsTheTablesAround)
{
    page(QStringLiteral("IBM_ee.Sh"), fixture("ee.Sh"));
    reports.H_EC(QStringLiteral("IBM"));
    reports.H_ER(QStringLiteral("IBM"));
    reports.H_EH(QStringLiteral("IBM"));
    reports.H_EG(QStringLiteral("IBM"));

    const QString wide = QStringLiteral("<th align=\"center\" width=\"15%\" height=\"50\">");
    const QString headings = QStringLiteral("<TR><th align=\"center\" width=\"40%\" height=\"50\" nowrap>&nbsp;</th>") + wide
                             + QStringLiteral("Current Qtr\r\n(Mar-26)<HR></th>") + wide
                             + QStringLiteral("Next Qtr \r\n(Jun-26)<HR></th>") + wide
                             + QStringLiteral("Current Year \r\n(Dec-26)<HR></th>") + wide
                             + QStringLiteral("Next Year \r\n(Dec-27)<HR></th></tr>");

    // Consensus trend: five labels from the section table, values dealt k mod 5.
    const auto ec = [](const char* label, const char* a, const char* b, const char* c, const char* d) {
        QString row = QStringLiteral("<td align=\"Left\"><B>") + QLatin1String(label) + QStringLiteral("</b></td>");
        for (const char* v : {a, b, c, d})
            row += QStringLiteral("<td align=\"center\">") + QLatin1String(v) + QStringLiteral("</td>");
        return row;
    };
    EXPECT_EQ(report(QStringLiteral("Earnings/IBM Consensus EPS Trend.Htm")),
              head("#FFFEEA", QStringLiteral("Intl Machines"), "Consensus EPS Trend", "0", "1", "3") + headings
                  + QStringLiteral("<tr>") + ec("Current Estimate", "a1", "b1", "c1", "d1") + QStringLiteral("</tr><tr>")
                  + ec("7 Days Ago", "a2", "b2", "c2", "d2") + QStringLiteral("</tr><tr>")
                  + ec("30 Days Ago", "a3", "b3", "c3", "d3") + QStringLiteral("</tr><tr>")
                  + ec("60 Days Ago", "a4", "b4", "c4", "d4") + QStringLiteral("</tr><tr>")
                  + ec("90 Days Ago", "a5", "b5", "c5", "d5") + QStringLiteral("</tr>") + footer());

    const auto value = [](const QString& v) {
        return QStringLiteral("<td align=\"center\"><FONT color=#484848>") + v + QStringLiteral("</font></td>");
    };
    const QString er = report(QStringLiteral("Earnings/IBMEarnings Estimates.htm"));
    EXPECT_TRUE(er.startsWith(head("#FFFEEA", QStringLiteral("Intl Machines"), "Earnings Estimates", "0", "1", "3") + headings
                              + QStringLiteral("<tr><td align=\"Left\"><B><FONT>Avg. Estimate</font></b></td>")
                              + value(QStringLiteral("r1")) + value(QStringLiteral("s1")) + value(QStringLiteral("t1"))
                              + value(QStringLiteral("u1")) + QStringLiteral("</tr><tr>")));
    EXPECT_TRUE(er.contains(QStringLiteral("<tr><td align=\"Left\"><B><FONT>Growth &lt;est&gt;</font></b></td>")
                            + value(QStringLiteral("r6")) + value(QStringLiteral("s6")) + value(QStringLiteral("t6"))
                            + value(QStringLiteral("u6")) + QStringLiteral("</tr>") + footer()));
    EXPECT_FALSE(er.contains(QStringLiteral("dropped"), Qt::CaseInsensitive));

    // History: four labels from the value row, five values each, blank headings
    // where the page has fewer than six.
    const QString eh = report(QStringLiteral("Earnings/IBM Earnings History.Htm"));
    const QString narrow = QStringLiteral("<th align=\"center\" width=\"12%\">");
    EXPECT_TRUE(eh.contains(QStringLiteral("<TR><th align=\"left\" width=\"28%\" height=\"50\" nowrap>&nbsp;</th>") + narrow
                            + QStringLiteral("Mar-25<HR></th>") + narrow + QStringLiteral("Jun-25<HR></th>") + narrow
                            + QStringLiteral("Sep-25<HR></th>") + narrow + QStringLiteral("Dec-25<HR></th>") + narrow
                            + QStringLiteral("&nbsp;<HR></th>") + narrow + QStringLiteral("&nbsp;<HR></th></tr><tr>")
                            + QStringLiteral("<td align=\"left\"><b><FONT>EPS Est</font></b></td>")));
    QString historyRow4 = QStringLiteral("<td align=\"left\"><b><FONT>Surprise %</font></b></td>");
    for (const char* v : {"h4", "i4", "j4", "k4", "l4"})
        historyRow4 += value(QLatin1String(v));
    EXPECT_TRUE(eh.endsWith(QStringLiteral("<tr>") + historyRow4 + QStringLiteral("</tr>") + footer()));
    EXPECT_FALSE(eh.contains(QStringLiteral("dropped")));

    // Growth: three labels, six values each, and an empty fourth row.
    const QString eg = report(QStringLiteral("Earnings/IBM Earnings Growth.Htm"));
    EXPECT_TRUE(eg.contains(QStringLiteral("<TR><th align=\"left\" width=\"16%\" height=\"50\" nowrap>&nbsp;</th>") + narrow
                            + QStringLiteral("Growth \r\n(IBM)<HR></th>") + narrow + QStringLiteral("Industry<HR></th>")
                            + narrow + QStringLiteral("Sector<HR></th>") + narrow + QStringLiteral("S&amp;P 500<HR></th>")));
    QString growthRow3 = QStringLiteral("<td align=\"left\"><b><FONT>Next Year</font></b></td>");
    for (const char* v : {"g3", "m3", "n3", "o3", "p3", "q3"})
        growthRow3 += value(QLatin1String(v));
    EXPECT_TRUE(eg.endsWith(QStringLiteral("</tr><tr>") + growthRow3 + QStringLiteral("</tr><tr></tr>") + footer()));
    EXPECT_FALSE(eg.contains(QStringLiteral("dropped")));
}

TEST_F(ReportsTest, EveryMemberWritesUnderItsOwnName)
{
    struct Case
    {
        void (Reports::*member)(const QString&);
        const char* code;
        const char* file;
    };
    const Case cases[] = {
        {&Reports::H_ABS, "ABS", "Annual Balance Sheet/IBM.htm"},
        {&Reports::H_AIS, "AIS", "Annual Income statement/IBM.htm"},
        {&Reports::H_Calls, "Call", "Options/IBM Calls.htm"},
        {&Reports::H_Puts, "Put", "Options/IBM Puts.htm"},
        {&Reports::H_IT, "IT", "Insiders Traders/IBM.htm"},
        {&Reports::H_EC, "EC", "Earnings/IBM Consensus EPS Trend.Htm"},
        {&Reports::H_ER, "ER", "Earnings/IBMEarnings Estimates.htm"},
        {&Reports::H_EH, "EH", "Earnings/IBM Earnings History.Htm"},
        {&Reports::H_EG, "EG", "Earnings/IBM Earnings Growth.Htm"},
        {&Reports::H_QR, "QR", "Quarterly Reports/IBM Quarterly Reports.htm"},
        {&Reports::H_SI, "SI", "Misc/IBM Short Interest.Htm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        test::shell().reset();
        (reports.*c.member)(QStringLiteral("IBM"));
        EXPECT_TRUE(reportExists(QLatin1String(c.file)));
        EXPECT_EQ(test::shell().opened, QStringList{reportPath(QLatin1String(c.file))});
        EXPECT_EQ(Reports::ReportFileName(QLatin1String(c.code), QStringLiteral("IBM")), QLatin1String(c.file));
    }
    // An empty symbol writes and opens nothing, and asks nothing.
    test::shell().reset();
    for (const Case& c : cases)
        (reports.*c.member)(QString());
    EXPECT_TRUE(test::shell().opened.isEmpty());
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
}

TEST_F(ReportsTest, ReportFolderIsFoundWhateverItsCaseAndMadeWhenMissing)
{
    QDir().mkpath(AppPath() + QStringLiteral("/Cache/reports/OPTIONS"));
    reports.H_Calls(QStringLiteral("IBM"));
    EXPECT_TRUE(QFile::exists(AppPath() + QStringLiteral("/Cache/reports/OPTIONS/IBM Calls.htm")));
    reports.H_SI(QStringLiteral("IBM"));
    EXPECT_TRUE(QFile::exists(AppPath() + QStringLiteral("/Cache/reports/Misc/IBM Short Interest.Htm")));
}

TEST_F(ReportsTest, UnsafeSymbolWritesAndOpensNothingAndSaysSo)
{
    for (const char* symbol : {"../IBM", "a/b", "..", "IB\x01M"}) {
        SCOPED_TRACE(symbol);
        test::dialogs().reset();
        reports.H_ABS(QLatin1String(symbol));
        reports.HtmlReport(QStringLiteral("QR"), QLatin1String(symbol), true);
        EXPECT_EQ(test::dialogs().shown.size(), 2);
        EXPECT_TRUE(test::dialogs().shown.front().prompt.contains(QLatin1String(symbol)));
    }
    EXPECT_TRUE(test::shell().opened.isEmpty());
    EXPECT_FALSE(QDir(AppPath() + QStringLiteral("/Cache")).exists(QStringLiteral("Reports")));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    // Ordinary symbols keep their names.
    reports.H_ABS(QStringLiteral("BRK.B"));
    reports.H_ABS(QStringLiteral("^DJI"));
    EXPECT_TRUE(reportExists(QStringLiteral("Annual Balance Sheet/BRK.B.htm")));
    EXPECT_TRUE(reportExists(QStringLiteral("Annual Balance Sheet/^DJI.htm")));
}

TEST_F(ReportsTest, CompanyNameWithAmpersandAndAngleIsEscapedInTheTitle)
{
    Stocks()[0].CompanyName = QStringLiteral("Smith & Sons <Ltd> &amp;");
    reports.H_SI(QStringLiteral("IBM"));
    EXPECT_TRUE(report(QStringLiteral("Misc/IBM Short Interest.Htm"))
                    .contains(QStringLiteral("<H2>Smith &amp; Sons &lt;Ltd&gt; &amp;</H2>")));
}

StockRec quote(const char* change)
{
    StockRec r;
    r.Symbol = QStringLiteral("S");
    r.CompanyName = QStringLiteral("Co");
    r.LastPrice = QStringLiteral("f5");
    r.PctChange = QLatin1String(change);
    r.Change = QStringLiteral("f7");
    r.DayHigh = QStringLiteral("f8");
    r.DayLow = QStringLiteral("f9");
    r.Volume = QStringLiteral("f10");
    r.Ask = QStringLiteral("f11");
    r.Bid = QStringLiteral("f12");
    r.LastTradeSize = QStringLiteral("f13");
    r.PERatio = QStringLiteral("f14");
    r.DivPerShare = QStringLiteral("f15");
    r.OpenPrice = QStringLiteral("f16");
    r.PrevClose = QStringLiteral("f17");
    r.YearHigh = QStringLiteral("f18");
    r.YearLow = QStringLiteral("f19");
    r.EPS = QStringLiteral("f20");
    r.Exchange = QStringLiteral("f21");
    r.Industry = QStringLiteral("f22");
    r.LastTradeTime = QStringLiteral("Dec 10 4:00pm");
    return r;
}

QString currentHead()
{
    QString h = Reports::HtmlPageHead(QStringLiteral("#EFFAF9"), QStringLiteral("Current Stock Prices"), QString())
                + Reports::HtmlTableOpen(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("3"),
                                         QStringLiteral("100%"), QString())
                + QStringLiteral("<TR>\r\n");
    for (const char* c : {"&nbsp;", "Companey", "Last Sale", "Change", "% Change", "Volume", "Today's High",
                          "Today's Low", "Bid", "Ask", "Last Trade Size", "Open", "Previous Close", "52 Week High",
                          "52 Week Low", "EPS", "P/E Ratio", "Dividend Per Share", "Exchange", "Industry", "Last Update"})
        h += QStringLiteral("<th align=\"center\" nowrap>") + QLatin1String(c) + QStringLiteral("</th>\r\n");
    return h + QStringLiteral("</tr>\r\n<tr>\r\n");
}

TEST_F(ReportsTest, CurrentPricesOfAnEmptySet)
{
    StockCount() = 0;
    reports.H_Current();
    EXPECT_EQ(report(QStringLiteral("Stock Prices.Htm")), currentHead() + QStringLiteral("</tr>\r\n") + footer());
    EXPECT_EQ(test::shell().opened, QStringList{reportPath(QStringLiteral("Stock Prices.Htm"))});
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ReportsTest, CurrentPricesUpDownUnchangedAndEmptyChange)
{
    Stocks()[0] = quote("0.00%");  // unchanged, first row: still one image and one change cell
    Stocks()[1] = quote("-1.5%");
    Stocks()[2] = quote("+2%");
    Stocks()[3] = quote("");
    Stocks()[3].Symbol.clear();  // still a row
    Stocks()[3].CompanyName = QStringLiteral("A&B <x>");
    StockCount() = 4;
    reports.H_Current();

    const auto row = [](const char* image, const char* colour, const char* change, const char* name) {
        const auto cell = [](const char* align, const QString& t) {
            return QStringLiteral("<td align=\"%1\" nowrap><font size=-1>").arg(QLatin1String(align)) + t
                   + QStringLiteral("</font></td>\r\n");
        };
        QString r = QStringLiteral("<td align=\"center\">") + QLatin1String(image) + QStringLiteral("</td>")
                    + cell("left", QLatin1String(name)) + cell("right", QStringLiteral("f5"))
                    + cell("right", QStringLiteral("f7"))
                    + QStringLiteral("<td align=\"right\" nowrap><font size=-1 color=") + QLatin1String(colour)
                    + QStringLiteral(">") + QLatin1String(change) + QStringLiteral("</font></td>\r\n");
        for (int f : {10, 8, 9, 12, 11})
            r += cell("right", QStringLiteral("f%1").arg(f));
        r += cell("center", QStringLiteral("f13"));
        for (int f : {16, 17, 18, 19})
            r += cell("right", QStringLiteral("f%1").arg(f));
        for (int f : {20, 14, 15})
            r += cell("center", QStringLiteral("f%1").arg(f));
        r += cell("left", QStringLiteral("f21")) + cell("left", QStringLiteral("f22"))
             + cell("center", QStringLiteral("Dec 10 4:00pm"));
        return r + QStringLiteral("</tr>\r\n<tr>\r\n");
    };
    EXPECT_EQ(report(QStringLiteral("Stock Prices.Htm")),
              currentHead() + row("&nbsp;", "#000000", "0.00%", "Co")
                  + row("<img src=\"../../dn.gif\">", "#ff0000", "-1.5%", "Co")
                  + row("<img src=\"../../up.gif\">", "#006600", "+2%", "Co")
                  + row("<img src=\"../../up.gif\">", "#006600", "", "A&amp;B &lt;x&gt;") + QStringLiteral("</tr>\r\n")
                  + footer());
}

TEST_F(ReportsTest, MenuDispatchOfBothWindows)
{
    struct Case
    {
        const char* code;
        const char* mainFile;  // nullptr: nothing written
        bool zoomToo;
    };
    const Case cases[] = {
        {"Current", "Stock Prices.Htm", true},
        {"ABS", "Annual Balance Sheet/IBM.htm", true},
        {"AIS", "Annual Income statement/IBM.htm", true},
        {"Call", "Options/IBM Calls.htm", true},
        {"Put", "Options/IBM Puts.htm", true},
        {"IT", "Insiders Traders/IBM.htm", true},
        {"EC", "Earnings/IBM Consensus EPS Trend.Htm", true},
        {"ER", "Earnings/IBMEarnings Estimates.htm", true},
        {"EH", "Earnings/IBM Earnings History.Htm", true},
        {"EG", "Earnings/IBM Earnings Growth.Htm", true},
        {"QR", "Quarterly Reports/IBM Quarterly Reports.htm", false},
        {"SI", "Misc/IBM Short Interest.Htm", false},
        {"Options", nullptr, false},
        {"abs", nullptr, false},
        {"PortLog", nullptr, false},
        {"", nullptr, false},
    };
    for (const Case& c : cases) {
        for (bool fromMain : {true, false}) {
            SCOPED_TRACE(QStringLiteral("%1 %2").arg(QLatin1String(c.code)).arg(fromMain).toStdString());
            test::shell().reset();
            reports.HtmlReport(QLatin1String(c.code), QStringLiteral("IBM"), fromMain);
            QStringList expected;
            if (c.mainFile && (fromMain || c.zoomToo))
                expected << reportPath(QLatin1String(c.mainFile));
            EXPECT_EQ(test::shell().opened, expected);

            // Without a symbol only the current-prices report is written.
            test::shell().reset();
            reports.HtmlReport(QLatin1String(c.code), QString(), fromMain);
            EXPECT_EQ(test::shell().opened.size(), QLatin1String(c.code) == QLatin1String("Current") ? 1 : 0);
        }
    }
}

// A write that fails opens nothing, not even the report an earlier run left: the user
// is told which file and why. Each failure is a real one the file system gives
// whoever runs the test: a folder standing at the report's path, a file standing
// where the report folder goes, a file size limit reached mid-write (as on a full
// disk) and a symbol too long for a file name.
TEST_F(ReportsTest, AReportThatCannotBeWrittenIsNotOpenedAndTheUserIsToldWhy)
{
    struct Case
    {
        const char* name;
        std::function<void()> arrange;
        std::function<void()> write;
        QString path;        // the file the message names
        const char* reason;  // in the message
        bool oldReport;      // an earlier report at path stays as it was
    };
    const QString longSymbol(300, QLatin1Char('A'));
    const QString reports = AppPath() + QStringLiteral("/Cache/Reports/");
    const Case cases[] = {
        {"a folder at the report's path",
         [&] { QDir().mkpath(reports + QStringLiteral("Annual Balance Sheet/IBM.htm")); },
         [&] { this->reports.H_ABS(QStringLiteral("IBM")); }, reports + QStringLiteral("Annual Balance Sheet/IBM.htm"),
         "folder", false},
        {"a folder at the current prices' path",
         [&] { QDir().mkpath(reports + QStringLiteral("Stock Prices.Htm")); }, [&] { this->reports.H_Current(); },
         reports + QStringLiteral("Stock Prices.Htm"), "folder", false},
        {"a file where the report folder goes",
         [&] {
             QDir().mkpath(reports);
             ASSERT_TRUE(WriteFileAtomic(reports + QStringLiteral("Options"), "not a folder"));
         },
         [&] { this->reports.H_Calls(QStringLiteral("IBM")); }, reports + QStringLiteral("Options/IBM Calls.htm"),
         "directory", false},
        {"the file size limit reached with an old report there",
         [&] {
             QDir().mkpath(reports + QStringLiteral("Misc"));
             ASSERT_TRUE(WriteFileAtomic(reports + QStringLiteral("Misc/IBM Short Interest.Htm"), "old report"));
         },
         [&] {
             // No process may write a file past this size, root included.
             const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
             rlimit old{};
             ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
             rlimit small = old;
             small.rlim_cur = 64;
             ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
             this->reports.H_SI(QStringLiteral("IBM"));
             setrlimit(RLIMIT_FSIZE, &old);
             std::signal(SIGXFSZ, oldHandler);
         },
         reports + QStringLiteral("Misc/IBM Short Interest.Htm"), "large", true},
        {"a symbol too long for a file name", [] {},
         [&] { this->reports.H_ABS(longSymbol); },
         reports + QStringLiteral("Annual Balance Sheet/") + longSymbol + QStringLiteral(".htm"), "too long",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(AppPath() + QStringLiteral("/Cache/Reports")).removeRecursively();
        test::dialogs().reset();
        test::shell().reset();
        c.arrange();
        c.write();
        EXPECT_TRUE(test::shell().opened.isEmpty());
        ASSERT_EQ(test::dialogs().shown.size(), 1);
        const auto& box = test::dialogs().shown[0];
        EXPECT_EQ(box.kind, QStringLiteral("msg"));
        EXPECT_TRUE(box.prompt.startsWith(QStringLiteral("The file ") + c.path + QStringLiteral(" could not be written.\r\n")))
            << qPrintable(box.prompt);
        EXPECT_TRUE(box.prompt.contains(QLatin1String(c.reason), Qt::CaseInsensitive)) << qPrintable(box.prompt);
        EXPECT_EQ(box.title, QStringLiteral("Reports"));
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        if (c.oldReport) {
            // The old report stayed as it was, and no temporary file beside it.
            EXPECT_EQ(ReadBytes(c.path), QByteArray("old report"));
            EXPECT_EQ(QFileInfo(c.path).dir().entryList(QDir::Files | QDir::Hidden),
                      QStringList{QFileInfo(c.path).fileName()});
        }
    }
}

// Every picture a page shows by a relative address, as the page's folder resolves
// it: each is a file there and a picture a browser can show.
void expectPicturesFound(const QString& pagePath, int expected)
{
    const QString page = fromCp1252(ReadBytes(pagePath));
    ASSERT_FALSE(page.isEmpty()) << qPrintable(pagePath);
    static const QRegularExpression address(QStringLiteral("(?:src|background)=\"([^\":]+)\""));
    QStringList found;
    for (auto m = address.globalMatch(page); m.hasNext();) {
        const QString relative = m.next().captured(1);
        const QString file = QFileInfo(pagePath).dir().filePath(relative);
        SCOPED_TRACE(relative.toStdString());
        EXPECT_TRUE(QFileInfo(file).isFile());
        EXPECT_FALSE(QImage(file).isNull());
        EXPECT_EQ(QFileInfo(file).canonicalFilePath(), QFileInfo(AppPath() + QLatin1Char('/') + QFileInfo(file).fileName()).canonicalFilePath());
        found << relative;
    }
    found.removeDuplicates();
    EXPECT_EQ(found.size(), expected) << qPrintable(found.join(QLatin1Char(' ')));
}

TEST_F(ReportsTest, TheCurrentPricesAndTheSummaryFindTheirPicturesInTheProgramFolder)
{
    Stocks()[0] = quote("-1.5%");
    Stocks()[1] = quote("+2%");
    StockCount() = 2;
    reports.H_Current();
    expectPicturesFound(reportPath(QStringLiteral("Stock Prices.Htm")), 2);

    Stocks()[0].Symbol = QStringLiteral("IBM");
    Stocks()[0].AvgRecommendation = 2;
    CurrentIndex() = 0;
    summary::QuietProgress progress;
    summary::Flags flags{};
    flags[summary::AR] = 1;
    Summery(progress).GanarateHTML(flags);
    expectPicturesFound(reportPath(QStringLiteral("Summary/IBM.htm")), 2);

    // A picture of the user's own under that name is left as it is.
    ASSERT_TRUE(WriteFileAtomic(AppPath() + QStringLiteral("/bar.jpg"), "mine"));
    Summery(progress).GanarateHTML(flags);
    EXPECT_EQ(ReadBytes(AppPath() + QStringLiteral("/bar.jpg")), QByteArray("mine"));
    for (const char* name : {"up.gif", "dn.gif", "gmb.jpg"})
        EXPECT_EQ(ReadBytes(AppPath() + QLatin1Char('/') + QLatin1String(name)), ReportPicture(QLatin1String(name)));
}

// A table whose tags the page writes in capitals or mixed case gives the report the
// rows its lower-case form gives; a lower-case table keeps its report even after an
// upper-case table of the page's layout.
TEST_F(ReportsTest, TablesWrittenInCapitalsAreFoundAgainWithoutRegardToCase)
{
    struct Case
    {
        const char* code;
        QString asStored;
        QString lowerCase;
        const char* cell;  // a cell's text the report shows
    };
    const QString rows = QStringLiteral("<tr><td>Cash</td><td>1</td><td>2</td></tr><tr><td>Debt</td><td>3</td></tr>");
    QString upperRows = rows;
    upperRows.replace(QStringLiteral("tr>"), QStringLiteral("TR>")).replace(QStringLiteral("td>"), QStringLiteral("TD>"));
    QString mixedRows = rows;
    mixedRows.replace(QStringLiteral("tr>"), QStringLiteral("tR>"));
    const Case cases[] = {
        {"ABS", QStringLiteral("Annual Balance Sheet<TABLE BORDER=0>") + upperRows + QStringLiteral("</TABLE>"),
         QStringLiteral("Annual Balance Sheet<table BORDER=0>") + rows + QStringLiteral("</table>"), "Debt"},
        {"ABS", QStringLiteral("Annual Balance Sheet<table>") + mixedRows + QStringLiteral("</Table>"),
         QStringLiteral("Annual Balance Sheet<table>") + rows + QStringLiteral("</table>"), "Cash"},
        {"AIS", QStringLiteral("Annual Income Statement<TABLE>") + upperRows + QStringLiteral("</TABLE>"),
         QStringLiteral("Annual Income Statement<table>") + rows + QStringLiteral("</table>"), "Debt"},
        {"SI", QStringLiteral("Days to Cover</TD></TR>") + mixedRows + QStringLiteral("</Table>"),
         QStringLiteral("Days to Cover</td></tr>") + rows + QStringLiteral("</table>"), "Debt"},
        {"QR", QStringLiteral("Sort By</Table><Table><tr><td>Date</td></tr>") + rows + QStringLiteral("</Table></html>"),
         QStringLiteral("Sort By</table><table><tr><td>Date</td></tr>") + rows + QStringLiteral("</table></html>"),
         "Debt"},
        // The exact-case table wins over an earlier upper-case one, as it always did.
        {"ABS",
         QStringLiteral("Annual Balance Sheet<TABLE><TR><TD>Layout</TD></TR></TABLE><table>") + rows
             + QStringLiteral("</table>"),
         QStringLiteral("Annual Balance Sheet<table>") + rows + QStringLiteral("</table>"), "Cash"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code + QStringLiteral(" ").toStdString() + c.asStored.toStdString());
        const QString lower = Reports::BuildPage(QLatin1String(c.code), c.lowerCase, QStringLiteral("Intl Machines"));
        ASSERT_TRUE(lower.contains(QLatin1String(c.cell)));
        EXPECT_EQ(Reports::BuildPage(QLatin1String(c.code), c.asStored, QStringLiteral("Intl Machines")), lower);
    }
    // Through the member and its file.
    page(QStringLiteral("IBM_ABS.Sh"), cases[0].asStored);
    reports.H_ABS(QStringLiteral("IBM"));
    EXPECT_TRUE(report(QStringLiteral("Annual Balance Sheet/IBM.htm")).contains(left50(QStringLiteral("Debt"))));
}

} // namespace

// The program installs Reports as the menus' port: the "HTML" item of either menu
// writes the view's report, the other items export the set in the format their
// caption names.
TEST_F(ReportsTest, TheMenusReachTheReportsAndTheExports)
{
    installReportsPort(&reports);
    page(QStringLiteral("IBM_ABS.Sh"), fixture("abs.Sh"));
    CurrentView() = QStringLiteral("ABS");
    ReportItemChosen(0, ReportWindow::Zoom);
    EXPECT_TRUE(reportExists(QStringLiteral("Annual Balance Sheet/IBM.htm")));
    EXPECT_EQ(test::shell().opened, QStringList{reportPath(QStringLiteral("Annual Balance Sheet/IBM.htm"))});

    // Item 2 "Comma Delimited Text" of the main menu: export slot 1.
    const QString path = AppPath() + QStringLiteral("/prices.csv");
    test::dialogs().saveAnswers << path;
    ReportItemChosen(2, ReportWindow::Main);
    ASSERT_EQ(test::dialogs().saveRequests.size(), 1);
    EXPECT_EQ(test::dialogs().saveRequests[0].defaultFileName, QStringLiteral("Comma-Delimited"));
    EXPECT_TRUE(fromCp1252(ReadBytes(path)).startsWith(QStringLiteral("IBM,")));
    installReportsPort(nullptr);
}
