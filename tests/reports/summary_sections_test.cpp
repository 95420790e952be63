// The sixteen data-sheet sections of the summary page, each on a small page:
// header rows, cell limits, the estimate grids, the options size question, the
// escaping of page texts, and what a missing page or marker gives.

#include "IsolatedStore.h"

#include "pages/PageCatalogue.h"
#include "platform/AppPath.h"
#include "platform/Codec.h"
#include "platform/Dialogs.h"
#include "platform/Runtime.h"
#include "platform/Sites.h"
#include "reports/ReportMembers.h"
#include "reports/SummaryChoice.h"
#include "reports/SummarySections.h"
#include "retrieval/CacheFiles.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace summary;

namespace {

QString cells(const QStringList& texts)
{
    QString row;
    for (const QString& t : texts)
        row += QStringLiteral("<td>") + t + QStringLiteral("</td>");
    return QStringLiteral("<tr>") + row + QStringLiteral("</tr>");
}

// Each number from 1 to n, joined by "<br>".
QString numbers(int n)
{
    QStringList list;
    for (int i = 1; i <= n; ++i)
        list << QStringLiteral("v%1").arg(i);
    return list.join(QStringLiteral("<br>"));
}

class SummarySectionsTest : public IsolatedStore
{
protected:
    QuietProgress progress;
};

// ---- statements -----------------------------------------------------------------------

TEST_F(SummarySectionsTest, BalanceSheetWritesSixCellsAndHeadingsEndTheirRow)
{
    const QString page = QStringLiteral("<html>Annual Balance Sheet<table>") +
                         cells({"Cash", "1", "2", "3", "4", "5", "six", "seven"}) +
                         cells({"Liabilities &amp; Shareholder's Equity", "late"}) +
                         cells({"R&amp;D <b>&lt;net&gt;</b>"}) + QStringLiteral("</table></html>");
    const QString left = QStringLiteral("<TD WIDTH=\"50%\"><FONT color=#484848 size=-1 Face=\"Times New Roman\">");
    const QString right = QStringLiteral("<TD ALIGN=\"RIGHT\" WIDTH=\"10%\"><FONT color=#484848 size=-1>");
    const QString close = QStringLiteral("</FONT></td>\r\n");
    QString expected = QStringLiteral("<TR BGCOLOR=\"#FFFEEA\">") + left + "Cash" + close;
    for (const char* v : {"1", "2", "3", "4", "5"})
        expected += right + v + close;
    expected += QStringLiteral("</tr>\r\n<TR BGCOLOR=\"#FFFEEA\">\r\n") + right
                + QStringLiteral("</TD></TR><TR><TD HEIGHT=\"30\" ROWSPAN=\"2\" COLSPAN=\"6\" VALIGN=\"BOTTOM\"><b><u>"
                                 "Liabilities &amp; Shareholder's Equity</u></b></TD></TR><TR>")
                + close + QStringLiteral("</tr>\r\n<TR BGCOLOR=\"#FFFEEA\">\r\n") + left
                + QStringLiteral("R&amp;D &lt;net&gt;") + close + QStringLiteral("</tr>\r\n");
    EXPECT_EQ(S_ABS(page, progress), expected);
}

TEST_F(SummarySectionsTest, IncomeStatementStylesLinesAndStopsAfterLine24)
{
    QString page = QStringLiteral("Annual Income Statement<table>");
    for (int line = 0; line <= 26; ++line) {
        QStringList row;
        for (int c = 0; c < 6; ++c)
            row << QStringLiteral("L%1C%2").arg(line).arg(c);
        page += cells(row);
    }
    page += QStringLiteral("</table>");
    const QString out = S_AIS(page, progress);
    EXPECT_TRUE(out.startsWith(QStringLiteral("<TR BGCOLOR=\"#FFFEEA\"><TH WIDTH=\"50%\" height=\"30\">L0C0&nbsp;</TH>")));
    EXPECT_TRUE(out.contains(QStringLiteral("<TH ALIGN=\"RIGHT\" WIDTH=\"10%\" HEIGHT=\"26\">L0C5<HR></TH>")));
    EXPECT_TRUE(out.contains(QStringLiteral("<TD WIDTH=\"40%\"><FONT color=#484848 size=-1 Face=\"Times New Roman\">L1C0")));
    EXPECT_TRUE(out.contains(
        QStringLiteral("<TD ALIGN=\"LEFT\" nowrap><B><FONT size=-1 color=#000099 Face=\"Times New Roman\">L3C0")));
    EXPECT_TRUE(out.contains(QStringLiteral("<TD ALIGN=\"RIGHT\"><B><FONT size=-1 color=#484848>L24C5</B></FONT></td>")));
    EXPECT_FALSE(out.contains(QStringLiteral("L25C0")));
    EXPECT_FALSE(out.contains(QStringLiteral("L26")));
}

TEST_F(SummarySectionsTest, IncomeStatementHeadingCountsAsTheLastCell)
{
    const QString page = QStringLiteral("Annual Income Statement<table>") + cells({"Year", "a", "b", "c", "d", "e"}) +
                         cells({"Earnings Per Share Data", "dropped"}) + cells({"Basic", "1"}) +
                         QStringLiteral("</table>");
    const QString out = S_AIS(page, progress);
    EXPECT_TRUE(out.contains(QStringLiteral("<TD ALIGN=\"RIGHT\"><FONT color=#484848 size=-1></TD></TR><TR><TD "
                                            "ROWSPAN=\"2\" COLSPAN=\"6\" VALIGN=\"BOTTOM\"><i><u>Earnings Per Share "
                                            "Data</u></i></TD></TR><TR></FONT></td>")));
    EXPECT_FALSE(out.contains(QStringLiteral("dropped")));
    // The heading ended line 1, so "Basic" is on line 2, a plain one.
    EXPECT_TRUE(out.contains(QStringLiteral("<TD WIDTH=\"40%\"><FONT color=#484848 size=-1 Face=\"Times New Roman\">Basic")));
}

// ---- estimate grids ---------------------------------------------------------------------

QString estimatesPage(const char* labelAnchor, int labels, int values)
{
    QString page = QStringLiteral("<html>Earnings Estimates &amp; more<TR><TH></TH><TH>Current Qtr (Dec 2026)</TH>"
                                  "<TH>Next\tYear</TH><TH>P&amp;L</TH><TH>Y4</TH><TH>dropped</TH></TR><table>");
    page += QLatin1String(labelAnchor) + QStringLiteral("<table>");
    for (int i = 1; i <= labels; ++i)
        page += cells({i == 2 ? QString() : QStringLiteral("Label %1").arg(i)});
    page += QStringLiteral("</table><td>skipped</td><td>") + numbers(values) + QStringLiteral("</td></tr></html>");
    return page;
}

TEST_F(SummarySectionsTest, ConsensusTrendDealsNumbersIntoFiveRowsAndDropsTheRest)
{
    const QString out = S_EC(estimatesPage("Consensus EPS Trend", 6, 23), progress);
    const QString head = QStringLiteral("<th align=\"center\" width=\"15%\" height=\"50\" nowrap><FONT Size = -1 Face=\"Times New Roman\">");
    const QString headClose = QStringLiteral("</Font><HR></th>\r\n");
    const QString expectedHeader = QStringLiteral("<TR><th align=\"center\" width=\"40%\" height=\"50\" nowrap>&nbsp;</th>\r\n")
                                   + head + headClose + head + QStringLiteral("Current Qtr <br>(Dec 2026)") + headClose
                                   + head + QStringLiteral("Next Year<br>&nbsp;") + headClose + head
                                   + QStringLiteral("P&amp;L<br>&nbsp;") + headClose + QStringLiteral("</tr>\r\n");
    ASSERT_TRUE(out.startsWith(expectedHeader)) << qPrintable(out);
    const auto label = [](const QString& t) {
        return QStringLiteral("<td align=\"Left\"><B><FONT Size = -1 Face=\"Times New Roman\">") + t
               + QStringLiteral("</Font></b></td>\r\n");
    };
    const auto value = [](int k) {
        return QStringLiteral("<td align=\"center\"><FONT Size = -1>v%1</Font></td>\r\n").arg(k);
    };
    const QString row1 = label(QStringLiteral("Label 1")) + value(1) + value(6) + value(11) + value(16);
    const QString row2 = value(2) + value(7) + value(12) + value(17);  // an empty label row gives no label
    EXPECT_TRUE(out.contains(QStringLiteral("</tr>\r\n<tr>") + row1 + QStringLiteral("</tr><tr>") + row2
                             + QStringLiteral("</tr><tr>")));
    EXPECT_TRUE(out.endsWith(value(20) + QStringLiteral("</tr>\r\n")));
    EXPECT_FALSE(out.contains(QStringLiteral(">v21<")));
    EXPECT_FALSE(out.contains(QStringLiteral("Label 6")));
    EXPECT_FALSE(out.contains(QStringLiteral("skipped")));
    EXPECT_FALSE(out.contains(QStringLiteral("dropped")));
}

TEST_F(SummarySectionsTest, EstimatesUseSixRows)
{
    const QString out = S_EE(estimatesPage("Earnings Estimates<br>", 6, 30), progress);
    const auto value = [](int k) {
        return QStringLiteral("<td align=\"center\"><Font color=#484848 Size = -1>v%1</font></td>\r\n").arg(k);
    };
    EXPECT_TRUE(out.contains(QStringLiteral("Label 6</font></b></td>\r\n") + value(6) + value(12) + value(18) + value(24)
                             + QStringLiteral("</tr>\r\n")));
    EXPECT_FALSE(out.contains(QStringLiteral(">v25<")));
}

TEST_F(SummarySectionsTest, HistoryAndGrowthTakeTheirLabelsFromTheValueRow)
{
    const auto page = [](const char* anchor, int labels, int values) {
        QStringList first;
        for (int i = 1; i <= labels; ++i)
            first << QStringLiteral("Row %1").arg(i);
        return QStringLiteral("<html>") + QLatin1String(anchor)
               + QStringLiteral("<tr><th></th><th>Q1</th><th>Q2 (x)</th><th>Q3</th><th>Q4</th><th>Q5</th><th>Q6</th>"
                                "<th>Q7</th><th>Q8</th></tr><Tr><td>") + first.join(QStringLiteral("</td><td>"))
               + QStringLiteral("</td><td>") + numbers(values) + QStringLiteral("</td></tr></html>");
    };
    const QString history = S_EH(page("Earnings History", 4, 22), progress);
    const auto hv = [](int k) { return QStringLiteral("<td align=\"center\"><FONT Size = -1 color=#484848>v%1</font></td>\r\n").arg(k); };
    EXPECT_TRUE(history.contains(QStringLiteral("<td align=\"left\"><b><FONT Size = -1 Face=\"Times New Roman\">Row 1</font></b></td>\r\n")
                                 + hv(1) + hv(5) + hv(9) + hv(13) + hv(17) + QStringLiteral("</tr><tr>")));
    EXPECT_FALSE(history.contains(QStringLiteral(">v21<")));
    // The empty first heading counts: six headings end with Q5.
    EXPECT_TRUE(history.contains(QStringLiteral(">Q5<br>&nbsp;</Font><HR></th>\r\n</tr>")));
    EXPECT_TRUE(history.contains(QStringLiteral(">Q2 <br>(x)</Font><HR></th>")));
    EXPECT_FALSE(history.contains(QStringLiteral(">Q6")));

    const QString growth = S_EG(page("Earnings Growth", 3, 20), progress);
    const auto gv = [](int k) { return QStringLiteral("<td align=\"center\"><FONT color=#484848 Size = -1>v%1</font></td>\r\n").arg(k); };
    EXPECT_TRUE(growth.contains(QStringLiteral("Row 3</font></b></td>\r\n") + gv(3) + gv(6) + gv(9) + gv(12) + gv(15)
                                + gv(18) + QStringLiteral("</tr><tr></tr>\r\n")));
    EXPECT_FALSE(growth.contains(QStringLiteral(">v19<")));
    EXPECT_TRUE(growth.contains(QStringLiteral(">Q6<br>&nbsp;</Font><HR></th>\r\n</tr>")));
    EXPECT_FALSE(growth.contains(QStringLiteral(">Q7")));
}

TEST_F(SummarySectionsTest, AGridPastSixteenBitPositionsIsBuiltWhole)
{
    const QString page = QString(40000, QLatin1Char(' ')) + estimatesPage("Consensus EPS Trend", 5, 20);
    const QString out = S_EC(page, progress);
    EXPECT_TRUE(out.contains(QStringLiteral(">v20<"))) << qPrintable(out.left(300));
}

// ---- lists --------------------------------------------------------------------------------

TEST_F(SummarySectionsTest, SplitsWriteSixCellsUnderTheirHeader)
{
    const QString page = QStringLiteral("begin splits<Table><TR><th>x</th></TR>") +
                         cells({"Split", "2:1", "a", "b", "c", "d", "dropped"}) + QStringLiteral("</TABLE>");
    const QString out = S_Split(page, progress);
    const QString th = QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"16.6%\"><Font Size=-1 Face=\"Arial\">");
    QString expected = QStringLiteral("<TR><TH ALIGN=\"CENTER\" WIDTH=\"16.6%\" HEIGHT=\"26\"><Font Size=-1 Face=\"Arial\">Type</Font><HR></th>\r\n");
    for (const char* c : {"Amount", "Ex-Date", "Pay-Date", "Rec-Date", "An-Date"})
        expected += th + c + QStringLiteral("</Font><HR></th>\r\n");
    expected += QStringLiteral("</TR>\r\n<TR>");
    const QString td = QStringLiteral("<TD ALIGN=\"CENTER\"><FONT color=#484848 size=-1 Face=\"Arial\">");
    for (const char* c : {"Split", "2:1", "a", "b", "c"})
        expected += td + c + QStringLiteral("</FONT></td>\r\n");
    expected += QStringLiteral("<TD ALIGN=\"CENTER\" WIDTH=\"10%\"><FONT color=#484848 size=-1 Face=\"Arial\">d</FONT></td>\r\n</tr>\r\n");
    EXPECT_EQ(out, expected);
}

