#include "platform/FlexGridView.h"

#include "platform/FlexGrid.h"
#include "platform/InputCodes.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

int px(int twips)
{
    return input::toPixels(std::max(0, twips));
}

QColor colourOr(int bgr, const QColor& fallback)
{
    const QVariant v = FlexGrid::toQColor(bgr);
    return v.isValid() ? v.value<QColor>() : fallback;
}

// Rectangle of a w x h picture inside `cell` at an alignment code.
QRect alignedRect(const QRect& cell, int w, int h, int code)
{
    if (code == FlexGrid::flexAlignGeneral)
        code = FlexGrid::flexAlignLeftCenter;
    int x = cell.left() + 1;
    if (code / 3 == 1)
        x = cell.left() + (cell.width() - w) / 2;
    else if (code / 3 == 2)
        x = cell.right() - w;
    int y = cell.top() + 1;
    if (code % 3 == 1)
        y = cell.top() + (cell.height() - h) / 2;
    else if (code % 3 == 2)
        y = cell.bottom() - h;
    return QRect(x, y, w, h);
}

} // namespace

// Draws every cell itself: the look depends on the grid's own state (fixed
// cells, the selected range, grid lines) as much as on the cell's data.
class FlexGridDelegate : public QStyledItemDelegate
{
public:
    explicit FlexGridDelegate(FlexGridView* view) : QStyledItemDelegate(view), m_view(view) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        FlexGrid* g = m_view->grid();
        if (!g || index.row() >= g->Rows() || index.column() >= g->Cols())
            return;
        const int row = index.row(), col = index.column();
        const FlexGrid::CellFormat fmt = g->cellFormat(row, col);
        const bool fixed = row < g->FixedRows() || col < g->FixedCols();
        const QPalette pal = QGuiApplication::palette();
        const QRect r = option.rect;

        QColor bg = fixed ? pal.color(QPalette::Button) : colourOr(g->BackColor(), pal.color(QPalette::Base));
        QColor fg = fixed ? pal.color(QPalette::ButtonText) : pal.color(QPalette::Text);
        bg = colourOr(fmt.backColor, bg);
        fg = colourOr(fmt.foreColor, fg);

        // The selected range shows highlighted, except the current cell itself.
        const int r0 = std::min(g->Row(), g->RowSel()), r1 = std::max(g->Row(), g->RowSel());
        const int c0 = std::min(g->Col(), g->ColSel()), c1 = std::max(g->Col(), g->ColSel());
        const bool current = row == g->Row() && col == g->Col();
        if (!fixed && !current && row >= r0 && row <= r1 && col >= c0 && col <= c1) {
            bg = pal.color(QPalette::Highlight);
            fg = pal.color(QPalette::HighlightedText);
        }

        p->save();
        p->setClipRect(r);
        p->fillRect(r, bg);

        QRect content = r.adjusted(FlexGrid::CellTextMargin, 0, -FlexGrid::CellTextMargin, 0);
        if (!fmt.picture.isEmpty()) {
            const int side = std::min({16, r.height() - 2, r.width() - 2});
            if (side > 2) {
                const QRect pic = alignedRect(r, side, side, fmt.pictureAlignment);
                FlexGridView::paintPicture(p, pic, fmt.picture, fmt.pictureAlignment);
            }
        }

