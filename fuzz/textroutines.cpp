// The text routines every parser and view uses: the page helpers (CutTable,
// CleanCell, NormaliseTags, ReplaceWords, FormatP, ToDouble) and the run-time
// rules (InStr, Mid, Val, CDbl, IsNumeric, Format), on pieces of the input. None
// crashes; the run-time ones throw nothing but their own error; and each keeps
// the promise its header makes.
//
// Seeds: tests/fixtures/sheets/* tests/fixtures/retrieval/*.html

#include "FuzzSupport.h"

#include "core/Misc.h"
#include "pages/PageText.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>

namespace {

QString piece(FuzzedDataProvider& p, std::size_t most)
{
    return fromCp1252(QByteArray::fromStdString(p.ConsumeRandomLengthString(most)));
}

// Runs a run-time routine that may refuse its arguments with its own error; true
// when it did not.
template <typename F>
bool runs(F&& f)
{
    try {
        f();
        return true;
    } catch (const RuntimeError&) {
        return false;
    }
}

void runtimeRules(FuzzedDataProvider& p, const QString& text, const QString& find)
{
    const int start = p.ConsumeIntegralInRange<int>(-2, static_cast<int>(text.size()) + 3);
    const int length = p.ConsumeIntegralInRange<int>(-2, static_cast<int>(text.size()) + 3);

    int at = 0;
    fuzz::check(runs([&] { at = rt::InStr(start, text, find); }) == (start >= 1), "InStr refuses only a start below 1");
    if (at > 0)
        fuzz::check(at >= start && text.mid(at - 1).startsWith(find), "InStr points at the text found");
    const int last = rt::InStrRev(text, find);
    fuzz::check(last >= 0 && last <= text.size(), "InStrRev stays inside the text");

    QString mid;
    fuzz::check(runs([&] { mid = rt::Mid(text, start, length); }) == (start >= 1 && length >= 0),
                "Mid refuses only a start below 1 or a negative length");
    fuzz::check(mid.size() <= qMax(length, 0), "Mid gives no more than asked");
    runs([&] { rt::Mid(text, start); });
    runs([&] { rt::Left(text, length); });
    runs([&] { rt::Right(text, length); });
    const QString trimmed = rt::Trim(text);
    fuzz::check(!trimmed.startsWith(u' ') && !trimmed.endsWith(u' '), "Trim leaves no blank at either end");

    fuzz::check(std::isfinite(rt::Val(text)), "Val gives a number");
    const QVariant v(text);
    double d = 0;
    const bool converts = runs([&] { d = rt::CDbl(v); });
    fuzz::check(converts == rt::IsNumeric(v), "CDbl takes exactly what IsNumeric accepts");
    fuzz::check(std::isfinite(d), "CDbl gives a finite number");
    runs([&] { rt::CInt(v); });
    runs([&] { rt::CLng(v); });
    runs([&] { rt::CStr(v); });
}

void formats(FuzzedDataProvider& p, const QString& pattern)
{
    const double value = p.ConsumeFloatingPoint<double>();
    rt::Format(value, pattern);
    rt::DoubleText(value);
    rt::SingleText(static_cast<float>(value));
    rt::CStr(QVariant(value));
    if (!std::isfinite(value) || std::fabs(value) >= 1e12)
        return;
    // The patterns in use read back as the value, to their number of decimals.
    struct Case
    {
        const char* pattern;
        double step;
    };
    for (const Case c : {Case{"#,##0.00;", 0.01}, Case{"0.00;", 0.01}, Case{"#,##0.0000;", 0.0001},
                         Case{"0.0000;", 0.0001}, Case{"#0.00", 0.01}}) {
        const QString shown = rt::Format(value, QString::fromLatin1(c.pattern));
        double back = 0;
        fuzz::check(runs([&] { back = rt::CDbl(QVariant(shown)); }), "a formatted number reads as a number");
        fuzz::check(std::fabs(back - value) <= c.step / 2 + std::fabs(value) * 1e-13,
                    "a formatted number reads back as the value");
    }
}

void pageHelpers(FuzzedDataProvider& p, const QString& page, const QString& words)
{
    const bool a = p.ConsumeBool(), b = p.ConsumeBool(), c = p.ConsumeBool(), d = p.ConsumeBool();
    QString text = page;
    NormaliseTags(text, a, b, c, d);

    QString cutFrom = text;
    const QString table = CutTable(cutFrom, p.ConsumeIntegralInRange<int>(-1, 6));
    fuzz::check(table.isEmpty() || table.startsWith(QLatin1String("<table")), "CutTable gives a table or nothing");

    QString cell = page;
    const QString cleaned = CleanCell(cell, a, b, false);
    fuzz::check(!cleaned.contains(u'<') && !cleaned.contains(u'>'), "a cleaned cell holds no tag");
    QString linkCell = page;
    CleanCell(linkCell, a, b, true);

    QString replaced = page;
    ReplaceWords(replaced, words.split(u' '));

    QString price = words;
    FormatP(price, a);
    fuzz::check(std::isfinite(ToDouble(words)), "ToDouble gives a number");
    QVariant held(words);
    ToDouble(held);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider p(data, size);
    const QString find = piece(p, 16);
    const QString words = piece(p, 32);
    const QString pattern = piece(p, 24);
    const QString text = piece(p, 1 << 16);
    runtimeRules(p, text, find);
    runtimeRules(p, words, find);
    formats(p, pattern);
    pageHelpers(p, text, words);
    fuzz::trimErrorLog();
    return 0;
}
