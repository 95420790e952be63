// The one element scanner and the ways its variants end: at an open element without
// its close the listing scanners fail before the caller has any element, the walk
// fails after handing on the elements before it, and the quiet variants stop with
// those elements. The caller's early stop, the letter case and the 16-bit positions.
#include "pages/PageScan.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

// What a scan handed on, and the error number it ended with.
struct Outcome
{
    QStringList handed;
    std::optional<int> error;
};

template <typename Scan>
Outcome run(Scan&& scan)
{
    Outcome out;
    try {
        scan(out.handed);
    } catch (const RuntimeError& e) {
        out.error = e.number();
    }
    return out;
}

} // namespace

TEST(PageScan, VariantsDifferOnlyInHowTheyEndAtAnOpenWithoutItsClose)
{
    struct Case
    {
        const char* name;
        std::function<void(QStringList&)> scan;
        QStringList handed;
        std::optional<int> error;
    };
    const QString text = QStringLiteral("<tr>a</tr><tr>b</tr><tr>c");
    const auto collect = [](QStringList& into) {
        return [&into](QStringView element) {
            into << element.toString();
            return true;
        };
    };
    const Case cases[] = {
        {"listed first: fails before any element is placed",
         [&](QStringList& into) { into = ScanRows(text); }, {}, 5},
        {"walked: fails after the elements before it were handled",
         [&](QStringList& into) { ForEachElement(text, "<tr", "</tr>", collect(into)); }, {"<tr>a", "<tr>b"}, 5},
        {"listed, quiet", [&](QStringList& into) { into = ScanUntilOpen(text, "<tr", "</tr>"); },
         {"<tr>a", "<tr>b"}, {}},
        {"walked, quiet", [&](QStringList& into) { ForEachUntilOpen(text, "<tr", "</tr>", collect(into)); },
         {"<tr>a", "<tr>b"}, {}},
        {"the caller stops early",
         [&](QStringList& into) {
             ForEachElement(text, "<tr", "</tr>", [&](QStringView element) {
                 into << element.toString();
                 return false;
             });
         },
         {"<tr>a"}, {}},
        {"without regard to case, markers in lower case",
         [&](QStringList& into) {
             ForEachUntilOpen(QStringLiteral("<TR>x</Tr><tr>y</TR>"), "<tr", "</tr>", collect(into),
                              Qt::CaseInsensitive);
         },
         {"<TR>x", "<tr>y"}, {}},
        {"letter case kept by default",
         [&](QStringList& into) { ForEachUntilOpen(QStringLiteral("<TR>x</TR>"), "<tr", "</tr>", collect(into)); },
         {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome out = run(c.scan);
        EXPECT_EQ(out.handed, c.handed);
        EXPECT_EQ(out.error, c.error);
    }
}

TEST(PageScan, StrictPositionsFailPastCharacter32767WhateverTheEnding)
{
    QString text(33000, QLatin1Char('.'));
    text.replace(32900, 10, QStringLiteral("<td>x</td>"));
    for (const Unclosed unclosed : {Unclosed::Fails, Unclosed::Stops}) {
        const Outcome strict = run([&](QStringList& into) {
            ScanElementsWith(text, "<td", "</td>", ScanRules{unclosed, Positions::Strict}, [&](QStringView e) {
                into << e.toString();
                return true;
            });
        });
        EXPECT_EQ(strict.error, 6);
        EXPECT_TRUE(strict.handed.isEmpty());
        const Outcome lenient = run([&](QStringList& into) {
            ScanElementsWith(text, "<td", "</td>", ScanRules{unclosed, Positions::Lenient}, [&](QStringView e) {
                into << e.toString();
                return true;
            });
        });
        EXPECT_EQ(lenient.handed, QStringList{"<td>x"});
        EXPECT_FALSE(lenient.error.has_value());
    }
}

TEST(PageScan, ElementsThatEndWhereTheyBeginStopAfterAsManyRoundsAsCharacters)
{
    // The close is found where the open stands: every round hands an empty element
    // at the same place, until the round limit.
    const QString text = QStringLiteral("<tr>");
    const QStringList listed = ScanUntilOpen(text, "<tr", "<t");
    EXPECT_EQ(listed, QStringList(4, QString()));
}
