#include "services/LabelButtons.h"

#include <QColor>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>

LabelButtons::LabelButtons(QWidget* bar, int margin, QObject* parent)
    : QObject(parent)
    , m_bar(bar)
    , m_shape(new QFrame(bar))
    , m_margin(margin)
{
    m_bar->setMouseTracking(true);
    m_bar->installEventFilter(this);
    m_shape->setObjectName(QStringLiteral("Shape1"));
    m_shape->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_shape->hide();
    setColour(QColor(255, 255, 0));
}

QLabel* LabelButtons::add(const QString& caption, const QString& objectName, const QSize& size)
{
    auto* label = new QLabel(caption, m_bar);
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignCenter);
    label->setFixedSize(size);
    label->setMouseTracking(true);
    label->setStyleSheet(QStringLiteral("QLabel { background: #1a3f80; color: white; font-weight: bold; }"
                                        "QLabel:disabled { background: #7d8fb0; color: #c8d0e0; }"));
    label->installEventFilter(this);
    m_labels << label;
    return label;
}

void LabelButtons::hideShape()
{
    m_shape->hide();
}

void LabelButtons::frame(int index)
{
    QLabel* button = m_labels[index];
    const QRect around = button->geometry().adjusted(-m_margin, -m_margin, m_margin, m_margin);
    if (m_shape->geometry().left() != around.left() || m_shape->isHidden()) {
        m_shape->setGeometry(around);
        m_shape->show();
        m_shape->lower();
        button->setCursor(Qt::ArrowCursor);
        QCoreApplication::processEvents();
    }
}

void LabelButtons::setColour(const QColor& colour)
{
    m_shape->setStyleSheet(QStringLiteral("QFrame#Shape1 { border: %1px solid %2; background: transparent; }")
                               .arg(m_margin)
                               .arg(colour.name()));
}

bool LabelButtons::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_bar) {
        if (event->type() == QEvent::MouseMove)
            hideShape();
        return false;
    }
    // Compared as objects: a watched widget need not be one of the labels.
    int index = -1;
    for (int i = 0; i < m_labels.size() && index < 0; ++i)
        if (static_cast<QObject*>(m_labels[i]) == watched)
            index = i;
    if (index < 0)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove:
        // Consumed here: passed on, the move would reach the bar, which hides the frame.
        frame(index);
        return true;
    case QEvent::Enter:
        frame(index);
        break;
    case QEvent::MouseButtonPress:
        setColour(QColor(0, 255, 0));
        return true;
    case QEvent::MouseButtonRelease: {
        setColour(QColor(255, 255, 0));
        QLabel* label = m_labels[index];
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && label->isEnabled()
            && label->rect().contains(mouse->position().toPoint()))
            emit clicked(index);
        return true;
    }
    default:
        break;
    }
    return false;
}