        const QString text = index.data(Qt::DisplayRole).toString();
        if (!text.isEmpty()) {
            const CellFont& cellFont = fontFor(option.font, fmt.bold, fmt.underline);
            p->setFont(cellFont.font);
            const auto align = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
            const int lineSpacing = cellFont.lineSpacing;
            const auto lines = FlexGridView::layoutCellText(text, content, align, lineSpacing);
            // The cell clips its text: a line that lies wholly beyond it (by more than
            // any glyph reaches out of its line) leaves no pixel, so of a cell of
            // thousands of lines only those near it are laid out and drawn.
            const int reach = 2 * lineSpacing + 2;
            const int top = r.top() - reach, bottom = r.bottom() + reach;
            auto draw = [&](int dx, int dy) {
                for (const FlexGridView::CellLine& line : lines) {
                    const QRect at = line.rect.translated(dx, dy);
                    if (at.bottom() >= top && at.top() <= bottom)
                        p->drawText(at, int(line.alignment) | Qt::TextSingleLine, line.text);
                }
            };
            if (fmt.textStyle == FlexGrid::flexTextRaisedLight || fmt.textStyle == FlexGrid::flexTextRaised) {
                p->setPen(pal.color(QPalette::Light));
                draw(1, 1);
            } else if (fmt.textStyle == FlexGrid::flexTextInsetLight || fmt.textStyle == FlexGrid::flexTextInset) {
                p->setPen(pal.color(QPalette::Light));
                draw(-1, -1);
            }
            p->setPen(fg);
            draw(0, 0);
        }

        // Borders a pixel wide, filled as one-pixel rectangles: the same pixels as
        // lines of a plain pen, without the line drawer's set-up for each.
        const auto top = [&](const QColor& c) { p->fillRect(QRect(r.left(), r.top(), r.width(), 1), c); };
        const auto left = [&](const QColor& c) { p->fillRect(QRect(r.left(), r.top(), 1, r.height()), c); };
        const auto right = [&](const QColor& c) { p->fillRect(QRect(r.right(), r.top(), 1, r.height()), c); };
        const auto bottom = [&](const QColor& c) { p->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), c); };
        if (fixed) {
            // Raised border of the header cells.
            const QColor light = pal.color(QPalette::Light), dark = pal.color(QPalette::Dark);
            top(light);
            left(light);
            right(dark);
            bottom(dark);
        } else if (g->GridLines() != 0) {
            const QColor line(0xC0, 0xC0, 0xC0);
            right(line);
            bottom(line);
        }
        if (current && !fixed && m_view->hasFocus()) {
            QPen pen(fg);
            pen.setStyle(Qt::DotLine);
            p->setPen(pen);
            p->drawRect(r.adjusted(0, 0, -1, -1));
        }
        p->restore();
    }

private:
    // The view's font in its four cuts (bold, underlined) with their line spacing,
    // made once for a font rather than for every cell painted.
    struct CellFont
    {
        QFont font;
        int lineSpacing = 0;
    };
    const CellFont& fontFor(const QFont& base, bool bold, bool underline) const
    {
        if (!m_fontsMade || !(base == m_baseFont)) {
            m_baseFont = base;
            for (int i = 0; i < 4; ++i) {
                QFont f = base;
                f.setBold(i & 1);
                f.setUnderline(i & 2);
                m_fonts[i] = {f, QFontMetrics(f).lineSpacing()};
            }
            m_fontsMade = true;
        }
        return m_fonts[(bold ? 1 : 0) | (underline ? 2 : 0)];
    }

    FlexGridView* m_view;
    mutable bool m_fontsMade = false;
    mutable QFont m_baseFont;
    mutable CellFont m_fonts[4];
};

