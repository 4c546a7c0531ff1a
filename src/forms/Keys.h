// Virtual-key codes by name, as scripts and tests spell keys.
#pragma once

#include <optional>
#include <string>

namespace q {

// "Y", "Enter", "Esc", "Apps", "F5", "A".."Z", "0".."9", "Left", ...
std::optional<int> KeyCodeFromName(const std::string& name);

}  // namespace q
