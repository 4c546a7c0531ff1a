// ShowMessage: the one routine that writes a message bar.
#pragma once

#include <string>
#include <string_view>

namespace q {

class Game;

// The marks that follow each choice: the keys that choose it.
inline constexpr const char* MarkDefaultYes = "(Y/G)";
inline constexpr const char* MarkNo = "(N)";
inline constexpr const char* MarkYes = "(Y)";
inline constexpr const char* MarkDefaultNo = "(N/G)";

// Shows a line, two choices, or a line with two choices on the bar in use.
// The strings are the caller's own: the choice marks are appended to them.
void ShowMessage(Game& g, std::string& Text, std::string& Yes, std::string& No, bool DefaultYes);
// The same for callers that pass texts as they stand.
void ShowMessage(Game& g, std::string_view Text, std::string_view Yes = {}, std::string_view No = {},
                 bool DefaultYes = true);

}  // namespace q
