// The quote export: each slot's text for one record and for an empty set, byte for
// byte; the row-ending rules (CR only, the final CR LF of the file), the stop at a
// free row, the clipboard, Cancel, a target that cannot be written, the XML read
// back by a parser, and the delimited fields a spreadsheet would misread.
#include "TestDoubles.h"

#include "platform/AppPath.h"
#include "platform/Clock.h"
#include "reports/QuoteExport.h"
#include "stockdata/ProgramState.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace QuoteExport;

const QDate kToday(2026, 12, 10);

StockRec ibm()
{
    StockRec r;
    r.Symbol = "IBM";
    r.CompanyName = "Intl Business";
    r.LastPrice = "105 1/4";
    r.PctChange = "+ 1/2";
    r.Change = "+0.48";
    r.DayHigh = "106";
    r.DayLow = "104 3/4";
    r.Volume = "1234567";
    r.Ask = "105 3/8";
    r.Bid = "105 1/8";
    r.LastTradeSize = "100";
    r.PERatio = "25.1";
    r.DivPerShare = "0.48";
    r.OpenPrice = "104 7/8";
    r.PrevClose = "104 3/4";
    r.YearHigh = "139 3/16";
    r.YearLow = "90";
    r.EPS = "4.12";
    r.Exchange = "NYSE";
    r.Industry = "COMP & SOFT";
    r.LastTradeTime = "Mar 05 4:01PM";
    return r;
}

QString text(int slot, const std::vector<StockRec>& recs, int count = -1)
{
    const auto t = ExportText(slot, recs, count < 0 ? int(recs.size()) : count, kToday);
    EXPECT_TRUE(t.has_value()) << slot;
    return t.value_or(QString());
}

const char* kStdTab = "IBM\tIntl Business\t+0.48\t+ 1/2\t1234567\t106\t104 3/4\t105 1/8\t105 3/8\t100\t104 7/8\t"
                      "104 3/4\t139 3/16\t90\t4.12\t25.1\t0.48\tNYSE\tCOMP & SOFT\tMar 05 4:01PM";

const char* kXmlHead = "<?xml version=\"1.0\"?>\r\n<!--  Made By Tradewright 5.01 - http://maker.example -->\r\n"
                       "    <Stocks>\r\n";

