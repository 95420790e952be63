#include "shell/NewsTicker.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The design colours: black band, blue under the pointer, red while pressed.
const QColor kBack(0, 0, 0);
const QColor kText(255, 255, 0);
const QColor kHover(0, 0, 255);
const QColor kPressed(255, 0, 0);
constexpr int kGap = 36;          // pixels between two items
constexpr int kTickMs = 20;       // one pixel per tick

} // namespace

NewsTicker::NewsTicker(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &NewsTicker::scrollStep);
}

void NewsTicker::setCaption(const QString& text)
{
    m_caption = text;
    m_items = text.split(QLatin1Char(';'));
    // The part after the last ";" is an item only when it holds text.
    if (!m_items.isEmpty() && m_items.last().isEmpty())
        m_items.removeLast();
    m_hover = m_pressed = 0;
    layoutItems();
    m_offset = width();
    updateTimer();
    update();
}

void NewsTicker::layoutItems()
{
    const QFontMetrics fm(font());
    m_starts.clear();
    m_widths.clear();
    int x = 0;
    for (const QString& item : m_items) {
        m_starts << x;
        const int w = fm.horizontalAdvance(item);
        m_widths << w;
        x += w + kGap;
    }
    m_textWidth = x;
}

int NewsTicker::itemAt(int x) const
{
    for (int i = 0; i < m_starts.size(); ++i) {
        const int left = m_offset + m_starts[i];
        if (x >= left && x < left + m_widths[i])
            return i + 1;
    }
    return 0;
}

int NewsTicker::itemLeft(int number) const
{
    if (number < 1 || number > m_starts.size())
        return 0;
    return m_offset + m_starts[number - 1];
}

void NewsTicker::scrollStep()
{
    --m_offset;
    if (m_offset + m_textWidth <= 0)
        m_offset = width();
    update();
}

void NewsTicker::updateTimer()
{
    if (isVisible() && !m_items.isEmpty())
        m_timer.start();
    else
        m_timer.stop();
}

void NewsTicker::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), kBack);
    const QFontMetrics fm(font());
    const int baseline = (height() - fm.height()) / 2 + fm.ascent();
    for (int i = 0; i < m_items.size(); ++i) {
        const int left = m_offset + m_starts[i];
        if (left > width() || left + m_widths[i] < 0)
            continue;
        const int number = i + 1;
        p.setPen(number == m_pressed ? kPressed : number == m_hover ? kHover : kText);
        p.drawText(left, baseline, m_items[i]);
    }
}

void NewsTicker::mouseMoveEvent(QMouseEvent* event)
{
    const int over = itemAt(int(event->position().x()));
    if (over != m_hover) {
        m_hover = over;
        setCursor(over ? Qt::PointingHandCursor : Qt::ArrowCursor);
        update();
    }
    QWidget::mouseMoveEvent(event);
}

void NewsTicker::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = itemAt(int(event->position().x()));
        update();
    }
    QWidget::mousePressEvent(event);
}

void NewsTicker::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    m_pressed = 0;
    update();
    // A click between the items or past the text is no item's.
    const int index = itemAt(int(event->position().x()));
    if (index < 1)
        return;
    emit ItemClick(index, m_items[index - 1], index < m_items.size() ? m_items[index] : QString());
}

void NewsTicker::leaveEvent(QEvent* event)
{
    if (m_hover) {
        m_hover = 0;
        update();
    }
    QWidget::leaveEvent(event);
}

void NewsTicker::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    updateTimer();
}

void NewsTicker::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    updateTimer();
}

void NewsTicker::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_offset > width())
        m_offset = width();
}
