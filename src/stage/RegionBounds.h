// The part of the stage a window region really covers.
#pragma once

#include <vector>

#include "forms/Host.h"

namespace q {

// The smallest rectangle holding every pixel of `region` that lies inside a
// stage of `width` x `height` pixels from its top-left; all zero when no
// pixel of the region lies inside.
PixelRect RegionBounds(const std::vector<PixelRect>& region, int width, int height);

}  // namespace q
