// Where the main window's controls and the windows it opens stand: every control
// inside its container at any window size, the strip's arrows beside the tree, and
// the windows it places inside the available screen.
#include "ShellFixture.h"

#include "platform/FlexGridView.h"
#include "platform/TreeView.h"
#include "platform/WindowPlacement.h"
#include "services/News.h"
#include "core/WindowEffects.h"
#include "sheets/Zoom.h"
#include "stockdata/ProgramState.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

using MainWindowGeometry = MainWindowTest;

// Each shown control of the window and of its three containers, with where it
// lies outside its container (empty when inside).
QStringList outside(const QWidget& window)
{
    QStringList out;
    auto check = [&](const QWidget* container) {
        for (const QWidget* w : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (w->isHidden() || w->isWindow())
                continue;
            if (!container->rect().contains(w->geometry()))
                out << QStringLiteral("%1 (%2,%3 %4x%5) in %6 (%7x%8)")
                           .arg(w->objectName())
                           .arg(w->x())
                           .arg(w->y())
                           .arg(w->width())
                           .arg(w->height())
                           .arg(container->objectName().isEmpty() ? QStringLiteral("window") : container->objectName())
                           .arg(container->width())
                           .arg(container->height());
        }
    };
    check(&window);
    for (const char* name : {"PicCont", "frmButtom", "StatusBar1"})
        if (const QWidget* c = window.findChild<QWidget*>(QString::fromLatin1(name)))
            check(c);
    return out;
}

// At the design size, at 1100 x 760 and at the client size of a window maximised on a
// 1440 x 900 screen, every control lies whole inside its container, the status
// labels keep their height in the bar, and the strip's arrows stand right of the
// tree, never over its rows.
TEST_F(MainWindowGeometry, EveryControlInsideAtEverySize)
{
    fillSet({QStringLiteral("IBM"), QStringLiteral("MSFT")});
    frmMain& f = loaded();
    const QSize design(9480 / 15, 6375 / 15);
    const struct {
        const char* name;
        QSize size;
    } sizes[] = {{"design", design}, {"1100x760", QSize(1100, 760)}, {"maximised on 1440x900", QSize(1440, 870)}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(s.name);
        f.resize(s.size);
        f.Form_Resize();
        QCoreApplication::processEvents();
        ASSERT_EQ(f.size(), s.size);
        EXPECT_EQ(outside(f).join(QStringLiteral("; ")).toStdString(), "");
        for (int i = 0; i <= 5; ++i)
            EXPECT_EQ(f.Panel1[i]->height(), 13) << i;   // 195 twips: the bar's height, whatever the window's
        const QRect tree = f.TreeView1->geometry();
        for (QLabel* arrow : {f.ImgUp, f.ImgDn}) {
            EXPECT_FALSE(arrow->geometry().intersects(tree)) << arrow->objectName().toStdString();
        }
        // 50 twips right of the bar, as when the bar is released.
        EXPECT_EQ(f.layout().ImgUp.Left, f.layout().picSplit2.Left + 50);
        EXPECT_EQ(f.layout().ImgDn.Left, f.layout().picSplit2.Left + 50);
    }
}

// The windows the main window opens are placed by their rules and end inside the
// available screen: the news reader half its width left of the middle of the main
// window's width, 300 twips below its top; the summary chooser over the status bar
// (which would run off the screen's bottom); a zoom window over the main window.
TEST_F(MainWindowGeometry, OpenedWindowsStandInsideTheScreen)
{
    frmMain& f = loaded();
    const QRect area = f.screen()->availableGeometry();
    const QPoint origin = f.screen()->geometry().topLeft();
    auto inside = [&](const QWidget* w) { return area.contains(w->frameGeometry()); };

    // A main window wider than the reader: the reader stands where the rule puts it.
    f.Picture1_Click(2);
    News& reader = News::Instance();
    ASSERT_TRUE(reader.isVisible());
    QCoreApplication::processEvents();
    EXPECT_TRUE(inside(&reader));
    f.resize(std::min(area.width() - 20, 780), 500);
    f.move(area.topLeft() + QPoint(10, 40));
    QCoreApplication::processEvents();
    f.Picture1_Click(2);
    QCoreApplication::processEvents();
    EXPECT_EQ(reader.frameGeometry().x(),
              origin.x() + f.frameGeometry().width() / 2 - reader.frameGeometry().width() / 2);
    EXPECT_EQ(reader.frameGeometry().y(), f.frameGeometry().y() + 300 / 15);
    EXPECT_TRUE(inside(&reader));
    // Narrower than the reader: the rule would put it left of the screen.
    reader.hide();
    f.resize(400, 300);
    f.Picture1_Click(2);
    QCoreApplication::processEvents();
    EXPECT_TRUE(inside(&reader));
    EXPECT_EQ(reader.frameGeometry().x(), area.x());
    reader.close();

    // The summary chooser, for a main window low on the screen.
    f.resize(632, 425);
    f.move(area.x() + 20, area.bottom() - f.frameGeometry().height());
    QCoreApplication::processEvents();
    CurrentSymbol() = QStringLiteral("IBM");
    QRect chooser;
    answerModal([&](QWidget* w) {
        QCoreApplication::processEvents();   // the check once it is shown
        if (w->objectName() == QStringLiteral("SummaryOpt"))
            chooser = w->frameGeometry();
    });
    f.Panel1_Click(4);
    ASSERT_TRUE(chooser.isValid());
    EXPECT_TRUE(area.contains(chooser)) << chooser.x() << "," << chooser.y() << " " << chooser.width() << "x" << chooser.height() << " in " << area.width() << "x" << area.height();

    // A zoom window opens over the main window.
    setRollStepDelay(0);
    f.move(area.topLeft() + QPoint(30, 30));
    QCoreApplication::processEvents();
    CurrentView() = QStringLiteral("Current");
    f.Picture1_Click(3);
    QCoreApplication::processEvents();
    Zoom* zoom = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* z = qobject_cast<Zoom*>(w); z && z->isVisible())
            zoom = z;
    ASSERT_NE(zoom, nullptr);
    EXPECT_TRUE(inside(zoom));
    EXPECT_TRUE(f.frameGeometry().contains(zoom->frameGeometry().center()));
    delete zoom;
}

} // namespace