QList<FlexGridView::CellLine> FlexGridView::layoutCellText(const QString& displayText, const QRect& content,
                                                           Qt::Alignment alignment, int lineHeight)
{
    if (!displayText.contains(QLatin1Char('\n')))
        return {{content, displayText, alignment}};
    const QStringList texts = displayText.split(QLatin1Char('\n'));
    lineHeight = std::max(1, lineHeight);
    const int block = int(texts.size()) * lineHeight;
    int top = content.top();
    if (block < content.height()) {
        if (alignment & Qt::AlignBottom)
            top = content.top() + content.height() - block;
        else if (alignment & Qt::AlignVCenter)
            top = content.top() + (content.height() - block) / 2;
    }
    const Qt::Alignment horizontal = (alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
    QList<CellLine> lines;
    lines.reserve(texts.size());
    for (const QString& t : texts) {
        lines.push_back({QRect(content.left(), top, content.width(), lineHeight), t, horizontal});
        top += lineHeight;
    }
    return lines;
}

void FlexGridView::paintPicture(QPainter* p, const QRect& rect, const QString& name, int /*alignment*/)
{
    const QRectF r = QRectF(rect).adjusted(1, 1, -1, -1);
    p->save();
    p->setRenderHint(QPainter::Antialiasing, true);
    p->setPen(Qt::NoPen);
    const QColor green(0, 160, 0), red(200, 0, 0);
    auto triangle = [&](bool up, const QRectF& box, const QColor& c) {
        QPainterPath path;
        if (up) {
            path.moveTo(box.center().x(), box.top());
            path.lineTo(box.right(), box.bottom());
            path.lineTo(box.left(), box.bottom());
        } else {
            path.moveTo(box.left(), box.top());
            path.lineTo(box.right(), box.top());
            path.lineTo(box.center().x(), box.bottom());
        }
        path.closeSubpath();
        p->fillPath(path, c);
    };
    const QString n = name.toUpper();
    if (n == FlexGrid::PictureUp) {
        triangle(true, r.adjusted(r.width() * 0.15, r.height() * 0.2, -r.width() * 0.15, -r.height() * 0.2), green);
    } else if (n == FlexGrid::PictureDown) {
        triangle(false, r.adjusted(r.width() * 0.15, r.height() * 0.2, -r.width() * 0.15, -r.height() * 0.2), red);
    } else if (n == FlexGrid::PictureHigh) {
        // A ceiling bar with a rising arrow under it: the day's or the year's high.
        p->fillRect(QRectF(r.left(), r.top(), r.width(), std::max(2.0, r.height() * 0.15)), green);
        triangle(true, r.adjusted(r.width() * 0.2, r.height() * 0.3, -r.width() * 0.2, 0), green);
    } else if (n == FlexGrid::PictureLow) {
        // The mirror image: a floor bar under a falling arrow.
        const double bar = std::max(2.0, r.height() * 0.15);
        p->fillRect(QRectF(r.left(), r.bottom() - bar, r.width(), bar), red);
        triangle(false, r.adjusted(r.width() * 0.2, 0, -r.width() * 0.2, -r.height() * 0.3), red);
    }
    p->restore();
}

// ---- FlexGridView -------------------------------------------------------------

static void configure(QTableView* v)
{
    v->horizontalHeader()->hide();
    v->verticalHeader()->hide();
    for (QHeaderView* h : {v->horizontalHeader(), v->verticalHeader()}) {
        h->setMinimumSectionSize(0);
        h->setSectionResizeMode(QHeaderView::Fixed);
    }
    v->horizontalHeader()->setDefaultSectionSize(input::toPixels(FlexGrid::DefaultColWidth));
    v->verticalHeader()->setDefaultSectionSize(input::toPixels(FlexGrid::DefaultRowHeight));
    v->setSelectionMode(QAbstractItemView::NoSelection);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setShowGrid(false);
    v->setWordWrap(false);
    v->setCornerButtonEnabled(false);
    v->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    v->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    v->setMouseTracking(true);
    v->viewport()->setMouseTracking(true);
    v->setAutoScroll(false);
    // The grey of the area beyond the last cell.
    QPalette pal = v->viewport()->palette();
    pal.setColor(QPalette::Base, QColor(0x80, 0x80, 0x80));
    v->viewport()->setPalette(pal);
}

FlexGridView::FlexGridView(QWidget* parent)
    : QTableView(parent)
    , m_delegate(new FlexGridDelegate(this))
    , m_top(new QTableView(this))
    , m_left(new QTableView(this))
    , m_corner(new QTableView(this))
    , m_mouseIcon(Qt::PointingHandCursor)
{
    configure(this);
    setItemDelegate(m_delegate);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->installEventFilter(this);
    for (QTableView* v : {m_top, m_left, m_corner}) {
        configure(v);
        v->setItemDelegate(m_delegate);
        v->setFocusPolicy(Qt::NoFocus);
        v->setFrameShape(QFrame::NoFrame);
        v->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        v->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        v->viewport()->installEventFilter(this);
        v->hide();
    }
    viewport()->stackUnder(m_left);
    m_left->stackUnder(m_top);
    m_top->stackUnder(m_corner);
    // The frozen bands follow the body's scrolling along their free axis.
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, m_top->horizontalScrollBar(), &QScrollBar::setValue);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, m_left->verticalScrollBar(), &QScrollBar::setValue);
}

