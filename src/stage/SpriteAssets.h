// The text files of the sprite pictures, compiled into the program.
#pragma once

#include <span>

namespace q {

struct AssetFile {
    const char* path;  // relative to assets/, e.g. "people/005-soldier.txt"
    const char* text;
};

// Every file under assets/, sorted by path.
std::span<const AssetFile> SpriteAssets();

}  // namespace q
