// Saving and continuing a game: save files 1 and 2 in the current folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/GameState.h"

namespace q {

class Game;

// Saves the whole game: Slot 0 to file 1, any other value to file 2. The
// outcome is SaveFailCount: 1 after a completed save, 99 after a failed one,
// which has also told the player in a message box. A save never destroys
// the file it replaces: the new one is written beside it and takes its name
// only when it is complete.
void SaveGame(Game& g, Long Slot);

// Continues the game of file 1 or file 2 (Slot 1 or 2). True when the file
// was read whole and every field was in order; the game then holds the saved
// state. False otherwise, and the game is left exactly as it was.
bool LoadGame(Game& g, Integer Slot);

// Whether save file 1 or 2 is in the current folder, by its exact name.
bool SaveFileExists(int fileNumber);

// The bytes of a save file of the game as it stands (as SaveGame would write
// them), or nothing when the state cannot be saved.
std::optional<std::string> SaveFileText(Game& g, Long Slot);

// Loads a save file from its bytes, as LoadGame does from the file.
bool LoadSaveText(Game& g, std::string_view bytes);

// The save procedures for the simulator's `call`.
void RegisterSave(Game& g);

}  // namespace q