FlexGridView::~FlexGridView() = default;

void FlexGridView::setGrid(FlexGrid* grid)
{
    for (const auto& c : m_connections)
        disconnect(c);
    m_connections.clear();
    m_grid = grid;
    for (QTableView* v : allViews())
        v->setModel(grid);
    if (!grid)
        return;
    // The views size their columns to their texts in the font they are drawn in.
    grid->setTextFont(font());
    auto on = [&](auto signal, auto slot) { m_connections << connect(grid, signal, this, slot); };
    on(&FlexGrid::rowHeightChanged, [this](int r) { applyRowHeight(r); layoutFrozen(); });
    on(&FlexGrid::colWidthChanged, [this](int c) { applyColWidth(c); layoutFrozen(); });
    on(&FlexGrid::sizesReset, [this] { applyAllSizes(); });
    on(&FlexGrid::appearanceChanged, [this] { repaintAll(); });
    on(&FlexGrid::currentCellChanged, [this] { repaintAll(); });
    on(&FlexGrid::topRowChanged, [this](int) { applyTopRow(); });
    on(&FlexGrid::leftColChanged, [this](int) { applyLeftCol(); });
    on(&FlexGrid::widthChanged, [this](int twips) {
        if (!m_syncing && std::abs(width() * FlexGrid::TwipsPerPixel - twips) >= FlexGrid::TwipsPerPixel)
            resize(px(twips), height());
    });
    on(&FlexGrid::redrawChanged, [this](bool) { applyUpdatesEnabled(); });
    on(&FlexGrid::updatesLockedChanged, [this](bool) { applyUpdatesEnabled(); });
    on(&FlexGrid::mousePointerChanged, [this](int) { applyCursor(); });
    on(&FlexGrid::dragStarted, [this] { applyCursor(); });
    on(&FlexGrid::dragEnded, [this] { applyCursor(); });
    on(&QAbstractItemModel::rowsInserted,
       [this](const QModelIndex&, int first, int last) { applySizes(first, last, 0, -1); });
    on(&QAbstractItemModel::columnsInserted, [this](const QModelIndex&, int first, int last) {
        applySizes(0, -1, first, last);
        layoutFrozen();
    });
    applyAllSizes();
    applyUpdatesEnabled();
    applyCursor();
    m_syncing = true;
    grid->setWidth(width() * FlexGrid::TwipsPerPixel);
    m_syncing = false;
}

void FlexGridView::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange && m_grid)
        m_grid->setTextFont(font());
}

void FlexGridView::setMouseIcon(const QCursor& cursor)
{
    m_mouseIcon = cursor;
    applyCursor();
}

void FlexGridView::applyRowHeight(int row)
{
    if (!m_grid || row < 0 || row >= m_grid->Rows())
        return;
    const int h = px(m_grid->RowHeight(row));
    for (QTableView* v : allViews())
        if (v->verticalHeader()->sectionSize(row) != h)
            v->verticalHeader()->resizeSection(row, h);
}

void FlexGridView::applyColWidth(int col)
{
    if (!m_grid || col < 0 || col >= m_grid->Cols())
        return;
    const int w = px(m_grid->ColWidth(col));
    for (QTableView* v : allViews())
        if (v->horizontalHeader()->sectionSize(col) != w)
            v->horizontalHeader()->resizeSection(col, w);
}

