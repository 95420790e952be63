// The four tables of the earnings page over a page of our own.
#include "CachedSheetFixture.h"

#include "sheets/EarningsSheets.h"

#include <optional>

namespace {

const QString kEarnings = QStringLiteral("ACME_ee.Sh");
const char* const kCodes[] = {"EG", "EH", "ER", "EC"};

QStringList column(const FlexGrid& g, int col, int firstRow, int lastRow)
{
    QStringList cells;
    for (int r = firstRow; r <= lastRow; ++r)
        cells << g.TextMatrix(r, col);
    return cells;
}

} // namespace

class EarningsSheetsTest : public CachedSheetTest
{
protected:
    static QByteArray page() { return fixture("earnings/earnings.htm"); }
};

TEST_F(EarningsSheetsTest, EachTableFillsColumnByColumn)
{
    writePage(kEarnings, page());
    struct Case
    {
        const char* code;
        int rows;
        int cols;
        QStringList header;  // row 0, title included
        QStringList column0;
        QStringList column1;
        int lastCol;             // the last column the page fills
        QStringList lastColumn;
        int dataRowHeight;       // 0: not checked
    };
    const Case cases[] = {
        {"EG", 4, 7,
         {"ACME\r\nEarnings Growth", "Growth Est", "ACME", "Industry", "Sector", "Index \r\n(S&P)", ""},
         {"Last 5 Years", "this Year", "Next Year"}, {"12%", "10%", "15%"}, 3, {"7%", "6%", "5%"}, 2 * kBase},
        // No line break before "(" in this header; empty values leave no gaps.
        {"EH", 5, 6, {"ACME\r\nEarnings History", "Mar 01", "Jun 01", "Sep 01 (restated)", "Dec 01", ""},
         {"EPS Est", "EPS Actual", "Difference", "Surprise %"}, {"0.40", "0.42", "0.02", "5%"},
         4, {"0.50", "0.55", "0.05", "10%"}, kBase},
        {"ER", 7, 5,
         {"ACME\r\nEarnings Estimates", "this Qtr \r\n(Mar 02)", "Next Qtr \r\n(Jun 02)", "this Year \r\n(Dec 02)",
          "Next Year \r\n(Dec 03)"},
         {"Avg Estimate", "No. of Analysts", "Low Estimate", "High Estimate", "Year Ago EPS", "Growth & Change"},
         {"0.50", "12", "0.45", "0.55", "0.40", "25%"}, 4, {"2.60", "13", "2.30", "2.90", "2.20", "18%"}, kBase},
        // Found although the page writes "Trend" with a capital T.
        {"EC", 6, 5,
         {"ACME\r\nConsensus EPS Trend", "this Qtr \r\n(Mar 02)", "Next Qtr \r\n(Jun 02)", "this Year \r\n(Dec 02)",
          "Next Year \r\n(Dec 03)"},
         {"Current", "7 Days Ago", "30 Days Ago", "60 Days Ago", "90 Days Ago"},
         {"0.50", "0.50", "0.49", "0.48", "0.47"}, 4, {"2.60", "2.60", "2.59", "2.58", "2.57"}, 0},
    };
    // The tag case is evened out by plain replacement: "This" reads "this".
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        ASSERT_TRUE(runner.show(c.code));
        const FlexGrid& g = grid();
        EXPECT_EQ(CurrentView(), c.code);
        ASSERT_EQ(g.Rows(), c.rows);
        ASSERT_EQ(g.Cols(), c.cols);
        EXPECT_EQ(rowTexts(g, 0), c.header);
        const int values = c.rows - 1;
        EXPECT_EQ(column(g, 0, 1, values), c.column0);
        EXPECT_EQ(column(g, 1, 1, values), c.column1);
        EXPECT_EQ(column(g, c.lastCol, 1, values), c.lastColumn);
        for (int col = 0; col < g.Cols(); ++col)
            EXPECT_EQ(g.cellFormat(0, col).alignment, 3) << col;
        EXPECT_TRUE(g.cellFormat(0, 0).bold);
        EXPECT_EQ(g.cellFormat(0, 0).textStyle, 3);
        EXPECT_EQ(g.RowHeight(0), 2 * kBase);
        for (int r = 1; r <= values; ++r) {
            EXPECT_EQ(g.cellFormat(r, 1).alignment, 7) << r;
            EXPECT_EQ(g.cellFormat(r, c.lastCol).alignment, 7) << r;
            if (c.dataRowHeight) {
                EXPECT_EQ(g.RowHeight(r), c.dataRowHeight) << r;
            }
        }
        EXPECT_EQ(g.BackColor(), 0xFFFFFF);
        EXPECT_EQ(g.GridLines(), 1);
    }
    // Data in column 0: its cells are aligned left-top.
    runner.show("EG");
    EXPECT_EQ(grid().cellFormat(2, 0).alignment, 0);
    EXPECT_EQ(grid().ColWidth(0), 2000);
    EXPECT_EQ(grid().ColWidth(6), 1200);
    // The trend table aligns its label column as a whole.
    runner.show("EC");
    EXPECT_EQ(grid().ColAlignment(0), 0);
    EXPECT_EQ(grid().RowHeight(1), kBase);
    EXPECT_EQ(grid().ColWidth(0), 2800);
}

