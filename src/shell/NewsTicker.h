#pragma once

#include <QStringList>
#include <QTimer>
#include <QVector>
#include <QWidget>

// The news ticker: one line of text scrolled from right to left across a black
// band. Its caption is a sequence of items, each ended by ";" (a last part without
// ";" is an item too), numbered from 1 in caption order; a click on an item reports
// its number. The item under the pointer is drawn blue, the pressed one red.
class NewsTicker : public QWidget
{
    Q_OBJECT

public:
    explicit NewsTicker(QWidget* parent = nullptr);

    // Replaces the scrolled text; the new text enters from the right edge.
    void setCaption(const QString& text);
    QString caption() const { return m_caption; }
    const QStringList& items() const { return m_items; }

    // The item (from 1) drawn at x of the band now; 0 over a gap or past the text.
    int itemAt(int x) const;
    // Where item `number` (from 1) starts on the band now, in pixels.
    int itemLeft(int number) const;
    // One scroll step (the timer's tick): the text moves one pixel to the left and
    // comes in from the right again once it has gone.
    void scrollStep();
    bool scrolling() const { return m_timer.isActive(); }

signals:
    // A click on an item: its number, its text and (unused) the text after it.
    void ItemClick(int index, const QString& text, const QString& next);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutItems();
    void updateTimer();

    QString m_caption;
    QStringList m_items;
    QVector<int> m_starts;  // each item's start from the text's start, in pixels
    QVector<int> m_widths;
    int m_textWidth = 0;
    int m_offset = 0;       // the text's start on the band
    int m_hover = 0;
    int m_pressed = 0;
    QTimer m_timer;
};
