#include "stage/RegionRecord.h"

#include <algorithm>

#include "stage/frm_RGN_Picture.h"

namespace q {

RegionRecord OutlineOf(const SpritePicture& picture) {
    RegionRecord r;
    OutlineOf(picture, r);
    return r;
}

void OutlineOf(const SpritePicture& picture, RegionRecord& out) {
    out.rdh = RgnDataHeader{};
    out.rects.clear();
    if (picture.empty()) return;
    const std::uint32_t key = picture.Key();
    auto isFigure = [key](std::uint32_t c) { return c != key || c == PastTable; };

    // The runs of the band being built sit at the end of out.rects, from
    // bandStart on; a row with the same runs only lowers their bottoms.
    size_t bandStart = 0;
    bool bandOpen = false;
    const int w = picture.width;
    for (int y = 0; y < picture.height; ++y) {
        const std::uint8_t* indices = picture.index.data() + size_t(y) * size_t(w);
        auto row = [&](int x) { return picture.palette[indices[x]]; };
        const size_t rowStart = out.rects.size();
        for (int x = 0; x < w;) {
            if (!isFigure(row(x))) {
                ++x;
                continue;
            }
            const int x0 = x;
            while (x < w && isFigure(row(x))) ++x;
            out.rects.push_back({x0, y, x, y + 1});
        }
        const size_t runs = out.rects.size() - rowStart;
        if (runs == 0) {
            bandOpen = false;
            continue;
        }
        const size_t bandRuns = rowStart - bandStart;
        bool same = bandOpen && bandRuns == runs;
        for (size_t i = 0; same && i < runs; ++i)
            same = out.rects[bandStart + i].left == out.rects[rowStart + i].left &&
                   out.rects[bandStart + i].right == out.rects[rowStart + i].right;
        if (same) {
            out.rects.resize(rowStart);
            for (size_t i = bandStart; i < rowStart; ++i) out.rects[i].bottom = y + 1;
        } else {
            bandStart = rowStart;
            bandOpen = true;
        }
    }
    if (out.rects.empty()) return;
    PixelRect bound = out.rects.front();
    for (const auto& r : out.rects) {
        bound.left = std::min(bound.left, r.left);
        bound.top = std::min(bound.top, r.top);
        bound.right = std::max(bound.right, r.right);
        bound.bottom = std::max(bound.bottom, r.bottom);
    }
    out.rdh.dwSize = 32;
    out.rdh.iType = 1;
    out.rdh.nCount = std::uint32_t(out.rects.size());
    out.rdh.nRgnSize = 16 * out.rdh.nCount;
    out.rdh.rcBound = bound;
}

}  // namespace q
