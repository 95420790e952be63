// The page-text search every reader walks pages with: it must find what the
// library's search finds, at every offset, near the end of the text and
// where a candidate has the right first and last character but not the middle.

#include "pages/PageText.h"
#include "platform/Runtime.h"

#include <gtest/gtest.h>

namespace {

struct SearchCase
{
    const char* text;
    const char* pattern;
};

const SearchCase kSearches[] = {
    {"<tr><td>1</td><td>2</td></tr>", "</td>"},
    {"<t>d<td>x", "<td"},                      // "<" and "d" two apart, then the real one
    {"<xd<yd<zd<td", "<td"},                   // many near-misses in one block of eight
    {"abcdefghijklmnopqrstuvwxyzabcdefghij", "j"},
    {"aaaaaaaaaaaaaaaaaaaaaaab", "ab"},
    {"Earnings Estimates &amp; Trends", "&amp;"},
    {"no match anywhere in this text at all", "<table"},
    {"short", "a longer pattern than the text"},
    {"caf\xe9 au lait, caf\xe9", "\xe9 au"},   // Latin-1 letters
    {"</tr></TR></tr>", "</TR>"},
    {"xxxxxxxxxxxxxxx</table>", "</table>"},   // the match ends the text
};

TEST(PageTextTest, FindTextFindsWhatTheLibraryFindsFromEveryOffset)
{
    for (const SearchCase& c : kSearches) {
        // The same text at several lengths before it, so a match falls at every
        // place within a block and in the tail.
        for (int pad = 0; pad < 20; ++pad) {
            const QString text = QString(pad, QLatin1Char('.')) + QLatin1String(c.text);
            const QLatin1String pattern(c.pattern);
            const QString widePattern(pattern);  // the same pattern held as UTF-16
            for (qsizetype from = 0; from <= text.size() + 1; ++from) {
                const qsizetype expected = from > text.size() ? -1 : QStringView(text).indexOf(pattern, from);
                EXPECT_EQ(IndexOfText(text, pattern, from), expected)
                    << c.text << " / " << c.pattern << " pad " << pad << " from " << from;
                EXPECT_EQ(IndexOfText(text, QStringView(widePattern), from), expected)
                    << c.text << " / " << c.pattern << " pad " << pad << " from " << from << " (UTF-16)";
            }
        }
    }
}

TEST(PageTextTest, FindTextOnAViewSeesOnlyTheView)
{
    const QString text = QStringLiteral("<td>a</td><td>b</td>");
    const QStringView firstCell = QStringView(text).first(9);  // "<td>a</td" without the last ">"
    EXPECT_EQ(IndexOfText(firstCell, QLatin1String("</td>")), -1);
    EXPECT_EQ(IndexOfText(firstCell, QLatin1String("</td")), 5);
}

// A cell piece as the walkers hand it (the text after "<td"): cleaned in one pass,
// it reads as the cell routine of the views and a trim give it.
TEST(PageTextTest, CleanedReadsAsTheViewsCellRoutineThenATrim)
{
    const char* const pieces[] = {
        ">Plain text",
        "> Item 1 &amp; more </td",
        " class=x>  spaced  ",
        ">&amp;amp; twice",
        ">&am<b>p; split by a tag",
        "><a href=\"a&amp;b\">Link &amp; text</a>",
        "no closing bracket &amp; so nothing",
        ">&ampx; &amp",
        ">   ",
        "",
        ">a<br>b&amp;<i>c</i>&amp;",
        "> caf\xe9 &amp; cr\xe8me ",
    };
    for (const char* piece : pieces) {
        const QString cell = QString::fromLatin1(piece);
        QString viewCell = cell;
        const QString expected = rt::Trim(CleanCell(viewCell, false, true, false));
        EXPECT_EQ(CleanedCell(cell), expected) << piece;
    }
}

} // namespace
