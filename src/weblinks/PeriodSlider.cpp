#include "weblinks/PeriodSlider.h"

#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QToolTip>

PeriodSlider::PeriodSlider(const QStringList& captions, QWidget* parent) : QWidget(parent)
{
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("Slider1"));
    m_slider->setRange(0, int(captions.size()) - 1);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setPageStep(1);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_slider, 0, 0, 1, int(captions.size()));
    for (int i = 0; i < captions.size(); ++i) {
        auto* label = new QLabel(captions[i], this);
        label->setObjectName(QStringLiteral("lblTime_%1").arg(i));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setWordWrap(true);
        m_labels.push_back(label);
        grid->addWidget(label, 1, i);
    }
}

void PeriodSlider::showTip(const QString& tip)
{
    m_slider->setToolTip(tip);
    if (m_slider->isVisible())
        QToolTip::showText(m_slider->mapToGlobal(QPoint(0, -m_slider->height())), tip, m_slider);
}
