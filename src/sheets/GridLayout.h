#pragma once

#include "stockdata/Records.h"

#include <QString>

#include <array>
#include <cstdint>

class BinaryReader;
class BinaryWriter;
class FlexGrid;
class QWidget;

// The main grid's column order as the user left it by dragging headers, kept in
// LayOut and in the layout file AppPath/LayOut.dat (21 entries, the data-file
// byte rule: caption as a 16-bit length and its bytes, Flag 16-bit, Pos1 and Pos2
// 32-bit, little-endian, no header). Also the small routines on the main grid:
// find a row by its title, select all, copy the selection.
//
// Every routine here works on the main grid (viewHost().mainGrid()), never on a
// zoom window's grid, and passes over a step that fails.

// The layout table LayOut and the drag column DragCol live in the program state
// (stockdata/ProgramState.h); LayoutRec is a record of the data files (Records.h).

// The thin bar over the main grid that marks where a dragged column will land
// (the main window's picSplit). The main window installs its own; until then a
// stand-in keeps the last state, which tests read.
class SplitBar
{
public:
    virtual ~SplitBar() = default;
    virtual void setVisible(bool visible) = 0;
    // Left edge in twips from the grid's left edge.
    virtual void setLeft(int twips) = 0;
};

class RecordedSplitBar : public SplitBar
{
public:
    bool Visible = false;
    int Left = 0;
    void setVisible(bool visible) override { Visible = visible; }
    void setLeft(int twips) override { Left = twips; }
};

SplitBar& splitBar();
// The caller keeps ownership; nullptr restores the stand-in.
void installSplitBar(SplitBar* bar);

// AppPath/LayOut.dat.
QString LayoutFilePath();

// Record codec for the layout file (the shared data-file table codec finds these).
void writeRecord(BinaryWriter& out, const LayoutRec& rec);
bool readRecord(BinaryReader& in, LayoutRec& rec);

// Writes the whole LayOut table to the layout file through a temporary file and a
// rename, so a failure leaves the old file; false then (the user is told once, until
// a write of the file succeeds; the table stays as it is).
bool SaveLayout();
// Empties LayOut and reads the layout file into it; a missing file is created
// empty, a truncated or corrupt one is read as far as its entries are whole.
// False when the file exists but could not be read (or a missing one could not be
// created): the caller should then not save the empty table over it.
bool LoadLayout();

// Applies LayOut to the main grid: every column whose header is recorded moves to
// the recorded position. The quotes view has it applied twice after each draw.
void FixLayOut();
// The same on a grid about to become the main grid's content.
void FixLayOut(FlexGrid& grid);

// The main grid's drop event: moves column DragCol to the header under the
// pointer; in the quotes view ("Current") it also records every header's new
// position and saves the layout, so no other view's order reaches the file. Does nothing
// without a drag, off the header row, or over the fixed first column.
void FG_DragDrop(QWidget* Source, double X, double Y);
// The main grid's drag-over event: shows the split bar 100 twips right of the left
// edge of the column under the pointer.
void FG_DragOver(QWidget* Source, double X, double Y, int State);

// Scrolls the main grid so that the first row whose column-1 text equals text is
// the top row; no match changes nothing.
void FindGridRow(const QString& text);
// Selects the whole main grid, fixed row and column included.
void SelectAllGrid();
// The same on any grid (a zoom window's).
void SelectAllGrid(FlexGrid& grid);
void CopyGridToClipboard(FlexGrid& grid);
// Puts the main grid's selected cells on the clipboard: Tab between cells, CR
// between rows.
void CopyGridToClipboard();