TEST_F(SummarySectionsTest, UpgradesWriteThreeCellsAndDropTheSitesWords)
{
    const QString page = QStringLiteral("<table><tr><td>head</td></tr>") +
                         cells({"Upgrade", "Big, Broker News", "Buy &amp; hold <i>now</i>", "dropped"}) +
                         QStringLiteral("</table>");
    const QString out = S_UPH(page, progress);
    EXPECT_TRUE(out.contains(QStringLiteral("</TR>\r\n<TR><TD><FONT color=#484848 size=-1 Face=\"Arial\"><B>Upgrade</B></FONT></td>\r\n"
                                            "<TD><FONT color=#484848 size=-1 Face=\"Arial\">Big Broker</FONT></td>\r\n"
                                            "<TD><FONT color=#484848 size=-1 Face=\"Arial\">Buy &amp; hold now</FONT></td>\r\n</tr>\r\n")))
        << qPrintable(out);
    EXPECT_FALSE(out.contains(QStringLiteral("head")));
    EXPECT_FALSE(out.contains(QStringLiteral("dropped")));
    EXPECT_EQ(S_DNH(page, progress), out);
}

TEST_F(SummarySectionsTest, BrokerReportsAlwaysStartWithTwoEmptyRows)
{
    const QString page = QStringLiteral("begin reports<table><tr><td>head</td></tr>") + cells({"d1", "b1", "c1"}) +
                         cells({"d2", "b2"}) + cells({"c2", "d3", "b3", "c3"}) + QStringLiteral("</table>");
    const QString out = S_BRP(page, progress);
    const QString td = QStringLiteral("<TD ALIGN=\"LEFT\"><FONT color=#484848 size=-1 Face=\"Arial\">");
    EXPECT_TRUE(out.endsWith(QStringLiteral("</TR>\r\n<TR></tr>\r\n<tr>\r\n</tr>\r\n<tr>\r\n") + td + "d3</FONT></td>\r\n"
                             + td + "b3</FONT></td>\r\n" + td + "c3</FONT></td>\r\n</tr>\r\n"))
        << qPrintable(out);
    EXPECT_EQ(progress.passes, 9);  // events run after every cell
}

