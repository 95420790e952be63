// The options views: the calls, the puts and the whole chain from one options
// reply, through the runner as a node click shows them.
#include "SheetsFixture.h"

#include "platform/RuntimeError.h"
#include "sheets/OptionsSheets.h"
#include "sheets/ViewRegistry.h"
#include "sheets/ViewRunner.h"

#include <functional>
#include <new>
#include <tuple>
#include <stdexcept>

namespace {

const QString kNoData = QStringLiteral("Data is not available, connect to Internet, and update again .");

// A reply as the options downloader stores it: headers, the table's header line,
// then the given lines, each ended by CR LF.
QByteArray optionsReply(const QStringList& lines, const QByteArray& tail = QByteArray())
{
    QByteArray page = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n"
                      "Calls,Last Sale,Net,Bid,Ask,Vol,Open Int,Puts,Last Sale,Net,Bid,Ask,Vol,Open Int\r\n";
    for (const QString& line : lines)
        page += line.toLatin1() + "\r\n";
    return page + tail;
}

const QString kLine14 = QStringLiteral("c1,c2,c3,c4,c5,c6,c7,p8,p9,p10,p11,p12,p13,p14,");
const QString kLine14NoComma = QStringLiteral("c1,c2,c3,c4,c5,c6,c7,p8,p9,p10,p11,p12,p13,p14");

} // namespace

class OptionsSheetsTest : public SheetsTest
{
protected:
    void SetUp() override
    {
        SheetsTest::SetUp();
        selectAcme(10000, false);
    }

    void writePage(const QByteArray& bytes) { writeFile("Cache/DataSheet/ACME_op.Sh", bytes); }

    // The strike rows (row 3 on) of a grid.
    static QList<QStringList> strikeRows(const FlexGrid& g)
    {
        QList<QStringList> rows;
        for (int r = 3; r < g.Rows(); ++r)
            rows << rowTexts(g, r);
        return rows;
    }

    ViewRunner runner{host};
};

TEST_F(OptionsSheetsTest, TheRegistryRowsReachTheBuilderWithTheirLoadingPainter)
{
    for (const char* code : {"Call", "Put", "Options"}) {
        const ViewRow* row = findView(QString::fromLatin1(code));
        ASSERT_NE(row, nullptr) << code;
        EXPECT_EQ(row->builder, &BuildOptionsSheet) << code;
        EXPECT_EQ(row->loading, &PaintOptionsLoading) << code;
        EXPECT_TRUE(row->zoomAware) << code;
        EXPECT_EQ(row->pageFor(QString(), "ACME"), "ACME_op.Sh") << code;
    }
}

