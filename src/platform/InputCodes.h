#pragma once

#include <QPoint>
#include <Qt>

// The event arguments the grid and tree handlers are written against: key codes
// (letters as upper-case ASCII, 37..40 the arrows, 112.. the function keys),
// the Shift argument (1 Shift, 2 Ctrl, 4 Alt) and the Button argument (1 left,
// 2 right, 4 middle). X and Y travel in twips, 15 to the pixel.
namespace input {

enum : int { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };
enum : int { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
constexpr int TwipsPerPixel = 15;

int keyCode(int qtKey);
int shiftState(Qt::KeyboardModifiers modifiers);
int buttonState(Qt::MouseButtons buttons);
inline double toTwips(double pixels) { return pixels * TwipsPerPixel; }
inline int toPixels(int twips) { return (twips + TwipsPerPixel / 2) / TwipsPerPixel; }
// A point of an event (twips) as the pixel it falls in: the fraction is dropped.
inline QPoint toPixelPoint(double xTwips, double yTwips)
{
    return QPoint(int(xTwips / TwipsPerPixel), int(yTwips / TwipsPerPixel));
}

} // namespace input