TEST_F(SummarySectionsTest, MomentumGivesFiveLabelledRowsOrItsNoDataText)
{
    const QString page = QStringLiteral("<table>Sells") + cells({"12", "A&amp;", "3", "4", "5", "6"}) +
                         QStringLiteral("</table>");
    const QString out = S_MR(page, progress);
    EXPECT_TRUE(out.startsWith(QStringLiteral("</TR><TR><TD ALIGN=\"CENTER\"><FONT size=-1><b>Rank: </b>12</FONT></TD></tr>\r\n")));
    EXPECT_TRUE(out.contains(QStringLiteral("<b>Momentum Rating: ")));
    EXPECT_TRUE(out.contains(QStringLiteral("A&amp;</FONT>")));
    EXPECT_TRUE(out.endsWith(QStringLiteral("<TR><TD ALIGN=\"CENTER\"><FONT><b>Sell: </b>5</FONT></TD></tr>\r\n</TD>\r\n")));
    EXPECT_FALSE(out.contains(QStringLiteral(">6<")));

    EXPECT_EQ(S_MR(QStringLiteral("Sells <td>No data</td></table>"), progress), kSmallNoData);
    EXPECT_EQ(S_MR(QStringLiteral("Sells") + cells({"1", "2"}) + QStringLiteral("</table>"), progress), kSmallNoData);
}

