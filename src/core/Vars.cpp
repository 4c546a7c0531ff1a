#include "core/Vars.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace q {

std::string FormatValue(const Value& v) {
    if (auto* n = std::get_if<long long>(&v)) return std::to_string(*n);
    if (auto* d = std::get_if<double>(&v)) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.15g", *d);
        return buf;
    }
    return std::get<std::string>(v);
}

Value ParseValue(const std::string& text) {
    if (text == "True" || text == "true") return Value(-1LL);
    if (text == "False" || text == "false") return Value(0LL);
    if (!text.empty()) {
        char* end = nullptr;
        long long n = std::strtoll(text.c_str(), &end, 10);
        if (end && *end == '\0') return Value(n);
        double d = std::strtod(text.c_str(), &end);
        if (end && *end == '\0') return Value(d);
    }
    return Value(text);
}

long long Vars::asNumber(const Value& v) {
    if (auto* n = std::get_if<long long>(&v)) return *n;
    if (auto* d = std::get_if<double>(&v)) return static_cast<long long>(std::llround(*d));
    throw VarError("expected a number, got \"" + std::get<std::string>(v) + "\"");
}

double Vars::asDouble(const Value& v) {
    if (auto* n = std::get_if<long long>(&v)) return double(*n);
    if (auto* d = std::get_if<double>(&v)) return *d;
    throw VarError("expected a number, got \"" + std::get<std::string>(v) + "\"");
}

std::string Vars::asText(const Value& v) { return FormatValue(v); }

Vars::Parsed Vars::parse(const std::string& spelled) {
    // name, or name(index), or name(index).field
    Parsed p;
    auto open = spelled.find('(');
    if (open == std::string::npos) {
        p.key = spelled;
        return p;
    }
    auto close = spelled.find(')', open);
    if (close == std::string::npos) throw VarError("unbalanced parenthesis in " + spelled);
    std::string idx = spelled.substr(open + 1, close - open - 1);
    char* end = nullptr;
    long n = std::strtol(idx.c_str(), &end, 10);
    if (idx.empty() || !end || *end != '\0') throw VarError("bad index in " + spelled);
    p.index = int(n);
    p.indexed = true;
    p.key = spelled.substr(0, open);
    std::string rest = spelled.substr(close + 1);
    if (!rest.empty()) {
        if (rest[0] != '.' || rest.size() < 2) throw VarError("bad field in " + spelled);
        p.key += rest;
    }
    return p;
}

const Vars::Entry& Vars::find(const Parsed& p, const std::string& spelled) const {
    auto it = entries_.find(p.key);
    if (it == entries_.end()) throw VarError("unknown variable " + spelled);
    const Entry& e = it->second;
    if (e.count == 0 && p.indexed) throw VarError(spelled + ": not an array");
    if (e.count > 0) {
        if (!p.indexed) throw VarError(spelled + ": needs an index");
        if (p.index < e.base || p.index >= e.base + e.count)
            throw VarError(spelled + ": index out of " + std::to_string(e.base) + ".." +
                           std::to_string(e.base + e.count - 1));
    }
    return e;
}

Value Vars::get(Game& g, const std::string& spelled) const {
    Parsed p = parse(spelled);
    return find(p, spelled).get(g, p.index);
}

void Vars::set(Game& g, const std::string& spelled, const Value& v) const {
    Parsed p = parse(spelled);
    find(p, spelled).set(g, p.index, v);
}

bool Vars::has(const std::string& spelled) const {
    try {
        find(parse(spelled), spelled);
        return true;
    } catch (const VarError&) {
        return false;
    }
}

std::vector<std::string> Vars::names() const {
    std::vector<std::string> out;
    for (const auto& [k, e] : entries_) {
        if (e.count == 0) {
            out.push_back(k);
            continue;
        }
        auto dot = k.find('.');
        std::string head = dot == std::string::npos ? k : k.substr(0, dot);
        std::string tail = dot == std::string::npos ? "" : k.substr(dot);
        for (int i = e.base; i < e.base + e.count; ++i) out.push_back(head + "(" + std::to_string(i) + ")" + tail);
    }
    return out;
}

std::string Procs::call(Game& g, const std::string& name, const Args& args) const {
    auto it = procs_.find(name);
    if (it == procs_.end()) throw VarError("unknown procedure " + name);
    return it->second(g, args);
}

long long Procs::Number(const Args& a, size_t i) {
    if (i >= a.size()) throw VarError("missing argument " + std::to_string(i + 1));
    Value v = ParseValue(a[i]);
    if (auto* n = std::get_if<long long>(&v)) return *n;
    if (auto* d = std::get_if<double>(&v)) return static_cast<long long>(*d);
    throw VarError("argument " + std::to_string(i + 1) + " is not a number: " + a[i]);
}

std::string Procs::Text(const Args& a, size_t i) {
    if (i >= a.size()) throw VarError("missing argument " + std::to_string(i + 1));
    return a[i];
}

bool Procs::Truth(const Args& a, size_t i) { return Number(a, i) != 0; }

}  // namespace q
