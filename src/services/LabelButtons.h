#pragma once

#include <QObject>
#include <QVector>

class QColor;
class QFrame;
class QLabel;
class QWidget;

// Labels used as buttons on a bar, with a frame (the window's Shape1) around the one
// under the pointer: the frame moves to a button when the pointer comes over it,
// turns green while a mouse button is held on it and yellow again on release; a left
// click released over an enabled label gives clicked(index). Moves over the bar
// itself hide the frame. Errors in the highlighting are of no consequence and raise
// nothing.
class LabelButtons : public QObject
{
    Q_OBJECT
public:
    // Makes the frame on bar; margin is how far it reaches around a button (pixels).
    LabelButtons(QWidget* bar, int margin, QObject* parent);

    QFrame* shape() const { return m_shape; }
    // A label on the bar as the next button (index 0, 1, ...), styled as one.
    QLabel* add(const QString& caption, const QString& objectName, const QSize& size);
    void hideShape();

signals:
    void clicked(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void frame(int index);
    void setColour(const QColor& colour);

    QWidget* m_bar;
    QFrame* m_shape;
    int m_margin;
    QVector<QLabel*> m_labels;
};
