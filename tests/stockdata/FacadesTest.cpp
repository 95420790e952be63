// The stock-data facades without a window: the view host and the editing windows
// the program sets at start, and what they do when it set none.
#include "CriticalLog.h"
#include "TestDoubles.h"

#include "platform/FlexGrid.h"
#include "stockdata/DetailCard.h"
#include "stockdata/EditorWindows.h"
#include "views/ViewHost.h"
#include "sheets/Zoom.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

int visibleWindows()
{
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        n += w->isVisible() ? 1 : 0;
    return n;
}

class StockFacades : public ::testing::Test
{
protected:
    void TearDown() override
    {
        setDefaultViewHost(&zoomWindows());
        setDefaultEditorWindows(nullptr);
    }
};

} // namespace

TEST_F(StockFacades, TheDefaultsAreTheProgramsWindows)
{
    EXPECT_EQ(&viewHost(), &zoomWindows());
}

TEST_F(StockFacades, AViewHostMissingAtStartIsLoggedAndTheViewsDrawUnseen)
{
    setDefaultViewHost(nullptr);
    test::CriticalLog log;
    const int before = visibleWindows();
    FlexGrid* main = viewHost().mainGrid();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(viewHost().mainGrid(), main);  // one main grid, drawn into again
    FlexGrid* zoom = viewHost().newZoomGrid();
    ASSERT_NE(zoom, nullptr);
    EXPECT_NE(zoom, main);
    zoom->setRows(3);  // the view can still fill it
    viewHost().showZoom(zoom);
    EXPECT_EQ(visibleWindows(), before);
    EXPECT_EQ(log.messages.size(), 4);
    for (const QString& m : log.messages)
        EXPECT_TRUE(m.startsWith("tradewright.viewhost: ")) << m.toStdString();
    delete zoom;
}

TEST_F(StockFacades, EditorWindowsMissingAtStartAreLoggedAndOpenNothing)
{
    setDefaultEditorWindows(nullptr);
    test::CriticalLog log;
    const int before = visibleWindows();
    editorWindows().showSetEditor();
    editorWindows().showDetailCard(nullptr);
    EXPECT_EQ(visibleWindows(), before);
    ASSERT_EQ(log.messages.size(), 2);
    EXPECT_TRUE(log.messages[0].startsWith("tradewright.editorwindows: ")) << log.messages[0].toStdString();
    EXPECT_TRUE(log.messages[0].contains("set editor")) << log.messages[0].toStdString();
}
