// The outline of a sprite: the pixels of its picture that are not of its key
// colour, held as the platform keeps a region: bands of equal height from
// the top, each a row of disjoint rectangles from the left.
#pragma once

#include <cstdint>
#include <vector>

#include "forms/Host.h"

namespace q {

struct SpritePicture;

struct RgnDataHeader {
    std::uint32_t dwSize = 0;    // 32 once filled
    std::uint32_t iType = 0;     // 1: rectangles
    std::uint32_t nCount = 0;    // rectangles in use
    std::uint32_t nRgnSize = 0;  // 16 bytes per rectangle
    PixelRect rcBound;           // the smallest rectangle holding them all
};

// One record of the outline table. A record that was never filled is all
// zero and makes no region.
struct RegionRecord {
    RgnDataHeader rdh;
    std::vector<PixelRect> rects;  // in pixels of the picture, right and bottom exclusive

    bool IsRegion() const { return rdh.dwSize == 32 && rdh.iType == 1 && rdh.nCount > 0 && rects.size() == rdh.nCount; }
};

// The outline of a picture. The key is the colour of its top-left pixel;
// pixels are compared by colour, and one whose index lies past the colour
// table is never of the key colour. Each row gives its maximal runs of
// non-key pixels; a row with exactly the runs of the row above joins that
// row's band, any other non-empty row starts a band (an empty row ends one).
RegionRecord OutlineOf(const SpritePicture& picture);

// The same outline rebuilt into `out`, reusing its storage.
void OutlineOf(const SpritePicture& picture, RegionRecord& out);

}  // namespace q
