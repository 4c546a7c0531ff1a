// Readable, stable names for the cases of a parameterised test. Without one,
// the test list shows each case by its raw bytes, which change from build to
// build. Every INSTANTIATE_TEST_SUITE_P names its cases with one of these; the
// CaseNamesAreReadable checks fail when one does not.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace q::test {

// "list price, the coin says yes" → "ListPriceTheCoinSaysYes". Characters a
// test name cannot hold are dropped; a text with none left gives "".
inline std::string Words(std::string_view text) {
    std::string out;
    bool startWord = true;
    for (unsigned char c : text) {
        if (c < 0x80 && std::isalnum(c)) {
            out += startWord ? char(std::toupper(c)) : char(c);
            startWord = false;
        } else {
            startWord = true;
        }
    }
    return out;
}

// A flag shown by its label when set, and not at all when clear.
struct Flag {
    bool on;
    const char* label;
};

namespace detail {
inline std::string Part(const char* s) { return s ? Words(s) : std::string(); }
inline std::string Part(const std::string& s) { return Words(s); }
inline std::string Part(std::string_view s) { return Words(s); }
inline std::string Part(Flag f) { return f.on ? Words(f.label) : std::string(); }
inline std::string Part(char c) { return Words(std::string_view(&c, 1)); }
template <class N>
    requires(std::is_arithmetic_v<N> && !std::is_same_v<N, bool> && !std::is_same_v<N, char>)
std::string Part(N n) {
    std::string s = std::to_string(n);
    if constexpr (std::is_floating_point_v<N>) {
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    std::string out;
    for (char c : s) {
        if (c == '-') out += "Minus";
        else if (c == '.') out += 'p';
        else out += c;
    }
    return out;
}
template <class E>
    requires std::is_enum_v<E>
std::string Part(E e) {
    return Part(static_cast<long long>(e));
}
}  // namespace detail

// The parts of a name joined by underscores: texts as words, numbers as
// digits ("Minus5", "0p5"), flags by their labels; empty parts are left out.
template <class... P>
std::string Name(const P&... parts) {
    std::string out;
    for (std::string s : {detail::Part(parts)...}) {
        if (s.empty()) continue;
        if (!out.empty()) out += '_';
        out += s;
    }
    return out;
}

// A name generator from a function of the case. A case whose name comes out
// empty is called by its place in the list; a repeated name gets "_2", "_3".
// The test framework builds the generator afresh for every case and asks for
// the cases in order, so the names met so far are kept with the generator's
// type and forgotten at the first case.
template <class F>
auto NameBy(F name) {
    return [name](const auto& info) {
        static std::map<std::string, int> seen;
        if (info.index == 0) seen.clear();
        std::string n = name(info.param);
        if (n.empty()) n = "Case" + std::to_string(info.index);
        const int times = ++seen[n];
        return times == 1 ? n : n + "_" + std::to_string(times);
    };
}

// A name generator from a text member of the case ("what", "name").
template <class C, class M>
auto NameBy(M C::*member) {
    return NameBy([member](const C& c) { return Name(c.*member); });
}

// A name generator for plain values: numbers, texts.
inline auto ValueName() {
    return NameBy([](const auto& v) { return Name(v); });
}

}  // namespace q::test