TEST(QuoteExportText, OneRecordPerSlot)
{
    const std::vector<StockRec> one{ibm()};
    QString comma = QString::fromLatin1(kStdTab);
    comma.replace('\t', ',');
    struct Case
    {
        int slot;
        QString want;
    };
    const Case cases[] = {
        {0, QString::fromLatin1(kStdTab) + "\r\n"},
        {1, comma + "\r\n"},
        {2, "\"IBM\",\"105.2500\",\"03/05/26\"\r\n"},
        {3, "IBM 12346 106 104.7500 105.2500 +0.48 03/05/26\r\n"},
        {4, "IBM,d,03/05/26,104.8750,106,104.7500,105.2500,12346,0\r\n"},
        {5, "12/10/26\r\nIBM        105.25\r\n"},
        {6, "\"IBM\",\"03/05/26\",\"105.25\"\r\n"},
        {7, comma + "\r"},
        {8, ""},
        {13, ""},
        {14, QString::fromLatin1(kStdTab) + "\r\n"},
        {15, QString::fromLatin1(kXmlHead) +
                 "        <Stock>\r\n"
                 "                <Symbol>IBM</Symbol>\r\n"
                 "                <Name>Intl Business</Name>\r\n"
                 "                <DChange>+0.48</DChange>\r\n"
                 "                <PChange>+ 1/2</PChange>\r\n"
                 "                <Volume>1234567</Volume>\r\n"
                 "                <TodayHigh>106</TodayHigh>\r\n"
                 "                <TodayLow>104 3/4</TodayLow>\r\n"
                 "                <Bid>105 1/8</Bid>\r\n"
                 "                <Ask>105 3/8</Ask>\r\n"
                 "                <LTS>100</LTS>\r\n"
                 "                <Opens>104 7/8</Opens>\r\n"
                 "                <PreClose>104 3/4</PreClose>\r\n"
                 "                <High52>139 3/16</High52>\r\n"
                 "                <Low52>90</Low52>\r\n"
                 "                <EPS>4.12</EPS>\r\n"
                 "                <pe>25.1</pe>\r\n"
                 "                <DPS>0.48</DPS>\r\n"
                 "                <Exchange>NYSE</Exchange>\r\n"
                 "                <industry>\"COMP  and  SOFT\"</industry>\r\n"
                 "                <LastUpdate>Mar 05 4:01PM</LastUpdate>\r\n"
                 "        </Stock>\r\n"
                 "</Stocks>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(text(c.slot, one), c.want) << "slot " << c.slot;
}

TEST(QuoteExportText, EmptySetGivesOnlyTheHeader)
{
    const std::vector<StockRec> none{StockRec{}};
    for (int slot = 0; slot < SlotCount; ++slot) {
        QString want;
        if (slot == 5)
            want = QStringLiteral("12/10/26\r\n        0\r\n");  // Quote Link writes the counted free row
        if (slot == XmlSlot)
            want = QString::fromLatin1(kXmlHead) + "</Stocks>";
        EXPECT_EQ(text(slot, none), want) << "slot " << slot;
    }
    EXPECT_EQ(text(5, none, 0), QStringLiteral("12/10/26\r\n"));
    EXPECT_EQ(text(0, {}, 0), QString());
}

TEST(QuoteExportText, FreeRowMidSetEndsTheRowsExceptForQuoteLink)
{
    StockRec dell = ibm();
    dell.Symbol = "DELL";
    const std::vector<StockRec> recs{ibm(), StockRec{}, dell};
    EXPECT_EQ(text(0, recs), QString::fromLatin1(kStdTab) + "\r\n");
    EXPECT_EQ(text(6, recs), "\"IBM\",\"03/05/26\",\"105.25\"\r\n");
    EXPECT_EQ(text(5, recs), "12/10/26\r\nIBM        105.25\r\n        0\r\nDELL        105.25\r\n");
    // The count limits every slot.
    EXPECT_EQ(text(5, recs, 1), "12/10/26\r\nIBM        105.25\r\n");
}

TEST(QuoteExportText, TradeDates)
{
    EXPECT_EQ(TradeDate("Feb 28 4:00PM", kToday), "02/28/26");
    EXPECT_EQ(TradeDate("Dec 01", QDate(2031, 1, 2)), "12/01/31");
    EXPECT_EQ(TradeDate("MAR 05", kToday), "MAR/05/26");  // the month names match with their case
    EXPECT_EQ(TradeDate("Xyz 07 ...", kToday), "Xyz/07/26");
    EXPECT_EQ(TradeDate("", kToday), "//26");
}

TEST(QuoteExportText, VolumeThatIsNoNumberWritesNothingInTheChartingSlots)
{
    StockRec r = ibm();
    r.Volume = "N/A";
    const std::vector<StockRec> one{r};
    EXPECT_FALSE(ExportText(3, one, 1, kToday).has_value());
    EXPECT_FALSE(ExportText(4, one, 1, kToday).has_value());
    EXPECT_TRUE(ExportText(0, one, 1, kToday).has_value());
}

TEST(QuoteExportText, DelimitedFieldsAreQuotedOnlyWhenNeededAndFormulasDisarmed)
{
    struct Case
    {
        const char* in;
        char sep;
        const char* out;
    };
    const Case cases[] = {
        {"Smith, Jones & Co", ',', "\"Smith, Jones & Co\""},
        {"Smith, Jones & Co", '\t', "Smith, Jones & Co"},
        {"The \"Big\" One", '\t', "\"The \"\"Big\"\" One\""},
        {"two\nlines", '\t', "\"two\nlines\""},
        {"=HYPERLINK(\"x\")", ',', "\"'=HYPERLINK(\"\"x\"\")\""},
        {"@SUM(A1)", '\t', "'@SUM(A1)"},
        {"+cmd", '\t', "'+cmd"},
        {"-A1", '\t', "'-A1"},
        {"-", '\t', "-"},
        {"+", '\t', "+"},
        {"+1 1/4", '\t', "+1 1/4"},
        {"- 3/8", '\t', "- 3/8"},
        {"-.25", '\t', "-.25"},
        {"+0.48%", '\t', "+0.48%"},
        {"1,234", ',', "\"1,234\""},
        {"", ',', ""},
        // A sign stays only before a whole number as the quote texts write it.
        {"-1,234.50", '\t', "-1,234.50"},
        {"+ 1/2", '\t', "+ 1/2"},
        {"-3/8", '\t', "-3/8"},
        {"+12 7/16%", '\t', "+12 7/16%"},
        {"-5.", '\t', "-5."},
        {"-1+1+cmd|' /C notepad'!A0", '\t', "'-1+1+cmd|' /C notepad'!A0"},
        {"+1 1/4+A1", '\t', "'+1 1/4+A1"},
        {"-0.48 (-1.2%)", '\t', "'-0.48 (-1.2%)"},
        {"-1.5.2", '\t', "'-1.5.2"},
        {"-1/", '\t', "'-1/"},
        {"-,1", '\t', "'-,1"},
        {"+1,", '\t', "'+1,"},
        {"- ", '\t', "'- "},
        {"-.", '\t', "'-."},
        {"-%", '\t', "'-%"},
        {"-1e5", '\t', "'-1e5"},
        // TAB and CR first are disarmed too (and quoted where they are the separator or a break).
        {"\t=1", ',', "'\t=1"},
        {"\t1", '\t', "\"'\t1\""},
        {"\rcmd", ',', "\"'\rcmd\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DelimitedField(QString::fromLatin1(c.in), QLatin1Char(c.sep)), QString::fromLatin1(c.out)) << c.in;

    StockRec r = ibm();
    r.CompanyName = "=1+2, \"A\"";
    const std::vector<StockRec> one{r};
    EXPECT_TRUE(text(1, one).startsWith("IBM,\"'=1+2, \"\"A\"\"\",+0.48,"));
    EXPECT_TRUE(text(7, one).startsWith("IBM,\"'=1+2, \"\"A\"\"\",+0.48,"));
    EXPECT_TRUE(text(14, one).startsWith("IBM\t\"'=1+2, \"\"A\"\"\"\t+0.48\t"));
}

TEST(QuoteExportText, XmlReadsBackWithAmpersandsAndAngles)
{
    StockRec r = ibm();
    r.CompanyName = "AT&T <Wireless>";
    r.Industry = "R&D <Labs>";
    StockRec s = ibm();
    s.Symbol = "T&";
    const std::vector<StockRec> recs{r, s};
    QXmlStreamReader xml(text(XmlSlot, recs));
    QStringList names, industries, symbols;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("Name"))
            names << xml.readElementText();
        else if (xml.name() == QLatin1String("industry"))
            industries << xml.readElementText();
        else if (xml.name() == QLatin1String("Symbol"))
            symbols << xml.readElementText();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(names, QStringList({"AT&T <Wireless>", "Intl Business"}));
    EXPECT_EQ(industries, QStringList({"\"R and D <Labs>\"", "\"COMP  and  SOFT\""}));
    EXPECT_EQ(symbols, QStringList({"IBM", "T&"}));
}

TEST(QuoteExportText, SlotTable)
{
    EXPECT_STREQ(slotInfo(0).defaultName, "Tab-Delimited.txt");
    EXPECT_STREQ(slotInfo(1).defaultName, "Comma-Delimited");
    EXPECT_STREQ(slotInfo(7).extension, "txt");
    EXPECT_STREQ(slotInfo(7).filterDescription, "Excel File");
    EXPECT_STREQ(slotInfo(7).filterExtension, "csv");
    EXPECT_STREQ(slotInfo(15).defaultName, "Stocks.XML");
    EXPECT_STREQ(slotInfo(15).filterExtension, "xml");
    for (int slot : {8, 13, 14, 16, -1})
        EXPECT_STREQ(slotInfo(slot).defaultName, "") << slot;
}

class QuoteExportSink : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetProgramState();
        Stocks()[0] = ibm();
        StockCount() = 1;
        test::dialogs().reset();
        Clock::setFixed(QDateTime(kToday, QTime(12, 0)));
    }
    void TearDown() override
    {
        Clock::setFixed(QDateTime());
        ResetProgramState();
        test::dialogs().reset();
    }
    QByteArray read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QTemporaryDir dir;
};

TEST_F(QuoteExportSink, WritesOnceAtTheChosenPathWithTheFinalLineEnd)
{
    const QString path = dir.filePath("sub-name.txt");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older and much longer file that must go away entirely");
    old.close();
    test::dialogs().saveAnswers << path;
    Export(6);
    EXPECT_EQ(read(path), QByteArray("\"IBM\",\"03/05/26\",\"105.25\"\r\n\r\n"));
    ASSERT_EQ(test::dialogs().saveRequests.size(), 1);
    const auto& req = test::dialogs().saveRequests[0];
    EXPECT_EQ(req.defaultFileName, "Prodigy Quotetrack");
    EXPECT_EQ(req.defaultExtension, "txt");
    EXPECT_EQ(req.filters, QStringList{"Text File (*.txt)"});
    // Nothing else was written beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"sub-name.txt"});
    EXPECT_EQ(test::dialogs().shown.size(), 1);  // the Save-As box only
}

TEST_F(QuoteExportSink, SpreadsheetSlotRowsEndInCrAndFileInCrLf)
{
    test::dialogs().saveAnswers << dir.filePath("book");
    Export(7);
    const QByteArray bytes = read(dir.filePath("book.txt"));
    EXPECT_TRUE(bytes.endsWith("4:01PM\r\r\n")) << bytes.toStdString();
    ASSERT_EQ(test::dialogs().saveRequests.size(), 1);
    EXPECT_EQ(test::dialogs().saveRequests[0].filters, QStringList{"Excel File (*.csv)"});
    EXPECT_EQ(test::dialogs().saveRequests[0].filterIndex, 1);
}

// Every file slot on an empty set: the header alone and the final CR LF, under the
// slot's proposed name and extension.
TEST_F(QuoteExportSink, EmptySetFilesHoldTheHeaderAndTheFinalLineEnd)
{
    Stocks()[0] = StockRec{};
    StockCount() = 0;
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (slot == ClipboardSlot)
            continue;
        test::dialogs().reset();
        const QString path = dir.filePath(QStringLiteral("slot%1.out").arg(slot));
        test::dialogs().saveAnswers << path;
        Export(slot);
        QByteArray want = "\r\n";
        if (slot == 5)
            want = "12/10/26\r\n\r\n";
        if (slot == XmlSlot)
            want = QByteArray(kXmlHead) + "</Stocks>\r\n";
        EXPECT_EQ(read(path), want) << "slot " << slot;
        ASSERT_EQ(test::dialogs().saveRequests.size(), 1) << slot;
        EXPECT_EQ(test::dialogs().saveRequests[0].defaultFileName, QLatin1String(slotInfo(slot).defaultName)) << slot;
        EXPECT_EQ(test::dialogs().saveRequests[0].defaultExtension, QLatin1String(slotInfo(slot).extension)) << slot;
    }
}