TEST_F(SummarySectionsTest, InsiderTradesSplitTheNameLinkAndWriteSevenOfEightCells)
{
    QString page = QStringLiteral("<html>Insider Trades<table></table><TABLE></table><Table></table><table>");
    page += QStringLiteral("<tr><td>Jan 5</td><td><a href=\"p&q/jdoe.html\">J Doe & Co</a></td><td>Sale</td>"
                           "<td>100</td><td>Direct</td><td>$5</td><td>$500</td><td>dropped</td></tr>");
    page += QStringLiteral("</table></html>");
    const QString out = S_IT(page, progress);
    const QString site = Sites::Address(Site::BusinessNews, QStringLiteral("/"));
    EXPECT_TRUE(out.contains(QStringLiteral("<TD ALIGN=\"CENTER\" Height =30><FONT size=-1 color=#151515>Jan 5</Font></td>\r\n"
                                            "<TD ALIGN=\"LEFT\"><a href=\"") + site
                             + QStringLiteral("p&amp;q/jdoe.html\"><small>J Doe &amp; Co<small></a></Font></td>\r\n"
                                              "<TD ALIGN=\"LEFT\"><FONT size=-1 color=#151515>Sale</Font></td>\r\n")))
        << qPrintable(out);
    EXPECT_TRUE(out.contains(QStringLiteral("<TD ALIGN=\"RIGHT\"><FONT size=-1 color=#151515>$500</Font></td>\r\n</tr>")));
    EXPECT_FALSE(out.contains(QStringLiteral("dropped")));
    EXPECT_TRUE(out.startsWith(QStringLiteral("<TR><TH ALIGN=\"CENTER\" WIDTH=\"13%\">Date<HR></th>\r\n")));
}

