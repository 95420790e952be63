// The zoom window: the "Zoom" button over the registry, the window's toolbar, keys,
// shrink button and column widths, and the events of its grid.
#include "SheetsFixture.h"
#include "TestDoubles.h"

#include "core/WindowEffects.h"
#include "platform/FlexGridView.h"
#include "sheets/MainGridEvents.h"
#include "sheets/ViewRunner.h"
#include "sheets/Zoom.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QPointer>
#include <QToolButton>

#include <numeric>

namespace {

// The test's main grid, and real zoom windows.
class ZoomingHost : public ViewHost
{
public:
    explicit ZoomingHost(FlexGrid& main) : m_main(main) {}
    FlexGrid* mainGrid() override { return &m_main; }
    FlexGrid* newZoomGrid() override { return zoomWindows().newZoomGrid(); }
    void showZoom(FlexGrid* grid) override { zoomWindows().showZoom(grid); }

private:
    FlexGrid& m_main;
};

QList<Zoom*> zoomWindowsOpen()
{
    QList<Zoom*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* z = qobject_cast<Zoom*>(w); z && z->isVisible())
            found << z;
    return found;
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

class ZoomTest : public SheetsTest
{
protected:
    void SetUp() override
    {
        SheetsTest::SetUp();
        installViewHost(&zooming);
        setRollStepDelay(0);
        selectAcme(9000, true);
    }
    void TearDown() override
    {
        QList<QPointer<QWidget>> zooms;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<Zoom*>(w))
                zooms << w;
        for (const QPointer<QWidget>& w : zooms)
            delete w.data();
        SheetsTest::TearDown();
    }

    // A zoom window of view code `view` holding a grid of `cols` columns and 4 rows.
    Zoom* openOn(const QString& view, int cols)
    {
        CurrentView() = view;
        auto* zoom = new Zoom();
        FlexGrid& g = zoom->grid();
        g.setRows(4);
        g.setCols(cols);
        for (int c = 0; c < cols; ++c) {
            g.setColWidth(c, 700);
            for (int r = 0; r < 4; ++r)
                g.setTextMatrix(r, c, QStringLiteral("%1-%2").arg(r).arg(c));
        }
        zoom->show();
        QCoreApplication::processEvents();
        return zoom;
    }

    static double share(const FlexGrid& g, int col) { return double(g.ColWidth(col)) / g.Width(); }

    ZoomingHost zooming{grid()};
    ViewRunner runner{zooming};
};

} // namespace

TEST_F(ZoomTest, TheButtonZoomsTheViewOnScreenIntoANewWindowEachTime)
{
    CurrentView() = QStringLiteral("Current");
    EXPECT_TRUE(Zoom_FG(runner));
    EXPECT_FALSE(ZoomMode());
    ASSERT_EQ(zoomWindowsOpen().size(), 1);
    Zoom* first = zoomWindowsOpen().front();
    EXPECT_EQ(first->ViewCode, "Current");
    EXPECT_EQ(first->grid().TextMatrix(2, 1), "Acme Widgets");
    EXPECT_EQ(ZoomGrid(), &first->grid());

    // A second zoom of the same view is a window of its own; closing one leaves the other.
    EXPECT_TRUE(Zoom_FG(runner));
    ASSERT_EQ(zoomWindowsOpen().size(), 2);
    QPointer<Zoom> second = zoomWindowsOpen().contains(first) && zoomWindowsOpen().front() == first
                                ? zoomWindowsOpen().back()
                                : zoomWindowsOpen().front();
    ASSERT_NE(second.data(), first);
    first->CloseZoom();
    flushDeletes();
    EXPECT_EQ(zoomWindowsOpen(), QList<Zoom*>{second.data()});
    EXPECT_EQ(ZoomGrid(), nullptr);

    CurrentView() = QStringLiteral("Port");
    EXPECT_TRUE(Zoom_FG(runner));
    EXPECT_EQ(zoomWindowsOpen().size(), 2);
    bool port = false;
    for (Zoom* z : zoomWindowsOpen())
        port = port || z->ViewCode == QLatin1String("Port");
    EXPECT_TRUE(port);
}

