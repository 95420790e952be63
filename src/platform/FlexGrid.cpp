#include "platform/FlexGrid.h"

#include "platform/Runtime.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <optional>
#include <utility>

static_assert(flexgrid::RowInfo().height == FlexGrid::DefaultRowHeight);

size_t qHash(const FlexGrid::CellFormat& f, size_t seed) noexcept
{
    return qHashMulti(seed, f.alignment, f.backColor, f.foreColor, f.bold, f.underline, f.fontWidth, f.textStyle,
                      f.picture, f.pictureAlignment);
}

FlexGrid::FlexGrid(QObject* parent)
    : QAbstractTableModel(parent)
{
    m_rowInfo.resize(2);
    m_cells.resize(at(2, 0));
    m_formats.append(CellFormat());
    m_formatIds.insert(CellFormat(), 0);
    m_colWidths.fill(DefaultColWidth, m_cols);
    m_colAlignments.fill(flexAlignGeneral, m_cols);
}

FlexGrid::~FlexGrid() = default;

void FlexGrid::checkRow(int row) const
{
    if (row < 0 || row >= m_rowInfo.size())
        throw GridRangeError();
}

void FlexGrid::checkCol(int col) const
{
    if (col < 0 || col >= m_cols)
        throw GridRangeError();
}

// Keeps the current cell, the selection end and the scroll position inside
// the grid after it shrank.
void FlexGrid::clampCursor()
{
    const int lastRow = std::max(0, Rows() - 1);
    const int lastCol = std::max(0, m_cols - 1);
    m_row = std::clamp(m_row, 0, lastRow);
    m_rowSel = std::clamp(m_rowSel, 0, lastRow);
    m_col = std::clamp(m_col, 0, lastCol);
    m_colSel = std::clamp(m_colSel, 0, lastCol);
    m_topRow = std::clamp(m_topRow, std::min(m_fixedRows, lastRow), lastRow);
    m_leftCol = std::clamp(m_leftCol, std::min(m_fixedCols, lastCol), lastCol);
}

// ---- size ------------------------------------------------------------------

void FlexGrid::setRows(int rows)
{
    if (rows < m_fixedRows || rows > MaxRows)
        throw GridRangeError();
    const int old = Rows();
    if (rows == old)
        return;
    if (rows > old) {
        if (live(DirtyStructure))
            beginInsertRows(QModelIndex(), old, rows - 1);
        m_rowInfo.resize(rows);
        m_cells.resize(at(rows, 0));
        if (live(DirtyStructure))
            endInsertRows();
    } else {
        if (live(DirtyStructure))
            beginRemoveRows(QModelIndex(), rows, old - 1);
        // Still shared with the grid this one was copied from: copy only the rows
        // that stay, but keep room for as many as there were, since the view
        // refilling this grid grows it back row by row.
        const auto shrink = [](auto& store, qsizetype kept, qsizetype room) {
            if (store.isDetached()) {
                store.resize(kept);
                return;
            }
            std::remove_reference_t<decltype(store)> copy;
            copy.reserve(room);
            copy.resize(kept);
            std::copy_n(store.constBegin(), kept, copy.begin());
            store = std::move(copy);
        };
        shrink(m_rowInfo, rows, old);
        shrink(m_cells, at(rows, 0), at(old, 0));
        if (live(DirtyStructure))
            endRemoveRows();
    }
    clampCursor();
}

void FlexGrid::setCols(int cols)
{
    if (cols < m_fixedCols || cols > MaxCols)
        throw GridRangeError();
    const int old = m_cols;
    if (cols == old)
        return;
    if (cols > old) {
        if (live(DirtyStructure))
            beginInsertColumns(QModelIndex(), old, cols - 1);
    } else if (live(DirtyStructure)) {
        beginRemoveColumns(QModelIndex(), cols, old - 1);
    }
    // The cells move to their places in rows of the new width.
    const int rows = Rows();
    const int keep = std::min(old, cols);
    QVector<Cell> cells(qsizetype(rows) * cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < keep; ++c)
            cells[qsizetype(r) * cols + c] = m_cells.at(at(r, c));
    m_cells = std::move(cells);
    m_cols = cols;
    m_colWidths.resize(cols);
    m_colAlignments.resize(cols);
    for (int c = old; c < cols; ++c) {
        m_colWidths[c] = DefaultColWidth;
        m_colAlignments[c] = flexAlignGeneral;
    }
    if (live(DirtyStructure)) {
        if (cols > old)
            endInsertColumns();
        else
            endRemoveColumns();
    }
    clampCursor();
}

