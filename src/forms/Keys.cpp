#include "forms/Keys.h"

#include <array>
#include <utility>

namespace q {

std::optional<int> KeyCodeFromName(const std::string& name) {
    if (name.size() == 1) {
        char c = name[0];
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return int(c);
    }
    static const std::array<std::pair<const char*, int>, 18> named{{
        {"Enter", 13}, {"Return", 13}, {"Esc", 27}, {"Escape", 27}, {"Apps", 93}, {"Space", 32},
        {"Tab", 9}, {"Backspace", 8}, {"Delete", 46}, {"Left", 37}, {"Up", 38}, {"Right", 39},
        {"Down", 40}, {"Shift", 16}, {"Ctrl", 17}, {"Alt", 18}, {"Home", 36}, {"End", 35},
    }};
    for (const auto& [n, code] : named)
        if (name == n) return code;
    if (name.size() >= 2 && name[0] == 'F') {
        int n = 0;
        for (size_t i = 1; i < name.size(); ++i) {
            if (name[i] < '0' || name[i] > '9') return std::nullopt;
            n = n * 10 + (name[i] - '0');
        }
        if (n >= 1 && n <= 12) return 111 + n;
    }
    return std::nullopt;
}

}  // namespace q
