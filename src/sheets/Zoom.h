#pragma once

#include "sheets/ZoomRules.h"
#include "views/ViewHost.h"

#include <QCursor>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class clsFormResize;
class FlexGrid;
class FlexGridView;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QToolButton;

// A zoom window: one view drawn once more, enlarged, in a window of its own (any
// number may be open; none is refreshed). Its grid FG, the label toolbar "Exit",
// "Edit", "Export" with the highlight frame Shape1, the shrink button cmdMin and
// the popup menus "Edit" (mnuEdits) and "Export" (mnuExport). ViewCode is
// CurrentView as the window loaded; the rules are ZoomRules'.
class Zoom : public QWidget
{
    Q_OBJECT

public:
    // Made hidden, owned by owner (the main window); the view fills FG, then the
    // window is shown.
    explicit Zoom(QWidget* owner = nullptr);
    ~Zoom() override;

    FlexGrid& grid() { return *m_grid; }
    ZoomGridEvents& gridEvents() { return *m_events; }

    QString ViewCode;
    bool Closing = false;

    FlexGridView* FG = nullptr;
    std::array<QLabel*, 3> Panel1{};
    QFrame* Shape1 = nullptr;
    QToolButton* cmdMin = nullptr;
    QMenu* mnuEdits = nullptr;
    std::array<QAction*, 3> mnuEdit{};
    QMenu* mnuExport = nullptr;
    std::array<QAction*, 16> mnuEx{};

    // Rolls the window up in 25 steps and unloads it.
    void CloseZoom();
    // The shrink button: strip or recorded size, then the strips are lined up.
    void cmdMin_Click();
    void RestoreZoomWindow();
    void Panel1_Click(int Index);
    void Panel1_MouseMove(int Index);
    void Panel1_MouseDown(int Index);
    void Panel1_MouseUp(int Index);
    void Form_MouseMove();
    void Form_KeyDown(int KeyCode, int Shift);
    void Form_Resize();
    void mnuEdit_Click(int Index);
    void mnuExport_Click();
    void mnuEx_Click(int Index);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWidgets();
    void buildMenus();
    void connectGrid();

    FlexGrid* m_grid = nullptr;
    std::unique_ptr<ZoomGridEvents> m_events;
    std::unique_ptr<clsFormResize> m_resizer;
};

// The pointers the grids show over link columns (MousePointer 99): the main grid's
// arrow over a dotted rectangle (hot spot 16, 8), the zoom grid's pointing hand
// (hot spot 0, 0); 32 x 32, drawn here.
QCursor LinkCursor(GridWindow window);

// The program's default view host: a main grid of its own that nobody shows (the
// main window installs its own host once it is up), and for zoom mode a new Zoom
// window. The program sets it at start with setDefaultViewHost(&zoomWindows()).
ViewHost& zoomWindows();
// The window that owns new zoom windows (the main window); nullptr: none.
void setZoomOwner(QWidget* owner);
