// The save-line cipher: a plain line of digits and "-" becomes a line of
// the same length made of eleven kanji, and back. The digit table runs
// forwards at even positions and backwards at odd ones, so a run of one
// digit shows as two alternating characters.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace q {

// T(0) to T(9) stand for the digits, T(10) for "-". A save file can only be
// read with the table that wrote it: never change these.
inline constexpr std::array<std::string_view, 11> CipherTable{
    "剣", "盾", "槍", "斧", "弓", "鎧", "兜", "杖", "鎚", "矢", "刀",
};

// Encode true: SaveLine holds a plain line, SaveCode gets its cipher form;
// characters other than digits and "-" are dropped. Always true.
// Encode false: SaveLine holds a stored line, SaveCode gets the plain line;
// false at the first character that is not in the table, with SaveCode
// holding what was decoded before it.
// Positions count characters from 1; every table character is three bytes
// of UTF-8.
bool CipherLine(bool Encode, std::string_view SaveLine, std::string& SaveCode);

}  // namespace q