TEST_F(ZoomTest, EveryZoomableViewOpensOneWindowWithItsCodeAndWidths)
{
    const QMap<QString, QString> pages{
        {"ABS", "statements/balance_sheet.htm"}, {"AIS", "statements/income_statement.htm"},
        {"IT", "filings/insider.htm"},           {"QR", "filings/filings.htm"},
        {"Profile", "profile/profile.htm"},      {"SI", "profile/shortinterest.htm"},
        {"Call", "options/acme_op.Sh"},          {"Put", "options/acme_op.Sh"},
        {"Options", "options/acme_op.Sh"},       {"Split", "history/splits.Sh"},
        {"NMR", "history/momentum.Sh"},          {"UPH", "history/upgrades.Sh"},
        {"BRP", "history/brokers.Sh"},
        // The market views' pages.
        {"IPO_Price", "../market/ipo/IPO_Prc.sh"}, {"IPO_Gain", "../market/ipo/IPO_G3.sh"},
        {"IPO_Loss", "../market/ipo/IPO_L3.sh"},   {"IPO_Reg", "../market/ipo/IPO_Reg.sh"},
        {"IPO_Last", "../market/ipo/IPO_lts.sh"},  {"IPO_News", "../market/ipo/IPO_News.sh"},
        {"IPO_With", "../market/ipo/IPO_wp.sh"},
        {"Coverage", "../market/analyst/UpDown.Sh"}, {"Upgrade", "../market/analyst/UpDown.Sh"},
        {"Downgrade", "../market/analyst/UpDown.Sh"}, {"SUP", "../market/surprises/25_surp.Sh"},
        {"WM", "../market/world/Market.Sh"},
    };
    int zoomed = 0;
    for (const ViewRow& row : viewRegistry()) {
        if (!row.zoomable || !row.builder || row.viewCode != ViewCodeRule::Code)
            continue;  // the market views join as their builders land
        // The US view reads US.dat, which it makes empty when missing.
        if ((row.scope == ViewScope::PerStock || row.scope == ViewScope::Market) && !row.cachePages.isEmpty()) {
            ASSERT_TRUE(pages.contains(row.code)) << row.code.toStdString();
            writeFile(QStringLiteral("Cache/DataSheet/") + row.pageFor(QString(), QStringLiteral("ACME")),
                      fixture(pages.value(row.code)));
        }
        CurrentView() = row.code;
        EXPECT_TRUE(Zoom_FG(runner)) << row.code.toStdString();
        const QList<Zoom*> open = zoomWindowsOpen();
        ASSERT_EQ(open.size(), 1) << row.code.toStdString();
        Zoom* zoom = open.front();
        EXPECT_EQ(zoom->ViewCode, row.code);
        EXPECT_FALSE(ZoomMode());
        for (int c = 0; c < row.zoomWidths.size() && c < zoom->grid().Cols(); ++c)
            EXPECT_NEAR(double(zoom->grid().ColWidth(c)) / zoom->grid().Width(), row.zoomWidths[c] / 100.0, 0.01)
                << row.code.toStdString() << " column " << c;
        delete zoom;
        ++zoomed;
    }
    EXPECT_GE(zoomed, 16);
}

TEST_F(ZoomTest, ViewsTheButtonDoesNotZoomOpenNothing)
{
    // The registry names every view the button zooms (the fund tables by their prefix).
    for (const char* code :
         {"Current", "ABS", "AIS", "QR", "IT", "Call", "Put", "Options", "Split", "NMR", "UPH", "BRP", "Profile", "SI",
          "Coverage", "Downgrade", "Upgrade", "SUP", "US", "WM", "IPO_Price", "IPO_Gain", "IPO_Loss", "IPO_Reg",
          "IPO_Last", "IPO_News", "IPO_With", "Port", "PortLog", "F_Growth", "F_Vanguard"}) {
        const ViewRow* row = findViewFor(QLatin1String(code));
        ASSERT_NE(row, nullptr) << code;
        EXPECT_TRUE(row->zoomable && row->zoomAware) << code;
    }
    for (const char* code : {"EC", "ER", "EH", "EG", "WINLOS", "BR", "DNH", "OptSum", "M_BRP0", "FMS1", "PortSelected",
                             "current", "", "Nothing"}) {
        const ViewRow* row = findViewFor(QLatin1String(code));
        EXPECT_TRUE(!row || !row->zoomable) << code;
        CurrentView() = QLatin1String(code);
        grid().setTextMatrix(0, 0, QStringLiteral("untouched"));
        EXPECT_FALSE(Zoom_FG(runner)) << code;
        EXPECT_FALSE(ZoomMode()) << code;
        EXPECT_EQ(CurrentView(), QLatin1String(code));
        EXPECT_EQ(grid().TextMatrix(0, 0), "untouched") << code;
    }
    EXPECT_TRUE(zoomWindowsOpen().isEmpty());
}

