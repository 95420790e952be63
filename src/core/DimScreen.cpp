#include "DimScreen.h"

#include "core/ErrorLog.h"
#include "core/OptionsHost.h"
#include "platform/InputCodes.h"

#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>

namespace {

// Paints the dimmed copy over the whole of its parent and keeps covering it when
// the parent is resized or repainted underneath.
class DimOverlay : public QWidget
{
public:
    DimOverlay(QWidget* parent, QImage image) : QWidget(parent), m_image(std::move(image))
    {
        setObjectName(QStringLiteral("DimOverlay"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setGeometry(parent->rect());
        parent->installEventFilter(this);
        raise();
        show();
    }
    const QImage& image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::black);
        p.drawImage(QPoint(0, 0), m_image);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parent() && (event->type() == QEvent::Resize || event->type() == QEvent::ChildAdded)) {
            setGeometry(parentWidget()->rect());
            raise();
        }
        return false;
    }

private:
    QImage m_image;
};

QPointer<DimOverlay> g_overlay;

} // namespace

QImage DimImage(const QImage& image)
{
    QImage out = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = (y + 1) % 2; x < out.width(); x += 2)
            line[x] = qRgb(0, 0, 0);
    }
    return out;
}

QSize DimSize(int widthTwips, int heightTwips)
{
    return {widthTwips / input::TwipsPerPixel, heightTwips / input::TwipsPerPixel};
}

void DimForm(QWidget*& form)
{
    OptionsHost* host = optionsHost();
    QWidget* main = host ? host->mainWindowWidget() : nullptr;
    if (!main)
        return;
    form = main;
    if (g_overlay)
        ResetScreen();
    const QImage dimmed = DimImage(main->grab().toImage());
    g_overlay = new DimOverlay(main, dimmed);
}

void ResetScreen()
{
    if (!g_overlay)
        return;
    QWidget* main = g_overlay->parentWidget();
    delete g_overlay.data();
    if (main)
        main->update();
}

bool IsDimmed()
{
    return !g_overlay.isNull();
}

QImage DimmedImage()
{
    return g_overlay ? g_overlay->image() : QImage();
}