TEST_F(EarningsSheetsTest, TheyAreNotRedrawnIntoAZoomWindow)
{
    writePage(kEarnings, page());
    ZoomMode() = true;
    runner.show("EH");
    EXPECT_EQ(grid().TextMatrix(1, 1), "0.40");
    EXPECT_TRUE(host.zooms.empty());
    EXPECT_TRUE(ZoomMode());  // left for the zoom-aware view it was set for
    ZoomMode() = false;
}

TEST_F(EarningsSheetsTest, PagesBehindALongHeadFillIdentically)
{
    for (const char* code : kCodes) {
        SCOPED_TRACE(code);
        writePage(kEarnings, page());
        runner.show(code);
        const QStringList plain = snapshot(grid());
        ASSERT_GE(grid().Rows(), 4);
        ASSERT_GT(grid().GridLines(), 0);

        writePage(kEarnings, behindLongHead(page()));
        runner.show(code);
        EXPECT_EQ(snapshot(grid()), plain);
    }
}

TEST_F(EarningsSheetsTest, FailuresShowTheStandardMessageOrABlankGrid)
{
    const QString standard = standardMessage("Acme Widgets");
    auto with = [](QByteArray bytes, const QByteArray& from, const QByteArray& to) { return bytes.replace(from, to); };
    // More values than the columns hold.
    const QByteArray surplus[] = {
        with(page(), "<td>7%<br>6%<br>5%</td>", "<td>7%<br>6%<br>5%</td><td>1<br>2<br>3<br>4<br>5<br>6<br>7<br>8<br>9<br>10</td>"),
        with(page(), "<td>0.50<br>0.55<br>0.05<br>10%</td>", "<td>0.50<br>0.55<br>0.05<br>10%</td><td>1<br>2<br>3<br>4<br>5</td>"),
        with(page(), "2.90<br>2.20<br>18%</TD>", "2.90<br>2.20<br>18%</TD><TD>1</TD>"),
        with(page(), "2.58<br>2.57</TD>", "2.58<br>2.57</TD><TD>1</TD>"),
    };
    const QByteArray markers[] = {"Earnings Growth", "Earnings History", "Earnings Estimates &amp;",
                                  "Consensus EPS Trend"};
    for (const bool zoom : {false, true}) {
        for (int i = 0; i < 4; ++i) {
            const char* code = kCodes[i];
            QByteArray noEnd = with(page(), "</TABLE>", "");
            noEnd = with(with(noEnd, "</tr>", ""), "</TR>", "");
            const struct
            {
                const char* name;
                std::optional<QByteArray> page;
                QString shown;
            } cases[] = {
                {"no page", std::nullopt, standard},
                {"empty page", QByteArray(), standard},
                {"no start marker", with(page(), markers[i], "Earnings"), standard},
                {"no end marker", noEnd, standard},
                {"surplus values", surplus[i], ""},
            };
            for (const auto& c : cases) {
                SCOPED_TRACE(std::string(code) + ", " + c.name + (zoom ? ", zoom" : ""));
                QFile::remove(path("Cache/DataSheet/" + kEarnings));
                if (c.page)
                    writePage(kEarnings, *c.page);
                grid().setRows(5);
                grid().setTextMatrix(0, 0, "before");
                ZoomMode() = zoom;
                runner.show(code);
                EXPECT_EQ(CurrentView(), code);
                ASSERT_EQ(grid().Rows(), 1);
                EXPECT_EQ(grid().TextMatrix(0, 0), c.shown);
                EXPECT_EQ(grid().RowHeight(0), 3 * kBase);
                EXPECT_TRUE(host.zooms.empty());
            }
        }
    }
    ZoomMode() = false;

    // The company name as the set knows it.
    Stocks()[1].CompanyName = "x";
    for (const auto& [symbol, name] : {std::pair{"ZZZ", ""}, std::pair{"Q", "Q"}}) {
        CurrentSymbol() = symbol;
        runner.show("EG");
        EXPECT_EQ(grid().TextMatrix(0, 0), standardMessage(name)) << symbol;
    }
}

TEST_F(EarningsSheetsTest, EventsRunOnceAfterTheReadAndNeverPerValue)
{
    writePage(kEarnings, page());
    for (const char* code : kCodes) {
        ViewContext ctx = ViewRunner::contextFor(*findView(code), QString());
        int passes = 0;
        ctx.afterRead = [&] { ++passes; };
        FlexGrid g;
        g.setWidth(10000);
        BuildEarningsSheet(ctx, g);
        EXPECT_EQ(passes, 1) << code;
        EXPECT_GT(g.Rows(), 3) << code;
    }
}