TEST_F(ZoomTest, AFailingViewOpensNoWindowAndShowsItsMessageInTheMainGrid)
{
    CurrentView() = QStringLiteral("AIS");  // no page in the cache
    Zoom_FG(runner);
    flushDeletes();
    EXPECT_FALSE(ZoomMode());
    EXPECT_TRUE(zoomWindowsOpen().isEmpty());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<Zoom*>(w), nullptr);
    EXPECT_EQ(grid().Rows(), 1);
    EXPECT_FALSE(grid().TextMatrix(0, 0).isEmpty());
}

TEST_F(ZoomTest, ColumnWidthsFollowTheWindowByItsOwnView)
{
    Zoom* zoom = openOn(QStringLiteral("QR"), 7);
    const FlexGrid& g = zoom->grid();
    EXPECT_GT(g.Width(), 0);
    for (int c = 3; c <= 6; ++c)
        EXPECT_EQ(g.ColWidth(c), 0) << c;
    EXPECT_NEAR(share(g, 2), 0.66, 0.01);
    EXPECT_NEAR(share(g, 0), 0.15, 0.01);

    // The main window moving to another view changes nothing; a wider window widens.
    CurrentView() = QStringLiteral("IT");
    const int before = g.ColWidth(2);
    zoom->resize(zoom->width() * 2, zoom->height());
    QCoreApplication::processEvents();
    EXPECT_GT(g.ColWidth(2), before * 3 / 2);
    EXPECT_NEAR(share(g, 2), 0.66, 0.01);
    EXPECT_EQ(zoom->ViewCode, "QR");

    // Below an inner height of 250 twips nothing changes.
    const int wide = g.ColWidth(2);
    const QRect gridPlace = zoom->FG->geometry();
    zoom->resize(zoom->width() / 2, 16);
    QCoreApplication::processEvents();
    EXPECT_EQ(g.ColWidth(2), wide);
    EXPECT_EQ(zoom->FG->geometry(), gridPlace);

    // While closing the controls stay, the widths still follow.
    zoom->resize(zoom->width(), 300);
    QCoreApplication::processEvents();
    const QRect placed = zoom->FG->geometry();
    zoom->Closing = true;
    zoom->resize(zoom->width() * 2, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(zoom->FG->geometry(), placed);
    EXPECT_NEAR(double(g.ColWidth(2)) / (placed.width() * FlexGrid::TwipsPerPixel), 0.66, 0.01);
}

TEST_F(ZoomTest, TheWidthTable)
{
    struct Case
    {
        const char* view;
        int columns;
        int sum;
    };
    const Case cases[] = {
        {"F_Growth", 5, 96}, {"WINLOS", 6, 96},    {"ABS", 6, 96},      {"AIS", 6, 96},     {"IPO_Price", 14, 154},
        {"IPO_Gain", 14, 150}, {"IPO_Loss", 14, 150}, {"IPO_Last", 14, 149}, {"IPO_Reg", 8, 104}, {"IPO_News", 5, 96},
        {"IPO_With", 7, 97}, {"Coverage", 5, 96},  {"Downgrade", 6, 96}, {"Upgrade", 6, 96},  {"QR", 7, 96},
        {"US", 9, 107},      {"WM", 9, 99},        {"SUP", 5, 96},      {"IT", 8, 97},       {"BRP", 3, 97},
        {"UPH", 3, 98},      {"Split", 6, 98},     {"NMR", 1, 97},      {"Port", 11, 99},    {"PortLog", 7, 88},
        {"Profile", 3, 99},  {"Options", 15, 122}, {"SI", 4, 95},
    };
    for (const Case& c : cases) {
        const QVector<int> widths = ZoomWidths(QLatin1String(c.view));
        EXPECT_EQ(widths.size(), c.columns) << c.view;
        EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), c.sum) << c.view;
    }
    for (const char* view : {"Current", "Call", "Put", "EC", "abs", ""})
        EXPECT_TRUE(ZoomWidths(QLatin1String(view)).isEmpty()) << view;
    EXPECT_EQ(ZoomWidths("IT").value(1), 0);
}

