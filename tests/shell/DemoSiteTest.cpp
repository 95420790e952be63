// The demo's sample site as a user meets it: scripts/demo-site serves its pages and
// prepares a program folder and settings file; the main window updates the sample
// set from it, then every node of the tree is clicked. Each view the tree shows must
// fill a table from the sample pages, and every address a tree node or a grid link
// hands to the browser must stay on 127.0.0.1.
#include "ShellFixture.h"

#include "platform/FlexGrid.h"
#include "platform/RegistryStore.h"
#include "platform/TreeModel.h"
#include "platform/TreeView.h"
#include "sheets/GridEvents.h"
#include "sheets/ViewEntries.h"
#include "sheets/ViewRegistry.h"
#include "sheets/ViewRunner.h"
#include "stockdata/Portfolio.h"
#include "stockdata/Stocks.h"
#include "weblinks/WebLinkWindows.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTest>
#include <QUrl>

#include <map>

namespace {

// The windows a node opens are only counted.
class CountedWindows final : public WebLinkWindows
{
public:
    int shown = 0;
    void showChartExplorer() override { ++shown; }
    void showTechnicalGraphs() override { ++shown; }
    void showHeadlineQuery(const QString&) override { ++shown; }
    void showScreener() override { ++shown; }
};

class DemoSiteTest : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        m_home = m_dir.path() + QStringLiteral("/demo");
        QDir().mkpath(m_home);
        m_site.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_site.setStandardOutputFile(QProcess::nullDevice());
        m_site.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral(TW_FIXTURES "/../../scripts/demo-site"), m_home});
        ASSERT_TRUE(m_site.waitForStarted(10000)) << m_site.errorString().toStdString();
        QElapsedTimer waited;
        waited.start();
        while (!QFileInfo::exists(m_home + QStringLiteral("/port")) && waited.elapsed() < 60000 &&
               m_site.state() == QProcess::Running)
            QTest::qWait(50);
        ASSERT_TRUE(QFileInfo::exists(m_home + QStringLiteral("/port"))) << "the sample site did not start";
        // The program folder and the settings the demo starts the program with.
        SetAppPath(m_home + QStringLiteral("/app"));
        RegistryStore::setFilePath(m_home + QStringLiteral("/config/Orvane/Tradewright5.ini"));
    }

    void TearDown() override
    {
        installWebLinkWindows(nullptr);
        form.reset();
        for (QWidget* w : QApplication::topLevelWidgets())
            delete w;
        if (m_site.state() != QProcess::NotRunning) {
            m_site.terminate();
            if (!m_site.waitForFinished(10000))
                m_site.kill();
            m_site.waitForFinished(5000);
        }
        ShellTest::TearDown();
    }

    std::unique_ptr<frmMain> form;
    QString m_home;

private:
    QProcess m_site;
};

bool onLoopback(const QString& address)
{
    const QUrl url(address);
    return url.isValid() && url.host() == QLatin1String("127.0.0.1") && url.port() > 0;
}

// The texts of one grid row, column 0 first.
QStringList rowTexts(const FlexGrid& grid, int row)
{
    QStringList texts;
    for (int c = 0; c < grid.Cols(); ++c)
        texts << grid.TextMatrix(row, c);
    return texts;
}

// The filled cells below the heading and title rows.
int filledCells(const FlexGrid& grid)
{
    int filled = 0;
    for (int r = 2; r < grid.Rows(); ++r)
        for (int c = 0; c < grid.Cols(); ++c)
            if (!grid.TextMatrix(r, c).trimmed().isEmpty())
                ++filled;
    return filled;
}

