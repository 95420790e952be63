#pragma once

#include "platform/InputCodes.h"
#include "platform/RuntimeError.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QHash>
#include <QString>
#include <QVector>

// The grid every view draws into: a table of texts with per-cell formats, row
// heights and column widths in twips, column alignments and a current cell.
// The views fill it through the members below (the grid's own property names: getter
// `Rows()`, setter `setRows(n)`); FlexGridView shows it.
//
// Every row or column index is checked: an index outside the grid raises
// GridRangeError (RuntimeError 381), which a view's error handler catches like
// any other run-time error.
//
// Colours are BGR ints (red in the low byte, &HFF0000 is blue); 0 means "the
// standard colour"; a value with the high bit set (&H80000005) is a system colour
// (5 = window background).
//
// Redraw: while `Redraw` is off the model emits no signals at all; switching it
// back on emits what the batch needs in one go (one model reset and one
// `sizesReset()` when rows or columns came or went, else one dataChanged over
// the grid), so a view that fills thousands of cells costs one refresh.
namespace flexgrid {
// A cell of the grid's store: its text and the index of its formats in the grid's
// table of them (0: all defaults).
struct Cell {
    QString text;
    int format = 0;
};
struct RowInfo {
    int height = 240;  // FlexGrid::DefaultRowHeight
    int data = 0;      // RowData: travels with the row (sorts, inserts, removals)
};
} // namespace flexgrid
Q_DECLARE_TYPEINFO(flexgrid::Cell, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(flexgrid::RowInfo, Q_PRIMITIVE_TYPE);

class FlexGrid : public QAbstractTableModel
{
    Q_OBJECT

public:
    // Alignment codes of ColAlignment / CellAlignment.
    enum Alignment {
        flexAlignLeftTop = 0,
        flexAlignLeftCenter = 1,
        flexAlignLeftBottom = 2,
        flexAlignCenterTop = 3,
        flexAlignCenterCenter = 4,
        flexAlignCenterBottom = 5,
        flexAlignRightTop = 6,
        flexAlignRightCenter = 7,
        flexAlignRightBottom = 8,
        flexAlignGeneral = 9,  // left for text, right for numbers, vertically centred
    };
    // Sort codes.
    enum SortOrder {
        flexSortNone = 0,
        flexSortGenericAscending = 1,
        flexSortGenericDescending = 2,
        flexSortNumericAscending = 3,
        flexSortNumericDescending = 4,
        flexSortStringNoCaseAscending = 5,
        flexSortStringNoCaseDescending = 6,
        flexSortStringAscending = 7,
        flexSortStringDescending = 8,
    };
    // CellTextStyle codes.
    enum TextStyle { flexTextFlat = 0, flexTextRaised = 1, flexTextInset = 2, flexTextRaisedLight = 3, flexTextInsetLight = 4 };
    // Cell picture names the program uses (drawn by FlexGridView).
    static inline const QString PictureUp = QStringLiteral("UP");
    static inline const QString PictureDown = QStringLiteral("DN");
    static inline const QString PictureLow = QStringLiteral("LOW");
    static inline const QString PictureHigh = QStringLiteral("HIGH");

    static constexpr int TwipsPerPixel = input::TwipsPerPixel;
    static constexpr int DefaultRowHeight = 240;   // twips
    static constexpr int DefaultColWidth = 960;    // twips
    static constexpr int DefaultWidth = 9000;      // twips
    static constexpr int MaxRows = 1000000;
    static constexpr int MaxCols = 10000;
    static constexpr int WindowBackground = int(0x80000005u);

    // Extra model roles for the delegate.
    enum Role {
        PictureRole = Qt::UserRole + 1,   // QString: "UP", "DN", "LOW", "HIGH" or empty
        PictureAlignmentRole,             // int: alignment code
        TextStyleRole,                    // int: CellTextStyle
        FixedCellRole,                    // bool: cell lies in a fixed row or column
        AlignmentCodeRole,                // int: effective alignment code (cell's or column's)
        FontWidthRole,                    // int: CellFontWidth
    };

    // The per-cell formats. A cell with all defaults draws as the grid does.
    struct CellFormat {
        int alignment = -1;        // -1: none, the column's alignment applies
        int backColor = 0;         // BGR; 0 = standard
        int foreColor = 0;         // BGR; 0 = standard
        bool bold = false;
        bool underline = false;
        int fontWidth = 0;
        int textStyle = 0;
        QString picture;           // "" = none
        int pictureAlignment = 0;
        bool operator==(const CellFormat&) const = default;
        bool isDefault() const { return *this == CellFormat(); }
        friend size_t qHash(const CellFormat& f, size_t seed) noexcept;
    };

    explicit FlexGrid(QObject* parent = nullptr);
    ~FlexGrid() override;

    // ---- size -------------------------------------------------------------
    // Setting Rows/Cols truncates or appends (new rows get the default height
    // and no formats, new columns the default width and general alignment);
    // existing cells keep their texts and formats. A value below FixedRows /
    // FixedCols or above MaxRows / MaxCols raises GridRangeError.
    int Rows() const { return int(m_rowInfo.size()); }
    void setRows(int rows);
    int Cols() const { return m_cols; }
    void setCols(int cols);
    int FixedRows() const { return m_fixedRows; }
    void setFixedRows(int n);   // 0..Rows
    int FixedCols() const { return m_fixedCols; }
    void setFixedCols(int n);   // 0..Cols

    // ---- texts ------------------------------------------------------------
    // TextMatrix keeps a text as written, line breaks included (copies and exports
    // give them back); the view shows each CR LF, or a CR or LF alone, as a new
    // line: displayText is the text the model shows, its lines split at LF.
    QString TextMatrix(int row, int col) const;
    static QString displayText(const QString& text);
    void setTextMatrix(int row, int col, const QString& text);
    // Cell (i / Cols, i % Cols).
    QString TextArray(int index) const;
    void setTextArray(int index, const QString& text);
    // Text of the current cell.
    QString Text() const { return TextMatrix(m_row, m_col); }
    void setText(const QString& text) { setTextMatrix(m_row, m_col, text); }
    // Appends one row: text split at Tab, item k into column k, surplus items
    // dropped, missing ones "". AddItem("") appends an empty row. With index >= 0
    // the row is inserted there instead (FixedRows..Rows).
    void AddItem(const QString& text, int index = -1);
    void RemoveItem(int row);
    // A number the program keeps with a row (0 for a new row): it moves with the
    // row when rows are sorted, inserted or removed. Clear keeps it.
    int RowData(int row) const;
    void setRowData(int row, int value);
    // Clears texts, pictures and cell formats of every cell; keeps Rows, Cols,
    // row heights, column widths and column alignments.
    void Clear();

    // Takes over everything another grid holds: texts, cell formats, row heights,
    // column widths and alignments, fixed rows and columns, the current cell and
    // selection, the scroll position, BackColor, GridLines and MousePointer. What
    // belongs to the widget showing this grid stays: Width, Height, the cell under
    // the pointer, a drag, Redraw and the update lock. The views hear of it once:
    // one model reset, then sizesReset, appearanceChanged, currentCellChanged and
    // the scroll signals (all owed until Redraw comes on, when it is off).
    // A view is filled into a detached grid and handed over this way.
    void assignFrom(const FlexGrid& other);

    // ---- redraw -----------------------------------------------------------
    bool Redraw() const { return m_redraw; }
    void setRedraw(bool on);

    // The window-update lock (nested locks count). The widget stops painting
    // while it is held. Prefer the RAII guard below.
    void setUpdatesLocked(bool locked);
    bool isUpdatesLocked() const { return m_updateLocks > 0; }
    class UpdateLock
    {
    public:
        explicit UpdateLock(FlexGrid* grid) : m_grid(grid) { if (m_grid) m_grid->setUpdatesLocked(true); }
        UpdateLock(UpdateLock&& other) noexcept : m_grid(other.m_grid) { other.m_grid = nullptr; }
        UpdateLock(const UpdateLock&) = delete;
        UpdateLock& operator=(const UpdateLock&) = delete;
        UpdateLock& operator=(UpdateLock&&) = delete;
        ~UpdateLock() { release(); }
        void release() { if (m_grid) m_grid->setUpdatesLocked(false); m_grid = nullptr; }
    private:
        FlexGrid* m_grid;
    };
    [[nodiscard]] UpdateLock updatesLocked() { return UpdateLock(this); }

    // ---- current cell and selection ---------------------------------------
    // Setting Row or Col moves the current cell and collapses RowSel/ColSel to it.
    int Row() const { return m_row; }
    void setRow(int row);
    int Col() const { return m_col; }
    void setCol(int col);
    int RowSel() const { return m_rowSel; }
    void setRowSel(int row);
    int ColSel() const { return m_colSel; }
    void setColSel(int col);
    // First visible non-fixed row / column (the widget scrolls to it).
    int TopRow() const { return m_topRow; }
    void setTopRow(int row);
    int LeftCol() const { return m_leftCol; }
    void setLeftCol(int col);

    // ---- geometry (twips) -------------------------------------------------
    int RowHeight(int row) const;
    void setRowHeight(int row, int twips);   // 0 hides the row; -1 = default
    int ColWidth(int col) const;
    void setColWidth(int col, int twips);    // 0 hides the column; -1 = default
    // Left edge of column c in twips, from the grid's left edge: the fixed
    // columns, then the scrolled part starting at LeftCol.
    int ColPos(int col) const;
    int RowPos(int row) const;
    // The grid's width in twips (what SetColWidths divides); the widget keeps
    // it in step with its real width.
    int Width() const { return m_width; }
    void setWidth(int twips);
    int Height() const { return m_height; }
    void setHeight(int twips);

    // ---- texts measured in the font they are drawn in ----------------------
    // Pixels left blank on each side of a cell's text (the view draws within).
    static constexpr int CellTextMargin = 2;
    // The font the cells are drawn in. The view showing the grid keeps it equal to
    // its own font; until one does it is the application's font.
    QFont TextFont() const { return m_textFont; }
    void setTextFont(const QFont& font) { m_textFont = font; }
    // Twips column col needs to show the text of cell (row, col) whole: the text's
    // advance in TextFont (bold when the cell is), the margins and the grid line; 0 in
    // a program without a display, which has no fonts to measure with.
    int TextWidth(int row, int col) const;
    // Widens every shown column (width > 0) of firstCol..lastCol to the widest text
    // of its shown rows (height > 0). Never narrows a column and never shows a
    // hidden one, so widths given as proportions stay wherever the texts fit.
    void FitColsToText(int firstCol, int lastCol);

    // ---- column layout ----------------------------------------------------
    int ColAlignment(int col) const;
    void setColAlignment(int col, int alignment);
    // Moves column `col` to index `position`: its texts, formats, width and
    // alignment travel with it, the columns between shift by one.
    void setColPosition(int col, int position);

    // ---- appearance -------------------------------------------------------
    int BackColor() const { return m_backColor; }
    void setBackColor(int bgr);
    int GridLines() const { return m_gridLines; }
    void setGridLines(int style);   // 0 none, 1 flat, 2 inset, 3 raised
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);   // 0 default, 99 custom icon

    // ---- current-cell formats ---------------------------------------------
    int CellAlignment() const { return cellFormat(m_row, m_col).alignment; }
    void setCellAlignment(int alignment);
    int CellBackColor() const { return cellFormat(m_row, m_col).backColor; }
    void setCellBackColor(int bgr);
    int CellForeColor() const { return cellFormat(m_row, m_col).foreColor; }
    void setCellForeColor(int bgr);
    bool CellFontBold() const { return cellFormat(m_row, m_col).bold; }
    void setCellFontBold(bool bold);
    bool CellFontUnderline() const { return cellFormat(m_row, m_col).underline; }
    void setCellFontUnderline(bool underline);
    int CellFontWidth() const { return cellFormat(m_row, m_col).fontWidth; }
    void setCellFontWidth(int width);
    int CellTextStyle() const { return cellFormat(m_row, m_col).textStyle; }
    void setCellTextStyle(int style);
    QString CellPicture() const { return cellFormat(m_row, m_col).picture; }
    void setCellPicture(const QString& name);   // "" removes the picture
    int CellPictureAlignment() const { return cellFormat(m_row, m_col).pictureAlignment; }
    void setCellPictureAlignment(int alignment);

    // Formats of any cell (bounds-checked), for the widget and for tests.
    CellFormat cellFormat(int row, int col) const;
    void setCellFormat(int row, int col, const CellFormat& format);
    // The alignment a cell is drawn with: its own, else its column's.
    int effectiveAlignment(int row, int col) const;

    // ---- sort, clip, pointer ----------------------------------------------
    // Sorts rows FixedRows..Rows-1 by column Col. Generic (1/2): numeric when
    // both texts are numbers, else case-insensitive text; numbers come before
    // texts so the order is total. Stable; rows move whole (texts, formats,
    // pictures, heights). The current cell stays where it is.
    void setSort(int order);
    // Text of the selected range (Row..RowSel x Col..ColSel in either
    // direction): cells joined by Tab, rows by CR (no LF, none at the end).
    QString Clip() const;
    // The cell under the pointer (-1 outside the cells); the widget sets them,
    // tests inject them.
    int MouseRow() const { return m_mouseRow; }
    void setMouseRow(int row) { m_mouseRow = row; }
    int MouseCol() const { return m_mouseCol; }
    void setMouseCol(int col) { m_mouseCol = col; }
    // Begins (1) or cancels (0) a manual drag: the widget then reports
    // DragOver while the pointer moves and DragDrop when the button comes up.
    void Drag(int action = 1);
    bool dragging() const { return m_dragging; }
    void endDrag();

    // ---- QAbstractTableModel ----------------------------------------------
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // BGR int -> colour (0 and invalid give an invalid QColor meaning "standard";
    // &H800000xx gives the palette's system colour).
    static QVariant toQColor(int bgr);

signals:
    // All of these stay silent while Redraw is off.
    void rowHeightChanged(int row);
    void colWidthChanged(int col);
    void sizesReset();               // every height and width may have changed
    void appearanceChanged();        // BackColor, GridLines
    void topRowChanged(int row);
    void leftColChanged(int col);
    void currentCellChanged();       // Row, Col, RowSel, ColSel
    void widthChanged(int twips);
    // These are always sent.
    void redrawChanged(bool on);
    void updatesLockedChanged(bool locked);
    void mousePointerChanged(int pointer);
    void dragStarted();
    void dragEnded();

private:
    using Cell = flexgrid::Cell;
    using RowInfo = flexgrid::RowInfo;

    void checkRow(int row) const;
    void checkCol(int col) const;
    void checkCell(int row, int col) const { checkRow(row); checkCol(col); }
    qsizetype at(int row, int col) const { return qsizetype(row) * m_cols + col; }
    Cell& cell(int row, int col) { return m_cells[at(row, col)]; }
    const Cell& cell(int row, int col) const { return m_cells.at(at(row, col)); }
    const CellFormat& formatOf(const Cell& c) const { return m_formats.at(c.format); }
    // Changes the current cell's formats through edit(CellFormat&).
    template <typename Edit>
    void editCurrentFormat(Edit edit);
    // The index of a format in m_formats, added when new.
    int formatIndex(const CellFormat& format);
    void cellChanged(int row, int col);
    void columnChanged(int col);
    // What changed while Redraw was off, so switching it on sends only what is
    // needed: a model reset for a new shape, a dataChanged for new contents.
    enum Dirty {
        DirtyStructure = 1, DirtyData = 2, DirtySizes = 4, DirtyAppearance = 8,
        DirtyCursor = 16, DirtyScroll = 32, DirtyWidth = 64,
    };
    // True when signals go out now; otherwise notes what is owed.
    bool live(Dirty what)
    {
        if (!m_redraw)
            m_dirty |= what;
        return m_redraw;
    }
    void clampCursor();

    // The cells row by row (Rows() x Cols() of them, one block for the lot: a row
    // costs no allocation of its own), each row's height and RowData, and the
    // distinct formats the cells point into (0: the default, always there).
    QVector<Cell> m_cells;
    QVector<RowInfo> m_rowInfo;
    QVector<CellFormat> m_formats;
    QHash<CellFormat, int> m_formatIds;
    int m_cols = 2;
    QVector<int> m_colWidths;
    QVector<int> m_colAlignments;
    int m_fixedRows = 1;
    int m_fixedCols = 1;
    int m_row = 1;
    int m_col = 1;
    int m_rowSel = 1;
    int m_colSel = 1;
    int m_topRow = 1;
    int m_leftCol = 1;
    int m_width = DefaultWidth;
    int m_height = 3000;
    int m_backColor = 0;
    int m_gridLines = 1;
    int m_mousePointer = 0;
    int m_mouseRow = -1;
    int m_mouseCol = -1;
    bool m_redraw = true;
    int m_dirty = 0;
    int m_updateLocks = 0;
    bool m_dragging = false;
    QFont m_textFont;
};