TEST_F(QuoteExportSink, CancelWritesAndShowsNothing)
{
    Export(0);  // the scripted dialog answers Cancel
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_EQ(test::dialogs().shown[0].kind, "save");
}

TEST_F(QuoteExportSink, ClipboardSlotWritesNoFile)
{
    QGuiApplication::clipboard()->setText("before");
    Export(ClipboardSlot);
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromLatin1(kStdTab) + "\r\n");
}

TEST_F(QuoteExportSink, TargetThatCannotBeWrittenGetsAMessage)
{
    test::dialogs().saveAnswers << dir.filePath("no-such-folder/Stocks.XML");
    Export(XmlSlot);
    ASSERT_EQ(test::dialogs().shown.size(), 2);
    EXPECT_EQ(test::dialogs().shown[1].kind, "msg");
    EXPECT_TRUE(test::dialogs().shown[1].prompt.contains("could not be written"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// The XML slot drops the control characters XML 1.0 has no place for; TAB, LF and CR stay.
TEST(QuoteExportText, XmlDropsControlCharactersButTabAndLineBreaks)
{
    StockRec r = ibm();
    r.CompanyName = QStringLiteral("A\x01" "B\x1b[0m\x7f C\tD\r\nE");
    r.Exchange = QString(QChar(0)) + QStringLiteral("NYSE\x0b\x0c");
    const std::vector<StockRec> one{r};
    const QString xml = text(XmlSlot, one);
    EXPECT_TRUE(xml.contains(QStringLiteral("<Name>AB[0m\x7f C\tD\r\nE</Name>")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<Exchange>NYSE</Exchange>")));
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
        reader.readNext();
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
}

// A write cut short leaves ".<name>.tw-save-XXXXXX" beside the file: the next export
// into that folder clears every such file there, and only those.
TEST_F(QuoteExportSink, TheNextExportIntoAFolderRemovesInterruptedTemporaries)
{
    const QStringList leftovers{".Stocks.XML.tw-save-a8Kq2z", ".other.txt.tw-save-000000"};
    const QStringList kept{"keep.txt", ".keep.tw-save-", ".keep.tw-save-abc", "x.tw-save-abcdef"};
    for (const QString& name : leftovers + kept) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("half");
    }
    test::dialogs().saveAnswers << dir.filePath("Stocks.XML");
    Export(XmlSlot);
    QStringList want = kept;
    want << "Stocks.XML";
    want.sort();
    QStringList have = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    have.sort();
    EXPECT_EQ(have, want);
    EXPECT_EQ(test::dialogs().shown.size(), 1);  // the Save-As box only
}

TEST(QuoteExportFolders, TheProgramFolderKeepsItsTemporariesForTheStart)
{
    QTemporaryDir home;
    const QString before = AppPath();
    SetAppPath(home.path());
    QDir().mkpath(home.filePath("Cache/Quotes"));
    for (const char* name : {".Set1.dat.tw-save-a8Kq2z", "Cache/Quotes/.page.tw-save-reused"}) {
        QFile f(home.filePath(QLatin1String(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(RemoveInterruptedExports(home.path()), 0);
    EXPECT_EQ(RemoveInterruptedExports(home.filePath("Cache/Quotes")), 0);
    EXPECT_TRUE(QFile::exists(home.filePath(".Set1.dat.tw-save-a8Kq2z")));
    SetAppPath(before);
}

TEST_F(QuoteExportSink, ChartingSlotWithBadVolumeShowsNoDialog)
{
    Stocks()[0].Volume = "N/A";
    Export(4);
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
}

} // namespace
