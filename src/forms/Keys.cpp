#include "forms/Keys.h"

#include <algorithm>
#include <array>
#include <vector>

#include "forms/Form.h"
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

namespace q {

namespace {

bool TakesFocus(const Control& c) {
    switch (c.kind()) {
        case ControlKind::CommandButton:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
        case ControlKind::TextBox:
        case ControlKind::ListView: return c.Visible && c.Enabled;
        default: return false;
    }
}

// The control after `from` in the form's tab order (before it, going back), round the end.
Control* NextInTabOrder(Form& form, const Control& from, bool back) {
    std::vector<Control*> order;
    for (Control* c : form.controls())
        if (c == &from || TakesFocus(*c)) order.push_back(c);
    std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) { return a->TabIndex < b->TabIndex; });
    const auto at = std::find(order.begin(), order.end(), &from);
    const size_t i = size_t(at - order.begin()), n = order.size();
    return order[(i + (back ? n - 1 : 1)) % n];
}

}  // namespace

void PressKey(Form& form, Control* focused, int code, int shift) {
    if (focused && focused->KeyDown) focused->KeyDown(code, shift);
    else form.Form_KeyDown(code, shift);
    if (!focused || !form.loaded() || !TakesFocus(*focused)) return;
    if ((code == 13 || code == 32) && focused->kind() == ControlKind::CommandButton && shift == 0) {
        if (focused->Click) focused->Click();
    } else if (code == 9 && (shift & ~1) == 0) {
        Control* next = NextInTabOrder(form, *focused, shift & 1);
        if (next != focused) next->SetFocus();
    }
}

}  // namespace q
