// The clear record file "Clear.txt": one record appended for every clear,
// the heroine's final figures and the estate agent's verdict.
#pragma once

namespace q {

class Game;

inline constexpr const char* ClearFileName = "Clear.txt";

// Counts the listed arms into HaveArmsNum, ranks the play (with the
// verdict's gifts and GameCleared) and appends the record to "Clear.txt" in
// the current folder, creating it when missing. The play is ranked whether
// or not the file can be written; false when it could not be.
bool WriteClearFile(Game& g);

}  // namespace q
