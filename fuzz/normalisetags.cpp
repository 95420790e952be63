// The page normalisers that work in one pass against the plain sequence of
// QString::replace calls they stand for: NormaliseTags (each of its replacements
// applied in its order, "The" becoming "the"), ReplaceAll (every occurrence, left to
// right, not overlapping, however the lengths compare) and CutTable (its opening
// tags evened out). Same text and same result in every case, with the caller's
// text changed as the sequence changes it.
//
// Seeds: tests/fixtures/sheets/* tests/fixtures/market/*/*

#include "FuzzSupport.h"

#include "pages/PageText.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

// The sequence as it once ran, one whole-text pass per replacement.
QString sequentialTags(QString& text, bool table, bool td, bool tr, bool th)
{
    const auto each = [&](const char* find, const char* with) {
        text.replace(QLatin1String(find), QLatin1String(with), Qt::CaseSensitive);
    };
    if (table) {
        each("Table", "table");
        each("TABLE", "table");
    }
    if (td) {
        each("Td", "td");
        each("TD", "td");
    }
    if (tr) {
        each("Tr", "tr");
        each("TR", "tr");
    }
    if (th) {
        each("Th", "th");
        each("TH", "th");
    }
    return text;
}

// Bytes mapped onto the letters of the tags, so that matches, near matches and
// overlaps are common.
QString dense(const QByteArray& bytes)
{
    static const char letters[] = "TtaAbBlLeEdDrRhH<>/ ";
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = QLatin1Char(letters[static_cast<unsigned char>(bytes[i]) % (sizeof letters - 1)]);
    return text;
}

void sameTags(const QString& input, int flags)
{
    const bool table = flags & 1, td = flags & 2, tr = flags & 4, th = flags & 8;
    QString expectedText = input;
    const QString expected = sequentialTags(expectedText, table, td, tr, th);
    QString text = input;
    const QString shared = text;  // a second owner: the change must not show in it
    const QString result = NormaliseTags(text, table, td, tr, th);
    fuzz::check(result == expected, "NormaliseTags gives what the replacements in order give");
    fuzz::check(text == expectedText, "NormaliseTags changes the caller's text as the replacements do");
    fuzz::check(shared == input, "NormaliseTags leaves other copies of the text alone");
}

void sameReplacement(const QString& input, const QString& find, const QString& with)
{
    QString expected = input;
    if (!find.isEmpty())
        expected.replace(find, with, Qt::CaseSensitive);
    QString text = input;
    const QString shared = text;
    ReplaceAll(text, find, with);
    fuzz::check(text == expected, "ReplaceAll gives what QString::replace gives");
    fuzz::check(shared == input, "ReplaceAll leaves other copies of the text alone");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider p(data, size);
    const int flags = p.ConsumeIntegralInRange<int>(0, 15);
    const bool mapped = p.ConsumeBool();
    const QByteArray findBytes = QByteArray::fromStdString(p.ConsumeRandomLengthString(12));
    const QByteArray withBytes = QByteArray::fromStdString(p.ConsumeRandomLengthString(24));
    const QByteArray rest = QByteArray::fromStdString(p.ConsumeRemainingBytesAsString());
    const QString text = mapped ? dense(rest) : fromCp1252(rest);

    sameTags(text, flags);
    sameTags(text, 15);

    const QString find = mapped ? dense(findBytes) : fromCp1252(findBytes);
    const QString with = mapped ? dense(withBytes) : fromCp1252(withBytes);
    sameReplacement(text, find, with);
    sameReplacement(text, find, find.left(find.size() / 2));  // shorter
    sameReplacement(text, find, QString(find).append(with));  // longer
    sameReplacement(text, find, QString(find).replace(u'T', u't'));  // the same length

    // CutTable evens out "<TABLE" and "<Table" in the caller's page.
    QString page = text;
    QString expectedPage = text;
    expectedPage.replace(QStringLiteral("<TABLE"), QStringLiteral("<table"));
    expectedPage.replace(QStringLiteral("<Table"), QStringLiteral("<table"));
    CutTable(page, flags);
    fuzz::check(page == expectedPage, "CutTable evens out the opening tags as the replacements do");
    return 0;
}
