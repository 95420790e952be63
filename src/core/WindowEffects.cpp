#include "WindowEffects.h"

#include "core/ErrorLog.h"
#include "core/OptionsHost.h"
#include "platform/InputCodes.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QEventLoop>
#include <QLayout>
#include <QPalette>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace {

constexpr int kTwips = input::TwipsPerPixel;
int g_rollDelay = 10;

void waitMs(int ms)
{
    if (ms <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// First-show order of the top-level windows, kept by a watcher of Show events.
constexpr char kLoadOrder[] = "tw_loadOrder";
qint64 g_nextOrder = 1;

class LoadOrderWatcher : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            if (w->isWindow() && !w->property(kLoadOrder).isValid())
                w->setProperty(kLoadOrder, g_nextOrder++);
        }
        return false;
    }
};

void watchLoadOrder()
{
    static QPointer<LoadOrderWatcher> watcher;
    if (!watcher && QCoreApplication::instance()) {
        watcher = new LoadOrderWatcher(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(watcher);
    }
}

} // namespace

// The watcher starts with the application, so every window's first showing counts.
Q_COREAPP_STARTUP_FUNCTION(watchLoadOrder)

namespace {

bool isForm(const QWidget* w)
{
    if (!w->isWindow())
        return false;
    switch (w->windowType()) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Sheet:
    case Qt::Tool:
        return true;
    default:
        return false;
    }
}

// The Top a tiled window takes, by its slot; -1 for a slot past the 35th.
int tileTop(int slot, int tickerTop, int formTop)
{
    if (slot <= 4)
        return tickerTop + 700;
    if (slot <= 9)
        return tickerTop + 1150;
    if (slot == 10)
        return tickerTop + 1600;
    if (slot <= 14)
        return formTop + 1600;
    if (slot <= 19)
        return formTop + 1350;
    if (slot <= 24)
        return formTop + 1800;
    if (slot <= 29)
        return formTop + 2250;
    if (slot <= 34)
        return formTop + 2700;
    return -1;
}

} // namespace

std::int16_t RollStep(int heightTwips, int steps)
{
    if (steps == 0)
        throw RuntimeError::make(11);
    return rt::CInt(QVariant(double(heightTwips) / double(steps)));
}

QVector<int> RollHeights(int heightTwips, int steps)
{
    const int step = RollStep(heightTwips, steps);
    QVector<int> heights;
    int h = heightTwips;
    for (int i = 1; i <= steps - 1; ++i) {
        h -= step;
        heights << h;
    }
    return heights;
}

void setRollStepDelay(int milliseconds)
{
    g_rollDelay = std::max(0, milliseconds);
}

void RollWindow(QWidget* form, int steps)
{
    if (!form || form->isMaximized())
        return;
    try {
        if (form->isMinimized())
            throw RuntimeError(5, QStringLiteral("Invalid procedure call or argument"));
        const int step = RollStep(form->height() * kTwips, steps);
        // The window's own layout must not hold it at its smallest size.
        if (QLayout* layout = form->layout())
            layout->setSizeConstraint(QLayout::SetNoConstraint);
        form->setMinimumSize(0, 0);
        QPointer<QWidget> guard(form);
        for (int i = 1; i <= steps - 1; ++i) {
            if (!guard)
                return;
            const QRect g = form->geometry();
            const int heightTwips = g.height() * kTwips - step;
            form->setGeometry(g.x(), g.y(), g.width(), std::max(0, input::toPixels(heightTwips)));
            waitMs(g_rollDelay);
        }
    } catch (const RuntimeError& e) {
        LogError(e, QStringLiteral("Misc_RollWindow"), false);
    } catch (const std::exception& e) {
        LogError(QString::fromLocal8Bit(e.what()), 0, QStringLiteral("Tradewright"),
                 QStringLiteral("Misc_RollWindow"), false);
    }
}

QImage TintImage(const QImage& image, std::uint32_t tint)
{
    QImage out = image.convertToFormat(QImage::Format_RGB32);
    const QRgb mask = qRgb(int(tint & 0xFF), int((tint >> 8) & 0xFF), int((tint >> 16) & 0xFF));
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            line[x] = (line[x] & mask) | 0xFF000000u;
    }
    return out;
}

void SeeThrough(QWidget* form, std::uint32_t tint)
{
    if (!form)
        return;
    // Each step goes on when the one before did nothing (no screen to copy from).
    const QRect outer = form->frameGeometry();
    const QSize client = form->size();
    form->hide();
    QCoreApplication::processEvents();
    QImage desk;
    if (QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen()) {
        const QPoint at = outer.topLeft() - screen->geometry().topLeft();
        desk = screen->grabWindow(0, at.x(), at.y(), client.width(), client.height()).toImage();
    }
    form->show();
    if (desk.isNull()) {
        desk = QImage(client, QImage::Format_RGB32);
        desk.fill(Qt::white);
    }
    QPalette palette = form->palette();
    palette.setBrush(QPalette::Window, QPixmap::fromImage(TintImage(desk, tint)));
    form->setPalette(palette);
    form->setAutoFillBackground(true);
}

void TilePositions(QVector<TileForm>& forms, int formIndex, int formTop, int tickerTop)
{
    int slot = 0;
    for (int i = 0; i < forms.size(); ++i) {
        TileForm& f = forms[i];
        const bool named = f.name == QLatin1String("Zoom") || f.name == QLatin1String("Properties");
        if (!named || f.width >= 3000)
            continue;
        if (slot <= 34) {
            if (slot % 5 == 0 || i == 0)
                f.left = 0;
            else
                f.left = forms[i - 1].left + forms[i - 1].width;
            const int top = formIndex >= 0 && formIndex < forms.size() ? forms[formIndex].top : formTop;
            f.top = tileTop(slot, tickerTop, top);
        }
        ++slot;
    }
}

QList<QWidget*> Forms()
{
    watchLoadOrder();
    QList<QWidget*> forms;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (isForm(w))
            forms << w;
    // Windows never shown yet count as loaded now, after the others.
    for (QWidget* w : forms)
        if (!w->property(kLoadOrder).isValid())
            w->setProperty(kLoadOrder, g_nextOrder++);
    std::stable_sort(forms.begin(), forms.end(), [](QWidget* a, QWidget* b) {
        return a->property(kLoadOrder).toLongLong() < b->property(kLoadOrder).toLongLong();
    });
    return forms;
}

void TileWindows(QWidget* form)
{
    const QList<QWidget*> windows = Forms();
    QVector<TileForm> forms;
    int formIndex = -1;
    for (QWidget* w : windows) {
        const QRect g = w->frameGeometry();
        if (w == form)
            formIndex = int(forms.size());
        forms.push_back({w->objectName(), g.x() * kTwips, g.y() * kTwips, g.width() * kTwips});
    }
    const int formTop = form ? form->frameGeometry().y() * kTwips : 0;
    OptionsHost* host = optionsHost();
    const int tickerTop = host ? host->newsTickerTop() : 0;
    const QVector<TileForm> before = forms;
    TilePositions(forms, formIndex, formTop, tickerTop);
    // A platform that ignores moves leaves the windows where they are.
    for (int i = 0; i < forms.size(); ++i)
        if (forms[i].left != before[i].left || forms[i].top != before[i].top)
            PlaceWindow(*windows[i], QPoint(forms[i].left / kTwips, forms[i].top / kTwips));
}
