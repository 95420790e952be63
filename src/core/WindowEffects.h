#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QVector>

#include <cstdint>

class QWidget;

// Roll, see-through and tiling of top-level windows. Each comes as a rule over
// plain numbers (twips, colours, pixels), which the tests check, and the routine
// that applies it to a real window. None keeps state between calls.

// ---- RollWindow: shrink a window upwards just before it is hidden or unloaded.

// The twips taken off the height at each step: height / steps as a 16-bit whole
// number, halves to the even neighbour. steps = 0 raises RuntimeError 11, a
// result outside 16 bits RuntimeError 6.
std::int16_t RollStep(int heightTwips, int steps);
// The heights (twips) the window takes, one per step: steps - 1 of them.
QVector<int> RollHeights(int heightTwips, int steps);
// Rolls form up in steps (25 before an unload; the stock detail window's OK uses
// 10), drawing after each step. A maximised window is left alone; a failure (a
// minimised window, steps = 0) is logged as "Misc_RollWindow" and ends the roll.
void RollWindow(QWidget* form, int steps);
// Milliseconds between two steps (default 10: about a quarter second for 25 steps).
// The wait lets other events run; tests set 0.
void setRollStepDelay(int milliseconds);

// ---- SeeThrough: the desktop under the window painted into it, tinted.

// RGB(170, 250, 250) written as &HBBGGRR.
inline constexpr std::uint32_t DefaultTint = 0xFAFAAA;
// Every pixel ANDed with the tint (red in the tint's low byte), as a pen that
// masks the screen.
QImage TintImage(const QImage& image, std::uint32_t tint = DefaultTint);
void SeeThrough(QWidget* form, std::uint32_t tint = DefaultTint);

// ---- TileWindows: the narrow zoom and detail windows in rows of five below the
// main window's news ticker.

// One entry of the open-windows list, in load order. Geometry in twips.
struct TileForm
{
    QString name;  // "Zoom", "Properties", "frmMain", ...
    int left = 0;
    int top = 0;
    int width = 0;
};
// Places the narrow "Zoom" and "Properties" windows of forms in place (the first
// 35 of them; later ones keep their places). formIndex is the pressed window's
// entry in forms (-1 when it is not there; formTop is then its top), tickerTop the
// top of the main window's news ticker.
void TilePositions(QVector<TileForm>& forms, int formIndex, int formTop, int tickerTop);
// The open top-level windows in the order they were first shown.
QList<QWidget*> Forms();
void TileWindows(QWidget* form);