TEST_F(ZoomTest, TheQuotesKeepTheWidthsTheirViewSet)
{
    Zoom* zoom = openOn(QStringLiteral("Current"), 5);
    EXPECT_EQ(zoom->grid().ColWidth(2), 700);
    zoom->resize(zoom->width() * 2, zoom->height());
    QCoreApplication::processEvents();
    EXPECT_EQ(zoom->grid().ColWidth(2), 700);
}

TEST_F(ZoomTest, TheShrinkButtonTogglesStripAndLoadSize)
{
    Zoom* zoom = openOn(QStringLiteral("ABS"), 6);
    const QSize load = zoom->size();
    EXPECT_EQ(ZoomWidth(), load.width() * FlexGrid::TwipsPerPixel);
    EXPECT_EQ(ZoomHeight(), load.height() * FlexGrid::TwipsPerPixel);

    zoom->cmdMin_Click();
    EXPECT_EQ(zoom->size(), QSize(33, 119));  // 500 x 1790 twips
    zoom->cmdMin_Click();
    EXPECT_EQ(zoom->size(), load);

    // After a resize by the user the first press restores, the second shrinks.
    zoom->resize(load.width() + 100, load.height() + 50);
    zoom->cmdMin_Click();
    EXPECT_EQ(zoom->size(), load);
    zoom->cmdMin_Click();
    EXPECT_EQ(zoom->size(), QSize(33, 119));

    // Sizes beyond 16 bits of twips are fine.
    EXPECT_EQ(RestoreZoomSize(false, 40000), QSize(ZoomWidth(), ZoomHeight()));
    ZoomWidth() = 40000;
    EXPECT_EQ(RestoreZoomSize(false, 40000), QSize(500, 1790));
    EXPECT_EQ(RestoreZoomSize(true, 123), std::nullopt);
}

TEST_F(ZoomTest, AMaximisedWindowKeepsItsSize)
{
    Zoom* zoom = openOn(QStringLiteral("ABS"), 6);
    zoom->setWindowState(Qt::WindowMaximized);
    QCoreApplication::processEvents();
    const QSize size = zoom->size();
    zoom->cmdMin_Click();
    EXPECT_EQ(zoom->size(), size);
}

TEST_F(ZoomTest, EnterEscAndAltXCloseWithTheRoll)
{
    const struct
    {
        int key;
        int shift;
    } closers[] = {{13, 0}, {27, 0}, {88, 4}, {88, 5}, {27, 2}};
    for (const auto& k : closers) {
        QPointer<Zoom> zoom = openOn(QStringLiteral("SI"), 4);
        zoom->Form_KeyDown(k.key, k.shift);
        EXPECT_TRUE(zoom->Closing) << k.key;
        flushDeletes();
        EXPECT_TRUE(zoom.isNull()) << k.key;
    }
    QPointer<Zoom> zoom = openOn(QStringLiteral("SI"), 4);
    for (const auto& k : {std::pair{88, 0}, std::pair{88, 2}, std::pair{69, 0}, std::pair{65, 4}})
        zoom->Form_KeyDown(k.first, k.second);
    flushDeletes();
    ASSERT_FALSE(zoom.isNull());
    EXPECT_FALSE(zoom->Closing);
    EXPECT_EQ(ZoomKeyCommand(69, 4), ZoomKey::EditMenu);
    EXPECT_EQ(ZoomKeyCommand(80, 7), ZoomKey::ExportMenu);
    EXPECT_EQ(ZoomKeyCommand(80, 2), ZoomKey::None);

    // The window system's close box closes at once, without the roll.
    zoom->close();
    flushDeletes();
    EXPECT_TRUE(zoom.isNull());
}