void FlexGrid::setFixedRows(int n)
{
    if (n < 0 || n > Rows())
        throw GridRangeError();
    if (n == m_fixedRows)
        return;
    m_fixedRows = n;
    clampCursor();
    if (live(DirtyStructure) && Rows() > 0 && m_cols > 0)
        emit dataChanged(index(0, 0), index(Rows() - 1, m_cols - 1));
}

void FlexGrid::setFixedCols(int n)
{
    if (n < 0 || n > m_cols)
        throw GridRangeError();
    if (n == m_fixedCols)
        return;
    m_fixedCols = n;
    clampCursor();
    if (live(DirtyStructure) && Rows() > 0 && m_cols > 0)
        emit dataChanged(index(0, 0), index(Rows() - 1, m_cols - 1));
}

// ---- texts -------------------------------------------------------------------

QString FlexGrid::TextMatrix(int row, int col) const
{
    checkCell(row, col);
    return cell(row, col).text;
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text)
{
    checkCell(row, col);
    cell(row, col).text = text;
    cellChanged(row, col);
}

QString FlexGrid::TextArray(int index) const
{
    if (index < 0 || m_cols <= 0)
        throw GridRangeError();
    return TextMatrix(index / m_cols, index % m_cols);
}

void FlexGrid::setTextArray(int index, const QString& text)
{
    if (index < 0 || m_cols <= 0)
        throw GridRangeError();
    setTextMatrix(index / m_cols, index % m_cols, text);
}

void FlexGrid::AddItem(const QString& text, int position)
{
    const int rows = Rows();
    const int row = position < 0 ? rows : position;
    if (row < 0 || row > rows || rows >= MaxRows)
        throw GridRangeError();
    if (live(DirtyStructure))
        beginInsertRows(QModelIndex(), row, row);
    if (row == rows) {
        m_rowInfo.append(RowInfo());
        m_cells.resize(at(rows + 1, 0));
    } else {
        m_rowInfo.insert(row, RowInfo());
        m_cells.insert(at(row, 0), m_cols, Cell());
    }
    // The items between the tabs, as split() gives them, straight into the cells.
    if (m_cols > 0) {
        Cell* cells = m_cells.data() + at(row, 0);
        qsizetype start = 0;
        for (int c = 0; c < m_cols; ++c) {
            const qsizetype tab = text.indexOf(QLatin1Char('\t'), start);
            if (tab < 0) {
                cells[c].text = start == 0 ? text : text.sliced(start);
                break;
            }
            cells[c].text = text.sliced(start, tab - start);
            start = tab + 1;
        }
    }
    if (live(DirtyStructure))
        endInsertRows();
}

void FlexGrid::RemoveItem(int row)
{
    checkRow(row);
    if (Rows() <= m_fixedRows)
        throw GridRangeError();
    if (live(DirtyStructure))
        beginRemoveRows(QModelIndex(), row, row);
    m_rowInfo.remove(row);
    m_cells.remove(at(row, 0), m_cols);
    if (live(DirtyStructure))
        endRemoveRows();
    clampCursor();
}

void FlexGrid::Clear()
{
    if (!m_cells.isDetached()) {
        // The cells are still shared with the grid this one was copied from: fresh
        // empty ones cost less than a copy emptied cell by cell.
        m_cells = QVector<Cell>(m_cells.size());
    } else {
        for (Cell& c : m_cells)
            c = Cell();
    }
    m_formats.resize(1);
    m_formatIds.clear();
    m_formatIds.insert(CellFormat(), 0);
    if (live(DirtyData) && Rows() > 0 && m_cols > 0)
        emit dataChanged(index(0, 0), index(Rows() - 1, m_cols - 1));
}

