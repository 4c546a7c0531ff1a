// The text files the game writes for the player beside its save files. A
// write puts out its text and then CR LF; inside one write lines are parted
// by a line feed alone.
#pragma once

#include <initializer_list>
#include <string>

namespace q {

// Writes each text followed by CR LF into the file `name` in the current
// folder: replacing it, or after what it holds when `append`. The file is
// written whole or not at all (an appended record never damages the records
// before it). False when it could not be written; the file is then as it was.
[[nodiscard]] bool WriteTextFile(const std::string& name, std::initializer_list<std::string> writes, bool append);

}  // namespace q