TEST_F(SummarySectionsTest, FilingsWriteThreeOfEveryFourCellsAndLinkQuotedAddresses)
{
    const QString page = QStringLiteral("<html>Sort By</table><TABLE><TR><td>Skipped first row</td></TR>")
                         + cells({"2026-01-05", "", "10-Q", "<A HREF=\"/f/q.htm?a=1&b=2\">Quarterly report</A>",
                                  "fourth", "fifth"})
                         + QStringLiteral("</table></html>");
    const QString out = S_QR(page, progress);
    const QString td = QStringLiteral("<TD><FONT color=#484848 size=-1 Face=\"Arial\">");
    EXPECT_TRUE(out.contains(td + "2026-01-05</FONT></td>\r\n" + td + "10-Q</FONT></td>\r\n" + td
                             + "<A HREF=\"/f/q.htm?a=1&amp;b=2\">Quarterly report</a></FONT></td>\r\n" + td
                             + "fifth</FONT></td>\r\n</tr>"))
        << qPrintable(out);
    EXPECT_FALSE(out.contains(QStringLiteral("fourth")));
    EXPECT_FALSE(out.contains(QStringLiteral("Skipped")));
}

TEST_F(SummarySectionsTest, ShortInterestWritesEveryCell)
{
    QStringList many;
    for (int i = 0; i < 9; ++i)
        many << QStringLiteral("c%1").arg(i);
    const QString page = QStringLiteral("Days to Cover") + cells(many) + QStringLiteral("</TABLE>");
    const QString out = S_SI(page, progress);
    EXPECT_TRUE(out.startsWith(QStringLiteral("</TR><TR><TH ALIGN=\"CENTER\"  nowrap>Settlement Date<HR></th>\r\n")));
    EXPECT_TRUE(out.contains(QStringLiteral("</TR>\r\n<TR><TD ALIGN=\"left\"><FONT size=-1 color=#151515>c0</Font></td>\r\n")));
    EXPECT_TRUE(out.endsWith(QStringLiteral("<TD ALIGN=\"right\"><FONT size=-1 color=#484848>c8</Font></td>\r\n</tr>\r\n<tr>")));
}

