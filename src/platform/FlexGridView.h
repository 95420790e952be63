#pragma once

#include "platform/FlexGrid.h"

#include <QCursor>
#include <QEvent>
#include <QPointer>
#include <QTableView>

class FlexGridDelegate;
class QMouseEvent;
class QPainter;

// Shows a FlexGrid the way the views expect the grid control to look: fixed
// rows and columns frozen at the top and left in button grey, row heights and
// column widths in twips (15 to the pixel, 0 hides), alignments, BGR colours,
// bold and underlined cells, the cell pictures "UP", "DN", "LOW" and "HIGH",
// and grid lines on or off. The grid's TextFont follows the view's font, so the
// views can size columns to their texts (FlexGrid::FitColsToText).
//
// The control's events come out as signals of the same names. Before a mouse
// signal the grid's MouseRow/MouseCol are set to the cell under the pointer; a
// press also makes that cell current (Row = RowSel, Col = ColSel), a move with
// the left button held stretches RowSel/ColSel. X and Y are twips from the
// control's top-left corner; Button and Shift use the classic masks.
class FlexGridView : public QTableView
{
    Q_OBJECT

public:
    explicit FlexGridView(QWidget* parent = nullptr);
    ~FlexGridView() override;

    void setGrid(FlexGrid* grid);
    FlexGrid* grid() const { return m_grid; }

    // The picture used while MousePointer is 99 (the grid's own icon).
    void setMouseIcon(const QCursor& cursor);

    // Cell under a point given in twips from the control's corner; -1 outside.
    int rowAtTwips(double y) const;
    int colAtTwips(double x) const;

    // Pixel sizes currently applied (for tests and the window's layout code).
    int columnPixelWidth(int col) const { return columnWidth(col); }
    int rowPixelHeight(int row) const { return rowHeight(row); }

    // Where a cell's text goes: its display text (FlexGrid::displayText) split at
    // LF, one line per entry. A text without a line break is one line over the
    // whole cell at the cell's alignment. Lines of a longer text are lineHeight
    // apart, the block placed by the vertical alignment and starting at the cell's
    // top when it is taller than the cell, so its beginning shows; each line keeps
    // the horizontal alignment. The row's height stays what the view set.
    struct CellLine {
        QRect rect;
        QString text;
        Qt::Alignment alignment;
    };
    static QList<CellLine> layoutCellText(const QString& displayText, const QRect& content, Qt::Alignment alignment,
                                          int lineHeight);

    // The small arrows and markers drawn for the cell pictures.
    static void paintPicture(QPainter* painter, const QRect& rect, const QString& name, int alignment);

signals:
    void Click();
    void DblClick();
    void KeyDown(int KeyCode, int Shift);
    void MouseDown(int Button, int Shift, double X, double Y);
    void MouseMove(int Button, int Shift, double X, double Y);
    void MouseUp(int Button, int Shift, double X, double Y);
    // During a manual drag (FlexGrid::Drag(1)): State 2 = over the control.
    void DragOver(QWidget* Source, double X, double Y, int State);
    void DragDrop(QWidget* Source, double X, double Y);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;   // a new font goes to the grid's TextFont

private:
    void applyAllSizes();
    // Rows firstRow..lastRow and columns firstCol..lastCol take the grid's sizes
    // in one pass (an empty range is skipped).
    void applySizes(int firstRow, int lastRow, int firstCol, int lastCol);
    void applyRowHeight(int row);
    void applyColWidth(int col);
    void applyAppearance();
    void applyTopRow();
    void applyLeftCol();
    void applyUpdatesEnabled();
    void applyCursor();
    void layoutFrozen();
    int fixedBandHeight() const;
    int fixedBandWidth() const;
    // Position in the main viewport's coordinates -> row / column (-1 outside).
    int rowAtViewport(int y) const;
    int colAtViewport(int x) const;
    void handleMouse(QEvent::Type type, QMouseEvent* event, const QPoint& viewportPos);
    void moveCurrent(int row, int col, bool extend);
    void ensureVisible(int row, int col);
    void repaintAll();
    QList<QTableView*> allViews() const { return {const_cast<FlexGridView*>(this), m_top, m_left, m_corner}; }
    void updateMouseCell(const QPoint& viewportPos);

    QPointer<FlexGrid> m_grid;
    FlexGridDelegate* m_delegate;
    QTableView* m_top;     // fixed rows
    QTableView* m_left;    // fixed columns
    QTableView* m_corner;  // both
    QCursor m_mouseIcon;
    bool m_syncing = false;
    bool m_pressed = false;
    bool m_dblClicked = false;
    QList<QMetaObject::Connection> m_connections;
};
