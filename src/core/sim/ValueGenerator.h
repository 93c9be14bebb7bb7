#pragma once

#include <cstdint>

namespace dispcraft {

// A value that moves by itself with simulated time, so bars and trends have something to show:
// a ramp from low to high over each period (then back to low at once), or a sine wave between
// low and high, starting at its middle and rising.
struct ValueGenerator {
    enum class Kind { None, Ramp, Sine };

    Kind kind = Kind::None;
    int32_t low = 0;
    int32_t high = 1000;
    int64_t periodMs = 10000;

    bool active() const { return kind != Kind::None; }
    int32_t valueAt(int64_t ms) const;
};

} // namespace dispcraft