// ---- options -------------------------------------------------------------------------------

// An options page whose data after "Int" is dataSize characters long.
QString optionsPage(int dataSize)
{
    const QString head = QStringLiteral("Calls,Last Sale,Net,Bid,Ask,Vol,Open Int,Puts,Last Sale,Net,Bid,Ask,Vol,Open Int");
    QString data = QStringLiteral("nt\r\nMAR 50 (ABC CJ),1.5,+0.1,1.4,1.6,10,100,MAR 50 (ABC OJ),2,-0.2,1.9,2.1,5,50,"
                                  "\r\nNO CODE,<1>,2,3,4,5,6,P & Q,9,10,11,12,13,14,"
                                  "\r\nGONE (ZZ),1,2,3,4,5,6,GONE PUT (ZY),1,2,3,4,5,6,");
    data += QString(dataSize - data.size(), QLatin1Char(' '));
    return head.left(head.size() - 2) + data;  // the "I" of the last "Int" ends the head
}

TEST_F(SummarySectionsTest, CallsAndPutsLinkTheirOwnCodes)
{
    const QString page = optionsPage(1000);
    const QString calls = S_Calls(page, progress);
    const QString address = Sites::Address(Site::OptionQuotes, QStringLiteral("/cgi-bin/cboeget.exe?TICKER="));
    EXPECT_TRUE(calls.startsWith(QStringLiteral("<TR><TH ALIGN=\"CENTER\" WIDTH=\"25%\" HEIGHT=\"26\"><Font Face=\"Arial\" Size=-1>Calls</Font><hr></th>\r\n"
                                                "<TH ALIGN=\"CENTER\" WIDTH=\"12%\" HEIGHT=\"26\"><Font Face=\"Arial\" Size=-1>Last Sale</Font><hr></th>\r\n")));
    EXPECT_TRUE(calls.contains(QStringLiteral("<Td Align=\"Left\" Width=\"25%\"><Font color=#484848 size=-1 Face=\"Arial\"><a href=\"")
                               + address + QStringLiteral("ABC CJ\">\r\nMAR 50 (ABC CJ)</a></FONT></td>\r\n")));
    EXPECT_TRUE(calls.contains(QStringLiteral("<Td Align=\"Right\" Width=\"12%\"><Font color=#484848 size=-1 Face=\"Arial\">100</Font></td>\r\n</tr>")));
    // A name without parentheses links an empty code; field texts are escaped.
    EXPECT_TRUE(calls.contains(address + QStringLiteral("\">\r\nNO CODE</a>")));
    EXPECT_TRUE(calls.contains(QStringLiteral(">&lt;1&gt;</Font>")));

    const QString puts = S_Puts(page, progress);
    EXPECT_TRUE(puts.contains(QStringLiteral("<Td Align=\"Left\" Width=\"12%\"><Font color=#484848 size=-1><a href=\"")
                              + address + QStringLiteral("ABC OJ\">MAR 50 (ABC OJ)</a></Font></td>\r\n")));
    EXPECT_TRUE(puts.contains(QStringLiteral("<Td Align=\"Right\" Width=\"12%\"><Font color=#484848 size=-1>50</Font></td>\r\n</tr>")));
    EXPECT_TRUE(puts.contains(QStringLiteral("\">P &amp; Q</a>")));
    // The last line has no line end after it: it is no line.
    EXPECT_FALSE(puts.contains(QStringLiteral("GONE")));
    EXPECT_FALSE(calls.contains(QStringLiteral("GONE")));
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
}

