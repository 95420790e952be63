#pragma once

#include <QString>
#include <QVariantList>

class FlexGrid;

// The grid layout routines every view uses. Lists are filled in column order
// (element i belongs to column i). Each step that fails (a column beyond the
// grid, an element that is no number) is skipped and the next one runs; none
// of them reports an error. A list built "from index 1" carries an invalid
// QVariant at index 0, which fails and leaves column 0 alone.

// Makes (row, col) the current cell and fills it: text, alignment, back colour,
// bold, no underline, text colour. `unused` is accepted and ignored.
void SetCell(FlexGrid& grid, int row, int col, const QString& text, int alignment, bool bold, bool unused,
             int foreColor, int backColor);
// Marks rows first..last of a column as links: underlined, blue.
void MarkRows(FlexGrid& grid, int firstRow, int lastRow, int col);
// Column i's width := element i percent of the grid's Width (half to even).
void SetColWidths(FlexGrid& grid, const QVariantList& widths);
// Column i's alignment := element i as a 16-bit integer.
void SetColAlign(FlexGrid& grid, const QVariantList& alignments);
void SetColAlign2(FlexGrid& grid, const QVariantList& alignments);
// TextArray(i) := element i as text (row 0 first, spilling into row 1...).
void SetHeaders(FlexGrid& grid, const QVariantList& headers);
