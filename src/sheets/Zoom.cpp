#include "sheets/Zoom.h"

#include "core/Utilities.h"
#include "core/WindowEffects.h"
#include "core/clsFormResize.h"
#include "platform/FlexGrid.h"
#include "platform/FlexGridView.h"
#include "platform/InputCodes.h"
#include "platform/SkipFailedSteps.h"
#include "platform/WindowPlacement.h"
#include "sheets/GridLayout.h"
#include "sheets/ReportsPort.h"
#include "stockdata/ProgramState.h"

#include <QAction>
#include <QApplication>
#include <QBitmap>
#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QToolButton>

namespace {

Q_LOGGING_CATEGORY(lcZoomWindow, "tradewright.sheets.zoomwindow")

const SkipFailedSteps zoomStep(lcZoomWindow, "zoom window");

constexpr int kTwips = FlexGrid::TwipsPerPixel;
// The design size and places (pixels); the strip and the popup offsets are fixed
// in twips (ZoomRules).
constexpr int kDesignWidth = 640;
constexpr int kDesignHeight = 400;
constexpr int kBarHeight = 26;
constexpr int kLabelTop = 5;
constexpr int kLabelHeight = 17;
constexpr int kLabelWidth = 48;
constexpr int kLabelsLeft = 30;
constexpr int kShapeRaise = 20;  // twips above the label
constexpr const char* kLabelCaptions[] = {"Exit", "Edit", "Export"};
constexpr unsigned kYellow = 0x00FFFF;  // &HBBGGRR
constexpr unsigned kGreen = 0x00FF00;

QString colourSheet(unsigned bgr)
{
    const QColor c(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
    return QStringLiteral("background-color: %1; border: 1px solid #404040;").arg(c.name());
}

QPoint pixels(std::int32_t xTwips, std::int32_t yTwips)
{
    return input::toPixelPoint(xTwips, yTwips);
}

QPointer<QWidget> g_owner;

class ZoomWindowHost : public ViewHost
{
public:
    FlexGrid* mainGrid() override
    {
        if (!m_main)
            m_main = new FlexGrid(QCoreApplication::instance());
        return m_main;
    }

    FlexGrid* newZoomGrid() override
    {
        // Without the main window the zoom windows stand alone (never inside another).
        auto* window = new Zoom(g_owner.data());
        return &window->grid();
    }

    void showZoom(FlexGrid* grid) override
    {
        if (auto* window = qobject_cast<Zoom*>(grid ? grid->parent() : nullptr)) {
            // A new zoom window opens over the main window that owns it.
            if (!window->isVisible() && window->parentWidget())
                CentreOver(*window, *window->parentWidget()->window());
            else if (!window->isVisible())
                KeepOnScreen(*window);
            window->show();
        }
    }

private:
    QPointer<FlexGrid> m_main;
};

void drawOutlined(QPainter& p, const QPolygon& shape)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(shape);
}

} // namespace

QCursor LinkCursor(GridWindow window)
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    if (window == GridWindow::Main) {
        // A dotted rectangle under an arrow whose tip is the hot spot (16, 8).
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(4, 14, 24, 15);
        drawOutlined(p, QPolygon({QPoint(16, 8), QPoint(16, 24), QPoint(20, 20), QPoint(23, 27), QPoint(26, 26),
                                  QPoint(23, 19), QPoint(28, 19)}));
        p.end();
        return QCursor(picture, 16, 8);
    }
    // A hand whose fingertip is the hot spot (0, 0).
    drawOutlined(p, QPolygon({QPoint(0, 0), QPoint(5, 0), QPoint(5, 9), QPoint(9, 9), QPoint(9, 10), QPoint(13, 10),
                              QPoint(13, 11), QPoint(17, 11), QPoint(17, 25), QPoint(3, 25), QPoint(3, 20),
                              QPoint(0, 16)}));
    p.drawLine(9, 10, 9, 15);
    p.drawLine(13, 11, 13, 15);
    p.end();
    return QCursor(picture, 0, 0);
}

ViewHost& zoomWindows()
{
    static ZoomWindowHost host;
    return host;
}

void setZoomOwner(QWidget* owner)
{
    g_owner = owner;
}