TEST_F(DemoSiteTest, AnUpdateFillsEveryViewOfTheTreeAndEveryLinkStaysOnLoopback)
{
    // The start's later-run road reads the set and the portfolio before the window.
    ReadStocks();
    LoadPortfolio();
    form = std::make_unique<frmMain>(test::views());
    form->setEndProgram([] {});
    form->setPopupOpener([](QMenu*, const QPoint&) {});
    form->Form_Load();
    form->show();
    ASSERT_EQ(StockCount(), 3);

    // F4: the demo ticks no box away, so every page of the update choices comes.
    form->Picture1_Click(0);
    for (const char* page : {"IBM_ABS.Sh", "MSFT_op.Sh", "AOL_SI.Sh", "BrPL_A.Sh", "F_Vanguard.Sh", "US.Sh"})
        EXPECT_TRUE(QFileInfo::exists(AppPath() + QStringLiteral("/Cache/DataSheet/") + QLatin1String(page)))
            << page << " was not kept";
    EXPECT_TRUE(QFileInfo::exists(AppPath() + QStringLiteral("/Tip.Sh")));
    EXPECT_TRUE(test::dialogs().shown.isEmpty())
        << "the run asked: " << test::dialogs().shown.value(0).prompt.toStdString();

    CountedWindows windows;
    installWebLinkWindows(&windows);
    QStringList shownViews;
    QObject::connect(&form->views(), &ViewRunner::viewShown, form.get(),
                     [&](const QString& code) { shownViews << code; });

    FlexGrid& grid = form->grid();
    const QString sentinel = QStringLiteral("(nothing shown)");
    QSet<QString> viewsSeen;
    std::map<QString, int> gridLinks;  // per view: the addresses its link cells build
    int treeLinks = 0;
    QStringList keys;
    for (const TreeNode* node : form->treeModel()->allNodes())
        keys << node->Key();
    ASSERT_GT(keys.size(), 150);

    for (const QString& key : keys) {
        grid.setRows(1);
        grid.setCols(1);
        grid.setTextMatrix(0, 0, sentinel);
        shownViews.clear();
        test::shell().reset();
        emit form->TreeView1->NodeClick(key);
        QCoreApplication::processEvents();

        for (const QString& address : test::shell().opened) {
            ++treeLinks;
            EXPECT_TRUE(onLoopback(address)) << key.toStdString() << " opens " << address.toStdString();
        }
        if (shownViews.isEmpty())
            continue;
        const QString view = CurrentView();
        viewsSeen << view;
        SCOPED_TRACE(key.toStdString() + " shows " + view.toStdString());
        EXPECT_NE(grid.TextMatrix(0, 0), sentinel);
        EXPECT_FALSE(grid.Rows() == 1 && grid.Cols() == 1) << grid.TextMatrix(0, 0).toStdString();
        if (view == QLatin1String("Profile")) {
            // One cell holds the company's description.
            EXPECT_GT(grid.TextMatrix(1, 1).size(), 100);
        } else {
            EXPECT_GE(grid.Rows(), 3);
            EXPECT_GE(filledCells(grid), 3);
        }

        const ViewRow* facts = GridViewRow(view);
        if (!facts || facts->link == GridLink::None || facts->link == GridLink::MarkRed)
            continue;
        for (int r = 2; r < grid.Rows(); ++r) {
            const QStringList texts = rowTexts(grid, r);
            for (int c = 0; c < grid.Cols(); ++c) {
                const QString address = GridLinkAddress(view, c, r, texts).address;
                if (address.isEmpty())
                    continue;
                ++gridLinks[view];
                EXPECT_TRUE(onLoopback(address)) << "row " << r << " column " << c << ": " << address.toStdString();
            }
        }
    }

    // Every view a tree node reaches was shown.
    for (const ViewRow& row : viewRegistry()) {
        if (row.treeKeys.isEmpty() || !row.builder)
            continue;
        bool seen = false;
        for (const QString& v : viewsSeen)
            seen = seen || findViewFor(v) == &row;
        EXPECT_TRUE(seen) << "no node showed " << row.code.toStdString();
    }
    int links = 0;
    for (const auto& [view, count] : gridLinks)
        links += count;
    EXPECT_GT(links, 200);
    EXPECT_GT(int(gridLinks.size()), 15);
    EXPECT_GT(treeLinks, 100);
    EXPECT_GT(windows.shown, 0);
}

} // namespace