// The whole grid of each view over one stored reply.
TEST_F(OptionsSheetsTest, EachViewFillsItsGridFromTheStoredReply)
{
    writePage(fixture("options/acme_op.Sh"));
    struct Case
    {
        const char* code;
        QStringList headings;
        QVector<int> widths;
        QVector<int> alignments;
        int titleCol;
        QString title;
        QVector<int> linkCols;
        QList<QStringList> rows;
    };
    const QStringList side = {"Last Sale", "Net", "Bid", "Ask", "Vol", "Open Int"};
    const QList<Case> cases = {
        {"Call", QStringList{"Calls"} + side, {27, 12, 9, 12, 12, 12, 12}, {1, 7, 7, 7, 7, 7, 7}, 0, "ACME Calls", {0},
         {{" Jan 25 (ACM AE)", "6 3/8", "+1/4", "6 1/8", "6 1/2", "120", "3400"},
          {" Jan 30 (ACM AF)", "1 1/2", "0", "1 3/8", "1 5/8", "80", "900"},
          {" Feb 30 (ACM BF)", "2 1/4", "-1/8", "2 1/8", "2 3/8", "15", "300"}}},
        {"Put", QStringList{"Puts"} + side, {24, 12, 12, 12, 12, 12, 12}, {1, 7, 7, 7, 7, 7, 7}, 0, "ACME Puts", {0},
         {{"Jan 25 (ACM ME)", "1/16", "-1/16", "0", "1/8", "10", "220"},
          {"Jan 30 (ACM MF)", "1 3/4", "+1/8", "1 5/8", "1 7/8", "45", "610"},
          {"Feb 30 (ACM NF)", "2 1/2", "+1/4", "2 3/8", "2 5/8", "5", "95"}}},
        {"Options", QStringList{""} + QStringList{"Calls"} + side + QStringList{"Puts"} + side,
         {2, 12, 8, 8, 8, 8, 8, 8, 12, 8, 8, 8, 8, 8, 8}, {1, 1, 7, 4, 7, 7, 7, 7, 1, 7, 4, 7, 7, 7, 7}, 1,
         "ACME Options", {1, 8},
         {{"", " Jan 25 \r\n(ACM AE)", "6 3/8", "+1/4", "6 1/8", "6 1/2", "120", "3400", "Jan 25 \r\n(ACM ME)", "1/16",
           "-1/16", "0", "1/8", "10", "220"},
          {"", " Jan 30 \r\n(ACM AF)", "1 1/2", "0", "1 3/8", "1 5/8", "80", "900", "Jan 30 \r\n(ACM MF)", "1 3/4",
           "+1/8", "1 5/8", "1 7/8", "45", "610"},
          {"", " Feb 30 \r\n(ACM BF)", "2 1/4", "-1/8", "2 1/8", "2 3/8", "15", "300", "Feb 30 \r\n(ACM NF)", "2 1/2",
           "+1/4", "2 3/8", "2 5/8", "5", "95"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        ASSERT_TRUE(runner.show(QString::fromLatin1(c.code)));
        EXPECT_EQ(CurrentView(), c.code);
        const FlexGrid& g = grid();
        ASSERT_EQ(g.Cols(), c.headings.size());
        EXPECT_EQ(rowTexts(g, 0), c.headings);
        EXPECT_EQ(strikeRows(g), c.rows);
        EXPECT_EQ(g.BackColor(), 0xFFFFFF);
        EXPECT_EQ(g.GridLines(), 1);
        EXPECT_EQ(g.RowHeight(0), 300);
        EXPECT_EQ(g.RowHeight(1), 600);
        EXPECT_EQ(g.RowHeight(2), 0);
        for (int col = 0; col < g.Cols(); ++col) {
            EXPECT_EQ(g.ColWidth(col), c.widths[col] * 100) << col;
            EXPECT_EQ(g.ColAlignment(col), c.alignments[col]) << col;
            EXPECT_EQ(g.cellFormat(0, col).alignment, 4) << col;
            // The link look from the hidden row 2 to the last row, on the link columns only.
            for (int r = 1; r < g.Rows(); ++r) {
                const bool link = r >= 2 && c.linkCols.contains(col);
                EXPECT_EQ(g.cellFormat(r, col).underline, link) << r << "," << col;
                EXPECT_EQ(g.cellFormat(r, col).foreColor, link ? 0xFF0000 : 0) << r << "," << col;
            }
        }
        // The title, in bold raised light on white, and nothing else in row 1.
        for (int col = 0; col < g.Cols(); ++col)
            EXPECT_EQ(g.TextMatrix(1, col), col == c.titleCol ? c.title : QString()) << col;
        const FlexGrid::CellFormat title = g.cellFormat(1, c.titleCol);
        EXPECT_TRUE(title.bold);
        EXPECT_EQ(title.textStyle, 3);
        EXPECT_EQ(title.backColor, 0xFFFFFF);
        EXPECT_TRUE(host.zooms.empty());
    }
}

// Which lines of a table each view shows, and how.
TEST_F(OptionsSheetsTest, LinesAreShownByTheirCommaCount)
{
    struct Case
    {
        const char* what;
        QByteArray page;
        QList<QStringList> calls, puts, chain;
    };
    const QStringList calls14 = {" c1", "c2", "c3", "c4", "c5", "c6", "c7"};
    const QStringList puts14 = {"p8", "p9", "p10", "p11", "p12", "p13", "p14"};
    const QStringList chain14 = QStringList{"", " c1", "c2", "c3", "c4", "c5", "c6", "c7"} + puts14;
    const QList<Case> cases = {
        {"14 fields and a comma after the 14th", optionsReply({kLine14}), {calls14}, {puts14}, {chain14}},
        {"14 fields without the comma after the 14th", optionsReply({kLine14NoComma}), {calls14}, {puts14}, {}},
        {"exactly 7 commas: the puts view only", optionsReply({"a,b,c,d,e,f,g,after seventh"}), {}, {{"after seventh", "", "", "", "", "", ""}}, {}},
        {"blank lines and notes are skipped", optionsReply({"", "a note, with one comma", kLine14}), {calls14}, {puts14}, {chain14}},
        {"text after the last CR LF is never a row", optionsReply({kLine14}, kLine14.toLatin1()), {calls14}, {puts14}, {chain14}},
        {"fields beyond the columns are dropped", optionsReply({kLine14 + "x15,x16,"}), {calls14}, {puts14}, {chain14}},
        {"empty fields stay empty", optionsReply({",,,,,,,,,,,,,,"}), {{" ", "", "", "", "", "", ""}}, {{"", "", "", "", "", "", ""}},
         {QStringList{"", " "} + QStringList(13, QString())}},
        // Without "Puts" the body starts after the first "Int"; without "Int" it is the whole text.
        {"no \"Puts\": from the first \"Int\"", "Calls Open Int\r\n" + kLine14.toLatin1() + "\r\n", {calls14}, {puts14}, {chain14}},
        {"no \"Int\": the whole text", "\r\n" + kLine14.toLatin1() + "\r\n", {calls14}, {puts14}, {chain14}},
        // Text of the body before its first CR LF is not a line.
        {"the header line's rest is ignored", "Puts,Open Int," + kLine14.toLatin1() + "\r\n", {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writePage(c.page);
        runner.show("Call");
        EXPECT_EQ(strikeRows(grid()), c.calls);
        runner.show("Put");
        EXPECT_EQ(strikeRows(grid()), c.puts);
        runner.show("Options");
        EXPECT_EQ(strikeRows(grid()), c.chain);
        EXPECT_EQ(grid().Rows(), 3 + c.chain.size());
    }
}

// A parenthesised option code starts a second line in the chain's cell only.
TEST_F(OptionsSheetsTest, OnlyTheChainBreaksAnOptionNameBeforeItsCode)
{
    writePage(optionsReply({"Mar 35 (ACM CG),1,2,3,4,5,6,Mar 35 (ACM OG),8,9,10,11,12,13,"}));
    runner.show("Call");
    EXPECT_EQ(grid().TextMatrix(3, 0), " Mar 35 (ACM CG)");
    runner.show("Put");
    EXPECT_EQ(grid().TextMatrix(3, 0), "Mar 35 (ACM OG)");
    runner.show("Options");
    EXPECT_EQ(grid().TextMatrix(3, 1), " Mar 35 \r\n(ACM CG)");
    EXPECT_EQ(grid().TextMatrix(3, 8), "Mar 35 \r\n(ACM OG)");
}

// A missing or empty page is no failure: headings and title, no rows, no message.
TEST_F(OptionsSheetsTest, AMissingOrEmptyPageShowsHeadingsAndTitleOnly)
{
    for (const bool empty : {false, true}) {
        if (empty)
            writePage(QByteArray());
        for (const auto& [code, col, title] : {std::tuple{"Call", 0, "ACME Calls"}, std::tuple{"Put", 0, "ACME Puts"},
                                                std::tuple{"Options", 1, "ACME Options"}}) {
            SCOPED_TRACE(std::string(code) + (empty ? " empty" : " missing"));
            runner.show(QString::fromLatin1(code));
            EXPECT_EQ(grid().Rows(), 3);
            EXPECT_EQ(grid().TextMatrix(1, col), title);
            EXPECT_EQ(grid().TextMatrix(0, col), QString::fromLatin1(code == std::string("Put") ? "Puts" : "Calls"));
            EXPECT_EQ(grid().GridLines(), 1);
            EXPECT_EQ(grid().RowHeight(0), 300);
        }
    }
}

// What shows while the page is read: the loading text in the title cell.
TEST_F(OptionsSheetsTest, TheLoadingTextShowsBeforeThePageIsRead)
{
    writePage(optionsReply({kLine14}));
    for (const auto& [code, col, text] :
         {std::tuple{"Call", 0, "Loading Calls, please wait.."}, std::tuple{"Put", 0, "Loading Puts, please wait.."},
          std::tuple{"Options", 1, "Loading Options, please wait.."}}) {
        SCOPED_TRACE(code);
        ViewContext ctx = ViewRunner::contextFor(*findView(QString::fromLatin1(code)), QString());
        FlexGrid painted;
        painted.setWidth(10000);
        PaintOptionsLoading(ctx, painted);
        EXPECT_EQ(painted.Rows(), 3);
        EXPECT_EQ(painted.TextMatrix(1, col), text);
        EXPECT_TRUE(painted.cellFormat(1, col).bold);
        EXPECT_EQ(painted.cellFormat(1, col).textStyle, 3);
        EXPECT_EQ(painted.cellFormat(1, col).backColor, 0xFFFFFF);

        // The fill reads the page while its grid holds the loading state.
        QString whileReading;
        FlexGrid filled;
        filled.setWidth(10000);
        ctx.afterRead = [&, c = col] { whileReading = filled.TextMatrix(1, c); };
        BuildOptionsSheet(ctx, filled);
        EXPECT_EQ(whileReading, text);
        EXPECT_EQ(filled.TextMatrix(1, col), QString(text).replace("Loading ", "ACME ").remove(", please wait.."));
    }
}

// How the builder ends on each kind of failure.
TEST_F(OptionsSheetsTest, FailuresEndInTheViewsMessageOrLeaveTheGrid)
{
    writePage(optionsReply({kLine14}));
    struct Case
    {
        const char* what;
        std::function<void()> fail;
        ViewError::Kind kind;
        QString text;
    };
    const QList<Case> cases = {
        {"invalid argument", [] { throw RuntimeError::make(5); }, ViewError::Message, kNoData},
        {"file not found", [] { throw RuntimeError::make(53); }, ViewError::Message, kNoData},
        {"overflow", [] { throw RuntimeError::make(6); }, ViewError::Untouched, QString()},
        {"out of memory", [] { throw std::bad_alloc(); }, ViewError::Untouched, QString()},
        {"anything else", [] { throw std::runtime_error("odd"); }, ViewError::Untouched, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ViewContext ctx = ViewRunner::contextFor(*findView("Put"), QString());
        ctx.afterRead = c.fail;
        FlexGrid g;
        try {
            BuildOptionsSheet(ctx, g);
            ADD_FAILURE() << "the fill did not fail";
        } catch (const ViewError& e) {
            EXPECT_EQ(e.kind(), c.kind);
            EXPECT_EQ(e.text(), c.text);
        }
    }
}

// Redrawn for a zoom window: one new window holds the view, the main grid stays.
TEST_F(OptionsSheetsTest, WithZoomModeEachViewOpensOneWindowAndOnFailureNone)
{
    writePage(fixture("options/acme_op.Sh"));
    runner.show("Call");
    const QList<QStringList> mainRows = strikeRows(grid());
    int windows = 0;
    for (const char* code : {"Call", "Put", "Options"}) {
        SCOPED_TRACE(code);
        ZoomMode() = true;
        ASSERT_TRUE(runner.show(QString::fromLatin1(code)));
        ++windows;
        ASSERT_EQ(host.zooms.size(), size_t(windows));
        FlexGrid* zoom = host.zooms.back().get();
        EXPECT_EQ(host.shown.back(), zoom);
        EXPECT_EQ(ZoomGrid(), zoom);
        EXPECT_FALSE(ZoomMode());
        EXPECT_EQ(zoom->Rows(), 6);
        EXPECT_EQ(CurrentView(), code);
        EXPECT_EQ(strikeRows(grid()), mainRows);
    }

    // A zoomed view that fails with error 5 shows the message in the main grid
    // and opens no window.
    ViewRow broken = *findView("Options");
    broken.code = "Broken";  // no member: the fill fails with error 5
    ZoomMode() = true;
    runner.show(broken);
    EXPECT_EQ(host.shown.size(), size_t(windows));
    EXPECT_FALSE(ZoomMode());
    EXPECT_EQ(grid().Rows(), 1);
    EXPECT_EQ(grid().TextMatrix(0, 0), kNoData);
    EXPECT_EQ(grid().GridLines(), 0);
}