Zoom::Zoom(QWidget* owner)
    : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("Zoom"));
    setWindowTitle(QStringLiteral("Zoom"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    m_grid = new FlexGrid(this);
    buildWidgets();
    buildMenus();
    resize(kDesignWidth, kDesignHeight);

    // Form_Load: the resizer records the design, the size is remembered for the
    // shrink button, and the window keeps the view it was opened for.
    m_resizer = std::make_unique<clsFormResize>();
    m_resizer->setSourceForm(this);
    m_resizer->ScaleControls();
    ZoomWidth() = width() * kTwips;
    ZoomHeight() = height() * kTwips;
    ViewCode = CurrentView();
    m_events = std::make_unique<ZoomGridEvents>(*m_grid, ViewCode);
    connectGrid();
}

Zoom::~Zoom() = default;

void Zoom::buildWidgets()
{
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setStyleSheet(colourSheet(kYellow));
    Shape1->setProperty("Tag", QStringLiteral("@"));
    Shape1->hide();
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(QString::fromLatin1(kLabelCaptions[i]), this);
        label->setObjectName(QStringLiteral("Panel1(%1)").arg(i));
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(kLabelsLeft + i * (kLabelWidth + 4), kLabelTop, kLabelWidth, kLabelHeight);
        label->setProperty("Tag", QStringLiteral("@"));
        label->setMouseTracking(true);
        label->installEventFilter(this);
        Panel1[std::size_t(i)] = label;
    }
    cmdMin = new QToolButton(this);
    cmdMin->setObjectName(QStringLiteral("cmdMin"));
    cmdMin->setToolTip(QStringLiteral("Click Here To Minimize"));
    cmdMin->setText(QStringLiteral("_"));
    // At the left, so that it stays within reach in the strip.
    cmdMin->setGeometry(3, 3, 20, 20);
    cmdMin->setProperty("Tag", QStringLiteral("@"));
    connect(cmdMin, &QToolButton::clicked, this, [this] { cmdMin_Click(); });

    FG = new FlexGridView(this);
    FG->setObjectName(QStringLiteral("FG"));
    FG->setGrid(m_grid);
    FG->setMouseIcon(LinkCursor(GridWindow::Zoom));
    FG->setGeometry(0, kBarHeight, kDesignWidth, kDesignHeight - kBarHeight);
    FG->setProperty("Tag", QStringLiteral("@HW"));
}

void Zoom::buildMenus()
{
    mnuEdits = new QMenu(QStringLiteral("Edit"), this);
    const char* edits[] = {"Select All", "-", "Copy"};
    for (int i = 0; i < 3; ++i) {
        if (QLatin1String(edits[i]) == QLatin1String("-")) {
            mnuEdit[std::size_t(i)] = mnuEdits->addSeparator();
            continue;
        }
        mnuEdit[std::size_t(i)] = mnuEdits->addAction(QString::fromLatin1(edits[i]));
        connect(mnuEdit[std::size_t(i)], &QAction::triggered, this, [this, i] { mnuEdit_Click(i); });
    }
    mnuExport = new QMenu(QStringLiteral("Export"), this);
    const QStringList& captions = mnuExCaptions();
    for (int i = 0; i < kZoomReportItems; ++i) {
        mnuEx[std::size_t(i)] = mnuExport->addAction(captions.at(i));
        connect(mnuEx[std::size_t(i)], &QAction::triggered, this, [this, i] { mnuEx_Click(i); });
    }
    connect(mnuExport, &QMenu::aboutToShow, this, [this] { mnuExport_Click(); });
}

void Zoom::connectGrid()
{
    connect(FG, &FlexGridView::Click, this, [this] { m_events->FG_Click(); });
    connect(FG, &FlexGridView::DblClick, this, [this] { m_events->FG_DblClick(); });
    connect(FG, &FlexGridView::KeyDown, this, [this](int KeyCode, int Shift) {
        m_events->FG_KeyDown(KeyCode, Shift);
        Form_KeyDown(KeyCode, Shift);
    });
    connect(FG, &FlexGridView::MouseDown, this, [this](int Button, int Shift, double X, double Y) {
        if (m_events->FG_MouseDown(Button, Shift, X, Y))
            mnuEdits->popup(FG->viewport()->mapToGlobal(pixels(std::int32_t(X), std::int32_t(Y))));
    });
    connect(FG, &FlexGridView::MouseMove, this,
            [this](int Button, int Shift, double X, double Y) { m_events->FG_MouseMove(Button, Shift, X, Y); });
    connect(FG, &FlexGridView::MouseUp, this,
            [this](int Button, int Shift, double X, double Y) { m_events->FG_MouseUp(Button, Shift, X, Y); });
    connect(FG, &FlexGridView::DragDrop, this, [this](QWidget*, double, double) { m_events->FG_DragDrop(); });
}

void Zoom::CloseZoom()
{
    Closing = true;
    ZoomGrid() = nullptr;
    zoomStep([&] { RollWindow(this, kZoomRollSteps); });
    close();
}

