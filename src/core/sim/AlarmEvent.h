#pragma once

#include <cstdint>

namespace dispcraft {

// An alarm bit that came on or went off, at a simulated time.
struct AlarmEvent {
    int64_t timeMs = 0;
    int group = 0;   // 0 or 1
    int message = 0; // 0..63
    bool on = false;
    bool operator==(const AlarmEvent&) const = default;
};

} // namespace dispcraft