void FlexGrid::assignFrom(const FlexGrid& other)
{
    if (&other == this)
        return;
    const bool signal = live(Dirty(DirtyStructure | DirtySizes | DirtyAppearance | DirtyCursor | DirtyScroll));
    if (signal)
        beginResetModel();
    m_cells = other.m_cells;
    m_rowInfo = other.m_rowInfo;
    m_formats = other.m_formats;
    m_formatIds = other.m_formatIds;
    m_cols = other.m_cols;
    m_colWidths = other.m_colWidths;
    m_colAlignments = other.m_colAlignments;
    m_fixedRows = other.m_fixedRows;
    m_fixedCols = other.m_fixedCols;
    m_row = other.m_row;
    m_col = other.m_col;
    m_rowSel = other.m_rowSel;
    m_colSel = other.m_colSel;
    m_topRow = other.m_topRow;
    m_leftCol = other.m_leftCol;
    m_backColor = other.m_backColor;
    m_gridLines = other.m_gridLines;
    if (signal) {
        endResetModel();
        emit sizesReset();
        emit appearanceChanged();
        emit currentCellChanged();
        emit topRowChanged(m_topRow);
        emit leftColChanged(m_leftCol);
    }
    setMousePointer(other.m_mousePointer);
}

// ---- redraw ----------------------------------------------------------------

void FlexGrid::setRedraw(bool on)
{
    if (on == m_redraw)
        return;
    m_redraw = on;
    if (on) {
        // Everything that happened while redraw was off reaches the views at once.
        const int dirty = std::exchange(m_dirty, 0);
        if (dirty & DirtyStructure) {
            beginResetModel();
            endResetModel();
        } else if ((dirty & DirtyData) && Rows() > 0 && m_cols > 0) {
            emit dataChanged(index(0, 0), index(Rows() - 1, m_cols - 1));
        }
        if (dirty & (DirtyStructure | DirtySizes))
            emit sizesReset();
        if (dirty & DirtyAppearance)
            emit appearanceChanged();
        if (dirty & (DirtyCursor | DirtyStructure))
            emit currentCellChanged();
        if (dirty & (DirtyScroll | DirtyStructure)) {
            emit topRowChanged(m_topRow);
            emit leftColChanged(m_leftCol);
        }
        if (dirty & DirtyWidth)
            emit widthChanged(m_width);
    }
    emit redrawChanged(on);
}

void FlexGrid::setUpdatesLocked(bool locked)
{
    const bool was = m_updateLocks > 0;
    m_updateLocks = std::max(0, m_updateLocks + (locked ? 1 : -1));
    if (was != (m_updateLocks > 0))
        emit updatesLockedChanged(m_updateLocks > 0);
}

// ---- current cell and selection ------------------------------------------------

void FlexGrid::setRow(int row)
{
    checkRow(row);
    m_row = m_rowSel = row;
    if (live(DirtyCursor))
        emit currentCellChanged();
}

void FlexGrid::setCol(int col)
{
    checkCol(col);
    m_col = m_colSel = col;
    if (live(DirtyCursor))
        emit currentCellChanged();
}

void FlexGrid::setRowSel(int row)
{
    checkRow(row);
    m_rowSel = row;
    if (live(DirtyCursor))
        emit currentCellChanged();
}

void FlexGrid::setColSel(int col)
{
    checkCol(col);
    m_colSel = col;
    if (live(DirtyCursor))
        emit currentCellChanged();
}

void FlexGrid::setTopRow(int row)
{
    checkRow(row);
    m_topRow = std::max(row, std::min(m_fixedRows, Rows() - 1));
    if (live(DirtyScroll))
        emit topRowChanged(m_topRow);
}

void FlexGrid::setLeftCol(int col)
{
    checkCol(col);
    m_leftCol = std::max(col, std::min(m_fixedCols, m_cols - 1));
    if (live(DirtyScroll))
        emit leftColChanged(m_leftCol);
}

// ---- geometry ----------------------------------------------------------------

int FlexGrid::RowData(int row) const
{
    checkRow(row);
    return m_rowInfo.at(row).data;
}

void FlexGrid::setRowData(int row, int value)
{
    checkRow(row);
    m_rowInfo[row].data = value;
}