TEST_F(ZoomTest, TheToolbarMenusOpenAtTheirLabels)
{
    Zoom* zoom = openOn(QStringLiteral("Current"), 5);
    zoom->move(100, 200);  // room above for the "Edit" menu
    QCoreApplication::processEvents();
    zoom->Form_KeyDown(69, 4);  // Alt+E
    EXPECT_TRUE(zoom->mnuEdits->isVisible());
    EXPECT_TRUE(zoom->Shape1->isVisible());
    EXPECT_EQ(zoom->Shape1->x(), zoom->Panel1[1]->x());
    const QPoint edit = zoom->mapToGlobal(zoom->Panel1[1]->pos());
    EXPECT_EQ(zoom->mnuEdits->pos(), edit - QPoint(0, 47));  // 700 twips above
    zoom->mnuEdits->hide();

    zoom->Form_KeyDown(80, 4);  // Alt+P
    EXPECT_TRUE(zoom->mnuExport->isVisible());
    EXPECT_EQ(zoom->mnuExport->pos(), zoom->mapToGlobal(zoom->Panel1[2]->pos()));
    // The export items follow the main window's view as the menu opens.
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(zoom->mnuEx[std::size_t(i)]->isEnabled(), i <= 8 || i == 15) << i;
    EXPECT_EQ(zoom->mnuEx[5]->text(), "Meta Stock");
    zoom->mnuExport->hide();

    // The highlight: moving over the framed label leaves it, the surface hides it,
    // and it comes back only on another label.
    zoom->Panel1_MouseMove(0);
    EXPECT_EQ(zoom->Shape1->x(), zoom->Panel1[0]->x());
    zoom->Form_MouseMove();
    EXPECT_FALSE(zoom->Shape1->isVisible());
    zoom->Panel1_MouseMove(0);
    EXPECT_FALSE(zoom->Shape1->isVisible());
    zoom->Panel1_MouseMove(2);
    EXPECT_TRUE(zoom->Shape1->isVisible());
    EXPECT_EQ(zoom->Shape1->x(), zoom->Panel1[2]->x());
}

TEST_F(ZoomTest, SelectAllThenCopyPutsTheWholeGridOnTheClipboard)
{
    Zoom* zoom = openOn(QStringLiteral("ABS"), 3);
    zoom->grid().setRows(2);
    zoom->mnuEdit_Click(0);
    zoom->mnuEdit_Click(2);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "0-0\t0-1\t0-2\r1-0\t1-1\t1-2");
    EXPECT_EQ(zoom->mnuEdit[0]->text(), "Select All");
    EXPECT_TRUE(zoom->mnuEdit[1]->isSeparator());
    EXPECT_EQ(zoom->mnuEdit[2]->text(), "Copy");

    // The grid's own keys: Ctrl with anything else held; not without Ctrl, not V.
    QGuiApplication::clipboard()->setText("before");
    ZoomGridEvents& events = zoom->gridEvents();
    zoom->grid().setRow(1);
    zoom->grid().setCol(1);
    events.FG_KeyDown(67, 0);
    events.FG_KeyDown(86, 2);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
    events.FG_KeyDown(67, 3);  // Ctrl+Shift+C
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "1-1");
    events.FG_KeyDown(65, 6);  // Ctrl+Alt+A
    events.FG_KeyDown(67, 2);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "0-0\t0-1\t0-2\r1-0\t1-1\t1-2");
}

