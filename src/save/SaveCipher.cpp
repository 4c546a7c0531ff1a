#include "save/SaveCipher.h"

#include <cstddef>

namespace q {

namespace {

constexpr std::size_t CharBytes = 3;
constexpr int MinusIndex = 10;

static_assert([] {
    for (auto c : CipherTable)
        if (c.size() != CharBytes) return false;
    return true;
}());

// The table entry of the three bytes at p, or -1.
int TableIndex(const char* p) {
    for (int k = 0; k < int(CipherTable.size()); ++k) {
        const auto& t = CipherTable[std::size_t(k)];
        if (p[0] == t[0] && p[1] == t[1] && p[2] == t[2]) return k;
    }
    return -1;
}

}  // namespace

bool CipherLine(bool Encode, std::string_view SaveLine, std::string& SaveCode) {
    SaveCode.clear();
    if (Encode) {
        SaveCode.reserve(SaveLine.size() * CharBytes);
        std::size_t position = 0;
        for (char c : SaveLine) {
            // A character's position counts in SaveLine, dropped ones included;
            // the bytes that continue a UTF-8 character take none of their own.
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++position;
            if (c >= '0' && c <= '9') {
                const int d = c - '0';
                SaveCode += CipherTable[std::size_t(position % 2 == 0 ? d : 9 - d)];
            } else if (c == '-') {
                SaveCode += CipherTable[MinusIndex];
            }
        }
        return true;
    }

    SaveCode.reserve(SaveLine.size() / CharBytes);
    std::size_t position = 0;
    for (std::size_t i = 0; i < SaveLine.size(); i += CharBytes) {
        ++position;
        const int k = SaveLine.size() - i >= CharBytes ? TableIndex(SaveLine.data() + i) : -1;
        if (k < 0) return false;
        if (k == MinusIndex) SaveCode += '-';
        else SaveCode += char('0' + (position % 2 == 0 ? k : 9 - k));
    }
    return true;
}

}  // namespace q