int FlexGrid::RowHeight(int row) const
{
    checkRow(row);
    return m_rowInfo.at(row).height;
}

void FlexGrid::setRowHeight(int row, int twips)
{
    checkRow(row);
    if (twips < -1)
        throw RuntimeError::make(5);
    m_rowInfo[row].height = twips == -1 ? DefaultRowHeight : twips;
    if (live(DirtySizes))
        emit rowHeightChanged(row);
}

int FlexGrid::ColWidth(int col) const
{
    checkCol(col);
    return m_colWidths[col];
}

void FlexGrid::setColWidth(int col, int twips)
{
    checkCol(col);
    if (twips < -1)
        throw RuntimeError::make(5);
    m_colWidths[col] = twips == -1 ? DefaultColWidth : twips;
    if (live(DirtySizes))
        emit colWidthChanged(col);
}

int FlexGrid::TextWidth(int row, int col) const
{
    checkCell(row, col);
    const Cell& c = cell(row, col);
    // Fonts exist only in a program with a display: a grid filled without one (a
    // tool, a fuzz run) has nothing to measure, and asking would end the process.
    if (c.text.isEmpty() || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return 0;
    QFont font = m_textFont;
    font.setBold(formatOf(c).bold);
    // A text on several lines needs its widest line.
    const QFontMetrics metrics(font);
    const QString shown = displayText(c.text);
    int widest = 0;
    for (const QStringView line : QStringView(shown).split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line.toString()));
    const int pixels = widest + 2 * CellTextMargin + 1;
    return pixels * TwipsPerPixel;
}

