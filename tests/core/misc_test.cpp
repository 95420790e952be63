#include "IsolatedStore.h"

#include "core/Misc.h"
#include "core/Settings.h"
#include "core/mdlRegistry.h"
#include "pages/PageText.h"

#include <QGuiApplication>

class MiscTest : public IsolatedStore
{
};

TEST_F(MiscTest, FormatPTable)
{
    struct Row
    {
        const char* input;
        bool four;
        const char* expected;
        int logged;  // entries tagged Misc_FormatP
    };
    const Row rows[] = {
        {"12 3/8", false, "12.38", 0},
        {"12 3/8", true, "12.3750", 0},
        {"3/8", false, "0.38", 0},
        {"3/8", true, "0.3750", 0},
        {"5/2", false, "2.50", 0},
        {"2468/2", false, "1,234.00", 0},
        {"1234 1/2", false, "1234.50", 0},
        {"12.5", false, "12.5", 0},
        {".5", false, "0.50", 0},
        {".5", true, "0.50", 0},
        {"N/A", false, "0", 0},
        {"", false, "0", 0},
        {"12%", false, "0", 0},
        {"+ 2", false, "+2", 0},
        {"-3/8", false, "-0.38", 0},
        // The sign of a mixed number applies to the whole value.
        {"-1 3/8", false, "-1.38", 0},
        {"- 1 3/8", false, "-1.38", 0},
        {"-1 3/8", true, "-1.3750", 0},
        {"-0 1/2", false, "-0.50", 0},
        {"+1 1/2", false, "1.50", 0},
        {"1/0", false, "", 1},
        {"-", false, "", 1},
        {"+", false, "", 1},
        {"40000/2", false, "", 1},
        {"1 x/8", false, "", 1},
    };
    int logged = 0;
    for (const Row& r : rows) {
        QString s = QString::fromLatin1(r.input);
        EXPECT_EQ(FormatP(s, r.four), QString::fromLatin1(r.expected)) << r.input;
        logged += r.logged;
        EXPECT_EQ(logEntries(QStringLiteral("Misc_FormatP")), logged) << r.input;
    }
    EXPECT_TRUE(test::dialogs().shown.isEmpty());

    // The blank after a sign goes in the caller's own text too.
    QString s = QStringLiteral("- 1 3/8");
    FormatP(s, false);
    EXPECT_EQ(s, QStringLiteral("-1 3/8"));
}

TEST_F(MiscTest, CutTable)
{
    const QString base = QStringLiteral("<html><TABLE id=1><tr><td>a</td></tr></table>"
                                        "<Table id=2><tr><td>b</td></tr></table>"
                                        "<table id=3><tr><td>c</td></tr></table></html>");
    const struct
    {
        int n;
        const char* expected;
    } rows[] = {
        {1, "<table id=1><tr><td>a</td></tr>"},
        {2, "<table id=2><tr><td>b</td></tr>"},
        {3, "<table id=3><tr><td>c</td></tr>"},
        {4, ""},
        {0, ""},
        {-1, ""},
    };
    for (const auto& r : rows) {
        QString page = base;
        EXPECT_EQ(CutTable(page, r.n), QString::fromLatin1(r.expected)) << r.n;
        // The opening tags are evened out in the caller's page.
        EXPECT_EQ(page.count(QStringLiteral("<table")), 3);
    }

    // Each search resumes at the closing tag just found: an inner table ends the outer one.
    QString nested = QStringLiteral("<table a><table b></table></table><table c></table>");
    EXPECT_EQ(CutTable(nested, 1), QStringLiteral("<table a><table b>"));
    EXPECT_EQ(CutTable(nested, 2), QStringLiteral("<table c>"));
    // No closing tag, or one written in capitals only.
    QString open = QStringLiteral("<table x><tr><td>1</td></tr>");
    EXPECT_EQ(CutTable(open, 1), QString());
    QString upper = QStringLiteral("<TABLE><tr><td>1</td></tr></TABLE>");
    EXPECT_EQ(CutTable(upper, 1), QString());
}

TEST_F(MiscTest, CleanCellTextMode)
{
    const struct
    {
        const char* cell;
        bool breaks;
        bool amps;
        const char* expected;
    } rows[] = {
        {" align=right>12.5</td>", false, false, "12.5"},
        {"no closing bracket at all", false, false, ""},
        {">a<br>b<BR>c", true, false, "a\r\nbc"},
        {">a<br>b", false, false, "ab"},
        {">A &amp; B", true, true, "A & B"},
        {">A &amp; B", false, false, "A &amp; B"},
        {" class=x><a href=\"/q\">IBM</a> <b>Corp</b> ", false, false, "IBM Corp "},
        {"", false, false, ""},
    };
    for (const auto& r : rows) {
        QString cell = QString::fromLatin1(r.cell);
        EXPECT_EQ(CleanCell(cell, r.breaks, r.amps, false), QString::fromLatin1(r.expected)) << r.cell;
    }
    QString cell = QStringLiteral(">x<br>y");
    CleanCell(cell, true, false, false);
    EXPECT_EQ(cell, QStringLiteral(">x\r\ny"));  // replaced in the caller's text
}

