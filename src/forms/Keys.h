// Virtual-key codes by name, as scripts and tests spell keys.
#pragma once

#include <optional>
#include <string>

namespace q {

// "Y", "Enter", "Esc", "Apps", "F5", "A".."Z", "0".."9", "Left", ...
std::optional<int> KeyCodeFromName(const std::string& name);

}  // namespace q

namespace q {

class Form;
class Control;

// A key pressed while `focused` (a control of `form`, or none) has the
// keyboard: the control's KeyDown takes it, or the form's when the control
// has none; then the control's own keys, as the toolkit gives them: Enter
// and Space press a command button, Tab and Shift+Tab move the focus along
// the tab order.
void PressKey(Form& form, Control* focused, int code, int shift);

}  // namespace q
