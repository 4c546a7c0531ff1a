// The desktop's keys and buttons as the game's codes: virtual-key codes,
// Shift bits 1/2/4 and buttons 1/2/4, whatever the keyboard layout.
#pragma once

#include <Qt>
#include <cstdint>

namespace q {

// `nativeScanCode` is the X11 keycode where there is one, else 0.
int VirtualKeyCode(int qtKey, std::uint32_t nativeScanCode);
int ShiftBits(Qt::KeyboardModifiers mods);
int ButtonCode(Qt::MouseButton button);
// The buttons held down, as the bits of ButtonCode.
int ButtonBits(Qt::MouseButtons buttons);

}  // namespace q