TEST_F(MiscTest, CleanCellLinkMode)
{
    const struct
    {
        const char* cell;
        const char* expected;
    } rows[] = {
        {" nowrap><a href=\"http://example.test/q?s=IBM\">IBM</a>", "http://example.test/q?s=IBM"},
        {"><A HREF=\"/news/1.html\">News</A>", "/news/1.html"},
        {"><A Href=\"x.htm\">X</A>", "x.htm"},
        {"><a href=http://example.test/>X</a>", ""},
        {"><a href=\"\">X</a>", ""},
        {"><a HREF=\"mixed\">X</a>", ""},
        {"plain text", ""},
    };
    for (const auto& r : rows) {
        QString cell = QString::fromLatin1(r.cell);
        EXPECT_EQ(CleanCell(cell, false, false, true), QString::fromLatin1(r.expected)) << r.cell;
    }
    QString cell = QStringLiteral("><a href=\"u\">x</a>");
    CleanCell(cell, false, false, true);
    EXPECT_EQ(cell, QStringLiteral("><A href=\"u\">x</a>"));
}

TEST_F(MiscTest, NormaliseTagsAndReplaceWords)
{
    QString page = QStringLiteral("<TD>Thursday</TD><Tr><TH>Trade</TH></TR><TABLE></Table><tD>TrAde");
    const QString result = NormaliseTags(page, true, true, true, true);
    EXPECT_EQ(result, QStringLiteral("<td>thursday</td><tr><th>trade</th></tr><table></table><tD>trAde"));
    EXPECT_EQ(page, result);

    QString onlyTd = QStringLiteral("<TD>The Table</TD>");
    EXPECT_EQ(NormaliseTags(onlyTd, false, true, false, false), QStringLiteral("<td>The Table</td>"));

    QString text = QStringLiteral("Buy BUY Buy SELL");
    EXPECT_EQ(ReplaceWords(text, {QStringLiteral("BUY"), QString(), QStringLiteral("SELL")}),
              QStringLiteral("Buy buy Buy sell"));
    EXPECT_EQ(text, QStringLiteral("Buy buy Buy sell"));
}

TEST_F(MiscTest, LongPagesAreSearchedLikeShortOnes)
{
    const QString filler(40000, u'x');
    QString page = filler + QStringLiteral("<table id=1></table>") + filler
                 + QStringLiteral("<TABLE id=2><tr><td>far</td></tr></table>");
    EXPECT_EQ(CutTable(page, 2), QStringLiteral("<table id=2><tr><td>far</td></tr>"));
    QString cell = filler + QStringLiteral("<a href=\"http://far.test/\">x</a>");
    EXPECT_EQ(CleanCell(cell, false, false, true), QStringLiteral("http://far.test/"));
    QString text = QStringLiteral(">") + filler;
    EXPECT_EQ(CleanCell(text, false, false, false).size(), 40000);
}

TEST_F(MiscTest, ReadFile)
{
    EXPECT_EQ(ReadFile(AppPath() + QStringLiteral("\\Cache\\DataSheet\\missing.Sh")), QString());
    ASSERT_TRUE(MakeDir(AppPath() + QStringLiteral("/Cache/DataSheet")));
    const QByteArray bytes("Last\x80 caf\xe9\r\n\0end", 16);
    ASSERT_TRUE(WriteFileAtomic(AppPath() + QStringLiteral("/Cache/DataSheet/Yahooquote.Sh"), bytes));
    const QString text = ReadFile(AppPath() + QStringLiteral("\\Cache\\DataSheet\\YahooQuote.Sh"));
    EXPECT_EQ(text.size(), 16);
    EXPECT_EQ(text, QString::fromUtf8("Last\u20ac caf\u00e9\r\n") + QChar(u'\0') + QStringLiteral("end"));
}

TEST_F(MiscTest, ToDouble)
{
    const struct
    {
        QVariant in;
        double result;
        bool zeroed;  // the caller's variable was set to 0
    } rows[] = {
        {QStringLiteral("1,234.5"), 1234.5, false},
        {QStringLiteral("abc"), 0, true},
        {QStringLiteral(""), 0, true},
        {QVariant(), 0, true},
        {QStringLiteral("N/A"), 0, true},
        {QStringLiteral("-0.25"), -0.25, false},
        {QStringLiteral("$5"), 5, false},
        {QStringLiteral("1e3"), 1000, false},
        {QVariant(12.5), 12.5, false},
        {QStringLiteral("0"), 0, false},
    };
    for (const auto& r : rows) {
        QVariant v = r.in;
        EXPECT_DOUBLE_EQ(ToDouble(v), r.result) << r.in.toString().toStdString();
        if (r.zeroed) {
            EXPECT_TRUE(v.isValid());
            EXPECT_EQ(v.toDouble(), 0);
        } else {
            EXPECT_EQ(v, r.in);
        }
    }
    EXPECT_DOUBLE_EQ(ToDouble(QStringLiteral("2,000")), 2000);
}

TEST_F(MiscTest, OpenURLAfterTheConnectionCheck)
{
    mdlRegistry::CreateNewKey(mdlRegistry::HKEY_CURRENT_USER, QString::fromLatin1(Settings::ProductKey));
    Settings::SaveSetting(QString::fromLatin1(Settings::Prompt), QStringLiteral("0"));
    OpenURL(QStringLiteral("http://example.test/q?s=IBM"));
    EXPECT_EQ(test::shell().opened, QStringList{QStringLiteral("http://example.test/q?s=IBM")});
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EmptyProc();
}
