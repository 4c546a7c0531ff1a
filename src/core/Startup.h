// Start-up and leaving: the module procedures beside the title window.
#pragma once

#include <string>

namespace q {

class Game;

// Unloads every loaded form whose name differs from Name.
void UnloadFormsExcept(Game& g, const std::string& Name);
// Runs the program's start-up.
void StartProgram(Game& g);
// Asks the desktop to open the help document.
void OpenHelp(Game& g);

inline constexpr const char* HelpDocument = "Help.html";
inline constexpr const char* HelpNotOpenedText = "ヘルプを開けませんでした。\nブラウザで次のファイルを開いてください。\n";

}  // namespace q