TEST_F(SummarySectionsTest, OptionsAskAbove30000CharactersAndCancelLeavesTheBoxEmpty)
{
    struct Case
    {
        Builder build;
        int size;
        int answer;
        bool asked;
        const char* wording;
    };
    const Case cases[] = {
        {S_Calls, 30000, Dialogs::vbOK, false, nullptr},
        {S_Calls, 30001, Dialogs::vbCancel, true, "(Up to 5 minuets).\r\nClick Cancel to skip on Calls section, or OK to continue"},
        {S_Puts, 30001, Dialogs::vbCancel, true, "(Up to 5 minuets)\r\nClick Cancel to skip on Puts section, or OK to continue"},
        {S_Puts, 30001, Dialogs::vbOK, true, nullptr},
    };
    for (const Case& c : cases) {
        test::dialogs().reset();
        test::dialogs().msgAnswers.enqueue(c.answer);
        const QString out = c.build(optionsPage(c.size), progress);
        ASSERT_EQ(test::dialogs().shown.size(), c.asked ? 1 : 0) << c.size;
        if (c.asked) {
            const auto& box = test::dialogs().shown.first();
            EXPECT_EQ(box.title, QStringLiteral("To many records"));
            EXPECT_EQ(box.buttons, Dialogs::vbOKCancel + Dialogs::vbInformation);
            EXPECT_TRUE(box.prompt.startsWith(QStringLiteral("There is to many records, and it might take time.\r\n")));
            if (c.wording) {
                EXPECT_TRUE(box.prompt.endsWith(QLatin1String(c.wording))) << qPrintable(box.prompt);
            }
        }
        EXPECT_EQ(out.isEmpty(), c.answer == Dialogs::vbCancel) << c.size;
    }
}

// ---- missing data ----------------------------------------------------------------------------

TEST_F(SummarySectionsTest, MissingPagesAndMarkersGiveTheSectionsNoDataTexts)
{
    QDir().mkpath(AppPath() + QStringLiteral("/Cache/DataSheet"));
    struct Case
    {
        const char* name;
        QString missingPage;
        QString missingMarker;
    };
    const Case cases[] = {
        {"S_ABS", kNoData, ""},          {"S_AIS", kNoData, ""},          {"S_EG", kNoData, ""},
        {"S_EH", kNoData, ""},           {"S_EE", kNoData, ""},           {"S_EC", kNoData, ""},
        {"S_Split", "", ""},             {"S_UPH", kSmallNoData, kSmallNoData}, {"S_DNH", kSmallNoData, kSmallNoData},
        {"S_MR", kSmallNoData, kSmallNoData}, {"S_BRP", kSmallNoData, kSmallNoData}, {"S_IT", kNoData, ""},
        {"S_QR", kNoData, ""},           {"S_Calls", kNoData, ""},        {"S_Puts", kNoData, ""},
        {"S_SI", kSmallNoData, kSmallNoData},
    };
    ASSERT_EQ(Sections().size(), std::size(cases));
    for (const Case& c : cases) {
        const Section* s = FindSection(c.name);
        ASSERT_NE(s, nullptr) << c.name;
        EXPECT_EQ(SectionBox(*s, QStringLiteral("NONE"), progress), c.missingPage) << c.name;
        EXPECT_EQ(progress.last, s->progress) << c.name;
        EXPECT_EQ(BuildSection(*s, QStringLiteral("<html><body>nothing here</body></html>"), progress), c.missingMarker)
            << c.name;
        EXPECT_EQ(BuildSection(*s, QString(), progress), c.missingMarker) << c.name;
    }
    // A split page with its marker but no row end after it.
    EXPECT_EQ(S_Split(QStringLiteral("begin splits <table> /table"), progress), kSmallNoData);
}