void Zoom::RestoreZoomWindow()
{
    const std::optional<QSize> size = RestoreZoomSize(isMaximized(), width() * kTwips);
    if (!size)
        return;
    const bool restoring = size->width() != kZoomStripWidth || size->height() != kZoomStripHeight;
    resize(input::toPixels(size->width()), input::toPixels(size->height()));
    if (restoring)
        QCoreApplication::processEvents();
}

void Zoom::cmdMin_Click()
{
    zoomStep([&] { RestoreZoomWindow(); });
    QCoreApplication::processEvents();
    zoomStep([&] { TileWindows(this); });
    QCoreApplication::processEvents();
}

void Zoom::Panel1_Click(int Index)
{
    switch (Index) {
    case 0: CloseZoom(); break;
    case 1: {
        const QLabel* label = Panel1[1];
        mnuEdits->popup(mapToGlobal(QPoint(label->x(), label->y() - input::toPixels(kZoomEditMenuRaise))));
        break;
    }
    case 2: {
        const QLabel* label = Panel1[2];
        mnuExport->popup(mapToGlobal(QPoint(label->x(), label->y())));
        break;
    }
    default: break;
    }
}

void Zoom::Panel1_MouseMove(int Index)
{
    if (Index < 0 || Index > 2)
        return;
    QLabel* label = Panel1[std::size_t(Index)];
    if (Shape1->x() == label->x())
        return;
    Shape1->show();
    Shape1->setGeometry(label->x(), label->y() - input::toPixels(kShapeRaise), label->width(), label->height() + 2);
    Shape1->lower();
    label->setCursor(Qt::ArrowCursor);
    QCoreApplication::processEvents();
}

void Zoom::Panel1_MouseDown(int Index)
{
    Q_UNUSED(Index);
    Shape1->setStyleSheet(colourSheet(kGreen));
}

void Zoom::Panel1_MouseUp(int Index)
{
    Q_UNUSED(Index);
    Shape1->setStyleSheet(colourSheet(kYellow));
}

void Zoom::Form_MouseMove()
{
    if (Shape1->isVisible())
        Shape1->hide();
}

void Zoom::Form_KeyDown(int KeyCode, int Shift)
{
    auto frame = [this](int index) {
        Shape1->show();
        Shape1->move(Panel1[std::size_t(index)]->x(), Shape1->y());
        Panel1_Click(index);
    };
    switch (ZoomKeyCommand(KeyCode, Shift)) {
    case ZoomKey::None: break;
    case ZoomKey::EditMenu: frame(1); break;
    case ZoomKey::ExportMenu: frame(2); break;
    case ZoomKey::Close:
        if (KeyCode == 13)
            Panel1_Click(0);
        else
            frame(0);
        break;
    }
}

void Zoom::Form_Resize()
{
    if (height() * kTwips < kZoomMinInnerHeight)
        return;
    if (!Closing) {
        if (!m_resizer) {
            m_resizer = std::make_unique<clsFormResize>();
            m_resizer->setSourceForm(this);
        }
        zoomStep([&] { m_resizer->ScaleControls(); });
    }
    const QVector<int> widths = ZoomWidths(ViewCode);
    if (widths.isEmpty())
        return;
    m_grid->setWidth(FG->width() * kTwips);
    QVariantList list;
    for (int w : widths)
        list << w;
    zoomStep([&] { SetColWidths(*m_grid, list); });
}

void Zoom::mnuEdit_Click(int Index)
{
    if (Index == 0)
        SelectAllGrid(*m_grid);
    else if (Index == 2)
        CopyGridToClipboard(*m_grid);
}

void Zoom::mnuExport_Click()
{
    const QVector<bool> enabled = ReportItemsEnabled(CurrentView(), ReportWindow::Zoom);
    for (int i = 0; i < kZoomReportItems; ++i)
        mnuEx[std::size_t(i)]->setEnabled(enabled.value(i));
}

void Zoom::mnuEx_Click(int Index)
{
    ReportItemChosen(Index, ReportWindow::Zoom);
}

void Zoom::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Zoom::keyPressEvent(QKeyEvent* event)
{
    Form_KeyDown(input::keyCode(event->key()), input::shiftState(event->modifiers()));
}

void Zoom::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    Form_MouseMove();
}

bool Zoom::eventFilter(QObject* watched, QEvent* event)
{
    for (int i = 0; i < 3; ++i) {
        if (watched != Panel1[std::size_t(i)])
            continue;
        switch (event->type()) {
        case QEvent::MouseMove: Panel1_MouseMove(i); break;
        case QEvent::MouseButtonPress: Panel1_MouseDown(i); break;
        case QEvent::MouseButtonRelease:
            Panel1_MouseUp(i);
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton
                && Panel1[std::size_t(i)]->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
                Panel1_Click(i);
            return true;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
