#include "stage/RegionBounds.h"

#include <algorithm>

namespace q {

PixelRect RegionBounds(const std::vector<PixelRect>& region, int width, int height) {
    PixelRect box;
    bool any = false;
    for (const PixelRect& r : region) {
        const PixelRect in{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width), std::min(r.bottom, height)};
        if (in.left >= in.right || in.top >= in.bottom) continue;
        if (!any) {
            box = in;
            any = true;
            continue;
        }
        box.left = std::min(box.left, in.left);
        box.top = std::min(box.top, in.top);
        box.right = std::max(box.right, in.right);
        box.bottom = std::max(box.bottom, in.bottom);
    }
    return box;
}

}  // namespace q
