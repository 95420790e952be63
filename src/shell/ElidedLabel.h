#pragma once

#include <QLabel>

// A one-line label that shows its text whole when it fits and otherwise cut with
// "…" at the right, with the whole text as its tool tip; text() stays the whole
// text. Without a cut the label's own tool tip shows.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(const QString& text, QWidget* parent = nullptr);

    // The text does not fit the label's width.
    bool elided() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};
