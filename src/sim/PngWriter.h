// Writes pictures as PNG files, for the simulator's frames and the contact
// sheet of the sprites.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace q {

// `argb` holds width x height pixels of 0xAARRGGBB, row by row from the top.
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint32_t>& argb, std::string& error);

}  // namespace q
