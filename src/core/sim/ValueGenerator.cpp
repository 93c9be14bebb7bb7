#include "sim/ValueGenerator.h"

#include <cmath>
#include <numbers>

namespace dispcraft {

int32_t ValueGenerator::valueAt(int64_t ms) const {
    const int64_t period = periodMs > 0 ? periodMs : 1;
    const int64_t phase = ((ms % period) + period) % period;
    const double span = static_cast<double>(high) - static_cast<double>(low);
    switch (kind) {
    case Kind::Ramp:
        return static_cast<int32_t>(low + static_cast<int64_t>(span * static_cast<double>(phase) /
                                                               static_cast<double>(period)));
    case Kind::Sine: {
        const double angle = 2.0 * std::numbers::pi * static_cast<double>(phase) / static_cast<double>(period);
        const double mid = (static_cast<double>(low) + static_cast<double>(high)) / 2.0;
        return static_cast<int32_t>(std::lround(mid + span / 2.0 * std::sin(angle)));
    }
    case Kind::None: break;
    }
    return low;
}

} // namespace dispcraft
