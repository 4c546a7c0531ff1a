// The facility window frmItemShop as the town talk reaches it: by the names
// of the window and its controls, the way the talk's lines address it.
#pragma once

#include <string>

#include "core/Game.h"

namespace q {

// The window when it is loaded, else null.
Form* FacilityWindow(Game& g);
// A control of the loaded window, by name (and index in an array), of kind C.
template <class C>
C* FacilityControl(Game& g, const std::string& name, int index = -1) {
    Form* f = FacilityWindow(g);
    return f ? dynamic_cast<C*>(f->findControl(name, index)) : nullptr;
}

// Rebuilds the window without its greeting: ReloadList := True, then the
// window's Form_Load.
void ReopenFacilityWindow(Game& g);
void EnableFacilityButton(Game& g, bool enabled);
// The list, the number box and the action button together.
void EnableFacilityControls(Game& g, bool enabled);
// The list takes the keyboard focus; a window that cannot take it is left be.
void FocusFacilityList(Game& g);
// The number box's text.
void ShowFacilityNumber(Game& g, const std::string& text);

}  // namespace q
