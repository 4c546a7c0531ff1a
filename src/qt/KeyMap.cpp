#include "qt/KeyMap.h"

#include <array>

namespace q {

namespace {

// X11 keycodes of the digit row and the letter keys (the key's place on the
// keyboard, the same under every layout).
int FromScanCode(std::uint32_t code) {
    if (code >= 10 && code <= 18) return int('1' + (code - 10));
    if (code == 19) return '0';
    static const std::array<std::pair<std::uint32_t, char>, 26> letters{{
        {24, 'Q'}, {25, 'W'}, {26, 'E'}, {27, 'R'}, {28, 'T'}, {29, 'Y'}, {30, 'U'}, {31, 'I'}, {32, 'O'},
        {33, 'P'}, {38, 'A'}, {39, 'S'}, {40, 'D'}, {41, 'F'}, {42, 'G'}, {43, 'H'}, {44, 'J'}, {45, 'K'},
        {46, 'L'}, {52, 'Z'}, {53, 'X'}, {54, 'C'}, {55, 'V'}, {56, 'B'}, {57, 'N'}, {58, 'M'},
    }};
    for (const auto& [c, letter] : letters)
        if (c == code) return letter;
    return 0;
}

}  // namespace

int VirtualKeyCode(int key, std::uint32_t scan) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;  // the capital's code, Shift or not
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return 112 + (key - Qt::Key_F1);
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return 13;
        case Qt::Key_Escape: return 27;
        case Qt::Key_Menu: return 93;
        case Qt::Key_Space: return 32;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return 9;
        case Qt::Key_Backspace: return 8;
        case Qt::Key_Delete: return 46;
        case Qt::Key_Insert: return 45;
        case Qt::Key_Home: return 36;
        case Qt::Key_End: return 35;
        case Qt::Key_PageUp: return 33;
        case Qt::Key_PageDown: return 34;
        case Qt::Key_Left: return 37;
        case Qt::Key_Up: return 38;
        case Qt::Key_Right: return 39;
        case Qt::Key_Down: return 40;
        case Qt::Key_Shift: return 16;
        case Qt::Key_Control: return 17;
        case Qt::Key_Alt: return 18;
        default: break;
    }
    // Shifted digits ("!" on Shift+1) and letters of other scripts: the key's place.
    return FromScanCode(scan);
}

int ShiftBits(Qt::KeyboardModifiers mods) {
    int bits = 0;
    if (mods & Qt::ShiftModifier) bits |= 1;
    if (mods & Qt::ControlModifier) bits |= 2;
    if (mods & Qt::AltModifier) bits |= 4;
    return bits;
}

int ButtonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return 1;
        case Qt::RightButton: return 2;
        case Qt::MiddleButton: return 4;
        default: return 0;
    }
}

int ButtonBits(Qt::MouseButtons buttons) {
    int bits = 0;
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        if (buttons.testFlag(b)) bits |= ButtonCode(b);
    return bits;
}

}  // namespace q