TEST_F(ZoomTest, TheZoomGridSortsInTurnWithTheMainGridAndMovesColumnsWithoutALayout)
{
    SortAsc() = 0;
    Zoom* zoom = openOn(QStringLiteral("IT"), 3);
    FlexGrid& z = zoom->grid();
    z.setFixedRows(1);
    z.setTextMatrix(1, 1, "b");
    z.setTextMatrix(2, 1, "c");
    z.setTextMatrix(3, 1, "a");
    z.setCol(1);
    zoom->gridEvents().FG_DblClick();
    EXPECT_EQ(SortAsc(), 1);
    EXPECT_EQ(z.TextMatrix(1, 1), "a");

    // The main grid's next sort goes the other way.
    CurrentView() = QStringLiteral("Current");
    grid().setRows(3);
    grid().setCols(2);
    grid().setTextMatrix(1, 1, "x");
    grid().setTextMatrix(2, 1, "y");
    grid().setCol(1);
    ToggleSort(grid());
    EXPECT_EQ(SortAsc(), 2);
    EXPECT_EQ(grid().TextMatrix(1, 1), "y");
    zoom->gridEvents().FG_DblClick();
    EXPECT_EQ(SortAsc(), 1);

    // Right button: the "Edit" menu only in the quotes and the holdings.
    EXPECT_FALSE(zoom->gridEvents().FG_MouseDown(2, 0, 0, 0));
    Zoom* quotes = openOn(QStringLiteral("Current"), 3);
    EXPECT_TRUE(quotes->gridEvents().FG_MouseDown(2, 0, 0, 0));

    // A header drag and drop moves the column; nothing is recorded or saved.
    z.setMouseRow(0);
    z.setMouseCol(2);
    zoom->gridEvents().FG_MouseDown(1, 0, 1000, 100);
    zoom->gridEvents().FG_MouseMove(1, 0, 1030, 119);  // 49
    EXPECT_EQ(zoom->gridEvents().drag().col, -1);
    zoom->gridEvents().FG_MouseMove(1, 0, 1030, 120);  // 50
    EXPECT_EQ(zoom->gridEvents().drag().col, 2);
    z.endDrag();
    z.setMouseCol(1);
    zoom->gridEvents().FG_DragDrop();
    EXPECT_EQ(z.TextMatrix(0, 1), "0-2");
    zoom->gridEvents().FG_MouseUp(1, 0, 0, 0);
    EXPECT_FALSE(zoom->gridEvents().drag().armed);
    EXPECT_FALSE(fileExists(QStringLiteral("LayOut.dat")));
    EXPECT_EQ(LayOut()[1], LayoutRec());

    // The zoom grid's pointer: "Call" links column 0 only.
    Zoom* calls = openOn(QStringLiteral("Call"), 6);
    calls->grid().setMouseCol(5);
    calls->gridEvents().FG_MouseMove(0, 0, 0, 0);
    EXPECT_EQ(calls->grid().MousePointer(), 0);
    calls->grid().setMouseCol(0);
    calls->gridEvents().FG_MouseMove(0, 0, 0, 0);
    EXPECT_EQ(calls->grid().MousePointer(), 99);
}

TEST_F(ZoomTest, TheZoomGridsQuarterlyLinkOpensTheFilingAsTheMainOneDoes)
{
    Zoom* zoom = openOn(QStringLiteral("QR"), 7);
    zoom->grid().setTextMatrix(2, 4, QStringLiteral("?doc=9"));
    zoom->grid().setRow(2);
    zoom->grid().setRowSel(2);
    zoom->grid().setCol(1);
    test::shell().reset();
    zoom->gridEvents().FG_Click();
    EXPECT_EQ(test::shell().opened, QStringList{"http://filings.example/auth/doctrans?doc=9"});
}

TEST(LinkCursors, TwoDistinctPicturesWithTheirHotSpots)
{
    const QCursor main = LinkCursor(GridWindow::Main);
    const QCursor zoom = LinkCursor(GridWindow::Zoom);
    EXPECT_EQ(main.hotSpot(), QPoint(16, 8));
    EXPECT_EQ(zoom.hotSpot(), QPoint(0, 0));
    EXPECT_EQ(main.pixmap().size(), QSize(32, 32));
    EXPECT_EQ(zoom.pixmap().size(), QSize(32, 32));
    EXPECT_NE(main.pixmap().toImage(), zoom.pixmap().toImage());
}
