// The view contract: its failure outcomes, the 1-based search and cut with their
// error 5, the 16-bit position limit, the row and cell scanners and the cache path.
#include "SheetsFixture.h"

#include "pages/PageScan.h"
#include "pages/PageText.h"
#include "platform/RuntimeError.h"
#include "views/ViewContract.h"

#include <optional>

namespace {

// The error number a call raises (a run-time error, or the contract's numbered
// error), or nothing.
template <typename Call>
std::optional<int> errorOf(Call&& call)
{
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.number();
    } catch (const ViewError& e) {
        return e.kind() == ViewError::Number ? e.errorNumber() : -1;
    }
    return std::nullopt;
}

// A text of `length` dots with `marker` written at 1-based position `at`.
QString textWith(int length, const QString& marker, int at)
{
    QString text(length, QLatin1Char('.'));
    text.replace(at - 1, marker.size(), marker);
    return text;
}

} // namespace

TEST(ViewContract, ErrorKindsCarryWhatTheRunnerShows)
{
    EXPECT_EQ(ViewError::message("No data").kind(), ViewError::Message);
    EXPECT_EQ(ViewError::message("No data").text(), "No data");
    EXPECT_EQ(ViewError::blank().kind(), ViewError::Blank);
    EXPECT_EQ(ViewError::untouched().kind(), ViewError::Untouched);
    const ViewError overflow = ViewError::number(6);
    EXPECT_EQ(overflow.kind(), ViewError::Number);
    EXPECT_EQ(overflow.errorNumber(), 6);
    EXPECT_EQ(overflow.text(), "Overflow");
    EXPECT_EQ(StandardViewMessage("Acme"), "Tradewright do not have additional information for Acme");
}

TEST(ViewContract, FindAndCutAreOneBasedAndFailWithErrorFive)
{
    struct Case
    {
        const char* name;
        std::function<QString()> call;
        QString result;          // when it succeeds
        std::optional<int> error;
    };
    const QString text = QStringLiteral("<b>abc</b>abc");
    const Case cases[] = {
        {"found from the start", [&] { return QString::number(FindText(1, text, "abc")); }, "4", {}},
        {"found from a later start", [&] { return QString::number(FindText(5, text, "abc")); }, "11", {}},
        {"absent marker gives 0", [&] { return QString::number(FindText(1, text, "xyz")); }, "0", {}},
        {"start past the end gives 0", [&] { return QString::number(FindText(40, text, "a")); }, "0", {}},
        {"search after an absent marker", [&] { return QString::number(FindText(0, text, "a")); }, "", 5},
        {"cut", [&] { return CutText(text, 4, 3); }, "abc", {}},
        {"cut past the end is shortened", [&] { return CutText(text, 11, 10); }, "abc", {}},
        {"cut beyond the text is empty", [&] { return CutText(text, 20, 2); }, "", {}},
        {"cut of length 0", [&] { return CutText(text, 4, 0); }, "", {}},
        {"cut from an absent marker", [&] { return CutText(text, 0, 3); }, "", 5},
        {"cut to an absent end marker", [&] { return CutText(text, 4, 0 - 4); }, "", 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString result;
        EXPECT_EQ(errorOf([&] { result = c.call(); }), c.error);
        if (!c.error) {
            EXPECT_EQ(result, c.result);
        }
    }
}

TEST(ViewContract, StrictPositionsEndAViewPastCharacter32767)
{
    struct Case
    {
        int at;
        Positions positions;
        std::optional<int> error;
    };
    const Case cases[] = {
        {32767, Positions::Strict, {}},
        {32768, Positions::Strict, 6},
        {40000, Positions::Strict, 6},
        {40000, Positions::Lenient, {}},
        {1000000, Positions::Lenient, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.at);
        const QString text = textWith(c.at + 10, "<tr>", c.at);
        int found = 0;
        EXPECT_EQ(errorOf([&] { found = FindText(1, text, "<tr>", c.positions); }), c.error);
        if (!c.error) {
            EXPECT_EQ(found, c.at);
        }
    }
    // An absent marker is no position: a long text without it is fine.
    EXPECT_EQ(FindText(1, QString(50000, QLatin1Char('.')), "<tr", Positions::Strict), 0);
}

TEST(ViewContract, RowAndCellScanners)
{
    using Scan = QStringList (*)(const QString&, Positions);
    struct Case
    {
        const char* name;
        Scan scan;
        QString text;
        Positions positions;
        QStringList result;
        std::optional<int> error;
    };
    const QString farRow = textWith(33000, "<tr>x</tr>", 32900);
    const QString farEnd = textWith(33000, "</tr>", 32900).replace(0, 4, "<tr>");
    const Case cases[] = {
        {"empty text", ScanRows, "", Positions::Lenient, {}, {}},
        {"no rows", ScanRows, "<table>plain</table>", Positions::Lenient, {}, {}},
        {"rows up to their end tag", ScanRows, "<tr a=1><td>1</td></tr>\n<tr><td>2</td></tr>", Positions::Lenient,
         {"<tr a=1><td>1</td>", "<tr><td>2</td>"}, {}},
        {"an empty row", ScanRows, "<tr></tr>", Positions::Lenient, {"<tr>"}, {}},
        {"a row without its end tag", ScanRows, "<tr><td>1</td>", Positions::Lenient, {}, 5},
        {"the last row without its end tag", ScanRows, "<tr>a</tr><tr>b", Positions::Lenient, {}, 5},
        {"tags compared exactly", ScanRows, "<TR>a</TR>", Positions::Lenient, {}, {}},
        {"cells", ScanCells, "<tr><td>1</td><td class=x>&amp;</td></tr>", Positions::Lenient,
         {"<td>1", "<td class=x>&amp;"}, {}},
        {"header cells", ScanHeaderCells, "<tr><th>Date</th><th>Price</th></tr>", Positions::Lenient,
         {"<th>Date", "<th>Price"}, {}},
        {"header cells are not cells", ScanCells, "<th>Date</th>", Positions::Lenient, {}, {}},
        {"a far row, strict", ScanRows, farRow, Positions::Strict, {}, 6},
        {"a far row, lenient", ScanRows, farRow, Positions::Lenient, {"<tr>x"}, {}},
        {"a far end tag, strict", ScanRows, farEnd, Positions::Strict, {}, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList result;
        EXPECT_EQ(errorOf([&] { result = c.scan(c.text, c.positions); }), c.error);
        if (!c.error) {
            EXPECT_EQ(result, c.result);
        }
    }
}

TEST(ViewContract, ScannerStopsAfterAsManyRoundsAsTheTextHasCharacters)
{
    // Each round takes one element; the text can hold no more than its length.
    QString text;
    for (int i = 0; i < 500; ++i)
        text += QStringLiteral("<td>%1</td>").arg(i);
    const QStringList cells = ScanCells(text);
    ASSERT_EQ(cells.size(), 500);
    EXPECT_EQ(cells.last(), "<td>499");
}

class ViewContractFiles : public SheetsTest
{
};

TEST_F(ViewContractFiles, CachePathFindsThePageWhateverItsLetterCase)
{
    writeFile("Cache/DataSheet/IBM_Abs.Sh", "page");
    ViewContext ctx;
    ctx.appPath = AppPath();
    EXPECT_EQ(ctx.cachePath("IBM_ABS.sh"), path("Cache/DataSheet/IBM_Abs.Sh"));
    EXPECT_EQ(ctx.cachePath(""), "");
}
