#include "core/Format.h"

#include <cctype>
#include <limits>

namespace q {

std::string FormatThousands(long long v) {
    const bool negative = v < 0;
    unsigned long long m = negative ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    std::string digits = std::to_string(m);
    std::string out;
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += ',';
        out += digits[size_t(i)];
    }
    return negative ? "-" + out : out;
}

long long LeadingNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long v = 0;
    constexpr long long cap = std::numeric_limits<long long>::max() / 10 - 9;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        if (v < cap) v = v * 10 + (text[i] - '0');
    return negative ? -v : v;
}

long long ParseThousands(const std::string& text) {
    std::string plain;
    for (char c : text)
        if (c != ',') plain += c;
    return LeadingNumber(plain);
}

}  // namespace q