QString FlexGrid::displayText(const QString& text)
{
    if (!text.contains(QLatin1Char('\r')))
        return text;
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

void FlexGrid::FitColsToText(int firstCol, int lastCol)
{
    checkCol(firstCol);
    checkCol(lastCol);
    for (int col = firstCol; col <= lastCol; ++col) {
        if (m_colWidths[col] <= 0)
            continue;
        int widest = m_colWidths[col];
        for (int row = 0; row < Rows(); ++row)
            if (m_rowInfo.at(row).height > 0)
                widest = std::max(widest, TextWidth(row, col));
        if (widest != m_colWidths[col])
            setColWidth(col, widest);
    }
}

int FlexGrid::ColPos(int col) const
{
    checkCol(col);
    int pos = 0;
    for (int c = 0; c < col && c < m_fixedCols; ++c)
        pos += m_colWidths[c];
    if (col < m_fixedCols)
        return pos;
    // Columns scrolled out to the left lie at negative positions.
    for (int c = m_leftCol; c < col; ++c)
        pos += m_colWidths[c];
    for (int c = col; c < m_leftCol; ++c)
        pos -= m_colWidths[c];
    return pos;
}

int FlexGrid::RowPos(int row) const
{
    checkRow(row);
    int pos = 0;
    for (int r = 0; r < row && r < m_fixedRows; ++r)
        pos += m_rowInfo.at(r).height;
    if (row < m_fixedRows)
        return pos;
    for (int r = m_topRow; r < row; ++r)
        pos += m_rowInfo.at(r).height;
    for (int r = row; r < m_topRow; ++r)
        pos -= m_rowInfo.at(r).height;
    return pos;
}

void FlexGrid::setWidth(int twips)
{
    if (twips < 0)
        throw RuntimeError::make(5);
    if (twips == m_width)
        return;
    m_width = twips;
    if (live(DirtyWidth))
        emit widthChanged(twips);
}

void FlexGrid::setHeight(int twips)
{
    if (twips < 0)
        throw RuntimeError::make(5);
    m_height = twips;
}

// ---- column layout -------------------------------------------------------------

int FlexGrid::ColAlignment(int col) const
{
    checkCol(col);
    return m_colAlignments[col];
}

void FlexGrid::setColAlignment(int col, int alignment)
{
    checkCol(col);
    if (alignment < 0 || alignment > flexAlignGeneral)
        throw RuntimeError::make(5);
    m_colAlignments[col] = alignment;
    columnChanged(col);
}

void FlexGrid::setColPosition(int col, int position)
{
    checkCol(col);
    checkCol(position);
    if (col == position)
        return;
    const bool signal = live(DirtyStructure);
    if (signal)
        beginResetModel();
    auto move = [&](auto& vec) {
        auto item = vec[col];
        vec.remove(col);
        vec.insert(position, item);
    };
    // In each row the cells from col to position turn by one.
    for (int r = 0; r < Rows(); ++r) {
        Cell* row = m_cells.data() + at(r, 0);
        if (col < position)
            std::rotate(row + col, row + col + 1, row + position + 1);
        else
            std::rotate(row + position, row + col, row + col + 1);
    }
    move(m_colWidths);
    move(m_colAlignments);
    if (signal) {
        endResetModel();
        emit sizesReset();
    }
}

// ---- appearance ----------------------------------------------------------------

void FlexGrid::setBackColor(int bgr)
{
    m_backColor = bgr;
    if (live(DirtyAppearance))
        emit appearanceChanged();
}

void FlexGrid::setGridLines(int style)
{
    if (style < 0 || style > 3)
        throw RuntimeError::make(5);
    m_gridLines = style;
    if (live(DirtyAppearance))
        emit appearanceChanged();
}

void FlexGrid::setMousePointer(int pointer)
{
    if (pointer == m_mousePointer)
        return;
    m_mousePointer = pointer;
    emit mousePointerChanged(pointer);
}

// ---- cell formats ----------------------------------------------------------------

namespace {

// The index of format in formats, added at the end when new.
int internFormat(QVector<FlexGrid::CellFormat>& formats, QHash<FlexGrid::CellFormat, int>& ids,
                 const FlexGrid::CellFormat& format)
{
    const auto known = ids.constFind(format);
    if (known != ids.cend())
        return known.value();
    const int id = int(formats.size());
    formats.append(format);
    ids.insert(format, id);
    return id;
}

} // namespace

int FlexGrid::formatIndex(const CellFormat& format)
{
    // A view formats cell after cell alike (a link's underline, then its colour):
    // the few formats met last are tried before the table is searched. Each entry
    // of the table is distinct, so an index whose entry equals the format is the
    // one, whichever grid it was met in.
    static thread_local int recent[4] = {0, 0, 0, 0};
    static thread_local unsigned next = 0;
    for (const int id : recent)
        if (id < m_formats.size() && m_formats.at(id) == format)
            return id;
    const int id = internFormat(m_formats, m_formatIds, format);
    recent[next++ % 4] = id;
    return id;
}

template <typename Edit>
void FlexGrid::editCurrentFormat(Edit edit)
{
    checkCell(m_row, m_col);
    CellFormat format = formatOf(cell(m_row, m_col));
    edit(format);
    const int id = formatIndex(format);
    cell(m_row, m_col).format = id;
    cellChanged(m_row, m_col);
}

void FlexGrid::setCellAlignment(int alignment)
{
    if (alignment < 0 || alignment > flexAlignGeneral)
        throw RuntimeError::make(5);
    editCurrentFormat([&](CellFormat& f) { f.alignment = alignment; });
}

void FlexGrid::setCellBackColor(int bgr)
{
    editCurrentFormat([&](CellFormat& f) { f.backColor = bgr; });
}

void FlexGrid::setCellForeColor(int bgr)
{
    editCurrentFormat([&](CellFormat& f) { f.foreColor = bgr; });
}

void FlexGrid::setCellFontBold(bool bold)
{
    editCurrentFormat([&](CellFormat& f) { f.bold = bold; });
}

void FlexGrid::setCellFontUnderline(bool underline)
{
    editCurrentFormat([&](CellFormat& f) { f.underline = underline; });
}

void FlexGrid::setCellFontWidth(int width)
{
    editCurrentFormat([&](CellFormat& f) { f.fontWidth = width; });
}

void FlexGrid::setCellTextStyle(int style)
{
    if (style < 0 || style > flexTextInsetLight)
        throw RuntimeError::make(5);
    editCurrentFormat([&](CellFormat& f) { f.textStyle = style; });
}

void FlexGrid::setCellPicture(const QString& name)
{
    editCurrentFormat([&](CellFormat& f) { f.picture = name; });
}

void FlexGrid::setCellPictureAlignment(int alignment)
{
    if (alignment < 0 || alignment > flexAlignGeneral)
        throw RuntimeError::make(5);
    editCurrentFormat([&](CellFormat& f) { f.pictureAlignment = alignment; });
}

FlexGrid::CellFormat FlexGrid::cellFormat(int row, int col) const
{
    checkCell(row, col);
    return formatOf(cell(row, col));
}

void FlexGrid::setCellFormat(int row, int col, const CellFormat& format)
{
    checkCell(row, col);
    const int id = formatIndex(format);
    cell(row, col).format = id;
    cellChanged(row, col);
}

int FlexGrid::effectiveAlignment(int row, int col) const
{
    checkCell(row, col);
    const int own = formatOf(cell(row, col)).alignment;
    return own >= 0 ? own : m_colAlignments[col];
}

void FlexGrid::cellChanged(int row, int col)
{
    if (live(DirtyData)) {
        const QModelIndex i = index(row, col);
        emit dataChanged(i, i);
    }
}

void FlexGrid::columnChanged(int col)
{
    if (live(DirtyData) && Rows() > 0)
        emit dataChanged(index(0, col), index(Rows() - 1, col));
}

// ---- sort, clip, drag ----------------------------------------------------------

namespace {

// A sort key of one cell: numbers (when the order looks at numbers) first,
// ordered by value; then texts. One class per cell keeps the order total, so a
// column mixing numbers and words still sorts the same way every time.
struct SortKey {
    bool isNumber = false;
    double number = 0;
    QString text;
};

std::optional<double> numberOf(const QString& text)
{
    try {
        if (rt::IsNumeric(QVariant(text)))
            return rt::CDbl(QVariant(text));
    } catch (const RuntimeError&) {
        // Too large to be a number: it sorts among the texts.
    }
    return std::nullopt;
}

} // namespace

void FlexGrid::setSort(int order)
{
    if (order < 0 || order > flexSortStringDescending)
        throw RuntimeError::make(5);
    if (order == flexSortNone)
        return;
    checkCol(m_col);
    const int first = m_fixedRows;
    const int count = Rows() - first;
    if (count < 2)
        return;

    const bool descending = order % 2 == 0;
    const bool generic = order == flexSortGenericAscending || order == flexSortGenericDescending;
    const bool numeric = order == flexSortNumericAscending || order == flexSortNumericDescending;
    const Qt::CaseSensitivity cs = (order == flexSortStringAscending || order == flexSortStringDescending)
                                       ? Qt::CaseSensitive
                                       : Qt::CaseInsensitive;

    QVector<SortKey> keys(count);
    QVector<int> perm(count);
    for (int i = 0; i < count; ++i) {
        perm[i] = i;
        const QString& text = cell(first + i, m_col).text;
        SortKey& k = keys[i];
        k.text = text;
        if (generic || numeric) {
            if (const auto n = numberOf(text)) {
                k.isNumber = true;
                k.number = *n;
            } else if (numeric) {
                // A numeric sort counts a text that is no number as 0, like Val.
                k.isNumber = true;
                k.number = rt::Val(text);
            }
        }
    }
    auto less = [&](int a, int b) {
        const SortKey& x = keys[a];
        const SortKey& y = keys[b];
        if (x.isNumber != y.isNumber)
            return x.isNumber;
        if (x.isNumber)
            return x.number < y.number;
        return QString::compare(x.text, y.text, cs) < 0;
    };
    std::stable_sort(perm.begin(), perm.end(), [&](int a, int b) { return descending ? less(b, a) : less(a, b); });

    const bool signal = live(DirtyStructure);
    if (signal)
        emit layoutAboutToBeChanged();
    QVector<Cell> cells(qsizetype(count) * m_cols);
    QVector<RowInfo> infos(count);
    for (int i = 0; i < count; ++i) {
        const int from = first + perm[i];
        std::move(m_cells.begin() + at(from, 0), m_cells.begin() + at(from + 1, 0), cells.begin() + qsizetype(i) * m_cols);
        infos[i] = m_rowInfo.at(from);
    }
    std::move(cells.begin(), cells.end(), m_cells.begin() + at(first, 0));
    std::copy(infos.cbegin(), infos.cend(), m_rowInfo.begin() + first);
    if (signal) {
        // No persistent indexes are kept by our views; a full layout change is enough.
        emit layoutChanged();
        emit sizesReset();
    }
}

QString FlexGrid::Clip() const
{
    checkCell(m_row, m_col);
    checkCell(m_rowSel, m_colSel);
    const int r0 = std::min(m_row, m_rowSel), r1 = std::max(m_row, m_rowSel);
    const int c0 = std::min(m_col, m_colSel), c1 = std::max(m_col, m_colSel);
    QString out;
    for (int r = r0; r <= r1; ++r) {
        if (r > r0)
            out += QLatin1Char('\r');
        for (int c = c0; c <= c1; ++c) {
            if (c > c0)
                out += QLatin1Char('\t');
            out += cell(r, c).text;
        }
    }
    return out;
}

void FlexGrid::Drag(int action)
{
    // 1 begins a manual drag; 0 (cancel) and 2 (end) both stop it here: the
    // drop itself is reported by the widget when the button comes up.
    switch (action) {
    case 1:
        if (!m_dragging) {
            m_dragging = true;
            emit dragStarted();
        }
        break;
    case 0:
    case 2:
        endDrag();
        break;
    default:
        throw RuntimeError::make(5);
    }
}

void FlexGrid::endDrag()
{
    if (!m_dragging)
        return;
    m_dragging = false;
    emit dragEnded();
}

// ---- model -----------------------------------------------------------------

int FlexGrid::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Rows();
}

