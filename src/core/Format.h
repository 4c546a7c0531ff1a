// Numbers as the game writes them for the player.
#pragma once

#include <string>

namespace q {

// "#,##0": thousands separated by commas, no decimals ("1,234", "-5,000").
std::string FormatThousands(long long v);

// The number at the start of a text, as a number box holds it: leading
// spaces skipped, an optional sign, then digits ("007" 7, "12ab" 12, "" 0).
long long LeadingNumber(const std::string& text);

// A number written "#,##0" read back ("1,234" 1234).
long long ParseThousands(const std::string& text);

}  // namespace q
