#include "QtPrint.h"

#include "platform/Runtime.h"
#include "platform/RuntimeError.h"

#include <QString>
#include <QVariant>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

template <typename F>
std::optional<int> errorOf(F&& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return std::nullopt;
}

} // namespace

TEST(RuntimeFormat, PatternsInUse)
{
    struct Row
    {
        double value;
        const char* pattern;
        const char* expected;
    };
    const Row rows[] = {
        {1234.5, "#,##0.00;", "1,234.50"},
        {-1234.5, "#,##0.00;", "-1,234.50"},
        {0, "#,##0.00;", "0.00"},
        {0.375, "#,##0.00;", "0.38"},
        {-0.375, "0.00;", "-0.38"},
        {0.375, "#,##0.0000;", "0.3750"},
        {1234.5, "0.0000;", "1234.5000"},
        {2.675, "0.00;", "2.68"},        // rounded on the decimal form, half away from zero
        {0.125, "0.00;", "0.13"},
        {99.995, "#,##0.00;", "100.00"},
        {1000000, "#,##0.00;", "1,000,000.00"},
        {1234567, "#,##", "1,234,567"},
        {1234567, "#,##;", "1,234,567"},
        {999.5, "#,##;", "1,000"},
        {0, "#,##", ""},                 // only optional digits: zero shows nothing
        {0, "#,##;", ""},
        {12.3456, "#0.00", "12.35"},
        {0.5, "#0.00", "0.50"},
        {5, "0#", "05"},
        {1234, "#,#0", "1,234"},
        {7, "#", "7"},
        {5, "0.00;(0.00)", "5.00"},
        {-5, "0.00;(0.00)", "(5.00)"},
        {0.5, "0%", "50%"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(rt::Format(r.value, QString::fromLatin1(r.pattern)), QString::fromLatin1(r.expected))
            << r.value << " with " << r.pattern;
}

TEST(RuntimeConvert, CIntRoundsHalfToEvenAndChecksRange)
{
    struct Row
    {
        QVariant value;
        std::optional<int> expected;  // nullopt: an error is expected
        int error;
    };
    const Row rows[] = {
        {QStringLiteral("2.5"), 2, 0},
        {QStringLiteral("3.5"), 4, 0},
        {QStringLiteral("-2.5"), -2, 0},
        {QStringLiteral("2.51"), 3, 0},
        {QStringLiteral(" 12 "), 12, 0},
        {QStringLiteral("+7"), 7, 0},
        {QStringLiteral("1,234"), 1234, 0},
        {QStringLiteral("32767"), 32767, 0},
        {QStringLiteral("-32768.5"), -32768, 0},
        {QStringLiteral("32767.5"), std::nullopt, 6},
        {QStringLiteral("-32769"), std::nullopt, 6},
        {QStringLiteral("40000"), std::nullopt, 6},
        {QStringLiteral("abc"), std::nullopt, 13},
        {QStringLiteral(""), std::nullopt, 13},
        {QStringLiteral("12abc"), std::nullopt, 13},
        {QVariant(), 0, 0},
        {QVariant(2.5), 2, 0},
        {QVariant(true), -1, 0},
        {QVariant(std::nan("")), std::nullopt, 6},
        {QVariant(QStringList{QStringLiteral("1")}), std::nullopt, 13},
    };
    for (const Row& r : rows) {
        if (r.expected) {
            EXPECT_EQ(rt::CInt(r.value), *r.expected) << r.value.toString().toStdString();
        } else {
            EXPECT_EQ(errorOf([&] { rt::CInt(r.value); }), r.error) << r.value.toString().toStdString();
        }
    }
    EXPECT_EQ(rt::CLng(QStringLiteral("2147483647.4")), 2147483647);
    EXPECT_EQ(rt::CLng(QStringLiteral("100000")), 100000);
    EXPECT_EQ(errorOf([] { rt::CLng(QStringLiteral("2147483648")); }), 6);
    EXPECT_DOUBLE_EQ(rt::CDbl(QStringLiteral("1,234.5")), 1234.5);
    EXPECT_DOUBLE_EQ(rt::CDbl(QVariant()), 0);
    EXPECT_EQ(errorOf([] { rt::CDbl(QStringLiteral("N/A")); }), 13);
}

TEST(RuntimeConvert, IsNumericIgnoresTheMachineLocale)
{
    const struct
    {
        const char* text;
        bool numeric;
    } rows[] = {
        {"1,234.5", true}, {"$5", true},   {"-5", true},   {" 5 ", true},   {"- 5", true}, {"1e3", true},
        {"1.5E-2", true},  {".5", true},   {"5.", true},   {"1.2.3", false}, {"abc", false}, {"", false},
        {"12%", false},    {".", false},   {"-", false},   {",5", false},   {"1,234,5", true}, {"1 2", false},
        {"1e", false},     {"N/A", false},
    };
    for (const auto& r : rows)
        EXPECT_EQ(rt::IsNumeric(QString::fromLatin1(r.text)), r.numeric) << r.text;
    EXPECT_FALSE(rt::IsNumeric(QVariant()));
    EXPECT_TRUE(rt::IsNumeric(QVariant(12)));
    EXPECT_TRUE(rt::IsNumeric(QVariant(1.5)));
}

TEST(RuntimeConvert, ValTakesTheLeadingNumber)
{
    const struct
    {
        const char* text;
        double value;
    } rows[] = {
        {"12abc", 12}, {"abc", 0}, {" -1 2.5x", -12.5}, {"1,234", 1}, {".5", 0.5},
        {"1e2", 100},  {"1e", 1},  {"", 0},             {"-", 0},     {"3.2.1", 3.2},
        {"1e999", 0},
    };
    for (const auto& r : rows)
        EXPECT_DOUBLE_EQ(rt::Val(QString::fromLatin1(r.text)), r.value) << r.text;
}

TEST(RuntimeText, SingleTextHasSevenSignificantDigits)
{
    const struct
    {
        float value;
        const char* text;
    } rows[] = {
        {53, "53"},           {1.5f, "1.5"},       {-2147221504.0f, "-2.147222E+09"}, {1234567, "1234567"},
        {12345678, "1.234568E+07"}, {0, "0"},      {0.1f, "0.1"},                     {-6, "-6"},
        {1e10f, "1E+10"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(rt::SingleText(r.value), QString::fromLatin1(r.text)) << r.text;
    EXPECT_EQ(rt::DoubleText(1234.5), QStringLiteral("1234.5"));
    EXPECT_EQ(rt::CStr(QVariant(true)), QStringLiteral("True"));
    EXPECT_EQ(rt::CStr(QVariant(42)), QStringLiteral("42"));
    EXPECT_EQ(rt::CStr(QVariant()), QString());
    EXPECT_EQ(errorOf([] { rt::CStr(QVariant(QStringList())); }), 13);
}

TEST(RuntimeText, SearchAndSliceAreOneBased)
{
    const QString s = QStringLiteral("abcabc");
    EXPECT_EQ(rt::InStr(s, QStringLiteral("c")), 3);
    EXPECT_EQ(rt::InStr(4, s, QStringLiteral("c")), 6);
    EXPECT_EQ(rt::InStr(7, s, QStringLiteral("c")), 0);
    EXPECT_EQ(rt::InStr(9, s, QStringLiteral("c")), 0);
    EXPECT_EQ(rt::InStr(s, QStringLiteral("x")), 0);
    EXPECT_EQ(rt::InStr(2, s, QString()), 2);
    EXPECT_EQ(rt::InStr(s, QStringLiteral("C")), 0);  // case-sensitive
    EXPECT_EQ(rt::InStrRev(s, QStringLiteral("b")), 5);
    EXPECT_EQ(rt::Mid(QStringLiteral("hello"), 2, 3), QStringLiteral("ell"));
    EXPECT_EQ(rt::Mid(QStringLiteral("hello"), 2), QStringLiteral("ello"));
    EXPECT_EQ(rt::Mid(QStringLiteral("hello"), 4, 10), QStringLiteral("lo"));
    EXPECT_EQ(rt::Mid(QStringLiteral("hello"), 9), QString());
    EXPECT_EQ(rt::Left(QStringLiteral("hello"), 9), QStringLiteral("hello"));
    EXPECT_EQ(rt::Right(QStringLiteral("hello"), 2), QStringLiteral("lo"));
    EXPECT_EQ(errorOf([&] { rt::InStr(0, s, QStringLiteral("a")); }), 5);
    EXPECT_EQ(errorOf([] { rt::Mid(QStringLiteral("hello"), 0); }), 5);
    EXPECT_EQ(errorOf([] { rt::Mid(QStringLiteral("hello"), 2, -1); }), 5);
    EXPECT_EQ(errorOf([] { rt::Left(QStringLiteral("hello"), -1); }), 5);
    EXPECT_EQ(errorOf([] { rt::Right(QStringLiteral("hello"), -1); }), 5);

    EXPECT_EQ(rt::Trim(QStringLiteral("  \ta b\t  ")), QStringLiteral("\ta b\t"));
    EXPECT_EQ(rt::LTrim(QStringLiteral("  a ")), QStringLiteral("a "));
    EXPECT_EQ(rt::RTrim(QStringLiteral("  a ")), QStringLiteral("  a"));
    EXPECT_EQ(rt::Replace(QStringLiteral("aXbXx"), QStringLiteral("X"), QStringLiteral("yy")), QStringLiteral("ayybyyx"));
    EXPECT_EQ(rt::Replace(QStringLiteral("abc"), QString(), QStringLiteral("z")), QStringLiteral("abc"));
    EXPECT_TRUE(rt::EqualsNoCase(QStringLiteral("PortLog"), QStringLiteral("PORTLOG")));
    EXPECT_FALSE(rt::EqualsNoCase(QStringLiteral("Port"), QStringLiteral("PortLog")));
}

TEST(RuntimeText, PositionsPast32767)
{
    const QString page = QString(40000, u'x') + QStringLiteral("<table>") + QString(100, u'y');
    EXPECT_EQ(rt::InStr(page, QStringLiteral("<table>")), 40001);
    EXPECT_EQ(rt::InStr(39000, page, QStringLiteral("<table>")), 40001);
    EXPECT_EQ(rt::InStrRev(page, QStringLiteral("x")), 40000);
    EXPECT_EQ(rt::Mid(page, 40001, 7), QStringLiteral("<table>"));
}
