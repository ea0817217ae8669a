#include "qtkeyscancodes.h"

namespace {

constexpr bool E = true;
constexpr bool N = false;

constexpr quint8 kLetterScans[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                     0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                     0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
// Keypad digits 0 to 9.
constexpr quint8 kKeypadDigitScans[10] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};

} // namespace

ScanCode scanCodeForQtKey(int key, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return {kLetterScans[key - Qt::Key_A], N};
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        if (keypad)
            return {kKeypadDigitScans[key - Qt::Key_0], N};
        return {static_cast<quint8>(key == Qt::Key_0 ? 0x0B : 0x01 + (key - Qt::Key_0)), N};
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F10)
        return {static_cast<quint8>(0x3B + (key - Qt::Key_F1)), N};
    switch (key) {
    case Qt::Key_F11:
        return {0x57, N};
    case Qt::Key_F12:
        return {0x58, N};
    case Qt::Key_Escape:
        return {0x01, N};
    case Qt::Key_Minus:
        return {static_cast<quint8>(keypad ? 0x4A : 0x0C), N};
    case Qt::Key_Equal:
        return {0x0D, N};
    case Qt::Key_Backspace:
        return {0x0E, N};
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return {0x0F, N};
    case Qt::Key_BracketLeft:
        return {0x1A, N};
    case Qt::Key_BracketRight:
        return {0x1B, N};
    case Qt::Key_Return:
        return {0x1C, N};
    case Qt::Key_Enter:
        return {0x1C, E};
    case Qt::Key_Control:
        return {0x1D, N};
    case Qt::Key_Semicolon:
        return {0x27, N};
    case Qt::Key_Apostrophe:
        return {0x28, N};
    case Qt::Key_QuoteLeft:
        return {0x29, N};
    case Qt::Key_Shift:
        return {0x2A, N};
    case Qt::Key_Backslash:
        return {0x2B, N};
    case Qt::Key_Comma:
        return {0x33, N};
    case Qt::Key_Period:
        return {static_cast<quint8>(keypad ? 0x53 : 0x34), N};
    case Qt::Key_Slash:
        return keypad ? ScanCode{0x35, E} : ScanCode{0x35, N};
    case Qt::Key_Asterisk:
        return {static_cast<quint8>(keypad ? 0x37 : 0x09), N};
    case Qt::Key_Plus:
        return {static_cast<quint8>(keypad ? 0x4E : 0x0D), N};
    case Qt::Key_Alt:
        return {0x38, N};
    case Qt::Key_AltGr:
        return {0x38, E};
    case Qt::Key_Space:
        return {0x39, N};
    case Qt::Key_CapsLock:
        return {0x3A, N};
    case Qt::Key_NumLock:
        return {0x45, E};
    case Qt::Key_ScrollLock:
        return {0x46, N};
    case Qt::Key_Pause:
        return {0x45, N};
    case Qt::Key_Print:
    case Qt::Key_SysReq:
        return {0x37, E};
    case Qt::Key_Home:
        return {0x47, !keypad};
    case Qt::Key_Up:
        return {0x48, !keypad};
    case Qt::Key_PageUp:
        return {0x49, !keypad};
    case Qt::Key_Left:
        return {0x4B, !keypad};
    case Qt::Key_Right:
        return {0x4D, !keypad};
    case Qt::Key_End:
        return {0x4F, !keypad};
    case Qt::Key_Down:
        return {0x50, !keypad};
    case Qt::Key_PageDown:
        return {0x51, !keypad};
    case Qt::Key_Insert:
        return {0x52, !keypad};
    case Qt::Key_Delete:
        return {0x53, !keypad};
    case Qt::Key_Meta:
        return {0x5B, E};
    case Qt::Key_Menu:
        return {0x5D, E};
    default:
        return {};
    }
}
