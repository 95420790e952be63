#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace {

// The frame the window takes with its corner at topLeft. Before its first show
// the window system has not framed it yet; a title bar's height is allowed for.
QRect frameAt(const QWidget& window, const QPoint& topLeft)
{
    QSize size = window.frameGeometry().size().expandedTo(window.size());
    const bool unframed = window.frameGeometry() == window.geometry();
    if (!window.isVisible() && unframed && !(window.windowFlags() & Qt::FramelessWindowHint))
        size.rheight() += window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return QRect(topLeft, size);
}

QRect availableAt(const QWidget& window, const QPoint& point)
{
    const QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// Once a window placed before its first show is shown, the window system has given
// it its frame: the frame is kept inside the screen again, as soon as the show is
// done.
class CheckWhenShown : public QObject
{
public:
    static constexpr const char* Name = "CheckWhenShown";

    explicit CheckWhenShown(QWidget& window) : QObject(&window)
    {
        setObjectName(QLatin1String(Name));
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched == parent()) {
            auto* window = static_cast<QWidget*>(watched);
            window->removeEventFilter(this);
            QTimer::singleShot(0, window, [window] { KeepOnScreen(*window); });
            deleteLater();
        }
        return false;
    }
};

} // namespace

QPoint InsideArea(const QRect& frame, const QRect& available)
{
    if (!available.isValid())
        return frame.topLeft();
    int x = frame.x();
    int y = frame.y();
    x = std::min(x, available.x() + available.width() - frame.width());
    y = std::min(y, available.y() + available.height() - frame.height());
    x = std::max(x, available.x());
    y = std::max(y, available.y());
    return {x, y};
}

void PlaceWindow(QWidget& window, const QPoint& topLeft)
{
    // The size the window will show at: polished, its layout's minimum applied.
    window.ensurePolished();
    if (QLayout* layout = window.layout())
        layout->activate();
    const QRect frame = frameAt(window, topLeft);
    window.move(InsideArea(frame, availableAt(window, frame.center())));
    if (!window.isVisible() && !window.findChild<QObject*>(QLatin1String(CheckWhenShown::Name), Qt::FindDirectChildrenOnly))
        new CheckWhenShown(window);
}

void KeepOnScreen(QWidget& window)
{
    PlaceWindow(window, window.frameGeometry().topLeft());
}

void CentreOnScreen(QWidget& window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = frameAt(window, QPoint()).size();
    PlaceWindow(window, area.center() - QPoint(size.width() / 2, size.height() / 2));
}

void CentreOver(QWidget& window, const QWidget& owner)
{
    const QSize size = frameAt(window, QPoint()).size();
    PlaceWindow(window, owner.frameGeometry().center() - QPoint(size.width() / 2, size.height() / 2));
}
