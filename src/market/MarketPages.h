#pragma once

#include "platform/RuntimeError.h"
#include "views/ViewContract.h"

#include <QString>

#include <initializer_list>

class FlexGrid;

// What the market views share: the grid set-up, the arrows, the link look and how
// their errors become messages. They read their pages with pages/PageText.h and
// pages/PageScan.h, every position at full width: a marker past character 32,767
// reads like any other.
namespace market {

inline constexpr int kBlue = 0xFF0000;
inline constexpr int kRed = 0x0000FF;
inline constexpr int kYellow = 0xFFFF;
inline constexpr int kPaleYellow = 0xE8FFFF;

// Redraw off, cleared, the size, background and grid lines given (white and flat
// lines unless said otherwise).
void PrepareGrid(FlexGrid& grid, int rows, int cols, int backColor = kWhite, int gridLines = 1);

// The up or down arrow in column 0 of row, by the first character of change: "+" up,
// "-" down, centred; anything else leaves the cell alone.
void PutArrow(FlexGrid& grid, int row, const QString& change);

// Blue, underlined: a link cell.
void MarkLink(FlexGrid& grid, int row, int col);

// The title cell of a list: text at (row, col), bold on white.
void WriteTitle(FlexGrid& grid, int row, int col, const QString& text);

// The cells firstCol..lastCol of row get alignment.
void AlignCells(FlexGrid& grid, int row, int firstCol, int lastCol, int alignment);

// Runs fill; the error numbers given (5, 53) end the view with text as its message.
// Other failures pass on to the row's policy.
template <typename Fill>
void WithMessage(Fill fill, std::initializer_list<int> numbers, const QString& text)
{
    auto mine = [&](int n) {
        for (int k : numbers)
            if (k == n)
                return true;
        return false;
    };
    try {
        fill();
    } catch (const ViewError& e) {
        if (e.kind() == ViewError::Number && mine(e.errorNumber()))
            throw ViewError::message(text);
        throw;
    } catch (const RuntimeError& e) {
        if (mine(e.number()))
            throw ViewError::message(text);
        throw;
    }
}

// Runs fill; errors 5 (a marker missing, an empty page) and 53 (file not found)
// end the view with message instead. Other failures pass through.
template <typename Fill>
void FillOrMessage(const QString& message, Fill fill)
{
    WithMessage(fill, {5, 53}, message);
}

} // namespace market
