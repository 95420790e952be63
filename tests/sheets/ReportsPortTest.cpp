// The "Reports" menu of the main window and the "Export" menu of the zoom windows:
// enabling by the main window's view, and what a chosen item asks of the reports.
#include "CriticalLog.h"
#include "SheetsFixture.h"

#include "sheets/ReportsPort.h"

namespace {

class RecordingReports : public ReportsPort
{
public:
    QStringList calls;
    void HtmlReport(const QString& viewCode, const QString& symbol, ReportWindow from) override
    {
        calls << QStringLiteral("HTML %1 %2 %3").arg(viewCode, symbol, from == ReportWindow::Main ? "main" : "zoom");
    }
    void Export(int slot) override { calls << QStringLiteral("Export %1").arg(slot); }
};

class ReportsPortTest : public SheetsTest
{
protected:
    void SetUp() override
    {
        SheetsTest::SetUp();
        installReportsPort(&reports);
    }
    void TearDown() override
    {
        installReportsPort(nullptr);
        SheetsTest::TearDown();
    }

    // The enabled items as a list of indexes.
    static QVector<int> enabledItems(const QString& view, ReportWindow window)
    {
        QVector<int> items;
        const QVector<bool> enabled = ReportItemsEnabled(view, window);
        for (int i = 0; i < enabled.size(); ++i)
            if (enabled[i])
                items << i;
        return items;
    }

    RecordingReports reports;
};

} // namespace

TEST_F(ReportsPortTest, ItemsAreEnabledByTheMainWindowsView)
{
    struct Case
    {
        const char* view;
        QVector<int> main;
        QVector<int> zoom;
    };
    const Case cases[] = {
        {"Current", {0, 1, 2, 3, 4, 5, 6, 7, 8, 15, 16}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 15}},
        {"ABS", {0}, {0}}, {"AIS", {0}, {0}}, {"IT", {0}, {0}}, {"EC", {0}, {0}}, {"ER", {0}, {0}},
        {"EH", {0}, {0}},  {"EG", {0}, {0}},  {"Call", {0}, {0}}, {"Put", {0}, {0}},
        {"QR", {0}, {}},   {"SI", {0}, {}},
        {"US", {}, {}},    {"IPO_Price", {}, {}}, {"Port", {}, {}}, {"F_Growth", {}, {}}, {"FMS1", {}, {}},
        {"current", {}, {}}, {"", {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(enabledItems(QLatin1String(c.view), ReportWindow::Main), c.main) << c.view;
        EXPECT_EQ(enabledItems(QLatin1String(c.view), ReportWindow::Zoom), c.zoom) << c.view;
    }
    EXPECT_EQ(ReportItemsEnabled("Current", ReportWindow::Main).size(), 17);
    EXPECT_EQ(ReportItemsEnabled("Current", ReportWindow::Zoom).size(), 16);
}

TEST_F(ReportsPortTest, EachWindowKeepsItsOwnCaptions)
{
    ASSERT_EQ(mnuReportCaptions().size(), kMainReportItems);
    ASSERT_EQ(mnuExCaptions().size(), kZoomReportItems);
    const int differing[] = {4, 5, 7, 10};
    for (int i = 0; i < kZoomReportItems; ++i) {
        const bool differs = std::find(std::begin(differing), std::end(differing), i) != std::end(differing);
        EXPECT_EQ(mnuReportCaptions().at(i) != mnuExCaptions().at(i), differs) << i;
    }
    EXPECT_EQ(mnuReportCaptions().at(4), "Quicken  5.0 Or Later");
    EXPECT_EQ(mnuExCaptions().at(4), "Quicken 5.0 or Later");
    EXPECT_EQ(mnuReportCaptions().at(5), "MetaStock");
    EXPECT_EQ(mnuExCaptions().at(5), "Meta Stock");
    EXPECT_EQ(mnuExCaptions().at(7), "Prodigy Quotertrack");
    EXPECT_EQ(mnuReportCaptions().at(10), "Access ");
    EXPECT_EQ(mnuReportCaptions().at(16), "XML");
}

TEST_F(ReportsPortTest, ItemsOneAndUpExportTheSlotBelowThem)
{
    CurrentView() = QStringLiteral("Current");
    for (int item = 1; item <= 16; ++item)
        ReportItemChosen(item, ReportWindow::Main);
    for (int item = 1; item <= 16; ++item)
        ReportItemChosen(item, ReportWindow::Zoom);  // 16: the zoom menu has no XML
    ReportItemChosen(17, ReportWindow::Main);
    ReportItemChosen(-1, ReportWindow::Main);
    QStringList expected;
    for (int slot = 0; slot <= 15; ++slot)
        expected << QStringLiteral("Export %1").arg(slot);
    for (int slot = 0; slot <= 14; ++slot)
        expected << QStringLiteral("Export %1").arg(slot);
    EXPECT_EQ(reports.calls, expected);
    // "Tab Delimited Text" runs slot 0 (tab) and "Comma Delimited Text" slot 1 (comma).
    EXPECT_EQ(mnuReportCaptions().at(1), "Tab Delimited Text");
    EXPECT_EQ(reports.calls.at(0), "Export 0");
    EXPECT_EQ(mnuReportCaptions().at(2), "Comma Delimited Text");
    EXPECT_EQ(reports.calls.at(1), "Export 1");
}

TEST_F(ReportsPortTest, HtmlWritesTheReportOfTheMainWindowsViewAndSymbol)
{
    struct Case
    {
        const char* view;
        const char* symbol;
        ReportWindow from;
        const char* call;  // "" : nothing
    };
    const Case cases[] = {
        {"Current", "", ReportWindow::Main, "HTML Current  main"},
        {"Current", "ACME", ReportWindow::Zoom, "HTML Current ACME zoom"},
        {"ABS", "ACME", ReportWindow::Main, "HTML ABS ACME main"},
        {"Put", "ACME", ReportWindow::Zoom, "HTML Put ACME zoom"},
        {"EG", "ACME", ReportWindow::Main, "HTML EG ACME main"},
        {"ABS", "", ReportWindow::Main, ""},
        {"QR", "ACME", ReportWindow::Main, "HTML QR ACME main"},
        {"SI", "ACME", ReportWindow::Main, "HTML SI ACME main"},
        {"QR", "ACME", ReportWindow::Zoom, ""},
        {"SI", "ACME", ReportWindow::Zoom, ""},
        {"US", "ACME", ReportWindow::Main, ""},
        {"Profile", "ACME", ReportWindow::Main, ""},
    };
    for (const Case& c : cases) {
        reports.calls.clear();
        CurrentView() = QLatin1String(c.view);
        CurrentSymbol() = QLatin1String(c.symbol);
        ReportItemChosen(0, c.from);
        EXPECT_EQ(reports.calls, c.call[0] ? QStringList{QLatin1String(c.call)} : QStringList())
            << c.view << c.symbol;
    }
}

TEST_F(ReportsPortTest, WithoutReportsAChosenItemOnlySaysSoInTheLog)
{
    installReportsPort(nullptr);
    test::CriticalLog log;
    CurrentView() = QStringLiteral("Current");
    ReportItemChosen(0, ReportWindow::Main);
    ReportItemChosen(3, ReportWindow::Zoom);
    CurrentView() = QStringLiteral("US");
    ReportItemChosen(0, ReportWindow::Main);  // nothing to write, nothing to say
    ASSERT_EQ(log.messages.size(), 2);
    for (const QString& m : log.messages)
        EXPECT_TRUE(m.startsWith("tradewright.reports: ")) << m.toStdString();
    EXPECT_TRUE(reports.calls.isEmpty());
}