int FlexGrid::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant FlexGrid::toQColor(int bgr)
{
    if (bgr == 0)
        return QVariant();
    if (quint32(bgr) & 0x80000000u) {
        // System colours: only the ones the program names get a palette role.
        const QPalette pal = QGuiApplication::palette();
        switch (bgr & 0xFF) {
        case 5: return pal.color(QPalette::Base);         // window background
        case 8: return pal.color(QPalette::Text);         // window text
        case 15: return pal.color(QPalette::Button);      // button face
        case 18: return pal.color(QPalette::ButtonText);  // button text
        default: return QVariant();
        }
    }
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

static Qt::Alignment qtAlignment(int code, bool number)
{
    Qt::Alignment h, v;
    if (code == FlexGrid::flexAlignGeneral) {
        return (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
    switch (code / 3) {
    case 0: h = Qt::AlignLeft; break;
    case 1: h = Qt::AlignHCenter; break;
    default: h = Qt::AlignRight; break;
    }
    switch (code % 3) {
    case 0: v = Qt::AlignTop; break;
    case 1: v = Qt::AlignVCenter; break;
    default: v = Qt::AlignBottom; break;
    }
    return h | v;
}

QVariant FlexGrid::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= Rows() || index.column() < 0
        || index.column() >= m_cols)
        return QVariant();
    const Cell& c = cell(index.row(), index.column());
    const CellFormat& format = formatOf(c);
    const bool fixed = index.row() < m_fixedRows || index.column() < m_fixedCols;
    switch (role) {
    case Qt::DisplayRole:
        return displayText(c.text);
    case Qt::TextAlignmentRole: {
        const int code = effectiveAlignment(index.row(), index.column());
        bool number = false;
        if (code == flexAlignGeneral)
            number = numberOf(c.text).has_value();
        return QVariant::fromValue(qtAlignment(code, number));
    }
    case Qt::BackgroundRole:
        return toQColor(format.backColor);
    case Qt::ForegroundRole:
        return toQColor(format.foreColor);
    case Qt::FontRole: {
        if (!format.bold && !format.underline)
            return QVariant();
        QFont f;
        f.setBold(format.bold);
        f.setUnderline(format.underline);
        return f;
    }
    case PictureRole:
        return format.picture;
    case PictureAlignmentRole:
        return format.pictureAlignment;
    case TextStyleRole:
        return format.textStyle;
    case FixedCellRole:
        return fixed;
    case AlignmentCodeRole:
        return effectiveAlignment(index.row(), index.column());
    case FontWidthRole:
        return format.fontWidth;
    default:
        return QVariant();
    }
}

Qt::ItemFlags FlexGrid::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
