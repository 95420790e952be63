#pragma once

#include <QStringList>
#include <QWidget>

#include <vector>

class QLabel;
class QSlider;

// The period slider of the chart and technical-graph windows: one position per
// caption, the captions in a row under it, and the chosen period's text tip.
class PeriodSlider : public QWidget
{
    Q_OBJECT
public:
    PeriodSlider(const QStringList& captions, QWidget* parent);

    QSlider* slider() const { return m_slider; }
    const std::vector<QLabel*>& labels() const { return m_labels; }
    // The tip of the position: kept as the slider's tool tip and, while the window
    // is shown, shown above the slider.
    void showTip(const QString& tip);

private:
    QSlider* m_slider = nullptr;
    std::vector<QLabel*> m_labels;
};
