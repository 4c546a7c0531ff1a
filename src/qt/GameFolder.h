// Where the desktop program keeps its files and finds its help, the same
// wherever it is started from.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace q {

// The folder of the save files, the clear record and the number file:
// $XDG_DATA_HOME/quorvane, or HOME/.local/share/quorvane when XDG_DATA_HOME
// is unset, empty or relative (a relative one is not a valid base folder).
std::filesystem::path GameFolder(const char* xdgDataHome, const std::filesystem::path& home);

// Makes the folder when missing and makes it the current folder, where the
// game reads and writes its files; false with the reason when it cannot.
bool EnterGameFolder(const std::filesystem::path& folder, std::string& error);

// The file `name` in the first of the folders that holds it; empty when none does.
std::filesystem::path FindFileIn(const std::vector<std::filesystem::path>& folders, const std::string& name);

}  // namespace q
