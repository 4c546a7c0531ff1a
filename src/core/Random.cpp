#include "core/Random.h"

#include <stdexcept>

namespace q {

double Random::Rnd() {
    ++draws_;
    if (!queue_.empty()) {
        double u = queue_.front();
        queue_.pop_front();
        return u;
    }
    if (strict_) throw std::logic_error("random draw beyond the scripted queue");
    // 53 high bits make an exact double in [0, 1).
    return double(engine_() >> 11) * 0x1.0p-53;
}

}  // namespace q
