// The picture container: the picture of every sprite number, decoded from the
// text pixel art under assets/ the first time anything asks for one, and
// kept, unchanged, to the end of the run.
//
// The art is a manifest (one line per sprite number: size, bits per pixel,
// layout, and where the pixels come from) and picture files (a palette of
// one-character symbols, then rows of symbols). A picture is either drawn in
// a file or derived from another picture by mirroring, recolouring (another
// palette for the same symbols) and overlaying (a patch of pixels), so a
// mirrored or recoloured figure is never drawn twice.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "forms/Host.h"
#include "stage/SpriteAssets.h"

namespace q {

// Sprite numbers are 0 .. SpriteCount - 1.
constexpr int SpriteCount = 424;

// A pixel whose colour index lies past the end of its picture's colour
// table: it has no colour of its own and never matches a key colour.
constexpr std::uint32_t PastTable = 0x01000000u;

struct SpritePicture {
    int width = 0;
    int height = 0;
    int bits = 24;      // bits per pixel of the stored picture: 4, 8 or 24
    int tableSize = 0;  // colours in its colour table (palette entries with a colour)
    // The colours of the picture's symbols: 0x00RRGGBB, or PastTable.
    std::vector<std::uint32_t> palette;
    // Per pixel, row by row from the top: its colour's place in `palette`.
    // A byte a pixel: every picture has fewer than 256 symbols.
    std::vector<std::uint8_t> index;

    // The colour of pixel i: 0x00RRGGBB, or PastTable.
    std::uint32_t Colour(std::size_t i) const { return palette[index[i]]; }
    // Pixel i ready to paint: 0xFFRRGGBB (past the table paints black).
    std::uint32_t Argb(std::size_t i) const { return OpaquePixel(Colour(i)); }

    bool empty() const { return width == 0 || height == 0; }
    std::uint32_t At(int x, int y) const { return Colour(std::size_t(y) * std::size_t(width) + std::size_t(x)); }
    // The key colour: the colour of the top-left pixel.
    std::uint32_t Key() const { return empty() ? 0 : Colour(0); }
};

// One line of the manifest.
struct SpriteInfo {
    int number = -1;
    int width = 0;
    int height = 0;
    int bits = 0;
    std::string layout;  // walk6, heroine, three, pair, single, gem, tile, sign, mark
    std::string source;  // "draw FILE" or "from N OPS..."
};

// A set of decoded pictures with their manifest lines.
class PictureSet {
public:
    // Decodes the manifest "manifest.txt" and the pictures of sprites
    // 0 .. count - 1 from `files`. Whatever cannot be decoded is reported in
    // Errors() and left as an empty picture.
    static PictureSet Decode(std::span<const AssetFile> files, int count = SpriteCount);

    // The picture of sprite n; an empty picture for a number outside the set.
    const SpritePicture& pPicture(int n) const;
    const SpriteInfo& Info(int n) const;
    int Count() const { return int(pictures_.size()); }
    const std::vector<std::string>& Errors() const { return errors_; }

private:
    std::vector<SpritePicture> pictures_;
    std::vector<SpriteInfo> infos_;
    std::vector<std::string> errors_;
};

// The hidden container of the game's own pictures, decoded on first use.
class frm_RGN_Picture {
public:
    static const PictureSet& Get();
    static const SpritePicture& pPicture(int n) { return Get().pPicture(n); }
    // The manifest line of sprite n, read without decoding any picture: what
    // asks only for sizes does not bring every picture into memory.
    static const SpriteInfo& Info(int n);
};

}  // namespace q