void FlexGridView::applySizes(int firstRow, int lastRow, int firstCol, int lastCol)
{
    if (!m_grid)
        return;
    // The headers only keep the sizes; they are never shown. While a header's
    // updates are on, each resized section repaints it from that section to its
    // end, which walks every section again: a whole grid's heights would cost the
    // square of its rows. With them off a resize only records the size, and each
    // view lays itself out once for the lot (its resize timer).
    QList<QHeaderView*> quieted;
    for (QTableView* v : allViews())
        for (QHeaderView* h : {v->verticalHeader(), v->horizontalHeader()})
            if (h->updatesEnabled()) {
                h->setUpdatesEnabled(false);
                quieted << h;
            }
    for (int r = std::max(0, firstRow); r <= lastRow; ++r)
        applyRowHeight(r);
    for (int c = std::max(0, firstCol); c <= lastCol; ++c)
        applyColWidth(c);
    for (QHeaderView* h : quieted)
        h->setUpdatesEnabled(true);
}

void FlexGridView::applyAllSizes()
{
    if (!m_grid)
        return;
    applySizes(0, m_grid->Rows() - 1, 0, m_grid->Cols() - 1);
    layoutFrozen();
    applyTopRow();
    applyLeftCol();
    repaintAll();
}

void FlexGridView::repaintAll()
{
    for (QTableView* v : allViews())
        v->viewport()->update();
}

void FlexGridView::applyUpdatesEnabled()
{
    if (m_grid)
        setUpdatesEnabled(m_grid->Redraw() && !m_grid->isUpdatesLocked());
}

void FlexGridView::applyCursor()
{
    QCursor cursor(Qt::ArrowCursor);
    if (m_grid && m_grid->dragging())
        cursor = QCursor(Qt::DragMoveCursor);
    else if (m_grid && m_grid->MousePointer() == 99)
        cursor = m_mouseIcon;
    for (QTableView* v : allViews())
        v->viewport()->setCursor(cursor);
}

int FlexGridView::fixedBandHeight() const
{
    if (!m_grid)
        return 0;
    int h = 0;
    for (int r = 0; r < m_grid->FixedRows() && r < m_grid->Rows(); ++r)
        h += rowHeight(r);
    return h;
}

int FlexGridView::fixedBandWidth() const
{
    if (!m_grid)
        return 0;
    int w = 0;
    for (int c = 0; c < m_grid->FixedCols() && c < m_grid->Cols(); ++c)
        w += columnWidth(c);
    return w;
}

void FlexGridView::layoutFrozen()
{
    const QRect vp = viewport()->geometry();
    const int fh = std::min(fixedBandHeight(), vp.height());
    const int fw = std::min(fixedBandWidth(), vp.width());
    m_top->setGeometry(vp.x(), vp.y(), vp.width(), fh);
    m_left->setGeometry(vp.x(), vp.y(), fw, vp.height());
    m_corner->setGeometry(vp.x(), vp.y(), fw, fh);
    m_top->setVisible(m_grid && fh > 0);
    m_left->setVisible(m_grid && fw > 0);
    m_corner->setVisible(m_grid && fh > 0 && fw > 0);
    m_top->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
    m_left->verticalScrollBar()->setValue(verticalScrollBar()->value());
    m_top->verticalScrollBar()->setValue(0);
    m_left->horizontalScrollBar()->setValue(0);
}

void FlexGridView::updateGeometries()
{
    QTableView::updateGeometries();
    layoutFrozen();
}

void FlexGridView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    layoutFrozen();
    if (m_grid) {
        m_syncing = true;
        m_grid->setWidth(width() * FlexGrid::TwipsPerPixel);
        m_grid->setHeight(height() * FlexGrid::TwipsPerPixel);
        m_syncing = false;
    }
}