TEST_F(SummarySectionsTest, TheTableRunsInPageOrder)
{
    QStringList headlines;
    for (const Section& s : Sections())
        headlines << s.headline;
    EXPECT_EQ(headlines.join(QLatin1Char('|')),
              QStringLiteral("Annual Balance Sheet|Annual Income Statement|Earning Growth|Earning History|"
                             "Earning Estimates|Consensus EPS Trade|Split History|Upgrades History|"
                             "Downgrades History|Momentum Rating|Broker Reports|Insider Trader|Quarterly Reports|"
                             "Calls|Puts|Short Interest"));
}

} // namespace

namespace {

// The sections that share a page kind read it once per stock: a page that changes
// after the first read does not change the later boxes of the same stock.
TEST_F(SummarySectionsTest, OneStocksSectionsShareEachPageRead)
{
    const QString dir = AppPath() + QStringLiteral("/Cache/DataSheet/");
    QDir().mkpath(dir);
    const QString page = QStringLiteral("<html>begin splits<table><tr><td>Type</td></tr>"
                                        "<tr><td>Upgrade</td><td>Broker A</td><td>Buy</td></tr></table></html>");
    ASSERT_TRUE(WriteFileAtomic(dir + QStringLiteral("IBM_uph.Sh"), toCp1252(page)));
    PageReads reads(QStringLiteral("IBM"));
    const QString first = SectionBox(*FindSection("S_UPH"), reads, progress);
    EXPECT_TRUE(first.contains(QLatin1String("Broker A"))) << first.toStdString();
    ASSERT_TRUE(WriteFileAtomic(dir + QStringLiteral("IBM_uph.Sh"), toCp1252(QStringLiteral("<html></html>"))));
    EXPECT_EQ(SectionBox(*FindSection("S_UPH"), reads, progress), first);
    EXPECT_EQ(reads.page("_uph.Sh"), reads.page("_uph.Sh"));
    EXPECT_EQ(reads.page("_dnh.Sh"), nullptr);
    EXPECT_EQ(SectionBox(*FindSection("S_DNH"), reads, progress), kSmallNoData);
    // A new stock reads the page as it now is.
    PageReads again(QStringLiteral("IBM"));
    EXPECT_EQ(SectionBox(*FindSection("S_UPH"), again, progress), kSmallNoData);
}

} // namespace

namespace {

// Every section and report the page catalogue names has its builder here, and every
// chooser box its caption there.
TEST(SummaryCatalogueTest, EveryCatalogueSectionReportAndBoxIsServed)
{
    for (const pages::PageKind& kind : pages::Catalogue())
        for (const pages::View& view : kind.views) {
            if (!view.summaryName.isEmpty()) {
                const Section* s = FindSection(view.summaryName.toLatin1().constData());
                ASSERT_NE(s, nullptr) << view.code.toStdString();
                EXPECT_EQ(BoxOfFlag(s->flag), view.summaryBox) << view.code.toStdString();
                EXPECT_EQ(s->suffix, pages::StockPageSuffix(kind)) << view.code.toStdString();
                EXPECT_EQ(s, &Sections()[std::size_t(view.summaryOrder)]) << view.code.toStdString();
            }
            if (!view.reportFolder.isEmpty()) {
                EXPECT_NE(reports::findMember(view.code), nullptr) << view.code.toStdString();
                // The report's folder is one the first load makes.
                EXPECT_TRUE(CacheFolders().contains(QStringLiteral("/Cache/Reports/") + view.reportFolder))
                    << view.code.toStdString();
            }
        }
    for (int box = 0; box < SummaryChoice::kBoxes; ++box)
        EXPECT_FALSE(SummaryChoice::Caption(box).isEmpty()) << box;
}

} // namespace
