// Named access to the game's variables, as the simulator and tests spell
// them: `StoryNo`, `Condition(0)`, `MySack(1).HHaveSackNum`,
// `AllArms(5).LArmsList`. Each module registers its own variables.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace q {

class Game;

// A value as a script writes it: a whole number, a float or a text.
// Truth values travel as -1 and 0.
using Value = std::variant<long long, double, std::string>;

std::string FormatValue(const Value& v);
// Parses "12", "-1", "3.5", "True", "False"; anything else stays text.
Value ParseValue(const std::string& text);

class VarError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Vars {
public:
    using Getter = std::function<Value(Game&, int)>;
    using Setter = std::function<void(Game&, int, const Value&)>;

    // A plain variable.
    template <class F>
    void add(const std::string& name, F ref) {
        addEntry(name, "", 0, [ref](Game& g, int) -> auto& { return ref(g); });
    }
    // An array variable with `count` elements, indexed from `base`.
    template <class F>
    void addArray(const std::string& name, int base, int count, F ref) {
        addEntry(name, "", count, ref, base);
    }
    // A field of the records of an array.
    template <class F>
    void addField(const std::string& name, const std::string& field, int base, int count, F ref) {
        addEntry(name, field, count, ref, base);
    }

    // A plain variable read and written through functions of its own, for
    // values a script spells otherwise than they are held (a form by name).
    void addComputed(const std::string& name, std::function<Value(Game&)> get,
                     std::function<void(Game&, const Value&)> set) {
        Entry e;
        e.get = [get](Game& g, int) { return get(g); };
        e.set = [set](Game& g, int, const Value& v) { set(g, v); };
        entries_[name] = std::move(e);
    }

    Value get(Game& g, const std::string& spelled) const;
    void set(Game& g, const std::string& spelled, const Value& v) const;
    bool has(const std::string& spelled) const;
    // Every plain variable and array element, for a dump.
    std::vector<std::string> names() const;

private:
    struct Entry {
        int base = 0;
        int count = 0;  // 0 for a plain variable
        Getter get;
        Setter set;
    };
    template <class F>
    void addEntry(const std::string& name, const std::string& field, int count, F ref, int base = 0) {
        Entry e;
        e.base = base;
        e.count = count;
        e.get = [ref](Game& g, int i) -> Value { return toValue(ref(g, i)); };
        e.set = [ref](Game& g, int i, const Value& v) { fromValue(ref(g, i), v); };
        entries_[key(name, field)] = std::move(e);
    }
    static std::string key(const std::string& name, const std::string& field) {
        return field.empty() ? name : name + "." + field;
    }
    struct Parsed {
        std::string key;
        int index = 0;
        bool indexed = false;
    };
    static Parsed parse(const std::string& spelled);
    const Entry& find(const Parsed& p, const std::string& spelled) const;

    template <class T>
    static Value toValue(const T& v) {
        if constexpr (std::is_same_v<T, bool>) return Value(static_cast<long long>(v ? -1 : 0));
        else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) return Value(static_cast<long long>(v));
        else if constexpr (std::is_floating_point_v<T>) return Value(static_cast<double>(v));
        else return Value(std::string(v));
    }
    template <class T>
    static void fromValue(T& out, const Value& v) {
        if constexpr (std::is_same_v<T, bool>) out = asNumber(v) != 0;
        else if constexpr (std::is_integral_v<T>) out = static_cast<T>(asNumber(v));
        else if constexpr (std::is_enum_v<T>) out = static_cast<T>(asNumber(v));
        else if constexpr (std::is_floating_point_v<T>) out = static_cast<T>(asDouble(v));
        else out = asText(v);
    }
    static long long asNumber(const Value& v);
    static double asDouble(const Value& v);
    static std::string asText(const Value& v);

    std::map<std::string, Entry> entries_;
};

// Public procedures by name, for the simulator's `call`: arguments as the
// script spells them, a result as text (empty when the procedure has none).
class Procs {
public:
    using Args = std::vector<std::string>;
    using Proc = std::function<std::string(Game&, const Args&)>;
    void add(const std::string& name, Proc p) { procs_[name] = std::move(p); }
    bool has(const std::string& name) const { return procs_.count(name) != 0; }
    std::string call(Game& g, const std::string& name, const Args& args) const;

    static long long Number(const Args& a, size_t i);
    static std::string Text(const Args& a, size_t i);
    static bool Truth(const Args& a, size_t i);

private:
    std::map<std::string, Proc> procs_;
};

}  // namespace q
