// The headline parser: the input is a stock's quote page. It never crashes, and
// what it writes is whole lines, each a double quote, the cells, ";" and a double
// quote, ending in CR LF.
//
// Seeds: tests/fixtures/sheets/*.htm

#include "FuzzSupport.h"

#include "sheets/QuoteParsers.h"

#include <QList>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString page = AppPath() + QStringLiteral("/Cache/ibm_news.htm");
    const QString list = AppPath() + QStringLiteral("/Cache/ibm_news.txt");
    fuzz::writeFile(page, fuzz::bytes(data, size));
    RemoveFile(list);
    ParseRecentNews(QStringLiteral("IBM"), page, list);

    const QByteArray written = ReadBytes(list);
    if (written.isEmpty())
        return 0;
    fuzz::check(written.endsWith("\r\n"), "the list ends with a whole line");
    QList<QByteArray> lines = written.split('\n');
    lines.removeLast();  // after the last LF
    for (const QByteArray& line : lines) {
        fuzz::check(line.startsWith('"'), "a line starts with a double quote");
        fuzz::check(line.endsWith(";\"\r"), "a line ends with ;\" and CR LF");
    }
    return 0;
}
