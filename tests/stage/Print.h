// Readable values in the stage tests' failure messages.
#pragma once

#include <ostream>

#include "forms/Host.h"

namespace q {

inline void PrintTo(const PixelRect& r, std::ostream* os) {
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

}  // namespace q