// Scrolls so that TopRow is the first row under the fixed band.
void FlexGridView::applyTopRow()
{
    if (!m_grid || m_syncing)
        return;
    const int row = m_grid->TopRow();
    if (row < 0 || row >= m_grid->Rows())
        return;
    int y = 0;
    for (int r = 0; r < row; ++r)
        y += rowHeight(r);
    m_syncing = true;
    verticalScrollBar()->setValue(std::max(0, y - fixedBandHeight()));
    m_syncing = false;
}

void FlexGridView::applyLeftCol()
{
    if (!m_grid || m_syncing)
        return;
    const int col = m_grid->LeftCol();
    if (col < 0 || col >= m_grid->Cols())
        return;
    int x = 0;
    for (int c = 0; c < col; ++c)
        x += columnWidth(c);
    m_syncing = true;
    horizontalScrollBar()->setValue(std::max(0, x - fixedBandWidth()));
    m_syncing = false;
}

void FlexGridView::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    if (!m_grid || m_syncing)
        return;
    // Tell the grid which rows the user scrolled to.
    const int row = rowAt(fixedBandHeight());
    const int col = columnAt(fixedBandWidth());
    m_syncing = true;
    try {
        if (row >= 0 && row != m_grid->TopRow())
            m_grid->setTopRow(row);
        if (col >= 0 && col != m_grid->LeftCol())
            m_grid->setLeftCol(col);
    } catch (const RuntimeError&) {
        // The grid shrank under the scroll: its top row stays where the grid put it.
    }
    m_syncing = false;
}

int FlexGridView::rowAtViewport(int y) const
{
    if (y < 0)
        return -1;
    return y < fixedBandHeight() ? m_top->rowAt(y) : rowAt(y);
}

int FlexGridView::colAtViewport(int x) const
{
    if (x < 0)
        return -1;
    return x < fixedBandWidth() ? m_left->columnAt(x) : columnAt(x);
}

int FlexGridView::rowAtTwips(double y) const
{
    return rowAtViewport(int(y / FlexGrid::TwipsPerPixel));
}

int FlexGridView::colAtTwips(double x) const
{
    return colAtViewport(int(x / FlexGrid::TwipsPerPixel));
}

void FlexGridView::updateMouseCell(const QPoint& pos)
{
    if (!m_grid)
        return;
    m_grid->setMouseRow(rowAtViewport(pos.y()));
    m_grid->setMouseCol(colAtViewport(pos.x()));
}

bool FlexGridView::eventFilter(QObject* watched, QEvent* event)
{
    QWidget* w = qobject_cast<QWidget*>(watched);
    const bool ours = w && (w == viewport() || w == m_top->viewport() || w == m_left->viewport()
                            || w == m_corner->viewport());
    if (!ours)
        return QTableView::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(event);
        QPoint pos = me->position().toPoint();
        if (w != viewport())
            pos = viewport()->mapFromGlobal(w->mapToGlobal(pos));
        handleMouse(event->type(), me, pos);
        return true;
    }
    case QEvent::Wheel:
        if (w != viewport()) {
            QCoreApplication::sendEvent(viewport(), event);
            return true;
        }
        return false;
    default:
        return false;
    }
}

