#include "platform/InputCodes.h"

namespace input {

int keyCode(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;   // the same ASCII codes
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: case Qt::Key_Backtab: return 9;
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    default: return qtKey & 0xFFFF;
    }
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    int s = 0;
    if (modifiers & Qt::ShiftModifier)
        s |= vbShiftMask;
    if (modifiers & Qt::ControlModifier)
        s |= vbCtrlMask;
    if (modifiers & Qt::AltModifier)
        s |= vbAltMask;
    return s;
}

int buttonState(Qt::MouseButtons buttons)
{
    int b = 0;
    if (buttons & Qt::LeftButton)
        b |= vbLeftButton;
    if (buttons & Qt::RightButton)
        b |= vbRightButton;
    if (buttons & Qt::MiddleButton)
        b |= vbMiddleButton;
    return b;
}

} // namespace input
