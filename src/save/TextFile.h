// The text files the game writes for the player beside its save files. A
// write puts out its text and then CR LF; inside one write lines are parted
// by a line feed alone.
#pragma once

#include <initializer_list>
#include <string>

namespace q {

// Writes each text followed by CR LF into the file `name` in the current
// folder: replacing it, or appending to it when `append`. False when the
// file cannot be opened or written.
bool WriteTextFile(const std::string& name, std::initializer_list<std::string> writes, bool append);

}  // namespace q