void FlexGridView::handleMouse(QEvent::Type type, QMouseEvent* event, const QPoint& pos)
{
    if (!m_grid)
        return;
    updateMouseCell(pos);
    const double x = input::toTwips(pos.x());
    const double y = input::toTwips(pos.y());
    const int shift = input::shiftState(event->modifiers());
    const int row = m_grid->MouseRow();
    const int col = m_grid->MouseCol();

    switch (type) {
    case QEvent::MouseButtonPress:
        setFocus(Qt::MouseFocusReason);
        m_pressed = true;
        m_dblClicked = false;
        // A left press makes the cell under the pointer current (the row of the
        // click is what the click handler reads); a right press leaves it alone.
        if (event->button() == Qt::LeftButton && row >= 0 && col >= 0)
            moveCurrent(row, col, event->modifiers() & Qt::ShiftModifier);
        emit MouseDown(input::buttonState(event->button()), shift, x, y);
        break;
    case QEvent::MouseButtonDblClick:
        m_pressed = true;
        m_dblClicked = true;
        emit DblClick();
        break;
    case QEvent::MouseMove:
        if (m_grid->dragging()) {
            emit DragOver(this, x, y, 2);
            break;
        }
        if (m_pressed && (event->buttons() & Qt::LeftButton) && row >= 0 && col >= 0
            && (row != m_grid->RowSel() || col != m_grid->ColSel())) {
            m_grid->setRowSel(row);
            m_grid->setColSel(col);
        }
        emit MouseMove(input::buttonState(event->buttons()), shift, x, y);
        break;
    case QEvent::MouseButtonRelease: {
        const bool wasPressed = m_pressed;
        m_pressed = false;
        if (m_grid->dragging()) {
            m_grid->endDrag();
            emit DragDrop(this, x, y);
        }
        emit MouseUp(input::buttonState(event->button()), shift, x, y);
        if (wasPressed && !m_dblClicked && event->button() == Qt::LeftButton)
            emit Click();
        m_dblClicked = false;
        break;
    }
    default:
        break;
    }
}

void FlexGridView::moveCurrent(int row, int col, bool extend)
{
    if (!m_grid)
        return;
    try {
        if (extend) {
            m_grid->setRowSel(row);
            m_grid->setColSel(col);
        } else {
            m_grid->setRow(row);
            m_grid->setCol(col);
        }
    } catch (const RuntimeError&) {
        // A cell the grid no longer has (it was filled anew meanwhile) is not selected.
    }
}

void FlexGridView::ensureVisible(int row, int col)
{
    if (!m_grid)
        return;
    try {
        if (row >= m_grid->FixedRows()) {
            if (row < m_grid->TopRow()) {
                m_grid->setTopRow(row);
            } else {
                const int bottom = rowViewportPosition(row) + rowHeight(row);
                if (bottom > viewport()->height())
                    verticalScrollBar()->setValue(verticalScrollBar()->value() + bottom - viewport()->height());
            }
        }
        if (col >= m_grid->FixedCols()) {
            if (col < m_grid->LeftCol()) {
                m_grid->setLeftCol(col);
            } else {
                const int right = columnViewportPosition(col) + columnWidth(col);
                if (right > viewport()->width())
                    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + right - viewport()->width());
            }
        }
    } catch (const RuntimeError&) {
        // A cell the grid no longer has is not scrolled to.
    }
}

void FlexGridView::keyPressEvent(QKeyEvent* event)
{
    emit KeyDown(input::keyCode(event->key()), input::shiftState(event->modifiers()));
    if (!m_grid)
        return;
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    int row = extend ? m_grid->RowSel() : m_grid->Row();
    int col = extend ? m_grid->ColSel() : m_grid->Col();
    const int firstRow = std::min(m_grid->FixedRows(), m_grid->Rows() - 1);
    const int firstCol = std::min(m_grid->FixedCols(), m_grid->Cols() - 1);
    const int page = std::max(1, viewport()->height() / std::max(1, rowHeight(std::max(0, row))) - 1);
    switch (event->key()) {
    case Qt::Key_Up: row = std::max(firstRow, row - 1); break;
    case Qt::Key_Down: row = std::min(m_grid->Rows() - 1, row + 1); break;
    case Qt::Key_Left: col = std::max(firstCol, col - 1); break;
    case Qt::Key_Right: col = std::min(m_grid->Cols() - 1, col + 1); break;
    case Qt::Key_PageUp: row = std::max(firstRow, row - page); break;
    case Qt::Key_PageDown: row = std::min(m_grid->Rows() - 1, row + page); break;
    case Qt::Key_Home: col = firstCol; break;
    case Qt::Key_End: col = m_grid->Cols() - 1; break;
    default: return;
    }
    moveCurrent(row, col, extend);
    ensureVisible(row, col);
}

void FlexGridView::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    repaintAll();
}

void FlexGridView::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    repaintAll();
}
